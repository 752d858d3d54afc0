// The workspace among sync tools and other programs: the conflict copies found in the save
// directory, and the lock that tells who else has the workspace open.

#include <ctime>

#include "core/conflictnames.h"
#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/textutil.h"
#include "stable/workspace.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

inline constexpr Text kConflictCopy{
    "scan.conflictcopy",
    "Konfliktkopi af {original}. Den læses ikke og slettes ikke af programmet: sammenlign den med "
    "{original}, før ændringerne herfra tilføjes, og slet den selv bagefter."};

std::string ConflictCopyMessage(const fs::path& copy, const std::string& original, const fs::path& S) {
  std::string text = Tr(kConflictCopy);
  const std::string of = PathTextBelow(copy.parent_path() / PathFromText(original), S);
  for (size_t at = text.find("{original}"); at != std::string::npos; at = text.find("{original}", at + of.size()))
    text.replace(at, 10, of);
  return FileMessage(copy, S, text);
}

bool Hidden(const fs::path& p) {
  const std::string n = p.filename().string();
  return !n.empty() && n[0] == '.';
}

}  // namespace

namespace {

// Whether `entries`, the listing of a directory, hold `file` as fs::exists would find it.
bool Listed(const std::vector<fs::directory_entry>& entries, const fs::path& file) {
  std::error_code ec;
  for (const auto& e : entries)
    if (e.path().filename() == file) return !e.is_symlink(ec) || fs::exists(e.path(), ec);
  return false;
}

}  // namespace

std::vector<std::string> Workspace::ConflictCopyMessages() const { return ConflictCopyMessages(ScannedDirectories{}); }

std::vector<std::string> Workspace::ConflictCopyMessages(const ScannedDirectories& scanned) const {
  std::vector<std::string> messages;
  const fs::path S = app_.preferences.SaveDirectory();
  std::error_code ec;
  // The save directory and two levels below it hold every file the program keeps: the
  // contacts, the feed lists (Feeds/<nr>), the stables and the horses.
  auto visit = [&](const fs::path& dir, int depth, auto& self) -> void {
    if (depth == 2) {
      if (auto known = scanned.find(dir.native()); known != scanned.end()) {
        messages.insert(messages.end(), known->second.messages.begin(), known->second.messages.end());
        return;
      }
    }
    for (const auto& e : SortedEntries(dir)) {
      if (Hidden(e.path()) || e.is_symlink(ec)) continue;
      const std::string name = TextFromPath(e.path().filename());
      const bool directory = e.is_directory(ec);
      // A record's own directory and file keep their names, whatever they look like.
      bool own = false;
      if (!directory) {
        own = TextFromPath(e.path().stem()) == TextFromPath(dir.filename());
      } else if (auto known = depth == 1 ? scanned.find(e.path().native()) : scanned.end(); known != scanned.end()) {
        own = known->second.own;
      } else {
        own = fs::exists(e.path() / PathFromText(name + ".eqs"), ec) || fs::exists(e.path() / PathFromText(name + ".eqh"), ec);
      }
      if (auto original = own ? std::nullopt : ConflictCopyOriginal(name)) {
        messages.push_back(ConflictCopyMessage(e.path(), *original, S));
        continue;
      }
      if (depth < 2 && directory) self(e.path(), depth + 1, self);
    }
  };
  visit(S, 0, visit);
  return messages;
}

Workspace::ScannedDirectory Workspace::ScanForConflictCopies(const fs::path& dir,
                                                               const std::vector<fs::directory_entry>& entries) const {
  ScannedDirectory out;
  const fs::path S = app_.preferences.SaveDirectory();
  const std::string dirName = TextFromPath(dir.filename());
  out.own = Listed(entries, PathFromText(dirName + ".eqs")) || Listed(entries, PathFromText(dirName + ".eqh"));
  std::error_code ec;
  // As the search above reads a directory two levels down: nothing deeper is looked at.
  for (const auto& e : entries) {
    if (Hidden(e.path()) || e.is_symlink(ec)) continue;
    const std::string name = TextFromPath(e.path().filename());
    const bool own = e.is_directory(ec) ? (fs::exists(e.path() / PathFromText(name + ".eqs"), ec) ||
                                           fs::exists(e.path() / PathFromText(name + ".eqh"), ec))
                                        : TextFromPath(e.path().stem()) == dirName;
    if (auto original = own ? std::nullopt : ConflictCopyOriginal(name))
      out.messages.push_back(ConflictCopyMessage(e.path(), *original, S));
  }
  return out;
}

void Workspace::TakeWorkspaceLock(bool take) {
  takeLock_ = take;
  if (!take) lock_.Release();
}

std::string Workspace::LockMessage() {
  const fs::path S = app_.preferences.SaveDirectory();
  const int64_t now = static_cast<int64_t>(std::time(nullptr));
  if (takeLock_)
    lock_.Acquire(S, now);
  else
    lock_.Look(S, now);
  return lock_.Message(app_.regional);
}

}  // namespace stallora
