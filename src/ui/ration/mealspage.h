#pragma once
// The ration tab's meal sheet (tsMealSheet): the stable's feeding times, each feed's daily
// amount split over the meals (typed, stepped, shared out evenly or the rest given to one
// meal), and the chart of the day's meals.

#include "ui/ration/rationcontext.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;

namespace stallora {

class MealSheetModel;
class MealTimesModel;

class MealsPage : public RationTabPage {
  Q_OBJECT
 public:
  explicit MealsPage(RationContext& context, QWidget* parent = nullptr);

  // The sheet's entry step runs (the stable's feeding times taken over) and the sheet shows.
  void Enter() override;
  void Repaint(ChangeFlags changed) override;

 private:
  enum class Command { kEvenly, kRest, kReset, kUp, kDown };
  void Fill();
  int ActiveRow(int* meal) const;
  void Run(Command command);
  void UpdateButtons();
  void ShowChart();
  void PrintChart();

  MealTimesModel* times_ = nullptr;
  MealSheetModel* sheet_ = nullptr;
  QTableView* otMealTimes_ = nullptr;
  QSpinBox* nfNoMeals_ = nullptr;
  QGroupBox* gbMeals_ = nullptr;
  QTableView* otMealSheet_ = nullptr;
  QPushButton* btnFordelLikt_ = nullptr;
  QPushButton* btnGiResten_ = nullptr;
  QLabel* imgMealChart_ = nullptr;
};

}  // namespace stallora
