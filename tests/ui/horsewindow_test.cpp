// The horse window on a horse of a stable in a temporary workspace: opened from the main
// window's tree, typed into, saved, closed; the record and the horse file are checked.

#include <QApplication>
#include <QButtonGroup>
#include <QChartView>
#include <QValueAxis>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QAbstractItemModelTester>
#include <QTableView>
#include <QTextEdit>
#include <QTimer>
#include <QToolTip>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest/QtTest>
#include <cmath>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <tuple>

#include "core/fileio.h"
#include "forms/horse_form.h"
#include "nutrition/rtf.h"
#include "render/pictures.h"
#include "render/qttext.h"
#include "stable/workspace.h"
#include "ui/horsediary.h"
#include "ui/horsehealth.h"
#include "ui/horseweights.h"
#include "ui/horsewindow.h"
#include "ui/rationpage.h"
#include "ui/horseyoungdialog.h"
#include "ui/mainwindow.h"
#include "program_dir_fixture.h"
#include "test_prompts.h"
#include "window_fixture.h"
#include "ui/appwindows.h"
#include "ui/boxprompts.h"
#include "ui/smalldialogs.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

// Answers the window's questions from a script and keeps everything it was told.
using ScriptedPrompts = TestPrompts;

// Message boxes the test does not expect are answered so that no test hangs on one.
class BoxWatcher {
 public:
  BoxWatcher() {
    timer_.setInterval(50);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts << box->text();
        box->accept();
      }
    });
    timer_.start();
  }
  QStringList texts;

 private:
  QTimer timer_;
};

class Workplace : public testing::StartedProgram {
 public:
  explicit Workplace(const char* name) : StartedProgram("stallora-horsewin-", name) {
    // A stable with two horses on disk, read by the scan as the program reads them.
    TStall stable(app->Env());
    stable.stallNavn = "Stald1";
    if (!stable.Save()) qFatal("stable not saved");
    for (const char* horseName : {"Blakken", "Freja"}) {
      THest& h = stable.NewHorse();
      h.Navn = horseName;
      h.RaseNavn = "Fjordhest";
      h.VektListe->LeggTil(480, today() - 30);
      if (std::string(horseName) == "Blakken") h.DiaryMemo = diaryBytes();
      if (!stable.SaveHorse(h)) qFatal("horse not saved");
    }
    ws = std::make_unique<Workspace>(*app);
    ws->Scan();
    main = std::make_unique<MainWindow>(*app, *ws, boxes);
    RegisterHorseWindow(main->Windows());
    main->resize(1400, 900);
    main->show();
    main->RefreshTree();
  }
  ~Workplace() {
    main->services().prompts = &boxes;
    // Child windows go while the main window still keeps its books on them.
    testing::CloseRecordWindowsQuietly(main.get());
    main.reset();
    ws.reset();
    app.reset();
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  static std::string diaryBytes() {
    return ReadWholeFile(fs::path(STALLORA_TEST_DATA) / "rtf" / "richedit_diary.rtf").value_or("");
  }
  DayNumber today() const { return clock.Today(); }
  TStall& Stable() { return *ws->Stables().front(); }
  THest& Horse(const std::string& name) { return *Stable().HorseByName(name); }

  // Opens the horse by a double click on its node in the main window's tree.
  HorseWindow* OpenByDoubleClick(const std::string& name) {
    auto* tree = main->findChild<QTreeWidget*>();
    if (!tree) return nullptr;
    tree->expandAll();
    const auto found = tree->findItems(Q(name), Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty()) {
      qWarning("no node %s among %d top nodes", name.c_str(), tree->topLevelItemCount());
      for (const std::string& line : ws->TreeLines()) qWarning("%s", line.c_str());
      return nullptr;
    }
    tree->scrollToItem(found.first());
    const QRect r = tree->visualItemRect(found.first());
    if (!QTest::qWaitForWindowExposed(main.get())) qWarning("main window not exposed");
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    if (!Window()) qWarning("no window after a double click at %d,%d", r.center().x(), r.center().y());
    HorseWindow* w = Window();
    // The window's questions from here on go to the script.
    if (w) main->services().prompts = prompts;
    return w;
  }
  HorseWindow* Window() const { return main->findChild<HorseWindow*>(); }
  template <class W>
  W* Find(const char* name) const {
    HorseWindow* w = Window();
    return w ? w->findChild<W*>(QString::fromLatin1(name)) : nullptr;
  }
  void Click(const char* name) {
    auto* b = Find<QAbstractButton>(name);
    QVERIFY2(b, name);
    b->click();
  }
  std::string HorseFile(const std::string& name) {
    return ReadWholeFile(app->preferences.SaveDirectory() / "Stald1" / name / (name + ".eqh")).value_or("");
  }

  BoxPrompts boxes;
  std::unique_ptr<Workspace> ws;
  std::unique_ptr<MainWindow> main;
  ScriptedPrompts scripted;
  ScriptedPrompts* prompts = &scripted;
  BoxWatcher watcher;
};

QString Shots() { return qEnvironmentVariable("STALLORA_HORSEWIN_SHOTS"); }

}  // namespace

class HorseWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void typesANameChangesTheCategoryAddsAWeighingAndATreatmentAndSaves() {
    Workplace w("main");
    HorseWindow* win = w.OpenByDoubleClick("Blakken");
    QVERIFY(win);
    QCOMPARE(win->windowTitle(), QStringLiteral("Blakken  (Stald1)"));
    QCOMPARE(&win->Horse(), &w.Horse("Blakken"));
    auto* name = w.Find<QLineEdit>("eNavn");
    QVERIFY(name);

    // Another horse's name is refused as it is typed; points become hyphens.
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, "Frej");
    QVERIFY(w.prompts->said.empty());
    QTest::keyClicks(name, "a");
    QVERIFY(w.prompts->Said("Hest findes allerede. Angiv andet navn!"));
    name->selectAll();
    QTest::keyClicks(name, "Bella.1");
    QCOMPARE(name->text(), QStringLiteral("Bella-1"));
    // Said beside the field, not in a box (which would take the next keystroke).
    QVERIFY(std::find(w.prompts->noticed.begin(), w.prompts->noticed.end(), ". ikke tilladt") !=
            w.prompts->noticed.end());
    QVERIFY(!w.prompts->Said(". ikke tilladt"));
    QCOMPARE(win->windowTitle(), QStringLiteral("Bella-1  (Stald1)"));
    emit name->editingFinished();
    QCOMPARE(w.Horse("Bella-1").Navn, std::string("Bella-1"));
    QVERIFY(fs::is_directory(w.app->preferences.SaveDirectory() / "Stald1" / "Bella-1"));

    // Category and sex pull each other.
    THest& h = win->Horse();
    w.Click("rgKjonn0");
    QCOMPARE(h.Kjonn, TKjonn::Hann);
    w.Click("rgHestetype3");
    QCOMPARE(h.Kategori, TDyreKategori::Drektig);
    QCOMPARE(h.Kjonn, TKjonn::Hunn);
    QCOMPARE(h.ParringsDato, w.today());
    QVERIFY(win->HorseTabs()->isTabVisible(win->HorseTabs()->indexOf(win->findChild<QWidget*>("tsTrening"))));
    w.Click("rgKjonn0");
    QCOMPARE(h.Kategori, TDyreKategori::Vedlikehold);
    QCOMPARE(h.Kjonn, TKjonn::Hann);
    QVERIFY(h.Behov[0] > 0);

    // A weighing: "Ny" inserts 0 kg for an adult, the table takes 512.
    win->MainTabs()->setCurrentIndex(0);
    win->HorseTabs()->setCurrentWidget(win->WeightPage());
    QVERIFY(!h.ErNy);
    auto* table = win->WeightPage()->Table();
    QAbstractItemModel* weighings = table->model();
    QCOMPARE(weighings->rowCount(), 1);
    table->setCurrentIndex(weighings->index(0, 1));
    w.Click("btnAddVekt");
    QCOMPARE(h.VektListe->Antall(), 2);
    QCOMPARE(h.VektListe->Element(1)->Vekt, 0.0);
    weighings->setData(weighings->index(1, 1), "512");
    QCOMPARE(h.VektListe->Element(1)->Vekt, 512.0);
    weighings->setData(weighings->index(1, 1), "9999");  // beyond a horse: the weighing keeps 512
    QCOMPARE(h.VektListe->Element(1)->Vekt, 512.0);
    QCOMPARE(weighings->index(1, 1).data().toString(), QStringLiteral("512"));
    QVERIFY(win->WeightPage()->ChartShown());
    QCOMPARE(h.AktuellVekt(), 512.0);

    // A treatment: the vaccination node creates one; cancelling takes it away again.
    win->MainTabs()->setCurrentIndex(3);
    HorseHealthPage* health = win->HealthPage();
    const QModelIndex vacc = health->ItemWithText(QStringLiteral("Vaccination"));
    QVERIFY(vacc.isValid());
    health->ActivateNode(vacc);
    QCOMPARE(h.TreatmentListe->Count(), 1);
    QVERIFY(health->EditOpen());
    health->CancelEdit();
    QCOMPARE(h.TreatmentListe->Count(), 0);
    health->ActivateNode(health->ItemWithText(QStringLiteral("Vaccination")));
    QVERIFY(health->StoreEdit());
    QCOMPARE(h.TreatmentListe->Count(), 1);
    QCOMPARE(h.TreatmentListe->Items(0)->TreatmentType, TTreatmentType::Vacc);
    QCOMPARE(h.TreatmentListe->Items(0)->TreatmentName, std::string("Influenza og stivkrampe"));

    // Saving writes the file under the new name.
    QVERIFY(win->HasUnsavedChanges());
    w.Click("btnSave");
    QVERIFY(!win->HasUnsavedChanges());
    const std::string file = w.HorseFile("Bella-1");
    QVERIFY(file.find("Navn = 'Bella-1'") != std::string::npos);
    QVERIFY(file.find("Kjonn = Hann") != std::string::npos);
    QVERIFY(file.find("Kategori = Vedlikehold") != std::string::npos);
    QVERIFY(file.find("TreatmentType = Vacc") != std::string::npos);
    QVERIFY(file.find("TreatmentName = 'Influenza og stivkrampe'") != std::string::npos);
    THest back(w.app->Env());
    back.LoadfromFile(w.app->preferences.SaveDirectory() / "Stald1" / "Bella-1" / "Bella-1.eqh");
    QCOMPARE(back.VektListe->Antall(), 2);
    QCOMPARE(back.VektListe->Element(1)->Vekt, 512.0);
    QCOMPARE(back.TreatmentListe->Count(), 1);
    QVERIFY(!fs::exists(w.app->preferences.SaveDirectory() / "Stald1" / "Blakken"));
  }

  // The "Hest" menu reaches the feeding plan: show it, store it where the user says, mail it.
  void theHorseMenuShowsStoresAndMailsTheFeedingPlan() {
    Workplace w("planmenu");
    THest& blakken = w.Horse("Blakken");
    for (auto [name, kg] : {std::pair{"H\xF8", 9.0}, {"Havre", 1.5}}) {
      for (TForListe* list : {blakken.ForListe.get(), w.Stable().ForListe.get()}) {
        TFor& f = list->AddFeed(std::make_unique<TFor>(w.app->Env()));
        f.Fornavn = name;
        f.Fortype = 6;
        f.TorrStoff = 85;
        f.SetValue(0, 0.5);
        f.Valgt = list == blakken.ForListe.get();
        f.TildeltKg = list == blakken.ForListe.get() ? kg : 0;
      }
    }
    HorseWindow* win = w.OpenByDoubleClick("Blakken");
    QVERIFY(win);
    auto* page = win->findChild<RationPage*>();
    QVERIFY(page);
    auto item = [&](const char* name) {
      auto* a = win->findChild<QAction*>(QString::fromLatin1(name));
      if (!a) qWarning("no menu item %s", name);
      return a;
    };
    QAction* show = item("miShowDiet");
    QAction* store = item("miSavedietToFile");
    QAction* mail = item("miEmailDiet");
    QVERIFY(show && store && mail);
    QCOMPARE(QString(show->text()).remove('&'), QStringLiteral("Foderplan"));
    QCOMPARE(QString(store->text()).remove('&'), QStringLiteral("Gem foderplan som..."));
    QCOMPARE(QString(mail->text()).remove('&'), QStringLiteral("Epost foderplan"));
    // They sit in the horse menu, after "Vælg foder".
    QMenu* menu = qobject_cast<QMenu*>(item("miDiet")->parent());
    QVERIFY(menu);
    QVERIFY(menu->actions().contains(show) && menu->actions().contains(store) && menu->actions().contains(mail));

    show->trigger();
    QApplication::processEvents();
    auto* tabs = win->findChild<QTabWidget*>("pcForm");
    QCOMPARE(tabs->currentWidget(), win->findChild<QWidget*>("tsFeedsAndfeeding"));
    QCOMPARE(page->Pages()->tabText(page->Pages()->currentIndex()), QStringLiteral("Foderplan"));

    const fs::path target = w.dir / "plan";
    QString title, proposed;
    w.prompts->askSaveFile = [&](const QString& t, const QString& path, const QString&) {
      title = t;
      proposed = path;
      return QString::fromStdString(target.string());
    };
    store->trigger();
    QCOMPARE(title, QStringLiteral("Gem foderplanfil "));
    QVERIFY2(proposed.startsWith(
                 QString::fromStdString((w.app->preferences.SaveDirectory() / "Stald1" / "Blakken").string())),
             qPrintable(proposed));
    const auto written = ReadWholeFile(w.dir / "plan.htm");
    QVERIFY(written);
    QVERIFY(written->find("Havre") != std::string::npos);

    std::vector<fs::path> attached;
    w.prompts->mail = [&](const std::string&, const std::vector<fs::path>& files) { attached = files; };
    mail->trigger();
    QCOMPARE(attached.size(), size_t{1});
    QVERIFY(fs::exists(attached[0]));
    QVERIFY(ReadWholeFile(attached[0])->find("Havre") != std::string::npos);
  }

  // The ration tab's and the training tab's amounts tables are two views of one model:
  // 12,5 g of a supplement reads the same in both (the training tab once rounded it to
  // 13), and both step hay by 0.25 kg (the training tab once stepped by 0.1).
  void bothAmountsTablesShowAndStepTheSameAmounts() {
    Workplace w("amounts");
    THest& freja = w.Horse("Freja");
    for (auto [name, category, kg] : {std::tuple{"H\xF8", 1, 8.0}, {"Mineral", 9, 0.0125}}) {
      for (TForListe* list : {freja.ForListe.get(), w.Stable().ForListe.get()}) {
        TFor& f = list->AddFeed(std::make_unique<TFor>(w.app->Env()));
        f.Fornavn = name;
        f.Fortype = static_cast<uint8_t>(category);
        f.TorrStoff = 85;
        f.SetValue(0, 0.5);
        f.Valgt = list == freja.ForListe.get();
        f.TildeltKg = list == freja.ForListe.get() ? kg : 0;
      }
    }
    HorseWindow* win = w.OpenByDoubleClick("Freja");
    QVERIFY(win);
    auto* ration = w.Find<QTableView>("otAllocations");
    auto* training = w.Find<QTableView>("otAllocations2");
    QVERIFY(ration && training);
    QCOMPARE(ration->model(), training->model());
    QAbstractItemModelTester tester(training->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    auto cell = [](QTableView* t, int row, int column) { return t->model()->index(row, column).data().toString(); };
    TFor& hay = *freja.ForListe->FeedByName("H\xF8");

    win->MainTabs()->setCurrentWidget(win->HorseTabs());
    win->HorseTabs()->setCurrentWidget(w.Find<QWidget>("tsTrening"));
    QTRY_VERIFY(training->isVisible());
    QCOMPARE(training->model()->rowCount(), 2);
    QCOMPARE(cell(training, 1, 1), QStringLiteral("12,5"));
    QCOMPARE(cell(training, 1, 2), QStringLiteral("g"));
    training->setCurrentIndex(training->model()->index(0, 1));
    w.Click("Spinner2Up");
    QVERIFY(qAbs(hay.TildeltKg - 8.25) < 1e-12);
    QCOMPARE(cell(training, 0, 1), QStringLiteral("8,25"));

    win->MainTabs()->setCurrentWidget(win->findChild<RationPage*>());
    win->findChild<RationPage*>()->ShowAmountsPage();
    QTRY_VERIFY(ration->isVisible());
    QCOMPARE(cell(ration, 0, 1), QStringLiteral("8,25"));
    QCOMPARE(cell(ration, 1, 1), QStringLiteral("12,5"));
    ration->setCurrentIndex(ration->model()->index(0, 1));
    w.Click("SpinnerUp");
    QVERIFY(qAbs(hay.TildeltKg - 8.5) < 1e-12);
    QCOMPARE(cell(training, 0, 1), QStringLiteral("8,50"));
    QVERIFY(win->HasUnsavedChanges());
  }

  // Today's weight is one value shown in two places of two pages: typed on the information
  // page it is a weighing in the table, typed into the table it is the information page's
  // today's weight. Each edit is one notification; a category shows and hides the tabs.
  void aWeightOrACategoryEditRepaintsWhatShowsIt() {
    Workplace w("repaint");
    HorseWindow* win = w.OpenByDoubleClick("Freja");
    QVERIFY(win);
    THest& h = win->Horse();
    w.prompts->youngDate = w.today() - 200;
    w.prompts->youngWeight = QStringLiteral("450");
    w.Click("rgHestetype0");
    QCOMPARE(h.Kategori, TDyreKategori::Ungdyr);
    auto* today = w.Find<QLineEdit>("eVektIdag");
    QCOMPARE(today->text(), QString::number(std::lround(h.AktuellVekt())));
    QAbstractItemModel* table = win->WeightPage()->Table()->model();
    const int rows = table->rowCount();
    const int told = win->Editor().Notifications();

    today->setText("155");
    emit today->editingFinished();
    QCOMPARE(win->Editor().Notifications(), told + 1);
    QCOMPARE(table->rowCount(), rows + 1);
    QCOMPARE(table->index(rows, 1).data().toString(), QStringLiteral("155"));
    QCOMPARE(h.AktuellVekt(), 155.0);
    QCOMPARE(today->text(), QStringLiteral("155"));
    // Leaving the field again without a change is no edit.
    emit today->editingFinished();
    QCOMPARE(win->Editor().Notifications(), told + 1);

    win->MainTabs()->setCurrentWidget(win->HorseTabs());
    win->HorseTabs()->setCurrentWidget(win->WeightPage());
    const int entered = win->Editor().Notifications();
    QVERIFY(table->setData(table->index(rows, 1), "162"));
    QCOMPARE(win->Editor().Notifications(), entered + 1);
    QCOMPARE(today->text(), QStringLiteral("162"));
    QVERIFY(w.Find<QListWidget>("lbHesteInfo")->count() > 0);

    // A category: one edit; the young horse's box goes, the training tab comes.
    auto* training = w.Find<QWidget>("tsTrening");
    QVERIFY(!win->HorseTabs()->isTabVisible(win->HorseTabs()->indexOf(training)));
    const int before = win->Editor().Notifications();
    w.Click("rgHestetype2");
    QCOMPARE(h.Kategori, TDyreKategori::Trening);
    QCOMPARE(win->Editor().Notifications(), before + 1);
    QVERIFY(win->HorseTabs()->isTabVisible(win->HorseTabs()->indexOf(training)));
    QVERIFY(w.Find<QWidget>("grbUnghest")->isHidden());
    QCOMPARE(w.Find<QLabel>("lblEnergibehov")->text().isEmpty(), false);
  }

  void closingAsksOnlyAfterChangesAndNoBringsBackTheFile() {
    Workplace w("close");
    HorseWindow* win = w.OpenByDoubleClick("Freja");
    QVERIFY(win);
    auto* sub = qobject_cast<QMdiSubWindow*>(win->parentWidget());
    QVERIFY(sub);
    THest* before = &w.Horse("Freja");
    w.Find<QLineEdit>("eFar")->setText("Ukendt hingst");
    w.prompts->answers = {Prompts::Answer::kCancel};
    sub->close();
    QVERIFY(w.Window());
    QCOMPARE(w.prompts->asked.size(), size_t(1));
    QCOMPARE(w.prompts->asked[0], std::string("Freja: Data \xE6ndret! Vil du gemme de nye oplysninger"));
    ScriptedPrompts* prompts = w.prompts;
    prompts->answers = {Prompts::Answer::kNo};
    sub->close();
    QTest::qWait(20);
    QVERIFY(!w.Window());
    THest& fresh = w.Horse("Freja");
    QVERIFY(&fresh != before || fresh.Father.empty());
    QCOMPARE(fresh.Father, std::string());
    QCOMPARE(w.Stable().HorseAt(1), &fresh);  // still in its place

    // Unchanged: no question.
    win = w.OpenByDoubleClick("Freja");
    QVERIFY(win);
    sub = qobject_cast<QMdiSubWindow*>(win->parentWidget());
    sub->close();
    QTest::qWait(20);
    QVERIFY(!w.Window());
  }

  void treatmentTreeAlternatesAndDoneDatesAreChecked() {
    Workplace w("treat");
    HorseWindow* win = w.OpenByDoubleClick("Freja");
    QVERIFY(win);
    HorseHealthPage* health = win->HealthPage();
    win->MainTabs()->setCurrentIndex(3);
    QVERIFY(health->LastLayoutByType());
    QVERIFY(health->ItemWithText(QStringLiteral("Ormekur")).isValid());
    win->MainTabs()->setCurrentIndex(0);
    win->MainTabs()->setCurrentIndex(3);
    QVERIFY(!health->LastLayoutByType());
    QVERIFY(!health->ItemWithText(QStringLiteral("Ormekur")).isValid());

    health->NewTreatment();
    QVERIFY(health->EditOpen());
    health->ActivateNode(health->Tree()->model()->index(0, 0, health->Tree()->model()->index(0, 0)));
    auto* done = win->findChild<QDateEdit*>("dtpDone");
    health->MarkDone();
    done->setDate(QDate(2026, 12, 12));  // three days ahead: asked
    health->DoneDateLeft();
    QCOMPARE(w.prompts->asked.back(), std::string("Behandlingsdato ikke godkendt\rForts\xE6t?"));
    QCOMPARE(done->date(), QDate(2026, 12, 12));
    done->setDate(QDate(2026, 12, 17));  // eight days ahead: refused
    health->DoneDateLeft();
    QCOMPARE(w.prompts->said.back(),
             std::string("Behandlingsdato ikke godkendt\rMaksimalt tilladt er 16-12-2026\rAngiv ny dato!"));
    QCOMPARE(done->date(), QDate(2026, 12, 9));
    health->AskBan();
    win->findChild<QDateEdit*>("dtpOKToStart")->setDate(QDate(2026, 12, 10));
    QVERIFY(health->StoreEdit());
    auto* ban = win->findChild<QLabel*>("shStartForbud");
    QVERIFY(!ban->isHidden());
    QVERIFY(ban->toolTip().startsWith(QStringLiteral("Startforbud til: 10-12-2026")));
    // Deleting the treatment lifts the ban.
    health->Tree()->setCurrentIndex(health->ItemWithText(Q(w.Horse("Freja").TreatmentListe->Items(0)->Caption())));
    health->DeleteSelected();
    QCOMPARE(w.Horse("Freja").TreatmentListe->Count(), 0);
    QVERIFY(ban->isHidden());

    // The list report is written and shown; storing asks for a name and writes the page.
    health->ShowListReport();
    QVERIFY(fs::exists(w.app->preferences.TreatmentsHtmlFile()));
    w.prompts->savePath = QString::fromStdString((w.dir / "stored").string());
    win->findChild<QAbstractButton*>("btnStore_Treatment")->click();
    QVERIFY2(w.prompts->proposedPath.endsWith(QStringLiteral("06Behandlinger_Freja_09-12-2026_kur.htm")),
             qPrintable(w.prompts->proposedPath));
    QVERIFY(fs::exists(w.dir / "stored.htm"));
  }

  void youngHorseIsDefinedThroughTheDialog() {
    Workplace w("young");
    HorseWindow* win = w.OpenByDoubleClick("Freja");
    QVERIFY(win);
    THest& h = win->Horse();
    w.prompts->youngDate = w.today() - 100;
    w.prompts->youngWeight = QStringLiteral("460");
    w.Click("rgHestetype0");
    QCOMPARE(h.Kategori, TDyreKategori::Ungdyr);
    QCOMPARE(w.prompts->youngCaption, QStringLiteral("Freja: Definer F\u00f8"
                                                     "dselsdato & Forventet voksenv\u00e6gt"));
    QCOMPARE(w.prompts->offeredWeight, QStringLiteral("430"));  // a fjord mare
    QCOMPARE(h.Fodselsdato, w.today() - 100);
    QCOMPARE(h.ForventetVoksenvekt, 460.0);
    QCOMPARE(h.VektListe->Element(0)->Dato, w.today() - 100);
    QVERIFY2(
        std::abs(h.VektListe->Element(0)->Vekt - BirthWeight(h.Curve(), 460)) < 1e-9,
        qPrintable(QString::number(h.VektListe->Element(0)->Vekt) + " of " + QString::number(h.VektListe->Antall())));
    QCOMPARE(w.Find<QSpinBox>("pfAlder")->value(), 3);
    QVERIFY(!w.Find<QWidget>("grbUnghest")->isHidden());
    // Too heavy an adult weight is refused and the record keeps its own.
    auto* adult = w.Find<QLineEdit>("eForventetVoksenVekt");
    adult->setText("1700");
    emit adult->editingFinished();
    QVERIFY(w.prompts->Said("Ugyldig v\xE6gt (max 1600 kg)"));
    win->TakeDataIntoRecord();
    QCOMPARE(h.ForventetVoksenvekt, 460.0);
    // The age field: 3 months is today - 92 days.
    auto* age = w.Find<QSpinBox>("pfAlder");
    age->setValue(3);
    emit age->editingFinished();
    QCOMPARE(h.Fodselsdato, w.today() - 92);
    win->HorseTabs()->setCurrentWidget(win->WeightPage());
    QVERIFY(win->WeightPage()->ChartShown());
  }

  // Texts fit their controls: the weight help's buttons, also in a window made as small as
  // it goes, and the young-horse dialog's caption.
  void textsFitTheirControls() {
    Workplace w("fits");
    HorseWindow* win = w.OpenByDoubleClick("Freja");
    QVERIFY(win);
    win->HorseTabs()->setCurrentWidget(win->WeightPage());
    auto* help = w.Find<QGroupBox>("gbWeightHelp");
    QVERIFY(help);
    for (QPushButton* b : win->WeightPage()->findChildren<QPushButton*>())
      if (b->text() == QString::fromUtf8("Vægthjælp")) b->click();
    QApplication::processEvents();
    QVERIFY(help->isVisible());
    auto* sub = qobject_cast<QMdiSubWindow*>(win->parentWidget());
    QVERIFY(sub);
    for (const QSize size : {sub->size(), sub->minimumSizeHint()}) {
      sub->resize(size);
      QApplication::processEvents();
      if (!Shots().isEmpty()) help->grab().save(Shots() + QStringLiteral("/weighthelp-%1.png").arg(size.width()));
      for (QPushButton* b : help->findChildren<QPushButton*>()) {
        const int needed = b->fontMetrics().horizontalAdvance(QString(b->text()).remove('&'));
        QVERIFY2(b->width() >= needed + 16,
                 qPrintable(b->text() + ": " + QString::number(b->width()) + " < " + QString::number(needed + 16)));
      }
    }

    // The weight chart's ticks are round: 0, 100, 200 ..., whatever the weights.
    THest& h = win->Horse();
    h.VektListe->LeggTil(484, w.today());
    w.Find<QPushButton>("btnCloseWeightHelp")->click();
    win->WeightPage()->Refresh();
    QApplication::processEvents();
    auto* chart = w.Find<QChartView>("VektGraf");
    QVERIFY(chart && chart->isVisible());
    const auto axes = chart->chart()->axes(Qt::Vertical);
    QCOMPARE(axes.size(), 1);
    auto* y = qobject_cast<QValueAxis*>(axes.first());
    QVERIFY(y);
    QCOMPARE(y->min(), 0.0);
    QVERIFY(y->max() >= 484);
    const double step = (y->max() - y->min()) / (y->tickCount() - 1);
    const double power = std::pow(10.0, std::floor(std::log10(step)));
    const double factor = step / power;
    QVERIFY2(std::abs(factor - 1) < 1e-9 || std::abs(factor - 2) < 1e-9 || std::abs(factor - 5) < 1e-9,
             qPrintable(QString::number(step)));

    YoungHorseDialog& dialog = w.main->Windows().YoungHorse();
    const QString caption = QString::fromUtf8("Freja: Definer Fødselsdato & Forventet voksenvægt");
    dialog.setWindowTitle(caption);
    dialog.show();
    QApplication::processEvents();
    // Room for the caption (title bars often draw it bold) beside the icon and buttons.
    QFont titleFont = dialog.font();
    titleFont.setBold(true);
    const int needed = QFontMetrics(titleFont).horizontalAdvance(caption) + 120;
    QVERIFY2(dialog.width() >= needed, qPrintable(QString::number(dialog.width()) + " < " + QString::number(needed)));
    // Its date reads as the horse window's dates do.
    QCOMPARE(dialog.findChild<QDateEdit*>("dtpDato")->displayFormat(), QStringLiteral("dd-MM-yyyy"));
    dialog.hide();
  }

  // Typing a point into the name: it becomes a hyphen and the user is told without a box
  // that would take the next keystroke.
  void aPointInTheNameTakesNoKeystroke() {
    Workplace w("point");
    HorseWindow* win = w.OpenByDoubleClick("Freja");
    QVERIFY(win);
    w.main->services().prompts = &w.boxes;  // the program's own, boxes and all
    auto* name = w.Find<QLineEdit>("eNavn");
    QApplication::setActiveWindow(w.main.get());
    name->setFocus();
    name->selectAll();
    const qsizetype boxesBefore = w.watcher.texts.size();
    QTest::keyClicks(name, "Bella.1");
    QApplication::processEvents();
    // No message box came up (the fixture's watcher answers and counts every one).
    QTest::qWait(120);
    QCOMPARE(w.watcher.texts.size(), boxesBefore);
    QCOMPARE(name->text(), QStringLiteral("Bella-1"));
    QVERIFY(name->hasFocus());
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral(". ikke tilladt"));
  }

  void diaryKeepsItsBytesUntilChangedAndThenWritesRtf() {
    Workplace w("diary");
    HorseWindow* win = w.OpenByDoubleClick("Blakken");
    QVERIFY(win);
    THest& h = win->Horse();
    const std::string original = Workplace::diaryBytes();
    QVERIFY(win->Diary()->Editor()->toPlainText().contains(QStringLiteral("Dyrl\u00e6ge")));
    win->TakeDataIntoRecord();
    QCOMPARE(h.DiaryMemo, original);
    QVERIFY(!win->HasUnsavedChanges());
    w.Click("btnAddHorseInfo");
    win->TakeDataIntoRecord();
    QVERIFY(h.DiaryMemo != original);
    auto doc = ReadRtf(h.DiaryMemo);
    QVERIFY(doc.has_value());
    QVERIFY(doc->PlainText().find("Oplysninger om hesten \"Blakken\"") == 0);
    // The old formatting is still there: the bold "besøg"/"Dyrlæge" run.
    bool bold = false;
    for (const auto& p : doc->paragraphs)
      for (const auto& r : p.runs) bold = bold || (r.bold && r.text.find("Dyrl") != std::string::npos);
    QVERIFY(bold);
    QVERIFY(win->HasUnsavedChanges());
  }

  void smallDialogsKeepTheirTextAndSizeThePreview() {
    QWidget owner;
    const fs::path picture =
        fs::temp_directory_path() / ("stallora-horsewin-pic-" + std::to_string(::getpid()) + ".jpg");
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QVERIFY(WriteJpeg(image, picture));
    FixedClock clock(EncodeDate(2026, 12, 9));
    Regional regional;
    AppWindows windows(nullptr, &owner, &clock, &regional);
    PictureDialog& p = windows.Picture();
    QCOMPARE(&windows.Picture(), &p);
    p.SetPath(QString::fromStdString(picture.string()));
    QCOMPARE(p.PreviewSize(), QSize(172, 129));
    p.SetPath(QStringLiteral("/nowhere/none.jpg"));
    QCOMPARE(p.Path(), QStringLiteral("/nowhere/none.jpg"));
    QString told;
    p.inform = [&told](const QString& t) { told = t; };
    p.SetBreeds({QStringLiteral("Fjordhest")}, {QStringLiteral("/nowhere/fjord.jpg")},
                QString::fromStdString(picture.string()));
    p.ChooseBreed(0);
    QCOMPARE(told, QStringLiteral("fjord.jpg: Finder ikke filen"));
    QCOMPARE(p.Path(), QString::fromStdString(picture.string()));
    fs::remove(picture);

    MemoDialog& m = windows.Memo();
    m.Editor()->setPlainText(QStringLiteral("Giv hø før havre"));
    QTimer::singleShot(0, &m, [&m] { m.reject(); });
    m.exec();
    QCOMPARE(windows.Memo().Lines(), QStringList{QStringLiteral("Giv hø før havre")});
    TextDialog& t = windows.TextEntry();
    t.Editor()->setText(QStringLiteral("efter kur"));
    QCOMPARE(windows.TextEntry().Text(), QStringLiteral("efter kur"));

    YoungHorseDialog& y = windows.YoungHorse();
    y.MoveSlider(6);
    QCOMPARE(y.Date(), static_cast<DayNumber>(EncodeDate(2026, 6, 9)));
    QCOMPARE(y.SliderValue(), 6);
    QCOMPARE(y.AgeText(), QStringLiteral("Alder: 6 m\u00e5neder"));
    y.SetDate(clock.Today() + 7);
    QCOMPARE(y.Date(), clock.Today());
    y.SetDate(IncMonth(clock.Today(), -40));
    QCOMPARE(y.Date(), IncMonth(clock.Today(), -36) + 1);
    y.SetDate(IncMonth(clock.Today(), -30));
    QCOMPARE(y.SliderValue(), 24);
    QCOMPARE(y.AgeText(), QStringLiteral("Alder: 30 m\u00e5neder"));
  }

  // Pictures of the main window with the horse window and of every tab, for a person to
  // look at (STALLORA_HORSEWIN_SHOTS names the directory).
  void screenshots() {
    // Without a directory named, the pictures go to a temporary one: every page is still
    // drawn, and each picture must hold more than one colour.
    QTemporaryDir temporary;
    const QString dir = Shots().isEmpty() ? temporary.path() : Shots();
    Workplace w("shots");
    HorseWindow* win = w.OpenByDoubleClick("Blakken");
    QVERIFY(win);
    THest& h = win->Horse();
    h.VektListe->LeggTil(492, w.today() - 10);
    TTreatmentObj& t = h.TreatmentListe->AddNew();
    h.TreatmentListe->StoreEdited(t, TTreatmentType::Worm, "Ormekur, pyrantel", w.today() + 3, w.today() + kNotDoneDays,
                                  w.today(), "", 120);
    TTreatmentObj& b = h.TreatmentListe->AddNew();
    h.TreatmentListe->StoreEdited(b, TTreatmentType::Vet, "Halthedsunders\xF8gelse", w.today() - 2, w.today() - 2,
                                  w.today() + 5, "Venstre forben", 650);
    win->ShowRecord();
    win->RefreshBanIcon();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(win->parentWidget())) sub->resize(1080, 760);
    auto shot = [&](const QString& name) {
      QTest::qWait(100);
      const QImage picture = w.main->grab().toImage();
      QVERIFY(picture.save(dir + "/" + name + ".png"));
      const QImage small = picture.scaled(64, 64);
      bool coloured = false;
      for (int y = 0; y < small.height() && !coloured; ++y)
        for (int x = 0; x < small.width() && !coloured; ++x) coloured = small.pixel(x, y) != small.pixel(0, 0);
      QVERIFY2(coloured, qPrintable(name));
    };
    shot("main-with-horse");
    const char* pages[] = {"info", "weights", "training", "requirement"};
    for (int i = 0; i < 4; ++i) {
      win->MainTabs()->setCurrentIndex(0);
      if (!win->HorseTabs()->isTabVisible(i)) continue;
      win->HorseTabs()->setCurrentIndex(i);
      shot(QStringLiteral("hest-") + pages[i]);
    }
    win->MainTabs()->setCurrentIndex(1);
    shot("feeding");
    win->MainTabs()->setCurrentIndex(2);
    shot("information");
    win->MainTabs()->setCurrentIndex(3);
    win->HealthPage()->ActivateNode(win->HealthPage()->ItemWithText(Q(b.Caption())));
    shot("treatments");
    win->HealthPage()->CancelEdit();
    win->HealthPage()->ShowListReport();
    shot("treatments-report");
    win->MainTabs()->setCurrentIndex(0);
    w.prompts->youngDate = w.today() - 250;
    w.prompts->youngWeight = QStringLiteral("480");
    w.Click("rgHestetype0");
    QCOMPARE(h.Kategori, TDyreKategori::Ungdyr);
    win->HorseTabs()->setCurrentWidget(win->WeightPage());
    shot("young-weights");
    win->HorseTabs()->setCurrentIndex(0);
    shot("young-info");
  }
};

}  // namespace stallora

QTEST_MAIN(stallora::HorseWindowTest)
#include "horsewindow_test.moc"
