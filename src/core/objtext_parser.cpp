#include "core/objtext_parser.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

#include <fmt/format.h>

#include "core/textutil.h"

namespace stallora {
namespace {

enum class Tok : uint8_t { kEof, kSymbol, kString, kInteger, kFloat, kBinary, kChar };

constexpr bool IsAlpha(unsigned char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
constexpr bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
constexpr bool IsIdentStart(unsigned char c) { return IsAlpha(c) || c == '_'; }
constexpr bool IsIdentChar(unsigned char c) { return IsAlpha(c) || IsDigit(c) || c == '_'; }

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

class Parser {
 public:
  explicit Parser(std::string_view text) : p_(text.data()), end_(text.data() + text.size()) {
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

 private:
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

  void ScanString() {
    str_.clear();
    wide_ = false;
    for (;;) {
      if (p_ < end_ && *p_ == '\'') {
        ++p_;
        for (;;) {
          const char* q = p_;
          while (q < end_ && *q != '\'' && *q != '\n' && *q != '\r') ++q;
          if (q == end_ || *q != '\'') {
            p_ = q;
            Fail("Invalid string constant", line_);
          }
          str_.append(p_, q);
          p_ = q + 1;
          if (p_ < end_ && *p_ == '\'') {  // '' stands for one apostrophe
            str_.push_back('\'');
            ++p_;
            continue;
          }
          break;
        }
      } else if (p_ < end_ && *p_ == '#') {
        ++p_;
        uint32_t code = 0;
        while (p_ < end_ && IsDigit(static_cast<unsigned char>(*p_))) {
          if (code < 0x110000) code = code * 10 + static_cast<uint32_t>(*p_ - '0');
          ++p_;
        }
        if (code >= 256) {
          wide_ = true;
          str_.push_back('?');
        } else {
          str_.push_back(static_cast<char>(code));
        }
      } else {
        break;
      }
    }
  }

  void ScanBinary() {
    str_.clear();
    ++p_;  // '{'
    for (;;) {
      while (p_ < end_ && static_cast<unsigned char>(*p_) <= ' ') {
        if (*p_ == '\n') ++line_;
        ++p_;
      }
      if (p_ == end_) Fail("Invalid binary value", line_);
      if (*p_ == '}') {
        ++p_;
        return;
      }
      // Whole runs of digit pairs are the common case; decode them without re-checking blanks.
      while (end_ - p_ >= 2) {
        const int hi = kHex.v[static_cast<unsigned char>(p_[0])];
        const int lo = kHex.v[static_cast<unsigned char>(p_[1])];
        if ((hi | lo) < 0) break;
        str_.push_back(static_cast<char>((hi << 4) | lo));
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
      for (size_t i = 1; ok && i < t.size(); ++i) u = (u << 4) | static_cast<uint64_t>(kHex.v[static_cast<unsigned char>(t[i])]);
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

  // ---- grammar ----

  void ParseBlock(ObjBlock& block, bool isRoot) {
    if (!IsBlockStart()) Fail("OBJECT expected");
    Enter();
    block.keyword.assign(TokText());
    block.line = tokLine_;
    Next();
    if (tok_ != Tok::kSymbol) Fail("Identifier expected");
    block.className.assign(TokText());
    Next();
    if (IsChar(':')) {
      Next();
      if (tok_ != Tok::kSymbol) Fail("Identifier expected");
      block.instanceName = std::move(block.className);
      block.className.assign(TokText());
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
    while (!IsKeyword("end") && !IsBlockStart()) {
      block.properties.emplace_back();
      ParseProperty(block.properties.back());
    }
    while (!IsKeyword("end")) {
      block.children.emplace_back();
      ParseBlock(block.children.back(), false);
    }
    Leave();
    // Nothing after the root's end is looked at.
    if (!isRoot) Next();
  }

  void ParseProperty(ObjProperty& prop) {
    if (tok_ != Tok::kSymbol) Fail("Identifier expected");
    prop.line = tokLine_;
    prop.path.assign(TokText());
    Next();
    while (IsChar('.')) {
      Next();
      if (tok_ != Tok::kSymbol) Fail("Identifier expected");
      prop.path.push_back('.');
      prop.path.append(TokText());
      Next();
    }
    if (!IsChar('=')) Fail("''='' expected");
    Next();
    ParseValue(prop.value);
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
      case Tok::kString:
        v.kind = K::kString;
        v.text = std::move(str_);
        v.wide = wide_;
        Next();
        while (IsChar('+')) {
          Next();
          if (tok_ != Tok::kString) Fail("String expected");
          v.text += str_;
          v.wide = v.wide || wide_;
          Next();
        }
        return;
      case Tok::kSymbol:
        v.kind = K::kIdentifier;
        v.text.assign(TokText());
        Next();
        while (IsChar('.')) {
          Next();
          if (tok_ != Tok::kSymbol) Fail("Identifier expected");
          v.text.push_back('.');
          v.text.append(TokText());
          Next();
        }
        return;
      case Tok::kBinary:
        v.kind = K::kBinary;
        v.text = std::move(str_);
        Next();
        return;
      case Tok::kChar:
        break;
      case Tok::kEof:
        Fail("Invalid property value");
    }
    if (tokChar_ == '[') {
      v.kind = K::kSet;
      Next();
      if (!IsChar(']')) {
        for (;;) {
          if (tok_ != Tok::kSymbol && tok_ != Tok::kInteger) Fail("Identifier expected");
          ObjValue item;
          if (tok_ == Tok::kInteger) {
            item.kind = K::kInteger;
            item.integer = IntegerValue();
          } else {
            item.kind = K::kIdentifier;
            item.text.assign(TokText());
          }
          v.items.push_back(std::move(item));
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
      while (!IsChar(')')) {
        v.items.emplace_back();
        ParseValue(v.items.back());
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
          item.properties.emplace_back();
          ParseProperty(item.properties.back());
        }
        Next();
        v.collection.push_back(std::move(item));
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

  Tok tok_ = Tok::kEof;
  const char* tokBegin_ = nullptr;
  const char* tokEnd_ = nullptr;
  const char* numberEnd_ = nullptr;
  int tokLine_ = 1;
  char tokChar_ = 0;
  char floatMark_ = 0;
  bool wide_ = false;
  std::string str_;
};

}  // namespace

ObjBlock ParseObjectText(std::string_view text) { return Parser(text).ParseRoot(); }

void CheckObjectTextSyntax(std::string_view text) { (void)ParseObjectText(text); }

}  // namespace stallora
