#pragma once
// Whole-file reading and crash-safe writing, and the checks that keep the program's own
// files inside the directories they belong to.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>
#include <string_view>

namespace stallora {

// No file the program reads as a whole is near this; a larger one is refused rather than
// held in memory.
inline constexpr std::uintmax_t kMaxReadFileBytes = std::uintmax_t{256} << 20;

// The file's bytes, or nothing when it cannot be read. Only regular files are read (a link
// is followed to its target): a directory, a device, a FIFO or a socket is refused without
// waiting on it, and so is a file larger than kMaxReadFileBytes. `error` receives the
// message for the user, naming the file ("Cannot open file %s" when it cannot be opened);
// errno then holds the system's error number (EISDIR, EINVAL for another kind of file,
// EFBIG for one too large). `mtimeNs`, when given, receives the file's modification time
// (nanoseconds since the epoch) as it was when opened.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, std::string* error = nullptr,
                                         int64_t* mtimeNs = nullptr);

// Writes `bytes` to a temporary file in the target's directory, flushes it to disk and
// renames it over the target; a target that exists keeps its permission bits. On any
// failure the temporary file is removed, the target is left as it was, and false is
// returned, with "Cannot create file %s" and the system's reason in `error`.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string* error = nullptr);
// Copies a file (read as ReadWholeFile reads) to `to` as WriteFileAtomically writes: a copy
// that fails half-way leaves nothing under its name. False with the reason.
bool CopyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to,
                        std::string* error = nullptr);

// The temporary name WriteFileAtomically uses beside `fileName` ("." + name + ".<8 hex
// digits>.tmp"); `hex` stands for the eight digits.
std::string AtomicTempName(std::string_view fileName, std::string_view hex = "00000000");
// Whether a file name is one of the program's own temporary files: a save's temporary
// file (".<name>.<8 hex digits>.tmp") or a download's (".<name>.part").
bool IsProgramTempFile(std::string_view fileName);
// Removes the program's own temporary files lying directly in `dir` (an interrupted save
// or download leaves them); links and directories are left alone. Returns how many.
int RemoveProgramTempFiles(const std::filesystem::path& dir);

// A name of a directory listing and its type as the listing gives it (DT_REG, DT_DIR,
// DT_LNK, ... of <dirent.h>; DT_UNKNOWN where the file system gives none).
struct ListedName {
  std::string name;  // the file system's bytes
  unsigned char type = 0;
};
// The names of `dir` without "." and "..", in the file system's order, read with the
// system's calls alone (the scan lists a directory for every horse). False when the
// directory cannot be opened or read.
bool ListDirectory(const std::filesystem::path& dir, std::vector<ListedName>* names);

// A path as text for a message (Windows-1252).
std::string PathText(const std::filesystem::path& path);
// A path for a message, relative to `base` when it lies below it (e.g. "Nord/Nord.eqs"
// for a file of the save directory), else whole.
std::string PathTextBelow(const std::filesystem::path& path, const std::filesystem::path& base);
// "<file>: <message>" with the file relative to `base`, for a message about a file.
std::string FileMessage(const std::filesystem::path& path, const std::filesystem::path& base,
                        std::string_view message);

// The longest name (bytes on disk) a stable, horse or feed list may have: every file the
// program writes for a record (its record file, its reports and pictures, the temporary
// files of their saves) must fit the file system's 255 bytes.
inline constexpr size_t kMaxRecordNameBytes = 150;

// Whether a name (Windows-1252) that came from a file or from the user can be the base name of
// a file in a directory of the program: nothing when it can, else the message for the user.
// Refused are empty names, names starting with a full stop (".", ".." and hidden files),
// names containing a slash or a backslash, names containing control characters, and names
// longer on disk than kMaxRecordNameBytes.
std::optional<std::string> ValidateFileName(std::string_view name);
// The rules of ValidateFileName but the length, for a name whose directory is on disk
// already (a record to delete: its files exist, whatever their length).
std::optional<std::string> ValidateExistingName(std::string_view name);

// The program's own folders (Feeds, Temp, Save, Resources, Images, Stallora_Backup), which no
// stable may be named after, whatever the case: a stable "Feeds" would hold the feed lists'
// directory, and deleting its horse "45" would delete them.
bool IsReservedFolderName(std::string_view name);
// ValidateFileName, and no reserved folder name.
std::optional<std::string> ValidateStableName(std::string_view name);

// Whether `path` lies strictly below `base` once both are resolved (links followed, "." and
// ".." taken away). A path equal to `base` is not below it.
bool IsStrictlyBelow(const std::filesystem::path& path, const std::filesystem::path& base);

// Deletes a record's directory: its files (the program's own temporary files among them)
// and then the directory itself. Refused are a directory that is not strictly below
// `parent`, a link and anything that is not a directory; links inside are removed, never
// followed. Hidden files of others and subdirectories are kept, and so is then the
// directory. True when the directory is gone (or never was); else false with the reason.
bool RemoveRecordDirectory(const std::filesystem::path& dir, const std::filesystem::path& parent,
                           std::string* error = nullptr);

}  // namespace stallora
