#include <gtest/gtest.h>

#include <fstream>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "stable/stable_reports.h"
#include "stable_fixture.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;
namespace sc = stablechange;
using testing::StableEditorTest;

std::string C(const char* utf8) { return Utf8ToCp1252(utf8); }

TTreatmentObj& Plan(THest& h, TTreatmentType type, DayNumber planned, const std::string& name) {
  TTreatmentObj& t = h.TreatmentListe->AddNew();
  t.TreatmentType = type;
  t.PlannedDate = planned;
  t.TreatmentName = name;
  return t;
}

TEST_F(StableEditorTest, SummaryCountsDueTreatmentsAndBans) {
  StableEditor& e = Edit("Nord");
  e.Activate();
  EXPECT_FALSE(e.View().summaryVisible) << "nothing due, nobody banned";

  TStall& s = e.Stable();
  THest& ares = *s.HorseByName("Ares");
  // A ban of Bella's that lasts a week, from a treatment done today.
  THest& bella = *s.HorseByName("Bella");
  TTreatmentObj& done = Plan(bella, TTreatmentType::Vet, today() - 2, "Halt");
  done.DoneDate = today();
  done.OKToStartDate = today() + 7;
  bella.TreatmentListe->UpdateBan();
  e.Activate();
  EXPECT_TRUE(e.View().summaryVisible);
  ASSERT_EQ(e.View().summary.lines.size(), 7u);
  EXPECT_EQ(e.View().summary.lines[6], "Startforbud: 1 Heste");
  EXPECT_EQ(e.View().summary.banHint, "Startforbud:\r1 Heste");
  EXPECT_EQ(e.View().summary.lines[0], C("Veterinærbehandling: 0 heste"));

  Plan(ares, TTreatmentType::Worm, today() + 3, "Ormekur A");    // due within the 7 days
  Plan(ares, TTreatmentType::Worm, today() + 30, "Ormekur B");   // later
  Plan(*s.HorseByName("Cora"), TTreatmentType::Worm, today() - 10, "Ormekur C");  // overdue
  e.Activate();
  EXPECT_EQ(e.View().summary.dueCounts, (std::vector<int>{0, 2, 0, 0, 0, 0}));
  EXPECT_EQ(e.View().summary.lines[1], "Ormekur: 2 heste");
  EXPECT_FALSE(e.View().horsesReport.empty()) << "the horses' report is shown with the summary";

  // Double clicks: a type with nobody due, the worming line, the ban line.
  auto none = e.ActivateSummaryLine(0);
  ASSERT_TRUE(none);
  EXPECT_EQ(none->message, C("Veterinærbehandling: Behandling ikke bestilt"));
  EXPECT_EQ(e.View().page, StablePage::Treatments);
  EXPECT_EQ(e.View().treeMode, 0);
  EXPECT_EQ(e.View().treatmentLabel, "Behandlingsinformation: Alle behandlinger");
  e.ShowPage(StablePage::Information);
  auto worm = e.ActivateSummaryLine(1);
  ASSERT_TRUE(worm);
  EXPECT_TRUE(worm->message.empty());
  EXPECT_EQ(e.View().treeMode, 1);
  EXPECT_EQ(e.View().treatmentLabel, e.View().treatmentsUntil);
  e.ShowPage(StablePage::Information);
  auto ban = e.ActivateSummaryLine(6);
  ASSERT_TRUE(ban);
  EXPECT_EQ(e.View().treeMode, 3);
  EXPECT_EQ(e.View().treatmentLabel, "Heste med startforbud");
  const StableTreeNode& tree = e.View().treatmentTree;
  ASSERT_EQ(tree.children.size(), 1u);
  EXPECT_EQ(tree.children[0].text, "Bella - 16-12-2026");
  EXPECT_FALSE(e.ActivateSummaryLine(7));
}

