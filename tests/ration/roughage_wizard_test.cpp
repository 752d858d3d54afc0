#include "ration/roughage_wizard.h"

#include <gtest/gtest.h>

namespace stallora {
namespace {

class RoughageWizardTest : public ::testing::Test {
 protected:
  RoughageWizardTest() : clock_(EncodeDate(2026, 12, 9)), env_(clock_, Regional{}, 45, &active_, nullptr) {}
  TFor& Add(TForListe& list, const std::string& name, int category, double dm, bool picked = false, double kg = 0) {
    TFor& f = list.AddFeed(std::make_unique<TFor>(env_));
    f.Fornavn = name;
    f.Fortype = static_cast<uint8_t>(category);
    f.TorrStoff = dm;
    f.Valgt = picked;
    f.TildeltKg = kg;
    return f;
  }
  FixedClock clock_;
  TEnergyProteinObj active_;
  RecordEnvironment env_;
};

TEST_F(RoughageWizardTest, GroupsByCategoryAndDryMatter) {
  TForListe source(env_);
  Add(source, "H\xF8", 6, 85, true);
  Add(source, "Wrap", 6, 55);
  Add(source, "Wrap 60", 6, 60);
  Add(source, "Gr\xE6s", 10, 20, true);
  Add(source, "Eget h\xF8", 1, 85);
  Add(source, "Egen wrap", 2, 45, true);
  Add(source, "Havre", 8, 87, true);

  const RoughageChoice c = GroupRoughages(source);
  EXPECT_EQ(c.names[kDryRoughage], (std::vector<std::string>{"H\xF8"}));
  EXPECT_EQ(c.names[kWetRoughage], (std::vector<std::string>{"Wrap", "Wrap 60"})) << "60 % exactly counts as wet";
  EXPECT_EQ(c.names[kPastureGrass], (std::vector<std::string>{"Gr\xE6s"}));
  EXPECT_EQ(c.names[kLocalRoughage], (std::vector<std::string>{"Eget h\xF8", "Egen wrap"}));
  EXPECT_EQ(c.checked[kDryRoughage], (std::vector<bool>{true}));
  EXPECT_EQ(c.checked[kWetRoughage], (std::vector<bool>{false, false}));
  EXPECT_EQ(c.checked[kLocalRoughage], (std::vector<bool>{false, true}));
  EXPECT_EQ(c.CheckedPastures(), 1);
  EXPECT_EQ(RoughageHelpPage(kPastureGrass), "71-feedhelp/352-pasture");
  EXPECT_EQ(RoughageHelpPage(kLocalRoughage), "71-feedhelp/353-localforage");
}

TEST_F(RoughageWizardTest, TwoPasturesKeepTheWizardOpen) {
  TForListe source(env_), ration(env_);
  Add(source, "Gr\xE6s", 10, 20);
  Add(source, "Kl\xF8ver", 10, 18);
  Add(ration, "Gammelt h\xF8", 6, 85, true, 5);
  RoughageChoice c = GroupRoughages(source);
  c.checked[kPastureGrass] = {true, true};
  EXPECT_FALSE(ApplyRoughageChoice(c, source, ration));
  EXPECT_EQ(ration.FeedNames(), (std::vector<std::string>{"Gammelt h\xF8"})) << "nothing changed";
  EXPECT_FALSE(source.FeedByName("Gr\xE6s")->Valgt);
  c.checked[kPastureGrass] = {false, true};
  EXPECT_TRUE(ApplyRoughageChoice(c, source, ration));
  EXPECT_EQ(ration.FeedNames(), (std::vector<std::string>{"Kl\xF8ver"}));
}

TEST_F(RoughageWizardTest, RoughageOfTheRationIsReplacedOtherFeedsStay) {
  TForListe source(env_), ration(env_);
  Add(source, "H\xF8", 6, 85, false, 0);
  Add(source, "Wrap", 6, 55, false, 0);
  Add(source, "Havre", 8, 87, true);  // not roughage: never copied by the wizard
  Add(ration, "Havre", 8, 87, true, 2);
  Add(ration, "Wrap", 6, 55, true, 6).Fordeling = {"3", "3"};
  Add(ration, "Halm", 6, 88, true, 1);
  Add(ration, "Mineral", 9, 97, true, 0.1);

  RoughageChoice c = GroupRoughages(source);
  c.checked[kDryRoughage] = {true};
  c.checked[kWetRoughage] = {true};
  ASSERT_TRUE(ApplyRoughageChoice(c, source, ration));
  EXPECT_TRUE(source.FeedByName("H\xF8")->Valgt);
  EXPECT_EQ(ration.FeedNames(), (std::vector<std::string>{"Havre", "Mineral", "H\xF8", "Wrap"}))
      << "Halm was not picked and left; the picked roughage came in source order";
  EXPECT_DOUBLE_EQ(ration.FeedByName("Havre")->TildeltKg, 2);
  EXPECT_DOUBLE_EQ(ration.FeedByName("Wrap")->TildeltKg, 6) << "a roughage that stays keeps its amount";
  EXPECT_EQ(ration.FeedByName("Wrap")->Fordeling, (StringList{"3", "3"}));
  EXPECT_EQ(ration.FeedByName("H\xF8")->TildeltKg, 0);
  EXPECT_NE(ration.FeedByName("H\xF8"), source.FeedByName("H\xF8")) << "a copy";
}

}  // namespace
}  // namespace stallora
