#include "ui/horsewindow.h"

#include "ui/models/editormodel.h"
#include "ui/widgets/spinner.h"
#include "ui/widgets/numberdelegate.h"
#include "ui/models/amountsmodel.h"

#include <algorithm>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "core/fileio.h"
#include "core/textutil.h"
#include "forms/horse_form.h"
#include "nutrition/report_common.h"
#include "ration/evaluation.h"
#include "ration/horse_reports.h"
#include "render/pictures.h"
#include "render/qttext.h"
#include "ui/clipboard.h"
#include "ui/widgets/dates.h"
#include "ui/horsediary.h"
#include "ui/horsehealth.h"
#include "ui/horseoutputs.h"
#include "ui/horsetexts.h"
#include "ui/horseweights.h"
#include "ui/widgets/clicklabel.h"
#include "ui/appwindows.h"
#include "ui/horseyoungdialog.h"
#include "ui/htmlview.h"
#include "ui/icons.h"
#include "ui/infobrowser.h"
#include "ui/mnemonics.h"
#include "ui/mainwindow.h"
#include "ui/rationpage.h"

namespace stallora {

using namespace horsetext;

namespace {

constexpr int kPictureHeight = 150;
// The external site about equine life numbers.
constexpr const char* kUelnSite = "https://www.ueln.net/";

QRadioButton* AddRadio(QButtonGroup* group, QLayout* layout, const QString& text, int id, const char* name) {
  auto* r = new QRadioButton(text);
  r->setObjectName(QString::fromLatin1(name) + QString::number(id));
  group->addButton(r, id);
  layout->addWidget(r);
  return r;
}

void CheckId(QButtonGroup* group, int id) {
  if (QAbstractButton* b = group->button(id)) b->setChecked(true);
}

// Keeps the focus in a field whose value was refused, once the message box is gone.
void KeepFocus(QWidget* w) {
  QTimer::singleShot(0, w, [w] { w->setFocus(); });
}

std::string Lines(const QPlainTextEdit* edit) {
  std::string text = L(edit->toPlainText());
  // Memo blocks are kept with CR LF line ends.
  std::string out;
  for (char c : text) {
    if (c == '\n') out += "\r\n";
    else out += c;
  }
  return out;
}

void ShowLines(QPlainTextEdit* edit, const std::string& bytes) {
  const QSignalBlocker block(edit);
  QString s = Q(bytes);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  edit->setPlainText(s);
}

}  // namespace

// ---------------------------------------------------------------- construction

HorseWindow::HorseWindow(THest& horse, Services& services, QWidget* parent)
    : RecordWindow(parent), horse_(&horse), services_(services) {
  setObjectName("frmHorseInfo");
  const bool modelStable = horse.stable && horse.stable->ErModellHestStall;
  setWindowIcon(Icon(modelStable ? IconKind::ModelHorse : IconKind::Horse));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 0, 4, 4);
  auto* top = new QHBoxLayout;
  auto* bar = new QMenuBar(this);
  menuHorse_ = bar->addMenu(T(kWHest));
  menuHorse_->setObjectName("MenuHorse");
  top->addWidget(bar, 1);
  banIcon_ = new ClickLabel(this);
  banIcon_->setObjectName("shStartForbud");
  banIcon_->setPixmap(Icon(IconKind::Ban).pixmap(22, 22));
  banIcon_->hide();
  top->addWidget(banIcon_);
  layout->addLayout(top);

  // The editor first: the pages are built on it (the training tab shows the ration
  // page's amounts).
  editor_ = std::make_unique<HorseEditor>(horse);
  auto* relay = new EditorRelay(*editor_, this);
  connect(relay, &EditorRelay::Changed, this, [this](unsigned changed) {
    if (!dead_) Edited(changed);
  });
  rationPage_ = new RationPage(editor_->Ration(), services_);
  tsFeedsAndfeeding_ = rationPage_;
  tsFeedsAndfeeding_->setObjectName("tsFeedsAndfeeding");
  pcForm_ = new QTabWidget(this);
  pcForm_->setObjectName("pcForm");
  pcHest_ = new QTabWidget;
  pcHest_->setObjectName("pcHest");
  tsHest_ = pcHest_;
  tsHest_->setObjectName("tsHest");
  tsHesteInformasjon_ = BuildInformationPage();
  weightPage_ = new HorseWeightPage(*this);
  tsVekt_ = weightPage_;
  tsTrening_ = BuildTrainingPage();
  tsRequirements_ = BuildRequirementPage();
  pcHest_->addTab(tsHesteInformasjon_, T(kWInformation));
  pcHest_->addTab(tsVekt_, T(kWVaegtdata));
  pcHest_->addTab(tsTrening_, T(kWTraening));
  pcHest_->addTab(tsRequirements_, T(kWBehov));

  pcInfo_ = new QTabWidget;
  tsOpplysninger_ = pcInfo_;
  tsOpplysninger_->setObjectName("tsOpplysninger");
  pcInfo_->addTab(BuildRegistrationPage(), T(kWOplysningerOmHesten));
  healthPage_ = new HorseHealthPage(*this);
  tsTreatments_ = healthPage_;

  pcForm_->addTab(tsHest_, T(kWHest));
  pcForm_->addTab(tsFeedsAndfeeding_, T(kWFoderOgFodring));
  pcForm_->addTab(tsOpplysninger_, T(kWInformation));
  pcForm_->addTab(tsTreatments_, T(kWBehandlinger));
  layout->addWidget(pcForm_, 1);

  auto* buttons = new QHBoxLayout;
  auto* update = new QPushButton("&" + T(kWOpdatere), this);
  update->setObjectName("btnUpdateHorse");
  auto* save = new QPushButton("&" + T(kWGem), this);
  save->setObjectName("btnSave");
  auto* close = new QPushButton("&" + T(kWLuk), this);
  close->setObjectName("btnClose");
  buttons->addWidget(update);
  buttons->addStretch();
  buttons->addWidget(save);
  buttons->addWidget(close);
  layout->addLayout(buttons);

  BuildMenu(menuHorse_);
  // The bar sits inside the main window, whose own bar's letters it must not take.
  AssignMnemonics(bar, services_.main ? MnemonicsOf(services_.main->menuBar()) : QSet<QChar>{});

  connect(update, &QPushButton::clicked, this, [this] {
    if (!dead_) UpdateStep();
  });
  connect(save, &QPushButton::clicked, this, [this] {
    if (!dead_) SaveHorseCommand();
  });
  connect(close, &QPushButton::clicked, this, [this] {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
    else this->close();
  });
  connect(banIcon_, &ClickLabel::doubleClicked, this, [this] {
    if (!dead_) ShowBanTreatment();
  });
  connect(pcForm_, &QTabWidget::currentChanged, this, [this] {
    if (!dead_ && !Loading()) PageEntered();
  });
  connect(pcHest_, &QTabWidget::currentChanged, this, [this](int index) {
    if (dead_ || Loading()) return;
    if (lastHorsePage_ == pcHest_->indexOf(tsHesteInformasjon_) && index != lastHorsePage_) InformationPageLeft();
    lastHorsePage_ = index;
    PageEntered();
  });

  // The show step: texts, the record, the picture, the summary, the new-horse hint, the ban.
  SetCaptions();
  pcForm_->setCurrentWidget(tsHest_);
  pcHest_->setCurrentWidget(tsHesteInformasjon_);
  lastHorsePage_ = pcHest_->currentIndex();
  ShowRecord();
  LoadPicture();
  RefreshSummary();
  if (horse.ErNy) QTimer::singleShot(0, eNavn_, [this] {
      if (!dead_) eNavn_->setFocus();
    });
  RefreshBanIcon();
  StoreSignature();
  // A requirement formula that fails for this horse is told when the window opens, not
  // only at the first edit.
  QTimer::singleShot(0, this, [this] {
    if (!dead_) Recalculate();
  });
  resize(980, 680);
}

HorseWindow::~HorseWindow() {
  // The pages go first: a discarded record must outlive everything that points to it.
  delete pcForm_;
}


Record* HorseWindow::record() const { return horse_; }

std::filesystem::path HorseWindow::HorseDirectory() const {
  if (horse_->stable) return horse_->stable->HorseDirectory(*horse_);
  return services_.app->preferences.TempDirectory();
}

QString HorseWindow::CaptionText() const {
  const std::string name = L(eNavn_ ? eNavn_->text().trimmed() : Q(horse_->Navn));
  if (horse_->stable) return Q(name + "  (" + horse_->stable->stallNavn + ")");
  return Q(name);
}

void HorseWindow::RenameCaption(const std::string& name) {
  miHorseDefinition_->setText(T(kWHest) + ": \"" + MenuLiteral(Q(name)) + "\"");
  AssignMnemonics(menuHorse_);
  setWindowTitle(CaptionText());
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->setWindowTitle(CaptionText());
}

