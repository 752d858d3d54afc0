// Where the program works: a build tree is its own program directory; an installed program
// (bin/ beside share/stallora) makes the user's program directory from the read-only data on
// the first start and keeps the user's files on every start after it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "config/program_directory.h"
#include "core/fileio.h"
#include "stable/workspace.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

const fs::path kData = STALLORA_DATA_DIR;

std::string Read(const fs::path& p) { return ReadWholeFile(p).value_or("<missing>"); }

void Write(const fs::path& p, const std::string& text) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << text;
}

// Every file below a directory with its content and modification time.
std::map<std::string, std::pair<std::string, fs::file_time_type>> Snapshot(const fs::path& root) {
  std::map<std::string, std::pair<std::string, fs::file_time_type>> m;
  for (const auto& e : fs::recursive_directory_iterator(root))
    m[fs::relative(e.path(), root).generic_string()] = {e.is_regular_file() ? Read(e.path()) : "<dir>",
                                                        e.last_write_time()};
  return m;
}

TEST(UserProgramDirectory, FollowsXdgDataHomeThenHome) {
  EXPECT_EQ(UserProgramDirectory("/x/data", "/home/ida"), fs::path("/x/data/stallora"));
  // The XDG rules ignore a relative XDG_DATA_HOME, and an empty one counts as unset.
  EXPECT_EQ(UserProgramDirectory("relative/data", "/home/ida"), fs::path("/home/ida/.local/share/stallora"));
  EXPECT_EQ(UserProgramDirectory("", "/home/ida"), fs::path("/home/ida/.local/share/stallora"));
  EXPECT_EQ(UserProgramDirectory(nullptr, "/home/ida"), fs::path("/home/ida/.local/share/stallora"));
  EXPECT_TRUE(UserProgramDirectory(nullptr, nullptr).empty());
  EXPECT_TRUE(UserProgramDirectory(nullptr, "not/absolute").empty());
}

class ProgramPlaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("stallora-place-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    // An installation as the package lays it out: bin/ and share/stallora/ under a prefix.
    fs::create_directories(root_ / "usr" / "bin");
    shared_ = root_ / "usr" / "share" / "stallora";
    fs::create_directories(shared_);
    for (const char* item : {"dan.ini", "eng.ini", "Resources", "Save", "service"})
      fs::copy(kData / item, shared_ / item, fs::copy_options::recursive);
    user_ = root_ / "home" / "ida" / ".local" / "share" / "stallora";
  }
  void TearDown() override { fs::remove_all(root_); }

  ProgramPlace Installed() const { return LocateProgramDirectory(root_ / "usr" / "bin", user_); }

  fs::path root_, shared_, user_;
};

TEST_F(ProgramPlaceTest, BuildTreeAndCopiedFolderAreTheirOwnProgramDirectory) {
  const ProgramPlace build = LocateProgramDirectory(STALLORA_BIN_DIR, user_);
  EXPECT_EQ(build.programDir, fs::path(STALLORA_BIN_DIR));
  EXPECT_FALSE(build.Installed());
  // Nothing is prepared for it, and the user's directory is not touched.
  EXPECT_FALSE(PrepareProgramDirectory(build));
  EXPECT_FALSE(fs::exists(user_));

  // The settings file is found in any letter case, as the start finds it.
  fs::create_directories(root_ / "opt");
  Write(root_ / "opt" / "DAN.INI", Read(kData / "dan.ini"));
  EXPECT_EQ(LocateProgramDirectory(root_ / "opt", user_).programDir, root_ / "opt");
  EXPECT_FALSE(LocateProgramDirectory(root_ / "opt", user_).Installed());
}

TEST_F(ProgramPlaceTest, InstalledProgramWorksInTheUsersDirectory) {
  const ProgramPlace place = Installed();
  EXPECT_TRUE(place.Installed());
  EXPECT_EQ(place.programDir, user_);
  EXPECT_EQ(place.installedData, shared_);

  // Without settings anywhere the executable's directory stays P, and the start says what
  // is missing there.
  fs::remove(shared_ / "dan.ini");
  const ProgramPlace none = Installed();
  EXPECT_FALSE(none.Installed());
  EXPECT_EQ(none.programDir, root_ / "usr" / "bin");
}

TEST_F(ProgramPlaceTest, FirstStartMakesTheProgramDirectoryAndWritesNothingBelowTheData) {
  const auto before = Snapshot(shared_);
  const ProgramPlace place = Installed();
  ASSERT_FALSE(PrepareProgramDirectory(place));

  for (const char* file : {"dan.ini", "eng.ini", "Resources/EPListe.eqe", "Resources/behovsliste.txt",
                           "Resources/fpinf45.txt", "Resources/treatmentregister45.txt"})
    EXPECT_EQ(Read(user_ / file), Read(shared_ / file)) << file;
  // The demo workspace is a copy of the template, file for file.
  for (const auto& [rel, entry] : Snapshot(shared_ / "Save"))
    EXPECT_EQ(Read(user_ / "Save" / rel), Read(shared_ / "Save" / rel)) << rel;
  EXPECT_EQ(Snapshot(user_ / "Save").size(), Snapshot(shared_ / "Save").size());
  // The resource server's folder is no part of a program directory; no staging is left.
  EXPECT_FALSE(fs::exists(user_ / "service"));
  for (const auto& e : fs::directory_iterator(user_))
    EXPECT_NE(e.path().filename().string().rfind(".Save.", 0), 0u) << e.path();

  // The program starts there as on any program directory, finds the demo, and closes.
  FixedClock clock(static_cast<DayNumber>(EncodeDate(2026, 12, 9)));
  RecordingMessages messages;
  StartResult start = StartProgram(place.programDir, clock, Regional{}, messages, ScreenSize{1000, 800});
  ASSERT_TRUE(start.context) << start.fatalMessage;
  EXPECT_EQ(start.context->preferences.SaveDirectory(), user_ / "Save");
  {
    Workspace ws(*start.context);
    ws.Scan();
    ASSERT_EQ(ws.Stables().size(), 2u);
    EXPECT_EQ(ws.Stables()[0]->stallNavn, "Egebjerg");
    EXPECT_EQ(ws.Stables()[1]->stallNavn, "Modelhest-Stald");
    EXPECT_TRUE(ws.Close().empty());
  }
  start.context.reset();
  EXPECT_TRUE(fs::exists(user_ / "stallora.pref"));
  EXPECT_TRUE(fs::is_directory(user_ / "temp"));
  EXPECT_EQ(Snapshot(shared_), before) << "the installed data was written to";
}

