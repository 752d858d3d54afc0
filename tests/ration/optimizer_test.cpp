// The ration balancer on hand-made limits: optima computed by hand, locks and bounds, the
// explanations of limits that cannot be met, refusals and a solver that runs out of time.

#include "ration/optimizer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "config/country_settings.h"
#include "core/cp1252.h"
#include "ration/optimizer_texts.h"

namespace stallora {
namespace {

constexpr int kEnergy = 0, kProtein = 1, kCa = 3, kP = 4, kRatio = 6, kCo = 13, kB12 = 21;

class BalanceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    CountrySettingsResult r = LoadCountrySettings(STALLORA_DATA_DIR, "dan.ini", "DAN");
    ASSERT_TRUE(r.settings) << r.message;
    settings_ = new CountrySettings(std::move(*r.settings));
  }
  static void TearDownTestSuite() {
    delete settings_;
    settings_ = nullptr;
  }

  // Nothing judged, no dry-matter limits.
  static RationLimits Open() {
    RationLimits l;
    l.maxDryMatter = kLpInfinity;
    l.minRoughage = 0;
    return l;
  }
  static void Min(RationLimits& l, int i, double v) {
    l.nutrient[static_cast<size_t>(i)].low = true;
    l.nutrient[static_cast<size_t>(i)].min = v;
  }
  static void Max(RationLimits& l, int i, double v) {
    l.nutrient[static_cast<size_t>(i)].high = true;
    l.nutrient[static_cast<size_t>(i)].max = v;
  }
  static CandidateFeed Feed(const std::string& name, double price, std::initializer_list<std::pair<int, double>> values,
                            int category = 7, double dm = 88) {
    CandidateFeed f;
    f.name = Utf8ToCp1252(name);
    f.price = price;
    f.category = category;
    f.dryMatter = dm;
    for (const auto& [i, v] : values) f.perKg[static_cast<size_t>(i)] = v;
    return f;
  }
  BalanceResult Run(const BalanceRequest& req, const RationLimits& lim) {
    return Balance(req, lim, *solver_, ExplainContext{settings_, ','});
  }
  static bool Has(const std::vector<LimitReport>& reports, LimitId id) {
    for (const auto& r : reports)
      if (r.id == id) return true;
    return false;
  }

  static CountrySettings* settings_;
  std::unique_ptr<LpSolver> solver_ = MakeGlpkSolver();
};

CountrySettings* BalanceTest::settings_ = nullptr;

TEST_F(BalanceTest, TwoFeedsTwoNutrientsAtTheHandComputedOptimum) {
  // min 2a + 3b  subject to  10a + 8b ≥ 80 (energy), 50a + 150b ≥ 800 (protein).
  // The corners: (16, 0) costs 32, (0, 10) costs 30, and where both rows bind:
  // a = 8 − 0.8b, 400 − 40b + 150b = 800, b = 40/11, a = 56/11, cost 232/11 = 21.09.
  BalanceRequest req;
  req.feeds = {Feed("A", 2, {{kEnergy, 10}, {kProtein, 50}}), Feed("B", 3, {{kEnergy, 8}, {kProtein, 150}})};
  RationLimits lim = Open();
  Min(lim, kEnergy, 80);
  Min(lim, kProtein, 800);
  const BalanceResult r = Run(req, lim);
  ASSERT_EQ(r.status, BalanceStatus::kBalanced) << r.message;
  EXPECT_NEAR(r.feeds[0].newKg, 56.0 / 11, 1e-5);
  EXPECT_NEAR(r.feeds[1].newKg, 40.0 / 11, 1e-5);
  EXPECT_NEAR(r.cost, 232.0 / 11, 1e-4);
  EXPECT_TRUE(Has(r.binding, {LimitSubject::kNutrient, kEnergy, false}));
  EXPECT_TRUE(Has(r.binding, {LimitSubject::kNutrient, kProtein, false}));
  EXPECT_TRUE(r.unmet.empty());
  // Every limit holds exactly on the evaluation's side.
  EXPECT_GE(10 * r.feeds[0].newKg + 8 * r.feeds[1].newKg, 80);
  EXPECT_GE(50 * r.feeds[0].newKg + 150 * r.feeds[1].newKg, 800);
}

