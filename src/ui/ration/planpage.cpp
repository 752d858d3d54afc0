#include "ui/ration/planpage.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/textutil.h"
#include "forms/ration_page.h"
#include "nutrition/report_common.h"
#include "ration/horse_reports.h"
#include "ui/clipboard.h"
#include "ui/htmlview.h"
#include "ui/models/editormodel.h"
#include "ui/models/rationplanmodel.h"
#include "ui/qtext.h"
#include "ui/rationtexts.h"
#include "ui/widgets/numberdelegate.h"
#include "ui/widgets/tableheight.h"

namespace stallora {

using namespace rationui;

PlanPage::PlanPage(RationContext& context, QWidget* parent) : RationTabPage(context, "tsForplan", parent) {
  rememberedErrorsInPrint_ = c_.ErrorsInPrintPreference();
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  lblPrice_ = new QLabel(this);
  lblPrice_->setObjectName("lblPrice");
  lblPrice_->setWordWrap(true);
  lblCondition_ = new QLabel(this);
  lblCondition_->setObjectName("lblCondition");
  lblCondition_->setWordWrap(true);
  left->addWidget(lblPrice_);
  left->addWidget(lblCondition_);
  plan_ = new RationPlanModel(c_.editor, this);
  connect(&c_.relay, &EditorRelay::Changed, plan_, &RationPlanModel::EditorChanged);
  otRation_ = new QTableView(this);
  otRation_->setObjectName("otRation");
  otRation_->setModel(plan_);
  otRation_->verticalHeader()->hide();
  otRation_->setSelectionMode(QAbstractItemView::SingleSelection);
  otRation_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::SelectedClicked);
  otRation_->setItemDelegateForColumn(RationPlanModel::kPricePerKg, new NumberDelegate(6, 2, otRation_));
  left->addWidget(otRation_);
  vlbGetNutrientInfo_ = new QListWidget(this);
  vlbGetNutrientInfo_->setObjectName("vlbGetNutrientInfo");
  vlbGetNutrientInfo_->setUniformItemSizes(true);
  left->addWidget(vlbGetNutrientInfo_, 1);
  lblEnergySystem_ = new QLabel(this);
  lblEnergySystem_->setObjectName("lblEnergySystem");
  lblEnergySystem_->setWordWrap(true);
  left->addWidget(lblEnergySystem_);
  auto* leftWidget = new QWidget(this);
  leftWidget->setLayout(left);
  leftWidget->setFixedWidth(380);
  layout->addWidget(leftWidget);

  auto* right = new QVBoxLayout;
  cbNutrientErrorsInPrint_ = new QCheckBox(T(kKommentarNaering), this);
  cbNutrientErrorsInPrint_->setObjectName("cbNutrientErrorsInPrint");
  right->addWidget(cbNutrientErrorsInPrint_);
  auto* row1 = new QHBoxLayout;
  btnSimpleRationsheet_ = PageButton(T(kSimpelFoderplan), "btnSimpleRationsheet", this);
  auto* comments = PageButton(T(kKommentarer), "btnAddRationComments", this);
  auto* clear = PageButton(T(kX), "btnClear", this);
  clear->setFixedWidth(28);
  auto* graphics = PageButton(T(kGrafik), "btnGrafikk", this);
  auto* diary = PageButton(T(kLaegTil) + " " + T(kDiaryWord), "btnAddRationToDiary", this);
  for (QPushButton* b : {btnSimpleRationsheet_, comments, clear, graphics, diary}) row1->addWidget(b);
  row1->addStretch();
  right->addLayout(row1);
  auto* row2 = new QHBoxLayout;
  auto* print = PageButton(T(kPrint), "btnPrint_Ration", this);
  auto* copy = PageButton(T(kCopyButton), "btnClipCopy_Ration", this);
  auto* store = PageButton(T(kGem), "btnStore_Ration", this);
  auto* email = PageButton(T(kEpost), "btnEmail_Ration", this);
  auto* help = PageButton(T(kHjaelp), "btnRationHelp", this);
  for (QPushButton* b : {print, copy, store, email}) row2->addWidget(b);
  row2->addStretch();
  row2->addWidget(help);
  right->addLayout(row2);
  wbForplan_ = new HtmlView(this);
  wbForplan_->setObjectName("wbForplan");
  right->addWidget(wbForplan_, 1);
  layout->addLayout(right, 1);

