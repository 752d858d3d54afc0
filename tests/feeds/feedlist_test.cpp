// The feed list: its record and files, the sequence and its lookups, sorting, copies, totals,
// mix analysis, the update from a newer list, the information text and the pages.

#include "feeds/feedlist.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/fileio.h"
#include "core/html_report.h"
#include "core/objtext.h"
#include "feeds_test_env.h"

namespace stallora {
namespace {

using testing::DanishRecord;
using testing::FeedsEnv;
using testing::NrcRecord;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TFor& Add(TForListe& list, const std::string& name, int category = 1, std::string brand = "GENERIC") {
  auto feed = std::make_unique<TFor>(*list.env);
  feed->Fornavn = name;
  feed->Fortype = static_cast<TForkategorier>(category);
  feed->Brand = std::move(brand);
  return list.AddFeed(std::move(feed));
}

std::vector<int> Categories(const TForListe& list) {
  std::vector<int> out;
  for (const auto& f : list.Feeds()) out.push_back(f->Fortype);
  return out;
}

TEST(FeedList, NewListsTakeTheirStartingValuesFromTheEnvironment) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  EXPECT_EQ(list.ForlisteNavn, "foderliste");
  EXPECT_EQ(list.SpraakNr, 45);
  EXPECT_EQ(list.Versjon, 2.17);
  EXPECT_EQ(list.Versjonstekst, "15-01-2025");
  EXPECT_EQ(list.EndretDato, EncodeDate(2025, 1, 15));
  EXPECT_TRUE(list.Endret);
  EXPECT_TRUE(list.SameEnergySystem(DanishRecord()));
  TForListe stable(*fx.env, ListOwnerKind::Stable);
  EXPECT_EQ(stable.ForlisteNavn, "");
  TForListe ration(*fx.env, ListOwnerKind::Animal);
  EXPECT_EQ(ration.ForlisteNavn, "foderliste");
}

// A list starts named "foderliste": a name the user emptied must be written, or it comes back
// as that name; a stable's list, which starts empty, reads back empty as well.
TEST(FeedList, AnEmptyNameSurvivesWritingAndReading) {
  FeedsEnv fx;
  for (ListOwnerKind kind : {ListOwnerKind::Workspace, ListOwnerKind::Stable, ListOwnerKind::Animal}) {
    TForListe list(*fx.env, kind);
    list.ForlisteNavn.clear();
    const std::string text = RecordText(list);
    EXPECT_TRUE(Contains(text, "ForlisteNavn = ''")) << text;
    TForListe read(*fx.env, kind);
    read.LoadFromText(text, fx.dir / "x.eqf");
    EXPECT_EQ(read.ForlisteNavn, "");
    // Reading records where the list came from; apart from that the text is the same.
    read.ForListeFilNavn.clear();
    EXPECT_EQ(RecordText(read), text);
  }
  // A named list is written as before.
  TForListe named(*fx.env);
  named.ForlisteNavn = "Vinter";
  TForListe read(*fx.env);
  read.LoadFromText(RecordText(named), fx.dir / "x.eqf");
  EXPECT_EQ(read.ForlisteNavn, "Vinter");
}

TEST(FeedList, LoadedFeedsJoinTheListInFileOrderWithOrWithoutAnalysis) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  const std::string text =
      "object TForListe\r\n  ForlisteNavn = 'L'\r\n"
      "  object TFor\r\n    Fornavn = 'a'\r\n    Analyser = {}\r\n  end\r\n"
      "  object TFor\r\n    Fornavn = 'b'\r\n  end\r\n"  // hand-edited: no Analyser line
      "  object TFor\r\n    Fornavn = 'c'\r\n    Analyser = {\r\n"
      "      20202020202031352C3530300D0A}\r\n  end\r\nend\r\n";
  list.LoadFromText(text, fx.dir / "L.eqf");
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.FeedNames(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(list.FeedAt(0)->ValueCount(), 0);
  EXPECT_EQ(list.FeedAt(1)->ValueCount(), 0);
  EXPECT_DOUBLE_EQ(list.FeedAt(2)->Value(0), 15.5);
  // The block without analysis is kept at the next save.
  EXPECT_TRUE(Contains(RecordText(list), "Fornavn = 'b'"));
  // Loading again replaces the feeds instead of adding to them.
  list.LoadFromText(text, fx.dir / "L.eqf");
  EXPECT_EQ(list.Count(), 3);
}

TEST(FeedList, SequenceLookupsAndPositions) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  TFor& a = Add(list, "Hø");
  Add(list, "Havre", 8);
  TFor& a2 = Add(list, "Hø", 6);
  Add(list, "Salt", 9);
  EXPECT_EQ(list.FeedByName("Hø"), &a);
  EXPECT_EQ(list.LastFeedByName("Hø"), &a2);
  EXPECT_EQ(list.FeedByName("hø"), nullptr);  // exact, case-sensitive
  EXPECT_EQ(list.FeedAt(4), nullptr);
  EXPECT_EQ(list.FeedAt(-1), nullptr);
  // The index of a feed is the index of the last feed of its name.
  EXPECT_EQ(list.IndexOfFeed(&a), 2);
  EXPECT_EQ(list.PositionText(&a), "3/4");
  EXPECT_EQ(list.NextFeed(&a)->Fornavn, "Salt");
  EXPECT_EQ(list.PreviousFeed(&a)->Fornavn, "Havre");
  EXPECT_EQ(list.NextFeed(list.FeedByName("Salt")), nullptr);
  TFor stranger(*fx.env);
  stranger.Fornavn = "Gulerødder";
  EXPECT_EQ(list.IndexOfFeed(&stranger), -1);
  EXPECT_EQ(list.PositionText(&stranger), "");
  EXPECT_EQ(list.NextFeed(&stranger), nullptr);
  // PutAt replaces, or appends beyond the end.
  auto b = std::make_unique<TFor>(*fx.env);
  b->Fornavn = "Byg";
  list.PutAt(1, std::move(b));
  EXPECT_EQ(list.FeedAt(1)->Fornavn, "Byg");
  auto c = std::make_unique<TFor>(*fx.env);
  c->Fornavn = "Majs";
  list.PutAt(10, std::move(c));
  EXPECT_EQ(list.Count(), 5);
  EXPECT_EQ(list.FeedAt(4)->Fornavn, "Majs");
  list.RemoveFeed(list.FeedAt(0));
  EXPECT_EQ(list.FeedAt(0)->Fornavn, "Byg");
  EXPECT_EQ(list.PreviousFeed(list.FeedAt(0)), nullptr);
  list.RemoveFeed(&stranger);  // not in the list: nothing
  EXPECT_EQ(list.Count(), 4);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(FeedList, SetsGroupsAndBrands) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  Add(list, "hø", 6, "GENERIC");
  Add(list, "græs", 10, "generic");
  Add(list, "havre", 8, "Nordhavre");
  Add(list, "mineral", 9, "nordhavre");
  Add(list, "egen havre", 3, "Bo");
  Add(list, "blanding", 11, "NH Sport");
  Add(list, "andet", 5, "Bo");
  EXPECT_EQ(list.NthFeedInSet(FeedCategorySet::Roughage, 1)->Fornavn, "græs");
  EXPECT_EQ(list.NthFeedInSet(FeedCategorySet::Concentrate, 1)->Fornavn, "egen havre");
  EXPECT_EQ(list.NthFeedInSet(FeedCategorySet::Concentrate, 2), nullptr);
  EXPECT_EQ(list.FeedNamesInGroup(2), (std::vector<std::string>{"hø", "græs"}));
  EXPECT_EQ(list.FeedNamesInGroup(7), (std::vector<std::string>{"havre", "egen havre"}));
  EXPECT_EQ(list.FeedNamesInGroup(4), (std::vector<std::string>{"mineral"}));
  EXPECT_EQ(list.FeedNamesInGroup(11), (std::vector<std::string>{"blanding"}));
  EXPECT_EQ(list.FeedNamesInGroup(5), (std::vector<std::string>{"andet"}));
  // Brands: one per spelling regardless of case, as first met, in alphabetical order.
  EXPECT_EQ(list.Brands(), (std::vector<std::string>{"Bo", "GENERIC", "NH Sport", "Nordhavre"}));
  EXPECT_EQ(list.CountBrandsIn({"NORDHAVRE", "bo"}), 4);
  EXPECT_EQ(list.CountBrandsIn({}), 0);
}

