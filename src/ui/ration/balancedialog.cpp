#include "ui/ration/balancedialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

#include "forms/balance_texts.h"
#include "forms/stable_texts.h"
#include "ration/optimizer_texts.h"
#include "stable/stall.h"
#include "ui/models/balancemodels.h"
#include "ui/qtext.h"

namespace stallora {
namespace {

QTableView* Table(const char* name, QAbstractItemModel* model, QWidget* parent) {
  auto* table = new QTableView(parent);
  table->setObjectName(name);
  table->setModel(model);
  table->verticalHeader()->hide();
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
  table->setMinimumHeight(6 * (table->fontMetrics().height() + 8));
  table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  for (int c = 1; c < model->columnCount(); ++c)
    table->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  return table;
}

QPushButton* Button(const Text& text, const char* name, QWidget* parent) {
  auto* b = new QPushButton(T(text), parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

BalanceDialog::BalanceDialog(BalanceForm& form, Prompts& prompts, QWidget* parent)
    : QDialog(parent), form_(form), prompts_(prompts) {
  setObjectName("frmBalance");
  setWindowTitle(Q(form_.Horse().Navn + ": " + Tr(kBalCommand)));
  Build();
  Show(~0u);
}

BalanceDialog::~BalanceDialog() = default;

void BalanceDialog::Build() {
  relay_ = new EditorRelay(form_, this);
  candidates_ = new BalanceCandidatesModel(form_, this);
  preview_ = new BalancePreviewModel(form_, this);
  connect(relay_, &EditorRelay::Changed, candidates_, &BalanceCandidatesModel::EditorChanged);
  connect(relay_, &EditorRelay::Changed, preview_, &BalancePreviewModel::EditorChanged);
  connect(relay_, &EditorRelay::Changed, this, [this](unsigned changed) { Show(changed); });
  connect(candidates_, &BalanceCandidatesModel::Refused, this, [this](const std::string& text) {
    Tell({BalanceNote::kWarn, text});
  });

  auto* layout = new QVBoxLayout(this);
  auto* feeds = new QGroupBox(T(kBalCandidatesHeader), this);
  auto* feedsLayout = new QVBoxLayout(feeds);
  cbAllFeeds_ = new QCheckBox(T(kBalAllFeeds), feeds);
  cbAllFeeds_->setObjectName("cbAllFeeds");
  if (!form_.HasFeedList()) {
    cbAllFeeds_->setEnabled(false);
    cbAllFeeds_->setToolTip(T(kBalNoFeedList));
  }
  feedsLayout->addWidget(cbAllFeeds_);
  tvCandidates_ = Table("tvCandidates", candidates_, feeds);
  tvCandidates_->setEditTriggers(QAbstractItemView::AllEditTriggers);
  feedsLayout->addWidget(tvCandidates_);
  layout->addWidget(feeds, 1);

  auto* objective = new QGroupBox(T(kBalObjectiveHeader), this);
  auto* objectiveLayout = new QHBoxLayout(objective);
  rbLeastCost_ = new QRadioButton(T(kBalObjectiveCost), objective);
  rbLeastCost_->setObjectName("rbLeastCost");
  rbClosest_ = new QRadioButton(T(kBalObjectiveBalance), objective);
  rbClosest_->setObjectName("rbClosest");
  auto* objectives = new QButtonGroup(this);
  objectives->addButton(rbLeastCost_, 0);
  objectives->addButton(rbClosest_, 1);
  objectiveLayout->addWidget(rbLeastCost_);
  objectiveLayout->addWidget(rbClosest_);
  objectiveLayout->addStretch(1);
  auto* calculate = Button(kBalCalculate, "btnCalculate", objective);
  objectiveLayout->addWidget(calculate);
  layout->addWidget(objective);

  auto* proposal = new QGroupBox(T(kBalPreviewHeader), this);
  auto* proposalLayout = new QVBoxLayout(proposal);
  lblStatus_ = new QLabel(proposal);
  lblStatus_->setObjectName("lblStatus");
  lblStatus_->setWordWrap(true);
  proposalLayout->addWidget(lblStatus_);
  tvPreview_ = Table("tvPreview", preview_, proposal);
  tvPreview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  proposalLayout->addWidget(tvPreview_, 1);
  txtLimits_ = new QPlainTextEdit(proposal);
  txtLimits_->setObjectName("txtLimits");
  txtLimits_->setReadOnly(true);
  txtLimits_->setMaximumHeight(7 * txtLimits_->fontMetrics().height());
  proposalLayout->addWidget(txtLimits_);
  layout->addWidget(proposal, 2);

  auto* buttons = new QDialogButtonBox(this);
  btnApply_ = Button(kBalApply, "btnApply", buttons);
  btnUndo_ = Button(kBalUndo, "btnUndo", buttons);
  auto* close = Button(stabletext::kLuk, "btnClose", buttons);
  buttons->addButton(btnApply_, QDialogButtonBox::ActionRole);
  buttons->addButton(btnUndo_, QDialogButtonBox::ActionRole);
  buttons->addButton(close, QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);

  connect(cbAllFeeds_, &QCheckBox::toggled, this, [this](bool on) { Tell(form_.SetAllFeeds(on)); });
  connect(objectives, &QButtonGroup::idClicked, this, [this](int id) {
    form_.SetObjective(id == 1 ? BalanceObjective::kClosestToRequirement : BalanceObjective::kLeastCost);
  });
  connect(calculate, &QPushButton::clicked, this, [this] { Calculate(); });
  connect(btnApply_, &QPushButton::clicked, this, [this] { Tell(form_.Apply()); });
  connect(btnUndo_, &QPushButton::clicked, this, [this] { Tell(form_.Undo()); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  resize(820, 780);
}

void BalanceDialog::Calculate() { Tell(form_.Calculate()); }

void BalanceDialog::Tell(const BalanceNote& note) {
  if (note.kind == BalanceNote::kInform)
    prompts_.Inform(note.text, T(kBalCommand));
  else if (note.kind == BalanceNote::kWarn)
    prompts_.Warn(note.text, T(kBalCommand));
}

// The form told a change: the controls that are not tables follow it.
void BalanceDialog::Show(ChangeFlags changed) {
  (void)changed;
  {
    const QSignalBlocker block(cbAllFeeds_);
    cbAllFeeds_->setChecked(form_.AllFeeds());
  }
  const bool cost = form_.Objective() == BalanceObjective::kLeastCost;
  rbLeastCost_->setChecked(cost);
  rbClosest_->setChecked(!cost);
  lblStatus_->setText(ScreenText(form_.StatusText()));
  QString limits;
  for (const std::string& line : form_.LimitLines()) limits += ScreenText(line) + "\n";
  txtLimits_->setPlainText(limits);
  txtLimits_->setVisible(!limits.isEmpty());
  btnApply_->setEnabled(form_.CanApply());
  btnUndo_->setEnabled(form_.CanUndo());
}

void OpenBalanceDialog(Services& services, RationEditor& editor, QWidget* parent, const LpSolver& solver) {
  THest& horse = editor.Horse();
  const TForListe* list = horse.stable ? horse.stable->ForListe.get() : nullptr;
  BalanceForm form(editor, list, solver);
  if (const std::string why = form.CannotBalance(); !why.empty()) {
    services.prompts->Warn(why, T(kBalCommand));
    return;
  }
  BalanceDialog dialog(form, *services.prompts, parent);
  if (form.Rows() > 0) dialog.Calculate();
  services.prompts->RunDialog(dialog);
}

void OpenBalanceDialog(Services& services, RationEditor& editor, QWidget* parent) {
  const std::unique_ptr<LpSolver> solver = MakeGlpkSolver();
  OpenBalanceDialog(services, editor, parent, *solver);
}

}  // namespace stallora
