// The windows' table models on a horse of their own, each under QAbstractItemModelTester,
// which checks every signal and index the model gives against Qt's rules while the test
// edits through the editor.

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest/QtTest>
#include <memory>

#include "forms/ration_editor.h"
#include "ui/models/amountsmodel.h"

namespace stallora {
namespace {

class Horse {
 public:
  Horse() : env(clock, Regional{}, 45, &active, &settings) {
    settings.nutrients.resize(24);
    horse = std::make_unique<THest>(env);
    horse->Navn = "Blakken";
    horse->VektListe->LeggTil(500, clock.Today());
    Add("H\xF8", 1, 8);
    Add("Havre", 5, 2);
    Add("Mineral", 9, 0.0125);
  }
  TFor& Add(const char* name, int category, double kg) {
    TFor& f = horse->ForListe->AddFeed(std::make_unique<TFor>(env));
    f.Fornavn = name;
    f.Fortype = static_cast<uint8_t>(category);
    f.TildeltKg = kg;
    f.TorrStoff = 85;
    f.Valgt = true;
    return f;
  }
  FixedClock clock{static_cast<DayNumber>(EncodeDate(2026, 12, 9))};
  TEnergyProteinObj active;
  CountrySettings settings;
  RecordEnvironment env;
  std::unique_ptr<THest> horse;
};

class ModelsTest : public QObject {
  Q_OBJECT
 private slots:
  void amountsShowEditAndFollowTheEditor() {
    Horse h;
    RationEditor editor(*h.horse);
    AmountsModel model(editor);
    EditorRelay relay(editor);
    connect(&relay, &EditorRelay::Changed, &model, &AmountsModel::EditorChanged);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    auto text = [&](int row, int column) { return model.index(row, column).data().toString(); };

    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(text(0, 0), QString::fromUtf8("Hø"));
    QCOMPARE(text(0, 1), QStringLiteral("8,00"));
    QCOMPARE(text(0, 2), QStringLiteral("kg"));
    QCOMPARE(text(2, 1), QStringLiteral("12,5"));
    QCOMPARE(text(2, 2), QStringLiteral("g"));
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString::fromUtf8("Mængde"));
    QVERIFY(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));

    // A typed amount is one edit; grams are grams.
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(model.setData(model.index(2, 1), "20"));
    QCOMPARE(h.horse->ForListe->FeedAt(2)->TildeltKg, 0.02);
    QCOMPARE(editor.Recomputes(), 1);
    QVERIFY(changed.count() >= 1);
    QCOMPARE(text(2, 1), QStringLiteral("20"));
    // What is no amount is refused and changes nothing.
    QSignalSpy refused(&model, &AmountsModel::Refused);
    QVERIFY(!model.setData(model.index(1, 1), "-3"));
    QVERIFY(!model.setData(model.index(1, 1), "abc"));
    QVERIFY(!model.setData(model.index(1, 0), "Byg"));
    QCOMPARE(refused.count(), 2);
    QCOMPARE(h.horse->ForListe->FeedAt(1)->TildeltKg, 2.0);
    QCOMPARE(editor.Recomputes(), 1);

    // A step through the editor repaints; feeds that go reset the rows.
    QVERIFY(editor.StepAmount(0, true));
    QCOMPARE(text(0, 1), QStringLiteral("8,25"));
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QVERIFY(editor.RemoveFeed("Havre", nullptr));
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(text(1, 0), QStringLiteral("Mineral"));
    // A feed added behind the editor's back shows after a reload.
    h.Add("Gulerod", 3, 1);
    QCOMPARE(model.rowCount(), 2);
    model.Reload();
    QCOMPARE(model.rowCount(), 3);
    editor.ResetChosenFeeds();
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!model.index(0, 1).data().isValid());
  }
};

}  // namespace
}  // namespace stallora

QTEST_MAIN(stallora::ModelsTest)
#include "models_test.moc"
