#pragma once
// The one place where the windows turn the string table's texts and the library's
// Windows-1252 bytes into what Qt shows, and back. (Q and L, the plain conversions, live in
// render/qttext.h, since the drawing code below the windows needs them too.)

#include <QString>
#include <string_view>

#include "core/texts.h"
#include "render/qttext.h"

namespace stallora {

// A text of the string table in the active language.
inline QString T(const Text& t) { return Q(Tr(t)); }
// The same with its first letter lowered or raised (for texts joined into a sentence).
QString TLower(const Text& t);
QString TUpper(const Text& t);

// A library text as the screen shows it: its "\r" line breaks (and "\r\n") become new lines.
QString ScreenText(std::string_view cp1252);

}  // namespace stallora
