#pragma once
// The table rows of the feed and feed list pages. Cells take finished HTML: record text
// (feed and list names) goes through HtmlEscape first.

#include <string>
#include <string_view>

namespace stallora::feedpages {

inline constexpr std::string_view kRowStart = "<tr bgcolor=\"#FFFFFF\">";
inline constexpr std::string_view kRowEnd = "</tr>";
inline constexpr std::string_view kEmptyCell = "<td> </td>";

inline std::string LabelCell(std::string_view html) { return "<td Align=\"left\">" + std::string(html) + "</td>"; }
inline std::string ValueCell(std::string_view html) { return "<td Align=\"center\">" + std::string(html) + "</td>"; }

}  // namespace stallora::feedpages
