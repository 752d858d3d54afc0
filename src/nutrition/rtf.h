#pragma once
// Rich text as the horse's diary keeps it: RTF bytes in the horse file. The program reads
// what it needs of RTF (paragraphs of text with bold, italic, underline, font size, font
// name and colour) and writes new diaries in the same small subset. Everything else an RTF
// file may carry (pictures, tables, style sheets, document information) is passed over.
//
// The reader takes any bytes: it never throws, never reads out of bounds and keeps its
// nesting and number parsing bounded, so a damaged diary shows what text it still has.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stallora {

struct RtfColor {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  bool operator==(const RtfColor&) const = default;
};

// A stretch of text with one set of character attributes. Text is Windows-1252; a tab is
// kept as '\t'.
struct RtfRun {
  std::string text;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  double size = 12;     // points
  std::string font;     // empty: the document's default font
  std::optional<RtfColor> color;  // none: the automatic colour
  bool operator==(const RtfRun&) const = default;
  // Same attributes (the text aside).
  bool SameFormat(const RtfRun& other) const;
};

struct RtfParagraph {
  std::vector<RtfRun> runs;
  bool operator==(const RtfParagraph&) const = default;
  std::string Text() const;
};

struct RtfDocument {
  std::vector<RtfParagraph> paragraphs;
  bool operator==(const RtfDocument&) const = default;
  // The paragraphs' text joined by CR LF.
  std::string PlainText() const;
};

// True when the bytes start (after blanks and line ends) with "{\rtf".
bool LooksLikeRtf(std::string_view bytes);

// Reads RTF. Nothing when the bytes are not RTF (`error` says why); a document that ends
// early or has unbalanced braces gives what was read up to there. Adjacent runs of the
// same format are merged; a document always has at least one paragraph.
std::optional<RtfDocument> ReadRtf(std::string_view bytes, std::string* error = nullptr);

// Writes the document as RTF (Windows-1252 code page). Reading the result gives the same
// document, with runs of the same format merged and empty runs dropped.
std::string WriteRtf(const RtfDocument& doc);

// The text of a diary: for RTF the paragraphs' text joined by CR LF, for anything else
// the bytes as they are.
std::string DiaryPlainText(std::string_view bytes);

// A document of plain lines (split at CR LF, LF or CR) in one font and size.
RtfDocument PlainTextDocument(std::string_view text, const std::string& font, double size);

}  // namespace stallora
