#include "ui/splash.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

#include "core/daynum.h"
#include "core/texts.h"
#include "core/common_texts.h"
#include "render/pictures.h"
#include "render/qttext.h"
#include "stable/workspace.h"

namespace stallora {
namespace {

inline constexpr Text kStartText{"splash.start", "Start"};
inline constexpr const Text& kHelpText = common::kHjaelp;
inline constexpr const Text& kCloseText = common::kLuk;

// A label that reacts to a click (and so to a double click too).
class ChoiceLabel : public QLabel {
 public:
  ChoiceLabel(const QString& text, QWidget* parent, std::function<void()> onClick)
      : QLabel(text, parent), onClick_(std::move(onClick)) {
    setCursor(Qt::PointingHandCursor);
    setStyleSheet("QLabel { color: white; background: rgba(0,0,0,110); padding: 4px 14px; border-radius: 4px;"
                  " font: bold 15pt 'DejaVu Sans'; } QLabel:hover { background: rgba(0,0,0,170); }");
    setFocusPolicy(Qt::StrongFocus);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent*) override { onClick_(); }

 private:
  std::function<void()> onClick_;
};

QImage BuiltInPicture(int month) {
  QImage image(560, 360, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, 360);
  const bool summer = month >= 5 && month <= 9;
  g.setColorAt(0, summer ? QColor(120, 180, 230) : QColor(90, 110, 150));
  g.setColorAt(0.62, summer ? QColor(200, 225, 240) : QColor(200, 205, 215));
  g.setColorAt(0.63, summer ? QColor(90, 150, 60) : QColor(150, 140, 110));
  g.setColorAt(1, summer ? QColor(50, 110, 40) : QColor(110, 100, 80));
  p.fillRect(image.rect(), g);
  p.setPen(Qt::white);
  p.setFont(QFont("DejaVu Serif", 40, QFont::Bold));
  p.drawText(QRect(0, 40, 560, 80), Qt::AlignCenter, "Stallora");
  p.setFont(QFont("DejaVu Sans", 12));
  p.drawText(QRect(0, 110, 560, 30), Qt::AlignCenter, QString::fromUtf8("Fodring \u00b7 sundhed \u00b7 stald"));
  return image;
}

}  // namespace

QImage SplashWindow::MonthPicture(AppContext& app) {
  const int month = DecodeDate(app.Env().Today()).month;
  char name[32];
  std::snprintf(name, sizeof name, "%02dsplash.jpg", month);
  QImage image = ReadPicture(app.preferences.ImagesDirectory() / name);
  if (image.isNull()) image = BuiltInPicture(month);
  return image;
}

SplashWindow::SplashWindow(AppContext& app, QSize mainSize, QWidget* parent) : QDialog(parent) {
  setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Dialog);
  QImage picture = MonthPicture(app).scaled(560, 360, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  const int country = app.settings.countryNumber;
  if (country == 45 || country == 46) {
    // The edition's small mark in the corner.
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(country == 45 ? QColor(198, 12, 48) : QColor(0, 106, 167));
    p.setPen(Qt::NoPen);
    p.drawRect(12, 12, 36, 26);
    p.setBrush(country == 45 ? Qt::white : QColor(254, 204, 0));
    p.drawRect(12, 22, 36, 6);
    p.drawRect(24, 12, 6, 26);
  }
  setFixedSize(picture.size());
  auto* background = new QLabel(this);
  background->setPixmap(QPixmap::fromImage(picture));
  background->setGeometry(rect());
  const int x = width() * 3 / 4 - 40;
  auto add = [&](const Text& text, int y, int result) {
    auto* l = new ChoiceLabel(Q(Tr(text)), this, [this, result] { done(result); });
    l->adjustSize();
    l->move(x, y);
    return l;
  };
  add(kStartText, height() / 2 - 10, kStart);
  add(kHelpText, height() / 2 + 40, kHelp);
  add(kCloseText, height() / 2 + 90, kClose);
  (void)mainSize;
  if (QScreen* screen = QGuiApplication::primaryScreen()) move(screen->availableGeometry().center() - rect().center());
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return done(kStart);
  if (event->key() == Qt::Key_F1) return done(kHelp);
  if (event->key() == Qt::Key_Escape) return done(kClose);
  QDialog::keyPressEvent(event);
}

int SplashWindow::Run() { return exec(); }

}  // namespace stallora
