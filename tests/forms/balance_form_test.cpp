// The balancing dialog's form on a real requirement: the candidates and their bounds, the
// preview, Apply through the ration editor and its one step of undo, and what it refuses.

#include "forms/balance_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "../ration/optimizer_fixture.h"
#include "core/cp1252.h"
#include "forms/balance_texts.h"
#include "ration/evaluation.h"
#include "ration/optimizer_texts.h"

namespace stallora {
namespace {

struct Told : EditorListener {
  void EditorChanged(ChangeFlags f) override { flags.push_back(f); }
  std::vector<ChangeFlags> flags;
};

// A solver that never gets an answer in time.
class TimingOut : public LpSolver {
 public:
  LpSolution Solve(const LpProblem&, const LpBudget&) const override {
    ++calls;
    LpSolution s;
    s.status = LpStatus::kTimeLimit;
    return s;
  }
  mutable int calls = 0;
};

// A 500 kg horse with hay that holds a tenth of each daily requirement per kg, oats richer
// in energy and protein, a mineral feed; the stable's list adds straw and a salt lick.
class BalanceFormTest : public testing::BalanceHorseTest {
 protected:
  void SetUp() override {
    BalanceHorseTest::SetUp();
    horse_ = Horse();
    ASSERT_TRUE(horse_->BeregnBehov());
    const auto& need = horse_->Behov;
    TFor& hay = AddFeed(*horse_->ForListe, "H\xF8", 1, 6, 1.5, {}, 85);
    for (int i = 0; i < kNutrientCount; ++i) hay.SetValue(i, need[static_cast<size_t>(i)] / 10);
    hay.UpdateRatio();
    AddFeed(*horse_->ForListe, "Havre", 3, 2, 3, {{0, need[0] / 6}, {1, need[1] / 8}, {4, need[4] / 6}});
    TFor& mineral = AddFeed(*horse_->ForListe, "Mineral", 9, 0.05, 20, {}, 95);
    for (int i = 3; i < kNutrientCount; ++i)
      if (i != 6 && i != 8) mineral.SetValue(i, need[static_cast<size_t>(i)] * 2);
    mineral.UpdateRatio();
    list_ = std::make_unique<TForListe>(*env_);
    list_->SetEnergyRecord(horse_->ForListe->GetEnergyRecord());
    AddFeed(*list_, "Halm", 6, 0, 0.8, {{0, need[0] / 30}});
    AddFeed(*list_, "Saltsten", 9, 0, 12, {{7, 900}}, 99);
    AddFeed(*list_, "Gulerod", 3, 0, 0.1, {{0, need[0] / 20}, {1, need[1] / 20}}, 12);
    editor_ = std::make_unique<RationEditor>(*horse_);
    editor_->AddListener(&rationTold_);
  }

  std::vector<double> Amounts() const {
    std::vector<double> kg;
    for (const auto& f : horse_->ForListe->Feeds()) kg.push_back(f->TildeltKg);
    return kg;
  }
  // What the ration page's evaluation flags now (the nutrients out of range).
  std::vector<int> Flagged() {
    horse_->BeregnBehov();
    BeregnTilforsel(*horse_);
    std::vector<int> out;
    for (int i = 0; i < kNutrientCount; ++i)
      if (horse_->UtenforOmrade[static_cast<size_t>(i)]) out.push_back(i);
    return out;
  }

