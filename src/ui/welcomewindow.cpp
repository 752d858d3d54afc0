#include "ui/welcomewindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/cp1252.h"
#include "core/textutil.h"
#include "ui/qtext.h"
#include "forms/find_horse.h"
#include "stable/online_service.h"
#include "forms/welcome_form.h"
#include "ui/contactswindow.h"
#include "ui/findhorse.h"
#include "ui/icons.h"
#include "ui/mailwindow.h"
#include "ui/mainwindow.h"
#include "ui/workspacetree.h"

namespace stallora {
namespace {


QToolButton* HelpButton(const std::string& hint, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setIcon(Icon(IconKind::Help));
  b->setToolTip(Q(hint));
  b->setStatusTip(Q(hint));
  b->setAccessibleName(Q(hint));
  b->setFocusPolicy(Qt::StrongFocus);
  return b;
}

QComboBox* ChoiceBox(QWidget* parent) {
  auto* cb = new QComboBox(parent);
  cb->setToolTip(T(kWcKlikForAtVaelge));
  cb->setMinimumContentsLength(28);
  cb->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  return cb;
}

}  // namespace

// ---------------------------------------------------------------- LinkLabel

LinkLabel::LinkLabel(bool doubleClick, QWidget* parent) : QLabel(parent), doubleClick_(doubleClick) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
  QFont f = font();
  f.setUnderline(true);
  setFont(f);
  QPalette p = palette();
  p.setColor(QPalette::WindowText, p.color(QPalette::Link));
  setPalette(p);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (!doubleClick_) emit activated();
}

void LinkLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  QLabel::mouseDoubleClickEvent(event);
  if (doubleClick_) emit activated();
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) {
    emit activated();
    return;
  }
  QLabel::keyPressEvent(event);
}

// ---------------------------------------------------------------- accelerators

void AssignAccelerators(const std::vector<QAbstractButton*>& buttons) {
  QSet<QChar> used;
  for (QAbstractButton* b : buttons) {
    if (!b) continue;
    QString text = PlainCaption(b->text());
    for (int i = 0; i < text.size(); ++i) {
      const QChar c = text.at(i).toLower();
      if (!c.isLetter() || used.contains(c)) continue;
      used.insert(c);
      text.insert(i, QLatin1Char('&'));
      break;
    }
    b->setText(text);
  }
}

QString PlainCaption(QString text) {
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  text.remove(QLatin1Char('&'));
  text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
  return text;
}

// ---------------------------------------------------------------- WelcomeWindow

WelcomeWindow::WelcomeWindow(MainWindow& main, OnlineService* online, QWidget* parent)
    : QWidget(parent), main_(main), online_(online) {
  setObjectName("frmWelcome");

  auto* layout = new QVBoxLayout(this);
  pages_ = new QTabWidget(this);
  pages_->setObjectName("pcWelcome");
  auto* welcome = new QWidget(pages_);
  auto* errors = new QWidget(pages_);
  BuildWelcomePage(welcome);
  BuildErrorPage(errors);
  pages_->addTab(welcome, QString());
  pages_->addTab(errors, QString());
  pages_->setTabVisible(1, false);
  layout->addWidget(pages_);

  grbUpdatesAvailable_ = new QGroupBox(this);
  grbUpdatesAvailable_->setObjectName("grbUpdatesAvailable");
  auto* ul = new QVBoxLayout(grbUpdatesAvailable_);
  lblGetNewVersion_ = new LinkLabel(false, grbUpdatesAvailable_);
  lblGetNewVersion_->setObjectName("lblGetNewVersion");
  lblGetNewFeedlist_ = new LinkLabel(true, grbUpdatesAvailable_);
  lblGetNewFeedlist_->setObjectName("lblGetNewFeedlist");
  ul->addWidget(lblGetNewVersion_);
  ul->addWidget(lblGetNewFeedlist_);
  layout->addWidget(grbUpdatesAvailable_);
  connect(lblGetNewVersion_, &LinkLabel::activated, this, &WelcomeWindow::OpenNewVersionPage);
  connect(lblGetNewFeedlist_, &LinkLabel::activated, this, &WelcomeWindow::FetchNewestList);

  auto* bottom = new QHBoxLayout;
  cbDontShow_ = new QCheckBox(this);
  cbDontShow_->setObjectName("cbDontShow");
  btnClose_ = new QPushButton(this);
  btnClose_->setObjectName("btnClose");
  btnClose_->setIcon(Icon(IconKind::Close));
  bottom->addWidget(cbDontShow_);
  bottom->addStretch();
  bottom->addWidget(btnClose_);
  layout->addLayout(bottom);
  connect(btnClose_, &QPushButton::clicked, this, [this] {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
    else close();
  });

  // Creation: the updates group appears only when the service offers something.
  const AppContext& app = *main_.services().app;
  grbUpdatesAvailable_->setVisible(app.newerProgram || app.newerGuaranteeList);
  // Showing: the check box says the opposite of the preference.
  cbDontShow_->setChecked(!app.preferences.ShowWelcomeScreen);
  Refresh();
}

