#include "forms/requirement_editor.h"

#include "config/country_settings.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "core/seams.h"
#include "core/textutil.h"
#include "nutrition/behovsliste.h"
#include "nutrition/hest.h"
#include "nutrition/uttrykk.h"
#include "forms/find_horse.h"
#include "stable/workspace.h"

namespace stallora {

namespace {

// The horse the rules are checked for when the workspace has none: a 500 kg warm-blood mare
// in maintenance. Syntax and types do not depend on the values (both branches of every "if"
// are read), so every rule is checked whole.
class StandardHorse final : public FormulaSubject {
 public:
  double BodyWeight() const override { return 500; }
  int PregnancyMonth() const override { return 0; }
  int LactationMonth() const override { return 0; }
  int AgeMonths() const override { return 120; }
  double ExpectedDailyGain() const override { return 0; }
  int TrainingIntensity() const override { return 4; }
  bool YoungHorseTrained() const override { return false; }
  double MilkProduction() const override { return 0; }
  double SweatLoss() const override { return 0; }
  int MaintenanceLevel() const override { return 1; }
  double Requirement(int) const override { return 0; }
};

const StandardHorse kStandardHorse;

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\r')); }

}  // namespace

RequirementEditor::RequirementEditor(TBehovsListe& list, const CountrySettings& settings, const Regional& regional,
                                     const Workspace* workspace, std::filesystem::path file)
    : list_(list), settings_(settings), regional_(regional), workspace_(workspace), file_(std::move(file)) {}

const std::vector<std::string>& RequirementEditor::HelpLines() {
  static const std::vector<std::string> lines = {
      "+ -  * /   **          Math operators",
      "<=> ",
      "and or not          Boolean operators",
      "e, pi                   Constants",
      "ln, exp, sqrt        Functions",
      "",
      "bw             Body weight, kg",
      "mop           Month of pregnancy",
      "mol            Month of lactation",
      "moage       Month of age",
      "adg            Average daily gain (young horse)",
      "ti                Training intensity. Values = light moderate hard intense",
      "yhtrained    Boolean value, tells if young horse is trained (if yhtrained then...)",
      "milk            Milk production, l/day",
      "sweat         Sweat production, l/day",
      "maintlevel   Maintenance activity level. Values = min average elevated ",
      "fetus           Fetal demands according to NRC2007  ",
      "er               Energy requirement",
      "cp              Crude protein requirement",
      "yhtrained    Young horse is trained",
      "euro            Requirement to be calculated according to european rules"};
  return lines;
}

void RequirementEditor::Show() {
  current_ = 0;
  messages_.clear();
  details_.clear();
  result_.clear();
  FillHorses();
  Notify(kUtAll);
}

void RequirementEditor::FillHorses() {
  horseEntries_ = workspace_ ? FindHorseEntries(*workspace_) : std::vector<std::string>();
  selectedHorse_ = horseEntries_.empty() ? -1 : 0;
  testHorse_ = horseEntries_.empty() ? nullptr : FindHorseOfEntry(*workspace_, horseEntries_.front());
}

std::string RequirementEditor::Caption() const { return list_.BehovslisteNavn; }

int RequirementEditor::Count() const { return list_.Antall(); }

std::string RequirementEditor::ObjectLabel() const {
  const TBehovsobj* o = list_.Element(current_);
  if (!o) return {};
  return o->GlobalNutrientName + Tr(kUtNutrientNo) + std::to_string(o->NutrientNo) + " " + "  (" +
         std::to_string(current_) + "/" + std::to_string(list_.Antall()) + ")";
}

std::vector<std::string> RequirementEditor::NutrientNames() const { return list_.Navneliste(); }

void RequirementEditor::SelectObject(int index) {
  if (index < 0 || index >= list_.Antall() || index == current_) return;
  current_ = index;
  Notify(kUtObject);
}

void RequirementEditor::Previous() { SelectObject(current_ - 1); }
void RequirementEditor::Next() { SelectObject(current_ + 1); }

std::string RequirementEditor::CategoryName(int row) const { return CountrySettings::NameAt(settings_.categoryNames, row); }

std::string RequirementEditor::Formula(int row) const {
  const TBehovsobj* o = list_.Element(current_);
  if (!o || row < 0 || row >= static_cast<int>(o->Behovsstrenger.size())) return {};
  return o->Behovsstrenger[static_cast<size_t>(row)];
}

std::optional<std::string> RequirementEditor::SetFormula(int row, const std::string& text) {
  TBehovsobj* o = list_.Element(current_);
  if (!o || row < 0 || row >= kUtRows) return std::nullopt;
  if (text.size() > static_cast<size_t>(kUtMaxFormula)) return Tr(kUtTooLong);
  // A list read with fewer lines than categories gets the missing ones, empty.
  if (o->Behovsstrenger.size() <= static_cast<size_t>(row)) o->Behovsstrenger.resize(static_cast<size_t>(row) + 1);
  std::string& line = o->Behovsstrenger[static_cast<size_t>(row)];
  if (line == text) return std::nullopt;
  line = text;
  modified_ = true;
  Notify(kUtFormula);
  return std::nullopt;
}

void RequirementEditor::ChooseHorse(int entry) {
  if (entry < 0 || entry >= static_cast<int>(horseEntries_.size()) || !workspace_) return;
  selectedHorse_ = entry;
  testHorse_ = FindHorseOfEntry(*workspace_, horseEntries_[static_cast<size_t>(entry)]);
  Notify(kUtHorses);
}

void RequirementEditor::RecordGoing(const Record& record) {
  const auto* horse = dynamic_cast<const THest*>(&record);
  const auto* stable = dynamic_cast<const TStall*>(&record);
  if (!workspace_ || (!horse && !stable)) return;
  // The records are still listed while they go; they are no longer offered.
  auto going = [&](const THest* h) { return h && (h == horse || (stable && h->stable == stable)); };
  std::vector<std::string> entries;
  for (const std::string& e : horseEntries_)
    if (!going(FindHorseOfEntry(*workspace_, e))) entries.push_back(e);
  if (going(testHorse_)) testHorse_ = nullptr;
  horseEntries_ = std::move(entries);
  selectedHorse_ = -1;
  for (size_t i = 0; testHorse_ && i < horseEntries_.size(); ++i)
    if (FindHorseOfEntry(*workspace_, horseEntries_[i]) == testHorse_) selectedHorse_ = static_cast<int>(i);
  Notify(kUtHorses);
}

RuleTest RequirementEditor::TestOne(int row) {
  RuleTest test;
  const TBehovsobj* o = list_.Element(current_);
  if (o && row >= 0 && row < kUtRows) {
    const TUttrykk expression(Formula(row), o->NutrientNo);
    const FormulaSubject& subject = testHorse_ ? static_cast<const FormulaSubject&>(*testHorse_) : kStandardHorse;
    const UttrykkResultat r = expression.Evaluer(subject, true, nullptr);
    test.ok = r.ok;
    if (!r.ok) {
      test.message = r.message;
      test.result = r.arithmeticFault ? FirstLine(r.message) : Tr(kUtProofread);
    } else if (r.isTruthValue) {
      test.result = Tr(kUtValue) + (r.value != 0 ? "true" : "false");
    } else {
      test.result = Tr(kUtValue) + FormatFixed(8, 3, r.value, regional_.decimalSeparator);
    }
  }
  result_ = test.result;
  Notify(kUtResult);
  return test;
}

std::vector<RequirementEditor::Failure> RequirementEditor::Failures(bool syntaxOnly) const {
  std::vector<Failure> failures;
  const FormulaSubject& subject = testHorse_ ? static_cast<const FormulaSubject&>(*testHorse_) : kStandardHorse;
  for (int i = 0; i < list_.Antall(); ++i) {
    const TBehovsobj& o = *list_.Element(i);
    for (int row = 0; row < kUtRows; ++row) {
      const std::string text = row < static_cast<int>(o.Behovsstrenger.size()) ? o.Behovsstrenger[static_cast<size_t>(row)] : "";
      const UttrykkResultat r = TUttrykk(text, o.NutrientNo).Evaluer(subject, true, nullptr);
      if (r.ok || (syntaxOnly && r.arithmeticFault)) continue;
      failures.push_back({i, row, r.arithmeticFault, r.message});
    }
  }
  return failures;
}

std::string RequirementEditor::FailureLine(const Failure& f) const {
  const std::string name = list_.Element(f.object)->GlobalNutrientName + ": " + CategoryName(f.row);
  // An arithmetic fault (a division by zero for this horse) is not a syntax error: its own
  // text says what it is.
  if (f.arithmetic) {
    const std::string first = FirstLine(f.message);
    return name + " - " + first.substr(0, first.find(", Pos ="));
  }
  return name + Tr(kUtSyntaxError);
}

void RequirementEditor::TestAll() {
  messages_.clear();
  details_.clear();
  for (const Failure& f : Failures(false)) {
    messages_.push_back(FailureLine(f));
    details_.push_back(f.message);
  }
  if (messages_.empty()) {
    messages_.push_back(Tr(kUtNoErrors));
    details_.emplace_back();
  }
  Notify(kUtMessages);
}

std::string RequirementEditor::MessageDetail(int line) const {
  return line >= 0 && line < static_cast<int>(details_.size()) ? details_[static_cast<size_t>(line)] : std::string();
}

void RequirementEditor::MessageChosen(int line) {
  if (line < 0 || line >= static_cast<int>(messages_.size())) return;
  const std::string& text = messages_[static_cast<size_t>(line)];
  const size_t colon = text.find(':');
  if (colon == std::string::npos) return;
  const std::string name = text.substr(0, colon);
  for (int i = 0; i < list_.Antall(); ++i)
    if (list_.Element(i)->GlobalNutrientName == name) return SelectObject(i);
}

std::optional<std::string> RequirementEditor::SaveQuestion() const {
  const std::vector<Failure> failures = Failures(true);
  if (failures.empty()) return std::nullopt;
  std::string text = Tr(kUtErrorsBeforeSave);
  for (const Failure& f : failures) text += "\r\r" + FailureLine(f) + "\r" + f.message;
  return text + "\r\r" + Tr(kUtSaveAnyway);
}

std::optional<std::string> RequirementEditor::Save() {
  try {
    list_.writeToFile(file_);
  } catch (const ObjTextError& e) {
    return std::string(e.what());
  }
  modified_ = false;
  return std::nullopt;
}

}  // namespace stallora
