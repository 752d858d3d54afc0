#include "forms/mail_form.h"

#include <gtest/gtest.h>

#include "core/fileio.h"
#include "stable/stable_reports.h"
#include "stable/workspace.h"
#include "workspace_fixture.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

class MailFormTest : public testing::ProgramDirTest {
 protected:
  void SetUp() override {
    ProgramDirTest::SetUp();
    // The requirement formulas, so the feeding plans have something to say.
    const fs::path list = fs::path(STALLORA_DATA_DIR) / "Resources" / "behovsliste.txt";
    if (fs::exists(list)) fs::copy_file(list, dir_ / "Resources" / "behovsliste.txt");
    ws_ = std::make_unique<Workspace>(Start());
    ws_->Scan();
    stable_ = &ws_->NewStable();
    stable_->stallNavn = "Nord";
    stable_->StallEier = "Staldejer";
    ASSERT_TRUE(stable_->Save());
    horse_ = &stable_->NewHorse();
    horse_->Navn = "Blakken";
    horse_->EierNavn = "Ida";
    horse_->DiaryMemo = "{\\rtf1 Dagbog}";
    ASSERT_TRUE(stable_->SaveHorse(*horse_));
  }
  std::unique_ptr<Workspace> ws_;
  TStall* stable_ = nullptr;
  THest* horse_ = nullptr;
};

TEST(MailFormTexts, ItemsAndCaption) {
  EXPECT_EQ(StableReportItems(), (std::vector<std::string>{"Oversigt over heste", "Foderbehov i stalden",
                                                            "Rationstildeling", "Sammenstilning af rationer",
                                                            "Behandlinger"}));
  EXPECT_EQ(HorseReportItems(),
            (std::vector<std::string>{"Dagbog", "Simpel foderplan", "Foderplan", "Foderplan grafik", "Behov",
                                      "Rationstildeling", "V\xE6gtdata", "Behandlingsliste"}));
  EXPECT_EQ(HorseMailCaption("Blakken", "Min stald1"), "Mail: Blakken - Min stald1");
}

TEST_F(MailFormTest, TheDiaryIsWrittenAsItsBytes) {
  const fs::path file = SkrivDagbok(*horse_, stable_->HorseDirectory(*horse_));
  EXPECT_EQ(file.filename(), "00Dagbog_Blakken.rtf");
  EXPECT_EQ(ReadWholeFile(file), "{\\rtf1 Dagbog}");
}

TEST_F(MailFormTest, EveryHorseItemWritesTheFileItsCodeNames) {
  WorkspaceMailReports reports;
  for (int item = 0; item < kHorseMailItemCount; ++item) {
    fs::path chart;
    const fs::path file = reports.WriteHorseReport(*horse_, item, &chart);
    ASSERT_FALSE(file.empty()) << item;
    EXPECT_TRUE(fs::exists(file)) << file;
    EXPECT_EQ(file.parent_path(), stable_->HorseDirectory(*horse_));
    EXPECT_EQ(file.filename().string().substr(0, 2), kHorseMailItemCodes[static_cast<size_t>(item)]) << file;
  }
  EXPECT_TRUE(reports.WriteHorseReport(*horse_, 8, nullptr).empty());
  EXPECT_TRUE(reports.WriteHorseReport(*horse_, -1, nullptr).empty());
}

TEST_F(MailFormTest, AStableReportOfTodayIsAttachedAsItStands) {
  WorkspaceMailReports reports;
  const fs::path overview = reports.StableReportPath(*stable_, 0);
  ASSERT_TRUE(WriteFileAtomically(overview, "as it was"));
  TAdresser contacts;
  TAdrRec ida;
  ida.Navn = "Ida";
  ida.Email = "ida@example.dk";
  contacts.AddRecord(ida);
  MailSelection sel;
  sel.stableReports[0] = true;
  sel.stableReports[1] = true;
  sel.horses = {true};
  sel.horseReports[2] = true;
  sel.horseOwner = true;
  sel.stableOwner = true;  // the stable owner has no contact: no recipient
  const ComposedMail mail = ComposeMail(*stable_, sel, reports, contacts, "", "resources.example");
  EXPECT_EQ(ReadWholeFile(overview), "as it was");
  EXPECT_TRUE(fs::exists(reports.StableReportPath(*stable_, 1)));
  EXPECT_EQ(mail.recipients, (std::vector<std::string>{"ida@example.dk"}));
  ASSERT_EQ(mail.attachments.Size(), 3u);
  EXPECT_TRUE(mail.attachments.Contains(overview));
  bool feedPlan = false;
  for (const fs::path& f : mail.attachments.Files()) feedPlan |= f.filename().string().rfind("01Foderplan_", 0) == 0;
  EXPECT_TRUE(feedPlan);
}

}  // namespace
}  // namespace stallora
