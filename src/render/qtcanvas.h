#pragma once
// The library's Canvas painted with QPainter, on a picture for the screen or a printer page.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <memory>

#include "core/canvas.h"

namespace stallora {

class QtCanvas final : public Canvas {
 public:
  // Paints on an existing device (a QImage, a printer) of the given logical size.
  QtCanvas(QPainter& painter, int width, int height);
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void FillRect(int x1, int y1, int x2, int y2, Colour colour) override;
  void FrameRect(int x1, int y1, int x2, int y2, Colour colour) override;
  void Line(int x1, int y1, int x2, int y2, Colour colour, PenStyle style) override;
  void SetFont(std::string_view name, int pointSize, bool bold) override;
  int TextWidth(std::string_view text) override;
  int TextHeight(std::string_view text) override;
  void Text(int x, int y, std::string_view text, Colour colour) override;

 private:
  QPainter& painter_;
  int width_, height_;
};

// A white picture of the given size with a canvas on it.
class ImageCanvas {
 public:
  ImageCanvas(int width, int height);
  ~ImageCanvas();
  Canvas& canvas() { return *canvas_; }
  // Ends painting and gives the picture.
  QImage Finish();

 private:
  QImage image_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<QtCanvas> canvas_;
};

}  // namespace stallora
