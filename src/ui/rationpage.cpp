#include "ui/rationpage.h"

#include "forms/ration_editor.h"
#include "ui/models/amountsmodel.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QShortcut>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QPieSeries>
#include <set>

#include "core/fileio.h"
#include "core/html_report.h"
#include "core/textutil.h"
#include "ration/balance_chart.h"
#include "ration/evaluation.h"
#include "ration/horse_reports.h"
#include "ration/ration_charts.h"
#include "forms/ration_page.h"
#include "ration/roughage_wizard.h"
#include "render/charts.h"
#include "render/pictures.h"
#include "render/qtcanvas.h"
#include "ui/qtext.h"
#include "stable/stall.h"
#include "ui/clipboard.h"
#include "ui/htmlview.h"
#include "ui/mnemonics.h"
#include "ui/mainwindow.h"
#include "ui/rationtexts.h"
#include "ui/roughagewizard.h"
#include "ui/widgets/numberdelegate.h"
#include "ui/widgets/spinner.h"
#include "ui/widgets/tableheight.h"
#include "ui/smalldialogs.h"

namespace stallora {
namespace {

using namespace rationui;


QColor ToQColor(Colour c) { return QColor(c.r, c.g, c.b); }

// Pages of pcForing, in order.
enum PageIndex { kSelectPage = 0, kAmountsPage, kPlanPage, kAnalysisPage, kMealPage };
enum AnalysisIndex { kInfoPage = 0, kSupplyPage, kContributionPage };

QTableWidgetItem* ReadOnlyItem(const QString& text, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  item->setTextAlignment(align);
  return item;
}

QTableWidgetItem* EditableItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
  item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

QPushButton* Button(const QString& text, const QString& name, QWidget* parent) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  return b;
}

}  // namespace

struct RationPage::Impl {
  RationPage* q;
  // The page's own editor when it stands alone (no horse window around it).
  std::unique_ptr<RationEditor> ownEditor;
  RationEditor& editor;
  THest& horse;
  Services& services;

  // Window state of the tab.
  TForListe* selection = nullptr;
  bool otherListMode = false;
  bool tabEntered = false;
  bool updating = false;
  bool priceEdited = false;
  bool rememberedErrorsInPrint = false;
  bool simpleShown = false;
  std::string shownPlan;
  double lastRefreshMs = 0;
  // Runs from the start of an amount edit to the refreshed page.
  QElapsedTimer refreshTimer;
  std::set<std::string> declinedMissing;
  int previousPage = kSelectPage;
  QImage supplyImage, contributionImage;
  std::vector<NutrientLine> nutrientLines;

  // Widgets (named after the program's components).
  QTabWidget* pcForing = nullptr;
  // selection page
  QListWidget* lbHestensForliste = nullptr;
  QGroupBox* grbForValg = nullptr;
  QTreeWidget* tvFeeds = nullptr;
  QListWidget* lbFremmedListe = nullptr;
  QPushButton* btnBeite = nullptr;
  QGroupBox* gbAdjustGrazing = nullptr;
  QSpinBox* nfBeitetimer = nullptr;
  QButtonGroup* rgrBeiteRikelighet = nullptr;
  QLabel* lblGrazingDryMatter = nullptr;
  QLabel* lblGrazingFeed = nullptr;
  // amounts page
  QTableView* otAllocations = nullptr;
  AmountsModel* amounts = nullptr;
  QLabel* imgBalance = nullptr;
  QGroupBox* gbProfile = nullptr;
  QLabel* lblProfile = nullptr;
  QChartView* pieView = nullptr;
  QLabel* lblPieLegend = nullptr;
  QPieSeries* pie = nullptr;
  // feeding plan page
  QLabel* lblPrice = nullptr;
  QLabel* lblCondition = nullptr;
  QTableWidget* otRation = nullptr;
  QListWidget* vlbGetNutrientInfo = nullptr;
  QLabel* lblEnergySystem = nullptr;
  QCheckBox* cbNutrientErrorsInPrint = nullptr;
  QPushButton* btnSimpleRationsheet = nullptr;
  HtmlView* wbForplan = nullptr;
  // analysis page
  QTabWidget* pcAnalysis = nullptr;
  QListWidget* vlbNutrients = nullptr;
  QGroupBox* grbNutrientInfo = nullptr;
  HtmlView* wbNutrientInfo = nullptr;
  QLabel* imgSupply = nullptr;
  QLabel* imgContribution = nullptr;
  QScrollArea* contributionArea = nullptr;
  // meal sheet
  QTableWidget* otMealTimes = nullptr;
  QSpinBox* nfNoMeals = nullptr;
  QGroupBox* gbMeals = nullptr;
  QTableWidget* otMealSheet = nullptr;
  QPushButton* btnFordelLikt = nullptr;
  QPushButton* btnGiResten = nullptr;
  QLabel* imgMealChart = nullptr;

  Impl(RationPage* page, RationEditor& e, Services& s, std::unique_ptr<RationEditor> own = nullptr)
      : q(page), ownEditor(std::move(own)), editor(e), horse(e.Horse()), services(s) {}

  // ---- context
  const CountrySettings& Settings() const { return SettingsOf(*horse.env); }
  char Sep() const { return horse.env->regional.decimalSeparator; }
  const Regional& Reg() const { return horse.env->regional; }
  TForListe& Ration() const { return *horse.ForListe; }
  TPreferences* Prefs() const { return services.app ? &services.app->preferences : nullptr; }
  TForListe* StableList() const { return horse.stable ? horse.stable->ForListe.get() : nullptr; }
  int StableMeals() const { return horse.stable ? horse.stable->StallNoMeals : horse.HestNoMeals; }
  std::filesystem::path TempDir() const {
    if (Prefs()) return Prefs()->TempDirectory();
    return std::filesystem::temp_directory_path();
  }
  std::filesystem::path HorseDir() const {
    return horse.stable ? horse.stable->HorseDirectory(horse) : TempDir();
  }
  std::array<bool, kNutrientCount> ChosenNutrients(bool columns) const {
    std::array<bool, kNutrientCount> shown;
    shown.fill(true);
    if (const TPreferences* p = horse.env->preferences ? horse.env->preferences : Prefs())
      shown = columns ? p->showNutrient : p->useNutrient;
    return shown;
  }
  bool ErrorsInPrintPreference() const { return Prefs() && Prefs()->NutrientErrorsInPrint; }

  // How the page asks and tells the user.
  Prompts& Ask() const { return *services.prompts; }
  void Inform(const std::string& text) { Ask().Inform(text); }
  bool Confirm(const std::string& text) { return Ask().Confirm(text); }
  // A warning captioned "Advarsel!".
  void Warn(const std::string& text) { Ask().Warn(text, T(kRpAdvarsel)); }
  void ShowError(const std::string& text) { Ask().Error(text); }

  // ---- the record computed again before a page shows it (no edit)
  void Recompute() { editor.Recalculate(); }

  // ---- construction
  QWidget* BuildSelectionPage();
  QWidget* BuildAmountsPage();
  QWidget* BuildPlanPage();
  QWidget* BuildAnalysisPage();
  QWidget* BuildMealPage();

  // ---- tab and pages
  void EnterTab();
  void PageChanged(int index);
  void EnterActivePage();
  void ApplyVisibility();

  // ---- selection
  void FillChosenList();
  void RebuildTree();
  void RecountTree();
  void SetSelectionList(TForListe* list, bool other);
  void ToggleItem(QTreeWidgetItem* item);
  void ResetSelection();
  bool CloseSelection(int how);  // 0 OK, 1 Cancel, 2 leaving the page
  void ChooseOtherList();
  void RemoveChosenFeed();
  void ChosenFeedInfo();
  void OpenGrazing();
  void GrazingChanged(const GrazingLabels& labels);
  void ShowFeedInfo(const TFor& feed);
  void OpenHelp(const std::string& suffix);

  // ---- amounts
  void EnterAmounts();
  void FillAllocations();
  void UpdateAllocationTexts();
  void EditorChanged(ChangeFlags changed);
  void StepActiveAmount(bool up);
  void DrawBalance();
  void FillProfile();
  void AfterAmountChange();

  // ---- feeding plan
  void EnterPlan();
  void FillRationTable();
  void PriceEdited(QTableWidgetItem* item);
  void FillNutrientList(QListWidget* list);
  void WritePlan();
  void ToggleSimple();
  void AddComments();
  void ClearComments();
  const std::string& PlanForOutput();
  std::filesystem::path WritePlanFile(bool simple, bool comments);
  void PrintPlan();
  void CopyPlan();
  void StorePlan();
  void MailPlan();
  void AddRationToDiary();

  // ---- analysis
  void EnterAnalysis();
  void DrawCharts();
  void NutrientInfo(int line);
  void MoreNutrients();
  std::optional<std::string> AdviceText();
  void PrintCharts();
  void CopyChart(bool supply);
  void SaveChart(bool supply);
  void MailChart(bool supply);
  std::string ChartName(bool supply) const;

  // ---- meals
  void EnterMeals();
  void FillMealTables();
  void UpdateMealRow(int row);
  void MealEdited(QTableWidgetItem* item);
  TFor* ActiveMealFeed(int* meal);
  void MealCommand(int which);  // 0 evenly, 1 rest, 2 reset, 3 up, 4 down
  void UpdateMealButtons();
  void ShowMealChart();
  void PrintMealChartCommand();
  void ResetMealTables();

  // ---- outputs
  bool PreparePrinter(QPrinter& printer);
  void SendMail(const std::string& subject, const std::vector<std::filesystem::path>& files);
  void Store(int kind, const std::string& html, const std::string& word);
};

// ==================================================================== construction

RationPage::RationPage(THest& horse, Services& services, QWidget* parent) : QWidget(parent) {
  auto own = std::make_unique<RationEditor>(horse);
  RationEditor& editor = *own;
  impl_ = std::make_unique<Impl>(this, editor, services, std::move(own));
  Build();
}

