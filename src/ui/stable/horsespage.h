#pragma once
// The page "Heste i stalden": the overview of the stable's horses and its output buttons.

#include <QWidget>

#include "forms/editor.h"

namespace stallora {

class HtmlView;
class StableReportButtons;
class StableWindow;

class StableHorsesPage : public QWidget {
  Q_OBJECT
 public:
  explicit StableHorsesPage(StableWindow& window);
  void Repaint(ChangeFlags changed);
  HtmlView* Browser() const { return browser_; }
  StableReportButtons* Buttons() const { return buttons_; }

 private:
  StableWindow& window_;
  HtmlView* browser_;
  StableReportButtons* buttons_;
};

}  // namespace stallora
