#include <QComboBox>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>

#include "smallwin_fixture.h"
#include "ui/findhorse.h"

using namespace stallora;
using namespace stallora::uitest;

class FindHorseTest : public QObject {
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

 private slots:
  void byNameTheEntryNamesHorseAndStable() {
    Fixture f("byname");
    TStall& s1 = f.WriteStable("Min stald1");
    TStall& s2 = f.WriteStable("Min stald2");
    f.WriteHorse(s1, "Blakken", "Hansen");
    f.WriteHorse(s2, "Zorro", "Jensen");
    MainWindow& main = f.Open();
    main.findHorse();
    FindHorseWindow* w = ExistingFindHorseWindow(main);
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Find en hest"));
    auto* list = Child<QListWidget>(w, "lbFindHorse");
    QCOMPARE(Items(list), QStringList({"Blakken  [Min stald1]", "Zorro  [Min stald2]"}));
    QVERIFY(list->selectedItems().isEmpty());
    auto* button = Child<QPushButton>(w, "btnFindHorse");
    QVERIFY(!button->isVisibleTo(w));
    QCOMPARE(Child<QTabWidget>(w, "pcSearch")->tabText(0), QStringLiteral("Søg på hestens navn"));

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QVERIFY(button->isVisibleTo(w));
    QCOMPARE(button->text(), QStringLiteral("Hent \"Blakken\" fra Min stald1"));
    Fixture::Shot(main.window(), "findhorse");
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(f.Selected(), static_cast<void*>(f.ws->Stables()[0]->HorseByName("Blakken")));

    // Enter on an entry opens it too.
    list->setFocus();
    list->setCurrentRow(1);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(f.Selected(), static_cast<void*>(f.ws->Stables()[1]->HorseByName("Zorro")));

    // Only one find-horse window.
    main.findHorse();
    int count = 0;
    for (QMdiSubWindow* sub : main.MdiArea()->subWindowList()) count += qobject_cast<FindHorseWindow*>(sub->widget()) != nullptr;
    QCOMPARE(count, 1);
  }

  void aHorseThatIsGoneOpensNothing() {
    Fixture f("gone");
    TStall& s1 = f.WriteStable("Nord");
    f.WriteHorse(s1, "Blakken", "Hansen");
    f.WriteHorse(s1, "Alf", "Hansen");
    MainWindow& main = f.Open();
    FindHorseWindow* w = ShowFindHorseWindow(main);
    f.Listen();
    w->ClickHorseEntry(0);
    auto* owners = Child<QListWidget>(w, "lbOwnerHorses");
    w->ClickOwnersHorse(owners->count() - 1);  // "Blakken"
    QVERIFY(f.ws->Stables()[0]->DeleteHorse("Blakken"));
    main.RefreshTree();
    main.Tree()->setCurrentItem(main.Tree()->topLevelItem(0));
    w->OpenChosenHorse();
    QCOMPARE(main.Tree()->currentItem(), nullptr);
    w->OpenOwnersHorse();
    QCOMPARE(f.shown.entries.size(), size_t(1));
    QCOMPARE(f.shown.entries[0].text, std::string("Fejl: Hest mangler!"));
  }

  void oneOwnerIsChosenAtOnce() {
    Fixture f("oneowner");
    TStall& s1 = f.WriteStable("Nord");
    TStall& s2 = f.WriteStable("Syd");
    f.WriteHorse(s1, "Blakken", "Hansen");
    f.WriteHorse(s2, "Blakken", "Hansen");
    f.WriteHorse(s2, "Alf", "Hansen");
    f.WriteHorse(s2, "Uden");
    MainWindow& main = f.Open();
    FindHorseWindow* w = ShowFindHorseWindow(main);
    auto* tabs = Child<QTabWidget>(w, "pcSearch");
    QVERIFY(tabs->isTabVisible(1));
    tabs->setCurrentIndex(1);
    auto* owners = Child<QComboBox>(w, "cbOwners");
    QCOMPARE(owners->count(), 1);
    QCOMPARE(owners->currentText(), QStringLiteral("Hansen"));
    auto* horses = Child<QListWidget>(w, "lbOwnerHorses");
    QVERIFY(horses->isVisibleTo(w));
    QCOMPARE(Items(horses), QStringList({"Alf", "Blakken"}));
    QCOMPARE(Child<QLabel>(w, "lblHorsesOwned")->text(), QStringLiteral("Heste eijet af Hansen"));
    auto* button = Child<QPushButton>(w, "btnFindHorsebyOwner");
    QVERIFY(!button->isVisibleTo(w));
    Fixture::Shot(main.window(), "findhorse-owner");
    QTest::mouseClick(horses->viewport(), Qt::LeftButton, {}, horses->visualItemRect(horses->item(1)).center());
    QCOMPARE(button->text(), QStringLiteral("Hent \"Blakken\""));
    QTest::mouseClick(button, Qt::LeftButton);
    // The owner's Blakken last in the tree is the one opened.
    QCOMPARE(f.Selected(), static_cast<void*>(f.ws->Stables()[1]->HorseByName("Blakken")));
  }

  void withoutOwnersTheOwnerPageIsNotOffered() {
    Fixture f("noowner");
    TStall& s1 = f.WriteStable("Nord");
    f.WriteHorse(s1, "Blakken");
    MainWindow& main = f.Open();
    FindHorseWindow* w = ShowFindHorseWindow(main);
    QVERIFY(!Child<QTabWidget>(w, "pcSearch")->isTabVisible(1));
  }

  void withoutHorsesOnlyTheErrorIsShown() {
    Fixture f("nohorse");
    f.WriteStable("Nord");
    MainWindow& main = f.Open();
    FindHorseWindow* w = ShowFindHorseWindow(main);
    QVERIFY(!Child<QTabWidget>(w, "pcSearch")->isVisibleTo(w));
    auto* error = Child<QLabel>(w, "lblErrorNoHorses");
    QVERIFY(error->isVisibleTo(w));
    QCOMPARE(error->text(), QStringLiteral("Error: No horse defined, Search impossible!"));
    Fixture::Shot(main.window(), "findhorse-none");
  }
};

QTEST_MAIN(FindHorseTest)
#include "findhorse_test.moc"