RationPage::RationPage(RationEditor& editor, Services& services, QWidget* parent)
    : QWidget(parent), impl_(std::make_unique<Impl>(this, editor, services)) {
  Build();
}

void RationPage::Build() {
  Impl& d = *impl_;
  d.amounts = new AmountsModel(d.editor, this);
  auto* relay = new EditorRelay(d.editor, this);
  connect(relay, &EditorRelay::Changed, d.amounts, &AmountsModel::EditorChanged);
  connect(relay, &EditorRelay::Changed, this, [this](unsigned changed) { impl_->EditorChanged(changed); });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  d.pcForing = new QTabWidget(this);
  d.pcForing->setObjectName("pcForing");
  d.pcForing->addTab(d.BuildSelectionPage(), T(kRpVaelgFoder));
  d.pcForing->addTab(d.BuildAmountsPage(), T(kRpBestemMaengder));
  d.pcForing->addTab(d.BuildPlanPage(), T(kRpFoderplan));
  d.pcForing->addTab(d.BuildAnalysisPage(), T(kRpAnalyse));
  d.pcForing->addTab(d.BuildMealPage(), T(kRpRationstildeling));
  layout->addWidget(d.pcForing);
  d.rememberedErrorsInPrint = d.ErrorsInPrintPreference();
  connect(d.pcForing, &QTabWidget::currentChanged, this, [this](int index) { impl_->PageChanged(index); });

  // The local-price notice follows the focus leaving the ration table.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    Impl& d = *impl_;
    if (!d.priceEdited || !d.otRation) return;
    if (now && (now == d.otRation || d.otRation->isAncestorOf(now))) return;
    d.priceEdited = false;
    d.Inform(LocalPriceNotice(d.horse.Navn));
  });
  d.ApplyVisibility();
}

RationPage::~RationPage() {
  // Closing the widget may still commit an open editor or move the focus; nothing of that
  // may reach the page once it is being taken apart.
  disconnect(qApp, nullptr, this, nullptr);
  for (QObject* child : findChildren<QObject*>()) child->blockSignals(true);
}

QTabWidget* RationPage::Pages() const { return impl_->pcForing; }
AmountsModel* RationPage::Amounts() const { return impl_->amounts; }
const std::string& RationPage::ShownPlan() const { return impl_->shownPlan; }
double RationPage::LastRefreshMs() const { return impl_->lastRefreshMs; }

QWidget* RationPage::Impl::BuildSelectionPage() {
  auto* page = new QWidget;
  page->setObjectName("tsSelectFeeds");
  auto* layout = new QHBoxLayout(page);

  // Left: the ration's feeds and the list choice.
  auto* left = new QVBoxLayout;
  auto* chosenBox = new QGroupBox(T(kRpValgtFoder), page);
  auto* chosenLayout = new QVBoxLayout(chosenBox);
  lbHestensForliste = new QListWidget(chosenBox);
  lbHestensForliste->setObjectName("lbHestensForliste");
  lbHestensForliste->setContextMenuPolicy(Qt::CustomContextMenu);
  lbHestensForliste->setMinimumWidth(220);
  chosenLayout->addWidget(lbHestensForliste);
  auto* remove = Button(T(kSlet), "btnRemoveFeed", chosenBox);
  chosenLayout->addWidget(remove);
  left->addWidget(chosenBox, 1);
  auto* fromStable = Button(T(kFraStaldens), "btnSelectfromStableFeedlist", page);
  auto* fromOther = Button(T(kFraAnden), "btnSelectOtherFeedlist", page);
  auto* wizard = Button(T(kVaelgGrovfoder), "btnRoughageWizard", page);
  left->addWidget(fromStable);
  left->addWidget(fromOther);
  lbFremmedListe = new QListWidget(page);
  lbFremmedListe->setObjectName("lbFremmedListe");
  lbFremmedListe->setToolTip(T(kVaelgListe));
  lbFremmedListe->hide();
  left->addWidget(lbFremmedListe);
  left->addWidget(wizard);

  // Grazing.
  btnBeite = Button(T(kHestenPaaGraes), "btnBeite", page);
  left->addWidget(btnBeite);
  gbAdjustGrazing = new QGroupBox(T(kRpGrovfoder), page);
  gbAdjustGrazing->setObjectName("gbAdjustGrazing");
  gbAdjustGrazing->setTitle(Q(FirstLetterUpper(Tr(kHestenPaaGraes))));
  auto* grazing = new QVBoxLayout(gbAdjustGrazing);
  auto* hoursRow = new QHBoxLayout;
  nfBeitetimer = new QSpinBox(gbAdjustGrazing);
  nfBeitetimer->setObjectName("nfBeitetimer");
  nfBeitetimer->setRange(0, 24);
  auto* hoursLabel = new QLabel(T(kGrazingHours), gbAdjustGrazing);
  hoursLabel->setBuddy(nfBeitetimer);
  hoursRow->addWidget(nfBeitetimer);
  hoursRow->addWidget(hoursLabel, 1);
  grazing->addLayout(hoursRow);
  auto* amount = new QGroupBox(T(kGraesmaengde), gbAdjustGrazing);
  amount->setObjectName("rgrBeiteRikelighet");
  auto* amountLayout = new QHBoxLayout(amount);
  rgrBeiteRikelighet = new QButtonGroup(amount);
  const Text* choices[3] = {&kRigelig, &kMiddel, &kLille};
  for (int i = 0; i < 3; ++i) {
    auto* r = new QRadioButton(T(*choices[i]), amount);
    r->setObjectName(QString("rbGrazing%1").arg(i));
    rgrBeiteRikelighet->addButton(r, i);
    amountLayout->addWidget(r);
  }
  grazing->addWidget(amount);
  lblGrazingDryMatter = new QLabel(gbAdjustGrazing);
  lblGrazingDryMatter->setObjectName("lblGrazingDryMatter");
  lblGrazingFeed = new QLabel(gbAdjustGrazing);
  lblGrazingFeed->setObjectName("lblGrazingFeed");
  lblGrazingFeed->setWordWrap(true);
  grazing->addWidget(lblGrazingDryMatter);
  grazing->addWidget(lblGrazingFeed);
  auto* grazingHelp = Button(T(kHjaelp), "btnBeitehjelp", gbAdjustGrazing);
  grazing->addWidget(grazingHelp, 0, Qt::AlignRight);
  gbAdjustGrazing->hide();
  left->addWidget(gbAdjustGrazing);
  left->addStretch();
  layout->addLayout(left);

  // Right: the selection panel with the tree.
  grbForValg = new QGroupBox(page);
  grbForValg->setObjectName("grbForValg");
  auto* panel = new QVBoxLayout(grbForValg);
  tvFeeds = new QTreeWidget(grbForValg);
  tvFeeds->setObjectName("tvFeeds");
  tvFeeds->setHeaderHidden(true);
  tvFeeds->setUniformRowHeights(true);
  panel->addWidget(tvFeeds, 1);
  auto* buttons = new QHBoxLayout;
  auto* ok = Button(T(kFodervalgOK), "btnForvalgOK", grbForValg);
  ok->setDefault(true);
  auto* cancel = Button(T(kAfbryd), "btnCancelForvalg", grbForValg);
  auto* reset = Button(T(kNulstil), "btnNullstill2", grbForValg);
  auto* help = Button(T(kHjaelp), "btnForvalgHjelp", grbForValg);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(reset);
  buttons->addStretch();
  buttons->addWidget(help);
  panel->addLayout(buttons);
  layout->addWidget(grbForValg, 1);

  QObject::connect(tvFeeds, &QTreeWidget::itemActivated, q, [this](QTreeWidgetItem* item) { ToggleItem(item); });
  QObject::connect(tvFeeds, &QTreeWidget::itemChanged, q, [this](QTreeWidgetItem* item, int) {
    // Clicking the check box toggles like a double click does.
    if (updating || !item->data(0, Qt::UserRole).isValid()) return;
    auto* feed = static_cast<TFor*>(item->data(0, Qt::UserRole).value<void*>());
    if ((item->checkState(0) == Qt::Checked) != feed->Valgt) ToggleItem(item);
  });
  QObject::connect(tvFeeds, &QTreeWidget::itemExpanded, q, [this](QTreeWidgetItem* item) {
    tvFeeds->setCurrentItem(item);
  });
  QObject::connect(ok, &QPushButton::clicked, q, [this] {
    if (CloseSelection(0)) pcForing->setCurrentIndex(kAmountsPage);
  });
  QObject::connect(cancel, &QPushButton::clicked, q, [this] { CloseSelection(1); });
  QObject::connect(reset, &QPushButton::clicked, q, [this] { ResetSelection(); });
  QObject::connect(fromStable, &QPushButton::clicked, q, [this] {
    lbFremmedListe->hide();
    SetSelectionList(StableList(), false);
  });
  QObject::connect(fromOther, &QPushButton::clicked, q, [this] { ChooseOtherList(); });
  QObject::connect(lbFremmedListe, &QListWidget::itemActivated, q, [this](QListWidgetItem* item) {
    auto* list = static_cast<TForListe*>(item->data(Qt::UserRole).value<void*>());
    if (list) SetSelectionList(list, true);
  });
  QObject::connect(lbHestensForliste, &QListWidget::itemActivated, q, [this] { ChosenFeedInfo(); });
  QObject::connect(lbHestensForliste, &QListWidget::customContextMenuRequested, q, [this](const QPoint& at) {
    QMenu menu(lbHestensForliste);
    menu.addAction(T(kSlet), q, [this] { RemoveChosenFeed(); });
    AssignMnemonics(&menu);
    menu.exec(lbHestensForliste->viewport()->mapToGlobal(at));
  });
  QObject::connect(remove, &QPushButton::clicked, q, [this] { RemoveChosenFeed(); });
  QObject::connect(wizard, &QPushButton::clicked, q, [this] { q->OpenRoughageWizard(); });
  QObject::connect(btnBeite, &QPushButton::clicked, q, [this] { OpenGrazing(); });
  QObject::connect(nfBeitetimer, &QSpinBox::valueChanged, q, [this](int hours) {
    if (updating) return;
    GrazingChanged(editor.SetGrazingHours(hours, selection));
  });
  QObject::connect(rgrBeiteRikelighet, &QButtonGroup::idClicked, q, [this](int id) {
    if (updating) return;
    GrazingChanged(editor.SetGrazingIntake(GrazingFactorOfChoice(id), selection));
  });
  QObject::connect(grazingHelp, &QPushButton::clicked, q, [this] { OpenHelp("/rations/grazing"); });
  QObject::connect(help, &QPushButton::clicked, q, [this] { OpenHelp("/rations"); });
  return page;
}

