#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "smallwin_fixture.h"
#include "ui/contactswindow.h"

using namespace stallora;
using namespace stallora::uitest;

class ContactsTest : public QObject {
  Q_OBJECT

 private:
  template <class W>
  static W* Child(QWidget* w, const char* name) {
    W* c = w->findChild<W*>(name);
    if (!c) qFatal("no control %s", name);
    return c;
  }
  static QStringList Items(QListWidget* lb) {
    QStringList items;
    for (int i = 0; i < lb->count(); ++i) items << lb->item(i)->text();
    return items;
  }
  static TAdrRec Contact(std::string name, int32_t type, std::string phone = {}) {
    TAdrRec r;
    r.Navn = std::move(name);
    r.Kategori = type;
    r.Telefon = std::move(phone);
    return r;
  }
  static void DoubleClick(QListWidget* list, int row) {
    const QPoint at = list->visualItemRect(list->item(row)).center();
    // An item view takes a double click only on the item that was pressed.
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  }

 private slots:
  void listModeShowsTheNamesOfTheChosenType() {
    Fixture f("listmode");
    f.app->contacts.AddRecord(Contact("Hansen", 1));
    f.app->contacts.AddRecord(Contact("Berg", 3));
    MainWindow& main = f.Open();
    main.showContacts();
    ContactsWindow& w = main.Windows().Contacts();
    QVERIFY(w.isVisible());
    QCOMPARE(w.windowTitle(), QStringLiteral("Kontaktregister"));
    QVERIFY(Child<QGroupBox>(&w, "grbSelect")->isVisibleTo(&w));
    QVERIFY(!Child<QGroupBox>(&w, "grbEierInfo")->isVisibleTo(&w));
    auto* filter = Child<QComboBox>(&w, "cbSelectCathegory");
    QCOMPARE(filter->count(), static_cast<int>(f.app->settings.contactTypeNames.size()));
    QCOMPARE(filter->currentIndex(), 0);
    auto* list = Child<QListWidget>(&w, "lbNameList");
    QCOMPARE(Items(list), QStringList({"Hansen", "Berg"}));
    QCOMPARE(list->toolTip(), QStringLiteral("Dobbeltklik for valg"));
    Fixture::Shot(&w, "contacts-list");
    filter->setCurrentIndex(3);
    QCOMPARE(Items(list), QStringList({"Berg"}));
    filter->setCurrentIndex(2);
    QCOMPARE(Items(list), QStringList({"Ingen kontakter registreret!"}));
    // The "none" line is not a contact.
    DoubleClick(list, 0);
    QVERIFY(!Child<QGroupBox>(&w, "grbEierInfo")->isVisibleTo(&w));
    QCOMPARE(&main.Windows().Contacts(), &w);
  }

  void savingANameAndTypeThatExistReplacesIt() {
    Fixture f("replace");
    f.app->contacts.AddRecord(Contact("Hansen", 1, "111"));
    MainWindow& main = f.Open();
    ContactsWindow& w = main.Windows().Contacts();
    f.Listen();
    w.ShowListMode();
    auto* list = Child<QListWidget>(&w, "lbNameList");
    DoubleClick(list, 0);
    QVERIFY(Child<QGroupBox>(&w, "grbEierInfo")->isVisibleTo(&w));
    auto* phone = Child<QLineEdit>(&w, "edTelefon");
    QCOMPARE(phone->text(), QStringLiteral("111"));
    QCOMPARE(Child<QComboBox>(&w, "cbAdressCathegory")->currentIndex(), 1);
    Fixture::Shot(&w, "contacts-contact");
    phone->setText("222");
    QTest::mouseClick(Child<QPushButton>(&w, "btnSave"), Qt::LeftButton);
    QCOMPARE(f.app->contacts.AdresseListe.size(), size_t(1));
    QCOMPARE(f.app->contacts.GetAdresseRecord("Hansen", 1).Telefon, std::string("222"));
    QCOMPARE(Child<QComboBox>(&w, "cbSelectCathegory")->currentIndex(), 1);
    QVERIFY(f.shown.entries.empty());
  }

  void deletingAnEditedContactAsksToSaveFirst() {
    Fixture f("delete");
    f.app->contacts.AddRecord(Contact("Hansen", 1, "111"));
    f.app->contacts.AddRecord(Contact("Jensen", 1, "333"));
    MainWindow& main = f.Open();
    ContactsWindow& w = main.Windows().Contacts();
    f.Listen();
    w.ShowListMode();
    auto* list = Child<QListWidget>(&w, "lbNameList");
    DoubleClick(list, 0);
    Child<QLineEdit>(&w, "edTelefon")->setText("112");
    QTest::mouseClick(Child<QPushButton>(&w, "btnDelete"), Qt::LeftButton);
    QCOMPARE(f.shown.entries.size(), size_t(2));
    QCOMPARE(f.shown.entries[0].text, L(QStringLiteral("Hansen: Data ændret! Vil du gemme de nye oplysninger")));
    QCOMPARE(f.shown.entries[1].text, std::string("Slet Hansen"));
    QCOMPARE(f.app->contacts.AdresseListe.size(), size_t(1));
    QCOMPARE(f.app->contacts.GetName(0), std::string("Jensen"));
    QCOMPARE(Items(list), QStringList({"Jensen"}));

    // Nothing chosen: nothing is deleted.
    f.shown.entries.clear();
    list->clearSelection();
    list->setCurrentRow(-1);
    w.DeleteContactCommand();
    QCOMPARE(f.shown.entries.size(), size_t(1));
    QCOMPARE(f.shown.entries[0].text, std::string("Kontakt ikke valgt"));
    QCOMPARE(f.app->contacts.AdresseListe.size(), size_t(1));
  }

