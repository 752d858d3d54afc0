// Guarantee feed lists at start-up: the newest is current and shown first; several read
// bring every list, stable feed list and ration up to date from the newest, and save them.

#include <gtest/gtest.h>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "stable/workspace.h"
#include "workspace_fixture.h"

namespace stallora {
namespace {

class GuaranteeScanTest : public testing::ProgramDirTest {
 protected:
  void Guarantee(AppContext& app, const std::string& name, int version, double oatsProtein) {
    TForListe list(app.Env());
    list.ForlisteNavn = name;
    list.ErGarantiForliste = true;
    list.GarantiForlisteVersjon = version;
    TFor& f = list.AddFeed(std::make_unique<TFor>(app.Env()));
    f.Fornavn = "Havre";
    f.Brand = "Nordhavre";
    f.SetValue(1, oatsProtein);
    list.SaveToFile(app.preferences.FeedDirectory() / PathFromText(name + ".eqf"));
  }
  void OwnList(AppContext& app) {
    TForListe list(app.Env());
    list.ForlisteNavn = "Egen";
    TFor& f = list.AddFeed(std::make_unique<TFor>(app.Env()));
    f.Fornavn = "Havre";
    f.Brand = "Nordhavre";
    f.SetValue(1, 1);
    list.SaveToFile(app.preferences.FeedDirectory() / "Egen.eqf");
  }
};

TEST_F(GuaranteeScanTest, OlderThenNewerBothShownNewestFirstAndCurrent) {
  AppContext& app = Start();
  Guarantee(app, "A Garanti", 5, 80);
  Guarantee(app, "B Garanti", 7, 95);
  OwnList(app);
  Workspace ws(app);
  ws.Scan();
  EXPECT_EQ(ws.TreeLines(), (std::vector<std::string>{"B Garanti", "A Garanti", "Egen"}));
  ASSERT_NE(ws.CurrentGuaranteeList(), nullptr);
  EXPECT_EQ(ws.CurrentGuaranteeList()->GarantiForlisteVersjon, 7);
  EXPECT_EQ(app.preferences.GarantiForlisteFilnavn, "B Garanti.eqf");
  EXPECT_EQ(ws.GuaranteeListsRead(), 2);
  EXPECT_EQ(ws.FeedListLabel(), "Foderliste:\nB Garanti\n- Version 7");
  // Two guarantee lists read: the own list took the newest values and was saved.
  TForListe own(app.Env());
  own.LoadFromFile(app.preferences.FeedDirectory() / "Egen.eqf");
  EXPECT_EQ(own.FeedAt(0)->Value(1), 95);
}

TEST_F(GuaranteeScanTest, NewerThenOlderOnlyTheNewestIsShown) {
  AppContext& app = Start();
  Guarantee(app, "A Garanti", 7, 95);
  Guarantee(app, "B Garanti", 5, 80);
  TStall s(app.Env());
  s.stallNavn = "Nord";
  ASSERT_TRUE(s.Save());
  THest& h = s.NewHorse();
  TFor& oats = h.ForListe->AddFeed(std::make_unique<TFor>(app.Env()));
  oats.Fornavn = "Havre";
  oats.Brand = "Nordhavre";
  oats.SetValue(1, 1);
  ASSERT_TRUE(s.SaveHorse(h));
  Workspace ws(app);
  ws.Scan();
  EXPECT_EQ(ws.TreeLines(), (std::vector<std::string>{"A Garanti", "Nord", "  foderliste-Nord", "  Min hest1"}));
  EXPECT_EQ(ws.CurrentGuaranteeList()->GarantiForlisteVersjon, 7);
  // The horse's ration was brought up to date from version 7 and saved.
  THest back(app.Env());
  back.LoadfromFile(s.HorseFilePath(h));
  EXPECT_EQ(back.ForListe->FeedAt(0)->Value(1), 95);
}

TEST_F(GuaranteeScanTest, OneGuaranteeListUpdatesNothing) {
  AppContext& app = Start();
  Guarantee(app, "A Garanti", 7, 95);
  OwnList(app);
  Workspace ws(app);
  ws.Scan();
  TForListe own(app.Env());
  own.LoadFromFile(app.preferences.FeedDirectory() / "Egen.eqf");
  EXPECT_EQ(own.FeedAt(0)->Value(1), 1);
  EXPECT_FALSE(ws.MayDeleteGuaranteeList());
}

}  // namespace
}  // namespace stallora
