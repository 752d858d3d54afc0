#include "ui/stable/informationpage.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <type_traits>

#include "core/textutil.h"
#include "forms/stable_texts.h"
#include "render/qttext.h"
#include "ui/appwindows.h"
#include "ui/icons.h"
#include "ui/models/stablelistmodels.h"
#include "ui/qtext.h"
#include "ui/stable/stablewindow.h"

namespace stallora {

using namespace stabletext;
namespace sc = stablechange;

StableInformationPage::StableInformationPage(StableWindow& window) : window_(window) {
  setObjectName("tsOpplysninger");
  StableEditor& e = window_.Editor();
  auto* columns = new QHBoxLayout(this);

  // Horses.
  grbHorseInfo_ = new QGroupBox(T(kHesteIStalden), this);
  grbHorseInfo_->setObjectName("grbHorseInfo");
  auto* horses = new QVBoxLayout(grbHorseInfo_);
  lbHorseNameList_ = new QListView(grbHorseInfo_);
  lbHorseNameList_->setObjectName("lbHorseNameList");
  lbHorseNameList_->setToolTip(T(kDobbeltklikVis) + " " + T(kHest));
  lbHorseNameList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  horsesModel_ = new StableHorsesModel(e, this);
  lbHorseNameList_->setModel(horsesModel_);
  auto* newHorse = new QPushButton(T(kNy) + " " + TLower(kHest), grbHorseInfo_);
  newHorse->setObjectName("btnNyHest");
  btnSlettHest_ = new QPushButton(T(kSlet) + " " + TLower(kHest), grbHorseInfo_);
  btnSlettHest_->setObjectName("btnSlettHest");
  auto* horseButtons = new QHBoxLayout;
  horseButtons->addWidget(newHorse);
  horseButtons->addWidget(btnSlettHest_);
  horses->addWidget(lbHorseNameList_, 1);
  // Takes the list's place while it is hidden, so that the buttons stay at the foot.
  horses->addStretch();
  horses->addLayout(horseButtons);
  columns->addWidget(grbHorseInfo_, 1);

  auto* middle = new QVBoxLayout;
  // Name and owner.
  auto* stableGroup = new QGroupBox(this);
  auto* form = new QFormLayout(stableGroup);
  eStallNavn_ = new QLineEdit(stableGroup);
  eStallNavn_->setObjectName("eStallNavn");
  form->addRow(T(kStaldnavn), eStallNavn_);
  cbStallEier_ = new QComboBox(stableGroup);
  cbStallEier_->setObjectName("cbStallEier");
  cbStallEier_->setEditable(true);
  cbStallEier_->setInsertPolicy(QComboBox::NoInsert);
  cbStallEier_->setToolTip(T(kDobbeltklikEditere));
  cbStallEier_->lineEdit()->installEventFilter(this);
  btnRegistrer_ = new QPushButton(T(kR), stableGroup);
  btnRegistrer_->setObjectName("btnRegistrer");
  btnRegistrer_->setToolTip(T(kRegistrerer));
  btnRegistrer_->setFixedWidth(btnRegistrer_->fontMetrics().horizontalAdvance("MM") + 12);
  btnRegistrer_->setVisible(window_.services().windows && window_.services().windows->ownerContacts);
  auto* ownerRow = new QHBoxLayout;
  ownerRow->addWidget(cbStallEier_, 1);
  ownerRow->addWidget(btnRegistrer_);
  form->addRow(T(kStaldensEjer), ownerRow);
  middle->addWidget(stableGroup);

  // The stable's feed list.
  gbStallensForliste_ = new QGroupBox(this);
  gbStallensForliste_->setObjectName("gbStallensForliste");
  auto* listRow = new QHBoxLayout(gbStallensForliste_);
  cbForlistevalg_ = new QComboBox(gbStallensForliste_);
  cbForlistevalg_->setObjectName("cbForlistevalg");
  cbForlistevalg_->hide();
  auto* showList = new QPushButton(T(kVis) + " " + TLower(common::kFoderliste), gbStallensForliste_);
  showList->setObjectName("btnVisForliste");
  listRow->addWidget(cbForlistevalg_, 1);
  listRow->addWidget(showList);
  listRow->addStretch();
  middle->addWidget(gbStallensForliste_);

  // Model stable and mail.
  auto* modelGroup = new QGroupBox(this);
  auto* modelRow = new QHBoxLayout(modelGroup);
  cbStallForModellhester_ = new QCheckBox(T(kModelhestStald), modelGroup);
  cbStallForModellhester_->setObjectName("cbStallForModellhester");
  auto* modelHelp = new QPushButton(Icon(IconKind::Help), QString(), modelGroup);
  modelHelp->setObjectName("btnModelStableHelp");
  modelHelp->setToolTip(T(kHjaelp));
  modelRow->addWidget(cbStallForModellhester_);
  modelRow->addWidget(modelHelp);
  modelRow->addStretch();
  middle->addWidget(modelGroup);
  auto* mail = new QPushButton(Icon(IconKind::Mail), T(kEpost) + " " + TLower(kStald), this);
  mail->setObjectName("btnEmailStableInfo");
  middle->addWidget(mail, 0, Qt::AlignLeft);

  // Feeding times.
  auto* meals = new QGroupBox(T(kFodringstider), this);
  meals->setObjectName("gbMealTimes");
  auto* mealsLayout = new QVBoxLayout(meals);
  auto* countRow = new QHBoxLayout;
  nfNoMeals_ = new QSpinBox(meals);
  nfNoMeals_->setObjectName("nfNoMeals");
  nfNoMeals_->setRange(0, 99);
  nfNoMeals_->setKeyboardTracking(false);
  countRow->addWidget(new QLabel(T(kAntalFodringer), meals));
  countRow->addWidget(nfNoMeals_);
  countRow->addStretch();
  otMealTimes_ = new QTableView(meals);
  otMealTimes_->setObjectName("otMealTimes");
  mealsModel_ = new StableMealTimesModel(e, this);
  otMealTimes_->setModel(mealsModel_);
  otMealTimes_->verticalHeader()->hide();
  otMealTimes_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  otMealTimes_->setEditTriggers(QAbstractItemView::AllEditTriggers);
  otMealTimes_->setSelectionMode(QAbstractItemView::SingleSelection);
  // Leaving the table, from the table or from a cell's editor (Enter opens the next row's):
  // the focus goes somewhere outside it. Moving into a cell's editor is not leaving.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
    if (window_.Dead() || !InMealTable(old) || InMealTable(now)) return;
    QTimer::singleShot(0, this, [this] {
      if (!window_.Dead() && !InMealTable(QApplication::focusWidget())) MealTableLeft();
    });
  });
  // Enter in a time cell stores the time and moves on down, from the last row to the first.
  connect(otMealTimes_->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
          [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
            if (hint != QAbstractItemDelegate::SubmitModelCache || window_.Dead()) return;
            QTimer::singleShot(0, this, [this] {
              const QModelIndex at = otMealTimes_->currentIndex();
              if (!at.isValid() || window_.Dead()) return;
              const int next = window_.Editor().NextMealRow(at.row() + 1) - 1;
              otMealTimes_->setCurrentIndex(mealsModel_->index(next, StableMealTimesModel::kTime));
            });
          });
  mealsModel_->refused = [this](const std::string& message) {
    // Told after the cell's editor has closed, so the box does not end the edit twice.
    QTimer::singleShot(0, this, [this, message] {
      if (!window_.Dead()) window_.Tell(StableOutcome::Refused(message, false), otMealTimes_);
    });
  };
  mealsLayout->addLayout(countRow);
  mealsLayout->addWidget(otMealTimes_);
  mealsLayout->addStretch();
  middle->addWidget(meals, 1);
  columns->addLayout(middle, 1);

  // Treatment summary.
  grbHorseSummaries_ = new QGroupBox(T(kBehandlingsinformation) + ": " + Q(FirstLetterLower(Tr(kHesteIStalden))), this);
  grbHorseSummaries_->setObjectName("grbHorseSummaries");
  auto* summary = new QVBoxLayout(grbHorseSummaries_);
  lblTreatmentsUntil_ = new QLabel(grbHorseSummaries_);
  lblTreatmentsUntil_->setObjectName("lblTreatmentsUntil");
  lblTreatmentsUntil_->setWordWrap(true);
  shStartforbud_ = new QLabel(grbHorseSummaries_);
  shStartforbud_->setObjectName("shStartforbud");
  shStartforbud_->setPixmap(Icon(IconKind::Ban).pixmap(22, 22));
  lbRapport_ = new QListView(grbHorseSummaries_);
  lbRapport_->setObjectName("lbRapport");
  lbRapport_->setToolTip(T(kDobbeltklikVis) + " " + TLower(common::kBehandlinger));
  lbRapport_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  summaryModel_ = new TreatmentSummaryModel(e, this);
  lbRapport_->setModel(summaryModel_);
  summary->addWidget(lblTreatmentsUntil_);
  summary->addWidget(shStartforbud_);
  summary->addWidget(lbRapport_, 1);
  grbHorseSummaries_->hide();
  columns->addWidget(grbHorseSummaries_, 1);

  auto live = [this](auto f) {
    // Qt passes what a signal carries (a click's checked state); a handler takes what it uses.
    return [this, f](auto&&... args) {
      if (window_.Dead()) return;
      if constexpr (std::is_invocable_v<decltype(f), decltype(args)...>)
        f(args...);
      else
        f();
    };
  };
  connect(lbHorseNameList_, &QListView::clicked, this,
          live([this](const QModelIndex& i) { window_.Editor().SelectHorse(i.row()); }));
  connect(lbHorseNameList_, &QListView::doubleClicked, this,
          live([this](const QModelIndex& i) { HorseActivated(i.row()); }));
  connect(newHorse, &QPushButton::clicked, this, live([this] { window_.NewHorse(); }));
  connect(btnSlettHest_, &QPushButton::clicked, this, live([this] { DeleteHorse(); }));
  connect(eStallNavn_, &QLineEdit::editingFinished, this, live([this] { NameLeft(); }));
  // The field's focus belongs to the combo box, whose line edit never sees a focus event of
  // its own: its end of editing is the owner left (with the keyboard, the mouse or Enter).
  connect(cbStallEier_->lineEdit(), &QLineEdit::editingFinished, this, live([this] { OwnerLeft(); }));
  connect(cbStallEier_, &QComboBox::activated, this, live([this](int i) { OwnerChosen(i); }));
  connect(btnRegistrer_, &QPushButton::clicked, this, live([this] { RegisterOwner(); }));
  connect(showList, &QPushButton::clicked, this, live([this] { window_.ShowFeedList(); }));
  connect(cbForlistevalg_, &QComboBox::activated, this, live([this](int i) { FeedListChosen(i); }));
  connect(cbStallForModellhester_, &QCheckBox::clicked, this,
          live([this](bool on) { window_.Editor().SetModelStable(on); }));
  connect(modelHelp, &QPushButton::clicked, this, live([this] { window_.ModelStableHelp(); }));
  connect(mail, &QPushButton::clicked, this, live([this] { window_.MailStable(); }));
  connect(nfNoMeals_, &QSpinBox::editingFinished, this, live([this] { MealCountEdited(); }));
  connect(nfNoMeals_, &QSpinBox::valueChanged, this, live([this] {
            if (!filling_ && !nfNoMeals_->hasFocus()) MealCountEdited();
          }));
  connect(lbRapport_, &QListView::doubleClicked, this,
          live([this](const QModelIndex& i) { SummaryActivated(i.row()); }));
}