QWidget* RationPage::Impl::BuildAmountsPage() {
  auto* page = new QWidget;
  page->setObjectName("tsAllocateFeed");
  auto* layout = new QHBoxLayout(page);
  auto* left = new QVBoxLayout;
  auto* tableRow = new QHBoxLayout;
  otAllocations = new QTableView(page);
  otAllocations->setObjectName("otAllocations");
  otAllocations->setModel(amounts);
  otAllocations->verticalHeader()->hide();
  otAllocations->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  otAllocations->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
  otAllocations->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Fixed);
  otAllocations->setColumnWidth(1, 80);
  otAllocations->setColumnWidth(2, 30);
  otAllocations->setSelectionMode(QAbstractItemView::SingleSelection);
  otAllocations->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::SelectedClicked);
  otAllocations->setItemDelegateForColumn(1, new NumberDelegate(4, 2, otAllocations));
  otAllocations->setMinimumWidth(330);
  otAllocations->setToolTip(Q(Tr(kMaengde)));
  tableRow->addWidget(otAllocations, 1);
  tableRow->addWidget(new Spinner("Spinner", page, [this](bool up) { StepActiveAmount(up); }), 0, Qt::AlignTop);
  left->addLayout(tableRow);

  gbProfile = new QGroupBox(page);
  gbProfile->setObjectName("gbProfile");
  auto* profile = new QVBoxLayout(gbProfile);
  lblProfile = new QLabel(gbProfile);
  lblProfile->setObjectName("lblProfile");
  lblProfile->setWordWrap(true);
  profile->addWidget(lblProfile);
  auto* chart = new QChart;
  chart->setTitle(T(kDietComposition));
  chart->setAnimationOptions(QChart::NoAnimation);
  // The chart's own legend cuts long captions ("Kraftfoder, korn ..."); a label beside the
  // pie wraps them instead.
  chart->legend()->hide();
  chart->setMargins(QMargins(2, 2, 2, 2));
  chart->setBackgroundRoundness(0);
  pie = new QPieSeries(chart);
  pie->setPieSize(0.8);
  chart->addSeries(pie);
  pieView = new QChartView(chart, gbProfile);
  pieView->setObjectName("chtDietComposition");
  pieView->setRenderHint(QPainter::Antialiasing);
  pieView->setMinimumWidth(180);
  pieView->setFixedHeight(250);
  lblPieLegend = new QLabel(gbProfile);
  lblPieLegend->setObjectName("lblPieLegend");
  lblPieLegend->setTextFormat(Qt::RichText);
  lblPieLegend->setWordWrap(true);
  lblPieLegend->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  lblPieLegend->setMinimumWidth(110);
  auto* pieRow = new QHBoxLayout;
  pieRow->addWidget(pieView, 3);
  pieRow->addWidget(lblPieLegend, 2);
  profile->addLayout(pieRow);
  left->addSpacing(10);
  left->addWidget(gbProfile);
  left->addStretch(1);
  layout->addLayout(left, 1);

  // The chart keeps its place while it is hidden, so the table does not jump about.
  auto* chartHolder = new QWidget(page);
  chartHolder->setFixedSize(kBalanceChartWidth, kBalanceChartHeight);
  imgBalance = new QLabel(chartHolder);
  imgBalance->setObjectName("imgBalance");
  imgBalance->setFixedSize(kBalanceChartWidth, kBalanceChartHeight);
  imgBalance->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  layout->addWidget(chartHolder, 0, Qt::AlignTop);

  QObject::connect(amounts, &AmountsModel::Editing, q, [this] { refreshTimer.start(); });
  QObject::connect(amounts, &AmountsModel::Refused, q, [] { QApplication::beep(); });
  QObject::connect(otAllocations, &QTableView::doubleClicked, q, [this](const QModelIndex& index) {
    if (index.row() < Ration().Count()) ShowFeedInfo(*Ration().FeedAt(index.row()));
  });
  // The spinner from the keyboard: Ctrl+Up and Ctrl+Down on the table.
  for (bool up : {true, false}) {
    auto* key = new QShortcut(QKeySequence(up ? Qt::CTRL | Qt::Key_Up : Qt::CTRL | Qt::Key_Down), otAllocations);
    key->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(key, &QShortcut::activated, q, [this, up] { StepActiveAmount(up); });
  }
  // Enter in the amount column moves on to the next row, from the last to the first.
  QObject::connect(otAllocations->itemDelegateForColumn(1), &QAbstractItemDelegate::closeEditor, q,
                   [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                     const int rows = amounts->rowCount();
                     if (hint != QAbstractItemDelegate::SubmitModelCache || rows == 0) return;
                     const int next = (otAllocations->currentIndex().row() + 1) % rows;
                     otAllocations->setCurrentIndex(amounts->index(next, AmountsModel::kAmount));
                   });
  return page;
}

QWidget* RationPage::Impl::BuildPlanPage() {
  auto* page = new QWidget;
  page->setObjectName("tsForplan");
  auto* layout = new QHBoxLayout(page);
  auto* left = new QVBoxLayout;
  lblPrice = new QLabel(page);
  lblPrice->setObjectName("lblPrice");
  lblPrice->setWordWrap(true);
  lblCondition = new QLabel(page);
  lblCondition->setObjectName("lblCondition");
  lblCondition->setWordWrap(true);
  left->addWidget(lblPrice);
  left->addWidget(lblCondition);
  otRation = new QTableWidget(0, 3, page);
  otRation->setObjectName("otRation");
  otRation->verticalHeader()->hide();
  otRation->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  otRation->setColumnWidth(1, 70);
  otRation->setColumnWidth(2, 70);
  otRation->setSelectionMode(QAbstractItemView::SingleSelection);
  otRation->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::SelectedClicked);
  otRation->setItemDelegateForColumn(2, new NumberDelegate(6, 2, otRation));
  left->addWidget(otRation);
  vlbGetNutrientInfo = new QListWidget(page);
  vlbGetNutrientInfo->setObjectName("vlbGetNutrientInfo");
  vlbGetNutrientInfo->setUniformItemSizes(true);
  left->addWidget(vlbGetNutrientInfo, 1);
  lblEnergySystem = new QLabel(page);
  lblEnergySystem->setObjectName("lblEnergySystem");
  lblEnergySystem->setWordWrap(true);
  left->addWidget(lblEnergySystem);
  auto* leftWidget = new QWidget(page);
  leftWidget->setLayout(left);
  leftWidget->setFixedWidth(380);
  layout->addWidget(leftWidget);

  auto* right = new QVBoxLayout;
  cbNutrientErrorsInPrint = new QCheckBox(T(kKommentarNaering), page);
  cbNutrientErrorsInPrint->setObjectName("cbNutrientErrorsInPrint");
  right->addWidget(cbNutrientErrorsInPrint);
  auto* row1 = new QHBoxLayout;
  btnSimpleRationsheet = Button(T(kSimpelFoderplan), "btnSimpleRationsheet", page);
  auto* comments = Button(T(kKommentarer), "btnAddRationComments", page);
  auto* clear = Button(T(kX), "btnClear", page);
  clear->setFixedWidth(28);
  auto* graphics = Button(T(kGrafik), "btnGrafikk", page);
  auto* diary = Button(T(kLaegTil) + " " + T(kDiaryWord), "btnAddRationToDiary", page);
  row1->addWidget(btnSimpleRationsheet);
  row1->addWidget(comments);
  row1->addWidget(clear);
  row1->addWidget(graphics);
  row1->addWidget(diary);
  row1->addStretch();
  right->addLayout(row1);
  auto* row2 = new QHBoxLayout;
  auto* print = Button(T(kPrint), "btnPrint_Ration", page);
  auto* copy = Button(T(kCopyButton), "btnClipCopy_Ration", page);
  auto* store = Button(T(kGem), "btnStore_Ration", page);
  auto* email = Button(T(kEpost), "btnEmail_Ration", page);
  auto* help = Button(T(kHjaelp), "btnRationHelp", page);
  row2->addWidget(print);
  row2->addWidget(copy);
  row2->addWidget(store);
  row2->addWidget(email);
  row2->addStretch();
  row2->addWidget(help);
  right->addLayout(row2);
  wbForplan = new HtmlView(page);
  wbForplan->setObjectName("wbForplan");
  right->addWidget(wbForplan, 1);
  layout->addLayout(right, 1);

  QObject::connect(otRation, &QTableWidget::itemChanged, q, [this](QTableWidgetItem* item) { PriceEdited(item); });
  QObject::connect(otRation, &QTableWidget::cellDoubleClicked, q, [this](int row, int) {
    if (const TFor* f = Ration().FeedAt(row)) ShowFeedInfo(*f);
  });
  QObject::connect(otRation->itemDelegateForColumn(2), &QAbstractItemDelegate::closeEditor, q,
                   [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                     if (hint != QAbstractItemDelegate::SubmitModelCache || otRation->rowCount() == 0) return;
                     otRation->setCurrentCell((otRation->currentRow() + 1) % otRation->rowCount(), 2);
                   });
  QObject::connect(vlbGetNutrientInfo, &QListWidget::itemActivated, q, [this](QListWidgetItem* item) {
    const int line = vlbGetNutrientInfo->row(item);
    pcForing->setCurrentIndex(kAnalysisPage);
    pcAnalysis->setCurrentIndex(kInfoPage);
    vlbNutrients->setCurrentRow(line);
    NutrientInfo(line);
  });
  QObject::connect(cbNutrientErrorsInPrint, &QCheckBox::toggled, q, [this](bool on) {
    if (updating || on == rememberedErrorsInPrint) return;
    rememberedErrorsInPrint = on;
    WritePlan();
  });
  QObject::connect(btnSimpleRationsheet, &QPushButton::clicked, q, [this] { ToggleSimple(); });
  QObject::connect(comments, &QPushButton::clicked, q, [this] { AddComments(); });
  QObject::connect(clear, &QPushButton::clicked, q, [this] { ClearComments(); });
  QObject::connect(graphics, &QPushButton::clicked, q, [this] {
    pcForing->setCurrentIndex(kAnalysisPage);
    pcAnalysis->setCurrentIndex(kSupplyPage);
  });
  QObject::connect(diary, &QPushButton::clicked, q, [this] { AddRationToDiary(); });
  QObject::connect(print, &QPushButton::clicked, q, [this] { PrintPlan(); });
  QObject::connect(copy, &QPushButton::clicked, q, [this] { CopyPlan(); });
  QObject::connect(store, &QPushButton::clicked, q, [this] { StorePlan(); });
  QObject::connect(email, &QPushButton::clicked, q, [this] { MailPlan(); });
  QObject::connect(help, &QPushButton::clicked, q, [this] { OpenHelp("/rations/rationsheet"); });
  return page;
}

