#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>

#include "core/fileio.h"
#include "smallwin_fixture.h"
#include "forms/welcome_form.h"

using namespace stallora;
using namespace stallora::uitest;

class WelcomeTest : public QObject {
  Q_OBJECT

 private:
  // Fole (too old for a young horse) and Mor (pregnant too long) need attention, Fin not.
  static void WriteCheckedHorses(Fixture& f) {
    TStall& nord = f.WriteStable("Nord");
    THest& fole = nord.NewHorse();
    fole.Navn = "Fole";
    fole.Kategori = TDyreKategori::Ungdyr;
    fole.Fodselsdato = f.clock.Today() - 1101;
    QVERIFY(nord.SaveHorse(fole));
    THest& mor = nord.NewHorse();
    mor.Navn = "Mor";
    mor.Kategori = TDyreKategori::Drektig;
    mor.ParringsDato = f.clock.Today() - 376;
    QVERIFY(nord.SaveHorse(mor));
    f.WriteHorse(nord, "Fin");
  }
  template <class W>
  static W* Child(QWidget* w, const char* name) {
    W* c = w->findChild<W*>(name);
    if (!c) qFatal("no control %s", name);
    return c;
  }
  static QStringList Items(QComboBox* cb) {
    QStringList items;
    for (int i = 0; i < cb->count(); ++i) items << cb->itemText(i);
    return items;
  }
  static QStringList Items(QListWidget* lb) {
    QStringList items;
    for (int i = 0; i < lb->count(); ++i) items << lb->item(i)->text();
    return items;
  }

 private slots:
  void theScanPutsTheCheckedHorsesOnTheErrorPage() {
    Fixture f("errors");
    WriteCheckedHorses(f);
    f.app->preferences.ShowWelcomeScreen = false;
    MainWindow& main = f.Open();
    WelcomeWindow* w = ExistingWelcomeWindow(main);
    QVERIFY(w);
    QVERIFY(w->ErrorPageShown());
    QVERIFY(f.app->preferences.ShowWelcomeScreen);
    auto* pages = Child<QTabWidget>(w, "pcWelcome");
    QCOMPARE(pages->currentIndex(), 1);
    QCOMPARE(pages->tabText(1), QStringLiteral("Fejl:"));
    auto* list = Child<QListWidget>(w, "lbErrors");
    QCOMPARE(Items(list), QStringList({"Fole [Nord]   Unghesten er blevet for gammel. Vedligehold er valgt",
                                       QStringLiteral("Mor [Nord]   For lang drægtighedsperiode. Vedligehold er valgt")}));
    QCOMPARE(list->selectedItems().size(), 1);
    QVERIFY(list->item(0)->isSelected());
    QVERIFY(Child<QPushButton>(w, "btnEdit")->isEnabled());
    QVERIFY(Child<QPushButton>(w, "btnDelete")->isEnabled());
    QVERIFY(Child<QLabel>(w, "lblReminder")->isVisibleTo(w));
    QCOMPARE(Child<QGroupBox>(w, "grbErrors")->title(),
             QStringLiteral("Fejl:Du har heste hvor datoen er udenfor lovligt område"));
    QCOMPARE(PlainCaption(Child<QPushButton>(w, "btnAccept")->text()), QStringLiteral("Accepter alle ændringer"));
    QVERIFY(f.boxes.texts.isEmpty());
    Fixture::Shot(main.window(), "welcome-errors");

    list->clearSelection();
    QVERIFY(!Child<QPushButton>(w, "btnEdit")->isEnabled());
    QVERIFY(!Child<QLabel>(w, "lblReminder")->isVisibleTo(w));
  }

  void editMarksTheEntryOpensTheHorseAndCountsItAsChanged() {
    Fixture f("edit");
    WriteCheckedHorses(f);
    MainWindow& main = f.Open();
    WelcomeWindow* w = ExistingWelcomeWindow(main);
    f.Listen();
    auto* list = Child<QListWidget>(w, "lbErrors");
    list->setCurrentRow(1);
    w->EditSelected();
    THest* mor = f.ws->Stables()[0]->HorseByName("Mor");
    QVERIFY(list->item(1)->text().startsWith(" ** Mor [Nord]"));
    QCOMPARE(f.Selected(), static_cast<void*>(mor));
    QCOMPARE(mor->LagretSum, 0);
    QCOMPARE(list->currentRow(), 0);
    // A marked entry is not edited again.
    list->setCurrentRow(1);
    w->EditSelected();
    QVERIFY(list->item(1)->text().startsWith(" ** Mor"));
    QVERIFY(!list->item(1)->text().startsWith(" **  ** "));
  }