TEST_F(StableEditorTest, TreatmentTreeModes) {
  StableEditor& e = Edit("Nord");
  TStall& s = e.Stable();
  THest& ares = *s.HorseByName("Ares");
  // Twelve vaccinations planned, none done, in no order; two on one day.
  const int offsets[] = {5, 40, 12, 80, 3, 60, 21, 100, 7, 33, 50, 50};
  for (int i = 0; i < 12; ++i) Plan(ares, TTreatmentType::Vacc, today() + offsets[i], "V" + std::to_string(i));
  TTreatmentObj& shoe = Plan(*s.HorseByName("Cora"), TTreatmentType::Shoe, today() - 1, "Sko");
  TTreatmentObj& old = Plan(*s.HorseByName("Cora"), TTreatmentType::Shoe, today() - 90, "Gammel");
  old.DoneDate = today() - 80;

  const StableTreeNode byHorse = BuildStableTreatmentTree(s, 0, -1, app_->Env().regional);
  EXPECT_EQ(byHorse.text, "Nord");
  EXPECT_TRUE(byHorse.expanded);
  ASSERT_EQ(byHorse.children.size(), 3u);
  const StableTreeNode& cora = byHorse.children[2];
  ASSERT_EQ(cora.children.size(), 6u) << "six type nodes per horse";
  EXPECT_EQ(cora.children[3].text, "Beslagsmed");
  ASSERT_EQ(cora.children[3].children.size(), 2u) << "mode 0 shows done treatments too";
  EXPECT_EQ(cora.children[3].children[0].treatment, &shoe);
  EXPECT_EQ(cora.children[3].children[0].icon, StableTreeIcon::Overdue);
  EXPECT_EQ(cora.children[3].children[1].icon, StableTreeIcon::None);

  const StableTreeNode byType = BuildStableTreatmentTree(s, 1, 2, app_->Env().regional);
  ASSERT_EQ(byType.children.size(), 2u) << "only the types some horse has";
  const StableTreeNode& vacc = byType.children[0];
  EXPECT_EQ(vacc.text, "Vaccination");
  EXPECT_TRUE(vacc.expanded);
  ASSERT_EQ(vacc.children.size(), 1u);
  EXPECT_TRUE(vacc.children[0].expanded);
  const auto& twelve = vacc.children[0].children;
  ASSERT_EQ(twelve.size(), 12u);
  for (size_t i = 1; i < twelve.size(); ++i)
    EXPECT_GE(twelve[i - 1].treatment->PlannedDate, twelve[i].treatment->PlannedDate) << i;
  // Equal dates: the one listed later comes first.
  EXPECT_EQ(twelve[0].treatment->TreatmentName, "V7");
  EXPECT_EQ(twelve[2].treatment->TreatmentName, "V5");
  EXPECT_EQ(twelve[3].treatment->TreatmentName, "V11");
  EXPECT_EQ(twelve[4].treatment->TreatmentName, "V10");
  EXPECT_EQ(twelve[11].treatment->TreatmentName, "V4");
  const StableTreeNode& shoes = byType.children[1];
  EXPECT_FALSE(shoes.expanded);
  ASSERT_EQ(shoes.children.size(), 1u);
  EXPECT_EQ(shoes.children[0].children.size(), 1u) << "done treatments are left out by type";
}

TEST_F(StableEditorTest, FeedingPageCaptionCarriesTheDailyCost) {
  app_->environment->regional.decimalSeparator = '.';
  StableEditor& e = Edit("Nord");
  double price = 5.0;
  for (const char* name : {"Ares", "Bella", "Cora"}) {
    auto feed = std::make_unique<TFor>(app_->Env());
    feed->Fornavn = "Hø";
    feed->Pris = price;
    feed->TildeltKg = 3;
    feed->Valgt = true;
    e.Stable().HorseByName(name)->ForListe->AddFeed(std::move(feed));
    price += 0.5;
  }
  ASSERT_DOUBLE_EQ(e.Stable().DailyRationCost(), 49.5);
  e.Stable().HorseByName("Cora")->ForListe->FeedAt(0)->TildeltKg = 2;  // 15 + 16.5 + 12 = 43.5
  e.Stable().HorseByName("Ares")->ForListe->FeedAt(0)->TildeltKg = 3.4;  // + 2 = 45.5
  const std::string expected = C("3 Heste i stalden. foderomkostninger 45.5 kr/dag");
  e.ShowPage(StablePage::Feeding);
  EXPECT_EQ(e.View().feedingCaption, expected);
  EXPECT_EQ(e.View().feedingReport, 1);
  EXPECT_TRUE(fs::exists(e.View().feedingReportFile));
  EXPECT_EQ(e.Stable().ForListe->Count(), 1) << "the stable's need was computed";
  for (int kind : {2, 3, 1}) {
    e.ShowFeedingReport(kind);
    EXPECT_EQ(e.View().feedingReport, kind);
    EXPECT_EQ(e.View().feedingCaption, expected);
    EXPECT_EQ(e.View().feedingReportFile, ReportFilePath(e.Stable(), kind));
  }
  EXPECT_EQ(e.OutputKind(StablePage::Feeding), 1);
}

