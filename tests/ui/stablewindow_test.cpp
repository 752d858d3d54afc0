// The stable window on a stable of a temporary workspace, opened from the main window as a
// double click opens it and driven as a user would: renamed, refused names, feeding times
// typed (bad ones too), horses added, deleted, exported and imported, closed with and
// without saving. What the window did is checked on the records and on the disk.

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>
#include <QtTest/QtTest>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "stable_fixture.h"
#include "ui/horsewindow.h"
#include "ui/htmlview.h"
#include "ui/models/stablelistmodels.h"
#include "ui/models/stabletreemodels.h"
#include "ui/stable/informationpage.h"
#include "ui/stable/stablewindow.h"
#include "ui/stable/treatmentspage.h"

namespace stallora {
namespace {

using uitest::Fixture;
using uitest::Place;
namespace fs = std::filesystem;
namespace sc = stablechange;
using Answer = Prompts::Answer;

std::string C(const char* utf8) { return Utf8ToCp1252(utf8); }

// Counts the stable editor's notifications.
struct Counter : EditorListener {
  int told = 0;
  ChangeFlags last = 0;
  void EditorChanged(ChangeFlags changed) override {
    ++told;
    last = changed;
  }
};

class StableWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void theTreeOpensOneWindowPerStableWithItsPagesInOrder() {
    Place p("open");
    // A double click on the stable's node opens its window; a second one raises it.
    QTreeWidgetItem* node = p.f.main->Tree()->ItemOf(&p.Stable("Nord"));
    QVERIFY(node);
    emit p.f.main->Tree()->itemDoubleClicked(node, 0);
    QCOMPARE(p.Windows(), 1);
    auto* w = qobject_cast<StableWindow*>(p.f.main->MdiArea()->activeSubWindow()->widget());
    QVERIFY(w);
    emit p.f.main->Tree()->itemDoubleClicked(node, 0);
    QCOMPARE(p.Windows(), 1);
    // A double click as the mouse gives it (a click, then the double click) on an open
    // stable's node leaves the node open, its horses in sight; the tree had folded it.
    WorkspaceTree* tree = p.f.main->Tree();
    tree->expandItem(node);
    QVERIFY(QTest::qWaitForWindowExposed(tree->window()));
    const QPoint at = tree->visualItemRect(node).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    QVERIFY(node->isExpanded());
    QCOMPARE(p.Windows(), 1);
    QCOMPARE(w->windowTitle(), QStringLiteral("Nord"));
    QCOMPARE(w->Menu()->title().remove('&'), QStringLiteral("Nord"));
    QTabWidget* tabs = w->Tabs();
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i).remove('&');
    QCOMPARE(captions, (QStringList{"Information", "Heste i stalden", "Dagbog", "Foderbehov i stalden",
                                    "Rapporter, behandlinger"}));
    for (int i = 0; i < tabs->count(); ++i) QVERIFY(tabs->isTabVisible(i));
    // Placed by the main window, it is wide enough for every caption (no scrolled tabs).
    QApplication::processEvents();
    QVERIFY2(tabs->tabBar()->width() >= tabs->tabBar()->sizeHint().width(),
             qPrintable(QString::number(tabs->tabBar()->width())));
    // Every menu item is there.
    for (const char* item : {"miStableSave", "miStableSaveAs", "miStableDelete", "miStableEmail", "miStableHelp",
                             "miStableShowFeedlist", "miDeleteAllfeeds", "miFeedsFromNewList", "miBrands",
                             "miStableCreateHorse", "miStableImportHorse", "miStableExportHorse"})
      QVERIFY2(w->findChild<QAction*>(item), item);
    // The generate dialog is not offered while nothing provides it.
    QVERIFY(!w->BrandsAction()->isEnabled());
    QCOMPARE(w->BrandsAction()->text(), Q(C("Vælg leverandører til Nord")));
    w->findChild<QAction*>("miStableSaveAs")->trigger();
    QVERIFY(p.Said("Valg ikke aktivt"));

