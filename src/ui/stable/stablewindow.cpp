#include "ui/stable/stablewindow.h"

#include <QApplication>
#include <algorithm>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/textutil.h"
#include "forms/stable_texts.h"
#include "render/qttext.h"
#include "ui/appwindows.h"
#include "ui/horsewindow.h"
#include "ui/htmlview.h"
#include "ui/icons.h"
#include "ui/mailwindow.h"
#include "ui/mainwindow.h"
#include "ui/mnemonics.h"
#include "ui/models/editormodel.h"
#include "ui/qtext.h"
#include "ui/stable/diarypage.h"
#include "ui/stable/feedingpage.h"
#include "ui/stable/horsespage.h"
#include "ui/stable/informationpage.h"
#include "ui/stable/treatmentspage.h"
#include "ui/workspacetree.h"

namespace stallora {

using namespace stabletext;
namespace sc = stablechange;
namespace fs = std::filesystem;

StableWindow::StableWindow(TStall& stable, Services& services, QWidget* parent)
    : RecordWindow(parent), stable_(&stable), services_(services) {
  setObjectName("frmStallinfo");
  setWindowIcon(Icon(stable.ErModellHestStall ? IconKind::ModelStable : IconKind::Stable));
  editor_ = std::make_unique<StableEditor>(stable, *services_.workspace);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 0, 4, 4);
  auto* bar = new QMenuBar(this);
  menuStable_ = bar->addMenu(Q(stable.stallNavn));
  menuStable_->setObjectName("miStable");
  layout->addWidget(bar);

  pcStallinfo_ = new QTabWidget(this);
  pcStallinfo_->setObjectName("pcStallinfo");
  infoPage_ = new StableInformationPage(*this);
  horsesPage_ = new StableHorsesPage(*this);
  diaryPage_ = new StableDiaryPage(*this);
  feedingPage_ = new StableFeedingPage(*this);
  treatmentsPage_ = new StableTreatmentsPage(*this);
  pcStallinfo_->addTab(infoPage_, T(kInformation));
  pcStallinfo_->addTab(horsesPage_, T(kHesteIStalden));
  pcStallinfo_->addTab(diaryPage_, T(stabletext::kDagbog));
  pcStallinfo_->addTab(feedingPage_, T(common::kFoderbehovIStalden));
  pcStallinfo_->addTab(treatmentsPage_, T(kRapporter) + ", " + TLower(common::kBehandlinger));
  layout->addWidget(pcStallinfo_, 1);

  auto* buttons = new QHBoxLayout;
  auto* close = new QPushButton(Icon(IconKind::Close), T(kLuk), this);
  close->setObjectName("btnClose");
  buttons->addStretch();
  buttons->addWidget(close);
  layout->addLayout(buttons);

  BuildMenu();
  AssignMnemonics(bar, services_.main ? MnemonicsOf(services_.main->menuBar()) : QSet<QChar>{});

  relay_ = new EditorRelay(*editor_, this);
  connect(relay_, &EditorRelay::Changed, this, [this](unsigned changed) {
    if (!dead_) Edited(changed);
  });
  connect(pcStallinfo_, &QTabWidget::currentChanged, this, [this](int index) { PageChanged(index); });
  connect(close, &QPushButton::clicked, this, [this] { CloseWindow(); });

  pcStallinfo_->setCurrentWidget(infoPage_);
  editor_->Open();
  diaryPage_->ShowRecord();
  StoreSignature();
  infoPage_->FocusName();
  resize(960, 640);
}

StableWindow::~StableWindow() {
  // The pages and models go before the editor they read.
  delete pcStallinfo_;
  delete relay_;
}

Record* StableWindow::record() const { return stable_; }

QSize StableWindow::sizeHint() const {
  const QSize hint = RecordWindow::sizeHint();
  const QMargins m = layout()->contentsMargins();
  const int tabs = pcStallinfo_->tabBar()->sizeHint().width() + m.left() + m.right() + 24;
  return {std::max(hint.width(), tabs), hint.height()};
}

