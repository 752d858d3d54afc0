#include "forms/report_names.h"

#include <gtest/gtest.h>

#include "core/cp1252.h"
#include "core/fileio.h"

namespace stallora {
namespace {

TEST(ReportNamesTest, TheDescriptionReplacesTheLastZeroZero) {
  EXPECT_EQ(StoredFileName("01Foderplan_Blakken_08122026_00.htm", "morgen"), "01Foderplan_Blakken_08122026_morgen.htm");
  EXPECT_EQ(StoredFileName("01Foderplan_Blakken_20022026_00.htm", "vinter"), "01Foderplan_Blakken_20022026_vinter.htm")
      << "the 00 of the date is not the one to replace";
  EXPECT_EQ(StoredFileName("03Behov_Freja_09122026_00.htm", "efter kur"), "03Behov_Freja_09122026_efter kur.htm");
  EXPECT_EQ(StoredFileName("03Behov_Freja_01012005_00.htm", "x"), "03Behov_Freja_01012005_x.htm");
  EXPECT_EQ(StoredFileName("03Behov_B_08122026_00.htm", ""), "03Behov_B_08122026_.htm");
}

// Every page stores through the same rule: a typed name never leads out of the directory and
// never makes a name the file system refuses, whichever window it was typed in.
TEST(ReportNamesTest, ATypedDescriptionIsAlwaysCleaned) {
  EXPECT_EQ(StoredFileName("01Foderplan_Blakken_08122026_00.htm", "../../etc/x"),
            "01Foderplan_Blakken_08122026_....etcx.htm");
  EXPECT_EQ(StoredFileName("01Foderplan_B_08122026_00.htm", " a:b*c?\"<>|\x01 "), "01Foderplan_B_08122026_abc.htm");
  EXPECT_EQ(StoredFileName("07Behandlinger_B_08122026_00.htm", "a\\b/c\r\nd\x7F"), "07Behandlinger_B_08122026_abcd.htm");
  for (std::string_view typed : {"../x", "..\\..\\x", "/etc/passwd", "a\tb", "|", "\"\"", " . "}) {
    const std::string name = StoredFileName("03Behov_B_08122026_00.htm", typed);
    EXPECT_FALSE(ValidateFileName(name)) << typed << " -> " << name;
    EXPECT_EQ(name.find_first_of("/\\:*?\"<>|"), std::string::npos) << name;
  }
  EXPECT_EQ(CleanFileNamePart("  B/la:k*k?e\"n<>|  "), "Blakken");
}

TEST(ReportNamesTest, ALongDescriptionIsCutToWhatARecordsFilesMayHold) {
  const std::string proposed = "01Foderplan_Blakken_08122026_00.htm";
  // Letters that take two bytes on disk.
  const std::string typed(400, '\xE6');
  const std::string name = StoredFileName(proposed, typed);
  EXPECT_FALSE(ValidateFileName(name)) << *ValidateFileName(name);
  EXPECT_EQ(name.substr(0, proposed.size() - 6), proposed.substr(0, proposed.size() - 6));
  EXPECT_EQ(name.substr(name.size() - 4), ".htm");
  EXPECT_GT(name.size(), proposed.size()) << "as much of the description as fits is kept";
  // The proposal of the longest horse name is longer than that, and still fits: the
  // description may not make it longer.
  const std::string longHorse(kMaxRecordNameBytes / 2, '\xF8');
  const std::string longProposal = "01Foderplan_" + longHorse + "_08122026_00.htm";
  const std::string longName = StoredFileName(longProposal, "morgen og aften");
  EXPECT_LE(PathFromText(longName).native().size(), PathFromText(longProposal).native().size());
}

TEST(ReportNamesTest, DialogTextsAndExtension) {
  EXPECT_EQ(WithHtmExtension("plan"), "plan.htm");
  EXPECT_EQ(WithHtmExtension("plan.HtMl"), "plan.HtMl");
  EXPECT_EQ(WithHtmExtension("plan.HTML"), "plan.HTML");
  EXPECT_EQ(StoreCaption(), "Fil beskrivelse");
  EXPECT_EQ(StoreDialogTitle("foderplan", "Blakken"), "Gem foderplan: Blakken");
  EXPECT_EQ(OverwriteQuestion("x.htm"), "Fil findes! Vil du \xE6ndre v\xE6rdierne!\rx.htm\rSkriv over?\r");
  EXPECT_EQ(StoreExplanation("03Behov_Freja_09122026_00.htm"),
            "Stallora opretter filnavnet automatisk\r\"03Behov_Freja_09122026_00.htm\"\rHvis du vil gemme flere "
            "filer den samme dag m\xE5 du lave en \xE6ndring i navnet.\rGiv en kort beskrivende tekst til erstatning "
            "for \"00\" i filnavnet");
}

TEST(ReportNamesTest, ChartNamesCarryTheCleanedHorseName) {
  Regional slashes;
  slashes.shortDateFormat = "dd/mm/yyyy";
  EXPECT_EQ(ChartFileName("NutrientSupply_", "Bla/kken", slashes, EncodeDate(2026, 12, 8)),
            "NutrientSupply_Blakken_08122026.jpg");
  EXPECT_EQ(ChartFileName("NutrientContribution_", "Freja", Regional{}, EncodeDate(2026, 12, 8)),
            "NutrientContribution_Freja_08-12-2026.jpg");
}

}  // namespace
}  // namespace stallora