  std::unique_ptr<THest> horse_;
  std::unique_ptr<TForListe> list_;
  std::unique_ptr<RationEditor> editor_;
  Told rationTold_;
  std::unique_ptr<LpSolver> glpk_ = MakeGlpkSolver();
};

TEST_F(BalanceFormTest, ThePreviewShowsTheProposalAndChangesNothing) {
  BalanceForm form(*editor_, list_.get(), *glpk_);
  Told told;
  form.AddListener(&told);
  EXPECT_EQ(form.CannotBalance(), "");
  ASSERT_EQ(form.Rows(), 3);
  EXPECT_EQ(form.Candidate(0).name, "H\xF8");
  EXPECT_EQ(form.CurrentText(0), "6");
  EXPECT_EQ(form.CurrentText(2), "0,05");
  EXPECT_EQ(form.MinText(0), "");
  EXPECT_EQ(form.MaxText(0), "");
  EXPECT_FALSE(form.HasPreview());
  EXPECT_EQ(form.StatusText(), Tr(kBalNotCalculated));
  const std::vector<double> before = Amounts();

  EXPECT_FALSE(form.Calculate());
  ASSERT_TRUE(form.HasPreview());
  EXPECT_EQ(form.Result().status, BalanceStatus::kBalanced);
  EXPECT_EQ(form.Recomputes(), 1);
  ASSERT_EQ(told.flags.size(), 1u);
  EXPECT_EQ(told.flags[0], kBalancePreview);
  // The preview's rows are the result's amounts as text, one per candidate.
  ASSERT_EQ(form.Preview().size(), 3u);
  for (size_t k = 0; k < 3; ++k) {
    const FeedProposal& p = form.Result().feeds[k];
    EXPECT_EQ(form.Preview()[k].oldKg, form.CurrentText(static_cast<int>(k)));
    std::string shown = form.Preview()[k].newKg;
    std::replace(shown.begin(), shown.end(), ',', '.');
    EXPECT_NEAR(std::stod(shown), p.newKg, 0.00005 + 1e-12);
    EXPECT_EQ(form.Preview()[k].changed, p.newKg != p.oldKg);
  }
  EXPECT_EQ(form.TotalRow().feed, "I alt");
  EXPECT_EQ(form.TotalRow().oldKg, "8,05");
  // 6 × 1,5 + 2 × 3 + 0,05 × 20 = 16 now.
  const std::string status = Cp1252ToUtf8(form.StatusText());
  EXPECT_EQ(status.substr(0, status.find('\n')), "Rationen overholder alle grænser");
  EXPECT_NE(status.find("nu 16,00"), std::string::npos) << status;
  const std::vector<std::string> lines = form.LimitLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], Tr(kBalBindingHeader));
  EXPECT_EQ(lines[1].substr(0, 2), "- ");
  // Nothing of the ration changed, and the ration editor was not asked to do anything.
  EXPECT_EQ(Amounts(), before);
  EXPECT_TRUE(rationTold_.flags.empty());
  EXPECT_TRUE(form.CanApply());
  EXPECT_FALSE(form.CanUndo());
}

TEST_F(BalanceFormTest, ApplyIsOneEditOfTheRationThatTheEvaluationPassesAndUndoRestoresIt) {
  BalanceForm form(*editor_, list_.get(), *glpk_);
  ASSERT_FALSE(form.SetAllFeeds(true));
  ASSERT_EQ(form.Rows(), 6);
  EXPECT_EQ(form.Candidate(3).name, "Halm");
  // The carrots are cheap energy and protein: make the balancer take some.
  ASSERT_FALSE(form.SetMin(5, "1,5"));
  EXPECT_EQ(form.MinText(5), "1,5");
  ASSERT_FALSE(form.Calculate());
  ASSERT_EQ(form.Result().status, BalanceStatus::kBalanced) << Cp1252ToUtf8(form.Result().message);
  const BalanceResult result = form.Result();
  ASSERT_GE(result.feeds[5].newKg, 1.5 - 1e-9);
  const std::vector<double> before = Amounts();
  const double dated = horse_->ForListe->EndretDato = 1;
  const int recomputes = editor_->Recomputes();

  EXPECT_FALSE(form.Apply());
  // One commit of the ration editor: one computation, one notification with the amounts
  // and the feeds that joined.
  EXPECT_EQ(editor_->Recomputes(), recomputes + 1);
  ASSERT_EQ(rationTold_.flags.size(), 1u);
  EXPECT_TRUE(rationTold_.flags[0] & kRationAmounts);
  EXPECT_TRUE(rationTold_.flags[0] & kRationFeeds);
  EXPECT_NE(horse_->ForListe->EndretDato, dated) << "an applied proposal dates the ration as typing does";
  // Every candidate has its proposed amount; the list feeds given more than 0 kg joined the
  // ration in category order (carrots with the oats, before the mineral).
  const TForListe& ration = *horse_->ForListe;
  EXPECT_EQ(ration.FeedByName("H\xF8")->TildeltKg, result.feeds[0].newKg);
  EXPECT_EQ(ration.FeedByName("Havre")->TildeltKg, result.feeds[1].newKg);
  EXPECT_EQ(ration.FeedByName("Mineral")->TildeltKg, result.feeds[2].newKg);
  ASSERT_TRUE(ration.FeedByName("Gulerod"));
  EXPECT_EQ(ration.FeedByName("Gulerod")->TildeltKg, result.feeds[5].newKg);
  EXPECT_TRUE(ration.FeedByName("Gulerod")->Valgt);
  EXPECT_EQ(ration.FeedByName("Halm") != nullptr, result.feeds[3].newKg > 0);
  const std::vector<std::string> names = ration.FeedNames();
  const auto at = [&](const char* n) { return std::find(names.begin(), names.end(), n) - names.begin(); };
  EXPECT_LT(at("Havre"), at("Gulerod"));
  EXPECT_LT(at("Gulerod"), at("Mineral"));
  EXPECT_EQ(list_->FeedAt(2)->TildeltKg, 0) << "the stable's list keeps its own";
  // The page's own evaluation finds nothing out of range.
  EXPECT_EQ(Flagged(), std::vector<int>{});
  EXPECT_FALSE(form.CanApply());
  EXPECT_TRUE(form.CanUndo());
  EXPECT_NE(Cp1252ToUtf8(form.StatusText()).find("Forslaget er sat ind i rationen"), std::string::npos);
  // The candidates follow the ration: the carrots are a ration feed now, at their new amount,
  // and keep the minimum set for them.
  int carrots = -1;
  for (int r = 0; r < form.Rows(); ++r)
    if (form.Candidate(r).name == "Gulerod") carrots = r;
  ASSERT_GE(carrots, 0);
  EXPECT_GE(form.Candidate(carrots).rationIndex, 0);
  EXPECT_EQ(form.Candidate(carrots).currentKg, result.feeds[5].newKg);
  EXPECT_EQ(form.Candidate(carrots).minKg, 1.5);

  EXPECT_FALSE(form.Undo());
  EXPECT_EQ(ration.FeedNames(), (std::vector<std::string>{"H\xF8", "Havre", "Mineral"}));
  EXPECT_EQ(Amounts(), before);
  EXPECT_EQ(rationTold_.flags.size(), 2u) << "undo is one edit too";
  EXPECT_FALSE(form.CanUndo());
  // The preview fits the restored ration again and may be applied once more.
  EXPECT_TRUE(form.CanApply());
  EXPECT_EQ(form.Rows(), 6);
  EXPECT_EQ(form.Candidate(5).name, "Gulerod");
  EXPECT_EQ(form.Candidate(5).rationIndex, -1);
  EXPECT_FALSE(form.Apply());
  EXPECT_EQ(ration.FeedByName("Gulerod")->TildeltKg, result.feeds[5].newKg);
}

