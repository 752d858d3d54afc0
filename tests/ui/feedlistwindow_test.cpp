// The feed list window on a list of a temporary workspace, driven as a user does: opened
// from the main window's tree, feeds added, typed into, priced, picked and deleted,
// compared, copied from another energy system, reordered, saved and closed. What was typed
// is read back from the saved file by the command-line tool.

#include <sys/resource.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest/QtTest>
#include <csignal>
#include <filesystem>
#include <memory>
#include <sstream>

#include "app/cli.h"
#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/textutil.h"
#include "feeds/feedlist.h"
#include "forms/feedlist_editor.h"
#include "render/qttext.h"
#include "stable/workspace.h"
#include "program_dir_fixture.h"
#include "test_prompts.h"
#include "window_fixture.h"
#include "ui/appwindows.h"
#include "ui/feedlist/comparepage.h"
#include "ui/feedlist/copypage.h"
#include "ui/feedlist/feededitorpage.h"
#include "ui/feedlist/feedlistwindow.h"
#include "ui/feedlist/infopage.h"
#include "ui/feedlist/newfeedpage.h"
#include "ui/feedlist/orderpage.h"
#include "ui/feedlist/pricepage.h"
#include "ui/htmlview.h"
#include "ui/mainwindow.h"
#include "ui/models/feedlistmodels.h"
#include "ui/models/feedlisttreemodel.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

std::string C(const char* utf8) { return Utf8ToCp1252(utf8); }

using testing::FullDisk;

