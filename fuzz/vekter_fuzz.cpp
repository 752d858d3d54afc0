// The reader of a weight list's "Vekter" lines on arbitrary bytes: it may refuse a line,
// but must never crash or read out of bounds. Whatever it has taken (also the lines before
// a refused one) must write, and the written text must read back to the same text.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/record.h"
#include "nutrition/vekt.h"

using namespace stallora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TVektListe list;
  try {
    list.ReadVekter(text);
  } catch (const ObjTextError&) {
  }
  std::string first;
  try {
    first = list.WriteVekter();
  } catch (const ObjTextError& e) {
    std::fprintf(stderr, "weighings that were read cannot be written: %s\n", e.what());
    std::abort();
  }
  TVektListe again;
  try {
    again.ReadVekter(first);
  } catch (const ObjTextError& e) {
    std::fprintf(stderr, "written text does not read back: %s\n", e.what());
    std::abort();
  }
  if (again.Antall() != list.Antall() || again.WriteVekter() != first) {
    std::fprintf(stderr, "second write differs from the first\n");
    std::abort();
  }
  return 0;
}
