#include "ui/ration/analysispage.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "forms/ration_page.h"
#include "nutrition/report_common.h"
#include "ration/ration_charts.h"
#include "render/charts.h"
#include "render/pictures.h"
#include "render/qtcanvas.h"
#include "ui/htmlview.h"
#include "ui/qtext.h"
#include "ui/rationtexts.h"

namespace stallora {

using namespace rationui;

namespace {
enum AnalysisIndex { kInfoPage = 0, kSupplyPage, kContributionPage };
}  // namespace

AnalysisPage::AnalysisPage(RationContext& context, QWidget* parent)
    : RationTabPage(context, "tsNutrientGraphics", parent) {
  auto* layout = new QVBoxLayout(this);
  pcAnalysis_ = new QTabWidget(this);
  pcAnalysis_->setObjectName("pcAnalysis");
  layout->addWidget(pcAnalysis_);

  auto* info = new QWidget;
  info->setObjectName("tsDiethelp");
  auto* infoLayout = new QHBoxLayout(info);
  auto* infoLeft = new QVBoxLayout;
  vlbNutrients_ = new QListWidget(info);
  vlbNutrients_->setObjectName("vlbNutrients");
  vlbNutrients_->setFixedWidth(260);
  infoLeft->addWidget(vlbNutrients_, 1);
  auto* more = PageButton(T(kRpAndreStoffer), "btnAndrestoffer", info);
  infoLeft->addWidget(more);
  infoLayout->addLayout(infoLeft);
  grbNutrientInfo_ = new QGroupBox(T(kVaelgNaeringsstof), info);
  grbNutrientInfo_->setObjectName("grbNutrientInfo");
  auto* box = new QVBoxLayout(grbNutrientInfo_);
  wbNutrientInfo_ = new HtmlView(grbNutrientInfo_);
  wbNutrientInfo_->setObjectName("wbNutrientInfo");
  box->addWidget(wbNutrientInfo_);
  infoLayout->addWidget(grbNutrientInfo_, 1);
  pcAnalysis_->addTab(info, T(kRpOplysninger));

  auto chartPage = [this](const QString& name, QLabel*& image, bool supply) {
    auto* w = new QWidget;
    w->setObjectName(name);
    auto* l = new QVBoxLayout(w);
    auto* buttons = new QHBoxLayout;
    const QString suffix = supply ? "Supply" : "Contribution";
    auto* print = PageButton(T(kPrint), "btnPrint" + suffix, w);
    auto* copy = PageButton(T(kCopyButton), "btnCopy" + suffix, w);
    auto* save = PageButton(T(kGem), "btnSave" + suffix, w);
    auto* email = PageButton(T(kEpost), "btnEmail" + suffix, w);
    for (QPushButton* b : {print, copy, save, email}) buttons->addWidget(b);
    buttons->addStretch();
    l->addLayout(buttons);
    auto* area = new QScrollArea(w);
    area->setBackgroundRole(QPalette::Base);
    image = new QLabel;
    image->setObjectName(supply ? "imgSupply" : "imgContribution");
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    area->setWidget(image);
    area->setWidgetResizable(false);
    if (!supply) contributionArea_ = area;
    l->addWidget(area, 1);
    connect(print, &QPushButton::clicked, this, [this] { PrintCharts(); });
    connect(copy, &QPushButton::clicked, this, [this, supply] { CopyChart(supply); });
    connect(save, &QPushButton::clicked, this, [this, supply] { SaveChart(supply); });
    connect(email, &QPushButton::clicked, this, [this, supply] { MailChart(supply); });
    return w;
  };
  pcAnalysis_->addTab(chartPage("tsForplanSoyler", imgSupply_, true), T(kRpBehovOgIndhold));
  pcAnalysis_->addTab(chartPage("tsNutrientContribution", imgContribution_, false), T(kRpBidrag));

  connect(vlbNutrients_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { NutrientInfo(vlbNutrients_->row(item)); });
  connect(more, &QPushButton::clicked, this, [this] { MoreNutrients(); });
  connect(pcAnalysis_, &QTabWidget::currentChanged, this, [this](int index) {
    if (index == kInfoPage)
      grbNutrientInfo_->hide();
    else
      DrawCharts();
  });
}

void AnalysisPage::Enter() {
  c_.Recompute();
  Show();
}

void AnalysisPage::Repaint(ChangeFlags changed) {
  if (changed & (kRationAmounts | kRationFeeds)) Show();
}

void AnalysisPage::Show() {
  DrawCharts();
  grbNutrientInfo_->setTitle(T(kVaelgNaeringsstof));
  ShowNutrientLines(vlbNutrients_, c_.Horse(), c_.Settings());
  grbNutrientInfo_->hide();
}

void AnalysisPage::ShowNutrient(int line) {
  pcAnalysis_->setCurrentIndex(kInfoPage);
  vlbNutrients_->setCurrentRow(line);
  NutrientInfo(line);
}

void AnalysisPage::ShowCharts() { pcAnalysis_->setCurrentIndex(kSupplyPage); }

std::string AnalysisPage::ChartName(bool supply) const {
  return (supply ? Tr(kRpBehovOgIndhold) : Tr(kRpBidrag)) + ": " + c_.Horse().Navn + " " +
         c_.Reg().FormatShortDate(c_.Horse().env->Today());
}

std::string AnalysisPage::ChartFile(bool supply) const {
  return ChartFileName(supply ? "NutrientSupply_" : "NutrientContribution_", c_.Horse().Navn, c_.Reg(),
                       c_.Horse().env->Today());
}

void AnalysisPage::DrawCharts() {
  const std::array<bool, kNutrientCount> shown = c_.ChosenNutrients(false);
  ChartSize size;
  int minContribution = 0;
  {
    ImageCanvas measure(1, 1);
    size = SupplyChartSize(measure.canvas(), shown, c_.Settings());
    minContribution = ContributionChartMinWidth(measure.canvas(), shown, c_.Settings());
  }
  ImageCanvas supply(size.width, size.height);
  DrawSupplyChart(c_.Horse(), shown, c_.Settings(), ChartName(true), supply.canvas());
  supplyImage_ = supply.Finish();
  imgSupply_->setPixmap(QPixmap::fromImage(supplyImage_));
  imgSupply_->resize(supplyImage_.size());

  const int width = std::max(minContribution, contributionArea_->viewport()->width() - 4);
  ImageCanvas contribution(width, kContributionChartHeight);
  DrawContributionChart(c_.Horse(), shown, c_.Settings(), ChartName(false), c_.Sep(), contribution.canvas());
  contributionImage_ = contribution.Finish();
  imgContribution_->setPixmap(QPixmap::fromImage(contributionImage_));
  imgContribution_->resize(contributionImage_.size());
}

std::optional<std::string> AnalysisPage::AdviceText() {
  const std::filesystem::path file = c_.Prefs() ? c_.Prefs()->FeedInfoFile() : std::filesystem::path();
  if (auto text = file.empty() ? std::nullopt : ReadWholeFile(file)) return text;
  c_.Inform(Tr(kRpFinderIkke) + " " + PathText(file));
  return std::nullopt;
}

void AnalysisPage::NutrientInfo(int line) {
  if (line < 0 || line >= kNutrientCount - 1) return;
  const int nutrient = NutrientOfLine(line);
  std::string advice;
  if (NeedsAdvice(c_.Horse(), nutrient)) {
    const std::optional<std::string> text = AdviceText();
    if (!text) return;
    advice = *text;
  }
  grbNutrientInfo_->setTitle(Q(c_.Settings().NutrientName(nutrient)));
  const std::string page = NutrientInfoPage(c_.Horse(), nutrient, c_.Settings(), advice, c_.Sep());
  WriteReportFile(c_.TempDir() / "nutrientinfo.html", page);
  wbNutrientInfo_->ShowReport(page, c_.TempDir());
  grbNutrientInfo_->show();
}

void AnalysisPage::MoreNutrients() {
  const std::optional<std::string> text = AdviceText();
  if (!text) return;
  grbNutrientInfo_->setTitle(T(kRpAndreStoffer));
  const std::string page = MoreNutrientsPage(*text);
  WriteReportFile(c_.TempDir() / "nutrientinfo.html", page);
  wbNutrientInfo_->ShowReport(page, c_.TempDir());
  grbNutrientInfo_->show();
}

void AnalysisPage::PrintCharts() {
  if (supplyImage_.isNull()) DrawCharts();
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Portrait);
  if (!c_.PreparePrinter(printer)) return;
  QPainter painter;
  if (!painter.begin(&printer)) return;
  const QRect page = painter.viewport();
  const ChartPrintLayout l = LayoutChartPage(page.width(), page.height(), {supplyImage_.width(), supplyImage_.height()},
                                             {contributionImage_.width(), contributionImage_.height()});
  QFont font("Arial");
  font.setPixelSize(std::max(l.fontHeight, 1));
  painter.setFont(font);
  painter.setPen(QPen(Qt::black, std::max(1, page.width() / 1000)));
  auto rect = [](const PrintBox& b) { return QRect(b.x1, b.y1, b.x2 - b.x1, b.y2 - b.y1); };
  auto band = [&](const PrintBox& b, int headingY, const QString& text) {
    const QRect r = rect(b);
    painter.drawRect(r);
    painter.drawText(QRect(r.left(), headingY - l.fontHeight / 2, r.width(), l.fontHeight * 2),
                     Qt::AlignHCenter | Qt::AlignTop, text);
  };
  const std::string& name = c_.Horse().Navn;
  band(l.supplyBand, l.supplyHeadingY, Q(name + " - " + Tr(kRpBehovOgIndhold)));
  painter.drawImage(rect(l.supplyChart), supplyImage_);
  band(l.contributionBand, l.contributionHeadingY, Q(name + " - " + Tr(kRpBidrag)));
  painter.drawImage(rect(l.contributionChart), contributionImage_);
  painter.end();
}

