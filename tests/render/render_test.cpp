// Drawing with Qt: the chart fonts resolve to installed fonts, charts paint, JPEG round trips.

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QGuiApplication>
#include <filesystem>

#include "ration/balance_chart.h"
#include "render/fonts.h"
#include "render/pictures.h"
#include "render/qtcanvas.h"

namespace stallora {
namespace {

TEST(Fonts, ChartFontsResolveToInstalledFamilies) {
  InstallFontSubstitutions();
  const QStringList installed = QFontDatabase::families();
  ASSERT_TRUE(installed.contains("Liberation Sans")) << "fonts-liberation2 is not installed";
  for (const char* name : {"MS Sans serif", "Arial", "Verdana"}) {
    const QString family = ResolvedFamily(name);
    EXPECT_TRUE(installed.contains(family)) << name << " -> " << family.toStdString();
  }
  EXPECT_EQ(ResolvedFamily("Arial"), "Liberation Sans");
  EXPECT_EQ(ResolvedFamily("MS Sans serif"), "Liberation Sans");
}

TEST(QtCanvas, PaintsRectanglesAndMeasuresText) {
  ImageCanvas ic(100, 50);
  Canvas& c = ic.canvas();
  c.FillRect(10, 10, 20, 20, colours::kRed);
  c.SetFont("Arial", 10);
  EXPECT_GT(c.TextWidth("Calcium"), c.TextWidth("Ca"));
  EXPECT_GT(c.TextHeight("0"), 5);
  c.Text(30, 5, "\xC6rl\xF8v", colours::kBlack);
  const QImage image = ic.Finish();
  EXPECT_EQ(image.pixelColor(15, 15), QColor(255, 0, 0));
  EXPECT_EQ(image.pixelColor(5, 5), QColor(255, 255, 255));
  // The text left dark pixels where it was drawn.
  int dark = 0;
  for (int x = 30; x < 90; ++x)
    for (int y = 5; y < 25; ++y) dark += image.pixelColor(x, y).lightness() < 128;
  EXPECT_GT(dark, 10);
}

TEST(Pictures, JpegAtFullQualityRoundTrips) {
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(QColor(0, 128, 255));
  const auto path = std::filesystem::temp_directory_path() / "stallora-render-test.jpg";
  ASSERT_TRUE(WriteJpeg(image, path));
  const QImage back = ReadPicture(path);
  ASSERT_EQ(back.size(), image.size());
  const QColor c = back.pixelColor(20, 15);
  EXPECT_NEAR(c.red(), 0, 3);
  EXPECT_NEAR(c.green(), 128, 3);
  EXPECT_NEAR(c.blue(), 255, 3);
  EXPECT_FALSE(PictureFromBytes(JpegBytes(image)).isNull());
  EXPECT_TRUE(PictureFromBytes("not a picture").isNull());
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace stallora

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
