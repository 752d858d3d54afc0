#include "ui/horse/informationpage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/textutil.h"
#include "forms/horse_form.h"
#include "ration/horse_reports.h"
#include "render/qttext.h"
#include "ui/appwindows.h"
#include "ui/horse/pagehelpers.h"
#include "ui/horsetexts.h"
#include "ui/horsewindow.h"
#include "ui/mainwindow.h"
#include "ui/widgets/clicklabel.h"
#include "ui/widgets/dates.h"

namespace stallora {

using namespace horsetext;

namespace {

constexpr int kPictureHeight = 150;

QRadioButton* AddRadio(QButtonGroup* group, QLayout* layout, const QString& text, int id, const char* name) {
  auto* r = new QRadioButton(text);
  r->setObjectName(QString::fromLatin1(name) + QString::number(id));
  group->addButton(r, id);
  layout->addWidget(r);
  return r;
}

}  // namespace

HorseInformationPage::HorseInformationPage(HorseWindow& window) : window_(window) {
  setObjectName("tsHesteInformasjon");
  auto* grid = new QGridLayout(this);
  grid->addWidget(BuildIdentity(), 0, 0);
  grid->addWidget(BuildCategories(), 1, 0);
  grid->addWidget(BuildReproduction(), 2, 0);
  grid->addWidget(BuildYoungHorse(), 3, 0);
  auto* right = new QVBoxLayout;
  BuildPicture(right);
  grid->addLayout(right, 0, 1, 4, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(4, 1);
  SetCaptions();
  Connect();
}

THest& HorseInformationPage::Horse() const { return window_.Horse(); }

QWidget* HorseInformationPage::BuildIdentity() {
  const CountrySettings& s = window_.services().app->settings;
  auto* identity = new QGroupBox(this);
  auto* form = new QGridLayout(identity);
  eNavn_ = new QLineEdit(identity);
  eNavn_->setObjectName("eNavn");
  eNavn_->setMaxLength(60);
  auto* nameLabel = new QLabel("&" + T(kWNavn) + ":", identity);
  nameLabel->setBuddy(eNavn_);
  form->addWidget(nameLabel, 0, 0);
  form->addWidget(eNavn_, 0, 1, 1, 2);
  cbHesteeier_ = new QComboBox(identity);
  cbHesteeier_->setObjectName("cbHesteeier");
  cbHesteeier_->setEditable(true);
  cbHesteeier_->setInsertPolicy(QComboBox::NoInsert);
  btnRegistrer_ = new QToolButton(identity);
  btnRegistrer_->setObjectName("btnRegistrer");
  btnRegistrer_->setText(QStringLiteral("R"));
  btnRegistrer_->setToolTip(T(kWRegistrerer));
  btnRegistrer_->setVisible(window_.services().windows && window_.services().windows->ownerContacts);
  auto* ownerLabel = new QLabel("&" + T(kWEjer) + ":", identity);
  ownerLabel->setBuddy(cbHesteeier_);
  form->addWidget(ownerLabel, 1, 0);
  form->addWidget(cbHesteeier_, 1, 1);
  form->addWidget(btnRegistrer_, 1, 2);
  lblRace_ = new QLabel(T(kWVaelgRace) + ":", identity);
  edRase_ = new QLineEdit(identity);
  edRase_->setObjectName("edRase");
  edRase_->setReadOnly(true);
  breedButton_ = new QToolButton(identity);
  breedButton_->setObjectName("btnBreedHelp");
  breedButton_->setText(QStringLiteral("..."));
  breedButton_->setToolTip(T(kWVaelgRaceHer));
  lblRace_->setBuddy(breedButton_);
  form->addWidget(lblRace_, 2, 0);
  form->addWidget(edRase_, 2, 1);
  form->addWidget(breedButton_, 2, 2);
  grbBreedHelp_ = new QGroupBox(T(kWVaelgRaceHer), identity);
  grbBreedHelp_->setObjectName("grbBreedHelp");
  auto* breedBox = new QVBoxLayout(grbBreedHelp_);
  cbbreed_ = new QComboBox(grbBreedHelp_);
  cbbreed_->setObjectName("cbbreed");
  for (const Breed& b : s.breeds) cbbreed_->addItem(Q(b.name));
  cbUseBreedPicture_ = new QCheckBox(T(kWBrugRacebillede), grbBreedHelp_);
  cbUseBreedPicture_->setObjectName("cbUseBreedPicture");
  breedBox->addWidget(cbbreed_);
  breedBox->addWidget(cbUseBreedPicture_);
  grbBreedHelp_->hide();
  form->addWidget(grbBreedHelp_, 3, 0, 1, 3);
  auto* birthLabel = new QLabel("&" + T(kWFoedselsdato) + ":", identity);
  dtpFodselsDato_ = NewDateEdit(identity, "dtpFodselsDato");
  birthLabel->setBuddy(dtpFodselsDato_);
  form->addWidget(birthLabel, 4, 0);
  form->addWidget(dtpFodselsDato_, 4, 1);
  auto* ageRow = new QHBoxLayout;
  pfAlder_ = new QSpinBox(identity);
  pfAlder_->setObjectName("pfAlder");
  pfAlder_->setRange(0, 50);
  lblAlderEnhet_ = new QLabel(T(kWAar), identity);
  auto* ageLabel = new QLabel(T(kWAlder) + ":", identity);
  ageLabel->setBuddy(pfAlder_);
  ageRow->addWidget(pfAlder_);
  ageRow->addWidget(lblAlderEnhet_);
  ageRow->addStretch();
  form->addWidget(ageLabel, 5, 0);
  form->addLayout(ageRow, 5, 1);
  return identity;
}

QWidget* HorseInformationPage::BuildCategories() {
  auto* box = new QWidget(this);
  auto* radios = new QHBoxLayout(box);
  radios->setContentsMargins(0, 0, 0, 0);
  auto* sexBox = new QGroupBox(T(kWKoen), box);
  auto* sexLayout = new QVBoxLayout(sexBox);
  rgKjonn_ = new QButtonGroup(this);
  for (int i = 0; i < 2; ++i) AddRadio(rgKjonn_, sexLayout, QString(), i, "rgKjonn");
  auto* bloodBox = new QGroupBox(T(kWBlodtype), box);
  auto* bloodLayout = new QVBoxLayout(bloodBox);
  rgBlodstype_ = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) AddRadio(rgBlodstype_, bloodLayout, QString(), i, "rgblodstype");
  sexLayout->addStretch();
  bloodLayout->addStretch();
  auto* leftRadios = new QVBoxLayout;
  leftRadios->addWidget(sexBox);
  leftRadios->addWidget(bloodBox);
  radios->addLayout(leftRadios);
  rgHestetypeBox_ = new QGroupBox(T(kWHestetype), box);
  auto* catLayout = new QVBoxLayout(rgHestetypeBox_);
  rgHestetype_ = new QButtonGroup(this);
  for (int i = 0; i < 6; ++i) AddRadio(rgHestetype_, catLayout, QString(), i, "rgHestetype");
  cbActiveHorse_ = new QCheckBox(T(kWGaarPaaFold), rgHestetypeBox_);
  cbActiveHorse_->setObjectName("cbActiveHorse");
  cbActiveHorse_->setToolTip(T(kWFoldHint));
  catLayout->addWidget(cbActiveHorse_);
  catLayout->addStretch();
  radios->addWidget(rgHestetypeBox_);
  return box;
}

QWidget* HorseInformationPage::BuildReproduction() {
  grbReproduksjon_ = new QGroupBox(this);
  grbReproduksjon_->setObjectName("grbReproduksjon");
  auto* repro = new QVBoxLayout(grbReproduksjon_);
  matingRow_ = new QWidget(grbReproduksjon_);
  auto* mating = new QGridLayout(matingRow_);
  mating->setContentsMargins(0, 0, 0, 0);
  dtpBedekkingsDato_ = NewDateEdit(matingRow_, "dtpBedekkingsDato");
  pfDrektighetsMnd_ = new QSpinBox(matingRow_);
  pfDrektighetsMnd_->setObjectName("pfDrektighetsMnd");
  pfDrektighetsMnd_->setRange(0, 36);
  mating->addWidget(new QLabel(T(kWBedaekningsdato) + ":"), 0, 0);
  mating->addWidget(dtpBedekkingsDato_, 0, 1);
  mating->addWidget(new QLabel(T(kWMdrDraegtig) + ":"), 1, 0);
  mating->addWidget(pfDrektighetsMnd_, 1, 1);
  foalingRow_ = new QWidget(grbReproduksjon_);
  auto* foaling = new QGridLayout(foalingRow_);
  foaling->setContentsMargins(0, 0, 0, 0);
  dtpPartusDato_ = NewDateEdit(foalingRow_, "dtpPartusDato");
  pfLaktasjonsMnd_ = new QSpinBox(foalingRow_);
  pfLaktasjonsMnd_->setObjectName("pfLaktasjonsMnd");
  pfLaktasjonsMnd_->setRange(0, 36);
  foaling->addWidget(new QLabel(T(kWFolningsdato) + ":"), 0, 0);
  foaling->addWidget(dtpPartusDato_, 0, 1);
  foaling->addWidget(new QLabel(T(kWLaktMdr) + ":"), 1, 0);
  foaling->addWidget(pfLaktasjonsMnd_, 1, 1);
  btnNyBedekning_ = new QPushButton(T(kWNyBedaekning), grbReproduksjon_);
  btnNyBedekning_->setObjectName("btnNyBedekning");
  repro->addWidget(foalingRow_);
  repro->addWidget(matingRow_);
  repro->addWidget(btnNyBedekning_);
  return grbReproduksjon_;
}

QWidget* HorseInformationPage::BuildYoungHorse() {
  grbUnghest_ = new QGroupBox(T(kWDataOmUnghesten), this);
  grbUnghest_->setObjectName("grbUnghest");
  auto* young = new QGridLayout(grbUnghest_);
  eForventetVoksenVekt_ = new QLineEdit(grbUnghest_);
  eForventetVoksenVekt_->setObjectName("eForventetVoksenVekt");
  eForventetVoksenVekt_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,5}"), this));
  eVektIdag_ = new QLineEdit(grbUnghest_);
  eVektIdag_->setObjectName("eVektIdag");
  eVektIdag_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,5}"), this));
  lblTeoretiskTilvekst_ = new QLabel(grbUnghest_);
  lblTeoretiskTilvekst_->setObjectName("lblTeoretiskTilvekst");
  eDagensTilvekst_ = new QLineEdit(grbUnghest_);
  eDagensTilvekst_->setObjectName("eDagensTilvekst");
  eDagensTilvekst_->setValidator(
      new QRegularExpressionValidator(QRegularExpression("[0-9]{0,2}([.,][0-9]{0,3})?"), this));
  young->addWidget(new QLabel(T(kWForventetVoksenvaegt) + ", kg:"), 0, 0);
  young->addWidget(eForventetVoksenVekt_, 0, 1);
  young->addWidget(new QLabel(T(kWVaegtIDag) + ", kg:"), 1, 0);
  young->addWidget(eVektIdag_, 1, 1);
  young->addWidget(new QLabel(T(kWTeoretiskTilvaekst) + ":"), 2, 0);
  young->addWidget(lblTeoretiskTilvekst_, 2, 1);
  young->addWidget(new QLabel(T(kWDagensTilvaekst) + ", " + T(kWKgDag) + ":"), 3, 0);
  young->addWidget(eDagensTilvekst_, 3, 1);
  auto* rateBox = new QGroupBox(T(kWOpdraetsintensitet), grbUnghest_);
  rateBox->setToolTip(T(kWOpdraetsHint));
  auto* rateLayout = new QVBoxLayout(rateBox);
  rgOnsketVekstHastighet_ = new QButtonGroup(this);
  AddRadio(rgOnsketVekstHastighet_, rateLayout, T(kWNormal), 0, "rgOnsketVekstHastighet");
  AddRadio(rgOnsketVekstHastighet_, rateLayout, T(kWHoejt), 1, "rgOnsketVekstHastighet");
  rateHelp_ = new QToolButton(rateBox);
  rateHelp_->setText(QStringLiteral("?"));
  rateLayout->addWidget(rateHelp_);
  auto* trainingBox = new QGroupBox(T(kWTraening), grbUnghest_);
  auto* trainingLayout = new QVBoxLayout(trainingBox);
  rgYoungTraining_ = new QButtonGroup(this);
  for (int i = 0; i < 4; ++i) AddRadio(rgYoungTraining_, trainingLayout, QString(), i, "rgYoungTraining");
  young->addWidget(rateBox, 0, 2, 4, 1);
  young->addWidget(trainingBox, 0, 3, 4, 1);
  return grbUnghest_;
}

