#include "config/preferences.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/fileio.h"
#include "core/objtext.h"

namespace stallora {
namespace {

class PreferencesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("stallora-prefs-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ / "Resources");
    settings_.countryNumber = 45;
    settings_.guaranteeFeedFile = "Garanti.eqf";
    settings_.nutrients.resize(24);
    for (int i = 0; i < 24; ++i) settings_.nutrients[static_cast<size_t>(i)].name = "N" + std::to_string(i);
    settings_.nutrients[4].name = "Fosfor";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void Write(const std::string& name, const std::string& text) { std::ofstream(dir_ / name, std::ios::binary) << text; }
  void Init(TPreferences& p) { p.Initialise(dir_, settings_, regional_, ScreenSize{1000, 800}, messages_); }

  std::filesystem::path dir_;
  CountrySettings settings_;
  Regional regional_;
  RecordingMessages messages_;
};

TEST_F(PreferencesTest, ConstructionWithoutFiles) {
  TPreferences p;
  Init(p);
  EXPECT_EQ(p.MainFormHeight, 736);  // 800 x 0.92
  EXPECT_EQ(p.MainFormWidth, 950);   // 1000 x 0.95
  EXPECT_TRUE(p.ShowWelcomeScreen);
  EXPECT_EQ(p.ForwardReportingDays, 7);
  EXPECT_EQ(p.GarantiForlisteFilnavn, "Garanti.eqf");
  EXPECT_EQ(p.ActiveSaveDirectory, (dir_ / "Save").string());
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "Save"));
  // No register file: a warning and six empty lines.
  ASSERT_EQ(messages_.entries.size(), 1u);
  EXPECT_EQ(messages_.entries[0].text, "Finder ikke filen\n" + (dir_ / "Resources" / "treatmentregister45.txt").string() +
                                           "\nBehandlingsinformation mangler");
  EXPECT_EQ(p.TreatmentRegister, StringList(6, "%#"));
  for (bool b : p.useNutrient) EXPECT_TRUE(b);
}

TEST_F(PreferencesTest, TheRegisterComesFromItsFile) {
  Write("Resources/treatmentregister45.txt", "Tand%http://x#Halt%#\r\nOrm%#\r\n\r\nSko%#\r\nFol%#\r\nEget%#\r\n");
  TPreferences p;
  Init(p);
  EXPECT_TRUE(messages_.entries.empty());
  ASSERT_EQ(p.TreatmentRegister.size(), 6u);
  EXPECT_EQ(p.TreatmentRegister[2], "");
  std::vector<std::string> names, addresses;
  p.TreatmentEntries(0, names, addresses);
  EXPECT_EQ(names, (std::vector<std::string>{"Tand", "Halt"}));
  EXPECT_EQ(addresses, (std::vector<std::string>{"http://x", ""}));
  // An empty line, or a type without a line, still offers one empty entry.
  p.TreatmentEntries(2, names, addresses);
  EXPECT_EQ(names, (std::vector<std::string>{""}));
  EXPECT_EQ(addresses, (std::vector<std::string>{""}));
  p.TreatmentEntries(9, names, addresses);
  EXPECT_EQ(names, (std::vector<std::string>{""}));
}

