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

}  // namespace stallora
