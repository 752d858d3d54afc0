#pragma once
// The nutrient page: which nutrients the feeding plan shows and which are shown as columns
// while a plan is made (two flag arrays edited in one selection box, one at a time), and
// whether printouts carry the nutrient warnings.

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QListView;
class QPushButton;

namespace stallora {

class NutrientChecksModel;
class PreferencesDialog;

class NutrientsPage : public QWidget {
  Q_OBJECT
 public:
  explicit NutrientsPage(PreferencesDialog& dialog);
  void Repaint(unsigned changed);
  NutrientChecksModel* Model() const { return model_; }

 private:
  PreferencesDialog& dialog_;
  NutrientChecksModel* model_;
  QPushButton* btnPlan_;
  QPushButton* btnColumns_;
  QGroupBox* gbNutrients_;
  QLabel* lblBox_;
  QListView* lvNutrients_;
  QCheckBox* cbWarnings_;
};

}  // namespace stallora
