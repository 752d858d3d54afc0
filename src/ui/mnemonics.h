#pragma once
// Alt-letter mnemonics for menus, as a desktop user expects them: every item of a menu gets
// a letter of its caption that no other item of that menu has.

#include <QChar>
#include <QSet>
#include <QString>

class QMenu;
class QMenuBar;

namespace stallora {

// The mnemonic letter of a caption ('&' before it), lower case; a null QChar for none.
QChar MnemonicOf(const QString& caption);
// A text shown as it stands in a menu: every '&' doubled.
QString MenuLiteral(QString text);

// Gives every item of the menu, and of its submenus, a mnemonic unique within its menu, in
// menu order: the caption's first letter when free, else the first free letter that starts
// a word, else the first free letter or digit. A mark a caption had is replaced; a lone '&'
// that marks nothing is shown as it stands. Run it again after captions change.
void AssignMnemonics(QMenu* menu);
// The same for the menu bar's titles (avoiding the letters in `reserved`, those of another
// bar of the same window) and for each of its menus.
void AssignMnemonics(QMenuBar* bar, const QSet<QChar>& reserved = {});
// The letters the bar's titles use.
QSet<QChar> MnemonicsOf(const QMenuBar* bar);

}  // namespace stallora
