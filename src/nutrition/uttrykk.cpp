#include "nutrition/uttrykk.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "core/seams.h"

namespace stallora {

double MilkFactor(int daysSincePartus) {
  const int d = daysSincePartus;
  if (d >= 0 && d <= 30) return 0.0326;
  if (d >= 31 && d <= 61) return 0.0324;
  if (d >= 62 && d <= 92) return 0.0299;
  if (d >= 93 && d <= 123) return 0.0271;
  if (d >= 124 && d <= 155) return 0.0244;
  return 0.0218;
}

double SweatFactorForWork(int arbeidsIntensitet) {
  switch (arbeidsIntensitet) {
    case 0: return 0.0025;  // Lett
    case 1: return 0.005;   // Moderat
    case 2: return 0.01;    // Hard
    case 3: return 0.02;    // Intens
    default: return 0;      // Arbudef and anything unknown
  }
}

double SweatFactorForYoungTraining(int ungDyrTrening) {
  switch (ungDyrTrening) {
    case 1: return 0.0025;  // slight
    case 2: return 0.0075;  // medium
    case 3: return 0.02;    // maximum
    default: return 0;      // none
  }
}

void TUttrykk::SettTekst(std::string_view text) {
  tekst_.assign(text);
  tekst_ += ';';
}

namespace {

// The parser's error texts. They are shown to the user verbatim, spelling included.
constexpr std::string_view kIllegalCharacter = "Illegal character: ";
constexpr std::string_view kNumberFormat = "Error in number format: ";
constexpr std::string_view kUndefinedName = "Undefined keyword or name: ";
constexpr std::string_view kNotBoolean = "not boolean expression";
constexpr std::string_view kThenMissing = "then missing or misplaced";
constexpr std::string_view kElseMissing = "else missing or misplaced";
constexpr std::string_view kBranchTypes = "type for then- and else- expression not identical";
constexpr std::string_view kFirstAndOr = "first operand for \"and/or\" not boolean";
constexpr std::string_view kSecondAndOr = "second operand for \"and/or\" is not boolean";
constexpr std::string_view kMixedAndOr =
    "When \"and\" and \"or\" statements are mixed, use parentheses";
constexpr std::string_view kRelationOperand = "operand for relation is not number";
constexpr std::string_view kFirstAddend = "First addend is not a number";
constexpr std::string_view kAddend = "Addend is not a number";
constexpr std::string_view kFactor = "Factor is not a number";
constexpr std::string_view kBooleanPower = "Boolean variable can not be exponentiated";
constexpr std::string_view kExponent = "Exponent is not a number";
constexpr std::string_view kStartParen = "Start paranthesis missing or misplaced";
constexpr std::string_view kEndParen = "End paranthesis missing or misplaced";
constexpr std::string_view kLnArgument = "Argument for \"ln\" unvalid (not number)";
constexpr std::string_view kLnNegative = "Negative argument for \"ln\"";
constexpr std::string_view kSqrtArgument = "not number argument to \"sqrt\"";
constexpr std::string_view kSqrtNegative = "negative number to \"sqrt\"";
constexpr std::string_view kNotArgument = "Not boolean value to \"not\"";
constexpr std::string_view kOperandMissing = "Operand missing or misplaced";
constexpr std::string_view kNotTerminated = "String not correctly terminated";

// Arithmetic faults. The platform would otherwise hand back inf or NaN, which would pass
// for a requirement.
constexpr std::string_view kDivisionByZero = "Division by zero";
constexpr std::string_view kLnZero = "Argument for \"ln\" is zero";
constexpr std::string_view kNegativePower = "Negative base with non-integer exponent";
constexpr std::string_view kOverflow = "Numeric overflow";
constexpr std::string_view kNotANumber = "Result is not a number";

// Recursion only happens through nested expressions; real formulas nest a handful of
// levels, so this bound only stops hostile text from exhausting the stack.
constexpr std::string_view kTooDeep = "Expression nested too deeply";
constexpr int kMaxNesting = 200;

enum class Sym : uint8_t {
  kNone,      // nothing read yet
  kNumber,
  kVariable,  // a number- or truth-valued name; which one is in var_
  kUndefined,
  kPlus, kMinus, kTimes, kDivide, kPower,
  kLParen, kRParen, kComma, kEnd,
  kLt, kLe, kNe, kEq, kGt, kGe,
  kAnd, kOr, kNot, kIf, kThen, kElse, kLn, kSqrt, kTrue, kFalse,
};

enum class Var : uint8_t {
  kBw, kMop, kMol, kMoage, kAdg, kTi, kLight, kModerate, kHard, kIntense, kYhtrained,
  kMilk, kSweat, kFetus, kMaintlevel, kMin, kAverage, kElevated, kEr, kCp, kEuro, kE,
};

struct Word {
  std::string_view text;
  Sym sym;
  Var var;
};

// Keywords and names. Entries that share a first letter stay together: a lookup only
// compares the few entries of its letter.
constexpr Word kWords[] = {
    {"and", Sym::kAnd, {}},
    {"adg", Sym::kVariable, Var::kAdg},
    {"average", Sym::kVariable, Var::kAverage},
    {"bw", Sym::kVariable, Var::kBw},
    {"cp", Sym::kVariable, Var::kCp},
    {"e", Sym::kVariable, Var::kE},
    {"eq", Sym::kEq, {}},
    {"er", Sym::kVariable, Var::kEr},
    {"exp", Sym::kPower, {}},
    {"else", Sym::kElse, {}},
    {"euro", Sym::kVariable, Var::kEuro},
    {"elevated", Sym::kVariable, Var::kElevated},
    {"false", Sym::kFalse, {}},
    {"fetus", Sym::kVariable, Var::kFetus},
    {"gt", Sym::kGt, {}},
    {"ge", Sym::kGe, {}},
    {"hard", Sym::kVariable, Var::kHard},
    {"if", Sym::kIf, {}},
    {"intense", Sym::kVariable, Var::kIntense},
    {"lt", Sym::kLt, {}},
    {"le", Sym::kLe, {}},
    {"ln", Sym::kLn, {}},
    {"light", Sym::kVariable, Var::kLight},
    {"mop", Sym::kVariable, Var::kMop},
    {"mol", Sym::kVariable, Var::kMol},
    {"min", Sym::kVariable, Var::kMin},
    {"milk", Sym::kVariable, Var::kMilk},
    {"moage", Sym::kVariable, Var::kMoage},
    {"moderate", Sym::kVariable, Var::kModerate},
    {"maintlevel", Sym::kVariable, Var::kMaintlevel},
    {"ne", Sym::kNe, {}},
    {"not", Sym::kNot, {}},
    {"or", Sym::kOr, {}},
    {"sqrt", Sym::kSqrt, {}},
    {"sweat", Sym::kVariable, Var::kSweat},
    {"ti", Sym::kVariable, Var::kTi},
    {"then", Sym::kThen, {}},
    {"true", Sym::kTrue, {}},
    {"yhtrained", Sym::kVariable, Var::kYhtrained},
};

struct Bucket {
  uint8_t begin = 0;
  uint8_t end = 0;
};

// The range of kWords per first letter (all words are lower case).
constexpr auto kBuckets = [] {
  std::array<Bucket, 26> buckets{};
  for (size_t i = 0; i < std::size(kWords); ++i) {
    Bucket& b = buckets[kWords[i].text[0] - 'a'];
    if (b.end == 0) b.begin = uint8_t(i);
    b.end = uint8_t(i + 1);
  }
  return buckets;
}();

constexpr bool WordsGroupedByLetter() {
  size_t count = 0;
  for (const Bucket& b : kBuckets) count += b.end - b.begin;
  return count == std::size(kWords);
}
static_assert(WordsGroupedByLetter(), "keep the words of one first letter together");

// Character classes of the scanner; only ASCII letters and digits count.
enum : uint8_t { kDigitClass = 1, kLetterClass = 2, kDotClass = 4 };
constexpr auto kCharClass = [] {
  std::array<uint8_t, 256> classes{};
  for (int c = '0'; c <= '9'; ++c) classes[c] = kDigitClass;
  for (int c = 'A'; c <= 'Z'; ++c) classes[c] = kLetterClass;
  for (int c = 'a'; c <= 'z'; ++c) classes[c] = kLetterClass;
  classes['.'] = kDotClass;
  return classes;
}();

uint8_t ClassOf(char c) { return kCharClass[static_cast<unsigned char>(c)]; }
bool IsDigit(char c) { return ClassOf(c) == kDigitClass; }
bool IsLetter(char c) { return ClassOf(c) == kLetterClass; }

const Word* FindWord(std::string_view name) {
  if (name[0] < 'a' || name[0] > 'z') return nullptr;
  const Bucket b = kBuckets[name[0] - 'a'];
  for (size_t i = b.begin; i < b.end; ++i) {
    const Word& w = kWords[i];
    if (w.text.size() != name.size()) continue;
    size_t k = 1;  // the first letter matched already
    while (k < name.size() && w.text[k] == name[k]) ++k;
    if (k == name.size()) return &w;
  }
  return nullptr;
}

// Foetal demand from days of pregnancy and body weight. Energy (nutrient 0) combines the
// terms differently from every other nutrient.
double Fetus(int pregnancyMonth, double bodyWeight, int nutrientNo) {
  const double g = pregnancyMonth * 30.4;
  const double w = bodyWeight;
  const double a = 1e-7 * 0.01 * 0.097 * std::pow(g, 3.5512) * w;
  const double b = w * (9e-5 * g - 0.0135);
  const double c = 3.5512e-7 * 0.01 * 0.097 * std::pow(g, 2.5512) * w + 9e-5 * w;
  if (nutrientNo == 0) return (a + b) * 0.0666 + (c * 0.282 + c * 1.12) / 0.6;
  return c * 1000 * 2 * 0.2 / 0.79;
}

// The common short literal ("0.0333", "1000") without the general conversion: with at
// most 15 digits the digits form an exact integer below 2^53, and the powers of ten up
// to 10^15 are exact too, so one division gives the correctly rounded value — the same
// that std::from_chars gives. Anything else (a second ".", long literals) goes to it.
bool FastNumber(std::string_view text, double& value) {
  static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  if (text.size() > 16) return false;
  uint64_t mantissa = 0;
  int digits = 0;
  int decimals = -1;  // -1 until the "." is seen
  for (char c : text) {
    if (c == '.') {
      if (decimals >= 0) return false;
      decimals = 0;
      continue;
    }
    mantissa = mantissa * 10 + uint64_t(c - '0');
    ++digits;
    if (decimals >= 0) ++decimals;
  }
  if (digits > 15) return false;
  value = decimals > 0 ? double(mantissa) / kPow10[decimals] : double(mantissa);
  return true;
}

struct Value {
  double num = 0;  // a truth value is held as 1 or 0
  bool isBool = false;
};

class Parser {
 public:
  Parser(std::string_view text, int nutrientNo, const FormulaSubject& subject,
         UttrykkResultat& result)
      : text_(text), nutrientNo_(nutrientNo), subject_(subject), result_(result) {}