class Workplace : public testing::StartedProgram {
 public:
  explicit Workplace(const char* name) : StartedProgram("stallora-feedwin-", name) {
    ws = std::make_unique<Workspace>(*app);
    ws->Scan();
    // "Vinter": oats and barley (concentrates), hay (roughage), a branded mineral.
    TForListe& l = ws->NewFeedList("Vinter", false);
    Add(l, "Havre", 7, 0.95, 85, 0.8, 3.2);
    Add(l, "Byg", 7, 1.0, 80, 0.5, 3.6);
    Add(l, C("Hø"), 6, 0.45, 40, 3.5, 2.5);
    Add(l, "Mineral", 9, 0, 0, 120, 60, "VITAMINFABRIKKEN");
    l.SaveToWorkspace();
    main = std::make_unique<MainWindow>(*app, *ws, prompts);
    RegisterFeedListWindow(main->Windows());
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
  TFor& Add(TForListe& l, const std::string& name, int category, double energy, double protein, double ca, double p,
            const std::string& brand = "GENERIC") {
    auto f = std::make_unique<TFor>(app->Env());
    f->Fornavn = name;
    f->Fortype = static_cast<TForkategorier>(category);
    f->Brand = brand;
    f->SetValue(0, energy);
    f->SetValue(1, protein);
    f->SetValue(3, ca);
    f->SetValue(4, p);
    f->UpdateRatio();
    return l.AddFeed(std::move(f));
  }
  TForListe& List(const std::string& name) {
    for (const auto& l : ws->FeedLists())
      if (l->ForlisteNavn == name) return *l;
    qFatal("no list %s", name.c_str());
  }
  fs::path FeedFile(const std::string& name) { return app->preferences.FeedDirectory() / (name + ".eqf"); }

  // Opens the list by a double click on its node in the main window's tree.
  FeedListWindow* OpenByDoubleClick(const std::string& name) {
    auto* tree = main->findChild<QTreeWidget*>();
    if (!tree) return nullptr;
    tree->expandAll();
    const auto found = tree->findItems(Q(name), Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty()) return nullptr;
    tree->scrollToItem(found.first());
    const QRect r = tree->visualItemRect(found.first());
    if (!QTest::qWaitForWindowExposed(main.get())) qWarning("main window not exposed");
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    return Window();
  }
  FeedListWindow* Window() const { return main->findChild<FeedListWindow*>(); }
  int Windows() const { return static_cast<int>(main->findChildren<FeedListWindow*>().size()); }
  template <class W>
  W* Find(const char* name) const {
    return testing::Named<W>(Window(), name);
  }
  void Click(const char* name) { testing::ClickNamed(Window(), name); }
  void Type(const char* field, const QString& text) { testing::TypeNamed(Window(), field, text); }
  QAction* Action(const char* name) const {
    FeedListWindow* w = Window();
    return w ? w->findChild<QAction*>(QString::fromLatin1(name)) : nullptr;
  }
  // The command-line tool on a file; its standard output.
  std::string Cli(const std::vector<std::string>& args, int* status = nullptr) {
    std::vector<std::string> all = {"--program-dir", dir.string()};
    all.insert(all.end(), args.begin(), args.end());
    std::ostringstream out, err;
    const int rc = cli::Run(all, out, err);
    if (status) *status = rc;
    return out.str() + err.str();
  }

  TestPrompts prompts;
  std::unique_ptr<Workspace> ws;
  std::unique_ptr<MainWindow> main;
};

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

class FeedListWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void opensOncePerListWithItsTreeAndModelsThatPassTheTester() {
    Workplace w("open");
    FeedListWindow* win = w.OpenByDoubleClick("Vinter");
    QVERIFY(win);
    w.main->OpenFeedList(w.List("Vinter"));
    QCOMPARE(w.Windows(), 1);
    QCOMPARE(&win->Editor().List(), &w.List("Vinter"));
    QAbstractItemModelTester treeTester(win->TreeModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester analysisTester(win->AnalysisModel(),
                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester priceTester(win->PriceModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    // The list at the root, its groups in the order met, each with its brands.
    FeedListTreeModel* tree = win->TreeModel();
    const QModelIndex root = tree->index(0, 0);
    QCOMPARE(root.data().toString(), QStringLiteral("Vinter"));
    QCOMPARE(tree->rowCount(root), 3);
    const QModelIndex concentrates = tree->index(0, 0, root);
    QCOMPARE(concentrates.data().toString(), QStringLiteral("Kraftfoder"));
    const QModelIndex generic = tree->index(0, 0, concentrates);
    QCOMPARE(generic.data().toString(), QStringLiteral("Almindeligt FODER"));
    QCOMPARE(tree->rowCount(generic), 2);
    // Picking two feeds of one brand counts them at the brand and its group; the feed page
    // and the edit command appear with the first pick.
    auto* view = w.Find<QTreeView>("tvForListe");
    QVERIFY(view);
    QVERIFY(!w.Action("miEditFeed")->isEnabled());
    QVERIFY(!win->MainTabs()->isTabVisible(1));
    for (int row : {0, 1}) {
      const QModelIndex feed = tree->index(row, 0, generic);
      view->scrollTo(feed);
      QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(feed).center());
    }
    QCOMPARE(tree->index(0, 0, tree->index(0, 0, root)).data().toString(), QStringLiteral("Almindeligt FODER (2)"));
    QCOMPARE(tree->index(0, 0, root).data().toString(), QStringLiteral("Kraftfoder (2)"));
    QCOMPARE(w.Find<QGroupBox>("gbFeedTree")->title(), QStringLiteral("2 Valgt foder"));
    QVERIFY(w.Action("miEditFeed")->isEnabled());
    QVERIFY(win->MainTabs()->isTabVisible(1));
    // Unpicking one shows (1).
    const QModelIndex first = tree->index(0, 0, tree->index(0, 0, tree->index(0, 0, root)));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(first).center());
    QCOMPARE(tree->index(0, 0, root).data().toString(), QStringLiteral("Kraftfoder (1)"));
    // The commands of windows that are not there are disabled.
    QVERIFY(!w.Action("miFeedMix")->isEnabled());
    QVERIFY(!w.Action("miGenerate")->isEnabled());
    QVERIFY(w.Action("miDeleteList")->isEnabled());
  }

