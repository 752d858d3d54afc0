#include "core/objtext_parser.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <exception>
#include <locale.h>

#include <fmt/format.h>

#include "core/textutil.h"

namespace stallora {
namespace {

enum class Tok : uint8_t { kEof, kSymbol, kString, kInteger, kFloat, kBinary, kChar };

// What the parser keeps of what it reads: nothing (the syntax check), the whole tree, or
// one block at a time for a visitor.
enum class Mode : uint8_t { kCheck, kTree, kStream };

constexpr bool IsAlpha(unsigned char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
constexpr bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
constexpr bool IsIdentStart(unsigned char c) { return IsAlpha(c) || c == '_'; }

// The bytes that continue an identifier, looked up at every byte of every name.
struct IdentTable {
  bool v[256];
  constexpr IdentTable() : v() {
    for (int i = 0; i < 256; ++i) {
      const auto c = static_cast<unsigned char>(i);
      v[i] = IsAlpha(c) || IsDigit(c) || c == '_';
    }
  }
};
constexpr IdentTable kIdent;
constexpr bool IsIdentChar(unsigned char c) { return kIdent.v[c]; }

struct HexTable {
  int8_t v[256];
  constexpr HexTable() : v() {
    for (int i = 0; i < 256; ++i) v[i] = -1;
    for (int i = 0; i < 10; ++i) v['0' + i] = static_cast<int8_t>(i);
    for (int i = 0; i < 6; ++i) {
      v['a' + i] = static_cast<int8_t>(10 + i);
      v['A' + i] = static_cast<int8_t>(10 + i);
    }
  }
};
constexpr HexTable kHex;

// Bytes that end the run of a quoted piece: the apostrophe and the line breaks.
struct QuoteStops {
  bool v[256];
  constexpr QuoteStops() : v() {
    v[static_cast<unsigned char>('\'')] = true;
    v[static_cast<unsigned char>('\n')] = true;
    v[static_cast<unsigned char>('\r')] = true;
  }
};
constexpr QuoteStops kQuoteStops;

class Parser {
 public:
  Parser(std::string_view text, Mode mode, ObjBlockVisitor* visitor = nullptr)
      : p_(text.data()), end_(text.data() + text.size()), mode_(mode), visitor_(visitor) {
    if (text.size() >= 3 && static_cast<unsigned char>(text[0]) == 0xEF &&
        static_cast<unsigned char>(text[1]) == 0xBB && static_cast<unsigned char>(text[2]) == 0xBF)
      p_ += 3;
  }

  ObjBlock ParseRoot() {
    Next();
    ObjBlock root;
    ParseBlock(root, /*isRoot=*/true);
    return root;
  }

  void Run() {
    Next();
    ParseBlock(BlockAt(0), /*isRoot=*/true);
    if (held_) std::rethrow_exception(held_);
  }

  // The visitor's own errors wait until the rest of the text is checked (a grammar error
  // there is the one thrown); the walk then goes on as the syntax check alone.
  void HoldVisitorErrors() { holdVisitorErrors_ = true; }

 private:
  bool Storing() const { return mode_ != Mode::kCheck; }

  [[noreturn]] void Fail(std::string_view message, int line) const {
    throw ObjTextError(fmt::format("{} on line {}", message, line));
  }
  [[noreturn]] void Fail(std::string_view message) const { Fail(message, tokLine_); }

  std::string_view TokText() const { return {tokBegin_, static_cast<size_t>(tokEnd_ - tokBegin_)}; }
  bool IsChar(char c) const { return tok_ == Tok::kChar && tokChar_ == c; }
  bool IsKeyword(std::string_view kw) const { return tok_ == Tok::kSymbol && SameText(TokText(), kw); }
  bool IsBlockStart() const { return IsKeyword("object") || IsKeyword("inherited") || IsKeyword("inline"); }

  void Enter() {
    if (++depth_ > kMaxObjTextNesting) Fail("Nesting too deep");
  }
  void Leave() { --depth_; }

  // ---- tokens ----

  void Next() {
    while (p_ < end_ && static_cast<unsigned char>(*p_) <= ' ') {
      if (*p_ == '\n') ++line_;
      ++p_;
    }
    tokLine_ = line_;
    tokBegin_ = p_;
    if (p_ == end_) {
      tok_ = Tok::kEof;
      tokEnd_ = p_;
      return;
    }
    const auto c = static_cast<unsigned char>(*p_);
    if (IsIdentStart(c)) {
      ++p_;
      while (p_ < end_ && IsIdentChar(static_cast<unsigned char>(*p_))) ++p_;
      tok_ = Tok::kSymbol;
    } else if (c == '\'' || c == '#') {
      ScanString();
      tok_ = Tok::kString;
    } else if (c == '$') {
      ++p_;
      while (p_ < end_ && kHex.v[static_cast<unsigned char>(*p_)] >= 0) ++p_;
      tok_ = Tok::kInteger;
    } else if (c == '-' || IsDigit(c)) {
      ++p_;
      while (p_ < end_ && IsDigit(static_cast<unsigned char>(*p_))) ++p_;
      tok_ = Tok::kInteger;
      while (p_ < end_) {
        const char d = *p_;
        if (IsDigit(static_cast<unsigned char>(d)) || d == '.' || d == 'e' || d == 'E' || d == '+' || d == '-') {
          ++p_;
          tok_ = Tok::kFloat;
        } else {
          break;
        }
      }
      floatMark_ = 0;
      numberEnd_ = p_;
      if (p_ < end_) {
        const char m = static_cast<char>(*p_ | 0x20);
        if (m == 's' || m == 'c' || m == 'd') {
          tok_ = Tok::kFloat;
          floatMark_ = m;
          ++p_;
        }
      }
    } else if (c == '{') {
      ScanBinary();
      tok_ = Tok::kBinary;
    } else {
      tok_ = Tok::kChar;
      tokChar_ = static_cast<char>(c);
      ++p_;
    }
    tokEnd_ = p_;
  }

  // Checks a string token and notes whether it is one quoted piece without doubled
  // apostrophes (its bytes are then the view between the apostrophes); nothing is decoded.
  void ScanString() {
    wide_ = false;
    int pieces = 0;
    bool plain = true;
    for (;;) {
      if (p_ < end_ && *p_ == '\'') {
        ++p_;
        ++pieces;
        const char* start = p_;
        for (;;) {
          const char* q = p_;
          while (q < end_ && !kQuoteStops.v[static_cast<unsigned char>(*q)]) ++q;
          if (q == end_ || *q != '\'') {
            p_ = q;
            Fail("Invalid string constant", line_);
          }
          p_ = q + 1;
          if (p_ < end_ && *p_ == '\'') {  // '' stands for one apostrophe
            plain = false;
            ++p_;
            continue;
          }
          strView_ = {start, static_cast<size_t>(q - start)};
          break;
        }
      } else if (p_ < end_ && *p_ == '#') {
        ++p_;
        ++pieces;
        plain = false;
        uint32_t code = 0;
        while (p_ < end_ && IsDigit(static_cast<unsigned char>(*p_))) {
          if (code < 0x110000) code = code * 10 + static_cast<uint32_t>(*p_ - '0');
          ++p_;
        }
        if (code >= 256) wide_ = true;
      } else {
        break;
      }
    }
    strPlain_ = plain && pieces == 1;
  }

  // Checks a binary block; its digits stay in the text.
  void ScanBinary() {
    ++p_;  // '{'
    binBegin_ = p_;
    for (;;) {
      while (p_ < end_ && static_cast<unsigned char>(*p_) <= ' ') {
        if (*p_ == '\n') ++line_;
        ++p_;
      }
      if (p_ == end_) Fail("Invalid binary value", line_);
      if (*p_ == '}') {
        binEnd_ = p_;
        ++p_;
        return;
      }
      // Whole runs of digit pairs are the common case; check them without re-checking blanks.
      while (end_ - p_ >= 2) {
        const int hi = kHex.v[static_cast<unsigned char>(p_[0])];
        const int lo = kHex.v[static_cast<unsigned char>(p_[1])];
        if ((hi | lo) < 0) break;
        p_ += 2;
      }
      if (p_ < end_ && (static_cast<unsigned char>(*p_) <= ' ' || *p_ == '}')) continue;
      Fail("Invalid binary value", line_);
    }
  }

  int64_t IntegerValue() const {
    std::string_view t = TokText();
    int64_t v = 0;
    bool ok;
    if (!t.empty() && t[0] == '$') {
      // Hexadecimal: up to 16 digits, the bit pattern of a 64-bit integer.
      ok = t.size() > 1 && t.size() <= 17;
      uint64_t u = 0;
      for (size_t i = 1; ok && i < t.size(); ++i)
        u = (u << 4) | static_cast<uint64_t>(kHex.v[static_cast<unsigned char>(t[i])]);
      v = static_cast<int64_t>(u);
    } else {
      auto r = std::from_chars(t.data(), t.data() + t.size(), v);
      ok = r.ec == std::errc() && r.ptr == t.data() + t.size();
    }
    if (!ok) Fail(fmt::format("'{}' is not a valid integer value", t));
    return v;
  }

  double FloatValue() const {
    std::string_view t(tokBegin_, static_cast<size_t>(numberEnd_ - tokBegin_));
    double v = 0;
    auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    if (r.ec == std::errc::result_out_of_range && r.ptr == t.data() + t.size()) {
      // Subnormal values are numbers too (and the writer prints them); only overflow fails.
      static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
      const std::string copy(t);
      v = strtod_l(copy.c_str(), nullptr, c);
      if (std::isfinite(v) && v != 0) return v;
    }
    if (r.ec != std::errc() || r.ptr != t.data() + t.size())
      Fail(fmt::format("'{}' is not a valid floating point value", t));
    return v;
  }

  // Reads `.ident` parts after the current identifier. The result is the view from the first
  // part to the last when they are written without blanks (always so in files of this
  // program), else the parts joined into `joined`.
  std::string_view DottedName(ObjValue& holder, bool path) {
    const char* begin = tokBegin_;
    const char* last = tokEnd_;
    bool contiguous = true;
    std::string joined;
    Next();
    while (IsChar('.')) {
      if (tokBegin_ != last) contiguous = false;
      const char* dot = tokEnd_;
      Next();
      if (tok_ != Tok::kSymbol) Fail("Identifier expected");
      if (tokBegin_ != dot) contiguous = false;
      if (Storing() && !contiguous) {
        if (joined.empty()) joined.assign(begin, last);
        joined.push_back('.');
        joined.append(TokText());
      }
      last = tokEnd_;
      Next();
    }
    if (!Storing() || contiguous) return {begin, static_cast<size_t>(last - begin)};
    if (!holder.aggregate) holder.aggregate = std::make_unique<ObjAggregate>();
    std::string& target = path ? holder.aggregate->joinedPath : holder.aggregate->joinedText;
    target = std::move(joined);
    return target;
  }

  // ---- grammar ----

  ObjBlock& BlockAt(size_t depth) {
    while (streamBlocks_.size() <= depth) streamBlocks_.emplace_back();
    return streamBlocks_[depth];
  }

  std::vector<ObjProperty>& PropertiesAt(size_t depth) {
    while (treeProperties_.size() <= depth) treeProperties_.emplace_back();
    return treeProperties_[depth];
  }

  std::vector<ObjBlock>& ChildrenAt(size_t depth) {
    while (treeChildren_.size() <= depth) treeChildren_.emplace_back();
    return treeChildren_[depth];
  }

  void ParseBlock(ObjBlock& block, bool isRoot) {
    if (!IsBlockStart()) Fail("OBJECT expected");
    Enter();
    const size_t level = blockDepth_++;
    block.keyword = TokText();
    block.line = tokLine_;
    block.instanceName = {};
    block.hasPosition = false;
    block.position = 0;
    Next();
    if (tok_ != Tok::kSymbol) Fail("Identifier expected");
    block.className = TokText();
    Next();
    if (IsChar(':')) {
      Next();
      if (tok_ != Tok::kSymbol) Fail("Identifier expected");
      block.instanceName = block.className;
      block.className = TokText();
      Next();
    }
    if (IsChar('[')) {
      Next();
      if (tok_ != Tok::kInteger) Fail("Number expected");
      block.hasPosition = true;
      block.position = IntegerValue();
      Next();
      if (!IsChar(']')) Fail("'']'' expected");
      Next();
    }
    switch (mode_) {
      case Mode::kCheck:
        while (!IsKeyword("end") && !IsBlockStart()) ParseProperty(scratchProperty_);
        while (!IsKeyword("end")) ParseBlock(block, false);
        break;
      case Mode::kTree: {
        // Gathered where the storage is reused, then moved into a vector of the exact size.
        std::vector<ObjProperty>& props = PropertiesAt(level);
        props.clear();
        while (!IsKeyword("end") && !IsBlockStart()) {
          props.emplace_back();
          ParseProperty(props.back());
        }
        block.properties.reserve(props.size());
        for (ObjProperty& p : props) block.properties.push_back(std::move(p));
        props.clear();
        std::vector<ObjBlock>& children = ChildrenAt(level);
        const size_t first = children.size();
        while (!IsKeyword("end")) {
          children.emplace_back();
          ParseBlock(children.back(), false);
        }
        block.children.reserve(children.size() - first);
        for (size_t i = first; i < children.size(); ++i) block.children.push_back(std::move(children[i]));
        children.resize(first);
        break;
      }
      case Mode::kStream: {
        block.properties.clear();
        block.children.clear();
        // Kept from block to block; the records of this program have at most some fifty
        // properties, so it seldom grows.
        if (block.properties.capacity() < 64) block.properties.reserve(64);
        while (!IsKeyword("end") && !IsBlockStart()) {
          block.properties.emplace_back();
          ParseProperty(block.properties.back());
        }
        Deliver(&block);
        while (!IsKeyword("end")) ParseBlock(BlockAt(level + 1), false);
        Deliver(nullptr);
        break;
      }
    }
    --blockDepth_;
    Leave();
    // Nothing after the root's end is looked at.
    if (!isRoot) Next();
  }

  void ParseProperty(ObjProperty& prop) {
    if (tok_ != Tok::kSymbol) Fail("Identifier expected");
    if (!Storing()) prop.value.aggregate.reset();
    prop.line = tokLine_;
    prop.path = DottedName(prop.value, /*path=*/true);
    if (!IsChar('=')) Fail("''='' expected");
    Next();
    ParseValue(prop.value);
  }

  // A block's start (or, for null, the end of the current one) to the visitor.
  void Deliver(ObjBlock* block) {
    if (held_) return;
    if (!holdVisitorErrors_) {
      block ? visitor_->BeginBlock(*block) : visitor_->EndBlock();
      return;
    }
    try {
      block ? visitor_->BeginBlock(*block) : visitor_->EndBlock();
    } catch (const ObjTextError&) {
      held_ = std::current_exception();
      mode_ = Mode::kCheck;
    }
  }

  ObjAggregate& Aggregate(ObjValue& v) {
    if (!v.aggregate) v.aggregate = std::make_unique<ObjAggregate>();
    return *v.aggregate;
  }

  void ParseValue(ObjValue& v) {
    using K = ObjValue::Kind;
    switch (tok_) {
      case Tok::kInteger:
        v.kind = K::kInteger;
        v.integer = IntegerValue();
        Next();
        return;
      case Tok::kFloat:
        v.kind = K::kFloat;
        v.real = FloatValue();
        v.floatMark = floatMark_;
        Next();
        return;
      case Tok::kString: {
        v.kind = K::kString;
        v.wide = wide_;
        const char* begin = tokBegin_;
        bool plain = strPlain_;
        std::string_view view = strView_;
        const char* last = tokEnd_;
        Next();
        while (IsChar('+')) {
          Next();
          if (tok_ != Tok::kString) Fail("String expected");
          plain = false;
          v.wide = v.wide || wide_;
          last = tokEnd_;
          Next();
        }
        v.encoded = !plain;
        v.text = plain ? view : std::string_view(begin, static_cast<size_t>(last - begin));
        return;
      }
      case Tok::kSymbol:
        v.kind = K::kIdentifier;
        v.text = DottedName(v, /*path=*/false);
        return;
      case Tok::kBinary:
        v.kind = K::kBinary;
        v.text = {binBegin_, static_cast<size_t>(binEnd_ - binBegin_)};
        Next();
        return;
      case Tok::kChar: break;
      case Tok::kEof: Fail("Invalid property value");
    }
    if (tokChar_ == '[') {
      v.kind = K::kSet;
      Next();
      if (!IsChar(']')) {
        for (;;) {
          if (tok_ != Tok::kSymbol && tok_ != Tok::kInteger) Fail("Identifier expected");
          if (tok_ == Tok::kInteger) {
            const int64_t n = IntegerValue();
            if (Storing()) {
              ObjValue& item = Aggregate(v).items.emplace_back();
              item.kind = K::kInteger;
              item.integer = n;
            }
          } else if (Storing()) {
            ObjValue& item = Aggregate(v).items.emplace_back();
            item.kind = K::kIdentifier;
            item.text = TokText();
          }
          Next();
          if (IsChar(']')) break;
          if (!IsChar(',')) Fail("'','' expected");
          Next();
        }
      }
      Next();
      return;
    }
    if (tokChar_ == '(') {
      v.kind = K::kList;
      Enter();
      Next();
      if (Storing()) {
        std::vector<ObjValue>& items = Aggregate(v).items;
        while (!IsChar(')')) ParseValue(items.emplace_back());
      } else {
        while (!IsChar(')')) {
          ObjValue item;
          ParseValue(item);
        }
      }
      Leave();
      Next();
      return;
    }
    if (tokChar_ == '<') {
      v.kind = K::kCollection;
      Enter();
      Next();
      while (!IsChar('>')) {
        if (!IsKeyword("item")) Fail("item expected");
        Next();
        ObjValue::Item item;
        if (IsChar('[')) {
          Next();
          if (tok_ != Tok::kInteger) Fail("Number expected");
          item.hasIndex = true;
          item.index = IntegerValue();
          Next();
          if (!IsChar(']')) Fail("'']'' expected");
          Next();
        }
        while (!IsKeyword("end")) {
          if (Storing()) {
            item.properties.emplace_back();
            ParseProperty(item.properties.back());
          } else {
            ObjProperty prop;
            ParseProperty(prop);
          }
        }
        Next();
        if (Storing()) Aggregate(v).collection.push_back(std::move(item));
      }
      Leave();
      Next();
      return;
    }
    Fail("Invalid property value");
  }

  const char* p_;
  const char* end_;
  int line_ = 1;
  int depth_ = 0;
  size_t blockDepth_ = 0;
  Mode mode_;
  ObjBlockVisitor* visitor_;
  bool holdVisitorErrors_ = false;
  std::exception_ptr held_;

  Tok tok_ = Tok::kEof;
  const char* tokBegin_ = nullptr;
  const char* tokEnd_ = nullptr;
  const char* numberEnd_ = nullptr;
  int tokLine_ = 1;
  char tokChar_ = 0;
  char floatMark_ = 0;
  bool wide_ = false;
  bool strPlain_ = false;
  std::string_view strView_;
  const char* binBegin_ = nullptr;
  const char* binEnd_ = nullptr;

  ObjProperty scratchProperty_;
  // Reused per nesting level of blocks (a deque: growing it moves no level's storage).
  std::deque<std::vector<ObjProperty>> treeProperties_;
  std::deque<std::vector<ObjBlock>> treeChildren_;
  std::deque<ObjBlock> streamBlocks_;
};

}  // namespace

// ---- values

void ObjValue::AppendString(std::string& out) const {
  if (!encoded) {
    out.append(text);
    return;
  }
  // The source was checked by the parser: pieces, and blanks and `+` between them.
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    const char c = *p;
    if (c == '\'') {
      ++p;
      for (;;) {
        const char* q = p;
        while (q < end && *q != '\'') ++q;
        out.append(p, q);
        p = q + 1;
        if (p < end && *p == '\'') {
          out.push_back('\'');
          ++p;
          continue;
        }
        break;
      }
    } else if (c == '#') {
      ++p;
      uint32_t code = 0;
      while (p < end && IsDigit(static_cast<unsigned char>(*p))) {
        if (code < 0x110000) code = code * 10 + static_cast<uint32_t>(*p - '0');
        ++p;
      }
      out.push_back(code >= 256 ? '?' : static_cast<char>(code));
    } else {
      ++p;  // a blank, a line break or the `+` between pieces
    }
  }
}

std::string ObjValue::String() const {
  std::string s;
  if (encoded) s.reserve(text.size());
  AppendString(s);
  return s;
}

void ObjValue::AppendBytes(std::string& out) const {
  const char* p = text.data();
  const char* const end = p + text.size();
  const size_t start = out.size();
  out.resize(start + text.size() / 2);
  char* d = out.data() + start;
  while (p < end) {
    if (static_cast<unsigned char>(*p) <= ' ') {
      ++p;
      continue;
    }
    // The parser let through only whole pairs of digits.
    *d++ =
        static_cast<char>((kHex.v[static_cast<unsigned char>(p[0])] << 4) | kHex.v[static_cast<unsigned char>(p[1])]);
    p += 2;
  }
  out.resize(static_cast<size_t>(d - out.data()));
}

std::string ObjValue::Bytes() const {
  std::string s;
  AppendBytes(s);
  return s;
}

// ---- entry points

ObjBlock ParseObjectText(std::string_view text) { return Parser(text, Mode::kTree).ParseRoot(); }

void CheckObjectTextSyntax(std::string_view text) { Parser(text, Mode::kCheck).Run(); }

void VisitObjectText(std::string_view text, ObjBlockVisitor& visitor) {
  CheckObjectTextSyntax(text);
  Parser(text, Mode::kStream, &visitor).Run();
}

void VisitObjectTextOnce(std::string_view text, ObjBlockVisitor& visitor) {
  Parser parser(text, Mode::kStream, &visitor);
  parser.HoldVisitorErrors();
  parser.Run();
}

}  // namespace stallora
