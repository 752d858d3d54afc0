// The feed list text file reader on arbitrary bytes: it may refuse them (a message, or an
// error that ends the import), but must never crash, hang or read out of bounds. What it
// reads must be writable as object text, and that text must read back as the same list.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/environment.h"
#include "core/daynum.h"
#include "core/objtext.h"
#include "feeds/feedlist.h"
#include "feeds/feedlist_import.h"

using namespace stallora;

namespace {

struct Setup {
  Setup() : clock(EncodeDate(2025, 1, 15)), env(clock, Regional{}, 45, &active) { RegisterFeedClasses(); }
  FixedClock clock;
  TEnergyProteinObj active;
  RecordEnvironment env;
};

[[noreturn]] void Die(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Setup setup;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TForListe list(setup.env);
  RecordingMessages messages;
  try {
    ReadFeedListText(list, bytes, "fuzz.txt", messages);
  } catch (const FeedImportError&) {
    return 0;
  }
  for (const auto& f : list.Feeds()) {
    if (f->Fortype > kMaxFeedCategory) Die("category out of range");
    if (f->Fornavn.size() > 255 || f->Brand.size() > 255) Die("name longer than 255");
    if (f->ValueCount() > 24) Die("more than 24 analysis values");
  }
  std::string first;
  try {
    first = RecordText(list);
  } catch (const ObjTextError& e) {
    std::fprintf(stderr, "an imported list cannot be written: %s\n", e.what());
    std::abort();
  }
  TForListe again(setup.env);
  try {
    ReadRecordText(first, again, ClassRegistry::Global(), &setup.env);
  } catch (const ObjTextError& e) {
    std::fprintf(stderr, "written text does not read back: %s\n", e.what());
    std::abort();
  }
  if (again.Count() != list.Count()) Die("feed count changed");
  for (int i = 0; i < list.Count(); ++i)
    if (again.FeedAt(i)->Fornavn != list.FeedAt(i)->Fornavn) Die("feed name changed");
  // The analysis lines keep ten characters of each value, so the first write may round; from
  // then on writing and reading must be stable.
  const std::string second = RecordText(again);
  TForListe third(setup.env);
  ReadRecordText(second, third, ClassRegistry::Global(), &setup.env);
  if (RecordText(third) != second) Die("writing is not stable after one read");
  return 0;
}
