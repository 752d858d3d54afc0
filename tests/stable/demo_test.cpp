// The shipped demo workspace loads cleanly, and every demo horse's requirement and ration
// evaluate without a failing formula.

#include <gtest/gtest.h>

#include <set>

#include "ration/evaluation.h"
#include "stable/demo.h"
#include "workspace_fixture.h"

namespace stallora {
namespace {

using DemoTest = testing::ProgramDirTest;

TEST_F(DemoTest, TheShippedDemoWorkspaceScansCleanly) {
  std::filesystem::copy(std::filesystem::path(STALLORA_DATA_DIR) / "Save", dir_ / "Save",
                        std::filesystem::copy_options::recursive);
  std::filesystem::copy_file(std::filesystem::path(STALLORA_DATA_DIR) / "Resources" / "behovsliste.txt",
                             dir_ / "Resources" / "behovsliste.txt");
  AppContext& app = Start();
  Workspace ws(app);
  ws.Scan();
  EXPECT_TRUE(ws.Messages().empty()) << ws.Messages().front();
  ASSERT_EQ(ws.Stables().size(), 2u);
  const TStall& model = *ws.StableByName("Modelhest-Stald");
  EXPECT_TRUE(model.ErModellHestStall);
  EXPECT_EQ(model.HorseCount(), 8);
  EXPECT_EQ(ws.StableByName("Egebjerg")->HorseCount(), 4);
  EXPECT_EQ(app.contacts.GetEmail("Ida Hansen"), "ida@egebjerg.example.dk");
  ASSERT_NE(ws.CurrentGuaranteeList(), nullptr);
  // One horse of every category, each with a ration, and a current competition ban.
  std::set<TDyreKategori> categories;
  bool banned = false;
  for (const auto& s : ws.Stables())
    for (const auto& h : s->Horses()) {
      categories.insert(h->Kategori);
      EXPECT_GT(h->ForListe->Count(), 0) << h->Navn;
      std::string error;
      EXPECT_TRUE(h->BeregnBehov(&error)) << h->Navn << ": " << error;
      BeregnTilforsel(*h);
      EXPECT_GT(h->Behov[0], 0) << h->Navn;
      EXPECT_GT(h->Tilforsel[0], 0) << h->Navn;
      banned = banned || h->TreatmentListe->IsBanned();
    }
  EXPECT_EQ(categories.size(), 6u);
  EXPECT_TRUE(banned);
}

}  // namespace
}  // namespace stallora
