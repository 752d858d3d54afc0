#include "stable/saved_reports.h"

#include <gtest/gtest.h>

#include "workspace_fixture.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

class StableFilesTest : public testing::ProgramDirTest {
 protected:
  void SetUp() override {
    ProgramDirTest::SetUp();
    AppContext& app = Start();
    stable_ = std::make_unique<TStall>(app.Env());
    stable_->stallNavn = "Nord";
    ASSERT_TRUE(stable_->Save());
    THest& h = stable_->NewHorse();
    h.Navn = "Ares";
    ASSERT_TRUE(stable_->SaveHorse(h));
  }
  fs::path S() const { return dir_ / "Save"; }
  std::unique_ptr<TStall> stable_;
};

TEST_F(StableFilesTest, NothingIsListedWithoutTheStablesOwnFile) {
  Write("Save/Nord/Ares/a.htm", "x");
  EXPECT_TRUE(ListSavedReports(*stable_).Any());
  fs::remove(S() / "Nord" / "Nord.eqs");
  const SavedReports none = ListSavedReports(*stable_);
  EXPECT_FALSE(none.stableFile);
  EXPECT_TRUE(none.horses.empty());
}

TEST_F(StableFilesTest, OnlyReportFilesOfTheHorsesAreListedAndDeleted) {
  Write("Save/Nord/Ares/b.HTM", "x");
  Write("Save/Nord/Ares/a.htm", "x");
  Write("Save/Nord/Ares/a.html", "x");
  Write("Save/Nord/Ares/.skjult.htm", "x");
  Write("Save/Nord/Ares/Ares.jpg", "x");
  fs::create_directories(S() / "Nord" / "Ares" / "mappe.htm");
  Write("udenfor.htm", "keep");
  fs::create_symlink(dir_ / "udenfor.htm", S() / "Nord" / "Ares" / "link.htm");
  const SavedReports listed = ListSavedReports(*stable_);
  ASSERT_EQ(listed.horses.size(), 1u);
  EXPECT_EQ(listed.horses[0].files, (std::vector<std::string>{"a.htm", "b.HTM"}));

  // A name that was never listed is passed over, not deleted.
  EXPECT_TRUE(DeleteSavedReports(*stable_, "Ares", "Ares.eqh"));
  EXPECT_TRUE(DeleteSavedReports(*stable_, "Ares", "../Nord.eqs"));
  EXPECT_TRUE(DeleteSavedReports(*stable_, "..", ""));
  EXPECT_TRUE(fs::exists(S() / "Nord" / "Ares" / "Ares.eqh"));
  EXPECT_TRUE(fs::exists(S() / "Nord" / "Nord.eqs"));

  EXPECT_TRUE(DeleteSavedReports(*stable_, "Ares", ""));
  EXPECT_FALSE(fs::exists(S() / "Nord" / "Ares" / "a.htm"));
  EXPECT_FALSE(fs::exists(S() / "Nord" / "Ares" / "b.HTM"));
  EXPECT_TRUE(fs::exists(S() / "Nord" / "Ares" / "a.html"));
  EXPECT_TRUE(fs::exists(S() / "Nord" / "Ares" / "Ares.jpg"));
  EXPECT_TRUE(fs::exists(S() / "Nord" / "Ares" / "mappe.htm"));
  EXPECT_EQ(Read("udenfor.htm"), "keep") << "a link's target is never touched";
  EXPECT_EQ(SavedReportPath(*stable_, "Ares", "a.htm"), S() / "Nord" / "Ares" / "a.htm");
}

TEST_F(StableFilesTest, ExportWritesTheHorseFileBesideItsOwnDirectory) {
  THest& h = *stable_->HorseByName("Ares");
  const fs::path out = dir_ / "ud" / "dybt";
  EXPECT_EQ(TStall::ExportedHorseFile(h, out), out / "Ares" / "Ares.eqh");
  std::string error;
  ASSERT_TRUE(stable_->ExportHorse(h, out, &error)) << error;
  EXPECT_EQ(Read("ud/dybt/Ares/Ares.eqh"), Read("Save/Nord/Ares/Ares.eqh"));
  EXPECT_TRUE(fs::directory_entry(out / "Ares").is_directory());

  // A file in the way of the horse's directory: refused, nothing made.
  Write("ud2/Ares", "a file");
  EXPECT_FALSE(stable_->ExportHorse(h, dir_ / "ud2", &error));
  EXPECT_NE(error.find("ud2"), std::string::npos) << error;
  EXPECT_EQ(Read("ud2/Ares"), "a file");

  EXPECT_FALSE(stable_->ExportHorse(h, S(), &error));
  EXPECT_NE(error.find("datamappen"), std::string::npos) << error;
  EXPECT_FALSE(fs::exists(S() / "Ares"));
}

TEST_F(StableFilesTest, ARenameThatCannotMoveTheFileIsUndoneWithTheReason) {
  fs::create_directories(S() / "Nord" / "Syd.eqs" / "x");
  std::string error;
  EXPECT_FALSE(stable_->RenameStable("Syd", &error));
  EXPECT_EQ(stable_->stallNavn, "Nord");
  EXPECT_TRUE(fs::exists(S() / "Nord" / "Nord.eqs"));
  EXPECT_TRUE(fs::exists(S() / "Nord" / "Ares" / "Ares.eqh"));
  EXPECT_FALSE(fs::exists(S() / "Syd"));
  EXPECT_NE(error.find("Nord.eqs -> "), std::string::npos) << error;
  EXPECT_GT(error.rfind(": "), error.find("->")) << "ends with the system's reason: " << error;
}

}  // namespace
}  // namespace stallora
