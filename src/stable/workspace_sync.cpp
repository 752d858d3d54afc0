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

bool Hidden(const fs::path& p) {
  const std::string n = p.filename().string();
  return !n.empty() && n[0] == '.';
}

}  // namespace

std::vector<std::string> Workspace::ConflictCopyMessages() const {
  std::vector<std::string> messages;
  const fs::path S = app_.preferences.SaveDirectory();
  std::error_code ec;
  // The save directory and two levels below it hold every file the program keeps: the
  // contacts, the feed lists (Feeds/<nr>), the stables and the horses.
  auto visit = [&](const fs::path& dir, int depth, auto& self) -> void {
    for (const auto& e : SortedEntries(dir)) {
      if (Hidden(e.path()) || e.is_symlink(ec)) continue;
      const std::string name = TextFromPath(e.path().filename());
      const bool directory = e.is_directory(ec);
      // A record's own directory and file keep their names, whatever they look like.
      const bool own = directory ? (fs::exists(e.path() / PathFromText(name + ".eqs"), ec) ||
                                    fs::exists(e.path() / PathFromText(name + ".eqh"), ec))
                                 : TextFromPath(e.path().stem()) == TextFromPath(dir.filename());
      if (auto original = own ? std::nullopt : ConflictCopyOriginal(name)) {
        std::string text = Tr(kConflictCopy);
        const std::string of = PathTextBelow(e.path().parent_path() / PathFromText(*original), S);
        for (size_t at = text.find("{original}"); at != std::string::npos; at = text.find("{original}", at + of.size()))
          text.replace(at, 10, of);
        messages.push_back(FileMessage(e.path(), S, text));
        continue;
      }
      if (depth < 2 && directory) self(e.path(), depth + 1, self);
    }
  };
  visit(S, 0, visit);
  return messages;
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
