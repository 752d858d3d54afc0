#include "ui/mnemonics.h"

#include <QAction>
#include <QList>
#include <QMenu>
#include <QMenuBar>

namespace stallora {
namespace {

bool Usable(QChar c) { return c.isLetterOrNumber(); }

// The caption with lone '&'s (not marking a letter) doubled, so that only real mnemonics
// remain; `mnemonic` receives the one it has.
QString Normalised(const QString& text, QChar* mnemonic) {
  QString out;
  *mnemonic = QChar();
  for (int i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c != QLatin1Char('&')) {
      out += c;
      continue;
    }
    if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&')) {
      out += QStringLiteral("&&");
      ++i;
    } else if (i + 1 < text.size() && Usable(text.at(i + 1)) && mnemonic->isNull()) {
      *mnemonic = text.at(i + 1).toLower();
      out += c;
    } else {
      out += QStringLiteral("&&");
    }
  }
  return out;
}

// A normalised caption without its mnemonic mark (doubled '&'s stay).
QString StripMnemonic(const QString& text) {
  for (int i = 0; i + 1 < text.size(); ++i) {
    if (text.at(i) != QLatin1Char('&')) continue;
    if (text.at(i + 1) == QLatin1Char('&')) {
      ++i;
      continue;
    }
    return QString(text).remove(i, 1);
  }
  return text;
}

// The position in a normalised caption (no mnemonic) for a free letter, or -1.
int FreeLetter(const QString& text, const QSet<QChar>& used) {
  auto free = [&](int i) {
    if (i < 0 || i >= text.size() || !Usable(text.at(i)) || used.contains(text.at(i).toLower())) return false;
    // A doubled '&' is text: the character after it is no candidate of its own.
    return !(i > 0 && text.at(i - 1) == QLatin1Char('&'));
  };
  for (int i = 0; i < text.size(); ++i)
    if (Usable(text.at(i))) {
      if (free(i)) return i;
      break;
    }
  for (int i = 1; i < text.size(); ++i)
    if (!Usable(text.at(i - 1)) && free(i)) return i;
  for (int i = 0; i < text.size(); ++i)
    if (free(i)) return i;
  return -1;
}

void Assign(const QList<QAction*>& actions, QSet<QChar> used) {
  QList<QAction*> waiting;
  for (QAction* a : actions) {
    if (a->isSeparator() || a->text().isEmpty()) continue;
    QChar m;
    // Letters go in menu order, also when run again after a caption changed.
    const QString text = StripMnemonic(Normalised(a->text(), &m));
    if (text != a->text()) a->setText(text);
    waiting << a;
  }
  for (QAction* a : waiting) {
    QString text = a->text();
    const int at = FreeLetter(text, used);
    if (at < 0) continue;
    used.insert(text.at(at).toLower());
    text.insert(at, QLatin1Char('&'));
    a->setText(text);
  }
}

}  // namespace

QChar MnemonicOf(const QString& caption) {
  QChar m;
  Normalised(caption, &m);
  return m;
}

QString MenuLiteral(QString text) { return text.replace(QLatin1Char('&'), QStringLiteral("&&")); }

void AssignMnemonics(QMenu* menu) {
  if (!menu) return;
  const QList<QAction*> actions = menu->actions();
  Assign(actions, {});
  for (QAction* a : actions)
    if (QMenu* sub = a->menu()) AssignMnemonics(sub);
}

void AssignMnemonics(QMenuBar* bar, const QSet<QChar>& reserved) {
  if (!bar) return;
  const QList<QAction*> actions = bar->actions();
  Assign(actions, reserved);
  for (QAction* a : actions)
    if (QMenu* menu = a->menu()) AssignMnemonics(menu);
}

QSet<QChar> MnemonicsOf(const QMenuBar* bar) {
  QSet<QChar> used;
  if (!bar) return used;
  for (QAction* a : bar->actions()) {
    const QChar m = MnemonicOf(a->text());
    if (!m.isNull()) used.insert(m);
  }
  return used;
}

}  // namespace stallora
