#include "ui/horseyoungdialog.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFontMetrics>
#include <QScreen>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/texts.h"
#include "forms/horse_form.h"
#include "ui/qtext.h"
#include "ui/widgets/dates.h"
#include "ui/widgets/dialogbuttons.h"

namespace stallora {
namespace {

inline constexpr Text kFoedselsdato{"youngdlg.birthdate", "Fødselsdato"};
inline constexpr Text kForventetVoksenvaegt{"youngdlg.adultweight", "Forventet voksenvægt"};
inline constexpr Text kMdr{"youngdlg.months", "mdr"};
inline constexpr Text kDobbeltklikBlaa{"youngdlg.sliderhint", "Dobbeltklik på blå text for hurtigt valg"};
inline constexpr Text kDobbeltklikForValg{"youngdlg.quickhint", "Dobbeltklik for valg"};
inline constexpr Text kAfbryd{"youngdlg.cancel", "Afbryd"};



// A quick-choice label: a click picks its age.
class QuickLabel : public QLabel {
 public:
  QuickLabel(int months, QWidget* parent, std::function<void(int)> pick)
      : QLabel(QString::number(months), parent), months_(months), pick_(std::move(pick)) {
    setObjectName(QStringLiteral("lbl%1").arg(months));
    setStyleSheet(QStringLiteral("color: blue"));
    setCursor(Qt::PointingHandCursor);
    setToolTip(T(kDobbeltklikForValg));
  }

 protected:
  void mousePressEvent(QMouseEvent*) override { pick_(months_); }
  void mouseDoubleClickEvent(QMouseEvent*) override { pick_(months_); }

 private:
  int months_;
  std::function<void(int)> pick_;
};

}  // namespace

void YoungHorseDialog::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() != QEvent::WindowTitleChange) return;
  // Title bars draw their text about a tenth wider than the dialog's font (often bold),
  // beside an icon and three buttons.
  QFont titleFont = font();
  titleFont.setBold(true);
  const int needed = QFontMetrics(titleFont).horizontalAdvance(windowTitle()) * 11 / 10 + 140;
  const int most = screen() ? screen()->availableGeometry().width() * 9 / 10 : needed;
  setMinimumWidth(std::min(needed, most));
}

YoungHorseDialog::YoungHorseDialog(const Clock* clock, const Regional* regional, QWidget* parent)
    : QDialog(parent), clock_(clock), regional_(regional) {
  setObjectName("frmDefYoungHorse");
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  interval_ = new QLabel(this);
  interval_->setObjectName("lblBirthDate");
  interval_->setWordWrap(true);
  layout->addWidget(interval_);

  auto* grid = new QGridLayout;
  auto* birthLabel = new QLabel(T(kFoedselsdato), this);
  birthLabel->setObjectName("lblFodselsDato");
  date_ = new QDateEdit(this);
  date_->setObjectName("dtpDato");
  date_->setCalendarPopup(true);
  // As the horse window's dates; the locale's own format showed English month names.
  date_->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
  birthLabel->setBuddy(date_);
  grid->addWidget(birthLabel, 0, 0);
  grid->addWidget(date_, 0, 1);
  age_ = new QLabel(this);
  age_->setObjectName("lblAge");
  grid->addWidget(age_, 0, 2);

  slider_ = new QSlider(Qt::Horizontal, this);
  slider_->setObjectName("tbAge");
  slider_->setRange(0, 24);
  slider_->setSingleStep(1);
  slider_->setPageStep(3);
  slider_->setTickInterval(3);
  slider_->setTickPosition(QSlider::TicksBelow);
  slider_->setToolTip(T(kDobbeltklikBlaa));
  grid->addWidget(slider_, 1, 0, 1, 3);
  auto* quick = new QHBoxLayout;
  for (int m = 0; m <= 24; m += 3) {
    quick->addWidget(new QuickLabel(m, this, [this](int months) { MoveSlider(months); }));
    if (m < 24) quick->addStretch();
  }
  auto* months = new QLabel(T(kMdr), this);
  months->setObjectName("lblMnd");
  quick->addWidget(months);
  grid->addLayout(quick, 2, 0, 1, 3);

  auto* weightLabel = new QLabel(T(kForventetVoksenvaegt) + ", kg", this);
  weightLabel->setObjectName("lblForventetVoksenvekt");
  weight_ = new QLineEdit(this);
  weight_->setObjectName("edAdultWeight");
  weightLabel->setBuddy(weight_);
  grid->addWidget(weightLabel, 3, 0);
  grid->addWidget(weight_, 3, 1);
  layout->addLayout(grid);

  AddDialogButtons(this, layout, T(kAfbryd), "btnOK", "btnCancel");

  connect(date_, &QDateEdit::dateChanged, this, [this] {
    if (!settingDate_) DateChanged();
  });
  connect(slider_, &QSlider::valueChanged, this, [this](int v) {
    if (!settingSlider_) MoveSlider(v);
  });
  SetTexts();
  SetDate(Today());
}

DayNumber YoungHorseDialog::Today() const { return clock_ ? clock_->Today() : SystemClock().Today(); }

void YoungHorseDialog::SetTexts() {
  const Regional regional = regional_ ? *regional_ : Regional{};
  interval_->setText(Q(YoungBirthIntervalText(regional, Today())));
}

void YoungHorseDialog::showEvent(QShowEvent* event) {
  SetTexts();
  QDialog::showEvent(event);
}

void YoungHorseDialog::SetDate(DayNumber date) {
  settingDate_ = true;
  date_->setDate(QDateFromDay(date));
  settingDate_ = false;
  DateChanged();
}

DayNumber YoungHorseDialog::Date() const { return DayFromQDate(date_->date()); }

void YoungHorseDialog::DateChanged() {
  const DayNumber today = Today();
  const DayNumber clamped = ClampYoungBirthDate(Date(), today);
  if (clamped != Date()) {
    settingDate_ = true;
    date_->setDate(QDateFromDay(clamped));
    settingDate_ = false;
  }
  settingSlider_ = true;
  slider_->setValue(SliderPosition(clamped, today));
  settingSlider_ = false;
  ShowAge();
}

void YoungHorseDialog::MoveSlider(int months) {
  const DayNumber today = Today();
  const DayNumber date = DateOfSlider(months, today);
  settingDate_ = true;
  date_->setDate(QDateFromDay(date));
  settingDate_ = false;
  settingSlider_ = true;
  slider_->setValue(SliderPosition(date, today));
  settingSlider_ = false;
  ShowAge();
}

void YoungHorseDialog::ShowAge() { age_->setText(Q(AgeLabel(Date(), Today()))); }

}  // namespace stallora
