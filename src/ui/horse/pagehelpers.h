#pragma once
// Small pieces the horse window's pages share: checking a radio button by its id, keeping
// the focus in a refused field, and memo text with the record's CR LF line ends.

#include <QAbstractButton>
#include <QButtonGroup>
#include <QPlainTextEdit>
#include <QTimer>
#include <string>

#include "render/qttext.h"

namespace stallora {

inline void CheckId(QButtonGroup* group, int id) {
  if (QAbstractButton* b = group->button(id)) b->setChecked(true);
}

// Keeps the focus in a field whose value was refused, once the message box is gone.
inline void KeepFocus(QWidget* w) {
  QTimer::singleShot(0, w, [w] { w->setFocus(); });
}

// Memo blocks are kept with CR LF line ends.
inline std::string MemoLines(const QPlainTextEdit* edit) {
  const std::string text = L(edit->toPlainText());
  std::string out;
  for (char c : text) {
    if (c == '\n')
      out += "\r\n";
    else
      out += c;
  }
  return out;
}

inline void ShowMemoLines(QPlainTextEdit* edit, const std::string& bytes) {
  QString s = Q(bytes);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  edit->setPlainText(s);
}

}  // namespace stallora
