#pragma once
// The splash window shown before the main window: the month's picture and three choices.

#include <QDialog>
#include <QImage>
#include <QSize>

namespace stallora {

class AppContext;

class SplashWindow : public QDialog {
  Q_OBJECT
 public:
  enum Choice { kStart = 1, kHelp = 2, kClose = 0 };
  SplashWindow(AppContext& app, QSize mainSize, QWidget* parent = nullptr);
  // Shows the window until the user chooses.
  int Run();
  // The month's picture (Images/MMsplash.jpg), or the built-in one.
  static QImage MonthPicture(AppContext& app);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace stallora