TEST(FeedList, PickingPricesAndAllotments) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  Add(list, "Hø").TildeltKg = 8;
  Add(list, "Havre", 8).TildeltKg = 2;
  Add(list, "Hø").TildeltKg = 1;
  list.PickAll();
  EXPECT_EQ(list.PickedCount(), 3);
  list.UnpickAll();
  EXPECT_EQ(list.PickedCount(), 0);
  list.ZeroAllotted();
  EXPECT_EQ(list.TotalKg(), 0);
  TFor priced(*fx.env);
  priced.Fornavn = "Hø";
  priced.Pris = 2.25;
  EXPECT_TRUE(list.SetPriceByName(priced));
  EXPECT_EQ(list.FeedAt(0)->Pris, 2.25);
  EXPECT_EQ(list.FeedAt(1)->Pris, 0);
  EXPECT_EQ(list.FeedAt(2)->Pris, 2.25);
  priced.Fornavn = "Byg";
  EXPECT_FALSE(list.SetPriceByName(priced));
  // A feed of the list itself passes its price to its namesakes.
  list.FeedAt(2)->Pris = 3;
  EXPECT_TRUE(list.SetPriceByName(*list.FeedAt(2)));
  EXPECT_EQ(list.FeedAt(0)->Pris, 3);
}

