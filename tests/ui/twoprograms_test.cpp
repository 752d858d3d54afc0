// Two programs on one save directory, as two stable offices (or one user who started the
// program twice) have them: two program contexts, two workspaces, two main windows, one
// horse open in both. Whatever one saves, the other's save asks before replacing it, and
// activating a window on a horse the other program saved reads it again.

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QtTest>
#include <deque>
#include <filesystem>
#include <memory>

#include "core/fileio.h"
#include "render/qttext.h"
#include "stable/workspace.h"
#include "ui/horsewindow.h"
#include "ui/mainwindow.h"
#include "program_dir_fixture.h"
#include "test_prompts.h"
#include "window_fixture.h"
#include "ui/boxprompts.h"
#include "ui/welcomewindow.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

// How many of the questions a program asked hold `fragment`.
size_t Count(const TestPrompts& p, const std::string& fragment) {
  size_t n = 0;
  for (const std::string& q : p.asked) n += q.find(fragment) != std::string::npos;
  return n;
}
const char* const kTakeTheirsSure = "Dine \xE6ndringer kasseres";
const char* const kReloadQuestion = "Vil du indl\xE6se den nye udgave?";

// A box nobody expected is answered, so that no test hangs on one; its text is kept.
class BoxWatcher {
 public:
  BoxWatcher() {
    timer_.setInterval(50);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts << box->text();
        box->reject();
      }
    });
    timer_.start();
  }
  QStringList texts;

 private:
  QTimer timer_;
};

// The installation both programs start from; its save directory is the one they share.
class Installation {
 public:
  explicit Installation(const char* name) {
    dir = testing::FreshProgramDirectory("stallora-twoprog-", name);
  }
  ~Installation() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  fs::path dir;
};

// One running program: its context, workspace and main window.
class Program {
 public:
  Program(const fs::path& dir, bool takeLock) {
    StartResult r = StartProgram(dir, clock, Regional{}, startMessages, ScreenSize{1400, 900});
    if (!r.context) qFatal("start failed: %s", r.fatalMessage.c_str());
    app = std::move(r.context);
    ws = std::make_unique<Workspace>(*app);
    ws->TakeWorkspaceLock(takeLock);
  }
  ~Program() {
    if (main) {
      testing::CloseRecordWindowsQuietly(main.get());
    }
    main.reset();
    ws->TakeWorkspaceLock(false);
    ws.reset();
    app.reset();
  }
  void Show() {
    ws->Scan();
    main = std::make_unique<MainWindow>(*app, *ws, prompts);
    RegisterHorseWindow(main->Windows());
    main->resize(1200, 800);
    main->show();
    main->RefreshTree();
  }
  TStall& Stable() { return *ws->Stables().front(); }
  THest& Horse(const std::string& name) { return *Stable().HorseByName(name); }
  fs::path HorseFile(const std::string& name) {
    return app->preferences.SaveDirectory() / "Stald1" / name / (name + ".eqh");
  }

  // The horse's window, opened from the main window.
  HorseWindow* Open(const std::string& name) {
    main->OpenHorse(Horse(name));
    return WindowOn(name);
  }
  HorseWindow* WindowOn(const std::string& name) const {
    for (HorseWindow* w : main->findChildren<HorseWindow*>())
      if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget()); sub && sub->isVisible())
        if (w->record() && w->Horse().Navn == name) return w;
    return nullptr;
  }
  QLineEdit* Sire(HorseWindow* w) const { return w->findChild<QLineEdit*>(QStringLiteral("eFar")); }
  // Makes the window of `name` the active one, as a click on it would, and lets the
  // activation's queued check run.
  void Activate(HorseWindow* w) {
    auto* mdi = main->findChild<QMdiArea*>();
    mdi->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(w->parentWidget()));
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
  }

  FixedClock clock{static_cast<DayNumber>(EncodeDate(2026, 12, 9) + 0.5)};
  RecordingMessages startMessages;
  // Every window of the program asks here; the answers come from the test's script.
  TestPrompts prompts;
  std::unique_ptr<AppContext> app;
  std::unique_ptr<Workspace> ws;
  std::unique_ptr<MainWindow> main;
};

