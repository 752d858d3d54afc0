// The requirement-expression editor opened from the main window's "BehovsEdit" button on a
// workspace with two horses: stepping through the objects, editing a formula in the table,
// testing it against a horse, a syntax error told with the evaluator's message, the list
// saved and read by the command-line tool.

#include <QAbstractItemModelTester>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <sstream>

#include "app/cli.h"
#include "core/fileio.h"
#include "core/textutil.h"
#include "nutrition/behovsliste.h"
#include "smallwin_fixture.h"
#include "ui/appwindows.h"
#include "ui/models/formulasmodel.h"
#include "ui/requirements/requirementwindow.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;
using uitest::Fixture;

class RequirementWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<Fixture> f_;
  RequirementWindow* window_ = nullptr;

  template <class W>
  W* Find(const char* name) {
    W* w = window_->findChild<W*>(name);
    if (!w) qFatal("no %s", name);
    return w;
  }
  // Types `text` into row `row` of the formula table as the user does.
  void TypeFormula(int row, const QString& text) {
    auto* table = Find<QTableView>("otUttrykk");
    table->setCurrentIndex(table->model()->index(row, 1));
    table->edit(table->currentIndex());
    auto* editor = table->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();  // the delegate commits after the key, queued
  }

 private slots:
  void init() {
    f_ = std::make_unique<Fixture>(QStringLiteral("uttr"));
    TStall& nord = f_->WriteStable("Nord");
    THest& h = f_->WriteHorse(nord, "Blakken");
    h.VektListe->LeggTil(500, f_->clock.Today() - 1);
    QVERIFY(nord.SaveHorse(h));
    f_->Open();
    auto* button = f_->main->findChild<QAction*>("actBehovsEdit");
    QVERIFY(button);
    QVERIFY(!button->isEnabled());  // no editor registered yet
    RegisterRequirementWindow(*f_->main);
    QVERIFY(button->isEnabled());
    f_->Listen();
    button->trigger();
    window_ = f_->main->findChild<RequirementWindow*>();
    QVERIFY(window_ && window_->isVisible());
  }
  void cleanup() { f_.reset(); }

  void showsTheFirstObjectAndStepsWithinTheList() {
    new QAbstractItemModelTester(window_->Formulas(), QAbstractItemModelTester::FailureReportingMode::QtTest, window_);
    const int count = window_->Editor().Count();
    QVERIFY(count > 1);
    QCOMPARE(Find<QLabel>("lblObjectNo")->text(), QString("Energi,  nutrient no 0   (0/%1)").arg(count));
    QCOMPARE(Find<QComboBox>("cbNutrient")->count(), count);
    QCOMPARE(Find<QComboBox>("cbSelectHorse")->currentText(), QString("Blakken  [Nord]"));
    QCOMPARE(Find<QListWidget>("lbVariables")->item(6)->text(), QString("bw             Body weight, kg"));
    auto* table = Find<QTableView>("otUttrykk");
    QCOMPARE(table->model()->rowCount(), 6);
    QCOMPARE(table->model()->index(2, 1).data().toString(), Q(window_->Editor().Formula(2)));
    auto* up = Find<QToolButton>("OvcSpinner1Up");
    auto* down = Find<QToolButton>("OvcSpinner1Down");
    up->click();  // stays on the first
    QCOMPARE(window_->Editor().Current(), 0);
    for (int i = 0; i < count + 2; ++i) down->click();  // stays on the last
    QCOMPARE(window_->Editor().Current(), count - 1);
    QCOMPARE(Find<QComboBox>("cbNutrient")->currentIndex(), count - 1);
    QVERIFY(Find<QLabel>("lblObjectNo")->text().endsWith(QString("(%1/%2)").arg(count - 1).arg(count)));
  }

  void anEditedFormulaIsTestedSavedAndReadByTheCommandLineTool() {
    TypeFormula(1, "bw * 0.05");  // energy, maintenance: Blakken's category
    QCOMPARE(window_->Editor().Formula(1), std::string("bw * 0.05"));
    Find<QPushButton>("btnTest")->click();
    QCOMPARE(Find<QLineEdit>("edResult")->text(),
             QString("Value: ") + Q(FormatFixed(8, 3, 25.0, f_->app->regional.decimalSeparator)));
    f_->shown.answer = true;
    Find<QPushButton>("btnSaveList")->click();
    const fs::path file = f_->app->preferences.RequirementListFile();
    QVERIFY(f_->shown.Said(Tr(kUtSaved) + " " + PathText(file)));
    // The file holds the new formula; the command-line tool computes the horse with it.
    QVERIFY(ReadWholeFile(file)->find("bw * 0.05") != std::string::npos);
    const fs::path horse =
        f_->ws->StableByName("Nord")->HorseFilePath(*f_->ws->StableByName("Nord")->HorseByName("Blakken"));
    std::ostringstream out, err;
    QCOMPARE(cli::Run({"--program-dir", f_->dir.string(), "--today", "2026-12-09", "requirements", horse.string()}, out,
                      err),
             0);
    const std::string first = out.str().substr(0, out.str().find('\n'));
    // index, name, unit, formula value, requirement: the formula value is 500 * 0.05.
    QStringList fields = QString::fromStdString(first).split('\t');
    QVERIFY2(fields.size() == 5 && fields[0] == "0", first.c_str());
    QCOMPARE(fields[3].replace(',', '.').toDouble(), 25.0);
  }

  void aSyntaxErrorIsToldWithItsPositionAndAskedAboutBeforeSaving() {
    const std::string before = *ReadWholeFile(f_->app->preferences.RequirementListFile());
    TypeFormula(2, "bw * (2");
    Find<QPushButton>("btnTest")->click();
    QCOMPARE(Find<QLineEdit>("edResult")->text(), Q(Tr(kUtProofread)));
    QVERIFY(!f_->shown.said.empty());
    QVERIFY2(f_->shown.said.back().find("bw * (2") != std::string::npos, f_->shown.said.back().c_str());
    Find<QPushButton>("btnTestAll")->click();
    auto* messages = Find<QListWidget>("lbMessages");
    QCOMPARE(messages->count(), 1);
    QVERIFY(messages->item(0)->text().startsWith("Energi: "));
    QVERIFY(messages->item(0)->text().endsWith(" - Syntax error!"));
    // Saving asks first (naming the rule); No keeps the file as it was.
    f_->shown.answer = false;
    const size_t asked = f_->shown.asked.size();
    Find<QPushButton>("btnSaveList")->click();
    QCOMPARE(f_->shown.asked.size(), asked + 1);
    QVERIFY(f_->shown.asked.back().find("Energi") != std::string::npos);
    QCOMPARE(*ReadWholeFile(f_->app->preferences.RequirementListFile()), before);
    // A double click on the message shows the object it names.
    Find<QComboBox>("cbNutrient")->setCurrentIndex(4);
    window_->Editor().SelectObject(4);
    emit messages->itemDoubleClicked(messages->item(0));
    QCOMPARE(window_->Editor().Current(), 0);
    Fixture::Shot(window_, "requirement-editor");
  }

  void aFormulaTooLongIsRefusedAndTheOldOneKept() {
    const std::string old = window_->Editor().Formula(0);
    TypeFormula(0, QString(300, 'x'));
    QCOMPARE(window_->Editor().Formula(0), old);
    QVERIFY(f_->shown.Said(Tr(kUtTooLong)));
  }
};

}  // namespace
}  // namespace stallora

QTEST_MAIN(stallora::RequirementWindowTest)
#include "requirementwindow_test.moc"
