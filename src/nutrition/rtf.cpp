#include "nutrition/rtf.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "core/cp1252.h"

namespace stallora {
namespace {

// RTF keeps sizes in half points; \fs24 is the format's default of 12 points.
constexpr int kDefaultHalfPoints = 24;
constexpr int kMaxHalfPoints = 3276;
// Deeper nesting than this is read as if it were flat: real documents stay far below it.
constexpr int kMaxDepth = 256;

enum class Destination { kText, kSkip, kFontTable, kColorTable };

struct CharFormat {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int halfPoints = kDefaultHalfPoints;
  int font = -1;   // index into the font table; -1: the default font
  int color = 0;   // index into the colour table; 0: automatic
};

struct GroupState {
  CharFormat format;
  Destination destination = Destination::kText;
  int unicodeSkip = 1;  // \ucN: characters of fallback text after each \uN
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsSkippedDestination(std::string_view word) {
  static constexpr std::string_view kSkipped[] = {
      "stylesheet", "info",      "pict",       "object",       "header",     "headerl",  "headerr",
      "headerf",    "footer",    "footerl",    "footerr",      "footerf",    "footnote", "listtable",
      "listoverridetable",       "rsidtbl",    "generator",    "xmlnstbl",   "themedata", "colorschememapping",
      "latentstyles", "datastore", "revtbl",   "filetbl",      "pntext",     "pntxtb",   "pntxta",
      "bkmkstart",  "bkmkend",   "fldinst",    "nonshppict",   "shppict",    "author",   "operator",
      "title",      "subject",   "comment",    "company",      "keywords",   "doccomm",  "template",
      "annotation", "atnid",     "atnauthor",  "pgdsctbl",     "mmathPr",    "userprops", "wgrffmtfilter",
  };
  return std::find(std::begin(kSkipped), std::end(kSkipped), word) != std::end(kSkipped);
}

class Reader {
 public:
  explicit Reader(std::string_view bytes) : in_(bytes) {}

  RtfDocument Read() {
    doc_.paragraphs.emplace_back();
    stack_.push_back(GroupState{});
    while (pos_ < in_.size()) {
      const char c = in_[pos_++];
      switch (c) {
        case '{': OpenGroup(); break;
        case '}': CloseGroup(); break;
        case '\\': ControlSequence(); break;
        case '\r':
        case '\n': break;
        default: Character(c); break;
      }
    }
    return std::move(doc_);
  }

 private:
  GroupState& State() { return stack_.back(); }

  void OpenGroup() {
    pendingSkip_ = 0;
    if (static_cast<int>(stack_.size()) >= kMaxDepth) {
      ++overflow_;
      return;
    }
    stack_.push_back(stack_.back());
  }

  void CloseGroup() {
    pendingSkip_ = 0;
    if (overflow_ > 0) {
      --overflow_;
      return;
    }
    if (State().destination == Destination::kFontTable) FinishFont();
    // The outermost group ends the document; anything after it is not RTF.
    if (stack_.size() <= 1) {
      pos_ = in_.size();
      return;
    }
    stack_.pop_back();
    if (stack_.size() == 1) pos_ = in_.size();
  }

  void ControlSequence() {
    if (pos_ >= in_.size()) return;
    const char c = in_[pos_];
    if (IsLetter(c)) {
      ControlWord();
      return;
    }
    ++pos_;
    switch (c) {
      case '\\':
      case '{':
      case '}': Character(c); break;
      case '\'': {
        if (pos_ + 1 < in_.size()) {
          const int hi = HexValue(in_[pos_]);
          const int lo = HexValue(in_[pos_ + 1]);
          if (hi >= 0 && lo >= 0) {
            pos_ += 2;
            Character(static_cast<char>(hi * 16 + lo));
          }
        }
        break;
      }
      case '~': Character('\xA0'); break;
      case '_': Character('-'); break;
      case '*': State().destination = Destination::kSkip; break;
      case '\r':
      case '\n': NewParagraph(); break;
      default: break;  // \- (optional hyphen), \| and the rest show nothing
    }
  }

