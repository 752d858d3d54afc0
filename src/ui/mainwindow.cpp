#include "ui/reportwindow.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDockWidget>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/textutil.h"
#include "core/version.h"
#include "feeds/feedlist_import.h"
#include "render/pictures.h"
#include "ui/qtext.h"
#include "ui/horsetexts.h"
#include "ui/icons.h"
#include "ui/infobrowser.h"
#include "ui/mainwindow_texts.h"
#include "ui/mnemonics.h"
#include "ui/workspacetree.h"

namespace stallora {
using namespace maintext;
namespace {

QString Lower(const Text& t) { return Q(FirstLetterLower(Tr(t))); }
QString Upper(const Text& t) { return Q(FirstLetterUpper(Tr(t))); }

std::string MonthName(int month) {
  static const char* kMonths[] = {"januar", "februar", "marts",     "april",   "maj",      "juni",
                                  "juli",   "august",  "september", "oktober", "november", "december"};
  return kMonths[(month - 1) % 12];
}

}  // namespace

MainWindow::MainWindow(AppContext& app, Workspace& workspace, Prompts& prompts)
    : app_(app), workspace_(workspace), windows_(std::make_unique<AppWindows>(this, this, &app.clock, &app.regional)) {
  services_ = Services{&app_, &workspace_, this, &prompts, windows_.get()};
  prompts.SetOwner(this, windows_.get());
  if (app_.environment) app_.environment->beforeRecordGoes = [this](const Record& r) { RecordGoing(r); };
  setWindowTitle(QStringLiteral("Stallora"));
  setWindowIcon(Icon(IconKind::Horse));
  mdi_ = new QMdiArea(this);
  connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) { NotifyActivated(sub); });
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  BuildNavigation();
  BuildMenus();
  BuildToolBar();
  statusBar()->showMessage(QString());

  const TPreferences& p = app_.preferences;
  resize(std::max(640, p.MainFormWidth), std::max(480, p.MainFormHeight));
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  if (p.MainFormWindowState == TWindowState::wsMaximized) setWindowState(Qt::WindowMaximized);
}

ExternalOpener MainWindow::Opener() {
  return [this](const QUrl& url) { return Ask().OpenExternal(url); };
}

MainWindow::~MainWindow() {
  // The sub-windows die after this object's members; they must not reach back into them.
  // Closed ones wait for their deferred deletion and are no longer in the area's list.
  for (QMdiSubWindow* sub : mdi_->findChildren<QMdiSubWindow*>()) sub->disconnect(this);
  // The area tells of the last sub-window's deactivation while it is destroyed, by which
  // time this object is only a QWidget.
  mdi_->disconnect(this);
  children_.clear();
  if (app_.environment) app_.environment->beforeRecordGoes = nullptr;
}