void StableInformationPage::EditorChanged(ChangeFlags changed) {
  horsesModel_->EditorChanged(changed);
  mealsModel_->EditorChanged(changed);
  summaryModel_->EditorChanged(changed);
}

void StableInformationPage::FitMealTable() {
  // Up to six feedings without scrolling; more scroll.
  const int rows = std::min(window_.Editor().View().mealCount + 1, 7);
  const int rowHeight = otMealTimes_->verticalHeader()->defaultSectionSize();
  otMealTimes_->setFixedHeight(std::max(rows - 1, 1) * rowHeight +
                               otMealTimes_->horizontalHeader()->sizeHint().height() + 2 * otMealTimes_->frameWidth() +
                               5);
}

void StableInformationPage::Repaint(ChangeFlags changed) {
  const StableView& v = window_.Editor().View();
  filling_ = true;
  if (changed & sc::kCaption) {
    if (!eStallNavn_->hasFocus() || eStallNavn_->text() != Q(v.name)) eStallNavn_->setText(Q(v.name));
  }
  if (changed & sc::kOwner) {
    const QString typed = cbStallEier_->currentText();
    cbStallEier_->clear();
    for (const auto& n : v.ownerChoices) cbStallEier_->addItem(Q(n));
    cbStallEier_->setEditText(v.owner.empty() ? typed : Q(v.owner));
  }
  if (changed & sc::kModel) cbStallForModellhester_->setChecked(v.modelStable);
  if (changed & (sc::kHorses | sc::kCaption)) {
    lbHorseNameList_->setVisible(v.hasHorses);
    btnSlettHest_->setEnabled(v.deleteHorseEnabled);
    if (v.selectedHorse >= 0)
      lbHorseNameList_->setCurrentIndex(horsesModel_->index(v.selectedHorse, 0));
    else
      lbHorseNameList_->clearSelection();
  }
  if (changed & sc::kMeals) {
    if (nfNoMeals_->value() != v.mealCount) nfNoMeals_->setValue(v.mealCount);
    otMealTimes_->setVisible(v.mealTableVisible);
    FitMealTable();
  }
  if (changed & sc::kFeedList) {
    gbStallensForliste_->setTitle(Q(v.feedListCaption));
    cbForlistevalg_->clear();
    for (const auto& n : v.feedListChoices) cbForlistevalg_->addItem(Q(n));
    cbForlistevalg_->setVisible(!v.feedListChoices.empty());
  }
  if (changed & sc::kSummary) {
    lblTreatmentsUntil_->setText(Q(v.treatmentsUntil));
    grbHorseSummaries_->setVisible(v.summaryVisible);
    shStartforbud_->setVisible(v.summaryVisible && v.summary.banned > 0);
    shStartforbud_->setToolTip(ScreenText(v.summary.banHint));
  }
  filling_ = false;
}

