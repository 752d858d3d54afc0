#pragma once
// Windows-1252 is the code page of every record file and report. The library keeps text
// as Windows-1252 bytes; these conversions are used only where text leaves or enters the
// library (the Qt boundary, command-line output, file-system paths).

#include <filesystem>
#include <string>
#include <string_view>

namespace stallora {

// The code point a Windows-1252 byte stands for. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the code point of the same value, so
// the mapping is total and reversible.
char32_t Cp1252ToCodePoint(unsigned char byte);

// The Windows-1252 byte for a code point, or '?' when the code page has none.
char CodePointToCp1252(char32_t cp);

std::string Cp1252ToUtf8(std::string_view text);

// Invalid UTF-8 sequences and characters the code page lacks become '?'.
std::string Utf8ToCp1252(std::string_view text);

// A record name (a stable or horse name) as a path component on this file system, and back.
std::filesystem::path PathFromText(std::string_view cp1252);
std::string TextFromPath(const std::filesystem::path& path);

}  // namespace stallora
