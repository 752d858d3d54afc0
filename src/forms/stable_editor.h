#pragma once
// The stable window's state and rules, without drawing: one operation per user action on
// the window of one stable. Each operation changes the stable (or the window's state),
// recomputes what the window shows once (`View()`), and tells the listener once which
// parts changed. Questions are not asked here: an operation that needs the user's answer
// comes in two halves, the question's text and the operation after a yes.
//
// Texts are Windows-1252; a line break inside a message is "\r".

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/editor.h"
#include "forms/stable_trees.h"
#include "stable/adresser.h"
#include "stable/workspace.h"

namespace stallora {

enum class StablePage { Information, Horses, Diary, Feeding, Treatments };

// What an operation changed (bits of the listener's argument).
namespace stablechange {
inline constexpr unsigned kCaption = 1u << 0;         // window caption, menu caption, name field
inline constexpr unsigned kHorses = 1u << 1;          // horse list, its selection, the pages shown
inline constexpr unsigned kMeals = 1u << 2;           // number of feedings and the time table
inline constexpr unsigned kOwner = 1u << 3;           // owner field and its list
inline constexpr unsigned kFeedList = 1u << 4;        // feed list group and its drop-down
inline constexpr unsigned kSummary = 1u << 5;         // treatment summary group
inline constexpr unsigned kReport = 1u << 6;          // a report page has a new file to show
inline constexpr unsigned kReportsTree = 1u << 7;     // saved reports tree built anew, and its button
inline constexpr unsigned kTreatmentTree = 1u << 8;   // treatment tree and its label
inline constexpr unsigned kModel = 1u << 9;           // model-stable box and the window's icon
inline constexpr unsigned kNotes = 1u << 10;          // the notes were replaced
inline constexpr unsigned kFeeding = 1u << 11;        // feeding page caption and buttons
inline constexpr unsigned kPage = 1u << 12;           // the page to show changed
inline constexpr unsigned kTree = 1u << 13;           // the main window's tree (names, icons)
inline constexpr unsigned kReportsButton = 1u << 14;  // only the reports tree's selection and button
inline constexpr unsigned kAll = (1u << 15) - 1;
}  // namespace stablechange

// What the window shows, recomputed once per operation.
struct StableView {
  std::string caption;      // window caption: the stable's name
  std::string menuCaption;  // `miStable`
  std::string name;         // `eStallNavn`
  std::string owner;        // `cbStallEier`
  std::vector<std::string> ownerChoices;
  bool modelStable = false;

  bool hasHorses = false;  // pages "Heste i stalden", feeding, reports and the horse list
  std::vector<std::string> horseNames;
  int selectedHorse = -1;
  bool deleteHorseEnabled = false;

  int mealCount = 0;
  std::vector<std::string> mealTimes;  // "hh:mm" per feeding, empty for no time
  bool mealTableVisible = false;

  std::string feedListCaption;
  std::vector<std::string> feedListChoices;  // the drop-down, shown when not empty

  std::string treatmentsUntil;  // `lblTreatmentsUntil`
  TreatmentSummary summary;
  bool summaryVisible = false;

  StablePage page = StablePage::Information;
  int feedingReport = 1;  // 1, 2 or 3
  std::string feedingCaption;
  bool mealChartVisible = false;  // "Fodringsliste" needs feedings

  std::string treatmentLabel;  // `lblTreatmentsUntil_tsTreatments`
  int treeMode = 0;
  StableTreeNode treatmentTree;
  std::optional<ReportsTreeNode> reportsTree;
  std::optional<ReportsSelection> reportsSelection;
  ReportsDeleteButton reportsButton;

  // The report files to show per page: kinds 0 (horses), the feeding report, 4.
  std::filesystem::path horsesReport;
  std::filesystem::path feedingReportFile;
  std::filesystem::path treatmentReport;
};

// A message for the user and what the window does with it.
struct StableOutcome {
  bool ok = true;
  std::string message;  // shown when not empty (an error when !ok)
  bool keepFocus = false;
  static StableOutcome Done(std::string info = {}) { return {true, std::move(info), false}; }
  static StableOutcome Refused(std::string why, bool focus = true) { return {false, std::move(why), focus}; }
};

// A command that asks first: `refusal` when it cannot start, else `question`.
struct StableQuestion {
  std::string refusal;
  std::string question;
  std::string subject;  // the horse's name, the file, ...
};

struct StoreDialog {
  std::string title;
  std::filesystem::path proposed;
  std::string filter;
};

struct ImportDialog {
  std::filesystem::path directory;
  std::string title;
  std::string filter;
};

struct ImportResult {
  enum Kind { Imported, NotAHorseFile, Failed } kind = Imported;
  std::string message;  // the failure, the retry question, or the rename notice
};

struct LeaveMealsResult {
  std::string message;       // shown when not empty
  bool closeWindow = false;  // a horse window of the stable is open
};

// Every operation ends in one commit: the view recomputed once and the listeners told once
// with the stablechange bits (Editor's Recomputes() and Notifications() count them).
class StableEditor : public Editor {
 public:
  StableEditor(TStall& stable, Workspace& workspace);

  TStall& Stable() const { return stable_; }
  const StableView& View() const { return view_; }

