// The balancer against the evaluation on generated horses and feed lists: with the installed
// country settings and requirement list, under each energy/protein system, every proposal
// is put into the ration and judged by BeregnBehov and BeregnTilforsel as the ration page
// would. A balanced ration must raise no flag; a closest one must explain every flag.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "core/cp1252.h"
#include "ration/evaluation.h"
#include "ration/optimizer.h"
#include "forms/ration_page.h"
#include "optimizer_fixture.h"

namespace stallora {
namespace {

struct System {
  TEnergiBeregning model;
  EnergiBasisType basis;
  EnergiEnhetstype unit;
  TProteinBeregning protein;
};

class BalancePropertyTest : public testing::BalanceHorseTest {
 protected:
  void Use(const System& s) { BalanceHorseTest::Use(s.model, s.basis, s.unit, s.protein); }

  double U(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng_); }
  bool Chance(double p) { return U(0, 1) < p; }

  std::unique_ptr<THest> Horse() {
    auto h = std::make_unique<THest>(*env_);
    h->Navn = "Pr\xF8ve";
    const DayNumber today = clock_.Today();
    const int kind = static_cast<int>(U(0, 6));
    h->Kategori = static_cast<TDyreKategori>(kind);
    h->Fodselsdato = today - U(3 * 365, 15 * 365);
    h->ForventetVoksenvekt = U(350, 650);
    double w = U(300, 700);
    switch (h->Kategori) {
      case TDyreKategori::Ungdyr:
        h->Fodselsdato = today - U(120, 900);
        w = h->ForventetVoksenvekt * U(0.3, 0.8);
        h->VektListe->LeggTil(w * 0.9, today - 30);
        break;
      case TDyreKategori::Trening:
        h->ArbeidsIntensitet = static_cast<TArbeidsIntensitet>(static_cast<int>(U(0, 4)));
        h->TreningsMengde = U(0, 0.5);
        break;
      case TDyreKategori::Drektig: h->ParringsDato = today - U(30, 330); break;
      case TDyreKategori::Lakterende: h->PartusDato = today - U(5, 200); break;
      default: break;
    }
    h->VektListe->LeggTil(w, today);
    h->BlodsType = static_cast<TBlodsType>(static_cast<int>(U(0, 3)));
    return h;
  }

  // A feed of a kind with values around a tenth (roughage), a fifth (concentrate) or
  // several times (mineral feed) of the daily requirement per kg.
  std::unique_ptr<TFor> MakeFeed(const THest& h, int kind, int n) {
    auto f = std::make_unique<TFor>(*env_);
    f->Fornavn = "Foder " + std::to_string(n);
    static constexpr int kCategories[] = {1, 7, 9, 0};
    f->Fortype = static_cast<uint8_t>(kCategories[kind]);
    f->TorrStoff = kind == 3 ? U(15, 25) : kind == 2 ? 95 : U(80, 92);
    f->Pris = Chance(0.15) ? 0 : (kind == 2 ? U(8, 30) : kind == 1 ? U(2, 6) : U(0.5, 2.5));
    for (int i = 0; i < kNutrientCount; ++i) {
      if (i == 6) continue;
      const double b = std::max(h.Behov[static_cast<size_t>(i)], 0.0);
      double v = 0;
      switch (kind) {
        case 0: v = i <= 2 ? b / 9 * U(0.6, 1.3) : b / 10 * U(0.2, 1.5); break;
        case 1: v = i <= 2 ? b / 6 * U(0.7, 1.4) : b / 8 * U(0.1, 1.2); break;
        case 2: v = i <= 2 ? 0 : b * U(0.5, 6); break;
        case 3: v = i <= 2 ? b / 40 * U(0.6, 1.3) : b / 50 * U(0.2, 1.5); break;
      }
      if (Chance(0.12)) v = 0;
      f->SetValue(i, v);
    }
    f->UpdateRatio();
    return f;
  }

