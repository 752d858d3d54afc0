#pragma once
// The ration page's "Balancér ration" dialog: the candidate feeds with their locks and
// bounds, the objective, and the balancer's proposal as a preview with the limits that bind
// or cannot be met, before anything changes. Apply puts the proposal into the ration through
// the ration's editor (as typed amounts); the dialog's own Undo takes the last Apply back.
// The rules and state are the BalanceForm's (forms/balance_form.h); the dialog asks and
// tells through the services' prompts.

#include <QDialog>
#include <memory>

#include "forms/balance_form.h"
#include "ui/services.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableView;

namespace stallora {

class BalanceCandidatesModel;
class BalancePreviewModel;
class EditorRelay;

class BalanceDialog : public QDialog {
  Q_OBJECT
 public:
  BalanceDialog(BalanceForm& form, Prompts& prompts, QWidget* parent = nullptr);
  ~BalanceDialog() override;

  // Runs the balancer and shows its preview; a refusal is told.
  void Calculate();

 private:
  void Build();
  void Show(ChangeFlags changed);
  void Tell(const BalanceNote& note);

  BalanceForm& form_;
  Prompts& prompts_;
  EditorRelay* relay_ = nullptr;
  BalanceCandidatesModel* candidates_ = nullptr;
  BalancePreviewModel* preview_ = nullptr;
  QCheckBox* cbAllFeeds_ = nullptr;
  QTableView* tvCandidates_ = nullptr;
  QRadioButton* rbLeastCost_ = nullptr;
  QRadioButton* rbClosest_ = nullptr;
  QLabel* lblStatus_ = nullptr;
  QTableView* tvPreview_ = nullptr;
  QPlainTextEdit* txtLimits_ = nullptr;
  QPushButton* btnApply_ = nullptr;
  QPushButton* btnUndo_ = nullptr;
};

// The dialog on the editor's horse, with the stable's feed list for "all feeds", run modally
// through the prompts. A horse that cannot be balanced at all (no requirement) gets the
// reason instead; with candidates the preview is computed at once.
void OpenBalanceDialog(Services& services, RationEditor& editor, QWidget* parent);
// The same on a solver of the caller's.
void OpenBalanceDialog(Services& services, RationEditor& editor, QWidget* parent, const LpSolver& solver);

}  // namespace stallora
