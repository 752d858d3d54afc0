#include "render/fonts.h"

#include <QFontInfo>
#include <QStringList>

namespace stallora {

void InstallFontSubstitutions() {
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), QStringList() << QStringLiteral("Liberation Sans") << QStringLiteral("DejaVu Sans"));
  QFont::insertSubstitutions(QStringLiteral("Arial"), QStringList() << QStringLiteral("Liberation Sans") << QStringLiteral("DejaVu Sans"));
  QFont::insertSubstitutions(QStringLiteral("Helvetica"), QStringList() << QStringLiteral("Liberation Sans") << QStringLiteral("DejaVu Sans"));
  QFont::insertSubstitutions(QStringLiteral("Times New Roman"), QStringList() << QStringLiteral("Liberation Serif") << QStringLiteral("DejaVu Serif"));
  QFont::insertSubstitutions(QStringLiteral("Courier New"), QStringList() << QStringLiteral("Liberation Mono") << QStringLiteral("DejaVu Sans Mono"));
  QFont::insertSubstitutions(QStringLiteral("Verdana"), QStringList() << QStringLiteral("DejaVu Sans") << QStringLiteral("Liberation Sans"));
  QFont::insertSubstitutions(QStringLiteral("Tahoma"), QStringList() << QStringLiteral("DejaVu Sans") << QStringLiteral("Liberation Sans"));
}

QString ResolvedFamily(const QString& name) {
  QFont f(name);
  return QFontInfo(f).family();
}

QFont ChartFont(const QString& name, int pointSize, bool bold) {
  QFont f(name, pointSize);
  f.setBold(bold);
  return f;
}

}  // namespace stallora
