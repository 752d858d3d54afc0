#include "stable/mail.h"

#include <gtest/gtest.h>

#include "core/fileio.h"
#include "core/html_report.h"
#include "core/textutil.h"
#include "stable/online_service.h"
#include "workspace_fixture.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kHost = "resources.stallora.example";

// ---------------------------------------------------------------- attachment list

TEST(AttachmentListTest, SortedByPathWithoutRegardToCaseAndWithoutDuplicates) {
  AttachmentList list;
  EXPECT_TRUE(list.Add("/s/b.htm"));
  EXPECT_TRUE(list.Add("/s/A.htm"));
  EXPECT_TRUE(list.Add("/s/c.jpg"));
  EXPECT_FALSE(list.Add("/s/b.htm"));
  EXPECT_TRUE(list.Add("/s/B.htm"));  // another file on this file system
  EXPECT_EQ(list.Files(), (std::vector<fs::path>{"/s/A.htm", "/s/B.htm", "/s/b.htm", "/s/c.jpg"}));
}

TEST(AttachmentListTest, TheReportCodesOfTheFilesTickTheHorseItems) {
  AttachmentList list;
  list.Add("/s/Nord/Blakken/01Foderplan_Blakken_09-12-2026_00.htm");
  list.Add("/s/Nord/Blakken/Blakken.eqh");
  const auto items = HorseItemsForAttachments(list);
  EXPECT_EQ(items, (std::array<bool, 8>{false, false, true, false, false, false, false, false}));
}

// ---------------------------------------------------------------- today's feeding plans

TEST(TodaysPlansTest, TheDateTagLosesPointsAndSlashesOnly) {
  Regional r;
  const DayNumber day = EncodeDate(2026, 12, 9);
  EXPECT_EQ(ReportDateTag(r, day), "09-12-2026");
  r.shortDateFormat = "dd.mm.yyyy";
  EXPECT_EQ(ReportDateTag(r, day), "09122026");
  r.shortDateFormat = "dd/mm/yyyy";
  EXPECT_EQ(ReportDateTag(r, day), "09122026");
}

TEST(TodaysPlansTest, OnlyTodaysFeedingPlansAndRequirementPages) {
  const fs::path dir = fs::temp_directory_path() / ("stallora-mailplans-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  for (const char* name : {"01Foderplan_B_09122026_00.htm", "03Behov_B_09122026_00.htm", "02Foderplan grafik_B_09122026_00.htm",
                           "01Foderplan_B_08122026_00.htm", "01Foderplan_B_09122026_00.txt", "08Simpel foderplan_B_09122026_00.htm"})
    std::ofstream(dir / name) << "x";
  EXPECT_EQ(TodaysFeedingPlanFiles(dir, "09122026"),
            (std::vector<fs::path>{dir / "01Foderplan_B_09122026_00.htm", dir / "03Behov_B_09122026_00.htm"}));
  fs::remove_all(dir);
}

// ---------------------------------------------------------------- picture tags

TEST(PictureTagTest, AFullPathBecomesTheBareNameAndIsCollected) {
  std::vector<std::string> pictures;
  EXPECT_EQ(RewritePictureTagsInLine("<br><img src=\"/home/u/Save/Nord/Blakken/Blakken_RationGraphics.jpg\"><br>",
                                     kHost, pictures),
            "<br><img src=\"Blakken_RationGraphics.jpg\"><br>");
  EXPECT_EQ(pictures, (std::vector<std::string>{"/home/u/Save/Nord/Blakken/Blakken_RationGraphics.jpg"}));
  pictures.clear();
  EXPECT_EQ(RewritePictureTagsInLine("a<IMG SRC=\"C:\\Stallora\\Save\\Nord\\B\\B_RationGraphics.jpg\" width=\"5\">b"
                                     "<Img Src=\"file:///x/y.jpg\">c",
                                     kHost, pictures),
            "a<IMG SRC=\"B_RationGraphics.jpg\" width=\"5\">b<Img Src=\"y.jpg\">c");
  EXPECT_EQ(pictures.size(), 2u);
}

TEST(PictureTagTest, TheResourceServersPicturesStayAsTheyAre) {
  std::vector<std::string> pictures;
  const std::string line = "<IMG SRC=\"https://resources.stallora.example/images/stallora_logo.gif\" WIDTH=\"150\">";
  EXPECT_EQ(RewritePictureTagsInLine(line, kHost, pictures), line);
  EXPECT_TRUE(pictures.empty());
  // The host is compared with regard to case.
  RewritePictureTagsInLine("<IMG SRC=\"https://RESOURCES.stallora.example/x.gif\">", kHost, pictures);
  EXPECT_EQ(pictures.size(), 1u);
}

