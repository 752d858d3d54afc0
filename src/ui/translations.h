#pragma once
// Qt's own texts (the standard buttons of message boxes, the file and print dialogs) in the
// language of the program's string table.

#include <QString>

class QCoreApplication;

namespace stallora {

// The Qt language of the active string table ("da" for the Danish one).
QString QtLanguage();

// Loads Qt's translation of its own texts (qtbase_<language>.qm from Qt's translation
// folder, Debian package qt6-translations-l10n) and, above it, labels the message boxes'
// standard buttons from the string table, so that they read in the program's language
// also where Qt's translation is missing. True when Qt's translation was found.
bool InstallQtTranslations(QCoreApplication& app);

}  // namespace stallora