  std::mt19937 rng_{20261209};
};

bool Explains(const BalanceResult& r, int nutrient) {
  for (const LimitReport& u : r.unmet) {
    if (u.id.subject == LimitSubject::kNutrient && u.id.nutrient == nutrient) return true;
    if (nutrient == 6 && u.id.subject == LimitSubject::kRatio) return true;
    if (nutrient == 1 && u.id.subject == LimitSubject::kDigestibleProtein) return true;
  }
  return false;
}

bool ExplainsSubject(const BalanceResult& r, LimitSubject s) {
  return std::any_of(r.unmet.begin(), r.unmet.end(), [&](const LimitReport& u) { return u.id.subject == s; });
}

TEST_F(BalancePropertyTest, EveryProposalPassesTheEvaluationOrIsExplained) {
  const System systems[] = {
      {TEnergiBeregning::nrc2007, EnergiBasisType::DE, EnergiEnhetstype::MCal, TProteinBeregning::CP},
      {TEnergiBeregning::nrc2007, EnergiBasisType::DE, EnergiEnhetstype::MJ, TProteinBeregning::DCP},
      {TEnergiBeregning::fransk, EnergiBasisType::NE, EnergiEnhetstype::MJ, TProteinBeregning::CP},
      {TEnergiBeregning::dutch, EnergiBasisType::NE, EnergiEnhetstype::fe, TProteinBeregning::DCP},
  };
  auto solver = MakeGlpkSolver();
  int balanced = 0, closest = 0, grazing = 0, french = 0;
  for (int run = 0; run < 240; ++run) {
    const System& system = systems[run % 4];
    Use(system);
    SCOPED_TRACE("case " + std::to_string(run));
    auto h = Horse();
    TForListe& ration = *h->ForListe;
    ration.SetEnergyRecord(EnergyRecord::Of(active_));
    ASSERT_TRUE(h->BeregnBehov());
    TForListe list(*env_);
    list.SetEnergyRecord(ration.GetEnergyRecord());

    const int feeds = 2 + static_cast<int>(U(0, 8));
    const bool pasture = Chance(0.2);
    if (pasture) {
      h->TimerBeiting = 1 + static_cast<int>(U(0, 10));
      auto grass = MakeFeed(*h, 3, 0);
      grass->Valgt = true;
      ration.AddFeed(std::move(grass));
    }
    for (int k = 1; k <= feeds; ++k) {
      auto f = MakeFeed(*h, k == 1 ? 0 : static_cast<int>(U(0, 3)), k);
      f->TildeltKg = Chance(0.5) ? U(0, 6) : 0;
      if (IsSupplementCategory(f->Fortype)) f->TildeltKg /= 20;
      if (Chance(0.1)) {
        // An unpicked feed stays out of the supply but its iron counts against the limit.
        f->Valgt = false;
        f->TildeltKg = U(1, 2);
        f->SetValue(8, h->Behov[8] * U(1.5, 3));
      } else {
        f->Valgt = true;
      }
      ration.AddFeed(std::move(f));
    }
    for (int k = 0; k < 6; ++k) list.AddFeed(MakeFeed(*h, static_cast<int>(U(0, 3)), 100 + k));
    const bool allFeeds = Chance(0.5);

    BalanceRequest req = MakeBalanceRequest(*h, &list, allFeeds);
    for (CandidateFeed& c : req.feeds) {
      if (c.grazing) continue;
      if (Chance(0.1)) {
        c.locked = true;
        c.lockedKg = c.currentKg;
      } else if (Chance(0.1)) {
        c.maxKg = U(0.5, 8);
      } else if (Chance(0.1)) {
        c.minKg = U(0, 0.3);
      }
    }
    if (std::all_of(req.feeds.begin(), req.feeds.end(), [](const auto& c) { return c.locked || c.grazing; }))
      req.feeds.back().locked = false;
    req.objective = Chance(0.5) ? BalanceObjective::kLeastCost : BalanceObjective::kClosestToRequirement;

    const BalanceResult res = BalanceRation(*h, req, *solver);
    ASSERT_TRUE(res.HasProposal()) << Cp1252ToUtf8(res.message);
    grazing += h->PaBeite() ? 1 : 0;
    french += system.model == TEnergiBeregning::fransk ? 1 : 0;

    // The bounds the user set hold.
    for (size_t k = 0; k < req.feeds.size(); ++k) {
      const CandidateFeed& c = req.feeds[k];
      const double kg = res.feeds[k].newKg;
      if (c.grazing) {
        // The grazing amount, unless the dry matter overflows and the page cuts the pasture.
        EXPECT_LE(kg, c.lockedKg);
        if (kg < c.lockedKg) {
          EXPECT_EQ(res.status, BalanceStatus::kClosest);
        }
      } else if (c.locked) {
        EXPECT_EQ(kg, c.lockedKg);
      } else {
        EXPECT_GE(kg, c.minKg);
        EXPECT_LE(kg, c.maxKg);
      }
    }

    // The library's own check leaves the ration as it was.
    std::vector<double> before;
    for (const auto& f : ration.Feeds()) before.push_back(f->TildeltKg);
    const int count = ration.Count();
    const ProposalCheck check = CheckProposal(*h, &list, req, res);
    ASSERT_TRUE(check.applied);
    ASSERT_EQ(ration.Count(), count);
    for (int i = 0; i < count; ++i) EXPECT_EQ(ration.FeedAt(i)->TildeltKg, before[static_cast<size_t>(i)]);

    // Now for real, and judged the way the ration page judges.
    ASSERT_TRUE(ApplyProposal(*h, &list, req, res));
    if (ration.TotalKg() > 0) ApplyGrazingCap(*h);
    ASSERT_TRUE(h->BeregnBehov());
    BeregnTilforsel(*h);
    std::vector<int> flagged;
    for (int i = 0; i < kNutrientCount; ++i)
      if (h->UtenforOmrade[static_cast<size_t>(i)]) flagged.push_back(i);
    EXPECT_EQ(flagged, check.flagged);
    const RoughageVerdict verdict = GrovforVurdering(*h);
    const bool dryMatterOk = ration.Supply(25) <= MaksTorrstoff(*h);

    if (res.status == BalanceStatus::kBalanced) {
      ++balanced;
      EXPECT_TRUE(res.unmet.empty());
      for (int i : flagged)
        ADD_FAILURE() << "nutrient " << i << " flagged: supply " << h->Tilforsel[static_cast<size_t>(i)] << " limits "
                      << h->MinGrense[static_cast<size_t>(i)] << " .. " << h->MaksGrense[static_cast<size_t>(i)];
      EXPECT_EQ(verdict, RoughageVerdict::Acceptable);
      EXPECT_TRUE(dryMatterOk) << ration.Supply(25) << " > " << MaksTorrstoff(*h);
      EXPECT_TRUE(check.roughageAcceptable && check.dryMatterWithin);
    } else {
      ++closest;
      EXPECT_FALSE(res.unmet.empty());
      for (const LimitReport& u : res.unmet) EXPECT_FALSE(u.text.empty());
      for (int i : flagged) {
        EXPECT_TRUE(Explains(res, i)) << "nutrient " << i << " flagged without explanation: supply "
                                      << h->Tilforsel[static_cast<size_t>(i)] << " limits "
                                      << h->MinGrense[static_cast<size_t>(i)] << " .. "
                                      << h->MaksGrense[static_cast<size_t>(i)] << " pasture " << h->PaBeite();
        if (!Explains(res, i))
          for (const auto& u : res.unmet) std::cout << "  unmet: " << Cp1252ToUtf8(u.text) << "\n";
      }
      if (verdict == RoughageVerdict::TooLittleRoughage) {
        EXPECT_TRUE(ExplainsSubject(res, LimitSubject::kRoughage));
      }
      if (!dryMatterOk) {
        EXPECT_TRUE(ExplainsSubject(res, LimitSubject::kDryMatter));
      }
    }
  }
  // The generated cases cover both outcomes, grazing and the French protein rule.
  EXPECT_GT(balanced, 30);
  EXPECT_GT(closest, 30);
  EXPECT_GT(grazing, 10);
  EXPECT_GT(french, 30);
  std::cout << "balanced " << balanced << ", closest " << closest << ", grazing " << grazing << "\n";
}

TEST_F(BalancePropertyTest, LeastCostIsNoDearerThanTheClosestRation) {
  // Both objectives meet the same limits, so the cheapest may not cost more than the
  // ration closest to the requirement.
  Use({TEnergiBeregning::nrc2007, EnergiBasisType::DE, EnergiEnhetstype::MCal, TProteinBeregning::CP});
  auto solver = MakeGlpkSolver();
  int compared = 0;
  for (int run = 0; run < 60; ++run) {
    auto h = Horse();
    ASSERT_TRUE(h->BeregnBehov());
    for (int k = 0; k < 8; ++k) {
      auto f = MakeFeed(*h, k == 0 ? 0 : k % 3, k);
      f->Valgt = true;
      h->ForListe->AddFeed(std::move(f));
    }
    BalanceRequest req = MakeBalanceRequest(*h, nullptr, false);
    const BalanceResult cheap = BalanceRation(*h, req, *solver);
    req.objective = BalanceObjective::kClosestToRequirement;
    const BalanceResult close = BalanceRation(*h, req, *solver);
    if (cheap.status != BalanceStatus::kBalanced || close.status != BalanceStatus::kBalanced) continue;
    ++compared;
    EXPECT_LE(cheap.cost, close.cost + 1e-6 * std::max(1.0, close.cost));
  }
  EXPECT_GT(compared, 10);
}

}  // namespace
}  // namespace stallora