void WelcomeWindow::BuildWelcomePage(QWidget* page) {
  auto* layout = new QVBoxLayout(page);

  grbStable_ = new QGroupBox(page);
  grbStable_->setObjectName("grbStable");
  auto* sl = new QHBoxLayout(grbStable_);
  btnNewStable_ = new QPushButton(grbStable_);
  btnNewStable_->setObjectName("btnNewStable");
  btnNewStable_->setIcon(Icon(IconKind::NewStable));
  cbStables_ = ChoiceBox(grbStable_);
  cbStables_->setObjectName("cbStables");
  btnStableHelp_ = HelpButton(StableHelpHint(), grbStable_);
  sl->addWidget(btnNewStable_);
  sl->addWidget(cbStables_, 1);
  sl->addStretch();
  sl->addWidget(btnStableHelp_);
  layout->addWidget(grbStable_);

  grbFeedlists_ = new QGroupBox(page);
  grbFeedlists_->setObjectName("grbFeedlists");
  auto* fl = new QHBoxLayout(grbFeedlists_);
  btnNewFeedlist_ = new QPushButton(grbFeedlists_);
  btnNewFeedlist_->setObjectName("btnNewFeedlist");
  btnNewFeedlist_->setIcon(Icon(IconKind::FeedList));
  cbFeedlists_ = ChoiceBox(grbFeedlists_);
  cbFeedlists_->setObjectName("cbFeedlists");
  btnFeedlistHelp_ = HelpButton(FeedListHelpHint(), grbFeedlists_);
  fl->addWidget(btnNewFeedlist_);
  fl->addWidget(cbFeedlists_, 1);
  fl->addStretch();
  fl->addWidget(btnFeedlistHelp_);
  layout->addWidget(grbFeedlists_);

  grbHorses_ = new QGroupBox(page);
  grbHorses_->setObjectName("grbHorses");
  auto* hl = new QHBoxLayout(grbHorses_);
  cbHorses_ = ChoiceBox(grbHorses_);
  cbHorses_->setObjectName("cbHorses");
  hl->addWidget(cbHorses_, 1);
  layout->addWidget(grbHorses_);

  grbSaveDirectory_ = new QGroupBox(page);
  grbSaveDirectory_->setObjectName("grbSaveDirectory");
  auto* dl = new QVBoxLayout(grbSaveDirectory_);
  lblActiveSaveDirectory_ = new QLabel(grbSaveDirectory_);
  lblActiveSaveDirectory_->setObjectName("lblActiveSaveDirectory");
  lblActiveSaveDirectory_->setWordWrap(true);
  lblActiveSaveDirectory_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* db = new QHBoxLayout;
  btnAlternative_ = new QPushButton(grbSaveDirectory_);
  btnAlternative_->setObjectName("btnAlternative");
  btnDefault_ = new QPushButton(grbSaveDirectory_);
  btnDefault_->setObjectName("btnDefault");
  db->addWidget(btnAlternative_);
  db->addWidget(btnDefault_);
  db->addStretch();
  dl->addWidget(lblActiveSaveDirectory_);
  dl->addLayout(db);
  layout->addWidget(grbSaveDirectory_);
  layout->addStretch();

  connect(btnNewStable_, &QPushButton::clicked, this, &WelcomeWindow::NewStable);
  connect(btnNewFeedlist_, &QPushButton::clicked, this, &WelcomeWindow::NewFeedList);
  connect(cbStables_, &QComboBox::activated, this, &WelcomeWindow::ChooseStable);
  connect(cbFeedlists_, &QComboBox::activated, this, &WelcomeWindow::ChooseFeedList);
  connect(cbHorses_, &QComboBox::activated, this, &WelcomeWindow::ChooseHorse);
  connect(btnStableHelp_, &QToolButton::clicked, this, [this] {
    main_.OpenInfoPage(Q(StableHelpHint()), main_.services().app->preferences.ManualPage() + "/stable");
  });
  connect(btnFeedlistHelp_, &QToolButton::clicked, this, [this] {
    main_.OpenInfoPage(Q(FeedListHelpHint()), main_.services().app->preferences.ManualPage() + "/feedlists");
  });
  connect(btnDefault_, &QPushButton::clicked, this, [this] { ChangeSaveDirectory(true); });
  connect(btnAlternative_, &QPushButton::clicked, this, [this] { ChangeSaveDirectory(false); });
}

