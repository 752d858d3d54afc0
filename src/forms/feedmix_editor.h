#pragma once
// The feed-mix calculator's state and rules, without Qt: the mix being composed (a feed
// list with ForBlanding set), the feed lists of the workspace it draws from and saves into,
// the source tree, the page shown, the amount spinner's step, the mix category, and the
// three ways to keep the result (a feed in a list, the recipe itself, a trial on a horse).
//
// The mix is the workspace's (a stored mix) or the editor's own (a new one) until it is
// saved as a recipe, when the workspace takes it. Questions and messages go through the
// Messages seam. Every user action is one operation ending in one commit. Texts are
// Windows-1252.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/seams.h"
#include "feeds/mix_sources.h"
#include "forms/editor.h"
#include "stable/workspace.h"

namespace stallora {

enum FeedMixChange : ChangeFlags {
  kMixFeeds = 1u << 0,      // feeds came or went: the list box, the grid's rows, the tree's marks
  kMixAmounts = 1u << 1,    // kg or prices: the grid's cells, the total, the price label, the analysis
  kMixSource = 1u << 2,     // the source list and its tree
  kMixCategory = 1u << 3,   // the mix category choice
  kMixPages = 1u << 4,      // the page shown, which pages may be, the source tree box
  kMixName = 1u << 5,       // the mix's name: the caption and the recipe field
  kMixStep = 1u << 6,       // the spinner's step
  kMixLists = 1u << 7,      // the workspace's feed lists and horses (the drop-downs)
  kMixWorkspace = 1u << 8,  // the workspace changed (a list saved or added): the main tree follows
  kMixAll = (1u << 9) - 1,
};

enum class MixPage : uint8_t { Selection, Mixing, Saving };

struct MixVisibility {
  bool sourceTree = true;     // the source tree box (while the mix is empty, or on request)
  bool chooseButton = false;  // "Vælg foder" (when the mix has feeds)
  bool mixingPage = false;    // the mix has feeds
  bool savingPage = false;    // the mix has feeds and a total above 0
  bool horseBox = false;      // the workspace has horses
};

// How a save ended. kCancelled: the user said no (a message may have been shown);
// kRefused: the input cannot be used (the message shown); kFailed: the file could not be
// written (the message names it; the old file is as it was).
enum class MixSaveResult : uint8_t { kSaved, kCancelled, kRefused, kFailed };

class FeedMixEditor : public Editor {
 public:
  // A stored mix of the workspace.
  FeedMixEditor(TForListe& mix, Workspace& workspace, Messages& ask);
  // A new mix the editor keeps until it is saved as a recipe.
  FeedMixEditor(std::unique_ptr<TForListe> mix, Workspace& workspace, Messages& ask);
  ~FeedMixEditor() override;
  FeedMixEditor(const FeedMixEditor&) = delete;
  FeedMixEditor& operator=(const FeedMixEditor&) = delete;

  TForListe& Mix() const { return *mix_; }
  // Whether the mix is still the editor's own (not in the workspace).
  bool OwnsMix() const { return owned_ != nullptr; }
  std::string Caption() const { return mix_->ForlisteNavn; }

  // The window is shown: drop-downs filled, the source chosen (the list a "Mix_" mix was
  // made from, else the first), the category from the mix, the opening page.
  void Open();

  // ---- the workspace's lists (source and save target) and horses
  // Every feed list of the workspace (stand-alone, then the stables') but the mix itself.
  const std::vector<TForListe*>& Lists() const { return lists_; }
  std::vector<std::string> ListNames() const;
  // The workspace changed (lists or horses added, removed or renamed): the drop-downs anew.
  void WorkspaceChanged();
  // A record of the workspace is about to be freed: forget it.
  void RecordGoing(const Record& record);

  // ---- selection page
  int SourceIndex() const { return source_; }
  TForListe* Source() const;
  void ChooseSource(int index);
  const MixSourceTree& Tree() const { return tree_; }
  // The source feed is in the mix (by name): its node carries the mark.
  bool InMix(int sourceIndex) const;
  std::vector<std::string> MixFeedNames() const;
  std::string CountText() const;  // "2 Valgt foder"
  // Double-click on a source feed: a clone joins the mix (asking first when the mix has a
  // feed of that name; Yes replaces it). False when nothing changed.
  bool AddFromSource(int sourceIndex);
  // Double-click in the mix's list box: asks, then removes the feed.
  bool RemoveFromMix(const std::string& name);
  void ShowSourceTree();  // "Vælg foder"
  // OK of the selection page: every feed picked, the mix sorted, the mixing page.
  void ConfirmSelection();

