// The object text reader on arbitrary bytes: it may refuse them, but must never crash,
// hang or read out of bounds. The grammar check that stores nothing and the parser that
// builds the tree must give the same verdict. Whatever it accepts must survive a write and
// a second read unchanged.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/objtext.h"
#include "test_records.h"

using namespace stallora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string checked = "OK", parsed = "OK";
  try {
    CheckObjectTextSyntax(text);
  } catch (const ObjTextError& e) {
    checked = e.what();
  }
  try {
    const ObjBlock tree = ParseObjectText(text);
    // Every value can be decoded.
    for (const ObjProperty& p : tree.properties) {
      if (p.value.kind == ObjValue::Kind::kString) (void)p.value.String();
      if (p.value.kind == ObjValue::Kind::kBinary) (void)p.value.Bytes();
    }
  } catch (const ObjTextError& e) {
    parsed = e.what();
  }
  if (checked != parsed) {
    std::fprintf(stderr, "the check says \"%s\", the parser \"%s\"\n", checked.c_str(), parsed.c_str());
    std::abort();
  }
  testing::TStableWithExtras record;
  try {
    ReadRecordText(text, record, testing::TestRegistry());
  } catch (const ObjTextError&) {
    return 0;
  }
  std::string first;
  try {
    first = RecordText(record);
  } catch (const ObjTextError&) {
    return 0;
  }
  testing::TStableWithExtras again;
  try {
    ReadRecordText(first, again, testing::TestRegistry());
  } catch (const ObjTextError& e) {
    std::fprintf(stderr, "written text does not read back: %s\n", e.what());
    std::abort();
  }
  if (RecordText(again) != first) {
    std::fprintf(stderr, "second write differs from the first\n");
    std::abort();
  }
  return 0;
}
