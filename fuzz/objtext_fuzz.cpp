// The object text reader on arbitrary bytes: it may refuse them, but must never crash,
// hang or read out of bounds. Whatever it accepts must survive a write and a second read
// unchanged.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/objtext.h"
#include "test_records.h"

using namespace stallora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    CheckObjectTextSyntax(text);
  } catch (const ObjTextError&) {
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
