#include "ui/feedlist/feedlistwindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/textutil.h"
#include "forms/feedlist_texts.h"
#include "render/qttext.h"
#include "ui/appwindows.h"
#include "ui/feedlist/comparepage.h"
#include "ui/feedlist/copypage.h"
#include "ui/feedlist/feededitorpage.h"
#include "ui/feedlist/infopage.h"
#include "ui/feedlist/newfeedpage.h"
#include "ui/feedlist/orderpage.h"
#include "ui/feedlist/pricepage.h"
#include "ui/icons.h"
#include "ui/mainwindow.h"
#include "ui/mnemonics.h"
#include "ui/models/editormodel.h"
#include "ui/models/feedlistmodels.h"
#include "ui/models/feedlisttreemodel.h"
#include "ui/qtext.h"
#include "ui/reportwindow.h"

namespace stallora {

namespace {
QString Lower(const Text& text) { return TLower(text); }
// The energy and protein objects' page of the preferences dialog.
constexpr int kPreferencesObjectsPage = 3;
}  // namespace

FeedListWindow::FeedListWindow(TForListe& list, Services& services, QWidget* parent)
    : RecordWindow(parent), list_(&list), services_(services) {
  setObjectName("TForListeInfo");
  setWindowIcon(Icon(list.ForBlanding ? IconKind::FeedMix : IconKind::FeedList));
  editor_ = std::make_unique<FeedListEditor>(list, *services.workspace, *services.prompts);
  treeModel_ = new FeedListTreeModel(*editor_, this);
  analysisModel_ = new FeedAnalysisModel(*editor_, this);
  priceModel_ = new FeedPriceModel(*editor_, this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 0, 4, 4);
  auto* bar = new QMenuBar(this);
  menu_ = bar->addMenu(Q(list.ForlisteNavn));
  menu_->setObjectName("MenuFeedList");
  layout->addWidget(bar);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("pcForListe");
  listTabs_ = new QTabWidget;
  listTabs_->setObjectName("tsForListe");
  infoPage_ = new FeedListInfoPage(*this);
  comparePage_ = new FeedComparePage(*this);
  copyPage_ = new FeedCopyPage(*this);
  orderPage_ = new FeedOrderPage(*this);
  listTabs_->addTab(infoPage_, T(kFlInformation));
  listTabs_->addTab(comparePage_, T(kFlSammenligning));
  listTabs_->addTab(copyPage_, T(kFlKopier));
  listTabs_->addTab(orderPage_, T(kFlRedigerRaekkefoelge));
  feedPage_ = new FeedEditorPage(*this);
  pricePage_ = new FeedPricePage(*this);
  newPage_ = new NewFeedPage(*this);
  tabs_->addTab(listTabs_, T(kFlArbejdeMed) + " " + Lower(common::kFoderliste));
  tabs_->addTab(feedPage_, TUpper(common::kFoder2));
  tabs_->addTab(pricePage_, T(kFlFoderpriser));
  tabs_->addTab(newPage_, T(kFlOpretNytFoder));
  layout->addWidget(tabs_, 1);

  auto* buttons = new QHBoxLayout;
  auto* save = new QPushButton(T(kFlGem), this);
  save->setObjectName("btnSave");
  auto* close = new QPushButton(T(kFlLuk), this);
  close->setObjectName("btnClose");
  buttons->addStretch();
  buttons->addWidget(save);
  buttons->addWidget(close);
  layout->addLayout(buttons);

  BuildMenu();
  AssignMnemonics(bar, services_.main ? MnemonicsOf(services_.main->menuBar()) : QSet<QChar>{});

  auto* relay = new EditorRelay(*editor_, this);
  connect(relay, &EditorRelay::Changed, this, [this](unsigned changed) {
    if (!dead_) Edited(changed);
  });
  connect(tabs_, &QTabWidget::currentChanged, this, [this] { TabChosen(); });
  connect(listTabs_, &QTabWidget::currentChanged, this, [this] { TabChosen(); });
  connect(save, &QPushButton::clicked, this, [this] { SaveCommand(); });
  connect(close, &QPushButton::clicked, this, [this] {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
      sub->close();
    else
      this->close();
  });
  editor_->Show();
}

FeedListWindow::~FeedListWindow() = default;

void FeedListWindow::BuildMenu() {
  QMenu* m = menu_;
  auto add = [&](QMenu* into, const QString& caption, auto slot) {
    QAction* a = into->addAction(caption);
    connect(a, &QAction::triggered, this, [this, slot] {
      if (!dead_) slot();
    });
    return a;
  };
  QAction* info = add(m, T(kFlInformation) + ", " + T(kFlFoderpriser), [this] { GoTo(FeedListPage::Information); });
  info->setObjectName("miInformation");
  add(m, T(kFlSammenlign), [this] { GoTo(FeedListPage::Compare); })->setObjectName("miCompare");
  m->addSeparator();
  QMenu* feeds = m->addMenu(TUpper(common::kFoder2));
  feeds->setObjectName("MenuFeeds");
  miEditFeed_ = add(feeds, T(kFlAendreNaering), [this] { editor_->ShowPickedFeeds(); });
  miEditFeed_->setObjectName("miEditFeed");
  QAction* newFeed = add(feeds, T(kFlOpretNytFoder), [this] { GoTo(FeedListPage::NewFeed); });
  newFeed->setObjectName("miNewFeed");
  newFeed->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  miFeedMix_ = add(feeds, T(kFlEtabler) + " " + T(kFlFoderblandingLower), [this] { FeedMixCommand(); });
  miFeedMix_->setObjectName("miFeedMix");
  miFeedMix_->setIcon(Icon(IconKind::FeedMix));
  QAction* copy = add(feeds, T(kFlKopierFra), [this] { GoTo(FeedListPage::Copy); });
  copy->setObjectName("miCopyFrom");
  copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  miGenerate_ = add(feeds, T(kFlVaelg) + " " + T(kFlLeverandoerLower), [this] { GenerateCommand(); });
  miGenerate_->setObjectName("miGenerate");
  m->addSeparator();
  miOrder_ = add(m, T(kFlRedigerRaekkefoelge), [this] { GoTo(FeedListPage::Order); });
  miOrder_->setObjectName("miOrder");
  miPrices_ = add(m, T(kFlFoderpriser), [this] { GoTo(FeedListPage::Prices); });
  miPrices_->setObjectName("miPrices");
  m->addSeparator();
  QAction* save = add(m, T(kFlGem) + " " + Lower(common::kFoderliste), [this] { SaveCommand(); });
  save->setObjectName("miSave");
  save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  QAction* saveAs =
      add(m, T(kFlGem) + " " + Lower(common::kFoderliste) + " " + T(kFlSomDots), [this] { SaveAsCommand(); });
  saveAs->setObjectName("miSaveAs");
  saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  miDelete_ = add(m, T(kFlSlet) + " " + Lower(common::kFoderliste), [this] { DeleteListCommand(); });
  miDelete_->setObjectName("miDeleteList");
  m->addSeparator();
  miNewList_ = add(m, T(kFlOpretNyForliste), [this] { NewListCommand(); });
  miNewList_->setObjectName("miNewList");
  miNewList_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
  // The shortcuts work while the focus is anywhere in this window, not in its neighbours.
  for (QAction* a : {newFeed, copy, save, saveAs, miNewList_}) {
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(a);
  }
}

// ---------------------------------------------------------------- the editor's flags

void FeedListWindow::Edited(unsigned changed) {
  treeModel_->EditorChanged(changed);
  analysisModel_->EditorChanged(changed);
  priceModel_->EditorChanged(changed);
  infoPage_->Refresh(changed);
  feedPage_->Refresh(changed);
  newPage_->Refresh(changed);
  pricePage_->Refresh(changed);
  comparePage_->Refresh(changed);
  copyPage_->Refresh(changed);
  orderPage_->Refresh(changed);
  if (changed & (kFlcPages | kFlcPicks | kFlcTree | kFlcFeed | kFlcNewFeed)) ShowPages();
  UpdateCommands();
  if (changed & kFlcInfo) {
    menu_->setTitle(Q(list_->ForlisteNavn));
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->setWindowTitle(Q(editor_->Caption()));
    emit RecordChanged();
  }
  if ((changed & (kFlcWorkspace | kFlcHorses)) && services_.main) services_.main->RefreshTree();
}

QWidget* FeedListWindow::TabOf(FeedListPage page) const {
  switch (page) {
    case FeedListPage::Information: return infoPage_;
    case FeedListPage::Compare: return comparePage_;
    case FeedListPage::Copy: return copyPage_;
    case FeedListPage::Order: return orderPage_;
    case FeedListPage::Feed: return feedPage_;
    case FeedListPage::NewFeed: return newPage_;
    case FeedListPage::Prices: return pricePage_;
  }
  return infoPage_;
}

void FeedListWindow::ShowPages() {
  syncing_ = true;
  const FeedListVisibility& v = editor_->Visibility();
  listTabs_->setTabVisible(listTabs_->indexOf(orderPage_), v.orderPage);
  tabs_->setTabVisible(tabs_->indexOf(feedPage_), v.feedPage);
  tabs_->setTabVisible(tabs_->indexOf(pricePage_), v.pricePage);
  QWidget* page = TabOf(editor_->Page());
  if (listTabs_->indexOf(page) >= 0) {
    listTabs_->setCurrentWidget(page);
    tabs_->setCurrentWidget(listTabs_);
  } else {
    tabs_->setCurrentWidget(page);
  }
  syncing_ = false;
}

void FeedListWindow::TabChosen() {
  if (syncing_ || dead_) return;
  QWidget* current = tabs_->currentWidget();
  if (current == listTabs_) current = listTabs_->currentWidget();
  for (FeedListPage page : {FeedListPage::Information, FeedListPage::Compare, FeedListPage::Copy, FeedListPage::Order,
                            FeedListPage::Feed, FeedListPage::NewFeed, FeedListPage::Prices}) {
    if (TabOf(page) != current) continue;
    if (page == editor_->Page()) return;
    // A refused change (duplicates waiting) leaves the page as it was.
    if (!editor_->ShowPage(page)) ShowPages();
    return;
  }
}

void FeedListWindow::GoTo(FeedListPage page) {
  if (page == editor_->Page() && page != FeedListPage::Compare) {
    ShowPages();
    return;
  }
  if (!editor_->ShowPage(page)) ShowPages();
}

void FeedListWindow::UpdateCommands() {
  const FeedListVisibility& v = editor_->Visibility();
  const AppWindows* w = services_.windows;
  miEditFeed_->setEnabled(v.editCommand);
  miFeedMix_->setEnabled(w && w->feedMix);
  miGenerate_->setEnabled(w && w->generateFeedList && !editor_->IsGuaranteeList());
  miOrder_->setEnabled(v.orderPage);
  miPrices_->setEnabled(v.pricePage);
  miDelete_->setEnabled(editor_->MayDeleteList() && services_.main);
  miNewList_->setEnabled(services_.main != nullptr);
}

// ---------------------------------------------------------------- commands

void FeedListWindow::ShowHtml(const std::string& html, const std::string& caption) {
  if (services_.main) services_.main->ShowHtml(html, Q(caption));
}

void FeedListWindow::ShowHelp(FeedListPage page) {
  if (services_.main) services_.main->OpenInfoPage(Q(editor_->HelpTitle(page)), editor_->HelpAddress(page));
}

bool FeedListWindow::HasPreferences() const { return services_.windows && services_.windows->preferences; }

void FeedListWindow::OpenEnergyPreferences() {
  if (HasPreferences()) services_.windows->preferences(this, kPreferencesObjectsPage);
}

void FeedListWindow::FeedMixCommand() {
  if (services_.windows && services_.windows->feedMix) services_.windows->feedMix(this, list_);
}

void FeedListWindow::GenerateCommand() {
  if (!services_.windows || !services_.windows->generateFeedList || editor_->IsGuaranteeList()) return;
  // The feed editor and the new feed let go first: the dialog may replace every feed.
  editor_->ShowPage(FeedListPage::Information);
  editor_->TakeDataIntoList();
  const bool rebuilt = services_.windows->generateFeedList(this, *list_);
  // The dialog rebuilt the list or restored it: what the pages show of it is taken anew.
  editor_->ListRebuilt(rebuilt);
}

void FeedListWindow::NewListCommand() {
  if (services_.main) services_.main->NewFeedList();
}

void FeedListWindow::SaveCommand() {
  if (dead_) return;
  if (editor_->Save()) emit RecordChanged();
}

void FeedListWindow::SaveAsCommand() {
  if (dead_) return;
  editor_->TakeDataIntoList();
  const std::filesystem::path dir = editor_->FeedDirectory();
  const QString proposal = Q(PathText(dir / (editor_->ProposedSaveAsName() + ".eqf")));
  const QString chosen = Ask().SaveFileName(T(kFlVaelgNavnOgMappe), proposal, "Feed Files (*.eqf)");
  if (chosen.isEmpty()) return;
  editor_->SaveAs(PathFromText(L(chosen)));
}

void FeedListWindow::DeleteListCommand() {
  if (dead_ || !editor_->MayDeleteList() || !services_.main) return;
  if (!Ask().YesNo(editor_->DeleteListQuestion())) return;
  // The main window closes this window (without a question) and frees the list.
  services_.main->DeleteFeedList(*list_);
}

// ---------------------------------------------------------------- the record

Record* FeedListWindow::record() const { return dead_ ? nullptr : list_; }

void FeedListWindow::TakeDataIntoRecord() {
  if (!dead_) editor_->TakeDataIntoList();
}

bool FeedListWindow::SaveRecord(QString* error) {
  if (dead_) return true;
  std::string problem;
  if (!editor_->SaveList(&problem)) {
    if (error) *error = Q(problem);
    return false;
  }
  emit RecordChanged();
  return true;
}

bool FeedListWindow::HasUnsavedChanges() const { return !dead_ && editor_->HasUnsavedChanges(); }

void FeedListWindow::StoreSignature() {
  if (!dead_) editor_->StoreSignature();
}

void FeedListWindow::WindowActivated() {
  if (!dead_) infoPage_->Refresh(kFlcInfo);
}

void FeedListWindow::RecordGoing(const Record& record) {
  if (dead_) return;
  editor_->RecordGoing(record);
  if (editor_->ListGone()) dead_ = true;
}

void FeedListWindow::closeEvent(QCloseEvent* event) {
  if (dead_) {
    event->accept();
    return;
  }
  editor_->TakeDataIntoList();
  FeedListEditor::CloseAnswer answer = FeedListEditor::CloseAnswer::Yes;
  const bool asked = editor_->HasUnsavedChanges();
  if (asked) {
    switch (Ask().YesNoCancel(editor_->CloseQuestion())) {
      case Prompts::Answer::kYes: answer = FeedListEditor::CloseAnswer::Yes; break;
      case Prompts::Answer::kNo: answer = FeedListEditor::CloseAnswer::No; break;
      default: answer = FeedListEditor::CloseAnswer::Cancel; break;
    }
  }
  if (!editor_->Close(answer)) {
    event->ignore();
    return;
  }
  dead_ = true;
  if (asked && services_.main) services_.main->RefreshTree();
  event->accept();
}

// ---------------------------------------------------------------- registration

void RegisterFeedListWindow(AppWindows& windows) {
  windows.factories.feedList = [](TForListe& list, Services& services) -> RecordWindow* {
    if (list.ForBlanding) return NewFeedListReportWindow(list);
    return new FeedListWindow(list, services);
  };
}

}  // namespace stallora