void MainWindow::BuildNavigation() {
  auto* panel = new QWidget(this);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(4, 4, 4, 4);
  picture_ = new QLabel(panel);
  picture_->setAlignment(Qt::AlignCenter);
  picture_->setMinimumHeight(90);
  const QImage splash = ReadPicture(app_.preferences.ImagesDirectory() / "program.jpg");
  if (!splash.isNull())
    picture_->setPixmap(QPixmap::fromImage(splash).scaled(230, 110, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  else
    picture_->setPixmap(Icon(IconKind::Horse).pixmap(72, 72));
  layout->addWidget(picture_);

  auto* tabs = new QTabWidget(panel);
  auto* version = new QWidget(tabs);
  auto* vl = new QVBoxLayout(version);
  versionInfo_ = new QLabel(version);
  feedListLabel_ = new QLabel(version);
  feedListLabel_->setWordWrap(true);
  upgradeLink_ = new QLabel(version);
  newListLink_ = new QLabel(version);
  seasonLink_ = new QLabel(version);
  for (QLabel* l : {upgradeLink_, newListLink_, seasonLink_}) {
    l->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    l->setOpenExternalLinks(false);
  }
  vl->addWidget(versionInfo_);
  vl->addWidget(feedListLabel_);
  vl->addWidget(upgradeLink_);
  vl->addWidget(newListLink_);
  vl->addWidget(seasonLink_);
  vl->addStretch();
  tabs->addTab(version, T(kVersionWord));
  links_ = new QListWidget(tabs);
  links_->setToolTip(T(kDobbeltklik));
  links_->setStatusTip(T(kDobbeltklik));
  tabs->addTab(links_, T(kLinks));
  tabs->setMaximumHeight(170);
  layout->addWidget(tabs);

  tree_ = new WorkspaceTree(panel);
  layout->addWidget(tree_, 1);

  auto* splitter = new QSplitter(this);
  splitter->addWidget(panel);
  splitter->addWidget(mdi_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({260, 900});
  setCentralWidget(splitter);

  connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    const NodeRef r = WorkspaceTree::Ref(item);
    // While the workspace is read its records are not opened: the scan's last steps may
    // still change and save them.
    if (!r.record || workspace_.Scanning()) return;
    switch (r.kind) {
      case NodeKind::Horse: OpenHorse(*static_cast<THest*>(r.record)); break;
      case NodeKind::Stable: OpenStable(*static_cast<TStall*>(r.record)); break;
      case NodeKind::FeedList:
      case NodeKind::StableFeedList: OpenFeedList(*static_cast<TForListe*>(r.record)); break;
    }
  });
  connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { UpdateCommands(); });
  connect(tree_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    QTreeWidgetItem* item = tree_->itemAt(pos);
    if (!item || workspace_.Scanning()) return;
    const NodeRef r = WorkspaceTree::Ref(item);
    QMenu menu(this);
    const QString name = MenuLiteral(item->text(0));
    QIcon icon = item->icon(0);
    menu.addAction(icon, T(kVis) + " " + name, [this, item] { emit tree_->itemDoubleClicked(item, 0); });
    menu.addAction(Icon(IconKind::Save), T(kGem) + " " + name, [this] { SaveSelected(); });
    if (r.kind != NodeKind::StableFeedList)
      menu.addAction(Icon(IconKind::Delete), T(kSlet) + " " + name, [this] { DeleteSelected(); });
    const QString mailCaption = (r.kind == NodeKind::Horse ? T(kEksporterHest) : T(kExporter)) + " " + name + " (" +
                                T(kEpost) + ")";
    menu.addAction(Icon(IconKind::Mail), mailCaption, [this] { MailSelected(); });
    if (r.kind == NodeKind::Horse)
      menu.addAction(Icon(IconKind::NewHorse), T(kOpretKopi) + " " + name, [this] { CopySelectedHorse(); });
    if (r.kind == NodeKind::Stable)
      menu.addAction(Icon(IconKind::Horse), T(kImporterHest) + " " + name, [this] { ImportHorseIntoSelected(); });
    AssignMnemonics(&menu);
    menu.exec(tree_->viewport()->mapToGlobal(pos));
  });
  tree_->onMoveHorse = [this](THest& h, TStall& s) {
    if (!workspace_.Scanning()) MoveHorse(h, s);
  };
  connect(links_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    const int i = links_->row(item);
    if (i < 0 || i >= static_cast<int>(app_.settings.feedCompanies.size())) return;
    const std::string web = app_.settings.feedCompanies[static_cast<size_t>(i)].web;
    InfoBrowser* w = InfoBrowser::OpenWindow(Q(web), QUrl::fromUserInput(Q(web)), this, Opener());
    if (!w) return;
    const QRect g = geometry();
    const int screenH = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry().height() : 800;
    w->setGeometry(g.left() + g.width() / 10, g.top() + g.height() * 3 / 100, g.width() * 7 / 10, screenH * 8 / 10);
  });
  connect(seasonLink_, &QLabel::linkActivated, this, [this] {
    OpenInfoPage(seasonLink_->text().remove(QRegularExpression("<[^>]*>")),
                 app_.preferences.SeasonPage(0, app_.Env().Today()));
  });
  connect(newListLink_, &QLabel::linkActivated, this, [this] {
    if (fetchNewestList) fetchNewestList();
  });
  connect(upgradeLink_, &QLabel::linkActivated, this, [this] {
    OpenInfoPage(T(kOpdater), app_.preferences.NewVersionPage());
  });
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(T(kFil));
  auto& needsWorkspace = workspaceActions_;
  QAction* a = file->addAction(Icon(IconKind::NewStable), T(kOpretNyStald), this, &MainWindow::NewStable);
  a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  needsWorkspace << a;
  needsWorkspace << file->addAction(Icon(IconKind::FeedList), T(kOpretNyForliste), this, &MainWindow::NewFeedList);
  needsWorkspace << file->addAction(Icon(IconKind::FeedMix), T(kEtabler) + " " + Lower(kNy) + " " + Lower(kForblanding),
                                    this, &MainWindow::NewFeedMix);
  a = file->addAction(Icon(IconKind::Save), T(kGemStaldOgHeste), this, &MainWindow::SaveStableAndHorses);
  a->setShortcut(QKeySequence::Save);
  needsWorkspace << a;
  needsWorkspace << file->addAction(Icon(IconKind::Delete), T(kSlet) + " " + Lower(kStald), this,
                                    &MainWindow::DeleteStableCommand);
  file->addSeparator();
  needsWorkspace << file->addAction(T(kSikkerhedskopier) + " " + T(kInformation), this, &MainWindow::Backup);
  // The save directory is changed on the welcome window.
  needsWorkspace << file->addAction(T(kMappe), this, [this] {
    if (showWelcome) showWelcome();
  });
  file->addSeparator();
  needsWorkspace << file->addAction(T(kImporterStald), this, &MainWindow::ImportStable);
  needsWorkspace << file->addAction(T(kImporterForliste), this, &MainWindow::ImportFeedList);
  needsWorkspace << file->addAction(T(kImporterRuvex), this, &MainWindow::ImportTextFeedList);
  updateProgram_ = file->addAction(T(kOpdater), this, [this] {
    OpenInfoPage(T(kOpdater), app_.preferences.NewVersionPage());
  });
  file->addSeparator();
  file->addAction(Icon(IconKind::Close), T(kLuk), this, &QWidget::close)->setShortcut(QKeySequence::Quit);

  QMenu* settings = menuBar()->addMenu(T(kIndstillinger));
  settings->addAction(T(kKontaktregister), this, [this] {
    if (showContacts) showContacts();
  });
  QMenu* prefs = settings->addMenu(T(kIndstillingAf));
  // The preferences dialog's pages; enabled by the dialog's registration for the pages it has.
  const char* prefNames[] = {"actPrefCompany", "actPrefNutrients", "actPrefSystem", "actPrefObjects"};
  int prefPage = 0;
  for (const Text* t : {&kInformationOm, &kMainNutrient, &kBehovsberegninger, &kEnergyRules}) {
    QString caption = T(*t);
    if (t == &kInformationOm) caption += " " + Lower(kFirma) + ", " + Lower(kSkole);
    QAction* a = prefs->addAction(caption, this, [this, prefPage] {
      if (windows_->preferences) windows_->preferences(this, prefPage);
    });
    a->setObjectName(prefNames[prefPage++]);
    a->setEnabled(false);
  }
  settings->addAction(T(kEnergiOgProtein), this, &MainWindow::ShowEnergyProtein);
  QAction* treatmentsItem = settings->addAction(T(kBehandlingsinformation), this, [this] {
    if (windows_->preferences) windows_->preferences(this, 4);  // the treatment page
  });
  treatmentsItem->setObjectName("actPrefTreatments");
  treatmentsItem->setEnabled(false);
  settings->addAction(T(kPrinteropsaetning), this, [this] {
    QPrinter printer;
    QPageSetupDialog dialog(&printer, this);
    dialog.exec();
  });

  QMenu* mail = menuBar()->addMenu(Upper(kEpost));
  mail->addAction(Icon(IconKind::Mail), T(kEnkelEpost), this, [this] {
    if (simpleMail) simpleMail();
  });
  needsWorkspace << mail->addAction(Upper(kEpost) + " " + Lower(kStald) + "/" + Lower(kHest), this, [this] {
    if (!mailWindow) return MailSelected();
    if (THest* h = SelectedHorse()) mailWindow(h, h->stable);
    else if (TStall* s = SelectedStable()) mailWindow(nullptr, s);
    else Ask().Inform(Tr(kVaelgStald));
  });

  windowMenu_ = menuBar()->addMenu(T(kVindue));
  connect(windowMenu_, &QMenu::aboutToShow, this, [this] {
    windowMenu_->clear();
    windowMenu_->addAction(T(kOrdneVindue), this, &MainWindow::CascadeChildren);
    windowMenu_->addAction(T(kVis) + " " + Lower(kStarthjaelp), this, [this] {
      if (showWelcome) showWelcome();
    })->setEnabled(showWelcome && !(welcomeShown && welcomeShown()) && !workspace_.Scanning());
    const auto list = mdi_->subWindowList();
    if (!list.isEmpty()) windowMenu_->addSeparator();
    for (QMdiSubWindow* w : list) {
      QAction* act =
          windowMenu_->addAction(MenuLiteral(w->windowTitle()), this, [this, w] { mdi_->setActiveSubWindow(w); });
      act->setCheckable(true);
      act->setChecked(w == mdi_->activeSubWindow());
    }
    AssignMnemonics(windowMenu_);
  });

  QMenu* help = menuBar()->addMenu(T(kHjaelp));
  help->addAction(T(kOmStallora), this, [this] { OpenInfoPage(T(kLaesOm), app_.preferences.AboutPage()); });
  help->addAction(Icon(IconKind::Help), T(kBrugsanvisning), this,
                  [this] { OpenInfoPage(T(kBrugsanvisning), app_.preferences.ManualPage()); })
      ->setShortcut(QKeySequence::HelpContents);
  help->addAction(T(kNormer), this, [this] { OpenInfoPage(T(kNormer), app_.preferences.NormsPage()); });
  help->addAction(T(kFordoejelse), this,
                  [this] { OpenInfoPage(T(kFordoejelse), app_.preferences.DigestionPage()); });

  QMenu* model = menuBar()->addMenu(T(kModelhestStald));
  needsWorkspace << model->addAction(Icon(IconKind::ModelStable), T(kEtabler) + " " + Lower(kModelhestStald), this,
                                     &MainWindow::CreateModelStable);
  needsWorkspace << model->addAction(Icon(IconKind::ModelHorse), T(kEtabler) + " " + Lower(kModelHeste), this,
                                     &MainWindow::CreateModelHorses);
  needsWorkspace << model->addAction(T(kSlet) + " " + Lower(kModelHeste), this, &MainWindow::DeleteModelHorses);
  AssignMnemonics(menuBar());
}