  // ---- opening, activation, pages
  void Open();
  void Activate();
  // Fails only when the page's report file cannot be written (the message says why).
  StableOutcome ShowPage(StablePage page);
  // The feeding page's report buttons: 1, 2 or 3.
  StableOutcome ShowFeedingReport(int kind);

  // ---- horses
  void SelectHorse(int row);
  std::string SelectedHorseName() const;
  // Adds the new horse; the window opens its window.
  THest& NewHorse();
  StableQuestion AskDeleteHorse() const;
  // After the question: deletes the horse (its window closed first by the caller).
  StableOutcome DeleteHorse(const std::string& name);
  void DeclineDeleteHorse();

  // ---- name, owner, model stable
  StableOutcome LeaveName(const std::string& text);
  StableOutcome LeaveOwner(const std::string& text);
  // The contact the contacts window opens for the owner: the contact of that name of any
  // type, or a new one of that name and type 2. Nothing without a name.
  std::optional<TAdrRec> OwnerContact(const std::string& text) const;
  void SetModelStable(bool on);

  // ---- feeding times
  StableOutcome SetMealCount(int count);
  // Row 1 .. count; the text "hh:mm".
  StableOutcome SetMealTime(int row, const std::string& text);
  // Enter in a time cell: the next row, from the last to the first.
  int NextMealRow(int row) const;
  LeaveMealsResult LeaveMealTable(bool horseWindowOpen);
  bool MealsChanged() const { return mealsChanged_; }

  // ---- treatment summary and trees
  // A double click on a summary line: its message (when any) and the treatment page.
  std::optional<SummaryJump> ActivateSummaryLine(int line);
  void SelectReportsNode(std::optional<ReportsSelection> selection);
  StableOutcome DeleteSelectedReports();
  // The file a report node opens, and the window's caption (S\stable\horse\file).
  std::optional<std::pair<std::filesystem::path, std::string>> ReportToOpen(const ReportsSelection& s) const;

  // ---- outputs of the report pages (kind 0, the feeding report, or 4)
  int OutputKind(StablePage page) const;
  std::string OutputHtml(int kind);  // built afresh, national letters escaped
  StoreDialog StoreDialogFor(int kind) const;
  // The chosen name with ".htm" appended when needed, and the overwrite question when the
  // file exists (empty when it does not).
  std::pair<std::filesystem::path, std::string> StoreTarget(const std::filesystem::path& chosen) const;
  StableOutcome Store(int kind, const std::filesystem::path& target);
  // The page's report file as last written (written when missing), to mail.
  std::vector<std::filesystem::path> MailAttachments(int kind);

  // ---- import and export of horses
  ImportDialog ImportDialogFor() const;
  ImportResult ImportHorse(const std::filesystem::path& file);
  StableQuestion AskExportHorse() const;
  // The file the export writes and the question when it is there already.
  std::pair<std::filesystem::path, std::string> ExportTarget(const std::filesystem::path& dir) const;
  StableOutcome ExportHorse(const std::filesystem::path& dir);
  // The horse file the mail window gets after an export.
  std::filesystem::path SelectedHorseFile() const;

  // ---- stable feed list
  void DeleteAllFeeds();
  StableOutcome OfferFeedLists();
  void ChooseFeedList(const std::string& name);
  void HideFeedListChoices();
  // Another window rebuilt the stable's feed list (the generate dialog): its caption anew.
  void FeedListRebuilt();

  // ---- help
  std::string HelpAddress() const;
  std::string ModelStableHelpAddress() const;

  // ---- notes, saving, closing
  // Controls to record before a save or a close: the owner as typed (an empty owner is
  // refused only when the field is left), the notes as the rich-text editor saved them.
  void TakeOwnerText(const std::string& text);
  void SetNotes(std::string bytes);
  StableOutcome Save();
  // The question before closing, or nothing when the stable is unchanged.
  std::optional<std::string> CloseQuestion() const;
  // "No": the stable as its file has it (name, owner, feedings, model flag, notes); its
  // state at opening when it has no file yet.
  StableOutcome RestoreFromFile();
  bool Changed() const;
  void StoreSignature();
  std::string DeleteStableQuestion() const;

 private:
  struct Snapshot {
    std::string name, owner, notes;
    int32_t meals = 0;
    StringList times;
    bool model = false;
    int horses = 0;
    bool operator==(const Snapshot&) const = default;
  };
  Snapshot Take() const;
  // The end of every operation: what changed goes into the view's next recompute.
  void Commit(unsigned changes);
  void Recompute() override;
  void RecomputeView(unsigned changes);
  std::filesystem::path WriteReport(int kind, std::string* error);
  void RebuildTreatmentPage(int mode, int type, const std::string& label);
  DayNumber Until() const;
  const Regional& Reg() const;

  TStall& stable_;
  Workspace& workspace_;
  AppContext& app_;
  StableView view_;
  Snapshot stored_;
  std::string storedName_;
  bool mealsChanged_ = false;
  bool feedListNamed_ = false;
  unsigned pendingView_ = 0;
  std::string renamedMenuCaption_;
};

// A typed time of day ("8:00", "08:00", "08.00") as seconds after midnight; nothing for
// anything else ("25:70", "abc").
std::optional<int> ParseMealTime(std::string_view text);

}  // namespace stallora
