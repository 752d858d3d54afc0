#pragma once
// The syntax tree of one object text block, as the grammar check leaves it.
//
// The tree is small beside the text it was read from: names, identifiers, plain strings and
// binary blocks are views into that text (which must outlive the tree), numbers are
// converted, and only sets, lists and collections have storage of their own. A string that
// needs decoding (character codes, doubled apostrophes, pieces joined by `+`) keeps the view
// of its source and is decoded when it is asked for; so is a binary block.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace stallora {

struct ObjProperty;
struct ObjAggregate;

struct ObjValue {
  enum class Kind : uint8_t { kInteger, kFloat, kString, kIdentifier, kSet, kList, kBinary, kCollection };
  Kind kind = Kind::kInteger;
  bool wide = false;     // a string with a character code of 256 or more
  char floatMark = 0;    // 's', 'c' or 'd' (lower case) for a marked float, else 0
  bool encoded = false;  // a string whose `text` is its source, to be decoded by String()
  union {
    int64_t integer = 0;
    double real;
  };
  // A plain string's bytes; an encoded string's source; an identifier with its dotted parts;
  // the hexadecimal digits of a binary block (blanks and line breaks included).
  std::string_view text;
  // Set items, list values and collection items; null for every other kind.
  std::unique_ptr<ObjAggregate> aggregate;

  // The string's bytes (codes of 256 and more as '?').
  std::string String() const;
  // Appends them (for callers that reuse a buffer).
  void AppendString(std::string& out) const;
  // The bytes of a binary block.
  std::string Bytes() const;
  void AppendBytes(std::string& out) const;

  std::span<const ObjValue> Items() const;
  std::span<ObjValue> Items();
  struct Item;
  std::span<const Item> Collection() const;
};

struct ObjProperty {
  std::string_view path;  // dotted parts joined by '.'
  ObjValue value;
  int line = 0;
};

struct ObjValue::Item {
  bool hasIndex = false;
  int64_t index = 0;
  std::vector<ObjProperty> properties;
};

struct ObjAggregate {
  std::vector<ObjValue> items;              // set items and list values
  std::vector<ObjValue::Item> collection;  // collection items
  // The joined text of a dotted identifier or path written with blanks between its parts
  // (`a . b`): the view then points here.
  std::string joinedText;
  std::string joinedPath;
};

struct ObjBlock {
  std::string_view keyword;  // object, inherited or inline, as written
  std::string_view instanceName;
  std::string_view className;
  bool hasPosition = false;
  int64_t position = 0;
  int line = 0;
  std::vector<ObjProperty> properties;
  std::vector<ObjBlock> children;
};

inline std::span<const ObjValue> ObjValue::Items() const {
  if (!aggregate) return {};
  return aggregate->items;
}
inline std::span<ObjValue> ObjValue::Items() {
  if (!aggregate) return {};
  return aggregate->items;
}
inline std::span<const ObjValue::Item> ObjValue::Collection() const {
  if (!aggregate) return {};
  return aggregate->collection;
}

}  // namespace stallora