void MainWindow::BuildToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("main"));
  bar->setObjectName("maintoolbar");
  bar->setMovable(false);
  bar->setIconSize(QSize(24, 24));
  bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  auto add = [&](IconKind icon, const QString& text, const QString& hint, auto slot) {
    QAction* act = bar->addAction(Icon(icon), text);
    act->setToolTip(hint);
    act->setStatusTip(hint);
    connect(act, &QAction::triggered, this, slot);
    return act;
  };
  add(IconKind::Help, T(kHjaelp), T(kHjaelp),
      [this] { OpenInfoPage(T(kBrugsanvisning), app_.preferences.ManualPage()); });
  workspaceActions_ << add(IconKind::NewStable, T(kNyStaldButton), T(kOpretNyStald), [this] { NewStable(); });
  newHorse_ = add(IconKind::NewHorse, T(kNyHestButton), T(kNyHestButton), [this] { NewHorse(); });
  workspaceActions_ << add(IconKind::Find, T(kSoeg), T(kFindHest), [this] {
    if (findHorse) findHorse();
  });
  add(IconKind::SaveAll, T(kAfslutVinduer), T(kAfslutHint), [this] { SaveAndCloseAllWindows(); });
  // Enabled by the requirement editor's registration (unset in a test's main window).
  QAction* behovsEdit = add(IconKind::Formulas, QStringLiteral("BehovsEdit"), QStringLiteral("BehovsEdit"), [this] {
    if (windows_->requirementEditor) windows_->requirementEditor(this);
  });
  behovsEdit->setObjectName("actBehovsEdit");
  behovsEdit->setEnabled(false);
  bar->addSeparator();
  language_ = new QComboBox(bar);
  language_->addItems({"DAN", "ENG", "NOR", "SVE", "NLD"});
  language_->setCurrentText(Q(app_.regional.languageAbbreviation));
  language_->setEnabled(false);  // the interface language is the string table's
  bar->addWidget(language_);
  bar->addSeparator();
  add(IconKind::Close, T(kLukStallora), T(kLukStallora), [this] { close(); });
}

