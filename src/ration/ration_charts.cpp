#include "ration/ration_charts.h"

#include <algorithm>
#include <cmath>

#include <fmt/format.h>

#include "core/textutil.h"
#include "ration/balance_chart.h"

namespace stallora {
namespace {

constexpr std::string_view kChartFont = "MS Sans serif";
constexpr int kChartFontSize = 8;

int Round(double x) { return static_cast<int>(std::nearbyint(x)); }

int WidestName(Canvas& c, const std::array<bool, kNutrientCount>& shown, const CountrySettings& s, bool skipRatio) {
  int w = 0;
  for (int i = 0; i < kNutrientCount; ++i)
    if (shown[static_cast<size_t>(i)] && !(skipRatio && i == 6)) w = std::max(w, c.TextWidth(s.NutrientName(i)));
  return w;
}

int ShownCount(const std::array<bool, kNutrientCount>& shown, bool skipRatio) {
  int n = 0;
  for (int i = 0; i < kNutrientCount; ++i)
    if (shown[static_cast<size_t>(i)] && !(skipRatio && i == 6)) ++n;
  return n;
}

// Supply in percent of the requirement, 0 without a requirement.
int Percent(const THest& h, int i) {
  const double need = h.Behov[static_cast<size_t>(i)];
  if (need <= 0) return 0;
  const double p = h.Tilforsel[static_cast<size_t>(i)] * 100 / need;
  return std::isfinite(p) ? static_cast<int>(std::clamp(std::nearbyint(p), -1e9, 1e9)) : 0;
}

Colour BarColour(const THest& h, int i) {
  const size_t k = static_cast<size_t>(i);
  if (!h.UtenforOmrade[k]) return colours::kGreen;
  return h.Behov[k] > h.Tilforsel[k] ? colours::kRed : colours::kYellow;
}

void RightAligned(Canvas& c, int right, int y, const std::string& text, Colour colour) {
  c.Text(right - c.TextWidth(text), y, text, colour);
}

void Centred(Canvas& c, int x, int y, const std::string& text, Colour colour) {
  c.Text(x - c.TextWidth(text) / 2, y, text, colour);
}

// The supply chart's bar end for p % (p already capped): linear to 100 % at x0 + 200,
// logarithmic to 1000 % at x0 + 400.
int SupplyBarEnd(int x0, int p) {
  if (p < 100) return x0 + 2 * std::max(p, 0);
  return x0 + 200 + Round(std::log10(p / 100.0) * 200);
}

}  // namespace

Colour FeedColour(int position) {
  static constexpr std::array<Colour, 11> kColours{{
      {0, 128, 0},      // green
      {255, 0, 0},      // red
      {255, 255, 0},    // yellow
      {0, 255, 255},    // aqua
      {128, 0, 0},      // maroon
      {0, 255, 0},      // lime
      {0, 128, 128},    // teal
      {0, 0, 255},      // blue
      {255, 0, 255},    // fuchsia
      {0, 0, 128},      // navy
      {128, 128, 0},    // olive
  }};
  return kColours[static_cast<size_t>(std::clamp(position, 0, 10))];
}

ChartSize SupplyChartSize(Canvas& c, const std::array<bool, kNutrientCount>& shown, const CountrySettings& s) {
  c.SetFont(kChartFont, kChartFontSize);
  const int h = c.TextHeight("0");
  const int x0 = 5 + WidestName(c, shown, s, false) + 5;
  const int rows = ShownCount(shown, false);
  return {x0 + 410 + c.TextWidth("000000%") + 10, 5 * h + 45 + rows * Round(1.2 * h) + 10};
}

void DrawSupplyChart(const THest& hs, const std::array<bool, kNutrientCount>& shown, const CountrySettings& s,
                     const std::string& title, Canvas& c) {
  using namespace colours;
  c.FillRect(0, 0, c.Width(), c.Height(), kWhite);
  c.SetFont(kChartFont, kChartFontSize, true);
  c.Text(5, 2, title, kBlack);
  c.SetFont(kChartFont, kChartFontSize, false);
  const int h = c.TextHeight("0");
  const int w = WidestName(c, shown, s, false);
  const int x0 = 5 + w + 5;

  // Legend.
  const std::string legend[3] = {Tr(kUnderBehov), Tr(kIOptimal), Tr(kOverOptimal)};
  const Colour legendColour[3] = {kRed, kGreen, kYellow};
  for (int k = 0; k < 3; ++k) {
    c.Text(x0 + 150 * k, 30, legend[k], kBlack);
    c.FillRect(x0 + 150 * k, 45, x0 + 150 * k + 80, 45 + h, legendColour[k]);
  }

  // Rows.
  const int y1 = 5 * h;
  const int step = Round(1.2 * h);
  int y = y1 + 45;
  for (int i = 0; i < kNutrientCount; ++i) {
    if (!shown[static_cast<size_t>(i)]) continue;
    const std::string& name = s.NutrientName(i);
    RightAligned(c, 5 + w, y, name, kBlack);
    const int p = Percent(hs, i);
    c.Text(x0 + 410, y, fmt::format("{:>5}", std::to_string(p) + "%"), kBlack);
    const int end = SupplyBarEnd(x0, std::min(p, 1000));
    if (end > x0) {
      c.FillRect(x0, y, end, y + h, BarColour(hs, i));
      c.FrameRect(x0, y, end, y + h, kBlack);
    }
    y += step;
  }
  const int bottom = y;

  // Scale, drawn over the bars so the 100 % line and the dotted lines stay visible.
  Centred(c, x0, y1 + 5, "0%", kBlue);
  Centred(c, x0 + 100, y1 + 5, "50%", kBlue);
  Centred(c, x0 + 200, y1 + 5, "100%", kBlue);
  for (int x : {x0, x0 + 100, x0 + 200}) c.Line(x, y1 + 20, x, y1 + 25, kBlue);
  c.Line(x0, y1 + 25, x0 + 400, y1 + 25, kBlue);
  for (int k = 2; k <= 10; ++k) {
    const int x = x0 + 200 + Round(std::log10(static_cast<double>(k)) * 200);
    c.Line(x, y1 + 20, x, y1 + 25, kBlue);
    if (k == 2 || k == 5 || k == 10) {
      Centred(c, x, y1 + 5, std::to_string(k * 100) + "%", kBlue);
      c.Line(x, y1 + 25, x, bottom, kBlue, PenStyle::Dotted);
    }
  }
  c.Line(x0, y1 + 25, x0, bottom, kBlue);
  c.Line(x0 + 200, y1 + 25, x0 + 200, bottom, kRed);
}

int ContributionChartMinWidth(Canvas& c, const std::array<bool, kNutrientCount>& shown, const CountrySettings& s) {
  c.SetFont(kChartFont, kChartFontSize);
  const int w = WidestName(c, shown, s, true);
  return c.TextWidth("0000%") + w + 335 + c.TextWidth("000000000000") + 20;
}

void DrawContributionChart(const THest& hs, const std::array<bool, kNutrientCount>& shown, const CountrySettings& s,
                           const std::string& title, char sep, Canvas& c) {
  using namespace colours;
  const TForListe& ration = *hs.ForListe;
  c.FillRect(0, 0, c.Width(), c.Height(), kWhite);
  c.SetFont(kChartFont, kChartFontSize, true);
  c.Text(20, 2, title, kBlack);
  c.SetFont(kChartFont, kChartFontSize, false);
  const int h = c.TextHeight("0");
  const int w = WidestName(c, shown, s, true);
  const int lineStep = Round(1.3 * h);

  // Legend: one entry per feed, in ration order, wrapping at the right edge.
  std::vector<std::string> entries;
  int widest = 0;
  for (const auto& f : ration.Feeds()) {
    const bool grams = IsSupplementCategory(f->Fortype);
    entries.push_back(FormatFixed(6, grams ? 3 : 1, f->TildeltKg, sep) + " kg " + f->Fornavn);
    widest = std::max(widest, c.TextWidth(entries.back()));
  }
  int x = 20, y = 20;
  for (size_t k = 0; k < entries.size(); ++k) {
    const int width = 38 + widest;
    if (x != 20 && x + width > c.Width() - 40) {
      x = 20;
      y += lineStep;
    }
    c.FillRect(x, y, x + 25, y + h, FeedColour(static_cast<int>(k)));
    c.Text(x + 28, y, entries[k], kBlack);
    x += width;
  }

  // Rows.
  const int top = y + 60;
  const int cx = w + 25, dx = w + 325;
  const int percentRight = c.TextWidth("0000%") + w + 335;
  const int supplyRight = percentRight + c.TextWidth("000000000000");
  int row = top;
  for (int i = 0; i < kNutrientCount; ++i) {
    if (!shown[static_cast<size_t>(i)] || i == 6) continue;
    const size_t k = static_cast<size_t>(i);
    RightAligned(c, 20 + w, row, s.NutrientName(i), hs.UtenforOmrade[k] ? kRed : kBlack);
    RightAligned(c, percentRight, row, std::to_string(Percent(hs, i)) + "%", kBlack);
    RightAligned(c, supplyRight, row, FormatFixed(8, 2, hs.Tilforsel[k], sep) + " " + s.NutrientUnit(i), kBlack);
    const double supply = hs.Tilforsel[k];
    double drawn = 0;
    for (int fi = ration.Count() - 1; fi >= 0; --fi) {
      const TFor& f = *ration.FeedAt(fi);
      const double rest = std::max(0.0, supply - drawn);
      const int end = supply > 0 ? cx + Round(std::min(rest / supply, 1.0) * 300) : cx;
      if (end > cx) c.FillRect(cx, row, end, row + h, FeedColour(fi));
      if (f.Valgt) drawn += f.Value(i) * f.TildeltKg;
    }
    c.Line(cx, row, dx, row, kBlack);
    c.Line(cx, row + h, dx, row + h, kBlack);
    row += lineStep;
  }
  const int bottom = row;

  // Axes.
  c.Line(cx, top - 5, cx, bottom, kBlue);
  c.Line(dx, top - 5, dx, bottom, kBlue);
  c.Line(cx, top - 5, dx, top - 5, kBlue);
  for (int p = 0; p <= 100; p += 20) {
    const int px = cx + p * 3;
    const std::string label = std::to_string(p) + "%";
    c.Line(px, top - 10, px, top - 5, kBlue);
    Centred(c, px, top - 10 - h, label, kBlue);
    c.Line(px, bottom, px, bottom + 5, kBlue);
    Centred(c, px, bottom + 5, label, kBlue);
  }
}

ChartPrintLayout LayoutChartPage(int pw, int ph, ChartSize supply, ChartSize contribution) {
  ChartPrintLayout l;
  l.fontHeight = Round(ph * 0.02);
  l.supplyBand = {Round(pw * 0.1), Round(ph * 0.03), Round(pw * 0.9), Round(ph * 0.065)};
  l.supplyHeadingY = Round(ph * 0.04);
  const int left = Round(pw * 0.2), right = Round(pw * 0.8);
  const int supplyTop = Round(ph * 0.08);
  const int supplyHeight = supply.width > 0 ? Round((right - left) * static_cast<double>(supply.height) / supply.width) : 0;
  l.supplyChart = {left, supplyTop, right, supplyTop + supplyHeight};
  l.contributionBand = {Round(pw * 0.1), Round(ph * 0.5), Round(pw * 0.9), Round(ph * 0.535)};
  l.contributionHeadingY = Round(ph * 0.51);
  const int contributionTop = Round(ph * 0.55);
  const int contributionHeight =
      contribution.width > 0 ? Round(0.56 * pw * contribution.height / contribution.width) : 0;
  l.contributionChart = {left, contributionTop, right, contributionTop + contributionHeight};
  return l;
}

}  // namespace stallora