void WelcomeWindow::BuildErrorPage(QWidget* page) {
  auto* layout = new QVBoxLayout(page);
  grbErrors_ = new QGroupBox(page);
  grbErrors_->setObjectName("grbErrors");
  auto* gl = new QVBoxLayout(grbErrors_);
  lbErrors_ = new QListWidget(grbErrors_);
  lbErrors_->setObjectName("lbErrors");
  lbErrors_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  lbErrors_->setToolTip(T(kWcKlikForAtVaelge));
  lbErrors_->setMinimumHeight(120);
  lblExplanation_ = new QLabel(grbErrors_);
  lblExplanation_->setObjectName("lblExplanation");
  lblExplanation_->setWordWrap(true);
  lblReminder_ = new QLabel(grbErrors_);
  lblReminder_->setObjectName("lblReminder");
  QFont bold = lblReminder_->font();
  bold.setBold(true);
  lblReminder_->setFont(bold);
  auto* buttons = new QHBoxLayout;
  btnEdit_ = new QPushButton(grbErrors_);
  btnEdit_->setObjectName("btnEdit");
  btnDelete_ = new QPushButton(grbErrors_);
  btnDelete_->setObjectName("btnDelete");
  btnDelete_->setIcon(Icon(IconKind::Delete));
  btnAccept_ = new QPushButton(grbErrors_);
  btnAccept_->setObjectName("btnAccept");
  btnAccept_->setIcon(Icon(IconKind::Save));
  btnCancel_ = new QPushButton(grbErrors_);
  btnCancel_->setObjectName("btnCancel");
  btnErrorHelp_ = HelpButton(ErrorHelpHint(), grbErrors_);
  buttons->addWidget(btnEdit_);
  buttons->addWidget(btnDelete_);
  buttons->addWidget(btnAccept_);
  buttons->addWidget(btnCancel_);
  buttons->addStretch();
  buttons->addWidget(btnErrorHelp_);
  gl->addWidget(lbErrors_, 1);
  gl->addWidget(lblExplanation_);
  gl->addWidget(lblReminder_);
  gl->addLayout(buttons);
  layout->addWidget(grbErrors_);

  connect(lbErrors_, &QListWidget::itemSelectionChanged, this, [this] { RefreshErrorButtons(); });
  connect(lbErrors_, &QListWidget::itemDoubleClicked, this, [this] { EditSelected(); });
  connect(btnEdit_, &QPushButton::clicked, this, &WelcomeWindow::EditSelected);
  connect(btnDelete_, &QPushButton::clicked, this, &WelcomeWindow::DeleteSelected);
  connect(btnAccept_, &QPushButton::clicked, this, &WelcomeWindow::AcceptAll);
  connect(btnCancel_, &QPushButton::clicked, this, &WelcomeWindow::CancelErrors);
  connect(btnErrorHelp_, &QToolButton::clicked, this, [this] {
    main_.OpenInfoPage(T(kWcDatoUdenfor), main_.services().app->preferences.LinkPage("69-errors/311-horsedata"));
  });
}