void MainWindow::ScanWorkspace() {
  StopScan();
  workspace_.Scan();
  RefreshTree();
  ShowScanMessages();
}

void MainWindow::ShowScanMessages() {
  if (scanMessagesHandler) return scanMessagesHandler(workspace_.Messages());
  if (!workspace_.Messages().empty()) {
    std::string text;
    for (const auto& m : workspace_.Messages()) text += m + "\n";
    Ask().Inform(text);
  }
}

void MainWindow::RefreshTree() {
  // While the workspace is read the tree grows with it (ScanSlice).
  if (!workspace_.Scanning()) tree_->Rebuild(workspace_);
  UpdateInformation();
  UpdateCommands();
}

void MainWindow::UpdateInformation() {
  versionInfo_->setText(T(kProgram) + " " + Lower(kVersionWord) + ":\n" + QString::fromUtf8(kProgramVersionText.data(), kProgramVersionText.size()));
  QString label = Q(workspace_.FeedListLabel());
  feedListLabel_->setText(label);
  upgradeLink_->setText("<a href=\"#\">" + T(kOpgrader) + " " + Q(offeredVersionText) + "</a>");
  upgradeLink_->setVisible(app_.newerProgram);
  newListLink_->setText("<a href=\"#\">" + T(kHentForliste) + " v." + QString::number(app_.offeredGuaranteeVersion) +
                        "</a>");
  newListLink_->setVisible(app_.newerGuaranteeList);
  const int month = DecodeDate(app_.Env().Today()).month;
  seasonLink_->setText("<a href=\"#\">" + T(kAktuelInfo) + " " + Q(FirstLetterUpper(MonthName(month))) + "</a>");
  links_->clear();
  for (const auto& c : app_.settings.feedCompanies) links_->addItem(Q(c.name));
  if (updateProgram_) updateProgram_->setEnabled(app_.newerProgram);
}

