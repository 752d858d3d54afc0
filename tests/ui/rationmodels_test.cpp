// The ration tab's table and tree models on a horse of their own, each under
// QAbstractItemModelTester (which checks every index and signal against Qt's rules while the
// test edits), and each edit through a model checked to reach the editor as one operation:
// one computation (none for a meal, which computes nothing) and one notification.

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest/QtTest>
#include <memory>

#include "forms/ration_editor.h"
#include "ui/models/editormodel.h"
#include "ui/models/feedtreemodel.h"
#include "ui/models/mealsheetmodel.h"
#include "ui/models/mealtimesmodel.h"
#include "ui/models/rationplanmodel.h"

namespace stallora {
namespace {

class Horse {
 public:
  Horse() : env(clock, Regional{}, 45, &active, &settings) {
    settings.nutrients.resize(24);
    for (size_t i = 0; i < settings.feedTypeNames.size(); ++i) settings.feedTypeNames[i] = "Type " + std::to_string(i);
    settings.feedTypeNames[6] = "Grovfoder";
    settings.feedTypeNames[7] = "Kraftfoder";
    horse = std::make_unique<THest>(env);
    horse->Navn = "Blakken";
    horse->VektListe->LeggTil(500, clock.Today());
    horse->HestNoMeals = 3;
    horse->HFTider = {"25200", "43200", "64800"};
    Add(*horse->ForListe, "H\xF8", 1, 8, 2);
    Add(*horse->ForListe, "Havre", 5, 2, 3.5);
    Add(*horse->ForListe, "Mineral", 9, 0.02, 22);
  }
  TFor& Add(TForListe& list, const char* name, int category, double kg, double price) {
    TFor& f = list.AddFeed(std::make_unique<TFor>(env));
    f.Fornavn = name;
    f.Fortype = static_cast<uint8_t>(category);
    f.TildeltKg = kg;
    f.Pris = price;
    f.TorrStoff = 85;
    f.Valgt = &list == horse->ForListe.get();
    return f;
  }
  TFor& Feed(int row) { return *horse->ForListe->FeedAt(row); }
  FixedClock clock{static_cast<DayNumber>(EncodeDate(2026, 12, 9))};
  TEnergyProteinObj active;
  CountrySettings settings;
  RecordEnvironment env;
  std::unique_ptr<THest> horse;
};

// What one edit through a model cost the editor.
struct Cost {
  explicit Cost(const Editor& e) : editor(e), recomputes(e.Recomputes()), notifications(e.Notifications()) {}
  int Recomputes() const { return editor.Recomputes() - recomputes; }
  int Notifications() const { return editor.Notifications() - notifications; }
  const Editor& editor;
  int recomputes, notifications;
};

QString Text(const QAbstractItemModel& m, int row, int column) { return m.index(row, column).data().toString(); }

class RationModelsTest : public QObject {
  Q_OBJECT
 private slots:
  void mealSheetSplitsTheDayThroughTheEditor() {
    Horse h;
    RationEditor editor(*h.horse);
    QVERIFY(!editor.PrepareMeals(3, h.horse->HFTider));  // the horse already has the stable's meals
    MealSheetModel sheet(editor);
    EditorRelay relay(editor);
    connect(&relay, &EditorRelay::Changed, &sheet, &MealSheetModel::EditorChanged);
    QAbstractItemModelTester tester(&sheet, QAbstractItemModelTester::FailureReportingMode::QtTest);

    QCOMPARE(sheet.rowCount(), 3);
    QCOMPARE(sheet.columnCount(), 5);
    QCOMPARE(sheet.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Fodernavn"));
    QCOMPARE(sheet.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Ikke fordelt"));
    QCOMPARE(sheet.headerData(4, Qt::Horizontal).toString(), QStringLiteral("fodring 3"));
    QVERIFY(!sheet.headerData(5, Qt::Horizontal).isValid());
    QCOMPARE(Text(sheet, 0, 1), QStringLiteral("8,000 kg"));
    QCOMPARE(Text(sheet, 2, 1), QStringLiteral("20 g"));
    QCOMPARE(Text(sheet, 0, 2), QString());  // no meal yet
    QVERIFY(!(sheet.flags(sheet.index(0, 1)) & Qt::ItemIsEditable));
    QVERIFY(sheet.flags(sheet.index(0, 2)) & Qt::ItemIsEditable);

    // A typed meal: kg for hay, grams for the supplement; the rows stay (no reset), so a
    // view keeps its cell.
    QSignalSpy reset(&sheet, &QAbstractItemModel::modelReset);
    Cost cost(editor);
    QVERIFY(sheet.setData(sheet.index(0, 2), "3"));
    QCOMPARE(h.Feed(0).MealKg[0], 3.0);
    QCOMPARE(cost.Recomputes(), 0);
    QCOMPARE(cost.Notifications(), 1);
    QCOMPARE(Text(sheet, 0, 1), QStringLiteral("5,000 kg"));
    QCOMPARE(Text(sheet, 0, 2), QStringLiteral("3,00"));
    QVERIFY(sheet.setData(sheet.index(2, 3), "5"));
    QVERIFY(qAbs(h.Feed(2).MealKg[1] - 0.005) < 1e-12);
    QCOMPARE(Text(sheet, 2, 3), QStringLiteral("5"));
    QCOMPARE(Text(sheet, 2, 1), QStringLiteral("15 g"));
    QCOMPARE(reset.count(), 0);

    // What is no amount, and cells that are no meal, change nothing.
    QSignalSpy refused(&sheet, &MealSheetModel::Refused);
    Cost none(editor);
    QVERIFY(!sheet.setData(sheet.index(1, 2), "abc"));
    QVERIFY(!sheet.setData(sheet.index(1, 2), "-1"));
    QVERIFY(!sheet.setData(sheet.index(1, 1), "1"));
    QVERIFY(!sheet.setData(sheet.index(1, 0), "Byg"));
    QCOMPARE(refused.count(), 2);
    QCOMPARE(none.Notifications(), 0);
    QCOMPARE(h.Feed(1).MealKg[0], 0.0);

    // Fewer meals in the stable: the meal columns go, the model resets.
    QVERIFY(editor.PrepareMeals(2, {"25200", "64800"}));
    QCOMPARE(reset.count(), 1);
    QCOMPARE(sheet.columnCount(), 4);
    // A feed leaving the ration takes its row.
    QVERIFY(editor.RemoveFeed("Havre", nullptr));
    QCOMPARE(sheet.rowCount(), 2);
    QCOMPARE(Text(sheet, 1, 0), QStringLiteral("Mineral"));
  }

  void mealTimesFollowTheMeals() {
    Horse h;
    RationEditor editor(*h.horse);
    MealTimesModel times(editor);
    EditorRelay relay(editor);
    connect(&relay, &EditorRelay::Changed, &times, &MealTimesModel::EditorChanged);
    QAbstractItemModelTester tester(&times, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(times.rowCount(), 3);
    QCOMPARE(Text(times, 0, 0), QStringLiteral("1"));
    QCOMPARE(Text(times, 0, 1), QStringLiteral("07:00"));
    QCOMPARE(Text(times, 2, 1), QStringLiteral("18:00"));
    QCOMPARE(times.headerData(0, Qt::Horizontal).toString(), QStringLiteral("fodring nr"));
    QVERIFY(!(times.flags(times.index(0, 1)) & Qt::ItemIsEditable));
    QVERIFY(!times.setData(times.index(0, 1), "08:00"));
    QVERIFY(editor.PrepareMeals(2, {"28800", "61200"}));
    QCOMPARE(times.rowCount(), 2);
    QCOMPARE(Text(times, 1, 1), QStringLiteral("17:00"));
  }

  void rationPlanPricesAreTheHorsesOwn() {
    Horse h;
    RationEditor editor(*h.horse);
    editor.Recalculate();
    RationPlanModel plan(editor);
    EditorRelay relay(editor);
    connect(&relay, &EditorRelay::Changed, &plan, &RationPlanModel::EditorChanged);
    QAbstractItemModelTester tester(&plan, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(plan.rowCount(), 3);
    QCOMPARE(plan.columnCount(), 3);
    QCOMPARE(Text(plan, 0, 0), QString::fromUtf8("8,0 kg  Hø"));
    QCOMPARE(Text(plan, 2, 0), QStringLiteral("20,0  g  Mineral"));
    QCOMPARE(Text(plan, 0, 1), QStringLiteral("16,00"));
    QCOMPARE(Text(plan, 1, 2), QStringLiteral("3,50"));
    QCOMPARE(plan.headerData(2, Qt::Horizontal).toString(), QStringLiteral("kr/kg"));
    QVERIFY(plan.flags(plan.index(1, 2)) & Qt::ItemIsEditable);
    QVERIFY(!(plan.flags(plan.index(1, 1)) & Qt::ItemIsEditable));

    // A typed price: one edit that computes and tells once, and the day's price follows.
    QSignalSpy reset(&plan, &QAbstractItemModel::modelReset);
    Cost cost(editor);
    QVERIFY(plan.setData(plan.index(1, 2), "4,25"));
    QCOMPARE(h.Feed(1).Pris, 4.25);
    QCOMPARE(cost.Recomputes(), 1);
    QCOMPARE(cost.Notifications(), 1);
    QCOMPARE(Text(plan, 1, 2), QStringLiteral("4,25"));
    QCOMPARE(Text(plan, 1, 1), QStringLiteral("8,50"));
    QCOMPARE(h.horse->ForListe->EndretDato, static_cast<double>(h.clock.Today()));
    // The same price again, and what is no price, are no edit.
    QSignalSpy refused(&plan, &RationPlanModel::Refused);
    Cost none(editor);
    QVERIFY(!plan.setData(plan.index(1, 2), "4.25"));
    QVERIFY(!plan.setData(plan.index(1, 2), "-1"));
    QVERIFY(!plan.setData(plan.index(1, 2), "gratis"));
    QVERIFY(!plan.setData(plan.index(1, 0), "Byg"));
    QCOMPARE(refused.count(), 2);
    QCOMPARE(none.Notifications(), 0);
    QCOMPARE(h.Feed(1).Pris, 4.25);
    // An amount changed elsewhere repaints the day's price without a reset.
    QVERIFY(editor.SetAmount(0, 10));
    QCOMPARE(Text(plan, 0, 1), QStringLiteral("20,00"));
    QCOMPARE(Text(plan, 0, 0), QString::fromUtf8("10,0 kg  Hø"));
    QCOMPARE(reset.count(), 0);
    // A reload with the same rows keeps them; feeds gone reset them.
    plan.Reload();
    QCOMPARE(reset.count(), 0);
    editor.ResetChosenFeeds();
    QCOMPARE(reset.count(), 1);
    QCOMPARE(plan.rowCount(), 0);
  }

  void feedTreeChecksFeedsIntoTheRation() {
    Horse h;
    TForListe stable(h.env);
    h.Add(stable, "H\xF8", 1, 0, 0).Valgt = true;
    h.Add(stable, "Wrap", 2, 0, 0);
    h.Add(stable, "Byg", 7, 0, 0).Brand = "Korn A/S";
    h.Add(stable, "Gulerod", 7, 0, 0);
    RationEditor editor(*h.horse);
    FeedTreeModel tree(editor, h.settings);
    EditorRelay relay(editor);
    connect(&relay, &EditorRelay::Changed, &tree, &FeedTreeModel::EditorChanged);
    QAbstractItemModelTester tester(&tree, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(tree.rowCount(), 0);  // no list yet
    tree.SetList(&stable);
    auto find = [&](const QString& text) {
      const QModelIndexList found =
          tree.match(tree.index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchExactly | Qt::MatchRecursive);
      return found.isEmpty() ? QModelIndex() : found.first();
    };
    auto check = [](const QModelIndex& i) { return i.data(Qt::CheckStateRole).toInt(); };

    // The list, its groups with the number chosen, producers, feeds with check marks.
    QCOMPARE(tree.rowCount(), 1);
    const QModelIndex root = tree.index(0, 0);
    QCOMPARE(root.data().toString(), QStringLiteral("foderliste (1)"));
    QCOMPARE(tree.rowCount(root), 2);
    QCOMPARE(tree.index(0, 0, root).data().toString(), QStringLiteral("Grovfoder (1)"));
    QCOMPARE(tree.index(1, 0, root).data().toString(), QStringLiteral("Kraftfoder"));
    const QModelIndex concentrate = tree.index(1, 0, root);
    QCOMPARE(tree.rowCount(concentrate), 2);  // the generic producer and "Korn A/S"
    const QModelIndex hay = find(QString::fromUtf8("Hø"));
    QVERIFY(hay.isValid());
    QCOMPARE(check(hay), int(Qt::Checked));
    QVERIFY(tree.flags(hay) & Qt::ItemIsUserCheckable);
    QVERIFY(!(tree.flags(concentrate) & Qt::ItemIsUserCheckable));
    QVERIFY(!concentrate.data(Qt::CheckStateRole).isValid());
    QCOMPARE(tree.FeedOf(hay), stable.FeedAt(0));
    QVERIFY(!tree.FeedOf(root));
    // Open at first: the list, the groups, the producers with a chosen feed or alone.
    const QModelIndexList open = tree.OpenAtStart();
    QVERIFY(open.contains(root));
    QVERIFY(open.contains(concentrate));
    QVERIFY(open.contains(hay.parent()));
    QVERIFY(!open.contains(find("Byg").parent()));

    // A check mark: the feed joins the ration in one edit; the counts follow, the tree keeps
    // its rows (a view keeps what is open).
    QSignalSpy reset(&tree, &QAbstractItemModel::modelReset);
    Cost cost(editor);
    const QModelIndex barley = find("Byg");
    QVERIFY(tree.setData(barley, Qt::Checked, Qt::CheckStateRole));
    QVERIFY(h.horse->ForListe->FeedByName("Byg"));
    QCOMPARE(cost.Recomputes(), 1);
    QCOMPARE(cost.Notifications(), 1);
    QCOMPARE(check(barley), int(Qt::Checked));
    QCOMPARE(root.data().toString(), QStringLiteral("foderliste (2)"));
    QCOMPARE(concentrate.data().toString(), QStringLiteral("Kraftfoder (1)"));
    QCOMPARE(barley.parent().data().toString(), QStringLiteral("Korn A/S (1)"));
    QCOMPARE(reset.count(), 0);
    // Checked again is no edit; a double click (Toggle) takes it off again.
    Cost same(editor);
    QVERIFY(tree.setData(barley, Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(same.Notifications(), 0);
    QVERIFY(tree.Toggle(barley));
    QVERIFY(!h.horse->ForListe->FeedByName("Byg"));
    QCOMPARE(root.data().toString(), QStringLiteral("foderliste (1)"));
    // Nodes that are no feed take no check mark and no toggle.
    Cost nothing(editor);
    QVERIFY(!tree.setData(concentrate, Qt::Checked, Qt::CheckStateRole));
    QVERIFY(!tree.setData(hay, "Havre", Qt::EditRole));
    QVERIFY(!tree.Toggle(root));
    QCOMPARE(nothing.Notifications(), 0);

    // "Nulstil": every mark off, counts without a number.
    editor.UnpickSelection(stable);
    QCOMPARE(check(hay), int(Qt::Unchecked));
    QCOMPARE(root.data().toString(), QStringLiteral("foderliste"));
    QCOMPARE(reset.count(), 0);
    // A feed new in the list builds the tree anew.
    h.Add(stable, "Mash", 7, 0, 0);
    tree.Recount();
    QCOMPARE(reset.count(), 1);
    QVERIFY(find("Mash").isValid());
    tree.SetList(nullptr);
    QCOMPARE(tree.rowCount(), 0);
    editor.ToggleFeed(stable, *stable.FeedAt(1));  // no list shown: nothing to follow
    QCOMPARE(tree.rowCount(), 0);
  }
};

}  // namespace
}  // namespace stallora

QTEST_MAIN(stallora::RationModelsTest)
#include "rationmodels_test.moc"
