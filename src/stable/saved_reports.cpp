#include "stable/saved_reports.h"

#include <algorithm>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/textutil.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

bool IsReportFileName(const std::string& name) {
  return name.size() > 4 && SameText(std::string_view(name).substr(name.size() - 4), ".htm") && name[0] != '.';
}

// A horse directory that may be listed: not hidden, no ".eqh" in its name, a name the
// program can hold, and its own horse file in it.
bool IsHorseDirectory(const fs::path& dir, const std::string& name) {
  if (name.empty() || name[0] == '.' || name.find(".eqh") != std::string::npos) return false;
  if (ValidateExistingName(name)) return false;
  std::error_code ec;
  if (!fs::is_directory(fs::symlink_status(dir, ec))) return false;
  return fs::exists(dir / PathFromText(name + ".eqh"), ec);
}

std::vector<std::string> ReportFilesIn(const fs::path& dir) {
  std::vector<std::string> files;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = TextFromPath(it->path().filename());
    if (!IsReportFileName(name)) continue;
    std::error_code st;
    if (!fs::is_regular_file(it->symlink_status(st))) continue;
    files.push_back(name);
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

bool SavedReports::Any() const {
  return std::any_of(horses.begin(), horses.end(), [](const SavedHorseReports& h) { return !h.files.empty(); });
}

SavedReports ListSavedReports(const TStall& stable) {
  SavedReports out;
  if (ValidateExistingName(stable.stallNavn)) return out;
  std::error_code ec;
  const fs::path dir = stable.StableDirectory();
  out.stableFile = fs::is_regular_file(stable.StableFilePath(), ec);
  if (!out.stableFile) return out;
  std::vector<std::string> names;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = TextFromPath(it->path().filename());
    if (IsHorseDirectory(it->path(), name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  for (const std::string& name : names) out.horses.push_back({name, ReportFilesIn(dir / PathFromText(name))});
  return out;
}

fs::path SavedReportPath(const TStall& stable, const std::string& horse, const std::string& file) {
  return stable.StableDirectory() / PathFromText(horse) / PathFromText(file);
}

bool DeleteSavedReports(const TStall& stable, const std::string& horse, const std::string& file, std::string* error) {
  const SavedReports listed = ListSavedReports(stable);
  std::string failures;
  for (const SavedHorseReports& h : listed.horses) {
    if (!horse.empty() && h.horse != horse) continue;
    for (const std::string& f : h.files) {
      if (!file.empty() && f != file) continue;
      const fs::path path = SavedReportPath(stable, h.horse, f);
      std::error_code ec;
      if (!fs::remove(path, ec) && ec)
        failures += (failures.empty() ? "" : "\n") + PathText(path) + ": " + Utf8ToCp1252(ec.message());
    }
  }
  if (!failures.empty() && error) *error = failures;
  return failures.empty();
}

}  // namespace stallora