// A stable with two horses on disk, written as the program writes them.
void MakeStable(const fs::path& installation) {
  Program maker(installation, false);
  TStall stable(maker.app->Env());
  stable.stallNavn = "Stald1";
  if (!stable.Save()) qFatal("stable not saved");
  for (const char* horseName : {"Blakken", "Freja"}) {
    THest& h = stable.NewHorse();
    h.Navn = horseName;
    h.RaseNavn = "Fjordhest";
    h.VektListe->LeggTil(480, maker.clock.Today() - 30);
    if (!stable.SaveHorse(h)) qFatal("horse not saved");
  }
}

// What the window's save command does: the controls into the record, then the save.
bool Save(HorseWindow* w, QString* error = nullptr) {
  w->TakeDataIntoRecord();
  return w->SaveRecord(error);
}

std::string Bytes(const fs::path& p) { return ReadWholeFile(p).value_or(std::string()); }
bool Holds(const fs::path& p, const std::string& text) { return Bytes(p).find(text) != std::string::npos; }

std::vector<fs::path> ConflictCopies(const fs::path& dir) {
  std::vector<fs::path> found;
  for (const auto& e : fs::directory_iterator(dir))
    if (e.path().filename().string().find("(conflict ") != std::string::npos) found.push_back(e.path());
  return found;
}

}  // namespace

class TwoProgramsTest : public QObject {
  Q_OBJECT
 private slots:
  // The second program to save a horse both have open is asked; each answer does what it
  // says, on disk and in the window.
  void theSecondSaveAsksAndEachAnswerDoesWhatItSays() {
    BoxWatcher watcher;
    Installation inst("answers");
    MakeStable(inst.dir);
    Program office(inst.dir, true);
    Program laptop(inst.dir, true);
    office.Show();
    laptop.Show();
    const fs::path file = office.HorseFile("Blakken");
    QCOMPARE(laptop.HorseFile("Blakken"), file);

    HorseWindow* mine = laptop.Open("Blakken");
    HorseWindow* theirs = office.Open("Blakken");
    QVERIFY(mine && theirs);
    TestPrompts* ask = &laptop.prompts;

    // The office saves first: nothing was changed behind its back, no question.
    office.Sire(theirs)->setText("Nordstjernen");
    QVERIFY(Save(theirs));
    QVERIFY(office.prompts.conflicts.empty());
    QVERIFY(Holds(file, "Nordstjernen"));
    const std::string officeBytes = Bytes(file);

    // The laptop read the horse before that: its save asks, and cancel leaves the office's
    // file and the laptop's typing as they are.
    laptop.Sire(mine)->setText("Kaptajnen");
    QString error;
    QVERIFY(!Save(mine, &error));
    QVERIFY(error.isEmpty());
    QCOMPARE(ask->conflicts.size(), size_t{1});
    QVERIFY2(ask->conflicts[0].find("Blakken: Filen er \xE6ndret af et andet program, siden du \xE5"
                                    "bnede den.") == 0,
             ask->conflicts[0].c_str());
    QVERIFY(ask->conflicts[0].find(TextFromPath(file)) != std::string::npos);
    QCOMPARE(ask->conflictButtons[0], std::string("Behold mine"));
    QCOMPARE(ask->conflictButtons[1], std::string("Brug den anden"));
    QCOMPARE(ask->conflictButtons[2], std::string("Annuller"));
    QCOMPARE(Bytes(file), officeBytes);
    QVERIFY(mine->HasUnsavedChanges());
    QCOMPARE(laptop.Sire(mine)->text(), QStringLiteral("Kaptajnen"));
    QVERIFY(ConflictCopies(file.parent_path()).empty());

    // Take theirs, but "no" at the second confirmation: still nothing happens.
    ask->conflictChoices.push_back(ConflictChoice::kTakeTheirs);
    ask->answer = false;
    QVERIFY(!Save(mine));
    QCOMPARE(Count(*ask, kTakeTheirsSure), size_t{1});
    QVERIFY(ask->asked.back().find(std::string("Blakken: ") + kTakeTheirsSure) == 0);
    ask->answer = true;
    QCOMPARE(Bytes(file), officeBytes);
    QCOMPARE(mine, laptop.WindowOn("Blakken"));

    // Keep mine: the office's version goes beside the file first, then the laptop's is saved.
    ask->conflictChoices.push_back(ConflictChoice::kKeepMine);
    QVERIFY(Save(mine));
    QVERIFY(Holds(file, "Kaptajnen"));
    QVERIFY(!Holds(file, "Nordstjernen"));
    const std::vector<fs::path> copies = ConflictCopies(file.parent_path());
    QCOMPARE(copies.size(), size_t{1});
    QCOMPARE(copies[0].filename().string(), std::string("Blakken (conflict 2026-12-09 12.00).eqh"));
    QCOMPARE(Bytes(copies[0]), officeBytes);
    QVERIFY(!mine->HasUnsavedChanges());
    // The laptop's next save is over its own file: no question.
    laptop.Sire(mine)->setText("Kaptajnen II");
    QVERIFY(Save(mine));
    QCOMPARE(ask->conflicts.size(), size_t{3});

    // Now the office is behind: take theirs (confirmed) drops its edit and shows the
    // laptop's horse, read again, in a new window.
    TestPrompts* officeAsk = &office.prompts;
    officeAsk->conflictChoices.push_back(ConflictChoice::kTakeTheirs);
    office.Sire(theirs)->setText("Nordstjernen II");
    const std::string laptopBytes = Bytes(file);
    QVERIFY(!Save(theirs));
    QCOMPARE(officeAsk->conflicts.size(), size_t{1});
    QCOMPARE(Count(*officeAsk, kTakeTheirsSure), size_t{1});
    QCOMPARE(Bytes(file), laptopBytes);
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    HorseWindow* fresh = office.WindowOn("Blakken");
    QVERIFY(fresh);
    QVERIFY(fresh != theirs);
    QCOMPARE(office.Horse("Blakken").Father, std::string("Kaptajnen II"));
    QCOMPARE(office.Sire(fresh)->text(), QStringLiteral("Kaptajnen II"));
    QVERIFY(!fresh->HasUnsavedChanges());
    // The window on the record given up is gone, not merely hidden.
    const QPointer<HorseWindow> old(theirs);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(old.isNull());
    QCOMPARE(office.main->findChildren<HorseWindow*>().size(), qsizetype{1});
    QVERIFY2(watcher.texts.isEmpty(), qPrintable(watcher.texts.join('|')));
  }

