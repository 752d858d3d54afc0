#pragma once
// A label that is clicked: pictures, icons and quick choices of the windows.

#include <QLabel>
#include <QMouseEvent>

namespace stallora {

// A label that reports clicks and double clicks (pictures, icons, quick choices).
class ClickLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 signals:
  void clicked();
  void doubleClicked();

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) emit clicked();
    QLabel::mousePressEvent(e);
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) emit doubleClicked();
    QLabel::mouseDoubleClickEvent(e);
  }
};

}  // namespace stallora
