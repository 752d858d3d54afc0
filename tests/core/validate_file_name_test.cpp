// Names from files or from the user that become file names.

#include <gtest/gtest.h>

#include "core/fileio.h"

namespace stallora {
namespace {

TEST(ValidateFileName, AcceptsOrdinaryNames) {
  for (const char* name : {"Hø", "Standard foderliste", "Mix_H\xF8", "a.b", "x..y", "Egen blanding1", "a:b"})
    EXPECT_FALSE(ValidateFileName(name)) << name;
}

TEST(ValidateFileName, RefusesNamesThatLeaveOrHideInTheDirectory) {
  EXPECT_EQ(ValidateFileName(""), "Navnet er tomt og kan ikke bruges som filnavn");
  EXPECT_EQ(ValidateFileName("."), "Et navn m\xE5 ikke begynde med punktum: \".\"");
  EXPECT_EQ(ValidateFileName(".."), "Et navn m\xE5 ikke begynde med punktum: \"..\"");
  EXPECT_EQ(ValidateFileName(".skjult"), "Et navn m\xE5 ikke begynde med punktum: \".skjult\"");
  EXPECT_EQ(ValidateFileName("a/b"), "Et navn m\xE5 ikke indeholde / eller \\: \"a/b\"");
  EXPECT_EQ(ValidateFileName("a\\b"), "Et navn m\xE5 ikke indeholde / eller \\: \"a\\b\"");
  EXPECT_EQ(ValidateFileName("../x"), "Et navn m\xE5 ikke begynde med punktum: \"../x\"");
  EXPECT_EQ(ValidateFileName(std::string("a\0b", 3)), "Et navn m\xE5 ikke indeholde styretegn");
  EXPECT_EQ(ValidateFileName("a\rb"), "Et navn m\xE5 ikke indeholde styretegn");
}

}  // namespace
}  // namespace stallora
