#pragma once
// The program's string table. Every text shown to the user or written into a report is
// declared once, beside the module that uses it, as a Text with a key and its Danish
// wording (UTF-8 in the source, for readability):
//
//   inline constexpr Text kFoderliste{"foderliste", "foderliste"};
//   std::string label = Tr(kFoderliste);   // Windows-1252, in the active language
//
// Other languages are tables from key to text, loaded at start-up; a key a table lacks
// falls back to the Danish wording.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace stallora {

struct Text {
  std::string_view key;
  std::string_view danish;  // UTF-8
};

// The text in the active language, as Windows-1252 bytes. The reference stays valid until
// the language changes.
const std::string& Tr(const Text& text);

// Replaces the active language table (keys to UTF-8 texts); an empty table means Danish.
void SetLanguageTable(std::map<std::string, std::string, std::less<>> table);

// Reads a language file of "key=text" lines (UTF-8; blank lines and lines starting with
// '#' are skipped). False when the file cannot be read.
bool LoadLanguageFile(const std::filesystem::path& path);

}  // namespace stallora