QWidget* RationPage::Impl::BuildAnalysisPage() {
  auto* page = new QWidget;
  page->setObjectName("tsNutrientGraphics");
  auto* layout = new QVBoxLayout(page);
  pcAnalysis = new QTabWidget(page);
  pcAnalysis->setObjectName("pcAnalysis");
  layout->addWidget(pcAnalysis);

  auto* info = new QWidget;
  info->setObjectName("tsDiethelp");
  auto* infoLayout = new QHBoxLayout(info);
  auto* infoLeft = new QVBoxLayout;
  vlbNutrients = new QListWidget(info);
  vlbNutrients->setObjectName("vlbNutrients");
  vlbNutrients->setFixedWidth(260);
  infoLeft->addWidget(vlbNutrients, 1);
  auto* more = Button(T(kRpAndreStoffer), "btnAndrestoffer", info);
  infoLeft->addWidget(more);
  infoLayout->addLayout(infoLeft);
  grbNutrientInfo = new QGroupBox(T(kVaelgNaeringsstof), info);
  grbNutrientInfo->setObjectName("grbNutrientInfo");
  auto* box = new QVBoxLayout(grbNutrientInfo);
  wbNutrientInfo = new HtmlView(grbNutrientInfo);
  wbNutrientInfo->setObjectName("wbNutrientInfo");
  box->addWidget(wbNutrientInfo);
  infoLayout->addWidget(grbNutrientInfo, 1);
  pcAnalysis->addTab(info, T(kRpOplysninger));

  auto chartPage = [this](const QString& name, QLabel*& image, bool supply) {
    auto* w = new QWidget;
    w->setObjectName(name);
    auto* l = new QVBoxLayout(w);
    auto* buttons = new QHBoxLayout;
    const QString suffix = supply ? "Supply" : "Contribution";
    auto* print = Button(T(kPrint), "btnPrint" + suffix, w);
    auto* copy = Button(T(kCopyButton), "btnCopy" + suffix, w);
    auto* save = Button(T(kGem), "btnSave" + suffix, w);
    auto* email = Button(T(kEpost), "btnEmail" + suffix, w);
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
    if (!supply) contributionArea = area;
    l->addWidget(area, 1);
    QObject::connect(print, &QPushButton::clicked, q, [this] { PrintCharts(); });
    QObject::connect(copy, &QPushButton::clicked, q, [this, supply] { CopyChart(supply); });
    QObject::connect(save, &QPushButton::clicked, q, [this, supply] { SaveChart(supply); });
    QObject::connect(email, &QPushButton::clicked, q, [this, supply] { MailChart(supply); });
    return w;
  };
  pcAnalysis->addTab(chartPage("tsForplanSoyler", imgSupply, true), T(kRpBehovOgIndhold));
  pcAnalysis->addTab(chartPage("tsNutrientContribution", imgContribution, false), T(kRpBidrag));

  QObject::connect(vlbNutrients, &QListWidget::itemActivated, q,
                   [this](QListWidgetItem* item) { NutrientInfo(vlbNutrients->row(item)); });
  QObject::connect(more, &QPushButton::clicked, q, [this] { MoreNutrients(); });
  QObject::connect(pcAnalysis, &QTabWidget::currentChanged, q, [this](int index) {
    if (updating) return;
    if (index == kInfoPage) grbNutrientInfo->hide();
    else DrawCharts();
  });
  return page;
}

QWidget* RationPage::Impl::BuildMealPage() {
  auto* page = new QWidget;
  page->setObjectName("tsMealSheet");
  auto* layout = new QVBoxLayout(page);
  auto* top = new QHBoxLayout;
  auto* timesBox = new QGroupBox(T(kFodringstider), page);
  auto* timesLayout = new QVBoxLayout(timesBox);
  auto* countRow = new QHBoxLayout;
  nfNoMeals = new QSpinBox(timesBox);
  nfNoMeals->setObjectName("nfNoMeals");
  nfNoMeals->setReadOnly(true);
  nfNoMeals->setButtonSymbols(QAbstractSpinBox::NoButtons);
  nfNoMeals->setRange(0, 99);
  auto* countLabel = new QLabel(T(kAntalFodringer) + ":", timesBox);
  countLabel->setBuddy(nfNoMeals);
  countRow->addWidget(countLabel);
  countRow->addWidget(nfNoMeals);
  countRow->addStretch();
  timesLayout->addLayout(countRow);
  otMealTimes = new QTableWidget(0, 2, timesBox);
  otMealTimes->setObjectName("otMealTimes");
  otMealTimes->setHorizontalHeaderLabels({T(kFodring) + " " + T(kNr), T(kTid)});
  otMealTimes->verticalHeader()->hide();
  otMealTimes->setEditTriggers(QAbstractItemView::NoEditTriggers);
  otMealTimes->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  otMealTimes->setFixedWidth(190);
  timesLayout->addWidget(otMealTimes);
  top->addWidget(timesBox, 0, Qt::AlignTop);

  gbMeals = new QGroupBox(T(kRpRationstildeling), page);
  gbMeals->setObjectName("gbMeals");
  auto* meals = new QVBoxLayout(gbMeals);
  auto* sheetRow = new QHBoxLayout;
  otMealSheet = new QTableWidget(0, 2, gbMeals);
  otMealSheet->setObjectName("otMealSheet");
  otMealSheet->verticalHeader()->hide();
  otMealSheet->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  otMealSheet->setSelectionMode(QAbstractItemView::SingleSelection);
  otMealSheet->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked);
  sheetRow->addWidget(otMealSheet, 1);
  sheetRow->addWidget(new Spinner("OvcSpinner1", gbMeals, [this](bool up) { MealCommand(up ? 3 : 4); }), 0,
                      Qt::AlignTop);
  meals->addLayout(sheetRow);
  auto* buttons = new QHBoxLayout;
  btnFordelLikt = Button(T(kFordelLige), "btnFordelLikt", gbMeals);
  btnGiResten = Button(T(kGivResten), "btnGiResten", gbMeals);
  auto* reset = Button(T(kNulstil), "btnNullstill", gbMeals);
  auto* show = Button(T(kVis) + " " + T(kRationstildeling), "btnShowWB", gbMeals);
  auto* print = Button(T(kPrint), "btnPrintMealChart", gbMeals);
  for (QPushButton* b : {btnFordelLikt, btnGiResten, reset}) buttons->addWidget(b);
  buttons->addStretch();
  buttons->addWidget(show);
  buttons->addWidget(print);
  meals->addLayout(buttons);
  top->addWidget(gbMeals, 1);
  layout->addLayout(top);

  auto* area = new QScrollArea(page);
  area->setBackgroundRole(QPalette::Base);
  imgMealChart = new QLabel;
  imgMealChart->setObjectName("imgMealChart");
  area->setWidget(imgMealChart);
  layout->addWidget(area, 1);

  QObject::connect(otMealSheet, &QTableWidget::itemChanged, q, [this](QTableWidgetItem* item) { MealEdited(item); });
  for (bool up : {true, false}) {
    auto* key = new QShortcut(QKeySequence(up ? Qt::CTRL | Qt::Key_Up : Qt::CTRL | Qt::Key_Down), otMealSheet);
    key->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(key, &QShortcut::activated, q, [this, up] { MealCommand(up ? 3 : 4); });
  }
  QObject::connect(otMealSheet, &QTableWidget::currentCellChanged, q, [this] { UpdateMealButtons(); });
  QObject::connect(btnFordelLikt, &QPushButton::clicked, q, [this] { MealCommand(0); });
  QObject::connect(btnGiResten, &QPushButton::clicked, q, [this] { MealCommand(1); });
  QObject::connect(reset, &QPushButton::clicked, q, [this] { MealCommand(2); });
  QObject::connect(show, &QPushButton::clicked, q, [this] { ShowMealChart(); });
  QObject::connect(print, &QPushButton::clicked, q, [this] { PrintMealChartCommand(); });
  return page;
}

// ==================================================================== tab and pages

void RationPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The horse window refreshes the tab when it becomes active; when it does not (the tab
  // was active when the window opened), the tab's entry step runs once the page is shown.
  QTimer::singleShot(0, this, [this] {
    if (isVisible() && !impl_->tabEntered) impl_->EnterTab();
  });
}

void RationPage::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!isVisible()) impl_->tabEntered = false;
}

void RationPage::Refresh() {
  Impl& d = *impl_;
  if (!isVisible()) {
    d.ApplyVisibility();
    return;
  }
  if (!d.tabEntered) d.EnterTab();
  else d.EnterActivePage();
}

