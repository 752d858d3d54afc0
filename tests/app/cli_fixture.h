#pragma once
// What the command-line tests share: running the tool into strings, a scratch directory, and
// a small program directory with one stable holding one mare fed hay.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "stable/workspace.h"

namespace stallora::testing {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

inline CliResult RunCli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = cli::Run(args, out, err);
  return {status, out.str(), err.str()};
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

// A directory of its own for each test, removed afterwards.
class CliScratchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("stallora-cli-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Write(const std::string& name, const std::string& content) {
    const auto p = dir_ / name;
    std::ofstream(p, std::ios::binary) << content;
    return p.string();
  }
  std::filesystem::path dir_;
};

// A program directory with the shipped settings and resources and the stable "Nord" holding
// the 500 kg mare "Bella" in maintenance, fed 10 kg hay; the tool runs on 9 December 2026.
class CliWorkspaceTest : public CliScratchTest {
 protected:
  void SetUp() override {
    CliScratchTest::SetUp();
    std::filesystem::create_directories(dir_ / "Resources");
    const std::filesystem::path data = STALLORA_DATA_DIR;
    for (const char* f : {"dan.ini", "Resources/EPListe.eqe", "Resources/treatmentregister45.txt",
                          "Resources/behovsliste.txt", "Resources/fpinf45.txt"})
      if (std::filesystem::exists(data / f)) std::filesystem::copy_file(data / f, dir_ / f);
    RecordingMessages messages;
    FixedClock clock(EncodeDate(2026, 12, 9));
    StartResult r = StartProgram(dir_, clock, Regional{}, messages);
    ASSERT_TRUE(r.context) << r.fatalMessage;
    TStall s(r.context->Env());
    s.stallNavn = "Nord";
    ASSERT_TRUE(s.Save());
    THest& h = s.NewHorse();
    h.Navn = "Bella";
    h.VektListe->LeggTil(500, clock.Today() - 5);
    TFor& hay = h.ForListe->AddFeed(std::make_unique<TFor>(r.context->Env()));
    hay.Fornavn = "H\xF8";
    hay.Fortype = 1;
    hay.Valgt = true;
    hay.TildeltKg = 10;
    hay.SetValue(0, 0.5);
    hay.SetValue(3, 3.5);
    hay.SetValue(4, 2.0);
    ASSERT_TRUE(s.SaveHorse(h));
    stable_ = (dir_ / "Save" / "Nord" / "Nord.eqs").string();
    horseDir_ = dir_ / "Save" / "Nord" / "Bella";
    horse_ = (horseDir_ / "Bella.eqh").string();
  }

  // The tool on this program directory and day.
  CliResult Run(std::vector<std::string> args) {
    std::vector<std::string> all = {"--program-dir", dir_.string(), "--today", "2026-12-09"};
    all.insert(all.end(), args.begin(), args.end());
    return RunCli(all);
  }

  std::filesystem::path horseDir_;
  std::string horse_, stable_;
};

}  // namespace stallora::testing
