// stallora-cli optimize: the proposal as tab-separated lines, the evaluation's verdict, the
// refusals, and a horse file left as it was.

#include <gtest/gtest.h>

#include <cmath>

#include "app/cli_support.h"
#include "cli_fixture.h"
#include "core/cp1252.h"
#include "stable/stall.h"

namespace stallora {
namespace {

using testing::CliWorkspaceTest;
using testing::ReadBytes;

constexpr const char* kNrc = "nrc2007:DE:MCal:1:CP";

// Beside Bella, the mare Mira in the stable Nord: hay with a tenth of each of her daily
// requirements per kg, oats richer in energy, a mineral feed, and in the stable's list a
// cheap straw and a salt lick. Her requirement is the installed formulas' under NRC, DE,
// MCal, crude protein (the system the tests run the tool with).
class CliOptimizeTest : public CliWorkspaceTest {
 protected:
  void SetUp() override {
    CliWorkspaceTest::SetUp();
    RecordingMessages messages;
    FixedClock clock(EncodeDate(2026, 12, 9));
    StartResult r = StartProgram(dir_, clock, Regional{}, messages);
    ASSERT_TRUE(r.context) << r.fatalMessage;
    TEnergyProteinObj nrc;
    ASSERT_TRUE(cli::ParseEnergyOption(kNrc, nrc));
    r.context->SetActiveEnergyObject(nrc);
    const RecordEnvironment& env = r.context->Env();

    TStall s(env);
    s.Load(stable_);
    s.stallNavn = "Nord";
    THest& h = s.NewHorse();
    h.Navn = "Mira";
    h.Fodselsdato = clock.Today() - 8 * 365;
    h.VektListe->LeggTil(500, clock.Today() - 2);
    h.ForListe->SetEnergyRecord(EnergyRecord::Of(nrc));
    ASSERT_TRUE(h.BeregnBehov());
    auto feed = [&](TForListe& list, const char* name, int category, double kg, double price, double dm) -> TFor& {
      TFor& f = list.AddFeed(std::make_unique<TFor>(env));
      f.Fornavn = name;
      f.Fortype = static_cast<uint8_t>(category);
      f.Valgt = true;
      f.TildeltKg = kg;
      f.Pris = price;
      f.TorrStoff = dm;
      return f;
    };
    TFor& hay = feed(*h.ForListe, "H\xF8", 1, 6, 1.5, 85);
    for (int i = 0; i < kNutrientCount; ++i) hay.SetValue(i, h.Behov[static_cast<size_t>(i)] / 10);
    hay.UpdateRatio();
    TFor& oats = feed(*h.ForListe, "Havre", 3, 2, 3, 88);
    oats.SetValue(0, h.Behov[0] / 6);
    oats.SetValue(1, h.Behov[1] / 8);
    oats.SetValue(4, h.Behov[4] / 6);
    TFor& mineral = feed(*h.ForListe, "Mineral", 9, 0.05, 20, 95);
    for (int i = 3; i < kNutrientCount; ++i)
      if (i != 6 && i != 8) mineral.SetValue(i, h.Behov[static_cast<size_t>(i)] * 2);
    TFor& straw = feed(*s.ForListe, "Halm", 6, 0, 0.8, 88);
    straw.SetValue(0, h.Behov[0] / 30);
    TFor& salt = feed(*s.ForListe, "Saltsten", 9, 0, 12, 99);
    salt.SetValue(7, 900);
    ASSERT_TRUE(s.Save());
    ASSERT_TRUE(s.SaveHorse(h));
    mira_ = (dir_ / "Save" / "Nord" / "Mira" / "Mira.eqh").string();
  }

  testing::CliResult Optimize(std::vector<std::string> extra) {
    std::vector<std::string> args = {"--energy", kNrc, "optimize", mira_};
    args.insert(args.end(), extra.begin(), extra.end());
    return Run(args);
  }

  static std::vector<std::vector<std::string>> Lines(const std::string& out, const std::string& kind) {
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(out);
    for (std::string l; std::getline(in, l);) {
      std::vector<std::string> fields;
      size_t pos = 0;
      for (;;) {
        const size_t tab = l.find('\t', pos);
        fields.push_back(l.substr(pos, tab - pos));
        if (tab == std::string::npos) break;
        pos = tab + 1;
      }
      if (fields[0] == kind) lines.push_back(fields);
    }
    return lines;
  }

  std::string mira_;
};

TEST_F(CliOptimizeTest, PrintsABalancedProposalThatTheEvaluationPasses) {
  const std::string before = ReadBytes(mira_);
  const testing::CliResult r = Optimize({});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, 15), "Status\tbalanced");
  EXPECT_NE(r.out.find("\nMessage\tRationen overholder alle grænser\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nObjective\tcost\n"), std::string::npos);
  const auto feeds = Lines(r.out, "Feed");
  ASSERT_EQ(feeds.size(), 3u);
  EXPECT_EQ(feeds[0][1], "Hø");
  EXPECT_EQ(feeds[0][2], "6");
  EXPECT_EQ(feeds[1][1], "Havre");
  EXPECT_EQ(feeds[2][1], "Mineral");
  EXPECT_EQ(feeds[0].size(), 7u);
  // The cost line adds up the feed lines.
  double cost = 0;
  for (const auto& f : feeds) cost += std::stod(f[5]);
  const auto total = Lines(r.out, "Cost");
  ASSERT_EQ(total.size(), 1u);
  EXPECT_EQ(total[0][1], "16");  // 6 × 1.5 + 2 × 3 + 0.05 × 20
  EXPECT_NEAR(std::stod(total[0][2]), cost, 1e-6);
  EXPECT_FALSE(Lines(r.out, "Binding").empty());
  EXPECT_TRUE(Lines(r.out, "Unmet").empty());
  EXPECT_NE(r.out.find("\nEvaluation\tOK\n"), std::string::npos);
  // Nothing was written.
  EXPECT_EQ(ReadBytes(mira_), before);
}