void HorseInformationPage::BuildPicture(QVBoxLayout* right) {
  imgHest_ = new ClickLabel(this);
  imgHest_->setObjectName("imgHest");
  imgHest_->setFixedHeight(kPictureHeight);
  imgHest_->setScaledContents(true);
  imgHest_->setToolTip(T(kWVaelgBillede));
  auto* pictureRow = new QHBoxLayout;
  pictureRow->addStretch();
  pictureRow->addWidget(imgHest_);
  pictureRow->addStretch();
  right->addLayout(pictureRow);
  auto* pictureButtons = new QHBoxLayout;
  choosePicture_ = new QPushButton(T(kWVaelgBillede), this);
  choosePicture_->setObjectName("btnVelgBilde");
  deletePicture_ = new QPushButton(T(kWSlet) + " " + T(kWBilde), this);
  deletePicture_->setObjectName("btnSlettBilde");
  pictureButtons->addWidget(choosePicture_);
  pictureButtons->addWidget(deletePicture_);
  right->addLayout(pictureButtons);
  lbHesteInfo_ = new QListWidget(this);
  lbHesteInfo_->setObjectName("lbHesteInfo");
  lblNewHorse_ = new QLabel(T(kWKlikPaaVaegt), this);
  lblNewHorse_->setObjectName("lblNewHorse");
  lblNewHorse_->setWordWrap(true);
  right->addWidget(lbHesteInfo_, 1);
  right->addWidget(lblNewHorse_);
  addDiary_ = new QPushButton(T(kWLaegTil) + " " + T(kWDagbogLower), this);
  addDiary_->setObjectName("btnAddToDiary");
  right->addWidget(addDiary_);
}

