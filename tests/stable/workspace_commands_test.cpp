#include <gtest/gtest.h>

#include "core/fileio.h"
#include "core/objtext.h"
#include "stable/workspace.h"
#include "workspace_fixture.h"

namespace stallora {
namespace {

using CommandsTest = testing::ProgramDirTest;

TEST_F(CommandsTest, NewStablesAreNumberedAndWarnWithoutAGuaranteeList) {
  AppContext& app = Start();
  Workspace ws(app);
  ws.Scan();
  std::string warning;
  EXPECT_EQ(ws.NewStable(&warning).stallNavn, "Min stald1");
  EXPECT_EQ(warning, "Garantifoderliste mangler! Kopier foder fra en eksisterende foderliste");
  EXPECT_EQ(ws.NewStable().stallNavn, "Min stald2");
  EXPECT_EQ(ws.NewStableName(), "Min stald3");
  EXPECT_EQ(ws.Stables()[1]->ForListe->ForlisteNavn, "foderliste-Min stald2");
}

// Whatever shows a record is told before the record is freed, while it is still whole:
// deleting a horse, all horses, a stable (its horses and feed list too), a feed list, and
// emptying the workspace for a new scan.
TEST_F(CommandsTest, EveryRecordThatGoesIsAnnouncedFirst) {
  AppContext& app = Start();
  {
    TStall s(app.Env());
    s.stallNavn = "Nord";
    ASSERT_TRUE(s.Save());
    for (const char* name : {"Ares", "Bella", "Cora"}) {
      THest& h = s.NewHorse();
      h.Navn = name;
      ASSERT_TRUE(s.SaveHorse(h));
    }
    TStall o(app.Env());
    o.stallNavn = "Syd";
    ASSERT_TRUE(o.Save());
    THest& h = o.NewHorse();
    h.Navn = "Dino";
    ASSERT_TRUE(o.SaveHorse(h));
  }
  Workspace ws(app);
  ws.Scan();
  TForListe& list = ws.NewFeedList("Vinter", false);
  std::vector<std::string> gone;
  app.environment->beforeRecordGoes = [&](const Record& r) {
    // Read through the record: it must still be alive.
    if (auto* h = dynamic_cast<const THest*>(&r)) gone.push_back("horse " + h->Navn);
    else if (auto* st = dynamic_cast<const TStall*>(&r)) gone.push_back("stable " + st->stallNavn);
    else if (auto* l = dynamic_cast<const TForListe*>(&r)) gone.push_back("list " + l->ForlisteNavn);
  };
  TStall* nord = ws.StableByName("Nord");
  ASSERT_NE(nord, nullptr);
  ASSERT_TRUE(nord->DeleteHorse("Bella"));
  EXPECT_EQ(gone, (std::vector<std::string>{"horse Bella"}));
  gone.clear();
  ASSERT_TRUE(ws.DeleteFeedListFile(list));
  EXPECT_EQ(gone, (std::vector<std::string>{"list Vinter"}));
  gone.clear();
  ASSERT_TRUE(ws.DeleteStable(*nord));
  EXPECT_EQ(gone, (std::vector<std::string>{"horse Cora", "horse Ares", "list foderliste-Nord", "stable Nord"}));
  gone.clear();
  ws.StableByName("Syd")->DeleteAllHorses();
  EXPECT_EQ(gone, (std::vector<std::string>{"horse Dino"}));
  gone.clear();
  ws.Scan();  // the old records go before the new ones come
  EXPECT_EQ(gone, (std::vector<std::string>{"list foderliste-Syd", "stable Syd"}));
  app.environment->beforeRecordGoes = nullptr;
}

TEST_F(CommandsTest, ModelHorsesOnePerCategory) {
  AppContext& app = Start();
  Workspace ws(app);
  ws.Scan();
  TStall& model = ws.NewModelHorseStable();
  EXPECT_EQ(model.stallNavn, "Modelhest-Stald1");
  EXPECT_TRUE(std::filesystem::exists(model.StableFilePath()));
  ws.CreateModelHorses(model);
  ASSERT_EQ(model.HorseCount(), 6);
  EXPECT_EQ(model.HorseAt(0)->Navn, "F\xF8l og unghest_Model");
  EXPECT_EQ(model.HorseAt(0)->Kategori, TDyreKategori::Ungdyr);
  EXPECT_EQ(model.HorseAt(0)->VektListe->Antall(), 2);
  EXPECT_EQ(model.HorseAt(0)->VektListe->Element(0)->Vekt, 50);
  EXPECT_EQ(model.HorseAt(2)->TreningsMengde, 0.5);
  EXPECT_EQ(model.HorseAt(2)->ArbeidsIntensitet, TArbeidsIntensitet::Moderat);
  EXPECT_EQ(model.HorseAt(3)->ParringsDato, IncMonth(today(), -6));
  ws.CreateModelHorses(model);  // a second set is numbered
  EXPECT_EQ(model.HorseAt(7)->Navn, "Vedligeholdelse1_Model");
  EXPECT_TRUE(std::filesystem::exists(model.HorseFilePath(*model.HorseAt(7))));
}

TEST_F(CommandsTest, MovingAHorseOutOfTheModelStableLeavesOneBehind) {
  AppContext& app = Start();
  Workspace ws(app);
  ws.Scan();
  TStall& model = ws.NewModelHorseStable();
  ws.CreateModelHorses(model);
  TStall& target = ws.NewStable();
  ASSERT_TRUE(target.Save());
  THest* mare = model.HorseByName("Vedligeholdelse_Model");
  ASSERT_TRUE(ws.MoveHorse(*mare, target, ""));
  EXPECT_NE(target.HorseByName("Vedligeholdelse_Model"), nullptr);
  EXPECT_NE(model.HorseByName("Vedligeholdelse_Model"), nullptr);
  EXPECT_EQ(model.HorseCount(), 6);
  EXPECT_TRUE(std::filesystem::exists(target.HorseFilePath(*target.HorseByName("Vedligeholdelse_Model"))));
}

TEST_F(CommandsTest, MovingIntoAStableWithTheSameNameNeedsAnotherName) {
  AppContext& app = Start();
  Workspace ws(app);
  ws.Scan();
  TStall& a = ws.NewStable();
  TStall& b = ws.NewStable();
  THest& blakken = a.NewHorse();
  blakken.Navn = "Blakken";
  a.SaveHorse(blakken);
  b.NewHorse().Navn = "Blakken";
  std::string error;
  EXPECT_FALSE(ws.MoveHorse(blakken, b, "", &error));
  EXPECT_FALSE(ws.MoveHorse(blakken, b, "Blakken", &error));
  ASSERT_TRUE(ws.MoveHorse(blakken, b, "Blakken II"));
  EXPECT_NE(b.HorseByName("Blakken II"), nullptr);
  EXPECT_EQ(a.HorseCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(app.preferences.SaveDirectory() / "Min stald1" / "Blakken"));
  EXPECT_TRUE(std::filesystem::exists(app.preferences.SaveDirectory() / "Min stald2" / "Blakken II" /
                                      "Blakken II.eqh"));
}

TEST_F(CommandsTest, ImportingAStableBringsItsHorses) {
  AppContext& app = Start();
  // A stable exported elsewhere: Eksport/Gaard.eqs with two horse directories.
  const auto outside = dir_ / "Eksport";
  {
    TStall s(app.Env());
    s.stallNavn = "Gaard";
    std::filesystem::create_directories(outside);
    SaveRecordToFile(s, outside / "Gaard.eqs");
    for (const char* n : {"Ares", "Bo"}) {
      THest h(app.Env());
      h.Navn = n;
      std::filesystem::create_directories(outside / n);
      h.writeToFile(outside / n / (std::string(n) + ".eqh"));
    }
  }
  Workspace ws(app);
  ws.Scan();
  TStall* imported = ws.ImportStable(outside / "Gaard.eqs", true);
  ASSERT_NE(imported, nullptr);
  EXPECT_EQ(imported->HorseNames(), (std::vector<std::string>{"Ares", "Bo"}));
  EXPECT_TRUE(std::filesystem::exists(app.preferences.SaveDirectory() / "Gaard" / "Bo" / "Bo.eqh"));
  ws.Scan();
  EXPECT_EQ(ws.TreeLines(), (std::vector<std::string>{"Gaard", "  foderliste-Gaard", "  Ares", "  Bo"}));
}

TEST_F(CommandsTest, DeletingAStableRemovesItsDirectory) {
  AppContext& app = Start();
  Workspace ws(app);
  ws.Scan();
  TStall& s = ws.NewStable();
  s.Save();
  s.SaveHorse(s.NewHorse());
  const auto dir = s.StableDirectory();
  ASSERT_TRUE(std::filesystem::exists(dir));
  EXPECT_TRUE(ws.DeleteStable(s));
  EXPECT_FALSE(std::filesystem::exists(dir));
  EXPECT_TRUE(ws.Stables().empty());
}

TEST_F(CommandsTest, MixNamesAndFeedLists) {
  AppContext& app = Start();
  Workspace ws(app);
  ws.Scan();
  EXPECT_EQ(ws.NewMixName(), "Egen blanding1");
  TForListe& mix = ws.NewFeedList(ws.NewMixName(), true);
  EXPECT_TRUE(mix.ForBlanding);
  EXPECT_EQ(mix.Forblandingstype, 11);
  EXPECT_EQ(ws.NewMixName(), "Egen blanding2");
  EXPECT_TRUE(std::filesystem::exists(app.preferences.FeedDirectory() / "Egen blanding1.mix"));
}

}  // namespace
}  // namespace stallora