TEST(PictureTagTest, AnOpenTagIsLeftAloneAndNothingIsReadPastIt) {
  std::vector<std::string> pictures;
  for (std::string_view line : {std::string_view("x<IMG SRC=\"a/b.jpg"), std::string_view("x<IMG SRC=\"a/b.jpg>y"),
                                std::string_view("<IMG SRC=\""), std::string_view("<IMG SRC=\">"),
                                std::string_view("<img src=\"a/b.jpg\" <img src=\"c/d.jpg\"")}) {
    EXPECT_EQ(RewritePictureTagsInLine(line, kHost, pictures), line);
  }
  EXPECT_TRUE(pictures.empty());
  // Letters above ASCII before a tag keep their bytes and the cut stays in place.
  EXPECT_EQ(RewritePictureTagsInLine("\xE6\xF8\xE5<img src=\"/p/\xC6.jpg\">\xFF", kHost, pictures),
            "\xE6\xF8\xE5<img src=\"\xC6.jpg\">\xFF");
}

TEST(PictureTagTest, LineEndsOfAReportStayByteForByte) {
  std::vector<std::string> pictures;
  const std::string text = "<p>\n\r<img src=\"/a/b.jpg\">\n\r\r\nend";
  EXPECT_EQ(RewritePictureTags(text, kHost, pictures), "<p>\n\r<img src=\"b.jpg\">\n\r\r\nend");
}

class MailWorkspaceTest : public testing::ProgramDirTest {};

// The graphics page as the horse reports write it: the page frame, the ration picture by its
// full path, the footer with the maker's logo from the resource server.
std::string GraphicsPage(const TPreferences& prefs, const fs::path& picture) {
  std::string page = SimplePageHead();
  AppendHtmlLine(page, TitleBlockWithRule("Foderplan grafik 09-12-2026 10:00", "Blakken"));
  AppendHtmlLine(page, "<br>");
  AppendHtmlLine(page, "<img src=\"" + picture.string() + "\">");
  ReportFooterData footer;
  footer.makerLogoAddress = prefs.ImageResource("stallora_logo.gif");
  footer.makerWebAddress = prefs.webBase;
  AppendHtmlLine(page, ReportFooter(footer));
  AppendHtmlLine(page, "</body></html>");
  return page;
}

TEST_F(MailWorkspaceTest, TheGraphicsPageRefersToItsPictureByNameAndTheLogoStays) {
  AppContext& app = Start();
  const fs::path horseDir = dir_ / "Save" / "Nord" / "Blakken";
  fs::create_directories(horseDir);
  const fs::path picture = horseDir / "Blakken_RationGraphics.jpg";
  std::ofstream(picture) << "jpeg";
  const fs::path page = horseDir / "02Foderplan grafik_Blakken_09-12-2026_00.htm";
  const std::string original = GraphicsPage(app.preferences, picture);
  ASSERT_TRUE(WriteFileAtomically(page, original));

  AttachmentList attachments;
  const std::string host = HostOfAddress(app.preferences.resourceBase);
  ASSERT_TRUE(RewriteReportPictures(page, host, attachments));
  const std::string rewritten = *ReadWholeFile(page);
  EXPECT_NE(rewritten.find("\n\r<img src=\"Blakken_RationGraphics.jpg\">\n\r"), std::string::npos);
  EXPECT_EQ(rewritten.find(horseDir.string()), std::string::npos);
  EXPECT_NE(rewritten.find("<IMG SRC=\"https://resources.stallora.example/images/stallora_logo.gif\""),
            std::string::npos);
  EXPECT_EQ(rewritten.size(), original.size() - (horseDir.string().size() + 1));
  EXPECT_EQ(attachments.Files(), (std::vector<fs::path>{picture}));

  // Mailing it again finds the picture beside the page by its bare name.
  AttachmentList again;
  ASSERT_TRUE(RewriteReportPictures(page, host, again));
  EXPECT_EQ(*ReadWholeFile(page), rewritten);
  EXPECT_EQ(again.Files(), (std::vector<fs::path>{picture}));
  // Pictures themselves are never rewritten; a missing picture is not attached.
  fs::remove(picture);
  AttachmentList none;
  EXPECT_TRUE(RewriteReportPictures(page, host, none));
  EXPECT_TRUE(none.Empty());
}

