#include "ui/qtmessages.h"

#include <QMessageBox>

#include "render/qttext.h"

namespace stallora {
namespace {

QString Lines(const std::string& text) {
  QString s = Q(text);
  s.replace("\r\n", "\n");
  s.replace('\r', '\n');
  return s;
}

}  // namespace

void BoxMessages::Inform(const std::string& text) {
  QMessageBox::information(parent_, QStringLiteral("Stallora"), Lines(text));
}

void BoxMessages::Error(const std::string& text) {
  QMessageBox::warning(parent_, QStringLiteral("Stallora"), Lines(text));
}

bool BoxMessages::Confirm(const std::string& text) {
  return QMessageBox::question(parent_, QStringLiteral("Stallora"), Lines(text),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace stallora
