#pragma once
// The ration tab's amounts page (tsAllocateFeed): the daily amounts (a view of the tab's
// amounts model, which the training tab shows too) with their spinner, the balance chart,
// and the dry-matter profile with its pie.

#include <QElapsedTimer>

#include "ui/ration/rationcontext.h"

class QChartView;
class QGroupBox;
class QLabel;
class QPieSeries;
class QTableView;

namespace stallora {

class AmountsModel;

class AmountsPage : public RationTabPage {
  Q_OBJECT
 public:
  AmountsPage(RationContext& context, AmountsModel& amounts, QWidget* parent = nullptr);

  void Enter() override;
  void Repaint(ChangeFlags changed) override;

  // Milliseconds from the start of the last amount edit to the page drawn anew.
  double LastRefreshMs() const { return lastRefreshMs_; }

 private:
  void FillAllocations();
  void StepActiveAmount(bool up);
  void ShowEvaluation();
  void DrawBalance();
  void FillProfile();

  AmountsModel& amounts_;
  // Runs from the start of an amount edit to the refreshed page.
  QElapsedTimer refreshTimer_;
  double lastRefreshMs_ = 0;

  QTableView* otAllocations_ = nullptr;
  QLabel* imgBalance_ = nullptr;
  QGroupBox* gbProfile_ = nullptr;
  QLabel* lblProfile_ = nullptr;
  QChartView* pieView_ = nullptr;
  QLabel* lblPieLegend_ = nullptr;
  QPieSeries* pie_ = nullptr;
};

}  // namespace stallora