Messages& WelcomeWindow::Msg() { return *main_.services().prompts; }

void WelcomeWindow::Refresh() {
  updating_ = true;
  const AppContext& app = *main_.services().app;
  const Workspace& ws = *main_.services().workspace;

  // 1. captions
  setWindowTitle(T(kWcStarthjaelp));
  pages_->setTabText(0, T(kWcStarthjaelp));
  pages_->setTabText(1, T(kWcFejl));
  btnNewStable_->setText(T(kWcNyStald));
  btnNewFeedlist_->setText(Q(NewFeedListCaption()));
  btnClose_->setText(T(kWcLuk));
  cbDontShow_->setText(T(kWcVisIkke));
  grbStable_->setTitle(Q(StableGroupCaption()));
  grbFeedlists_->setTitle(Q(FeedListGroupCaption()));
  grbHorses_->setTitle(Q(HorseGroupCaption()));
  grbUpdatesAvailable_->setTitle(T(kWcOpdater));
  grbUpdatesAvailable_->setToolTip(T(kWcDobbeltklikHent));
  grbSaveDirectory_->setTitle(T(kWcMappeForAtGemme));
  btnAlternative_->setText(Q(AlternativeFolderCaption()));
  btnDefault_->setText(Q(DefaultFolderCaption()));
  grbErrors_->setTitle(Q(ErrorGroupCaption()));
  btnEdit_->setText(Q(EditSelectedCaption()));
  btnCancel_->setText(T(kWcAfbryd));
  btnDelete_->setText(Q(DeleteSelectedCaption()));
  lblReminder_->setText(T(kWcHuskAtGemme));
  lblExplanation_->setText(T(kWcForklaring));
  btnAccept_->setText(T(kWcAccepter));
  AssignAccelerators({btnNewStable_, btnNewFeedlist_, btnAlternative_, btnDefault_, btnClose_, cbDontShow_});
  AssignAccelerators({btnEdit_, btnDelete_, btnAccept_, btnCancel_});
  RefreshUpdateLinks();

  // 2. the boxes from the tree
  cbStables_->clear();
  cbFeedlists_->clear();
  WorkspaceTree* tree = main_.Tree();
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = tree->topLevelItem(i);
    const NodeRef r = WorkspaceTree::Ref(item);
    if (r.kind == NodeKind::Stable) cbStables_->addItem(item->text(0));
    if (r.kind == NodeKind::FeedList) cbFeedlists_->addItem(item->text(0));
  }
  cbHorses_->clear();
  for (const std::string& entry : SortedHorseEntries(ws)) cbHorses_->addItem(Q(entry));
  for (QComboBox* cb : {cbStables_, cbFeedlists_, cbHorses_}) cb->setCurrentIndex(cb->count() > 0 ? 0 : -1);
  cbStables_->setVisible(cbStables_->count() > 0);
  cbFeedlists_->setVisible(cbFeedlists_->count() > 0);
  grbHorses_->setVisible(cbHorses_->count() > 0);

  // 3. the save directory
  lblActiveSaveDirectory_->setText(Q(SaveDirectoryLabel(app.preferences)));
  btnDefault_->setEnabled(!IsDefaultSaveDirectory(app.preferences));

  // 4.
  grbStable_->setVisible(true);
  grbSaveDirectory_->setVisible(true);
  btnNewStable_->setEnabled(true);

  // 5.
  RefreshErrorButtons();
  updating_ = false;
}