void HorseWindow::BuildMenu(QMenu* m) {
  const std::string maintenance =
      CountrySettings::NameAt(services_.app->settings.categoryNames, Ord(TDyreKategori::Vedlikehold));
  const QString toMaintenance = QStringLiteral(" (") + T(kWTil) + " " + Q(FirstLetterLower(maintenance)) + ")";
  miHorseDefinition_ = m->addAction(QString(), this, [this] {
    pcForm_->setCurrentWidget(tsHest_);
    pcHest_->setCurrentWidget(tsHesteInformasjon_);
  });
  miHorseDefinition_->setObjectName("miHorseDefinition");
  m->addAction(T(kWInformation), this, [this] { pcForm_->setCurrentWidget(tsOpplysninger_); })
      ->setObjectName("miHorseInfo");
  m->addAction(T(kWBestemFodermaengder), this, [this] { pcForm_->setCurrentWidget(tsFeedsAndfeeding_); })
      ->setObjectName("miHorseFeedAmounts");
  m->addAction(T(kWVaelg) + " " + T(kWFoder), this, [this] { pcForm_->setCurrentWidget(tsFeedsAndfeeding_); })
      ->setObjectName("miDiet");
  // The feeding plan of the ration page, reached from the menu.
  m->addAction(T(kWFoderplan), this, [this] {
    if (dead_) return;
    pcForm_->setCurrentWidget(tsFeedsAndfeeding_);
    rationPage_->ShowFeedPlanPage();
  })->setObjectName("miShowDiet");
  m->addAction(Icon(IconKind::Save), T(kWGemFoderplanSom), this, [this] {
    if (!dead_) rationPage_->SaveFeedPlanAs();
  })->setObjectName("miSavedietToFile");
  m->addAction(Icon(IconKind::Mail), T(kWEpost) + " " + Q(FirstLetterLower(Tr(kWFoderplan))), this, [this] {
    if (!dead_) rationPage_->MailFeedPlan();
  })->setObjectName("miEmailDiet");
  QMenu* reset = m->addMenu(T(kWNulstilVaerdierFor));
  reset->setObjectName("miResetHorse");
  reset->addAction(T(kWFodermengder), this, [this] {
    if (dead_) return;
    editor_->Ration().ResetAmounts();
    rationPage_->Refresh();
    pcForm_->setCurrentWidget(tsFeedsAndfeeding_);
  });
  reset->addAction(T(kWValgtFoder), this, [this] {
    if (dead_) return;
    editor_->Ration().ResetChosenFeeds();
    rationPage_->Refresh();
    pcForm_->setCurrentWidget(tsFeedsAndfeeding_);
  });
  reset->addAction(T(kWHest) + toMaintenance, this, [this] { ResetHorse(false); })
      ->setObjectName("miResetHorseToDefault");
  reset->addAction(Q(FirstLetterUpper(Tr(kWFoder))) + " + " + T(kWHest) + toMaintenance, this,
                   [this] { ResetHorse(true); })
      ->setObjectName("miResetHorseAndFeedsToDefault");
  m->addSeparator();
  m->addAction(Icon(IconKind::Delete), T(kWSlet) + " " + T(kWHest), this, [this] { DeleteHorse(); })
      ->setObjectName("miDeleteHorse");
  QAction* saveAction = m->addAction(Icon(IconKind::Save), T(kWGem) + " " + T(kWHest), this, [this] {
    if (!dead_) SaveHorseCommand();
  });
  saveAction->setObjectName("miSaveHorse");
  saveAction->setShortcut(QKeySequence::Save);
  saveAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  addAction(saveAction);
  m->addAction(Icon(IconKind::Mail), T(kWSendEmail), this, [this] {
    if (!dead_) MailHorse({});
  })->setObjectName("miEmailHorse");
}

void HorseWindow::SetCaptions() {
  const CountrySettings& s = services_.app->settings;
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
  RenameCaption(horse_->Navn);
}

// ---------------------------------------------------------------- pages

QWidget* HorseWindow::BuildInformationPage() {
  auto* page = new QWidget;
  page->setObjectName("tsHesteInformasjon");
  auto* grid = new QGridLayout(page);
  const CountrySettings& s = services_.app->settings;

  // identity
  auto* identity = new QGroupBox(page);
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
  btnRegistrer_->setVisible(services_.windows && services_.windows->ownerContacts);
  auto* ownerLabel = new QLabel("&" + T(kWEjer) + ":", identity);
  ownerLabel->setBuddy(cbHesteeier_);
  form->addWidget(ownerLabel, 1, 0);
  form->addWidget(cbHesteeier_, 1, 1);
  form->addWidget(btnRegistrer_, 1, 2);
  lblRace_ = new QLabel(T(kWVaelgRace) + ":", identity);
  edRase_ = new QLineEdit(identity);
  edRase_->setObjectName("edRase");
  edRase_->setReadOnly(true);
  auto* breedButton = new QToolButton(identity);
  breedButton->setObjectName("btnBreedHelp");
  breedButton->setText(QStringLiteral("..."));
  breedButton->setToolTip(T(kWVaelgRaceHer));
  lblRace_->setBuddy(breedButton);
  form->addWidget(lblRace_, 2, 0);
  form->addWidget(edRase_, 2, 1);
  form->addWidget(breedButton, 2, 2);
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
  grid->addWidget(identity, 0, 0);

  // sex, blood type, category
  auto* radios = new QHBoxLayout;
  auto* sexBox = new QGroupBox(T(kWKoen), page);
  auto* sexLayout = new QVBoxLayout(sexBox);
  rgKjonn_ = new QButtonGroup(this);
  for (int i = 0; i < 2; ++i) AddRadio(rgKjonn_, sexLayout, QString(), i, "rgKjonn");
  auto* bloodBox = new QGroupBox(T(kWBlodtype), page);
  auto* bloodLayout = new QVBoxLayout(bloodBox);
  rgBlodstype_ = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) AddRadio(rgBlodstype_, bloodLayout, QString(), i, "rgblodstype");
  sexLayout->addStretch();
  bloodLayout->addStretch();
  auto* leftRadios = new QVBoxLayout;
  leftRadios->addWidget(sexBox);
  leftRadios->addWidget(bloodBox);
  radios->addLayout(leftRadios);
  rgHestetypeBox_ = new QGroupBox(T(kWHestetype), page);
  auto* catLayout = new QVBoxLayout(rgHestetypeBox_);
  rgHestetype_ = new QButtonGroup(this);
  for (int i = 0; i < 6; ++i) AddRadio(rgHestetype_, catLayout, QString(), i, "rgHestetype");
  cbActiveHorse_ = new QCheckBox(T(kWGaarPaaFold), rgHestetypeBox_);
  cbActiveHorse_->setObjectName("cbActiveHorse");
  cbActiveHorse_->setToolTip(T(kWFoldHint));
  catLayout->addWidget(cbActiveHorse_);
  catLayout->addStretch();
  radios->addWidget(rgHestetypeBox_);
  grid->addLayout(radios, 1, 0);

  // reproduction
  grbReproduksjon_ = new QGroupBox(page);
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
  grid->addWidget(grbReproduksjon_, 2, 0);

  // young horse
  grbUnghest_ = new QGroupBox(T(kWDataOmUnghesten), page);
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
  eDagensTilvekst_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,2}([.,][0-9]{0,3})?"), this));
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
  auto* rateHelp = new QToolButton(rateBox);
  rateHelp->setText(QStringLiteral("?"));
  rateLayout->addWidget(rateHelp);
  auto* trainingBox = new QGroupBox(T(kWTraening), grbUnghest_);
  auto* trainingLayout = new QVBoxLayout(trainingBox);
  rgYoungTraining_ = new QButtonGroup(this);
  for (int i = 0; i < 4; ++i) AddRadio(rgYoungTraining_, trainingLayout, QString(), i, "rgYoungTraining");
  young->addWidget(rateBox, 0, 2, 4, 1);
  young->addWidget(trainingBox, 0, 3, 4, 1);
  grid->addWidget(grbUnghest_, 3, 0);

  // picture and summary
  auto* right = new QVBoxLayout;
  imgHest_ = new ClickLabel(page);
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
  auto* choosePicture = new QPushButton(T(kWVaelgBillede), page);
  choosePicture->setObjectName("btnVelgBilde");
  auto* deletePicture = new QPushButton(T(kWSlet) + " " + T(kWBilde), page);
  deletePicture->setObjectName("btnSlettBilde");
  pictureButtons->addWidget(choosePicture);
  pictureButtons->addWidget(deletePicture);
  right->addLayout(pictureButtons);
  lbHesteInfo_ = new QListWidget(page);
  lbHesteInfo_->setObjectName("lbHesteInfo");
  lblNewHorse_ = new QLabel(T(kWKlikPaaVaegt), page);
  lblNewHorse_->setObjectName("lblNewHorse");
  lblNewHorse_->setWordWrap(true);
  right->addWidget(lbHesteInfo_, 1);
  right->addWidget(lblNewHorse_);
  auto* addDiary = new QPushButton(T(kWLaegTil) + " " + T(kWDagbogLower), page);
  addDiary->setObjectName("btnAddToDiary");
  right->addWidget(addDiary);
  grid->addLayout(right, 0, 1, 4, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(4, 1);

  // handlers
  // Handlers do nothing while the record is being shown or after the window let it go.
  auto live = [this](auto f) {
    return [this, f] {
      if (!dead_ && !Loading()) f();
    };
  };
  auto liveInt = [this](auto f) {
    return [this, f](int v) {
      if (!dead_ && !Loading()) f(v);
    };
  };
  auto liveText = [this](auto f) {
    return [this, f](const QString& t) {
      if (!dead_ && !Loading()) f(t);
    };
  };
  connect(eNavn_, &QLineEdit::textEdited, this, liveText([this](const QString& t) { NameEdited(t); }));
  connect(eNavn_, &QLineEdit::editingFinished, this, live([this] { NameLeft(); }));
  connect(cbHesteeier_, &QComboBox::textActivated, this, liveText([this](const QString& t) { OwnerChosen(t); }));
  connect(cbHesteeier_->lineEdit(), &QLineEdit::editingFinished, this,
          live([this] { horse_->EierNavn = L(cbHesteeier_->currentText().trimmed()); }));
  connect(btnRegistrer_, &QToolButton::clicked, this, live([this] { OwnerRegister(); }));
  connect(breedButton, &QToolButton::clicked, this, live([this] {
            const int i = cbbreed_->findText(edRase_->text());
            const QSignalBlocker block(cbbreed_);
            if (i >= 0) cbbreed_->setCurrentIndex(i);
            grbBreedHelp_->show();
            cbbreed_->setFocus();
          }));
  connect(cbbreed_, &QComboBox::textActivated, this, liveText([this](const QString& t) { BreedChosen(t); }));
  connect(rgKjonn_, &QButtonGroup::idClicked, this, liveInt([this](int id) { SexChosen(id); }));
  connect(rgBlodstype_, &QButtonGroup::idClicked, this, liveInt([this](int id) {
            editor_->SetBloodType(static_cast<TBlodsType>(id));
          }));
  connect(rgHestetype_, &QButtonGroup::idClicked, this, liveInt([this](int id) { CategoryChosen(id); }));
  connect(cbActiveHorse_, &QCheckBox::clicked, this, live([this] { PaddockClicked(); }));
  connect(dtpFodselsDato_, &QDateEdit::dateChanged, this, live([this] { BirthDateChanged(false); }));
  connect(dtpFodselsDato_, &QDateEdit::editingFinished, this, live([this] { BirthDateLeft(); }));
  connect(pfAlder_, &QSpinBox::editingFinished, this, live([this] { AgeLeft(); }));
  connect(dtpBedekkingsDato_, &QDateEdit::editingFinished, this, live([this] { MatingDateLeft(); }));
  connect(dtpPartusDato_, &QDateEdit::editingFinished, this, live([this] { FoalingDateLeft(); }));
  connect(pfDrektighetsMnd_, &QSpinBox::editingFinished, this, live([this] { MonthsFieldLeft(true); }));
  connect(pfLaktasjonsMnd_, &QSpinBox::editingFinished, this, live([this] { MonthsFieldLeft(false); }));
  connect(btnNyBedekning_, &QPushButton::clicked, this, live([this] {
            editor_->NewMating();
            ShowReproductionBox();
          }));
  connect(eForventetVoksenVekt_, &QLineEdit::editingFinished, this, live([this] { AdultWeightLeft(); }));
  connect(eForventetVoksenVekt_, &QLineEdit::returnPressed, this, [this] { eDagensTilvekst_->setFocus(); });
  connect(eVektIdag_, &QLineEdit::editingFinished, this, live([this] { TodaysWeightLeft(); }));
  connect(eVektIdag_, &QLineEdit::returnPressed, this, [this] { eDagensTilvekst_->setFocus(); });
  connect(eDagensTilvekst_, &QLineEdit::editingFinished, this, live([this] { TodaysGainLeft(); }));
  connect(rgOnsketVekstHastighet_, &QButtonGroup::idClicked, this, liveInt([this](int id) {
            editor_->SetGainRate(static_cast<TWeightGainRate>(id));
          }));
  connect(rgYoungTraining_, &QButtonGroup::idClicked, this, liveInt([this](int id) {
            editor_->SetYoungTraining(static_cast<TUngDyrTrening>(id));
            ApplyVisibility();
          }));
  connect(rateHelp, &QToolButton::clicked, this, [this] {
    services_.main->OpenInfoPage(T(kWOpdraetsintensitet),
                                 services_.app->preferences.LinkPage("70-programhelp/354-breedingintensity"));
  });
  connect(static_cast<ClickLabel*>(imgHest_), &ClickLabel::doubleClicked, this, live([this] { ChoosePicture(); }));
  connect(choosePicture, &QPushButton::clicked, this, live([this] { ChoosePicture(); }));
  connect(deletePicture, &QPushButton::clicked, this, live([this] { DeletePicture(); }));
  connect(addDiary, &QPushButton::clicked, this, live([this] { AddToDiary(false); }));
  return page;
}

