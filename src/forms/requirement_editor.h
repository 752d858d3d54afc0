#pragma once
// The requirement-expression editor's rules and state apart from drawing: the requirement list
// one object at a time, its six formulas, testing one formula or all of them against a horse
// of the workspace, and saving the list to its file.
//
// The editor edits the program's requirement list in place (the requirement computation uses
// it at once); it never asks the user anything itself: an operation that needs an answer
// returns the question, and the window calls the operation that follows the answer.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/texts.h"
#include "forms/editor.h"

namespace stallora {

struct CountrySettings;
class Record;
class TBehovsListe;
class THest;
class Workspace;
struct Regional;

inline constexpr Text kUtNutrientNo{"uttr.nutrientno", ",  nutrient no "};
inline constexpr Text kUtSpinnerHint{"uttr.spinnerhint", "Click to select object"};
inline constexpr Text kUtCodewords{"uttr.codewords", "Codewords and available values"};
inline constexpr Text kUtSelectHorse{"uttr.selecthorse", "Select horse for testing"};
inline constexpr Text kUtTestOne{"uttr.testone", "Test one rule"};
inline constexpr Text kUtTestAll{"uttr.testall", "Test all rules"};
inline constexpr Text kUtSaveList{"uttr.savelist", "Save list"};
inline constexpr Text kUtValue{"uttr.value", "Value: "};
inline constexpr Text kUtProofread{"uttr.proofread", "Syntax error, proofread rule!"};
inline constexpr Text kUtSyntaxError{"uttr.syntaxerror", " - Syntax error!"};
inline constexpr Text kUtNoErrors{"uttr.noerrors", "Syntax errors not detected"};
inline constexpr Text kUtNoHorse{"uttr.nohorse", "No horse in the workspace: the rules are checked for a 500 kg horse"};
inline constexpr Text kUtTooLong{"uttr.toolong", "A rule can have at most 254 characters; the rule is not changed"};
inline constexpr Text kUtErrorsBeforeSave{"uttr.errorsbeforesave", "These rules have errors:"};
inline constexpr Text kUtSaveAnyway{"uttr.saveanyway", "Save the list anyway?"};
inline constexpr Text kUtSaved{"uttr.saved", "The list is saved in"};
inline constexpr Text kUtCategory{"uttr.category", "Category"};
inline constexpr Text kUtRule{"uttr.rule", "Rule"};
inline constexpr int kUtMaxFormula = 254;
inline constexpr int kUtRows = 6;

enum RequirementChange : unsigned {
  kUtObject = 1u << 0,    // the current object: caption, label, table, the drop-down's choice
  kUtFormula = 1u << 1,   // a formula of the current object
  kUtResult = 1u << 2,    // the single test's result
  kUtMessages = 1u << 3,  // the results of "Test all rules"
  kUtHorses = 1u << 4,    // the horse drop-down and the test horse
  kUtAll = (1u << 5) - 1,
};

// The outcome of "Test one rule".
struct RuleTest {
  bool ok = false;
  std::string result;   // what the result field shows
  std::string message;  // on a failure: the evaluator's full message (text, position, formula)
};

class RequirementEditor : public Editor {
 public:
  RequirementEditor(TBehovsListe& list, const CountrySettings& settings, const Regional& regional,
                    const Workspace* workspace, std::filesystem::path file);


  // Showing the window: object 0, no messages, the horses refilled, the first the test horse.
  void Show();

  std::string Caption() const;
  std::string ObjectLabel() const;
  std::vector<std::string> NutrientNames() const;
  int Current() const { return current_; }
  int Count() const;
  void SelectObject(int index);
  void Previous();  // the spinner's up button
  void Next();      // its down button

  // Row r of the table: the category name and the current object's formula r.
  std::string CategoryName(int row) const;
  std::string Formula(int row) const;
  // An edit of row r ended: the text replaces formula r of the current object.
  std::optional<std::string> SetFormula(int row, const std::string& text);

  const std::vector<std::string>& HorseEntries() const { return horseEntries_; }
  int SelectedHorse() const { return selectedHorse_; }
  const THest* TestHorse() const { return testHorse_; }
  void ChooseHorse(int entry);
  // A record of the workspace is about to go: a test horse (or its stable) lets go of it.
  void RecordGoing(const Record& record);

  RuleTest TestOne(int row);
  const std::string& Result() const { return result_; }
  void TestAll();
  const std::vector<std::string>& Messages() const { return messages_; }
  // The full message behind a line of Messages (empty for the summary line).
  std::string MessageDetail(int line) const;
  // A double-click on a message line: the object named before its first ":".
  void MessageChosen(int line);

  // The rules with syntax errors and the question before saving them; nothing when all read.
  std::optional<std::string> SaveQuestion() const;
  // Writes the list to its file; the error (naming the file) when it cannot.
  std::optional<std::string> Save();
  bool Modified() const { return modified_; }

  // The fixed help lines of the code word list.
  static const std::vector<std::string>& HelpLines();

 private:
  struct Failure {
    int object = 0;
    int row = 0;
    bool arithmetic = false;
    std::string message;
  };
  // Nothing to recompute: the window edits the program's settings, which every record
  // reads when it is next computed.
  void Recompute() override {}
  void Notify(unsigned flags) { Commit(flags, false); }
  void FillHorses();
  std::vector<Failure> Failures(bool syntaxOnly) const;
  std::string FailureLine(const Failure& f) const;

  TBehovsListe& list_;
  const CountrySettings& settings_;
  const Regional& regional_;
  const Workspace* workspace_;
  std::filesystem::path file_;
  int current_ = 0;
  std::vector<std::string> horseEntries_;
  int selectedHorse_ = -1;
  const THest* testHorse_ = nullptr;
  std::string result_;
  std::vector<std::string> messages_;
  std::vector<std::string> details_;
  bool modified_ = false;
};

}  // namespace stallora
