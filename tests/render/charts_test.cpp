// The charts as pictures and printed pages, and the reports as Qt lays them out.

#include "render/charts.h"

#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

#include "../ration/report_fixture.h"
#include "ration/balance_chart.h"
#include "render/fonts.h"
#include "render/pictures.h"
#include "render/qttext.h"

namespace stallora {
namespace {

bool Near(const QColor& a, const QColor& b, int tolerance = 40) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

// How many pixels of a region are close to a colour.
int CountNear(const QImage& image, const QRect& region, const QColor& colour, int tolerance = 40) {
  int n = 0;
  for (int y = region.top(); y <= region.bottom(); ++y)
    for (int x = region.left(); x <= region.right(); ++x) n += Near(image.pixelColor(x, y), colour, tolerance);
  return n;
}

class ChartsTest : public testing::ReportTest {
 protected:
  void SetUp() override {
    testing::ReportTest::SetUp();
    InstallFontSubstitutions();
  }
};

TEST_F(ChartsTest, BalanceChartPictureColoursTheBarsByTheFlags) {
  auto h = Blakken();
  const QImage image = BalanceChartImage(*h);
  if (const char* out = std::getenv("STALLORA_SAVE_PICTURES")) image.save(QString(out) + "/balance.png");
  ASSERT_EQ(image.size(), QSize(kBalanceChartWidth, kBalanceChartHeight));
  // Energy is over (yellow), salt under (red), calcium inside (green).
  ASSERT_TRUE(h->UtenforOmrade[0]);
  ASSERT_TRUE(h->UtenforOmrade[7]);
  ASSERT_FALSE(h->UtenforOmrade[3]);
  const QColor yellow(255, 230, 0), red(255, 0, 0), green(0, 160, 0);
  EXPECT_GT(CountNear(image, image.rect(), yellow), 200);
  EXPECT_GT(CountNear(image, image.rect(), red), 200);
  EXPECT_GT(CountNear(image, image.rect(), green), 200);

  const std::filesystem::path file = dir_ / "chart.jpg";
  JpegPictureWriter writer;
  ASSERT_TRUE(writer.WriteJpeg(
      kBalanceChartWidth, kBalanceChartHeight,
      [&](Canvas& c) { DrawBalanceChart(*h, prefs_.showNutrient, settings_, c); }, file));
  const QImage back = ReadPicture(file);
  ASSERT_EQ(back.size(), image.size());
  // Quality 100: the picture reads back as drawn but for the colour edges the JPEG
  // encoder's chroma subsampling softens.
  int differing = 0, samples = 0;
  for (int y = 0; y < back.height(); y += 3)
    for (int x = 0; x < back.width(); x += 3, ++samples)
      differing += !Near(back.pixelColor(x, y), image.pixelColor(x, y), 60);
  EXPECT_LT(differing, samples / 40);
  EXPECT_FALSE(writer.WriteJpeg(10, 10, [](Canvas&) {}, dir_ / "missing" / "dir" / "x.jpg"));
}

TEST_F(ChartsTest, MealChartPictureHasBandsTextAndTheHorsesPicture) {
  auto h = Blakken();
  QImage photo(200, 100, QImage::Format_RGB32);
  photo.fill(QColor(0, 0, 255));
  ASSERT_TRUE(WriteJpeg(photo, dir_ / "blakken.jpg"));
  h->Bildefilnavn = (dir_ / "blakken.jpg").string();
  const QImage image = MealChartImage(*h, 800, 500);
  if (const char* out = std::getenv("STALLORA_SAVE_PICTURES")) image.save(QString(out) + "/mealchart.png");
  ASSERT_EQ(image.size(), QSize(800, 500));
  // The picture: 90 high and 180 wide, ending at 792 from y = 6.
  EXPECT_GT(CountNear(image, QRect(620, 10, 160, 80), QColor(0, 0, 255)), 10000);
  EXPECT_EQ(CountNear(image, QRect(300, 10, 200, 80), QColor(0, 0, 255)), 0);
  // The name in the header band and the grid below it leave dark pixels.
  EXPECT_GT(CountNear(image, QRect(5, 20, 200, 60), QColor(0, 0, 0), 100), 200);
  EXPECT_GT(CountNear(image, QRect(16, 125, 400, 260), QColor(0, 0, 0), 100), 500);
  // The footer band's outline runs along y = 460.
  EXPECT_GT(CountNear(image, QRect(100, 459, 600, 3), QColor(0, 0, 0), 100), 500);
}

TEST_F(ChartsTest, MealChartPrintsOnALandscapePage) {
  auto h = Blakken();
  const QString pdf = QString::fromStdString((dir_ / "meals.pdf").string());
  QPdfWriter writer(pdf);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setResolution(150);
  ASSERT_TRUE(PrintMealChart(*h, writer));
  EXPECT_EQ(writer.pageLayout().orientation(), QPageLayout::Landscape);
  const std::string bytes = testing::ReadBytes(dir_ / "meals.pdf");
  EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
  EXPECT_GT(bytes.size(), 1000u);
}

// The reports as the program's HTML view lays them out: Windows-1252 text decoded, the
// chart picture found, the tables not collapsed.
TEST_F(ChartsTest, ReportsLayOutWithTheirPictures) {
  auto h = Blakken();
  const std::filesystem::path dir = dir_ / "Save" / "Min stald1" / "Blakken";
  JpegPictureWriter pictures;
  HorseReports reports(*h, dir, &pictures);
  QTextDocument document;
  document.setBaseUrl(QUrl::fromLocalFile(QString::fromStdString(dir.string()) + "/"));
  document.setHtml(Q(reports.Grafikkside()));
  document.setTextWidth(800);
  const QString text = document.toPlainText();
  EXPECT_TRUE(text.contains(QString::fromUtf8("Foderemner og vægt i dagsrationen")));
  EXPECT_TRUE(text.contains(QString::fromUtf8("Hø 1. slæt")));
  EXPECT_TRUE(text.contains("Mineral <Plus> & Co"));
  const QUrl chart = QUrl::fromLocalFile(QString::fromStdString((dir / "Blakken_RationGraphics.jpg").string()));
  const QVariant image = document.resource(QTextDocument::ImageResource, chart);
  ASSERT_TRUE(image.isValid()) << "the chart picture is not found";
  // The page is taller than the chart alone: table, picture and footer are all there.
  EXPECT_GT(document.size().height(), kBalanceChartHeight + 200);

  document.setHtml(Q(reports.LagBehovside()));
  EXPECT_TRUE(document.toPlainText().contains(QString::fromUtf8("Næringsstof")));
  EXPECT_TRUE(document.toPlainText().contains(QString::fromUtf8("Råprotein")));
}

}  // namespace
}  // namespace stallora
