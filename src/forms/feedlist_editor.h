#pragma once
// The feed list window's state and rules, without Qt: which page is shown and which pages
// may be, the feed tree with its picks, the feed being edited and its working copy, the
// new feed on its way, the price page's choice of other lists, and the compare, copy and
// order pages. Every user action is one operation; each ends in one commit that recomputes
// what the pages show (the tree, the visibility, the texts) once and tells the listener
// what changed.
//
// The editor works on a list it does not own (the workspace's, a stable's or a horse's);
// questions and messages go through the Messages seam. Texts are Windows-1252.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/seams.h"
#include "feeds/feedlist.h"
#include "forms/editor.h"
#include "stable/workspace.h"

namespace stallora {

enum class FeedListPage : uint8_t { Information, Compare, Copy, Order, Feed, NewFeed, Prices };

// What an operation changed, for the pages to refresh what they show.
enum FeedListChange : unsigned {
  kFlcInfo = 1u << 0,    // name, caption, information text, counts, energy labels
  kFlcTree = 1u << 1,    // the feed tree's shape: feeds added, removed, renamed, moved, recategorised
  kFlcPicks = 1u << 2,   // picked flags and their counts
  kFlcFeed = 1u << 3,    // the edited feed's fields
  kFlcPrices = 1u << 4,  // the price page
  kFlcPages = 1u << 5,   // the page shown and which pages may be shown
  kFlcCompare = 1u << 6,
  kFlcCopy = 1u << 7,
  kFlcOrder = 1u << 8,
  kFlcNewFeed = 1u << 9,
  kFlcAll = (1u << 10) - 1,  // every page
  kFlcWorkspace = 1u << 10,  // the workspace's lists changed (AddedLists, a rename): the main tree follows
  kFlcHorses = 1u << 11,     // horses' rations changed (ChangedHorses): their windows follow
};

// The feed tree: groups in the order met, brands in each, feeds (list indices) under them,
// with the number of picked feeds below each node.
struct FeedTree {
  struct Brand {
    std::string name;  // as shown ("Almindeligt FODER" for the generic mark)
    std::vector<int> feeds;
    int picked = 0;
  };
  struct Group {
    std::string name;  // the name of category 6, 7, 9 or 11 (5 for category 5)
    int category = 0;
    std::vector<Brand> brands;
    int picked = 0;
  };
  std::string rootName;
  std::vector<Group> groups;
  int picked = 0;
};

struct FeedListVisibility {
  bool orderPage = false;
  bool feedPage = false;  // the feeds page with the editor
  bool pricePage = false;
  bool deletePicked = false;
  bool showPicked = false;
  bool editCommand = false;  // "Ændre næringsindhold"
  bool deleteBrand = false;
};

// One row of the editor's analysis grid.
struct AnalysisRow {
  std::string name;
  std::string value;  // with the regional decimal separator
  std::string unit;
  bool editable = false;
};

// The edited feed as the editor page shows it.
struct EditedFeedView {
  bool active = false;
  bool isNew = false;
  std::string name, price, brand, brandLabel, userText, dryMatter, unitWeight;
  int category = 1;
  bool carotene = false;
  int origin = 0;
  std::string originText;  // "Oprindelsesland: 47 Norge"
  bool perDryMatter = false;
  std::vector<AnalysisRow> rows;  // 24
  int statusIcon = 0;
  std::string statusText, position, energyDescription, proteinName;
  bool nameEditable = true, categoryEditable = true, dryMatterEditable = true, valuesEditable = true;
  bool brandEditable = true, priceEditable = true, previousEnabled = false, nextEnabled = false;
};

struct NewFeedView {
  std::string name;
  int category = 1;
  std::vector<std::string> categoryNames;  // categories 0..5
  std::vector<std::string> templateLists;
  int templateList = 0;
  bool sameCategory = false;
  bool templateBoxVisible = false;
  std::string templateCaption;
  std::vector<std::string> templateNames;
  std::string templateLabel;
  bool readyEnabled = false;
  bool alsoOtherList = false;
};

struct PriceRow {
  std::string name, price;
};

struct CompareView {
  std::vector<std::string> lists;
  int list = 0;
  std::vector<std::string> listFeeds;
  std::vector<std::string> nutrients;  // 24 names
  std::vector<bool> chosenNutrients;   // 24
  std::vector<std::string> chosenFeeds;
  bool resultsVisible = false;
  std::filesystem::path resultFile;
  std::string html;
};

struct CopyView {
  std::vector<std::string> targetNames;
  std::string targetCaption;
  std::vector<std::string> groups;
  int group = 0;
  std::vector<std::string> donors;
  int donor = -1;
  std::vector<std::string> choices;  // the donor's feeds in the group, in list order
  std::vector<bool> selected;        // per choice
  std::string fullListButton, groupButton;
  bool groupEnabled = false, copySelectedEnabled = false, clearEnabled = false, sortEnabled = false;
  bool duplicatesVisible = false;
  std::string duplicatesCaption, duplicateLabel;
  std::vector<std::string> duplicates;
  int duplicate = 0;
};

struct OrderView {
  std::vector<std::string> names;
  int selected = -1;
  std::vector<std::string> brands;
  bool brandListVisible = false;
  std::string brandListCaption;
  std::vector<std::string> brandListNames;
  bool showInProgram = false;
};

class FeedListEditor : public Editor {
 public:
  using Listener = std::function<void(unsigned changes)>;
  FeedListEditor(TForListe& list, Workspace& workspace, Messages& messages);
  ~FeedListEditor() override;
  FeedListEditor(const FeedListEditor&) = delete;
  FeedListEditor& operator=(const FeedListEditor&) = delete;

