#pragma once
// The syntax tree of one object text block, as the grammar check leaves it. Values keep
// what the text said (decoded strings, converted numbers); assigning them to records is
// the reader's business.

#include <cstdint>
#include <string>
#include <vector>

namespace stallora {

struct ObjProperty;

struct ObjValue {
  enum class Kind : uint8_t { kInteger, kFloat, kString, kIdentifier, kSet, kList, kBinary, kCollection };
  Kind kind = Kind::kInteger;
  bool wide = false;   // a string with a character code of 256 or more
  char floatMark = 0;  // 's', 'c' or 'd' (lower case) for a marked float, else 0
  int64_t integer = 0;
  double real = 0;
  // String bytes (codes of 256 and more kept as '?'), an identifier with its dotted
  // parts, or the bytes of a binary block.
  std::string text;
  std::vector<ObjValue> items;  // set items and list values
  struct Item {
    bool hasIndex = false;
    int64_t index = 0;
    std::vector<ObjProperty> properties;
  };
  std::vector<Item> collection;
};

struct ObjProperty {
  std::string path;  // dotted parts joined by '.'
  ObjValue value;
  int line = 0;
};

struct ObjBlock {
  std::string keyword;  // object, inherited or inline, as written
  std::string instanceName;
  std::string className;
  bool hasPosition = false;
  int64_t position = 0;
  int line = 0;
  std::vector<ObjProperty> properties;
  std::vector<ObjBlock> children;
};

}  // namespace stallora
