#include "ui/qtmessages.h"

#include <QMessageBox>
#include <QPushButton>

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

ConflictChoice AskConflictInBox(QWidget* parent, const std::string& question, const std::array<std::string, 3>& choices) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Stallora"), Lines(question), QMessageBox::NoButton, parent);
  QPushButton* keep = box.addButton(Q(choices[0]), QMessageBox::AcceptRole);
  keep->setObjectName("btnKeepMine");
  QPushButton* theirs = box.addButton(Q(choices[1]), QMessageBox::DestructiveRole);
  theirs->setObjectName("btnTakeTheirs");
  QPushButton* cancel = box.addButton(Q(choices[2]), QMessageBox::RejectRole);
  cancel->setObjectName("btnCancel");
  // Nothing is lost by a careless Enter.
  box.setDefaultButton(cancel);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == keep) return ConflictChoice::kKeepMine;
  if (box.clickedButton() == theirs) return ConflictChoice::kTakeTheirs;
  return ConflictChoice::kCancel;
}

ConflictChoice BoxMessages::AskConflict(const std::string& question, const std::array<std::string, 3>& choices) {
  return AskConflictInBox(parent_, question, choices);
}

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
