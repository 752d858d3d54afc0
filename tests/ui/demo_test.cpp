// The shipped demo workspace as a new user meets it: every demo horse opens on its ration
// without asking to take feeds into the stable's feed list, and every ration is split over
// the feeding times, so the stable's allocation report shows amounts.

#include <QTabWidget>

#include "core/textutil.h"
#include "feeds/feed.h"
#include "forms/ration_page.h"
#include "smallwin_fixture.h"
#include "stable/stable_reports.h"
#include "ui/horsewindow.h"
#include "ui/rationpage.h"

using namespace stallora;
using namespace stallora::uitest;

class DemoTest : public QObject {
  Q_OBJECT

 private slots:
  void everyDemoHorseOpensOnAFedAndSplitRation() {
    Fixture f("demo");
    fs::copy(fs::path(STALLORA_DATA_DIR) / "Save", f.dir / "Save",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    MainWindow& main = f.Open();
    RegisterHorseWindow(main.Windows());
    QCOMPARE(f.ws->Stables().size(), size_t{2});
    const QString missingQuestion = Q(Tr(kRpFoderetSavnes));
    int horses = 0;
    for (const auto& stable : f.ws->Stables()) {
      for (const auto& horse : stable->Horses()) {
        ++horses;
        const QString name = Q(horse->Navn);
        main.OpenHorse(*horse);
        auto* window = qobject_cast<HorseWindow*>(main.MdiArea()->activeSubWindow()->widget());
        QVERIFY2(window, qPrintable(name));
        auto* page = window->findChild<RationPage*>();
        QVERIFY(page);
        TestPrompts asked;
        asked.answer = false;
        main.services().prompts = &asked;
        auto* tabs = window->findChild<QTabWidget*>("pcForm");
        tabs->setCurrentWidget(window->findChild<QWidget*>("tsFeedsAndfeeding"));
        QApplication::processEvents();
        for (const auto& e : asked.entries)
          QVERIFY2(!Q(e.text).contains(missingQuestion), qPrintable(name + ": " + Q(e.text)));
        for (const QString& box : f.boxes.texts) QVERIFY2(!box.contains(missingQuestion), qPrintable(name));
        for (const auto& feed : horse->ForListe->Feeds()) {
          // Every feed the horse eats is in its stable's list ...
          QVERIFY2(stable->ForListe->FeedByName(feed->Fornavn), qPrintable(name + ": " + Q(feed->Fornavn)));
          // ... and its day is split over the stable's feeding times.
          QCOMPARE(static_cast<int>(feed->Fordeling.size()), stable->StallNoMeals);
          double sum = 0;
          for (const std::string& line : feed->Fordeling) sum += ReadDecimal(line).value_or(0);
          QVERIFY2(std::abs(sum - feed->TildeltKg) < 0.0051, qPrintable(name + ": " + Q(feed->Fornavn)));
          QVERIFY(feed->UndistributedKg() < 0.0051);
        }
        main.services().prompts = &f.prompts;
        QVERIFY(main.SaveAndCloseAllWindows());
      }
      // The allocation report shows the meals' amounts and nothing left undistributed.
      const std::string report = RationAllocationReport(*stable);
      QVERIFY(report.find(" kg </td>") != std::string::npos);
      QVERIFY2(report.find(Tr(kSrIkkeFordelt)) == std::string::npos, stable->stallNavn.c_str());
    }
    QCOMPARE(horses, 12);
  }
};

QTEST_MAIN(DemoTest)
#include "demo_test.moc"