void HorseInformationPage::SetCaptions() {
  const CountrySettings& s = window_.services().app->settings;
  auto fill = [](QButtonGroup* group, const std::vector<std::string>& names) {
    for (QAbstractButton* b : group->buttons()) {
      const int id = group->id(b);
      const std::string& name = CountrySettings::NameAt(names, id);
      b->setText(Q(name));
      b->setVisible(!name.empty());
    }
  };
  fill(rgHestetype_, s.categoryNames);
  fill(rgBlodstype_, s.bloodTypeNames);
  fill(rgKjonn_, s.sexNames);
  fill(rgYoungTraining_, s.youngTrainingNames);
  std::string youngHint = Tr(kHfEnergibehov) + ": ";
  const char* steps[] = {" +20%, ", " +40%, ", " +60%"};
  for (int i = 1; i <= 3; ++i) youngHint += CountrySettings::NameAt(s.youngTrainingNames, i) + steps[i - 1];
  for (QAbstractButton* b : rgYoungTraining_->buttons()) b->setToolTip(Q(youngHint));
}

// What only the user does is connected: the controls are filled without signals (dates
// through SetDate, the rest does not announce a programmatic change), so no handler runs
// while the record is being shown. After the window let its record go, nothing runs.
void HorseInformationPage::Connect() {
  auto live = [this](auto f) {
    return [this, f] {
      if (!window_.Dead()) f();
    };
  };
  auto liveInt = [this](auto f) {
    return [this, f](int v) {
      if (!window_.Dead()) f(v);
    };
  };
  auto liveText = [this](auto f) {
    return [this, f](const QString& t) {
      if (!window_.Dead()) f(t);
    };
  };
  HorseEditor& editor = window_.Editor();
  connect(eNavn_, &QLineEdit::textEdited, this, liveText([this](const QString& t) { NameEdited(t); }));
  connect(eNavn_, &QLineEdit::editingFinished, this, live([this] { NameLeft(); }));
  connect(cbHesteeier_, &QComboBox::textActivated, this, liveText([this](const QString& t) { OwnerChosen(t); }));
  connect(cbHesteeier_->lineEdit(), &QLineEdit::editingFinished, this,
          live([this] { Horse().EierNavn = L(cbHesteeier_->currentText().trimmed()); }));
  connect(btnRegistrer_, &QToolButton::clicked, this, live([this] { OwnerRegister(); }));
  connect(breedButton_, &QToolButton::clicked, this, [this] {
    const int i = cbbreed_->findText(edRase_->text());
    if (i >= 0) cbbreed_->setCurrentIndex(i);
    grbBreedHelp_->show();
    cbbreed_->setFocus();
  });
  connect(cbbreed_, &QComboBox::textActivated, this, liveText([this](const QString& t) { BreedChosen(t); }));
  connect(rgKjonn_, &QButtonGroup::idClicked, this, liveInt([this](int id) { SexChosen(id); }));
  connect(rgBlodstype_, &QButtonGroup::idClicked, this,
          liveInt([&editor](int id) { editor.SetBloodType(static_cast<TBlodsType>(id)); }));
  connect(rgHestetype_, &QButtonGroup::idClicked, this, liveInt([this](int id) { CategoryChosen(id); }));
  connect(cbActiveHorse_, &QCheckBox::clicked, this, live([this] { window_.TakeDataIntoRecord(); }));
  connect(dtpFodselsDato_, &QDateEdit::dateChanged, this, live([this] { BirthDateChanged(false); }));
  connect(dtpFodselsDato_, &QDateEdit::editingFinished, this, live([this] { BirthDateLeft(); }));
  connect(pfAlder_, &QSpinBox::editingFinished, this, live([this] { AgeLeft(); }));
  connect(dtpBedekkingsDato_, &QDateEdit::editingFinished, this, live([this] { MatingDateLeft(); }));
  connect(dtpPartusDato_, &QDateEdit::editingFinished, this, live([this] { FoalingDateLeft(); }));
  connect(pfDrektighetsMnd_, &QSpinBox::editingFinished, this, live([this] { MonthsFieldLeft(true); }));
  connect(pfLaktasjonsMnd_, &QSpinBox::editingFinished, this, live([this] { MonthsFieldLeft(false); }));
  connect(btnNyBedekning_, &QPushButton::clicked, this, live([this, &editor] { editor.NewMating(); }));
  connect(eForventetVoksenVekt_, &QLineEdit::editingFinished, this, live([this] { AdultWeightLeft(); }));
  connect(eForventetVoksenVekt_, &QLineEdit::returnPressed, this, [this] { eDagensTilvekst_->setFocus(); });
  connect(eVektIdag_, &QLineEdit::editingFinished, this, live([this] { TodaysWeightLeft(); }));
  connect(eVektIdag_, &QLineEdit::returnPressed, this, [this] { eDagensTilvekst_->setFocus(); });
  connect(eDagensTilvekst_, &QLineEdit::editingFinished, this, live([this] { TodaysGainLeft(); }));
  connect(rgOnsketVekstHastighet_, &QButtonGroup::idClicked, this,
          liveInt([&editor](int id) { editor.SetGainRate(static_cast<TWeightGainRate>(id)); }));
  connect(rgYoungTraining_, &QButtonGroup::idClicked, this,
          liveInt([&editor](int id) { editor.SetYoungTraining(static_cast<TUngDyrTrening>(id)); }));
  connect(rateHelp_, &QToolButton::clicked, this, [this] {
    window_.services().main->OpenInfoPage(
        T(kWOpdraetsintensitet), window_.services().app->preferences.LinkPage("70-programhelp/354-breedingintensity"));
  });
  connect(static_cast<ClickLabel*>(imgHest_), &ClickLabel::doubleClicked, this, live([this] { ChoosePicture(); }));
  connect(choosePicture_, &QPushButton::clicked, this, live([this] { ChoosePicture(); }));
  connect(deletePicture_, &QPushButton::clicked, this, live([this] { DeletePicture(); }));
  connect(addDiary_, &QPushButton::clicked, this, &HorseInformationPage::AddToDiaryRequested);
}