void MainWindow::UpdateCommands() {
  const bool whole = !workspace_.Scanning();
  for (QAction* action : workspaceActions_) action->setEnabled(whole);
  // The preferences change what every record is computed with, records the scan is still
  // reading among them.
  for (const char* name : {"actPrefCompany", "actPrefNutrients", "actPrefSystem", "actPrefObjects", "actPrefTreatments"})
    if (auto* a = findChild<QAction*>(name)) a->setEnabled(whole && windows_->preferences);
  if (newHorse_) newHorse_->setEnabled(whole && !workspace_.Stables().empty());
}

TStall* MainWindow::SelectedStable() const {
  const NodeRef r = WorkspaceTree::Ref(tree_->currentItem());
  return r.kind == NodeKind::Stable ? static_cast<TStall*>(r.record) : nullptr;
}

THest* MainWindow::SelectedHorse() const {
  const NodeRef r = WorkspaceTree::Ref(tree_->currentItem());
  return r.kind == NodeKind::Horse ? static_cast<THest*>(r.record) : nullptr;
}

TForListe* MainWindow::SelectedFeedList() const {
  const NodeRef r = WorkspaceTree::Ref(tree_->currentItem());
  return (r.kind == NodeKind::FeedList || r.kind == NodeKind::StableFeedList) ? static_cast<TForListe*>(r.record)
                                                                              : nullptr;
}

// ---- child windows

QMdiSubWindow* MainWindow::FindChild(const Record* record) const {
  auto it = children_.find(record);
  return it == children_.end() ? nullptr : it->data();
}

