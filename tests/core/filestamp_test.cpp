// What a record remembers of its file, the check before a save replaces it, the three answers
// to a changed file, and the names conflict copies have.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <set>

#include "core/conflictnames.h"
#include "core/fileio.h"
#include "core/filestamp.h"
#include "core/objtext.h"
#include "disk_faults.h"
#include "test_records.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;
using testing::TStable;

std::string Slurp(const fs::path& p) { return ReadWholeFile(p).value_or("(unreadable)"); }

void Put(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

void SetMtime(const fs::path& p, time_t seconds, long nanos = 0) {
  const timespec times[2] = {{seconds, nanos}, {seconds, nanos}};
  ASSERT_EQ(::utimensat(AT_FDCWD, p.c_str(), times, 0), 0);
}

timespec Mtime(const fs::path& p) {
  struct stat st {};
  ::stat(p.c_str(), &st);
  return st.st_mtim;
}

// Answers from a script and keeps the questions.
class ScriptedPrompt : public ConflictPrompt {
 public:
  ConflictChoice AskConflict(const std::string& question, const std::array<std::string, 3>& choices) override {
    asked.push_back(question);
    buttons = choices;
    return choice;
  }
  bool ConfirmTakeTheirs(const std::string& question) override {
    confirmations.push_back(question);
    return sure;
  }
  ConflictChoice choice = ConflictChoice::kCancel;
  bool sure = true;
  std::vector<std::string> asked;
  std::vector<std::string> confirmations;
  std::array<std::string, 3> buttons;
};

class FileStampTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("stallora-stamp-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    file_ = dir_ / "Nord.eqs";
    TStable first;
    first.stallNavn = "Nord";
    SaveRecordToFile(first, file_);
  }
  void TearDown() override {
    ::chmod(dir_.c_str(), 0755);
    fs::remove_all(dir_);
  }
  // The record as a program has it after reading the file.
  void Load(TStable& s) { LoadRecordFromFile(s, file_, testing::TestRegistry()); }
  // Another program saves the stable with another owner... in this test's record class, the
  // name is what changes.
  void OtherProgramSaves(const std::string& name) {
    TStable other;
    LoadRecordFromFile(other, file_, testing::TestRegistry());
    other.stallNavn = name;
    SaveRecordToFile(other, file_);
  }
  int Entries() const { return static_cast<int>(std::distance(fs::directory_iterator(dir_), {})); }
  std::vector<fs::path> ConflictCopies() const {
    std::vector<fs::path> found;
    for (const auto& e : fs::directory_iterator(dir_))
      if (IsConflictCopyName(e.path().filename().string())) found.push_back(e.path());
    return found;
  }

  fs::path dir_;
  fs::path file_;
  // 9 December 2026, 14:05
  DayNumber now_ = EncodeDate(2026, 12, 9) + EncodeTime(14, 5);
};

TEST(ContentHash, TellsApartEveryChangeOfOneByteAndEveryShortText) {
  // Every bit of every byte of texts up to 40 bytes (across the eight-byte steps and the
  // tail): a changed byte is always seen.
  for (size_t length = 1; length <= 40; ++length) {
    std::string text(length, '\0');
    for (size_t i = 0; i < length; ++i) text[i] = static_cast<char>('A' + i * 7 % 50);
    const uint64_t original = ContentHash(text);
    for (size_t i = 0; i < length; ++i)
      for (int bit = 0; bit < 8; ++bit) {
        std::string changed = text;
        changed[i] = static_cast<char>(changed[i] ^ (1 << bit));
        ASSERT_NE(ContentHash(changed), original) << "length " << length << ", byte " << i << ", bit " << bit;
      }
  }
  // A text and the same text with zero bytes after it (the tail is padded with zeros).
  EXPECT_NE(ContentHash(std::string_view("a", 1)), ContentHash(std::string_view("a\0", 2)));
  EXPECT_NE(ContentHash(""), ContentHash(std::string_view("\0", 1)));
  EXPECT_NE(ContentHash(std::string(8, '\0')), ContentHash(std::string(16, '\0')));
  EXPECT_NE(ContentHash("ab"), ContentHash("ba"));
  // All texts of up to two bytes: no two share a value.
  std::set<uint64_t> seen{ContentHash("")};
  for (int a = 0; a < 256; ++a) {
    seen.insert(ContentHash(std::string(1, static_cast<char>(a))));
    for (int b = 0; b < 256; ++b) seen.insert(ContentHash(std::string{static_cast<char>(a), static_cast<char>(b)}));
  }
  EXPECT_EQ(seen.size(), 1u + 256u + 256u * 256u);
}

