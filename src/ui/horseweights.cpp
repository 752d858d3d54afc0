#include "ui/horseweights.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScatterSeries>
#include <QSlider>
#include <QSpinBox>
#include <QTableView>
#include <QAbstractItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>

#include "core/textutil.h"
#include "forms/horse_form.h"
#include "nutrition/report_common.h"
#include "ration/horse_reports.h"
#include "render/pictures.h"
#include "render/qttext.h"
#include "ui/widgets/dates.h"
#include "ui/horsetexts.h"
#include "ui/widgets/clicklabel.h"
#include "ui/horsewindow.h"
#include "ui/htmlview.h"
#include "ui/icons.h"
#include "ui/mainwindow.h"
#include "ui/models/weighingsmodel.h"

namespace stallora {

using namespace horsetext;

namespace {

qint64 Msecs(DayNumber day) { return QDateTime(QDateFromDay(day), QTime(0, 0)).toMSecsSinceEpoch(); }

}  // namespace

HorseWeightPage::HorseWeightPage(HorseWindow& window) : window_(window) {
  setObjectName("tsVekt");
  const CountrySettings& s = window_.services().app->settings;
  auto* layout = new QHBoxLayout(this);

  // left: correction, table, buttons
  auto* left = new QVBoxLayout;
  correction_ = new QGroupBox(T(kWKorrektion), this);
  correction_->setObjectName("gbVektKorreksjon");
  auto* corr = new QHBoxLayout(correction_);
  turbo_ = new QSlider(Qt::Horizontal, correction_);
  turbo_->setObjectName("TurboMeter");
  turbo_->setRange(-50, 50);
  turboSpin_ = new QSpinBox(correction_);
  turboSpin_->setObjectName("udTurbo");
  turboSpin_->setRange(-50, 50);
  turboLabel_ = new QLabel(QStringLiteral("0%"), correction_);
  turboLabel_->setObjectName("lblTurbo");
  turboLabel_->setMinimumWidth(40);
  auto* zero = new ClickLabel(QStringLiteral("0"), correction_);
  zero->setObjectName("lblTurboZero");
  zero->setStyleSheet(QStringLiteral("color: blue"));
  corr->addWidget(zero);
  corr->addWidget(turbo_, 1);
  corr->addWidget(turboSpin_);
  corr->addWidget(turboLabel_);
  left->addWidget(correction_);

  model_ = new WeighingsModel(window_.Editor(), this);
  table_ = new QTableView(this);
  table_->setObjectName("otWeights");
  table_->setModel(model_);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table_->verticalHeader()->hide();
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setMinimumWidth(220);
  left->addWidget(table_, 1);
  auto* rowButtons = new QGridLayout;
  auto* add = new QPushButton(T(kWNy), this);
  add->setObjectName("btnAddVekt");
  auto* remove = new QPushButton(T(kWSlet), this);
  remove->setObjectName("btnDeleteWeight");
  auto* sort = new QPushButton(T(kWSorter), this);
  sort->setObjectName("btnSorter");
  showReport_ = new QPushButton(T(kWVisRapport), this);
  showReport_->setObjectName("btnVisRapport");
  print_ = new QPushButton(Icon(IconKind::Print), T(kWUdskrift), this);
  print_->setObjectName("btnPrintVektOpplysninger");
  print_->setEnabled(false);
  auto* mail = new QPushButton(Icon(IconKind::Mail), T(kWEpost), this);
  mail->setObjectName("btnEmailBodyWeights");
  rowButtons->addWidget(add, 0, 0);
  rowButtons->addWidget(remove, 0, 1);
  rowButtons->addWidget(sort, 0, 2);
  rowButtons->addWidget(showReport_, 1, 0);
  rowButtons->addWidget(print_, 1, 1);
  rowButtons->addWidget(mail, 1, 2);
  left->addLayout(rowButtons);
  layout->addLayout(left, 2);

  // right: chart or report, and the weight help
  auto* right = new QVBoxLayout;
  auto* top = new QHBoxLayout;
  caption_ = new QLabel(this);
  caption_->setObjectName("lblChartCaption");
  caption_->setWordWrap(true);
  showHelp_ = new QPushButton(T(kWVaegthjaelp), this);
  showHelp_->setObjectName("btnShowWeightHelp");
  auto* manual = new QToolButton(this);
  manual->setText(QStringLiteral("?"));
  top->addWidget(caption_, 1);
  top->addWidget(showHelp_);
  top->addWidget(manual);
  right->addLayout(top);
  chart_ = new QChartView(this);
  chart_->setObjectName("VektGraf");
  chart_->setRenderHint(QPainter::Antialiasing);
  chart_->setMinimumSize(380, 260);
  right->addWidget(chart_, 1);
  report_ = new HtmlView(this);
  report_->setObjectName("wbWeights");
  report_->hide();
  right->addWidget(report_, 1);

  help_ = new QGroupBox(T(kWVaegthjaelp), this);
  help_->setObjectName("gbWeightHelp");
  auto* helpLayout = new QGridLayout(help_);
  breedWeights_ = new QListWidget(help_);
  breedWeights_->setObjectName("cbBreedWeights");
  for (const Breed& b : s.breeds) breedWeights_->addItem(Q(BreedWeightLine(b)));
  girth_ = new QLineEdit(help_);
  girth_->setObjectName("nfChestGirth");
  girth_->setValidator(new QRegularExpressionValidator(QRegularExpression("-?[0-9]{0,4}"), this));
  condition_ = new QComboBox(help_);
  condition_->setObjectName("cbHull");
  for (int i = 0; i < 3; ++i) condition_->addItem(Q(CountrySettings::NameAt(s.conditionNames, i)));
  auto* compute = new QPushButton(T(kWBeregnVaegt), help_);
  compute->setObjectName("btnCalculate");
  auto* estimate = new QPushButton(T(kWBeregnGjordmaal), help_);
  estimate->setObjectName("btnEstimate");
  auto* closeHelp = new QPushButton(T(kWLuk), help_);
  closeHelp->setObjectName("btnCloseWeightHelp");
  // The style's own margin left "Beregn gjordmålet" touching its frame, as if cut.
  for (QPushButton* b : {compute, estimate, closeHelp})
    b->setMinimumWidth(b->fontMetrics().horizontalAdvance(b->text()) + 24);
  auto* girthLabel = new QLabel(T(kWGjordmaalCm) + ":", help_);
  girthLabel->setBuddy(girth_);
  auto* conditionLabel = new QLabel(T(kWHuld) + ":", help_);
  conditionLabel->setBuddy(condition_);
  helpLayout->addWidget(breedWeights_, 0, 0, 1, 3);
  helpLayout->addWidget(girthLabel, 1, 0);
  helpLayout->addWidget(girth_, 1, 1);
  helpLayout->addWidget(compute, 1, 2);
  helpLayout->addWidget(conditionLabel, 2, 0);
  helpLayout->addWidget(condition_, 2, 1);
  helpLayout->addWidget(estimate, 2, 2);
  helpLayout->addWidget(closeHelp, 3, 2);
  help_->hide();
  right->addWidget(help_, 1);
  layout->addLayout(right, 3);

  auto live = [this](auto f) {
    return [this, f] {
      if (!window_.Dead()) f();
    };
  };
  connect(turbo_, &QSlider::valueChanged, this, [this](int v) {
    turboLabel_->setText(QString::number(v) + "%");
    turboSpin_->setValue(v);
    if (window_.Dead() || filling_) return;
    Horse().VedlikeholdsTurbo = v / 100.0;
    window_.Recalculate();
  });
  // The two controls set each other; the slider's value stops the round at the same value.
  connect(turboSpin_, &QSpinBox::valueChanged, turbo_, &QSlider::setValue);
  connect(zero, &ClickLabel::clicked, this, [this] { turbo_->setValue(0); });
  connect(add, &QPushButton::clicked, this, live([this] { AddWeighing(); }));
  connect(remove, &QPushButton::clicked, this, live([this] { DeleteWeighing(); }));
  connect(sort, &QPushButton::clicked, this, live([this] { SortWeighings(); }));
  connect(showReport_, &QPushButton::clicked, this, live([this] { ToggleReport(); }));
  connect(print_, &QPushButton::clicked, this, live([this] { PrintReport(); }));
  connect(mail, &QPushButton::clicked, this, live([this] { MailReport(); }));
  connect(showHelp_, &QPushButton::clicked, this, live([this] { ShowWeightHelp(true); }));
  connect(closeHelp, &QPushButton::clicked, this, live([this] { ShowWeightHelp(false); }));
  connect(compute, &QPushButton::clicked, this, live([this] { ComputeWeight(); }));
  connect(estimate, &QPushButton::clicked, this, live([this] { ComputeGirth(); }));
  connect(breedWeights_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (window_.Dead() || filling_) return;
    const THest& h = Horse();
    const auto& breeds = window_.services().app->settings.breeds;
    if (h.Kategori != TDyreKategori::Ungdyr || row < 0 || row >= static_cast<int>(breeds.size())) return;
    const double kg =
        BreedStandardWeight(breeds[static_cast<size_t>(row)], h.Kjonn == TKjonn::Hunn ? TKjonn::Hunn : TKjonn::Hann);
    if (kg > 0) emit BreedWeightOffered(kg);
  });
  connect(table_->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this] {
    if (!window_.Dead()) MoveOn(table_->currentIndex());
  });
  connect(manual, &QToolButton::clicked, this, [this] {
    window_.services().main->OpenInfoPage(T(kWVaegtdata),
                                          window_.services().app->preferences.ManualPage() + "/horses/bodyweight");
  });
}

