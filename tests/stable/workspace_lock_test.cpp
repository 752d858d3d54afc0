// The workspace lock: taken, seen by a second program, replaced when stale, given up on
// closing, and never in the way where it cannot be written.

#include "stable/workspace_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>

#include "core/fileio.h"
#include "workspace_fixture.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

class WorkspaceLockTest : public testing::ProgramDirTest {
 protected:
  fs::path S() const { return dir_ / "Save"; }
  fs::path LockFile() const { return S() / WorkspaceLock::kFileName; }
  void SetUp() override {
    ProgramDirTest::SetUp();
    fs::create_directories(S());
  }
  static LockHolder Holder(const std::string& host, long pid, int64_t started) {
    LockHolder h;
    h.host = host;
    h.user = "anna";
    h.pid = pid;
    h.startedUtc = started;
    h.token = "0123456789abcdef";
    return h;
  }
  // A process id that ran and is gone.
  static long DeadPid() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
  }
  int64_t now_ = static_cast<int64_t>(std::time(nullptr));
};

TEST_F(WorkspaceLockTest, TheFirstProgramTakesItTheSecondIsToldWhoHasIt) {
  WorkspaceLock first;
  EXPECT_EQ(first.Acquire(S(), now_), WorkspaceLock::State::kHeld);
  LockHolder written;
  ASSERT_TRUE(WorkspaceLock::ParseFileText(*ReadWholeFile(LockFile()), &written));
  EXPECT_EQ(written.pid, static_cast<long>(::getpid()));
  EXPECT_EQ(written.startedUtc, now_);
  EXPECT_EQ(written.host, WorkspaceLock::ThisProcess().host);
  EXPECT_FALSE(written.user.empty());
  EXPECT_EQ(first.Message(Regional{}), "");

  // Another program, here of this very process (its token differs), finds a live holder.
  WorkspaceLock second;
  EXPECT_EQ(second.Acquire(S(), now_ + 5), WorkspaceLock::State::kHeldElsewhere);
  EXPECT_EQ(second.Holder().pid, written.pid);
  const std::string message = second.Message(Regional{});
  EXPECT_NE(message.find(written.host), std::string::npos) << message;
  EXPECT_NE(message.find(written.user), std::string::npos) << message;
  EXPECT_NE(message.find(S().string()), std::string::npos) << message;
  EXPECT_NE(message.find("overskrives aldrig"), std::string::npos) << message;
  // The second one does not take the first one's lock away, not even when it closes.
  second.Release();
  EXPECT_TRUE(fs::exists(LockFile()));
  first.Release();
  EXPECT_FALSE(fs::exists(LockFile()));
  // Looking (the command-line tool) writes nothing.
  WorkspaceLock looker;
  EXPECT_EQ(looker.Look(S(), now_), WorkspaceLock::State::kNone);
  EXPECT_FALSE(fs::exists(LockFile()));
}

TEST_F(WorkspaceLockTest, StaleLocksAreReplacedQuietly) {
  const std::string host = WorkspaceLock::ThisProcess().host;
  struct Case {
    const char* what;
    std::string text;
  } cases[] = {
      {"dead process on this machine", WorkspaceLock::FileText(Holder(host, DeadPid(), now_ - 60))},
      {"older than a day, on another machine", WorkspaceLock::FileText(Holder("stald-pc", 4242, now_ - 86400 - 60))},
      {"older than a day, live process here", WorkspaceLock::FileText(Holder(host, ::getpid(), now_ - 2 * 86400))},
      {"a day ahead, clock of another machine", WorkspaceLock::FileText(Holder("stald-pc", 4242, now_ + 86400 + 60))},
      {"not a lock at all", "rubbish\r\n"},
      {"empty", ""},
  };
  for (const Case& c : cases) {
    { std::ofstream(LockFile(), std::ios::binary) << c.text; }
    WorkspaceLock lock;
    EXPECT_EQ(lock.Acquire(S(), now_), WorkspaceLock::State::kHeld) << c.what;
    EXPECT_EQ(lock.Message(Regional{}), "") << c.what;
    LockHolder now;
    ASSERT_TRUE(WorkspaceLock::ParseFileText(*ReadWholeFile(LockFile()), &now)) << c.what;
    EXPECT_EQ(now.pid, static_cast<long>(::getpid())) << c.what;
    lock.Release();
    EXPECT_FALSE(fs::exists(LockFile())) << c.what;
  }
  // A live-looking lock of another machine younger than a day is respected: its process
  // cannot be asked; so is one whose clock runs an hour ahead of this one.
  for (const int64_t started : {now_ - 3600, now_ + 3600}) {
    { std::ofstream(LockFile(), std::ios::binary) << WorkspaceLock::FileText(Holder("stald-pc", 4242, started)); }
    WorkspaceLock lock;
    EXPECT_EQ(lock.Acquire(S(), now_), WorkspaceLock::State::kHeldElsewhere) << started - now_;
    EXPECT_NE(lock.Message(Regional{}).find("stald-pc"), std::string::npos);
    lock.Release();
    EXPECT_TRUE(fs::exists(LockFile()));
  }
}