TEST_F(BalanceFormTest, UndoRefusesARationChangedSinceAndAppliesOnlyAFreshPreview) {
  BalanceForm form(*editor_, list_.get(), *glpk_);
  ASSERT_FALSE(form.Calculate());
  ASSERT_TRUE(form.HasPreview());
  // An edit of a bound drops the preview: nothing stale can be applied.
  ASSERT_FALSE(form.SetMax(0, "5"));
  EXPECT_FALSE(form.HasPreview());
  EXPECT_FALSE(form.CanApply());
  EXPECT_FALSE(form.Apply());
  EXPECT_TRUE(rationTold_.flags.empty());
  ASSERT_FALSE(form.Calculate());
  EXPECT_LE(form.Result().feeds[0].newKg, 5 + 1e-9);
  EXPECT_EQ(form.Preview()[0].note.empty(), !form.Result().feeds[0].atMax);

  ASSERT_FALSE(form.Apply());
  const std::vector<double> applied = Amounts();
  editor_->SetAmount(1, 0.5);  // the user types an amount afterwards
  const BalanceNote note = form.Undo();
  EXPECT_EQ(note.kind, BalanceNote::kWarn);
  EXPECT_EQ(note.text, Tr(kBalUndoChanged));
  EXPECT_EQ(horse_->ForListe->FeedAt(1)->TildeltKg, 0.5);
  EXPECT_EQ(horse_->ForListe->FeedAt(0)->TildeltKg, applied[0]);

  // A ration changed behind a preview is not overwritten.
  editor_->SetAmount(1, applied[1]);
  ASSERT_FALSE(form.Calculate());
  editor_->ResetChosenFeeds();
  const BalanceNote stale = form.Apply();
  EXPECT_EQ(stale.kind, BalanceNote::kWarn);
  EXPECT_EQ(stale.text, Tr(kBalFeedsChanged));
  EXPECT_EQ(horse_->ForListe->Count(), 0);
}