THest& HorseWeightPage::Horse() const { return window_.Horse(); }

void HorseWeightPage::ShowRecord() {
  filling_ = true;
  const THest& h = Horse();
  turbo_->setValue(static_cast<int>(std::lround(h.VedlikeholdsTurbo * 100)));
  turboLabel_->setText(QString::number(turbo_->value()) + "%");
  girth_->setText(h.brystmal > 0 ? QString::number(h.brystmal) : QString());
  condition_->setCurrentIndex(ConditionItem(h.HoldFaktor));
  filling_ = false;
  Refresh();
}

void HorseWeightPage::Repaint(ChangeFlags changed) {
  model_->EditorChanged(changed);
  if (!(changed & (kHorseData | kHorseWeighings | kHorseCategory))) return;
  if (isVisible())
    DrawChart();
  else
    chartStale_ = true;
}

void HorseWeightPage::ApplyVisibility() { correction_->setVisible(Horse().Kategori != TDyreKategori::Ungdyr); }

void HorseWeightPage::Enter() {
  THest& h = Horse();
  filling_ = true;
  condition_->setCurrentIndex(1);
  breedWeights_->setCurrentRow(0);
  filling_ = false;
  SelectBreed(h.RaseNavn);
  if (h.VektListe->Antall() == 0) {
    h.VektListe->LeggTil(500, h.env->Today());
    window_.Editor().WeighingsChanged();
  }
  Refresh();
}