TEST(FeedList, SortingGroupsTheCategoriesAndKeepsTheOrderWithinAGroup) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  for (int c : {9, 0, 2, 10, 7}) Add(list, "c" + std::to_string(c), c);
  list.SortByCategory();
  EXPECT_EQ(Categories(list), (std::vector<int>{0, 10, 2, 7, 9}));
  TForListe all(*fx.env);
  for (int c : {5, 11, 4, 8, 3, 6, 1, 10, 0, 2, 7, 9, 11, 5})
    Add(all, "c" + std::to_string(c) + "-" + std::to_string(all.Count()), c);
  all.SortByCategory();
  EXPECT_EQ(Categories(all), (std::vector<int>{10, 0, 6, 1, 2, 3, 7, 8, 4, 9, 11, 11, 5, 5}));
  EXPECT_EQ(all.FeedAt(10)->Fornavn, "c11-1");  // stable within the group
  EXPECT_EQ(all.FeedAt(11)->Fornavn, "c11-12");
}

// A feed taken into a ration goes into its category group without moving the others, so
// that taking it out again leaves the ration exactly as it was, even an unsorted one.
TEST(FeedList, InsertingPutsAFeedAtTheEndOfItsGroup) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  for (int c : {0, 2, 7, 9}) Add(list, "c" + std::to_string(c), c);
  auto feed = [&](int c, const std::string& name) {
    auto f = std::make_unique<TFor>(*fx.env);
    f->Fornavn = name;
    f->Fortype = static_cast<uint8_t>(c);
    return f;
  };
  list.InsertFeedFrom(feed(1, "hay"), nullptr);     // after the other roughage (2)
  list.InsertFeedFrom(feed(4, "salt"), nullptr);    // with the supplements, after 9
  list.InsertFeedFrom(feed(10, "grass"), nullptr);  // the first group, after 0
  list.InsertFeedFrom(feed(5, "other"), nullptr);   // last
  EXPECT_EQ(list.FeedNames(), (std::vector<std::string>{"c0", "grass", "c2", "hay", "c7", "c9", "salt", "other"}));

  TForListe unsorted(*fx.env);
  for (int c : {9, 1, 3}) Add(unsorted, "c" + std::to_string(c), c);
  TFor& oats = unsorted.InsertFeedFrom(feed(7, "oats"), nullptr);
  EXPECT_EQ(unsorted.FeedNames(), (std::vector<std::string>{"c9", "c1", "c3", "oats"}));
  unsorted.RemoveFeed(&oats);
  EXPECT_EQ(Categories(unsorted), (std::vector<int>{9, 1, 3}));
  unsorted.InsertFeedFrom(feed(0, "pasture"), nullptr);
  EXPECT_EQ(unsorted.FeedNames(), (std::vector<std::string>{"pasture", "c9", "c1", "c3"}));
}