TEST_F(StableEditorTest, ReportsTreeListsOnlyTheHorsesOwnReports) {
  StableEditor& e = Edit("Nord");
  Write("Save/Nord/Ares/01Foderplan_Ares_09122026.htm", "<html>");
  Write("Save/Nord/Ares/05Vaegt.htm", "<html>");
  Write("Save/Nord/Ares/bild.jpg", "x");
  Write("Save/Nord/Odd.eqh/Odd.eqh.eqh", "object THest");  // ".eqh" in the name
  Write("Save/Nord/Loose/report.htm", "<html>");           // no horse file
  Write("Save/Nord/.hidden/.hidden.eqh", "object THest");
  Write("Save/Nordvest/Nordvest.eqs", "object TStall\r\nend\r\n");  // a name containing "Nord"
  Write("Save/Nordvest/Eik/Eik.eqh", "object THest");
  Write("Save/Nordvest/Eik/x.htm", "<html>");
  e.ShowPage(StablePage::Treatments);
  const auto& tree = e.View().reportsTree;
  ASSERT_TRUE(tree);
  ASSERT_EQ(tree->children.size(), 3u);
  EXPECT_EQ(tree->children[0].text, "Ares");
  ASSERT_EQ(tree->children[0].children.size(), 2u);
  EXPECT_EQ(tree->children[0].children[0].text, "01Foderplan_Ares_09122026.htm");
  EXPECT_EQ(tree->children[1].text, "Bella");
  EXPECT_FALSE(e.View().reportsButton.enabled);
  EXPECT_EQ(e.View().reportsButton.caption, "Slet rapport");

  e.SelectReportsNode(ReportsSelection{1, -1});
  EXPECT_EQ(e.View().reportsButton.caption, "Slet alle rapporter bella");
  EXPECT_FALSE(e.View().reportsButton.enabled) << "Bella has no reports";
  e.SelectReportsNode(ReportsSelection{-1, -1});
  EXPECT_EQ(e.View().reportsButton.caption, "Slet alle rapporter");
  EXPECT_TRUE(e.View().reportsButton.enabled);

  const auto open = e.ReportToOpen({0, 1});
  ASSERT_TRUE(open);
  EXPECT_EQ(open->first, Save() / "Nord" / "Ares" / "05Vaegt.htm");
  EXPECT_FALSE(e.ReportToOpen({0, -1}));

  e.SelectReportsNode(ReportsSelection{0, 1});
  EXPECT_EQ(e.View().reportsButton.caption, "Slet rapport");
  ASSERT_TRUE(e.DeleteSelectedReports().ok);
  EXPECT_FALSE(fs::exists(Save() / "Nord" / "Ares" / "05Vaegt.htm"));
  EXPECT_TRUE(fs::exists(Save() / "Nord" / "Ares" / "01Foderplan_Ares_09122026.htm"));
  EXPECT_EQ(e.View().reportsTree->children[0].children.size(), 1u);

  e.SelectReportsNode(ReportsSelection{-1, -1});
  ASSERT_TRUE(e.DeleteSelectedReports().ok);
  EXPECT_FALSE(fs::exists(Save() / "Nord" / "Ares" / "01Foderplan_Ares_09122026.htm"));
  EXPECT_TRUE(fs::exists(Save() / "Nord" / "Ares" / "bild.jpg"));
  EXPECT_TRUE(fs::exists(Save() / "Nord" / "Loose" / "report.htm")) << "not a horse's directory";
  EXPECT_TRUE(fs::exists(Save() / "Nordvest" / "Eik" / "x.htm")) << "another stable's";
  EXPECT_TRUE(fs::exists(Save() / "Nord" / "Ares" / "Ares.eqh"));
}

