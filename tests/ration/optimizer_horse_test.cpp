// The balancer's side that knows horses: the candidates of a ration and a feed list, the
// limits read from the evaluation, and putting a proposal into the ration.

#include <gtest/gtest.h>

#include <cmath>

#include "config/preferences.h"
#include "core/cp1252.h"
#include "ration/evaluation.h"
#include "ration/optimizer.h"
#include "ration/optimizer_texts.h"
#include "optimizer_fixture.h"

namespace stallora {
namespace {

using BalanceHorse = testing::BalanceHorseTest;

TEST_F(BalanceHorse, CandidatesArePickedRationFeedsAndTheListsOthersConverted) {
  auto h = Horse();
  TForListe& ration = *h->ForListe;
  AddFeed(ration, "H\xF8", 1, 8, 1.5, {{0, 2}, {1, 80}}, 85);
  AddFeed(ration, "Havre", 3, 1, 3, {{0, 3}}).Valgt = false;
  TForListe list(*env_);
  EnergyRecord mj = ration.GetEnergyRecord();
  mj.EnergiEnhet = EnergiEnhetstype::MJ;
  list.SetEnergyRecord(mj);
  AddFeed(list, "H\xF8", 1, 0, 9, {{0, 8.37}});
  AddFeed(list, "Havre", 3, 0, 3, {{0, 12}});
  AddFeed(list, "Mineral", 9, 0, 20, {{0, 4.185}, {3, 200}}, 95);
  AddFeed(list, "Mineral", 9, 0, 25, {{3, 100}}, 95);
  AddFeed(list, "Gr\xE6s", 0, 0, 0, {{0, 1}}, 20);

  BalanceRequest req = MakeBalanceRequest(*h, &list, false);
  ASSERT_EQ(req.feeds.size(), 1u);
  EXPECT_EQ(req.feeds[0].rationIndex, 0);
  EXPECT_EQ(req.feeds[0].currentKg, 8);
  EXPECT_EQ(req.feeds[0].perKg[1], 80);

  // The list's hay and oats are in the ration already (by name, picked or not); of two
  // feeds with one name the first counts. Pasture is the grazing's and stays out.
  req = MakeBalanceRequest(*h, &list, true);
  ASSERT_EQ(req.feeds.size(), 2u);
  EXPECT_EQ(req.feeds[1].name, "Mineral");
  EXPECT_EQ(req.feeds[1].listIndex, 2);
  EXPECT_EQ(req.feeds[1].rationIndex, -1);
  EXPECT_EQ(req.feeds[1].currentKg, 0);
  EXPECT_NEAR(req.feeds[1].perKg[0], 1, 1e-9);  // 4.185 MJ is 1 MCal
  EXPECT_EQ(req.feeds[1].price, 20);
}

TEST_F(BalanceHorse, ThePastureOfAGrazingHorseIsLockedAtTheGrazingAmount) {
  // 10 hours give 8.8 effective hours; 500 kg × (0.016 + 0.8 × 0.001) = 8.4 kg dry matter,
  // 42 kg of grass with 20 % dry matter.
  auto h = Horse();
  AddFeed(*h->ForListe, "Gr\xE6s", 0, 30, 0, {{0, 0.4}}, 20);
  AddFeed(*h->ForListe, "H\xF8", 1, 4, 1.5, {{0, 2}}, 85);
  h->TimerBeiting = 10;
  const BalanceRequest req = MakeBalanceRequest(*h, nullptr, false);
  ASSERT_EQ(req.feeds.size(), 2u);
  EXPECT_TRUE(req.feeds[0].grazing);
  EXPECT_TRUE(req.feeds[0].locked);
  EXPECT_EQ(req.feeds[0].lockedKg, 42);
  EXPECT_EQ(req.feeds[0].currentKg, 30);
  EXPECT_FALSE(req.feeds[1].grazing);
  EXPECT_FALSE(req.feeds[1].locked);
}

TEST_F(BalanceHorse, TheLimitsAreTheEvaluations) {
  auto h = Horse();
  AddFeed(*h->ForListe, "H\xF8", 1, 8, 1.5, {{0, 2}, {8, 100}}, 85);
  TFor& spare = AddFeed(*h->ForListe, "Jernrigt", 9, 2, 10, {{8, 1000}, {3, 50}}, 95);
  spare.Valgt = false;
  TPreferences prefs;
  prefs.useNutrient.fill(true);
  prefs.useNutrient[12] = false;
  env_->preferences = &prefs;
  const BalanceRequest req = MakeBalanceRequest(*h, nullptr, false);
  ASSERT_EQ(req.feeds.size(), 1u);
  std::string error;
  const auto lim = LimitsFor(*h, req, &error);
  ASSERT_TRUE(lim) << error;
  for (int i = 0; i < kNutrientCount; ++i) {
    const auto k = static_cast<size_t>(i);
    EXPECT_EQ(lim->nutrient[k].min, h->MinGrense[k]) << i;
    EXPECT_EQ(lim->nutrient[k].max, h->MaksGrense[k]) << i;
    EXPECT_EQ(lim->requirement[k], h->Behov[k]) << i;
  }
  EXPECT_FALSE(lim->nutrient[8].low);  // iron only from above
  EXPECT_TRUE(lim->nutrient[8].high);
  EXPECT_TRUE(lim->nutrient[15].low);  // vitamin A only from below
  EXPECT_FALSE(lim->nutrient[15].high);
  EXPECT_FALSE(lim->nutrient[12].low || lim->nutrient[12].high);  // not used
  EXPECT_TRUE(lim->nutrient[6].low && lim->nutrient[6].high);
  EXPECT_EQ(lim->maxDryMatter, 12.5);
  EXPECT_EQ(lim->minRoughage, 4.5);
  // The unpicked feed counts for iron (over all feeds) and for nothing else.
  EXPECT_EQ(lim->fixedValue8All, 2000);
  EXPECT_EQ(lim->fixedSupply[8], 0);
  EXPECT_EQ(lim->fixedSupply[3], 0);
  EXPECT_FALSE(lim->proteinByDigestibility);
  env_->preferences = nullptr;

  // On pasture vitamins A and D are not judged.
  AddFeed(*h->ForListe, "Gr\xE6s", 0, 20, 0, {{0, 0.4}}, 20);
  h->TimerBeiting = 6;
  const auto grazing = LimitsFor(*h, MakeBalanceRequest(*h, nullptr, false));
  ASSERT_TRUE(grazing);
  EXPECT_FALSE(grazing->nutrient[15].low || grazing->nutrient[16].low || grazing->nutrient[16].high);
  EXPECT_TRUE(grazing->grazingCap);
}

TEST_F(BalanceHorse, FrenchCrudeProteinIsARangeOfTheDigestibleSum) {
  Use(TEnergiBeregning::fransk, EnergiBasisType::NE, EnergiEnhetstype::MJ, TProteinBeregning::CP);
  auto empty = Horse();
  ASSERT_TRUE(empty->BeregnBehov());
  const double base = empty->Behov[1];  // no ration, no correction

  auto h = Horse();
  AddFeed(*h->ForListe, "H\xF8", 1, 8, 1.5, {{0, 4}, {1, 90}}, 85);
  AddFeed(*h->ForListe, "Soja", 7, 0.5, 5, {{0, 7}, {1, 440}});
  const BalanceRequest req = MakeBalanceRequest(*h, nullptr, false);
  const auto lim = LimitsFor(*h, req);
  ASSERT_TRUE(lim);
  EXPECT_TRUE(lim->proteinByDigestibility);
  EXPECT_NEAR(lim->proteinBase, base, 1e-9 * base);
  EXPECT_NEAR(lim->proteinMinFactor, 0.85, 1e-12);
  EXPECT_NEAR(lim->proteinMaxFactor, 2.0, 1e-12);
  EXPECT_NEAR(req.feeds[0].proteinTerm, 90 * 0.955 - 36.69, 1e-12);
  EXPECT_NEAR(req.feeds[1].proteinTerm, 440 * 0.95 - 25.67, 1e-12);

  // Whatever amounts come out, the evaluation judges protein with the requirement the new
  // digestibility gives; the balancer's proposal holds there.
  BalanceRequest open = req;
  const BalanceResult r = BalanceRation(*h, open, *MakeGlpkSolver());
  ASSERT_TRUE(r.HasProposal()) << Cp1252ToUtf8(r.message);
  ASSERT_TRUE(ApplyProposal(*h, nullptr, open, r));
  ASSERT_TRUE(h->BeregnBehov());
  BeregnTilforsel(*h);
  const bool proteinUnmet = std::any_of(r.unmet.begin(), r.unmet.end(), [](const LimitReport& u) {
    return u.id.subject == LimitSubject::kDigestibleProtein;
  });
  EXPECT_EQ(h->UtenforOmrade[1], proteinUnmet);
}

TEST_F(BalanceHorse, BadHorsesAndFeedsAreRefused) {
  auto solver = MakeGlpkSolver();
  auto h = Horse();
  h->VektListe->Tom();
  AddFeed(*h->ForListe, "H\xF8", 1, 8, 1.5, {{0, 2}}, 85);
  BalanceResult r = BalanceRation(*h, MakeBalanceRequest(*h, nullptr, false), *solver);
  EXPECT_EQ(r.status, BalanceStatus::kRefused);
  EXPECT_EQ(r.message, Tr(kBalNoRequirement));

  auto g = Horse();
  AddFeed(*g->ForListe, "H\xF8", 1, 8, 1.5, {{0, 2}}, 85);
  AddFeed(*g->ForListe, "Gammelt", 7, 1, 3, {{5, std::nan("")}}).Valgt = false;
  r = BalanceRation(*g, MakeBalanceRequest(*g, nullptr, false), *solver);
  EXPECT_EQ(r.status, BalanceStatus::kRefused);
  EXPECT_EQ(Cp1252ToUtf8(r.message), "Gammelt: Magnesium er ikke et gyldigt tal. Ret foderet");

  auto e = Horse();
  r = BalanceRation(*e, MakeBalanceRequest(*e, nullptr, false), *solver);
  EXPECT_EQ(r.message, Tr(kBalNoCandidates));
}

TEST_F(BalanceHorse, ApplyPutsTheAmountsInAndRefusesAChangedRation) {
  auto h = Horse();
  TForListe& ration = *h->ForListe;
  AddFeed(ration, "Havre", 3, 3, 3, {{0, 2.9}});
  AddFeed(ration, "H\xF8", 1, 5, 1.5, {{0, 2}}, 85);
  TForListe list(*env_);
  list.SetEnergyRecord(ration.GetEnergyRecord());
  AddFeed(list, "Mineral", 9, 0, 20, {{3, 200}}, 95).Fordeling = {"1"};
  const BalanceRequest req = MakeBalanceRequest(*h, &list, true);
  ASSERT_EQ(req.feeds.size(), 3u);
  BalanceResult res;
  res.status = BalanceStatus::kBalanced;
  for (int k = 0; k < 3; ++k) res.feeds.push_back({k, req.feeds[static_cast<size_t>(k)].currentKg, 0.5 + k, 0});

  ASSERT_TRUE(ApplyProposal(*h, &list, req, res));
  ASSERT_EQ(ration.Count(), 3);
  // In category order: hay (1), oats (3), mineral (9).
  EXPECT_EQ(ration.FeedAt(0)->Fornavn, "H\xF8");
  EXPECT_EQ(ration.FeedAt(0)->TildeltKg, 1.5);
  EXPECT_EQ(ration.FeedAt(1)->TildeltKg, 0.5);
  EXPECT_EQ(ration.FeedAt(2)->Fornavn, "Mineral");
  EXPECT_EQ(ration.FeedAt(2)->TildeltKg, 2.5);
  EXPECT_TRUE(ration.FeedAt(2)->Valgt);
  EXPECT_EQ(ration.EndretDato, clock_.Today());
  EXPECT_EQ(list.FeedAt(0)->TildeltKg, 0);  // the list keeps its own

  // The same request once more: the ration's feeds have moved and the mineral feed is in
  // it now, so nothing is applied.
  EXPECT_FALSE(ApplyProposal(*h, &list, req, res));
  EXPECT_EQ(ration.Count(), 3);
  EXPECT_EQ(ration.FeedAt(0)->TildeltKg, 1.5);

  // Without a proposal nothing is applied either.
  const BalanceRequest again = MakeBalanceRequest(*h, &list, true);
  BalanceResult refused;
  refused.status = BalanceStatus::kRefused;
  EXPECT_FALSE(ApplyProposal(*h, &list, again, refused));
}

}  // namespace
}  // namespace stallora
