// The ration page's balancing dialog, driven as a user does: opened from the amounts page,
// the preview before anything changes, Apply putting the amounts into the page as typed
// amounts are, Undo taking them back, and the refusals. The horse's hay holds a tenth of each
// daily requirement per kg, so a balanced ration exists; the stable's list adds straw, a
// salt lick and carrots.

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <filesystem>

#include "forms/balance_form.h"
#include "forms/balance_texts.h"
#include "forms/ration_editor.h"
#include "forms/ration_page.h"
#include "config/preferences.h"
#include "ration/evaluation.h"
#include "ration/optimizer_texts.h"
#include "render/fonts.h"
#include "stable/workspace.h"
#include "test_prompts.h"
#include "ui/models/amountsmodel.h"
#include "ui/models/balancemodels.h"
#include "ui/ration/balancedialog.h"
#include "ui/rationpage.h"

namespace stallora {

namespace fs = std::filesystem;

namespace {

class TimingOut : public LpSolver {
 public:
  LpSolution Solve(const LpProblem&, const LpBudget&) const override {
    LpSolution s;
    s.status = LpStatus::kTimeLimit;
    return s;
  }
};

QString Cell(QTableView* table, int row, int column) { return table->model()->index(row, column).data().toString(); }

}  // namespace

class BalanceDialogTest : public QObject {
  Q_OBJECT

 private:
  fs::path dir_;
  FixedClock clock_{static_cast<DayNumber>(EncodeDate(2026, 12, 9))};
  RecordingMessages startMessages_;
  TestPrompts prompts_;
  std::unique_ptr<AppContext> app_;
  std::unique_ptr<Workspace> workspace_;
  TStall* stable_ = nullptr;
  THest* horse_ = nullptr;
  Services services_;
  std::unique_ptr<RationPage> page_;

  TFor& Feed(TForListe& list, const char* name, int category, double kg, double price, double dm) {
    TFor& f = list.AddFeed(std::make_unique<TFor>(app_->Env()));
    f.Fornavn = name;
    f.Fortype = static_cast<uint8_t>(category);
    f.Valgt = true;
    f.TildeltKg = kg;
    f.Pris = price;
    f.TorrStoff = dm;
    return f;
  }
  template <typename W>
  static W* In(QWidget* parent, const char* name) {
    W* w = parent->findChild<W*>(name);
    if (!w) qWarning("no widget %s", name);
    return w;
  }
  std::vector<double> Amounts() const {
    std::vector<double> kg;
    for (const auto& f : horse_->ForListe->Feeds()) kg.push_back(f->TildeltKg);
    return kg;
  }
  QStringList AmountTexts() const {
    QStringList texts;
    auto* table = In<QTableView>(page_.get(), "otAllocations");
    for (int r = 0; r < table->model()->rowCount(); ++r) texts << Cell(table, r, 0) + "=" + Cell(table, r, 1);
    return texts;
  }
  void Shot(QWidget* w, const char* name) {
    const QByteArray dir = qgetenv("STALLORA_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    QApplication::processEvents();
    w->grab().save(QString::fromUtf8(dir) + "/" + name + ".png");
  }
  // Types into a table cell and presses Enter.
  static void TypeIntoCell(QTableView* table, int row, int column, const QString& text) {
    QApplication::processEvents();
    table->setCurrentIndex(table->model()->index(row, column));
    table->edit(table->currentIndex());
    auto* editor = table->viewport()->findChild<QLineEdit*>();
    QVERIFY2(editor, "no editor opened");
    editor->setFocus();
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
  }
  static void Click(QWidget* dialog, const char* name) {
    auto* b = In<QAbstractButton>(dialog, name);
    QVERIFY(b);
    QVERIFY2(b->isEnabled(), name);
    // Near the left edge: a check box takes clicks on its box and caption only.
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(std::min(8, b->width() / 2), b->height() / 2));
  }