QWidget* HorseWindow::BuildTrainingPage() {
  auto* page = new QWidget;
  page->setObjectName("tsTrening");
  auto* layout = new QVBoxLayout(page);
  const CountrySettings& s = services_.app->settings;
  tbTreningsMengde_ = new QSlider(Qt::Horizontal, page);
  tbTreningsMengde_->setObjectName("tbTreningsMengde");
  tbTreningsMengde_->setRange(0, 100);
  tbTreningsMengde_->setTickInterval(25);
  tbTreningsMengde_->setTickPosition(QSlider::TicksBelow);
  tbTreningsMengde_->setPageStep(5);
  layout->addWidget(tbTreningsMengde_);
  auto* marks = new QHBoxLayout;
  for (int i = 0; i <= 4; ++i) {
    const QString text = i == 0 ? QStringLiteral("0") : Q(CountrySettings::NameAt(s.workNames, i - 1));
    auto* mark = new QPushButton(text, page);
    mark->setObjectName(QStringLiteral("lblWork%1").arg(i));
    mark->setFlat(true);
    marks->addWidget(mark);
    if (i < 4) marks->addStretch();
    connect(mark, &QPushButton::clicked, this, [this, i] { tbTreningsMengde_->setValue(i * 25); });
  }
  layout->addLayout(marks);
  lblEnergibehov_ = new QLabel(page);
  lblEnergibehov_->setObjectName("lblEnergibehov");
  lblRationEnergy_ = new QLabel(page);
  lblRationEnergy_->setObjectName("lblRationEnergy");
  lblWarning_ = new QLabel(page);
  lblWarning_->setObjectName("lblWarning");
  lblWarning_->setStyleSheet(QStringLiteral("color: red"));
  imgEnergyBar_ = new QLabel(page);
  imgEnergyBar_->setObjectName("imgEnergyBar");
  imgEnergyBar_->setFixedSize(500, 40);
  // The ration tab's amounts, in a second view: the same texts, units and steps.
  otAllocations2_ = new QTableView(page);
  otAllocations2_->setObjectName("otAllocations2");
  otAllocations2_->setModel(rationPage_->Amounts());
  otAllocations2_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  otAllocations2_->verticalHeader()->hide();
  otAllocations2_->setSelectionMode(QAbstractItemView::SingleSelection);
  otAllocations2_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked);
  otAllocations2_->setItemDelegateForColumn(AmountsModel::kAmount, new NumberDelegate(4, 2, otAllocations2_));
  auto* spinner = new Spinner("Spinner2", page, [this](bool up) {
    if (dead_) return;
    const int rows = editor_->Ration().Ration().Count();
    if (rows == 0) return;
    int row = otAllocations2_->currentIndex().row();
    if (row < 0 || row >= rows) row = 0;
    editor_->Ration().StepAmount(row, up);
    otAllocations2_->setCurrentIndex(rationPage_->Amounts()->index(row, AmountsModel::kAmount));
  });
  spinner->AddKeys(otAllocations2_);
  auto* help = new QToolButton(page);
  help->setText(QStringLiteral("?"));
  auto* labels = new QHBoxLayout;
  labels->addWidget(lblEnergibehov_);
  labels->addWidget(lblRationEnergy_);
  labels->addStretch();
  labels->addWidget(help);
  layout->addLayout(labels);
  layout->addWidget(lblWarning_);
  layout->addWidget(imgEnergyBar_);
  auto* amountsRow = new QHBoxLayout;
  amountsRow->addWidget(otAllocations2_, 1);
  amountsRow->addWidget(spinner, 0, Qt::AlignTop);
  layout->addLayout(amountsRow, 1);
  connect(tbTreningsMengde_, &QSlider::valueChanged, this, [this](int v) {
    if (!dead_ && !Loading()) TrainingMoved(v);
  });
  connect(help, &QToolButton::clicked, this, [this] {
    services_.main->OpenInfoPage(T(kWTraening), services_.app->preferences.ManualPage() + "/horses/training");
  });
  return page;
}

