#include "ui/findhorse.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/textutil.h"
#include "ui/qtext.h"
#include "forms/find_horse.h"
#include "ui/icons.h"
#include "ui/mainwindow.h"
#include "ui/welcomewindow.h"
#include "ui/workspacetree.h"

namespace stallora {
namespace {


// Enter on a list opens what is chosen, as a double click does.
class EnterFilter : public QObject {
 public:
  EnterFilter(QObject* parent, std::function<void()> action) : QObject(parent), action_(std::move(action)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        action_();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> action_;
};

}  // namespace

FindHorseWindow::FindHorseWindow(MainWindow& main, QWidget* parent) : QWidget(parent), main_(main) {
  setObjectName("frmFindHorse");
  auto* layout = new QVBoxLayout(this);
  pcSearch_ = new QTabWidget(this);
  pcSearch_->setObjectName("pcSearch");

  tsFindHorse_ = new QWidget(pcSearch_);
  tsFindHorse_->setObjectName("tsFindHorse");
  auto* hl = new QVBoxLayout(tsFindHorse_);
  lblHorses_ = new QLabel(tsFindHorse_);
  lblHorses_->setObjectName("lblHorses");
  lbFindHorse_ = new QListWidget(tsFindHorse_);
  lbFindHorse_->setObjectName("lbFindHorse");
  lblHorses_->setBuddy(lbFindHorse_);
  btnFindHorse_ = new QPushButton(tsFindHorse_);
  btnFindHorse_->setObjectName("btnFindHorse");
  btnFindHorse_->setIcon(Icon(IconKind::Horse));
  hl->addWidget(lblHorses_);
  hl->addWidget(lbFindHorse_, 1);
  hl->addWidget(btnFindHorse_);
  pcSearch_->addTab(tsFindHorse_, QString());

  tsFindOwner_ = new QWidget(pcSearch_);
  tsFindOwner_->setObjectName("tsFindOwner");
  auto* ol = new QVBoxLayout(tsFindOwner_);
  lblOwners_ = new QLabel(tsFindOwner_);
  lblOwners_->setObjectName("lblOwners");
  cbOwners_ = new QComboBox(tsFindOwner_);
  cbOwners_->setObjectName("cbOwners");
  lblOwners_->setBuddy(cbOwners_);
  lblHorsesOwned_ = new QLabel(tsFindOwner_);
  lblHorsesOwned_->setObjectName("lblHorsesOwned");
  lbOwnerHorses_ = new QListWidget(tsFindOwner_);
  lbOwnerHorses_->setObjectName("lbOwnerHorses");
  lblHorsesOwned_->setBuddy(lbOwnerHorses_);
  btnFindHorsebyOwner_ = new QPushButton(tsFindOwner_);
  btnFindHorsebyOwner_->setObjectName("btnFindHorsebyOwner");
  btnFindHorsebyOwner_->setIcon(Icon(IconKind::Horse));
  ol->addWidget(lblOwners_);
  ol->addWidget(cbOwners_);
  ol->addWidget(lblHorsesOwned_);
  ol->addWidget(lbOwnerHorses_, 1);
  ol->addWidget(btnFindHorsebyOwner_);
  pcSearch_->addTab(tsFindOwner_, QString());
  layout->addWidget(pcSearch_, 1);

  lblErrorNoHorses_ = new QLabel(this);
  lblErrorNoHorses_->setObjectName("lblErrorNoHorses");
  lblErrorNoHorses_->setWordWrap(true);
  layout->addWidget(lblErrorNoHorses_);

  auto* bottom = new QHBoxLayout;
  btnClose_ = new QPushButton(this);
  btnClose_->setObjectName("btnClose");
  btnClose_->setIcon(Icon(IconKind::Close));
  bottom->addStretch();
  bottom->addWidget(btnClose_);
  layout->addLayout(bottom);

  connect(pcSearch_, &QTabWidget::currentChanged, this, [this] {
    if (!filling_) Fill();
  });
  connect(lbFindHorse_, &QListWidget::currentRowChanged, this, &FindHorseWindow::ClickHorseEntry);
  connect(lbFindHorse_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    ClickHorseEntry(lbFindHorse_->row(item));
    OpenChosenHorse();
  });
  connect(btnFindHorse_, &QPushButton::clicked, this, &FindHorseWindow::OpenChosenHorse);
  connect(cbOwners_, &QComboBox::activated, this, &FindHorseWindow::ChooseOwner);
  connect(lbOwnerHorses_, &QListWidget::currentRowChanged, this, &FindHorseWindow::ClickOwnersHorse);
  connect(lbOwnerHorses_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    ClickOwnersHorse(lbOwnerHorses_->row(item));
    OpenOwnersHorse();
  });
  connect(btnFindHorsebyOwner_, &QPushButton::clicked, this, &FindHorseWindow::OpenOwnersHorse);
  connect(btnClose_, &QPushButton::clicked, this, [this] {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
    else close();
  });
  lbFindHorse_->installEventFilter(new EnterFilter(this, [this] {
    if (lbFindHorse_->currentRow() >= 0) OpenChosenHorse();
  }));
  lbOwnerHorses_->installEventFilter(new EnterFilter(this, [this] {
    if (lbOwnerHorses_->currentRow() >= 0) OpenOwnersHorse();
  }));
  Fill();
}

Messages& FindHorseWindow::Msg() { return *main_.services().prompts; }