void HorseWeightPage::SelectBreed(const std::string& breed) {
  std::vector<std::string> lines;
  for (int i = 0; i < breedWeights_->count(); ++i) lines.push_back(L(breedWeights_->item(i)->text()));
  const int row = LastLineContaining(lines, breed);
  if (row < 0) return;
  filling_ = true;
  breedWeights_->setCurrentRow(row);
  filling_ = false;
}

void HorseWeightPage::SetChartCaption(const std::string& text) { caption_->setText(Q(text)); }

void HorseWeightPage::Refresh() {
  model_->Reload();
  DrawChart();
}

int HorseWeightPage::ActiveRow() const {
  const int row = table_->currentIndex().row();
  if (row >= 0 && row < Horse().VektListe->Antall()) return row;
  return Horse().VektListe->Antall() - 1;
}

void HorseWeightPage::MoveOn(const QModelIndex& edited) {
  if (!edited.isValid()) return;
  const int rows = model_->rowCount();
  if (edited.column() == WeighingsModel::kDate)
    table_->setCurrentIndex(model_->index(edited.row(), WeighingsModel::kKg));
  else if (rows > 0)
    table_->setCurrentIndex(model_->index(edited.row() + 1 < rows ? edited.row() + 1 : 0, WeighingsModel::kKg));
}