 private slots:
  void initTestCase() {
    InstallFontSubstitutions();
    dir_ = fs::temp_directory_path() / ("stallora-balancedialog-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    const fs::path data = STALLORA_DATA_DIR;
    fs::copy_file(data / "dan.ini", dir_ / "dan.ini");
    fs::copy(data / "Resources", dir_ / "Resources", fs::copy_options::recursive);
    RegisterAllRecordClasses();
    StartResult r = StartProgram(dir_, clock_, Regional{}, startMessages_, ScreenSize{1400, 900});
    QVERIFY2(r.context, r.fatalMessage.c_str());
    app_ = std::move(r.context);
    workspace_ = std::make_unique<Workspace>(*app_);
    auto stable = std::make_unique<TStall>(app_->Env());
    stable->stallNavn = "Solbakken";
    stable_ = &workspace_->AddStable(std::move(stable));
    services_ = Services{app_.get(), workspace_.get(), nullptr, &prompts_, nullptr};
  }

  void cleanupTestCase() {
    page_.reset();
    fs::remove_all(dir_);
  }

  void init() {
    page_.reset();
    if (horse_) stable_->DeleteHorse(horse_->Navn);
    horse_ = &stable_->NewHorse();
    horse_->Navn = "Blakken";
    horse_->Fodselsdato = clock_.Today() - 8 * 365;
    horse_->VektListe->LeggTil(500, clock_.Today());
    horse_->ErNy = false;
    QVERIFY(horse_->BeregnBehov());
    const auto& need = horse_->Behov;
    TFor& hay = Feed(*horse_->ForListe, "H\xF8", 1, 6, 1.5, 85);
    for (int i = 0; i < kNutrientCount; ++i) hay.SetValue(i, need[static_cast<size_t>(i)] / 10);
    hay.UpdateRatio();
    TFor& oats = Feed(*horse_->ForListe, "Havre", 3, 2, 3, 88);
    oats.SetValue(0, need[0] / 6);
    oats.SetValue(1, need[1] / 8);
    TFor& mineral = Feed(*horse_->ForListe, "Mineral", 9, 0.05, 20, 95);
    for (int i = 3; i < kNutrientCount; ++i)
      if (i != 6 && i != 8) mineral.SetValue(i, need[static_cast<size_t>(i)] * 2);
    mineral.UpdateRatio();
    TForListe& list = *stable_->ForListe;
    list.Clear();
    list.SetEnergyRecord(horse_->ForListe->GetEnergyRecord());
    Feed(list, "Halm", 6, 0, 0.8, 88).SetValue(0, need[0] / 30);
    Feed(list, "Saltsten", 9, 0, 12, 99).SetValue(7, 900);
    TFor& carrots = Feed(list, "Gulerod", 3, 0, 0.1, 12);
    carrots.SetValue(0, need[0] / 20);
    carrots.SetValue(1, need[1] / 20);

    prompts_ = TestPrompts();
    page_ = std::make_unique<RationPage>(*horse_, services_);
    page_->resize(1300, 820);
    page_->show();
    QVERIFY(QTest::qWaitForWindowExposed(page_.get()));
    page_->Refresh();
    page_->ShowAmountsPage();
  }

  // The whole way: the command on the amounts page, the preview, a bound typed, Apply and
  // the page following, Undo and the page back as it was.
  void previewApplyAndUndoOnThePage() {
    const std::vector<double> before = Amounts();
    const QStringList shownBefore = AmountTexts();
    QCOMPARE(shownBefore, (QStringList{QString::fromUtf8("Hø=6,00"), "Havre=2,00", "Mineral=50"}));
    QSignalSpy changed(page_.get(), &RationPage::Changed);
    bool ran = false;
    std::vector<double> proposed;
    prompts_.runDialog = [&](QDialog& d) {
      ran = true;
      d.show();
      [&] {
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.windowTitle(), QString::fromUtf8("Blakken: Balancér ration"));
        auto* preview = In<QTableView>(&d, "tvPreview");
        auto* candidates = In<QTableView>(&d, "tvCandidates");
        // Opened with a preview already: three feeds and the total, nothing changed yet.
        QCOMPARE(candidates->model()->rowCount(), 3);
        QCOMPARE(preview->model()->rowCount(), 4);
        QCOMPARE(Cell(preview, 3, 0), QStringLiteral("I alt"));
        QCOMPARE(Cell(preview, 0, 1), QStringLiteral("6"));
        QVERIFY(In<QLabel>(&d, "lblStatus")->text().startsWith(QString::fromUtf8("Rationen overholder alle grænser")));
        QVERIFY(In<QPlainTextEdit>(&d, "txtLimits")
                    ->toPlainText()
                    .startsWith(QString::fromUtf8("Grænser, der bestemmer rationen")));
        QCOMPARE(Amounts(), before);
        QVERIFY(In<QRadioButton>(&d, "rbLeastCost")->isChecked());

        // All the stable's feeds, and at least 1,5 kg carrots: a bound makes the preview stale.
        Click(&d, "cbAllFeeds");
        QCOMPARE(candidates->model()->rowCount(), 6);
        QCOMPARE(Cell(candidates, 5, 0), QStringLiteral("Gulerod"));
        TypeIntoCell(candidates, 5, BalanceCandidatesModel::kMin, "1,5");
        QCOMPARE(Cell(candidates, 5, BalanceCandidatesModel::kMin), QStringLiteral("1,5"));
        QCOMPARE(preview->model()->rowCount(), 0);
        QVERIFY(!In<QPushButton>(&d, "btnApply")->isEnabled());
        // A bound that is no amount is told, and the cell keeps what it had.
        TypeIntoCell(candidates, 4, BalanceCandidatesModel::kMax, "-2");
        QVERIFY(prompts_.Said(L(QString::fromUtf8("Saltsten: mængderne må ikke være negative"))));
        QCOMPARE(Cell(candidates, 4, BalanceCandidatesModel::kMax), QString());

        Click(&d, "btnCalculate");
        QCOMPARE(preview->model()->rowCount(), 7);
        QCOMPARE(Cell(preview, 5, 0), QStringLiteral("Gulerod"));
        QCOMPARE(Amounts(), before);
        Shot(&d, "balance-before-apply");

        Click(&d, "btnApply");
        // The page behind the dialog shows the new amounts at once.
        for (const auto& f : horse_->ForListe->Feeds()) proposed.push_back(f->TildeltKg);
        QVERIFY(horse_->ForListe->FeedByName("Gulerod"));
        QVERIFY(horse_->ForListe->FeedByName("Gulerod")->TildeltKg >= 1.5 - 1e-9);
        QCOMPARE(In<QTableView>(page_.get(), "otAllocations")->model()->rowCount(), horse_->ForListe->Count());
        QCOMPARE(changed.count(), 1);
        QVERIFY(!In<QPushButton>(&d, "btnApply")->isEnabled());
        QVERIFY(In<QPushButton>(&d, "btnUndo")->isEnabled());
        QVERIFY(In<QLabel>(&d, "lblStatus")->text().contains(QStringLiteral("Forslaget er sat ind i rationen")));
        Shot(&d, "balance-after-apply");
        Shot(page_.get(), "balance-page-after-apply");

        Click(&d, "btnUndo");
        QCOMPARE(Amounts(), before);
        QCOMPARE(AmountTexts(), shownBefore);
        QCOMPARE(changed.count(), 2);
        QVERIFY(!In<QPushButton>(&d, "btnUndo")->isEnabled());
        // Once more, and closed with the proposal in place.
        Click(&d, "btnApply");
        Click(&d, "btnClose");
      }();
      return d.result();
    };
    QTest::mouseClick(In<QPushButton>(page_.get(), "btnBalance"), Qt::LeftButton);
    QVERIFY(ran);
    QVERIFY2(prompts_.said.size() == 1, "only the refused bound was told");
    QCOMPARE(Amounts(), proposed);
    // As typed amounts: the table shows each feed's amount as the page writes it, the page's
    // evaluation is of these amounts and finds nothing out of range, the ration is dated.
    QStringList expected;
    for (const auto& f : horse_->ForListe->Feeds()) expected << Q(f->Fornavn) + "=" + Q(ShownAmountText(*f, ','));
    QCOMPARE(AmountTexts(), expected);
    const auto shownSupply = horse_->Tilforsel;
    BeregnTilforsel(*horse_);
    QVERIFY(shownSupply == horse_->Tilforsel);
    const TPreferences& prefs = app_->preferences;
    for (int i = 0; i < kNutrientCount; ++i)
      if (prefs.useNutrient[static_cast<size_t>(i)])
        QVERIFY2(!horse_->UtenforOmrade[static_cast<size_t>(i)], qPrintable(QString::number(i)));
    QCOMPARE(horse_->ForListe->EndretDato, static_cast<double>(clock_.Today()));
  }

