// The main window's start: the workspace read in slices while the window answers, against
// the same workspace read at once.

#include <QStatusBar>
#include <map>
#include <vector>

#include "core/fileio.h"
#include "smallwin_fixture.h"
#include "ui/stable/stablewindow.h"

using namespace stallora;
using namespace stallora::uitest;

namespace {

// Every stable and horse file's bytes, to see what a scan wrote.
std::map<fs::path, std::string> RecordFiles(const fs::path& save) {
  std::map<fs::path, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(save)) {
    const std::string ext = e.path().extension().string();
    if (e.is_regular_file() && (ext == ".eqs" || ext == ".eqh" || ext == ".eqf" || ext == ".mix"))
      files[e.path()] = *ReadWholeFile(e.path());
  }
  return files;
}

// One line per node: depth, kind, text, and for stables whether they are open.
QStringList TreeDump(QTreeWidget* tree) {
  QStringList out;
  QTreeWidgetItemIterator it(tree);
  for (; *it; ++it) {
    int depth = 0;
    for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent()) ++depth;
    const NodeRef r = WorkspaceTree::Ref(*it);
    out << QString("%1 %2 %3 %4 %5")
               .arg(depth)
               .arg(static_cast<int>(r.kind))
               .arg((*it)->text(0))
               .arg((*it)->isExpanded() ? "open" : "closed")
               .arg((*it)->icon(0).cacheKey() != 0 ? "icon" : "none");
  }
  return out;
}

}  // namespace

class StartScanTest : public QObject {
  Q_OBJECT

 private:
  // Feed lists, stables with horses, a horse whose category no longer fits, a damaged horse
  // file and a stable file with an older energy line: the same in every fixture.
  static void Populate(Fixture& f, int stables, bool twoGuaranteeLists) {
    for (int v : twoGuaranteeLists ? std::vector<int>{5, 7} : std::vector<int>{5}) {
      TForListe list(f.app->Env());
      list.ForlisteNavn = "Garanti" + std::to_string(v);
      list.ErGarantiForliste = true;
      list.GarantiForlisteVersjon = v;
      list.SaveToFile(f.app->preferences.FeedDirectory() / ("Garanti" + std::to_string(v) + ".eqf"));
    }
    TForListe own(f.app->Env());
    own.ForlisteNavn = "Egen";
    own.SaveToFile(f.app->preferences.FeedDirectory() / "Egen.eqf");
    for (int s = 0; s < stables; ++s) {
      TStall& stable = f.WriteStable("Stald" + std::to_string(s));
      for (int h = 0; h < 3; ++h) f.WriteHorse(stable, "Hest" + std::to_string(s) + "-" + std::to_string(h));
    }
    THest& young = f.WriteHorse(*f.stables[0], "Plag");
    young.Kategori = TDyreKategori::Ungdyr;
    young.Fodselsdato = f.clock.Today() - 1200;
    f.stables[0]->SaveHorse(young);
    const fs::path save = f.app->preferences.SaveDirectory();
    fs::create_directories(save / "Stald1" / "Skadet");
    std::ofstream(save / "Stald1" / "Skadet" / "Skadet.eqh") << "object THest\r\n  Navn = 'Skadet\r\nend\r\n";
    const fs::path old = save / "Stald2" / "Stald2.eqs";
    std::string text = *ReadWholeFile(old);
    text.replace(text.find("  object TForListe\r\n"), 20,
                 "  object TForListe\r\n    EnergiBeregning = NRC\r\n");
    std::ofstream(old, std::ios::binary) << text;
  }

  // The main window on the fixture without reading the workspace yet.
  static MainWindow& Window(Fixture& f, std::vector<std::string>* messages) {
    f.ws = std::make_unique<Workspace>(*f.app);
    f.main = std::make_unique<MainWindow>(*f.app, *f.ws, f.box);
    // A stable opens in its own window, as in the program.
    RegisterStableWindow(f.main->Windows());
    RegisterSmallWindows(*f.main);
    f.main->scanMessagesHandler = [messages](const std::vector<std::string>& m) { *messages = m; };
    f.main->resize(1000, 700);
    f.main->show();
    return *f.main;
  }