TEST_F(BalanceFormTest, BoundsAreCheckedAndKeptAcrossTheFeedChoice) {
  BalanceForm form(*editor_, nullptr, *glpk_);
  EXPECT_FALSE(form.HasFeedList());
  BalanceNote n = form.SetAllFeeds(true);
  EXPECT_EQ(n.kind, BalanceNote::kWarn);
  EXPECT_EQ(n.text, Tr(kBalNoFeedList));
  EXPECT_EQ(form.Rows(), 3);

  EXPECT_EQ(Cp1252ToUtf8(form.SetMin(1, "to").text),
            "Havre: skriv en mængde i kg (fx 2,5), eller intet for ingen grænse");
  EXPECT_EQ(Cp1252ToUtf8(form.SetMin(1, "-1").text), "Havre: mængderne må ikke være negative");
  EXPECT_EQ(Cp1252ToUtf8(form.SetMax(1, "20000").text), "Havre: mængden er urimelig stor. Ret foderet");
  ASSERT_FALSE(form.SetMax(1, " 3.5 "));
  EXPECT_EQ(form.MaxText(1), "3,5");
  EXPECT_EQ(Cp1252ToUtf8(form.SetMin(1, "4").text), "Havre: den mindste mængde er større end den største mængde");
  EXPECT_EQ(form.Candidate(1).minKg, 0);
  ASSERT_FALSE(form.SetMin(1, "1"));
  EXPECT_EQ(Cp1252ToUtf8(form.SetMax(1, "0,5").text), "Havre: den mindste mængde er større end den største mængde");
  ASSERT_FALSE(form.SetMax(1, ""));
  EXPECT_EQ(form.MaxText(1), "");
  EXPECT_EQ(form.Candidate(1).maxKg, kLpInfinity);
  EXPECT_TRUE(form.SetLocked(2, true));
  EXPECT_FALSE(form.SetLocked(2, true)) << "no change, no edit";
  EXPECT_EQ(form.Candidate(2).lockedKg, 0.05);

  BalanceForm withList(*editor_, list_.get(), *glpk_);
  ASSERT_FALSE(withList.SetMin(1, "1"));
  ASSERT_FALSE(withList.SetAllFeeds(true));
  ASSERT_FALSE(withList.SetMax(3, "2"));
  ASSERT_FALSE(withList.SetAllFeeds(false));
  ASSERT_FALSE(withList.SetAllFeeds(true));
  EXPECT_EQ(withList.Candidate(1).minKg, 1);
  EXPECT_EQ(withList.Candidate(3).maxKg, 2);
}

TEST_F(BalanceFormTest, AGrazedPastureStaysLocked) {
  AddFeed(*horse_->ForListe, "Gr\xE6s", 0, 30, 0, {{0, 0.4}}, 20);
  horse_->ForListe->SortByCategory();
  horse_->TimerBeiting = 10;
  BalanceForm form(*editor_, nullptr, *glpk_);
  ASSERT_EQ(form.Candidate(0).name, "Gr\xE6s");
  EXPECT_FALSE(form.CanLock(0));
  EXPECT_FALSE(form.SetLocked(0, false));
  EXPECT_TRUE(form.Candidate(0).locked);
  EXPECT_TRUE(form.CanLock(1));
}

// Bad input: a clear message each time, no preview, and the ration untouched.
TEST_F(BalanceFormTest, RefusalsAndSolverStopsChangeNothing) {
  const std::vector<double> before = Amounts();
  auto refused = [&](BalanceForm& form, const std::string& message) {
    const BalanceNote n = form.Calculate();
    EXPECT_EQ(n.kind, BalanceNote::kWarn);
    EXPECT_EQ(Cp1252ToUtf8(n.text), message);
    EXPECT_FALSE(form.HasPreview());
    EXPECT_FALSE(form.CanApply());
    EXPECT_FALSE(form.Apply());
    EXPECT_EQ(Cp1252ToUtf8(form.StatusText()), message);
    EXPECT_EQ(Amounts(), before);
    EXPECT_TRUE(rationTold_.flags.empty());
  };
  {
    BalanceForm form(*editor_, nullptr, *glpk_);
    for (int r = 0; r < 3; ++r) ASSERT_TRUE(form.SetLocked(r, true));
    refused(form, "Alle fodermidler er låst. Lås mindst ét fodermiddel op");
  }
  {
    TimingOut slow;
    BalanceForm form(*editor_, nullptr, slow);
    refused(form, "Beregningen blev stoppet efter 2 sekunder uden resultat. Prøv med færre fodermidler");
    EXPECT_GE(slow.calls, 1);
  }
  {
    horse_->ForListe->FeedAt(1)->SetValue(4, std::nan(""));
    BalanceForm form(*editor_, nullptr, *glpk_);
    refused(form, "Havre: " + Cp1252ToUtf8(env_->settings->NutrientName(4)) + " er ikke et gyldigt tal. Ret foderet");
    horse_->ForListe->FeedAt(1)->SetValue(4, 0);
  }
  {
    auto empty = Horse();
    RationEditor editor(*empty);
    BalanceForm form(editor, nullptr, *glpk_);
    EXPECT_EQ(form.Rows(), 0);
    const BalanceNote n = form.Calculate();
    EXPECT_EQ(n.text, Tr(kBalNoCandidates));
    EXPECT_EQ(empty->ForListe->Count(), 0);
  }
  {
    auto weightless = Horse();
    weightless->VektListe->Tom();
    AddFeed(*weightless->ForListe, "H\xF8", 1, 6, 1.5, {{0, 2}}, 85);
    RationEditor editor(*weightless);
    BalanceForm form(editor, nullptr, *glpk_);
    EXPECT_EQ(form.CannotBalance(), Tr(kBalNoRequirement));
    EXPECT_EQ(form.Calculate().text, Tr(kBalNoRequirement));
    EXPECT_EQ(weightless->ForListe->FeedAt(0)->TildeltKg, 6);
  }
}

}  // namespace
}  // namespace stallora