  void aNewContactNeedsAType() {
    Fixture f("newtype");
    MainWindow& main = f.Open();
    ContactsWindow& w = main.Windows().Contacts();
    f.Listen();
    w.ShowListMode();
    QApplication::setActiveWindow(&w);
    QTest::mouseClick(Child<QPushButton>(&w, "btnNew"), Qt::LeftButton);
    QVERIFY(!Child<QGroupBox>(&w, "grbSelect")->isVisibleTo(&w));
    auto* type = Child<QComboBox>(&w, "cbAdressCathegory");
    QCOMPARE(type->currentIndex(), -1);
    QCOMPARE(type->placeholderText(), QStringLiteral("Vælg kategori"));
    // The name is typed first (the type list would take the letters as a choice of type).
    auto* name = Child<QLineEdit>(&w, "edNavn");
    QTRY_VERIFY(name->hasFocus());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Søren"));
    QCOMPARE(name->text(), QStringLiteral("Søren"));
    QCOMPARE(type->currentIndex(), -1);
    // Leaving the type list without a type is refused.
    type->setFocus();
    QTRY_VERIFY(type->hasFocus());
    QTest::keyClick(type, Qt::Key_Tab);
    QTRY_COMPARE(f.shown.entries.size(), size_t(1));
    QCOMPARE(f.shown.entries[0].text, L(QStringLiteral("Du må angi kontakttype!")));
    QTRY_VERIFY(type->hasFocus());

    type->setCurrentIndex(1);
    QTest::mouseClick(Child<QPushButton>(&w, "btnSave"), Qt::LeftButton);
    QCOMPARE(f.app->contacts.GetAdresseRecord(L(QStringLiteral("Søren")), 1).Kategori, 1);
    QVERIFY(Child<QGroupBox>(&w, "grbSelect")->isVisibleTo(&w));
    // An empty name saves nothing.
    w.NewContact();
    w.SaveContactCommand();
    QCOMPARE(f.app->contacts.AdresseListe.size(), size_t(1));
  }

  void mailAndWebFieldsOpenTheirAddresses() {
    Fixture f("links");
    MainWindow& main = f.Open();
    ContactsWindow& w = main.Windows().Contacts();
    QList<QUrl> opened;
    f.prompts.openExternal = [&](const QUrl& url) {
      opened << url;
      return true;
    };
    w.ShowOwner(Contact("Hansen", 1));
    auto* mail = Child<QLineEdit>(&w, "edEmail");
    auto* web = Child<QLineEdit>(&w, "edWeb");
    mail->setText("ida@example.dk");
    web->setText("www.example.dk");
    QTest::mouseDClick(mail, Qt::LeftButton);
    QTest::mouseDClick(web, Qt::LeftButton);
    mail->setText("ida@example.dk?attach=/etc/passwd");
    QTest::mouseDClick(mail, Qt::LeftButton);
    QCOMPARE(opened, QList<QUrl>({QUrl("mailto:ida@example.dk"), QUrl("http://www.example.dk")}));
  }

  void ownerModeShowsTheGivenContact() {
    Fixture f("owner");
    MainWindow& main = f.Open();
    ContactsWindow& w = main.Windows().Contacts();
    TAdrRec owner = Contact("Ida Hansen", 1, "12345678");
    owner.Adresse1 = "Egevej 1";
    QApplication::setActiveWindow(&w);
    w.ShowOwner(owner);
    QVERIFY(!Child<QPushButton>(&w, "btnNew")->isVisibleTo(&w));
    QVERIFY(!Child<QGroupBox>(&w, "grbSelect")->isVisibleTo(&w));
    QVERIFY(Child<QPushButton>(&w, "btnSave")->isVisibleTo(&w));
    QCOMPARE(Child<QLineEdit>(&w, "edNavn")->text(), QStringLiteral("Ida Hansen"));
    QCOMPARE(Child<QLineEdit>(&w, "edAdresse1")->text(), QStringLiteral("Egevej 1"));
    QTRY_VERIFY(Child<QLineEdit>(&w, "edAdresse1")->hasFocus());
    QCOMPARE(w.RecordFromControls(), owner);
    Fixture::Shot(&w, "contacts-owner");
    w.close();
    QVERIFY(!w.isVisible());
    QCOMPARE(&main.Windows().Contacts(), &w);
  }
};

QTEST_MAIN(ContactsTest)
#include "contacts_test.moc"