  // A new feed with its analysis and price, saved: the tool reads the typed values back.
  void addsAFeedWithAnAnalysisAndSavesIt() {
    Workplace w("add");
    FeedListWindow* win = w.OpenByDoubleClick("Vinter");
    QVERIFY(win);
    w.Action("miNewFeed")->trigger();
    QCOMPARE(win->Editor().Page(), FeedListPage::NewFeed);
    QCOMPARE(win->MainTabs()->currentWidget(), static_cast<QWidget*>(win->NewPage()));
    auto* name = w.Find<QLineEdit>("edNewFeedName");
    QTest::keyClicks(name, "Lucerne");
    w.Click("btnNoTemplate");
    w.Click("btnReady");
    QCOMPARE(win->Editor().Page(), FeedListPage::Feed);
    QCOMPARE(win->MainTabs()->currentWidget(), static_cast<QWidget*>(win->FeedPage()));
    // Values typed into the grid reach the feed once each.
    FeedAnalysisModel* grid = win->AnalysisModel();
    QCOMPARE(grid->rowCount(), 24);
    const int before = win->Editor().Notifications();
    QVERIFY(grid->setData(grid->index(0, FeedAnalysisModel::kValue), "0,72"));
    QCOMPARE(win->Editor().Notifications(), before + 1);
    QVERIFY(grid->setData(grid->index(1, FeedAnalysisModel::kValue), "160"));
    QVERIFY(grid->setData(grid->index(3, FeedAnalysisModel::kValue), "14,5"));
    QCOMPARE(grid->index(3, FeedAnalysisModel::kValue).data().toString(), QStringLiteral("14,5"));
    w.Type("edPrice", "3,40");
    w.Type("edDryMatter", "88");  // per kg feed: not editable, refused
    w.Type("edBrand", Q(C("havre mølle")));
    QCOMPARE(win->Editor().EditedFeed()->Brand, C("HAVRE MØLLE"));
    w.Click("btnFeedOk");
    QVERIFY(w.prompts.Said(C("Det nye foder: Lucerne er lagt til i Vinter!")));
    QCOMPARE(win->Editor().Page(), FeedListPage::Information);
    QVERIFY(win->HasUnsavedChanges());
    w.Click("btnSave");
    QVERIFY(!win->HasUnsavedChanges());
    int status = -1;
    QVERIFY(Has(w.Cli({"check", w.FeedFile("Vinter").string()}, &status), "OK"));
    QCOMPARE(status, 0);
    const std::string text = w.Cli({"format", w.FeedFile("Vinter").string()});
    QVERIFY2(Has(text, "'Lucerne'"), text.c_str());
    TForListe reread(w.app->Env());
    reread.LoadFromFile(w.FeedFile("Vinter"));
    const TFor* lucerne = nullptr;
    for (int i = 0; i < reread.Count(); ++i)
      if (reread.FeedAt(i)->Fornavn == "Lucerne") lucerne = reread.FeedAt(i);
    QVERIFY(lucerne);
    QCOMPARE(lucerne->Value(0), 0.72);
    QCOMPARE(lucerne->Value(1), 160.0);
    QCOMPARE(lucerne->Value(3), 14.5);
    QCOMPARE(lucerne->Pris, 3.4);
    QCOMPARE(lucerne->Brand, C("HAVRE MØLLE"));
  }