QWidget* HorseWindow::BuildRequirementPage() {
  auto* page = new QWidget;
  page->setObjectName("tsRequirements");
  auto* layout = new QVBoxLayout(page);
  lblEnergySystem_ = new QLabel(page);
  lblEnergySystem_->setObjectName("lblEnergySystem");
  lblEnergySystem_->setWordWrap(true);
  wbRequirements_ = new HtmlView(page);
  wbRequirements_->setObjectName("wbRequirements");
  auto* buttons = new QHBoxLayout;
  auto* print = new QPushButton(Icon(IconKind::Print), T(kWUdskrift), page);
  print->setObjectName("btnPrint_Requirements");
  auto* copy = new QPushButton(T(kWKopier), page);
  copy->setObjectName("btnClipCopy_Requirements");
  auto* store = new QPushButton(Icon(IconKind::Save), T(kWGem), page);
  store->setObjectName("btnStore_Requirements");
  auto* mail = new QPushButton(Icon(IconKind::Mail), T(kWEpost), page);
  mail->setObjectName("btnEmail_Requirements");
  for (auto* b : {print, copy, store, mail}) buttons->addWidget(b);
  buttons->addStretch();
  layout->addWidget(lblEnergySystem_);
  layout->addWidget(wbRequirements_, 1);
  layout->addLayout(buttons);
  connect(print, &QPushButton::clicked, this, [this] {
    if (!dead_) PrintView(*this, *wbRequirements_);
  });
  connect(copy, &QPushButton::clicked, this, [this] {
    if (!dead_) CopyHtmlToClipboard(requirementReport_);
  });
  connect(store, &QPushButton::clicked, this, [this] {
    if (!dead_) StorePage(*this, kRequirementReport, requirementReport_, kWBehovLower);
  });
  connect(mail, &QPushButton::clicked, this, [this] {
    if (dead_) return;
    HorseReports reports(*horse_, HorseDirectory());
    std::string error;
    const auto path = reports.Skriv(kRequirementReport, reports.LagBehovside(), &error);
    if (path.empty()) {
      Ask().Error(error);
      return;
    }
    MailHorse(path);
  });
  return page;
}

QWidget* HorseWindow::BuildRegistrationPage() {
  auto* page = new QWidget;
  page->setObjectName("tsHesteOpplysninger");
  auto* layout = new QHBoxLayout(page);
  auto* left = new QFormLayout;
  auto* uelnRow = new QHBoxLayout;
  edUELN_ = new QLineEdit(page);
  edUELN_->setObjectName("edUELN");
  edUELN_->setMaxLength(15);
  auto* uelnButton = new QToolButton(page);
  uelnButton->setObjectName("btnUELN");
  uelnButton->setText(QStringLiteral("UELN"));
  uelnRow->addWidget(edUELN_);
  uelnRow->addWidget(uelnButton);
  left->addRow(T(kWUeln) + ":", uelnRow);
  dtpInnPaStall_ = NewDateEdit(page, "dtpInnPaStall");
  left->addRow(T(kWIndPaaStalden) + ":", dtpInnPaStall_);
  eFar_ = new QLineEdit(page);
  eFar_->setObjectName("eFar");
  left->addRow(T(kWFar) + ":", eFar_);
  eMor_ = new QLineEdit(page);
  eMor_->setObjectName("eMor");
  left->addRow(T(kWMor) + ":", eMor_);
  mAvtegn_ = new QPlainTextEdit(page);
  mAvtegn_->setObjectName("mAvtegn");
  mKondisjon_ = new QPlainTextEdit(page);
  mKondisjon_->setObjectName("mKondisjon");
  mEierOpplysninger_ = new QPlainTextEdit(page);
  mEierOpplysninger_->setObjectName("mEierOpplysninger");
  for (auto* m : {mAvtegn_, mKondisjon_, mEierOpplysninger_}) m->setTabChangesFocus(true);
  left->addRow(T(kWAftegn) + ":", mAvtegn_);
  left->addRow(T(kWKondition) + ":", mKondisjon_);
  left->addRow(T(kWEjeroplysninger) + ":", mEierOpplysninger_);
  layout->addLayout(left, 2);
  diary_ = new HorseDiary(*this, page);
  layout->addWidget(diary_, 3);
  connect(edUELN_, &QLineEdit::editingFinished, this, [this] {
    if (!dead_ && !Loading()) RegistrationNumberLeft();
  });
  connect(uelnButton, &QToolButton::clicked, this, [this] {
    InfoBrowser* w = InfoBrowser::OpenWindow(T(kWUeln), QUrl(QString::fromLatin1(kUelnSite)), services_.main,
                                             services_.main ? services_.main->Opener() : ExternalOpener{});
    if (w) w->show();
  });
  return page;
}

// ---------------------------------------------------------------- record <-> controls

void HorseWindow::ShowRecord() {
  ++loading_;
  THest& h = *horse_;
  const DayNumber today = h.env->Today();
  const bool young = h.Kategori == TDyreKategori::Ungdyr;
  {
    const QSignalBlocker b1(cbHesteeier_);
    cbHesteeier_->clear();
    for (const std::string& name : services_.app->contacts.NameList()) cbHesteeier_->addItem(Q(name));
    cbHesteeier_->setCurrentIndex(-1);
    cbHesteeier_->setEditText(Q(h.EierNavn));
  }
  {
    const QSignalBlocker b(eNavn_);
    eNavn_->setText(Q(h.Navn));
  }
  RenameCaption(h.Navn);
  edRase_->setText(Q(h.RaseNavn));
  SetDate(dtpFodselsDato_, h.Fodselsdato);
  {
    const QSignalBlocker b(pfAlder_);
    pfAlder_->setValue(std::clamp(ShownAge(young, h.Fodselsdato, today), 0, 50));
  }
  lblAlderEnhet_->setText(young ? T(kWMdr) : T(kWAar));
  CheckId(rgBlodstype_, Ord(h.BlodsType));
  CheckId(rgHestetype_, Ord(h.Kategori));
  CheckId(rgKjonn_, Ord(h.Kjonn) > 1 ? 0 : Ord(h.Kjonn));
  edUELN_->setText(Q(h.RegNr));
  eFar_->setText(Q(h.Father));
  eMor_->setText(Q(h.Mother));
  SetDate(dtpInnPaStall_, h.InnPaStall);
  if (young) {
    eForventetVoksenVekt_->setText(QString::number(std::lround(h.ForventetVoksenvekt)));
    eVektIdag_->setText(QString::number(std::lround(h.AktuellVekt())));
    enteredTodaysWeight_ = eVektIdag_->text();
    RefreshGainLabels();
    CheckId(rgOnsketVekstHastighet_, Ord(h.OnsketVekstHastighet));
    CheckId(rgYoungTraining_, Ord(h.UngDyrTrening));
    UpdateAdultWeightHint();
  }
  {
    const QSignalBlocker b(cbActiveHorse_);
    cbActiveHorse_->setChecked(h.EkstraAktivitet());
  }
  {
    const QSignalBlocker b(tbTreningsMengde_);
    tbTreningsMengde_->setValue(static_cast<int>(std::lround(h.TreningsMengde * 100)));
  }
  ShowReproductionBox();
  ShowLines(mAvtegn_, h.AvtegnMemo);
  ShowLines(mKondisjon_, h.KondisjonMemo);
  ShowLines(mEierOpplysninger_, h.EierOpplysningerMemo);
  diary_->Load(h.DiaryMemo);
  weightPage_->ShowRecord();
  ApplyVisibility();
  --loading_;
  RefreshTraining();
  RefreshSummary();
}