TEST(FeedList, CopiesCarryTheHeaderAndClonesOfTheFeeds) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  list.ForlisteNavn = "Nordhavre Foder";
  list.SpraakNr = 47;
  list.ErGarantiForliste = true;
  list.GarantiForlisteVersjon = 3;
  list.Versjon = 2.05;
  list.Versjonstekst = "gammel";
  list.EndretDato = 40000;
  list.ForBlanding = true;
  list.mixFile = true;
  list.Forblandingstype = 3;
  list.ForListeFilNavn = "x.mix";
  list.DyreartNr = 2;
  list.Endret = false;
  list.SetEnergyRecord(NrcRecord());
  Add(list, "a").Valgt = true;
  Add(list, "b");
  list.FeedAt(0)->FeedURL = "https://a";
  auto copy = list.CopyList(true, ListOwnerKind::Stable);
  EXPECT_EQ(copy->owner, ListOwnerKind::Stable);
  EXPECT_EQ(copy->ForlisteNavn, "Nordhavre Foder");
  EXPECT_EQ(copy->SpraakNr, 47);
  EXPECT_TRUE(copy->ErGarantiForliste);
  EXPECT_EQ(copy->GarantiForlisteVersjon, 3);
  EXPECT_EQ(copy->Versjon, 2.05);
  EXPECT_EQ(copy->Versjonstekst, "15-01-2025");  // not carried
  EXPECT_EQ(copy->EndretDato, 40000);
  EXPECT_TRUE(copy->ForBlanding);
  EXPECT_TRUE(copy->mixFile);
  EXPECT_EQ(copy->Forblandingstype, 3);
  EXPECT_EQ(copy->ForListeFilNavn, "x.mix");
  EXPECT_EQ(copy->DyreartNr, 2);
  EXPECT_TRUE(copy->Endret);
  EXPECT_TRUE(copy->SameEnergySystem(NrcRecord()));
  ASSERT_EQ(copy->Count(), 1);
  EXPECT_NE(copy->FeedAt(0), list.FeedAt(0));
  EXPECT_EQ(copy->FeedAt(0)->FeedURL, "");
  EXPECT_EQ(list.CopyList(false, ListOwnerKind::Workspace)->Count(), 2);

  TForListe target(*fx.env);
  Add(target, "gammel");
  target.Endret = false;
  target.AssignList(list);
  EXPECT_EQ(target.FeedNames(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(target.ForlisteNavn, "Nordhavre Foder");
  EXPECT_TRUE(target.Endret);
  EXPECT_TRUE(target.SameEnergySystem(NrcRecord()));
  target.AssignList(target);  // onto itself: unchanged
  EXPECT_EQ(target.Count(), 2);
}

TEST(FeedList, CountsAndTotals) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  TFor& hay = Add(list, "Hø", 6);
  hay.Valgt = true;
  hay.TildeltKg = 8;
  hay.TorrStoff = 85;
  hay.Pris = 2;
  hay.SetValue(0, 0.5);
  hay.SetValue(8, 200);
  TFor& grass = Add(list, "Græs", 10);
  grass.Valgt = true;
  grass.TildeltKg = 10;
  grass.TorrStoff = 20;
  TFor& oats = Add(list, "Havre", 8);
  oats.Valgt = true;
  oats.TildeltKg = 2;
  oats.TorrStoff = 87;
  oats.Pris = 3.5;
  oats.SetValue(0, 0.84);
  TFor& mineral = Add(list, "Mineral", 9);
  mineral.Valgt = true;
  mineral.TildeltKg = 0.1;
  mineral.TorrStoff = 97;
  mineral.Pris = 20;
  TFor& unpicked = Add(list, "Byg", 8);
  unpicked.TildeltKg = 1;
  unpicked.Pris = 3;
  unpicked.TorrStoff = 87;
  unpicked.SetValue(0, 1);
  unpicked.SetValue(8, 50);
  TFor& pasture = Add(list, "Eng", 0);
  EXPECT_EQ(list.PickedCount(), 4);
  EXPECT_EQ(list.RoughageCount(), 3);
  EXPECT_EQ(list.GrazingCount(), 2);
  EXPECT_EQ(list.PickedGrazingCount(), 1);
  EXPECT_EQ(list.FirstPickedGrazing(), &grass);
  pasture.Valgt = true;
  EXPECT_EQ(list.FirstPickedGrazing(), &grass);
  EXPECT_EQ(list.PickedGrazingCount(), 2);
  pasture.Valgt = false;
  EXPECT_DOUBLE_EQ(list.TotalPrice(), 8 * 2 + 2 * 3.5 + 0.1 * 20);  // picked only
  EXPECT_DOUBLE_EQ(list.TotalKg(), 8 + 10 + 2 + 0.1 + 1);           // all feeds
  EXPECT_DOUBLE_EQ(list.Supply(0), 8 * 0.5 + 2 * 0.84);
  EXPECT_DOUBLE_EQ(list.Supply(24), 8 * 0.85 + 10 * 0.2);
  EXPECT_DOUBLE_EQ(list.Supply(25), 8 * 0.85 + 10 * 0.2 + 2 * 0.87 + 0.1 * 0.97);
  EXPECT_DOUBLE_EQ(list.ConcentrateDryMatter(), 2 * 0.87);
  EXPECT_DOUBLE_EQ(list.SupplementDryMatter(), 0.1 * 0.97);
  EXPECT_DOUBLE_EQ(list.Value8Total(), 8 * 200 + 1 * 50);  // all feeds, picked or not
  EXPECT_TRUE(list.AnyUndistributed());                    // nothing given to a feeding time yet
}

TEST(FeedList, UndistributedAmountsAndFingerprint) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  TFor& a = Add(list, "a");
  a.TildeltKg = 0.7;
  a.Fordeling = {" 0,35", " 0,35"};
  TFor& b = Add(list, "b");
  b.TildeltKg = 0.3;
  b.Fordeling = {" 0.10", "0,20"};
  EXPECT_FALSE(list.AnyUndistributed());  // the binary remainders are not amounts
  b.TildeltKg = 0.31;
  EXPECT_TRUE(list.AnyUndistributed());
  b.TildeltKg = 0.2;
  EXPECT_FALSE(list.AnyUndistributed());  // given more than allotted
  EXPECT_EQ(list.Fingerprint(), 2 + a.Fingerprint() + b.Fingerprint());
  const int32_t before = list.Fingerprint();
  a.Fornavn = "b";
  EXPECT_EQ(list.Fingerprint(), before + 1);
}

