// A horse file of arbitrary bytes read into a horse: refused or read, never a crash; what is
// read writes and reads back the same.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/objtext.h"
#include "nutrition/hest.h"
#include "stable/workspace.h"

using namespace stallora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool registered = [] {
    RegisterAllRecordClasses();
    return true;
  }();
  (void)registered;
  static FixedClock clock(EncodeDate(2026, 12, 9));
  static RecordEnvironment env(clock, Regional{}, 45, nullptr);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  THest horse(env);
  try {
    ReadRecordText(text, horse, ClassRegistry::Global(), &env);
    horse.AfterLoad();
  } catch (const ObjTextError&) {
    return 0;
  }
  (void)horse.AktuellVekt();
  (void)horse.Fingerprint();
  std::string first;
  try {
    first = RecordText(horse);
  } catch (const ObjTextError&) {
    return 0;
  }
  THest again(env);
  try {
    ReadRecordText(first, again, ClassRegistry::Global(), &env);
  } catch (const ObjTextError& e) {
    std::fprintf(stderr, "written horse does not read back: %s\n", e.what());
    std::abort();
  }
  if (RecordText(again) != first) std::abort();
  return 0;
}