// Hay, oats and a mineral feed; energy ≥ 100 MJ, calcium ≥ 60 g, hay at most 10 kg, dry
// matter at most 12.5 kg and roughage at least 4.5 kg.
//   per kg:  price  energy  Ca    dry matter
//   hay      1.50   8       4     85 %
//   oats     3.00   11      1     88 %
//   mineral  20.00  0       200   95 %
// Energy costs 1.5/8 = 0.19 kr/MJ from hay and 3/11 = 0.27 kr/MJ from oats, so hay goes to
// its maximum: 10 kg give 80 MJ and 40 g Ca. Oats fill the energy: 20/11 = 1.818 kg (and
// 1.818 g Ca). Ca costs 0.10 kr/g from the mineral feed, 0.375 kr/g from more hay, so the
// mineral feed gives the rest: (60 − 40 − 20/11) / 200 = 1/11 kg.
// Cost: 15 + 3·20/11 + 20/11 = 245/11 = 22.27 kr. Check of the corner (reduced cost of
// hay): duals y_Ca = 20/200 = 0.1, y_E = (3 − 0.1)/11 = 0.2636; 1.5 − 8·0.2636 − 4·0.1 =
// −1.01 < 0, so hay would grow if it could. Dry matter 8.5 + 1.6 + 0.086 = 10.19 kg ≤ 12.5.
class ThreeFeeds : public BalanceTest {
 protected:
  void SetUp() override {
    req_.feeds = {Feed("Hø", 1.5, {{kEnergy, 8}, {kCa, 4}}, 1, 85), Feed("Havre", 3, {{kEnergy, 11}, {kCa, 1}}, 3, 88),
                  Feed("Mineral", 20, {{kCa, 200}}, 9, 95)};
    req_.feeds[0].maxKg = 10;
    lim_ = Open();
    Min(lim_, kEnergy, 100);
    Min(lim_, kCa, 60);
    lim_.maxDryMatter = 12.5;
    lim_.minRoughage = 4.5;
  }
  BalanceRequest req_;
  RationLimits lim_;
};

TEST_F(ThreeFeeds, LeastCostAtTheHandComputedOptimum) {
  const BalanceResult r = Run(req_, lim_);
  ASSERT_EQ(r.status, BalanceStatus::kBalanced) << r.message;
  EXPECT_NEAR(r.feeds[0].newKg, 10, 1e-6);
  EXPECT_NEAR(r.feeds[1].newKg, 20.0 / 11, 1e-5);
  EXPECT_NEAR(r.feeds[2].newKg, 1.0 / 11, 1e-6);
  EXPECT_NEAR(r.cost, 245.0 / 11, 1e-4);
  EXPECT_TRUE(r.feeds[0].atMax);
  EXPECT_FALSE(r.feeds[1].atMax);
  EXPECT_FALSE(Has(r.binding, {LimitSubject::kDryMatter, -1, true}));
  EXPECT_EQ(r.binding.size(), 2u);
}

TEST_F(ThreeFeeds, LockedAndMinimumAmountsAreKept) {
  // Oats locked at 2 kg: 22 MJ from oats, hay (100 − 22)/8 = 9.75 kg, Ca 39 + 2 = 41 g,
  // mineral 19/200 = 0.095 kg; cost 14.625 + 6 + 1.9 = 22.525.
  req_.feeds[1].locked = true;
  req_.feeds[1].lockedKg = 2;
  BalanceResult r = Run(req_, lim_);
  ASSERT_EQ(r.status, BalanceStatus::kBalanced) << r.message;
  EXPECT_DOUBLE_EQ(r.feeds[1].newKg, 2);
  EXPECT_TRUE(r.feeds[1].locked);
  EXPECT_NEAR(r.feeds[0].newKg, 9.75, 1e-6);
  EXPECT_NEAR(r.feeds[2].newKg, 0.095, 1e-6);
  EXPECT_NEAR(r.cost, 22.525, 1e-5);

  // A minimum above what the optimum wants is met exactly.
  req_.feeds[2].minKg = 0.25;
  r = Run(req_, lim_);
  ASSERT_EQ(r.status, BalanceStatus::kBalanced);
  EXPECT_NEAR(r.feeds[2].newKg, 0.25, 1e-9);
  EXPECT_TRUE(r.feeds[2].atMin);
  EXPECT_DOUBLE_EQ(r.feeds[1].newKg, 2);
}