  connect(plan_, &RationPlanModel::Refused, this, [] { QApplication::beep(); });
  connect(otRation_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    if (const TFor* f = c_.Ration().FeedAt(index.row())) c_.ShowFeedInfo(*f);
  });
  connect(otRation_->itemDelegateForColumn(RationPlanModel::kPricePerKg), &QAbstractItemDelegate::closeEditor, this,
          [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
            const int rows = plan_->rowCount();
            if (hint != QAbstractItemDelegate::SubmitModelCache || rows == 0) return;
            otRation_->setCurrentIndex(
                plan_->index((otRation_->currentIndex().row() + 1) % rows, RationPlanModel::kPricePerKg));
          });
  // The local-price notice follows the focus leaving the ration table.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (!priceEdited_) return;
    if (now && (now == otRation_ || otRation_->isAncestorOf(now))) return;
    priceEdited_ = false;
    c_.Inform(LocalPriceNotice(c_.Horse().Navn));
  });
  connect(vlbGetNutrientInfo_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { emit NutrientChosen(vlbGetNutrientInfo_->row(item)); });
  connect(cbNutrientErrorsInPrint_, &QCheckBox::toggled, this, [this](bool on) {
    if (updating_ || on == rememberedErrorsInPrint_) return;
    rememberedErrorsInPrint_ = on;
    WritePlan();
  });
  connect(btnSimpleRationsheet_, &QPushButton::clicked, this, [this] { ToggleSimple(); });
  connect(comments, &QPushButton::clicked, this, [this] { AddComments(); });
  connect(clear, &QPushButton::clicked, this, [this] { ClearComments(); });
  connect(graphics, &QPushButton::clicked, this, [this] { emit ChartsWanted(); });
  connect(diary, &QPushButton::clicked, this, [this] { AddRationToDiary(); });
  connect(print, &QPushButton::clicked, this, [this] { Print(); });
  connect(copy, &QPushButton::clicked, this, [this] { CopyHtmlToClipboard(PlanForOutput()); });
  connect(store, &QPushButton::clicked, this, [this] {
    c_.Store(simpleShown_ ? kSimpleFeedPlanReport : kFeedPlanReport, PlanForOutput(), Tr(kFoderplanLower));
  });
  connect(email, &QPushButton::clicked, this, [this] { Mail(); });
  connect(help, &QPushButton::clicked, this, [this] { c_.OpenHelp("/rations/rationsheet"); });
}

// The focus may still move while the tab is taken apart; the notice must not follow it.
PlanPage::~PlanPage() { disconnect(qApp, nullptr, this, nullptr); }

void PlanPage::Enter() {
  priceEdited_ = false;
  c_.Recompute();
  Show();
}

void PlanPage::Repaint(ChangeFlags changed) {
  if (!(changed & (kRationPrices | kRationAmounts | kRationFeeds))) return;
  Show();
  // A price typed here is the horse's own: the notice comes when the focus leaves the table.
  if (changed & kRationPrices) priceEdited_ = true;
}

void PlanPage::Show() {
  const PriceLine price = FeedPlanPriceLine(c_.Ration().TotalPrice(), c_.Reg());
  lblPrice_->setText(Q(price.text));
  lblPrice_->setStyleSheet(price.red ? "color: red;" : "");
  HorseReports reports(c_.Horse(), c_.HorseDir());
  lblCondition_->setText(Q(ConditionText(reports.Tilstandslinje(), c_.Horse().AktuellVekt())));
  plan_->Reload();
  otRation_->horizontalHeader()->setSectionResizeMode(RationPlanModel::kFeed, QHeaderView::Stretch);
  otRation_->setColumnWidth(RationPlanModel::kPricePerDay, 70);
  otRation_->setColumnWidth(RationPlanModel::kPricePerKg, 70);
  const int rows = plan_->rowCount();
  FitTableHeight(otRation_, rows <= 4 ? rows : 6);
  ShowNutrientLines(vlbGetNutrientInfo_, c_.Horse(), c_.Settings());
  const AppContext* app = c_.services.app;
  lblEnergySystem_->setText(
      app && app->active ? Q(app->active->Beskrivelse(c_.Settings(), c_.Sep())).replace('\r', '\n') : QString());
  updating_ = true;
  cbNutrientErrorsInPrint_->setChecked(rememberedErrorsInPrint_);
  updating_ = false;
  ShowFullPlanButton();
  WritePlan();
}