  // Typed input the window refuses, each with a message naming the field; what was stored
  // stays.
  void refusesBadNumbersNegativesBadNamesAndGuaranteeEdits() {
    Workplace w("bad");
    FeedListWindow* win = w.OpenByDoubleClick("Vinter");
    QVERIFY(win);
    TForListe& list = w.List("Vinter");
    TFor& oats = *list.FeedAt(0);
    oats.Pris = 2.0;
    win->Editor().OpenFeed(0);
    w.Type("edPrice", "4.5");
    QVERIFY(!w.prompts.said.empty());
    QVERIFY2(Has(w.prompts.said.back(), C("Foderpris kr/kg: \"4.5\" er ikke et tal")), w.prompts.said.back().c_str());
    QCOMPARE(oats.Pris, 2.0);
    QCOMPARE(w.Find<QLineEdit>("edPrice")->text(), QStringLiteral("2,00"));
    w.Type("edPrice", "-1");
    QCOMPARE(oats.Pris, 2.0);
    FeedAnalysisModel* grid = win->AnalysisModel();
    QVERIFY(!grid->setData(grid->index(3, FeedAnalysisModel::kValue), "0.9"));
    QVERIFY2(Has(w.prompts.said.back(), "Calcium: \"0.9\" er ikke et tal"), w.prompts.said.back().c_str());
    QVERIFY(!grid->setData(grid->index(3, FeedAnalysisModel::kValue), "-2"));
    QCOMPARE(oats.Value(3), 0.8);
    QCOMPARE(grid->index(3, FeedAnalysisModel::kValue).data().toString(), QStringLiteral("0,8"));
    // The price page refuses the same.
    w.Action("miPrices")->trigger();
    FeedPriceModel* prices = win->PriceModel();
    QVERIFY(!prices->setData(prices->index(0, FeedPriceModel::kPrice), "abc"));
    QCOMPARE(oats.Pris, 2.0);
    // A list name that cannot be a file name.
    w.Action("miInformation")->trigger();
    const size_t said = w.prompts.said.size();
    w.Type("edListName", "Vin/ter");
    QCOMPARE(list.ForlisteNavn, std::string("Vinter"));
    QCOMPARE(w.Find<QLineEdit>("edListName")->text(), QStringLiteral("Vinter"));
    QVERIFY(w.prompts.said.size() > said);
    QVERIFY(fs::exists(w.FeedFile("Vinter")));
  }

  void aGuaranteeListsFeedsAreNotEdited() {
    Workplace w("guarantee");
    TForListe& list = w.List("Vinter");
    list.ErGarantiForliste = true;
    list.Versjon = 3;
    FeedListWindow* win = new FeedListWindow(list, w.main->services());
    std::unique_ptr<FeedListWindow> owner(win);
    win->Editor().OpenFeed(0);
    FeedAnalysisModel* grid = win->AnalysisModel();
    QVERIFY(!(grid->flags(grid->index(0, FeedAnalysisModel::kValue)) & Qt::ItemIsEditable));
    QVERIFY(!win->Editor().SetAnalysisValue(0, "2"));
    QVERIFY(Has(w.prompts.said.back(), "garantifoderliste"));
    QCOMPARE(list.FeedAt(0)->Value(0), 0.95);
    auto* name = win->findChild<QLineEdit*>("edFeedName");
    QVERIFY(name->isReadOnly());
    // Leaving the locked field as it was says nothing.
    const size_t said = w.prompts.said.size();
    emit name->editingFinished();
    QCOMPARE(w.prompts.said.size(), said);
    win->Editor().StoreSignature();
  }

  // Closing: nothing changed never asks; Cancel keeps the window; No puts the list back as
  // saved; a failed save keeps the old file, says so and keeps the window.
  void closeAsksAndAFailedSaveKeepsTheOldFile() {
    Workplace w("close");
    FeedListWindow* win = w.OpenByDoubleClick("Vinter");
    QVERIFY(win);
    auto* sub = qobject_cast<QMdiSubWindow*>(win->parentWidget());
    QVERIFY(sub);
    QVERIFY(sub->close());
    QVERIFY(w.prompts.asked.empty());
    QTRY_COMPARE(w.Windows(), 0);

    win = w.OpenByDoubleClick("Vinter");
    QVERIFY(win);
    sub = qobject_cast<QMdiSubWindow*>(win->parentWidget());
    QVERIFY(win->Editor().SetPrice(0, "9,99"));
    const std::string saved = ReadWholeFile(w.FeedFile("Vinter")).value_or("");
    w.prompts.answers = {Prompts::Answer::kCancel};
    QVERIFY(!sub->close());
    QCOMPARE(w.prompts.asked.back(), C("Vinter: Data ændret! Vil du gemme de nye oplysninger"));
    {
      FullDisk full;
      w.Click("btnSave");
    }
    QVERIFY2(Has(w.prompts.said.back(), "Foderlisten blev ikke gemt"), w.prompts.said.back().c_str());
    QCOMPARE(ReadWholeFile(w.FeedFile("Vinter")).value_or(""), saved);
    {
      FullDisk full;
      w.prompts.answers = {Prompts::Answer::kYes};
      QVERIFY(!sub->close());  // the save failed: the window stays with the edit
    }
    QCOMPARE(ReadWholeFile(w.FeedFile("Vinter")).value_or(""), saved);
    QCOMPARE(w.List("Vinter").FeedAt(0)->Pris, 9.99);
    w.prompts.answers = {Prompts::Answer::kNo};
    QVERIFY(sub->close());
    QCOMPARE(w.List("Vinter").FeedAt(0)->Pris, 0.0);
    QCOMPARE(ReadWholeFile(w.FeedFile("Vinter")).value_or(""), saved);
  }