TEST_F(ThreeFeeds, ClosestToRequirementAimsAtTheRequirement) {
  // Requirements inside the limits: energy 110 MJ, Ca 70 g. Hay 10 kg + oats 30/11 kg give
  // exactly 110 MJ; Ca then needs (70 − 40 − 30/11)/200 kg of mineral: both deviations 0.
  lim_.requirement[kEnergy] = 110;
  lim_.requirement[kCa] = 70;
  Max(lim_, kEnergy, 200);
  Max(lim_, kCa, 200);
  req_.objective = BalanceObjective::kClosestToRequirement;
  const BalanceResult r = Run(req_, lim_);
  ASSERT_EQ(r.status, BalanceStatus::kBalanced) << r.message;
  const double energy = 8 * r.feeds[0].newKg + 11 * r.feeds[1].newKg;
  const double ca = 4 * r.feeds[0].newKg + r.feeds[1].newKg + 200 * r.feeds[2].newKg;
  EXPECT_NEAR(energy, 110, 1e-5);
  EXPECT_NEAR(ca, 70, 1e-5);
  // Of the rations that hit both, the cheapest: hay at its maximum.
  EXPECT_NEAR(r.feeds[0].newKg, 10, 1e-6);
}

TEST_F(BalanceTest, CalciumThatNoAmountsReachIsExplained) {
  // Dry matter at most 10.2 kg: all hay (85 %) is 12 kg, 12 × 2.6 = 31.2 g Ca, the most
  // any amounts give (oats have less Ca per kg dry matter).
  BalanceRequest req;
  req.feeds = {Feed("Hø", 1.2, {{kEnergy, 8}, {kCa, 2.6}}, 1, 85), Feed("Havre", 3, {{kEnergy, 11}, {kCa, 0.5}}, 3, 88)};
  RationLimits lim = Open();
  Min(lim, kEnergy, 60);
  Min(lim, kCa, 36);
  lim.maxDryMatter = 10.2;
  const BalanceResult r = Run(req, lim);
  ASSERT_EQ(r.status, BalanceStatus::kClosest) << r.message;
  ASSERT_EQ(r.unmet.size(), 1u);
  const LimitReport& u = r.unmet[0];
  EXPECT_EQ(u.id, (LimitId{LimitSubject::kNutrient, kCa, false}));
  EXPECT_NEAR(u.best, 31.2, 1e-6);
  EXPECT_FALSE(u.reachableAlone);
  EXPECT_TRUE(u.dryMatterCaps);
  EXPECT_EQ(Cp1252ToUtf8(u.text),
            "Calcium: minimum 36 g, bedst opnåelige 31,2 g med disse fodermidler (begrænset af tørstofgrænsen "
            "10,2 kg) — tilføj et mineralfoder");
  // The closest ration gives that best.
  EXPECT_NEAR(r.feeds[0].newKg, 12, 1e-5);
  EXPECT_NEAR(u.supply, 31.2, 1e-4);
  EXPECT_EQ(Cp1252ToUtf8(r.message),
            "Ingen ration kan overholde alle grænser med disse fodermidler. Forslaget er den nærmeste ration");
}

TEST_F(BalanceTest, ConflictingLimitsNameEachOther) {
  // Hay alone: energy at most 100 MJ allows 12.5 kg, protein at least 1000 g needs 16.7 kg.
  // Weighted by their limits a kg more hay costs 8/100 of excess energy and saves 60/1000
  // of protein shortfall, so the closest ration stops at 12.5 kg (750 g protein).
  BalanceRequest req;
  req.feeds = {Feed("Hø", 1.2, {{kEnergy, 8}, {kProtein, 60}}, 1, 85)};
  RationLimits lim = Open();
  Max(lim, kEnergy, 100);
  Min(lim, kProtein, 1000);
  const BalanceResult r = Run(req, lim);
  ASSERT_EQ(r.status, BalanceStatus::kClosest);
  ASSERT_EQ(r.unmet.size(), 1u);
  EXPECT_EQ(r.unmet[0].id, (LimitId{LimitSubject::kNutrient, kProtein, false}));
  EXPECT_TRUE(r.unmet[0].reachableAlone);
  ASSERT_EQ(r.unmet[0].conflicts.size(), 1u);
  EXPECT_EQ(r.unmet[0].conflicts[0], (LimitId{LimitSubject::kNutrient, kEnergy, true}));
  EXPECT_NEAR(r.feeds[0].newKg, 12.5, 1e-5);
  EXPECT_EQ(Cp1252ToUtf8(r.unmet[0].text),
            "Råprotein: minimum 1000 g, foreslået 750 g — kan ikke nås samtidig med Energi (maksimum). Prøv flere "
            "fodermidler eller løsere mængdegrænser");
}