void MainWindow::CascadeChildren() {
  mdi_->cascadeSubWindows();
  // Cascading gives each window its preferred size; one larger than the area would open
  // partly out of sight, behind scroll bars.
  const QSize room = mdi_->viewport()->size();
  for (QMdiSubWindow* sub : mdi_->subWindowList()) {
    const QSize fit(std::min(sub->width(), room.width() - sub->x()), std::min(sub->height(), room.height() - sub->y()));
    if (fit != sub->size() && fit.width() > 200 && fit.height() > 150) sub->resize(fit);
  }
}

QMdiSubWindow* MainWindow::AddChild(Record* record, RecordWindow* window, const QString& caption) {
  QMdiSubWindow* sub = mdi_->addSubWindow(window);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->setWindowTitle(caption);
  children_.insert(record, sub);
  connect(sub, &QObject::destroyed, this, [this, record] { children_.remove(record); });
  connect(window, &RecordWindow::RecordChanged, this, [this] { RefreshTree(); });
  sub->move(0, 0);
  sub->show();
  return sub;
}

bool MainWindow::CloseChildOf(const Record* record, bool store) {
  QMdiSubWindow* sub = FindChild(record);
  if (!sub) return true;
  if (auto* w = qobject_cast<RecordWindow*>(sub->widget())) {
    if (store) w->StoreSignature();
  }
  const QPointer<QMdiSubWindow> guard(sub);
  sub->close();
  // A window that stays open (its close was cancelled) keeps its record.
  if (guard && guard->isVisible()) return false;
  children_.remove(record);
  return true;
}

void MainWindow::RecordGoing(const Record& record) {
  for (QMdiSubWindow* sub : mdi_->subWindowList())
    if (auto* w = qobject_cast<RecordWindow*>(sub->widget())) w->RecordGoing(record);
  for (const auto& watcher : recordGoingWatchers) watcher(record);
  QMdiSubWindow* sub = FindChild(&record);
  children_.remove(&record);
  if (!sub) return;
  const QPointer<QMdiSubWindow> guard(sub);
  sub->close();
  // A window that refused to close must not outlive its record on screen.
  if (guard && guard->isVisible()) {
    guard->hide();
    guard->deleteLater();
  }
}

QString MainWindow::HorseCaption(const THest& h) const {
  if (h.stable) return Q(h.Navn + "  (" + h.stable->stallNavn + ")");
  return Q(h.Navn);
}

void MainWindow::OpenHorse(THest& horse) {
  if (RaiseChild(&horse)) return;
  if (!windows_->factories.horse) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  RecordWindow* w = windows_->factories.horse(horse, services_);
  QApplication::restoreOverrideCursor();
  if (!w) return;
  AddChild(&horse, w, HorseCaption(horse));
  CascadeChildren();
}

void MainWindow::OpenStable(TStall& stable) {
  if (RaiseChild(&stable)) return;
  if (!windows_->factories.stable) return;
  RecordWindow* w = windows_->factories.stable(stable, services_);
  if (!w) return;
  AddChild(&stable, w, Q(stable.stallNavn));
  CascadeChildren();
}

bool MainWindow::RaiseChild(const Record* record) {
  QMdiSubWindow* sub = FindChild(record);
  if (!sub) return false;
  sub->showNormal();
  mdi_->setActiveSubWindow(sub);
  // A report shown read-only follows what was saved since it was made.
  if (auto* reports = qobject_cast<ReportWindow*>(sub->widget())) reports->Refresh();
  return true;
}

void MainWindow::OpenFeedList(TForListe& list) {
  if (RaiseChild(&list)) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const auto& factory =
      list.ForBlanding && windows_->factories.mix ? windows_->factories.mix : windows_->factories.feedList;
  RecordWindow* w = factory ? factory(list, services_) : NewFeedListReportWindow(list);
  QApplication::restoreOverrideCursor();
  if (!w) return;
  AddChild(&list, w, Q(list.ForlisteNavn));
  CascadeChildren();
}

void MainWindow::ShowHtml(const std::string& html, const QString& caption, int widthKind) {
  InfoBrowser::ShowHtmlText(html, caption, widthKind, app_.preferences.TempDirectory(), width(), this);
}

void MainWindow::OpenInfoPage(const QString& caption, const std::string& address) {
  InfoBrowser::VisHelpScreenURL(caption, QUrl(Q(address)), this, Opener());
}

