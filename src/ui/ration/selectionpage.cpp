#include "ui/ration/selectionpage.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "core/textutil.h"
#include "forms/ration_page.h"
#include "stable/stall.h"
#include "ui/mnemonics.h"
#include "ui/models/editormodel.h"
#include "ui/models/feedtreemodel.h"
#include "ui/qtext.h"
#include "ui/rationtexts.h"

namespace stallora {

using namespace rationui;

SelectionPage::SelectionPage(RationContext& context, QWidget* parent)
    : RationTabPage(context, "tsSelectFeeds", parent) {
  auto* layout = new QHBoxLayout(this);

  // Left: the ration's feeds and the list choice.
  auto* left = new QVBoxLayout;
  auto* chosenBox = new QGroupBox(T(kRpValgtFoder), this);
  auto* chosenLayout = new QVBoxLayout(chosenBox);
  lbHestensForliste_ = new QListWidget(chosenBox);
  lbHestensForliste_->setObjectName("lbHestensForliste");
  lbHestensForliste_->setContextMenuPolicy(Qt::CustomContextMenu);
  lbHestensForliste_->setMinimumWidth(220);
  chosenLayout->addWidget(lbHestensForliste_);
  auto* remove = PageButton(T(kSlet), "btnRemoveFeed", chosenBox);
  chosenLayout->addWidget(remove);
  left->addWidget(chosenBox, 1);
  auto* fromStable = PageButton(T(kFraStaldens), "btnSelectfromStableFeedlist", this);
  auto* fromOther = PageButton(T(kFraAnden), "btnSelectOtherFeedlist", this);
  auto* wizard = PageButton(T(kVaelgGrovfoder), "btnRoughageWizard", this);
  left->addWidget(fromStable);
  left->addWidget(fromOther);
  lbFremmedListe_ = new QListWidget(this);
  lbFremmedListe_->setObjectName("lbFremmedListe");
  lbFremmedListe_->setToolTip(T(kVaelgListe));
  lbFremmedListe_->hide();
  left->addWidget(lbFremmedListe_);
  left->addWidget(wizard);

  // Grazing.
  btnBeite_ = PageButton(T(kHestenPaaGraes), "btnBeite", this);
  left->addWidget(btnBeite_);
  gbAdjustGrazing_ = new QGroupBox(this);
  gbAdjustGrazing_->setObjectName("gbAdjustGrazing");
  gbAdjustGrazing_->setTitle(Q(FirstLetterUpper(Tr(kHestenPaaGraes))));
  auto* grazing = new QVBoxLayout(gbAdjustGrazing_);
  auto* hoursRow = new QHBoxLayout;
  nfBeitetimer_ = new QSpinBox(gbAdjustGrazing_);
  nfBeitetimer_->setObjectName("nfBeitetimer");
  nfBeitetimer_->setRange(0, 24);
  auto* hoursLabel = new QLabel(T(kGrazingHours), gbAdjustGrazing_);
  hoursLabel->setBuddy(nfBeitetimer_);
  hoursRow->addWidget(nfBeitetimer_);
  hoursRow->addWidget(hoursLabel, 1);
  grazing->addLayout(hoursRow);
  auto* amount = new QGroupBox(T(kGraesmaengde), gbAdjustGrazing_);
  amount->setObjectName("rgrBeiteRikelighet");
  auto* amountLayout = new QHBoxLayout(amount);
  rgrBeiteRikelighet_ = new QButtonGroup(amount);
  const Text* choices[3] = {&kRigelig, &kMiddel, &kLille};
  for (int i = 0; i < 3; ++i) {
    auto* r = new QRadioButton(T(*choices[i]), amount);
    r->setObjectName(QString("rbGrazing%1").arg(i));
    rgrBeiteRikelighet_->addButton(r, i);
    amountLayout->addWidget(r);
  }
  grazing->addWidget(amount);
  lblGrazingDryMatter_ = new QLabel(gbAdjustGrazing_);
  lblGrazingDryMatter_->setObjectName("lblGrazingDryMatter");
  lblGrazingFeed_ = new QLabel(gbAdjustGrazing_);
  lblGrazingFeed_->setObjectName("lblGrazingFeed");
  lblGrazingFeed_->setWordWrap(true);
  grazing->addWidget(lblGrazingDryMatter_);
  grazing->addWidget(lblGrazingFeed_);
  auto* grazingHelp = PageButton(T(kHjaelp), "btnBeitehjelp", gbAdjustGrazing_);
  grazing->addWidget(grazingHelp, 0, Qt::AlignRight);
  gbAdjustGrazing_->hide();
  left->addWidget(gbAdjustGrazing_);
  left->addStretch();
  layout->addLayout(left);

  // Right: the selection panel with the tree.
  grbForValg_ = new QGroupBox(this);
  grbForValg_->setObjectName("grbForValg");
  auto* panel = new QVBoxLayout(grbForValg_);
  tree_ = new FeedTreeModel(c_.editor, c_.Settings(), this);
  connect(&c_.relay, &EditorRelay::Changed, tree_, &FeedTreeModel::EditorChanged);
  tvFeeds_ = new QTreeView(grbForValg_);
  tvFeeds_->setObjectName("tvFeeds");
  tvFeeds_->setModel(tree_);
  tvFeeds_->setHeaderHidden(true);
  tvFeeds_->setUniformRowHeights(true);
  panel->addWidget(tvFeeds_, 1);
  auto* buttons = new QHBoxLayout;
  auto* ok = PageButton(T(kFodervalgOK), "btnForvalgOK", grbForValg_);
  ok->setDefault(true);
  auto* cancel = PageButton(T(kAfbryd), "btnCancelForvalg", grbForValg_);
  auto* reset = PageButton(T(kNulstil), "btnNullstill2", grbForValg_);
  auto* help = PageButton(T(kHjaelp), "btnForvalgHjelp", grbForValg_);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(reset);
  buttons->addStretch();
  buttons->addWidget(help);
  panel->addLayout(buttons);
  layout->addWidget(grbForValg_, 1);

  // A double click or Enter toggles a feed; its check box does so through the model.
  connect(tvFeeds_, &QTreeView::activated, this, [this](const QModelIndex& index) { Activated(index); });
  connect(tvFeeds_, &QTreeView::expanded, this, [this](const QModelIndex& index) { tvFeeds_->setCurrentIndex(index); });
  connect(ok, &QPushButton::clicked, this, [this] {
    if (Close(Closing::kConfirm)) emit Confirmed();
  });
  connect(cancel, &QPushButton::clicked, this, [this] { Close(Closing::kCancel); });
  connect(reset, &QPushButton::clicked, this, [this] { ResetSelection(); });
  connect(fromStable, &QPushButton::clicked, this, [this] {
    lbFremmedListe_->hide();
    SetSelectionList(c_.StableList(), false);
  });
  connect(fromOther, &QPushButton::clicked, this, [this] { ChooseOtherList(); });
  connect(lbFremmedListe_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    auto* list = static_cast<TForListe*>(item->data(Qt::UserRole).value<void*>());
    if (list) SetSelectionList(list, true);
  });
  connect(lbHestensForliste_, &QListWidget::itemActivated, this, [this] { ChosenFeedInfo(); });
  connect(lbHestensForliste_, &QListWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu menu(lbHestensForliste_);
    menu.addAction(T(kSlet), this, [this] { RemoveChosenFeed(); });
    AssignMnemonics(&menu);
    menu.exec(lbHestensForliste_->viewport()->mapToGlobal(at));
  });
  connect(remove, &QPushButton::clicked, this, [this] { RemoveChosenFeed(); });
  connect(wizard, &QPushButton::clicked, this, &SelectionPage::WizardWanted);
  connect(btnBeite_, &QPushButton::clicked, this, [this] { OpenGrazing(); });
  connect(nfBeitetimer_, &QSpinBox::valueChanged, this, [this](int hours) {
    if (!updating_) ShowGrazing(c_.editor.SetGrazingHours(hours, selection_));
  });
  connect(rgrBeiteRikelighet_, &QButtonGroup::idClicked, this, [this](int id) {
    if (!updating_) ShowGrazing(c_.editor.SetGrazingIntake(GrazingFactorOfChoice(id), selection_));
  });
  connect(grazingHelp, &QPushButton::clicked, this, [this] { c_.OpenHelp("/rations/grazing"); });
  connect(help, &QPushButton::clicked, this, [this] { c_.OpenHelp("/rations"); });
}