TEST_F(BalanceTest, LockedFeedsThatExceedAMaximumAreNamed) {
  BalanceRequest req;
  req.feeds = {Feed("Mineral", 20, {{kCa, 200}}, 9, 95), Feed("Havre", 3, {{kEnergy, 11}}, 3, 88)};
  req.feeds[0].locked = true;
  req.feeds[0].lockedKg = 1;
  RationLimits lim = Open();
  Max(lim, kCa, 150);
  Min(lim, kEnergy, 50);
  const BalanceResult r = Run(req, lim);
  ASSERT_EQ(r.status, BalanceStatus::kClosest);
  ASSERT_EQ(r.unmet.size(), 1u);
  EXPECT_DOUBLE_EQ(r.feeds[0].newKg, 1);
  EXPECT_EQ(Cp1252ToUtf8(r.unmet[0].text),
            "Calcium: maksimum 150 g, lavest opnåelige 200 g med disse fodermidler (begrænset af Mineral låst på 1 "
            "kg) — begræns eller fjern fodermidler med meget Calcium");
}

TEST_F(BalanceTest, NutrientNoFeedHasAndTheRatio) {
  // No feed has selenium; Ca/P must lie between 1 and 4 while the only phosphorus comes
  // with more calcium than 4 times as much.
  BalanceRequest req;
  req.feeds = {Feed("Kalk", 2, {{kCa, 380}, {kP, 10}}, 9, 99)};
  RationLimits lim = Open();
  Min(lim, 12, 1);
  Min(lim, kRatio, 1);
  Max(lim, kRatio, 4);
  const BalanceResult r = Run(req, lim);
  ASSERT_EQ(r.status, BalanceStatus::kClosest);
  std::string texts;
  for (const auto& u : r.unmet) texts += Cp1252ToUtf8(u.text) + "\n";
  EXPECT_NE(texts.find("Selen: minimum 1 mg, men ingen af disse fodermidler indeholder Selen — tilføj et "
                       "mineralfoder"),
            std::string::npos)
      << texts;
  EXPECT_NE(texts.find("Ca/P forhold: maksimum 4, lavest opnåelige 38 med disse fodermidler — tilføj et fosforrigt "
                       "fodermiddel"),
            std::string::npos)
      << texts;
}

TEST_F(BalanceTest, ManyBoundingFeedsAreCounted) {
  // Six roughages of at most 0.5 kg (85 % dry matter): 2.55 kg roughage dry matter at best.
  BalanceRequest req;
  for (int k = 0; k < 6; ++k) {
    req.feeds.push_back(Feed("H\xC3\xB8 " + std::to_string(k + 1), 1, {{kEnergy, 8}}, 1, 85));
    req.feeds.back().maxKg = 0.5;
  }
  RationLimits lim = Open();
  lim.minRoughage = 4.5;
  const BalanceResult r = Run(req, lim);
  ASSERT_EQ(r.status, BalanceStatus::kClosest);
  ASSERT_EQ(r.unmet.size(), 1u);
  EXPECT_EQ(r.unmet[0].boundBy.size(), 6u);
  EXPECT_EQ(Cp1252ToUtf8(r.unmet[0].text),
            "Grovfoder (tørstof): minimum 4,5 kg, bedst opnåelige 2,55 kg med disse fodermidler (begrænset af Hø 1 "
            "højst 0,5 kg, Hø 2 højst 0,5 kg, Hø 3 højst 0,5 kg, Hø 4 højst 0,5 kg, og 2 andre) — tilføj et grovfoder");
}

