#include "ui/qtext.h"

#include "core/textutil.h"

namespace stallora {

QString TLower(const Text& t) { return Q(FirstLetterLower(Tr(t))); }
QString TUpper(const Text& t) { return Q(FirstLetterUpper(Tr(t))); }

QString ScreenText(std::string_view cp1252) {
  QString s = Q(cp1252);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QChar('\r'), QChar('\n'));
  return s;
}

}  // namespace stallora