  void Run() {
    result_.ok = true;
    Next();
    Value v = Expression();
    if (sym_ != Sym::kEnd) Fail(kNotTerminated);
    if (!v.isBool) v.num = Checked(v.num);
    result_.value = v.num;
    result_.isTruthValue = v.isBool;
  }

 private:
  // ---- errors -------------------------------------------------------------------------

  void Fail(std::string_view what, std::string_view detail = {}, bool arithmetic = false) {
    if (!result_.ok) return;  // only the first error counts
    result_.ok = false;
    result_.arithmeticFault = arithmetic;
    const size_t position = pos_ + 1;  // 1-based index of the next character
    std::string& m = result_.message;
    m = "Error: ";
    m += what;
    m += detail;
    m += ", Pos = ";
    m += std::to_string(position);
    m += '\r';
    m += text_.substr(0, std::min(position, text_.size()));
    m += "[error in preceeding symbols]";
  }

  void FailArithmetic(std::string_view what) { Fail(what, {}, true); }

  double Checked(double r) {
    if (std::isinf(r)) {
      FailArithmetic(kOverflow);
    } else if (std::isnan(r)) {
      FailArithmetic(kNotANumber);
    }
    return r;
  }

  // ---- scanner ------------------------------------------------------------------------

  void Next() {
    const size_t n = text_.size();
    for (;;) {
      while (pos_ < n && text_[pos_] == ' ') ++pos_;
      if (pos_ >= n) {  // past the appended ";" the text keeps reading as ";"
        sym_ = Sym::kEnd;
        return;
      }
      const size_t start = pos_;
      const char c = text_[pos_++];
      if (IsDigit(c)) {
        while (pos_ < n && (ClassOf(text_[pos_]) & (kDigitClass | kDotClass))) ++pos_;
        ScanNumber(text_.substr(start, pos_ - start));
        return;
      }
      if (IsLetter(c)) {
        while (pos_ < n && (ClassOf(text_[pos_]) & (kDigitClass | kLetterClass))) ++pos_;
        ScanName(text_.substr(start, pos_ - start));
        return;
      }
      const char next = pos_ < n ? text_[pos_] : '\0';
      switch (c) {
        case '+': sym_ = Sym::kPlus; return;
        case '-': sym_ = Sym::kMinus; return;
        case '/': sym_ = Sym::kDivide; return;
        case '(': sym_ = Sym::kLParen; return;
        case ')': sym_ = Sym::kRParen; return;
        case ',': sym_ = Sym::kComma; return;
        case ';': sym_ = Sym::kEnd; return;
        case '=': sym_ = Sym::kEq; return;
        case '*':
          if (next == '*') {
            ++pos_;
            sym_ = Sym::kPower;
          } else {
            sym_ = Sym::kTimes;
          }
          return;
        case '<':
          if (next == '=') {
            ++pos_;
            sym_ = Sym::kLe;
          } else if (next == '>') {
            ++pos_;
            sym_ = Sym::kNe;
          } else {
            sym_ = Sym::kLt;
          }
          return;
        case '>':
          if (next == '=') {
            ++pos_;
            sym_ = Sym::kGe;
          } else {
            sym_ = Sym::kGt;
          }
          return;
        default:
          // The character is skipped and the previous symbol stays current. Returning
          // keeps every parser loop bounded: each call of Next() either moves forward
          // or yields the end symbol.
          Fail(kIllegalCharacter, std::string_view(&text_[start], 1));
          return;
      }
    }
  }

