#pragma once
// The weight page of the horse window: the correction of the body weight, the weighing
// table with its chart (adults, and young horses with their growth band), the weight help
// (weight from chest girth and back) and the weight report.

#include <QWidget>
#include <string>

#include "forms/editor.h"

class QChartView;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QSpinBox;
class QTableView;

namespace stallora {

class HorseWindow;
class HtmlView;
class THest;
class WeighingsModel;

class HorseWeightPage : public QWidget {
  Q_OBJECT
 public:
  explicit HorseWeightPage(HorseWindow& window);

  void ShowRecord();
  // What an edit of the horse changed: the table follows its model, the chart is drawn
  // anew when it is on screen (else on entering the page).
  void Repaint(ChangeFlags changed);
  void ApplyVisibility();
  // Showing the page: breed lists and condition reset, a first weighing when there is none.
  void Enter();
  // The table and the chart anew from the weighings.
  void Refresh();
  // The girth field into the record when it holds a girth the estimate takes.
  void TakeGirth();
  void SelectBreed(const std::string& breed);
  void SetChartCaption(const std::string& text);

  // The commands (public for the tests).
  void AddWeighing();
  void DeleteWeighing();
  void SortWeighings();
  void ToggleReport();
  void ComputeWeight();
  void ComputeGirth();
  void ShowWeightHelp(bool show);
  bool ChartShown() const;
  QTableView* Table() const { return table_; }
  WeighingsModel* Model() const { return model_; }
  QChartView* Chart() const { return chart_; }

 signals:
  // A breed's line in the weight help was chosen: its standard weight for the horse's sex
  // (the young horse's adult weight field offers it).
  void BreedWeightOffered(double kg);

 private:
  THest& Horse() const;
  int ActiveRow() const;
  void DrawChart();
  // After a cell's edit: from the date on to the weight, from a weight to the next row.
  void MoveOn(const QModelIndex& edited);
  // Writes the chart picture and the report file; the report's path.
  std::string WriteReport();
  void PrintReport();
  void MailReport();

  HorseWindow& window_;
  bool filling_ = false;
  bool chartStale_ = false;
  WeighingsModel* model_;
  QGroupBox* correction_;
  QSlider* turbo_;
  QSpinBox* turboSpin_;
  QLabel* turboLabel_;
  QTableView* table_;
  QLabel* caption_;
  QChartView* chart_;
  HtmlView* report_;
  QPushButton* showReport_;
  QPushButton* print_;
  QPushButton* showHelp_;
  QGroupBox* help_;
  QListWidget* breedWeights_;
  QLineEdit* girth_;
  QComboBox* condition_;
};

}  // namespace stallora
