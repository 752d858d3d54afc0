#include "render/qtcanvas.h"

#include <QFontMetrics>

#include "render/fonts.h"
#include "render/qttext.h"

namespace stallora {
namespace {

QColor ToQ(Colour c) { return QColor(c.r, c.g, c.b); }

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, int width, int height) : painter_(painter), width_(width), height_(height) {}

void QtCanvas::FillRect(int x1, int y1, int x2, int y2, Colour colour) {
  if (x2 <= x1 || y2 <= y1) return;
  painter_.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), ToQ(colour));
}

void QtCanvas::FrameRect(int x1, int y1, int x2, int y2, Colour colour) {
  painter_.setPen(QPen(ToQ(colour), 1));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void QtCanvas::Line(int x1, int y1, int x2, int y2, Colour colour, PenStyle style) {
  QPen pen(ToQ(colour), 1);
  pen.setStyle(style == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
  painter_.setPen(pen);
  painter_.drawLine(x1, y1, x2, y2);
}

void QtCanvas::SetFont(std::string_view name, int pointSize, bool bold) {
  painter_.setFont(ChartFont(Q(name), pointSize, bold));
}

int QtCanvas::TextWidth(std::string_view text) {
  return QFontMetrics(painter_.font(), painter_.device()).horizontalAdvance(Q(text));
}

int QtCanvas::TextHeight(std::string_view) { return QFontMetrics(painter_.font(), painter_.device()).height(); }

void QtCanvas::Text(int x, int y, std::string_view text, Colour colour) {
  painter_.setPen(ToQ(colour));
  const QFontMetrics m(painter_.font(), painter_.device());
  painter_.drawText(x, y + m.ascent(), Q(text));
}

ImageCanvas::ImageCanvas(int width, int height) : image_(width, height, QImage::Format_RGB32) {
  image_.fill(Qt::white);
  painter_ = std::make_unique<QPainter>(&image_);
  painter_->setRenderHint(QPainter::TextAntialiasing, true);
  canvas_ = std::make_unique<QtCanvas>(*painter_, width, height);
}

ImageCanvas::~ImageCanvas() = default;

QImage ImageCanvas::Finish() {
  canvas_.reset();
  if (painter_) painter_->end();
  painter_.reset();
  return image_;
}

}  // namespace stallora
