// The online service's version file and the picture-tag rewrite of mailed reports on
// arbitrary bytes: parsing never crashes, what it yields holds no line break, a file name it
// lets through is one safe path component, and the rewrite never grows a text nor touches
// its line ends.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/cp1252.h"
#include "stable/mail.h"
#include "stable/online_service.h"

using namespace stallora;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

size_t Count(std::string_view s, char c) {
  size_t n = 0;
  for (char x : s) n += x == c;
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const VersionFile v = ParseVersionFile(text);
  Check(!HasLineBreak(v.versionText));
  Check(v.hasVersionLine || v.listLine == VersionFile::ListLine::Absent);
  if (v.listLine == VersionFile::ListLine::Malformed) Check(!v.problem.empty() && v.listFile.empty());
  if (v.listLine == VersionFile::ListLine::Offered) {
    Check(!HasLineBreak(v.listFile));
    if (!ValidateOfferedFileName(v.listFile)) {
      const std::string& name = v.listFile;
      Check(name.find_first_of("/\\") == std::string::npos && name.find("..") == std::string::npos);
      for (char c : name) Check(static_cast<unsigned char>(c) >= 32 && c != 127);
      const std::filesystem::path p = PathFromText(name);
      Check(p.filename() == p && !p.has_parent_path());
      for (char c : PercentEncodePathSegment(name))
        Check((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
              c == '_' || c == '~' || c == '%');
    }
  }
  if (auto number = ParsePointNumber(text)) Check(*number == *number);

  std::vector<std::string> pictures;
  const std::string rewritten = RewritePictureTags(text, "resources.stallora.example", pictures);
  Check(rewritten.size() <= text.size());
  Check(Count(rewritten, '\n') == Count(text, '\n') && Count(rewritten, '\r') == Count(text, '\r'));
  if (pictures.empty()) Check(rewritten == text);
  for (const std::string& p : pictures) Check(!HasLineBreak(p));
  return 0;
}
