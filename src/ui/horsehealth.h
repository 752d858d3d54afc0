#pragma once
// The treatments tab of the horse window: the tree of treatments by type or by date, the
// editor of one treatment (type and name from the register, notes, cost, planned, done and
// ban dates), and the treatment reports with their outputs.

#include <QWidget>
#include <string>
#include <vector>

#include "forms/editor.h"

class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QModelIndex;
class QTreeView;

namespace stallora {

class HorseWindow;
class HtmlView;
class TTreatmentList;
class TTreatmentObj;
class TreatmentsModel;

class HorseHealthPage : public QWidget {
  Q_OBJECT
 public:
  explicit HorseHealthPage(HorseWindow& window);

  // Entering the tab: the tree in the other layout than last time.
  void Enter();
  // Stores an open edit (copying the controls to the record does this).
  void StoreEditIfOpen();
  // Selects the node of the treatment that bans the horse.
  void SelectBanTreatment();
  // Opens a treatment of the horse in the editor (another window leads here); while an edit
  // is open the user is told so, as a double click in the tree would.
  void EditTreatment(TTreatmentObj& treatment);
  // What an edit of the horse changed: the tree anew when the treatments did.
  void Repaint(ChangeFlags changed);

  // Commands (public for the tests).
  void ToggleLayout();
  void NewTreatment();
  void ActivateNode(const QModelIndex& node);
  bool StoreEdit();
  void CancelEdit();
  void DeleteSelected();
  void ShowListReport();
  void ShowSingleReport();
  void AddOwnName();
  void MarkDone();
  void AskBan();
  void ResetTreatment();
  void DoneDateLeft();
  void PlannedDateLeft();

  bool EditOpen() const;
  bool LastLayoutByType() const;
  QTreeView* Tree() const { return tree_; }
  TreatmentsModel* Model() const { return model_; }
  QModelIndex ItemWithText(const QString& text) const;

 private:
  TTreatmentList& List() const;
  void Build(bool byType);
  TTreatmentObj* Current() const;
  void UpdateButtons();
  void OpenEditor(TTreatmentObj& t, bool isNew);
  void CloseEditor();
  void FillNames(int type, const std::string& select);
  void ShowDateState();
  void RefreshWebLabel();
  void ShowReportFile(bool list);
  void CopyReport();
  void StoreReport();
  void MailReport();
  void OpenWebPage();

  HorseWindow& window_;
  bool reportIsList_ = true;
  bool filling_ = false;
  std::string reportHtml_;
  std::vector<std::string> names_, addresses_;

  TreatmentsModel* model_;
  QTreeView* tree_;
  QToolButton* new_;
  QToolButton* sort_;
  QToolButton* delete_;
  QToolButton* report_;
  QToolButton* editRegister_;
  QGroupBox* editor_;
  QComboBox* type_;
  QComboBox* name_;
  QLabel* url_;
  QPlainTextEdit* notes_;
  QDoubleSpinBox* cost_;
  QGroupBox* dates_;
  QPushButton* plannedButton_;
  QDateEdit* planned_;
  QPushButton* doneButton_;
  QLabel* doneLabel_;
  QDateEdit* done_;
  QPushButton* banButton_;
  QLabel* banLabel_;
  QDateEdit* ban_;
  QLabel* banImage_;
  QWidget* reportPanel_;
  HtmlView* browser_;
};

}  // namespace stallora