// ---------------------------------------------------------------- record <-> controls

void HorseInformationPage::ShowRecord() {
  const THest& h = Horse();
  const bool young = h.Kategori == TDyreKategori::Ungdyr;
  cbHesteeier_->clear();
  for (const std::string& name : window_.services().app->contacts.NameList()) cbHesteeier_->addItem(Q(name));
  cbHesteeier_->setCurrentIndex(-1);
  cbHesteeier_->setEditText(Q(h.EierNavn));
  eNavn_->setText(Q(h.Navn));
  edRase_->setText(Q(h.RaseNavn));
  ShowAge();
  CheckId(rgBlodstype_, Ord(h.BlodsType));
  CheckId(rgHestetype_, Ord(h.Kategori));
  CheckId(rgKjonn_, Ord(h.Kjonn) > 1 ? 0 : Ord(h.Kjonn));
  if (young) {
    eForventetVoksenVekt_->setText(QString::number(std::lround(h.ForventetVoksenvekt)));
    CheckId(rgOnsketVekstHastighet_, Ord(h.OnsketVekstHastighet));
    CheckId(rgYoungTraining_, Ord(h.UngDyrTrening));
    UpdateAdultWeightHint();
  }
  ShowTodaysWeight();
  cbActiveHorse_->setChecked(h.EkstraAktivitet());
  ShowReproductionBox();
  LoadPicture();
  RefreshSummary();
}

