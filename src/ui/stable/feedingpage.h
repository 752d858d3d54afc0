#pragma once
// The page "Foderbehov i stalden": the stable's feeding reports (requirement, meal chart,
// comparison of the rations) behind three buttons, the daily ration cost in the caption,
// and the output buttons.

#include <QWidget>

#include "forms/editor.h"

class QGroupBox;
class QPushButton;

namespace stallora {

class HtmlView;
class StableReportButtons;
class StableWindow;

class StableFeedingPage : public QWidget {
  Q_OBJECT
 public:
  explicit StableFeedingPage(StableWindow& window);
  void Repaint(ChangeFlags changed);
  // A report button: 1 requirement, 2 meal chart, 3 comparison.
  void ShowReport(int kind);
  HtmlView* Browser() const { return browser_; }
  QGroupBox* Group() const { return group_; }

 private:
  StableWindow& window_;
  QGroupBox* group_;
  HtmlView* browser_;
  QPushButton* requirement_;
  QPushButton* mealChart_;
  QPushButton* comparison_;
};

}  // namespace stallora