void AnalysisPage::CopyChart(bool supply) {
  if (supplyImage_.isNull()) DrawCharts();
  QApplication::clipboard()->setImage(supply ? supplyImage_ : contributionImage_);
}

void AnalysisPage::SaveChart(bool supply) {
  if (supplyImage_.isNull()) DrawCharts();
  std::error_code ec;
  std::filesystem::create_directories(c_.HorseDir(), ec);
  const QString chosen =
      c_.Ask().SaveFileName(T(kGem), Q(PathText(c_.HorseDir() / PathFromText(ChartFile(supply)))), "JPEG (*.jpg)");
  if (chosen.isEmpty()) return;
  const std::filesystem::path target = PathFromText(L(chosen));
  if (!WriteJpeg(supply ? supplyImage_ : contributionImage_, target))
    c_.ShowError(Tr(kKunneIkkeDannes) + " " + PathText(target));
}

void AnalysisPage::MailChart(bool supply) {
  if (supplyImage_.isNull()) DrawCharts();
  const std::filesystem::path target = c_.TempDir() / PathFromText(ChartFile(supply));
  if (!WriteJpeg(supply ? supplyImage_ : contributionImage_, target)) {
    c_.ShowError(Tr(kKunneIkkeDannes) + " " + PathText(target));
    return;
  }
  c_.Ask().Mail(std::string(), {target});
}

}  // namespace stallora