TEST_F(WorkspaceLockTest, ALockThatCannotBeWrittenStopsNothing) {
  // A save directory that is not there (a share not mounted) and a lock file's place taken
  // by a directory: no lock, and the program works on.
  WorkspaceLock lock;
  EXPECT_EQ(lock.Acquire(dir_ / "Unmounted", now_), WorkspaceLock::State::kUnwritable);
  fs::create_directories(LockFile());
  EXPECT_EQ(lock.Acquire(S(), now_), WorkspaceLock::State::kUnwritable);
  EXPECT_EQ(lock.Message(Regional{}), "");
  lock.Release();
  EXPECT_TRUE(fs::is_directory(LockFile()));
  fs::remove(LockFile());

  // The workspace scans and saves the same, with the check on every save.
  AppContext& app = Start();
  app.preferences.ActiveSaveDirectory = (dir_ / "Unmounted").string();
  fs::create_directories(dir_ / "Unmounted");
  fs::create_directories(dir_ / "Unmounted" / WorkspaceLock::kFileName);
  Workspace ws(app);
  ws.TakeWorkspaceLock(true);
  ws.Scan();
  EXPECT_EQ(ws.Lock().state(), WorkspaceLock::State::kUnwritable);
  EXPECT_TRUE(ws.Messages().empty()) << ws.Messages().front();
  TStall& s = ws.NewStable();
  std::string error;
  EXPECT_TRUE(s.Save(&error)) << error;
}

TEST_F(WorkspaceLockTest, TheScanTakesTheLockAndTheCloseGivesItUp) {
  AppContext& app = Start();
  Workspace office(app);
  office.TakeWorkspaceLock(true);
  office.Scan();
  EXPECT_EQ(office.Lock().state(), WorkspaceLock::State::kHeld);
  EXPECT_TRUE(fs::exists(LockFile()));

  // A second program sees it in its start-up messages; so does the command-line tool,
  // which only looks.
  StartResult r = StartProgram(dir_, clock_, Regional{}, messages_, ScreenSize{1000, 800});
  ASSERT_TRUE(r.context);
  Workspace laptop(*r.context);
  laptop.TakeWorkspaceLock(true);
  laptop.Scan();
  ASSERT_EQ(laptop.Messages().size(), 1u);
  EXPECT_NE(laptop.Messages()[0].find("er ogs\xE5 \xE5"
                                      "bent"),
            std::string::npos)
      << laptop.Messages()[0];
  EXPECT_TRUE(r.context->preferences.ShowWelcomeScreen);
  Workspace tool(*r.context);
  tool.Scan();
  EXPECT_EQ(tool.Messages().size(), 1u);

  laptop.Close();
  EXPECT_TRUE(fs::exists(LockFile()));
  office.Close();
  EXPECT_FALSE(fs::exists(LockFile()));
  tool.Scan();
  EXPECT_TRUE(tool.Messages().empty());
}

}  // namespace
}  // namespace stallora
