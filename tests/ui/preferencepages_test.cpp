// The preferences dialog's nutrient, energy/protein object and treatment register pages,
// driven as a user drives them from the main window's settings menu on a workspace with one
// stable and one horse: what each button stores, what bad input is told and what stays, the
// horse window's health page opening the register, the help and printer buttons.

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "forms/preferences_texts.h"
#include "smallwin_fixture.h"
#include "ui/appwindows.h"
#include "ui/horsewindow.h"
#include "ui/models/preferencesmodels.h"
#include "ui/preferences/preferencesdialog.h"
#include "window_fixture.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;
using uitest::Fixture;

class PreferencePagesTest : public QObject {
  Q_OBJECT

  std::unique_ptr<Fixture> f_;
  PreferencesDialog* dialog_ = nullptr;

  template <class W>
  W* Find(const QString& name) {
    W* w = dialog_->findChild<W*>(name);
    if (!w) qFatal("no %s", qPrintable(name));
    return w;
  }
  bool Open(const char* action, PreferencesPage page) {
    auto* a = f_->main->findChild<QAction*>(action);
    if (!a || !a->isEnabled()) return false;
    a->trigger();
    dialog_ = f_->main->findChild<PreferencesDialog*>();
    return dialog_ && dialog_->isVisible() && dialog_->Pages()->currentIndex() == static_cast<int>(page);
  }
  void Type(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    emit edit->textEdited(text);
    emit edit->editingFinished();
  }
  QListView* List(const char* name) { return Find<QListView>(name); }
  void DoubleClick(QListView* view, int row) { emit view->doubleClicked(view->model()->index(row, 0)); }
  void Click(QListView* view, int row) { view->setCurrentIndex(view->model()->index(row, 0)); }
  TPreferences& Prefs() { return f_->app->preferences; }
  std::string Last() const { return f_->shown.said.empty() ? std::string() : f_->shown.said.back(); }

 private slots:
  void init() {
    f_ = std::make_unique<Fixture>(QStringLiteral("prefpages"));
    TStall& nord = f_->WriteStable("Nord");
    THest& h = f_->WriteHorse(nord, "Blakken");
    h.VektListe->LeggTil(500, f_->clock.Today() - 1);
    QVERIFY(nord.SaveHorse(h));
    f_->Open();
    RegisterHorseWindow(f_->main->Windows());
    for (const char* name : {"actPrefNutrients", "actPrefObjects", "actPrefTreatments"}) {
      auto* a = f_->main->findChild<QAction*>(name);
      QVERIFY2(a && !a->isEnabled(), name);  // nothing opens them before the dialog registers
    }
    RegisterPreferencesWindows(*f_->main);
    f_->Listen();
  }
  void cleanup() {
    testing::CloseRecordWindowsQuietly(f_->main.get());
    f_.reset();
  }

  void theMenuOpensEachPageInItsOrder() {
    const std::pair<const char*, PreferencesPage> items[] = {{"actPrefCompany", PreferencesPage::Company},
                                                             {"actPrefNutrients", PreferencesPage::Nutrients},
                                                             {"actPrefSystem", PreferencesPage::System},
                                                             {"actPrefObjects", PreferencesPage::Objects},
                                                             {"actPrefTreatments", PreferencesPage::Treatments}};
    for (const auto& [action, page] : items) QVERIFY2(Open(action, page), action);
    QCOMPARE(dialog_->Pages()->count(), 5);
    QCOMPARE(dialog_->Pages()->tabText(3), QStringLiteral("Energy-protein Objects"));
    QCOMPARE(dialog_->Pages()->tabText(4), QStringLiteral("Behandlingsinformation"));
    // One dialog, whichever item opened it.
    QCOMPARE(f_->main->findChildren<PreferencesDialog*>().size(), 1);
  }

