#include "render/charts.h"

#include <QFontMetrics>
#include <QPageLayout>

#include "config/preferences.h"
#include "ration/balance_chart.h"
#include "render/fonts.h"
#include "render/pictures.h"
#include "render/qtcanvas.h"
#include "render/qttext.h"

namespace stallora {
namespace {

QColor ToQ(Colour c) { return QColor(c.r, c.g, c.b); }

}  // namespace

QtMealChartCanvas::QtMealChartCanvas(QPainter& painter, int width, int height)
    : painter_(painter), width_(width), height_(height) {
  // Lines of one pixel stay sharp; text is smoothed.
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void QtMealChartCanvas::FillRect(int x1, int y1, int x2, int y2, Colour colour) {
  if (x2 <= x1 || y2 <= y1) return;
  painter_.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), ToQ(colour));
}

void QtMealChartCanvas::FrameRect(int x1, int y1, int x2, int y2, Colour colour) {
  painter_.setPen(QPen(ToQ(colour), penWidth_));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

void QtMealChartCanvas::Line(int x1, int y1, int x2, int y2, Colour colour, PenStyle style) {
  QPen pen(ToQ(colour), penWidth_);
  pen.setStyle(style == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
  painter_.setPen(pen);
  painter_.drawLine(x1, y1, x2, y2);
}

void QtMealChartCanvas::SetFont(std::string_view name, int pointSize, bool bold) {
  painter_.setFont(ChartFont(Q(name), pointSize, bold));
}

void QtMealChartCanvas::SetFontHeight(std::string_view name, int pixels, bool bold) {
  QFont f = ChartFont(Q(name), 10, bold);
  f.setPixelSize(std::max(pixels, 1));
  painter_.setFont(f);
}

int QtMealChartCanvas::TextWidth(std::string_view text) {
  return QFontMetrics(painter_.font(), painter_.device()).horizontalAdvance(Q(text));
}

int QtMealChartCanvas::TextHeight(std::string_view) {
  return QFontMetrics(painter_.font(), painter_.device()).height();
}

void QtMealChartCanvas::Text(int x, int y, std::string_view text, Colour colour) {
  painter_.setPen(ToQ(colour));
  const QFontMetrics m(painter_.font(), painter_.device());
  painter_.drawText(x, y + m.ascent(), Q(text));
}

void QtMealChartCanvas::RoundRect(int x1, int y1, int x2, int y2, int radius, Colour colour) {
  painter_.setPen(QPen(ToQ(colour), penWidth_));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRoundedRect(QRect(x1, y1, x2 - x1, y2 - y1), radius, radius);
}

const QImage& QtMealChartCanvas::Load(const std::filesystem::path& file) {
  auto it = pictures_.find(file);
  if (it == pictures_.end()) it = pictures_.emplace(file, ReadPicture(file)).first;
  return it->second;
}

bool QtMealChartCanvas::PictureSize(const std::filesystem::path& file, int& width, int& height) {
  const QImage& image = Load(file);
  if (image.isNull()) return false;
  width = image.width();
  height = image.height();
  return true;
}

void QtMealChartCanvas::Picture(int x1, int y1, int x2, int y2, const std::filesystem::path& file) {
  const QImage& image = Load(file);
  if (!image.isNull()) painter_.drawImage(QRect(x1, y1, x2 - x1, y2 - y1), image);
}

QImage MealChartImage(THest& horse, int width, int height) {
  QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  QtMealChartCanvas canvas(painter, image.width(), image.height());
  DrawMealChart(horse, MealChartMedium::Screen, canvas);
  painter.end();
  return image;
}

bool PrintMealChart(THest& horse, QPagedPaintDevice& device) {
  device.setPageOrientation(QPageLayout::Landscape);
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const QRect page = painter.viewport();
  QtMealChartCanvas canvas(painter, page.width(), page.height());
  DrawMealChart(horse, MealChartMedium::Paper, canvas);
  return painter.end();
}

QImage BalanceChartImage(THest& horse) {
  std::array<bool, kNutrientCount> shown;
  shown.fill(true);
  if (horse.env->preferences) shown = horse.env->preferences->showNutrient;
  ImageCanvas picture(kBalanceChartWidth, kBalanceChartHeight);
  TegnBalanse(horse, shown, SettingsOf(*horse.env), picture.canvas());
  return picture.Finish();
}

bool JpegPictureWriter::WriteJpeg(int width, int height, const std::function<void(Canvas&)>& draw,
                                  const std::filesystem::path& path) {
  ImageCanvas picture(width, height);
  draw(picture.canvas());
  return stallora::WriteJpeg(picture.Finish(), path, 100);
}

}  // namespace stallora