void HorseWindow::TakeDataIntoRecord() {
  if (dead_ || Loading()) return;
  HorseEditor::Batch edit(*editor_);
  THest& h = *horse_;
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
  diary_->Store();
  h.AvtegnMemo = Lines(mAvtegn_);
  h.KondisjonMemo = Lines(mKondisjon_);
  h.EierOpplysningerMemo = Lines(mEierOpplysninger_);
  h.RegNr = L(edUELN_->text());
  h.Father = L(eFar_->text());
  h.Mother = L(eMor_->text());
  h.InnPaStall = DayFromQDate(dtpInnPaStall_->date());
  if (h.Kategori == TDyreKategori::Ungdyr) {
    // Only values the fields accept reach the record; a refused one keeps the record's.
    if (auto w = ParseTypedNumber(L(eForventetVoksenVekt_->text())); w && !AdultWeightProblem(*w))
      h.ForventetVoksenvekt = *w;
    weightPage_->TakeGirth();
    if (rgYoungTraining_->checkedId() >= 0) h.UngDyrTrening = static_cast<TUngDyrTrening>(rgYoungTraining_->checkedId());
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
  TrainingControls c = ApplyTrainingControls(h, {cbActiveHorse_->isChecked(), tbTreningsMengde_->value()});
  {
    const QSignalBlocker b1(tbTreningsMengde_), b2(cbActiveHorse_);
    tbTreningsMengde_->setValue(c.trackPosition);
    cbActiveHorse_->setChecked(h.EkstraAktivitet());
  }
  h.AvledIntensitet();
  if (pcForm_->currentWidget() == tsTreatments_) healthPage_->StoreEditIfOpen();
  rationPage_->TakeDataIntoRecord();
  Recalculate();
}

bool HorseWindow::SaveRecord(QString* error) {
  if (dead_) return true;
  if (!horse_->stable) {
    if (error) *error = Q(Tr(kHfFejl) + " " + horse_->Navn);
    return false;
  }
  std::string problem;
  if (!CheckFileBeforeSave(&problem) || !horse_->stable->SaveHorse(*horse_, &problem)) {
    if (error) *error = Q(problem);
    return false;
  }
  ApplyVisibility();
  emit RecordChanged();
  return true;
}

bool HorseWindow::HasUnsavedChanges() const { return !dead_ && horse_->Fingerprint() != horse_->LagretSum; }

void HorseWindow::StoreSignature() {
  if (!dead_) horse_->LagretSum = horse_->Fingerprint();
}

void HorseWindow::SaveHorseCommand() {
  TakeDataIntoRecord();
  QString error;
  if (!SaveRecord(&error) && !error.isEmpty()) Ask().Error(L(error));
}

// ---------------------------------------------------------------- summary and recalculation

void HorseWindow::Recalculate(ChangeFlags changed) {
  if (!dead_) editor_->DataChanged(changed);
}

void HorseWindow::Edited(ChangeFlags changed) {
  RefreshSummary();
  if (changed & kRationAll) {
    ApplyVisibility();
    RefreshTraining();
  }
  // A formula that failed leaves its nutrient at 0, which must not pass for a requirement.
  // Told after the edit that caused it is done, not in the middle of it.
  if (!horse_->formulaFaults.empty())
    QTimer::singleShot(0, this, [this] {
      if (!dead_) ReportFormulaFaults();
    });
}

void HorseWindow::ReportFormulaFaults() {
  for (const FormulaFault& f : horse_->formulaFaults) {
    const std::string text = FormulaFaultText(f, SettingsOf(*horse_->env));
    if (std::find(shownFaults_.begin(), shownFaults_.end(), text) != shownFaults_.end()) continue;
    shownFaults_.push_back(text);
    Ask().Error(text);
  }
}

void HorseWindow::RefreshSummary() {
  if (dead_) return;
  const bool fresh = horse_->ErNy;
  lbHesteInfo_->setVisible(!fresh);
  lblNewHorse_->setVisible(fresh);
  if (fresh) return;
  HorseReports reports(*horse_, HorseDirectory());
  StringList lines;
  reports.Hestelinjer(lines);
  lines.emplace_back();
  reports.Rasjonslinjer(lines);
  lbHesteInfo_->clear();
  for (const std::string& l : lines) lbHesteInfo_->addItem(Q(l));
}

void HorseWindow::ApplyVisibility() {
  if (dead_) return;
  const THest& h = *horse_;
  const bool young = h.Kategori == TDyreKategori::Ungdyr;
  pcForm_->setTabVisible(pcForm_->indexOf(tsFeedsAndfeeding_), !h.ErNy);
  pcHest_->setTabVisible(pcHest_->indexOf(tsRequirements_), !h.ErNy);
  pcHest_->setTabVisible(pcHest_->indexOf(tsTrening_),
                         h.Kategori == TDyreKategori::Trening || h.Kategori == TDyreKategori::Drektig);
  grbUnghest_->setVisible(young);
  lblAlderEnhet_->setText(young ? T(kWMdr) : T(kWAar));
  grbReproduksjon_->setVisible(h.Kategori == TDyreKategori::Drektig || h.Kategori == TDyreKategori::Lakterende);
  cbActiveHorse_->setVisible(PaddockVisible(h) && !(young && h.UngDyrTrening != TUngDyrTrening::YoungNoTraining));
  cbActiveHorse_->setEnabled(PaddockEnabled(h));
  weightPage_->ApplyVisibility();
  lbHesteInfo_->setVisible(!h.ErNy);
  lblNewHorse_->setVisible(h.ErNy);
}

void HorseWindow::UpdateStep() {
  TakeDataIntoRecord();
  ApplyVisibility();
  RefreshSummary();
  RefreshTraining();
  PageEntered();
}

void HorseWindow::PageEntered() {
  QWidget* tab = pcForm_->currentWidget();
  if (tab == tsTreatments_) {
    healthPage_->Enter();
    return;
  }
  if (tab == tsFeedsAndfeeding_) {
    rationPage_->Refresh();
    return;
  }
  if (tab != tsHest_) return;
  QWidget* page = pcHest_->currentWidget();
  if (page == tsVekt_) {
    horse_->ErNy = false;
    ApplyVisibility();
    weightPage_->Enter();
    RefreshSummary();
  } else if (page == tsHesteInformasjon_) {
    ++loading_;
    const THest& h = *horse_;
    SetDate(dtpFodselsDato_, h.Fodselsdato);
    const bool young = h.Kategori == TDyreKategori::Ungdyr;
    {
      const QSignalBlocker b(pfAlder_);
      pfAlder_->setValue(std::clamp(ShownAge(young, h.Fodselsdato, h.env->Today()), 0, 50));
    }
    if (young) {
      eVektIdag_->setText(QString::number(std::lround(h.AktuellVekt())));
      enteredTodaysWeight_ = eVektIdag_->text();
      RefreshGainLabels();
    }
    --loading_;
    ShowPicture();
  } else if (page == tsRequirements_) {
    ShowRequirementReport();
  } else if (page == tsTrening_) {
    RefreshTraining();
  }
}

void HorseWindow::InformationPageLeft() {
  if (horse_->VektListe->Antall() == 0) {
    horse_->VektListe->LeggTil(500, horse_->env->Today());
    WeighingsChanged();
  }
}

// ---------------------------------------------------------------- name and owner

void HorseWindow::NameEdited(const QString& typed) {
  std::vector<std::string> others;
  if (horse_->stable) {
    for (const auto& other : horse_->stable->Horses())
      if (other.get() != horse_) others.push_back(other->Navn);
    // A name taken only on disk (a horse file the scan could not read) is taken too.
    const std::string wanted = Trim(L(typed));
    if (wanted != horse_->Navn && horse_->stable->HorseNameTaken(wanted, horse_)) others.push_back(wanted);
  }
  const NameCheck check = CheckHorseName(L(typed), others);
  if (check.text != L(typed)) {
    const int cursor = eNavn_->cursorPosition();
    eNavn_->setText(Q(check.text));
    eNavn_->setCursorPosition(cursor);
  }
  // What the check only corrects (a point made a hyphen) is said beside the field while
  // the user types on; a box would swallow the next keystroke.
  for (const std::string& m : check.messages)
    if (check.keepFocus) Ask().Inform(m);
    else Ask().Notice(m, eNavn_);
  if (check.keepFocus) KeepFocus(eNavn_);
  RenameCaption(Trim(check.text));
}

void HorseWindow::NameLeft() {
  NameEdited(eNavn_->text());
  ApplyName();
}

// The typed name becomes the horse's through the stable, which moves its files along and
// refuses names that cannot be file names or that another horse has.
bool HorseWindow::ApplyName() {
  const std::string typed = Trim(L(eNavn_->text()));
  if (typed == horse_->Navn) return true;
  std::string error;
  bool ok = true;
  if (horse_->stable) {
    ok = horse_->stable->RenameHorse(*horse_, typed, &error);
  } else if (auto problem = ValidateFileName(typed)) {
    ok = false;
    error = *problem;
  } else {
    horse_->Navn = typed;
  }
  if (!ok) {
    Ask().Error(error);
    KeepFocus(eNavn_);
    return false;
  }
  RenameCaption(horse_->Navn);
  emit RecordChanged();
  return true;
}

void HorseWindow::OwnerChosen(const QString& name) {
  const TAdrRec rec = services_.app->contacts.GetAdresseRecord(L(name), 0);
  cbHesteeier_->setEditText(Q(rec.Navn.empty() ? L(name) : rec.Navn));
  horse_->EierNavn = L(cbHesteeier_->currentText());
  horse_->KontaktPerson = rec.Kontaktperson;
}

void HorseWindow::OwnerRegister() {
  const std::string owner = L(cbHesteeier_->currentText().trimmed());
  if (owner.empty() || !services_.windows || !services_.windows->ownerContacts) return;
  TAdresser& contacts = services_.app->contacts;
  const bool isNew = contacts.GetAdresseNr(owner, 0) < 0;
  TAdrRec rec = isNew ? TAdrRec{} : contacts.GetAdresseRecord(owner, 0);
  if (isNew) {
    rec.Navn = owner;
    rec.Kategori = 1;
  }
  services_.windows->ownerContacts(this, rec, isNew);
}

// ---------------------------------------------------------------- sex, category, birth

void HorseWindow::SexChosen(int id) {
  // The sex may change the category too: one edit.
  HorseEditor::Batch edit(*editor_);
  THest& h = *horse_;
  h.Kjonn = static_cast<TKjonn>(id);
  const TDyreKategori category = CategoryAfterSexChoice(h.Kategori, h.Kjonn);
  if (category != h.Kategori) {
    CheckId(rgHestetype_, Ord(category));
    CategoryChosen(Ord(category));
    CheckId(rgKjonn_, id);
    h.Kjonn = static_cast<TKjonn>(id);
  }
  UpdateAdultWeightHint();
  Recalculate();
}

void HorseWindow::CategoryChosen(int id) {
  HorseEditor::Batch edit(*editor_);
  THest& h = *horse_;
  const auto category = static_cast<TDyreKategori>(id);
  const DayNumber today = h.env->Today();
  if (IsAdultCategory(category)) {
    const std::string message = ApplyAdultCategory(h, category);
    if (!message.empty()) Ask().Inform(message);
    ++loading_;
    SetDate(dtpFodselsDato_, h.Fodselsdato);
    CheckId(rgKjonn_, Ord(h.Kjonn) > 1 ? 0 : Ord(h.Kjonn));
    if (category == TDyreKategori::Vedlikehold) {
      const QSignalBlocker b(tbTreningsMengde_);
      tbTreningsMengde_->setValue(0);
      if (!h.EkstraAktivitet()) h.TreningsMengde = 0;
    }
    {
      const QSignalBlocker b(pfAlder_);
      pfAlder_->setValue(std::clamp(ShownAge(false, h.Fodselsdato, today), 0, 50));
    }
    --loading_;
    ShowReproductionBox();
  } else {
    const Breed* breed = FindBreed(services_.app->settings, h.RaseNavn);
    const YoungDefinition d = StartYoungCategory(h, breed);
    if (d.needed) {
      if (!d.message.empty()) Ask().Inform(d.message);
      DayNumber date = d.birth;
      QString weight = QString::number(std::lround(d.adultWeight));
      const QString caption = Q(h.Navn) + ": " + T(kWDefiner) + " " + T(kWFoedselsdato) + " & " +
                              T(kWForventetVoksenvaegt);
      if (Ask().DefineYoungHorse(caption, date, weight)) ApplyYoungDefinition(h, date, L(weight));
      weightPage_->SetChartCaption(YoungChartCaption(h.ForventetVoksenvekt));
    }
    FinishYoungCategory(h);
    ++loading_;
    SetDate(dtpFodselsDato_, h.Fodselsdato);
    {
      const QSignalBlocker b(pfAlder_);
      pfAlder_->setValue(std::clamp(ShownAge(true, h.Fodselsdato, today), 0, 50));
    }
    eForventetVoksenVekt_->setText(QString::number(std::lround(h.ForventetVoksenvekt)));
    eVektIdag_->setText(QString::number(std::lround(h.AktuellVekt())));
    enteredTodaysWeight_ = eVektIdag_->text();
    CheckId(rgOnsketVekstHastighet_, Ord(h.OnsketVekstHastighet));
    CheckId(rgYoungTraining_, Ord(h.UngDyrTrening));
    --loading_;
    UpdateAdultWeightHint();
    const bool wasDefined = h.youngHorseDefined;
    h.youngHorseDefined = true;
    RefreshGainLabels();
    QWidget* focus = wasDefined ? eVektIdag_ : eDagensTilvekst_;
    QTimer::singleShot(0, focus, [this, focus] {
      if (!dead_) focus->setFocus();
    });
  }
  ApplyVisibility();
  Recalculate();
  weightPage_->Refresh();
}

void HorseWindow::BirthDateChanged(bool fromAgeField) {
  THest& h = *horse_;
  const DayNumber today = h.env->Today();
  DayNumber date = DayFromQDate(dtpFodselsDato_->date());
  if (h.Kategori != TDyreKategori::Ungdyr) {
    h.Fodselsdato = date;
    const QSignalBlocker b(pfAlder_);
    pfAlder_->setValue(std::clamp(ShownAge(false, date, today), 0, 50));
  } else {
    if (fromAgeField) date = BirthDateFromMonths(pfAlder_->value(), today);
    if (date > today) date = today;
    ApplyYoungBirthDate(h, date);
    SetDate(dtpFodselsDato_, h.Fodselsdato);
    if (!fromAgeField) {
      const QSignalBlocker b(pfAlder_);
      pfAlder_->setValue(std::clamp(ShownAge(true, h.Fodselsdato, today), 0, 50));
    }
    ++loading_;
    eVektIdag_->setText(QString::number(std::lround(h.AktuellVekt())));
    enteredTodaysWeight_ = eVektIdag_->text();
    --loading_;
    RefreshGainLabels();
    weightPage_->Refresh();
  }
  Recalculate();
}

void HorseWindow::BirthDateLeft() {
  const THest& h = *horse_;
  if (h.Kategori != TDyreKategori::Ungdyr) return;
  const DayNumber date = DayFromQDate(dtpFodselsDato_->date());
  if (!YoungBirthDateValid(date, h.env->Today()))
    Ask().Inform(YoungBirthIntervalText(h.env->regional, h.env->Today()));
}

void HorseWindow::AgeLeft() {
  const int age = pfAlder_->value();
  if (age == 0) return;
  const DayNumber today = horse_->env->Today();
  if (horse_->Kategori != TDyreKategori::Ungdyr) {
    SetDate(dtpFodselsDato_, BirthDateFromYears(age, today));
    BirthDateChanged(false);
  } else {
    BirthDateChanged(true);
  }
}

// ---------------------------------------------------------------- reproduction

void HorseWindow::ShowReproductionBox() {
  const THest& h = *horse_;
  const ReproductionBox b = ReproductionBoxOf(h, h.env->Today());
  const std::string category = CountrySettings::NameAt(services_.app->settings.categoryNames, Ord(h.Kategori));
  grbReproduksjon_->setTitle(T(kWReproduktionsdata) + ": " + Q(category));
  matingRow_->setVisible(b.showMating);
  foalingRow_->setVisible(b.showFoaling);
  btnNyBedekning_->setVisible(b.showNewMating);
  if (b.showMating) {
    SetDate(dtpBedekkingsDato_, b.mating);
    const QSignalBlocker block(pfDrektighetsMnd_);
    pfDrektighetsMnd_->setValue(b.monthsPregnant);
  }
  if (b.showFoaling) {
    SetDate(dtpPartusDato_, b.foaling);
    const QSignalBlocker block(pfLaktasjonsMnd_);
    pfLaktasjonsMnd_->setValue(b.monthsLactating);
  }
}

void HorseWindow::MatingDateLeft() {
  THest& h = *horse_;
  const DayNumber today = h.env->Today();
  DayNumber date = DayFromQDate(dtpBedekkingsDato_->date());
  if (h.Kategori == TDyreKategori::Drektig) {
    if (auto problem = MatingDateProblem(date, h.env->regional, today)) {
      Ask().Inform(*problem);
      date = today - kMatingFallbackDays;
      SetDate(dtpBedekkingsDato_, date);
    }
    h.ParringsDato = date;
    const QSignalBlocker block(pfDrektighetsMnd_);
    pfDrektighetsMnd_->setValue(MonthNumber(date, today));
  } else if (h.Kategori == TDyreKategori::Lakterende) {
    if (MatingAcceptedWhileLactating(date, h.PartusDato) && !MatingDateProblem(date, h.env->regional, today))
      h.ParringsDato = date;
    else
      h.ParringsDato = 0;
    ShowReproductionBox();
  }
  Recalculate();
}

void HorseWindow::FoalingDateLeft() {
  THest& h = *horse_;
  const DayNumber today = h.env->Today();
  DayNumber date = DayFromQDate(dtpPartusDato_->date());
  if (auto problem = FoalingDateProblem(date, h.env->regional, today)) {
    Ask().Inform(*problem);
    date = today - kFoalingFallbackDays;
    SetDate(dtpPartusDato_, date);
  }
  h.PartusDato = date;
  const QSignalBlocker block(pfLaktasjonsMnd_);
  pfLaktasjonsMnd_->setValue(MonthNumber(date, today));
  ShowReproductionBox();
  Recalculate();
}

void HorseWindow::MonthsFieldLeft(bool pregnancy) {
  QSpinBox* field = pregnancy ? pfDrektighetsMnd_ : pfLaktasjonsMnd_;
  if (field->value() == 0) return;
  const DayNumber date = DateFromMonthsField(field->value(), horse_->env->Today());
  if (pregnancy) {
    SetDate(dtpBedekkingsDato_, date);
    MatingDateLeft();
  } else {
    SetDate(dtpPartusDato_, date);
    FoalingDateLeft();
  }
}

// ---------------------------------------------------------------- young-horse weights

void HorseWindow::RefreshGainLabels() {
  const THest& h = *horse_;
  const DayNumber today = h.env->Today();
  const double theory = h.ForventetTilvekst(today);
  const char sep = h.env->regional.decimalSeparator;
  if (theory <= 0.001 && h.Sistetilvekst == 0)
    lblTeoretiskTilvekst_->setText(QStringLiteral("*"));
  else
    lblTeoretiskTilvekst_->setText(Q(Trim(FormatFixed(6, 2, theory, sep)) + " " + Tr(kWKgDag)));
  const QSignalBlocker block(eDagensTilvekst_);
  eDagensTilvekst_->setText(Q(Trim(FormatFixed(6, 2, h.Sistetilvekst != 0 ? h.Sistetilvekst : theory, sep))));
}

void HorseWindow::UpdateAdultWeightHint() {
  const THest& h = *horse_;
  const Breed* breed = FindBreed(services_.app->settings, h.RaseNavn);
  const std::string sex = CountrySettings::NameAt(services_.app->settings.sexNames, Ord(h.Kjonn));
  eForventetVoksenVekt_->setToolTip(ScreenText(AdultWeightHint(h.Navn, breed, sex, h.ForventetVoksenvekt)));
}

void HorseWindow::AdultWeightLeft() {
  THest& h = *horse_;
  const auto value = ParseTypedNumber(L(eForventetVoksenVekt_->text()));
  if (!value) return;
  if (auto problem = AdultWeightProblem(*value)) {
    Ask().Inform(*problem);
    KeepFocus(eForventetVoksenVekt_);
    return;
  }
  if (*value == h.ForventetVoksenvekt) return;
  if (!h.ErNy && !Ask().OkCancel(Tr(kWVilDuAendre))) {
    const QSignalBlocker block(eForventetVoksenVekt_);
    eForventetVoksenVekt_->setText(QString::number(std::lround(h.ForventetVoksenvekt)));
    return;
  }
  ApplyAdultWeight(h, *value);
  ++loading_;
  eVektIdag_->setText(QString::number(std::lround(h.AktuellVekt())));
  enteredTodaysWeight_ = eVektIdag_->text();
  --loading_;
  RefreshGainLabels();
  UpdateAdultWeightHint();
  if (auto problem = DailyGainProblem(h.Sistetilvekst)) Ask().Inform(*problem);
  Recalculate();
  weightPage_->Refresh();
}

void HorseWindow::TodaysWeightLeft() {
  THest& h = *horse_;
  const QString text = eVektIdag_->text();
  if (text == enteredTodaysWeight_) return;
  const auto value = ParseTypedNumber(L(text));
  if (!value || *value <= 0 || std::lround(*value) == std::lround(h.AktuellVekt())) return;
  editor_->SetTodaysWeight(*value);
  enteredTodaysWeight_ = text;
  RefreshGainLabels();
  weightPage_->Refresh();
}

void HorseWindow::TodaysGainLeft() {
  const auto value = ParseTypedNumber(L(eDagensTilvekst_->text()));
  if (!value) return;
  if (auto problem = DailyGainProblem(*value)) {
    Ask().Inform(*problem);
    KeepFocus(eDagensTilvekst_);
    return;
  }
  editor_->SetTodaysGain(*value);
}

void HorseWindow::WeighingsChanged() {
  if (dead_) return;
  if (horse_->Kategori == TDyreKategori::Ungdyr) {
    RefreshYoungEstimate(*horse_);
    ++loading_;
    const TVekt* last = horse_->VektListe->Siste();
    eVektIdag_->setText(QString::number(std::lround(last ? last->Vekt : horse_->AktuellVekt())));
    enteredTodaysWeight_ = eVektIdag_->text();
    --loading_;
    RefreshGainLabels();
  }
  Recalculate();
}

// ---------------------------------------------------------------- breed and picture

void HorseWindow::BreedChosen(const QString& breedName) {
  THest& h = *horse_;
  const CountrySettings& s = services_.app->settings;
  lblRace_->setText(T(kWRace) + ":");
  const Breed* breed = FindBreed(s, L(breedName));
  if (!breed) return;
  if (breedName != edRase_->text()) {
    h.RaseNavn = breed->name;
    edRase_->setText(Q(breed->name));
    h.BlodsType = breed->bloodType;
    CheckId(rgBlodstype_, Ord(h.BlodsType));
    if (cbUseBreedPicture_->isChecked()) {
      const auto images = services_.app->preferences.ImagesDirectory();
      std::error_code ec;
      const auto file = images / PathFromText(breed->image);
      h.Bildefilnavn = TextFromPath(std::filesystem::is_regular_file(file, ec) ? file : images / "cavehorse.jpg");
      LoadPicture();
      if (!picture_.isNull()) h.Bilde.jpeg = JpegBytes(picture_);
    }
  }
  weightPage_->SelectBreed(breed->name);
  const double weight = BreedStandardWeight(*breed, rgKjonn_->checkedId() == 0 ? TKjonn::Hann : TKjonn::Hunn);
  if (weight > 0) {
    if (h.VektListe->Antall() == 0) {
      h.VektListe->LeggTil(weight, h.env->Today());
    } else if (Ask().YesNo(Tr(kWNyRaseValgt) + "?")) {
      ApplyBreedStandardWeight(h, weight);
      ++loading_;
      eForventetVoksenVekt_->setText(QString::number(std::lround(h.ForventetVoksenvekt)));
      eVektIdag_->setText(QString::number(std::lround(h.AktuellVekt())));
      enteredTodaysWeight_ = eVektIdag_->text();
      --loading_;
    }
  }
  grbBreedHelp_->hide();
  UpdateAdultWeightHint();
  if (QAbstractButton* b = rgHestetype_->checkedButton()) b->setFocus();
  WeighingsChanged();
  weightPage_->Refresh();
}

void HorseWindow::BreedWeightChosen(int row) {
  const CountrySettings& s = services_.app->settings;
  if (horse_->Kategori != TDyreKategori::Ungdyr || row < 0 || row >= static_cast<int>(s.breeds.size())) return;
  const double w = BreedStandardWeight(s.breeds[static_cast<size_t>(row)],
                                       rgKjonn_->checkedId() == 0 ? TKjonn::Hann : TKjonn::Hunn);
  if (w > 0) eForventetVoksenVekt_->setText(QString::number(std::lround(w)));
}

// A picture the record names but the disk lacks falls back to the breed's, then to the
// default picture, then to none.
void HorseWindow::LoadPicture() {
  THest& h = *horse_;
  const auto images = services_.app->preferences.ImagesDirectory();
  std::error_code ec;
  picture_ = QImage();
  if (!h.Bilde.Empty()) picture_ = PictureFromBytes(h.Bilde.jpeg);
  if (picture_.isNull()) {
    std::filesystem::path file = PathFromText(h.Bildefilnavn);
    if (h.Bildefilnavn.empty() || !std::filesystem::is_regular_file(file, ec))
      file = images / PathFromText(h.RaseNavn + ".jpg");
    if (std::filesystem::is_regular_file(file, ec)) {
      h.Bildefilnavn = TextFromPath(file);
      picture_ = ReadPicture(file);
      if (picture_.isNull()) Ask().Inform(Tr(kWKunneIkkeAabne));
    }
    if (picture_.isNull()) {
      const auto fallback = images / "cavehorse.jpg";
      if (std::filesystem::is_regular_file(fallback, ec)) {
        h.Bildefilnavn = TextFromPath(fallback);
        picture_ = ReadPicture(fallback);
      }
    }
  }
  ShowPicture();
}

void HorseWindow::ShowPicture() {
  if (picture_.isNull() || picture_.height() <= 0) {
    imgHest_->hide();
    return;
  }
  imgHest_->setFixedWidth(static_cast<int>(static_cast<double>(picture_.width()) / picture_.height() * kPictureHeight));
  imgHest_->setPixmap(QPixmap::fromImage(picture_));
  imgHest_->show();
}

void HorseWindow::ChoosePicture() {
  THest& h = *horse_;
  const auto images = services_.app->preferences.ImagesDirectory();
  std::error_code ec;
  QString path = Q(h.Bildefilnavn);
  if (h.Bildefilnavn.empty() || !std::filesystem::is_regular_file(PathFromText(h.Bildefilnavn), ec)) {
    h.Bildefilnavn.clear();
    path = QString::fromStdString((images / "cavehorse.jpg").string());
  }
  QStringList names, pictures;
  for (const Breed& b : services_.app->settings.breeds) {
    names << Q(b.name);
    pictures << QString::fromStdString((images / PathFromText(b.image)).string());
  }
  if (!Ask().ChoosePicture(path, names, pictures, QString::fromStdString((images / "cavehorse.jpg").string())))
    return;
  h.Bildefilnavn = L(path);
  const std::filesystem::path file = path.toStdString();
  h.Bilde = Picture{};
  if (std::filesystem::is_regular_file(file, ec)) {
    const QImage image = ReadPicture(file);
    if (image.isNull()) Ask().Inform(Tr(kWKunneIkkeAabne));
    else h.Bilde.jpeg = JpegBytes(image);
  }
  LoadPicture();
}

void HorseWindow::DeletePicture() {
  THest& h = *horse_;
  const auto fallback = services_.app->preferences.ImagesDirectory() / "cavehorse.jpg";
  std::error_code ec;
  h.Bilde = Picture{};
  h.Bildefilnavn.clear();
  if (std::filesystem::is_regular_file(fallback, ec)) {
    h.Bildefilnavn = TextFromPath(fallback);
    const QImage image = ReadPicture(fallback);
    if (!image.isNull()) h.Bilde.jpeg = JpegBytes(image);
  }
  LoadPicture();
}

// ---------------------------------------------------------------- training

void HorseWindow::TrainingMoved(int position) {
  {
    // The slider and the fields it reads are one edit.
    HorseEditor::Batch edit(*editor_);
    editor_->SetTraining(position);
    TakeDataIntoRecord();
  }
  RefreshTraining();
}

void HorseWindow::PaddockClicked() {
  TakeDataIntoRecord();
  ApplyVisibility();
  RefreshTraining();
}

void HorseWindow::RefreshTraining() {
  if (dead_) return;
  const THest& h = *horse_;
  lblEnergibehov_->setText(ScreenText(EnergyRequirementLabel(h, tbTreningsMengde_->value())));
  lblRationEnergy_->setText(Q(RationEnergyLabel(h)));
  lblWarning_->setText(ScreenText(PregnancyTrainingWarning(h)));
  const bool feeds = h.ForListe->Count() > 0;
  imgEnergyBar_->setVisible(feeds);
  otAllocations2_->setVisible(feeds);
  if (!feeds) return;
  const double dm = h.ForListe->Supply(25);
  const double roughage = dm > 0 ? h.ForListe->Supply(24) * 100 / dm : 0;
  QImage image(imgEnergyBar_->size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPointSize(8);
  p.setFont(font);
  const EnergyBar bar = ComputeEnergyBar(image.width(), h.Tilforsel[0], h.Behov[0], roughage);
  const QString text = T(kWBehov) + ": " + ScreenText(EnergyRequirementLabel(h, tbTreningsMengde_->value()))
                                              .section('\n', 1);
  const int textHeight = p.fontMetrics().height();
  p.setPen(Qt::red);
  p.drawText(QRect(0, 2, bar.line - 5, textHeight), Qt::AlignRight | Qt::AlignTop, text);
  const int y = 12 + textHeight / 2;
  if (bar.valid) {
    if (bar.redEnd > 0) {
      p.fillRect(0, y, bar.redEnd, 20, Qt::red);
    } else {
      p.fillRect(0, y, bar.greenEnd, 20, Qt::green);
      p.fillRect(bar.greenEnd, y, bar.yellowEnd - bar.greenEnd, 20, Qt::yellow);
    }
  }
  p.setPen(QPen(Qt::red, 2));
  p.drawLine(bar.line, y - 2, bar.line, y + 22);
  p.end();
  imgEnergyBar_->setPixmap(QPixmap::fromImage(image));
  imgEnergyBar_->setToolTip(Q(EnergyBarHint(roughage, h.env->regional.decimalSeparator)));
}

// ---------------------------------------------------------------- requirement and registration

void HorseWindow::ShowRequirementReport() {
  TakeDataIntoRecord();
  if (services_.app->active)
    lblEnergySystem_->setText(ScreenText(
        services_.app->active->Beskrivelse(services_.app->settings, services_.app->regional.decimalSeparator)));
  HorseReports reports(*horse_, HorseDirectory());
  requirementReport_ = reports.LagBehovside();
  std::string error;
  reports.Skriv(kRequirementReport, requirementReport_, &error);
  wbRequirements_->ShowReport(requirementReport_, HorseDirectory());
}

void HorseWindow::RegistrationNumberLeft() {
  if (auto problem = RegistrationNumberProblem(L(edUELN_->text()))) {
    Ask().Error(*problem);
    KeepFocus(edUELN_);
    return;
  }
  horse_->RegNr = L(edUELN_->text());
}

// ---------------------------------------------------------------- diary and treatments

void HorseWindow::DiaryEdited() {
  horse_->LagretSum = static_cast<int32_t>(static_cast<uint32_t>(horse_->LagretSum) + 5u);
}

void HorseWindow::AddToDiary(bool withHorse) {
  HorseReports reports(*horse_, HorseDirectory());
  StringList lines;
  if (withHorse) {
    reports.Hestelinjer(lines);
    lines.emplace_back();
  }
  reports.Rasjonslinjer(lines);
  lines.emplace_back();
  diary_->InsertAtTop(lines);
}

void HorseWindow::RefreshBanIcon() {
  if (dead_) return;
  horse_->TreatmentListe->UpdateBan();
  const std::string hint = BanHint(*horse_->TreatmentListe);
  banIcon_->setVisible(!hint.empty());
  banIcon_->setToolTip(ScreenText(hint));
}

void HorseWindow::ShowTreatmentsTab() {
  if (pcForm_->currentWidget() != tsTreatments_) pcForm_->setCurrentWidget(tsTreatments_);
}

void HorseWindow::ShowBanTreatment() {
  ShowTreatmentsTab();
  healthPage_->SelectBanTreatment();
}

void HorseWindow::MailHorse(const std::filesystem::path& attachment) {
  std::vector<std::filesystem::path> files;
  if (!attachment.empty()) files.push_back(attachment);
  Ask().Mail(horse_->Navn, files);
}

// ---------------------------------------------------------------- reset, delete, close

void HorseWindow::ResetHorse(bool withFeeds) {
  if (dead_) return;
  editor_->Reset(withFeeds);
  rationPage_->Refresh();
  ShowRecord();
  pcForm_->setCurrentWidget(tsHest_);
  pcHest_->setCurrentWidget(tsHesteInformasjon_);
}

void HorseWindow::DeleteHorse() {
  if (dead_ || !horse_->stable) return;
  if (!Ask().YesNo(Tr(kWBekraeftSletning) + " " + horse_->Navn)) return;
  TStall* stable = horse_->stable;
  const std::string name = horse_->Navn;
  StoreSignature();
  dead_ = true;
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
  else close();
  std::string error;
  if (!stable->DeleteHorse(name, &error)) Ask().Error(error);
  if (services_.main) services_.main->RefreshTree();
}

// "No" at closing: the horse as its file has it, in its place among the stable's horses.
bool HorseWindow::DiscardChanges() {
  TStall* stable = horse_->stable;
  if (!stable) return true;
  const std::filesystem::path file = stable->HorseFilePath(*horse_);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return true;
  auto fresh = std::make_unique<THest>(*horse_->env);
  try {
    fresh->LoadfromFile(file);
  } catch (const ObjTextError& e) {
    Ask().Error(e.what());
    return false;
  }
  fresh->LagretSum = fresh->Fingerprint();
  // The stable appends, so the horses after the edited one are taken and put back after
  // the fresh record.
  std::vector<THest*> later;
  bool found = false;
  for (int i = 0; i < stable->HorseCount(); ++i) {
    if (stable->HorseAt(i) == horse_) found = true;
    else if (found) later.push_back(stable->HorseAt(i));
  }
  if (!found) return true;
  std::unique_ptr<THest> old = stable->TakeHorse(horse_);
  std::vector<std::unique_ptr<THest>> after;
  for (THest* h : later) after.push_back(stable->TakeHorse(h));
  stable->AddHorse(std::move(fresh));
  for (auto& h : after) stable->AddHorse(std::move(h));
  dead_ = true;
  horse_ = nullptr;
  discarded_ = std::move(old);
  if (services_.main) QTimer::singleShot(0, services_.main, [main = services_.main] { main->RefreshTree(); });
  return true;
}

void HorseWindow::RecordGoing(const Record& record) {
  if (dead_) return;
  if (&record == horse_) {
    // The horse is being deleted: nothing to save or ask; the window closes next.
    dead_ = true;
    return;
  }
  if (auto* list = dynamic_cast<const TForListe*>(&record)) rationPage_->ListGoing(*list);
}

void HorseWindow::closeEvent(QCloseEvent* event) {
  if (dead_) {
    event->accept();
    return;
  }
  TakeDataIntoRecord();
  if (HasUnsavedChanges()) {
    const auto answer = Ask().YesNoCancel(horse_->Navn + ": " + Tr(kWDataAendret));
    if (answer == Prompts::Answer::kCancel) {
      event->ignore();
      return;
    }
    if (answer == Prompts::Answer::kYes) {
      ApplyName();
      horse_->ForListe->PickAll();
      QString error;
      if (!SaveRecord(&error)) {
        // The user took the other program's version: this window gives way.
        if (dead_) {
          event->accept();
          return;
        }
        // The window stays open with what the user typed.
        if (!error.isEmpty()) Ask().Error(L(error));
        event->ignore();
        return;
      }
    } else if (!DiscardChanges()) {
      event->ignore();
      return;
    }
  }
  if (horse_) horse_->LagretSum = horse_->Fingerprint();
  dead_ = true;
  event->accept();
}

void RegisterHorseWindow(AppWindows& windows) {
  windows.factories.horse = [](THest& horse, Services& services) -> RecordWindow* {
    return new HorseWindow(horse, services);
  };
}

}  // namespace stallora