TEST_F(FileStampTest, ReadingAndWritingRememberTheFile) {
  TStable s;
  EXPECT_FALSE(s.fileStamp.Known());
  Load(s);
  const std::string bytes = Slurp(file_);
  EXPECT_EQ(s.fileStamp.path, file_);
  EXPECT_EQ(s.fileStamp.size, bytes.size());
  EXPECT_EQ(s.fileStamp.hash, ContentHash(bytes));
  EXPECT_NE(s.fileStamp.mtimeNs, 0);
  EXPECT_EQ(CheckBeforeSave(s, file_), DiskState::kUnchanged);
  s.stallNavn = "Nord igen";
  SaveRecordToFile(s, file_);
  EXPECT_TRUE(s.fileStamp.SameBytes(Slurp(file_)));
  // A second save of the same record needs no other program's permission.
  s.StallNoMeals = 3;
  SaveRecordToFile(s, file_);
  EXPECT_NE(Slurp(file_).find("StallNoMeals = 3"), std::string::npos);
}

TEST_F(FileStampTest, ASaveOverAFileChangedBehindTheRecordsBackIsRefused) {
  TStable mine;
  Load(mine);
  OtherProgramSaves("Theirs");
  const std::string theirs = Slurp(file_);
  mine.stallNavn = "Mine";
  EXPECT_EQ(CheckBeforeSave(mine, file_), DiskState::kChangedOnDisk);
  try {
    SaveRecordToFile(mine, file_);
    FAIL() << "the save went through";
  } catch (const FileConflictError& e) {
    EXPECT_EQ(e.File(), file_);
    EXPECT_NE(std::string(e.what()).find(file_.string()), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("ndret af et andet program"), std::string::npos) << e.what();
  }
  EXPECT_EQ(Slurp(file_), theirs);
  EXPECT_EQ(Entries(), 1);  // no temporary file left behind
}

TEST_F(FileStampTest, SameTimeOtherContentIsAChange) {
  TStable mine;
  Load(mine);
  const timespec loaded = Mtime(file_);
  // Another machine writes a file of the same size within the same tick of the clock (or
  // with a clock that sets the time back): only the content tells.
  std::string other = Slurp(file_);
  const size_t at = other.find("Nord");
  other.replace(at, 4, "Syd_");
  Put(file_, other);
  SetMtime(file_, loaded.tv_sec, loaded.tv_nsec);
  ASSERT_EQ(Mtime(file_).tv_sec, loaded.tv_sec);
  EXPECT_EQ(CheckBeforeSave(mine, file_), DiskState::kChangedOnDisk);
  mine.StallNoMeals = 2;
  EXPECT_THROW(SaveRecordToFile(mine, file_), FileConflictError);
  EXPECT_EQ(Slurp(file_), other);
}

TEST_F(FileStampTest, OtherTimeSameContentIsNoChange) {
  TStable mine;
  Load(mine);
  // A sync tool that rewrites the same bytes, or a clock a day ahead: nothing changed.
  const std::string same = Slurp(file_);
  Put(file_, same);
  SetMtime(file_, Mtime(file_).tv_sec + 86400);
  EXPECT_EQ(CheckBeforeSave(mine, file_), DiskState::kUnchanged);
  mine.stallNavn = "Mine";
  SaveRecordToFile(mine, file_);
  EXPECT_NE(Slurp(file_).find("'Mine'"), std::string::npos);
}

TEST_F(FileStampTest, ADeletedFileIsWrittenAnewAndANewRecordMeetsNoStrangersFile) {
  TStable mine;
  Load(mine);
  fs::remove(file_);
  EXPECT_EQ(CheckBeforeSave(mine, file_), DiskState::kMissing);
  mine.stallNavn = "Mine";
  SaveRecordToFile(mine, file_);
  EXPECT_NE(Slurp(file_).find("'Mine'"), std::string::npos);

  // A record that never had a file: where there is none it is written, where another
  // program made one meanwhile it is refused.
  TStable fresh;
  EXPECT_EQ(CheckBeforeSave(fresh, dir_ / "Ny.eqs"), DiskState::kUnchanged);
  SaveRecordToFile(fresh, dir_ / "Ny.eqs");
  TStable another;
  EXPECT_EQ(CheckBeforeSave(another, dir_ / "Ny.eqs"), DiskState::kChangedOnDisk);
  // Writing the very bytes the file holds replaces nothing of the other's.
  SaveRecordToFile(another, dir_ / "Ny.eqs");
  another.stallNavn = "Anden";
  TStable third;
  third.stallNavn = "Tredje";
  EXPECT_THROW(SaveRecordToFile(third, dir_ / "Ny.eqs"), FileConflictError);
  // An export is no save of the record's own file: no check, and the stamp stays.
  const FileStamp kept = fresh.fileStamp;
  ExportRecordToFile(another, dir_ / "Ny.eqs");
  ExportRecordToFile(fresh, dir_ / "copy.eqs");
  EXPECT_EQ(fresh.fileStamp.path, kept.path);
}