  void ControlWord() {
    const size_t start = pos_;
    while (pos_ < in_.size() && IsLetter(in_[pos_])) ++pos_;
    // A word longer than any the format defines is not one we act on.
    const std::string_view word = in_.substr(start, std::min<size_t>(pos_ - start, 32));
    bool hasParam = false;
    bool negative = false;
    long long value = 0;
    if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && IsDigit(in_[pos_ + 1])) {
      negative = true;
      ++pos_;
    }
    while (pos_ < in_.size() && IsDigit(in_[pos_])) {
      hasParam = true;
      if (value < 100'000'000) value = value * 10 + (in_[pos_] - '0');
      ++pos_;
    }
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
    const int param = static_cast<int>(negative ? -value : value);
    Apply(word, hasParam, param);
  }

  void Apply(std::string_view w, bool hasParam, int param) {
    GroupState& s = State();
    const bool on = !hasParam || param != 0;
    if (s.destination == Destination::kSkip) return;
    if (s.destination == Destination::kFontTable) {
      if (w == "f") {
        FinishFont();
        fontNumber_ = param;
      }
      return;
    }
    if (s.destination == Destination::kColorTable) {
      const uint8_t v = static_cast<uint8_t>(std::clamp(param, 0, 255));
      if (w == "red") colorEntry_.red = v, colorSet_ = true;
      else if (w == "green") colorEntry_.green = v, colorSet_ = true;
      else if (w == "blue") colorEntry_.blue = v, colorSet_ = true;
      return;
    }
    if (w == "fonttbl") {
      s.destination = Destination::kFontTable;
      fontName_.clear();
      fontNumber_ = -1;
    } else if (w == "colortbl") {
      s.destination = Destination::kColorTable;
      colors_.clear();
      colorEntry_ = {};
      colorSet_ = false;
    } else if (IsSkippedDestination(w)) {
      s.destination = Destination::kSkip;
    } else if (w == "deff") {
      defaultFont_ = param;
    } else if (w == "par" || w == "line" || w == "sect" || w == "page") {
      NewParagraph();
    } else if (w == "tab") {
      Character('\t');
    } else if (w == "cell") {
      // A table row of a word processor reads as one line with its cells apart.
      Character('\t');
    } else if (w == "row") {
      EndRow();
    } else if (w == "b") {
      s.format.bold = on;
    } else if (w == "i") {
      s.format.italic = on;
    } else if (w == "ul") {
      s.format.underline = on;
    } else if (w == "ulnone") {
      s.format.underline = false;
    } else if (w == "fs") {
      if (hasParam && param > 0) s.format.halfPoints = std::min(param, kMaxHalfPoints);
    } else if (w == "f") {
      s.format.font = param;
    } else if (w == "cf") {
      s.format.color = param;
    } else if (w == "plain") {
      s.format = CharFormat{};
    } else if (w == "uc") {
      s.unicodeSkip = std::clamp(param, 0, 10);
    } else if (w == "u") {
      const int cp = param < 0 ? param + 65536 : param;
      Character(CodePointToCp1252(static_cast<char32_t>(std::max(cp, 0))), true);
      pendingSkip_ = s.unicodeSkip;
    } else if (w == "emdash") {
      Character('\x97');
    } else if (w == "endash") {
      Character('\x96');
    } else if (w == "bullet") {
      Character('\x95');
    } else if (w == "lquote") {
      Character('\x91');
    } else if (w == "rquote") {
      Character('\x92');
    } else if (w == "ldblquote") {
      Character('\x93');
    } else if (w == "rdblquote") {
      Character('\x94');
    }
  }

