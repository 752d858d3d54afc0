#pragma once
// Feed lists from outside the workspace: the feed list text file (first line
// "Stallora - FEEDLIST", with version-1 and version-2 feed blocks) and feed list files in
// object text (.eqf, .mix) imported from anywhere on disk.

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/seams.h"
#include "core/common_texts.h"
#include "feeds/feedlist.h"

namespace stallora {

inline constexpr std::string_view kFeedListTextMark = "Stallora - FEEDLIST";
inline constexpr const Text& kAntalFoderemner = common::kAntalFoderemnerIListen;
inline constexpr const Text& kAdvarsel = common::kAdvarsel;

// An error that ends an import command: "Range check error", "'x' is not a valid date",
// "I/O error n". Nothing is to be added to the workspace.
class FeedImportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads a feed list text file into the (new, empty) list and reports by messages: a missing
// file and a file of another format end with a message and false; the feed count is
// reported at the end. Sets ForListeFilNavn to the path. Throws FeedImportError.
bool ImportFromText(TForListe& list, const std::filesystem::path& path, Messages& messages);

// The reader on the file's bytes; `pathText` names the file in messages.
bool ReadFeedListText(TForListe& list, std::string_view bytes, const std::string& pathText, Messages& messages);

// The energy-line migration of older files on text in memory: the energy-system property
// line of an older file ("EnergiBeregning = " and a value with the letters "NRC", not a
// quoted string) becomes "EnergiBeregning = nrc2007". Every other byte stays as it was,
// line ends included (each line keeps its own, the last line its absence of one).
std::string MigrateEnergyLinesText(std::string_view text, bool* changed = nullptr);

// Whether a list may join the workspace under its name: nothing when it may, else the
// message (a name that cannot be a file name, or a name that a list of the workspace or a
// file of the feed directory has already).
std::optional<std::string> CheckNewWorkspaceName(const TForListe& list, const std::vector<std::string>& workspaceNames);

struct ImportedList {
  std::unique_ptr<TForListe> list;  // null when refused
  std::string error;
};

// Imports a feed list file in object text from anywhere on disk: the file's text is
// migrated in memory (the user's file is never written), read as a feed list, checked with
// CheckNewWorkspaceName and saved under its workspace file name.
ImportedList ImportListFile(const std::filesystem::path& path, const RecordEnvironment& env,
                            const std::vector<std::string>& workspaceNames);

}  // namespace stallora