    // The feeding page's caption and the report it shows.
    w->ShowPage(StablePage::Feeding);
    auto* group = w->findChild<QGroupBox*>("grbStallForing");
    QVERIFY(group->title().startsWith("2 Heste i stalden. foderomkostninger "));
    QVERIFY(group->title().endsWith("/dag"));
    QVERIFY(!w->findChild<QPushButton*>("btnStableFeedReq")->isEnabled());
    w->findChild<QPushButton*>("btnHorseRations_Summary")->click();
    QVERIFY(w->findChild<QPushButton*>("btnStableFeedReq")->isEnabled());
    QVERIFY(!w->findChild<QPushButton*>("btnHorseRations_Summary")->isEnabled());
    QVERIFY(!w->findChild<HtmlView*>("wbStableFeedUse")->toPlainText().isEmpty());
  }

  void aStableWithoutHorsesShowsOnlyInformationAndDiary() {
    Place p("nohorses");
    TStall& s = p.f.ws->NewStable();
    p.f.main->RefreshTree();
    p.f.main->OpenStable(s);
    auto* w = qobject_cast<StableWindow*>(p.f.main->MdiArea()->activeSubWindow()->widget());
    QVERIFY(w);
    QTabWidget* tabs = w->Tabs();
    QVERIFY(tabs->isTabVisible(0));
    QVERIFY(!tabs->isTabVisible(1));
    QVERIFY(tabs->isTabVisible(2));
    QVERIFY(!tabs->isTabVisible(3));
    QVERIFY(!tabs->isTabVisible(4));
    QVERIFY(w->InformationPage()->HorseList()->isHidden());
    QVERIFY(w->InformationPage()->SummaryGroup()->isHidden());
    // Without the list the horse buttons stay at the foot of their group, not in its middle.
    QVERIFY(QTest::qWaitForWindowExposed(w->window()));
    QApplication::processEvents();
    auto* newHorse = w->findChild<QPushButton*>("btnNyHest");
    const QWidget* group = newHorse->parentWidget();
    QVERIFY2(group->height() > 4 * newHorse->height(), qPrintable(QString::number(group->height())));
    QVERIFY2(group->height() - newHorse->geometry().bottom() < 2 * newHorse->height(),
             qPrintable(QString::number(newHorse->geometry().bottom())));
    // Editing a time of a stable without horses says nothing on leaving the table.
    auto* model = w->InformationPage()->MealTimesModel();
    QVERIFY(model->setData(model->index(0, StableMealTimesModel::kTime), "06:45"));
    w->InformationPage()->MealTableLeft();
    QVERIFY(p.f.shown.said.empty());
    // A new horse brings the other pages.
    newHorse->click();
    QCOMPARE(s.HorseCount(), 1);
    QVERIFY(tabs->isTabVisible(1));
    QVERIFY(!w->InformationPage()->HorseList()->isHidden());
  }

  void renameMovesTheDirectoryAndTheHorseWindowsFollow() {
    Place p("rename");
    TStall& nord = p.Stable("Nord");
    p.f.main->OpenHorse(*nord.HorseByName("Bella"));
    StableWindow* w = p.Open("Nord");
    QVERIFY(w);
    QLineEdit* name = w->InformationPage()->NameField();
    name->setText(Q(C("Nordgård")));
    w->InformationPage()->NameLeft();
    QCOMPARE(nord.stallNavn, C("Nordgård"));
    QVERIFY(fs::exists(nord.StableFilePath()));
    QVERIFY(!fs::exists(p.Save() / "Nord"));
    QCOMPARE(w->windowTitle(), Q(C("Nordgård")));
    QCOMPARE(w->Menu()->title().remove('&'), Q(C("Stald: Nordgård")));
    // The open horse window shows the new stable and saves into its directory.
    HorseWindow* bella = nullptr;
    for (QMdiSubWindow* sub : p.f.main->MdiArea()->subWindowList())
      if (auto* h = qobject_cast<HorseWindow*>(sub->widget())) bella = h;
    QVERIFY(bella);
    QVERIFY(bella->windowTitle().contains(Q(C("(Nordgård)"))));
    QVERIFY(bella->HorseDirectory().string().find(PathFromText(C("Nordgård")).string()) != std::string::npos);
    QString error;
    QVERIFY(bella->SaveRecord(&error));
    QVERIFY(!fs::exists(p.Save() / "Nord"));
    w->SaveStable();
    QVERIFY(!w->HasUnsavedChanges());

    // After a fresh start the renamed stable has its horses.
    Workspace fresh(*p.f.app);
    fresh.Scan();
    TStall* again = fresh.StableByName(C("Nordgård"));
    QVERIFY(again);
    QCOMPARE(again->HorseCount(), 2);
    QVERIFY(again->HorseByName("Bella"));
    QVERIFY(!fresh.StableByName("Nord"));
  }