void StableWindow::BuildMenu() {
  QMenu* m = menuStable_;
  auto item = [&](QMenu* menu, const char* name, const QString& text, void (StableWindow::*f)(), IconKind icon,
                  bool withIcon) {
    QAction* a = withIcon ? menu->addAction(Icon(icon), text) : menu->addAction(text);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, [this, f] {
      if (!dead_) (this->*f)();
    });
    return a;
  };
  QAction* save = item(m, "miStableSave", T(kGem) + " " + T(kStald), &StableWindow::SaveStable, IconKind::Save, true);
  save->setShortcut(QKeySequence::Save);
  save->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  addAction(save);
  QAction* saveAs = m->addAction(T(kGemStaldenSom));
  saveAs->setObjectName("miStableSaveAs");
  connect(saveAs, &QAction::triggered, this, [this] { Ask().Inform(Tr(kValgIkkeAktivt)); });
  item(m, "miStableDelete", T(kSlet) + " " + T(kStald), &StableWindow::DeleteStable, IconKind::Delete, true);
  item(m, "miStableEmail", T(kSendInformation), &StableWindow::MailStable, IconKind::Mail, true);
  item(m, "miStableHelp", T(kHjaelp), &StableWindow::Help, IconKind::Help, true);
  m->addSeparator();
  QMenu* lists = m->addMenu(Icon(IconKind::FeedList), T(kStaldfoderliste));
  lists->setObjectName("miStableFeedlist");
  item(lists, "miStableShowFeedlist", T(kVis) + " " + TLower(kStaldfoderliste), &StableWindow::ShowFeedList,
       IconKind::FeedList, false);
  item(lists, "miDeleteAllfeeds", T(kSletAlle) + " " + T(kFoderWord), &StableWindow::DeleteAllFeeds, IconKind::Delete,
       false);
  item(lists, "miFeedsFromNewList", T(kVaelgNy) + " " + T(common::kFoderliste), &StableWindow::FeedsFromNewList,
       IconKind::FeedList, false);
  miBrands_ = item(lists, "miBrands", T(kVaelgLeverandoerer) + " " + Q(stable_->stallNavn), &StableWindow::ChooseBrands,
                   IconKind::FeedList, false);
  // The generate dialog is offered once it is there.
  miBrands_->setEnabled(services_.windows && services_.windows->generateFeedList);
  m->addSeparator();
  item(m, "miStableCreateHorse", T(kNyHest), &StableWindow::NewHorse, IconKind::NewHorse, true);
  item(m, "miStableImportHorse", T(kImporterHest), &StableWindow::ImportHorse, IconKind::Horse, false);
  item(m, "miStableExportHorse", T(kEksporterHest), &StableWindow::ExportHorse, IconKind::Horse, false);
}

// ---------------------------------------------------------------- edits and repaints

void StableWindow::Edited(ChangeFlags changed) {
  infoPage_->EditorChanged(changed);
  treatmentsPage_->EditorChanged(changed);
  const StableView& v = editor_->View();
  if (changed & sc::kCaption) {
    setWindowTitle(Q(v.caption));
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->setWindowTitle(Q(v.caption));
    menuStable_->setTitle(Q(v.menuCaption));
    miBrands_->setText(T(kVaelgLeverandoerer) + " " + Q(v.name));
    // The horse windows of the stable show its new name.
    if (services_.main)
      for (QMdiSubWindow* sub : services_.main->MdiArea()->subWindowList())
        if (auto* w = qobject_cast<HorseWindow*>(sub->widget()); w && !w->Dead() && w->Horse().stable == stable_)
          w->RenameCaption(w->Horse().Navn);
  }
  if (changed & sc::kModel) setWindowIcon(Icon(v.modelStable ? IconKind::ModelStable : IconKind::Stable));
  if (changed & sc::kNotes) diaryPage_->ShowRecord();
  infoPage_->Repaint(changed);
  horsesPage_->Repaint(changed);
  feedingPage_->Repaint(changed);
  treatmentsPage_->Repaint(changed);
  if (changed & (sc::kHorses | sc::kPage)) ApplyVisibility();
  if ((changed & sc::kPage) && PageOf(pcStallinfo_->currentIndex()) != v.page) {
    switching_ = true;
    pcStallinfo_->setCurrentWidget(PageWidget(v.page));
    switching_ = false;
  }
  if (changed & (sc::kTree | sc::kModel | sc::kCaption)) emit RecordChanged();
}

void StableWindow::ApplyVisibility() {
  const bool horses = editor_->View().hasHorses;
  for (QWidget* page : {static_cast<QWidget*>(horsesPage_), static_cast<QWidget*>(feedingPage_),
                        static_cast<QWidget*>(treatmentsPage_)})
    pcStallinfo_->setTabVisible(pcStallinfo_->indexOf(page), horses);
}

StablePage StableWindow::PageOf(int index) const {
  QWidget* w = pcStallinfo_->widget(index);
  if (w == horsesPage_) return StablePage::Horses;
  if (w == diaryPage_) return StablePage::Diary;
  if (w == feedingPage_) return StablePage::Feeding;
  if (w == treatmentsPage_) return StablePage::Treatments;
  return StablePage::Information;
}