void StableInformationPage::TakeDataIntoRecord() { window_.Editor().TakeOwnerText(L(cbStallEier_->currentText())); }

void StableInformationPage::FocusName() { eStallNavn_->setFocus(); }

void StableInformationPage::NameLeft() {
  if (filling_) return;
  const StableOutcome r = window_.Editor().LeaveName(L(eStallNavn_->text()));
  if (!r.ok) {
    window_.Tell(r, eStallNavn_);
    eStallNavn_->setText(Q(window_.Editor().View().name));
    return;
  }
  window_.Tell(r);
}

void StableInformationPage::OwnerLeft() {
  if (filling_) return;
  const StableOutcome r = window_.Editor().LeaveOwner(L(cbStallEier_->currentText().trimmed()));
  window_.Tell(r, r.keepFocus ? cbStallEier_ : nullptr);
}

void StableInformationPage::OwnerChosen(int index) {
  const auto& choices = window_.Editor().View().ownerChoices;
  if (index < 0 || index >= static_cast<int>(choices.size())) return;
  cbStallEier_->setEditText(Q(choices[static_cast<size_t>(index)]));
  OwnerLeft();
}

void StableInformationPage::RegisterOwner() {
  Services& services = window_.services();
  if (!services.windows || !services.windows->ownerContacts) return;
  const std::string owner = L(cbStallEier_->currentText().trimmed());
  const auto contact = window_.Editor().OwnerContact(owner);
  if (!contact) {
    OwnerLeft();
    return;
  }
  const bool isNew = services.app->contacts.GetAdresseNr(owner, 0) < 0;
  services.windows->ownerContacts(&window_, *contact, isNew);
}

