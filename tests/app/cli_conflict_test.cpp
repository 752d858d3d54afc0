// The tool and another program on one workspace: `set` saves only over what it read, the
// tool refuses (exit 1, the file named) instead of asking, and conflict copies are listed
// by `scan` and kept by `clean --yes`. The two-program cases start the real executable
// twice.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "cli_fixture.h"
#include "core/conflictnames.h"
#include "stable/workspace_lock.h"

extern char** environ;

namespace stallora::testing {
namespace {

namespace fs = std::filesystem;

// A running stallora-cli with its standard input, output and error connected to pipes.
class Process {
 public:
  explicit Process(const std::vector<std::string>& args) {
    int in[2], out[2], err[2];
    EXPECT_EQ(::pipe2(in, O_CLOEXEC), 0);
    EXPECT_EQ(::pipe2(out, O_CLOEXEC), 0);
    EXPECT_EQ(::pipe2(err, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    const std::string exe = std::string(STALLORA_BIN_DIR) + "/stallora-cli";
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(exe.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    EXPECT_EQ(::posix_spawn(&pid_, exe.c_str(), &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    in_ = in[1];
    out_ = out[0];
    err_ = err[0];
  }
  ~Process() {
    if (pid_ > 0 && !waited_) {
      ::kill(pid_, SIGKILL);
      Wait();
    }
    for (int fd : {in_, out_, err_})
      if (fd >= 0) ::close(fd);
  }
  // The next line of standard output (without its end), waiting up to 60 seconds.
  std::string ReadLine() {
    std::string line;
    char c;
    while (true) {
      pollfd p{out_, POLLIN, 0};
      if (::poll(&p, 1, 60000) <= 0) return line + "(timeout)";
      if (::read(out_, &c, 1) != 1) return line;
      if (c == '\n') return line;
      line += c;
    }
  }
  void Send(const std::string& text) {
    EXPECT_EQ(::write(in_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    ::close(in_);
    in_ = -1;
  }
  int Wait() {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    waited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Rest(int fd) {
    std::string all;
    char buf[4096];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;) all.append(buf, static_cast<size_t>(n));
    return all;
  }
  std::string Out() { return Rest(out_); }
  std::string Err() { return Rest(err_); }

 private:
  pid_t pid_ = -1;
  int in_ = -1, out_ = -1, err_ = -1;
  bool waited_ = false;
};

class CliConflictTest : public CliWorkspaceTest {
 protected:
  std::vector<std::string> Tool(std::vector<std::string> args) {
    std::vector<std::string> all = {"--program-dir", dir_.string(), "--today", "2026-12-09"};
    all.insert(all.end(), args.begin(), args.end());
    return all;
  }
  std::string Horse() { return ReadBytes(horse_); }
};

TEST_F(CliConflictTest, SetChangesAHorseAndTellsWhatItReadAndWrote) {
  const CliResult r = Run({"set", horse_, "EierNavn='Anna'", "TreningsMengde=0.5"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("read\t" + horse_ + "\t", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\nsaved\t" + horse_ + "\t"), std::string::npos) << r.out;
  EXPECT_NE(Horse().find("EierNavn = 'Anna'"), std::string::npos);
  EXPECT_NE(Horse().find("TreningsMengde = 0.5"), std::string::npos);
  // What is no property, or no value of it, is the reader's message, and nothing is saved.
  const std::string before = Horse();
  CliResult bad = Run({"set", horse_, "Prix=3"});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("Error reading THest.Prix: Property does not exist"), std::string::npos) << bad.err;
  bad = Run({"set", horse_, "Navn='Ny'"});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(Run({"set", horse_}).status, 2);
  EXPECT_EQ(Run({"set", horse_, "EierNavn"}).status, 2);
  EXPECT_EQ(Horse(), before);
}

TEST_F(CliConflictTest, TheSecondOfTwoProgramsNeverOverwritesTheFirstsSave) {
  // The laptop's tool reads Bella and waits for its values on standard input.
  Process laptop(Tool({"set", horse_, "-"}));
  const std::string read = laptop.ReadLine();
  ASSERT_EQ(read.rfind("read\t" + horse_ + "\t", 0), 0u) << read;
  // Meanwhile the office's tool saves her.
  Process office(Tool({"set", horse_, "EierNavn='Kontoret'"}));
  EXPECT_EQ(office.Wait(), 0) << office.Err();
  const std::string officeSaved = Horse();
  ASSERT_NE(officeSaved.find("EierNavn = 'Kontoret'"), std::string::npos);
  // The laptop's save is refused and names the file; the office's save is intact.
  laptop.Send("EierNavn='Laptoppen'\nTreningsMengde=0.25\n");
  EXPECT_EQ(laptop.Wait(), 1);
  const std::string err = laptop.Err();
  EXPECT_NE(err.find(horse_), std::string::npos) << err;
  EXPECT_NE(err.find("Filen er \xC3\xA6ndret af et andet program"), std::string::npos) << err;
  EXPECT_EQ(laptop.Out().find("saved"), std::string::npos);
  EXPECT_EQ(Horse(), officeSaved);
  for (const auto& e : fs::directory_iterator(horseDir_))
    EXPECT_FALSE(IsConflictCopyName(e.path().filename().string())) << e.path();

  // Read after the office's save, the laptop's tool saves.
  Process again(Tool({"set", horse_, "-"}));
  ASSERT_EQ(again.ReadLine().rfind("read\t", 0), 0u);
  again.Send("TreningsMengde=0.25\n");
  EXPECT_EQ(again.Wait(), 0) << again.Err();
  EXPECT_NE(Horse().find("EierNavn = 'Kontoret'"), std::string::npos);
  EXPECT_NE(Horse().find("TreningsMengde = 0.25"), std::string::npos);
}

TEST_F(CliConflictTest, ScanListsConflictCopiesAndCleanKeepsThem) {
  const std::string horse = Horse();
  const std::vector<std::string> copies = {
      "Save/Nord/Bella/Bella.sync-conflict-20261209-093000-ABCDEFG.eqh",
      "Save/Nord/Bella/Bella (conflicted copy 2026-12-09 093000).eqh",
      "Save/Nord/Bella/Bella (Anna's conflicted copy 2026-12-09).eqh",
      "Save/Nord/Bella/Bella_conflict-20261209-093000.eqh",
      "Save/Nord/Bella/Bella (conflict 2026-12-09 09.30).eqh",
      "Save/Nord/Bella/Bella.Conflict.eqh",
      "Save/Nord/Bella/Bella (Case Conflict).eqh",
      // A horse this machine never had, only the other side's copy of its file.
      "Save/Nord/Stjerne/Stjerne.sync-conflict-20261209-093000-ABCDEFG.eqh",
      // A stable this machine never had.
      "Save/Syd/Syd (conflicted copy 2026-12-09 093000).eqs",
  };
  for (const std::string& c : copies) {
    fs::create_directories((dir_ / c).parent_path());
    std::ofstream(dir_ / c, std::ios::binary) << horse;
  }
  const CliResult scan = Run({"scan"});
  ASSERT_EQ(scan.status, 0) << scan.err;
  const std::string messages = scan.out.substr(scan.out.find("--\n"));
  for (const std::string& c : copies)
    EXPECT_NE(messages.find(c.substr(5) + ": Konfliktkopi af "), std::string::npos) << c;
  EXPECT_NE(messages.find("Konfliktkopi af Nord/Bella/Bella.eqh"), std::string::npos) << messages;
  EXPECT_NE(messages.find("Konfliktkopi af Syd/Syd.eqs"), std::string::npos) << messages;
  // Never read as horses: Bella once.
  EXPECT_EQ(scan.out.substr(0, scan.out.find("--\n")), "Nord\n  foderliste-Nord\n  Bella\n");

  const CliResult dry = Run({"clean"});
  EXPECT_EQ(dry.out, "") << dry.out;
  const CliResult clean = Run({"clean", "--yes"});
  EXPECT_EQ(clean.status, 0) << clean.err;
  for (const std::string& c : copies) EXPECT_TRUE(fs::exists(dir_ / c)) << c;
}

TEST_F(CliConflictTest, AnotherMachinesLockIsShownByScanAndKeptByClean) {
  LockHolder office;
  office.host = "kontor-pc";
  office.user = "ida";
  office.pid = 4242;
  office.startedUtc = static_cast<int64_t>(std::time(nullptr)) - 600;
  office.token = "feedfacefeedface";
  const fs::path lock = dir_ / "Save" / WorkspaceLock::kFileName;
  const std::string text = WorkspaceLock::FileText(office);
  { std::ofstream(lock, std::ios::binary) << text; }
  const CliResult scan = Run({"scan"});
  ASSERT_EQ(scan.status, 0) << scan.err;
  // The tree is the same as without the lock; the message names the other program.
  EXPECT_EQ(scan.out.substr(0, scan.out.find("--\n")), "Nord\n  foderliste-Nord\n  Bella\n");
  EXPECT_NE(scan.out.find("kontor-pc"), std::string::npos) << scan.out;
  EXPECT_NE(scan.out.find("ida"), std::string::npos) << scan.out;
  EXPECT_EQ(Run({"clean"}).out, "");
  EXPECT_EQ(Run({"clean", "--yes"}).status, 0);
  // The tool only looks: the other machine's lock is as it was.
  EXPECT_EQ(ReadBytes(lock.string()), text);
  // A lock whose machine is this one and whose process is gone is not mentioned.
  office.host = WorkspaceLock::ThisProcess().host;
  office.pid = 0x7ffffff0;
  { std::ofstream(lock, std::ios::binary) << WorkspaceLock::FileText(office); }
  const CliResult quiet = Run({"scan"});
  EXPECT_EQ(quiet.out.substr(quiet.out.find("--\n")), "--\n") << quiet.out;
}

}  // namespace
}  // namespace stallora::testing
