#include "ration/meal_chart.h"

#include <gtest/gtest.h>

#include <cmath>

#include "report_fixture.h"

namespace stallora {
namespace {

int Round(double x) { return static_cast<int>(std::lround(x)); }

// Records the meal chart's own drawing beside the plain canvas operations; text is
// measured as 6 pixels a byte and 10 pixels high.
class RecordingMealCanvas final : public MealChartCanvas {
 public:
  RecordingMealCanvas(int w, int h) : plain(w, h, 6, 10) {}
  int Width() const override { return plain.Width(); }
  int Height() const override { return plain.Height(); }
  void FillRect(int x1, int y1, int x2, int y2, Colour c) override { plain.FillRect(x1, y1, x2, y2, c); }
  void FrameRect(int x1, int y1, int x2, int y2, Colour c) override { plain.FrameRect(x1, y1, x2, y2, c); }
  void Line(int x1, int y1, int x2, int y2, Colour c, PenStyle s) override { plain.Line(x1, y1, x2, y2, c, s); }
  void SetFont(std::string_view name, int size, bool bold) override { plain.SetFont(name, size, bold); }
  int TextWidth(std::string_view t) override { return plain.TextWidth(t); }
  int TextHeight(std::string_view t) override { return plain.TextHeight(t); }
  void Text(int x, int y, std::string_view t, Colour c) override {
    plain.Text(x, y, t, c);
    textFont.push_back(fontHeight);
  }
  void SetPenWidth(int w) override { penWidth = w; }
  void RoundRect(int x1, int y1, int x2, int y2, int, Colour) override { bands.push_back({x1, y1, x2, y2}); }
  void SetFontHeight(std::string_view name, int pixels, bool) override {
    fontName = std::string(name);
    fontHeight = pixels;
  }
  bool PictureSize(const std::filesystem::path&, int& w, int& h) override {
    w = 200;
    h = 100;
    return true;
  }
  void Picture(int x1, int y1, int x2, int y2, const std::filesystem::path& file) override {
    pictures.push_back({x1, y1, x2, y2});
    pictureFile = file;
  }

  // The text op and the font height it was drawn in.
  std::pair<const RecordingCanvas::Op*, int> Find(const std::string& text) const {
    for (size_t i = 0, k = 0; i < plain.ops.size(); ++i) {
      if (plain.ops[i].kind != RecordingCanvas::Op::kText) continue;
      if (plain.ops[i].text == text) return {&plain.ops[i], textFont[k]};
      ++k;
    }
    return {nullptr, 0};
  }