  // Deleting picked feeds asks with their names and saves the list.
  void picksAndDeletes() {
    Workplace w("delete");
    FeedListWindow* win = w.OpenByDoubleClick("Vinter");
    QVERIFY(win);
    win->Editor().ToggleFeed(1);
    win->Editor().ToggleFeed(2);
    QVERIFY(w.Find<QPushButton>("btnDeletePicked")->isVisibleTo(win));
    w.prompts.answer = true;
    w.Click("btnDeletePicked");
    QCOMPARE(w.prompts.asked.back(), C("Bekræft sletning  Byg, Hø,"));
    QCOMPARE(w.List("Vinter").FeedNames(), (std::vector<std::string>{"Havre", "Mineral"}));
    const std::string file = ReadWholeFile(w.FeedFile("Vinter")).value_or("");
    QVERIFY(!Has(file, "'Byg'"));
    QVERIFY(!win->HasUnsavedChanges());
    QCOMPARE(win->TreeModel()->rowCount(win->TreeModel()->index(0, 0)), 2);
  }

  // A price typed on the price page shows in the feed editor and the grid; Enter moves on.
  void editsAPriceOnThePricePage() {
    Workplace w("price");
    FeedListWindow* win = w.OpenByDoubleClick("Vinter");
    QVERIFY(win);
    w.Action("miPrices")->trigger();
    QCOMPARE(win->MainTabs()->currentWidget(), static_cast<QWidget*>(win->PricePage()));
    FeedPriceModel* prices = win->PriceModel();
    QCOMPARE(prices->rowCount(), 4);
    const int before = win->Editor().Notifications();
    QVERIFY(prices->setData(prices->index(2, FeedPriceModel::kPrice), "1,25"));
    QCOMPARE(win->Editor().Notifications(), before + 1);
    QCOMPARE(w.List("Vinter").FeedAt(2)->Pris, 1.25);
    QCOMPARE(prices->index(2, FeedPriceModel::kPrice).data().toString(), QStringLiteral("1,25"));
    win->Editor().OpenFeed(2);
    QCOMPARE(w.Find<QLineEdit>("edPrice")->text(), QStringLiteral("1,25"));
  }