  void Character(char c, bool fromUnicode = false) {
    GroupState& s = State();
    if (!fromUnicode && pendingSkip_ > 0) {
      --pendingSkip_;
      return;
    }
    switch (s.destination) {
      case Destination::kSkip: return;
      case Destination::kFontTable:
        if (c == ';') FinishFont();
        else if (fontName_.size() < 256) fontName_ += c;
        return;
      case Destination::kColorTable:
        if (c == ';') {
          colors_.push_back(colorSet_ ? std::optional<RtfColor>(colorEntry_) : std::nullopt);
          colorEntry_ = {};
          colorSet_ = false;
        }
        return;
      case Destination::kText: break;
    }
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return;
    RtfRun format = Format(s.format);
    auto& runs = doc_.paragraphs.back().runs;
    if (runs.empty() || !runs.back().SameFormat(format)) runs.push_back(std::move(format));
    runs.back().text += c;
  }

  RtfRun Format(const CharFormat& f) const {
    RtfRun r;
    r.bold = f.bold;
    r.italic = f.italic;
    r.underline = f.underline;
    r.size = f.halfPoints / 2.0;
    const int font = f.font >= 0 ? f.font : defaultFont_;
    if (auto it = fonts_.find(font); it != fonts_.end()) r.font = it->second;
    if (f.color > 0 && static_cast<size_t>(f.color) < colors_.size()) r.color = colors_[static_cast<size_t>(f.color)];
    return r;
  }

  void FinishFont() {
    if (fontNumber_ >= 0) {
      const size_t first = fontName_.find_first_not_of(' ');
      const size_t last = fontName_.find_last_not_of(' ');
      fonts_[fontNumber_] = first == std::string::npos ? std::string() : fontName_.substr(first, last - first + 1);
    }
    fontName_.clear();
    fontNumber_ = -1;
  }

  void NewParagraph() {
    if (State().destination != Destination::kText) return;
    doc_.paragraphs.emplace_back();
  }

  // The last cell's separator goes; the row ends its line.
  void EndRow() {
    if (State().destination != Destination::kText) return;
    if (!doc_.paragraphs.empty() && !doc_.paragraphs.back().runs.empty()) {
      std::string& text = doc_.paragraphs.back().runs.back().text;
      if (!text.empty() && text.back() == '\t') text.pop_back();
      if (text.empty()) doc_.paragraphs.back().runs.pop_back();
    }
    NewParagraph();
  }

  std::string_view in_;
  size_t pos_ = 0;
  std::vector<GroupState> stack_;
  int overflow_ = 0;
  int pendingSkip_ = 0;
  RtfDocument doc_;
  std::map<int, std::string> fonts_;
  int defaultFont_ = 0;
  std::string fontName_;
  int fontNumber_ = -1;
  std::vector<std::optional<RtfColor>> colors_;
  RtfColor colorEntry_;
  bool colorSet_ = false;
};

void AppendEscaped(std::string& out, std::string_view text) {
  static const char* kHex = "0123456789abcdef";
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const auto u = static_cast<unsigned char>(c);
    if (c == '\\' || c == '{' || c == '}') {
      out += '\\';
      out += c;
    } else if (c == '\t') {
      out += "\\tab ";
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\\line ";
    } else if (u < 0x20) {
      // Control characters have no place in a diary's text.
    } else if (u >= 0x80) {
      out += "\\'";
      out += kHex[u >> 4];
      out += kHex[u & 15];
    } else {
      out += c;
    }
  }
}

}  // namespace

bool RtfRun::SameFormat(const RtfRun& o) const {
  return bold == o.bold && italic == o.italic && underline == o.underline && size == o.size && font == o.font &&
         color == o.color;
}

std::string RtfParagraph::Text() const {
  std::string out;
  for (const auto& r : runs) out += r.text;
  return out;
}

std::string RtfDocument::PlainText() const {
  std::string out;
  for (size_t i = 0; i < paragraphs.size(); ++i) {
    if (i > 0) out += "\r\n";
    out += paragraphs[i].Text();
  }
  return out;
}

bool LooksLikeRtf(std::string_view bytes) {
  const size_t first = bytes.find_first_not_of(" \t\r\n");
  return first != std::string_view::npos && bytes.substr(first, 5) == "{\\rtf";
}