// The delete button's caption always says what a press deletes.
TEST(StableReportsButton, CaptionAndEffectAgree) {
  EXPECT_FALSE(ReportsButtonFor(std::nullopt, ReportsSelection{-1, -1}).enabled) << "no stable file";
  ReportsTreeNode root;
  root.text = "Nord";
  EXPECT_FALSE(ReportsButtonFor(root, ReportsSelection{-1, -1}).enabled) << "a tree of a single node";
  ReportsTreeNode bare;
  bare.kind = ReportsTreeNode::Kind::Horse;
  bare.text = bare.horse = "Ares";
  ReportsTreeNode with = bare;
  with.text = with.horse = "Bella";
  ReportsTreeNode report;
  report.kind = ReportsTreeNode::Kind::Report;
  report.text = report.file = "a.htm";
  with.children.push_back(report);
  root.children = {bare};
  EXPECT_FALSE(ReportsButtonFor(root, std::nullopt).enabled) << "nothing selected";
  const ReportsDeleteButton none = ReportsButtonFor(root, ReportsSelection{-1, -1});
  EXPECT_EQ(none.caption, "Slet alle rapporter");
  EXPECT_FALSE(none.enabled) << "no horse has reports";
  root.children.push_back(with);
  EXPECT_TRUE(ReportsButtonFor(root, ReportsSelection{-1, -1}).enabled);
  EXPECT_EQ(ReportsButtonFor(root, ReportsSelection{1, -1}).caption, "Slet alle rapporter bella");
  EXPECT_TRUE(ReportsButtonFor(root, ReportsSelection{1, -1}).enabled);
  EXPECT_EQ(ReportsButtonFor(root, ReportsSelection{1, 0}).caption, "Slet rapport");
  EXPECT_TRUE(ReportsButtonFor(root, ReportsSelection{1, 0}).enabled);
  EXPECT_FALSE(ReportsButtonFor(root, ReportsSelection{1, 1}).enabled) << "a report no longer listed";
  EXPECT_FALSE(ReportsButtonFor(root, ReportsSelection{2, -1}).enabled) << "a horse no longer listed";
}

TEST_F(StableEditorTest, StoringAReportAsksOnlyBeforeReplacing) {
  StableEditor& e = Edit("Nord");
  const StoreDialog d = e.StoreDialogFor(0);
  EXPECT_EQ(d.title, "Gem information om Nord");
  EXPECT_EQ(d.proposed, ReportFilePath(e.Stable(), 0));
  EXPECT_EQ(e.StoreDialogFor(4).title, "Gem behandlingsliste Nord");

  const fs::path out = dir_ / "ud" / "oversigt";
  fs::create_directories(out.parent_path());
  auto [target, question] = e.StoreTarget(out);
  EXPECT_EQ(target, dir_ / "ud" / "oversigt.htm");
  EXPECT_TRUE(question.empty());
  ASSERT_TRUE(e.Store(0, target).ok);
  const std::string written = Read("ud/oversigt.htm");
  EXPECT_NE(written.find("Oversigt over heste"), std::string::npos);
  EXPECT_EQ(written.substr(written.size() - 2), "\r\n");
  EXPECT_EQ(e.StoreTarget(dir_ / "ud" / "oversigt.HTM").first, dir_ / "ud" / "oversigt.HTM");
  const auto again = e.StoreTarget(out);
  EXPECT_EQ(again.second, C("Fil findes! Vil du ændre værdierne!\r") + PathText(target) + "\rSkriv over?\r");

  // The national letters go as entities.
  THest& h = *e.Stable().HorseByName("Ares");
  h.EierNavn = C("Søren Ærø");
  EXPECT_NE(e.OutputHtml(0).find("S&oslash;ren &AElig;r&oslash;"), std::string::npos);
  const auto mail = e.MailAttachments(4);
  ASSERT_EQ(mail.size(), 1u);
  EXPECT_TRUE(fs::exists(mail[0]));
}

TEST_F(StableEditorTest, ImportOfAHorseFile) {
  StableEditor& e = Edit("Nord");
  // Dino from the other stable, and a second time (its name then taken).
  const fs::path dino = Save() / "Syd" / "Dino" / "Dino.eqh";
  const ImportResult first = e.ImportHorse(dino);
  ASSERT_EQ(first.kind, ImportResult::Imported) << first.message;
  EXPECT_EQ(e.View().horseNames.back(), "Dino");
  EXPECT_EQ(e.View().selectedHorse, 3);
  EXPECT_TRUE(fs::exists(Save() / "Nord" / "Dino" / "Dino.eqh"));
  const ImportResult second = e.ImportHorse(dino);
  ASSERT_EQ(second.kind, ImportResult::Imported);
  EXPECT_EQ(e.View().horseNames.back(), "xxx_Dino");
  EXPECT_NE(second.message.find("Nyt navn: xxx_Dino"), std::string::npos) << second.message;

  Write("ikke.eqh", "object TStall\r\nend\r\n");
  const ImportResult notHorse = e.ImportHorse(dir_ / "ikke.eqh");
  EXPECT_EQ(notHorse.kind, ImportResult::NotAHorseFile);
  EXPECT_EQ(notHorse.message, C("Fejl: Filen er ikke en hestefil, eller filen er beskadiget. Vil du prøve igen?"));

  Write("skadet.eqh", "object THest\r\n  Navn = 'Skadet'\r\n  Vekt = \r\n");
  const int before = e.Stable().HorseCount();
  const ImportResult damaged = e.ImportHorse(dir_ / "skadet.eqh");
  EXPECT_EQ(damaged.kind, ImportResult::Failed);
  EXPECT_EQ(damaged.message.rfind("Hesten kunne ikke importeres\r", 0), 0u) << damaged.message;
  EXPECT_NE(damaged.message.find("skadet.eqh"), std::string::npos) << "the reader names the file";
  EXPECT_EQ(e.Stable().HorseCount(), before);
  EXPECT_FALSE(fs::exists(Save() / "Nord" / "Skadet"));

  const ImportResult missing = e.ImportHorse(dir_ / "findes-ikke.eqh");
  EXPECT_EQ(missing.kind, ImportResult::Failed);
  EXPECT_NE(missing.message.find("findes-ikke.eqh"), std::string::npos);
  EXPECT_EQ(e.ImportDialogFor().directory, dir_ / "Save");
}