  // Three feeds on four nutrients: the table holds their stored values.
  void comparesThreeFeedsOnFourNutrients() {
    Workplace w("compare");
    FeedListWindow* win = w.OpenByDoubleClick("Vinter");
    QVERIFY(win);
    w.Action("miCompare")->trigger();
    QCOMPARE(win->ListTabs()->currentWidget(), static_cast<QWidget*>(win->ComparePage()));
    auto* feeds = w.Find<QListWidget>("lbCompareFeeds");
    QCOMPARE(feeds->count(), 4);
    for (int row : {0, 1, 2}) {
      feeds->setCurrentRow(row);
      emit feeds->itemDoubleClicked(feeds->item(row));
    }
    QCOMPARE(w.Find<QListWidget>("lbChosenFeeds")->count(), 3);
    auto* nutrients = w.Find<QListWidget>("clbNutrients");
    QCOMPARE(nutrients->count(), 24);
    for (int n : {0, 1, 3, 6}) nutrients->item(n)->setCheckState(Qt::Checked);
    w.Click("btnCompareResults");
    QVERIFY(w.Find<QGroupBox>("gbCompareResults")->isVisibleTo(win));
    const std::string html = win->Editor().Compare().html;
    // The stored values as the report's fixed format writes them, with their units.
    const auto cell = [](double v, const char* unit) {
      return std::string("<td align=\"center\">") + FormatFixed(8, 2, v, ',') +
             (*unit ? std::string(" ") + unit : std::string()) + "</td>";
    };
    QVERIFY2(Has(html, C("<td>Hø</td>") + cell(0.45, "fe") + cell(40.00, "g") + cell(3.50, "g") + cell(1.40, "")),
             html.c_str());
    QVERIFY(Has(html, "<td>Havre</td>" + cell(0.95, "fe") + cell(85.00, "g") + cell(0.80, "g") + cell(0.25, "")));
    QVERIFY(Has(html, "<td>Byg</td>" + cell(1.00, "fe") + cell(80.00, "g") + cell(0.50, "g") + cell(0.14, "")));
    QVERIFY(Has(html, "<td align=\"center\">Calcium</td><td>Ca/P</td></tr>"));
    QVERIFY(win->ComparePage()->Results()->toPlainText().contains("Havre"));
    w.Click("btnCompareOk");
    QVERIFY(!w.Find<QGroupBox>("gbCompareResults")->isVisibleTo(win));
  }

  // Feeds copied from a list of another energy system arrive converted as the whole donor
  // list converts; a feed the list has already waits in the duplicate box.
  void copiesFromAnotherEnergySystem() {
    Workplace w("copy");
    TForListe& nrc = w.ws->NewFeedList("NRC", false);
    nrc.SetEnergyRecord(
        {TEnergiBeregning::nrc2007, EnergiBasisType::DE, EnergiEnhetstype::MCal, 1, TProteinBeregning::CP});
    w.Add(nrc, "Majs", 7, 3.9, 95, 0.05, 0.3);
    w.Add(nrc, "Havre", 7, 3.2, 120, 0.1, 0.4);
    nrc.SaveToWorkspace();
    FeedListWindow* win = w.OpenByDoubleClick("Vinter");
    QVERIFY(win);
    w.Action("miCopyFrom")->trigger();
    QCOMPARE(win->ListTabs()->currentWidget(), static_cast<QWidget*>(win->CopyPage()));
    auto* donor = w.Find<QComboBox>("cbDonor");
    const int index = donor->findText("NRC");
    QVERIFY(index >= 0);
    donor->setCurrentIndex(index);
    emit donor->activated(index);
    w.Click("btnCopyFullList");
    TForListe& list = w.List("Vinter");
    QCOMPARE(list.Count(), 5);
    auto* duplicates = w.Find<QGroupBox>("gbDuplicates");
    QVERIFY(duplicates->isVisibleTo(win));
    QCOMPARE(duplicates->title(), QStringLiteral("1 duplikater i Vinter"));
    // Leaving the page is refused while the duplicate waits; skipping keeps our oats.
    win->GoTo(FeedListPage::Information);
    QCOMPARE(win->Editor().Page(), FeedListPage::Copy);
    w.Click("btnSkipDuplicate");
    QVERIFY(!duplicates->isVisibleTo(win));
    QCOMPARE(list.FeedAt(0)->Value(0), 0.95);
    // The converted maize as the library converts the donor list into this list's system.
    const EnergyRecord target = list.GetEnergyRecord();
    const TFor* maize = list.FeedAt(4);
    QCOMPARE(maize->Fornavn, std::string("Majs"));
    QVERIFY(maize->Value(0) != 3.9);
    TForListe copy(w.app->Env());
    copy.LoadFromFile(w.FeedFile("NRC"));
    QVERIFY(copy.ConvertAllTo(target, list.ProteinType));
    QCOMPARE(maize->Value(0), copy.FeedAt(0)->Value(0));
    QCOMPARE(maize->Value(1), copy.FeedAt(0)->Value(1));
  }

