#include "nutrition/uttrykk.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>

#include "core/seams.h"
#include "fake_subject.h"

namespace stallora {
namespace {

using FakeSubject = testing::FakeSubject;

UttrykkResultat Eval(std::string_view text, const FormulaSubject& s, int nutrientNo = 0) {
  return TUttrykk(text, nutrientNo).Evaluer(s, true, nullptr);
}

UttrykkResultat Eval(std::string_view text) { return Eval(text, FakeSubject{}); }

double Value(std::string_view text, const FormulaSubject& s, int nutrientNo = 0) {
  const UttrykkResultat r = Eval(text, s, nutrientNo);
  EXPECT_TRUE(r.ok) << text << ": " << r.message;
  EXPECT_FALSE(r.isTruthValue) << text;
  return r.value;
}

double Value(std::string_view text) { return Value(text, FakeSubject{}); }

// The truth value of a formula that must evaluate without error to one.
bool Truth(std::string_view text) {
  const UttrykkResultat r = Eval(text);
  EXPECT_TRUE(r.ok) << text << ": " << r.message;
  EXPECT_TRUE(r.isTruthValue) << text;
  EXPECT_TRUE(r.value == 0 || r.value == 1) << text;
  return r.value == 1;
}

std::string Msg(std::string_view error, int pos, std::string_view shown) {
  return "Error: " + std::string(error) + ", Pos = " + std::to_string(pos) + "\r" +
         std::string(shown) + "[error in preceeding symbols]";
}

// The error message of a formula that must fail.
std::string ErrorOf(std::string_view text, const FormulaSubject& s = FakeSubject{}) {
  const UttrykkResultat r = Eval(text, s);
  EXPECT_FALSE(r.ok) << text;
  return r.message;
}

// Only the error text, without position and echo.
std::string ErrorTextOf(std::string_view text, const FormulaSubject& s = FakeSubject{}) {
  const std::string m = ErrorOf(text, s);
  if (m.rfind("Error: ", 0) != 0) return "<" + m + ">";
  return m.substr(7, m.find(", Pos = ") - 7);
}

TEST(UttrykkFactors, MilkByDaysSinceFoaling) {
  EXPECT_EQ(MilkFactor(-1), 0.0218);
  EXPECT_EQ(MilkFactor(-400), 0.0218);
  EXPECT_EQ(MilkFactor(0), 0.0326);
  EXPECT_EQ(MilkFactor(30), 0.0326);
  EXPECT_EQ(MilkFactor(31), 0.0324);
  EXPECT_EQ(MilkFactor(61), 0.0324);
  EXPECT_EQ(MilkFactor(62), 0.0299);
  EXPECT_EQ(MilkFactor(92), 0.0299);
  EXPECT_EQ(MilkFactor(93), 0.0271);
  EXPECT_EQ(MilkFactor(123), 0.0271);
  EXPECT_EQ(MilkFactor(124), 0.0244);
  EXPECT_EQ(MilkFactor(155), 0.0244);
  EXPECT_EQ(MilkFactor(156), 0.0218);
  EXPECT_EQ(MilkFactor(10000), 0.0218);
}

TEST(UttrykkFactors, SweatByTrainingLevel) {
  EXPECT_EQ(SweatFactorForWork(0), 0.0025);  // Lett
  EXPECT_EQ(SweatFactorForWork(1), 0.005);   // Moderat
  EXPECT_EQ(SweatFactorForWork(2), 0.01);    // Hard
  EXPECT_EQ(SweatFactorForWork(3), 0.02);    // Intens
  EXPECT_EQ(SweatFactorForWork(4), 0.0);     // Arbudef
  EXPECT_EQ(SweatFactorForWork(-1), 0.0);
  EXPECT_EQ(SweatFactorForYoungTraining(0), 0.0);
  EXPECT_EQ(SweatFactorForYoungTraining(1), 0.0025);
  EXPECT_EQ(SweatFactorForYoungTraining(2), 0.0075);
  EXPECT_EQ(SweatFactorForYoungTraining(3), 0.02);
  EXPECT_EQ(SweatFactorForYoungTraining(4), 0.0);
  EXPECT_EQ(kSweatFactorBreeding, 0.0025);
}

TEST(Uttrykk, TextGetsTheTerminatorAppended) {
  TUttrykk u;
  EXPECT_EQ(u.Tekst(), ";");
  u.SettTekst("bw*2");
  EXPECT_EQ(u.Tekst(), "bw*2;");
  u.SettTekst("");
  EXPECT_EQ(u.Tekst(), ";");
  EXPECT_EQ(ErrorOf(""), Msg("Operand missing or misplaced", 2, ";"));
  EXPECT_EQ(u.NutrientNo(), 0);
  u.SetNutrientNo(7);
  EXPECT_EQ(u.NutrientNo(), 7);
}

TEST(Uttrykk, RealisticFormulas) {
  FakeSubject h;
  EXPECT_DOUBLE_EQ(Value("bw*0.0333", h), 16.65);
  const char* maint =
      "if maintlevel = min then bw*0.0303 else if maintlevel=average then bw*0.0333 else "
      "bw*0.0363";
  h.maintlevel = 0;
  EXPECT_DOUBLE_EQ(Value(maint, h), 500 * 0.0303);
  h.maintlevel = 1;
  EXPECT_DOUBLE_EQ(Value(maint, h), 500 * 0.0333);
  h.maintlevel = 2;
  EXPECT_DOUBLE_EQ(Value(maint, h), 500 * 0.0363);

  h.yhtrained = true;
  EXPECT_EQ(Value("if yhtrained then 2 else 1", h), 2);
  h.yhtrained = false;
  EXPECT_EQ(Value("if yhtrained then 2 else 1", h), 1);

  h.age = 12;
  h.adg = 0.5;
  EXPECT_NEAR(Value("bw*(0.0303 + 0.0001*ln(moage)) + adg*sqrt(moage)**1.5 + e exp 2", h),
              500 * (0.0303 + 0.0001 * std::log(12.0)) + 0.5 * std::pow(std::sqrt(12.0), 1.5) +
                  2.7182818 * 2.7182818,
              1e-12);
}

TEST(Uttrykk, Variables) {
  FakeSubject h;
  h.bw = 432.5;
  h.mop = 4;
  h.mol = 2;
  h.age = 0;
  h.adg = 0.63;
  h.ti = 3;
  h.milk = 14.1;
  h.sweat = 2.2;
  h.maintlevel = 2;
  h.behov[0] = 21.5;
  h.behov[1] = 630;
  h.behov[5] = 40.25;
  EXPECT_EQ(Value("bw", h), 432.5);
  EXPECT_EQ(Value("mop", h), 4);
  EXPECT_EQ(Value("mol", h), 2);
  EXPECT_EQ(Value("moage", h), 1);  // age 0 reads as 1
  h.age = 7;
  EXPECT_EQ(Value("moage", h), 7);
  EXPECT_EQ(Value("adg", h), 0.63);
  EXPECT_EQ(Value("ti", h), 3);
  EXPECT_EQ(Value("milk", h), 14.1);
  EXPECT_EQ(Value("sweat", h), 2.2);
  EXPECT_EQ(Value("maintlevel", h), 2);
  EXPECT_EQ(Value("er", h, 5), 21.5);
  EXPECT_EQ(Value("cp", h, 5), 630);
  EXPECT_EQ(Value("euro", h, 5), 40.25);
  EXPECT_EQ(Value("euro", h, 0), 21.5);
  EXPECT_EQ(Value("e"), 2.7182818);
  EXPECT_EQ(Value("light"), 0);
  EXPECT_EQ(Value("moderate"), 1);
  EXPECT_EQ(Value("hard"), 2);
  EXPECT_EQ(Value("intense"), 3);
  EXPECT_EQ(Value("min"), 0);
  EXPECT_EQ(Value("average"), 1);
  EXPECT_EQ(Value("elevated"), 2);
  EXPECT_EQ(Value("if ti = intense then 1 else 0", h), 1);

  h.yhtrained = true;
  UttrykkResultat r = Eval("yhtrained", h);
  EXPECT_TRUE(r.ok);
  EXPECT_TRUE(r.isTruthValue);
  EXPECT_EQ(r.value, 1);
  EXPECT_EQ(ErrorTextOf("yhtrained + 1", h), "First addend is not a number");
}

TEST(Uttrykk, Fetus) {
  FakeSubject h;
  h.bw = 500;
  h.mop = 0;
  // g = 0: A = 0, B = -6.75, C = 0.045.
  EXPECT_NEAR(Value("fetus", h, 0), -6.75 * 0.0666 + 0.045 * 1.402 / 0.6, 1e-12);
  EXPECT_NEAR(Value("fetus", h, 3), 0.045 * 400 / 0.79, 1e-12);
  h.mop = 5;
  EXPECT_NEAR(Value("fetus", h, 0), 0.44028222775389, 1e-10);
  EXPECT_NEAR(Value("fetus", h, 3), 54.911733113756, 1e-9);
  h.bw = 600;
  h.mop = 11;
  EXPECT_NEAR(Value("fetus", h, 0), 5.6884129405961, 1e-9);
  EXPECT_NEAR(Value("fetus", h, 1), 315.50537246688, 1e-8);
}

TEST(Uttrykk, SignsApplyToTheFirstTermOnly) {
  EXPECT_EQ(ErrorOf("2*-3"), Msg("Operand missing or misplaced", 4, "2*-3"));
  EXPECT_EQ(Value("-3*2"), -6);
  EXPECT_EQ(ErrorTextOf("(2*-3)"), "Operand missing or misplaced");
  EXPECT_EQ(Value("2*(-3)"), -6);
  EXPECT_EQ(Value("-2**2"), -4);
  EXPECT_EQ(Value("- 3 - 2"), -5);
  EXPECT_EQ(Value("+3-2+1"), 2);
  EXPECT_EQ(ErrorTextOf("--3"), "Operand missing or misplaced");
  EXPECT_EQ(ErrorTextOf("2+-3"), "Operand missing or misplaced");
  // A truth value passes through a lone term, but not through a sign or an addition.
  EXPECT_TRUE(Truth("true"));
  EXPECT_EQ(ErrorTextOf("+true"), "First addend is not a number");
  EXPECT_EQ(ErrorTextOf("-true"), "First addend is not a number");
  EXPECT_EQ(ErrorTextOf("true+1"), "First addend is not a number");
  EXPECT_EQ(ErrorTextOf("1+true"), "Addend is not a number");
  EXPECT_EQ(ErrorTextOf("true*2"), "Factor is not a number");
  EXPECT_EQ(ErrorTextOf("2/false"), "Factor is not a number");
}

TEST(Uttrykk, ArithmeticAndPowers) {
  EXPECT_EQ(Value("1+2*3"), 7);
  EXPECT_EQ(Value("(1+2)*3"), 9);
  EXPECT_EQ(Value("7/2"), 3.5);
  EXPECT_EQ(Value("8/2/2"), 2);
  EXPECT_EQ(Value("10-4-3"), 3);
  EXPECT_EQ(Value("2 exp 3"), 8);
  EXPECT_EQ(Value("2**3"), 8);
  EXPECT_EQ(Value("2*3**2"), 18);
  EXPECT_EQ(Value("(0-2)**3"), -8);
  EXPECT_EQ(Value("4**0.5"), 2);
  EXPECT_EQ(ErrorTextOf("exp(1)"), "Operand missing or misplaced");
  EXPECT_EQ(ErrorTextOf("2**3**2"), "String not correctly terminated");
  EXPECT_EQ(Value("(2**3)**2"), 64);
  EXPECT_EQ(ErrorTextOf("true**2"), "Boolean variable can not be exponentiated");
  EXPECT_EQ(ErrorTextOf("2**true"), "Exponent is not a number");
  EXPECT_EQ(ErrorTextOf("2**-1"), "Operand missing or misplaced");
}

TEST(Uttrykk, Functions) {
  EXPECT_EQ(Value("sqrt(4)"), 2);
  EXPECT_EQ(Value("sqrt(0)"), 0);
  EXPECT_NEAR(Value("ln(e)"), 1, 1e-7);
  EXPECT_EQ(Value("ln(1)"), 0);
  EXPECT_EQ(Value("sqrt(ln(1)+9)*2"), 6);
  EXPECT_EQ(ErrorOf("ln(0-1)"), Msg("Negative argument for \"ln\"", 8, "ln(0-1);"));
  EXPECT_EQ(ErrorTextOf("ln(true)"), "Argument for \"ln\" unvalid (not number)");
  EXPECT_EQ(ErrorTextOf("sqrt(0-4)"), "negative number to \"sqrt\"");
  EXPECT_EQ(ErrorTextOf("sqrt(1<2)"), "not number argument to \"sqrt\"");
  EXPECT_EQ(ErrorTextOf("ln 5"), "Start paranthesis missing or misplaced");
  EXPECT_EQ(ErrorTextOf("sqrt 5"), "Start paranthesis missing or misplaced");
  EXPECT_EQ(ErrorTextOf("not true"), "Start paranthesis missing or misplaced");
  EXPECT_EQ(ErrorOf("ln(5"), Msg("End paranthesis missing or misplaced", 6, "ln(5;"));
  EXPECT_EQ(ErrorTextOf("sqrt(5"), "End paranthesis missing or misplaced");
  EXPECT_EQ(ErrorTextOf("not(true"), "End paranthesis missing or misplaced");
  EXPECT_EQ(ErrorTextOf("(1+2"), "End paranthesis missing or misplaced");
  EXPECT_EQ(ErrorTextOf("(1+2))"), "String not correctly terminated");
  EXPECT_FALSE(Truth("not(true)"));
  EXPECT_TRUE(Truth("not(1 > 2)"));
  EXPECT_EQ(ErrorTextOf("not(1)"), "Not boolean value to \"not\"");
  EXPECT_EQ(ErrorTextOf("pi"), "Undefined keyword or name: pi");
}

TEST(Uttrykk, Relations) {
  EXPECT_TRUE(Truth("1 < 2"));
  EXPECT_FALSE(Truth("2 < 2"));
  EXPECT_TRUE(Truth("2 <= 2"));
  EXPECT_TRUE(Truth("1 <> 2"));
  EXPECT_FALSE(Truth("2 <> 2"));
  EXPECT_TRUE(Truth("2 = 2.0"));
  EXPECT_TRUE(Truth("3 > 2"));
  EXPECT_FALSE(Truth("2 > 2"));
  EXPECT_TRUE(Truth("2 >= 2"));
  EXPECT_TRUE(Truth("1 lt 2"));
  EXPECT_TRUE(Truth("2 le 2"));
  EXPECT_TRUE(Truth("3 gt 2"));
  EXPECT_FALSE(Truth("2 ge 3"));
  EXPECT_TRUE(Truth("2 eq 2"));
  EXPECT_TRUE(Truth("2 ne 3"));
  EXPECT_FALSE(Truth("0.1 + 0.2 = 0.3"));  // exact comparison
  EXPECT_TRUE(Truth("1+1 = 2*1"));
  EXPECT_EQ(ErrorOf("1 < 2 < 3"), Msg("String not correctly terminated", 8, "1 < 2 < "));
  EXPECT_EQ(ErrorTextOf("true = 1"), "operand for relation is not number");
  EXPECT_EQ(ErrorTextOf("1 = true"), "operand for relation is not number");
  // A lone truth value as a result: 1 for true, 0 for false.
  UttrykkResultat r = Eval("1 > 2");
  EXPECT_TRUE(r.ok && r.isTruthValue);
  EXPECT_EQ(r.value, 0);
  r = Eval("1 < 2");
  EXPECT_TRUE(r.ok && r.isTruthValue);
  EXPECT_EQ(r.value, 1);
}

TEST(Uttrykk, AndOrChains) {
  EXPECT_EQ(ErrorOf("true and false or true"),
            Msg("When \"and\" and \"or\" statements are mixed, use parentheses", 18,
                "true and false or "));
  EXPECT_EQ(ErrorTextOf("false or true and true"),
            "When \"and\" and \"or\" statements are mixed, use parentheses");
  EXPECT_TRUE(Truth("(true and false) or true"));
  EXPECT_FALSE(Truth("true and (false or false)"));
  EXPECT_FALSE(Truth("true and true and false"));
  EXPECT_TRUE(Truth("true and true and true"));
  EXPECT_TRUE(Truth("false or false or true"));
  EXPECT_FALSE(Truth("false or false"));
  EXPECT_TRUE(Truth("1 < 2 and 3 > 2"));
  EXPECT_EQ(ErrorTextOf("1 and true"), "first operand for \"and/or\" not boolean");
  EXPECT_EQ(ErrorTextOf("true or 1"), "second operand for \"and/or\" is not boolean");
}

TEST(Uttrykk, IfThenElse) {
  EXPECT_EQ(Value("if true then 2 else 3"), 2);
  EXPECT_EQ(Value("if false then 2 else 3"), 3);
  EXPECT_EQ(Value("if 1 > 2 then 2 else if 2 > 1 then 4 else 5"), 4);
  EXPECT_EQ(Value("if if true then false else true then 1 else 2"), 2);
  EXPECT_EQ(Value("(if true then 2 else 3) * 10"), 20);
  EXPECT_TRUE(Truth("if true then 1 < 2 else false"));
  EXPECT_EQ(ErrorOf("if 1 then 2 else 3"), Msg("not boolean expression", 10, "if 1 then "));
  EXPECT_EQ(ErrorTextOf("if true then 2 else false"),
            "type for then- and else- expression not identical");
  EXPECT_EQ(ErrorTextOf("if true then false else 2"),
            "type for then- and else- expression not identical");
  EXPECT_EQ(ErrorTextOf("if true 2 else 3"), "then missing or misplaced");
  EXPECT_EQ(ErrorTextOf("if true then 2 3"), "else missing or misplaced");
  EXPECT_EQ(ErrorTextOf("if true then 2"), "else missing or misplaced");
  // Without parentheses "if" cannot stand as an operand.
  EXPECT_EQ(ErrorTextOf("2 * if true then 1 else 2"), "Operand missing or misplaced");
}

TEST(Uttrykk, Scanner) {
  EXPECT_EQ(ErrorOf("BW"), Msg("Undefined keyword or name: BW", 3, "BW;"));
  EXPECT_EQ(ErrorTextOf("If true then 1 else 2"), "Undefined keyword or name: If");
  EXPECT_EQ(ErrorTextOf("b w"), "Undefined keyword or name: b");
  EXPECT_EQ(ErrorTextOf("bw2"), "Undefined keyword or name: bw2");
  EXPECT_EQ(ErrorOf("1e5"), Msg("Undefined keyword or name: e5", 4, "1e5;"));
  EXPECT_EQ(ErrorOf("1.2.3"), Msg("Error in number format: 1.2.3", 6, "1.2.3;"));
  EXPECT_EQ(ErrorTextOf("1..2"), "Error in number format: 1..2");
  EXPECT_EQ(Value("1."), 1);
  EXPECT_EQ(Value("0012.50"), 12.5);
  EXPECT_EQ(ErrorTextOf(".5"), "Illegal character: .");
  EXPECT_EQ(ErrorOf("bw # 2"), Msg("Illegal character: #", 5, "bw # "));
  EXPECT_EQ(ErrorTextOf("bw\t*2"), "Illegal character: \t");
  EXPECT_EQ(ErrorTextOf("bw*2 \xF8"), "Illegal character: \xF8");
  EXPECT_EQ(ErrorTextOf("1,2"), "String not correctly terminated");
  EXPECT_EQ(Value("   bw   *   2   "), 1000);
  EXPECT_EQ(Value("2*(bw)"), 1000);
  // The first ";" ends the formula, like the appended one.
  EXPECT_EQ(Value("bw;garbage"), 500);
  // A literal too small for a double is zero; one too large is refused.
  EXPECT_EQ(Value("0." + std::string(400, '0') + "1"), 0);
  EXPECT_EQ(ErrorTextOf("1" + std::string(400, '0')),
            "Error in number format: 1" + std::string(400, '0'));
}

TEST(Uttrykk, NumberLiteralsAreCorrectlyRounded) {
  // Short literals take a shortcut; long ones the general conversion. Both must agree
  // with the C library to the last bit.
  const char* literals[] = {"0.0333",  "16.65",  "0.1",     "0.3",       "1000",
                            "3.14159265358979",  "123456789012345",  "1234567890123456",
                            "0.000000000000001", "0.0000000000000001", "99999.99999",
                            "9007199254740993",  "0.30000000000000004", "2.",
                            "100000000000000000000000", "0.0363"};
  for (const char* text : literals) {
    EXPECT_EQ(Value(text), std::strtod(text, nullptr)) << text;
  }
}

TEST(Uttrykk, PositionAfterTheTerminator) {
  // The position runs past the appended ";"; the echo stops at the end of the text.
  EXPECT_EQ(ErrorOf("bw +"), Msg("Operand missing or misplaced", 6, "bw +;"));
  EXPECT_EQ(ErrorOf("bw *"), Msg("Operand missing or misplaced", 6, "bw *;"));
  EXPECT_EQ(ErrorOf("+true"), Msg("First addend is not a number", 7, "+true;"));
}

TEST(Uttrykk, OnlyTheFirstErrorIsReported) {
  // Later errors (the undefined "pi", the boolean addend) do not replace the first one.
  EXPECT_EQ(ErrorTextOf("BW + pi + true"), "Undefined keyword or name: BW");
  EXPECT_EQ(ErrorTextOf("1 # 2 $"), "Illegal character: #");

  FakeSubject h;
  RecordingMessages messages;
  TUttrykk u("bw * * pi + true");
  UttrykkResultat r = u.Evaluer(h, true, &messages);
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(messages.entries.empty());  // silent
  EXPECT_EQ(r.message, Msg("Operand missing or misplaced", 7, "bw * * "));
  r = u.Evaluer(h, false, &messages);
  EXPECT_FALSE(r.ok);
  ASSERT_EQ(messages.entries.size(), 1u);
  EXPECT_EQ(messages.entries[0].kind, RecordingMessages::Entry::kError);
  EXPECT_EQ(messages.entries[0].text, r.message);
  EXPECT_EQ(u.Evaluer(h, false, nullptr).message, r.message);

  // A successful evaluation shows nothing and carries no message.
  u.SettTekst("bw");
  r = u.Evaluer(h, false, &messages);
  EXPECT_TRUE(r.ok);
  EXPECT_TRUE(r.message.empty());
  EXPECT_EQ(messages.entries.size(), 1u);
}

TEST(Uttrykk, ArithmeticFaultsAreErrors) {
  FakeSubject h;
  h.mop = 0;
  auto fault = [&](std::string_view text) {
    const UttrykkResultat r = Eval(text, h);
    EXPECT_FALSE(r.ok) << text;
    EXPECT_TRUE(r.arithmeticFault) << text;
    const std::string& m = r.message;
    return m.substr(7, m.find(", Pos = ") - 7);
  };
  EXPECT_EQ(ErrorOf("1/0", h), Msg("Division by zero", 5, "1/0;"));
  EXPECT_EQ(fault("1/0"), "Division by zero");
  EXPECT_EQ(fault("bw/mop"), "Division by zero");
  EXPECT_EQ(fault("0**(0-1)"), "Division by zero");
  EXPECT_EQ(fault("ln(0)"), "Argument for \"ln\" is zero");
  EXPECT_EQ(fault("10**400"), "Numeric overflow");
  EXPECT_EQ(fault("(10**200)*(10**200)"), "Numeric overflow");
  EXPECT_EQ(fault("(10**200)/(10**(0-200))"), "Numeric overflow");
  EXPECT_EQ(fault("10**308+10**308"), "Numeric overflow");
  EXPECT_EQ(fault("(0-8)**0.5"), "Negative base with non-integer exponent");
  // Both branches are evaluated, so a fault in the branch not taken still counts.
  EXPECT_EQ(fault("if mop > 0 then bw/mop else 0"), "Division by zero");
  // A subject value that is not a number is not passed on as a requirement.
  h.bw = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(fault("bw"), "Result is not a number");
  h.bw = std::numeric_limits<double>::infinity();
  EXPECT_EQ(fault("bw"), "Numeric overflow");
  // Syntax and type errors are not arithmetic faults.
  EXPECT_FALSE(Eval("bw +").arithmeticFault);
  EXPECT_FALSE(Eval("ln(0-1)").arithmeticFault);
}

TEST(Uttrykk, DeepNestingIsRefusedNotFatal) {
  const std::string ok = std::string(150, '(') + "1" + std::string(150, ')');
  EXPECT_EQ(Value(ok), 1);
  const std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')');
  EXPECT_EQ(ErrorTextOf(deep), "Expression nested too deeply");
  std::string ifs;
  for (int i = 0; i < 5000; ++i) ifs += "if true then ";
  EXPECT_EQ(ErrorTextOf(ifs), "Expression nested too deeply");
  std::string nots;
  for (int i = 0; i < 5000; ++i) nots += "not(";
  EXPECT_EQ(ErrorTextOf(nots), "Expression nested too deeply");
}

TEST(Uttrykk, EvaluationKeepsNoState) {
  FakeSubject h;
  TUttrykk u("if ti >= hard then bw*0.0363 else bw*0.0333");
  h.ti = 3;
  EXPECT_DOUBLE_EQ(u.Evaluer(h, true, nullptr).value, 500 * 0.0363);
  h.ti = 1;
  EXPECT_DOUBLE_EQ(u.Evaluer(h, true, nullptr).value, 500 * 0.0333);
  TUttrykk bad("1 +");
  EXPECT_FALSE(bad.Evaluer(h, true, nullptr).ok);
  EXPECT_FALSE(bad.Evaluer(h, true, nullptr).ok);
}

TEST(Uttrykk, SeedFormulasEvaluate) {
  // The fuzzer's seeds: realistic formulas that must evaluate, and one full of errors.
  FakeSubject h;
  h.age = 14;
  h.adg = 0.5;
  h.mop = 10;
  h.yhtrained = true;
  for (const char* name : {"maintenance", "lactation", "growth", "pregnancy", "work"}) {
    std::ifstream in(std::string(STALLORA_TEST_DATA) + "/uttrykk/" + name + ".txt",
                     std::ios::binary);
    ASSERT_TRUE(in) << name;
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    const UttrykkResultat r = Eval(text, h, 2);
    EXPECT_TRUE(r.ok) << name << ": " << r.message;
    EXPECT_GT(r.value, 0) << name;
  }
  std::ifstream in(std::string(STALLORA_TEST_DATA) + "/uttrykk/errors.txt", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(ErrorTextOf(text), "When \"and\" and \"or\" statements are mixed, use parentheses");
}

}  // namespace
}  // namespace stallora