bool SelectionPage::IsOpen() const { return !grbForValg_->isHidden(); }

void SelectionPage::EnterTab() {
  TForListe& ration = c_.Ration();
  if (!selection_) {
    selection_ = c_.StableList();
    otherListMode_ = false;
    if (selection_) selection_->UnpickAll();
  }
  grbForValg_->hide();
  FillChosenList();
  if (selection_) {
    for (const auto& f : selection_->Feeds())
      for (const auto& r : ration.Feeds())
        if (r->Valgt && r->Fornavn == f->Fornavn) f->Valgt = true;
    std::vector<std::string> missing = FlagFeedsMissingFrom(ration, *selection_);
    // Ask once per window about the same feeds: a "No" is remembered.
    std::erase_if(missing, [&](const std::string& n) { return declinedMissing_.count(n) > 0; });
    if (!missing.empty() && selection_ == c_.StableList()) {
      if (c_.Confirm(MissingFeedsQuestion(missing))) {
        for (const auto& r : ration.Feeds())
          r->Valgt = std::find(missing.begin(), missing.end(), r->Fornavn) != missing.end();
        TakeOverFlaggedFeeds(*selection_, ration);
        std::string error;
        if (!c_.Horse().stable->Save(&error)) c_.ShowError(error);
      } else {
        declinedMissing_.insert(missing.begin(), missing.end());
      }
    }
  }
  ration.PickAll();
  if (selection_) {
    grbForValg_->setTitle(Q(selection_->ForlisteNavn.empty() ? Tr(kFoderliste) : selection_->ForlisteNavn));
    grbForValg_->show();
    tree_->SetList(selection_);
    OpenTree();
  }
  if (c_.Horse().PaBeite())
    OpenGrazing();
  else
    gbAdjustGrazing_->hide();
}

