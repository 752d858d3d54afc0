#pragma once
// The modal generate-feed-list dialog over a GenerateForm: the source list, its brands to
// check, the three keep boxes and the count of what is checked. OK rebuilds the target
// through the form; whoever runs the dialog puts the target back (GenerateForm::Cancel)
// when it ends any other way.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;

namespace stallora {

class GenerateForm;

class GenerateDialog : public QDialog {
  Q_OBJECT
 public:
  GenerateDialog(GenerateForm& form, QWidget* parent = nullptr);

 private:
  void SourceChosen();
  void ShowBrands();
  void ShowCount();
  void Accepted();

  GenerateForm& form_;
  bool filling_ = false;  // the dialog sets the checks itself: no recount per check
  QComboBox* source_ = nullptr;
  QGroupBox* brandBox_ = nullptr;
  QListWidget* brands_ = nullptr;
  QLabel* count_ = nullptr;
  QGroupBox* keepBox_ = nullptr;
  QCheckBox* keepGeneric_ = nullptr;
  QCheckBox* keepOwn_ = nullptr;
  QCheckBox* keepNotListed_ = nullptr;
};

}  // namespace stallora
