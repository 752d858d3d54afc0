#include "ui/requirements/requirementwindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "core/fileio.h"
#include "render/qttext.h"
#include "stable/workspace.h"
#include "ui/appwindows.h"
#include "ui/mainwindow.h"
#include "ui/models/formulasmodel.h"
#include "ui/widgets/spinner.h"

namespace stallora {

RequirementWindow::RequirementWindow(Services& services, QWidget* parent) : QDialog(parent), services_(services) {
  setObjectName("frmUttr_Child");
  AppContext& app = *services.app;
  editor_ = std::make_unique<RequirementEditor>(*app.requirements, app.settings, app.regional, services.workspace,
                                                app.preferences.RequirementListFile());
  relay_ = new EditorRelay(*editor_, this);
  formulas_ = new FormulasModel(*editor_, this);
  formulas_->refused = [this](const std::string& m) { services_.prompts->Error(m); };

  lblObjectNo_ = new QLabel(this);
  lblObjectNo_->setObjectName("lblObjectNo");
  cbNutrient_ = new QComboBox(this);
  cbNutrient_->setObjectName("cbNutrient");
  auto* spinner = new Spinner("OvcSpinner1", this, [this](bool up) { up ? editor_->Previous() : editor_->Next(); });
  spinner->setToolTip(Q(Tr(kUtSpinnerHint)));

  otUttrykk_ = new QTableView(this);
  otUttrykk_->setObjectName("otUttrykk");
  otUttrykk_->setModel(formulas_);
  otUttrykk_->setWordWrap(true);
  otUttrykk_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  otUttrykk_->setColumnWidth(0, 100);
  otUttrykk_->horizontalHeader()->setStretchLastSection(true);

  auto* lblCodewords = new QLabel(Q(Tr(kUtCodewords)), this);
  lblCodewords->setObjectName("lblCodewords");
  lbVariables_ = new QListWidget(this);
  lbVariables_->setObjectName("lbVariables");
  for (const std::string& line : RequirementEditor::HelpLines()) lbVariables_->addItem(Q(line));

  auto* lblSelectHorse = new QLabel(Q(Tr(kUtSelectHorse)), this);
  lblSelectHorse->setObjectName("lblSelectHorse");
  cbSelectHorse_ = new QComboBox(this);
  cbSelectHorse_->setObjectName("cbSelectHorse");
  auto* btnTest = new QPushButton(Q(Tr(kUtTestOne)), this);
  btnTest->setObjectName("btnTest");
  edResult_ = new QLineEdit(this);
  edResult_->setObjectName("edResult");
  edResult_->setReadOnly(true);
  auto* btnTestAll = new QPushButton(Q(Tr(kUtTestAll)), this);
  btnTestAll->setObjectName("btnTestAll");
  lbMessages_ = new QListWidget(this);
  lbMessages_->setObjectName("lbMessages");
  auto* btnSaveList = new QPushButton(Q(Tr(kUtSaveList)), this);
  btnSaveList->setObjectName("btnSaveList");

  auto* top = new QHBoxLayout;
  top->addWidget(cbNutrient_, 1);
  top->addWidget(spinner);
  top->addWidget(lblObjectNo_, 2);
  auto* side = new QVBoxLayout;
  side->addWidget(lblCodewords);
  side->addWidget(lbVariables_, 1);
  side->addWidget(lblSelectHorse);
  side->addWidget(cbSelectHorse_);
  side->addWidget(btnTest);
  side->addWidget(edResult_);
  side->addWidget(btnTestAll);
  side->addWidget(lbMessages_, 1);
  side->addWidget(btnSaveList);
  auto* grid = new QGridLayout(this);
  grid->addLayout(top, 0, 0);
  grid->addWidget(otUttrykk_, 1, 0);
  grid->addLayout(side, 0, 1, 2, 1);
  grid->setColumnStretch(0, 3);
  grid->setColumnStretch(1, 1);
  resize(1100, 600);

  connect(relay_, &EditorRelay::Changed, this, &RequirementWindow::Repaint);
  connect(cbNutrient_, qOverload<int>(&QComboBox::activated), this, [this](int i) { editor_->SelectObject(i); });
  connect(cbSelectHorse_, qOverload<int>(&QComboBox::activated), this, [this](int i) { editor_->ChooseHorse(i); });
  connect(btnTest, &QPushButton::clicked, this, &RequirementWindow::TestOne);
  connect(btnTestAll, &QPushButton::clicked, this, [this] { editor_->TestAll(); });
  connect(btnSaveList, &QPushButton::clicked, this, &RequirementWindow::SaveList);
  connect(lbMessages_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { editor_->MessageChosen(lbMessages_->row(item)); });
  connect(lbMessages_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) lbMessages_->setToolTip(Q(editor_->MessageDetail(row)));
  });
}

