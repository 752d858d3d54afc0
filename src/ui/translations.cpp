#include "ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <array>

#include "core/texts.h"
#include "core/common_texts.h"
#include "render/qttext.h"

namespace stallora {
namespace {

inline constexpr Text kQtLanguageCode{"qt.language", "da"};
inline constexpr Text kQtYes{"qt.yes", "&Ja"};
inline constexpr Text kQtNo{"qt.no", "&Nej"};
inline constexpr const Text& kQtOk = common::kOK;
inline constexpr const Text& kQtCancel = common::kAnnuller;
inline constexpr const Text& kQtClose = common::kLuk;
inline constexpr Text kQtRetry{"qt.retry", "Prøv igen"};
inline constexpr const Text& kQtSave = common::kGem;
inline constexpr Text kQtOpen{"qt.open", "Åbn"};
inline constexpr const Text& kQtHelp = common::kHjaelp;
inline constexpr const Text& kQtAbort = common::kAfbryd;
inline constexpr Text kQtIgnore{"qt.ignore", "Ignorer"};

struct ButtonText {
  const char* source;  // Qt's text in the QPlatformTheme context
  const Text* text;
};
constexpr std::array<ButtonText, 11> kButtons{{{"&Yes", &kQtYes},
                                              {"&No", &kQtNo},
                                              {"OK", &kQtOk},
                                              {"Cancel", &kQtCancel},
                                              {"Close", &kQtClose},
                                              {"Retry", &kQtRetry},
                                              {"Save", &kQtSave},
                                              {"Open", &kQtOpen},
                                              {"Help", &kQtHelp},
                                              {"Abort", &kQtAbort},
                                              {"Ignore", &kQtIgnore}}};

// The standard buttons from the string table; everything else passes to Qt's translation.
class StringTableButtons final : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* source, const char* disambiguation, int n) const override {
    (void)disambiguation;
    (void)n;
    if (!context || !source || qstrcmp(context, "QPlatformTheme") != 0) return {};
    for (const ButtonText& b : kButtons)
      if (qstrcmp(source, b.source) == 0) return Q(Tr(*b.text));
    return {};
  }
};

}  // namespace

QString QtLanguage() { return Q(Tr(kQtLanguageCode)); }

bool InstallQtTranslations(QCoreApplication& app) {
  auto* qt = new QTranslator(&app);
  const bool found = qt->load(QStringLiteral("qtbase_") + QtLanguage(), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (found) app.installTranslator(qt);
  else delete qt;
  // Installed last, so asked first.
  app.installTranslator(new StringTableButtons(&app));
  return found;
}

}  // namespace stallora