void WelcomeWindow::RefreshUpdateLinks() {
  const AppContext& app = *main_.services().app;
  const std::string versionText = online_ ? online_->OfferedVersionText() : std::string();
  lblGetNewVersion_->setText(Q(NewVersionLinkCaption(versionText)));
  lblGetNewFeedlist_->setText(Q(NewListLinkCaption(app.offeredGuaranteeVersion)));
  lblGetNewFeedlist_->setToolTip(T(kWcDobbeltklikHent));
  lblGetNewVersion_->setVisible(app.newerProgram);
  lblGetNewFeedlist_->setVisible(app.newerGuaranteeList);
}

void WelcomeWindow::RefreshErrorButtons() {
  const bool selected = !lbErrors_->selectedItems().isEmpty();
  btnEdit_->setEnabled(selected);
  btnDelete_->setEnabled(selected);
  lblReminder_->setVisible(selected);
}

bool WelcomeWindow::ErrorPageShown() const { return pages_->isTabVisible(1); }

std::vector<std::string> WelcomeWindow::ErrorEntries() const {
  std::vector<std::string> entries;
  for (int i = 0; i < lbErrors_->count(); ++i) entries.push_back(L(lbErrors_->item(i)->text()));
  return entries;
}

void WelcomeWindow::SetErrorEntries(const std::vector<std::string>& entries) {
  const QSignalBlocker block(lbErrors_);
  lbErrors_->clear();
  for (const std::string& e : entries) lbErrors_->addItem(Q(e));
}

void WelcomeWindow::ShowErrors(const std::vector<std::string>& entries) {
  SetErrorEntries(entries);
  if (lbErrors_->count() > 0) {
    lbErrors_->setCurrentRow(0);
    lbErrors_->item(0)->setSelected(true);
  }
  pages_->setTabVisible(1, true);
  pages_->setCurrentIndex(1);
  main_.services().app->preferences.ShowWelcomeScreen = true;
  RefreshErrorButtons();
}

void WelcomeWindow::OpenTreeItemOf(const void* record) {
  WorkspaceTree* tree = main_.Tree();
  QTreeWidgetItem* item = record ? tree->ItemOf(record) : nullptr;
  if (!item) {
    tree->setCurrentItem(nullptr);
    return;
  }
  tree->setCurrentItem(item);
  emit tree->itemDoubleClicked(item, 0);
}

void WelcomeWindow::ChooseStable(int index) {
  if (updating_ || index < 0) return;
  const std::string name = L(cbStables_->itemText(index));
  TStall* found = nullptr;
  for (const auto& s : main_.services().workspace->Stables())
    if (s->stallNavn == name) found = s.get();
  OpenTreeItemOf(found);
}

void WelcomeWindow::ChooseFeedList(int index) {
  if (updating_ || index < 0) return;
  const QString name = cbFeedlists_->itemText(index);
  WorkspaceTree* tree = main_.Tree();
  const void* found = nullptr;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = tree->topLevelItem(i);
    const NodeRef r = WorkspaceTree::Ref(item);
    if (r.kind == NodeKind::FeedList && item->text(0) == name) found = r.record;
  }
  OpenTreeItemOf(found);
}

void WelcomeWindow::ChooseHorse(int index) {
  if (updating_ || index < 0) return;
  OpenTreeItemOf(FindHorseOfEntry(*main_.services().workspace, L(cbHorses_->itemText(index))));
}

void WelcomeWindow::NewStable() { main_.NewStable(); }

void WelcomeWindow::NewFeedList() {
  const size_t before = main_.services().workspace->FeedLists().size();
  main_.NewFeedList();
  Refresh();
  // Only a list that was made is opened; a cancelled name dialog leaves the lists alone.
  if (main_.services().workspace->FeedLists().size() <= before || cbFeedlists_->count() == 0) return;
  const int last = cbFeedlists_->count() - 1;
  cbFeedlists_->setCurrentIndex(last);
  ChooseFeedList(last);
}

