#pragma once
// The library's charts as pictures and printed pages: the nutrient balance chart as a
// JPEG picture (the graphics page and mail attach it), the meal chart on screen and on a
// landscape page, and the picture writer the horse reports draw through.

#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <filesystem>
#include <map>

#include "ration/horse_reports.h"
#include "ration/meal_chart.h"

namespace stallora {

// The meal chart's drawing on a QPainter: pens of a width, rounded bands, fonts of a pixel
// height, pictures read once per canvas.
class QtMealChartCanvas final : public MealChartCanvas {
 public:
  QtMealChartCanvas(QPainter& painter, int width, int height);
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void FillRect(int x1, int y1, int x2, int y2, Colour colour) override;
  void FrameRect(int x1, int y1, int x2, int y2, Colour colour) override;
  void Line(int x1, int y1, int x2, int y2, Colour colour, PenStyle style) override;
  void SetFont(std::string_view name, int pointSize, bool bold) override;
  int TextWidth(std::string_view text) override;
  int TextHeight(std::string_view text) override;
  void Text(int x, int y, std::string_view text, Colour colour) override;
  void SetPenWidth(int width) override { penWidth_ = width; }
  void RoundRect(int x1, int y1, int x2, int y2, int radius, Colour colour) override;
  void SetFontHeight(std::string_view name, int pixels, bool bold) override;
  bool PictureSize(const std::filesystem::path& file, int& width, int& height) override;
  void Picture(int x1, int y1, int x2, int y2, const std::filesystem::path& file) override;

 private:
  const QImage& Load(const std::filesystem::path& file);
  QPainter& painter_;
  int width_, height_;
  int penWidth_ = 1;
  std::map<std::filesystem::path, QImage> pictures_;
};

// The meal chart as a picture of the given size (the ration page's image).
QImage MealChartImage(THest& horse, int width, int height);

// Prints the meal chart on one landscape page of a printer or PDF writer (the caller names
// the document after the horse). False when the device cannot be painted on.
bool PrintMealChart(THest& horse, QPagedPaintDevice& device);

// The nutrient balance chart (the columns of the preference) as a 481 x 458 picture; runs
// the requirement and the ration evaluation first.
QImage BalanceChartImage(THest& horse);

// Draws pictures on a white QImage and writes them as JPEG at quality 100.
class JpegPictureWriter final : public PictureWriter {
 public:
  bool WriteJpeg(int width, int height, const std::function<void(Canvas&)>& draw,
                 const std::filesystem::path& path) override;
};

}  // namespace stallora
