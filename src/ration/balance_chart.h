#pragma once
// The nutrient balance chart: one bar per shown nutrient, its supply as a share of the
// requirement, linear up to 100 % (the middle of the chart) and logarithmic above.

#include <array>

#include "config/country_settings.h"
#include "core/canvas.h"
#include "core/texts.h"
#include "nutrition/hest.h"

namespace stallora {

inline constexpr int kBalanceChartWidth = 481;
inline constexpr int kBalanceChartHeight = 458;
inline constexpr Text kUnderBehov{"chart.under", "Under behov"};
inline constexpr Text kIOptimal{"chart.optimal", "I optimalområdet"};
inline constexpr Text kOverOptimal{"chart.over", "Over optimalområdet"};

// The bar's right end for a supply of p % of the requirement.
int BalanceBarEnd(int x0, int s, int percent);

// Draws the chart of the horse's current evaluation (the caller has run the requirement
// and the ration evaluation) for the nutrients whose flag is set.
void DrawBalanceChart(const THest& h, const std::array<bool, kNutrientCount>& shown, const CountrySettings& settings,
                      Canvas& canvas);

// TegnBalanse: computes the requirement and the evaluation, then draws.
void TegnBalanse(THest& h, const std::array<bool, kNutrientCount>& shown, const CountrySettings& settings,
                 Canvas& canvas);

}  // namespace stallora