void RationPage::TakeDataIntoRecord() {
  Impl& d = *impl_;
  // An amount, price or meal still being typed belongs to the record too: moving the focus
  // off the editor makes the table commit it.
  for (QAbstractItemView* t : std::initializer_list<QAbstractItemView*>{d.otAllocations, d.otRation, d.otMealSheet}) {
    QWidget* focus = QApplication::focusWidget();
    if (focus && t->viewport()->isAncestorOf(focus)) t->setFocus();
  }
}

void RationPage::Impl::EnterTab() {
  tabEntered = true;
  TForListe& ration = Ration();
  if (!selection) {
    selection = StableList();
    otherListMode = false;
    if (selection) selection->UnpickAll();
  }
  grbForValg->hide();
  FillChosenList();
  if (selection) {
    for (const auto& f : selection->Feeds())
      for (const auto& r : ration.Feeds())
        if (r->Valgt && r->Fornavn == f->Fornavn) f->Valgt = true;
    std::vector<std::string> missing = FlagFeedsMissingFrom(ration, *selection);
    // Ask once per window about the same feeds: a "No" is remembered.
    std::erase_if(missing, [&](const std::string& n) { return declinedMissing.count(n) > 0; });
    if (!missing.empty() && selection == StableList()) {
      if (Confirm(MissingFeedsQuestion(missing))) {
        for (const auto& r : ration.Feeds()) r->Valgt = std::find(missing.begin(), missing.end(), r->Fornavn) != missing.end();
        TakeOverFlaggedFeeds(*selection, ration);
        std::string error;
        if (!horse.stable->Save(&error)) ShowError(error);
      } else {
        declinedMissing.insert(missing.begin(), missing.end());
      }
    }
  }
  ration.PickAll();
  if (selection) {
    grbForValg->setTitle(Q(selection->ForlisteNavn.empty() ? Tr(kFoderliste) : selection->ForlisteNavn));
    grbForValg->show();
    RebuildTree();
  }
  if (horse.PaBeite()) OpenGrazing();
  else gbAdjustGrazing->hide();
  ApplyVisibility();
  EnterActivePage();
}

void RationPage::Impl::PageChanged(int index) {
  if (updating) return;
  const int left = previousPage;
  previousPage = index;
  if (left == kSelectPage && index != kSelectPage && !grbForValg->isHidden()) CloseSelection(2);
  EnterActivePage();
}

void RationPage::Impl::EnterActivePage() {
  switch (pcForing->currentIndex()) {
    case kSelectPage:
      FillChosenList();
      if (selection && !grbForValg->isHidden()) RecountTree();
      break;
    case kAmountsPage:
      EnterAmounts();
      break;
    case kPlanPage:
      EnterPlan();
      break;
    case kAnalysisPage:
      EnterAnalysis();
      break;
    case kMealPage:
      EnterMeals();
      break;
  }
}

void RationPage::Impl::ApplyVisibility() {
  const RationPageVisibility v = PageVisibility(Ration(), StableMeals());
  const QSignalBlocker block(pcForing);
  const bool wasUpdating = updating;
  updating = true;
  pcForing->setTabVisible(kAmountsPage, v.amounts);
  pcForing->setTabVisible(kPlanPage, v.feedPlan);
  pcForing->setTabVisible(kAnalysisPage, v.analysis);
  pcForing->setTabVisible(kMealPage, v.mealSheet);
  updating = wasUpdating;
  // A hidden page cannot stay the current one.
  if (!pcForing->isTabVisible(pcForing->currentIndex())) {
    pcForing->setCurrentIndex(kSelectPage);
    previousPage = kSelectPage;
  }
}

// ==================================================================== selection

void RationPage::Impl::FillChosenList() {
  const QSignalBlocker block(lbHestensForliste);
  lbHestensForliste->clear();
  if (Ration().Count() == 0) {
    lbHestensForliste->addItem(T(kRpIntetFoderValgt));
    return;
  }
  for (const std::string& name : Ration().FeedNames()) lbHestensForliste->addItem(Q(name));
}

void RationPage::Impl::RebuildTree() {
  updating = true;
  tvFeeds->setUpdatesEnabled(false);
  tvFeeds->clear();
  if (selection) {
    const SelectionTree tree = BuildSelectionTree(*selection, Settings());
    auto* root = new QTreeWidgetItem(tvFeeds, {Q(CountedText(tree.rootName, tree.selected))});
    root->setData(0, Qt::UserRole + 1, Q(tree.rootName));
    for (const auto& g : tree.groups) {
      auto* group = new QTreeWidgetItem(root, {Q(CountedText(g.name, g.selected))});
      group->setData(0, Qt::UserRole + 1, Q(g.name));
      for (const auto& p : g.producers) {
        auto* producer = new QTreeWidgetItem(group, {Q(CountedText(p.name, p.selected))});
        producer->setData(0, Qt::UserRole + 1, Q(p.name));
        for (int index : p.feeds) {
          TFor* f = selection->FeedAt(index);
          auto* item = new QTreeWidgetItem(producer, {Q(f->Fornavn)});
          item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(f)));
          item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
          item->setCheckState(0, f->Valgt ? Qt::Checked : Qt::Unchecked);
          item->setToolTip(0, Q(f->FeedStatusText()));
        }
        if (p.selected > 0 || g.producers.size() == 1) producer->setExpanded(true);
      }
      group->setExpanded(true);
    }
    root->setExpanded(true);
  }
  tvFeeds->setUpdatesEnabled(true);
  updating = false;
  btnBeite->setEnabled(selection && selection->PickedGrazingCount() >= 1);
}

void RationPage::Impl::RecountTree() {
  // Counts and check marks anew without rebuilding (no flicker, the expansion stays).
  if (!selection || tvFeeds->topLevelItemCount() == 0) return;
  updating = true;
  std::function<int(QTreeWidgetItem*)> count = [&](QTreeWidgetItem* item) -> int {
    if (item->data(0, Qt::UserRole).isValid()) {
      auto* f = static_cast<TFor*>(item->data(0, Qt::UserRole).value<void*>());
      item->setCheckState(0, f->Valgt ? Qt::Checked : Qt::Unchecked);
      return f->Valgt ? 1 : 0;
    }
    int n = 0;
    for (int i = 0; i < item->childCount(); ++i) n += count(item->child(i));
    item->setText(0, Q(CountedText(L(item->data(0, Qt::UserRole + 1).toString()), n)));
    return n;
  };
  count(tvFeeds->topLevelItem(0));
  updating = false;
  btnBeite->setEnabled(selection->PickedGrazingCount() >= 1);
}

void RationPage::Impl::SetSelectionList(TForListe* list, bool other) {
  if (!list) return;
  selection = list;
  otherListMode = other;
  MarkSelectionFromRation(*selection, Ration());
  grbForValg->setTitle(Q(list->ForlisteNavn.empty() ? Tr(kFoderliste) : list->ForlisteNavn));
  RebuildTree();
  grbForValg->show();
}

void RationPage::Impl::ToggleItem(QTreeWidgetItem* item) {
  if (!selection || !item || !item->data(0, Qt::UserRole).isValid()) return;
  auto* feed = static_cast<TFor*>(item->data(0, Qt::UserRole).value<void*>());
  editor.ToggleFeed(*selection, *feed);
  FillChosenList();
  RecountTree();
  ApplyVisibility();
  emit q->Changed();
}

void RationPage::Impl::ResetSelection() {
  if (!selection) return;
  selection->UnpickAll();
  RecountTree();
  ApplyVisibility();
}

bool RationPage::Impl::CloseSelection(int how) {
  TForListe& ration = Ration();
  if (how == 0 && selection) {
    const SelectionResult result = ConfirmSelection(*selection, ration, otherListMode);
    if (result == SelectionResult::kEmptyRation) {
      FillChosenList();
      Warn(NoFeedWarning(horse.Navn));
      return false;
    }
    FillChosenList();
    if (ration.RoughageCount() == 0 && Confirm(NoRoughageQuestion(horse, Sep()))) return false;
  }
  if (how == 1) ResetSelection();
  selection = nullptr;
  lbFremmedListe->hide();
  otherListMode = false;
  grbForValg->hide();
  editor.FeedsChosen(false);
  ResetMealTables();
  ApplyVisibility();
  emit q->Changed();
  return true;
}

void RationPage::ListGoing(const TForListe& list) {
  Impl& d = *impl_;
  for (int i = d.lbFremmedListe->count() - 1; i >= 0; --i)
    if (d.lbFremmedListe->item(i)->data(Qt::UserRole).value<void*>() == &list) delete d.lbFremmedListe->takeItem(i);
  if (d.selection != &list) return;
  TForListe* own = d.StableList();
  if (own && own != &list) {
    d.lbFremmedListe->hide();
    d.SetSelectionList(own, false);
    return;
  }
  d.selection = nullptr;
  d.otherListMode = false;
  d.tvFeeds->clear();
  d.grbForValg->hide();
}

void RationPage::Impl::ChooseOtherList() {
  grbForValg->hide();
  lbFremmedListe->clear();
  if (services.workspace) {
    const TForListe* own = StableList();
    auto add = [&](TForListe* list) {
      if (!list || list == own) return;
      auto* item = new QListWidgetItem(Q(list->DisplayName()), lbFremmedListe);
      item->setData(Qt::UserRole, QVariant::fromValue(static_cast<void*>(list)));
    };
    for (const auto& l : services.workspace->FeedLists()) add(l.get());
    for (const auto& s : services.workspace->Stables()) add(s->ForListe.get());
  }
  if (lbFremmedListe->count() > 0) {
    lbFremmedListe->show();
    lbFremmedListe->setCurrentRow(0);
    lbFremmedListe->setFocus();
    otherListMode = true;
  }
}