TEST_F(BalanceTest, CobaltOrB12AloneOutOfRangeIsAccepted) {
  // The evaluation flags cobalt and B12 only when both are out of range.
  BalanceRequest req;
  req.feeds = {Feed("Hø", 1, {{kEnergy, 8}, {kB12, 0.01}}, 1, 85)};
  RationLimits lim = Open();
  Min(lim, kEnergy, 80);
  Min(lim, kCo, 1);  // no feed has cobalt
  Min(lim, kB12, 0.05);
  BalanceResult r = Run(req, lim);
  ASSERT_EQ(r.status, BalanceStatus::kBalanced) << r.message;
  ASSERT_EQ(r.accepted.size(), 1u);
  EXPECT_EQ(r.accepted[0].id.nutrient, kCo);
  EXPECT_NE(Cp1252ToUtf8(r.accepted[0].text).find("godtages, fordi Vitamin B12"), std::string::npos)
      << Cp1252ToUtf8(r.accepted[0].text);

  // Without B12 in the feed both are out of range, and both are unmet.
  req.feeds[0].perKg[kB12] = 0;
  r = Run(req, lim);
  ASSERT_EQ(r.status, BalanceStatus::kClosest);
  EXPECT_TRUE(Has(r.unmet, {LimitSubject::kNutrient, kCo, false}));
  EXPECT_TRUE(Has(r.unmet, {LimitSubject::kNutrient, kB12, false}));
  EXPECT_TRUE(r.accepted.empty());
}

TEST_F(BalanceTest, BadInputIsRefusedWithAMessage) {
  RationLimits lim = Open();
  Min(lim, kEnergy, 10);
  BalanceRequest req;
  BalanceResult r = Run(req, lim);
  EXPECT_EQ(r.status, BalanceStatus::kRefused);
  EXPECT_EQ(r.message, Tr(kBalNoCandidates));

  req.feeds = {Feed("Hø", 1, {{kEnergy, 8}})};
  req.feeds[0].locked = true;
  r = Run(req, lim);
  EXPECT_EQ(r.status, BalanceStatus::kRefused);
  EXPECT_EQ(r.message, Tr(kBalAllLocked));
  EXPECT_FALSE(r.HasProposal());

  req.feeds[0].locked = false;
  req.feeds[0].perKg[kCa] = std::nan("");
  r = Run(req, lim);
  EXPECT_EQ(r.status, BalanceStatus::kRefused);
  EXPECT_EQ(Cp1252ToUtf8(r.message), "Hø: Calcium er ikke et gyldigt tal. Ret foderet");

  req.feeds[0].perKg[kCa] = 1e12;
  r = Run(req, lim);
  EXPECT_EQ(Cp1252ToUtf8(r.message), "Hø: Calcium er urimelig stor. Ret foderet");

  req.feeds[0].perKg[kCa] = 0;
  req.feeds[0].price = std::numeric_limits<double>::infinity();
  r = Run(req, lim);
  EXPECT_EQ(Cp1252ToUtf8(r.message), "Hø: prisen er ikke et gyldigt tal. Ret foderet");

  req.feeds[0].price = 1;
  req.feeds[0].minKg = 5;
  req.feeds[0].maxKg = 2;
  r = Run(req, lim);
  EXPECT_EQ(Cp1252ToUtf8(r.message), "Hø: den mindste mængde er større end den største mængde");

  req.feeds[0].minKg = -1;
  r = Run(req, lim);
  EXPECT_EQ(Cp1252ToUtf8(r.message), "Hø: mængderne må ikke være negative");

  req.feeds[0].minKg = 0;
  lim.nutrient[kEnergy].min = std::nan("");
  r = Run(req, lim);
  EXPECT_EQ(r.status, BalanceStatus::kRefused);
  EXPECT_EQ(Cp1252ToUtf8(r.message), "Grænsen for Energi er ikke et gyldigt tal. Kontroller hestens data");
}

// A solver that never finishes in time, and one that reports iteration limits.
class StoppingSolver : public LpSolver {
 public:
  explicit StoppingSolver(LpStatus s) : status_(s) {}
  LpSolution Solve(const LpProblem&, const LpBudget&) const override { return {status_, {}, 0, {}}; }

 private:
  LpStatus status_;
};

TEST_F(ThreeFeeds, SolverStopsAreReportedAsSuch) {
  req_.budget.milliseconds = 1500;
  BalanceResult r = Balance(req_, lim_, StoppingSolver(LpStatus::kTimeLimit), {settings_, ','});
  EXPECT_EQ(r.status, BalanceStatus::kTimeLimit);
  EXPECT_FALSE(r.HasProposal());
  EXPECT_EQ(Cp1252ToUtf8(r.message),
            "Beregningen blev stoppet efter 1,5 sekunder uden resultat. Prøv med færre fodermidler");

  r = Balance(req_, lim_, StoppingSolver(LpStatus::kFailed), {settings_, ','});
  EXPECT_EQ(r.status, BalanceStatus::kFailed);

  // GLPK itself, allowed no iteration, stops and says so.
  req_.budget.iterations = 0;
  r = Run(req_, lim_);
  EXPECT_EQ(r.status, BalanceStatus::kIterationLimit);
  EXPECT_EQ(Cp1252ToUtf8(r.message), "Beregningen blev stoppet efter 0 iterationer uden resultat");
}