  // A window made active again reads the horse anew when the other program saved it: without
  // a question when it holds no edits, after one when it does (and only once per version).
  void activatingAWindowReadsTheOtherProgramsSave() {
    BoxWatcher watcher;
    Installation inst("activate");
    MakeStable(inst.dir);
    Program office(inst.dir, false);
    Program laptop(inst.dir, false);
    office.Show();
    laptop.Show();
    const fs::path file = office.HorseFile("Blakken");

    HorseWindow* blakken = laptop.Open("Blakken");
    HorseWindow* freja = laptop.Open("Freja");
    HorseWindow* theirs = office.Open("Blakken");
    QVERIFY(blakken && freja && theirs);
    laptop.Activate(blakken);
    QVERIFY(laptop.prompts.asked.empty());

    // The office saves; the laptop's untouched window follows when it is activated.
    office.Sire(theirs)->setText("Nordstjernen");
    QVERIFY(Save(theirs));
    laptop.Activate(freja);
    laptop.Activate(blakken);
    HorseWindow* now = laptop.WindowOn("Blakken");
    QVERIFY(now);
    QVERIFY(now != blakken);
    QCOMPARE(laptop.Sire(now)->text(), QStringLiteral("Nordstjernen"));
    QCOMPARE(laptop.Horse("Blakken").Father, std::string("Nordstjernen"));
    QVERIFY(laptop.prompts.asked.empty());

    // With edits: asked; "no" keeps them and is not asked again for that version.
    TestPrompts* ask = &laptop.prompts;
    ask->answer = false;
    laptop.Sire(now)->setText("Kaptajnen");
    office.Sire(theirs)->setText("Nordstjernen II");
    QVERIFY(Save(theirs));
    laptop.Activate(freja);
    laptop.Activate(now);
    QCOMPARE(Count(*ask, kReloadQuestion), size_t{1});
    QCOMPARE(ask->asked.size(), size_t{1});
    QCOMPARE(laptop.WindowOn("Blakken"), now);
    QCOMPARE(laptop.Sire(now)->text(), QStringLiteral("Kaptajnen"));
    laptop.Activate(freja);
    laptop.Activate(now);
    QCOMPARE(Count(*ask, kReloadQuestion), size_t{1});
    // ... and its save still asks before it replaces the office's file.
    QVERIFY(!Save(now));
    QCOMPARE(ask->conflicts.size(), size_t{1});
    QVERIFY(Holds(file, "Nordstjernen II"));

    // "Yes" at a later version reads it.
    ask->answer = true;
    office.Sire(theirs)->setText("Nordstjernen III");
    QVERIFY(Save(theirs));
    laptop.Activate(freja);
    laptop.Activate(now);
    QCOMPARE(Count(*ask, kReloadQuestion), size_t{2});
    HorseWindow* last = laptop.WindowOn("Blakken");
    QVERIFY(last && last != now);
    QCOMPARE(laptop.Sire(last)->text(), QStringLiteral("Nordstjernen III"));
    QVERIFY2(watcher.texts.isEmpty(), qPrintable(watcher.texts.join('|')));
  }

