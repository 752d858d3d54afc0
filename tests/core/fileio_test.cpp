// Reading whole files, saving through a temporary file, and the checks that keep the
// program's files inside their own directories.

#include "core/fileio.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <set>

#include "core/objtext.h"
#include "test_records.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

class FileIoTest : public ::testing::Test {
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

TEST_F(FileIoTest, DevicesFifosAndHugeFilesAreRefusedWithoutWaiting) {
  // A FIFO without a writer once made every reader wait for ever.
  const fs::path fifo = dir_ / "Bella.eqh";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(ReadWholeFile(fifo));
  fs::create_directory(dir_ / "dir.eqs");
  EXPECT_FALSE(ReadWholeFile(dir_ / "dir.eqs"));
  const fs::path big = Write("big.eqh", "");
  fs::resize_file(big, (std::uintmax_t{256} << 20) + 1);  // sparse: nothing is written
  EXPECT_FALSE(ReadWholeFile(big));
  EXPECT_EQ(ReadWholeFile(Write("small.eqh", "abc")), "abc");
  // The loader says what is wrong, and with which file.
  try {
    testing::TFeed record;
    LoadRecordFromFile(record, fifo);
    ADD_FAILURE() << "a FIFO was read";
  } catch (const ObjTextError& e) {
    EXPECT_EQ(std::string(e.what()), fifo.string() + " er ikke en almindelig fil og l\xE6ses ikke");
  }
}

TEST_F(FileIoTest, ASaveKeepsThePermissionsOfTheFileItReplaces) {
  const fs::path file = Write("Bella.eqh", "old");
  ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
  ASSERT_TRUE(WriteFileAtomically(file, "new"));
  EXPECT_EQ(*ReadWholeFile(file), "new");
  EXPECT_EQ(Mode(file), 0600u);
  ASSERT_EQ(::chmod(file.c_str(), 0664), 0);
  ASSERT_TRUE(WriteFileAtomically(file, "newer"));
  EXPECT_EQ(Mode(file), 0664u);
  // Nothing is left beside it.
  int entries = 0;
  for (const auto& e : fs::directory_iterator(dir_)) entries += e.path().filename() == "Bella.eqh" ? 0 : 1;
  EXPECT_EQ(entries, 0);
}

constexpr size_t kLimit = 150;  // bytes on disk

TEST_F(FileIoTest, NamesTooLongForTheFilesOfTheirRecordAreRefused) {
  EXPECT_FALSE(ValidateFileName(std::string(kLimit, 'a')));
  const std::string tooLong(kLimit + 1, 'a');
  EXPECT_EQ(ValidateFileName(tooLong), "Navnet er for langt til et filnavn: \"" + tooLong + "\"");
  // The bytes on disk count: each æ takes two.
  EXPECT_FALSE(ValidateFileName(std::string(kLimit / 2, '\xE6')));
  EXPECT_TRUE(ValidateFileName(std::string(kLimit / 2 + 1, '\xE6')));
  // 238 to 255 characters once passed, and then the temporary file's name did not fit.
  EXPECT_TRUE(ValidateFileName(std::string(240, 'S')));
}

TEST_F(FileIoTest, ADirectoryListingGivesEveryNameWithItsTypeAndNotTheDotEntries) {
  std::vector<ListedName> names{{"left over", 0}};
  EXPECT_FALSE(ListDirectory(dir_ / "absent", &names));
  EXPECT_TRUE(names.empty());
  ASSERT_TRUE(ListDirectory(dir_, &names));
  EXPECT_TRUE(names.empty());

  // More names than one read of the listing holds (each entry takes 24 bytes and its name).
  std::set<std::string> expected;
  for (int i = 0; i < 600; ++i) {
    const std::string name = "Hest " + std::to_string(i) + std::string(40, 'x') + ".eqh";
    Write(name, "x");
    expected.insert(name);
  }
  fs::create_directory(dir_ / "Folder");
  fs::create_symlink(dir_ / "Folder", dir_ / ".link");
  Write("\xc3\xa6" "bler.txt", "x");  // a UTF-8 name comes as the file system's bytes
  ASSERT_TRUE(ListDirectory(dir_, &names));
  ASSERT_EQ(names.size(), 600u + 3u);
  std::map<std::string, unsigned char> types;
  for (const ListedName& n : names) EXPECT_TRUE(types.emplace(n.name, n.type).second) << n.name << " listed twice";
  for (const std::string& name : expected) EXPECT_EQ(types.count(name), 1u) << name;
  // ext4 and tmpfs give the type; a file system that gives none says DT_UNKNOWN.
  const auto typed = [&](const std::string& name, unsigned char type) {
    return types.at(name) == type || types.at(name) == DT_UNKNOWN;
  };
  EXPECT_TRUE(typed("Folder", DT_DIR));
  EXPECT_TRUE(typed(".link", DT_LNK));
  EXPECT_TRUE(typed("\xc3\xa6" "bler.txt", DT_REG));
  EXPECT_EQ(types.count("."), 0u);
  EXPECT_EQ(types.count(".."), 0u);

  // A file is no directory to list.
  EXPECT_FALSE(ListDirectory(dir_ / "Folder" / ".." / "\xc3\xa6" "bler.txt", &names));
}

}  // namespace
}  // namespace stallora
