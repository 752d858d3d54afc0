#include "config/program_directory.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <vector>

#include "config/country_settings.h"
#include "core/fileio.h"
#include "core/textutil.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

// Top-level entries of the installed data that are not program files: the demo workspace is
// the template of a user's first workspace (copied once, never refreshed), and the service
// folder is what the resource server publishes.
bool IsInstalledFileRoot(const std::string& name) {
  return !name.empty() && name[0] != '.' && name != "Save" && name != "service";
}

std::string Hash(std::string_view bytes) {
  std::uint64_t h = 14695981039346656037ull;  // FNV-1a: to recognise content, not to protect it
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 1099511628211ull;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
  return text;
}

std::string Failure(const fs::path& what, const std::string& reason = {}) {
  std::string m = Tr(kProgramDirectoryFailed) + ": " + PathText(what);
  if (!reason.empty()) m += " (" + reason + ")";
  return m;
}

// Relative path (generic form) -> hash of the content last copied from the installed data.
using Manifest = std::map<std::string, std::string>;

Manifest ReadManifest(const fs::path& file) {
  Manifest m;
  const std::optional<std::string> text = ReadWholeFile(file);
  if (!text) return m;
  size_t pos = 0;
  while (pos < text->size()) {
    size_t end = text->find('\n', pos);
    if (end == std::string::npos) end = text->size();
    const std::string_view line(text->data() + pos, end - pos);
    const size_t blank = line.find(' ');
    if (blank == 16 && line.size() > 17) m[std::string(line.substr(17))] = std::string(line.substr(0, 16));
    pos = end + 1;
  }
  return m;
}

bool WriteManifest(const fs::path& file, const Manifest& m) {
  std::string text;
  for (const auto& [path, hash] : m) text += hash + " " + path + "\n";
  return WriteFileAtomically(file, text);
}

// Every regular file below `root` as paths relative to it, in a stable order.
std::vector<fs::path> FilesBelow(const fs::path& root, std::error_code& ec) {
  std::vector<fs::path> files;
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_regular_file(ec)) files.push_back(fs::relative(it->path(), root, ec));
    if (ec) break;
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Copies the demo workspace into P/Save. It is assembled under a hidden name and renamed into
// place at the end, so an interrupted copy leaves no half workspace that would later pass for
// the user's own; the next start tries again.
std::optional<std::string> CopyDemoWorkspace(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  std::random_device rd;
  const fs::path staging = to.parent_path() / (".Save." + std::to_string(rd()) + ".tmp");
  fs::remove_all(staging, ec);
  const std::vector<fs::path> files = FilesBelow(from, ec);
  if (ec) return Failure(from, ec.message());
  auto fail = [&](const fs::path& what, const std::string& reason) {
    std::error_code ignored;
    fs::remove_all(staging, ignored);
    return Failure(what, reason);
  };
  fs::create_directories(staging, ec);
  if (ec) return fail(staging, ec.message());
  for (const fs::path& rel : files) {
    const std::optional<std::string> bytes = ReadWholeFile(from / rel);
    if (!bytes) return fail(from / rel, "");
    fs::create_directories((staging / rel).parent_path(), ec);
    if (ec) return fail((staging / rel).parent_path(), ec.message());
    if (!WriteFileAtomically(staging / rel, *bytes)) return fail(to / rel, "");
  }
  fs::rename(staging, to, ec);
  if (ec) {
    // Another start of the program may have put its copy there first; that one stands.
    const bool theirs = fs::is_directory(to);
    std::error_code ignored;
    fs::remove_all(staging, ignored);
    if (!theirs) return Failure(to, ec.message());
  }
  return std::nullopt;
}

}  // namespace

fs::path ExecutableDirectory() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::current_path(ec) : exe.parent_path();
}

fs::path UserProgramDirectory(const char* xdgDataHome, const char* home) {
  if (xdgDataHome && *xdgDataHome && fs::path(xdgDataHome).is_absolute())
    return fs::path(xdgDataHome) / kInstalledDataName;
  if (home && *home && fs::path(home).is_absolute()) return fs::path(home) / ".local" / "share" / kInstalledDataName;
  return {};
}

fs::path UserProgramDirectory() { return UserProgramDirectory(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")); }

bool HoldsProgramData(const fs::path& dir) {
  const std::string& wanted = Tr(kSettingsFileName);
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec))
    if (SameText(e.path().filename().string(), wanted) && e.is_regular_file(ec)) return true;
  return false;
}

ProgramPlace LocateProgramDirectory(const fs::path& exeDir, const fs::path& userDir) {
  if (HoldsProgramData(exeDir)) return {exeDir, {}};
  const fs::path shared = (exeDir.parent_path() / "share" / kInstalledDataName).lexically_normal();
  if (HoldsProgramData(shared)) return {userDir, shared};
  return {exeDir, {}};
}

std::optional<std::string> PrepareProgramDirectory(const ProgramPlace& place) {
  if (!place.Installed()) return std::nullopt;
  const fs::path& P = place.programDir;
  const fs::path& D = place.installedData;
  if (P.empty()) return Failure(fs::path("~/.local/share") / kInstalledDataName, "HOME is not set");
  std::error_code ec;
  fs::create_directories(P, ec);
  if (ec || !fs::is_directory(P)) return Failure(P, ec ? ec.message() : "");

  const fs::path manifestFile = P / kInstalledManifestName;
  Manifest manifest = ReadManifest(manifestFile);
  const Manifest before = manifest;
  std::vector<fs::path> files = FilesBelow(D, ec);
  if (ec) return Failure(D, ec.message());
  for (const fs::path& rel : files) {
    if (!IsInstalledFileRoot(rel.begin()->string())) continue;
    const std::string key = rel.generic_string();
    const std::optional<std::string> shipped = ReadWholeFile(D / rel);
    if (!shipped) return Failure(D / rel, "");
    const std::string shippedHash = Hash(*shipped);
    const fs::path target = P / rel;
    bool copy = false;
    if (!fs::exists(target, ec)) {
      copy = true;
    } else if (const std::optional<std::string> own = ReadWholeFile(target); own) {
      const std::string ownHash = Hash(*own);
      const auto known = manifest.find(key);
      if (ownHash == shippedHash) {
        manifest[key] = shippedHash;
      } else if (known != manifest.end() && known->second == ownHash) {
        copy = true;  // the package changed the file, the user did not
      }
      // Otherwise the user changed it, or it was there before this program put anything
      // here: it is theirs and stays.
    }
    if (copy) {
      fs::create_directories(target.parent_path(), ec);
      if (ec) return Failure(target.parent_path(), ec.message());
      if (!WriteFileAtomically(target, *shipped)) return Failure(target);
      manifest[key] = shippedHash;
    }
  }
  if (manifest != before && !WriteManifest(manifestFile, manifest)) return Failure(manifestFile);

  // Only a program directory that has never been closed gets the demo: a user who works in
  // another save directory and removed P/Save does not get it back.
  const fs::path demo = D / "Save";
  if (!fs::exists(P / "Save", ec) && !fs::exists(P / "stallora.pref", ec) && fs::is_directory(demo, ec))
    if (auto failed = CopyDemoWorkspace(demo, P / "Save")) return failed;
  return std::nullopt;
}

}  // namespace stallora