void HorseInformationPage::ShowAge() {
  const THest& h = Horse();
  const bool young = h.Kategori == TDyreKategori::Ungdyr;
  SetDate(dtpFodselsDato_, h.Fodselsdato);
  pfAlder_->setValue(std::clamp(ShownAge(young, h.Fodselsdato, h.env->Today()), 0, 50));
  lblAlderEnhet_->setText(young ? T(kWMdr) : T(kWAar));
}

void HorseInformationPage::TakeDataIntoRecord() {
  THest& h = Horse();
  const DayNumber today = h.env->Today();
  h.EierNavn = L(cbHesteeier_->currentText().trimmed());
  ApplyName();
  h.RaseNavn = L(edRase_->text());
  if (rgBlodstype_->checkedId() >= 0) h.BlodsType = static_cast<TBlodsType>(rgBlodstype_->checkedId());
  if (rgHestetype_->checkedId() >= 0) h.Kategori = static_cast<TDyreKategori>(rgHestetype_->checkedId());
  if (rgKjonn_->checkedId() >= 0 && Ord(h.Kjonn) != rgKjonn_->checkedId() &&
      !(h.Kjonn == TKjonn::Kastrert && rgKjonn_->checkedId() == 0))
    h.Kjonn = static_cast<TKjonn>(rgKjonn_->checkedId());
  const DayNumber birth = DayFromQDate(dtpFodselsDato_->date());
  if (birth > 0) h.Fodselsdato = birth;
  if (h.Kategori == TDyreKategori::Ungdyr) {
    // Only values the fields accept reach the record; a refused one keeps the record's.
    if (auto w = ParseTypedNumber(L(eForventetVoksenVekt_->text())); w && !AdultWeightProblem(*w))
      h.ForventetVoksenvekt = *w;
    if (rgYoungTraining_->checkedId() >= 0)
      h.UngDyrTrening = static_cast<TUngDyrTrening>(rgYoungTraining_->checkedId());
    if (rgOnsketVekstHastighet_->checkedId() >= 0)
      h.OnsketVekstHastighet = static_cast<TWeightGainRate>(rgOnsketVekstHastighet_->checkedId());
    h.Fodselsvekt = BirthWeight(h.Curve(), h.ForventetVoksenvekt);
    if (h.Fodselsdato < YoungBirthLimit(today)) h.Fodselsdato = YoungBirthLimit(today) + 1;
  }
  if (h.Kategori == TDyreKategori::Drektig) {
    const DayNumber d = DayFromQDate(dtpBedekkingsDato_->date());
    if (!MatingDateProblem(d, h.env->regional, today)) h.ParringsDato = d;
  }
  if (h.Kategori == TDyreKategori::Lakterende) {
    const DayNumber d = DayFromQDate(dtpPartusDato_->date());
    if (!FoalingDateProblem(d, h.env->regional, today)) h.PartusDato = d;
  }
}