void PlanPage::ShowFullPlanButton() {
  simpleShown_ = false;
  btnSimpleRationsheet_->setText(T(kSimpelFoderplan));
}

void PlanPage::WritePlan() {
  HorseReports reports(c_.Horse(), c_.HorseDir());
  shownPlan_ = reports.LagFoderplan(rememberedErrorsInPrint_);
  std::string error;
  const std::filesystem::path file = reports.Skriv(kFeedPlanReport, shownPlan_, &error);
  if (file.empty() && !error.empty()) c_.ShowError(error);
  wbForplan_->ShowReport(shownPlan_, c_.HorseDir());
}

void PlanPage::ToggleSimple() {
  if (simpleShown_) {
    WritePlan();
    ShowFullPlanButton();
    return;
  }
  HorseReports reports(c_.Horse(), c_.HorseDir());
  shownPlan_ = reports.LagSimpelFoderplan();
  std::string error;
  if (reports.Skriv(kSimpleFeedPlanReport, shownPlan_, &error).empty() && !error.empty()) c_.ShowError(error);
  wbForplan_->ShowReport(shownPlan_, c_.HorseDir());
  btnSimpleRationsheet_->setText(T(kFoderplan));
  simpleShown_ = true;
}

void PlanPage::AddComments() {
  THest& horse = c_.Horse();
  horse.rationComment.clear();
  if (const std::optional<QStringList> lines = c_.Ask().AskMemo(T(kKommentarer))) {
    std::string comments;
    for (const QString& line : *lines) comments += L(line) + "<br>";
    horse.rationComment = comments;
  }
  ShowFullPlanButton();
  WritePlan();
}

void PlanPage::ClearComments() {
  c_.Horse().rationComment.clear();
  ShowFullPlanButton();
  WritePlan();
}

const std::string& PlanPage::PlanForOutput() {
  if (shownPlan_.empty()) WritePlan();
  return shownPlan_;
}

std::filesystem::path PlanPage::WritePlanFile(bool simple, bool comments) {
  HorseReports reports(c_.Horse(), c_.HorseDir());
  std::string error;
  const std::filesystem::path file =
      simple ? reports.SkrivSimpelFoderplan(&error) : reports.SkrivFoderplan(comments, &error);
  if (file.empty()) c_.ShowError(error.empty() ? Tr(kKunneIkkeDannes) : error);
  return file;
}

void PlanPage::Print() {
  QPrinter printer(QPrinter::HighResolution);
  if (!c_.PreparePrinter(printer)) return;
  wbForplan_->document()->print(&printer);
}

void PlanPage::Mail() {
  const std::filesystem::path file = WritePlanFile(simpleShown_, c_.ErrorsInPrintPreference());
  if (!file.empty()) c_.Ask().Mail(c_.Horse().Navn, {file});
}

void PlanPage::SaveAs() {
  c_.Recompute();
  HorseReports reports(c_.Horse(), c_.HorseDir());
  const std::string plan = reports.LagFoderplan(rememberedErrorsInPrint_);
  const QString name = Q(PathText(c_.HorseDir() / PathFromText(HorseReportFileName(c_.Horse(), kFeedPlanReport))));
  const QString chosen = c_.Ask().SaveFileName(T(kGemFoderplanfil), name, "*.htm");
  if (chosen.isEmpty()) return;
  const std::filesystem::path target = PathFromText(WithHtmExtension(L(chosen)));
  if (!WriteReportFile(target, EscapeNationalLetters(plan)))
    c_.ShowError(Tr(kKunneIkkeDannes) + " " + PathText(target));
}

void PlanPage::AddRationToDiary() {
  HorseReports reports(c_.Horse(), c_.HorseDir());
  StringList lines;
  reports.Rasjonslinjer(lines);
  QStringList out;
  for (const std::string& l : lines) out << Q(l);
  if (!out.isEmpty()) emit AddToDiary(out);
}

}  // namespace stallora