  void acceptAllSavesTheOthersAndLeavesThePage() {
    Fixture f("accept");
    WriteCheckedHorses(f);
    MainWindow& main = f.Open();
    WelcomeWindow* w = ExistingWelcomeWindow(main);
    f.Listen();
    auto* list = Child<QListWidget>(w, "lbErrors");
    list->setCurrentRow(0);
    w->EditSelected();  // Fole is dealt with: not saved by accept
    const fs::path fole = f.dir / "Save" / "Nord" / "Fole" / "Fole.eqh";
    const fs::path mor = f.dir / "Save" / "Nord" / "Mor" / "Mor.eqh";
    const auto foleBefore = ReadWholeFile(fole);
    QTest::mouseClick(Child<QPushButton>(w, "btnAccept"), Qt::LeftButton);
    QCOMPARE(ReadWholeFile(fole), foleBefore);
    QVERIFY(ReadWholeFile(mor)->find("Kategori = Vedlikehold") != std::string::npos);
    QCOMPARE(f.shown.entries.size(), size_t(1));
    QCOMPARE(f.shown.entries[0].text, std::string("Alle heste med forkerte data er korrigeret og gemt"));
    QVERIFY(!w->ErrorPageShown());
    QCOMPARE(Child<QTabWidget>(w, "pcWelcome")->currentIndex(), 0);
    for (const std::string& e : w->ErrorEntries()) QVERIFY(IsHandledEntry(e));
  }

  void deleteRemovesTheHorseWithoutAsking() {
    Fixture f("delete");
    WriteCheckedHorses(f);
    MainWindow& main = f.Open();
    WelcomeWindow* w = ExistingWelcomeWindow(main);
    f.Listen();
    auto* list = Child<QListWidget>(w, "lbErrors");
    // Mor is marked first: a delete leaves it alone.
    list->item(1)->setText(" ** " + list->item(1)->text());
    list->selectAll();
    w->DeleteSelected();
    QCOMPARE(list->count(), 1);
    QVERIFY(list->item(0)->text().startsWith(" ** Mor"));
    QVERIFY(!fs::exists(f.dir / "Save" / "Nord" / "Fole"));
    QVERIFY(fs::exists(f.dir / "Save" / "Nord" / "Mor" / "Mor.eqh"));
    QCOMPARE(f.ws->Stables()[0]->HorseByName("Fole"), nullptr);
    QVERIFY(f.shown.entries.empty());
    QVERIFY(f.boxes.texts.isEmpty());
  }