TEST(FeedList, MixAnalysisIsWeightedByKg) {
  FeedsEnv fx;
  TForListe mix(*fx.env);
  mix.ForlisteNavn = "Min blanding";
  TFor& hay = Add(mix, "Hø", 6);
  hay.TildeltKg = 3;
  hay.TorrStoff = 85;
  hay.Pris = 2;
  hay.Valgt = true;
  hay.SetValue(0, 0.5);
  hay.SetValue(3, 4);
  hay.SetValue(4, 2);
  TFor& oats = Add(mix, "Havre", 8);
  oats.TildeltKg = 1;
  oats.TorrStoff = 87;
  oats.Pris = 3;
  oats.Valgt = true;
  for (int i = 0; i < 24; ++i) oats.SetValue(i, 1);
  oats.SetValue(3, 1);
  oats.SetValue(4, 4);
  EXPECT_DOUBLE_EQ(mix.MixValue(0), (3 * 0.5 + 1) / 4);
  EXPECT_DOUBLE_EQ(mix.MixValue(6), (3 * 4 + 1 * 1.0) / (3 * 2 + 1 * 4.0));
  EXPECT_DOUBLE_EQ(mix.MixValue(23), 0.25);
  EXPECT_DOUBLE_EQ(mix.MixDryMatter(), (3 * 85 + 87) / 4.0);
  EXPECT_EQ(mix.MixAsFeed(), nullptr);  // not a mix
  mix.ForBlanding = true;
  auto feed = mix.MixAsFeed();
  ASSERT_TRUE(feed);
  EXPECT_EQ(feed->Fornavn, "Min blanding");
  EXPECT_EQ(feed->Brand, "Almindeligt FODER");
  EXPECT_DOUBLE_EQ(feed->TorrStoff, mix.MixDryMatter());
  EXPECT_DOUBLE_EQ(feed->Pris, 9.0 / 4);
  EXPECT_EQ(feed->Fortype, 1);
  // The hay has 5 values, the oats 24: the mix keeps all 24.
  ASSERT_EQ(feed->ValueCount(), 24);
  EXPECT_DOUBLE_EQ(feed->Value(6), mix.MixValue(6));
  EXPECT_DOUBLE_EQ(feed->Value(20), 0.25);
  // A first feed without any analysis does not cost the mix its analysis.
  TForListe second(*fx.env);
  second.ForBlanding = true;
  Add(second, "vand").TildeltKg = 1;
  TFor& o = Add(second, "Havre", 8);
  o.TildeltKg = 1;
  o.SetValue(0, 0.84);
  auto mixed = second.MixAsFeed();
  ASSERT_EQ(mixed->ValueCount(), 1);
  EXPECT_DOUBLE_EQ(mixed->Value(0), 0.42);
  // Unpicked feeds count in the kg but not in the price.
  oats.Valgt = false;
  EXPECT_DOUBLE_EQ(mix.MixAsFeed()->Pris, 6.0 / 4);
  // The name is cut to 255 bytes.
  mix.ForlisteNavn = std::string(300, 'x');
  EXPECT_EQ(mix.MixAsFeed()->Fornavn.size(), 255u);
}

TEST(FeedList, MixAnalysisNeverDividesByZero) {
  FeedsEnv fx;
  TForListe mix(*fx.env);
  mix.ForBlanding = true;
  EXPECT_EQ(mix.MixValue(0), 0);
  EXPECT_EQ(mix.MixValue(6), 0);
  EXPECT_EQ(mix.MixDryMatter(), 100);
  auto empty = mix.MixAsFeed();
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->ValueCount(), 0);
  EXPECT_EQ(empty->Pris, 0);
  TFor& a = Add(mix, "a");
  a.SetValue(3, 5);  // calcium but no phosphorus
  a.TildeltKg = 2;
  EXPECT_EQ(mix.MixValue(6), 0);
  a.TildeltKg = 0;
  EXPECT_EQ(mix.MixValue(3), 0);
}

