// The diary's RTF reader on arbitrary bytes: it must never crash, hang or read out of
// bounds, and what it reads must write as RTF that reads back to the same document.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "nutrition/rtf.h"

using namespace stallora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto doc = ReadRtf(bytes);
  (void)DiaryPlainText(bytes);
  if (!doc) return 0;
  const std::string written = WriteRtf(*doc);
  auto again = ReadRtf(written);
  if (!again) {
    std::fprintf(stderr, "written RTF does not read\n");
    std::abort();
  }
  // Writing merges runs and drops empty ones; once written, the document is stable.
  if (WriteRtf(*again) != written) {
    std::fprintf(stderr, "written RTF does not read back to the same document\n");
    std::abort();
  }
  return 0;
}
