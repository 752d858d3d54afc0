#pragma once
// The requirement-expression editor: the program's requirement list one object at a time,
// its six formulas editable in a table, the code words the formulas may use, a horse of the
// workspace to test them against, and the list saved back to its file. Every action goes to
// the RequirementEditor; the window repaints what its flags name.

#include <QDialog>
#include <memory>

#include "forms/requirement_editor.h"
#include "ui/services.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;

namespace stallora {

class EditorRelay;
class FormulasModel;
class MainWindow;

class RequirementWindow : public QDialog {
  Q_OBJECT
 public:
  RequirementWindow(Services& services, QWidget* parent = nullptr);
  ~RequirementWindow() override;

  RequirementEditor& Editor() const { return *editor_; }
  FormulasModel* Formulas() const { return formulas_; }
  // Showing the window: object 0, the horses refilled.
  void ShowList();
  void RecordGoing(const Record& record) { editor_->RecordGoing(record); }

 private:
  void Repaint(unsigned changed);
  void TestOne();
  void SaveList();

  Services& services_;
  std::unique_ptr<RequirementEditor> editor_;
  EditorRelay* relay_ = nullptr;
  FormulasModel* formulas_ = nullptr;
  QLabel* lblObjectNo_ = nullptr;
  QComboBox* cbNutrient_ = nullptr;
  QTableView* otUttrykk_ = nullptr;
  QListWidget* lbVariables_ = nullptr;
  QComboBox* cbSelectHorse_ = nullptr;
  QLineEdit* edResult_ = nullptr;
  QListWidget* lbMessages_ = nullptr;
};

// Sets the main window's `requirementEditor` hook: one window per main window, made on
// first use.
void RegisterRequirementWindow(MainWindow& main);

}  // namespace stallora