// Writes plain reports the way the report modules would, and counts what it wrote.
class FakeReports final : public MailReports {
 public:
  explicit FakeReports(std::string tag) : tag_(std::move(tag)) {}
  fs::path StableReportPath(TStall& s, int kind) override {
    return s.StableDirectory() / ("Stald" + std::to_string(kind) + "_" + tag_ + ".htm");
  }
  void SaveStableReport(TStall& s, int kind) override {
    ++stableWritten;
    std::ofstream(StableReportPath(s, kind)) << "new";
  }
  fs::path WriteHorseReport(THest& h, int item, fs::path* chart) override {
    ++horseWritten;
    const fs::path dir = stable->HorseDirectory(h);
    fs::create_directories(dir);
    const fs::path file =
        dir / (std::string(kHorseMailItemCodes[static_cast<size_t>(item)]) + "Rapport_" + h.Navn + "_" + tag_ + "_00.htm");
    std::string text = "<html>";
    if (item == kItemFeedPlanGraphics) {
      std::ofstream(dir / (h.Navn + "_RationGraphics.jpg")) << "jpeg";
      text += "<img src=\"" + (dir / (h.Navn + "_RationGraphics.jpg")).string() + "\">";
    }
    if (item == 6) {
      *chart = dir / (h.Navn + "_Weight.jpg");
      std::ofstream(*chart) << "jpeg";
    }
    std::ofstream(file) << text;
    return file;
  }
  TStall* stable = nullptr;
  int stableWritten = 0;
  int horseWritten = 0;

 private:
  std::string tag_;
};

TEST_F(MailWorkspaceTest, SkrivMeddelelseGathersReportsFilesAndOwners) {
  AppContext& app = Start();
  TStall s(app.Env());
  s.stallNavn = "Nord";
  s.StallEier = "Stald Ejer";
  THest& a = s.NewHorse();
  a.EierNavn = "Hans";
  THest& b = s.NewHorse();
  b.EierNavn = "Hans";
  THest& c = s.NewHorse();
  c.EierNavn = "Uden Adresse";
  ASSERT_TRUE(s.Save());
  ASSERT_TRUE(s.SaveAllHorses());
  app.contacts.AddRecord({.Navn = "Hans", .Email = "hans@example.dk"});
  app.contacts.AddRecord({.Navn = "Stald Ejer", .Email = "ejer@example.dk"});
  app.contacts.AddRecord({.Navn = "Uden Adresse"});

  const std::string tag = ReportDateTag(app.regional, today());
  FakeReports reports(tag);
  reports.stable = &s;
  // Stable report 1 exists already today: it goes as it stands.
  std::ofstream(reports.StableReportPath(s, 1)) << "old";
  // An older feeding plan and one of today lie in the first horse's directory.
  std::ofstream(s.HorseDirectory(a) / ("01Foderplan_" + a.Navn + "_" + tag + "_00.htm")) << "today";
  std::ofstream(s.HorseDirectory(a) / ("01Foderplan_" + a.Navn + "_01-01-2020_00.htm")) << "old";

  MailSelection sel;
  sel.stableReports = {false, true, true, false, false};
  sel.includeStableFile = true;
  sel.stableOwner = true;
  sel.horses = {true, true, true};
  sel.horseReports[kItemFeedPlanGraphics] = true;
  sel.horseReports[6] = true;
  sel.includeHorseFile = true;
  sel.includeTodaysRations = true;
  sel.horseOwner = true;
  const ComposedMail mail = ComposeMail(s, sel, reports, app.contacts, tag, kHost);

  EXPECT_EQ(reports.stableWritten, 1);  // only the missing one
  EXPECT_EQ(*ReadWholeFile(reports.StableReportPath(s, 1)), "old");
  EXPECT_EQ(reports.horseWritten, 6);  // every ticked horse report is written anew
  EXPECT_EQ(mail.recipients, (std::vector<std::string>{"ejer@example.dk", "hans@example.dk", "hans@example.dk"}));
  const auto& files = mail.attachments.Files();
  auto has = [&](const fs::path& p) { return std::find(files.begin(), files.end(), p) != files.end(); };
  EXPECT_TRUE(has(reports.StableReportPath(s, 1)));
  EXPECT_TRUE(has(reports.StableReportPath(s, 2)));
  EXPECT_TRUE(has(s.StableFilePath()));
  EXPECT_TRUE(has(s.HorseDirectory(a) / ("01Foderplan_" + a.Navn + "_" + tag + "_00.htm")));
  EXPECT_FALSE(has(s.HorseDirectory(a) / ("01Foderplan_" + a.Navn + "_01-01-2020_00.htm")));
  for (THest* h : {&a, &b, &c}) {
    EXPECT_TRUE(has(s.HorseFilePath(*h)));
    EXPECT_TRUE(has(s.HorseDirectory(*h) / (h->Navn + "_RationGraphics.jpg")));
    EXPECT_TRUE(has(s.HorseDirectory(*h) / (h->Navn + "_Weight.jpg")));
    const fs::path graphics = s.HorseDirectory(*h) / ("02Rapport_" + h->Navn + "_" + tag + "_00.htm");
    EXPECT_TRUE(has(graphics));
    EXPECT_EQ(*ReadWholeFile(graphics), "<html><img src=\"" + h->Navn + "_RationGraphics.jpg\">");
  }
  EXPECT_EQ(files.size(), 3u + 1u + 3u * 5u);
  EXPECT_TRUE(std::is_sorted(files.begin(), files.end(), [](const fs::path& x, const fs::path& y) {
    return CompareText(x.string(), y.string()) < 0;
  }));

  // Nothing ticked: no attachments, no recipients.
  const ComposedMail empty = ComposeMail(s, MailSelection{}, reports, app.contacts, tag, kHost);
  EXPECT_TRUE(empty.recipients.empty());
  EXPECT_TRUE(empty.attachments.Empty());
}