std::optional<RtfDocument> ReadRtf(std::string_view bytes, std::string* error) {
  if (!LooksLikeRtf(bytes)) {
    if (error) *error = "Not an RTF document";
    return std::nullopt;
  }
  return Reader(bytes.substr(bytes.find('{'))).Read();
}

std::string WriteRtf(const RtfDocument& doc) {
  std::vector<std::string> fonts;
  std::vector<RtfColor> colors;
  auto fontIndex = [&](const std::string& name) {
    std::string clean;
    for (char c : name)
      if (c != ';' && static_cast<unsigned char>(c) >= 0x20) clean += c;
    // The reader trims blanks around a name; so does the writer, for the same table.
    const size_t first = clean.find_first_not_of(' ');
    clean = first == std::string::npos ? std::string() : clean.substr(first, clean.find_last_not_of(' ') - first + 1);
    auto it = std::find(fonts.begin(), fonts.end(), clean);
    if (it != fonts.end()) return static_cast<int>(it - fonts.begin());
    fonts.push_back(clean);
    return static_cast<int>(fonts.size()) - 1;
  };
  auto colorIndex = [&](const std::optional<RtfColor>& c) {
    if (!c) return 0;
    auto it = std::find(colors.begin(), colors.end(), *c);
    if (it != colors.end()) return static_cast<int>(it - colors.begin()) + 1;
    colors.push_back(*c);
    return static_cast<int>(colors.size());
  };
  // The tables must come first in the file, so the body is written before them.
  std::string body;
  int font = -1, halfPoints = -1, color = -1;
  bool bold = false, italic = false, underline = false;
  for (size_t p = 0; p < doc.paragraphs.size(); ++p) {
    if (p > 0) body += "\\par\r\n";
    for (const RtfRun& r : doc.paragraphs[p].runs) {
      if (r.text.empty()) continue;
      std::string codes;
      const int f = fontIndex(r.font);
      const int hp = std::clamp(static_cast<int>(std::lround(std::isfinite(r.size) ? r.size * 2 : kDefaultHalfPoints)),
                                1, kMaxHalfPoints);
      const int c = colorIndex(r.color);
      if (f != font) codes += "\\f" + std::to_string(font = f);
      if (hp != halfPoints) codes += "\\fs" + std::to_string(halfPoints = hp);
      if (c != color) codes += "\\cf" + std::to_string(color = c);
      if (r.bold != bold) codes += (bold = r.bold) ? "\\b" : "\\b0";
      if (r.italic != italic) codes += (italic = r.italic) ? "\\i" : "\\i0";
      if (r.underline != underline) codes += (underline = r.underline) ? "\\ul" : "\\ulnone";
      if (!codes.empty()) body += codes + " ";
      AppendEscaped(body, r.text);
    }
  }
  std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
  if (fonts.empty()) fonts.emplace_back();
  for (size_t i = 0; i < fonts.size(); ++i) {
    out += "{\\f" + std::to_string(i) + "\\fnil ";
    AppendEscaped(out, fonts[i]);
    out += ";}";
  }
  out += "}\r\n{\\colortbl ;";
  for (const RtfColor& c : colors)
    out += "\\red" + std::to_string(c.red) + "\\green" + std::to_string(c.green) + "\\blue" + std::to_string(c.blue) +
           ";";
  out += "}\r\n\\viewkind4\\uc1\\pard ";
  out += body;
  out += "\r\n}\r\n";
  return out;
}

std::string DiaryPlainText(std::string_view bytes) {
  if (auto doc = ReadRtf(bytes)) return doc->PlainText();
  return std::string(bytes);
}

RtfDocument PlainTextDocument(std::string_view text, const std::string& font, double size) {
  RtfDocument doc;
  doc.paragraphs.emplace_back();
  auto add = [&](std::string_view line) {
    if (line.empty()) return;
    RtfRun r;
    r.text = std::string(line);
    r.font = font;
    r.size = size;
    doc.paragraphs.back().runs.push_back(std::move(r));
  };
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    add(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    doc.paragraphs.emplace_back();
    start = i + 1;
  }
  add(text.substr(start));
  return doc;
}

}  // namespace stallora