  void theBoxesOpenWhatIsChosen() {
    Fixture f("boxes");
    TStall& nord = f.WriteStable("Nord");
    TStall& syd = f.WriteStable("Syd");
    f.WriteHorse(nord, "Blakken");
    f.WriteHorse(syd, "Blakken");
    f.WriteHorse(syd, "alf");
    MainWindow& main = f.Open();
    WelcomeWindow* w = ShowWelcomeWindow(main);
    QVERIFY(!w->ErrorPageShown());
    auto* stables = Child<QComboBox>(w, "cbStables");
    auto* horses = Child<QComboBox>(w, "cbHorses");
    QCOMPARE(Items(stables), QStringList({"Nord", "Syd"}));
    QCOMPARE(Items(horses), QStringList({"alf  [Syd]", "Blakken  [Nord]", "Blakken  [Syd]"}));
    QCOMPARE(horses->currentIndex(), 0);
    QVERIFY(!Child<QComboBox>(w, "cbFeedlists")->isVisibleTo(w));
    QVERIFY(Child<QGroupBox>(w, "grbHorses")->isVisibleTo(w));
    QCOMPARE(Child<QGroupBox>(w, "grbStable")->title(), QStringLiteral("Opret eller vælg stald"));
    QCOMPARE(Child<QGroupBox>(w, "grbHorses")->title(), QStringLiteral("Vælg hest"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Starthjælp for Stallora"));
    Fixture::Shot(main.window(), "welcome-main");

    w->ChooseHorse(1);
    QCOMPARE(f.Selected(), static_cast<void*>(f.ws->Stables()[0]->HorseByName("Blakken")));
    w->ChooseHorse(2);
    QCOMPARE(f.Selected(), static_cast<void*>(f.ws->Stables()[1]->HorseByName("Blakken")));
    w->ChooseStable(1);
    QCOMPARE(f.Selected(), static_cast<void*>(f.ws->Stables()[1].get()));
  }

  void aNewFeedListIsChosenAndOpened() {
    Fixture f("newlist");
    MainWindow& main = f.Open();
    WelcomeWindow* w = ShowWelcomeWindow(main);
    auto* lists = Child<QComboBox>(w, "cbFeedlists");
    QVERIFY(!lists->isVisibleTo(w));
    f.answerText.reset();  // cancelled: nothing made, nothing opened
    w->NewFeedList();
    QCOMPARE(lists->count(), 0);
    f.answerText = QStringLiteral("Høsorter");
    QTest::mouseClick(Child<QPushButton>(w, "btnNewFeedlist"), Qt::LeftButton);
    QVERIFY(lists->isVisibleTo(w));
    QCOMPARE(lists->currentText(), QStringLiteral("Høsorter"));
    QCOMPARE(f.Selected(), static_cast<void*>(f.ws->FeedLists().back().get()));
  }

  void aWorkspaceWithoutHorsesHidesTheHorseBox() {
    Fixture f("empty");
    MainWindow& main = f.Open();
    WelcomeWindow* w = ShowWelcomeWindow(main);
    QVERIFY(!Child<QGroupBox>(w, "grbHorses")->isVisibleTo(w));
    QVERIFY(!Child<QComboBox>(w, "cbStables")->isVisibleTo(w));
    QVERIFY(Child<QGroupBox>(w, "grbStable")->isVisibleTo(w));
    QVERIFY(Child<QPushButton>(w, "btnNewStable")->isEnabled());
  }

  void theSaveDirectoryIsChangedHere() {
    Fixture f("savedir");
    f.WriteStable("Nord");
    MainWindow& main = f.Open();
    WelcomeWindow* w = ShowWelcomeWindow(main);
    f.Listen();
    auto* label = Child<QLabel>(w, "lblActiveSaveDirectory");
    auto* byDefault = Child<QPushButton>(w, "btnDefault");
    QVERIFY(label->text().endsWith("(Standard)"));
    QVERIFY(!byDefault->isEnabled());
    QCOMPARE(PlainCaption(byDefault->text()), QStringLiteral("Standard mappe"));

    const fs::path other = f.dir / "Andet";
    fs::create_directories(other);
    f.prompts.askDirectory = [&](const QString&, const QString&) { return QString::fromStdString(other.string()); };
    QTest::mouseClick(Child<QPushButton>(w, "btnAlternative"), Qt::LeftButton);
    QCOMPARE(label->text(), "Valgt: " + QString::fromStdString((other / "save").string()) + "  (Brugervalg)");
    QVERIFY(byDefault->isEnabled());
    QCOMPARE(f.ws->Stables().size(), size_t(0));
    QCOMPARE(main.Tree()->topLevelItemCount(), 0);

    // A cancelled choice keeps the directory and reads it again.
    f.prompts.askDirectory = [](const QString&, const QString&) { return QString(); };
    w->ChangeSaveDirectory(false);
    QVERIFY(label->text().endsWith("(Brugervalg)"));

    QTest::mouseClick(byDefault, Qt::LeftButton);
    QVERIFY(label->text().endsWith("(Standard)"));
    QCOMPARE(f.ws->Stables().size(), size_t(1));
    QCOMPARE(Items(Child<QComboBox>(w, "cbStables")), QStringList({"Nord"}));
    QVERIFY(f.shown.entries.empty());
  }

  void theCheckBoxDecidesTheNextStart() {
    Fixture f("checkbox");
    MainWindow& main = f.Open();
    f.app->preferences.ShowWelcomeScreen = false;
    QVERIFY(!ShowWelcomeAfterScan(main));
    QVERIFY(!ExistingWelcomeWindow(main));

    WelcomeWindow* w = ShowWelcomeWindow(main);
    QVERIFY(main.welcomeShown());
    auto* box = Child<QCheckBox>(w, "cbDontShow");
    QVERIFY(box->isChecked());
    QCOMPARE(PlainCaption(box->text()), QStringLiteral(" Vis ikke dette skærmbillede igen"));
    box->setChecked(false);
    QTest::mouseClick(Child<QPushButton>(w, "btnClose"), Qt::LeftButton);
    QVERIFY(f.app->preferences.ShowWelcomeScreen);
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!main.welcomeShown());
    QVERIFY(ShowWelcomeAfterScan(main));

    w = ExistingWelcomeWindow(main);
    Child<QCheckBox>(w, "cbDontShow")->setChecked(true);
    qobject_cast<QMdiSubWindow*>(w->parentWidget())->close();
    QVERIFY(!f.app->preferences.ShowWelcomeScreen);
  }

  void theMenuItemsOpenItAndWaitWhileItIsOpen() {
    Fixture f("menus");
    MainWindow& main = f.Open();
    QMenu* windows = nullptr;
    QAction* folder = nullptr;
    for (QAction* a : main.menuBar()->actions()) {
      if (PlainCaption(a->text()) == QStringLiteral("Vindue")) windows = a->menu();
      if (a->menu())
        for (QAction* item : a->menu()->actions())
          if (PlainCaption(item->text()) == QStringLiteral("Mappe for at gemme brugerdata")) folder = item;
    }
    QVERIFY(windows && folder);
    auto welcomeItem = [&]() -> QAction* {
      emit windows->aboutToShow();
      for (QAction* a : windows->actions())
        if (PlainCaption(a->text()) == QStringLiteral("Vis starthjælpe-skærm")) return a;
      return nullptr;
    };
    QVERIFY(welcomeItem() && welcomeItem()->isEnabled());
    folder->trigger();
    WelcomeWindow* w = ExistingWelcomeWindow(main);
    QVERIFY(w);
    QVERIFY(!welcomeItem()->isEnabled());
    qobject_cast<QMdiSubWindow*>(w->parentWidget())->close();
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(welcomeItem()->isEnabled());
    welcomeItem()->trigger();
    QVERIFY(ExistingWelcomeWindow(main));
  }

  void updatesAreOfferedWhenTheServiceHasThem() {
    Fixture f("updates");
    MainWindow& main = f.Open();
    f.app->preferences.ShowWelcomeScreen = false;
    f.app->newerGuaranteeList = true;
    f.app->offeredGuaranteeVersion = 7;
    QVERIFY(ShowWelcomeAfterScan(main));
    WelcomeWindow* w = ExistingWelcomeWindow(main);
    QVERIFY(Child<QGroupBox>(w, "grbUpdatesAvailable")->isVisibleTo(w));
    QCOMPARE(Child<QGroupBox>(w, "grbUpdatesAvailable")->title(), QStringLiteral("Opdater Stallora fra internet"));
    auto* list = Child<QLabel>(w, "lblGetNewFeedlist");
    QVERIFY(list->isVisibleTo(w));
    QCOMPARE(list->text(), QStringLiteral("Hent den seneste foderliste 7"));
    QVERIFY(!Child<QLabel>(w, "lblGetNewVersion")->isVisibleTo(w));
    Fixture::Shot(w, "welcome-updates");
    // Without the service nothing is fetched; the flags still decide what is shown.
    f.app->newerGuaranteeList = false;
    w->FetchNewestList();
    QVERIFY(!Child<QGroupBox>(w, "grbUpdatesAvailable")->isVisibleTo(w));
  }

  void otherScanMessagesGoToABox() {
    Fixture f("badfile");
    TStall& nord = f.WriteStable("Nord");
    f.WriteHorse(nord, "Fin");
    {
      std::ofstream(f.dir / "Save" / "Nord" / "Fin" / "Fin.eqh", std::ios::binary) << "object Fin: THest\r\n  Navn = \r\n";
    }
    f.app->preferences.ShowWelcomeScreen = false;
    f.Open();
    QTRY_VERIFY(!f.boxes.texts.isEmpty());
    QVERIFY(!ExistingWelcomeWindow(*f.main));
  }
};

QTEST_MAIN(WelcomeTest)
#include "welcome_test.moc"
