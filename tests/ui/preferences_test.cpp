// The preferences dialog opened from the main window's settings menu on a workspace with a
// stable of two horses: the consultant's name typed on the company page reaches a horse
// report; a bad logo is refused; choosing the other calculation system converts and saves
// every horse (with the progress shown), or, when a file cannot be replaced, leaves every
// file as it was and names it.

#include <QAction>
#include <QButtonGroup>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <map>

#include "core/disk_faults.h"
#include "core/fileio.h"
#include "forms/preferences_texts.h"
#include "ration/horse_reports.h"
#include "smallwin_fixture.h"
#include "stable/system_switch.h"
#include "ui/appwindows.h"
#include "ui/preferences/preferencesdialog.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;
using uitest::Fixture;

class PreferencesTest : public QObject {
  Q_OBJECT

  std::unique_ptr<Fixture> f_;
  PreferencesDialog* dialog_ = nullptr;

  template <class W>
  W* Find(const QString& name) {
    W* w = dialog_->findChild<W*>(name);
    if (!w) qFatal("no %s", qPrintable(name));
    return w;
  }
  void Open(const char* action) {
    auto* a = f_->main->findChild<QAction*>(action);
    QVERIFY(a && a->isEnabled());
    a->trigger();
    dialog_ = f_->main->findChild<PreferencesDialog*>();
    QVERIFY(dialog_ && dialog_->isVisible());
  }
  // Every file of the save directory with its bytes.
  std::map<std::string, std::string> Files() const {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(f_->app->preferences.SaveDirectory()))
      if (e.is_regular_file() && e.path().extension() != ".lck")
        files[e.path().string()] = ReadWholeFile(e.path()).value_or("");
    return files;
  }
  THest& Horse(const std::string& name) { return *f_->ws->StableByName("Nord")->HorseByName(name); }

 private slots:
  void init() {
    f_ = std::make_unique<Fixture>(QStringLiteral("prefs"));
    TStall& nord = f_->WriteStable("Nord");
    for (const char* name : {"Blakken", "Stjerne"}) {
      THest& h = f_->WriteHorse(nord, name);
      h.VektListe->LeggTil(500, f_->clock.Today() - 1);
      QVERIFY(nord.SaveHorse(h));
    }
    f_->Open();
    auto* company = f_->main->findChild<QAction*>("actPrefCompany");
    QVERIFY(company && !company->isEnabled());  // no dialog registered yet
    RegisterPreferencesWindows(*f_->main);
    f_->Listen();
  }
  void cleanup() { f_.reset(); }

  void theConsultantsNameReachesAHorseReport() {
    Open("actPrefCompany");
    QCOMPARE(dialog_->Pages()->currentIndex(), 0);
    auto* name = Find<QLineEdit>("edKonsulent");
    name->setText(QStringLiteral("Bo Rask"));
    emit name->editingFinished();
    QCOMPARE(f_->app->preferences.KonsulentNavn, std::string("Bo Rask"));
    HorseReports reports(Horse("Blakken"), f_->ws->StableByName("Nord")->HorseDirectory(Horse("Blakken")), nullptr);
    QVERIFY(reports.LagFoderplan(false).find("Bo Rask") != std::string::npos);
    Fixture::Shot(dialog_, "preferences-company");
  }

  void aLogoThatIsNoPictureIsRefusedAndTheOldOneKept() {
    Open("actPrefCompany");
    const fs::path text = f_->dir / "logo.jpg";
    WriteFileAtomically(text, "not a picture");
    f_->prompts.openPath = QString::fromStdString(text.string());
    const std::string before = f_->app->preferences.KonsulentLogoFilNavn;
    Find<QPushButton>("btnLogo")->click();
    QCOMPARE(f_->app->preferences.KonsulentLogoFilNavn, before);
    QVERIFY(!f_->shown.said.empty());
    QVERIFY2(f_->shown.said.back().find(PathText(text)) != std::string::npos, f_->shown.said.back().c_str());
    QCOMPARE(Find<QPushButton>("btnDeleteLogo")->isEnabled(), !before.empty());
  }

  void choosingTheOtherSystemConvertsAndSavesEveryHorse() {
    Open("actPrefSystem");
    QCOMPARE(dialog_->Pages()->currentIndex(), static_cast<int>(PreferencesPage::System));
    const std::string oldActive = f_->app->active->Navn;
    const auto before = Files();
    auto* group = dialog_->findChild<QButtonGroup*>();
    QVERIFY(group && group->buttons().size() == 2);
    const int other = group->checkedId() == 0 ? 1 : 0;
    // Cancel first: nothing changes.
    f_->shown.answer = false;
    group->button(other)->click();
    QCOMPARE(f_->app->active->Navn, oldActive);
    QCOMPARE(Files(), before);
    QVERIFY(group->button(other == 0 ? 1 : 0)->isChecked());
    // Yes: every horse converted and saved, the count shown.
    f_->shown.answer = true;
    const int records = SwitchRecordCount(*f_->ws);
    QVERIFY(records >= 2);
    group->button(other)->click();
    QVERIFY(f_->shown.Said(Tr(kPfSwitched)));
    QVERIFY(f_->app->active->Navn != oldActive);
    QCOMPARE(Horse("Blakken").ForListe->EnergiBeregning, f_->app->active->Energiberegning);
    const auto after = Files();
    const fs::path horseFile = f_->ws->StableByName("Nord")->HorseFilePath(Horse("Blakken"));
    QVERIFY(after.at(horseFile.string()) != before.at(horseFile.string()));
    Fixture::Shot(dialog_, "preferences-system");
  }

  void aFileThatCannotBeReplacedLeavesEveryFileAsItWas() {
    Open("actPrefSystem");
    const std::string oldActive = f_->app->active->Navn;
    const fs::path file = f_->ws->StableByName("Nord")->HorseFilePath(Horse("Stjerne"));
    const auto before = Files();
    testing::ScopedUndeletable locked(file);
    if (WriteFileAtomically(file, *ReadWholeFile(file))) QSKIP("this file system does not stop the superuser");
    auto* group = dialog_->findChild<QButtonGroup*>();
    f_->shown.answer = true;
    group->button(group->checkedId() == 0 ? 1 : 0)->click();
    QCOMPARE(f_->app->active->Navn, oldActive);
    QVERIFY(!f_->shown.said.empty());
    QVERIFY2(f_->shown.said.back().find(PathText(file)) != std::string::npos, f_->shown.said.back().c_str());
    QCOMPARE(Files(), before);
  }
};

}  // namespace
}  // namespace stallora

QTEST_MAIN(stallora::PreferencesTest)
#include "preferences_test.moc"
