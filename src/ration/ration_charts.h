#pragma once
// The two charts of the ration page's analysis: the supply chart (each nutrient's supply
// as a share of its requirement, the balance chart's scale on a page of its own) and the
// contribution chart (how much each feed of the ration gives of each nutrient), and the
// layout of both on one printed page.

#include <array>
#include <string>

#include "config/country_settings.h"
#include "core/canvas.h"
#include "nutrition/hest.h"

namespace stallora {

inline constexpr int kContributionChartHeight = 650;

// The colour of the feed at a position of the ration in the contribution chart.
Colour FeedColour(int position);

struct ChartSize {
  int width = 0;
  int height = 0;
};

// The size the supply chart needs for the chosen nutrients (measured with the canvas's
// font; the canvas is not drawn on).
ChartSize SupplyChartSize(Canvas& measure, const std::array<bool, kNutrientCount>& shown,
                          const CountrySettings& settings);
// Draws the supply chart. `title` is the bold first line (caption, horse name, date).
// The caller has evaluated the ration.
void DrawSupplyChart(const THest& h, const std::array<bool, kNutrientCount>& shown, const CountrySettings& settings,
                     const std::string& title, Canvas& canvas);

// The least width at which the contribution chart's texts fit.
int ContributionChartMinWidth(Canvas& measure, const std::array<bool, kNutrientCount>& shown,
                              const CountrySettings& settings);
// Draws the contribution chart on the whole canvas (its width is the image control's).
void DrawContributionChart(const THest& h, const std::array<bool, kNutrientCount>& shown,
                           const CountrySettings& settings, const std::string& title, char decimalSeparator,
                           Canvas& canvas);

// Both charts on one portrait page: two framed bands with headings and the two pictures.
struct PrintBox {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
struct ChartPrintLayout {
  int fontHeight = 0;
  PrintBox supplyBand, contributionBand;
  int supplyHeadingY = 0, contributionHeadingY = 0;  // centre lines of the headings
  PrintBox supplyChart, contributionChart;
};
ChartPrintLayout LayoutChartPage(int pageWidth, int pageHeight, ChartSize supply, ChartSize contribution);

}  // namespace stallora