// ---- commands

void MainWindow::NewStable() {
  std::string warning;
  TStall& s = workspace_.NewStable(&warning);
  if (!warning.empty()) Ask().Inform(warning);
  RefreshTree();
  tree_->SelectRecord(&s);
  OpenStable(s);
}

void MainWindow::NewHorse() {
  const auto& stables = workspace_.Stables();
  if (stables.empty()) {
    Ask().Inform(Tr(kOpretStaldFoerst));
    return;
  }
  TStall* stable = SelectedStable();
  if (!stable && SelectedHorse()) stable = SelectedHorse()->stable;
  if (!stable && stables.size() == 1) stable = stables.front().get();
  if (!stable) {
    Ask().Inform(Tr(kVaelgStald));
    return;
  }
  THest& h = stable->NewHorse();
  RefreshTree();
  tree_->SelectRecord(&h);
  OpenHorse(h);
}

void MainWindow::NewFeedList() {
  auto answer = Ask().AskText(T(kNy) + " " + Q(Tr(kFoderliste)), T(kAngivNavn), QString());
  if (!answer || answer->trimmed().isEmpty()) return;
  const std::string name = L(answer->trimmed());
  if (auto problem = ValidateFileName(name)) {
    Ask().Error(*problem);
    return;
  }
  if (workspace_.FeedListNameTaken(name)) {
    Ask().Error(name + " " + FirstLetterLower(Tr(kFindesAendre)));
    return;
  }
  TForListe& list = workspace_.NewFeedList(name, false);
  RefreshTree();
  tree_->SelectRecord(&list);
}

void MainWindow::NewFeedMix() {
  QString caption = T(kNy) + " " + Lower(kForblanding);
  QString proposal = Q(workspace_.NewMixName());
  for (;;) {
    auto answer = Ask().AskText(caption, T(kNavn), proposal);
    if (!answer) return;
    const std::string name = L(answer->trimmed());
    if (auto problem = ValidateFileName(name)) {
      Ask().Error(*problem);
      return;
    }
    if (workspace_.FeedListNameTaken(name)) {
      caption = *answer + " " + Lower(kFindesAendre) + "!";
      proposal = *answer;
      continue;
    }
    TForListe& mix = workspace_.NewFeedList(name, true);
    RefreshTree();
    tree_->SelectRecord(&mix);
    OpenFeedList(mix);
    return;
  }
}

void MainWindow::DeleteStableCommand() {
  TStall* s = SelectedStable();
  if (!s) {
    Ask().Inform(Tr(kVaelgStald));
    return;
  }
  if (!Ask().Confirm(s->stallNavn + ": " + Tr(kFjernStald))) return;
  // The record is going: its windows close without asking to save it.
  for (const auto& h : s->Horses())
    if (!CloseChildOf(h.get(), true)) return;
  if (!CloseChildOf(s, true)) return;
  std::string error;
  if (!workspace_.DeleteStable(*s, &error)) Ask().Error(error);
  RefreshTree();
}

void MainWindow::DeleteSelected() {
  std::string error;
  if (TStall* s = SelectedStable()) {
    if (!Ask().Confirm(Tr(kBekraeftSletning) + ": " + s->stallNavn)) return;
    for (const auto& h : s->Horses())
      if (!CloseChildOf(h.get(), true)) return;
    if (!CloseChildOf(s, true)) return;
    if (!workspace_.DeleteStable(*s, &error)) Ask().Error(error);
  } else if (THest* h = SelectedHorse()) {
    if (!Ask().Confirm(Tr(kBekraeftSletning) + " " + h->Navn)) return;
    TStall* stable = h->stable;
    if (!CloseChildOf(h, true)) return;
    const std::string name = h->Navn;
    const auto dir = stable->HorseDirectory(*h);
    if (!stable->DeleteHorse(name, &error))
      Ask().Error(Tr(kFejl) + Tr(kSletningAf) + " " + name + "\r" + Tr(kSlet) + " " + Tr(kMappeWord) + " " + PathText(dir) +
                      " " + FirstLetterLower(Tr(kManuelt)));
    RefreshTree();
    tree_->SelectRecord(stable);
    if (QTreeWidgetItem* item = tree_->ItemOf(stable)) item->setExpanded(true);
    return;
  } else if (TForListe* l = SelectedFeedList()) {
    if (l->owner == ListOwnerKind::Stable) return;
    if (l->ErGarantiForliste && !workspace_.MayDeleteGuaranteeList()) {
      Ask().Inform(Tr(kGarantifoderliste) + "\r" + Tr(kSlet) + " " + FirstLetterLower(Tr(kIkkeTilladt)));
      return;
    }
    if (!Ask().Confirm(Tr(kBekraeftSletning) + ": " + l->ForlisteNavn)) return;
    if (!CloseChildOf(l, true)) return;
    if (!workspace_.DeleteFeedListFile(*l, &error)) Ask().Error(error);
  }
  RefreshTree();
}