  MixPage Page() const { return page_; }
  const MixVisibility& Visibility() const { return visibility_; }
  // The user chose a page; false (nothing changed) when it may not be shown. Entering the
  // mixing page without a category chooses the default one.
  bool ShowPage(MixPage page);

  // ---- mixing page: the grid, one row per mix feed
  int Rows() const { return mix_->Count(); }
  std::vector<std::string> Headers() const;  // name, price, %, kg
  std::string NameCell(int row) const;
  std::string PriceCell(int row) const;
  std::string PercentCell(int row) const;
  std::string KgCell(int row) const;
  // Typed kg or price in the user's format; a number below 0 or no number is refused with a
  // message naming the feed (nothing changes).
  bool SetAmountText(int row, const std::string& text);
  bool SetPriceText(int row, const std::string& text);
  bool SetAmount(int row, double kg);
  // The spinner on a row (-1: row 0): kg plus or minus the step, never below 0.
  bool Step(int row, bool up);
  static constexpr double kSteps[3] = {1.0, 0.1, 0.01};
  int StepChoice() const { return step_; }
  double StepSize() const { return kSteps[step_]; }
  void SetStepChoice(int choice);
  // The total field: a total above 0 rescales every feed; anything else is refused and
  // changes nothing (a message for text that is no number at least 0).
  std::string TotalText() const;
  bool SetTotalText(const std::string& text);
  bool SetTotal(double total);
  std::string TotalCaption() const;  // "Kg foderblanding"
  std::string PriceLabel() const;
  // The category drop-down: the names of categories 1, 3, 4; -1 for no choice.
  std::vector<std::string> CategoryNames() const;
  int CategoryChoice() const { return choice_; }
  void SetCategoryChoice(int choice);
  std::string AnalysisPage() const;
  std::string PrintPage() const;

  // ---- saving page
  std::string FeedName() const { return feedName_; }
  void SetFeedName(const std::string& name) { feedName_ = name; }
  int TargetIndex() const { return target_; }
  void ChooseTarget(int index);
  // The mix as one feed into the chosen list, asking as the program does before it replaces
  // a feed or adds one. The list is saved (through its stable when a stable owns it).
  MixSaveResult SaveAsFeed();
  // The mix itself under the name (renamed first when it differs), asking before an existing
  // file is written over; a new mix joins the workspace once its file is written.
  MixSaveResult SaveAsRecipe(const std::string& name);
  // Horses as the drop-down shows them: "name [stable]".
  std::vector<std::string> HorseEntries() const;
  THest* HorseAt(int index) const;
  // The mix as the feed a horse tries: named from the feed name field, picked. Null when
  // the mix cannot be a feed.
  std::unique_ptr<TFor> TrialFeed() const;

  // The message of the last refused or failed operation.
  const std::string& LastMessage() const { return message_; }

 protected:
  void Recompute() override;

 private:
  TFor* Row(int row) const { return mix_->FeedAt(row); }
  char Separator() const;
  void FillLists();
  void BuildTree();
  void UpdateVisibility();
  void Say(const std::string& text, bool error);
  TStall* StableOwning(const TForListe* list) const;
  bool SaveList(TForListe& list);
  bool SaveMix();

  std::unique_ptr<TForListe> owned_;
  TForListe* mix_;
  Workspace& workspace_;
  Messages& ask_;
  std::vector<TForListe*> lists_;
  std::vector<THest*> horses_;
  const Record* going_ = nullptr;  // left out of the lists while it is being freed
  int source_ = -1;
  int target_ = -1;
  MixSourceTree tree_;
  bool treeRequested_ = false;
  MixPage page_ = MixPage::Selection;
  MixVisibility visibility_;
  int step_ = 0;
  int choice_ = -1;
  std::string feedName_;
  std::string message_;
};

// The horse drop-down's entry: "name [stable]".
std::string HorseEntry(const THest& horse);

}  // namespace stallora