  void ScanNumber(std::string_view digits) {
    sym_ = Sym::kNumber;
    if (FastNumber(digits, number_)) return;
    double v = 0;
    const char* end = digits.data() + digits.size();
    auto [ptr, ec] = std::from_chars(digits.data(), end, v, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range && ptr == end) {
      // Too small to hold is zero; too big is not a number we can use.
      const bool anyIntegerDigit =
          digits.substr(0, digits.find('.')).find_first_not_of('0') != std::string_view::npos;
      if (!anyIntegerDigit) {
        number_ = 0;
        return;
      }
    }
    if (ec != std::errc() || ptr != end) {
      Fail(kNumberFormat, digits);
      number_ = 0;
      return;
    }
    number_ = v;
  }

  void ScanName(std::string_view name) {
    if (const Word* w = FindWord(name)) {
      sym_ = w->sym;
      var_ = w->var;
      return;
    }
    sym_ = Sym::kUndefined;
    Fail(kUndefinedName, name);
  }

  // ---- grammar ------------------------------------------------------------------------

  // expression = "if" expression "then" expression "else" expression | logical
  Value Expression() {
    if (depth_ >= kMaxNesting) {
      Fail(kTooDeep);
      pos_ = text_.size();
      sym_ = Sym::kEnd;
      return {};
    }
    ++depth_;
    Value result;
    if (sym_ == Sym::kIf) {
      Next();
      const Value cond = Expression();
      if (!cond.isBool) Fail(kNotBoolean);
      if (sym_ == Sym::kThen) {
        Next();
      } else {
        Fail(kThenMissing);
      }
      const Value then = Expression();
      if (sym_ == Sym::kElse) {
        Next();
      } else {
        Fail(kElseMissing);
      }
      const Value otherwise = Expression();
      if (then.isBool != otherwise.isBool) Fail(kBranchTypes);
      result = {cond.num != 0 ? then.num : otherwise.num, then.isBool};
    } else {
      result = Logical();
    }
    --depth_;
    return result;
  }