  // A horse without a requirement is told why, and no dialog opens.
  void aHorseWithoutRequirementIsTold() {
    horse_->VektListe->Tom();
    bool ran = false;
    prompts_.runDialog = [&](QDialog&) {
      ran = true;
      return int(QDialog::Rejected);
    };
    const std::vector<double> before = Amounts();
    QTest::mouseClick(In<QPushButton>(page_.get(), "btnBalance"), Qt::LeftButton);
    QVERIFY(!ran);
    QCOMPARE(prompts_.said, std::vector<std::string>{Tr(kBalNoRequirement)});
    QCOMPARE(prompts_.captions.back(), QString::fromUtf8("Balancér ration"));
    QCOMPARE(Amounts(), before);
  }

  // Every feed locked, and a solver that runs out of time: told, no preview, nothing to apply.
  void refusalsAreToldAndChangeNothing() {
    RationEditor editor(*horse_);
    const std::vector<double> before = Amounts();
    {
      TimingOut slow;
      BalanceForm form(editor, stable_->ForListe.get(), slow);
      BalanceDialog d(form, prompts_);
      d.Calculate();
      QCOMPARE(prompts_.said.size(), size_t{1});
      QVERIFY(prompts_.said[0].starts_with(L(QStringLiteral("Beregningen blev stoppet efter 2 sekunder"))));
      QCOMPARE(In<QTableView>(&d, "tvPreview")->model()->rowCount(), 0);
      QVERIFY(!In<QPushButton>(&d, "btnApply")->isEnabled());
      QCOMPARE(In<QLabel>(&d, "lblStatus")->text(), Q(prompts_.said[0]));
    }
    {
      auto solver = MakeGlpkSolver();
      BalanceForm form(editor, nullptr, *solver);
      BalanceDialog d(form, prompts_);
      QVERIFY(!In<QCheckBox>(&d, "cbAllFeeds")->isEnabled());
      auto* model = In<QTableView>(&d, "tvCandidates")->model();
      for (int r = 0; r < model->rowCount(); ++r)
        QVERIFY(model->setData(model->index(r, BalanceCandidatesModel::kLocked), Qt::Checked, Qt::CheckStateRole));
      d.Calculate();
      QCOMPARE(prompts_.said.back(), Tr(kBalAllLocked));
      QVERIFY(!In<QPushButton>(&d, "btnApply")->isEnabled());
    }
    QCOMPARE(Amounts(), before);
    QCOMPARE(editor.Notifications(), 0);
  }

