#pragma once
// Settings files in the profile (INI) form: "[Section]" lines and "key=value" lines.
// Section and key names are matched without regard to case; a value is the text after
// the first "=" with blanks at both ends removed, cut at 2047 bytes. The first occurrence
// of a key in a section wins, as with the system's profile functions.

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace stallora {

class IniFile {
 public:
  static constexpr size_t kMaxValueLength = 2047;

  // Parses text (Windows-1252 bytes, lines ended by CR LF, LF or CR). Never fails: lines
  // that are neither sections nor entries are skipped, as are comment lines starting with ';'.
  static IniFile Parse(std::string_view text);

  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback = {}) const;
  // The default for a missing key and for a value that is not a whole decimal number.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
  bool HasSection(std::string_view section) const;

 private:
  // Upper-cased section and key names.
  std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> sections_;
};

}  // namespace stallora