void SelectionPage::Enter() {
  FillChosenList();
  if (selection_ && IsOpen()) tree_->Recount();
  UpdateGrazingButton();
}

void SelectionPage::Repaint(ChangeFlags changed) {
  if (changed & (kRationFeeds | kRationSelection)) {
    FillChosenList();
    UpdateGrazingButton();
  }
}

void SelectionPage::FillChosenList() {
  const QSignalBlocker block(lbHestensForliste_);
  lbHestensForliste_->clear();
  if (c_.Ration().Count() == 0) {
    lbHestensForliste_->addItem(T(kRpIntetFoderValgt));
    return;
  }
  for (const std::string& name : c_.Ration().FeedNames()) lbHestensForliste_->addItem(Q(name));
}

void SelectionPage::OpenTree() {
  tvFeeds_->setUpdatesEnabled(false);
  for (const QModelIndex& index : tree_->OpenAtStart()) tvFeeds_->setExpanded(index, true);
  tvFeeds_->setUpdatesEnabled(true);
  UpdateGrazingButton();
}

void SelectionPage::UpdateGrazingButton() {
  btnBeite_->setEnabled(selection_ && selection_->PickedGrazingCount() >= 1);
}

void SelectionPage::SetSelectionList(TForListe* list, bool other) {
  if (!list) return;
  selection_ = list;
  otherListMode_ = other;
  MarkSelectionFromRation(*selection_, c_.Ration());
  grbForValg_->setTitle(Q(list->ForlisteNavn.empty() ? Tr(kFoderliste) : list->ForlisteNavn));
  tree_->SetList(selection_);
  OpenTree();
  grbForValg_->show();
}

void SelectionPage::Activated(const QModelIndex& index) {
  if (selection_) tree_->Toggle(index);
}

void SelectionPage::ResetSelection() {
  if (selection_) c_.editor.UnpickSelection(*selection_);
}

bool SelectionPage::Close(Closing how) {
  TForListe& ration = c_.Ration();
  if (how == Closing::kConfirm && selection_) {
    const SelectionResult result = ConfirmSelection(*selection_, ration, otherListMode_);
    FillChosenList();
    if (result == SelectionResult::kEmptyRation) {
      c_.Warn(NoFeedWarning(c_.Horse().Navn));
      return false;
    }
    if (ration.RoughageCount() == 0 && c_.Confirm(NoRoughageQuestion(c_.Horse(), c_.Sep()))) return false;
  }
  if (how == Closing::kCancel) ResetSelection();
  selection_ = nullptr;
  tree_->SetList(nullptr);
  lbFremmedListe_->hide();
  otherListMode_ = false;
  grbForValg_->hide();
  c_.editor.FeedsChosen(false);
  return true;
}