bool HorseInformationPage::PaddockChecked() const { return cbActiveHorse_->isChecked(); }

QString HorseInformationPage::TypedName() const { return eNavn_->text().trimmed(); }

void HorseInformationPage::FocusName() {
  QTimer::singleShot(0, eNavn_, [this] {
    if (!window_.Dead()) eNavn_->setFocus();
  });
}

void HorseInformationPage::Repaint(ChangeFlags changed) {
  const THest& h = Horse();
  if (changed & (kHorseData | kHorseCategory)) {
    cbActiveHorse_->setChecked(h.EkstraAktivitet());
    ShowReproductionBox();
  }
  if (changed & kHorseCategory) {
    ShowAge();
    CheckId(rgHestetype_, Ord(h.Kategori));
    CheckId(rgKjonn_, Ord(h.Kjonn) > 1 ? 0 : Ord(h.Kjonn));
  }
  if (changed & (kHorseData | kHorseWeighings | kHorseCategory)) ShowTodaysWeight();
  RefreshSummary();
}

void HorseInformationPage::Enter() {
  ShowAge();
  ShowTodaysWeight();
  ShowPicture();
}

void HorseInformationPage::ApplyVisibility() {
  const THest& h = Horse();
  const bool young = h.Kategori == TDyreKategori::Ungdyr;
  grbUnghest_->setVisible(young);
  lblAlderEnhet_->setText(young ? T(kWMdr) : T(kWAar));
  grbReproduksjon_->setVisible(h.Kategori == TDyreKategori::Drektig || h.Kategori == TDyreKategori::Lakterende);
  cbActiveHorse_->setVisible(PaddockVisible(h) && !(young && h.UngDyrTrening != TUngDyrTrening::YoungNoTraining));
  cbActiveHorse_->setEnabled(PaddockEnabled(h));
  lbHesteInfo_->setVisible(!h.ErNy);
  lblNewHorse_->setVisible(h.ErNy);
}

