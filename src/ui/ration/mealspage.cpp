#include "ui/ration/mealspage.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "forms/ration_page.h"
#include "nutrition/report_common.h"
#include "render/charts.h"
#include "stable/stall.h"
#include "ui/models/editormodel.h"
#include "ui/models/mealsheetmodel.h"
#include "ui/models/mealtimesmodel.h"
#include "ui/qtext.h"
#include "ui/rationtexts.h"
#include "ui/widgets/numberdelegate.h"
#include "ui/widgets/spinner.h"
#include "ui/widgets/tableheight.h"

namespace stallora {

using namespace rationui;

MealsPage::MealsPage(RationContext& context, QWidget* parent) : RationTabPage(context, "tsMealSheet", parent) {
  times_ = new MealTimesModel(c_.editor, this);
  sheet_ = new MealSheetModel(c_.editor, this);
  connect(&c_.relay, &EditorRelay::Changed, times_, &MealTimesModel::EditorChanged);
  connect(&c_.relay, &EditorRelay::Changed, sheet_, &MealSheetModel::EditorChanged);

  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  auto* timesBox = new QGroupBox(T(kFodringstider), this);
  auto* timesLayout = new QVBoxLayout(timesBox);
  auto* countRow = new QHBoxLayout;
  nfNoMeals_ = new QSpinBox(timesBox);
  nfNoMeals_->setObjectName("nfNoMeals");
  nfNoMeals_->setReadOnly(true);
  nfNoMeals_->setButtonSymbols(QAbstractSpinBox::NoButtons);
  nfNoMeals_->setRange(0, 99);
  auto* countLabel = new QLabel(T(kAntalFodringer) + ":", timesBox);
  countLabel->setBuddy(nfNoMeals_);
  countRow->addWidget(countLabel);
  countRow->addWidget(nfNoMeals_);
  countRow->addStretch();
  timesLayout->addLayout(countRow);
  otMealTimes_ = new QTableView(timesBox);
  otMealTimes_->setObjectName("otMealTimes");
  otMealTimes_->setModel(times_);
  otMealTimes_->verticalHeader()->hide();
  otMealTimes_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  otMealTimes_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  otMealTimes_->setFixedWidth(190);
  timesLayout->addWidget(otMealTimes_);
  top->addWidget(timesBox, 0, Qt::AlignTop);

  gbMeals_ = new QGroupBox(T(kRpRationstildeling), this);
  gbMeals_->setObjectName("gbMeals");
  auto* meals = new QVBoxLayout(gbMeals_);
  auto* sheetRow = new QHBoxLayout;
  otMealSheet_ = new QTableView(gbMeals_);
  otMealSheet_->setObjectName("otMealSheet");
  otMealSheet_->setModel(sheet_);
  otMealSheet_->verticalHeader()->hide();
  otMealSheet_->setSelectionMode(QAbstractItemView::SingleSelection);
  otMealSheet_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked);
  auto* mealDelegate = new NumberDelegate(5, 1, otMealSheet_);
  for (int meal = 0; meal < kMaxMeals; ++meal)
    otMealSheet_->setItemDelegateForColumn(MealSheetModel::kFirstMeal + meal, mealDelegate);
  sheetRow->addWidget(otMealSheet_, 1);
  auto* spinner = new Spinner("OvcSpinner1", gbMeals_, [this](bool up) { Run(up ? Command::kUp : Command::kDown); });
  spinner->AddKeys(otMealSheet_);
  sheetRow->addWidget(spinner, 0, Qt::AlignTop);
  meals->addLayout(sheetRow);
  auto* buttons = new QHBoxLayout;
  btnFordelLikt_ = PageButton(T(kFordelLige), "btnFordelLikt", gbMeals_);
  btnGiResten_ = PageButton(T(kGivResten), "btnGiResten", gbMeals_);
  auto* reset = PageButton(T(kNulstil), "btnNullstill", gbMeals_);
  auto* show = PageButton(T(kVis) + " " + T(kRationstildeling), "btnShowWB", gbMeals_);
  auto* print = PageButton(T(kPrint), "btnPrintMealChart", gbMeals_);
  for (QPushButton* b : {btnFordelLikt_, btnGiResten_, reset}) buttons->addWidget(b);
  buttons->addStretch();
  buttons->addWidget(show);
  buttons->addWidget(print);
  meals->addLayout(buttons);
  top->addWidget(gbMeals_, 1);
  layout->addLayout(top);

  auto* area = new QScrollArea(this);
  area->setBackgroundRole(QPalette::Base);
  imgMealChart_ = new QLabel;
  imgMealChart_->setObjectName("imgMealChart");
  area->setWidget(imgMealChart_);
  layout->addWidget(area, 1);

