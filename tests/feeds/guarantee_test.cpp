// Guarantee feed lists: which one is current, when an offer is newer, and the update of the
// workspace's other lists from a newer one.

#include "feeds/guarantee.h"

#include <gtest/gtest.h>

#include "core/fileio.h"
#include "core/objtext.h"
#include "feeds_test_env.h"

namespace stallora {
namespace {

using testing::FeedsEnv;

std::unique_ptr<TForListe> Guarantee(const RecordEnvironment& env, const std::string& name, int version) {
  auto list = std::make_unique<TForListe>(env);
  list->ForlisteNavn = name;
  list->ErGarantiForliste = true;
  list->GarantiForlisteVersjon = version;
  return list;
}

TFor& Add(TForListe& list, const std::string& name, double energy, const std::string& brand = "Nordhavre") {
  auto f = std::make_unique<TFor>(*list.env);
  f->Fornavn = name;
  f->Brand = brand;
  f->Fortype = 7;
  f->SetValue(0, energy);
  return list.AddFeed(std::move(f));
}

TEST(Guarantee, TheScanKeepsTheNewestListAsCurrent) {
  FeedsEnv fx;
  TForListe ordinary(*fx.env);
  auto v2 = Guarantee(*fx.env, "Nordhavre Foder", 2);
  auto v1 = Guarantee(*fx.env, "Gammel", 1);
  auto v2b = Guarantee(*fx.env, "Kopi", 2);
  auto v5 = Guarantee(*fx.env, "Ny", 5);
  auto negative = Guarantee(*fx.env, "Negativ", INT32_MIN);
  GuaranteeListScan scan;
  EXPECT_EQ(scan.Current(), nullptr);
  EXPECT_EQ(scan.PreferenceFileName(), "");
  EXPECT_EQ(scan.Offer(*negative), GuaranteeListScan::Placement::NewCurrent);  // below any real version
  EXPECT_EQ(scan.Offer(ordinary), GuaranteeListScan::Placement::Ordinary);
  EXPECT_EQ(scan.Offer(*v2), GuaranteeListScan::Placement::NewCurrent);
  EXPECT_EQ(scan.Offer(*v1), GuaranteeListScan::Placement::Hidden);
  EXPECT_EQ(scan.Offer(*v2b), GuaranteeListScan::Placement::Hidden);  // not higher
  EXPECT_EQ(scan.Current(), v2.get());
  EXPECT_EQ(scan.Offer(*v5), GuaranteeListScan::Placement::NewCurrent);
  EXPECT_EQ(scan.Current(), v5.get());
  EXPECT_EQ(scan.GuaranteeCount(), 5);
  EXPECT_TRUE(scan.UpdateNeeded());
  EXPECT_EQ(scan.PreferenceFileName(), "Ny.eqf");
  GuaranteeListScan single;
  single.Offer(*v1);
  EXPECT_FALSE(single.UpdateNeeded());
}

TEST(Guarantee, OffersAndMarks) {
  FeedsEnv fx;
  auto current = Guarantee(*fx.env, "Nordhavre Foder", 3);
  EXPECT_TRUE(IsNewerGuaranteeOffer(nullptr, 1));
  EXPECT_TRUE(IsNewerGuaranteeOffer(current.get(), 4));
  EXPECT_FALSE(IsNewerGuaranteeOffer(current.get(), 3));
  EXPECT_FALSE(IsNewerGuaranteeOffer(current.get(), 2));
  EXPECT_EQ(GuaranteeListLabel(current.get()), "Foderliste:\rNordhavre Foder\r- Version 3");
  EXPECT_EQ(GuaranteeListLabel(nullptr), "");
  // Copies keep the marks; a list saved under a new name loses them.
  auto copy = current->CopyList(false, ListOwnerKind::Workspace);
  EXPECT_TRUE(IsGuaranteeList(*copy));
  EXPECT_EQ(copy->GarantiForlisteVersjon, 3);
  MarkAsOrdinaryList(*copy);
  EXPECT_FALSE(IsGuaranteeList(*copy));
  EXPECT_EQ(copy->GarantiForlisteVersjon, 0);
  TFor feed(*fx.env);
  EXPECT_FALSE(IsGenericFeed(feed));  // "Generic" is not "GENERIC"
  feed.Brand = "GENERIC";
  EXPECT_TRUE(IsGenericFeed(feed));
  EXPECT_EQ(BrandDisplayText("GENERIC"), "Almindeligt FODER");
  EXPECT_EQ(BrandDisplayText("Generic"), "Generic");
  EXPECT_EQ(BrandDisplayText("Nordhavre"), "Nordhavre");
}

TEST(Guarantee, UpdateAllFromUpdatesAndSavesEveryOtherList) {
  FeedsEnv fx;
  auto newer = Guarantee(*fx.env, "Nordhavre Foder", 4);
  newer->EndretDato = 45500;
  Add(*newer, "Sport", 0.95);
  auto old = Guarantee(*fx.env, "Nordhavre Foder 3", 3);
  Add(*old, "Sport", 0.9);
  TForListe mine(*fx.env);
  mine.ForlisteNavn = "Min liste";
  Add(mine, "Sport", 0.9);
  TForListe bad(*fx.env);
  bad.ForlisteNavn = "../ud";
  Add(bad, "Sport", 0.9);
  TForListe stableList(*fx.env, ListOwnerKind::Stable);
  Add(stableList, "Sport", 0.9);
  TForListe ration(*fx.env, ListOwnerKind::Animal);
  Add(ration, "Sport", 0.9);
  int saved = 0;
  std::vector<TForListe*> standAlone = {newer.get(), old.get(), &mine, &bad};
  std::vector<GuaranteeUpdateGroup> groups = {{{&stableList, &ration}, [&] { ++saved; }}};
  GuaranteeUpdateReport report = UpdateAllFrom(*newer, standAlone, newer.get(), groups);
  EXPECT_EQ(report.updatedLists, 5);  // old, mine, bad, the stable's list and the ration
  EXPECT_EQ(mine.FeedAt(0)->Value(0), 0.95);
  EXPECT_EQ(mine.EndretDato, 45500);
  EXPECT_EQ(old->FeedAt(0)->Value(0), 0.95);
  EXPECT_EQ(stableList.FeedAt(0)->Value(0), 0.95);
  EXPECT_EQ(ration.FeedAt(0)->Value(0), 0.95);
  EXPECT_EQ(saved, 1);
  EXPECT_TRUE(std::filesystem::exists(fx.FeedDir() / "Min liste.eqf"));
  EXPECT_TRUE(std::filesystem::exists(fx.FeedDir() / "Nordhavre Foder 3.eqf"));
  EXPECT_FALSE(std::filesystem::exists(fx.FeedDir() / "Nordhavre Foder.eqf"));  // the current list itself
  ASSERT_EQ(report.errors.size(), 1u);                                          // the list whose name is no file name
  EXPECT_EQ(report.errors[0].rfind("../ud: ", 0), 0u);
  // A failing save of a group is reported too.
  std::vector<GuaranteeUpdateGroup> failing = {{{&ration}, [] { throw ObjTextError("Cannot create file x"); }}};
  report = UpdateAllFrom(*newer, {}, newer.get(), failing);
  EXPECT_EQ(report.errors, std::vector<std::string>{"Cannot create file x"});
}

}  // namespace
}  // namespace stallora