  // Both tables under Qt's model checker while the form changes under them.
  void modelsKeepQtsRules() {
    RationEditor editor(*horse_);
    auto solver = MakeGlpkSolver();
    BalanceForm form(editor, stable_->ForListe.get(), *solver);
    BalanceCandidatesModel candidates(form);
    BalancePreviewModel preview(form);
    EditorRelay relay(form);
    connect(&relay, &EditorRelay::Changed, &candidates, &BalanceCandidatesModel::EditorChanged);
    connect(&relay, &EditorRelay::Changed, &preview, &BalancePreviewModel::EditorChanged);
    QAbstractItemModelTester t1(&candidates, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester t2(&preview, QAbstractItemModelTester::FailureReportingMode::QtTest);

    QCOMPARE(candidates.rowCount(), 3);
    QCOMPARE(candidates.columnCount(), 5);
    QCOMPARE(candidates.headerData(BalanceCandidatesModel::kLocked, Qt::Horizontal).toString(),
             QString::fromUtf8("Låst"));
    QVERIFY(candidates.flags(candidates.index(0, BalanceCandidatesModel::kMin)) & Qt::ItemIsEditable);
    QVERIFY(!(candidates.flags(candidates.index(0, BalanceCandidatesModel::kNow)) & Qt::ItemIsEditable));
    QVERIFY(candidates.flags(candidates.index(0, BalanceCandidatesModel::kLocked)) & Qt::ItemIsUserCheckable);
    QCOMPARE(preview.rowCount(), 0);
    form.Calculate();
    QCOMPARE(preview.rowCount(), 4);
    QCOMPARE(preview.headerData(BalancePreviewModel::kNew, Qt::Horizontal).toString(), QStringLiteral("Ny kg"));
    QCOMPARE(preview.index(3, 0).data(Qt::FontRole).value<QFont>().bold(), true);
    form.SetAllFeeds(true);
    QCOMPARE(candidates.rowCount(), 6);
    QCOMPARE(preview.rowCount(), 0);
    QSignalSpy refused(&candidates, &BalanceCandidatesModel::Refused);
    QVERIFY(!candidates.setData(candidates.index(1, BalanceCandidatesModel::kMax), "x"));
    QCOMPARE(refused.count(), 1);
    QVERIFY(candidates.setData(candidates.index(1, BalanceCandidatesModel::kMax), "2,5"));
    QCOMPARE(candidates.index(1, BalanceCandidatesModel::kMax).data().toString(), QStringLiteral("2,5"));
    QVERIFY(!candidates.setData(candidates.index(1, BalanceCandidatesModel::kName), "Byg"));
    form.Calculate();
    QCOMPARE(preview.rowCount(), 7);
    form.Apply();
    QCOMPARE(preview.rowCount(), 7);
    form.Undo();
    QCOMPARE(preview.rowCount(), 7);
  }
};

}  // namespace stallora

QTEST_MAIN(stallora::BalanceDialogTest)
#include "balancedialog_test.moc"