  // "Save stable and horses" of the main window asks about the one horse the other program
  // saved, and saves the rest.
  void theMainWindowsSaveAsksAboutWhatTheOtherProgramSaved() {
    BoxWatcher watcher;
    Installation inst("mainsave");
    MakeStable(inst.dir);
    Program office(inst.dir, false);
    Program laptop(inst.dir, false);
    office.Show();
    laptop.Show();
    TestPrompts& ask = laptop.prompts;
    QAction* saveAll = nullptr;
    for (QAction* a : laptop.main->findChildren<QAction*>())
      if (a->shortcut() == QKeySequence(QKeySequence::Save)) saveAll = a;
    QVERIFY(saveAll);

    office.Horse("Freja").Father = "Nordstjernen";
    QVERIFY(office.Stable().SaveHorse(office.Horse("Freja")));
    laptop.Horse("Freja").Father = "Kaptajnen";
    laptop.Horse("Blakken").Father = "Odin";
    const fs::path freja = laptop.HorseFile("Freja");

    // Cancel: Freja's file stays the office's; Blakken, which nobody else saved, is saved.
    saveAll->trigger();
    QCOMPARE(ask.asked.size(), size_t{1});
    QVERIFY(ask.asked[0].find("Freja: Filen er \xE6ndret af et andet program") == 0);
    QVERIFY(Holds(freja, "Nordstjernen"));
    QVERIFY(Holds(laptop.HorseFile("Blakken"), "Odin"));

    // Keep mine.
    ask.conflictChoices.push_back(ConflictChoice::kKeepMine);
    saveAll->trigger();
    QCOMPARE(ask.asked.size(), size_t{2});
    QVERIFY(Holds(freja, "Kaptajnen"));
    QCOMPARE(ConflictCopies(freja.parent_path()).size(), size_t{1});
    QVERIFY(Holds(ConflictCopies(freja.parent_path())[0], "Nordstjernen"));

    // Take theirs: the laptop's record is read again from the office's save.
    // (The office is behind now: it reads the horse again before it changes it.)
    std::unique_ptr<THest> gone;
    QVERIFY(office.Stable().ReloadHorse(office.Horse("Freja"), &gone));
    office.Horse("Freja").Father = "Nordstjernen II";
    QVERIFY(office.Stable().SaveHorse(office.Horse("Freja")));
    laptop.Horse("Freja").Father = "Kaptajnen II";
    ask.conflictChoices.push_back(ConflictChoice::kTakeTheirs);
    saveAll->trigger();
    QCOMPARE(ask.asked.size(), size_t{4});  // the question and the second confirmation
    QCOMPARE(laptop.Horse("Freja").Father, std::string("Nordstjernen II"));
    QVERIFY(Holds(freja, "Nordstjernen II"));
    QVERIFY2(watcher.texts.isEmpty(), qPrintable(watcher.texts.join('|')));
  }