// GLPK behind a delay: the budget is for the whole balancing, not for each solve.
class SlowSolver : public LpSolver {
 public:
  LpSolution Solve(const LpProblem& p, const LpBudget& b) const override {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    ++calls;
    return glpk_->Solve(p, b);
  }
  mutable int calls = 0;

 private:
  std::unique_ptr<LpSolver> glpk_ = MakeGlpkSolver();
};

TEST_F(BalanceTest, TheTimeBudgetCoversEverySolve) {
  // Infeasible, so the elastic solves follow the first: more than the 50 ms allow.
  BalanceRequest req;
  req.feeds = {Feed("Hø", 1.2, {{kEnergy, 8}, {kCa, 2.6}}, 1, 85)};
  RationLimits lim = Open();
  Min(lim, kCa, 36);
  lim.maxDryMatter = 10.2;
  req.budget.milliseconds = 50;
  SlowSolver slow;
  const BalanceResult r = Balance(req, lim, slow, {settings_, ','});
  EXPECT_EQ(r.status, BalanceStatus::kTimeLimit);
  EXPECT_LE(slow.calls, 3);
  EXPECT_EQ(Cp1252ToUtf8(r.message),
            "Beregningen blev stoppet efter 0,05 sekunder uden resultat. Prøv med færre fodermidler");
}

TEST(GlpkSolver, SolvesReportsInfeasibleAndRefusesBadProblems) {
  auto solver = MakeGlpkSolver();
  LpProblem p;
  p.AddColumn(0, kLpInfinity, 1);
  p.AddColumn(0, 3, 2);
  p.AddRow({{0, 1}, {1, 1}}, 4, kLpInfinity);
  LpSolution s = solver->Solve(p, {});
  ASSERT_EQ(s.status, LpStatus::kOptimal);
  EXPECT_NEAR(s.x[0], 4, 1e-9);
  EXPECT_NEAR(s.objective, 4, 1e-9);

  p.AddRow({{0, 1}}, -kLpInfinity, 0.5);
  p.AddRow({{1, 1}}, -kLpInfinity, 1);
  EXPECT_EQ(solver->Solve(p, {}).status, LpStatus::kInfeasible);

  LpProblem unbounded;
  unbounded.AddColumn(0, kLpInfinity, -1);
  EXPECT_EQ(solver->Solve(unbounded, {}).status, LpStatus::kUnbounded);

  // GLPK would end the process on these; they come back as failures.
  LpProblem bad;
  bad.AddColumn(2, 1, 0);
  EXPECT_EQ(solver->Solve(bad, {}).status, LpStatus::kFailed);
  LpProblem nan;
  nan.AddColumn(0, 1, 0);
  nan.AddRow({{0, std::nan("")}}, 0, 1);
  EXPECT_EQ(solver->Solve(nan, {}).status, LpStatus::kFailed);
  LpProblem twice;
  twice.AddColumn(0, 1, 0);
  twice.AddRow({{0, 1}, {0, 2}}, 0, 1);
  EXPECT_EQ(solver->Solve(twice, {}).status, LpStatus::kFailed);
  LpProblem huge;
  huge.AddColumn(0, 1, 1e300);
  EXPECT_EQ(solver->Solve(huge, {}).status, LpStatus::kFailed);

  // A subnormal coefficient fails GLPK's scaling, which would end the process; the solver
  // comes back with a failure and the next problem is solved as usual.
  LpProblem subnormal;
  subnormal.AddColumn(0, kLpInfinity, 1);
  subnormal.AddColumn(0, kLpInfinity, 1);
  subnormal.AddRow({{0, 1e-320}, {1, 1}}, 1, kLpInfinity);
  subnormal.AddRow({{0, 1e15}, {1, 1e-320}}, -kLpInfinity, 1e15);
  EXPECT_EQ(solver->Solve(subnormal, {}).status, LpStatus::kFailed);
  EXPECT_EQ(solver->Solve(p, {}).status, LpStatus::kInfeasible);
}

}  // namespace
}  // namespace stallora