QWidget* StableWindow::PageWidget(StablePage page) const {
  switch (page) {
    case StablePage::Horses: return horsesPage_;
    case StablePage::Diary: return diaryPage_;
    case StablePage::Feeding: return feedingPage_;
    case StablePage::Treatments: return treatmentsPage_;
    case StablePage::Information: break;
  }
  return infoPage_;
}

void StableWindow::PageChanged(int index) {
  if (switching_ || dead_) return;
  Tell(editor_->ShowPage(PageOf(index)));
}

void StableWindow::ShowPage(StablePage page) {
  if (dead_) return;
  if (PageWidget(page) == pcStallinfo_->currentWidget())
    Tell(editor_->ShowPage(page));
  else
    pcStallinfo_->setCurrentWidget(PageWidget(page));
}

void StableWindow::ShowTreatmentTree() { treatmentsPage_->ShowTreatmentTree(); }

void StableWindow::ShowReportFile(HtmlView& view, const fs::path& file) {
  if (auto bytes = ReadWholeFile(file)) view.ShowReport(*bytes, file.parent_path());
}

void StableWindow::Tell(const StableOutcome& outcome, QWidget* field) {
  if (outcome.message.empty()) return;
  if (outcome.ok)
    Ask().Inform(outcome.message);
  else if (field || outcome.keepFocus)
    Ask().Warn(outcome.message, {});
  else
    Ask().Error(outcome.message);
  if (field && outcome.keepFocus) QTimer::singleShot(0, field, [field] { field->setFocus(); });
}

// ---------------------------------------------------------------- other windows

HorseWindow* StableWindow::OpenHorse(THest& horse) {
  if (!services_.main) return nullptr;
  services_.main->OpenHorse(horse);
  for (QMdiSubWindow* sub : services_.main->MdiArea()->subWindowList())
    if (auto* w = qobject_cast<HorseWindow*>(sub->widget()); w && !w->Dead() && &w->Horse() == &horse) return w;
  return nullptr;
}

bool StableWindow::HorseWindowOpen() const {
  if (!services_.main) return false;
  for (QMdiSubWindow* sub : services_.main->MdiArea()->subWindowList())
    if (auto* w = qobject_cast<HorseWindow*>(sub->widget()); w && !w->Dead() && w->Horse().stable == stable_)
      return true;
  return false;
}

void StableWindow::RefreshMainWindow() {
  if (services_.main) services_.main->RefreshTree();
}

void StableWindow::CloseWindow() {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
    sub->close();
  else
    close();
}

// ---------------------------------------------------------------- record

void StableWindow::TakeDataIntoRecord() {
  if (dead_) return;
  Editor::Batch edit(*editor_);
  infoPage_->TakeDataIntoRecord();
  diaryPage_->TakeDataIntoRecord();
}

bool StableWindow::SaveRecord(QString* error) {
  if (dead_) return true;
  const StableOutcome r = editor_->Save();
  if (!r.ok) {
    if (error) *error = Q(r.message);
    return false;
  }
  emit RecordChanged();
  return true;
}

bool StableWindow::HasUnsavedChanges() const { return !dead_ && editor_->Changed(); }

void StableWindow::StoreSignature() {
  if (!dead_) editor_->StoreSignature();
}

void StableWindow::WindowActivated() {
  if (dead_) return;
  editor_->Activate();
  // The focus goes to the name unless the user already works somewhere in the window.
  QWidget* focus = QApplication::focusWidget();
  if (!focus || !isAncestorOf(focus)) infoPage_->FocusName();
}

void StableWindow::RecordGoing(const Record& record) {
  if (&record == stable_) dead_ = true;
}

void StableWindow::closeEvent(QCloseEvent* event) {
  if (dead_) {
    event->accept();
    return;
  }
  TakeDataIntoRecord();
  if (const auto question = editor_->CloseQuestion()) {
    const auto answer = Ask().YesNoCancel(*question);
    if (answer == Prompts::Answer::kCancel) {
      event->ignore();
      return;
    }
    if (answer == Prompts::Answer::kYes) {
      QString error;
      if (!SaveRecord(&error)) {
        // The window stays open with what the user typed.
        Ask().Error(L(error));
        event->ignore();
        return;
      }
    } else {
      Tell(editor_->RestoreFromFile());
      RefreshMainWindow();
    }
  }
  dead_ = true;
  event->accept();
}

