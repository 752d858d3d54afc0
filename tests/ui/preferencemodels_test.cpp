// The preferences dialog's list models on the installed Danish data, each under
// QAbstractItemModelTester (which checks every signal and index against Qt's rules) while the
// test edits through the editor: a check, a renamed object and a renamed treatment reach the
// record once, and the view's rows are repainted, not reset, when their number stays.

#include <QAbstractItemModelTester>
#include <QFont>
#include <QSignalSpy>
#include <QtTest/QtTest>

#include "core/cp1252.h"
#include "forms/preferences_editor.h"
#include "smallwin_fixture.h"
#include "ui/models/editormodel.h"
#include "ui/models/preferencesmodels.h"

namespace stallora {
namespace {

using uitest::Fixture;

// What the editor told, to count the notifications of one edit.
struct Counter : EditorListener {
  void EditorChanged(ChangeFlags) override { ++told; }
  int told = 0;
};

class PreferenceModelsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<Fixture> f_;
  std::unique_ptr<PreferencesEditor> editor_;
  std::unique_ptr<EditorRelay> relay_;
  Counter counter_;

  template <class M>
  void Follow(M& model) {
    connect(relay_.get(), &EditorRelay::Changed, &model, &M::EditorChanged);
  }
  static QString Text(const QAbstractItemModel& m, int row) { return m.index(row, 0).data().toString(); }

 private slots:
  void init() {
    f_ = std::make_unique<Fixture>(QStringLiteral("prefmodels"));
    editor_ = std::make_unique<PreferencesEditor>(*f_->app, nullptr);
    relay_ = std::make_unique<EditorRelay>(*editor_);
    editor_->AddListener(&counter_);
  }
  void cleanup() {
    editor_->RemoveListener(&counter_);
    relay_.reset();
    editor_.reset();
    f_.reset();
  }

  void nutrientChecksAreSetOnlyInTheOpenBoxAndStoredIntoItsArray() {
    NutrientChecksModel model(*editor_);
    Follow(model);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    editor_->Show(PreferencesPage::Nutrients);
    const auto& nutrients = f_->app->settings.nutrients;
    QCOMPARE(model.rowCount(), static_cast<int>(nutrients.size()) - 1);  // all but the last
    QCOMPARE(Text(model, 2), Q(nutrients[2].name));
    // Closed: nothing to check, and a check is refused.
    QVERIFY(!(model.flags(model.index(3, 0)) & Qt::ItemIsUserCheckable));
    QVERIFY(!model.setData(model.index(3, 0), Qt::Unchecked, Qt::CheckStateRole));

    TPreferences& p = f_->app->preferences;
    p.useNutrient[3] = true;
    p.useNutrient[4] = false;
    const auto columns = p.showNutrient;
    editor_->OpenNutrientBox(NutrientMode::FeedingPlan);
    QVERIFY(model.flags(model.index(3, 0)) & Qt::ItemIsUserCheckable);
    QCOMPARE(model.index(3, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
    QCOMPARE(model.index(4, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);

    // One check is one notification and a repaint; the flag waits for Store.
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    const int told = counter_.told;
    QVERIFY(model.setData(model.index(3, 0), Qt::Unchecked, Qt::CheckStateRole));
    QCOMPARE(counter_.told, told + 1);
    QCOMPARE(reset.count(), 0);
    QVERIFY(changed.count() >= 1);
    QCOMPARE(model.index(3, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
    QVERIFY(p.useNutrient[3]);
    editor_->StoreNutrientBox();
    QVERIFY(!p.useNutrient[3]);
    QVERIFY(!p.useNutrient[4]);
    QCOMPARE(p.showNutrient, columns);  // the other mode's array is untouched
    QVERIFY(!(model.flags(model.index(3, 0)) & Qt::ItemIsUserCheckable));

    // Nutrient 1 is named after the active protein type: the other object renames its row.
    const std::string before = L(Text(model, 1));
    for (int i = 0; i < f_->app->energyList.Antall(); ++i)
      if (f_->app->energyList.Element(i)->ProteinBeregning != f_->app->active->ProteinBeregning &&
          f_->app->energyList.Element(i)->CountryNo == 45) {
        editor_->SelectObject(i);
        QVERIFY(editor_->UseAsDefault());
        break;
      }
    QCOMPARE(L(Text(model, 1)), f_->app->settings.ProteinTypeName(f_->app->active->ProteinBeregning));
    QVERIFY(L(Text(model, 1)) != before);
  }

  void objectsFollowNewRenamedAndDeletedObjects() {
    EnergyObjectsModel model(*editor_);
    Follow(model);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    editor_->Show(PreferencesPage::Objects);
    TEnProList& list = f_->app->energyList;
    const int count = list.Antall();
    QCOMPARE(model.rowCount(), count);
    for (int i = 0; i < count; ++i) QCOMPARE(L(Text(model, i)), list.Element(i)->Navn);
    // The active object's row is bold, no other.
    int bold = 0;
    for (int i = 0; i < count; ++i)
      if (model.index(i, 0).data(Qt::FontRole).value<QFont>().bold()) {
        ++bold;
        QCOMPARE(L(Text(model, i)), f_->app->active->Navn);
      }
    QCOMPARE(bold, 1);

    editor_->NewObject();
    QCOMPARE(model.rowCount(), count + 1);
    QCOMPARE(Text(model, count), QStringLiteral("My Object1"));

    // Accepting the box is one notification; the row is repainted in place.
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    ObjectBox typed = editor_->Box();
    typed.name = Utf8ToCp1252("Min hest, fe");
    const int told = counter_.told;
    QVERIFY(!editor_->AcceptObject(typed));
    QCOMPARE(counter_.told, told + 1);
    QCOMPARE(reset.count(), 0);
    QCOMPARE(list.Element(count)->Navn, Utf8ToCp1252("Min hest, fe"));
    QCOMPARE(Text(model, count), QStringLiteral("Min hest, fe"));

    editor_->DeleteObject();
    QCOMPARE(model.rowCount(), count);
    for (int i = 0; i < count; ++i) QCOMPARE(L(Text(model, i)), list.Element(i)->Navn);
  }

  void treatmentNamesFollowTheTypeAndTheBox() {
    TreatmentNamesModel model(*editor_);
    Follow(model);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    editor_->Show(PreferencesPage::Treatments);
    QCOMPARE(model.rowCount(), static_cast<int>(editor_->TreatmentNames().size()));
    editor_->ChooseTreatmentType(1);
    QCOMPARE(Text(model, 0), QString::fromUtf8("Gødningsprøve"));
    const int rows = model.rowCount();

    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    editor_->OpenTreatment(1);
    const int told = counter_.told;
    QVERIFY(!editor_->AcceptTreatment("Ivermectin", "http://orm.example"));
    QCOMPARE(counter_.told, told + 1);
    QCOMPARE(reset.count(), 0);
    QCOMPARE(Text(model, 1), QStringLiteral("Ivermectin"));
    QVERIFY(f_->app->preferences.TreatmentRegister[1].find("Ivermectin%http://orm.example#") != std::string::npos);

    editor_->AddTreatment();
    QCOMPARE(model.rowCount(), rows + 1);
    QCOMPARE(Text(model, rows), QStringLiteral("Ny Ormekur"));
    editor_->ChooseTreatmentType(2);
    QCOMPARE(model.rowCount(), static_cast<int>(editor_->TreatmentNames().size()));
    QCOMPARE(L(Text(model, 0)), editor_->TreatmentNames()[0]);
  }
};

}  // namespace
}  // namespace stallora

QTEST_MAIN(stallora::PreferenceModelsTest)
#include "preferencemodels_test.moc"
