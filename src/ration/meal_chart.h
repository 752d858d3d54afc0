#pragma once
// The meal chart: the horse's name in a header band with its picture in the corner, a grid
// of the feeding times and each feed's amount per meal, and a footer band with the date and
// the adviser. Drawn on screen at the size of the ration page's image and on one landscape
// printer page; the geometry is the same in proportions, the fonts and columns differ.

#include <filesystem>
#include <string>
#include <string_view>

#include "core/canvas.h"
#include "core/texts.h"
#include "core/common_texts.h"
#include "nutrition/hest.h"

namespace stallora {

inline constexpr const Text& kMealChartRaadgiver = common::kRaadgiver;
inline constexpr const Text& kMealChartFoderplan = common::kFoderplan;

enum class MealChartMedium { Screen, Paper };

// What the meal chart draws beyond a plain canvas: thick pens, rounded bands, fonts of a
// given pixel height and the horse's picture.
class MealChartCanvas : public Canvas {
 public:
  virtual void SetPenWidth(int width) = 0;
  // The outline of a rectangle with rounded corners, in the current pen width.
  virtual void RoundRect(int x1, int y1, int x2, int y2, int radius, Colour colour) = 0;
  // A font whose text is `pixels` high.
  virtual void SetFontHeight(std::string_view name, int pixels, bool bold) = 0;
  // The size of a picture file; false when it cannot be read.
  virtual bool PictureSize(const std::filesystem::path& file, int& width, int& height) = 0;
  // Draws the picture stretched into the rectangle.
  virtual void Picture(int x1, int y1, int x2, int y2, const std::filesystem::path& file) = 0;
};

// The horse's picture when its file exists, else the program's stand-in picture
// (Images/cavehorse.jpg) when that exists; empty when there is neither.
std::filesystem::path MealChartPicture(const THest& h);

// The texts of the footer band: on screen the date (left) and the adviser (right), on
// paper one text.
std::string MealChartFooterLeft(const THest& h, MealChartMedium medium);
std::string MealChartFooterRight(const THest& h);

// Draws the chart over the whole canvas (a picture on screen, a landscape page on paper).
// Fills in missing meal lines of the ration's feeds as "0".
void DrawMealChart(THest& h, MealChartMedium medium, MealChartCanvas& canvas);

}  // namespace stallora
