#include "ui/ration/amountspage.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QPieSeries>
#include <algorithm>

#include "core/textutil.h"
#include "forms/ration_page.h"
#include "ration/balance_chart.h"
#include "render/qtcanvas.h"
#include "ui/models/amountsmodel.h"
#include "ration/optimizer_texts.h"
#include "ui/qtext.h"
#include "ui/ration/balancedialog.h"
#include "ui/rationtexts.h"
#include "ui/widgets/numberdelegate.h"
#include "ui/widgets/spinner.h"
#include "ui/widgets/tableheight.h"

namespace stallora {

using namespace rationui;

namespace {
QColor ToQColor(Colour c) { return QColor(c.r, c.g, c.b); }
}  // namespace

AmountsPage::AmountsPage(RationContext& context, AmountsModel& amounts, QWidget* parent)
    : RationTabPage(context, "tsAllocateFeed", parent), amounts_(amounts) {
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  auto* tableRow = new QHBoxLayout;
  otAllocations_ = new QTableView(this);
  otAllocations_->setObjectName("otAllocations");
  otAllocations_->setModel(&amounts_);
  otAllocations_->verticalHeader()->hide();
  otAllocations_->setColumnWidth(AmountsModel::kAmount, 80);
  otAllocations_->setColumnWidth(AmountsModel::kUnit, 30);
  otAllocations_->setSelectionMode(QAbstractItemView::SingleSelection);
  otAllocations_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                                  QAbstractItemView::SelectedClicked);
  otAllocations_->setItemDelegateForColumn(AmountsModel::kAmount, new NumberDelegate(4, 2, otAllocations_));
  otAllocations_->setMinimumWidth(330);
  otAllocations_->setToolTip(Q(Tr(kMaengde)));
  tableRow->addWidget(otAllocations_, 1);
  auto* spinner = new Spinner("Spinner", this, [this](bool up) { StepActiveAmount(up); });
  spinner->AddKeys(otAllocations_);
  tableRow->addWidget(spinner, 0, Qt::AlignTop);
  left->addLayout(tableRow);
  auto* balance = PageButton(T(kBalCommand), "btnBalance", this);
  left->addWidget(balance, 0, Qt::AlignLeft);
  connect(balance, &QPushButton::clicked, this, [this] {
    OpenBalanceDialog(c_.services, c_.editor, this);
    // Feeds the balancing added are rows the table has to make room for.
    FillAllocations();
  });

  gbProfile_ = new QGroupBox(this);
  gbProfile_->setObjectName("gbProfile");
  auto* profile = new QVBoxLayout(gbProfile_);
  lblProfile_ = new QLabel(gbProfile_);
  lblProfile_->setObjectName("lblProfile");
  lblProfile_->setWordWrap(true);
  profile->addWidget(lblProfile_);
  auto* chart = new QChart;
  chart->setTitle(T(kDietComposition));
  chart->setAnimationOptions(QChart::NoAnimation);
  // The chart's own legend cuts long captions ("Kraftfoder, korn ..."); a label beside the
  // pie wraps them instead.
  chart->legend()->hide();
  chart->setMargins(QMargins(2, 2, 2, 2));
  chart->setBackgroundRoundness(0);
  pie_ = new QPieSeries(chart);
  pie_->setPieSize(0.8);
  chart->addSeries(pie_);
  pieView_ = new QChartView(chart, gbProfile_);
  pieView_->setObjectName("chtDietComposition");
  pieView_->setRenderHint(QPainter::Antialiasing);
  pieView_->setMinimumWidth(180);
  pieView_->setFixedHeight(250);
  lblPieLegend_ = new QLabel(gbProfile_);
  lblPieLegend_->setObjectName("lblPieLegend");
  lblPieLegend_->setTextFormat(Qt::RichText);
  lblPieLegend_->setWordWrap(true);
  lblPieLegend_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  lblPieLegend_->setMinimumWidth(110);
  auto* pieRow = new QHBoxLayout;
  pieRow->addWidget(pieView_, 3);
  pieRow->addWidget(lblPieLegend_, 2);
  profile->addLayout(pieRow);
  left->addSpacing(10);
  left->addWidget(gbProfile_);
  left->addStretch(1);
  layout->addLayout(left, 1);

  // The chart keeps its place while it is hidden, so the table does not jump about.
  auto* chartHolder = new QWidget(this);
  chartHolder->setFixedSize(kBalanceChartWidth, kBalanceChartHeight);
  imgBalance_ = new QLabel(chartHolder);
  imgBalance_->setObjectName("imgBalance");
  imgBalance_->setFixedSize(kBalanceChartWidth, kBalanceChartHeight);
  imgBalance_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  layout->addWidget(chartHolder, 0, Qt::AlignTop);

