#pragma once
// The stable window's page "Information": the horse list with new and delete, the name and
// the owner, the stable's feed list, the model-stable box, the feeding times and the
// summary of due treatments and bans.

#include <QWidget>

#include "forms/editor.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QSpinBox;
class QTableView;

namespace stallora {

class StableHorsesModel;
class StableMealTimesModel;
class StableWindow;
class TreatmentSummaryModel;

class StableInformationPage : public QWidget {
  Q_OBJECT
 public:
  explicit StableInformationPage(StableWindow& window);

  void Repaint(ChangeFlags changed);
  // The models of the page's lists and table hear the editor through this.
  void EditorChanged(ChangeFlags changed);
  // The typed owner into the stable (controls to record).
  void TakeDataIntoRecord();
  void FocusName();

  // Commands (public for the tests).
  void NameLeft();
  void OwnerLeft();
  void OwnerChosen(int index);
  void RegisterOwner();
  void MealCountEdited();
  void MealTableLeft();
  void DeleteHorse();
  void HorseActivated(int row);
  void SummaryActivated(int line);
  void FeedListChosen(int index);

  QListView* HorseList() const { return lbHorseNameList_; }
  QLineEdit* NameField() const { return eStallNavn_; }
  QComboBox* OwnerField() const { return cbStallEier_; }
  QSpinBox* MealCount() const { return nfNoMeals_; }
  QTableView* MealTable() const { return otMealTimes_; }
  QGroupBox* SummaryGroup() const { return grbHorseSummaries_; }
  QLabel* BanPicture() const { return shStartforbud_; }
  QListView* SummaryList() const { return lbRapport_; }
  QComboBox* FeedListChoices() const { return cbForlistevalg_; }
  QGroupBox* FeedListGroup() const { return gbStallensForliste_; }
  QPushButton* DeleteHorseButton() const { return btnSlettHest_; }
  StableMealTimesModel* MealTimesModel() const { return mealsModel_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FitMealTable();
  bool InMealTable(const QWidget* w) const;

  StableWindow& window_;
  bool filling_ = false;
  bool leavingTable_ = false;

  QGroupBox* grbHorseInfo_;
  QListView* lbHorseNameList_;
  QPushButton* btnSlettHest_;
  QLineEdit* eStallNavn_;
  QComboBox* cbStallEier_;
  QPushButton* btnRegistrer_;
  QGroupBox* gbStallensForliste_;
  QComboBox* cbForlistevalg_;
  QCheckBox* cbStallForModellhester_;
  QSpinBox* nfNoMeals_;
  QTableView* otMealTimes_;
  QGroupBox* grbHorseSummaries_;
  QLabel* lblTreatmentsUntil_;
  QLabel* shStartforbud_;
  QListView* lbRapport_;
  StableHorsesModel* horsesModel_;
  StableMealTimesModel* mealsModel_;
  TreatmentSummaryModel* summaryModel_;
};

}  // namespace stallora
