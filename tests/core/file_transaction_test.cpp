#include "core/file_transaction.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/fileio.h"
#include "disk_faults.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

class FileTransactionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("stallora-ft-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "a");
    fs::create_directories(dir_ / "b");
    Write(dir_ / "a" / "one.txt", "old one");
    Write(dir_ / "a" / "two.txt", "old two");
    Write(dir_ / "b" / "three.txt", "old three");
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  static void Write(const fs::path& p, const std::string& bytes) { ASSERT_TRUE(WriteFileAtomically(p, bytes)); }
  static std::string Read(const fs::path& p) { return ReadWholeFile(p).value_or("<missing>"); }
  // Every name below the directory, so that a left-over temporary file shows.
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(dir_)) names.insert(e.path().lexically_relative(dir_).string());
    return names;
  }
  // Whether the lock really stops this process (the superuser on a file system without the
  // immutable flag is not stopped by permissions).
  static bool Locked(const fs::path& p) {
    if (fs::is_directory(p)) {
      std::error_code ec;
      const bool created = WriteFileAtomically(p / ".probe", "x");
      fs::remove(p / ".probe", ec);
      return !created;
    }
    return !WriteFileAtomically(p, Read(p));
  }
  fs::path dir_;
};

TEST_F(FileTransactionTest, CommitReplacesEveryTargetAndLeavesNoTemporaryFile) {
  fs::permissions(dir_ / "a" / "two.txt", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const std::set<std::string> before = Names();
  FileTransaction t;
  ASSERT_TRUE(t.Stage(dir_ / "a" / "one.txt", "new one"));
  ASSERT_TRUE(t.Stage(dir_ / "a" / "two.txt", "new two"));
  ASSERT_TRUE(t.Stage(dir_ / "b" / "three.txt", "new three"));
  // Staging touches no target.
  EXPECT_EQ(Read(dir_ / "a" / "one.txt"), "old one");
  EXPECT_EQ(t.StagedCount(), 3);
  std::vector<std::pair<int, int>> steps;
  std::string error;
  ASSERT_TRUE(t.Commit(&error, [&](int done, int total) { steps.emplace_back(done, total); })) << error;
  EXPECT_EQ(Read(dir_ / "a" / "one.txt"), "new one");
  EXPECT_EQ(Read(dir_ / "a" / "two.txt"), "new two");
  EXPECT_EQ(Read(dir_ / "b" / "three.txt"), "new three");
  EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
  EXPECT_EQ(Names(), before);
  // A file the user made private to the group stays so.
  EXPECT_EQ(fs::status(dir_ / "a" / "two.txt").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(FileTransactionTest, NewTargetsAndTheirDirectoriesAreCreatedAndGoAgainOnAbort) {
  const std::set<std::string> before = Names();
  {
    FileTransaction t;
    ASSERT_TRUE(t.Stage(dir_ / "c" / "d" / "new.txt", "fresh"));
    ASSERT_TRUE(t.Stage(dir_ / "a" / "one.txt", "new one"));
    EXPECT_TRUE(fs::is_directory(dir_ / "c" / "d"));
    // Neither committed nor aborted: the destructor aborts.
  }
  EXPECT_EQ(Names(), before);
  EXPECT_EQ(Read(dir_ / "a" / "one.txt"), "old one");

  FileTransaction t;
  ASSERT_TRUE(t.Stage(dir_ / "c" / "d" / "new.txt", "fresh"));
  ASSERT_TRUE(t.Commit());
  EXPECT_EQ(Read(dir_ / "c" / "d" / "new.txt"), "fresh");
}

TEST_F(FileTransactionTest, AStagingFailureNamesTheFileAndTouchesNothing) {
  const std::set<std::string> before = Names();
  FileTransaction t;
  ASSERT_TRUE(t.Stage(dir_ / "a" / "one.txt", "new one"));
  {
    testing::ScopedUndeletable locked(dir_ / "b");
    if (!Locked(dir_ / "b")) GTEST_SKIP() << "this file system does not stop the superuser";
    std::string error;
    EXPECT_FALSE(t.Stage(dir_ / "b" / "three.txt", "new three", &error));
    EXPECT_NE(error.find("Cannot create file " + PathText(dir_ / "b" / "three.txt")), std::string::npos) << error;
    EXPECT_EQ(t.FailedTarget(), dir_ / "b" / "three.txt");
    t.Abort();
  }
  EXPECT_EQ(Names(), before);
  EXPECT_EQ(Read(dir_ / "a" / "one.txt"), "old one");
  EXPECT_EQ(Read(dir_ / "b" / "three.txt"), "old three");
}

TEST_F(FileTransactionTest, AReplacementThatFailsPutsBackEveryFileReplacedBefore) {
  const std::set<std::string> before = Names();
  FileTransaction t;
  ASSERT_TRUE(t.Stage(dir_ / "a" / "one.txt", "new one"));
  ASSERT_TRUE(t.Stage(dir_ / "c" / "created.txt", "created"));
  ASSERT_TRUE(t.Stage(dir_ / "b" / "three.txt", "new three"));
  ASSERT_TRUE(t.Stage(dir_ / "a" / "two.txt", "new two"));
  {
    // The third target cannot be replaced: the first two are, and must come back.
    testing::ScopedUndeletable locked(dir_ / "b" / "three.txt");
    if (!Locked(dir_ / "b" / "three.txt")) GTEST_SKIP() << "this file system does not stop the superuser";
    std::string error;
    int reported = 0;
    EXPECT_FALSE(t.Commit(&error, [&](int done, int) { reported = done; }));
    EXPECT_EQ(reported, 2);
    EXPECT_NE(error.find(PathText(dir_ / "b" / "three.txt")), std::string::npos) << error;
    EXPECT_EQ(t.FailedTarget(), dir_ / "b" / "three.txt");
    EXPECT_TRUE(t.RestoreProblems().empty());
  }
  EXPECT_EQ(Read(dir_ / "a" / "one.txt"), "old one");
  EXPECT_EQ(Read(dir_ / "a" / "two.txt"), "old two");
  EXPECT_EQ(Read(dir_ / "b" / "three.txt"), "old three");
  // The file that did not exist before and its directory are gone, and so is every
  // temporary file.
  EXPECT_EQ(Names(), before);
}

TEST_F(FileTransactionTest, ADirectoryInTheWayOfATargetFailsTheCommit) {
  fs::create_directories(dir_ / "b" / "dir.txt");
  FileTransaction t;
  ASSERT_TRUE(t.Stage(dir_ / "a" / "one.txt", "new one"));
  ASSERT_TRUE(t.Stage(dir_ / "b" / "dir.txt", "not a directory"));
  std::string error;
  EXPECT_FALSE(t.Commit(&error));
  EXPECT_EQ(t.FailedTarget(), dir_ / "b" / "dir.txt");
  EXPECT_EQ(Read(dir_ / "a" / "one.txt"), "old one");
  EXPECT_TRUE(fs::is_directory(dir_ / "b" / "dir.txt"));
}

}  // namespace
}  // namespace stallora
