#pragma once
// The one place where library text (Windows-1252 bytes) meets Qt strings.

#include <QString>
#include <string>
#include <string_view>

#include "core/cp1252.h"

namespace stallora {

inline QString Q(std::string_view cp1252) { return QString::fromStdString(Cp1252ToUtf8(cp1252)); }
inline std::string L(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

}  // namespace stallora
