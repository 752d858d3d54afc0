#include "ration/balance_chart.h"

#include <algorithm>
#include <cmath>

#include "ration/evaluation.h"

namespace stallora {
namespace {

int Round(double x) { return static_cast<int>(std::nearbyint(x)); }

}  // namespace

int BalanceBarEnd(int x0, int s, int p) {
  if (p <= 99) return x0 + Round(s * 0.5 / 100 * p);
  return x0 + s / 2 + Round(std::log10(p / 100.0) * s * 0.5);
}

void DrawBalanceChart(const THest& h, const std::array<bool, kNutrientCount>& shown, const CountrySettings& settings,
                      Canvas& c) {
  using namespace colours;
  c.FillRect(0, 0, c.Width(), c.Height(), kWhite);
  c.SetFont("MS Sans serif", 8);
  const int t = c.TextHeight("0");
  int lw = 0;
  int n = 0;
  for (int i = 0; i < kNutrientCount; ++i) {
    if (!shown[static_cast<size_t>(i)]) continue;
    lw = std::max(lw, c.TextWidth(settings.NutrientName(i)));
    ++n;
  }
  const int x0 = 2 + lw + 5;
  const int xe = Round(kBalanceChartWidth * 0.96);
  const int s = xe - x0 + 1;

  // Legend.
  const int legendX[3] = {x0, x0 + s / 3, x0 + Round(s * 0.67)};
  const Colour legendColour[3] = {kRed, kGreen, kYellow};
  const std::string legendText[3] = {Tr(kUnderBehov), Tr(kIOptimal), Tr(kOverOptimal)};
  for (int k = 0; k < 3; ++k) {
    c.Text(legendX[k], 3, legendText[k], kBlack);
    c.FillRect(legendX[k], 18, legendX[k] + s / 10, 18 + Round(t * 0.7), legendColour[k]);
  }

  // Rows.
  const int step = Round(1.2 * t);
  int y = 4 * t + 18 - t - 2;
  for (int i = 0; i < kNutrientCount; ++i) {
    if (!shown[static_cast<size_t>(i)]) continue;
    const double need = h.Behov[static_cast<size_t>(i)];
    const double supply = h.Tilforsel[static_cast<size_t>(i)];
    int p = need > 0 ? Round(supply * 100 / need) : 0;
    p = std::clamp(p, 0, 1000);
    const std::string& name = settings.NutrientName(i);
    c.Text(2 + lw - c.TextWidth(name), y, name, kBlack);
    const int end = BalanceBarEnd(x0, s, p);
    const Colour bar = !h.UtenforOmrade[static_cast<size_t>(i)] ? kGreen : (need > supply ? kRed : kYellow);
    c.FillRect(x0, y, end, y + t, bar);
    c.FillRect(end, y, xe - 1, y + t, kWhite);
    y += step;
  }

  // Scale.
  const int top = 4 * t + 18;
  const int bottom = (4 * t + 3) + n * step;
  const int half = Round(s * 0.5);
  auto label = [&](int x, const std::string& text) { c.Text(x - c.TextWidth(text) / 2, top - 40, text, kBlue); };
  label(x0, "0%");
  label(x0 + Round(s * 0.25), "50%");
  label(x0 + half, "100%");
  for (int x : {x0, x0 + Round(s * 0.25), x0 + half}) c.Line(x, top - 25, x, top - 20, kBlue);
  c.Line(x0, top - 20, xe, top - 20, kBlue);
  c.Line(x0, bottom, xe, bottom, kBlue);
  for (int j = 2; j <= 10; ++j) {
    const int x = x0 + half + Round(std::log10(static_cast<double>(j)) * half);
    c.Line(x, top - 25, x, top - 20, kBlue);
    if (j == 2 || j == 5 || j == 10) {
      label(x, std::to_string(j * 100) + "%");
      c.Line(x, top - 20, x, bottom, kBlue, PenStyle::Dotted);
    }
  }
  c.Line(x0, top - 20, x0, bottom, kBlue);
  c.Line(x0 + half, top - 20, x0 + half, bottom, kRed);
}

void TegnBalanse(THest& h, const std::array<bool, kNutrientCount>& shown, const CountrySettings& settings,
                 Canvas& canvas) {
  h.BeregnBehov();
  BeregnTilforsel(h);
  DrawBalanceChart(h, shown, settings, canvas);
}

}  // namespace stallora
