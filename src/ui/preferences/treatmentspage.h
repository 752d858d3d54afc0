#pragma once
// The treatment register page: the treatment names (and web addresses) offered for each of
// the six treatment types, edited one entry at a time and saved to the register file, and
// how many days ahead the stable report lists planned treatments.

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QListView;

namespace stallora {

class PreferencesDialog;
class TreatmentNamesModel;

class TreatmentsPage : public QWidget {
  Q_OBJECT
 public:
  explicit TreatmentsPage(PreferencesDialog& dialog);
  void Repaint(unsigned changed);
  TreatmentNamesModel* Model() const { return model_; }

 private:
  void AcceptBox();
  void Delete();
  void SaveRegister();
  void ForwardDaysLeft();

  PreferencesDialog& dialog_;
  TreatmentNamesModel* model_;
  QComboBox* cbType_;
  QListView* lbTreatments_;
  QGroupBox* gbTreatment_;
  QLineEdit* edName_;
  QLineEdit* edAddress_;
  QLineEdit* edForwardDays_;
};

}  // namespace stallora
