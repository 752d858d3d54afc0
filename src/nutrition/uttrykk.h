#pragma once
// The small language in which requirement formulas are written, e.g.
//
//   if maintlevel = min then bw*0.0303 else if maintlevel=average then bw*0.0333 else bw*0.0363
//
// A formula is evaluated for one animal at a time. The evaluator parses and evaluates in
// one left-to-right pass by recursive descent: there is no syntax tree and nothing is
// cached, so every evaluation reads the text again. The scanner works on the stored text
// in place (names are views into it, numbers are converted with std::from_chars), so an
// evaluation allocates nothing unless it has an error to report.
//
// Values are numbers (double) or truth values. Keywords and names are lower case and
// case-sensitive; the names a formula may use are the animal's data listed on
// FormulaSubject plus the constants "light", "moderate", "hard", "intense" (0..3),
// "min", "average", "elevated" (0..2) and "e".

#include <string>
#include <string_view>

namespace stallora {

class Messages;

// What a requirement formula can ask about the animal it is evaluated for. The horse
// record implements it; tests use small fakes.
class FormulaSubject {
 public:
  virtual ~FormulaSubject() = default;
  virtual double BodyWeight() const = 0;         // "bw", kg (AktuellVekt)
  virtual int PregnancyMonth() const = 0;        // "mop" (DrektighetsMnd)
  virtual int LactationMonth() const = 0;        // "mol" (LaktasjonsMnd)
  // Raw age in whole months (AlderMnd). "moage" is this value, except that 0 reads as 1.
  virtual int AgeMonths() const = 0;
  virtual double ExpectedDailyGain() const = 0;  // "adg", kg/day; 0 unless a young horse
  // "ti": ArbeidsIntensitet ordinal (Lett 0 .. Intens 3, Arbudef 4), or for a young horse
  // the UngDyrTrening ordinal (0..3).
  virtual int TrainingIntensity() const = 0;
  virtual bool YoungHorseTrained() const = 0;    // "yhtrained"
  virtual double MilkProduction() const = 0;     // "milk", kg/day (see MilkFactor)
  virtual double SweatLoss() const = 0;          // "sweat", kg/day (see SweatFactorFor...)
  virtual int MaintenanceLevel() const = 0;      // "maintlevel": 0 min, 1 average, 2 elevated
  // Behov[n] as it stands while the formulas run: "er" asks for 0, "cp" for 1, "euro" for
  // the formula's nutrient number, which is passed through unchecked — an implementation
  // must answer 0 for a number outside its nutrient table.
  virtual double Requirement(int nutrient) const = 0;
};

// Milk production per kg body weight and day, by whole days since foaling. The horse's
// "milk" is body weight × MilkFactor(days) for a lactating mare, 0 otherwise.
double MilkFactor(int daysSincePartus);

// Sweat loss per kg body weight and day. The horse's "sweat" is body weight × the factor
// of its category: SweatFactorForWork for a horse in training (by ArbeidsIntensitet:
// Lett 0, Moderat 1, Hard 2, Intens 3, Arbudef 4), SweatFactorForYoungTraining for a
// young horse (by UngDyrTrening: none 0, slight 1, medium 2, maximum 3),
// kSweatFactorBreeding for a breeding animal, 0 for the other categories. Ordinals
// outside the ranges give 0.
double SweatFactorForWork(int arbeidsIntensitet);
double SweatFactorForYoungTraining(int ungDyrTrening);
inline constexpr double kSweatFactorBreeding = 0.0025;

// The outcome of one evaluation.
struct UttrykkResultat {
  // The formula's value; meaningless when !ok. A truth value is given as 1 (true) or
  // 0 (false), with isTruthValue set.
  double value = 0;
  bool ok = false;
  bool isTruthValue = false;
  // Set when the first error was an arithmetic fault (division by zero, ln(0), overflow,
  // a power without a real result) rather than a syntax or type error.
  bool arithmeticFault = false;
  // The full text of the first error (empty when ok), exactly as it would be shown:
  // "Error: <text>, Pos = <n>\r<formula up to n>[error in preceeding symbols]".
  std::string message;
};

class TUttrykk {
 public:
  TUttrykk() = default;
  explicit TUttrykk(std::string_view text, int nutrientNo = 0) : nutrientNo_(nutrientNo) {
    SettTekst(text);
  }

  // The stored text is `text` + ";" — the terminator the grammar expects.
  void SettTekst(std::string_view text);
  const std::string& Tekst() const { return tekst_; }

  // The nutrient index of the formula; "euro" and "fetus" depend on it.
  void SetNutrientNo(int nutrientNo) { nutrientNo_ = nutrientNo; }
  int NutrientNo() const { return nutrientNo_; }

  // Parses and evaluates the text for `subject`. Evaluation goes on after an error, but
  // only the first error is kept. Unless `silent`, that error is also passed to
  // messages->Error (when messages is not null).
  UttrykkResultat Evaluer(const FormulaSubject& subject, bool silent, Messages* messages) const;

 private:
  std::string tekst_ = ";";
  int nutrientNo_ = 0;
};

}  // namespace stallora