  RecordingCanvas plain;
  struct Box {
    int x1, y1, x2, y2;
  };
  std::vector<Box> bands, pictures;
  std::vector<int> textFont;
  std::filesystem::path pictureFile;
  std::string fontName;
  int fontHeight = 0;
  int penWidth = 0;
};

class MealChartTest : public testing::ReportTest {};

TEST_F(MealChartTest, ScreenGeometry) {
  auto h = Blakken();
  h->Bildefilnavn = (dir_ / "blakken.jpg").string();
  std::ofstream(dir_ / "blakken.jpg") << "JPEG";
  const int W = 800, H = 500;
  RecordingMealCanvas c(W, H);
  DrawMealChart(*h, MealChartMedium::Screen, c);
  EXPECT_EQ(c.penWidth, 1);
  EXPECT_EQ(c.fontName, "Arial");
  ASSERT_EQ(c.bands.size(), 2u);
  EXPECT_EQ(c.bands[0].y2, 100);  // header over the top 0.2
  EXPECT_EQ(c.bands[1].y1, 460);  // footer over the bottom 0.08

  auto [name, nameFont] = c.Find("Blakken");
  ASSERT_TRUE(name);
  EXPECT_EQ(nameFont, 50);  // half the band
  EXPECT_EQ(name->x1, 6);   // one "H" from the left
  EXPECT_EQ(name->y1, 45);  // centred in the band

  ASSERT_EQ(c.pictures.size(), 1u);
  EXPECT_EQ(c.pictureFile, dir_ / "blakken.jpg");
  const int top = Round(0.011 * H), height = Round(0.18 * H), right = Round(0.99 * W);
  EXPECT_EQ(c.pictures[0].y1, top);
  EXPECT_EQ(c.pictures[0].y2, top + height);
  EXPECT_EQ(c.pictures[0].x2, right);
  EXPECT_EQ(c.pictures[0].x2 - c.pictures[0].x1, 2 * height);  // aspect kept

  // Four rows (three feeds + times) count as five: 65 pixels each from 125.
  const double rowHeight = 0.65 * H / 5;
  const int col = Round(0.13 * W), left = Round(0.02 * W);
  auto [time, timeFont] = c.Find("1200");
  ASSERT_TRUE(time);
  EXPECT_EQ(timeFont, Round(0.6 * rowHeight));
  EXPECT_EQ(time->x1, left + col + (col - 24) / 2);
  EXPECT_EQ(time->y1, 125 + (Round(rowHeight) - 10) / 2);
  auto [grams, gramsFont] = c.Find("50");
  ASSERT_TRUE(grams);
  EXPECT_EQ(grams->x1, left + (col - 12) / 2);
  EXPECT_EQ(grams->y1, 125 + Round(3 * rowHeight) + (Round(4 * rowHeight) - Round(3 * rowHeight) - 10) / 2);
  EXPECT_TRUE(c.Find("3,00").first);
  EXPECT_TRUE(c.Find("0,75").first);
  EXPECT_FALSE(c.Find("0").first);  // zero amounts leave the cell empty
  auto [label, labelFont] = c.Find("g Mineral <Plus> & Co");
  ASSERT_TRUE(label);
  EXPECT_EQ(label->x1, left + 3 * col + Round(0.2 * col));
  EXPECT_TRUE(c.Find("kg Havre").first);

  auto [date, dateFont] = c.Find("08-12-2026");
  ASSERT_TRUE(date);
  EXPECT_EQ(dateFont, Round(0.6 * (H - 1 - 460)));
  const std::string adviser = "R\xE5" "dgiver: Karen Holm, Holm Foder & R\xE5" "dgivning";
  auto [right2, rf] = c.Find(adviser);
  ASSERT_TRUE(right2);
  EXPECT_EQ(right2->x2, W - 6);  // ends one "H" before the right edge
}

TEST_F(MealChartTest, PaperGeometryAndFonts) {
  auto h = Blakken();
  h->HFTider = {"0", "43200", "64800"};
  Feed(*h, "Gr\xE6s", 0, 20, 0, {}, 20);
  for (int i = 0; i < 4; ++i) Feed(*h, "Foder " + std::to_string(i), 3, 1, 0, {});
  const int W = 3000, H = 2100;
  RecordingMealCanvas c(W, H);
  DrawMealChart(*h, MealChartMedium::Paper, c);
  EXPECT_EQ(c.penWidth, 5);
  EXPECT_TRUE(c.pictures.empty());  // no picture file and no stand-in
  // Eight feeds + times: nine rows share 0.65 of the page; meals share half its width.
  const double rowHeight = 0.65 * H / 9;
  const double col = 0.5 * W / 3;
  EXPECT_FALSE(c.Find("0700").first);  // a time line "0" leaves the cell empty
  auto [noon, noonFont] = c.Find("1200");
  ASSERT_TRUE(noon);
  EXPECT_EQ(noonFont, Round(0.5 * rowHeight));  // fewer than five meals
  EXPECT_EQ(noon->x1, Round(0.02 * W) + Round(col) + (Round(2 * col) - Round(col) - 24) / 2);
  auto [hay, hayFont] = c.Find("kg H\xF8 1. sl\xE6t");
  ASSERT_TRUE(hay);
  EXPECT_EQ(hayFont, Round(0.4 * rowHeight));
  EXPECT_FALSE(c.Find("kg Gr\xE6s").first);  // grazing is not fed at meals
  const std::string footer = "Foderplan 08-12-2026. R\xE5" "dgiver: Karen Holm, Holm Foder & R\xE5" "dgivning";
  auto [text, footerFont] = c.Find(footer);
  ASSERT_TRUE(text);
  EXPECT_EQ(footerFont, Round(0.4 * (H - 3 - Round(0.92 * H))));
  EXPECT_FALSE(c.Find("08-12-2026").first);  // one footer text on paper

  h->HestNoMeals = 6;
  RecordingMealCanvas six(W, H);
  DrawMealChart(*h, MealChartMedium::Paper, six);
  EXPECT_EQ(six.Find("1200").second, Round(0.4 * rowHeight));
  EXPECT_EQ(h->ForListe->FeedAt(0)->Fordeling.size(), 6u);  // missing meal lines added as "0"
}

// A feed name too long for the room right of the grid ends inside the picture: shortened
// with "..." when even the smaller font cannot hold it; short names stay whole.
TEST_F(MealChartTest, FeedNamesEndInsideThePicture) {
  auto h = Blakken();
  h->ForListe->FeedAt(1)->Fornavn = "Mineralfoder til hest, gr\xE6sningss\xE6son, med ekstra selen, E-vitamin og biotin til hove og pels";
  for (int width : {800, 500}) {
    SCOPED_TRACE(width);
    RecordingMealCanvas c(width, 500);
    DrawMealChart(*h, MealChartMedium::Screen, c);
    bool shortened = false, whole = false;
    for (const auto& op : c.plain.ops) {
      if (op.kind != RecordingCanvas::Op::kText) continue;
      EXPECT_LE(op.x1 + c.plain.TextWidth(op.text), width) << op.text;
      if (op.text.rfind("kg Mineralfoder til hest", 0) == 0 && op.text.size() > 3 &&
          op.text.substr(op.text.size() - 3) == "...")
        shortened = true;
      if (op.text == "g Mineral <Plus> & Co") whole = true;
    }
    EXPECT_TRUE(shortened);
    EXPECT_TRUE(whole);
  }
}

TEST_F(MealChartTest, PictureFallsBackToTheStandIn) {
  auto h = Blakken();
  EXPECT_TRUE(MealChartPicture(*h).empty());
  std::filesystem::create_directories(prefs_.ImagesDirectory());
  std::ofstream(prefs_.ImagesDirectory() / "cavehorse.jpg") << "JPEG";
  EXPECT_EQ(MealChartPicture(*h), prefs_.ImagesDirectory() / "cavehorse.jpg");
  h->Bildefilnavn = (dir_ / "missing.jpg").string();
  EXPECT_EQ(MealChartPicture(*h), prefs_.ImagesDirectory() / "cavehorse.jpg");
  std::ofstream(dir_ / "own.jpg") << "JPEG";
  h->Bildefilnavn = (dir_ / "own.jpg").string();
  EXPECT_EQ(MealChartPicture(*h), dir_ / "own.jpg");
}

}  // namespace
}  // namespace stallora
