#pragma once
// Whole-file reading and crash-safe writing.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace stallora {

// The file's bytes, or nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Writes `bytes` to a temporary file in the target's directory, flushes it to disk and
// renames it over the target. On any failure the temporary file is removed, the target is
// left as it was, and false is returned.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// A path as text for a message (Windows-1252).
std::string PathText(const std::filesystem::path& path);

// Whether a name (Windows-1252) that came from a file or from the user can be the base name of
// a file in a directory of the program: nothing when it can, else the message for the user.
// Refused are empty names, names starting with a full stop (".", ".." and hidden files),
// names containing a slash or a backslash, and names containing control characters.
std::optional<std::string> ValidateFileName(std::string_view name);

}  // namespace stallora