 private slots:
  void theCommandsWaitForTheWholeWorkspaceAndTheTreeIsTheSynchronousOne() {
    Fixture once("scan-once");
    Populate(once, 6, false);
    std::vector<std::string> onceMessages;
    MainWindow& reference = Window(once, &onceMessages);
    reference.ScanWorkspace();
    QVERIFY(!reference.ScanRunning());
    const QStringList expected = TreeDump(reference.Tree());

    Fixture sliced("scan-sliced");
    Populate(sliced, 6, false);
    std::vector<std::string> slicedMessages;
    MainWindow& main = Window(sliced, &slicedMessages);
    main.scanSlice = std::chrono::milliseconds(0);  // a stable at most per slice
    int done = 0;
    bool completedBeforeDone = false;
    main.scanCompleted = [&] { completedBeforeDone = done == 0; };
    // The preferences, which change what the records being read are computed with, wait too.
    int preferencesOpened = 0;
    main.Windows().preferences = [&](QWidget*, int) { ++preferencesOpened; };
    QAction* systemPreferences = main.findChild<QAction*>("actPrefSystem");
    QVERIFY(systemPreferences);
    main.StartScanWorkspace([&] { ++done; });

    QVERIFY(main.ScanRunning());
    QVERIFY(!main.WorkspaceActions().isEmpty());
    bool sawPartialTree = false;
    bool sawProgress = false;
    int slices = 0;
    while (main.ScanRunning() && slices < 10000) {
      for (QAction* a : main.WorkspaceActions()) QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
      QVERIFY(!systemPreferences->isEnabled());
      const int stablesShown = main.Tree()->topLevelItemCount();
      if (stablesShown > 3 && stablesShown < 8) {
        sawPartialTree = true;
        // A stable already in the tree, whole with its horses, is not opened while the
        // workspace is read.
        QTreeWidgetItem* stable = main.Tree()->topLevelItem(stablesShown - 1);
        QCOMPARE(stable->childCount(), 4);
        emit main.Tree()->itemDoubleClicked(stable, 0);
        QVERIFY(main.MdiArea()->subWindowList().isEmpty());
      }
      if (main.statusBar()->currentMessage().startsWith(QString::fromUtf8("Indlæser stalde og heste: ")))
        sawProgress = true;
      QCoreApplication::processEvents();
      ++slices;
    }
    QVERIFY(!main.ScanRunning());
    QVERIFY(sawPartialTree);
    QVERIFY(sawProgress);
    QVERIFY2(slices >= 6, "the scan ran in slices");
    QCOMPARE(done, 1);
    QVERIFY(completedBeforeDone);
    for (QAction* a : main.WorkspaceActions()) QVERIFY2(a->isEnabled(), qPrintable(a->text()));
    QVERIFY(systemPreferences->isEnabled());
    systemPreferences->trigger();
    QCOMPARE(preferencesOpened, 1);
    QVERIFY(main.statusBar()->currentMessage().isEmpty());

    QCOMPARE(TreeDump(main.Tree()), expected);
    QCOMPARE(slicedMessages, onceMessages);
    QCOMPARE(slicedMessages.size(), size_t{2});  // the young horse and the damaged file
    QVERIFY(ReadWholeFile(sliced.app->preferences.SaveDirectory() / "Stald2" / "Stald2.eqs")
                ->find("EnergiBeregning = nrc2007\r\n") != std::string::npos);
    // A record opens once the scan is done.
    emit main.Tree()->itemDoubleClicked(main.Tree()->topLevelItem(3), 0);
    QCOMPARE(main.MdiArea()->subWindowList().size(), 1);
  }

  void closingDuringTheScanEndsItAndSavesNothingOfIt() {
    Fixture f("scan-close");
    Populate(f, 8, true);
    const auto before = RecordFiles(f.app->preferences.SaveDirectory());
    // Read at once, two guarantee lists bring every record up to date and save it.
    std::vector<std::string> messages;
    MainWindow& main = Window(f, &messages);
    main.scanSlice = std::chrono::milliseconds(0);
    int done = 0;
    main.StartScanWorkspace([&] { ++done; });
    for (int i = 0; i < 10000 && f.ws->Stables().size() < 2; ++i) QCoreApplication::processEvents();
    QVERIFY(main.ScanRunning());
    const size_t read = f.ws->Stables().size();
    QCOMPARE(read, size_t{2});
    QVERIFY(main.close());
    for (int i = 0; i < 50; ++i) QCoreApplication::processEvents();
    QVERIFY(!main.ScanRunning());
    QCOMPARE(done, 0);
    QCOMPARE(f.ws->Stables().size(), read);
    QVERIFY(messages.empty());
    auto after = RecordFiles(f.app->preferences.SaveDirectory());
    // At most the older energy line was migrated, as reading that stable does.
    const fs::path migrated = f.app->preferences.SaveDirectory() / "Stald2" / "Stald2.eqs";
    std::string expectedMigration = before.at(migrated);
    MigrateEnergyText(expectedMigration);
    QVERIFY(expectedMigration != before.at(migrated));
    if (after[migrated] == expectedMigration) after[migrated] = before.at(migrated);
    QVERIFY(after == before);
    QVERIFY(fs::exists(f.app->programDir / "stallora.pref"));

    // The same workspace read to the end saves the records brought up to date.
    Fixture whole("scan-close-whole");
    Populate(whole, 8, true);
    const auto wholeBefore = RecordFiles(whole.app->preferences.SaveDirectory());
    std::vector<std::string> wholeMessages;
    Window(whole, &wholeMessages).ScanWorkspace();
    QVERIFY(RecordFiles(whole.app->preferences.SaveDirectory()) != wholeBefore);
  }
};

QTEST_MAIN(StartScanTest)
#include "startscan_test.moc"
