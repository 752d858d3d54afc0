#pragma once
// The ration tab's analysis page (tsNutrientGraphics): the information about each nutrient
// of the ration, and the two charts (requirement and supply, each feed's contribution) with
// their outputs.

#include <QImage>
#include <optional>
#include <string>

#include "ui/ration/rationcontext.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QScrollArea;
class QTabWidget;

namespace stallora {

class HtmlView;

class AnalysisPage : public RationTabPage {
  Q_OBJECT
 public:
  explicit AnalysisPage(RationContext& context, QWidget* parent = nullptr);

  void Enter() override;
  void Repaint(ChangeFlags changed) override;

  // The information about the nutrient of a line of the nutrient list.
  void ShowNutrient(int line);
  // The requirement and supply chart.
  void ShowCharts();

 private:
  void Show();
  void DrawCharts();
  void NutrientInfo(int line);
  void MoreNutrients();
  std::optional<std::string> AdviceText();
  void PrintCharts();
  void CopyChart(bool supply);
  void SaveChart(bool supply);
  void MailChart(bool supply);
  std::string ChartName(bool supply) const;
  std::string ChartFile(bool supply) const;

  QImage supplyImage_, contributionImage_;
  QTabWidget* pcAnalysis_ = nullptr;
  QListWidget* vlbNutrients_ = nullptr;
  QGroupBox* grbNutrientInfo_ = nullptr;
  HtmlView* wbNutrientInfo_ = nullptr;
  QLabel* imgSupply_ = nullptr;
  QLabel* imgContribution_ = nullptr;
  QScrollArea* contributionArea_ = nullptr;
};

}  // namespace stallora