void HorseWeightPage::AddWeighing() {
  const int row = window_.Editor().AddWeighing(ActiveRow());
  table_->setCurrentIndex(model_->index(row, WeighingsModel::kKg));
  table_->setFocus();
}

void HorseWeightPage::DeleteWeighing() {
  const int row = table_->currentIndex().row();
  if (row < 0 || !window_.Editor().DeleteWeighing(row)) {
    window_.Ask().Warn(Tr(kWIngenDataAtSlette), T(kWAdvarsel));
    return;
  }
  if (model_->rowCount() > 0) table_->setCurrentIndex(model_->index(std::max(row - 1, 0), WeighingsModel::kKg));
}

void HorseWeightPage::SortWeighings() { window_.Editor().SortWeighings(); }

bool HorseWeightPage::ChartShown() const { return !chart_->isHidden(); }

void HorseWeightPage::DrawChart() {
  chartStale_ = false;
  const THest& h = Horse();
  const bool young = h.Kategori == TDyreKategori::Ungdyr;
  const DayNumber today = h.env->Today();
  const bool shown = WeightChartShown(h) && report_->isHidden() && help_->isHidden();
  chart_->setVisible(shown);
  caption_->setText(young ? Q(YoungChartCaption(h.ForventetVekt(today))) : Q(Tr(kHfVaegtudvikling)));
  auto* chart = new QChart;
  chart->setTitle(Q(h.Navn));
  chart->legend()->hide();
  auto* points = new QScatterSeries;
  points->setMarkerShape(QScatterSeries::MarkerShapeCircle);
  points->setMarkerSize(9);
  points->setColor(Qt::red);
  DayNumber first = today, last = today;
  bool any = false;
  for (int i = 0; i < h.VektListe->Antall(); ++i) {
    const TVekt* v = h.VektListe->Element(i);
    points->append(static_cast<qreal>(Msecs(v->Dato)), v->Vekt);
    first = any ? std::min(first, v->Dato) : v->Dato;
    last = any ? std::max(last, v->Dato) : v->Dato;
    any = true;
  }
  auto* x = new QDateTimeAxis;
  x->setFormat(QStringLiteral("MM-yyyy"));
  auto* y = new QValueAxis;
  y->setLabelFormat(QStringLiteral("%d"));
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  if (young) {
    const DayNumber end = YoungChartEnd(h, today);
    std::vector<ChartPoint> lower, upper;
    GrowthBand(h, end, lower, upper);
    for (auto* band : {&lower, &upper}) {
      auto* line = new QLineSeries;
      line->setColor(QColor(0, 120, 0));
      for (const ChartPoint& p : *band) line->append(static_cast<qreal>(Msecs(p.day)), p.kg);
      chart->addSeries(line);
      line->attachAxis(x);
      line->attachAxis(y);
    }
    auto* estimate = new QScatterSeries;
    estimate->setMarkerShape(QScatterSeries::MarkerShapeTriangle);
    estimate->setMarkerSize(13);
    estimate->setColor(QColor(255, 140, 0));
    estimate->append(static_cast<qreal>(Msecs(today)), h.ForventetVekt(today));
    chart->addSeries(estimate);
    estimate->attachAxis(x);
    estimate->attachAxis(y);
    x->setRange(QDateTime(QDateFromDay(h.Fodselsdato), QTime(0, 0)), QDateTime(QDateFromDay(end), QTime(0, 0)));
  } else {
    // The time axis fits the weighings with a little room on both sides.
    const DayNumber margin = std::max(7.0, (last - first) * 0.05);
    if (last - first < 400) x->setFormat(QStringLiteral("dd-MM-yy"));
    x->setRange(QDateTime(QDateFromDay(first - margin), QTime(0, 0)),
                QDateTime(QDateFromDay(last + margin), QTime(0, 0)));
  }
  chart->addSeries(points);
  points->attachAxis(x);
  points->attachAxis(y);
  const RoundAxis axis = WeightChartAxis(h);
  y->setRange(0, axis.top);
  y->setTickCount(axis.intervals + 1);
  QChart* old = chart_->chart();
  chart_->setChart(chart);
  delete old;
}

