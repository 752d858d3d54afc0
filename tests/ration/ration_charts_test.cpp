#include "ration/ration_charts.h"

#include <gtest/gtest.h>

#include <cmath>

namespace stallora {
namespace {

class RationChartsTest : public ::testing::Test {
 protected:
  RationChartsTest() : clock_(EncodeDate(2026, 12, 9)), env_(clock_, Regional{}, 45, &active_, &settings_) {
    settings_.nutrients.resize(24);
    for (int i = 0; i < 24; ++i) {
      settings_.nutrients[static_cast<size_t>(i)].name = "N" + std::to_string(i);
      settings_.nutrients[static_cast<size_t>(i)].unit = "g";
    }
    settings_.nutrients[2].name = "Lysin";  // the widest name: 5 characters, 30 pixels
    shown_.fill(false);
  }
  std::unique_ptr<THest> Horse() {
    auto h = std::make_unique<THest>(env_);
    h->VektListe->LeggTil(500, clock_.Today());
    return h;
  }
  TFor& Feed(THest& h, const std::string& name, int category, double kg) {
    TFor& f = h.ForListe->AddFeed(std::make_unique<TFor>(env_));
    f.Fornavn = name;
    f.Fortype = static_cast<uint8_t>(category);
    f.TildeltKg = kg;
    f.Valgt = true;
    return f;
  }
  // The text op, or an empty op (with a failure) so a missing text cannot crash the test.
  static const RecordingCanvas::Op* At(const RecordingCanvas& c, std::string_view text) {
    static const RecordingCanvas::Op kNone{RecordingCanvas::Op::kText, -1, -1, -1, -1, {}, PenStyle::Solid, ""};
    const RecordingCanvas::Op* op = c.FindText(text);
    EXPECT_TRUE(op) << "no text " << text;
    return op ? op : &kNone;
  }
  static std::vector<const RecordingCanvas::Op*> Fills(const RecordingCanvas& c, int y) {
    std::vector<const RecordingCanvas::Op*> out;
    for (const auto& op : c.ops)
      if (op.kind == RecordingCanvas::Op::kFill && op.y1 == y) out.push_back(&op);
    return out;
  }