void WelcomeWindow::OpenNewVersionPage() {
  main_.OpenInfoPage(T(kWcOpdater), main_.services().app->preferences.NewVersionPage());
}

void WelcomeWindow::FetchNewestList() {
  if (online_) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    online_->GetNewestGuaranteeList(*main_.services().workspace);
    QApplication::restoreOverrideCursor();
    main_.RefreshTree();
  }
  const AppContext& app = *main_.services().app;
  RefreshUpdateLinks();
  grbUpdatesAvailable_->setVisible(app.newerProgram || app.newerGuaranteeList);
}

bool WelcomeWindow::CloseRecordWindows() {
  const auto subs = main_.MdiArea()->subWindowList();
  for (QMdiSubWindow* sub : subs) {
    if (!qobject_cast<RecordWindow*>(sub->widget())) continue;
    if (!sub->close()) return false;
  }
  // The closed windows go before the records they showed.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return true;
}

void WelcomeWindow::ChangeSaveDirectory(bool useDefault) {
  AppContext& app = *main_.services().app;
  QString chosen;
  if (!useDefault)
    chosen = main_.Ask().ChooseDirectory(T(kWcMappeForAtGemme), Q(TextFromPath(app.preferences.DefaultSaveDirectory())));
  if (!CloseRecordWindows()) return;
  // The mail window's horse and stable are freed with the tree.
  if (MailWindow* mail = main_.Windows().ExistingMail()) mail->ForgetRecords();
  std::string error;
  if (!main_.services().workspace->ChangeSaveDirectory(useDefault, chosen.toStdString(), &error))
    Msg().Error(error);
  main_.RefreshTree();
  std::vector<std::string> checks;
  for (const std::string& m : main_.services().workspace->Messages()) {
    if (IsHorseCheckMessage(m)) checks.push_back(m);
    else Msg().Error(m);
  }
  if (!checks.empty()) ShowErrors(checks);
  Refresh();
}

void WelcomeWindow::EditSelected() {
  const int row = lbErrors_->currentRow();
  if (row < 0 || row >= lbErrors_->count()) return;
  const std::string entry = L(lbErrors_->item(row)->text());
  if (IsHandledEntry(entry)) return;
  lbErrors_->item(row)->setText(Q(HandledEntry(entry)));
  THest* horse = FindHorseOfEntry(*main_.services().workspace, entry);
  OpenTreeItemOf(horse);
  // The horse counts as changed, so its window offers to save the correction on closing.
  if (horse) horse->LagretSum = 0;
  lbErrors_->setCurrentRow(0);
  RefreshErrorButtons();
}

void WelcomeWindow::DeleteSelected() {
  if (lbErrors_->count() == 0) return;
  std::vector<int> selected;
  for (QListWidgetItem* item : lbErrors_->selectedItems()) selected.push_back(lbErrors_->row(item));
  const std::vector<std::string> entries = ErrorEntries();
  Workspace& ws = *main_.services().workspace;
  for (int row : RowsToDelete(entries, selected)) {
    THest* horse = FindHorseOfEntry(ws, entries[static_cast<size_t>(row)]);
    if (horse && horse->stable) {
      TStall* stable = horse->stable;
      // As the main window deletes a horse, without asking: its window goes first.
      for (QMdiSubWindow* sub : main_.MdiArea()->subWindowList()) {
        auto* w = qobject_cast<RecordWindow*>(sub->widget());
        if (!w || w->record() != static_cast<Record*>(horse)) continue;
        w->StoreSignature();
        sub->close();
      }
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      const std::string failed = HorseDeletionFailedMessage(*horse, *stable);
      std::string error;
      if (!stable->DeleteHorse(horse->Navn, &error)) Msg().Error(failed);
      main_.RefreshTree();
    }
    delete lbErrors_->takeItem(row);
  }
  RefreshErrorButtons();
}

void WelcomeWindow::AcceptAll() {
  std::vector<std::string> entries = ErrorEntries();
  AcceptAllCheckedHorses(*main_.services().workspace, entries, Msg());
  SetErrorEntries(entries);
  CancelErrors();
}