  // logical = relation { ("and" | "or") relation }, one kind of operator per chain
  Value Logical() {
    Value v = Relation();
    if (sym_ != Sym::kAnd && sym_ != Sym::kOr) return v;
    const Sym chain = sym_;
    while (sym_ == Sym::kAnd || sym_ == Sym::kOr) {
      const Sym op = sym_;
      if (op != chain) Fail(kMixedAndOr);
      if (!v.isBool) Fail(kFirstAndOr);
      Next();
      const Value w = Relation();
      if (!w.isBool) Fail(kSecondAndOr);
      const bool a = v.num != 0;
      const bool b = w.num != 0;
      v = {(op == Sym::kAnd ? (a && b) : (a || b)) ? 1.0 : 0.0, true};
    }
    return v;
  }

  // relation = sum [ relop sum ]
  Value Relation() {
    const Value left = Sum();
    const Sym op = sym_;
    if (op < Sym::kLt || op > Sym::kGe) return left;
    if (left.isBool) Fail(kRelationOperand);
    Next();
    const Value right = Sum();
    if (right.isBool) Fail(kRelationOperand);
    const double a = left.num;
    const double b = right.num;
    bool r = false;
    switch (op) {
      case Sym::kLt: r = a < b; break;
      case Sym::kLe: r = a <= b; break;
      case Sym::kNe: r = a != b; break;
      case Sym::kEq: r = a == b; break;
      case Sym::kGt: r = a > b; break;
      default: r = a >= b; break;
    }
    return {r ? 1.0 : 0.0, true};
  }

