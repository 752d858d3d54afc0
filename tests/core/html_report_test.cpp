#include "core/html_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/cp1252.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

TEST(HtmlReport, AppendHtmlLineEndsWithLineFeedThenCarriageReturn) {
  std::string report;
  AppendHtmlLine(report, "abc");
  EXPECT_EQ(report, std::string("abc\x0A\x0D"));
  ASSERT_EQ(report.size(), 5u);
  EXPECT_EQ(report[3], 10);
  EXPECT_EQ(report[4], 13);

  AppendHtmlLine(report, "");
  AppendHtmlLine(report, "R\xE5");
  EXPECT_EQ(report, std::string("abc\n\r\n\rR\xE5\n\r"));
}

TEST(HtmlReport, SmallFragments) {
  EXPECT_EQ(StartAnchor(), "<a name=\"startanker\">");
  EXPECT_EQ(PageEnd(), "</body></html>");
  EXPECT_EQ(HeaderRowStart(), "<tr bgcolor=\"#CCFFCC\" height=\"25\">");
  EXPECT_EQ(RowEnd(), "</tr>");
  EXPECT_EQ(TableFrameEnd(), "</table></tr></table>");
  // The doubled word and the two blanks before the inner border belong to the fragment.
  EXPECT_EQ(TableFrameStart(),
            R"(<table table width="100%" border="0" cellspacing="0" cellpadding="0"><tr><td bgcolor="#000000">)"
            R"(<table width="100%"  border="0" cellspacing="1" cellpadding="3">)");
}

TEST(HtmlReport, SimplePageHeadSeparatesItsLinesWithCarriageReturns) {
  const std::string expected =
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">\x0D"
      "<style type=\"text/css\">\x0D"
      "<!--\x0D"
      "table {border: 1px solid #000000; background-color:#FFFFFF;}\x0D"
      "th{font-family:Arial; font-size:11px; font-weight:bold;}\x0D"
      "td{font-family:Arial; font-size:11px; font-weight:bold;}\x0D"
      "-->\x0D"
      "</style>\x0D"
      "<style type=\"text/css\"> P.breakhere </style></head>\x0D"
      "<body bgcolor=\"#FFFFFF\">";
  EXPECT_EQ(SimplePageHead(), expected);
  EXPECT_EQ(SimplePageHead().find('\n'), std::string::npos);
}

const char kFeedPlanHead[] =
    R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01//EN" "http://www.w3.org/TR/html4/strict.dtd">)"
    R"(<html><head><title>Stallora foderplan</title>)"
    R"(<meta name="generator" content="Stallora" >)"
    R"(<meta name="author" content="Stallora">)"
    R"(<meta name="keywords" content="Horse Nutrition Feed Ration">)"
    R"(<meta name="description" content="Stallora">)"
    R"(<meta http-equiv="content-type" content="text/html; charset=iso-8859-1">)"
    R"(<meta http-equiv="content-type" content="application/xhtml+xml; charset=iso-8859-1">)"
    R"(<meta http-equiv="content-style-type" content="text/css">)"
    R"(<meta http-equiv="expires" content="0">)"
    R"(<style type="text/css">)"
    R"(body { background:#ffffff;margin:10px;padding:0;font-family: verdana, tahoma; font-size: 1.1em; })"
    R"(.tittel { border-bottom: 2px solid #cccccc;padding-bottom:5px; })"
    R"(.konklusjon { border-top: 2px solid #cccccc;padding-top:5px; })"
    R"(h2 { line-height:1em; margin:0;padding:0; })"
    R"(h3 { line-height:1em; margin:0;padding:0; })"
    R"(#rasjon td.left,th.left { text-align:left; })"
    R"(#rasjon td.right,th.right { text-align:right; })"
    R"(#rasjon td.center,th.center { text-align:center; })"
    R"(#rasjon th.ra,td.ra { width: 300px; })"
    R"(#rasjon td.rb,th.rb { width: 20px; })"
    R"(#rasjon td.rc,th.rc { width: 20px; })"
    R"(#naering td.left,th.left { text-align:left; })"
    R"(#naering td.right,th.right { text-align:right; })"
    R"(#naering td.center,th.center { text-align:center; })"
    R"(#naering th.na,td.na { width:43%; })"
    R"(#naering td.nb,th.nb { width:19%; })"
    R"(#naering td.nc,th.nc { width:19%; })"
    R"(#naering td.nd,th.nd { width:19%; })"
    R"(#footer td { font-family: arial; font-size: 0.8em; width:50%; text-align:center; })"
    R"(</style></head>)";

TEST(HtmlReport, FeedPlanPageHeadIsOneLine) {
  SetLanguageTable({});
  EXPECT_EQ(FeedPlanPageHead(), kFeedPlanHead);
  const std::string head = FeedPlanPageHead();
  EXPECT_EQ(head.find_first_of("\r\n"), std::string::npos);
}

TEST(HtmlReport, FeedPlanTitleComesFromTheStringTable) {
  SetLanguageTable({{std::string(kReportFoderplan.key), "Feed plan"}, {"report.stallora", "Stallora X"}});
  const std::string head = FeedPlanPageHead();
  SetLanguageTable({});
  EXPECT_NE(head.find("<title>Stallora X feed plan</title>"), std::string::npos) << head;
  // Only the title follows the table; the meta elements name the product as they are.
  EXPECT_NE(head.find(R"(<meta name="generator" content="Stallora" >)"), std::string::npos);
}