void HorseWeightPage::TakeGirth() {
  const auto g = ParseTypedNumber(L(girth_->text()));
  if (g && !GirthProblem(*g)) Horse().brystmal = static_cast<int32_t>(*g);
}

void HorseWeightPage::ComputeWeight() {
  THest& h = Horse();
  const auto g = ParseTypedNumber(L(girth_->text()));
  if (!g || GirthProblem(*g)) {
    window_.Ask().Warn(GirthProblem(g.value_or(0)).value_or(""), T(kWAdvarsel));
    return;
  }
  h.brystmal = static_cast<int32_t>(*g);
  h.HoldFaktor = ConditionFactor(condition_->currentIndex());
  const int row = ActiveRow();
  if (TVekt* v = h.VektListe->Element(row)) {
    v->Vekt = std::round(h.VektFraBrystmal());
  } else {
    h.VektListe->LeggTil(std::round(h.VektFraBrystmal()), h.env->Today());
  }
  window_.Editor().WeighingsChanged();
}

void HorseWeightPage::ComputeGirth() {
  THest& h = Horse();
  const TVekt* v = h.VektListe->Element(ActiveRow());
  if (!v || v->Vekt == 0) return;
  h.HoldFaktor = ConditionFactor(condition_->currentIndex());
  h.brystmal = h.BrystmalForVekt(v->Vekt);
  girth_->setText(QString::number(h.brystmal));
}

void HorseWeightPage::ShowWeightHelp(bool show) {
  help_->setVisible(show);
  showHelp_->setEnabled(!show);
  if (show) {
    chart_->hide();
    report_->hide();
    SelectBreed(Horse().RaseNavn);
    ComputeGirth();
    girth_->setFocus();
    return;
  }
  if (Horse().Kategori == TDyreKategori::Ungdyr) window_.Editor().WeighingsChanged();
  DrawChart();
}

std::string HorseWeightPage::WriteReport() {
  THest& h = Horse();
  const auto dir = window_.HorseDirectory();
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  const auto picture = dir / PathFromText(h.Navn + "_" + Tr(kWordVaegtdata) + ".jpg");
  if (WeightChartShown(h)) {
    // The chart is drawn at a fixed size, whether or not it is on screen just now.
    const QSize size(640, 420);
    const QSize before = chart_->size();
    chart_->resize(size);
    WriteJpeg(chart_->grab().toImage(), picture);
    chart_->resize(before);
  } else {
    std::filesystem::remove(picture, ec);
  }
  HorseReports reports(h, dir);
  std::string error;
  reports.LagVektside(&error);
  if (!error.empty()) {
    window_.Ask().Error(error);
    return {};
  }
  return TextFromPath(reports.Filnavn(kWeightReport));
}

void HorseWeightPage::ToggleReport() {
  if (report_->isHidden()) {
    const std::string file = WriteReport();
    if (file.empty()) return;
    chart_->hide();
    help_->hide();
    showHelp_->setEnabled(true);
    report_->show();
    report_->Navigate(QUrl::fromLocalFile(QString::fromStdString(PathFromText(file).string())));
    print_->setEnabled(true);
    showReport_->setText(T(kWGemRapport));
  } else {
    report_->hide();
    print_->setEnabled(false);
    showReport_->setText(T(kWVisRapport));
    DrawChart();
  }
}

void HorseWeightPage::PrintReport() {
  const std::string file = WriteReport();
  if (file.empty()) return;
  report_->Navigate(QUrl::fromLocalFile(QString::fromStdString(PathFromText(file).string())));
  window_.Ask().Print(*report_->document(), Q(Horse().Navn));
}

void HorseWeightPage::MailReport() {
  const std::string file = WriteReport();
  if (!file.empty()) window_.MailHorse(PathFromText(file));
}

}  // namespace stallora
