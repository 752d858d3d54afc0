// Reading only what is a regular file of sensible size, the program's own temporary
// files, and the checks that keep its files inside their own directories.

#include "core/fileio.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

namespace stallora {
namespace {

namespace fs = std::filesystem;

class FileHelpersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("stallora-fileio-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path Write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
    return dir_ / name;
  }
  static unsigned Mode(const fs::path& p) {
    struct stat st {};
    ::stat(p.c_str(), &st);
    return st.st_mode & 07777;
  }
  fs::path dir_;
};

TEST_F(FileHelpersTest, OnlyRegularFilesAreReadAndTheMessageNamesTheFile) {
  std::string error;
  ASSERT_EQ(ReadWholeFile(Write("a.txt", "abc"), &error), "abc");

  // A FIFO without a writer must not make the reader wait; a device has no end; a
  // directory and a dangling link have no bytes.
  const fs::path fifo = dir_ / "fifo.eqs";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", dir_ / "zero.eqe");
  fs::create_directory(dir_ / "dir.txt");
  fs::create_symlink(dir_ / "missing", dir_ / "dangling.eqh");
  for (const char* name : {"fifo.eqs", "zero.eqe", "dir.txt"}) {
    error.clear();
    EXPECT_FALSE(ReadWholeFile(dir_ / name, &error)) << name;
    EXPECT_EQ(error, (dir_ / name).string() + " er ikke en almindelig fil og l\xE6ses ikke") << name;
  }
  EXPECT_FALSE(ReadWholeFile(dir_ / "dangling.eqh", &error));
  EXPECT_EQ(error, "Cannot open file " + (dir_ / "dangling.eqh").string());
  // A link to a regular file is read like the file.
  fs::create_symlink(dir_ / "a.txt", dir_ / "link.txt");
  EXPECT_EQ(ReadWholeFile(dir_ / "link.txt"), "abc");
}

TEST_F(FileHelpersTest, AFileLargerThanTheLimitIsRefused) {
  const fs::path big = Write("big.eqh", "");
  fs::resize_file(big, kMaxReadFileBytes + 1);  // sparse: nothing is written
  std::string error;
  EXPECT_FALSE(ReadWholeFile(big, &error));
  EXPECT_EQ(error, big.string() + " er st\xF8rre end 256 MiB og l\xE6ses ikke");
}

TEST_F(FileHelpersTest, TheProgramsOwnTemporaryFilesAreRecognisedAndRemoved) {
  EXPECT_TRUE(IsProgramTempFile(AtomicTempName("Nord.eqs", "0a1b2c3d")));
  EXPECT_TRUE(IsProgramTempFile(".Nordhavre Foder 4.eqf.part"));
  for (const char* other : {".Nord.eqs.0A1B2C3D.tmp", ".Nord.eqs.0a1b2c3.tmp", "Nord.eqs.0a1b2c3d.tmp", ".x.tmp",
                            ".hidden", ".part", "Nord.eqs", ".Nord.eqs.0a1b2c3d.tmpx"})
    EXPECT_FALSE(IsProgramTempFile(other)) << other;
  Write(AtomicTempName("Nord.eqs", "deadbeef"), "half");
  Write(".x.eqf.part", "half");
  Write(".hidden", "keep");
  Write("Nord.eqs", "keep");
  fs::create_directory(dir_ / AtomicTempName("dir", "12345678"));
  EXPECT_EQ(RemoveProgramTempFiles(dir_), 2);
  EXPECT_TRUE(fs::exists(dir_ / ".hidden"));
  EXPECT_TRUE(fs::exists(dir_ / "Nord.eqs"));
  EXPECT_TRUE(fs::exists(dir_ / AtomicTempName("dir", "12345678")));
}

TEST_F(FileHelpersTest, TheProgramsFolderNamesAreNoStableNames) {
  for (const char* name : {"Feeds", "feeds", "FEEDS", "Temp", "temp", "Save", "Resources", "Images", "Stallora_Backup"})
    EXPECT_EQ(ValidateStableName(name),
              "Navnet er programmets eget mappenavn og kan ikke bruges: \"" + std::string(name) + "\"")
        << name;
  for (const char* name : {"Feeds2", "Mine Feeds", "Nord", "Tempo"}) EXPECT_FALSE(ValidateStableName(name)) << name;
  EXPECT_TRUE(ValidateStableName(".."));
}

TEST_F(FileHelpersTest, StrictlyBelowResolvesDotsAndLinks) {
  fs::create_directories(dir_ / "S" / "Nord");
  fs::create_directories(dir_ / "Outside");
  fs::create_directory_symlink(dir_ / "Outside", dir_ / "S" / "Nord" / "Link");
  EXPECT_TRUE(IsStrictlyBelow(dir_ / "S" / "Nord", dir_ / "S"));
  EXPECT_TRUE(IsStrictlyBelow(dir_ / "S" / "Nord" / "Bella", dir_ / "S" / "Nord"));  // need not exist
  EXPECT_FALSE(IsStrictlyBelow(dir_ / "S", dir_ / "S"));
  EXPECT_FALSE(IsStrictlyBelow(dir_ / "S" / "Nord" / ".", dir_ / "S" / "Nord"));
  EXPECT_FALSE(IsStrictlyBelow(dir_ / "S" / "Nord" / "..", dir_ / "S" / "Nord"));
  EXPECT_FALSE(IsStrictlyBelow(dir_ / "S" / "Nord" / ".." / ".." / "Escaped", dir_ / "S"));
  EXPECT_FALSE(IsStrictlyBelow(dir_ / "S" / "Nord" / "Link", dir_ / "S" / "Nord"));
  EXPECT_FALSE(IsStrictlyBelow(dir_ / "Sx", dir_ / "S"));
}

TEST_F(FileHelpersTest, ARecordDirectoryIsRemovedOnlyWhenItIsOneAndBelowItsParent) {
  const fs::path parent = dir_ / "Nord";
  fs::create_directories(parent / "Bella");
  Write("Nord/Bella/Bella.eqh", "x");
  Write("Nord/Bella/" + AtomicTempName("Bella.eqh", "01234567"), "half");
  Write("Outside.txt", "precious");
  fs::create_symlink(dir_ / "Outside.txt", parent / "Bella" / "link.txt");
  std::string error;
  EXPECT_TRUE(RemoveRecordDirectory(parent / "Bella", parent, &error)) << error;
  EXPECT_FALSE(fs::exists(parent / "Bella"));
  EXPECT_EQ(ReadWholeFile(dir_ / "Outside.txt"), "precious");

  // The parent itself, a file, a link and what lies above are refused.
  Write("Nord/Nord.eqs", "stable");
  EXPECT_FALSE(RemoveRecordDirectory(parent, parent, &error));
  EXPECT_FALSE(RemoveRecordDirectory(parent / "Nord.eqs", parent, &error));
  EXPECT_EQ(error, "Slettes ikke, da den ikke er en mappe: " + (parent / "Nord.eqs").string());
  EXPECT_FALSE(RemoveRecordDirectory(parent / "..", parent, &error));
  fs::create_directory_symlink(dir_, parent / "Up");
  EXPECT_FALSE(RemoveRecordDirectory(parent / "Up", parent, &error));
  EXPECT_TRUE(fs::exists(parent / "Nord.eqs"));
  EXPECT_TRUE(fs::exists(dir_ / "Outside.txt"));

  // A hidden file of someone else's keeps the directory, and says so.
  fs::create_directories(parent / "Blakken");
  Write("Nord/Blakken/.notes", "mine");
  EXPECT_FALSE(RemoveRecordDirectory(parent / "Blakken", parent, &error));
  EXPECT_EQ(error, "Mappen kunne ikke t\xF8mmes: " + (parent / "Blakken").string());
  EXPECT_TRUE(fs::exists(parent / "Blakken" / ".notes"));
}

TEST_F(FileHelpersTest, MessagesNameTheFileRelativeToItsDirectory) {
  EXPECT_EQ(PathTextBelow(dir_ / "Save" / "Nord" / "Nord.eqs", dir_ / "Save"), "Nord/Nord.eqs");
  EXPECT_EQ(PathTextBelow("/elsewhere/x.eqh", dir_ / "Save"), "/elsewhere/x.eqh");
  EXPECT_EQ(FileMessage(dir_ / "Save" / "Feeds" / "45" / "a.eqf", dir_ / "Save", "OBJECT expected on line 1"),
            "Feeds/45/a.eqf: OBJECT expected on line 1");
}

}  // namespace
}  // namespace stallora
