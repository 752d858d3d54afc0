#pragma once
// A program directory in a temporary folder with the installed Danish data, started as the
// program starts, with a fixed date.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "stable/workspace.h"

namespace stallora::testing {

class ProgramDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("stallora-ws-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ / "Resources");
    const std::filesystem::path data = STALLORA_DATA_DIR;
    std::filesystem::copy_file(data / "dan.ini", dir_ / "dan.ini");
    std::filesystem::copy_file(data / "Resources" / "EPListe.eqe", dir_ / "Resources" / "EPListe.eqe");
    std::filesystem::copy_file(data / "Resources" / "treatmentregister45.txt",
                               dir_ / "Resources" / "treatmentregister45.txt");
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  AppContext& Start() {
    StartResult r = StartProgram(dir_, clock_, Regional{}, messages_, ScreenSize{1000, 800});
    EXPECT_TRUE(r.context) << r.fatalMessage;
    app_ = std::move(r.context);
    return *app_;
  }
  void Write(const std::filesystem::path& rel, const std::string& text) {
    std::filesystem::create_directories((dir_ / rel).parent_path());
    std::ofstream(dir_ / rel, std::ios::binary) << text;
  }
  std::string Read(const std::filesystem::path& rel) {
    std::ifstream in(dir_ / rel, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  }
  DayNumber today() const { return clock_.Today(); }

  // The stable "Nord" with two horses the start-up check corrects (a young horse grown too
  // old, a mare pregnant too long) and, when asked, one it leaves alone ("Fin").
  void WriteStableTheCheckCorrects(AppContext& app, bool withUntouchedHorse) {
    TStall s(app.Env());
    s.stallNavn = "Nord";
    ASSERT_TRUE(s.Save());
    THest& young = s.NewHorse();
    young.Navn = "Fole";
    young.Kategori = TDyreKategori::Ungdyr;
    young.Fodselsdato = today() - 1101;
    ASSERT_TRUE(s.SaveHorse(young));
    THest& mare = s.NewHorse();
    mare.Navn = "Mor";
    mare.Kategori = TDyreKategori::Drektig;
    mare.ParringsDato = today() - 376;
    ASSERT_TRUE(s.SaveHorse(mare));
    if (!withUntouchedHorse) return;
    THest& fine = s.NewHorse();
    fine.Navn = "Fin";
    ASSERT_TRUE(s.SaveHorse(fine));
  }

  std::filesystem::path dir_;
  FixedClock clock_{static_cast<DayNumber>(EncodeDate(2026, 12, 9))};
  RecordingMessages messages_;
  std::unique_ptr<AppContext> app_;
};

}  // namespace stallora::testing