  FixedClock clock_;
  TEnergyProteinObj active_;
  CountrySettings settings_;
  RecordEnvironment env_;
  std::array<bool, kNutrientCount> shown_{};
};

// Text is 6 pixels a byte and 13 high on the recording canvas: h = 13, W = 30, x0 = 40.
TEST_F(RationChartsTest, SupplyChartScaleBarsAndPercentages) {
  auto h = Horse();
  shown_[0] = shown_[1] = shown_[2] = shown_[3] = true;
  h->Behov = {};
  h->Behov[0] = 100;
  h->Tilforsel[0] = 2000;  // 2000 %: bar to the end of the scale, text unchanged
  h->UtenforOmrade[0] = true;
  h->Behov[1] = 100;
  h->Tilforsel[1] = 50;
  h->UtenforOmrade[1] = true;  // below: red
  h->Behov[2] = 0;             // no requirement: no bar
  h->Tilforsel[2] = 5;
  h->Behov[3] = 100;
  h->Tilforsel[3] = 300;  // in range: green, logarithmic

  const ChartSize size = [&] {
    RecordingCanvas measure(1, 1);
    return SupplyChartSize(measure, shown_, settings_);
  }();
  RecordingCanvas c(size.width, size.height);
  DrawSupplyChart(*h, shown_, settings_, "Titel", c);

  const RecordingCanvas::Op* title = c.FindText("Titel");
  ASSERT_TRUE(title);
  EXPECT_EQ(title->x1, 5);
  EXPECT_EQ(title->y1, 2);
  ASSERT_TRUE(c.FindText("Under behov"));
  EXPECT_EQ(At(c, "Under behov")->x1, 40);
  EXPECT_EQ(At(c, "Over optimalomr\xE5" "det")->x1, 340);
  // Scale labels centred at y1 + 5 = 70.
  const RecordingCanvas::Op* hundred = c.FindText("100%");
  ASSERT_TRUE(hundred);
  EXPECT_EQ(hundred->x1, 240 - 12);
  EXPECT_EQ(hundred->y1, 70);
  ASSERT_TRUE(c.FindText("1000%"));

  // Rows from y1 + 45 = 110, 16 pixels apart.
  const int rows[4] = {110, 126, 142, 158};
  EXPECT_EQ(At(c, "N0")->x1, 35 - 12) << "names end at 5 + W";
  auto bar = [&](int y) -> const RecordingCanvas::Op* {
    for (const auto* op : Fills(c, y))
      if (op->x1 == 40) return op;
    return nullptr;
  };
  ASSERT_TRUE(bar(rows[0]));
  EXPECT_EQ(bar(rows[0])->x2, 440);
  EXPECT_EQ(bar(rows[0])->colour, colours::kYellow);
  EXPECT_EQ(At(c, "2000%")->x1, 450) << "the text keeps the uncapped percentage";
  ASSERT_TRUE(bar(rows[1]));
  EXPECT_EQ(bar(rows[1])->x2, 140);
  EXPECT_EQ(bar(rows[1])->colour, colours::kRed);
  EXPECT_FALSE(bar(rows[2])) << "requirement 0: bar of length 0";
  ASSERT_TRUE(c.FindText("   0%"));
  ASSERT_TRUE(bar(rows[3]));
  EXPECT_EQ(bar(rows[3])->x2, 240 + static_cast<int>(std::lround(std::log10(3.0) * 200)));
  EXPECT_EQ(bar(rows[3])->colour, colours::kGreen);
  EXPECT_GE(size.height, rows[3] + 16);
}

TEST_F(RationChartsTest, ContributionChartSegmentsFollowTheRationOrder) {
  auto h = Horse();
  shown_[3] = shown_[6] = true;
  TFor& hay = Feed(*h, "H\xF8", 6, 10);
  TFor& mineral = Feed(*h, "Mineral", 9, 0.1);
  hay.SetValue(3, 3);       // 30 g
  mineral.SetValue(3, 100); // 10 g
  h->Behov[3] = 50;
  h->Tilforsel[3] = 40;
  h->UtenforOmrade[3] = true;

  RecordingCanvas c(700, kContributionChartHeight);
  DrawContributionChart(*h, shown_, settings_, "Titel", ',', c);
  ASSERT_TRUE(c.FindText("Titel"));
  EXPECT_EQ(At(c, "Titel")->x1, 20);
  // Legend entries: FormatFixed(6, 1) kg for hay, (6, 3) for the supplement.
  const RecordingCanvas::Op* first = c.FindText("   10,0 kg H\xF8");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->x1, 48);
  EXPECT_EQ(first->y1, 20);
  ASSERT_TRUE(c.FindText("  0,100 kg Mineral"));
  EXPECT_FALSE(c.FindText("N6")) << "the ratio has no row";
  const RecordingCanvas::Op* name = c.FindText("N3");
  ASSERT_TRUE(name);
  EXPECT_EQ(name->colour, colours::kRed);
  const int row = name->y1;
  EXPECT_EQ(row, 20 + 60);
  ASSERT_TRUE(c.FindText("80%"));
  // W = 12 (names "N3"): c = 37. Mineral (position 1) drawn first over the full bar, then hay
  // over its 30/40 share.
  std::vector<const RecordingCanvas::Op*> segments;
  for (const auto* op : Fills(c, row))
    if (op->x1 == 37) segments.push_back(op);
  ASSERT_EQ(segments.size(), 2u);
  EXPECT_EQ(segments[0]->x2, 337);
  EXPECT_EQ(segments[0]->colour, FeedColour(1));
  EXPECT_EQ(segments[1]->x2, 37 + 225);
  EXPECT_EQ(segments[1]->colour, FeedColour(0));
}

TEST_F(RationChartsTest, LegendWrapsAtTheRightEdge) {
  auto h = Horse();
  shown_[0] = true;
  for (int i = 0; i < 6; ++i) Feed(*h, "Foder" + std::to_string(i), 6, 1);
  // Entry text "    1,0 kg FoderN" is 17 bytes = 102 px; each entry takes 140 px.
  RecordingCanvas c(400, kContributionChartHeight);
  DrawContributionChart(*h, shown_, settings_, "T", ',', c);
  EXPECT_EQ(At(c, "    1,0 kg Foder0")->y1, 20);
  EXPECT_EQ(At(c, "    1,0 kg Foder1")->x1, 20 + 140 + 28);
  EXPECT_EQ(At(c, "    1,0 kg Foder2")->y1, 20 + 17) << "the third would end beyond 360";
  EXPECT_EQ(At(c, "    1,0 kg Foder2")->x1, 48);
}

TEST_F(RationChartsTest, ColoursAndPrintLayout) {
  EXPECT_EQ(FeedColour(0), (Colour{0, 128, 0}));
  EXPECT_EQ(FeedColour(7), (Colour{0, 0, 255}));
  EXPECT_EQ(FeedColour(10), FeedColour(25)) << "olive from the eleventh feed on";

  const ChartPrintLayout l = LayoutChartPage(1000, 2000, {500, 400}, {700, 650});
  EXPECT_EQ(l.fontHeight, 40);
  EXPECT_EQ(l.supplyBand.x1, 100);
  EXPECT_EQ(l.supplyBand.y2, 130);
  EXPECT_EQ(l.supplyHeadingY, 80);
  EXPECT_EQ(l.supplyChart.x1, 200);
  EXPECT_EQ(l.supplyChart.y1, 160);
  EXPECT_EQ(l.supplyChart.y2, 160 + 480) << "600 wide keeps the aspect ratio";
  EXPECT_EQ(l.contributionBand.y1, 1000);
  EXPECT_EQ(l.contributionHeadingY, 1020);
  EXPECT_EQ(l.contributionChart.y1, 1100);
  EXPECT_EQ(l.contributionChart.y2, 1100 + 520);
  const ChartPrintLayout empty = LayoutChartPage(1000, 2000, {0, 0}, {0, 0});
  EXPECT_EQ(empty.supplyChart.y2, empty.supplyChart.y1) << "no division by an empty picture";
}

}  // namespace
}  // namespace stallora