  // The order page moves a feed and makes a brand's feeds into a list of their own.
  void reordersAndMakesABrandList() {
    Workplace w("order");
    FeedListWindow* win = w.OpenByDoubleClick("Vinter");
    QVERIFY(win);
    w.Action("miOrder")->trigger();
    QCOMPARE(win->ListTabs()->currentWidget(), static_cast<QWidget*>(win->OrderPage()));
    auto* order = w.Find<QListWidget>("lbOrder");
    QCOMPARE(order->count(), 4);
    order->setCurrentRow(0);
    w.Click("spOrderUp");  // the first one up: nothing
    QCOMPARE(w.List("Vinter").FeedAt(0)->Fornavn, std::string("Havre"));
    w.Click("spOrderDown");
    QCOMPARE(w.List("Vinter").FeedAt(1)->Fornavn, std::string("Havre"));
    QCOMPARE(order->currentRow(), 1);
    QCOMPARE(order->item(1)->text(), QStringLiteral("Havre"));
    auto* brands = w.Find<QListWidget>("lbBrands");
    const auto found = brands->findItems("VITAMINFABRIKKEN", Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    brands->setCurrentItem(found.first());
    emit brands->itemDoubleClicked(found.first());
    auto* box = w.Find<QGroupBox>("gbBrandList");
    QVERIFY(box->isVisibleTo(win));
    QCOMPARE(w.Find<QListWidget>("lbBrandList")->count(), 1);
    w.Find<QCheckBox>("cbShowInProgram")->setChecked(true);
    w.Click("btnSaveBrandList");
    QVERIFY(!box->isVisibleTo(win));
    QVERIFY(fs::exists(w.FeedFile("VITAMINFABRIKKEN")));
    QCOMPARE(w.List("VITAMINFABRIKKEN").FeedNames(), (std::vector<std::string>{"Mineral"}));
  }

  // The commands that open other windows go through the hooks once they are set: the mix
  // calculator gets this list, the generate dialog's rebuilt list is shown anew and counts as
  // changed, the preferences open on the energy and protein page.
  void theHookedCommandsReachTheirWindows() {
    Workplace w("hooks");
    TForListe* mixSource = nullptr;
    int preferencesPage = -1;
    w.main->Windows().feedMix = [&](QWidget*, TForListe* source) { mixSource = source; };
    w.main->Windows().preferences = [&](QWidget*, int page) { preferencesPage = page; };
    w.main->Windows().generateFeedList = [&](QWidget*, TForListe& target) {
      // The dialog replaces every feed of the list with one of the brand's.
      while (target.Count() > 0) target.RemoveFeed(target.FeedAt(0));
      w.Add(target, "Hestemix", 8, 0.9, 100, 10, 6, "HESTEKRAFT");
      return true;
    };
    FeedListWindow* win = w.OpenByDoubleClick("Vinter");
    QVERIFY(win);
    QVERIFY(w.Action("miFeedMix")->isEnabled());
    QVERIFY(w.Action("miGenerate")->isEnabled());
    QVERIFY(w.Find<QPushButton>("btnEnergyPreferences")->isEnabled());
    w.Action("miFeedMix")->trigger();
    QCOMPARE(mixSource, &w.List("Vinter"));
    w.Click("btnEnergyPreferences");
    QCOMPARE(preferencesPage, 3);
    win->Editor().OpenFeed(0);  // an open feed is let go before the dialog replaces it
    w.Action("miGenerate")->trigger();
    QCOMPARE(win->Editor().EditedFeed(), nullptr);
    QCOMPARE(win->Editor().Page(), FeedListPage::Information);
    QVERIFY(win->HasUnsavedChanges());
    FeedListTreeModel* tree = win->TreeModel();
    const QModelIndex root = tree->index(0, 0);
    QCOMPARE(tree->rowCount(root), 1);
    QCOMPARE(tree->index(0, 0, tree->index(0, 0, root)).data().toString(), QStringLiteral("HESTEKRAFT"));
    QCOMPARE(w.Find<QLabel>("lbCount")->text(), QStringLiteral("Antal foderemner i listen: 1"));
  }

  // "Save as" proposes a free name in the feed directory and adds the copy to the workspace;
  // "Delete" asks, closes the window without a question and removes the list's file.
  void savesAsAndDeletes() {
    Workplace w("saveas");
    FeedListWindow* win = w.OpenByDoubleClick("Vinter");
    QVERIFY(win);
    w.prompts.askSaveFile = [&](const QString&, const QString& path, const QString&) {
      w.prompts.proposedPath = path;
      return Q(PathText(w.app->preferences.FeedDirectory() / "Sommer.eqf"));
    };
    w.prompts.answer = true;
    w.Action("miSaveAs")->trigger();
    QVERIFY2(w.prompts.proposedPath.endsWith("Minfoderliste1.eqf"), qPrintable(w.prompts.proposedPath));
    QVERIFY(fs::exists(w.FeedFile("Sommer")));
    QCOMPARE(w.List("Sommer").FeedNames(), w.List("Vinter").FeedNames());
    QCOMPARE(w.prompts.asked.back(), std::string("Vis ny foderliste"));
    w.prompts.answer = false;
    w.Action("miDeleteList")->trigger();
    QCOMPARE(w.prompts.asked.back(), C("Bekræft sletning Vinter"));
    QVERIFY(fs::exists(w.FeedFile("Vinter")));
    w.prompts.answer = true;
    const size_t asked = w.prompts.asked.size();
    w.Action("miDeleteList")->trigger();
    QCOMPARE(w.prompts.asked.size(), asked + 1);  // no question at closing
    QTRY_COMPARE(w.Windows(), 0);
    QVERIFY(!fs::exists(w.FeedFile("Vinter")));
    for (const auto& l : w.ws->FeedLists()) QVERIFY(l->ForlisteNavn != "Vinter");
  }

  // Every page shown in turn as the menu shows it; with STALLORA_FEEDWIN_SHOTS set to a
  // directory, each is saved there as a picture to look at.
  void everyPageShowsFromTheMenu() {
    Workplace w("shots");
    FeedListWindow* win = w.OpenByDoubleClick("Vinter");
    QVERIFY(win);
    auto* sub = qobject_cast<QMdiSubWindow*>(win->parentWidget());
    sub->resize(1100, 640);
    const QString shots = qEnvironmentVariable("STALLORA_FEEDWIN_SHOTS");
    const auto shoot = [&](const char* name, QWidget* expected) {
      QCOMPARE(win->MainTabs()->currentWidget() == win->ListTabs() ? win->ListTabs()->currentWidget()
                                                                   : win->MainTabs()->currentWidget(),
               expected);
      if (!shots.isEmpty()) QVERIFY(sub->grab().save(shots + "/" + name + ".png"));
    };
    win->Editor().ToggleFeed(0);
    win->Editor().ToggleFeed(3);
    shoot("information", static_cast<QWidget*>(win->InfoPage()));
    w.Action("miEditFeed")->trigger();
    shoot("feed", static_cast<QWidget*>(win->FeedPage()));
    w.Click("btnFeedCancel");
    w.Action("miNewFeed")->trigger();
    shoot("newfeed", static_cast<QWidget*>(win->NewPage()));
    w.Click("btnTemplate");
    shoot("newfeed-template", static_cast<QWidget*>(win->NewPage()));
    w.Click("btnAbortNewFeed");
    w.Action("miPrices")->trigger();
    shoot("prices", static_cast<QWidget*>(win->PricePage()));
    w.Action("miCompare")->trigger();
    shoot("compare", static_cast<QWidget*>(win->ComparePage()));
    w.Action("miCopyFrom")->trigger();
    shoot("copy", static_cast<QWidget*>(win->CopyPage()));
    w.Action("miOrder")->trigger();
    shoot("order", static_cast<QWidget*>(win->OrderPage()));
    QCOMPARE(w.List("Vinter").Count(), 4);  // the aborted new feed is gone
  }
};

}  // namespace stallora

QTEST_MAIN(stallora::FeedListWindowTest)
#include "feedlistwindow_test.moc"
