#include "core/texts.h"

#include <gtest/gtest.h>

#include <fstream>

namespace stallora {
namespace {

inline constexpr Text kHest{"test.hest", "Hest"};
inline constexpr Text kTorstof{"test.torstof", "Tørstof"};

TEST(Texts, DanishByDefaultAsWindows1252) {
  SetLanguageTable({});
  EXPECT_EQ(Tr(kHest), "Hest");
  EXPECT_EQ(Tr(kTorstof), "T\xF8rstof");
}

TEST(Texts, ALanguageTableReplacesWhatItKnows) {
  SetLanguageTable({{"test.torstof", "Dry matter"}});
  EXPECT_EQ(Tr(kTorstof), "Dry matter");
  EXPECT_EQ(Tr(kHest), "Hest");  // falls back to Danish
  SetLanguageTable({});
  EXPECT_EQ(Tr(kTorstof), "T\xF8rstof");
}

TEST(Texts, LanguageFiles) {
  const auto path = std::filesystem::temp_directory_path() / "stallora-lang-test.txt";
  std::ofstream(path) << "# English\r\ntest.hest = Horse\r\n\r\ntest.torstof=Tørstof (DM)\r\nbroken line\r\n";
  ASSERT_TRUE(LoadLanguageFile(path));
  EXPECT_EQ(Tr(kHest), " Horse");
  EXPECT_EQ(Tr(kTorstof), "T\xF8rstof (DM)");
  std::filesystem::remove(path);
  EXPECT_FALSE(LoadLanguageFile(path));
  SetLanguageTable({});
}

}  // namespace
}  // namespace stallora