// ---------------------------------------------------------------- menu commands

void StableWindow::SaveStable() {
  TakeDataIntoRecord();
  QString error;
  if (!SaveRecord(&error)) Ask().Error(L(error));
}

void StableWindow::DeleteStable() {
  if (!Ask().YesNo(editor_->DeleteStableQuestion())) return;
  Workspace& ws = *services_.workspace;
  TStall* stable = stable_;
  MainWindow* main = services_.main;
  StoreSignature();
  // The workspace announces the stable and its horses going: their windows (this one too)
  // close without asking, and nothing of this window is touched after.
  std::string error;
  const bool ok = ws.DeleteStable(*stable, &error);
  Prompts& ask = *services_.prompts;
  if (!ok) ask.Error(error);
  if (main) main->RefreshTree();
}

void StableWindow::MailStable() {
  if (services_.main && services_.main->mailWindow) services_.main->mailWindow(nullptr, stable_);
}

void StableWindow::Help() {
  if (services_.main) services_.main->OpenInfoPage(T(kHjaelp), editor_->HelpAddress());
}

void StableWindow::ModelStableHelp() {
  if (services_.main) services_.main->OpenInfoPage(T(kModelhestStald), editor_->ModelStableHelpAddress());
}

void StableWindow::ShowFeedList() {
  if (services_.main && stable_->ForListe) services_.main->OpenFeedList(*stable_->ForListe);
}

void StableWindow::DeleteAllFeeds() { editor_->DeleteAllFeeds(); }

void StableWindow::FeedsFromNewList() {
  ShowPage(StablePage::Information);
  const StableOutcome r = editor_->OfferFeedLists();
  Tell(r);
  if (r.ok) infoPage_->FeedListChoices()->setFocus();
}

void StableWindow::ChooseBrands() {
  if (!services_.windows || !services_.windows->generateFeedList || !stable_->ForListe) return;
  const bool rebuilt = services_.windows->generateFeedList(this, *stable_->ForListe);
  if (dead_) return;
  editor_->FeedListRebuilt();
  if (rebuilt) SaveStable();
  // An open window of the list shows what it now holds.
  if (services_.main)
    for (QMdiSubWindow* sub : services_.main->MdiArea()->subWindowList())
      if (auto* w = qobject_cast<RecordWindow*>(sub->widget()); w && w->record() == stable_->ForListe.get())
        services_.main->OpenFeedList(*stable_->ForListe);
}

void StableWindow::NewHorse() {
  THest& h = editor_->NewHorse();
  RefreshMainWindow();
  OpenHorse(h);
}

void StableWindow::ImportHorse() {
  for (;;) {
    const ImportDialog d = editor_->ImportDialogFor();
    const QString file = Ask().OpenFileName(Q(d.title), Q(PathText(d.directory)), Q(d.filter));
    if (file.isEmpty()) return;
    const fs::path path = PathFromText(L(file));
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return;
    const ImportResult r = editor_->ImportHorse(path);
    if (r.kind == ImportResult::NotAHorseFile) {
      if (Ask().OkCancel(r.message)) continue;
      return;
    }
    if (r.kind == ImportResult::Failed) {
      Ask().Error(r.message);
      return;
    }
    if (!r.message.empty()) Ask().Inform(r.message);
    RefreshMainWindow();
    if (services_.main) services_.main->Tree()->expandAll();
    return;
  }
}

void StableWindow::ExportHorse() {
  const StableQuestion q = editor_->AskExportHorse();
  if (!q.refusal.empty()) {
    Ask().Inform(q.refusal);
    infoPage_->HorseList()->setFocus();
    return;
  }
  const QString dir = Ask().ChooseDirectory(Q(q.question), Q(PathText(services_.app->preferences.SaveDirectory())));
  if (dir.isEmpty()) return;
  const fs::path target = PathFromText(L(dir));
  const auto [file, overwrite] = editor_->ExportTarget(target);
  if (!overwrite.empty() && !Ask().YesNo(overwrite)) return;
  const StableOutcome r = editor_->ExportHorse(target);
  if (!r.ok) {
    Tell(r);
    return;
  }
  // The exported horse goes on by mail when the user wants it to.
  if (services_.windows && services_.main)
    if (THest* h = stable_->HorseByName(q.subject)) services_.windows->Mail().Horsemail(h, file);
}

void RegisterStableWindow(AppWindows& windows) {
  windows.factories.stable = [](TStall& stable, Services& services) -> RecordWindow* {
    return new StableWindow(stable, services);
  };
}

}  // namespace stallora
