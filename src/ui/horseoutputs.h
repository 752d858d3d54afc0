#pragma once
// What the horse window does with a page it shows: print it, copy it, store it under a
// name of the user's choice, mail it.

#include <filesystem>
#include <string>

#include "core/texts.h"

namespace stallora {

class HorseWindow;
class HtmlView;

// The page file's text on the clipboard; an error message when it cannot be read.
void CopyFileToClipboard(HorseWindow& window, const std::filesystem::path& file);
// The file-description dialog, the save dialog (again on Retry) and the page written with
// the national letters escaped. `word` names the page in the save dialog's title.
void StorePage(HorseWindow& window, int reportKind, const std::string& cp1252Html, const Text& word);
// Prints the view's document titled with the horse's name.
void PrintView(HorseWindow& window, HtmlView& view);

}  // namespace stallora
