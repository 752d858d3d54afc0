#include "config/ini.h"

#include <gtest/gtest.h>

namespace stallora {
namespace {

TEST(IniFile, SectionsAndKeysIgnoreCaseValuesAreTrimmed) {
  IniFile ini = IniFile::Parse(
      "[EnergyRecord]\r\n  GSpraaknr =  45  \r\n[Energyrecord]\r\nguaranTYfeedfile=a=b.eqf\r\n"
      "; a comment\r\n[Other]\nkey=\n");
  EXPECT_EQ(ini.ReadInteger("energyrecord", "gspraaknr", 47), 45);
  EXPECT_EQ(ini.ReadString("ENERGYRECORD", "Guarantyfeedfile"), "a=b.eqf");  // after the first "="
  EXPECT_EQ(ini.ReadString("Other", "key", "x"), "");
  EXPECT_EQ(ini.ReadString("Other", "missing", "x"), "x");
  EXPECT_EQ(ini.ReadString("Nowhere", "key", "y"), "y");
  EXPECT_TRUE(ini.HasSection("other"));
}

TEST(IniFile, IntegersFallBackToTheDefault) {
  IniFile ini = IniFile::Parse("[S]\na=12\nb=12abc\nc=\nd=-3\ne=+4\nf=99999999999\ng= 7 \n");
  EXPECT_EQ(ini.ReadInteger("S", "a", 2), 12);
  EXPECT_EQ(ini.ReadInteger("S", "b", 2), 2);
  EXPECT_EQ(ini.ReadInteger("S", "c", 2), 2);
  EXPECT_EQ(ini.ReadInteger("S", "d", 2), -3);
  EXPECT_EQ(ini.ReadInteger("S", "e", 2), 4);
  EXPECT_EQ(ini.ReadInteger("S", "f", 2), 2);
  EXPECT_EQ(ini.ReadInteger("S", "g", 2), 7);
  EXPECT_EQ(ini.ReadInteger("S", "zz", 2), 2);
}

TEST(IniFile, LongValuesAreCutAndTheFirstKeyWins) {
  const std::string longValue(3000, 'v');
  IniFile ini = IniFile::Parse("[S]\nk=" + longValue + "\nk=second\n");
  EXPECT_EQ(ini.ReadString("S", "k").size(), 2047u);
}

TEST(IniFile, OddLinesAreSkipped) {
  IniFile ini = IniFile::Parse("before=section\n[broken\nno equals here\n=novalue\n[S]\rk=v\r");
  EXPECT_EQ(ini.ReadString("S", "k"), "v");
  EXPECT_FALSE(ini.HasSection("broken"));
  EXPECT_FALSE(ini.Value("", "before").has_value());
}

}  // namespace
}  // namespace stallora