  // A listener as a function (the window's pages listen through AddListener); replaces the
  // one set before.
  void SetListener(Listener listener) { function_.function = std::move(listener); }
  TForListe& List() const { return list_; }
  TStall* OwnerStable() const { return ownerStable_; }
  THest* OwnerHorse() const { return ownerHorse_; }
  bool IsGuaranteeList() const;
  // Commits so far (one recompute per operation that committed); for tests and benchmarks.
  int Commits() const { return Recomputes(); }

  // ---- frame
  void Show();  // the window is shown: picks cleared, information page
  std::string Caption() const;
  FeedListPage Page() const { return page_; }
  const FeedListVisibility& Visibility() const { return visibility_; }
  // The user chose a page (tab or menu). Leaving the feed page stores the feed; leaving the
  // new-feed page before "ready" takes the blank feed away; the copy page is not left while
  // duplicates wait for a decision (false then). Entering compare, copy or order sets the
  // page up; entering the feed page without a feed opens the first picked one.
  bool ShowPage(FeedListPage page);
  // Whether the page may be shown now.
  bool PageAllowed(FeedListPage page) const;

  // ---- information page and tree
  std::string InfoText() const;     // the list's information text (CR between lines)
  std::string CountText() const;    // "Antal foderemner i listen: n"
  std::string TreeCaption() const;  // "n Valgt foder"
  const FeedTree& Tree() const { return tree_; }
  // Only feeds whose name holds the text (in any case) stand in the tree; empty: every feed.
  // The picks and the tree caption's count stay those of the whole list.
  void SetTreeFilter(const std::string& text);
  const std::string& TreeFilter() const { return treeFilter_; }
  std::vector<std::string> EnergyObjectNames() const;
  void ToggleFeed(int index);  // click on a feed
  // Click on a group node (brand -1) or a brand node of the tree.
  void ClickNode(int group, int brand);
  void OpenFeed(int index);  // double-click on a feed
  void ResetPicks();
  void ShowPickedFeeds();  // "Vis valgte" and "Ændre næringsindhold"
  void DeletePicked();
  void DeleteBrand();
  // Double-click on an energy/protein object: asks, then converts every feed.
  void ChooseEnergyObject(int index);
  // The list's name and version text typed on the information page.
  bool Rename(const std::string& name);
  bool CanRename() const;
  void SetVersionText(const std::string& text);
  // The help address of a page ("/feedlists", "/feedlists/change-feed", ...).
  std::string HelpAddress(FeedListPage page) const;
  std::string HelpTitle(FeedListPage page) const;

