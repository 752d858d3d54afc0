// The horse window's models on a horse of their own, each under QAbstractItemModelTester
// (which checks every index and signal against Qt's rules while the test edits): the
// weighings table and the treatments tree. An edit through a model is one edit of the
// horse editor: one computation, one notification, and the model follows it.

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest/QtTest>
#include <memory>

#include "forms/horse_editor.h"
#include "render/qttext.h"
#include "ui/models/editormodel.h"
#include "ui/models/treatmentsmodel.h"
#include "ui/models/weighingsmodel.h"

namespace stallora {
namespace {

class Horse {
 public:
  Horse() : env(clock, Regional{}, 45, &active, &settings) {
    settings.nutrients.resize(24);
    horse = std::make_unique<THest>(env);
    horse->Navn = "Blakken";
    horse->VektListe->LeggTil(480, clock.Today() - 30);
    horse->VektListe->LeggTil(500, clock.Today() - 10);
  }
  DayNumber Today() const { return clock.Today(); }
  FixedClock clock{static_cast<DayNumber>(EncodeDate(2026, 12, 9))};
  TEnergyProteinObj active;
  CountrySettings settings;
  RecordEnvironment env;
  std::unique_ptr<THest> horse;
};

class HorseModelsTest : public QObject {
  Q_OBJECT
 private slots:
  void weighingsShowEditAndFollowTheEditor() {
    Horse h;
    HorseEditor editor(*h.horse);
    WeighingsModel model(editor);
    EditorRelay relay(editor);
    connect(&relay, &EditorRelay::Changed, &model, &WeighingsModel::EditorChanged);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    auto text = [&](int row, int column) { return model.index(row, column).data().toString(); };

    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(text(0, 0), QStringLiteral("09/11/2026"));
    QCOMPARE(text(0, 1), QStringLiteral("480"));
    QCOMPARE(text(1, 0), QStringLiteral("29/11/2026"));
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Dato"));
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString::fromUtf8("Vægtdata"));
    QVERIFY(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);

    // A typed weight is one edit: rounded, computed once, told once; the rows stay (no
    // reset), so a view keeps its current cell.
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(model.setData(model.index(1, 1), "512,4"));
    QCOMPARE(h.horse->VektListe->Element(1)->Vekt, 512.0);
    QCOMPARE(editor.Recomputes(), 1);
    QCOMPARE(editor.Notifications(), 1);
    QCOMPARE(reset.count(), 0);
    QVERIFY(changed.count() >= 1);
    QCOMPARE(text(1, 1), QStringLiteral("512"));

    // A date as the table writes it; what is no date or no weight is refused, the cell
    // repainted with the weighing's own value and nothing computed.
    QVERIFY(model.setData(model.index(0, 0), "01/10/2026"));
    QCOMPARE(h.horse->VektListe->Element(0)->Dato, static_cast<DayNumber>(EncodeDate(2026, 10, 1)));
    changed.clear();
    for (const char* bad : {"9999", "0", "abc", ""}) QVERIFY2(!model.setData(model.index(1, 1), bad), bad);
    QVERIFY(!model.setData(model.index(0, 0), "31/02/2026x"));
    QVERIFY(!model.setData(model.index(5, 1), "500"));
    QCOMPARE(changed.count(), 5);
    QCOMPARE(h.horse->VektListe->Element(1)->Vekt, 512.0);
    QCOMPARE(editor.Recomputes(), 2);

    // Rows that come and go reset the model once per edit.
    QCOMPARE(editor.AddWeighing(0), 1);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(text(1, 1), QStringLiteral("0"));
    QVERIFY(editor.DeleteWeighing(1));
    QCOMPARE(reset.count(), 2);
    QCOMPARE(model.rowCount(), 2);
    // A weighing added behind the editor's back shows after a reload.
    h.horse->VektListe->LeggTil(505, h.Today());
    QCOMPARE(model.rowCount(), 2);
    model.Reload();
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(text(2, 1), QStringLiteral("505"));
    QVERIFY(!model.index(3, 0).data().isValid());
  }

  void treatmentsTreeByTypeAndByDate() {
    Horse h;
    HorseEditor editor(*h.horse);
    TreatmentsModel model(editor);
    EditorRelay relay(editor);
    connect(&relay, &EditorRelay::Changed, &model, &TreatmentsModel::EditorChanged);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    TTreatmentList& list = *h.horse->TreatmentListe;
    TTreatmentObj& worm = list.AddNew();
    list.StoreEdited(worm, TTreatmentType::Worm, "Ormekur, pyrantel", h.Today() + 3, h.Today() + kNotDoneDays,
                     h.Today(), "", 120);
    model.Build(true);
    QVERIFY(model.ByType());
    // The horse at the root, the six types under it, the treatment under its type.
    QCOMPARE(model.rowCount(), 1);
    const QModelIndex root = model.index(0, 0);
    QCOMPARE(root.data().toString(), QStringLiteral("Blakken"));
    QVERIFY(!model.parent(root).isValid());
    QCOMPARE(model.rowCount(root), 6);
    QCOMPARE(model.TypeAt(root), -1);
    for (int type = 0; type < 6; ++type) QCOMPARE(model.TypeAt(model.index(type, 0, root)), type);
    const QModelIndex node = model.IndexOfTreatment(&worm);
    QVERIFY(node.isValid());
    QCOMPARE(model.TreatmentAt(node), &worm);
    QCOMPARE(model.TypeAt(node), -1);
    QCOMPARE(model.parent(node), model.index(Ord(TTreatmentType::Worm), 0, root));
    QCOMPARE(model.IndexWithText(node.data().toString()), node);
    QVERIFY(!model.IndexWithText(QStringLiteral("no such node")).isValid());

    // By date the treatments hang at the root and no node is a type.
    model.Build(false);
    QCOMPARE(model.rowCount(model.index(0, 0)), 1);
    QCOMPARE(model.TreatmentAt(model.index(0, 0, model.index(0, 0))), &worm);
    QCOMPARE(model.TypeAt(model.index(0, 0, model.index(0, 0))), -1);

    // An edit through the editor reaches the record once and the tree follows in its layout.
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    TTreatmentObj& vet = list.AddNew();
    editor.StoreTreatment(vet, TTreatmentType::Vet, "Halthed", h.Today() - 2, h.Today() - 2, h.Today() + 5, "", 650);
    QCOMPARE(editor.Recomputes(), 1);
    QCOMPARE(editor.Notifications(), 1);
    QCOMPARE(reset.count(), 1);
    QVERIFY(!model.ByType());
    QCOMPARE(model.rowCount(model.index(0, 0)), 2);
    QCOMPARE(model.TreatmentAt(model.IndexOfTreatment(&vet)), &vet);
    QVERIFY(editor.DeleteTreatment(&worm));
    QCOMPARE(reset.count(), 2);
    QCOMPARE(list.Count(), 1);
    QCOMPARE(model.rowCount(model.index(0, 0)), 1);
    QCOMPARE(model.TreatmentAt(model.index(0, 0, model.index(0, 0))), &vet);
    // Edits that do not touch the treatments leave the tree alone.
    editor.SetTodaysGain(0.3);
    QCOMPARE(reset.count(), 2);
  }
};

}  // namespace
}  // namespace stallora

QTEST_MAIN(stallora::HorseModelsTest)
#include "horsemodels_test.moc"
