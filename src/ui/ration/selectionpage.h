#pragma once
// The ration tab's first page (tsSelectFeeds): the ration's feeds, the feed list they are
// chosen from (the stable's or another) as a tree with check marks, and the grazing panel.
// The page keeps which list the selection works on; every change of the ration is one
// operation of the tab's editor.

#include <set>
#include <string>

#include "ui/ration/rationcontext.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QListWidget;
class QModelIndex;
class QPushButton;
class QSpinBox;
class QTreeView;

namespace stallora {

class FeedTreeModel;
struct GrazingLabels;

class SelectionPage : public RationTabPage {
  Q_OBJECT
 public:
  explicit SelectionPage(RationContext& context, QWidget* parent = nullptr);

  void Enter() override;
  void Repaint(ChangeFlags changed) override;

  // The tab's entry step: the selection starts on the stable's list (offering to take over
  // the ration's feeds it lacks), the tree opens, the grazing panel shows when the horse
  // grazes.
  void EnterTab();
  // The selection panel is open.
  bool IsOpen() const;
  // Closes an open selection as leaving the page does.
  void CloseIfOpen();
  // A feed list is about to be freed: it is no longer offered or worked on.
  void ListGoing(const TForListe& list);
  // The grazing command: the stable's list when none is open, the grazing panel.
  void StartGrazing();
  // The list the roughage wizard chooses from.
  TForListe* WizardSource() const;
  // The wizard changed the ration: the check marks follow it.
  void AfterWizard();

 signals:
  // "Fodervalg OK" closed the selection: the amounts come next.
  void Confirmed();
  // "Vælg grovfoder...": the roughage wizard is wanted.
  void WizardWanted();

 private:
  enum class Closing { kConfirm, kCancel, kLeave };
  bool Close(Closing how);
  void FillChosenList();
  void SetSelectionList(TForListe* list, bool other);
  void OpenTree();
  void Activated(const QModelIndex& index);
  void ResetSelection();
  void ChooseOtherList();
  void RemoveChosenFeed();
  void ChosenFeedInfo();
  void OpenGrazing();
  void ShowGrazing(const GrazingLabels& labels);
  void UpdateGrazingButton();

  TForListe* selection_ = nullptr;
  bool otherListMode_ = false;
  bool updating_ = false;
  // Feeds the user would not take over into the stable's list: not asked again.
  std::set<std::string> declinedMissing_;

  QListWidget* lbHestensForliste_ = nullptr;
  QGroupBox* grbForValg_ = nullptr;
  QTreeView* tvFeeds_ = nullptr;
  FeedTreeModel* tree_ = nullptr;
  QListWidget* lbFremmedListe_ = nullptr;
  QPushButton* btnBeite_ = nullptr;
  QGroupBox* gbAdjustGrazing_ = nullptr;
  QSpinBox* nfBeitetimer_ = nullptr;
  QButtonGroup* rgrBeiteRikelighet_ = nullptr;
  QLabel* lblGrazingDryMatter_ = nullptr;
  QLabel* lblGrazingFeed_ = nullptr;
};

}  // namespace stallora
