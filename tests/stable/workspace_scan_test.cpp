// The scan in steps against the scan at once, and each stable and horse file read once:
// migrated in memory, written back only when a line changed.

#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "core/fileio.h"
#include "disk_faults.h"
#include "workspace_fixture.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

class WorkspaceScanTest : public testing::ProgramDirTest {
 protected:
  fs::path S() const { return dir_ / "Save"; }

  // The file's feed list's energy-system line as an older version wrote it.
  static std::string Older(std::string text) {
    const size_t at = text.find("EnergiBeregning = ");
    const size_t end = text.find("\r\n", at);
    return text.replace(at, end - at, "EnergiBeregning = NRC");
  }

  // Three stables of horses, a feed list, a damaged horse, a horse the check corrects.
  void Populate(AppContext& app) {
    TForListe list(app.Env());
    list.ForlisteNavn = "Egen";
    list.SaveToFile(app.preferences.FeedDirectory() / "Egen.eqf");
    for (const char* name : {"Vest", "Nord", "Syd"}) {
      TStall s(app.Env());
      s.stallNavn = name;
      ASSERT_TRUE(s.Save());
      for (int h = 0; h < 4; ++h) {
        THest& horse = s.NewHorse();
        horse.Navn = std::string(name) + std::to_string(h);
        ASSERT_TRUE(s.SaveHorse(horse));
      }
    }
    WriteStableTheCheckCorrects(app, true);
    Write("Save/Syd/Brudt/Brudt.eqh", "object THest\r\n  Navn = 'Brudt\r\nend\r\n");
  }
};

TEST_F(WorkspaceScanTest, TheScanInStepsIsTheScanAtOnce) {
  AppContext& app = Start();
  Populate(app);
  Workspace once(app);
  once.Scan();
  const std::vector<std::string> tree = once.TreeLines();
  const std::vector<std::string> messages = once.Messages();
  ASSERT_EQ(once.Stables().size(), 3u);
  EXPECT_EQ(messages.size(), 3u);  // the two horses the check corrects, the damaged file

  // Read on the caller's thread, and ahead on one and on three threads of the scan's own.
  for (const int threads : {0, 1, 3}) {
    SCOPED_TRACE("threads " + std::to_string(threads));
    Workspace stepwise(app);
    stepwise.SetScanThreads(threads);
    EXPECT_FALSE(stepwise.Scanning());
    stepwise.BeginScan();
    EXPECT_TRUE(stepwise.Scanning());
    int steps = 0;
    size_t seen = 0;
    bool feedListsSeen = false;
    while (!stepwise.ScanStep()) {
      ++steps;
      const Workspace::ScanProgress p = stepwise.Progress();
      // What the workspace lists is whole at every step: a stable appears with all its horses.
      ASSERT_GE(stepwise.Stables().size(), seen);
      ASSERT_LE(stepwise.Stables().size(), seen + 1) << "one stable joins per step";
      seen = stepwise.Stables().size();
      for (const auto& s : stepwise.Stables()) {
        const auto& expectedAll = once.StableByName(s->stallNavn)->Horses();
        ASSERT_EQ(s->Horses().size(), expectedAll.size()) << s->stallNavn;
      }
      if (p.feedListsRead) {
        feedListsSeen = true;
        EXPECT_EQ(stepwise.FeedLists().size(), 1u);
        EXPECT_EQ(p.stablesTotal, 3);
        EXPECT_LE(p.stablesRead, 3);
      } else {
        EXPECT_TRUE(stepwise.Stables().empty());
      }
    }
    EXPECT_FALSE(stepwise.Scanning());
    EXPECT_TRUE(feedListsSeen);
    EXPECT_GE(steps, 1 + 3);  // a step per feed list and per stable at least
    EXPECT_EQ(stepwise.TreeLines(), tree);
    EXPECT_EQ(stepwise.Messages(), messages);
    EXPECT_EQ(stepwise.Progress().stablesRead, 3);
  }
}

TEST_F(WorkspaceScanTest, AScanEndedHalfWayKeepsWhatWasReadAndRunsNothingAfter) {
  AppContext& app = Start();
  Populate(app);
  app.preferences.ShowWelcomeScreen = false;
  Workspace ws(app);
  ws.BeginScan();
  while (ws.Stables().size() < 1) ASSERT_FALSE(ws.ScanStep());
  ws.CancelScan();
  EXPECT_FALSE(ws.Scanning());
  EXPECT_TRUE(ws.ScanStep()) << "nothing left to read";
  EXPECT_EQ(ws.Stables().size(), 1u);
  EXPECT_FALSE(app.preferences.ShowWelcomeScreen) << "the steps after the reading did not run";
  // A new scan starts from the beginning.
  ws.Scan();
  EXPECT_EQ(ws.Stables().size(), 3u);
  EXPECT_TRUE(app.preferences.ShowWelcomeScreen);
}