void SelectionPage::CloseIfOpen() {
  if (IsOpen()) Close(Closing::kLeave);
}

void SelectionPage::ListGoing(const TForListe& list) {
  for (int i = lbFremmedListe_->count() - 1; i >= 0; --i)
    if (lbFremmedListe_->item(i)->data(Qt::UserRole).value<void*>() == &list) delete lbFremmedListe_->takeItem(i);
  if (selection_ != &list) return;
  TForListe* own = c_.StableList();
  if (own && own != &list) {
    lbFremmedListe_->hide();
    SetSelectionList(own, false);
    return;
  }
  selection_ = nullptr;
  otherListMode_ = false;
  tree_->SetList(nullptr);
  grbForValg_->hide();
}

void SelectionPage::ChooseOtherList() {
  grbForValg_->hide();
  lbFremmedListe_->clear();
  if (c_.services.workspace) {
    const TForListe* own = c_.StableList();
    auto add = [&](TForListe* list) {
      if (!list || list == own) return;
      auto* item = new QListWidgetItem(Q(list->DisplayName()), lbFremmedListe_);
      item->setData(Qt::UserRole, QVariant::fromValue(static_cast<void*>(list)));
    };
    for (const auto& l : c_.services.workspace->FeedLists()) add(l.get());
    for (const auto& s : c_.services.workspace->Stables()) add(s->ForListe.get());
  }
  if (lbFremmedListe_->count() > 0) {
    lbFremmedListe_->show();
    lbFremmedListe_->setCurrentRow(0);
    lbFremmedListe_->setFocus();
    otherListMode_ = true;
  }
}

void SelectionPage::RemoveChosenFeed() {
  QListWidgetItem* item = lbHestensForliste_->currentItem();
  if (!item) return c_.Inform(Tr(kVaelgFoder));
  const std::string name = L(item->text());
  if (name == Tr(kRpIntetFoderValgt)) return;
  if (!c_.Confirm(Tr(kSlet) + " " + name)) return;
  c_.editor.RemoveFeed(name, selection_);
}

void SelectionPage::ChosenFeedInfo() {
  QListWidgetItem* item = lbHestensForliste_->currentItem();
  if (!item) return;
  const std::string name = L(item->text());
  const TForListe* stable = c_.StableList();
  if (const TFor* f = stable ? stable->FeedByName(name) : nullptr)
    c_.ShowFeedInfo(*f);
  else if (name != Tr(kRpIntetFoderValgt))
    c_.Inform(Tr(kRpFoderetSavnes));
}

void SelectionPage::OpenGrazing() {
  if (!GrazingAllowed(selection_, c_.Ration())) {
    gbAdjustGrazing_->hide();
    c_.Warn(Tr(kRpAfgraesningMangler));
    return;
  }
  updating_ = true;
  nfBeitetimer_->setValue(std::clamp(c_.Horse().TimerBeiting, 0, 24));
  if (auto* b = rgrBeiteRikelighet_->button(GrazingChoice(c_.Horse().Beiteinntaksfaktor))) b->setChecked(true);
  updating_ = false;
  gbAdjustGrazing_->show();
  ShowGrazing(c_.editor.ShowGrazing(selection_));
}

void SelectionPage::ShowGrazing(const GrazingLabels& labels) {
  lblGrazingDryMatter_->setText(Q(labels.dryMatter));
  lblGrazingFeed_->setText(Q(labels.feed));
}

void SelectionPage::StartGrazing() {
  if (!selection_) SetSelectionList(c_.StableList(), false);
  OpenGrazing();
  if (gbAdjustGrazing_->isVisible()) nfBeitetimer_->setFocus();
}

TForListe* SelectionPage::WizardSource() const { return selection_ ? selection_ : c_.StableList(); }

void SelectionPage::AfterWizard() {
  if (selection_) {
    MarkSelectionFromRation(*selection_, c_.Ration());
    tree_->Recount();
  }
  FillChosenList();
  UpdateGrazingButton();
}

}  // namespace stallora