void WelcomeWindow::CancelErrors() {
  pages_->setCurrentIndex(0);
  pages_->setTabVisible(1, false);
}

void WelcomeWindow::closeEvent(QCloseEvent* event) {
  main_.services().app->preferences.ShowWelcomeScreen = !cbDontShow_->isChecked();
  QWidget::closeEvent(event);
}

// ---------------------------------------------------------------- registration

WelcomeWindow* ExistingWelcomeWindow(const MainWindow& main) {
  for (QMdiSubWindow* sub : main.MdiArea()->subWindowList())
    if (auto* w = qobject_cast<WelcomeWindow*>(sub->widget())) return w;
  return nullptr;
}

WelcomeWindow* ShowWelcomeWindow(MainWindow& main, OnlineService* online) {
  WelcomeWindow* w = ExistingWelcomeWindow(main);
  QMdiSubWindow* sub = nullptr;
  if (w) {
    sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
  } else {
    w = new WelcomeWindow(main, online);
    sub = main.MdiArea()->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(Icon(IconKind::Help));
    QObject::connect(main.MdiArea(), &QMdiArea::subWindowActivated, w, [w, sub](QMdiSubWindow* active) {
      if (active == sub) w->Refresh();
    });
    w->adjustSize();
    sub->adjustSize();
    sub->move(20, 20);
  }
  if (!sub) return w;
  sub->showNormal();
  sub->show();
  main.MdiArea()->setActiveSubWindow(sub);
  w->Refresh();
  return w;
}

bool ShowWelcomeAfterScan(MainWindow& main, OnlineService* online) {
  const AppContext& app = *main.services().app;
  if (!(app.newerProgram || app.newerGuaranteeList || app.preferences.ShowWelcomeScreen)) return false;
  ShowWelcomeWindow(main, online);
  return true;
}

void HandleScanMessages(MainWindow& main, OnlineService* online, const std::vector<std::string>& messages) {
  std::vector<std::string> checks;
  std::string other;
  const Workspace* ws = main.services().workspace;
  for (const std::string& m : messages) {
    // Another program on the workspace is news, not an error.
    if (ws && !ws->LockNotice().empty() && m == ws->LockNotice()) {
      main.Ask().Inform(m);
    } else if (IsHorseCheckMessage(m)) {
      checks.push_back(m);
    } else {
      if (!other.empty()) other += "\r";
      other += m;
    }
  }
  if (!other.empty()) main.Ask().Error(other);
  if (!checks.empty()) ShowWelcomeWindow(main, online)->ShowErrors(checks);
}

void RegisterSmallWindows(MainWindow& main, OnlineService* online) {
  MainWindow* m = &main;
  main.showWelcome = [m, online] { ShowWelcomeWindow(*m, online); };
  main.welcomeShown = [m] { return ExistingWelcomeWindow(*m) != nullptr; };
  main.findHorse = [m] { ShowFindHorseWindow(*m); };
  main.showContacts = [m] { m->Windows().Contacts().ShowListMode(); };
  main.simpleMail = [m] { m->Windows().Mail().SimpleMail(); };
  main.mailWindow = [m](THest* horse, TStall* stable) {
    if (horse) m->Windows().Mail().Horsemail(horse, {});
    else m->Windows().Mail().Stablemail(stable, {});
  };
  // The horse window's "R" beside the owner: the contacts window in owner mode.
  main.Windows().ownerContacts = [m](QWidget*, const TAdrRec& contact, bool) {
    m->Windows().Contacts().ShowOwner(contact);
  };
  main.scanMessagesHandler = [m, online](const std::vector<std::string>& messages) {
    HandleScanMessages(*m, online, messages);
  };
  // The mail window exists from the start on, as the other windows find it.
  main.Windows().Mail();
  main.recordGoingWatchers.push_back([m](const Record& r) {
    if (MailWindow* w = m->Windows().ExistingMail()) w->RecordGoing(r);
  });
}

}  // namespace stallora
