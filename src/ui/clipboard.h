#pragma once
// A generated page on the clipboard, so it pastes into a word processor as a table.

#include <string>

namespace stallora {

// Puts the page (Windows-1252 HTML) on the clipboard three ways: the "HTML Format" block
// Windows word processors look for, HTML, and the text; national letters are escaped.
void CopyHtmlToClipboard(const std::string& cp1252Html);

}  // namespace stallora