void RationPage::Impl::RemoveChosenFeed() {
  QListWidgetItem* item = lbHestensForliste->currentItem();
  if (!item) return Inform(Tr(kVaelgFoder));
  const std::string name = L(item->text());
  if (name == Tr(kRpIntetFoderValgt)) return;
  if (!Confirm(Tr(kSlet) + " " + name)) return;
  editor.RemoveFeed(name, selection);
  FillChosenList();
  RecountTree();
  ApplyVisibility();
  emit q->Changed();
}

void RationPage::Impl::ChosenFeedInfo() {
  QListWidgetItem* item = lbHestensForliste->currentItem();
  if (!item) return;
  const std::string name = L(item->text());
  const TForListe* stable = StableList();
  if (const TFor* f = stable ? stable->FeedByName(name) : nullptr) ShowFeedInfo(*f);
  else if (name != Tr(kRpIntetFoderValgt)) Inform(Tr(kRpFoderetSavnes));
}

void RationPage::Impl::ShowFeedInfo(const TFor& feed) {
  if (services.main) services.main->ShowHtml(feed.FeedInfoPage() + PageEnd(), Q(feed.Fornavn), 1);
}

void RationPage::Impl::OpenHelp(const std::string& suffix) {
  if (services.main && Prefs()) services.main->OpenInfoPage(T(kHjaelp), Prefs()->ManualPage() + suffix);
}

void RationPage::Impl::OpenGrazing() {
  if (!GrazingAllowed(selection, Ration())) {
    gbAdjustGrazing->hide();
    Warn(Tr(kRpAfgraesningMangler));
    return;
  }
  updating = true;
  nfBeitetimer->setValue(std::clamp(horse.TimerBeiting, 0, 24));
  if (auto* b = rgrBeiteRikelighet->button(GrazingChoice(horse.Beiteinntaksfaktor))) b->setChecked(true);
  updating = false;
  gbAdjustGrazing->show();
  const GrazingLabels labels = editor.ShowGrazing(selection);
  lblGrazingDryMatter->setText(Q(labels.dryMatter));
  lblGrazingFeed->setText(Q(labels.feed));
}

void RationPage::Impl::GrazingChanged(const GrazingLabels& labels) {
  lblGrazingDryMatter->setText(Q(labels.dryMatter));
  lblGrazingFeed->setText(Q(labels.feed));
  emit q->Changed();
}

// ==================================================================== amounts

void RationPage::Impl::EnterAmounts() {
  if (!grbForValg->isHidden()) CloseSelection(2);
  Recompute();
  FillAllocations();
  const bool fed = Ration().TotalKg() > 0;
  if (fed) {
    editor.CapGrazing();
    UpdateAllocationTexts();
    DrawBalance();
    FillProfile();
  }
  imgBalance->setVisible(fed);
  gbProfile->setVisible(fed);
}

void RationPage::Impl::FillAllocations() {
  amounts->Reload();
  const int rows = amounts->rowCount();
  FitTableHeight(otAllocations, std::min(rows, 16));
  if (!otAllocations->currentIndex().isValid() && rows > 0)
    otAllocations->setCurrentIndex(amounts->index(0, AmountsModel::kAmount));
}

// The grazing cap changed an amount without an edit.
void RationPage::Impl::UpdateAllocationTexts() { amounts->EditorChanged(kRationAmounts); }

// An edit of the ration (here or on the horse window's training tab): the amounts page,
// when it is the one shown, follows at once; the others when they are entered.
void RationPage::Impl::EditorChanged(ChangeFlags changed) {
  if ((changed & (kRationAmounts | kRationFeeds)) && q->isVisible() && pcForing->currentIndex() == kAmountsPage)
    AfterAmountChange();
}

void RationPage::Impl::StepActiveAmount(bool up) {
  if (Ration().Count() == 0) return;
  int row = otAllocations->currentIndex().row();
  if (row < 0 || row >= Ration().Count()) row = 0;
  refreshTimer.start();
  editor.StepAmount(row, up);
  otAllocations->setCurrentIndex(amounts->index(row, AmountsModel::kAmount));
}

void RationPage::Impl::AfterAmountChange() {
  q->setUpdatesEnabled(false);
  const bool fed = Ration().TotalKg() > 0;
  if (fed) {
    DrawBalance();
    FillProfile();
  }
  imgBalance->setVisible(fed);
  gbProfile->setVisible(fed);
  ApplyVisibility();
  q->setUpdatesEnabled(true);
  lastRefreshMs = refreshTimer.nsecsElapsed() / 1e6;
  emit q->Changed();
}

void RationPage::Impl::DrawBalance() {
  ImageCanvas picture(kBalanceChartWidth, kBalanceChartHeight);
  DrawBalanceChart(horse, ChosenNutrients(true), Settings(), picture.canvas());
  imgBalance->setPixmap(QPixmap::fromImage(picture.Finish()));
}

void RationPage::Impl::FillProfile() {
  const DryMatterProfile p = ComputeProfile(horse);
  lblProfile->setText(Q(ProfileText(p, Reg())));
  gbProfile->setTitle(Q(VerdictText(p.verdict)));
  const bool warn = VerdictIsWarning(p.verdict);
  gbProfile->setStyleSheet(warn ? "QGroupBox#gbProfile { color: red; font-weight: bold; }"
                                : "QGroupBox#gbProfile { color: palette(window-text); font-weight: normal; }");
  pie->clear();
  QString legend;
  for (const PieSlice& s : PieSlices(p)) {
    const QString caption = Q(s.label) + " " + Q(DecimalText(s.percent, 0, Sep())) + "%";
    QPieSlice* slice = pie->append(caption, s.percent);
    slice->setColor(ToQColor(s.colour));
    slice->setLabelVisible(false);
    legend += "<p style=\"margin:2px 0\"><span style=\"color:" + ToQColor(s.colour).name() + "\">&#9632;</span> " +
              caption.toHtmlEscaped() + "</p>";
  }
  lblPieLegend->setText(legend);
}

// ==================================================================== feeding plan

void RationPage::Impl::EnterPlan() {
  priceEdited = false;
  Recompute();
  const PriceLine price = FeedPlanPriceLine(Ration().TotalPrice(), Reg());
  lblPrice->setText(Q(price.text));
  lblPrice->setStyleSheet(price.red ? "color: red;" : "");
  HorseReports reports(horse, HorseDir());
  lblCondition->setText(Q(ConditionText(reports.Tilstandslinje(), horse.AktuellVekt())));
  FillRationTable();
  FillNutrientList(vlbGetNutrientInfo);
  lblEnergySystem->setText(services.app && services.app->active
                               ? Q(services.app->active->Beskrivelse(Settings(), Sep())).replace('\r', '\n')
                               : QString());
  updating = true;
  cbNutrientErrorsInPrint->setChecked(rememberedErrorsInPrint);
  updating = false;
  simpleShown = false;
  btnSimpleRationsheet->setText(T(kSimpelFoderplan));
  WritePlan();
}

void RationPage::Impl::FillRationTable() {
  const QString cur = Q(Reg().currencySymbol);
  const std::vector<RationRow> rows = RationRows(Ration(), Sep());
  updating = true;
  const QSignalBlocker block(otRation);
  otRation->setHorizontalHeaderLabels({T(kFeedNameHeader), cur + "/d", cur + "/kg"});
  const bool sameRows = otRation->rowCount() == static_cast<int>(rows.size());
  if (!sameRows) otRation->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const RationRow& row = rows[static_cast<size_t>(r)];
    if (!sameRows || !otRation->item(r, 0)) {
      otRation->setItem(r, 0, ReadOnlyItem(Q(row.feed)));
      otRation->setItem(r, 1, ReadOnlyItem(Q(row.pricePerDay), Qt::AlignCenter));
      otRation->setItem(r, 2, EditableItem(Q(row.pricePerKg)));
    } else {
      otRation->item(r, 0)->setText(Q(row.feed));
      otRation->item(r, 1)->setText(Q(row.pricePerDay));
      otRation->item(r, 2)->setText(Q(row.pricePerKg));
    }
  }
  FitTableHeight(otRation, rows.size() <= 4 ? static_cast<int>(rows.size()) : 6);
  updating = false;
}

void RationPage::Impl::PriceEdited(QTableWidgetItem* item) {
  if (updating || item->column() != 2) return;
  TFor* f = Ration().FeedAt(item->row());
  if (!f) return;
  const std::optional<double> price = ParsePrice(L(item->text()));
  if (!price) {
    const QSignalBlocker block(otRation);
    item->setText(Q(FormatMoney(f->Pris, 2, Sep())));
    QApplication::beep();
    return;
  }
  if (!editor.SetPrice(item->row(), *price)) return;
  EnterPlan();
  priceEdited = true;
  emit q->Changed();
}

void RationPage::Impl::FillNutrientList(QListWidget* list) {
  nutrientLines = NutrientLines(horse, Settings());
  list->setUpdatesEnabled(false);
  if (list->count() != static_cast<int>(nutrientLines.size())) {
    list->clear();
    for (size_t i = 0; i < nutrientLines.size(); ++i) list->addItem(QString());
  }
  for (int i = 0; i < list->count(); ++i) {
    QListWidgetItem* item = list->item(i);
    item->setText(Q(nutrientLines[static_cast<size_t>(i)].text));
    item->setForeground(nutrientLines[static_cast<size_t>(i)].flagged ? QColor(Qt::red) : QColor(Qt::black));
    item->setBackground(Qt::white);
  }
  list->setUpdatesEnabled(true);
}

void RationPage::Impl::WritePlan() {
  HorseReports reports(horse, HorseDir());
  shownPlan = reports.LagFoderplan(rememberedErrorsInPrint);
  std::string error;
  const std::filesystem::path file = reports.Skriv(kFeedPlanReport, shownPlan, &error);
  if (file.empty() && !error.empty()) ShowError(error);
  wbForplan->ShowReport(shownPlan, HorseDir());
}

