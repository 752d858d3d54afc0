#include "ration/meal_chart.h"

#include <algorithm>
#include <cmath>
#include <system_error>

#include "config/preferences.h"
#include "core/cp1252.h"
#include "core/textutil.h"
#include "ration/horse_reports.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

int Round(double x) { return static_cast<int>(std::lround(x)); }

bool FileExists(const fs::path& p) {
  std::error_code ec;
  return !p.empty() && fs::is_regular_file(p, ec);
}

constexpr const char* kFont = "Arial";

// Text centred in a box.
void Centred(MealChartCanvas& c, int x1, int y1, int x2, int y2, const std::string& text) {
  if (text.empty()) return;
  c.Text(x1 + (x2 - x1 - c.TextWidth(text)) / 2, y1 + (y2 - y1 - c.TextHeight(text)) / 2, text, colours::kBlack);
}

}  // namespace

fs::path MealChartPicture(const THest& h) {
  const fs::path own = PathFromText(h.Bildefilnavn);
  if (!h.Bildefilnavn.empty() && FileExists(own)) return own;
  if (h.env->preferences) {
    const fs::path standIn = h.env->preferences->ImagesDirectory() / "cavehorse.jpg";
    if (FileExists(standIn)) return standIn;
  }
  return {};
}

std::string MealChartFooterRight(const THest& h) {
  const TPreferences* p = h.env->preferences;
  return Tr(kMealChartRaadgiver) + ": " + (p ? p->KonsulentNavn : std::string()) + ", " +
         (p ? p->FirmaInfoTekst : std::string());
}

std::string MealChartFooterLeft(const THest& h, MealChartMedium medium) {
  const std::string today = h.env->regional.FormatShortDate(h.env->Today());
  if (medium == MealChartMedium::Screen) return today;
  return Tr(kMealChartFoderplan) + " " + today + ". " + MealChartFooterRight(h);
}