TEST(TreatmentEntries, StopsWhereNoHashFollows) {
  TPreferences p;
  p.TreatmentRegister = {"a%1#b#c%3", "%#"};
  std::vector<std::string> names, addresses;
  p.TreatmentEntries(0, names, addresses);
  EXPECT_EQ(names, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(addresses, (std::vector<std::string>{"1", ""}));
  p.TreatmentEntries(1, names, addresses);
  EXPECT_EQ(names, (std::vector<std::string>{""}));
  p.TreatmentRegister = {"abc"};  // no "#": one empty entry
  p.TreatmentEntries(0, names, addresses);
  EXPECT_EQ(names, (std::vector<std::string>{""}));
}

TEST_F(PreferencesTest, StoredValuesAndTheirRules) {
  Write("stallora.pref",
        "object TPreferences\r\n  FirmaNavn = 'Gammelt firma'\r\n  KonsulentNavn = 'Bo'\r\n"
        "  UseNutrientsList.Strings = (\r\n    'N0:True'\r\n    'N1:False'\r\n    'N2:TrueFalse'\r\n"
        "    'N3:Falsk'\r\n    'Fosfor:False ')\r\n  UseNutrientColumnList.Strings = ('a:False')\r\n"
        "  MainFormHeight = 500\r\n  ShowWelcomeScreen = False\r\nend\r\n");
  TPreferences p;
  Init(p);
  EXPECT_EQ(p.FirmaNavn, "");  // read, then emptied
  EXPECT_EQ(p.KonsulentNavn, "Bo");
  EXPECT_EQ(p.MainFormHeight, 500);
  EXPECT_FALSE(p.ShowWelcomeScreen);
  EXPECT_EQ(p.ActiveSaveDirectory, (dir_ / "Save").string());  // not in the file
  EXPECT_TRUE(p.useNutrient[0]);
  EXPECT_FALSE(p.useNutrient[1]);
  EXPECT_TRUE(p.useNutrient[2]);   // "True" anywhere
  EXPECT_FALSE(p.useNutrient[3]);
  EXPECT_FALSE(p.useNutrient[4]);  // trailing blank still false
  EXPECT_TRUE(p.useNutrient[5]);   // no line: keeps its value
  EXPECT_FALSE(p.showNutrient[0]);
  EXPECT_TRUE(p.showNutrient[1]);

  // Saving: FirmaNavn is gone, the lists are rebuilt with the current names, the state kept.
  p.MainFormWindowState = TWindowState::wsMaximized;
  p.Save(settings_);
  const std::string text = *ReadWholeFile(dir_ / "stallora.pref");
  EXPECT_EQ(text.find("FirmaNavn"), std::string::npos);
  EXPECT_NE(text.find("  MainFormWindowState = wsMaximized\r\n  MainFormHeight = 500\r\n"), std::string::npos);
  EXPECT_NE(text.find("'Fosfor:False'"), std::string::npos);
  EXPECT_NE(text.find("'N23:True'"), std::string::npos);
  TPreferences again;
  Init(again);
  EXPECT_EQ(again.UseNutrientsList.size(), 24u);
  EXPECT_EQ(again.useNutrient, p.useNutrient);
}

TEST_F(PreferencesTest, AnUnreadableFileEndsTheStartWithTheReadersMessage) {
  Write("stallora.pref", "object TPreferences\r\n  Unknown = 1\r\nend\r\n");
  TPreferences p;
  try {
    Init(p);
    FAIL() << "no error";
  } catch (const ObjTextError& e) {
    EXPECT_STREQ(e.what(), "Error reading TPreferences.Unknown: Property does not exist");
  }
}

TEST_F(PreferencesTest, MiniHorseStartRule) {
  TPreferences p;
  Init(p);
  p.showNutrient.fill(false);
  p.ApplyMiniHorseStartRule();
  EXPECT_FALSE(p.showNutrient[3]);
  p.MiniHorseName = "Lille";
  p.ApplyMiniHorseStartRule();
  EXPECT_TRUE(p.showNutrient[3]);
  EXPECT_EQ(p.MiniHorseName, "");
}

TEST_F(PreferencesTest, PathsAndDirectoriesTheyCreate) {
  TPreferences p;
  Init(p);
  p.ActiveSaveDirectory = (dir_ / "Arbejde").string();
  EXPECT_EQ(p.PreferencesFile(), dir_ / "stallora.pref");
  EXPECT_EQ(p.FeedDirectory(), dir_ / "Arbejde" / "Feeds" / "45");
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "Arbejde" / "Feeds" / "45"));
  EXPECT_EQ(p.TempDirectory(), dir_ / "temp");
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "temp"));
  EXPECT_EQ(p.TreatmentsHtmlFile(), dir_ / "temp" / "htmltreatments.htm");
  EXPECT_EQ(p.BackupDirectory(), dir_ / "Stallora_Backup");
  EXPECT_EQ(p.EnergyProteinListFile(), dir_ / "Resources" / "EPListe.eqe");
  EXPECT_EQ(p.RequirementListFile(), dir_ / "Resources" / "behovsliste.txt");
  EXPECT_EQ(p.TreatmentRegisterFile(), dir_ / "Resources" / "treatmentregister45.txt");
  EXPECT_EQ(p.LogosDirectory(), dir_ / "Images" / "logos");
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "Images" / "logos"));
  EXPECT_EQ(p.CountryResourcesDirectory(), dir_ / "Resources45");
  // The feed information file: Resources first, then Resources<nr>.
  EXPECT_EQ(p.FeedInfoFile(), dir_ / "Resources45" / "fpinf45.txt");
  Write("Resources/fpinf45.txt", "x");
  EXPECT_EQ(p.FeedInfoFile(), dir_ / "Resources" / "fpinf45.txt");
}

TEST(PreferencesAddresses, WebAddressesAndLanguageCodes) {
  TPreferences p;
  p.webBase = "https://w.example/";
  p.resourceBase = "https://r.example/";
  p.countryNumber = 45;
  EXPECT_EQ(p.ManualPage(), "https://w.example/index.php/da/manual");
  EXPECT_EQ(p.AboutPage(), "https://w.example/index.php/da/about");
  EXPECT_EQ(p.DemoStartPage(), "https://w.example/index.php/da/manual/start/demoversion");
  EXPECT_EQ(p.NormsPage(), "https://w.example/index.php/da/articles/norms/");
  EXPECT_EQ(p.DigestionPage(), "https://w.example/index.php/da/articles/digestion/");
  EXPECT_EQ(p.TreatmentsManualPage(), "https://w.example/index.php/da/manual/treatments/");
  EXPECT_EQ(p.NewVersionPage(), "https://w.example/index.php/da/links/324-new-version");
  EXPECT_EQ(p.SeasonPage(0, EncodeDate(2026, 3, 15)), "https://w.example/index.php/da/links/72-seasons/340-march");
  EXPECT_EQ(p.SeasonPage(12, EncodeDate(2026, 3, 15)), "https://w.example/index.php/da/links/72-seasons/349-december");
  EXPECT_EQ(p.SeasonPage(13, EncodeDate(2026, 1, 1)), "https://w.example/index.php/da/links/72-seasons/338-january");
  EXPECT_EQ(p.GeneralResource("03splash.jpg"), "https://r.example/general/03splash.jpg");
  EXPECT_EQ(p.CountryResource("currentversion.txt"), "https://r.example/45/currentversion.txt");
  EXPECT_EQ(p.ImageResource("stallora_logo.gif"), "https://r.example/images/stallora_logo.gif");
  EXPECT_EQ(p.LogoResource("a.jpg"), "https://r.example/images/logos/a.jpg");
  const std::pair<int, const char*> codes[] = {{45, "da"}, {46, "sv"}, {47, "nb"}, {49, "de"}, {31, "en"}, {1, "en"}};
  for (auto [nr, code] : codes) {
    p.countryNumber = nr;
    EXPECT_EQ(p.LanguageCode(), code) << nr;
  }
}

}  // namespace
}  // namespace stallora