TEST(FeedList, UpdateFromPrefersTheExactNameAndNeedsBrandAndCountry) {
  FeedsEnv fx;
  TForListe mine(*fx.env);
  TFor& oats = Add(mine, "Havre", 8, "Nordhavre");
  oats.Pris = 3;
  oats.SetValue(0, 0.8);
  oats.SetValue(1, 70);
  TFor& other = Add(mine, "Havre", 8, "nordhavre");  // brand differs in case only
  other.SetValue(0, 0.1);
  TFor& rolled = Add(mine, "valset", 8, "Nordhavre");
  rolled.SetValue(0, 0.2);

  TForListe newer(*fx.env);
  newer.EndretDato = 45000;
  TFor& exact = Add(newer, "Havre", 7, "Nordhavre");
  exact.Pris = 9;
  exact.SetValue(0, 0.85);
  exact.SetValue(1, 75);
  exact.SetValue(2, 4);
  exact.TorrStoff = 88;
  exact.Enhetsvekt = 25;
  exact.Fornummer = 101;
  exact.KarotenRikt = true;
  exact.KanIkkeEndres = true;
  exact.KommersieltFor = true;
  exact.Origin = 45;
  exact.UserText = "ny";
  TFor& longer = Add(newer, "Havre, valset", 8, "Nordhavre");
  longer.SetValue(0, 0.9);
  longer.UserText = "valset";

  ASSERT_TRUE(mine.UpdateFrom(newer));
  EXPECT_EQ(oats.Value(0), 0.85);  // the exact match, not the later "Havre, valset"
  EXPECT_EQ(oats.Value(1), 75);
  EXPECT_EQ(oats.ValueCount(), 2);  // only its own value count
  EXPECT_EQ(oats.UserText, "ny");
  EXPECT_EQ(oats.TorrStoff, 88);
  EXPECT_EQ(oats.Enhetsvekt, 25);
  EXPECT_EQ(oats.Fornummer, 101);
  EXPECT_TRUE(oats.KarotenRikt);
  EXPECT_TRUE(oats.KanIkkeEndres);
  EXPECT_TRUE(oats.KommersieltFor);
  EXPECT_EQ(oats.Origin, 45);
  EXPECT_EQ(oats.Pris, 3);  // name, category and price are kept
  EXPECT_EQ(oats.Fortype, 8);
  EXPECT_EQ(other.Value(0), 0.1);   // brand differs: untouched
  EXPECT_EQ(rolled.Value(0), 0.9);  // substring of a newer name
  EXPECT_EQ(rolled.UserText, "valset");
  EXPECT_EQ(mine.EndretDato, 45000);

  // "Havre" is found in "Havre, valset" when there is no exact "Havre".
  TForListe ration(*fx.env);
  TFor& h = Add(ration, "Havre", 8, "Nordhavre");
  h.SetValue(0, 0.5);
  TForListe only(*fx.env);
  Add(only, "Havre, valset", 8, "Nordhavre").SetValue(0, 0.9);
  ration.UpdateFrom(only);
  EXPECT_EQ(h.Value(0), 0.9);

  // Another country: nothing is copied.
  TForListe foreign(*fx.env);
  foreign.SpraakNr = 47;
  Add(foreign, "Havre", 8, "Nordhavre").SetValue(0, 2);
  ration.UpdateFrom(foreign);
  EXPECT_EQ(h.Value(0), 0.9);

  // An empty list is not touched at all.
  TForListe empty(*fx.env);
  empty.EndretDato = 1;
  empty.UpdateFrom(newer);
  EXPECT_EQ(empty.EndretDato, 1);
}

TEST(FeedList, UpdateFromConvertsANewerListOfAnotherEnergySystem) {
  FeedsEnv fx;
  TForListe mine(*fx.env);  // Danish: NE, feed units, DCP
  TFor& oats = Add(mine, "Havre", 8, "Nordhavre");
  oats.TorrStoff = 87;
  oats.SetValue(0, 0.8);
  oats.SetValue(1, 70);
  TForListe newer(*fx.env);
  newer.SetEnergyRecord(NrcRecord());
  TFor& g = Add(newer, "Havre", 8, "Nordhavre");
  g.TorrStoff = 87;
  g.SetValue(0, 3.2);
  g.SetValue(1, 101.4);
  ASSERT_TRUE(mine.UpdateFrom(newer));
  EXPECT_NEAR(oats.Value(0), 0.84009575285, 1e-9);  // 3.2 Mcal DE as feed units of NE
  EXPECT_NEAR(oats.Value(1), 73.9971, 1e-9);
  EXPECT_EQ(g.Value(0), 3.2);  // the newer list itself is left alone
  EXPECT_TRUE(mine.SameEnergySystem(DanishRecord()));
  // A newer list in feed units of factor 0 cannot be converted: nothing changes.
  newer.SetEnergyRecord(DanishRecord());
  newer.EnergiFaktor = 0;
  std::string error;
  EXPECT_FALSE(mine.UpdateFrom(newer, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_NEAR(oats.Value(0), 0.84009575285, 1e-9);
}

TEST(FeedList, InfoTextOfOrdinaryAndGuaranteeLists) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  list.EndretDato = EncodeDate(2024, 12, 24);
  EXPECT_EQ(list.InfoText(),
            "Version 2,170000 - 45 Danmark\rSidst \xE6ndret 24-12-2024\r\r"
            "Energiberegningssystem: EURO\rEnergienhed:   fe ( NE, nettoenergi)\r"
            "Ford\xF8jeligt r\xE5protein");
  list.ErGarantiForliste = true;
  list.GarantiForlisteVersjon = 3;
  list.SetEnergyRecord(NrcRecord());
  list.EnergiFaktor = 0.9;
  EXPECT_EQ(list.InfoText(),
            "Version 3  Oprindelsesland: 45 Danmark\r\r"
            "Energiberegningssystem: NRC2007\rEnergienhed:   MCal ( DE, ford\xF8jelig energi)\r (*    0,90)\r"
            "R\xE5protein");
}

TEST(FeedList, PriceListPage) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  list.ForlisteNavn = "Priser";
  Add(list, "Hø").Pris = 2.5;
  Add(list, "Havre").Pris = 3;
  EXPECT_EQ(list.PriceListPage(),
            SimplePageHead() + TitleBlockWithRule("Priser", "15-01-2025") + TableFrameStart() + HeaderRowStart() +
                "<th width=\"60%\" align=\"left\">Fodernavn</th><th width=\"40%\" align=\"center\">kr/kg</th>" +
                RowEnd() +
                "<tr bgcolor=\"#FFFFFF\"><td Align=\"left\">Hø</td><td Align=\"center\">     2,50</td></tr>"
                "<tr bgcolor=\"#FFFFFF\"><td Align=\"left\">Havre</td><td Align=\"center\">     3,00</td></tr>" +
                TableFrameEnd());
}