void RationPage::Impl::ToggleSimple() {
  HorseReports reports(horse, HorseDir());
  if (!simpleShown) {
    shownPlan = reports.LagSimpelFoderplan();
    std::string error;
    if (reports.Skriv(kSimpleFeedPlanReport, shownPlan, &error).empty() && !error.empty()) ShowError(error);
    wbForplan->ShowReport(shownPlan, HorseDir());
    btnSimpleRationsheet->setText(T(kFoderplan));
    simpleShown = true;
  } else {
    WritePlan();
    btnSimpleRationsheet->setText(T(kSimpelFoderplan));
    simpleShown = false;
  }
}

void RationPage::Impl::AddComments() {
  horse.rationComment.clear();
  const std::optional<QStringList> lines = Ask().AskMemo(T(kKommentarer));
  if (lines) {
    std::string comments;
    for (const QString& line : *lines) comments += L(line) + "<br>";
    horse.rationComment = comments;
  }
  simpleShown = false;
  btnSimpleRationsheet->setText(T(kSimpelFoderplan));
  WritePlan();
}

void RationPage::Impl::ClearComments() {
  horse.rationComment.clear();
  simpleShown = false;
  btnSimpleRationsheet->setText(T(kSimpelFoderplan));
  WritePlan();
}

const std::string& RationPage::Impl::PlanForOutput() {
  if (shownPlan.empty()) WritePlan();
  return shownPlan;
}

std::filesystem::path RationPage::Impl::WritePlanFile(bool simple, bool comments) {
  HorseReports reports(horse, HorseDir());
  std::string error;
  const std::filesystem::path file = simple ? reports.SkrivSimpelFoderplan(&error) : reports.SkrivFoderplan(comments, &error);
  if (file.empty()) ShowError(error.empty() ? Tr(kKunneIkkeDannes) : error);
  return file;
}

bool RationPage::Impl::PreparePrinter(QPrinter& printer) {
  printer.setDocName(Q(horse.Navn));
  return Ask().SetupPrinter(printer);
}

void RationPage::Impl::PrintPlan() {
  QPrinter printer(QPrinter::HighResolution);
  if (!PreparePrinter(printer)) return;
  wbForplan->document()->print(&printer);
}

void RationPage::Impl::CopyPlan() {
  CopyHtmlToClipboard(PlanForOutput());
}

void RationPage::Impl::Store(int kind, const std::string& html, const std::string& word) {
  const std::string proposed = HorseReportFileName(horse, kind);
  const std::optional<QString> entered =
      Ask().Describe(Q(StoreCaption()), StoreExplanation(proposed));
  if (!entered) return;
  const std::string name = StoredFileName(proposed, L(*entered));
  std::string dirError;
  const std::filesystem::path dir = HorseReportPath(HorseDir(), horse, kind, &dirError).parent_path();
  if (!dirError.empty()) ShowError(dirError);
  QString start = Q(PathText(dir / PathFromText(name)));
  for (;;) {
    const QString chosen = Ask().SaveFileName(Q(StoreDialogTitle(word, horse.Navn)), start, "HTML files (*.htm)");
    if (chosen.isEmpty()) return;
    const std::filesystem::path target = PathFromText(WithHtmExtension(L(chosen)));
    std::error_code ec;
    if (std::filesystem::exists(target, ec)) {
      const Prompts::Answer answer = Ask().AskOverwrite(OverwriteQuestion(PathText(target)));
      if (answer == Prompts::Answer::kRetry) {
        start = chosen;
        continue;
      }
      if (answer != Prompts::Answer::kYes) return;
    }
    if (!WriteReportFile(target, EscapeNationalLetters(html))) ShowError(Tr(kKunneIkkeDannes) + " " + PathText(target));
    return;
  }
}

void RationPage::Impl::StorePlan() { Store(simpleShown ? kSimpleFeedPlanReport : kFeedPlanReport, PlanForOutput(), Tr(kFoderplanLower)); }

void RationPage::Impl::SendMail(const std::string& subject, const std::vector<std::filesystem::path>& files) {
  Ask().Mail(subject, files);
}

void RationPage::Impl::MailPlan() {
  const std::filesystem::path file = WritePlanFile(simpleShown, ErrorsInPrintPreference());
  if (!file.empty()) SendMail(horse.Navn, {file});
}

void RationPage::Impl::AddRationToDiary() {
  HorseReports reports(horse, HorseDir());
  StringList lines;
  reports.Rasjonslinjer(lines);
  QStringList out;
  for (const std::string& l : lines) out << Q(l);
  if (!out.isEmpty()) emit q->AddToDiary(out);
}

// ==================================================================== analysis

void RationPage::Impl::EnterAnalysis() {
  Recompute();
  DrawCharts();
  grbNutrientInfo->setTitle(T(kVaelgNaeringsstof));
  FillNutrientList(vlbNutrients);
  grbNutrientInfo->hide();
}

std::string RationPage::Impl::ChartName(bool supply) const {
  return (supply ? Tr(kRpBehovOgIndhold) : Tr(kRpBidrag)) + ": " + horse.Navn + " " +
         Reg().FormatShortDate(horse.env->Today());
}

void RationPage::Impl::DrawCharts() {
  const std::array<bool, kNutrientCount> shown = ChosenNutrients(false);
  ChartSize size;
  int minContribution = 0;
  {
    ImageCanvas measure(1, 1);
    size = SupplyChartSize(measure.canvas(), shown, Settings());
    minContribution = ContributionChartMinWidth(measure.canvas(), shown, Settings());
  }
  ImageCanvas supply(size.width, size.height);
  DrawSupplyChart(horse, shown, Settings(), ChartName(true), supply.canvas());
  supplyImage = supply.Finish();
  imgSupply->setPixmap(QPixmap::fromImage(supplyImage));
  imgSupply->resize(supplyImage.size());

  const int width = std::max(minContribution, contributionArea->viewport()->width() - 4);
  ImageCanvas contribution(width, kContributionChartHeight);
  DrawContributionChart(horse, shown, Settings(), ChartName(false), Sep(), contribution.canvas());
  contributionImage = contribution.Finish();
  imgContribution->setPixmap(QPixmap::fromImage(contributionImage));
  imgContribution->resize(contributionImage.size());
}

std::optional<std::string> RationPage::Impl::AdviceText() {
  const std::filesystem::path file = Prefs() ? Prefs()->FeedInfoFile() : std::filesystem::path();
  if (auto text = file.empty() ? std::nullopt : ReadWholeFile(file)) return text;
  Inform(Tr(kRpFinderIkke) + " " + PathText(file));
  return std::nullopt;
}

void RationPage::Impl::NutrientInfo(int line) {
  if (line < 0 || line >= kNutrientCount - 1) return;
  const int nutrient = NutrientOfLine(line);
  std::string advice;
  if (NeedsAdvice(horse, nutrient)) {
    const std::optional<std::string> text = AdviceText();
    if (!text) return;
    advice = *text;
  }
  grbNutrientInfo->setTitle(Q(Settings().NutrientName(nutrient)));
  const std::string page = NutrientInfoPage(horse, nutrient, Settings(), advice, Sep());
  const std::filesystem::path file = TempDir() / "nutrientinfo.html";
  WriteReportFile(file, page);
  wbNutrientInfo->ShowReport(page, TempDir());
  grbNutrientInfo->show();
}

void RationPage::Impl::MoreNutrients() {
  const std::optional<std::string> text = AdviceText();
  if (!text) return;
  grbNutrientInfo->setTitle(T(kRpAndreStoffer));
  const std::string page = MoreNutrientsPage(*text);
  WriteReportFile(TempDir() / "nutrientinfo.html", page);
  wbNutrientInfo->ShowReport(page, TempDir());
  grbNutrientInfo->show();
}

void RationPage::Impl::PrintCharts() {
  if (supplyImage.isNull()) DrawCharts();
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Portrait);
  if (!PreparePrinter(printer)) return;
  QPainter painter;
  if (!painter.begin(&printer)) return;
  const QRect page = painter.viewport();
  const ChartPrintLayout l = LayoutChartPage(page.width(), page.height(), {supplyImage.width(), supplyImage.height()},
                                             {contributionImage.width(), contributionImage.height()});
  QFont font("Arial");
  font.setPixelSize(std::max(l.fontHeight, 1));
  painter.setFont(font);
  painter.setPen(QPen(Qt::black, std::max(1, page.width() / 1000)));
  auto band = [&](const PrintBox& b, int headingY, const QString& text) {
    const QRect r(b.x1, b.y1, b.x2 - b.x1, b.y2 - b.y1);
    painter.drawRect(r);
    painter.drawText(QRect(r.left(), headingY - l.fontHeight / 2, r.width(), l.fontHeight * 2),
                     Qt::AlignHCenter | Qt::AlignTop, text);
  };
  band(l.supplyBand, l.supplyHeadingY, Q(horse.Navn + " - " + Tr(kRpBehovOgIndhold)));
  painter.drawImage(QRect(l.supplyChart.x1, l.supplyChart.y1, l.supplyChart.x2 - l.supplyChart.x1,
                          l.supplyChart.y2 - l.supplyChart.y1),
                    supplyImage);
  band(l.contributionBand, l.contributionHeadingY, Q(horse.Navn + " - " + Tr(kRpBidrag)));
  painter.drawImage(QRect(l.contributionChart.x1, l.contributionChart.y1, l.contributionChart.x2 - l.contributionChart.x1,
                          l.contributionChart.y2 - l.contributionChart.y1),
                    contributionImage);
  painter.end();
}

void RationPage::Impl::CopyChart(bool supply) {
  if (supplyImage.isNull()) DrawCharts();
  QApplication::clipboard()->setImage(supply ? supplyImage : contributionImage);
}

void RationPage::Impl::SaveChart(bool supply) {
  if (supplyImage.isNull()) DrawCharts();
  const std::string name = ChartFileName(supply ? "NutrientSupply_" : "NutrientContribution_", horse.Navn, Reg(),
                                         horse.env->Today());
  std::error_code ec;
  std::filesystem::create_directories(HorseDir(), ec);
  const QString chosen = Ask().SaveFileName(T(kGem), Q(PathText(HorseDir() / PathFromText(name))), "JPEG (*.jpg)");
  if (chosen.isEmpty()) return;
  const std::filesystem::path target = PathFromText(L(chosen));
  if (!WriteJpeg(supply ? supplyImage : contributionImage, target)) ShowError(Tr(kKunneIkkeDannes) + " " + PathText(target));
}