  void theNutrientBoxEditsTheArrayOfItsButtonAndDisablesBoth() {
    QVERIFY(Open("actPrefNutrients", PreferencesPage::Nutrients));
    auto* plan = Find<QPushButton>("btnPlanNutrients");
    auto* columns = Find<QPushButton>("btnColumnNutrients");
    auto* box = Find<QGroupBox>("gbNutrients");
    QVERIFY(!box->isVisible());
    const auto columnsBefore = Prefs().showNutrient;
    plan->click();
    QVERIFY(box->isVisible());
    QVERIFY(!plan->isEnabled() && !columns->isEnabled());
    QCOMPARE(Find<QLabel>("lblNutrientBox")->text(),
             QString::fromUtf8("Marker næringsemner som skal vises i foderplanen"));
    Find<QPushButton>("btnClearAll")->click();
    QAbstractItemModel* model = List("lvNutrients")->model();
    QVERIFY(model->setData(model->index(2, 0), Qt::Checked, Qt::CheckStateRole));
    Find<QPushButton>("btnStoreNutrients")->click();
    QVERIFY(!box->isVisible());
    QVERIFY(plan->isEnabled() && columns->isEnabled());
    const int n = model->rowCount();
    for (int i = 0; i < n; ++i) QCOMPARE(Prefs().useNutrient[static_cast<size_t>(i)], i == 2);
    QCOMPARE(Prefs().showNutrient, columnsBefore);

    columns->click();
    QCOMPARE(
        Find<QLabel>("lblNutrientBox")->text(),
        QString::fromUtf8("Marker de næringsstoffer som skal vises som søjler under udarbejdelsen af foderplanen"));
    QCOMPARE(model->index(2, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(),
             columnsBefore[2] ? Qt::Checked : Qt::Unchecked);
    Find<QPushButton>("btnSelectAll")->click();
    Find<QPushButton>("btnStoreNutrients")->click();
    for (int i = 0; i < n; ++i) QVERIFY(Prefs().showNutrient[static_cast<size_t>(i)]);
    QCOMPARE(Prefs().useNutrient[3], false);

    // The warnings box is stored at once.
    auto* warnings = Find<QCheckBox>("cbNutrientWarnings");
    const bool was = Prefs().NutrientErrorsInPrint;
    warnings->click();
    QCOMPARE(Prefs().NutrientErrorsInPrint, !was);
    Fixture::Shot(dialog_, "preferences-nutrients");
  }

  void theObjectBoxRefusesBadFactorsAndDuplicateNamesAndKeepsTheOldValues() {
    QVERIFY(Open("actPrefObjects", PreferencesPage::Objects));
    TEnProList& list = f_->app->energyList;
    auto* box = Find<QGroupBox>("gbObject");
    QVERIFY(!box->isVisible());
    QCOMPARE(Find<QLabel>("lblActiveObject")->text(), "Active object: " + Q(f_->app->active->Navn));
    DoubleClick(List("lbObjects"), 0);
    QVERIFY(box->isVisible());
    QCOMPARE(Find<QLineEdit>("edObjectName")->text(), Q(list.Element(0)->Navn));
    Fixture::Shot(dialog_, "preferences-objects");
    QCOMPARE(Find<QComboBox>("cbSystem")->currentIndex(), static_cast<int>(list.Element(0)->Energiberegning));
    const double factor = list.Element(0)->EnergiFaktor;
    const std::string name = list.Element(0)->Navn;

    for (const QString& bad : {QStringLiteral("0"), QStringLiteral("-2"), QStringLiteral("x1")}) {
      Find<QLineEdit>("edFactor")->setText(bad);
      Find<QPushButton>("btnAcceptObject")->click();
      QCOMPARE(Last(), Tr(kPfFactorRange));
      QCOMPARE(list.Element(0)->EnergiFaktor, factor);
      QCOMPARE(Find<QLineEdit>("edFactor")->text(), QStringLiteral("1,00"));  // the kept value shown
    }
    Find<QLineEdit>("edObjectName")->setText(Q(list.Element(1)->Navn));
    Find<QLineEdit>("edFactor")->setText("0,9");
    Find<QPushButton>("btnAcceptObject")->click();
    QCOMPARE(Last(), Utf8ToCp1252("Navn findes! Vil du ændre værdierne"));
    QCOMPARE(list.Element(0)->Navn, name);
    QCOMPARE(list.Element(0)->EnergiFaktor, factor);
    QVERIFY(box->isVisible());

    // A good factor with a comma is stored, and the box closes.
    Find<QLineEdit>("edObjectName")->setText(Q(name));
    Find<QPushButton>("btnAcceptObject")->click();
    QCOMPARE(list.Element(0)->EnergiFaktor, 0.9);
    QVERIFY(!box->isVisible());
  }

  void newObjectDefaultSaveAndDelete() {
    QVERIFY(Open("actPrefObjects", PreferencesPage::Objects));
    TEnProList& list = f_->app->energyList;
    const int count = list.Antall();
    Find<QPushButton>("btnNewObject")->click();
    QCOMPARE(list.Antall(), count + 1);
    QCOMPARE(list.Element(count)->Navn, std::string("My Object1"));
    QCOMPARE(List("lbObjects")->currentIndex().row(), count);
    QCOMPARE(Find<QLineEdit>("edObjectName")->text(), QStringLiteral("My Object1"));

    // Country reset: the country's object in the box, the typed name kept.
    auto* country = Find<QComboBox>("cbCountry");
    const int norway = country->findText(QString::fromUtf8("47 Norge"));
    QVERIFY(norway >= 0);
    country->setCurrentIndex(norway);
    Find<QLineEdit>("edObjectName")->setText("Fjordhest-systemet");
    Find<QPushButton>("btnCountryReset")->click();
    QCOMPARE(Find<QLineEdit>("edObjectName")->text(), QStringLiteral("Fjordhest-systemet"));
    QCOMPARE(Find<QComboBox>("cbSystem")->currentIndex(), static_cast<int>(TEnergiBeregning::fransk));
    Find<QPushButton>("btnAcceptObject")->click();
    QCOMPARE(list.Element(count)->Navn, std::string("Fjordhest-systemet"));
    QCOMPARE(list.Element(count)->CountryNo, 47);

    // Use as default: the description told, the label and the bold row follow; no list
    // is touched (the files stay as they are).
    const std::string horseFile = *ReadWholeFile(
        f_->ws->StableByName("Nord")->HorseFilePath(*f_->ws->StableByName("Nord")->HorseByName("Blakken")));
    Click(List("lbObjects"), count);
    Find<QPushButton>("btnUseAsDefault")->click();
    QCOMPARE(f_->app->active->Navn, std::string("Fjordhest-systemet"));
    QCOMPARE(Last(), f_->app->active->Beskrivelse(f_->app->settings, f_->app->regional.decimalSeparator));
    QCOMPARE(Find<QLabel>("lblActiveObject")->text(), QStringLiteral("Active object: Fjordhest-systemet"));
    QVERIFY(List("lbObjects")->model()->index(count, 0).data(Qt::FontRole).value<QFont>().bold());
    QCOMPARE(*ReadWholeFile(
                 f_->ws->StableByName("Nord")->HorseFilePath(*f_->ws->StableByName("Nord")->HorseByName("Blakken"))),
             horseFile);

    // Gem writes the list to its file.
    Find<QPushButton>("btnSaveObjects")->click();
    TEnProList read;
    read.LoadfromFile(Prefs().EnergyProteinListFile());
    QCOMPARE(read.Antall(), count + 1);
    QCOMPARE(read.Element(count)->Navn, std::string("Fjordhest-systemet"));

    // Delete removes the clicked object, until one is left.
    auto* del = Find<QPushButton>("btnDeleteObject");
    Click(List("lbObjects"), 0);
    const std::string second = list.Element(1)->Navn;
    del->click();
    QCOMPARE(list.Antall(), count);
    QCOMPARE(list.Element(0)->Navn, second);
    while (list.Antall() > 1) {
      Click(List("lbObjects"), 0);
      del->click();
    }
    Click(List("lbObjects"), 0);
    QVERIFY(!del->isEnabled());
  }

  void theTreatmentRegisterIsEditedAndSavedAfterTheQuestion() {
    QVERIFY(Open("actPrefTreatments", PreferencesPage::Treatments));
    auto* type = Find<QComboBox>("cbTreatmentType");
    QCOMPARE(type->count(), 6);
    QCOMPARE(type->currentIndex(), 0);
    type->setCurrentIndex(1);
    emit type->activated(1);
    QListView* names = List("lbTreatmentNames");
    QCOMPARE(names->model()->index(0, 0).data().toString(), QString::fromUtf8("Gødningsprøve"));
    auto* box = Find<QGroupBox>("gbTreatment");
    DoubleClick(names, 1);
    QVERIFY(box->isVisible());
    QCOMPARE(Find<QLineEdit>("edTreatmentName")->text(), QStringLiteral("Ormekur, ivermectin"));
    // A "#" would break the register's line: told, the box stays, nothing stored.
    const std::string line = Prefs().TreatmentRegister[1];
    Find<QLineEdit>("edTreatmentName")->setText("Ormekur #2");
    Find<QPushButton>("btnTreatmentOk")->click();
    QCOMPARE(Last(), Tr(kPfRegisterChars));
    QCOMPARE(Prefs().TreatmentRegister[1], line);
    QVERIFY(box->isVisible());
    Find<QLineEdit>("edTreatmentName")->setText("Ivermectin");
    Find<QLineEdit>("edTreatmentAddress")->setText("http://orm.example");
    Find<QPushButton>("btnTreatmentOk")->click();
    QVERIFY(!box->isVisible());
    QCOMPARE(names->model()->index(1, 0).data().toString(), QStringLiteral("Ivermectin"));
    QVERIFY(Prefs().TreatmentRegister[1].find("Ivermectin%http://orm.example#") != std::string::npos);

    const int rows = names->model()->rowCount();
    Find<QPushButton>("btnAddTreatment")->click();
    QCOMPARE(names->model()->rowCount(), rows + 1);
    QVERIFY(box->isVisible());
    QCOMPARE(Find<QLineEdit>("edTreatmentName")->text(), QStringLiteral("Ny Ormekur"));
    Fixture::Shot(dialog_, "preferences-treatments");
    // Delete stores the open edit first, then removes the selected (the new) entry.
    Find<QPushButton>("btnDeleteTreatment")->click();
    QCOMPARE(names->model()->rowCount(), rows);
    QVERIFY(Prefs().TreatmentRegister[1].find("Ny ") == std::string::npos);

    // Saving asks first; Cancel writes nothing, Yes writes the register.
    const fs::path file = Prefs().TreatmentRegisterFile();
    const std::string before = *ReadWholeFile(file);
    f_->shown.answer = false;
    Find<QPushButton>("btnSaveRegister")->click();
    QCOMPARE(f_->shown.asked.back(), "Gem behandlingsinformation til\r" + PathText(file) + " ?");
    QCOMPARE(*ReadWholeFile(file), before);
    f_->shown.answer = true;
    Find<QPushButton>("btnSaveRegister")->click();
    QVERIFY(ReadWholeFile(file)->find("Ivermectin%http://orm.example#") != std::string::npos);
  }

  void forwardDaysAreStoredWhileTypedAndBadOnesToldWhenLeft() {
    QVERIFY(Open("actPrefTreatments", PreferencesPage::Treatments));
    auto* days = Find<QLineEdit>("edForwardDays");
    QCOMPARE(days->text(), QString::number(Prefs().ForwardReportingDays));
    Type(days, "21");
    QCOMPARE(Prefs().ForwardReportingDays, 21);
    const size_t told = f_->shown.said.size();
    // On the way to a number nothing is said; left so, it is told and the value from before
    // the typing is kept and shown.
    days->setText("");
    emit days->textEdited("");
    QCOMPARE(f_->shown.said.size(), told);
    for (const QString step : {"4", "40", "400"}) {
      days->setText(step);
      emit days->textEdited(step);
    }
    QCOMPARE(Prefs().ForwardReportingDays, 40);
    QCOMPARE(f_->shown.said.size(), told);
    emit days->editingFinished();
    QCOMPARE(Last(), Tr(kPfDaysRange));
    QCOMPARE(Prefs().ForwardReportingDays, 21);
    QCOMPARE(days->text(), QStringLiteral("21"));
  }

  void theHorseWindowsHealthPageOpensTheRegister() {
    THest& horse = *f_->ws->StableByName("Nord")->HorseByName("Blakken");
    f_->main->OpenHorse(horse);
    auto* win = f_->main->findChild<HorseWindow*>();
    QVERIFY(win);
    auto* edit = win->findChild<QToolButton*>("btnEditTreatments");
    QVERIFY(edit);
    QVERIFY(!edit->isHidden());
    edit->click();
    dialog_ = f_->main->findChild<PreferencesDialog*>();
    QVERIFY(dialog_ && dialog_->isVisible());
    QCOMPARE(dialog_->Pages()->currentIndex(), static_cast<int>(PreferencesPage::Treatments));
  }

  void theHelpButtonOpensTheEnergySystemPageAndPrinterSetupAsks() {
    QVERIFY(Open("actPrefSystem", PreferencesPage::System));
    QUrl opened;
    f_->shown.openExternal = [&](const QUrl& url) {
      opened = url;
      return true;
    };
    Find<QToolButton>("btnSystemHelp")->click();
    QCOMPARE(opened.toString(), Q(Prefs().LinkPage("70-programhelp/376-energysystem")));
    QVERIFY(opened.toString().endsWith("70-programhelp/376-energysystem"));
    int asked = 0;
    f_->shown.setupPrinter = [&](QPrinter&) { return ++asked, false; };
    Find<QPushButton>("btnPrinterSetup")->click();
    QCOMPARE(asked, 1);
  }

  void theProgramsOwnSelectionIsNotAskedAbout() {
    QVERIFY(Open("actPrefSystem", PreferencesPage::System));
    auto* group = dialog_->findChild<QButtonGroup*>();
    QVERIFY(group && group->buttons().size() == 2);
    const int active = group->checkedId();
    QVERIFY(active >= 0);
    // Cancel reselects the active entry under the guard: one question, not two.
    f_->shown.answer = false;
    group->button(1 - active)->click();
    QCOMPARE(f_->shown.asked.size(), size_t{1});
    QCOMPARE(group->checkedId(), active);
    // The entry already active asks too; Cancel leaves it.
    group->button(active)->click();
    QCOMPARE(f_->shown.asked.size(), size_t{2});
    QCOMPARE(group->checkedId(), active);
    // Showing the dialog again selects the entry itself without asking.
    QVERIFY(Open("actPrefSystem", PreferencesPage::System));
    QCOMPARE(f_->shown.asked.size(), size_t{2});
  }
};

}  // namespace
}  // namespace stallora

QTEST_MAIN(stallora::PreferencePagesTest)
#include "preferencepages_test.moc"