  // ---- feed editor (feedlist_editor_feed.cpp)
  EditedFeedView FeedView() const;
  TFor* EditedFeed() const { return edited_; }
  bool SetFeedName(const std::string& text);
  bool SetFeedPrice(const std::string& text);
  bool SetFeedCategory(int category);
  bool SetFeedBrand(const std::string& text);
  bool SetFeedCarotene(bool on);
  bool SetFeedUserText(const std::string& text);
  bool SetFeedDryMatter(const std::string& text);
  bool SetFeedUnitWeight(const std::string& text);
  bool SetFeedOrigin(int countryNumber);
  bool SetAnalysisValue(int nutrient, const std::string& text);
  void SetPerDryMatter(bool on);
  void StepFeed(bool next);
  void FeedOk();
  void FeedCancel();
  // The feed's information page for printing (the feed stored first).
  std::string FeedPrintPage();
  // The mail page written to the temporary directory as name + ".htm"; the path, or
  // nothing with the message shown. `subject` receives name + ": " + "NÆRINGSINDHOLD".
  std::optional<std::filesystem::path> WriteFeedMailFile(std::string* subject);
  // The web address of the maker of the shown brand, or nothing with the message shown.
  std::optional<std::string> BrandWebAddress();

  // ---- new-feed page (feedlist_editor_feed.cpp)
  const NewFeedView& NewFeed() const { return newFeed_; }
  void SetNewFeedName(const std::string& text);
  void SetNewFeedCategory(int category);
  void ChooseTemplateList(int index);
  void SetSameCategory(bool on);
  void ShowTemplates();  // the template button
  void ChooseTemplate(int index);
  void ChooseNoTemplate();
  void SetAlsoOtherList(bool on);
  void NewFeedReady();
  void NewFeedAbort();

  // ---- price page (feedlist_editor_pages.cpp)
  std::vector<PriceRow> PriceRows() const;
  std::vector<std::string> PriceListNames() const;
  const std::vector<bool>& PriceListChecks() const { return priceChecks_; }
  bool PricesInHorses() const { return pricesInHorses_; }
  bool SetPrice(int index, const std::string& text);
  void CheckPriceList(int index, bool on);
  void CheckAllPriceLists(bool on);
  // Select-all disables itself and enables deselect-all, and the reverse.
  bool SelectAllEnabled() const { return !priceAllChecked_; }
  void SetPricesInHorses(bool on);
  std::string PriceListPage() const;

  // ---- compare page
  const CompareView& Compare() const { return compare_; }
  void ChooseCompareList(int index);
  void AddCompareFeed(int index);  // double-click on a feed of the chosen list
  void SetCompareNutrient(int nutrient, bool on);
  void ResetCompare();
  // Writes the table and shows it; false with the message when something is missing.
  bool CompareResults();
  void CloseResults();
  // The table's file in the list's own directory under a typed name (cleaned); false with
  // the message. Asks before replacing a file.
  bool StoreComparison(const std::string& typedName);

  // ---- copy page
  const CopyView& Copy() const { return copy_; }
  void ChooseDonor(int index);
  void ChooseCopyGroup(int group);  // 0 roughage, 1 concentrate, 2 supplement
  void SetCopySelection(const std::vector<bool>& selected);
  void CopyFullList();
  void CopyGroup();
  void CopySelected();
  void ClearTarget();
  void SortTarget();
  void SelectDuplicate(int index);
  void CopyCurrentDuplicate();
  void CopyAllDuplicates();
  void SkipDuplicate();
  void CancelDuplicates();
  bool DuplicatesPending() const { return !copy_.duplicates.empty(); }

  // ---- order page
  const OrderView& Order() const { return order_; }
  void SelectOrderFeed(int index);
  void MoveOrderFeed(bool up);
  void AutoSortOrder();
  void MakeBrandList(int brandIndex);
  void SetShowBrandListInProgram(bool on);
  // Saves the brand's list; the list when it joined the workspace.
  bool SaveBrandList();
  void CancelBrandList();

  // ---- saving and closing (feedlist_editor.cpp)
  // "Gem foderliste": touches and saves the list (through its stable or horse when one owns
  // it); false with the message shown (a failed save leaves the file as it was).
  bool Save();
  // The same without a message (the main window's save): false with the message in `error`.
  bool SaveList(std::string* error);
  std::string ProposedSaveAsName() const;
  std::filesystem::path FeedDirectory() const;
  // Saves a copy under the chosen file (in the feed directory); asks "Vis ny foderliste"
  // and adds it to the workspace on yes. The new list when it joined the workspace.
  TForListe* SaveAs(const std::filesystem::path& chosen);
  bool MayDeleteList() const;
  std::string DeleteListQuestion() const;
  // Whether closing must ask, and the question.
  bool HasUnsavedChanges() const;
  std::string CloseQuestion() const;
  enum class CloseAnswer { Yes, No, Cancel };
  // Closing with the user's answer (Yes when nothing changed): true when the window may
  // close. Yes saves (a failed save keeps the window open), No restores the list as it was
  // last saved.
  bool Close(CloseAnswer answer);
  // A record of the workspace is about to be freed: forget every pointer into it.
  void RecordGoing(const Record& record);
  // The list itself (or its stable or horse) went: nothing may touch it any more.
  bool ListGone() const { return listGone_; }
  // Horses whose rations the last operation changed (price or value updates).
  const std::vector<THest*>& ChangedHorses() const { return changedHorses_; }
  // Lists the last operation added to the workspace.
  const std::vector<TForListe*>& AddedLists() const { return addedLists_; }
  // Another window (the generate dialog) rebuilt or restored the list's feeds: every pointer
  // into them is dropped and every page shown anew; `rebuilt` marks the list changed.
  void ListRebuilt(bool rebuilt);
  // Takes the edited feed into the list (the main window's save and close).
  void TakeDataIntoList();
  // The state the list was saved or opened in is the current one (the main window saved).
  void StoreSignature();