// Names come from downloaded lists and from users; they show as typed and add no markup.
TEST(FeedList, PagesShowNamesAsTyped) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  list.ForlisteNavn = "Vinter & <forår>";
  list.ForBlanding = true;
  TFor& odd = Add(list, "<b>\"Kraft\"</b>");
  odd.TildeltKg = 1;
  for (const std::string& page :
       {list.PriceListPage(), list.MixRecipePage(), odd.FeedInfoPage(), odd.FeedInfoPageDM()}) {
    EXPECT_EQ(page.find("<b>\""), std::string::npos) << page;
    EXPECT_EQ(page.find("<forår>"), std::string::npos);
  }
  EXPECT_NE(list.PriceListPage().find("Vinter &amp; &lt;forår&gt;"), std::string::npos);
  EXPECT_NE(list.PriceListPage().find("&lt;b&gt;&quot;Kraft&quot;&lt;/b&gt;"), std::string::npos);
  EXPECT_NE(odd.FeedInfoPage().find("&lt;b&gt;&quot;Kraft&quot;&lt;/b&gt;"), std::string::npos);
}

TEST(FeedList, MixPages) {
  FeedsEnv fx('.');
  TForListe mix(*fx.env);
  mix.ForlisteNavn = "Blanding";
  mix.ForBlanding = true;
  TFor& hay = Add(mix, "Hay", 6);
  hay.TildeltKg = 3;
  hay.Pris = 2;
  hay.Valgt = true;
  hay.TorrStoff = 80;
  TFor& oats = Add(mix, "Oats", 8);
  oats.TildeltKg = 1;
  oats.Pris = 3;
  oats.Valgt = true;
  oats.TorrStoff = 88;
  Add(mix, "Nothing", 8);
  const std::string recipe = mix.MixRecipePage();
  EXPECT_EQ(recipe, TitleBlockWithRule("Blanding", "15-01-2025") + "<br>Foderpris     2.25kr/kg<br><hr>" +
                        TableFrameStart() + HeaderRowStart() +
                        "<th width=\"40%\" align=\"left\">Foderblanding    4.00 kg</th>"
                        "<th width=\"15%\" align=\"center\">%</th><th width=\"15%\" align=\"center\">kg</th>" +
                        RowEnd() +
                        "<tr bgcolor=\"#FFFFFF\"><td Align=\"left\">Hay</td><td Align=\"center\">    75.00</td>"
                        "<td Align=\"center\">     3.00</td></tr>"
                        "<tr bgcolor=\"#FFFFFF\"><td Align=\"left\">Oats</td><td Align=\"center\">    25.00</td>"
                        "<td Align=\"center\">     1.00</td></tr>" +
                        TableFrameEnd());
  const std::string table = mix.MixAnalysisTable();
  EXPECT_EQ(table.find(TableFrameStart() + HeaderRowStart() +
                       "<th width=\"60%\" align=\"left\">N\xE6ringsstof</th><th width=\"20%\" align=\"center\"> </th>"
                       "<th width=\"20%\" align=\"center\"> </th>" +
                       RowEnd() +
                       "<tr bgcolor=\"#FFFFFF\"><td Align=\"left\">T\xF8rstof</td><td Align=\"center\">    82.00</td>"
                       "<td Align=\"center\">%</td></tr>"
                       "<tr bgcolor=\"#FFFFFF\"><td Align=\"left\">Energi</td><td Align=\"center\">     0.00</td>"
                       "<td Align=\"center\">fe/kg</td></tr>"),
            0u)
      << table;
  EXPECT_FALSE(Contains(table, "<html>"));
  // A mix without kg has no rows and divides by nothing.
  mix.ZeroAllotted();
  EXPECT_FALSE(Contains(mix.MixRecipePage(), "<td Align=\"left\">Hay</td>"));
  EXPECT_TRUE(Contains(mix.MixRecipePage(), "Foderpris     0.00kr/kg"));
}

TEST(FeedList, FileNamesFollowTheFeedDirectoryNameAndMixFlag) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  list.ForlisteNavn = "H\xF8";  // Windows-1252 in the record, UTF-8 on the disk
  const auto path = list.FileNameFor();
  EXPECT_EQ(path, fx.FeedDir() / "Hø.eqf");
  EXPECT_EQ(list.ForListeFilNavn, TextFromPath(fx.FeedDir()) + "/H\xF8.eqf");
  EXPECT_TRUE(std::filesystem::is_directory(fx.FeedDir()));
  list.ForBlanding = true;
  EXPECT_EQ(list.FileNameFor(), fx.FeedDir() / "Hø.eqf");  // ForBlanding alone does not decide
  list.SaveToFile(fx.dir / "Hø.mix");
  EXPECT_TRUE(std::filesystem::exists(fx.dir / "Hø.mix"));
  TForListe loaded(*fx.env);
  loaded.LoadFromFile(fx.dir / "Hø.mix");
  EXPECT_TRUE(loaded.mixFile);
  EXPECT_EQ(loaded.ForListeFilNavn, TextFromPath(fx.dir / "Hø.mix"));
  EXPECT_EQ(loaded.FileNameFor(), fx.FeedDir() / "Hø.mix");
}