  void aRefusedRenameSaysWhyAndMovesNothing() {
    Place p("refused");
    TStall& nord = p.Stable("Nord");
    StableWindow* w = p.Open("Nord");
    QLineEdit* name = w->InformationPage()->NameField();
    name->setText("Syd");
    w->InformationPage()->NameLeft();
    QVERIFY(p.Said("Stalden findes allerede. Angiv andet navn!"));
    QCOMPARE(nord.stallNavn, std::string("Nord"));
    QCOMPARE(name->text(), QStringLiteral("Nord"));
    QVERIFY(fs::exists(p.Save() / "Nord" / "Nord.eqs"));
    QVERIFY(fs::exists(p.Save() / "Nord" / "Bella"));
    // A name that cannot be a directory's name is refused before the disk is touched.
    p.f.shown.said.clear();
    for (const char* bad : {"Nord/Syd", ".."}) {
      name->setText(bad);
      w->InformationPage()->NameLeft();
      QCOMPARE(nord.stallNavn, std::string("Nord"));
      QCOMPARE(name->text(), QStringLiteral("Nord"));
    }
    QCOMPARE(p.f.shown.said.size(), size_t{2});
    QVERIFY(fs::exists(p.Save() / "Nord" / "Nord.eqs"));
    QVERIFY(!fs::exists(p.Save() / "Nord" / "Syd"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Nord"));
  }

  void feedingTimesRefuseWhatIsNotATimeOfDay() {
    Place p("meals");
    TStall& nord = p.Stable("Nord");
    StableWindow* w = p.Open("Nord");
    StableInformationPage* info = w->InformationPage();
    QSpinBox* count = info->MealCount();
    QCOMPARE(count->value(), 4);
    QCOMPARE(count->maximum(), 99);
    QCOMPARE(count->minimum(), 0);
    // Four feedings to three: three times "0".
    count->setValue(3);
    info->MealCountEdited();
    QCOMPARE(nord.StallNoMeals, 3);
    QCOMPARE(nord.SFTider, (StringList{"0", "0", "0"}));
    QCOMPARE(info->MealTable()->model()->rowCount(), 3);
    // More than 99 feedings the editor refuses, and the count stays.
    QVERIFY(!w->Editor().SetMealCount(100).ok);
    QCOMPARE(nord.StallNoMeals, 3);

    auto* model = info->MealTimesModel();
    Counter counter;
    w->Editor().AddListener(&counter);
    for (const char* bad : {"25:70", "abc"}) {
      p.f.shown.said.clear();
      QVERIFY(!model->setData(model->index(0, StableMealTimesModel::kTime), bad));
      QTest::qWait(1);  // the refusal is told after the cell's editor closes
      QCOMPARE(p.f.shown.said.size(), size_t{1});
      QVERIFY(p.f.shown.said[0].find(C("Ugyldigt klokkeslæt")) != std::string::npos);
      QCOMPARE(nord.SFTider[0], std::string("0"));
      QCOMPARE(model->data(model->index(0, StableMealTimesModel::kTime)).toString(), QStringLiteral("00:00"));
    }
    // A good time reaches the stable once: one notification naming the meals.
    counter.told = 0;
    QVERIFY(model->setData(model->index(1, StableMealTimesModel::kTime), "07:30"));
    QCOMPARE(counter.told, 1);
    QVERIFY(counter.last & sc::kMeals);
    QCOMPARE(nord.SFTider[1], std::to_string(7 * 3600 + 30 * 60));
    QCOMPARE(model->data(model->index(1, StableMealTimesModel::kTime)).toString(), QStringLiteral("07:30"));
    w->Editor().RemoveListener(&counter);

    // Leaving the table tells what the horses need; no horse window is open: the window stays.
    p.f.shown.said.clear();
    info->MealTableLeft();
    QCOMPARE(p.f.shown.said.size(), size_t{1});
    QCOMPARE(p.f.shown.said[0], C("Antal fodringer er ændret!\rDu må genåbne hestene påny og fordele foderet på de "
                                  "nye fodringer"));
    QCOMPARE(p.Windows(), 1);

    // With a horse window of the stable open the stable window closes after the message,
    // asking about its changes (Yes saves them).
    p.f.main->OpenHorse(*nord.HorseByName("Alf"));
    QCOMPARE(p.Windows(), 2);
    QVERIFY(model->setData(model->index(2, StableMealTimesModel::kTime), "18:00"));
    p.f.shown.said.clear();
    p.f.shown.answers = {Answer::kYes};
    info->MealTableLeft();
    QVERIFY(p.f.shown.said[0].find(C("Du skal gemme og lukke alle \"åbne\" heste i stalden")) != std::string::npos);
    QTRY_COMPARE(p.Windows(), 1);
    TStall saved(p.f.app->Env());
    saved.Load(nord.StableFilePath());
    QCOMPARE(saved.StallNoMeals, 3);
    QCOMPARE(saved.SFTider[2], std::to_string(18 * 3600));
  }

  void leavingTheTableFromACellsEditorIsLeavingIt() {
    Place p("mealeditor");
    TStall& nord = p.Stable("Nord");
    StableWindow* w = p.Open("Nord");
    StableInformationPage* info = w->InformationPage();
    QTableView* table = info->MealTable();
    QApplication::setActiveWindow(p.f.main.get());
    // A time stored, then a cell's editor open (as Enter opens the next row's): the focus is
    // in the editor, not in the table itself.
    auto* model = info->MealTimesModel();
    QVERIFY(model->setData(model->index(1, StableMealTimesModel::kTime), "12:30"));
    QCOMPARE(nord.SFTider[1], std::to_string(12 * 3600 + 30 * 60));
    const QModelIndex third = model->index(2, StableMealTimesModel::kTime);
    table->setFocus();
    table->setCurrentIndex(third);
    table->edit(third);
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor && editor != table && table->isAncestorOf(editor));
    QApplication::processEvents();
    QVERIFY(p.f.shown.said.empty());
    // From whichever cell has the focus, out to the name: the message about the horses.
    info->NameField()->setFocus();
    QTRY_COMPARE(p.f.shown.said.size(), size_t{1});
    QVERIFY(p.f.shown.said[0].find(C("Du må genåbne hestene")) != std::string::npos);
  }

  void newAndDeletedHorsesWithTheQuestion() {
    Place p("horses");
    TStall& nord = p.Stable("Nord");
    StableWindow* w = p.Open("Nord");
    StableInformationPage* info = w->InformationPage();
    QCOMPARE(info->HorseList()->model()->rowCount(), 2);
    QVERIFY(!info->DeleteHorseButton()->isEnabled());
    // Without a selected horse nothing is deleted.
    info->DeleteHorse();
    QVERIFY(p.Said("Hest ikke valgt"));
    QCOMPARE(nord.HorseCount(), 2);

    // A new horse gets its window.
    w->findChild<QAction*>("miStableCreateHorse")->trigger();
    QCOMPARE(nord.HorseCount(), 3);
    QVERIFY(nord.HorseByName("Min hest1"));
    QCOMPARE(info->HorseList()->model()->rowCount(), 3);
    QCOMPARE(p.Windows(), 2);

    // Delete Alf: No keeps him, Yes deletes him and his directory.
    QModelIndex alf;
    for (int r = 0; r < info->HorseList()->model()->rowCount(); ++r)
      if (info->HorseList()->model()->index(r, 0).data().toString() == "Alf")
        alf = info->HorseList()->model()->index(r, 0);
    QVERIFY(alf.isValid());
    QTest::mouseClick(info->HorseList()->viewport(), Qt::LeftButton, {}, info->HorseList()->visualRect(alf).center());
    QVERIFY(info->DeleteHorseButton()->isEnabled());
    p.f.shown.answer = false;
    info->DeleteHorseButton()->click();
    QCOMPARE(p.f.shown.asked.back(), C("Bekræft sletning Alf"));
    QVERIFY(nord.HorseByName("Alf"));
    w->Editor().SelectHorse(alf.row());
    p.f.shown.answer = true;
    info->DeleteHorseButton()->click();
    QVERIFY(!nord.HorseByName("Alf"));
    QVERIFY(!fs::exists(p.Save() / "Nord" / "Alf"));
    QCOMPARE(info->HorseList()->model()->rowCount(), 2);
  }

  void horsesAreExportedAskingBeforeReplacingAndImportedOnlyWhenTheyRead() {
    Place p("importexport");
    StableWindow* w = p.Open("Nord");
    StableInformationPage* info = w->InformationPage();
    w->ExportHorse();
    QVERIFY(p.Said("Hest ikke valgt"));

    const fs::path out = p.f.dir / "out";
    fs::create_directories(out);
    p.f.prompts.directory = Q(PathText(out));
    for (int r = 0; r < info->HorseList()->model()->rowCount(); ++r)
      if (info->HorseList()->model()->index(r, 0).data().toString() == "Bella") w->Editor().SelectHorse(r);
    QCOMPARE(w->Editor().SelectedHorseName(), std::string("Bella"));
    const fs::path exported = w->Editor().ExportTarget(out).first;
    QVERIFY(!exported.empty());
    w->ExportHorse();
    QVERIFY(fs::exists(exported));
    // Again: the question, and No leaves the file as it is.
    WriteFileAtomically(exported, "THest marker\r\n");
    p.f.shown.answer = false;
    p.f.shown.asked.clear();
    w->ExportHorse();
    QCOMPARE(p.f.shown.asked.size(), size_t{1});
    QVERIFY(p.f.shown.asked[0].find("Bella.eqh") != std::string::npos);
    QCOMPARE(*ReadWholeFile(exported), std::string("THest marker\r\n"));
    p.f.shown.answer = true;
    w->ExportHorse();
    QVERIFY(ReadWholeFile(exported)->size() > 100);

    // Import into Syd: a file that is no horse file asks to try again; Cancel imports nothing.
    TStall& syd = p.Stable("Syd");
    StableWindow* s = p.Open("Syd");
    const fs::path notHorse = p.f.dir / "note.eqh";
    WriteFileAtomically(notHorse, "Hello\r\n");
    p.f.prompts.openPath = Q(PathText(notHorse));
    p.f.shown.answer = false;
    p.f.shown.asked.clear();
    s->ImportHorse();
    QCOMPARE(p.f.shown.asked.size(), size_t{1});
    QCOMPARE(p.f.shown.asked[0], std::string("Fejl: Filen er ikke en hestefil, eller filen er beskadiget. Vil du "
                                             "pr\xf8ve igen?"));
    QCOMPARE(syd.HorseCount(), 1);
    // A horse file that does not read: the reader's message, nothing imported.
    const fs::path broken = p.f.dir / "broken.eqh";
    WriteFileAtomically(broken, "object Hest: THest\r\n  Navn = 'Knud\r\n");
    p.f.prompts.openPath = Q(PathText(broken));
    p.f.shown.said.clear();
    s->ImportHorse();
    QVERIFY(p.SaidStarting("Hesten kunne ikke importeres"));
    QCOMPARE(syd.HorseCount(), 1);
    // The exported Bella comes in.
    p.f.prompts.openPath = Q(PathText(exported));
    s->ImportHorse();
    QCOMPARE(syd.HorseCount(), 2);
    QVERIFY(syd.HorseByName("Bella"));
    QVERIFY(fs::exists(syd.HorseFilePath(*syd.HorseByName("Bella"))));
    QCOMPARE(s->InformationPage()->HorseList()->currentIndex().row(), 1);
  }

  void closingWithChangesAsksYesNoCancel() {
    Place p("close");
    TStall& nord = p.Stable("Nord");
    StableWindow* w = p.Open("Nord");
    auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    // Nothing changed: no question.
    QVERIFY(!w->HasUnsavedChanges());

    // Cancel keeps the window and what was typed.
    w->InformationPage()->OwnerField()->setEditText("Karen");
    w->InformationPage()->OwnerLeft();
    p.f.shown.answers = {Answer::kCancel};
    p.f.shown.asked.clear();
    sub->close();
    QCOMPARE(p.f.shown.asked.size(), size_t{1});
    QCOMPARE(p.f.shown.asked[0], C("Nord: Data ændret! Vil du gemme de nye oplysninger"));
    QCOMPARE(p.Windows(), 1);
    QCOMPARE(nord.StallEier, std::string("Karen"));

    // No: the stable as its file has it.
    w->InformationPage()->MealCount()->setValue(2);
    w->InformationPage()->MealCountEdited();
    QCOMPARE(nord.StallNoMeals, 2);
    p.f.shown.answers = {Answer::kNo};
    sub->close();
    QTRY_COMPARE(p.Windows(), 0);
    QCOMPARE(nord.StallEier, std::string());
    QCOMPARE(nord.StallNoMeals, 4);
    QCOMPARE(nord.SFTider.size(), size_t{4});

    // Yes saves (the closed window is gone once its events are through).
    QTest::qWait(50);
    w = p.Open("Nord");
    QVERIFY(w);
    sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    w->InformationPage()->OwnerField()->setEditText("Karen");
    w->InformationPage()->OwnerLeft();
    w->findChild<QCheckBox*>("cbStallForModellhester")->click();
    p.f.shown.answers = {Answer::kYes};
    sub->close();
    QTRY_COMPARE(p.Windows(), 0);
    TStall saved(p.f.app->Env());
    saved.Load(nord.StableFilePath());
    QCOMPARE(saved.StallEier, std::string("Karen"));
    QVERIFY(saved.ErModellHestStall);
  }

  void theStoreButtonAsksBeforeWritingOverAFile() {
    Place p("store");
    StableWindow* w = p.Open("Nord");
    w->ShowPage(StablePage::Horses);
    const fs::path target = p.f.dir / "oversigt";
    p.f.shown.savePath = Q(PathText(target));
    w->findChild<QPushButton*>("btnStore_tsHester")->click();
    const fs::path written = p.f.dir / "oversigt.htm";
    QVERIFY(fs::exists(written));
    QVERIFY(ReadWholeFile(written)->find("Bella") != std::string::npos);
    QVERIFY(p.f.shown.asked.empty());
    // An existing file and No: unchanged.
    WriteFileAtomically(written, "old");
    p.f.shown.answer = false;
    w->findChild<QPushButton*>("btnStore_tsHester")->click();
    QCOMPARE(p.f.shown.asked.size(), size_t{1});
    QCOMPARE(*ReadWholeFile(written), std::string("old"));
    p.f.shown.answer = true;
    w->findChild<QPushButton*>("btnStore_tsHester")->click();
    QVERIFY(ReadWholeFile(written)->find("Bella") != std::string::npos);
    // The mail button hands over the page's report file.
    p.f.shown.mails.clear();
    w->findChild<QPushButton*>("btnEmail_tsHester")->click();
    QCOMPARE(p.f.shown.mails.size(), size_t{1});
    QCOMPARE(p.f.shown.mails[0].second.size(), size_t{1});
    QVERIFY(fs::exists(p.f.shown.mails[0].second[0]));
  }

  void theModelsHoldUnderTheTester() {
    Place p("models");
    TStall& nord = p.Stable("Nord");
    // Bella has a treatment due and a ban: the summary shows, and the trees have her.
    THest& bella = *nord.HorseByName("Bella");
    TTreatmentObj& t = bella.TreatmentListe->AddNew();
    t.TreatmentType = static_cast<TTreatmentType>(1);
    t.PlannedDate = p.f.app->Env().Today() + 2;
    t.OKToStartDate = p.f.app->Env().Today() + 10;
    bella.TreatmentListe->UpdateBan();
    fs::create_directories(nord.HorseDirectory(bella));
    WriteFileAtomically(nord.HorseDirectory(bella) / "kur.htm", "<html>kur</html>");
    StableWindow* w = p.Open("Nord");
    StableInformationPage* info = w->InformationPage();
    QAbstractItemModelTester horses(info->HorseList()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester meals(info->MealTable()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester summary(info->SummaryList()->model(),
                                     QAbstractItemModelTester::FailureReportingMode::QtTest);
    StableTreatmentsPage* tp = w->TreatmentsPage();
    QAbstractItemModelTester tree(tp->TreatmentModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester reports(tp->ReportsModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    w->WindowActivated();
    // Pictures of every page for looking at them (STALLORA_UI_SHOTS=directory).
    w->resize(1000, 660);
    Fixture::Shot(w, "stable-information");
    for (StablePage page : {StablePage::Horses, StablePage::Diary, StablePage::Feeding, StablePage::Treatments}) {
      w->ShowPage(page);
      Fixture::Shot(w, "stable-page" + QString::number(static_cast<int>(page)));
    }
    w->ShowPage(StablePage::Information);
    QVERIFY(!info->SummaryGroup()->isHidden());
    QVERIFY(!info->BanPicture()->isHidden());
    QCOMPARE(info->SummaryList()->model()->rowCount(), 7);
    QCOMPARE(info->SummaryList()->model()->index(6, 0).data().toString(), QStringLiteral("Startforbud: 1 Heste"));

    // The ban line leads to the treatments page with the banned horses.
    info->SummaryActivated(6);
    QCOMPARE(w->Tabs()->currentWidget(), static_cast<QWidget*>(tp));
    QCOMPARE(tp->InnerTabs()->currentIndex(), 1);
    QCOMPARE(w->findChild<QLabel*>("lblTreatmentsUntil_tsTreatments")->text(), QStringLiteral("Heste med startforbud"));
    const QModelIndex root = tp->TreatmentModel()->index(0, 0);
    QCOMPARE(tp->TreatmentModel()->rowCount(root), 1);
    QVERIFY(tp->TreatmentModel()->index(0, 0, root).data().toString().startsWith("Bella - "));
    // Its double click opens Bella's window on the treatments.
    tp->TreatmentActivated(tp->TreatmentModel()->index(0, 0, root));
    QCOMPARE(p.Windows(), 2);

    // The reports tree has Bella's saved report; deleting it empties her node.
    w->ShowPage(StablePage::Treatments);
    const QModelIndex rroot = tp->ReportsModel()->index(0, 0);
    QCOMPARE(rroot.data().toString(), QStringLiteral("Nord"));
    QModelIndex bellaNode;
    for (int r = 0; r < tp->ReportsModel()->rowCount(rroot); ++r)
      if (tp->ReportsModel()->index(r, 0, rroot).data().toString() == "Bella")
        bellaNode = tp->ReportsModel()->index(r, 0, rroot);
    QVERIFY(bellaNode.isValid());
    QVERIFY(tp->ReportsModel()->rowCount(bellaNode) >= 1);
    QModelIndex kur;
    for (int r = 0; r < tp->ReportsModel()->rowCount(bellaNode); ++r)
      if (tp->ReportsModel()->index(r, 0, bellaNode).data().toString() == "kur.htm")
        kur = tp->ReportsModel()->index(r, 0, bellaNode);
    QVERIFY(kur.isValid());
    tp->ReportClicked(kur);
    QVERIFY(tp->DeleteButton()->isEnabled());
    tp->DeleteButton()->click();
    QVERIFY(!fs::exists(nord.HorseDirectory(bella) / "kur.htm"));
    QVERIFY(!tp->DeleteButton()->isEnabled());
  }
};

}  // namespace
}  // namespace stallora

QTEST_MAIN(stallora::StableWindowTest)
#include "stablewindow_test.moc"