 private:
  enum class EditOrigin { Tree, ShowPicked, NewFeed };
  struct FunctionListener : EditorListener {
    Listener function;
    void EditorChanged(ChangeFlags changed) override {
      if (function) function(changed);
    }
  };
  // Ends an operation: one recompute of what `changes` touches, one notification.
  void Commit(unsigned changes);
  void Recompute() override;
  void RecomputeFor(unsigned changes);
  void BuildTree();
  void UpdateVisibility();
  std::vector<TForListe*> WorkspaceLists() const;
  bool SaveOtherList(TForListe& other, std::string* error);
  bool GuaranteeRefused();
  void LeavePage(FeedListPage next);
  void EnterPage(FeedListPage page);
  void StoreEditedFeed();
  void EndDryMatterMode();
  void StartEditing(TFor* feed, EditOrigin origin);
  void StopEditing();
  void DropPendingNewFeed();
  void RestoreEditedFromCopy();
  void RefreshCopyChoices();
  void RefreshCopyTarget();
  void RefreshDuplicates();
  void CopyIndices(const std::vector<int>& indices);
  void RefreshOrder();
  void TakeSnapshot();
  bool RestoreSaved();
  void EnterCompare();
  void EnterCopy();
  void EnterNewFeed();
  void AppendBlankNewFeed();
  void RefreshTemplateLists();
  void RefreshTemplates();
  bool FieldRefused(bool editable, const std::string& field);

  TForListe& list_;
  Workspace& workspace_;
  Messages& messages_;
  FunctionListener function_;
  unsigned recomputeFlags_ = 0;
  TStall* ownerStable_ = nullptr;
  THest* ownerHorse_ = nullptr;
  bool listGone_ = false;
  bool rebuilt_ = false;  // rebuilt by another window since the last save  // the list is being freed; the window
                          // closes without asking

  FeedListPage page_ = FeedListPage::Information;
  FeedListVisibility visibility_;
  FeedTree tree_;
  std::string deleteBrandNode_;
  std::string treeFilter_;  // as typed
  std::string treeFilterUpper_;
  int32_t startFingerprint_ = 0;
  uint64_t startSignature_ = 0;
  std::string snapshot_;  // the list as last opened or saved (object text)

  // the feed editor
  TFor* edited_ = nullptr;
  std::unique_ptr<TFor> workingCopy_;
  EditOrigin editOrigin_ = EditOrigin::Tree;
  bool editingNew_ = false;
  bool perDryMatter_ = false;

  // the new-feed page
  NewFeedView newFeed_;
  TFor* pendingNew_ = nullptr;  // the blank feed (or template clone) before "ready"
  std::vector<TForListe*> templateLists_;
  std::vector<int> templateFeeds_;  // indices into the chosen template list

  // the price page
  std::vector<TForListe*> priceLists_;
  std::vector<bool> priceChecks_;
  bool pricesInHorses_ = false;
  bool priceAllChecked_ = false;

  // the compare page
  CompareView compare_;
  std::vector<TForListe*> compareLists_;
  std::unique_ptr<TForListe> comparison_;

  // the copy page
  CopyView copy_;
  std::vector<TForListe*> donors_;
  TForListe* donor_ = nullptr;
  std::vector<int> choiceIndices_;

  // the order page
  OrderView order_;
  std::unique_ptr<TForListe> brandList_;

  std::vector<THest*> changedHorses_;
  std::vector<TForListe*> addedLists_;
};

}  // namespace stallora
