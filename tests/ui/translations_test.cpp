// Qt's own dialogs speak the program's language: a standard Yes/No box and the buttons a
// question of the program shows read in Danish, with or without Qt's translation file.

#include <QApplication>
#include <QDialogButtonBox>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QtTest>

#include "ui/translations.h"

namespace stallora {

class TranslationsTest : public QObject {
  Q_OBJECT

 private:
  static QStringList ButtonTexts(QMessageBox& box) {
    QStringList texts;
    for (QAbstractButton* b : box.buttons()) texts << b->text();
    texts.sort();
    return texts;
  }

 private slots:
  void standardButtonsReadInDanish() {
    QVERIFY(InstallQtTranslations(*QCoreApplication::instance()));
    QCOMPARE(QtLanguage(), QStringLiteral("da"));
    QMessageBox box(QMessageBox::Question, QStringLiteral("Stallora"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Ja"));
    QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("&Nej"));
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Annuller"));
    // The buttons of a question the program asks, as the user sees them.
    QStringList seen;
    QTimer::singleShot(0, [&] {
      if (auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        seen = ButtonTexts(*shown);
        shown->reject();
      }
    });
    QMessageBox::question(nullptr, QStringLiteral("Stallora"), QStringLiteral("Gem?"),
                          QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(seen, QStringList({"&Ja", "&Nej"}));
    // Qt's translation of its other dialogs is there too.
    QCOMPARE(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("Udskriv"));
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Close);
    QCOMPARE(buttons.button(QDialogButtonBox::Close)->text(), QStringLiteral("Luk"));
  }
};

}  // namespace stallora

QTEST_MAIN(stallora::TranslationsTest)
#include "translations_test.moc"