void StableInformationPage::MealCountEdited() {
  if (filling_) return;
  const int count = nfNoMeals_->value();
  if (count == window_.Editor().View().mealCount) return;
  window_.Tell(window_.Editor().SetMealCount(count), nfNoMeals_);
  if (otMealTimes_->isVisible()) {
    otMealTimes_->setFocus();
    otMealTimes_->setCurrentIndex(mealsModel_->index(0, StableMealTimesModel::kTime));
  }
}

void StableInformationPage::MealTableLeft() {
  if (leavingTable_) return;
  leavingTable_ = true;
  const LeaveMealsResult r = window_.Editor().LeaveMealTable(window_.HorseWindowOpen());
  leavingTable_ = false;
  if (r.message.empty()) return;
  window_.Ask().Inform(r.message);
  if (r.closeWindow) QTimer::singleShot(0, &window_, [w = &window_] { w->CloseWindow(); });
}

void StableInformationPage::DeleteHorse() {
  StableEditor& e = window_.Editor();
  const StableQuestion q = e.AskDeleteHorse();
  if (!q.refusal.empty()) {
    window_.Ask().Inform(q.refusal);
    e.DeclineDeleteHorse();
    return;
  }
  if (!window_.Ask().YesNo(q.question)) {
    e.DeclineDeleteHorse();
    return;
  }
  window_.Tell(e.DeleteHorse(q.subject));
}

void StableInformationPage::HorseActivated(int row) {
  const auto& names = window_.Editor().View().horseNames;
  if (row < 0 || row >= static_cast<int>(names.size())) return;
  if (THest* h = window_.Stable().HorseByName(names[static_cast<size_t>(row)])) window_.OpenHorse(*h);
}

void StableInformationPage::SummaryActivated(int line) {
  const auto jump = window_.Editor().ActivateSummaryLine(line);
  if (!jump) return;
  window_.ShowTreatmentTree();
  if (!jump->message.empty()) window_.Ask().Inform(jump->message);
}

void StableInformationPage::FeedListChosen(int index) {
  if (filling_) return;
  const auto& choices = window_.Editor().View().feedListChoices;
  if (index < 0 || index >= static_cast<int>(choices.size())) return;
  window_.Editor().ChooseFeedList(choices[static_cast<size_t>(index)]);
}

bool StableInformationPage::InMealTable(const QWidget* w) const {
  return w && (w == otMealTimes_ || otMealTimes_->isAncestorOf(w));
}

bool StableInformationPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == cbStallEier_->lineEdit()) {
    if (event->type() == QEvent::MouseButtonDblClick && !window_.Dead()) RegisterOwner();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace stallora
