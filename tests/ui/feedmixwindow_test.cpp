// The feed-mix calculator driven as a user does on a temporary workspace: opened from the
// feed list window and from the main window, feeds picked from the source tree, amounts
// typed, stepped and rescaled, then saved as a recipe and as a feed (both files read back
// by the command-line tool, run as its own process) and tried on a horse.

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QTreeView>
#include <QtTest/QtTest>
#include <filesystem>
#include <memory>

#include <sys/resource.h>

#include <csignal>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/textutil.h"
#include "feeds/feedlist.h"
#include "render/qttext.h"
#include "stable/workspace.h"
#include "program_dir_fixture.h"
#include "test_prompts.h"
#include "window_fixture.h"
#include "ui/appwindows.h"
#include "ui/feedlist/feedlistwindow.h"
#include "ui/feedmix/feedmixwindow.h"
#include "ui/feedmix/mixpages.h"
#include "ui/horsewindow.h"
#include "ui/mainwindow.h"
#include "ui/models/feedmixmodels.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

std::string C(const char* utf8) { return Utf8ToCp1252(utf8); }

// Pictures of the pages for looking at them (STALLORA_UI_SHOTS=directory).
void Shot(QWidget* w, const QString& name) {
  const QByteArray where = qgetenv("STALLORA_UI_SHOTS");
  if (where.isEmpty() || !w) return;
  QApplication::processEvents();
  w->grab().save(QDir(QString::fromLocal8Bit(where)).filePath(name + ".png"));
}

using testing::FullDisk;

class Workplace : public testing::StartedProgram {
 public:
  explicit Workplace(const char* name) : StartedProgram("stallora-feedmix-", name) {
    ws = std::make_unique<Workspace>(*app);
    ws->Scan();
    // "Hø": hay at 2.00 (roughage), oats at 3.00 (concentrate), a mineral.
    TForListe& l = ws->NewFeedList(C("Hø"), false);
    Add(l, C("Hø"), 1, 2.0, 0.45);
    Add(l, "Havre", 8, 3.0, 0.95);
    Add(l, "Mineral", 4, 10.0, 0, "Acme");
    l.SaveToWorkspace();
    TStall& s = ws->NewStable();
    horse = &s.NewHorse();
    horse->ErNy = false;
    main = std::make_unique<MainWindow>(*app, *ws, prompts);
    RegisterHorseWindow(main->Windows());
    RegisterFeedListWindow(main->Windows());
    RegisterFeedMixWindows(main->Windows(), *main);
    main->resize(1400, 900);
    main->show();
    main->RefreshTree();
  }
  ~Workplace() {
    testing::CloseRecordWindowsQuietly(main.get());
    main.reset();
    ws.reset();
    app.reset();
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  TFor& Add(TForListe& l, const std::string& name, int category, double price, double energy,
            const std::string& brand = "GENERIC") {
    auto f = std::make_unique<TFor>(app->Env());
    f->Fornavn = name;
    f->Fortype = static_cast<TForkategorier>(category);
    f->Brand = brand;
    f->Pris = price;
    f->TorrStoff = 85;
    f->SetValue(0, energy);
    f->UpdateRatio();
    return l.AddFeed(std::move(f));
  }
  TForListe& List(const std::string& name) {
    for (const auto& l : ws->FeedLists())
      if (l->ForlisteNavn == name) return *l;
    qFatal("no list %s", name.c_str());
  }
  FeedMixWindow* Mix() const { return main->findChild<FeedMixWindow*>(); }
  template <class W>
  W* Find(const char* name) const {
    return testing::Named<W>(Mix(), name);
  }
  void Click(const char* name) { testing::ClickNamed(Mix(), name); }
  void Type(const char* field, const QString& text) { testing::TypeNamed(Mix(), field, text); }
  // Double-click on a feed of the source tree, by name.
  void PickFromTree(const QString& feed) {
    auto* view = Find<QTreeView>("tvSource");
    auto* model = static_cast<MixSourceTreeModel*>(view->model());
    QModelIndexList found =
        model->match(model->index(0, 0), Qt::DisplayRole, feed, -1, Qt::MatchExactly | Qt::MatchRecursive);
    // The list itself may carry a feed's name: only feed nodes count.
    found.erase(std::remove_if(found.begin(), found.end(), [&](const QModelIndex& i) { return model->FeedOf(i) < 0; }),
                found.end());
    if (found.isEmpty()) qFatal("no tree node %s", qPrintable(feed));
    view->expandAll();
    if (!QTest::qWaitForWindowExposed(main.get())) qWarning("main window not exposed");
    QApplication::processEvents();
    view->scrollTo(found.first());
    const QRect at = view->visualRect(found.first());
    if (!at.isValid() || !view->viewport()->rect().contains(at.center()) || !view->isVisible())
      qFatal("tree node %s not shown: %d,%d in %dx%d", qPrintable(feed), at.center().x(), at.center().y(),
             view->viewport()->width(), view->viewport()->height());
    // What the view's double click emits (the first click into a fresh MDI child only
    // activates it, so the mouse is not used here).
    emit view->doubleClicked(found.first());
  }
  // The grid's kg cell typed as the user types it.
  void TypeKg(int row, const QString& text) {
    auto* grid = Find<QTableView>("gridMix");
    QVERIFY(grid->model()->setData(grid->model()->index(row, MixGridModel::kKg), text));
  }
  QString Cell(int row, int column) const {
    auto* grid = Find<QTableView>("gridMix");
    return grid->model()->index(row, column).data().toString();
  }
  // The command-line tool as its own process.
  QString Cli(const QStringList& args, int* status) {
    QProcess p;
    p.start(QString::fromUtf8(STALLORA_BIN_DIR) + "/stallora-cli",
            QStringList{"--program-dir", QString::fromStdString(dir.string())} + args);
    if (!p.waitForFinished(60000)) qFatal("stallora-cli did not finish");
    *status = p.exitCode();
    return QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
  }
  // Hay 3 kg, oats 1 kg on the mixing page of a mix made from "Hø".
  FeedMixWindow* HayAndOats() {
    main->Windows().feedMix(main.get(), &List(C("Hø")));
    FeedMixWindow* w = Mix();
    if (!w) return nullptr;
    PickFromTree(Q(C("Hø")));
    Click("btnChooseFeed");
    PickFromTree("Havre");
    Click("btnSelectionOK");
    TypeKg(0, "3");
    TypeKg(1, "1");
    return w;
  }

  TestPrompts prompts;
  std::unique_ptr<Workspace> ws;
  THest* horse = nullptr;
  std::unique_ptr<MainWindow> main;
};

}  // namespace

class FeedMixWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void aMixOfAListIsNamedAfterItPicksFromItsTreeAndPrices() {
    Workplace w("compose");
    QVERIFY(w.main->Windows().feedMix);
    w.main->Windows().feedMix(w.main.get(), &w.List(C("Hø")));
    FeedMixWindow* win = w.Mix();
    QVERIFY(win);
    QAbstractItemModelTester treeTester(win->TreeModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester gridTester(win->GridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(win->Editor().Caption(), C("Mix_Hø"));
    QCOMPARE(w.Find<QComboBox>("cbSource")->currentText(), Q(C("Hø")));
    // Empty: the selection page only, the tree shown, no "Vælg foder".
    QCOMPARE(win->Tabs()->currentWidget(), static_cast<QWidget*>(win->SelectionPage()));
    QVERIFY(!win->Tabs()->isTabVisible(1));
    QVERIFY(!win->Tabs()->isTabVisible(2));
    QVERIFY(!w.Find<QPushButton>("btnChooseFeed")->isVisibleTo(win));
    // The tree: the list, its groups in the order met, brands, feeds.
    MixSourceTreeModel* tree = win->TreeModel();
    const QModelIndex root = tree->index(0, 0);
    QCOMPARE(root.data().toString(), Q(C("Hø")));
    QCOMPARE(tree->rowCount(root), 3);
    QCOMPARE(tree->index(0, 0, tree->index(0, 0, root)).data().toString(), QStringLiteral("Almindeligt FODER"));
    // Each group its own picture; a feed shows its status until it is picked, then the mark.
    auto picture = [](const QModelIndex& i) { return i.data(Qt::DecorationRole).value<QIcon>().cacheKey(); };
    const QModelIndex roughage = tree->index(0, 0, root), concentrate = tree->index(1, 0, root);
    QVERIFY(!roughage.data(Qt::DecorationRole).value<QIcon>().isNull());
    QVERIFY(picture(roughage) != picture(concentrate));
    QVERIFY(!tree->IndexOfFeed(0).data(Qt::DecorationRole).value<QIcon>().isNull());
    const qint64 hayStatus = picture(tree->IndexOfFeed(0));
    QVERIFY(hayStatus != picture(tree->IndexOfFeed(1)));  // generic roughage, generic concentrate
    w.PickFromTree(Q(C("Hø")));
    // With a feed in the mix the tree gives way to "Vælg foder", which brings it back.
    QVERIFY(!w.Find<QGroupBox>("gbSource")->isVisibleTo(win));
    QVERIFY(w.Find<QPushButton>("btnChooseFeed")->isVisibleTo(win));
    QCOMPARE(w.Find<QLabel>("lblCount")->text(), QStringLiteral("1 Valgt foder"));
    w.Click("btnChooseFeed");
    QVERIFY(w.Find<QGroupBox>("gbSource")->isVisibleTo(win));
    w.PickFromTree("Havre");
    QCOMPARE(w.Find<QListWidget>("lbMixFeeds")->count(), 2);
    QCOMPARE(w.Find<QLabel>("lblCount")->text(), QStringLiteral("2 Valgt foder"));
    QCOMPARE(tree->FeedOf(tree->IndexOfFeed(1)), 1);
    QCOMPARE(tree->IndexOfFeed(1).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(tree->IndexOfFeed(2).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QVERIFY(picture(tree->IndexOfFeed(0)) != hayStatus);
    QCOMPARE(picture(tree->IndexOfFeed(0)), picture(tree->IndexOfFeed(1)));
    // Picking a feed that is in the mix asks; Cancel keeps the one there.
    w.prompts.answer = false;
    w.PickFromTree("Havre");
    QVERIFY(!w.prompts.asked.empty());
    QCOMPARE(w.prompts.asked.back(), std::string("Havre: findes allerede i foderlisten.  Erstat?"));
    QCOMPARE(win->Editor().Mix().Count(), 2);
    w.prompts.answer = true;
    w.Click("btnSelectionOK");
    QCOMPARE(win->Tabs()->currentWidget(), static_cast<QWidget*>(win->Mixing()));
    // Nothing typed yet: every share "0%", no price, no saving page.
    QCOMPARE(w.Cell(0, MixGridModel::kPercent), QStringLiteral("0%"));
    // The grid, fitted while its page was hidden, shows both rows below its header.
    auto* grid = w.Find<QTableView>("gridMix");
    QApplication::processEvents();
    QVERIFY2(grid->viewport()->height() >= 2 * grid->rowHeight(0),
             qPrintable(QStringLiteral("%1 < 2 x %2").arg(grid->viewport()->height()).arg(grid->rowHeight(0))));
    QCOMPARE(w.Find<QLabel>("lblPrice")->text(), QStringLiteral("*"));
    QVERIFY(!win->Tabs()->isTabVisible(2));
    w.TypeKg(0, "3");
    w.TypeKg(1, "1");
    QCOMPARE(w.Cell(0, MixGridModel::kName), Q(C("Hø")));
    QCOMPARE(w.Cell(0, MixGridModel::kPercent), QStringLiteral("75,00%"));
    QCOMPARE(w.Cell(1, MixGridModel::kPercent), QStringLiteral("25,00%"));
    QCOMPARE(w.Find<QLabel>("lblPrice")->text(), QStringLiteral("Pris på blandingen 2,25 kr/kg.   4,0 kg = 9,00 kr"));
    QCOMPARE(w.Find<QLineEdit>("edTotal")->text(), QStringLiteral("4,0"));
    QVERIFY(win->Tabs()->isTabVisible(2));
    // Roughage in the mix: the category is the first choice.
    QCOMPARE(w.Find<QComboBox>("cbCategory")->currentIndex(), 0);
    QWidget* frame = win->parentWidget() ? win->parentWidget() : win;
    frame->resize(900, 640);
    Shot(frame, "feedmix-mixing");
    win->Tabs()->setCurrentIndex(2);
    Shot(frame, "feedmix-saving");
    w.Click("btnChooseFeed");
    win->Tabs()->setCurrentIndex(0);
    Shot(frame, "feedmix-selection");
    // The analysis per kg weighs by kg: (3 × 0.45 + 1 × 0.95) / 4 = 0.575 fe/kg.
    const QString analysis = w.Find<QTextBrowser>("hvAnalysis")->toPlainText();
    QVERIFY2(analysis.contains(QStringLiteral("Energi\n0,58\nfe/kg")), qPrintable(analysis));
    // Print: the recipe joins the analysis in the view, then "Udskrift?"; No prints nothing,
    // Yes goes to the print dialog under the mix's name.
    win->Tabs()->setCurrentIndex(1);
    int dialogs = 0;
    w.prompts.setupPrinter = [&](QPrinter&) {
      ++dialogs;
      return false;
    };
    QVERIFY(!analysis.contains("Havre"));
    w.prompts.answer = false;
    w.Click("btnPrint");
    QCOMPARE(w.prompts.asked.back(), std::string("Udskrift?"));
    QCOMPARE(dialogs, 0);
    const QString printed = w.Find<QTextBrowser>("hvAnalysis")->toPlainText();
    QVERIFY2(printed.contains("Havre") && printed.contains(QStringLiteral("Energi\n0,58\nfe/kg")), qPrintable(printed));
    w.prompts.answer = true;
    w.Click("btnPrint");
    QCOMPARE(dialogs, 1);
    // A double click in the mix's list asks; Yes takes the feed out and clears its mark.
    win->Tabs()->setCurrentIndex(0);
    auto* mixList = w.Find<QListWidget>("lbMixFeeds");
    emit mixList->itemDoubleClicked(mixList->item(1));
    QCOMPARE(w.prompts.asked.back(), std::string(C("Bekræft sletning: Havre")));
    QCOMPARE(win->Editor().Mix().Count(), 1);
    QCOMPARE(mixList->count(), 1);
    QCOMPARE(w.Find<QLabel>("lblCount")->text(), QStringLiteral("1 Valgt foder"));
    QCOMPARE(tree->IndexOfFeed(1).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
  }

  void amountsStepRescaleAndRefuseBadInput() {
    Workplace w("amounts");
    FeedMixWindow* win = w.HayAndOats();
    QVERIFY(win);
    TForListe& mix = win->Editor().Mix();
    // The total rescales: 8 kg gives 6 + 2.
    w.Type("edTotal", "8");
    QCOMPARE(mix.FeedAt(0)->TildeltKg, 6.0);
    QCOMPARE(mix.FeedAt(1)->TildeltKg, 2.0);
    QCOMPARE(w.Cell(0, MixGridModel::kKg), QStringLiteral("6,0"));
    // 0, a negative total and letters change nothing; the field shows the total again.
    for (const char* bad : {"0", "-3", "abc"}) {
      w.Type("edTotal", bad);
      QCOMPARE(mix.TotalKg(), 8.0);
      QCOMPARE(w.Find<QLineEdit>("edTotal")->text(), QStringLiteral("8,0"));
    }
    // A negative or unreadable kg is refused with a message; the kg stays.
    const size_t said = w.prompts.said.size();
    auto* grid = w.Find<QTableView>("gridMix");
    QVERIFY(!grid->model()->setData(grid->model()->index(1, MixGridModel::kKg), "-1"));
    QVERIFY(!grid->model()->setData(grid->model()->index(1, MixGridModel::kKg), "x"));
    QCOMPARE(mix.FeedAt(1)->TildeltKg, 2.0);
    QVERIFY(w.prompts.said.size() >= said + 2);
    // The spinner at 0.1 kg: a feed at 0.05 kg goes to 0, not below.
    w.TypeKg(1, "0,05");
    QCOMPARE(mix.FeedAt(1)->TildeltKg, 0.05);
    w.Find<QRadioButton>("rbStep1")->click();
    QCOMPARE(win->Editor().StepSize(), 0.1);
    grid->setCurrentIndex(grid->model()->index(1, MixGridModel::kKg));
    w.Click("SpinnerDown");
    QCOMPARE(mix.FeedAt(1)->TildeltKg, 0.0);
    w.Click("SpinnerDown");
    QCOMPARE(mix.FeedAt(1)->TildeltKg, 0.0);
    w.Click("SpinnerUp");
    QCOMPARE(mix.FeedAt(1)->TildeltKg, 0.1);
    // All at 0: no saving page, the price "*".
    w.TypeKg(0, "0");
    w.TypeKg(1, "0");
    QCOMPARE(w.Find<QLabel>("lblPrice")->text(), QStringLiteral("*"));
    QVERIFY(!win->Tabs()->isTabVisible(2));
    QCOMPARE(w.Cell(1, MixGridModel::kPercent), QStringLiteral("0%"));
  }

  void savedAsRecipeAndAsFeedBothReadBackByTheTool() {
    Workplace w("save");
    FeedMixWindow* win = w.HayAndOats();
    QVERIFY(win);
    win->Tabs()->setCurrentIndex(2);
    QCOMPARE(win->Tabs()->currentWidget(), static_cast<QWidget*>(win->SavingPage()));
    // A name that cannot be a file name is refused before anything is written.
    w.Find<QLineEdit>("edMixName")->setText("a/b");
    w.Click("btnSaveRecipe");
    QVERIFY(win->Editor().OwnsMix());
    QVERIFY(!fs::exists(w.app->preferences.FeedDirectory() / "a"));
    // The recipe: the mix joins the workspace with its file.
    w.Find<QLineEdit>("edMixName")->setText("Vinterblanding");
    w.Click("btnSaveRecipe");
    QVERIFY(!win->Editor().OwnsMix());
    const fs::path recipe = PathFromText(win->Editor().Mix().ForListeFilNavn);
    QVERIFY2(fs::exists(recipe), recipe.c_str());
    QCOMPARE(recipe.extension().string(), std::string(".mix"));
    int status = -1;
    QString out = w.Cli({"check", QString::fromStdString(recipe.string())}, &status);
    QVERIFY2(status == 0 && out.contains("OK"), qPrintable(out));
    // Saving it again over its own file asks nothing; the old text is replaced.
    const size_t asked = w.prompts.asked.size();
    w.Click("btnSaveRecipe");
    QCOMPARE(w.prompts.asked.size(), asked);
    // As a feed into "Hø": asked, added, the list saved.
    TForListe& hay = w.List(C("Hø"));
    w.Find<QComboBox>("cbTarget")->setCurrentText(Q(C("Hø")));
    w.Find<QLineEdit>("edFeedName")->setText("Min blanding");
    w.Click("btnSaveFeed");
    QCOMPARE(w.prompts.asked.back(), C("Min blanding: Læg til i foderlisten Hø?"));
    QVERIFY(hay.FeedByName("Min blanding"));
    out = w.Cli({"format", QString::fromStdString(PathFromText(hay.ForListeFilNavn).string())}, &status);
    QVERIFY2(status == 0 && out.contains("Fornavn = 'Min blanding'"), qPrintable(out));
    out = w.Cli({"check", QString::fromStdString(PathFromText(hay.ForListeFilNavn).string())}, &status);
    QVERIFY2(status == 0 && out.contains("OK"), qPrintable(out));
    // The same name again: asked to replace; No leaves one feed of that name and says so.
    const int count = hay.Count();
    w.prompts.answer = false;
    w.Click("btnSaveFeed");
    QVERIFY(Has(w.prompts.asked.back(), "findes allerede i foderlisten"));
    QVERIFY(w.prompts.Said("Nyt navn: Min blanding"));
    QCOMPARE(hay.Count(), count);
  }

  void aFailedRecipeSaveKeepsTheOldFile() {
    Workplace w("fail");
    FeedMixWindow* win = w.HayAndOats();
    QVERIFY(win);
    win->Tabs()->setCurrentIndex(2);
    w.Find<QLineEdit>("edMixName")->setText("Fast");
    w.Click("btnSaveRecipe");
    const fs::path recipe = PathFromText(win->Editor().Mix().ForListeFilNavn);
    QVERIFY(fs::exists(recipe));
    const std::string before = *ReadWholeFile(recipe);
    // The disk takes no more: the save fails, the message names the file and the file on
    // disk is as it was.
    w.TypeKg(0, "5");
    win->Tabs()->setCurrentIndex(2);
    w.prompts.said.clear();
    {
      FullDisk full;
      w.Click("btnSaveRecipe");
    }
    QCOMPARE(*ReadWholeFile(recipe), before);
    QVERIFY(!w.prompts.said.empty());
    QVERIFY(Has(w.prompts.said.back(), "Fast"));
  }

  void triedOnAHorseTheRationGainsTheFeedAndTheHorseShowsItsFeeding() {
    Workplace w("horse");
    FeedMixWindow* win = w.HayAndOats();
    QVERIFY(win);
    win->Tabs()->setCurrentIndex(2);
    auto* horses = w.Find<QComboBox>("cbHorse");
    QVERIFY(w.Find<QGroupBox>("gbHorse")->isVisibleTo(win));
    QCOMPARE(horses->count(), 1);
    QCOMPARE(horses->currentText(), Q(HorseEntry(*w.horse)));
    const int before = w.horse->ForListe->Count();
    w.Find<QLineEdit>("edFeedName")->setText("Prøveblanding");
    w.Click("btnTryHorse");
    QCOMPARE(w.horse->ForListe->Count(), before + 1);
    const TFor* tried = w.horse->ForListe->FeedByName(C("Prøveblanding"));
    QVERIFY(tried);
    QVERIFY(tried->Valgt);
    // Open on its feeding page.
    HorseWindow* hw = w.main->findChild<HorseWindow*>();
    QVERIFY(hw);
    QCOMPARE(&hw->Horse(), w.horse);
    QCOMPARE(hw->MainTabs()->currentWidget()->objectName(), QStringLiteral("tsFeedsAndfeeding"));
    // ... on its amounts, where the tried feed has a row.
    auto* amounts = hw->findChild<QWidget*>("tsAllocateFeed");
    QVERIFY(amounts && amounts->isVisibleTo(hw));
    auto* table = amounts->findChild<QTableView*>("otAllocations");
    QVERIFY(table);
    QVERIFY(!table->model()
                 ->match(table->model()->index(0, 0), Qt::DisplayRole, Q(C("Prøveblanding")), 1, Qt::MatchExactly)
                 .isEmpty());
    // Tried twice: still one feed of that name.
    w.Click("btnTryHorse");
    QCOMPARE(w.horse->ForListe->Count(), before + 1);
  }

  void theMainWindowOpensStoredAndNewMixesInTheCalculator() {
    Workplace w("main");
    w.prompts.typed = QStringLiteral("Egen blanding 1");
    w.main->NewFeedMix();
    FeedMixWindow* win = w.Mix();
    QVERIFY2(win, "a new mix opens the calculator");
    QCOMPARE(win->Editor().Caption(), std::string("Egen blanding 1"));
    QVERIFY(!win->Editor().OwnsMix());
    // A stored mix from the tree: the calculator too, once.
    TForListe& stored = w.List("Egen blanding 1");
    w.main->OpenFeedList(stored);
    QCOMPARE(w.main->findChildren<FeedMixWindow*>().size(), qsizetype(1));
    // The feed list window's mix command is enabled and opens a calculator on its list.
    w.main->OpenFeedList(w.List(C("Hø")));
    auto* list = w.main->findChild<FeedListWindow*>();
    QVERIFY(list);
    QAction* mixCommand = list->findChild<QAction*>("miFeedMix");
    QVERIFY(mixCommand->isEnabled());
    QVERIFY(list->findChild<QAction*>("miGenerate")->isEnabled());
    mixCommand->trigger();
    QCOMPARE(w.main->findChildren<FeedMixWindow*>().size(), qsizetype(2));
  }

 private:
  static bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
};

}  // namespace stallora

QTEST_MAIN(stallora::FeedMixWindowTest)
#include "feedmixwindow_test.moc"