TEST_F(WorkspaceScanTest, StablesReadAheadJoinInOrderAndAScanEndedHalfWayStopsItsThreads) {
  AppContext& app = Start();
  // Enough stables for the threads to run ahead of the steps; every fifth with a damaged
  // horse, whose message must keep its place among the others.
  for (int i = 0; i < 40; ++i) {
    TStall s(app.Env());
    s.stallNavn = "Stald" + std::to_string(100 + i);
    ASSERT_TRUE(s.Save());
    for (int h = 0; h < 3; ++h) {
      THest& horse = s.NewHorse();
      horse.Navn = s.stallNavn + "-" + std::to_string(h);
      ASSERT_TRUE(s.SaveHorse(horse));
    }
    if (i % 5 == 0) Write("Save/" + s.stallNavn + "/Brudt/Brudt.eqh", "object THest\r\n  Navn = 'Brudt\r\nend\r\n");
  }
  Workspace serial(app);
  serial.SetScanThreads(0);
  serial.Scan();
  ASSERT_EQ(serial.Stables().size(), 40u);
  ASSERT_EQ(serial.Messages().size(), 8u);

  // Steps that never wait: a step with nothing read yet returns at once, and the workspace
  // still comes out as the one read on one thread.
  Workspace ahead(app);
  ahead.SetScanThreads(3);
  ahead.BeginScan();
  int steps = 0;
  while (!ahead.ScanStep(std::chrono::steady_clock::now())) ASSERT_LT(++steps, 10'000'000);
  EXPECT_EQ(ahead.TreeLines(), serial.TreeLines());
  EXPECT_EQ(ahead.Messages(), serial.Messages());

  // Ended after the first stable, with the threads still reading: they stop, what joined
  // stays, and a new scan reads everything again.
  for (const int threads : {1, 3, 8}) {
    Workspace ws(app);
    ws.SetScanThreads(threads);
    ws.BeginScan();
    while (ws.Stables().empty()) ASSERT_FALSE(ws.ScanStep());
    ws.CancelScan();
    EXPECT_EQ(ws.Stables().size(), 1u);
    ws.Scan();
    EXPECT_EQ(ws.TreeLines(), serial.TreeLines());
    // And a workspace that goes while its scan runs takes its threads with it.
    Workspace going(app);
    going.SetScanThreads(threads);
    going.BeginScan();
    ASSERT_FALSE(going.ScanStep());
    ASSERT_FALSE(going.ScanStep());
  }
}

TEST_F(WorkspaceScanTest, AFileIsWrittenBackOnlyWhenAnEnergyLineChanged) {
  AppContext& app = Start();
  Populate(app);
  const std::string stableFile = "Save/Nord/Nord.eqs";
  const std::string old = Older(Read(stableFile));
  Write(stableFile, old);
  // A name holding the letters is no energy line.
  const std::string horseFile = "Save/Vest/Vest1/Vest1.eqh";
  std::string named = Read(horseFile);
  named.replace(named.find("  Navn = 'Vest1'"), 16, "  Navn = 'NRC Vest1'");
  Write(horseFile, named);
  struct stat before {};
  ASSERT_EQ(::stat((dir_ / horseFile).c_str(), &before), 0);

  Workspace ws(app);
  ws.Scan();
  std::string migrated = old;
  migrated.replace(migrated.find("    EnergiBeregning = NRC\r\n"), 27, "EnergiBeregning = nrc2007\r\n");
  ASSERT_NE(migrated, old);
  EXPECT_EQ(Read(stableFile), migrated);
  EXPECT_EQ(Read(horseFile), named);
  struct stat after {};
  ASSERT_EQ(::stat((dir_ / horseFile).c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino) << "a file without such a line is not written";
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  ASSERT_NE(ws.StableByName("Nord"), nullptr);
  EXPECT_EQ(ws.StableByName("Nord")->ForListe->EnergiBeregning, TEnergiBeregning::nrc2007);
}

TEST_F(WorkspaceScanTest, AnOlderFileThatCannotBeWrittenBackIsStillRead) {
  AppContext& app = Start();
  Populate(app);
  const std::string horseFile = "Save/Syd/Syd2/Syd2.eqh";
  const std::string old = Older(Read(horseFile));
  Write(horseFile, old);
  Workspace ws(app);
  {
    // Every write fails as on a full disk, the write-back of the migrated file too.
    testing::ScopedFileSizeLimit full(64);
    ws.Scan();
  }
  EXPECT_EQ(Read(horseFile), old) << "the file stays as it was";
  ASSERT_NE(ws.StableByName("Syd"), nullptr);
  const THest* horse = ws.StableByName("Syd")->HorseByName("Syd2");
  ASSERT_NE(horse, nullptr) << "the horse is read from the migrated bytes";
  EXPECT_EQ(horse->ForListe->EnergiBeregning, TEnergiBeregning::nrc2007);
  for (const std::string& m : ws.Messages()) EXPECT_EQ(m.find("Syd2"), std::string::npos) << m;
}

}  // namespace
}  // namespace stallora