  // The program's own boxes: a careless Enter or Escape never drops the user's edits nor
  // replaces the other program's file.
  void theBoxesDefaultToWhatLosesNothing() {
    QWidget owner;
    owner.show();
    BoxPrompts boxes(&owner);
    QStringList defaults;
    int key = Qt::Key_Return;
    QString click;
    QTimer timer;
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      QPushButton* button = box->defaultButton();
      if (!button)
        defaults << QStringLiteral("(none)");
      else if (box->standardButton(button) == QMessageBox::No)
        defaults << QStringLiteral("No");
      else if (box->standardButton(button) == QMessageBox::Yes)
        defaults << QStringLiteral("Yes");
      else
        defaults << button->objectName() + "|" + button->text().remove('&');
      if (!click.isEmpty()) {
        if (auto* b = box->findChild<QPushButton*>(click)) b->click();
      } else {
        QTest::keyClick(box, static_cast<Qt::Key>(key));
      }
    });
    timer.start();
    const std::array<std::string, 3> choices = ConflictChoiceTexts();
    QCOMPARE(boxes.AskConflict(ConflictQuestion("Bella", "/tmp/Bella.eqh"), choices), ConflictChoice::kCancel);
    QCOMPARE(defaults.last(), QStringLiteral("btnCancel|Annuller"));
    key = Qt::Key_Escape;
    QCOMPARE(boxes.AskConflict(ConflictQuestion("Bella", "/tmp/Bella.eqh"), choices), ConflictChoice::kCancel);
    click = QStringLiteral("btnKeepMine");
    QCOMPARE(boxes.AskConflict(ConflictQuestion("Bella", "/tmp/Bella.eqh"), choices), ConflictChoice::kKeepMine);
    click = QStringLiteral("btnTakeTheirs");
    QCOMPARE(boxes.AskConflict(ConflictQuestion("Bella", "/tmp/Bella.eqh"), choices), ConflictChoice::kTakeTheirs);
    // The second confirmation and the question on activation: Enter is no.
    click.clear();
    key = Qt::Key_Return;
    QVERIFY(!boxes.ConfirmTakeTheirs(TakeTheirsQuestion("Bella")));
    QVERIFY(!boxes.YesNoDefaultNo(ReloadQuestion("Bella", "/tmp/Bella.eqh")));
    QCOMPARE(defaults.mid(4), (QStringList{"No", "No"}));
    // An ordinary yes/no question keeps its yes.
    QVERIFY(boxes.YesNo("Bella?"));
    QCOMPARE(defaults.last(), QStringLiteral("Yes"));
  }

  // The second program is told at start-up who has the workspace open; the first is not.
  void theSecondProgramIsToldWhoHasTheWorkspaceOpen() {
    Installation inst("lock");
    MakeStable(inst.dir);
    Program office(inst.dir, true);
    office.ws->Scan();
    const fs::path lock = office.app->preferences.SaveDirectory() / WorkspaceLock::kFileName;
    QVERIFY(fs::exists(lock));
    auto told = [](const Workspace& ws) {
      for (const std::string& m : ws.Messages())
        if (m.find("er ogs\xE5 \xE5"
                   "bent i Stallora p\xE5") != std::string::npos)
          return true;
      return false;
    };
    QVERIFY(!told(*office.ws));
    Program laptop(inst.dir, true);
    laptop.ws->Scan();
    QVERIFY(told(*laptop.ws));
    QVERIFY(office.ws->LockNotice().empty());
    QVERIFY(told(*laptop.ws) && laptop.ws->Messages().front() == laptop.ws->LockNotice());
    // The window shows it as news, not as an error; a real problem beside it stays an error.
    laptop.main = std::make_unique<MainWindow>(*laptop.app, *laptop.ws, laptop.prompts);
    HandleScanMessages(*laptop.main, nullptr, {laptop.ws->LockNotice(), "Nord/Nord.eqs: damaged"});
    QCOMPARE(laptop.prompts.entries.size(), size_t{2});
    QCOMPARE(laptop.prompts.entries[0].kind, TestPrompts::Entry::kInform);
    QCOMPARE(laptop.prompts.entries[0].text, laptop.ws->LockNotice());
    QCOMPARE(laptop.prompts.entries[1].kind, TestPrompts::Entry::kError);
    laptop.main.reset();
    // The laptop's lock never replaced the office's, and closing the laptop leaves it.
    QVERIFY(laptop.ws->Lock().state() == WorkspaceLock::State::kHeldElsewhere);
    laptop.ws->Close();
    QVERIFY(fs::exists(lock));
    office.ws->Close();
    QVERIFY(!fs::exists(lock));
  }
};

}  // namespace stallora

QTEST_MAIN(stallora::TwoProgramsTest)
#include "twoprograms_test.moc"