  // sum = [ "+" | "-" ] term { ("+" | "-") term }
  Value Sum() {
    Sym sign = Sym::kNone;
    if (sym_ == Sym::kPlus || sym_ == Sym::kMinus) {
      sign = sym_;
      Next();
    }
    Value v = Term();
    if (sign == Sym::kNone && sym_ != Sym::kPlus && sym_ != Sym::kMinus) return v;
    if (v.isBool) Fail(kFirstAddend);
    double sum = sign == Sym::kMinus ? -v.num : v.num;
    while (sym_ == Sym::kPlus || sym_ == Sym::kMinus) {
      const Sym op = sym_;
      Next();
      const Value w = Term();
      if (w.isBool) Fail(kAddend);
      sum = Checked(op == Sym::kPlus ? sum + w.num : sum - w.num);
    }
    return {sum, false};
  }

  // term = factor { ("*" | "/") factor }
  Value Term() {
    Value v = Factor();
    while (sym_ == Sym::kTimes || sym_ == Sym::kDivide) {
      const Sym op = sym_;
      if (v.isBool) Fail(kFactor);
      Next();
      const Value w = Factor();
      if (w.isBool) Fail(kFactor);
      if (op == Sym::kTimes) {
        v = {Checked(v.num * w.num), false};
      } else if (w.num == 0) {
        FailArithmetic(kDivisionByZero);
        v = {0, false};
      } else {
        v = {Checked(v.num / w.num), false};
      }
    }
    return v;
  }

  // factor = primary [ ("**" | "exp") primary ]
  Value Factor() {
    const Value base = Primary();
    if (sym_ != Sym::kPower) return base;
    if (base.isBool) Fail(kBooleanPower);
    Next();
    const Value exponent = Primary();
    if (exponent.isBool) Fail(kExponent);
    const double b = base.num;
    const double e = exponent.num;
    if (b == 0 && e < 0) {
      FailArithmetic(kDivisionByZero);
      return {0, false};
    }
    if (b < 0 && std::isfinite(e) && e != std::trunc(e)) {
      FailArithmetic(kNegativePower);
      return {0, false};
    }
    return {Checked(std::pow(b, e)), false};
  }

  // The "(" expression ")" part of ln, sqrt and not.
  Value Argument() {
    if (sym_ == Sym::kLParen) {
      Next();
    } else {
      Fail(kStartParen);
    }
    return Expression();
  }