TEST_F(FileStampTest, ARecordHoldingWhatItReadLeavesTheNewerFile) {
  TStable mine;
  Load(mine);
  OtherProgramSaves("Theirs");
  const std::string theirs = Slurp(file_);
  // Nothing changed in this program: saving it (a "save all") must neither ask nor set the
  // other program's work back.
  SaveRecordToFile(mine, file_);
  EXPECT_EQ(Slurp(file_), theirs);
  ScriptedPrompt prompt;
  EXPECT_EQ(PrepareSave(mine, file_, "Nord", prompt, now_, RecordText(mine)), SaveStep::kSave);
  EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(FileStampTest, KeepMinePutsTheirsAsideThenSavesMine) {
  TStable mine;
  Load(mine);
  OtherProgramSaves("Theirs");
  const std::string theirs = Slurp(file_);
  mine.stallNavn = "Mine";
  ScriptedPrompt prompt;
  prompt.choice = ConflictChoice::kKeepMine;
  fs::path copy;
  std::string error;
  ASSERT_EQ(PrepareSave(mine, file_, "Nord", prompt, now_, RecordText(mine), &error, &copy), SaveStep::kSave) << error;
  ASSERT_EQ(prompt.asked.size(), 1u);
  EXPECT_NE(prompt.asked[0].find("Nord: Filen er "), std::string::npos) << prompt.asked[0];
  EXPECT_NE(prompt.asked[0].find(file_.string()), std::string::npos);
  EXPECT_EQ(prompt.buttons[0], "Behold mine");
  EXPECT_EQ(prompt.buttons[2], "Annuller");
  EXPECT_TRUE(prompt.confirmations.empty());
  EXPECT_EQ(copy, dir_ / "Nord (conflict 2026-12-09 14.05).eqs");
  EXPECT_EQ(Slurp(copy), theirs);
  SaveRecordToFile(mine, file_);
  EXPECT_NE(Slurp(file_).find("'Mine'"), std::string::npos);
  // A second conflict in the same minute keeps both of theirs.
  OtherProgramSaves("Theirs again");
  mine.StallNoMeals = 5;
  ASSERT_EQ(PrepareSave(mine, file_, "Nord", prompt, now_, RecordText(mine), &error, &copy), SaveStep::kSave);
  EXPECT_EQ(copy, dir_ / "Nord (conflict 2026-12-09 14.05 2).eqs");
  EXPECT_NE(Slurp(copy).find("Theirs again"), std::string::npos);
  SaveRecordToFile(mine, file_);
  EXPECT_EQ(ConflictCopies().size(), 2u);
}

TEST_F(FileStampTest, TakeTheirsNeedsTheSecondConfirmationAndCancelSavesNothing) {
  TStable mine;
  Load(mine);
  OtherProgramSaves("Theirs");
  const std::string theirs = Slurp(file_);
  mine.stallNavn = "Mine";
  ScriptedPrompt prompt;
  prompt.choice = ConflictChoice::kTakeTheirs;
  EXPECT_EQ(PrepareSave(mine, file_, "Nord", prompt, now_), SaveStep::kTakeTheirs);
  ASSERT_EQ(prompt.confirmations.size(), 1u);
  EXPECT_NE(prompt.confirmations[0].find("kasseres"), std::string::npos);
  prompt.sure = false;
  EXPECT_EQ(PrepareSave(mine, file_, "Nord", prompt, now_), SaveStep::kCancel);
  prompt.choice = ConflictChoice::kCancel;
  EXPECT_EQ(PrepareSave(mine, file_, "Nord", prompt, now_), SaveStep::kCancel);
  EXPECT_EQ(Slurp(file_), theirs);
  EXPECT_TRUE(ConflictCopies().empty());
  // Taking theirs is reading the file again: the record then saves without a question.
  TStable again;
  Load(again);
  again.StallNoMeals = 1;
  EXPECT_EQ(PrepareSave(again, file_, "Nord", prompt, now_), SaveStep::kSave);
  SaveRecordToFile(again, file_);
}

TEST_F(FileStampTest, KeepMineRefusesWhenTheirsCannotBePutAside) {
  TStable mine;
  Load(mine);
  mine.StallNoMeals = 3;  // an edit of this program's
  OtherProgramSaves("Theirs");
  const std::string theirs = Slurp(file_);
  ASSERT_GT(theirs.size(), 8u);
  ScriptedPrompt prompt;
  prompt.choice = ConflictChoice::kKeepMine;
  std::string error;
  {
    // The disk is full: their copy cannot be written (the superuser too is stopped by this).
    stallora::testing::ScopedFileSizeLimit full(8);
    EXPECT_EQ(PrepareSave(mine, file_, "Nord", prompt, now_, std::nullopt, &error), SaveStep::kCancel);
  }
  EXPECT_NE(error.find(file_.string()), std::string::npos) << error;
  EXPECT_TRUE(ConflictCopies().empty());                               // no half-written copy either
  EXPECT_EQ(CheckBeforeSave(mine, file_), DiskState::kChangedOnDisk);  // nothing may replace it
  EXPECT_THROW(SaveRecordToFile(mine, file_), FileConflictError);
  EXPECT_EQ(Slurp(file_), theirs);
}

TEST_F(FileStampTest, AnActivatedWindowReloadsOrAsksOncePerVersion) {
  TStable mine;
  Load(mine);
  ReloadWatch watch;
  EXPECT_EQ(watch.Check(mine, file_, false), ActivationStep::kNothing);
  OtherProgramSaves("Theirs");
  EXPECT_EQ(watch.Check(mine, file_, false), ActivationStep::kReload);
  EXPECT_EQ(watch.Check(mine, file_, true), ActivationStep::kAskReload);
  watch.KeepEdits();
  EXPECT_EQ(watch.Check(mine, file_, true), ActivationStep::kNothing);
  OtherProgramSaves("Theirs again");
  EXPECT_EQ(watch.Check(mine, file_, true), ActivationStep::kAskReload);
  fs::remove(file_);
  EXPECT_EQ(watch.Check(mine, file_, true), ActivationStep::kNothing);
  TStable fresh;
  EXPECT_EQ(watch.Check(fresh, dir_ / "nothing.eqs", true), ActivationStep::kNothing);
}

TEST(ConflictCopyNames, TheCommonSyncToolsAndOurOwn) {
  const std::pair<const char*, const char*> kCopies[] = {
      {"Blakken.sync-conflict-20250102-101500-ABCDEFG.eqh", "Blakken.eqh"},  // Syncthing
      {"Hø og wrap.sync-conflict-20250102-101500-ABCDEFG.eqf", "Hø og wrap.eqf"},
      {"Blakken (conflicted copy 2025-01-02 101500).eqh", "Blakken.eqh"},                // Nextcloud
      {"Blakken (Anna's conflicted copy 2025-01-02).eqh", "Blakken.eqh"},                // Dropbox
      {"Blakken (SFConflict anna@example.org 2025-01-02-10-15-00).eqh", "Blakken.eqh"},  // Seafile
      {"Blakken_conflict-20250102-101500.eqh", "Blakken.eqh"},                           // ownCloud
      {"Nord (conflict 2026-12-09 14.05).eqs", "Nord.eqs"},                              // this program
      {"Nord (conflict 2026-12-09 14.05 2).eqs", "Nord.eqs"},
      {"HorseOwners [Conflict 1].txt", "HorseOwners.txt"},
      {"Blakken.Conflict.eqh", "Blakken.eqh"},  // Resilio
      {"Blakken.conflict (2).eqh", "Blakken.eqh"},
      {"Vinterfoder.Conflict", "Vinterfoder"},
      {"Blakken (Case Conflict).eqh", "Blakken.eqh"},  // Dropbox, without a date
      {"Nord (Selective Sync Conflict)", "Nord"},
      {".Nord.eqs.1a2b3c4d.sync-conflict-20250102-101500-ABCDEFG.tmp", ".Nord.eqs.1a2b3c4d.tmp"},
  };
  for (const auto& [copy, original] : kCopies) {
    EXPECT_EQ(ConflictCopyOriginal(copy).value_or("(none)"), original) << copy;
  }
  for (const char* plain : {"Blakken.eqh", "Hø (conflict).eqf", "Konflikt.eqh", "Nord.eqs", "conflict-1.eqh",
                            "(conflict 2025).eqh", "Blakken.sync-conflict.eqh", "Conflicting.eqh", "Hø.Conflicted.eqf",
                            ".Conflict.eqh", "Blakken.Conflict (2.eqh"})
    EXPECT_FALSE(IsConflictCopyName(plain)) << plain;
  // A sync tool's copy of a temporary file is the other side's, never the program's own.
  EXPECT_FALSE(IsProgramTempFile(".Hø.eqf.sync-conflict-20250102-101500-ABCDEFG.part"));
  EXPECT_TRUE(IsProgramTempFile(".Hø.eqf.part"));
}

}  // namespace
}  // namespace stallora
