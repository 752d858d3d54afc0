#pragma once
// The energy/protein object page: the list of objects, the active one, and the box that
// edits one object (name, country, energy basis and unit, scaling factor, protein type,
// calculation system). Nothing here converts a feed list: that is the calculation-system
// page's change.

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace stallora {

class EnergyObjectsModel;
class PreferencesDialog;
struct ObjectBox;

class ObjectsPage : public QWidget {
  Q_OBJECT
 public:
  explicit ObjectsPage(PreferencesDialog& dialog);
  void Repaint(unsigned changed);
  EnergyObjectsModel* Model() const { return model_; }

 private:
  // The box as the user typed it.
  ObjectBox Typed() const;
  void Accept();
  void UseAsDefault();
  void Save();

  PreferencesDialog& dialog_;
  EnergyObjectsModel* model_;
  QListView* lbObjects_;
  QLabel* lblActive_;
  QPushButton* btnDelete_;
  QGroupBox* gbObject_;
  QLineEdit* edName_;
  QComboBox* cbCountry_;
  QComboBox* cbBasis_;
  QComboBox* cbUnit_;
  QLineEdit* edFactor_;
  QComboBox* cbProtein_;
  QComboBox* cbSystem_;
};

}  // namespace stallora