void RationPage::Impl::MailChart(bool supply) {
  if (supplyImage.isNull()) DrawCharts();
  const std::filesystem::path target =
      TempDir() / PathFromText(ChartFileName(supply ? "NutrientSupply_" : "NutrientContribution_", horse.Navn, Reg(),
                                             horse.env->Today()));
  if (!WriteJpeg(supply ? supplyImage : contributionImage, target)) {
    ShowError(Tr(kKunneIkkeDannes) + " " + PathText(target));
    return;
  }
  SendMail(std::string(), {target});
}

// ==================================================================== meal sheet

void RationPage::Impl::EnterMeals() {
  if (editor.PrepareMeals(StableMeals(), horse.stable ? horse.stable->SFTider : horse.HFTider)) emit q->Changed();
  FillMealTables();
}

void RationPage::Impl::ResetMealTables() {
  const QSignalBlocker block(otMealSheet);
  otMealSheet->setRowCount(std::min(otMealSheet->rowCount(), 1));
}

void RationPage::Impl::FillMealTables() {
  const int meals = SheetMeals(horse);
  const std::vector<std::string> times = MealTimeTexts(horse);
  nfNoMeals->setValue(horse.HestNoMeals);
  otMealTimes->setRowCount(meals);
  for (int i = 0; i < meals; ++i) {
    otMealTimes->setItem(i, 0, ReadOnlyItem(QString::number(i + 1), Qt::AlignCenter));
    otMealTimes->setItem(i, 1, ReadOnlyItem(Q(times[static_cast<size_t>(i)]), Qt::AlignCenter));
  }
  otMealTimes->setVisible(meals > 0);
  FitTableHeight(otMealTimes, std::min(meals, 10));
  gbMeals->setVisible(meals > 0);

  updating = true;
  const QSignalBlocker block(otMealSheet);
  otMealSheet->setUpdatesEnabled(false);
  otMealSheet->setColumnCount(2 + meals);
  QStringList headers{T(kFeedNameHeader), T(kIkkeFordelt)};
  for (int i = 0; i < meals; ++i) headers << Q(MealHeader(i));
  otMealSheet->setHorizontalHeaderLabels(headers);
  for (int c = 2; c < 2 + meals; ++c) {
    otMealSheet->setColumnWidth(c, 80);
    otMealSheet->setItemDelegateForColumn(c, new NumberDelegate(5, 1, otMealSheet));
  }
  otMealSheet->setColumnWidth(1, 90);
  const int rows = Ration().Count();
  otMealSheet->setRowCount(rows);
  for (int r = 0; r < rows; ++r) {
    otMealSheet->setItem(r, 0, ReadOnlyItem(Q(Ration().FeedAt(r)->Fornavn)));
    otMealSheet->setItem(r, 1, ReadOnlyItem(QString(), Qt::AlignRight | Qt::AlignVCenter));
    for (int c = 0; c < meals; ++c) otMealSheet->setItem(r, 2 + c, EditableItem(QString()));
    UpdateMealRow(r);
  }
  FitTableHeight(otMealSheet, rows <= 8 ? rows : 10);
  otMealSheet->setUpdatesEnabled(true);
  updating = false;
  if (rows > 0 && meals > 0 && otMealSheet->currentRow() < 0) otMealSheet->setCurrentCell(0, 2);
  UpdateMealButtons();
  imgMealChart->clear();
}

void RationPage::Impl::UpdateMealRow(int row) {
  const TFor* f = Ration().FeedAt(row);
  if (!f) return;
  const QSignalBlocker block(otMealSheet);
  if (QTableWidgetItem* rest = otMealSheet->item(row, 1)) rest->setText(Q(UndistributedText(*f, Sep())));
  for (int c = 0; c < SheetMeals(horse); ++c)
    if (QTableWidgetItem* cell = otMealSheet->item(row, 2 + c)) cell->setText(Q(MealCellText(*f, c, Sep())));
}

TFor* RationPage::Impl::ActiveMealFeed(int* meal) {
  const int row = otMealSheet->currentRow();
  if (meal) *meal = std::max(otMealSheet->currentColumn() - 2, 0);
  return row >= 0 ? Ration().FeedAt(row) : nullptr;
}

void RationPage::Impl::MealEdited(QTableWidgetItem* item) {
  if (updating || item->column() < 2) return;
  TFor* f = Ration().FeedAt(item->row());
  if (!f) return;
  const std::optional<double> kg = ParseMealCell(L(item->text()), *f);
  if (kg) editor.SetMealAmount(item->row(), item->column() - 2, *kg);
  else QApplication::beep();
  UpdateMealRow(item->row());
  UpdateMealButtons();
  emit q->Changed();
}

void RationPage::Impl::MealCommand(int which) {
  int meal = 0;
  TFor* f = ActiveMealFeed(&meal);
  if (!f) return;
  const int row = otMealSheet->currentRow();
  switch (which) {
    case 0:
      editor.DistributeEvenly(row);
      break;
    case 1:
      editor.GiveRest(row, meal);
      break;
    case 2:
      editor.ResetMeals(row);
      break;
    default:
      editor.StepMeal(row, meal, which == 3);
  }
  UpdateMealRow(row);
  // After sharing out, the next feed is the one to work on.
  if ((which == 0 || which == 1) && otMealSheet->rowCount() > 0)
    otMealSheet->setCurrentCell((row + 1) % otMealSheet->rowCount(), otMealSheet->currentColumn());
  UpdateMealButtons();
  emit q->Changed();
}

void RationPage::Impl::UpdateMealButtons() {
  const TFor* f = ActiveMealFeed(nullptr);
  const bool rest = f && f->UndistributedRemainder > 0;
  btnFordelLikt->setEnabled(rest);
  btnGiResten->setEnabled(rest);
}

void RationPage::Impl::ShowMealChart() {
  const QSize size = imgMealChart->parentWidget() ? imgMealChart->parentWidget()->size() : QSize(800, 500);
  const QImage image = MealChartImage(horse, std::max(size.width() - 4, 400), std::max(size.height() - 4, 250));
  imgMealChart->setPixmap(QPixmap::fromImage(image));
  imgMealChart->resize(image.size());
}

void RationPage::Impl::PrintMealChartCommand() {
  ShowMealChart();
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  if (!PreparePrinter(printer)) return;
  if (!PrintMealChart(horse, printer)) ShowError(Tr(kKunneIkkeDannes));
}

// ==================================================================== commands

void RationPage::ShowSelectionPage() { impl_->pcForing->setCurrentIndex(kSelectPage); }

void RationPage::ShowAmountsPage() {
  impl_->ApplyVisibility();
  if (impl_->pcForing->isTabVisible(kAmountsPage)) impl_->pcForing->setCurrentIndex(kAmountsPage);
}

void RationPage::ShowFeedPlanPage() {
  impl_->ApplyVisibility();
  if (impl_->pcForing->isTabVisible(kPlanPage)) impl_->pcForing->setCurrentIndex(kPlanPage);
}

void RationPage::SaveFeedPlanAs() {
  Impl& d = *impl_;
  d.Recompute();
  HorseReports reports(d.horse, d.HorseDir());
  const std::string plan = reports.LagFoderplan(d.rememberedErrorsInPrint);
  const QString name = Q(PathText(d.HorseDir() / PathFromText(HorseReportFileName(d.horse, kFeedPlanReport))));
  const QString chosen = d.Ask().SaveFileName(T(rationui::kGemFoderplanfil), name, "*.htm");
  if (chosen.isEmpty()) return;
  const std::filesystem::path target = PathFromText(WithHtmExtension(L(chosen)));
  if (!WriteReportFile(target, EscapeNationalLetters(plan))) d.ShowError(Tr(kKunneIkkeDannes) + " " + PathText(target));
}

void RationPage::MailFeedPlan() { impl_->MailPlan(); }

void RationPage::ResetAmounts() {
  impl_->editor.ResetAmounts();
  emit Changed();
  ShowAmountsPage();
  impl_->EnterActivePage();
}

void RationPage::ResetChosenFeeds() {
  impl_->editor.ResetChosenFeeds();
  impl_->FillChosenList();
  impl_->ApplyVisibility();
  emit Changed();
  ShowSelectionPage();
}

bool RationPage::CanResetAmounts() const { return impl_->Ration().TotalKg() > 0; }
bool RationPage::CanResetChosenFeeds() const { return impl_->Ration().Count() > 0; }

void RationPage::StartGrazing() {
  Impl& d = *impl_;
  ShowSelectionPage();
  if (!d.selection) d.SetSelectionList(d.StableList(), false);
  d.OpenGrazing();
  if (d.gbAdjustGrazing->isVisible()) d.nfBeitetimer->setFocus();
}

void RationPage::OpenRoughageWizard() {
  Impl& d = *impl_;
  TForListe* source = d.selection ? d.selection : d.StableList();
  if (!source) return;
  RoughageWizard wizard(*source, d.horse, &d.Ask(), this);
  wizard.openHelp = [this](const std::string& page) {
    Impl& d = *impl_;
    if (d.services.main && d.Prefs()) d.services.main->OpenInfoPage(T(rationui::kHjaelp), d.Prefs()->LinkPage(page));
  };
  d.Ask().RunDialog(wizard);
  if (!wizard.Applied()) return;
  d.editor.FeedsChosen(true);
  if (d.selection) {
    MarkSelectionFromRation(*d.selection, d.Ration());
    d.RecountTree();
  }
  d.FillChosenList();
  d.ApplyVisibility();
  emit Changed();
  const bool grazing = wizard.Choice().CheckedPastures() == 1 && d.Confirm(Tr(kRwGaarPaaGraes));
  d.EnterActivePage();
  if (grazing) StartGrazing();
}

}  // namespace stallora
