#pragma once
// The ration tab's feeding plan page (tsForplan): the price line, the horse's condition,
// the ration with its prices (edited here for this horse alone), the nutrient list, and the
// feeding plan itself with its outputs (print, copy, store, mail, diary).

#include <QStringList>
#include <string>

#include "ui/ration/rationcontext.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

namespace stallora {

class HtmlView;
class RationPlanModel;

class PlanPage : public RationTabPage {
  Q_OBJECT
 public:
  explicit PlanPage(RationContext& context, QWidget* parent = nullptr);
  ~PlanPage() override;

  void Enter() override;
  void Repaint(ChangeFlags changed) override;

  // The feeding plan as last shown (full or simple), Windows-1252.
  const std::string& ShownPlan() const { return shownPlan_; }
  // "Gem foderplan som...": the full plan to a file of the user's choice.
  void SaveAs();
  // "Epost foderplan".
  void Mail();

 signals:
  // A line of the nutrient list was chosen: its information is wanted.
  void NutrientChosen(int line);
  // "Grafik": the charts are wanted.
  void ChartsWanted();
  // "Læg til dagbog": the ration summary lines for the top of the diary.
  void AddToDiary(const QStringList& lines);

 private:
  void Show();
  void WritePlan();
  void ToggleSimple();
  void AddComments();
  void ClearComments();
  void ShowFullPlanButton();
  const std::string& PlanForOutput();
  std::filesystem::path WritePlanFile(bool simple, bool comments);
  void Print();
  void AddRationToDiary();

  RationPlanModel* plan_ = nullptr;
  bool priceEdited_ = false;
  bool rememberedErrorsInPrint_ = false;
  bool simpleShown_ = false;
  bool updating_ = false;
  std::string shownPlan_;

  QLabel* lblPrice_ = nullptr;
  QLabel* lblCondition_ = nullptr;
  QTableView* otRation_ = nullptr;
  QListWidget* vlbGetNutrientInfo_ = nullptr;
  QLabel* lblEnergySystem_ = nullptr;
  QCheckBox* cbNutrientErrorsInPrint_ = nullptr;
  QPushButton* btnSimpleRationsheet_ = nullptr;
  HtmlView* wbForplan_ = nullptr;
};

}  // namespace stallora