RequirementWindow::~RequirementWindow() = default;

void RequirementWindow::ShowList() {
  // Shown first, so the rows are measured at the table's real width.
  show();
  raise();
  activateWindow();
  editor_->Show();
}

void RequirementWindow::Repaint(unsigned changed) {
  formulas_->EditorChanged(changed);
  // Rows as high as their wrapped formula, measured once the columns have their widths.
  if (changed & (kUtObject | kUtFormula)) otUttrykk_->resizeRowsToContents();
  if (changed & kUtObject) {
    setWindowTitle(Q(editor_->Caption()));
    lblObjectNo_->setText(Q(editor_->ObjectLabel()));
    const QSignalBlocker block(cbNutrient_);
    if (cbNutrient_->count() != editor_->Count()) {
      cbNutrient_->clear();
      for (const std::string& n : editor_->NutrientNames()) cbNutrient_->addItem(Q(n));
    }
    cbNutrient_->setCurrentIndex(editor_->Current());
  }
  if (changed & kUtHorses) {
    const QSignalBlocker block(cbSelectHorse_);
    cbSelectHorse_->clear();
    for (const std::string& h : editor_->HorseEntries()) cbSelectHorse_->addItem(Q(h));
    cbSelectHorse_->setCurrentIndex(editor_->SelectedHorse());
  }
  if (changed & kUtResult) edResult_->setText(Q(editor_->Result()));
  if (changed & kUtMessages) {
    lbMessages_->clear();
    for (const std::string& m : editor_->Messages()) lbMessages_->addItem(Q(m));
  }
}

void RequirementWindow::TestOne() {
  edResult_->clear();
  // An edit in progress is ended first (its editor commits when it loses the focus), so the
  // test sees what was typed.
  if (QWidget* typing = QApplication::focusWidget(); typing && otUttrykk_->isAncestorOf(typing)) {
    otUttrykk_->setFocus();
    QApplication::processEvents();
  }
  const int row = otUttrykk_->currentIndex().isValid() ? otUttrykk_->currentIndex().row() : 0;
  const RuleTest test = editor_->TestOne(row);
  if (!test.ok) services_.prompts->Error(test.message);
}

void RequirementWindow::SaveList() {
  if (auto question = editor_->SaveQuestion())
    if (!services_.prompts->YesNoDefaultNo(*question)) return;
  if (auto problem = editor_->Save())
    services_.prompts->Error(*problem);
  else
    services_.prompts->Inform(Tr(kUtSaved) + " " + PathText(services_.app->preferences.RequirementListFile()));
}

void RegisterRequirementWindow(MainWindow& main) {
  MainWindow* m = &main;
  auto window = std::make_shared<QPointer<RequirementWindow>>();
  main.Windows().requirementEditor = [m, window](QWidget*) {
    if (!*window) *window = new RequirementWindow(m->services(), m);
    (*window)->ShowList();
  };
  if (auto* button = main.findChild<QAction*>("actBehovsEdit")) button->setEnabled(true);
  main.recordGoingWatchers.push_back([window](const Record& r) {
    if (*window) (*window)->RecordGoing(r);
  });
}

}  // namespace stallora