  connect(sheet_, &MealSheetModel::Refused, this, [] { QApplication::beep(); });
  connect(otMealSheet_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { UpdateButtons(); });
  connect(btnFordelLikt_, &QPushButton::clicked, this, [this] { Run(Command::kEvenly); });
  connect(btnGiResten_, &QPushButton::clicked, this, [this] { Run(Command::kRest); });
  connect(reset, &QPushButton::clicked, this, [this] { Run(Command::kReset); });
  connect(show, &QPushButton::clicked, this, [this] { ShowChart(); });
  connect(print, &QPushButton::clicked, this, [this] { PrintChart(); });
}

void MealsPage::Enter() {
  const THest& horse = c_.Horse();
  c_.editor.PrepareMeals(c_.StableMeals(), horse.stable ? horse.stable->SFTider : horse.HFTider);
  Fill();
}

void MealsPage::Repaint(ChangeFlags changed) {
  if (changed & (kRationFeeds | kRationAmounts))
    Fill();
  else if (changed & kRationMeals)
    UpdateButtons();
}

void MealsPage::Fill() {
  const int meals = SheetMeals(c_.Horse());
  nfNoMeals_->setValue(c_.Horse().HestNoMeals);
  times_->Reload();
  otMealTimes_->setVisible(meals > 0);
  FitTableHeight(otMealTimes_, std::min(meals, 10));
  gbMeals_->setVisible(meals > 0);

  otMealSheet_->setUpdatesEnabled(false);
  sheet_->Reload();
  QHeaderView* header = otMealSheet_->horizontalHeader();
  header->setSectionResizeMode(MealSheetModel::kName, QHeaderView::Stretch);
  otMealSheet_->setColumnWidth(MealSheetModel::kUndistributed, 90);
  for (int meal = 0; meal < meals; ++meal) otMealSheet_->setColumnWidth(MealSheetModel::kFirstMeal + meal, 80);
  const int rows = sheet_->rowCount();
  FitTableHeight(otMealSheet_, rows <= 8 ? rows : 10);
  otMealSheet_->setUpdatesEnabled(true);
  if (rows > 0 && meals > 0 && !otMealSheet_->currentIndex().isValid())
    otMealSheet_->setCurrentIndex(sheet_->index(0, MealSheetModel::kFirstMeal));
  UpdateButtons();
  imgMealChart_->clear();
}

int MealsPage::ActiveRow(int* meal) const {
  const QModelIndex current = otMealSheet_->currentIndex();
  if (meal) *meal = std::max(MealSheetModel::MealOf(current.column()), 0);
  return current.isValid() && current.row() < c_.Ration().Count() ? current.row() : -1;
}

void MealsPage::Run(Command command) {
  int meal = 0;
  const int row = ActiveRow(&meal);
  if (row < 0) return;
  RationEditor& e = c_.editor;
  switch (command) {
    case Command::kEvenly: e.DistributeEvenly(row); break;
    case Command::kRest: e.GiveRest(row, meal); break;
    case Command::kReset: e.ResetMeals(row); break;
    case Command::kUp: e.StepMeal(row, meal, true); break;
    case Command::kDown: e.StepMeal(row, meal, false); break;
  }
  // After sharing out, the next feed is the one to work on.
  const int rows = sheet_->rowCount();
  if ((command == Command::kEvenly || command == Command::kRest) && rows > 0)
    otMealSheet_->setCurrentIndex(sheet_->index((row + 1) % rows, otMealSheet_->currentIndex().column()));
  UpdateButtons();
}

void MealsPage::UpdateButtons() {
  const int row = ActiveRow(nullptr);
  const bool rest = row >= 0 && c_.Ration().FeedAt(row)->UndistributedRemainder > 0;
  btnFordelLikt_->setEnabled(rest);
  btnGiResten_->setEnabled(rest);
}

void MealsPage::ShowChart() {
  const QSize size = imgMealChart_->parentWidget() ? imgMealChart_->parentWidget()->size() : QSize(800, 500);
  const QImage image = MealChartImage(c_.Horse(), std::max(size.width() - 4, 400), std::max(size.height() - 4, 250));
  imgMealChart_->setPixmap(QPixmap::fromImage(image));
  imgMealChart_->resize(image.size());
}

void MealsPage::PrintChart() {
  ShowChart();
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  if (!c_.PreparePrinter(printer)) return;
  if (!PrintMealChart(c_.Horse(), printer)) c_.ShowError(Tr(kKunneIkkeDannes));
}

}  // namespace stallora