TEST(FeedList, SavingStampsTheVersionAndLoadingReadsItBack) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  list.ForlisteNavn = "Test";
  list.Versjon = 1.5;
  Add(list, "Hø", 6).SetValue(0, 0.45);
  list.SaveToWorkspace();
  EXPECT_EQ(list.Versjon, 2.17);
  const auto text = ReadWholeFile(fx.FeedDir() / "Test.eqf");
  ASSERT_TRUE(text);
  EXPECT_TRUE(Contains(*text, "\r\n  Versjon = 2.17\r\n"));
  TForListe loaded(*fx.env);
  loaded.LoadFromFile(fx.FeedDir() / "Test.eqf");
  EXPECT_EQ(RecordText(loaded), *text);
  // A name that cannot be a file name is refused before anything is written.
  list.ForlisteNavn = "../Test";
  EXPECT_THROW(list.SaveToWorkspace(), ObjTextError);
  EXPECT_FALSE(std::filesystem::exists(fx.FeedDir().parent_path() / "Test.eqf"));
  // Loading a file that is not object text fails with the reader's error.
  std::ofstream(fx.dir / "bad.eqf", std::ios::binary) << "object TForListe\r\n  Versjon 2\r\nend\r\n";
  TForListe bad(*fx.env);
  EXPECT_THROW(bad.LoadFromFile(fx.dir / "bad.eqf"), ObjTextError);
  EXPECT_THROW(bad.LoadFromFile(fx.dir / "missing.eqf"), ObjTextError);
  // Without a workspace there is no feed directory to save into.
  FeedsEnv bare(',', false);
  TForListe homeless(*bare.env);
  EXPECT_THROW(homeless.SaveToWorkspace(), ObjTextError);
}

TEST(FeedList, RenameMovesTheFileAndNeverReplacesAnotherList) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  list.ForlisteNavn = "Gammel";
  list.SaveToWorkspace();
  TForListe other(*fx.env);
  other.ForlisteNavn = "Anden";
  other.SaveToWorkspace();
  const auto otherBytes = ReadWholeFile(fx.FeedDir() / "Anden.eqf");
  std::string error;
  EXPECT_FALSE(list.Rename("Anden", &error));
  EXPECT_EQ(error, "Der findes allerede en foderliste med navnet: Anden");
  EXPECT_EQ(list.ForlisteNavn, "Gammel");
  EXPECT_EQ(list.ForListeFilNavn, TextFromPath(fx.FeedDir() / "Gammel.eqf"));
  EXPECT_EQ(ReadWholeFile(fx.FeedDir() / "Anden.eqf"), otherBytes);
  EXPECT_TRUE(std::filesystem::exists(fx.FeedDir() / "Gammel.eqf"));
  for (const char* bad : {"", ".", "..", ".skjult", "a/b", "a\\b"}) {
    error.clear();
    EXPECT_FALSE(list.Rename(bad, &error)) << bad;
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(list.ForlisteNavn, "Gammel");
  }
  EXPECT_TRUE(list.Rename("Ny", &error));
  EXPECT_EQ(list.ForlisteNavn, "Ny");
  EXPECT_FALSE(std::filesystem::exists(fx.FeedDir() / "Gammel.eqf"));
  EXPECT_TRUE(std::filesystem::exists(fx.FeedDir() / "Ny.eqf"));
  EXPECT_TRUE(list.Rename("Ny"));  // onto its own file
  // A list that was never saved is just renamed.
  TForListe fresh(*fx.env);
  EXPECT_TRUE(fresh.Rename("Frisk"));
  EXPECT_FALSE(std::filesystem::exists(fx.FeedDir() / "Frisk.eqf"));
  // DeleteFile.
  EXPECT_TRUE(list.DeleteFile());
  EXPECT_FALSE(std::filesystem::exists(fx.FeedDir() / "Ny.eqf"));
  EXPECT_TRUE(list.DeleteFile());  // no file: nothing to do
}

TEST(FeedList, TouchDatesTheListAndStoresTheFeedBeingEdited) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  list.EndretDato = 1;
  list.Touch();
  EXPECT_EQ(list.EndretDato, EncodeDate(2025, 1, 15));
  int stored = 0;
  list.storeEditedFeed = [&] { ++stored; };
  list.Touch();
  EXPECT_EQ(stored, 1);
}

}  // namespace
}  // namespace stallora