  // Checks the closing parenthesis without consuming it, so that an error found in the
  // argument afterwards points just behind it.
  bool AtEndParen() {
    if (sym_ == Sym::kRParen) return true;
    Fail(kEndParen);
    return false;
  }

  void SkipEndParen() {
    if (sym_ == Sym::kRParen) Next();
  }

  Value Primary() {
    switch (sym_) {
      case Sym::kNumber: {
        const double v = number_;
        Next();
        return {v, false};
      }
      case Sym::kVariable: {
        const Value v = Variable(var_);
        Next();
        return v;
      }
      case Sym::kTrue:
      case Sym::kFalse: {
        const Value v{sym_ == Sym::kTrue ? 1.0 : 0.0, true};
        Next();
        return v;
      }
      case Sym::kLParen: {
        Next();
        const Value v = Expression();
        if (AtEndParen()) Next();
        return v;
      }
      case Sym::kLn: {
        Next();
        const Value arg = Argument();
        AtEndParen();
        double r = 0;
        if (arg.isBool) {
          Fail(kLnArgument);
        } else if (arg.num < 0) {
          Fail(kLnNegative);
        } else if (arg.num == 0) {
          FailArithmetic(kLnZero);
        } else {
          r = Checked(std::log(arg.num));
        }
        SkipEndParen();
        return {r, false};
      }
      case Sym::kSqrt: {
        Next();
        const Value arg = Argument();
        AtEndParen();
        double r = 0;
        if (arg.isBool) {
          Fail(kSqrtArgument);
        } else if (arg.num < 0) {
          Fail(kSqrtNegative);
        } else {
          r = Checked(std::sqrt(arg.num));
        }
        SkipEndParen();
        return {r, false};
      }
      case Sym::kNot: {
        Next();
        const Value arg = Argument();
        AtEndParen();
        if (!arg.isBool) Fail(kNotArgument);
        SkipEndParen();
        return {arg.num != 0 ? 0.0 : 1.0, true};
      }
      default:
        Fail(kOperandMissing);  // the symbol stays for the caller
        return {};
    }
  }

  Value Variable(Var var) {
    const FormulaSubject& s = subject_;
    switch (var) {
      case Var::kBw: return {s.BodyWeight()};
      case Var::kMop: return {double(s.PregnancyMonth())};
      case Var::kMol: return {double(s.LactationMonth())};
      case Var::kMoage: {
        const int age = s.AgeMonths();
        return {age == 0 ? 1.0 : double(age)};
      }
      case Var::kAdg: return {s.ExpectedDailyGain()};
      case Var::kTi: return {double(s.TrainingIntensity())};
      case Var::kLight: return {0};
      case Var::kModerate: return {1};
      case Var::kHard: return {2};
      case Var::kIntense: return {3};
      case Var::kYhtrained: return {s.YoungHorseTrained() ? 1.0 : 0.0, true};
      case Var::kMilk: return {s.MilkProduction()};
      case Var::kSweat: return {s.SweatLoss()};
      case Var::kFetus:
        return {Checked(Fetus(s.PregnancyMonth(), s.BodyWeight(), nutrientNo_))};
      case Var::kMaintlevel: return {double(s.MaintenanceLevel())};
      case Var::kMin: return {0};
      case Var::kAverage: return {1};
      case Var::kElevated: return {2};
      case Var::kEr: return {s.Requirement(0)};
      case Var::kCp: return {s.Requirement(1)};
      case Var::kEuro: return {s.Requirement(nutrientNo_)};
      case Var::kE: return {2.7182818};
    }
    return {};
  }

  const std::string_view text_;
  const int nutrientNo_;
  const FormulaSubject& subject_;
  UttrykkResultat& result_;

  size_t pos_ = 0;  // 0-based index of the next character
  Sym sym_ = Sym::kNone;
  Var var_ = Var::kBw;
  double number_ = 0;
  int depth_ = 0;
};

}  // namespace

UttrykkResultat TUttrykk::Evaluer(const FormulaSubject& subject, bool silent,
                                  Messages* messages) const {
  UttrykkResultat result;
  Parser(tekst_, nutrientNo_, subject, result).Run();
  if (!result.ok && !silent && messages != nullptr) messages->Error(result.message);
  return result;
}

}  // namespace stallora