TEST(HtmlReport, TitleBlocksInsertTheirTextUnescaped) {
  EXPECT_EQ(TitleBlockWithRule("Foderplan for <Bella>", "1-2-2024"),
            R"(<table width="100%" border="0" cellspacing="0" cellpadding="0"><tr><td align="left">)"
            R"(<font face="Arial" size="3"><b>Foderplan for <Bella></td><td align="right">)"
            R"(<font face="Arial" size="3"><b>1-2-2024</td></tr><tr><td colspan="2"><hr size="2" noshade>)"
            R"(</td></tr></table>)");
  EXPECT_EQ(TitleBlock("S\xF8ren & co", ""),
            "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\"><tr><td align=\"left\">"
            "<font face=\"Arial\" size=\"3\"><b>S\xF8ren & co</td><td align=\"right\">"
            "<font face=\"Arial\" size=\"3\"><b></td></tr></table>");
}

ReportFooterData SampleFooter() {
  ReportFooterData d;
  d.makerLogoAddress = "http://res.example/images/stallora_logo.gif";
  d.makerWebAddress = "www.example.dk";
  d.userName = "Bo J\xF8rgensen";
  d.consultantMobile = "12 34 56 78";
  d.consultantMail = "bo@example.dk";
  d.firmaInfoTekst = "Foder & Co <A/S>";
  return d;
}

TEST(HtmlReport, FooterWithoutConsultantLogo) {
  SetLanguageTable({});
  ReportFooterData d = SampleFooter();
  d.consultantLogoFile = (fs::temp_directory_path() / "stallora-no-such-logo.jpg").string();
  const std::string expected =
      "<hr><Table Width=\"100%\" Border=\"0\"><tr><TD align=\"center\" WIDTH=\"50%\">"
      "<IMG SRC=\"http://res.example/images/stallora_logo.gif\" WIDTH=\"150\" HEIGHT=\"37\"><br>"
      "<font face=\"Arial\" size =\"1\"><b>www.example.dk</b></font></TD>"
      "<td align=\"center\" Width=\"50%\"><Font size=\"1\">R\xE5" "dgiver: Bo J\xF8rgensen<br>"
      "Mobiltelefon 12 34 56 78, Epost: bo@example.dk<br>Foder & Co <A/S></font></td></tr></Table>"
      "<hr align=\"left\"><br>";
  EXPECT_EQ(ReportFooter(d), expected);
  // Rådgiver follows the opening Font tag directly, also when no logo file is named.
  d.consultantLogoFile.clear();
  EXPECT_NE(ReportFooter(d).find("<Font size=\"1\">R\xE5" "dgiver: "), std::string::npos);
}

TEST(HtmlReport, FooterWithEmptyContactValuesKeepsItsSeparators) {
  SetLanguageTable({});
  ReportFooterData d;
  const std::string footer = ReportFooter(d);
  EXPECT_NE(footer.find("<br>Mobiltelefon , Epost: <br></font>"), std::string::npos) << footer;
  // No logo address: no picture (a broken image is worse than none), the web address
  // directly after the cell's start.
  EXPECT_EQ(footer.find("<IMG"), std::string::npos) << footer;
  EXPECT_NE(footer.find("WIDTH=\"50%\"><font face=\"Arial\" size =\"1\"><b></b>"), std::string::npos) << footer;
  EXPECT_NE(footer.find("<Font size=\"1\">R\xE5" "dgiver: <br>"), std::string::npos);
}

TEST(HtmlReport, FooterShowsTheConsultantLogoOnlyWhenTheFileExists) {
  SetLanguageTable({});
  const fs::path dir = fs::temp_directory_path() / "stallora-html-report-test";
  fs::remove_all(dir);
  fs::create_directories(dir);
  // The preference holds the name as Windows-1252 text.
  const std::string logoText = TextFromPath(dir) + "/r\xE5" "dgiver.jpg";
  std::ofstream(PathFromText(logoText)) << "jpeg";
  ASSERT_TRUE(fs::exists(dir / "r\xC3\xA5" "dgiver.jpg"));

  ReportFooterData d = SampleFooter();
  d.consultantLogoFile = logoText;
  const std::string footer = ReportFooter(d);
  EXPECT_NE(footer.find("<Font size=\"1\"><img src=\"" + logoText +
                        "\" width=\"170\" height=\"40\"><br>R\xE5" "dgiver: Bo J\xF8rgensen<br>"),
            std::string::npos)
      << footer;

  // A directory of that name is no logo.
  d.consultantLogoFile = dir.string();
  EXPECT_EQ(ReportFooter(d).find("<img"), std::string::npos);

  fs::remove_all(dir);
  d.consultantLogoFile = logoText;
  EXPECT_EQ(ReportFooter(d).find("<img"), std::string::npos);
}

TEST(HtmlReport, FooterWordsComeFromTheStringTable) {
  SetLanguageTable({{std::string(kReportRaadgiver.key), "Adviser"},
                    {std::string(kReportMobiltelefon.key), "Mobile"},
                    {std::string(kReportEpost.key), "Mail"}});
  const std::string footer = ReportFooter(SampleFooter());
  SetLanguageTable({});
  EXPECT_NE(footer.find("<Font size=\"1\">Adviser: Bo J\xF8rgensen<br>Mobile 12 34 56 78, Mail: bo@example.dk<br>"),
            std::string::npos)
      << footer;
}

}  // namespace
}  // namespace stallora
