// The mix calculator's source tree and the rebuilding of a feed list from a supplier's
// brands.

#include "feeds/mix_sources.h"

#include <gtest/gtest.h>

#include "feeds_test_env.h"

namespace stallora {
namespace {

using testing::FeedsEnv;

TFor& Add(TForListe& list, const std::string& name, int category, const std::string& brand) {
  auto f = std::make_unique<TFor>(*list.env);
  f->Fornavn = name;
  f->Fortype = static_cast<TForkategorier>(category);
  f->Brand = brand;
  return list.AddFeed(std::move(f));
}

std::vector<std::string> Names(const TForListe& list) { return list.FeedNames(); }

TEST(MixSourceTree, GroupsInTheOrderMetAndBrandsWithinEachGroup) {
  FeedsEnv fx('.');
  TForListe source(*fx.env);
  source.ForlisteNavn = "Lager";
  Add(source, "Oats", 8, "Acme");        // concentrate
  Add(source, "Hay", 1, "GENERIC");      // roughage
  Add(source, "Pellets", 3, "Acme");     // concentrate, same brand
  Add(source, "Straw", 10, "");          // roughage without a brand: with the generic ones
  Add(source, "Lick", 9, "Acme");        // supplement
  Add(source, "Muesli", 7, "Bravo");     // concentrate, second brand
  Add(source, "Odd", 5, "Acme");         // category 5: a group of its own
  Add(source, "Haylage", 2, "GENERIC");  // roughage generic again
  const MixSourceTree tree = BuildMixSourceTree(source, fx.settings);
  EXPECT_EQ(tree.rootName, "Lager");
  ASSERT_EQ(tree.groups.size(), 4u);
  EXPECT_EQ(tree.groups[0].category, 7);
  EXPECT_EQ(tree.groups[0].name, fx.settings.feedTypeNames[7]);
  EXPECT_EQ(tree.groups[0].icon, 36);
  EXPECT_EQ(tree.groups[1].category, 6);
  EXPECT_EQ(tree.groups[1].icon, 35);
  EXPECT_EQ(tree.groups[2].category, 9);
  EXPECT_EQ(tree.groups[2].icon, 37);
  EXPECT_EQ(tree.groups[3].category, 5);
  EXPECT_EQ(tree.groups[3].icon, kIconNoGroup);

  const auto& concentrate = tree.groups[0].brands;
  ASSERT_EQ(concentrate.size(), 2u);
  EXPECT_EQ(concentrate[0].name, "Acme");
  ASSERT_EQ(concentrate[0].feeds.size(), 2u);
  EXPECT_EQ(concentrate[0].feeds[0].name, "Oats");
  EXPECT_EQ(concentrate[0].feeds[1].index, 2);
  EXPECT_EQ(concentrate[1].name, "Bravo");

  const auto& roughage = tree.groups[1].brands;
  ASSERT_EQ(roughage.size(), 1u);
  EXPECT_EQ(roughage[0].name, "Almindeligt FODER");
  ASSERT_EQ(roughage[0].feeds.size(), 3u);
  EXPECT_EQ(roughage[0].feeds[1].name, "Straw");
  EXPECT_EQ(roughage[0].feeds[2].name, "Haylage");
  EXPECT_EQ(roughage[0].feeds[0].icon, source.FeedAt(1)->FeedStatusIcon());

  // A group name comes from the country's category names: the two concentrate categories
  // met share one group.
  EXPECT_EQ(MixSourceGroupOf(0), 6);
  EXPECT_EQ(MixSourceGroupOf(4), 9);
  EXPECT_EQ(MixSourceGroupOf(11), 11);

  TForListe empty(*fx.env);
  EXPECT_TRUE(BuildMixSourceTree(empty, fx.settings).groups.empty());
}

class Rebuild : public ::testing::Test {
 protected:
  Rebuild() : target(*fx.env), source(*fx.env) {
    target.ForlisteNavn = "Stald";
    source.ForlisteNavn = "Garanti";
    Add(target, "Own hay", 1, "Generic");     // own category: kept by the own box
    Add(target, "Plain oats", 7, "GENERIC");  // generic: kept by the generic box
    Add(target, "Acme Pro", 7, "Acme");       // a source brand: goes unless Acme is checked
    Add(target, "Zeta Mix", 7, "Zeta");       // a maker the source does not carry
    Add(target, "Acme Gold", 7, "acme");      // the source has it by name
    Add(source, "Acme Gold", 7, "Acme");
    Add(source, "Acme Pro", 7, "Acme");
    Add(source, "Acme Lite", 7, "Acme");
    Add(source, "Bravo One", 7, "Bravo");
    Add(source, "Bravo Two", 9, "Bravo");
    Add(source, "Plain barley", 7, "GENERIC");
    Add(source, "Cera", 7, "Cera");
  }
  FeedsEnv fx{'.'};
  TForListe target;
  TForListe source;
};

TEST_F(Rebuild, BrandChoicesLeaveOutTheGenericMarkAndCheckTheTargetsBrands) {
  const auto choices = GenerateBrandChoices(source);
  EXPECT_EQ(choices, (std::vector<std::string>{"Acme", "Bravo", "Cera"}));
  // "acme" in the target counts for "Acme" (letter case aside); Zeta is no choice.
  EXPECT_EQ(BrandsHeldBy(choices, target), (std::vector<bool>{true, false, false}));
  EXPECT_EQ(FeedsOfBrands(source, {"Acme", "Bravo"}), 5);
  EXPECT_EQ(FeedsOfBrands(source, {"acme"}), 0);  // the count is by exact brand, as the rebuild
  EXPECT_EQ(FeedsOfBrands(source, {}), 0);
}

TEST_F(Rebuild, NoBrandCheckedKeepsOnlyGenericAndOwnFeeds) {
  EXPECT_EQ(RebuildFromBrands(target, source, {}, KeepFeeds{}), 0);
  EXPECT_EQ(Names(target), (std::vector<std::string>{"Own hay", "Plain oats"}));
  EXPECT_EQ(target.PickedCount(), 0);
  EXPECT_EQ(source.Count(), 7);
}

TEST_F(Rebuild, CheckedBrandsJoinOnceInSourceOrder) {
  target.FeedAt(4)->Pris = 9.5;  // the target's "acme" Gold goes: its brand is not kept
  source.FeedAt(0)->Pris = 1.0;
  source.FeedAt(3)->Valgt = true;  // a stale pick in the source does not add Bravo
  const int added = RebuildFromBrands(target, source, {"Acme"}, KeepFeeds{true, true, false});
  // "Acme Gold" went with the unkept feeds (brand "acme", not kept) and came back from the
  // source; "Acme Pro" likewise; nothing twice.
  EXPECT_EQ(added, 3);
  EXPECT_EQ(Names(target), (std::vector<std::string>{"Own hay", "Plain oats", "Acme Gold", "Acme Pro", "Acme Lite"}));
  EXPECT_DOUBLE_EQ(target.FeedByName("Acme Gold")->Pris, 1.0);
  EXPECT_EQ(target.PickedCount(), 0);
  EXPECT_EQ(source.PickedCount(), 0);

  // Run again with the same brand: the Acme feeds go and come back, none twice.
  EXPECT_EQ(RebuildFromBrands(target, source, {"Acme"}, KeepFeeds{}), 3);
  EXPECT_EQ(target.Count(), 5);
}

TEST_F(Rebuild, AKeptFeedOfACheckedBrandIsNotAddedTwice) {
  // Keep-not-listed is off, but own feeds are kept: an own-category feed named like a
  // source feed stays and blocks the source's copy.
  Add(target, "Bravo One", 2, "Bravo");
  EXPECT_EQ(RebuildFromBrands(target, source, {"Bravo"}, KeepFeeds{}), 1);
  EXPECT_EQ(Names(target), (std::vector<std::string>{"Own hay", "Plain oats", "Bravo One", "Bravo Two"}));
  EXPECT_EQ(target.FeedByName("Bravo One")->Fortype, 2);
}

TEST_F(Rebuild, TheThirdBoxKeepsFeedsOfMakersTheSourceDoesNotCarry) {
  EXPECT_TRUE(NotInSource(*target.FeedAt(3), source));   // Zeta
  EXPECT_FALSE(NotInSource(*target.FeedAt(2), source));  // Acme is a source brand
  EXPECT_FALSE(NotInSource(*target.FeedAt(4), source));  // by name, and brand in any case
  // "Own hay" has the brand "Generic", which the source carries as its generic mark.
  RebuildFromBrands(target, source, {}, KeepFeeds{false, false, true});
  EXPECT_EQ(Names(target), (std::vector<std::string>{"Zeta Mix"}));
  // With every box off and no brand, the target is emptied.
  RebuildFromBrands(target, source, {}, KeepFeeds{false, false, false});
  EXPECT_EQ(target.Count(), 0);
}

}  // namespace
}  // namespace stallora