  connect(&amounts_, &AmountsModel::Editing, this, [this] { refreshTimer_.start(); });
  connect(&amounts_, &AmountsModel::Refused, this, [] { QApplication::beep(); });
  connect(otAllocations_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.row() < c_.Ration().Count()) c_.ShowFeedInfo(*c_.Ration().FeedAt(index.row()));
  });
  // Enter in the amount column moves on to the next row, from the last to the first.
  connect(otAllocations_->itemDelegateForColumn(AmountsModel::kAmount), &QAbstractItemDelegate::closeEditor, this,
          [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
            const int rows = amounts_.rowCount();
            if (hint != QAbstractItemDelegate::SubmitModelCache || rows == 0) return;
            const int next = (otAllocations_->currentIndex().row() + 1) % rows;
            otAllocations_->setCurrentIndex(amounts_.index(next, AmountsModel::kAmount));
          });
}

void AmountsPage::Enter() {
  c_.Recompute();
  FillAllocations();
  const bool fed = c_.Ration().TotalKg() > 0;
  if (fed) {
    c_.editor.CapGrazing();
    // The cap may have changed an amount without an edit.
    amounts_.EditorChanged(kRationAmounts);
    DrawBalance();
    FillProfile();
  }
  imgBalance_->setVisible(fed);
  gbProfile_->setVisible(fed);
}

// An edit of the ration, here or on the horse window's training tab.
void AmountsPage::Repaint(ChangeFlags changed) {
  if (changed & kRationFeeds) FillAllocations();
  if (changed & (kRationAmounts | kRationFeeds)) ShowEvaluation();
}

void AmountsPage::FillAllocations() {
  amounts_.Reload();
  // Rows that came anew take the header's sizes again.
  otAllocations_->horizontalHeader()->setSectionResizeMode(AmountsModel::kName, QHeaderView::Stretch);
  otAllocations_->horizontalHeader()->setSectionResizeMode(AmountsModel::kAmount, QHeaderView::Fixed);
  otAllocations_->horizontalHeader()->setSectionResizeMode(AmountsModel::kUnit, QHeaderView::Fixed);
  otAllocations_->setColumnWidth(AmountsModel::kAmount, 80);
  otAllocations_->setColumnWidth(AmountsModel::kUnit, 30);
  const int rows = amounts_.rowCount();
  FitTableHeight(otAllocations_, std::min(rows, 16));
  if (!otAllocations_->currentIndex().isValid() && rows > 0)
    otAllocations_->setCurrentIndex(amounts_.index(0, AmountsModel::kAmount));
}

void AmountsPage::StepActiveAmount(bool up) {
  if (c_.Ration().Count() == 0) return;
  int row = otAllocations_->currentIndex().row();
  if (row < 0 || row >= c_.Ration().Count()) row = 0;
  refreshTimer_.start();
  c_.editor.StepAmount(row, up);
  otAllocations_->setCurrentIndex(amounts_.index(row, AmountsModel::kAmount));
}

void AmountsPage::ShowEvaluation() {
  setUpdatesEnabled(false);
  const bool fed = c_.Ration().TotalKg() > 0;
  if (fed) {
    DrawBalance();
    FillProfile();
  }
  imgBalance_->setVisible(fed);
  gbProfile_->setVisible(fed);
  setUpdatesEnabled(true);
  lastRefreshMs_ = refreshTimer_.nsecsElapsed() / 1e6;
}

void AmountsPage::DrawBalance() {
  ImageCanvas picture(kBalanceChartWidth, kBalanceChartHeight);
  DrawBalanceChart(c_.Horse(), c_.ChosenNutrients(true), c_.Settings(), picture.canvas());
  imgBalance_->setPixmap(QPixmap::fromImage(picture.Finish()));
}

void AmountsPage::FillProfile() {
  const DryMatterProfile p = ComputeProfile(c_.Horse());
  lblProfile_->setText(Q(ProfileText(p, c_.Reg())));
  gbProfile_->setTitle(Q(VerdictText(p.verdict)));
  const bool warn = VerdictIsWarning(p.verdict);
  gbProfile_->setStyleSheet(warn ? "QGroupBox#gbProfile { color: red; font-weight: bold; }"
                                 : "QGroupBox#gbProfile { color: palette(window-text); font-weight: normal; }");
  pie_->clear();
  QString legend;
  for (const PieSlice& s : PieSlices(p)) {
    const QString caption = Q(s.label) + " " + Q(DecimalText(s.percent, 0, c_.Sep())) + "%";
    QPieSlice* slice = pie_->append(caption, s.percent);
    slice->setColor(ToQColor(s.colour));
    slice->setLabelVisible(false);
    legend += "<p style=\"margin:2px 0\"><span style=\"color:" + ToQColor(s.colour).name() + "\">&#9632;</span> " +
              caption.toHtmlEscaped() + "</p>";
  }
  lblPieLegend_->setText(legend);
}

}  // namespace stallora
