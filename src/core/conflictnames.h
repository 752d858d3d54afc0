#pragma once
// The names of conflict copies: the files a sync tool writes beside a file that two machines
// changed at once, and the ones this program writes when the user keeps his own version.
// They are the other side's data: never read as records, never removed by a clean-up.

#include <optional>
#include <string>
#include <string_view>

namespace stallora {

// The name of the file a conflict copy belongs to, or nothing when the name is no conflict
// copy's. Recognised (each marker with a digit after it, so that "Hø (conflict)" chosen by a
// user stays an ordinary name):
//   Syncthing          "Blakken.sync-conflict-20250102-101500-ABCDEFG.eqh"
//   Dropbox, Nextcloud "Blakken (conflicted copy 2025-01-02 101500).eqh",
//                      "Blakken (Anna's conflicted copy 2025-01-02).eqh"
//   Seafile            "Blakken (SFConflict anna@example.org 2025-01-02-10-15-00).eqh"
//   ownCloud           "Blakken_conflict-20250102-101500.eqh"
//   Resilio            "Blakken.Conflict.eqh", "Blakken.Conflict (2).eqh"
//   Dropbox, no digit  "Blakken (Case Conflict).eqh", "Nord (Selective Sync Conflict)"
//   this program       "Blakken (conflict 2025-01-02 10.15).eqh"
// and the like: any bracketed part ("(...)" or "[...]") holding "conflict" in any case and a
// digit.
std::optional<std::string> ConflictCopyOriginal(std::string_view fileName);
inline bool IsConflictCopyName(std::string_view fileName) { return ConflictCopyOriginal(fileName).has_value(); }

}  // namespace stallora