void MainWindow::DeleteFeedList(TForListe& list) {
  if (list.owner == ListOwnerKind::Stable) return;
  if (!CloseChildOf(&list, true)) return;
  std::string error;
  if (!workspace_.DeleteFeedListFile(list, &error)) Ask().Error(error);
  RefreshTree();
}

void MainWindow::CopySelectedHorse() {
  THest* h = SelectedHorse();
  if (!h || !h->stable) return;
  THest& copy = h->stable->CopyHorse(*h);
  RefreshTree();
  tree_->SelectRecord(&copy);
  OpenHorse(copy);
}

void MainWindow::CreateModelStable() {
  TStall& s = workspace_.NewModelHorseStable();
  RefreshTree();
  tree_->SelectRecord(&s);
}

void MainWindow::CreateModelHorses() {
  TStall* s = SelectedStable();
  if (!workspace_.ModelHorseStable()) {
    s = &workspace_.NewModelHorseStable();
    RefreshTree();
    tree_->SelectRecord(s);
  }
  if (!s) {
    Ask().Inform(Tr(kVaelg) + " " + FirstLetterLower(Tr(kModelhestStald)));
    return;
  }
  workspace_.CreateModelHorses(*s);
  RefreshTree();
  if (QTreeWidgetItem* item = tree_->ItemOf(s)) item->setExpanded(true);
}

void MainWindow::DeleteModelHorses() {
  TStall* s = SelectedStable();
  if (!s) {
    Ask().Inform("VelgModellStallTxt");
    return;
  }
  for (const auto& h : s->Horses())
    if (!CloseChildOf(h.get(), true)) return;
  s->DeleteAllHorses();
  RefreshTree();
}

void MainWindow::MoveHorse(THest& horse, TStall& target) {
  // The window's data go with the horse: it is saved before it moves.
  if (QMdiSubWindow* sub = FindChild(&horse))
    if (auto* w = qobject_cast<RecordWindow*>(sub->widget())) {
      w->TakeDataIntoRecord();
      QString error;
      if (!w->SaveRecord(&error)) {
        // No message: the user cancelled, or took the other program's version.
        if (!error.isEmpty()) Ask().Error(L(error));
        return;
      }
    }
  if (!CloseChildOf(&horse, true)) return;
  std::string newName;
  // Taken also by a horse directory only on disk (a horse file the scan could not read).
  if (target.HorseNameTaken(horse.Navn)) {
    for (;;) {
      auto answer = Ask().AskText(Q(horse.Navn + ": " + Tr(kHestFindes)), T(kAngivNytNavn), QString());
      if (!answer) return;
      newName = L(answer->trimmed());
      if (newName.empty() || newName == horse.Navn || target.HorseNameTaken(newName)) continue;
      if (auto problem = ValidateFileName(newName)) {
        Ask().Error(*problem);
        continue;
      }
      break;
    }
  }
  std::string error;
  if (!workspace_.MoveHorse(horse, target, newName, &error)) Ask().Error(error);
  RefreshTree();
}

void MainWindow::ShowEnergyProtein() {
  if (app_.active) Ask().Inform(app_.active->Beskrivelse(app_.settings, app_.regional.decimalSeparator));
}

}  // namespace stallora