TEST_F(CliOptimizeTest, TheStablesFeedListJoinsWithAllFeeds) {
  testing::CliResult r = Optimize({"--all-feeds", "--objective", "balance"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto feeds = Lines(r.out, "Feed");
  ASSERT_EQ(feeds.size(), 5u);
  EXPECT_EQ(feeds[3][1], "Halm");
  EXPECT_EQ(feeds[3][2], "0");
  EXPECT_EQ(feeds[4][1], "Saltsten");
  EXPECT_NE(r.out.find("\nObjective\tbalance\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nEvaluation\tOK\n"), std::string::npos);

  // Locks and bounds from the command line.
  r = Optimize({"--lock", "Havre", "--max", "Hø=7.5", "--min", "Mineral=0.1"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto bounded = Lines(r.out, "Feed");
  ASSERT_EQ(bounded.size(), 3u);
  EXPECT_EQ(bounded[1][3], "2");
  EXPECT_EQ(bounded[1][6], "locked");
  EXPECT_LE(std::stod(bounded[0][3]), 7.5);
  EXPECT_GE(std::stod(bounded[2][3]), 0.1);
}

TEST_F(CliOptimizeTest, LimitsThatCannotBeMetAreExplained) {
  // Without the mineral feed and with at most 5 kg hay, calcium (from hay only, a tenth of
  // the requirement per kg) reaches half its requirement, below the minimum of 1/1.2 of it.
  const testing::CliResult none = Optimize({"--max", "Mineral=0", "--max", "Hø=5"});
  ASSERT_EQ(none.status, 0) << none.err;
  EXPECT_EQ(none.out.substr(0, 14), "Status\tclosest");
  const auto unmet = Lines(none.out, "Unmet");
  const std::vector<std::string>* calcium = nullptr;
  for (const auto& u : unmet) {
    ASSERT_EQ(u.size(), 8u);
    if (u[1] == "3") calcium = &u;
  }
  ASSERT_TRUE(calcium) << none.out;
  EXPECT_EQ((*calcium)[2], "Calcium");
  EXPECT_EQ((*calcium)[3], "min");
  EXPECT_NEAR(std::stod((*calcium)[6]), std::stod((*calcium)[4]) * 1.2 / 2, 1e-6);  // best reachable
  EXPECT_EQ((*calcium)[7].substr(0, 17), "Calcium: minimum ");
  EXPECT_NE((*calcium)[7].find("med disse fodermidler (begrænset af Hø højst 5 kg, Mineral højst 0 kg) — tilføj "
                               "et mineralfoder"),
            std::string::npos)
      << (*calcium)[7];
  const auto feeds = Lines(none.out, "Feed");
  EXPECT_EQ(feeds[0][6], "max");
  EXPECT_NE(none.out.find("\nEvaluation\tflagged\t"), std::string::npos);
  EXPECT_NE(none.out.find(",3,"), std::string::npos) << none.out;
}

TEST_F(CliOptimizeTest, BadInputEndsWithAMessageAndChangesNothing) {
  const std::string before = ReadBytes(mira_);
  testing::CliResult r = Optimize({"--lock", "Hø", "--lock", "Havre", "--lock", "Mineral"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Alle fodermidler er låst. Lås mindst ét fodermiddel op\n");
  EXPECT_TRUE(r.out.empty());

  r = Run({"--energy", kNrc, "optimize", horse_, "--lock", "Hø"});  // Bella has hay only
  EXPECT_EQ(r.status, 1);

  r = Optimize({"--objective", "cheap"});
  EXPECT_EQ(r.status, 2);
  r = Optimize({"--lock", "Gulerod"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("no candidate feed named Gulerod"), std::string::npos);
  r = Optimize({"--max", "Hø=-1"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(ReadBytes(mira_), before);
}

TEST_F(CliOptimizeTest, HorsesWithoutFeedsWeightOrStable) {
  // A horse file outside a workspace, with no feeds, then without a weighing.
  RecordingMessages messages;
  FixedClock clock(EncodeDate(2026, 12, 9));
  StartResult r = StartProgram(dir_, clock, Regional{}, messages);
  ASSERT_TRUE(r.context);
  THest h(r.context->Env());
  h.Navn = "Ny";
  h.VektListe->LeggTil(450, clock.Today());
  const std::string loose = (dir_ / "Ny.eqh").string();
  h.writeToFile(loose);
  testing::CliResult out = Run({"optimize", loose});
  EXPECT_EQ(out.status, 1);
  EXPECT_EQ(out.err, "Der er ingen fodermidler at balancere rationen med. Vælg foder til rationen først\n");

  TFor& f = h.ForListe->AddFeed(std::make_unique<TFor>(r.context->Env()));
  f.Fornavn = "H\xF8";
  f.Valgt = true;
  f.SetValue(0, 2);
  h.writeToFile(loose);
  out = Run({"optimize", loose, "--all-feeds"});
  EXPECT_EQ(out.status, 1);
  EXPECT_EQ(out.err, "Hesten står ikke i en stald, så der er ingen foderliste at vælge fra\n");

  h.VektListe->Tom();
  h.writeToFile(loose);
  out = Run({"optimize", loose});
  EXPECT_EQ(out.status, 1);
  EXPECT_EQ(out.err, "Hestens behov er ikke beregnet (mangler hestens vægt?). Rationen kan ikke balanceres\n");
}

}  // namespace
}  // namespace stallora
