#pragma once
// The font names the charts and reports use, mapped to installed fonts with matching
// metrics: without the mapping Qt falls back to a wider font, or draws empty boxes when
// no font is installed at all.

#include <QFont>
#include <QString>

namespace stallora {

// Registers the substitutions ("MS Sans serif" and "Arial" -> Liberation Sans, "Verdana"
// -> DejaVu Sans, ...). Call once after the QGuiApplication exists.
void InstallFontSubstitutions();

// The installed family a font name resolves to.
QString ResolvedFamily(const QString& name);

QFont ChartFont(const QString& name, int pointSize, bool bold = false);

}  // namespace stallora
