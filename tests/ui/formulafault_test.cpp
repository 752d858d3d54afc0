// A requirement formula that fails on an arithmetic fault is shown to the user once per horse
// window and fault, with the nutrient, the formula and the evaluator's message.

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTimer>
#include <QtTest/QtTest>
#include <filesystem>
#include <memory>

#include "nutrition/behovsliste.h"
#include "stable/workspace.h"
#include "ui/horsewindow.h"
#include "ui/mainwindow.h"
#include "test_prompts.h"
#include "window_fixture.h"
#include "ui/boxprompts.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

// Message boxes are closed, so that no test hangs on one, and their texts kept.
class BoxCloser {
 public:
  BoxCloser() {
    timer_.setInterval(20);
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

}  // namespace

class FormulaFaultTest : public QObject {
  Q_OBJECT
 private slots:
  void aFailingFormulaIsShownOncePerWindowAndFault() {
    const fs::path dir = fs::temp_directory_path() / ("stallora-formulafault-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    struct Cleanup {
      fs::path dir;
      ~Cleanup() {
        std::error_code ec;
        fs::remove_all(dir, ec);
      }
    } cleanup{dir};
    fs::create_directories(dir / "Resources");
    const fs::path data = STALLORA_DATA_DIR;
    fs::copy_file(data / "dan.ini", dir / "dan.ini");
    for (const char* f : {"EPListe.eqe", "treatmentregister45.txt"})
      fs::copy_file(data / "Resources" / f, dir / "Resources" / f);
    // Calcium in maintenance divides by zero.
    RegisterAllRecordClasses();
    {
      TBehovsListe list;
      list.LoadfromFile(data / "Resources" / "behovsliste.txt");
      for (int i = 0; i < list.Antall(); ++i)
        if (list.Element(i)->NutrientNo == 3) list.Element(i)->Behovsstrenger.at(1) = "bw/(bw-bw)";
      list.writeToFile(dir / "Resources" / "behovsliste.txt");
    }
    FixedClock clock(EncodeDate(2026, 12, 9));
    RecordingMessages startMessages;
    StartResult r = StartProgram(dir, clock, Regional{}, startMessages, ScreenSize{1400, 900});
    QVERIFY2(r.context, r.fatalMessage.c_str());
    std::unique_ptr<AppContext> app = std::move(r.context);
    {
      TStall stable(app->Env());
      stable.stallNavn = "Stald1";
      QVERIFY(stable.Save());
      THest& h = stable.NewHorse();
      h.Navn = "Freja";
      h.VektListe->LeggTil(480, clock.Today() - 30);
      QVERIFY(stable.SaveHorse(h));
    }
    BoxCloser closer;
    BoxPrompts boxes;
    auto ws = std::make_unique<Workspace>(*app);
    ws->Scan();
    auto main = std::make_unique<MainWindow>(*app, *ws, boxes);
    RegisterHorseWindow(main->Windows());
    main->show();
    main->RefreshTree();
    THest& horse = *ws->Stables().front()->HorseByName("Freja");
    main->OpenHorse(horse);
    auto* win = main->findChild<HorseWindow*>();
    QVERIFY(win);
    // Keeps the errors the window shows.
    TestPrompts kept;
    main->services().prompts = &kept;
    QTest::qWait(300);

    // Shown once when the window opened, without an edit: in a box, or to the prompts set
    // right after the window was made.
    auto shown = [&] {
      std::vector<std::string> all;
      for (const auto& e : kept.entries)
        if (e.kind == TestPrompts::Entry::kError) all.push_back(e.text);
      for (const QString& t : closer.texts) all.push_back(t.toStdString());
      return all;
    };
    QCOMPARE(shown().size(), size_t{1});
    const std::string text = shown().front();
    const std::string head = "Calcium: Behovet kunne ikke beregnes";
    QVERIFY2(text.rfind(head, 0) == 0, text.c_str());
    QVERIFY2(text.find("bw/(bw-bw)") != std::string::npos, text.c_str());
    QVERIFY2(text.find("Division by zero") != std::string::npos, text.c_str());
    QCOMPARE(horse.Behov[3], 0.0);
    // Every later computation finds the same fault: it is not shown again.
    win->Recalculate();
    win->Recalculate();
    QTest::qWait(300);
    QCOMPARE(shown().size(), size_t{1});

    testing::CloseRecordWindowsQuietly(main.get());
    main->services().prompts = &boxes;
    main.reset();
    ws.reset();
    app.reset();
  }
};

}  // namespace stallora

QTEST_MAIN(stallora::FormulaFaultTest)
#include "formulafault_test.moc"
