#pragma once
// The output buttons of the stable window's report pages: print the browser's document,
// copy the report as HTML, store it under a name of the user's choice (asking before
// writing over a file), mail the report file. The report is built afresh for each of them.

#include <QWidget>
#include <functional>

namespace stallora {

class HtmlView;
class StableWindow;

class StableReportButtons : public QWidget {
  Q_OBJECT
 public:
  // `suffix` names the buttons (btnPrint_<suffix>, ...); `kind` gives the report the page
  // shows now.
  StableReportButtons(StableWindow& window, const QString& suffix, HtmlView& view, std::function<int()> kind,
                      QWidget* parent = nullptr);

  void Print();
  void Copy();
  void Store();
  void Mail();

 private:
  StableWindow& window_;
  HtmlView& view_;
  std::function<int()> kind_;
};

}  // namespace stallora
