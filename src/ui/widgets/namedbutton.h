#pragma once
// A push button with its object name set, so that tests and the help find it by that name.

#include <QPushButton>
#include <QString>

namespace stallora {

inline QPushButton* NamedButton(const QString& caption, const char* name, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  return b;
}

}  // namespace stallora
