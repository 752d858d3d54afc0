// The workspace among sync tools and other programs: the conflict copies found in the save
// directory, and the lock that tells who else has the workspace open.

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
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

std::vector<std::string> Workspace::ConflictCopyMessages() const { return ConflictCopyMessages(ScannedDirectories{}); }

namespace {

// The messages of the conflict copies in `dir`, `depth` levels below the save directory `S`,
// and below it to the second level; a directory of `scanned` gives its messages from there.
// `listing` is the directory's sorted entries when they are at hand.
void VisitForConflictCopies(const fs::path& dir, int depth, const Workspace::ScannedDirectories& scanned,
                            const fs::path& S, const std::vector<fs::directory_entry>* listing,
                            std::vector<std::string>& messages) {
  if (depth >= 1) {
    if (auto known = scanned.find(dir.native()); known != scanned.end()) {
      messages.insert(messages.end(), known->second.messages.begin(), known->second.messages.end());
      return;
    }
  }
  std::error_code ec;
  std::vector<fs::directory_entry> read;
  if (!listing) {
    read = SortedEntries(dir);
    listing = &read;
  }
  for (const auto& e : *listing) {
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
    if (depth < 2 && directory) VisitForConflictCopies(e.path(), depth + 1, scanned, S, nullptr, messages);
  }
}

}  // namespace

std::vector<std::string> Workspace::ConflictCopyMessages(const ScannedDirectories& scanned) const {
  std::vector<std::string> messages;
  // The save directory and two levels below it hold every file the program keeps: the
  // contacts, the feed lists (Feeds/<nr>), the stables and the horses.
  VisitForConflictCopies(app_.preferences.SaveDirectory(), 0, scanned, app_.preferences.SaveDirectory(), nullptr,
                         messages);
  return messages;
}

Workspace::ScannedDirectory Workspace::ScanStableDirectory(const fs::path& dir,
                                                           const std::vector<fs::directory_entry>& entries,
                                                           const ScannedDirectories& horses, const fs::path& S) {
  ScannedDirectory out;
  out.own = true;
  VisitForConflictCopies(dir, 1, horses, S, &entries, out.messages);
  return out;
}

Workspace::ScannedDirectory Workspace::ScanHorseDirectory(const fs::path& dir, const fs::path& S) {
  // From the system's listing: no entry objects are built for the one or two files a horse
  // directory holds.
  std::vector<ListedName> listed;
  ListDirectory(dir, &listed);
  auto typeOf = [&](const ListedName& n) {
    if (n.type != DT_UNKNOWN) return n.type;
    struct stat st {};
    if (::lstat((dir / n.name).c_str(), &st) != 0) return static_cast<unsigned char>(DT_UNKNOWN);
    return S_ISREG(st.st_mode) ? static_cast<unsigned char>(DT_REG)
           : S_ISDIR(st.st_mode) ? static_cast<unsigned char>(DT_DIR)
           : S_ISLNK(st.st_mode) ? static_cast<unsigned char>(DT_LNK)
                                 : static_cast<unsigned char>(DT_FIFO);  // some other kind, for what is asked here
  };
  struct Named {
    std::string text;
    const ListedName* listed;
    unsigned char type;
  };
  std::vector<Named> entries;
  entries.reserve(listed.size());
  for (const ListedName& n : listed) {
    const unsigned char type = typeOf(n);
    std::error_code ec;
    // Only plain files: never a link (nor what it points to), a directory or a device.
    if (IsProgramTempFile(n.name) && type == DT_REG && fs::remove(dir / n.name, ec)) continue;
    entries.push_back({Utf8ToCp1252(n.name), &n, type});
  }
  std::sort(entries.begin(), entries.end(), [](const Named& a, const Named& b) {
    const int c = CompareText(a.text, b.text);
    return c != 0 ? c < 0 : a.listed->name < b.listed->name;
  });

  ScannedDirectory out;
  const std::string dirName = TextFromPath(dir.filename());
  std::error_code ec;
  // Whether the listing holds `file` as fs::exists would find it.
  auto listed_ = [&](const std::string& file) {
    for (const Named& e : entries)
      if (e.listed->name == file) return e.type != DT_LNK || fs::exists(dir / file, ec);
    return false;
  };
  out.own = listed_(PathFromText(dirName + ".eqs").native()) || listed_(PathFromText(dirName + ".eqh").native());
  // As the search above reads a directory two levels down: nothing deeper is looked at.
  for (const Named& e : entries) {
    if (e.listed->name[0] == '.' || e.type == DT_LNK) continue;
    const fs::path path = dir / e.listed->name;
    const std::string& name = e.text;
    bool directory = e.type == DT_DIR;
    if (e.type == DT_UNKNOWN) directory = fs::is_directory(path, ec);
    const bool own = directory ? (fs::exists(path / PathFromText(name + ".eqs"), ec) ||
                                  fs::exists(path / PathFromText(name + ".eqh"), ec))
                               : TextFromPath(path.stem()) == dirName;
    if (auto original = own ? std::nullopt : ConflictCopyOriginal(name))
      out.messages.push_back(ConflictCopyMessage(path, *original, S));
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