void HorseInformationPage::RefreshSummary() {
  const THest& h = Horse();
  lbHesteInfo_->setVisible(!h.ErNy);
  lblNewHorse_->setVisible(h.ErNy);
  if (h.ErNy) return;
  HorseReports reports(Horse(), window_.HorseDirectory());
  StringList lines;
  reports.Hestelinjer(lines);
  lines.emplace_back();
  reports.Rasjonslinjer(lines);
  lbHesteInfo_->clear();
  for (const std::string& l : lines) lbHesteInfo_->addItem(Q(l));
}

void HorseInformationPage::ShowTodaysWeight() {
  const THest& h = Horse();
  if (h.Kategori != TDyreKategori::Ungdyr) return;
  eVektIdag_->setText(QString::number(std::lround(h.AktuellVekt())));
  enteredTodaysWeight_ = eVektIdag_->text();
  const double theory = h.ForventetTilvekst(h.env->Today());
  const char sep = h.env->regional.decimalSeparator;
  if (theory <= 0.001 && h.Sistetilvekst == 0)
    lblTeoretiskTilvekst_->setText(QStringLiteral("*"));
  else
    lblTeoretiskTilvekst_->setText(Q(Trim(FormatFixed(6, 2, theory, sep)) + " " + Tr(kWKgDag)));
  eDagensTilvekst_->setText(Q(Trim(FormatFixed(6, 2, h.Sistetilvekst != 0 ? h.Sistetilvekst : theory, sep))));
}

void HorseInformationPage::OfferAdultWeight(double kg) {
  eForventetVoksenVekt_->setText(QString::number(std::lround(kg)));
}

}  // namespace stallora