void DrawMealChart(THest& h, MealChartMedium medium, MealChartCanvas& c) {
  using namespace colours;
  const bool paper = medium == MealChartMedium::Paper;
  const int W = c.Width();
  const int H = c.Height();
  const int pen = paper ? 5 : 1;
  const int margin = pen / 2 + 1;
  c.FillRect(0, 0, W, H, kWhite);
  c.SetPenWidth(pen);

  // Header band with the name, one "H" from the left, centred in the band.
  const int headerBottom = Round(0.2 * H);
  c.RoundRect(margin, margin, W - margin, headerBottom, std::max(headerBottom / 4, 2), kBlack);
  c.SetFontHeight(kFont, Round(0.5 * headerBottom), true);
  const int hWidth = c.TextWidth("H");
  c.Text(hWidth, (headerBottom - c.TextHeight(h.Navn)) / 2, h.Navn, kBlack);

  // The picture in the top right corner, its aspect ratio kept.
  const fs::path picture = MealChartPicture(h);
  int pw = 0, ph = 0;
  if (!picture.empty() && c.PictureSize(picture, pw, ph) && pw > 0 && ph > 0) {
    const int top = paper ? Round(0.02 * H) : Round(0.011 * H);
    const int height = paper ? Round(0.2 * W) : Round(0.18 * H);
    const int right = paper ? W - Round(0.015 * W) : Round(0.99 * W);
    const int width = Round(static_cast<double>(height) * pw / ph);
    c.Picture(right - width, top, right, top + height, picture);
  }

  // The grid: a row of feeding times, then one row per feed outside the grazing categories.
  const int meals = ReportMealCount(h.HestNoMeals);
  const int rows = h.ForListe->Count() + 1;
  const double rowHeight = 0.65 * H / (rows > 5 ? rows : 5);
  const double colWidth = meals == 0 ? 0 : paper ? 0.5 * W / meals : 0.13 * W;
  const int left = Round(0.02 * W);
  const int gridTop = Round(0.25 * H);
  const int gridRight = left + Round(meals * colWidth);
  auto rowTop = [&](int row) { return gridTop + Round(row * rowHeight); };
  auto colLeft = [&](int col) { return left + Round(col * colWidth); };

  const int timesFont = Round((paper ? (meals < 5 ? 0.5 : 0.4) : 0.6) * rowHeight);
  c.SetFontHeight(kFont, timesFont, true);
  for (int m = 0; m < meals; ++m) {
    const std::string line = m < static_cast<int>(h.HFTider.size()) ? h.HFTider[static_cast<size_t>(m)] : "0";
    const std::string time = line == "0" ? std::string() : FeedingTimeText(line, "hhnn");
    Centred(c, colLeft(m), rowTop(0), colLeft(m + 1), rowTop(1), time);
  }

  const int amountsFont = Round((paper ? 0.4 : 0.6) * rowHeight);
  c.SetFontHeight(kFont, amountsFont, true);
  const char separator = h.env->regional.decimalSeparator;
  // The feed names right of the grid must end inside the picture: a smaller font when the
  // widest does not fit (down to half the amounts' font), and a name that still does not
  // fit ends in "...".
  const int labelLeft = gridRight + Round(0.2 * colWidth);
  const int labelRoom = W - margin - c.TextWidth("H") / 2 - labelLeft;
  auto labelOf = [](const TFor& f) { return (IsSupplementCategory(f.Fortype) ? "g " : "kg ") + f.Fornavn; };
  int widest = 0;
  for (const auto& f : h.ForListe->Feeds())
    if (!IsGrazingCategory(f->Fortype)) widest = std::max(widest, c.TextWidth(labelOf(*f)));
  int labelFont = amountsFont;
  if (widest > labelRoom && widest > 0)
    labelFont = std::max(amountsFont / 2, static_cast<int>(static_cast<double>(amountsFont) * labelRoom / widest));
  auto fitted = [&](std::string label) {
    if (labelRoom <= 0 || c.TextWidth(label) <= labelRoom) return label;
    while (!label.empty() && c.TextWidth(label + "...") > labelRoom) label.pop_back();
    return label + "...";
  };
  int row = 1;
  for (const auto& f : h.ForListe->Feeds()) {
    const std::vector<double> amounts = MealAmounts(*f, meals);
    if (IsGrazingCategory(f->Fortype)) continue;
    const bool grams = IsSupplementCategory(f->Fortype);
    for (int m = 0; m < meals; ++m) {
      const double x = amounts[static_cast<size_t>(m)];
      if (x == 0) continue;
      const std::string text = Trim(grams ? FormatFixed(5, 0, x * 1000, separator) : FormatFixed(5, 2, x, separator));
      Centred(c, colLeft(m), rowTop(row), colLeft(m + 1), rowTop(row + 1), text);
    }
    c.SetFontHeight(kFont, labelFont, true);
    const std::string label = fitted(labelOf(*f));
    c.Text(labelLeft, rowTop(row) + (rowTop(row + 1) - rowTop(row) - c.TextHeight(label)) / 2, label, kBlack);
    c.SetFontHeight(kFont, amountsFont, true);
    ++row;
  }
  // Lines between the rows and the meal columns that were drawn.
  for (int r = 0; r <= row; ++r) c.Line(left, rowTop(r), gridRight, rowTop(r), kBlack);
  for (int m = 0; m <= meals; ++m) c.Line(colLeft(m), rowTop(0), colLeft(m), rowTop(row), kBlack);

  // Footer band.
  const int footerTop = Round(0.92 * H);
  const int footerHeight = H - margin - footerTop;
  c.RoundRect(margin, footerTop, W - margin, H - margin, std::max(footerHeight / 4, 2), kBlack);
  c.SetFontHeight(kFont, Round((paper ? 0.4 : 0.6) * footerHeight), true);
  const int hw = c.TextWidth("H");
  const std::string leftText = MealChartFooterLeft(h, medium);
  const int textY = footerTop + (footerHeight - c.TextHeight(leftText)) / 2;
  c.Text(hw, textY, leftText, kBlack);
  if (!paper) {
    const std::string right = MealChartFooterRight(h);
    c.Text(W - hw - c.TextWidth(right), textY, right, kBlack);
  }
}

}  // namespace stallora