TEST_F(ProgramPlaceTest, LaterStartsKeepTheUsersFiles) {
  const ProgramPlace place = Installed();
  ASSERT_FALSE(PrepareProgramDirectory(place));
  // The user works: a stable changes, a horse is deleted, the formulas are edited and saved,
  // the settings file gets another service address.
  const fs::path stable = user_ / "Save" / "Egebjerg" / "Egebjerg.eqs";
  Write(stable, Read(stable) + "\r\n");
  fs::remove_all(user_ / "Save" / "Egebjerg" / "Pjevs");
  Write(user_ / "Resources" / "behovsliste.txt", "the user's formulas");
  Write(user_ / "dan.ini", "the user's settings");
  const auto mine = Snapshot(user_);

  ASSERT_FALSE(PrepareProgramDirectory(place));
  EXPECT_EQ(Snapshot(user_), mine);
  EXPECT_FALSE(fs::exists(user_ / "Save" / "Egebjerg" / "Pjevs"));

  // A user who took the save directory elsewhere and removed P/Save after a run (the
  // preferences exist) does not get the demo back.
  fs::remove_all(user_ / "Save");
  Write(user_ / "stallora.pref", "");
  ASSERT_FALSE(PrepareProgramDirectory(place));
  EXPECT_FALSE(fs::exists(user_ / "Save"));
}

TEST_F(ProgramPlaceTest, AnUpgradeReplacesOnlyTheFilesTheUserLeftAlone) {
  const ProgramPlace place = Installed();
  ASSERT_FALSE(PrepareProgramDirectory(place));
  Write(user_ / "Resources" / "behovsliste.txt", "the user's formulas");
  const std::string demoHorse = Read(user_ / "Save" / "Egebjerg" / "Nova" / "Nova.eqh");

  // The new package brings a changed energy list, changed formulas, a new resource file and
  // a changed demo.
  Write(shared_ / "Resources" / "EPListe.eqe", Read(shared_ / "Resources" / "EPListe.eqe") + "\r\n");
  Write(shared_ / "Resources" / "behovsliste.txt", "the new package's formulas");
  Write(shared_ / "Resources" / "fpinf46.txt", "new");
  Write(shared_ / "Save" / "Egebjerg" / "Nova" / "Nova.eqh", "changed demo");
  ASSERT_FALSE(PrepareProgramDirectory(place));

  EXPECT_EQ(Read(user_ / "Resources" / "EPListe.eqe"), Read(shared_ / "Resources" / "EPListe.eqe"));
  EXPECT_EQ(Read(user_ / "Resources" / "fpinf46.txt"), "new");
  EXPECT_EQ(Read(user_ / "Resources" / "behovsliste.txt"), "the user's formulas");
  EXPECT_EQ(Read(user_ / "Save" / "Egebjerg" / "Nova" / "Nova.eqh"), demoHorse);

  // Once the user's file equals the package's again, later package changes reach it.
  Write(user_ / "Resources" / "behovsliste.txt", "the new package's formulas");
  ASSERT_FALSE(PrepareProgramDirectory(place));
  Write(shared_ / "Resources" / "behovsliste.txt", "the next package's formulas");
  ASSERT_FALSE(PrepareProgramDirectory(place));
  EXPECT_EQ(Read(user_ / "Resources" / "behovsliste.txt"), "the next package's formulas");
}

TEST_F(ProgramPlaceTest, AProgramDirectoryFromBeforeIsTheUsers) {
  // A per-user installation made by the install script already lives there, without a record
  // of what the package copied: its files stay, missing ones are added.
  Write(user_ / "dan.ini", "settings of the earlier installation");
  ASSERT_FALSE(PrepareProgramDirectory(Installed()));
  EXPECT_EQ(Read(user_ / "dan.ini"), "settings of the earlier installation");
  EXPECT_EQ(Read(user_ / "eng.ini"), Read(shared_ / "eng.ini"));
}

TEST_F(ProgramPlaceTest, AProgramDirectoryThatCannotBeMadeIsReportedByName) {
  // Its parent is a file: nothing can be created there, not even by root.
  Write(root_ / "home" / "ida" / ".local", "a file");
  const std::optional<std::string> failed = PrepareProgramDirectory(Installed());
  ASSERT_TRUE(failed);
  EXPECT_EQ(failed->rfind("Programmappen kan ikke bruges: " + user_.string(), 0), 0u) << *failed;

  ProgramPlace homeless = Installed();
  homeless.programDir.clear();
  const std::optional<std::string> noHome = PrepareProgramDirectory(homeless);
  ASSERT_TRUE(noHome);
  EXPECT_NE(noHome->find("HOME"), std::string::npos) << *noHome;
}

}  // namespace
}  // namespace stallora
