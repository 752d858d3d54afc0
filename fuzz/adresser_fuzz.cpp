// The contacts file and its line parser on arbitrary bytes: loading never crashes, every
// parsed line written back has exactly eleven fields, and a written register reads back
// unchanged.

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "stable/adresser.h"

using namespace stallora;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// One scratch file per fuzzing process, removed when the process ends.
struct ScratchFile {
  std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("stallora-adresser-fuzz-" + std::to_string(::getpid()) + ".txt");
  ~ScratchFile() {
    std::error_code ec;
    std::filesystem::remove(path, ec);
  }
};

const std::filesystem::path& FilePath() {
  static const ScratchFile file;
  return file.path;
}

void CheckLine(const std::string& line) {
  const TAdrRec rec = StringToAdrRec(line);
  const std::string written = AdrRecToString(rec);
  Check(std::count(written.begin(), written.end(), '%') == 11);
  Check(written.find_first_of("\r\n") == std::string::npos);
  const TAdrRec again = StringToAdrRec(written);
  Check(StringToAdrRec(AdrRecToString(again)) == again);
  Check(again.Kategori == rec.Kategori);
  Check(again.Navn == rec.Navn);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  TAdresser a;
  a.SetFileText(bytes);
  for (const std::string& line : a.AdresseListe) {
    Check(line.find_first_of("\r\n") == std::string::npos);
    CheckLine(line);
  }

  TAdresser b;
  b.SetFileText(a.FileText());
  Check(b.AdresseListe == a.AdresseListe);

  // The queries over whatever was read.
  const StringList names = a.NameList();
  Check(names.size() == a.AdresseListe.size());
  const int n = static_cast<int>(a.AdresseListe.size());
  for (int i = -1; i <= n && i < 64; ++i) {
    const std::string name = a.GetName(i);
    const int32_t kategori = a.GetAdressatKategori(i);
    if (i < 0 || i >= n) {
      Check(name.empty() && kategori == 0);
      continue;
    }
    Check(name == names[i]);
    const int nr = a.GetAdresseNr(name, kategori);
    Check(nr >= 0 && nr <= i);
    Check(a.DuplicateNameExists(name));
    int dup = -2;
    Check(a.DuplicateExists(StringToAdrRec(a.AdresseListe[i]), dup) && dup >= 0 && dup <= i);
    (void)a.GetEmail(name);
    (void)a.SelectedNameList(kategori);
  }
  const int index = size > 0 ? static_cast<int>(data[0]) - 128 : 0;
  const bool inside = index >= 0 && index < n;
  Check(a.UpdateRecord(index, StringToAdrRec(bytes)) == inside);
  Check(a.DeleteRecord(index) == inside);

  // The same bytes through the file loader.
  {
    std::ofstream(FilePath(), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  TAdresser c;
  Check(c.LoadfromFile(FilePath()));
  Check(c.AdresseListe == b.AdresseListe);
  return 0;
}
