#include "core/html_report.h"

#include <filesystem>
#include <system_error>

#include "core/cp1252.h"
#include "core/textutil.h"

namespace stallora {
namespace {

// Bold Arial size 3, the font of both halves of a title block. The tags are left open, as
// the printed reports always had them.
constexpr std::string_view kTitleStart =
    "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\"><tr><td align=\"left\">"
    "<font face=\"Arial\" size=\"3\"><b>";
constexpr std::string_view kTitleMiddle = "</td><td align=\"right\"><font face=\"Arial\" size=\"3\"><b>";

std::string TitleBlockStart(std::string_view left, std::string_view right) {
  std::string out;
  out.reserve(kTitleStart.size() + kTitleMiddle.size() + left.size() + right.size() + 96);
  out += kTitleStart;
  out += left;
  out += kTitleMiddle;
  out += right;
  return out;
}

// A file test that never throws: a name the file system cannot take simply does not exist.
bool LogoFileExists(const std::string& fileName) {
  if (fileName.empty()) return false;
  std::error_code ec;
  return std::filesystem::is_regular_file(PathFromText(fileName), ec);
}

}  // namespace

void AppendHtmlLine(std::string& report, std::string_view text) {
  report += text;
  report += "\n\r";
}

std::string StartAnchor() { return "<a name=\"startanker\">"; }

std::string SimplePageHead() {
  return "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">\r"
         "<style type=\"text/css\">\r"
         "<!--\r"
         "table {border: 1px solid #000000; background-color:#FFFFFF;}\r"
         "th{font-family:Arial; font-size:11px; font-weight:bold;}\r"
         "td{font-family:Arial; font-size:11px; font-weight:bold;}\r"
         "-->\r"
         "</style>\r"
         "<style type=\"text/css\"> P.breakhere </style></head>\r"
         "<body bgcolor=\"#FFFFFF\">";
}

std::string FeedPlanPageHead() {
  std::string out =
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">"
      "<html><head><title>";
  out += Tr(kReportStallora);
  out += ' ';
  out += FirstLetterLower(Tr(kReportFoderplan));
  out +=
      "</title>"
      "<meta name=\"generator\" content=\"Stallora\" >"
      "<meta name=\"author\" content=\"Stallora\">"
      "<meta name=\"keywords\" content=\"Horse Nutrition Feed Ration\">"
      "<meta name=\"description\" content=\"Stallora\">"
      "<meta http-equiv=\"content-type\" content=\"text/html; charset=iso-8859-1\">"
      "<meta http-equiv=\"content-type\" content=\"application/xhtml+xml; charset=iso-8859-1\">"
      "<meta http-equiv=\"content-style-type\" content=\"text/css\">"
      "<meta http-equiv=\"expires\" content=\"0\">"
      "<style type=\"text/css\">"
      "body { background:#ffffff;margin:10px;padding:0;font-family: verdana, tahoma; font-size: 1.1em; }"
      ".tittel { border-bottom: 2px solid #cccccc;padding-bottom:5px; }"
      ".konklusjon { border-top: 2px solid #cccccc;padding-top:5px; }"
      "h2 { line-height:1em; margin:0;padding:0; }"
      "h3 { line-height:1em; margin:0;padding:0; }"
      "#rasjon td.left,th.left { text-align:left; }"
      "#rasjon td.right,th.right { text-align:right; }"
      "#rasjon td.center,th.center { text-align:center; }"
      "#rasjon th.ra,td.ra { width: 300px; }"
      "#rasjon td.rb,th.rb { width: 20px; }"
      "#rasjon td.rc,th.rc { width: 20px; }"
      "#naering td.left,th.left { text-align:left; }"
      "#naering td.right,th.right { text-align:right; }"
      "#naering td.center,th.center { text-align:center; }"
      "#naering th.na,td.na { width:43%; }"
      "#naering td.nb,th.nb { width:19%; }"
      "#naering td.nc,th.nc { width:19%; }"
      "#naering td.nd,th.nd { width:19%; }"
      "#footer td { font-family: arial; font-size: 0.8em; width:50%; text-align:center; }"
      "</style></head>";
  return out;
}

std::string PageEnd() { return "</body></html>"; }

std::string TableFrameStart() {
  return "<table table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\"><tr>"
         "<td bgcolor=\"#000000\"><table width=\"100%\"  border=\"0\" cellspacing=\"1\" cellpadding=\"3\">";
}

std::string HeaderRowStart() { return "<tr bgcolor=\"#CCFFCC\" height=\"25\">"; }

std::string RowEnd() { return "</tr>"; }

std::string TableFrameEnd() { return "</table></tr></table>"; }

std::string TitleBlockWithRule(std::string_view left, std::string_view right) {
  std::string out = TitleBlockStart(left, right);
  out += "</td></tr><tr><td colspan=\"2\"><hr size=\"2\" noshade></td></tr></table>";
  return out;
}

std::string TitleBlock(std::string_view left, std::string_view right) {
  std::string out = TitleBlockStart(left, right);
  out += "</td></tr></table>";
  return out;
}

std::string ReportFooter(const ReportFooterData& data) {
  std::string out = "<hr><Table Width=\"100%\" Border=\"0\"><tr><TD align=\"center\" WIDTH=\"50%\">";
  // A picture that cannot be had is left out rather than shown as a broken image.
  if (!data.makerLogoAddress.empty()) {
    out += "<IMG SRC=\"";
    out += data.makerLogoAddress;
    out += "\" WIDTH=\"150\" HEIGHT=\"37\"><br>";
  }
  out += "<font face=\"Arial\" size =\"1\"><b>";
  out += data.makerWebAddress;
  out += "</b></font></TD><td align=\"center\" Width=\"50%\"><Font size=\"1\">";
  if (LogoFileExists(data.consultantLogoFile)) {
    out += "<img src=\"";
    out += data.consultantLogoFile;
    out += "\" width=\"170\" height=\"40\"><br>";
  }
  out += Tr(kReportRaadgiver);
  out += ": ";
  out += data.userName;
  out += "<br>";
  out += Tr(kReportMobiltelefon);
  out += ' ';
  out += data.consultantMobile;
  out += ", ";
  out += Tr(kReportEpost);
  out += ": ";
  out += data.consultantMail;
  out += "<br>";
  out += data.firmaInfoTekst;
  out += "</font></td></tr></Table><hr align=\"left\"><br>";
  return out;
}

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace stallora
