#pragma once
// The fragments every HTML report is built from: the page heads, the page end, the framed
// table, the title blocks and the footer with the logos and the consultant's contact data.
//
// A report is one Windows-1252 string; the fragments are concatenated as they are. Their
// bytes are fixed (stored reports and the printed layout depend on them), including the
// odd spellings such as the doubled "table table" of the frame. The fragments insert their
// arguments as they are; the reports pass record text (names, notes) through HtmlEscape.

#include <string>
#include <string_view>

#include "core/texts.h"
#include "core/common_texts.h"

namespace stallora {

inline constexpr Text kReportStallora{"report.stallora", "Stallora"};
inline constexpr const Text& kReportFoderplan = common::kFoderplan;
inline constexpr const Text& kReportRaadgiver = common::kRaadgiver;
inline constexpr const Text& kReportMobiltelefon = common::kMobiltelefon;
inline constexpr const Text& kReportEpost = common::kEpost;

// Appends text, then a line feed and a carriage return (in that order: reports end their
// lines with LF CR).
void AppendHtmlLine(std::string& report, std::string_view text);

std::string StartAnchor();

// The head of every report but the feed plan; its lines are separated by carriage returns.
std::string SimplePageHead();

// The head of the horse feed plan: an HTML 4.01 Strict document with the feed plan's style
// sheet, all on one line.
std::string FeedPlanPageHead();

std::string PageEnd();

// A black one-pixel frame: an outer table around the inner table that holds the rows.
std::string TableFrameStart();
std::string HeaderRowStart();
std::string RowEnd();
std::string TableFrameEnd();

// A full-width line with `left` on the left and `right` on the right in bold Arial, with a
// horizontal rule below (or without it).
std::string TitleBlockWithRule(std::string_view left, std::string_view right);
std::string TitleBlock(std::string_view left, std::string_view right);

// What the footer shows; the values come from the preferences and the address builders.
struct ReportFooterData {
  std::string makerLogoAddress;    // address of the maker's logo picture; empty: no picture
  std::string makerWebAddress;
  std::string consultantLogoFile;  // shown only when this file exists
  std::string userName;            // shown after "Rådgiver: "
  std::string consultantMobile;
  std::string consultantMail;
  std::string firmaInfoTekst;
};

std::string ReportFooter(const ReportFooterData& data);

// Record text (names, notes, feed names from downloaded lists) made safe to insert into a
// fragment: "&", "<", ">" and the double quote become entities, so the text shows as typed
// and cannot open a tag or end an attribute. Every other byte is kept.
std::string HtmlEscape(std::string_view text);

}  // namespace stallora