void FindHorseWindow::Fill() {
  filling_ = true;
  const Workspace& ws = *main_.services().workspace;
  setWindowTitle(T(kFhFindEnHest));
  pcSearch_->setTabText(0, T(kFhSoegNavn));
  pcSearch_->setTabText(1, T(kFhSoegEjer));
  lblHorses_->setText(T(kFhHeste));
  lblOwners_->setText(T(kFhEjeroplysninger));
  lblHorsesOwned_->setText(T(kFhHeste));
  btnFindHorse_->setText(T(kFhVaelg));
  btnFindHorsebyOwner_->setText(T(kFhVaelg));
  lblErrorNoHorses_->setText(Q(kNoHorsesText));
  btnClose_->setText(T(kFhLuk));
  AssignAccelerators({btnClose_});

  const std::vector<std::string> entries = FindHorseEntries(ws);
  const bool none = entries.empty();
  pcSearch_->setVisible(!none);
  lblErrorNoHorses_->setVisible(none);
  if (!none) {
    {
      const QSignalBlocker block(lbFindHorse_);
      lbFindHorse_->clear();
      for (const std::string& e : entries) lbFindHorse_->addItem(Q(e));
      lbFindHorse_->setCurrentRow(-1);
    }
    const std::vector<std::string> owners = OwnerNames(ws);
    {
      const QSignalBlocker block(cbOwners_);
      cbOwners_->clear();
      for (const std::string& o : owners) cbOwners_->addItem(Q(o));
      cbOwners_->setCurrentIndex(owners.empty() ? -1 : 0);
    }
    pcSearch_->setTabVisible(1, !owners.empty());
    lbOwnerHorses_->setVisible(false);
    lblHorsesOwned_->setVisible(false);
    btnFindHorse_->setVisible(false);
    btnFindHorsebyOwner_->setVisible(false);
    if (owners.size() == 1) ChooseOwner(0);
  }
  filling_ = false;
}

void FindHorseWindow::ClickHorseEntry(int row) {
  if (row < 0 || row >= lbFindHorse_->count()) return;
  const HorseEntryNames names = SplitHorseEntry(L(lbFindHorse_->item(row)->text()));
  horse_ = names.horse;
  stable_ = names.stable;
  btnFindHorse_->setText(Q(FetchHorseCaption(horse_, stable_)));
  btnFindHorse_->setVisible(true);
}

void FindHorseWindow::OpenHorse(const std::string& stable, const std::string& horse) {
  WorkspaceTree* tree = main_.Tree();
  THest* found = FindHorse(*main_.services().workspace, stable, horse);
  QTreeWidgetItem* item = found ? tree->ItemOf(found) : nullptr;
  if (!item) {
    tree->setCurrentItem(nullptr);
    tree->clearSelection();
    return;
  }
  tree->setCurrentItem(item);
  emit tree->itemDoubleClicked(item, 0);
}

void FindHorseWindow::OpenChosenHorse() {
  if (horse_.empty() && stable_.empty()) return;
  OpenHorse(stable_, horse_);
}

void FindHorseWindow::ChooseOwner(int index) {
  if (index < 0 || index >= cbOwners_->count()) return;
  owner_ = L(cbOwners_->itemText(index));
  const std::vector<std::string> names = OwnerHorseNames(*main_.services().workspace, owner_);
  {
    const QSignalBlocker block(lbOwnerHorses_);
    lbOwnerHorses_->clear();
    for (const std::string& n : names) lbOwnerHorses_->addItem(Q(n));
    lbOwnerHorses_->setCurrentRow(-1);
  }
  horse_.clear();
  if (!names.empty()) {
    lbOwnerHorses_->setVisible(true);
    lblHorsesOwned_->setVisible(true);
    lblHorsesOwned_->setText(Q(OwnersHorsesCaption(owner_)));
    btnFindHorsebyOwner_->setVisible(false);
  }
}

void FindHorseWindow::ClickOwnersHorse(int row) {
  if (row < 0 || row >= lbOwnerHorses_->count()) return;
  horse_ = L(lbOwnerHorses_->item(row)->text());
  btnFindHorsebyOwner_->setText(Q(FetchOwnersHorseCaption(horse_)));
  btnFindHorsebyOwner_->setVisible(true);
}

void FindHorseWindow::OpenOwnersHorse() {
  const auto stable = StableOfOwnersHorse(*main_.services().workspace, horse_, owner_);
  if (!stable) {
    Msg().Error(HorseMissingMessage());
    return;
  }
  stable_ = *stable;
  OpenHorse(stable_, horse_);
}

FindHorseWindow* ExistingFindHorseWindow(const MainWindow& main) {
  for (QMdiSubWindow* sub : main.MdiArea()->subWindowList())
    if (auto* w = qobject_cast<FindHorseWindow*>(sub->widget())) return w;
  return nullptr;
}

FindHorseWindow* ShowFindHorseWindow(MainWindow& main) {
  FindHorseWindow* w = ExistingFindHorseWindow(main);
  QMdiSubWindow* sub = nullptr;
  if (w) {
    sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    w->Fill();
  } else {
    w = new FindHorseWindow(main);
    sub = main.MdiArea()->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(Icon(IconKind::Find));
    sub->move(40, 40);
  }
  if (sub) {
    // Without horses only the error line and the close button are shown.
    const bool none = w->findChild<QLabel*>("lblErrorNoHorses")->isVisibleTo(w);
    w->adjustSize();
    sub->resize(std::max(320, w->sizeHint().width() + 20), none ? w->sizeHint().height() + 40 : 380);
    sub->showNormal();
    sub->show();
    main.MdiArea()->setActiveSubWindow(sub);
  }
  return w;
}

}  // namespace stallora