// ---------------------------------------------------------------- the hand-off

TEST(MailHandOffTest, AddressesTheMailProgramCannotTakeSafely) {
  for (std::string_view ok : {"hans@example.dk", "a.b+c@d.e", "\xF8@x.dk"}) EXPECT_TRUE(UsableMailAddress(ok)) << ok;
  for (std::string_view bad : {"", "-x@y.dk", "--attach=/etc/passwd@x", "a b@c.d", "a@b.c\n", "a\t@b", "Hans",
                               "mailto:x@y.dk?attach=/etc/passwd", "MAILTO:x@y"})
    EXPECT_FALSE(UsableMailAddress(bad)) << bad;
}

TEST(MailHandOffTest, TwelveRecipientsAndThirtyAttachmentsAreCutWithTheirNotices) {
  std::vector<std::string> recipients;
  for (int i = 1; i <= 12; ++i) recipients.push_back("r" + std::to_string(i) + "@x.dk");
  std::vector<fs::path> files;
  for (int i = 1; i <= 30; ++i) files.push_back("/f/" + std::to_string(100 + i) + ".htm");
  const MailHandOff h = LimitMail(recipients, files);
  EXPECT_EQ(h.recipients, std::vector<std::string>(recipients.begin(), recipients.begin() + 10));
  EXPECT_EQ(h.attachments, std::vector<fs::path>(files.begin(), files.begin() + 25));
  EXPECT_EQ(h.notices, (std::vector<std::string>{
                           "You have 12 recipients. Only 10 will be used with this mailPlease resend mail with missing "
                           "recipients!",
                           "You have 30 attachments. Only 25 will be sent with this mail"}));
  EXPECT_TRUE(LimitMail(std::vector<std::string>(10, "a@b"), std::vector<fs::path>(25, "/x")).notices.empty());
}

TEST(MailHandOffTest, TheArgumentsOfTheMailProgram) {
  std::vector<std::string> refused;
  EXPECT_EQ(MailProgramArguments("Blakken: N\xC6RINGSINDHOLD", "", {"a@x.dk", "-b@x.dk", "c@x.dk"},
                                 {"/s/a b.htm", "/s/-c.jpg"}, &refused),
            (std::vector<std::string>{"--utf8", "--subject", "Blakken: N\xC3\x86RINGSINDHOLD", "--attach", "/s/a b.htm",
                                      "--attach", "/s/-c.jpg", "a@x.dk", "c@x.dk"}));
  EXPECT_EQ(refused, (std::vector<std::string>{"-b@x.dk"}));
  EXPECT_EQ(MailProgramArguments("", "", {}, {}), (std::vector<std::string>{"--utf8"}));
  EXPECT_EQ(MailResultMessage(0), "");
  EXPECT_EQ(MailResultMessage(3), "Fejl ved sending af epost (3)");
  EXPECT_EQ(MailResultMessage(-1), "Fejl ved sending af epost (-1)");
}

}  // namespace
}  // namespace stallora