TEST_F(StableEditorTest, ExportAsksBeforeReplacing) {
  StableEditor& e = Edit("Nord");
  EXPECT_EQ(e.AskExportHorse().refusal, "Hest ikke valgt");
  e.SelectHorse(0);
  EXPECT_TRUE(e.AskExportHorse().refusal.empty());
  const fs::path out = dir_ / "eksport";
  auto [target, question] = e.ExportTarget(out);
  EXPECT_EQ(target, out / "Ares" / "Ares.eqh");
  EXPECT_TRUE(question.empty());
  e.Stable().HorseByName("Ares")->RaseNavn = "Fjordhest";
  ASSERT_TRUE(e.ExportHorse(out).ok);
  EXPECT_NE(Read("eksport/Ares/Ares.eqh").find("Fjordhest"), std::string::npos) << "saved first";
  EXPECT_EQ(Read("eksport/Ares/Ares.eqh"), Read("Save/Nord/Ares/Ares.eqh"));
  EXPECT_FALSE(e.ExportTarget(out).second.empty());
  EXPECT_EQ(e.SelectedHorseFile(), Save() / "Nord" / "Ares" / "Ares.eqh");

  const StableOutcome intoSave = e.ExportHorse(Save());
  EXPECT_FALSE(intoSave.ok);
  EXPECT_FALSE(fs::exists(Save() / "Ares"));
  // Into its own stable's directory: the file is its own, nothing is copied.
  EXPECT_TRUE(e.ExportHorse(Save() / "Nord").ok);
}

TEST_F(StableEditorTest, StableFeedListFromAnotherList) {
  {
    // Alone in the workspace: no other list to choose.
    auto syd = ws_->TakeStable(ws_->StableByName("Syd"));
    StableEditor& alone = Edit("Nord");
    const StableOutcome none = alone.OfferFeedLists();
    EXPECT_FALSE(none.ok);
    EXPECT_EQ(none.message, "Fejl: foderliste Mangler");
    EXPECT_TRUE(alone.View().feedListChoices.empty());
    ws_->AddStable(std::move(syd));
  }
  StableEditor& e = Edit("Nord");
  TForListe& winter = ws_->NewFeedList("Vinter", false);
  for (const char* name : {"Hø", "Havre"}) {
    auto f = std::make_unique<TFor>(app_->Env());
    f->Fornavn = C(name);
    winter.AddFeed(std::move(f));
  }
  const StableOutcome offered = e.OfferFeedLists();
  EXPECT_TRUE(offered.ok);
  EXPECT_EQ(e.View().feedListChoices, (std::vector<std::string>{"Vinter", "foderliste-Syd"}));
  e.ChooseFeedList("Vinter");
  EXPECT_TRUE(e.View().feedListChoices.empty());
  ASSERT_EQ(e.Stable().ForListe->Count(), 2);
  EXPECT_EQ(e.Stable().ForListe->FeedAt(1)->Fornavn, "Havre");
  EXPECT_NE(e.Stable().ForListe->FeedAt(0), winter.FeedAt(0)) << "copies";
  EXPECT_EQ(e.View().feedListCaption, "foderliste-Nord: 2 foder");
  e.DeleteAllFeeds();
  EXPECT_EQ(e.Stable().ForListe->Count(), 0);
  EXPECT_EQ(winter.Count(), 2);
  EXPECT_EQ(e.View().feedListCaption, "foderliste-Nord: 0 foder");
}

}  // namespace
}  // namespace stallora
