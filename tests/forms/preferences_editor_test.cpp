#include "forms/preferences_editor.h"

#include <gtest/gtest.h>

#include "../stable/workspace_fixture.h"
#include "core/cp1252.h"
#include "core/fileio.h"
#include "disk_faults.h"
#include "forms/preferences_texts.h"
#include "stable/workspace.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

struct RecordingListener : EditorListener {
  explicit RecordingListener(std::vector<unsigned>& f) : flags(f) {}
  void EditorChanged(ChangeFlags changed) override { flags.push_back(changed); }
  std::vector<unsigned>& flags;
};

std::string C(std::string_view utf8) { return Utf8ToCp1252(utf8); }

class PreferencesEditorTest : public testing::ProgramDirTest {
 protected:
  void SetUp() override {
    ProgramDirTest::SetUp();
    AppContext& app = Start();
    ws_ = std::make_unique<Workspace>(app);
    ws_->Scan();
    editor_ = std::make_unique<PreferencesEditor>(app, ws_.get());
    editor_->AddListener(&recorder_);
    editor_->Show();
    flags_.clear();
  }
  int Index(const std::string& name) const {
    const auto names = editor_->ObjectNames();
    for (size_t i = 0; i < names.size(); ++i)
      if (names[i] == name) return static_cast<int>(i);
    return -1;
  }
  TPreferences& prefs() { return app_->preferences; }

  std::unique_ptr<Workspace> ws_;
  std::unique_ptr<PreferencesEditor> editor_;
  std::vector<unsigned> flags_;
  // Declared after the editor, so it goes first and unhooks itself.
  RecordingListener recorder_{flags_};
};

TEST_F(PreferencesEditorTest, ShowingFillsTheGroupWithTheCountrysSystemsAndSelectsTheActiveOne) {
  flags_.clear();
  editor_->Show(PreferencesPage::Objects);
  EXPECT_EQ(flags_, std::vector<unsigned>{kPrAll});
  EXPECT_EQ(editor_->Page(), PreferencesPage::Objects);
  // Country 45 has the Danish feed-unit system (active at start) and NRC 2007.
  ASSERT_EQ(editor_->SystemEntries().size(), 2u);
  EXPECT_EQ(editor_->SystemEntries()[editor_->SelectedSystemEntry()], app_->active->BeskrivelseKort(app_->settings));
  EXPECT_NE(editor_->SystemEntries()[1].find("NRC2007"), std::string::npos) << editor_->SystemEntries()[1];
  EXPECT_EQ(editor_->ActiveDescriptionLine(), app_->active->BeskrivelseLinje(app_->settings));
  EXPECT_EQ(editor_->ActiveObjectCaption(), "Active object: " + app_->active->Navn);
  // The treatment page shows the first type's names.
  EXPECT_EQ(editor_->TreatmentType(), 0);
  EXPECT_EQ(editor_->TreatmentNames().front(), "Tandbehandling");

  // Country 99 offers its objects but those of NRC 2007.
  prefs().countryNumber = 99;
  for (auto system : {TEnergiBeregning::nrc2007, TEnergiBeregning::dutch}) {
    auto o = std::make_unique<TEnergyProteinObj>();
    o->Navn = system == TEnergiBeregning::dutch ? "Hollandsk" : "Amerikansk";
    o->CountryNo = 99;
    o->Energiberegning = system;
    app_->energyList.Add(std::move(o));
  }
  editor_->Show();
  ASSERT_EQ(editor_->SystemEntries().size(), 1u);
  EXPECT_EQ(editor_->SystemEntries()[0].rfind("Hollandsk: DUTCH", 0), 0u) << editor_->SystemEntries()[0];
  EXPECT_EQ(editor_->SelectedSystemEntry(), -1);
}

TEST_F(PreferencesEditorTest, CompanyFieldsAreStoredWhenLeftAndTheLogoMustBeAPicture) {
  editor_->SetField(CompanyField::Consultant, "Bo Rask");
  editor_->SetField(CompanyField::Consultant, "Bo Rask");  // unchanged: no notification
  editor_->SetField(CompanyField::CompanyName, "Rask Foder");
  editor_->SetField(CompanyField::Mobile, "12345678");
  editor_->SetField(CompanyField::Mail, "bo@rask.example");
  editor_->SetField(CompanyField::InfoText, "Rask Foder\r\nStorgade 1");
  EXPECT_EQ(prefs().KonsulentNavn, "Bo Rask");
  EXPECT_EQ(prefs().ConsultantCompanyName, "Rask Foder");
  EXPECT_EQ(prefs().ConsultantMobile, "12345678");
  EXPECT_EQ(prefs().ConsultantMail, "bo@rask.example");
  EXPECT_EQ(prefs().FirmaInfoTekst, "Rask Foder\r\nStorgade 1");
  EXPECT_EQ(editor_->Field(CompanyField::Consultant), "Bo Rask");
  EXPECT_EQ(flags_, std::vector<unsigned>(5, kPrCompany));

  flags_.clear();
  EXPECT_FALSE(editor_->LogoDeleteEnabled());
  const fs::path missing = dir_ / "nowhere.jpg";
  auto refused = editor_->ChooseLogo(missing);
  ASSERT_TRUE(refused);
  EXPECT_NE(refused->find("Finder ikke filen " + PathText(missing)), std::string::npos) << *refused;
  Write("notes.jpg", "just text, not a picture");
  refused = editor_->ChooseLogo(dir_ / "notes.jpg");
  ASSERT_TRUE(refused);
  EXPECT_NE(refused->find("ikke et billede"), std::string::npos) << *refused;
  EXPECT_TRUE(prefs().KonsulentLogoFilNavn.empty());
  EXPECT_TRUE(flags_.empty());

  Write("logo.jpg", std::string("\xFF\xD8\xFF\xE0", 4) + "JFIF");
  EXPECT_FALSE(editor_->ChooseLogo(dir_ / "logo.jpg"));
  EXPECT_EQ(prefs().KonsulentLogoFilNavn, PathText(dir_ / "logo.jpg"));
  EXPECT_EQ(editor_->ShownLogo(), dir_ / "logo.jpg");
  EXPECT_TRUE(editor_->LogoDeleteEnabled());
  // A chosen file that later goes away keeps its name but shows no picture.
  Write("old.bmp", "BM....");
  ASSERT_FALSE(editor_->ChooseLogo(dir_ / "old.bmp"));
  fs::remove(dir_ / "old.bmp");
  EXPECT_TRUE(editor_->ShownLogo().empty());
  EXPECT_TRUE(editor_->LogoDeleteEnabled());
  editor_->DeleteLogo();
  EXPECT_TRUE(prefs().KonsulentLogoFilNavn.empty());
  EXPECT_FALSE(editor_->LogoDeleteEnabled());
  EXPECT_EQ(flags_, std::vector<unsigned>(3, kPrLogo));
  EXPECT_EQ(editor_->LogoDirectory(), prefs().LogosDirectory());
}

TEST_F(PreferencesEditorTest, TheNutrientBoxEditsTheFlagsOfItsModeButTheLastNutrient) {
  const std::vector<std::string> names = editor_->NutrientNames();
  ASSERT_EQ(names.size(), 23u);
  EXPECT_EQ(names.front(), "Energi");
  prefs().useNutrient[5] = false;
  prefs().showNutrient[7] = false;

  EXPECT_TRUE(editor_->NutrientButtonsEnabled());
  editor_->OpenNutrientBox(NutrientMode::FeedingPlan);
  EXPECT_FALSE(editor_->NutrientButtonsEnabled());
  EXPECT_EQ(editor_->NutrientBoxCaption(), C("Marker næringsemner som skal vises i foderplanen"));
  EXPECT_FALSE(editor_->NutrientChecks()[5]);
  EXPECT_TRUE(editor_->NutrientChecks()[7]);
  // The other button is disabled while the box is open: nothing happens.
  editor_->OpenNutrientBox(NutrientMode::Columns);
  EXPECT_EQ(editor_->Mode(), NutrientMode::FeedingPlan);
  editor_->SetAllNutrientChecks(false);
  editor_->SetNutrientCheck(2, true);
  editor_->SetNutrientCheck(2, true);  // unchanged
  editor_->SetNutrientCheck(23, true); // not in the box
  editor_->StoreNutrientBox();
  EXPECT_TRUE(editor_->NutrientButtonsEnabled());
  for (int i = 0; i < 23; ++i) EXPECT_EQ(prefs().useNutrient[i], i == 2) << i;
  EXPECT_TRUE(prefs().useNutrient[23]);  // the last nutrient is not in the box
  EXPECT_FALSE(prefs().showNutrient[7]);  // the other mode's flags are untouched
  // Open, clear all, one check, store: the refused and unchanged ones tell nothing.
  EXPECT_EQ(flags_, std::vector<unsigned>(4, kPrNutrientBox));

  editor_->OpenNutrientBox(NutrientMode::Columns);
  EXPECT_EQ(editor_->NutrientBoxCaption(),
            C("Marker de næringsstoffer som skal vises som søjler under udarbejdelsen af foderplanen"));
  EXPECT_FALSE(editor_->NutrientChecks()[7]);
  editor_->SetAllNutrientChecks(true);
  editor_->StoreNutrientBox();
  EXPECT_TRUE(prefs().showNutrient[7]);

  flags_.clear();
  editor_->SetNutrientWarnings(true);
  EXPECT_TRUE(prefs().NutrientErrorsInPrint);
  EXPECT_EQ(flags_, std::vector<unsigned>{kPrWarnings});
}

TEST_F(PreferencesEditorTest, TheWarningAndTheQuestionFollowTheCountry) {
  EXPECT_EQ(editor_->WarningText().rfind(C("VIKTIG INFORMATION NÅR DU SKIFTER"), 0), 0u);
  EXPECT_EQ(editor_->HelpAddress(), prefs().LinkPage("70-programhelp/376-energysystem"));
  const std::map<int, std::pair<std::string, std::string>> byCountry = {
      {45, {"VIKTIG INFORMATION", "Skifte energiberegningssystem nu?"}},
      {46, {"VIKTIGT ATT VETA", "Ändra energibäräkningsmetod och uppdatera foderlistor och hästar nu?"}},
      {47, {"VIKTIG INFORMASJON", "Skifte energiberegningssystem og oppdater fôrlister og hester nå?"}},
      {44, {"IMPORTANT WHEN CHANGING", "Proceed to change energy system and update feedlists and horses now?"}}};
  for (const auto& [country, texts] : byCountry) {
    prefs().countryNumber = country;
    EXPECT_EQ(editor_->WarningText().rfind(C(texts.first), 0), 0u) << country;
    EXPECT_EQ(editor_->ChooseSystemEntry(0), C(texts.second)) << country;
  }
}

TEST_F(PreferencesEditorTest, TheProgramsOwnSelectionAndAGroupOfOneAreNotTheUsersChoice) {
  {
    PreferencesEditor::ProgramSelection guard(*editor_);
    EXPECT_TRUE(editor_->ProgramSelecting());
    EXPECT_FALSE(editor_->ChooseSystemEntry(1));
  }
  EXPECT_FALSE(editor_->ProgramSelecting());
  EXPECT_TRUE(editor_->ChooseSystemEntry(1));
  editor_->CancelSystemChange();

  // One system for the country: choosing it asks nothing.
  const int nrc = Index(C("Danmark - NRC 2007 (DE, MJ, råprotein)"));
  ASSERT_GE(nrc, 0);
  app_->energyList.Fjern(app_->energyList.Element(nrc));
  editor_->Show();
  ASSERT_EQ(editor_->SystemEntries().size(), 1u);
  EXPECT_FALSE(editor_->ChooseSystemEntry(0));
}

TEST_F(PreferencesEditorTest, CancellingTheSystemChangeLeavesEverythingAsItWas) {
  TForListe& list = ws_->NewFeedList("Vinter", false);
  TFor& f = list.AddFeed(std::make_unique<TFor>(app_->Env()));
  f.Fornavn = "Havre";
  f.SetValue(0, 0.9);
  list.SaveToWorkspace();
  const std::string file = *ReadWholeFile(list.FileNameFor());
  const std::string active = app_->active->Navn;
  const int was = editor_->SelectedSystemEntry();
  // The entry that is already active asks too.
  ASSERT_TRUE(editor_->ChooseSystemEntry(was));
  ASSERT_TRUE(editor_->ChooseSystemEntry(1 - was));
  EXPECT_EQ(editor_->SelectedSystemEntry(), 1 - was);
  flags_.clear();
  editor_->CancelSystemChange();
  EXPECT_EQ(flags_, std::vector<unsigned>{kPrSystemEntries});
  EXPECT_EQ(editor_->SelectedSystemEntry(), was);
  EXPECT_EQ(app_->active->Navn, active);
  EXPECT_EQ(list.FeedAt(0)->Value(0), 0.9);
  EXPECT_EQ(*ReadWholeFile(list.FileNameFor()), file);
}

TEST_F(PreferencesEditorTest, ConfirmingMakesTheEntrysOwnObjectActiveAndConvertsTheWorkspace) {
  // A name that occurs inside another entry's text must not take that entry's place.
  auto shadow = std::make_unique<TEnergyProteinObj>();
  shadow->Navn = "Danmark";
  shadow->CountryNo = 33;
  app_->energyList.Add(std::move(shadow));
  TForListe& list = ws_->NewFeedList("Vinter", false);
  TFor& f = list.AddFeed(std::make_unique<TFor>(app_->Env()));
  f.Fornavn = "Havre";
  f.Fortype = 3;
  f.SetValue(0, 0.9);
  list.SaveToWorkspace();
  editor_->Show();
  const int nrcEntry = 1 - editor_->SelectedSystemEntry();
  ASSERT_TRUE(editor_->ChooseSystemEntry(nrcEntry));
  flags_.clear();
  int progressCalls = 0;
  const SwitchOutcome out = editor_->ConfirmSystemChange([&](SwitchPhase, int, int) { ++progressCalls; });
  ASSERT_TRUE(out.ok) << out.message;
  EXPECT_EQ(app_->active->Navn, C("Danmark - NRC 2007 (DE, MJ, råprotein)"));
  EXPECT_EQ(prefs().LastGlobalEPObjectName, app_->active->Navn);
  EXPECT_EQ(editor_->SelectedSystemEntry(), nrcEntry);
  EXPECT_EQ(editor_->ActiveDescriptionLine(), app_->active->BeskrivelseLinje(app_->settings));
  EXPECT_EQ(app_->settings.NutrientName(1), app_->settings.ProteinTypeName(TProteinBeregning::CP));
  ASSERT_EQ(flags_.size(), 1u);
  EXPECT_EQ(flags_[0] & (kPrWorkspace | kPrActive | kPrSystemEntries), kPrWorkspace | kPrActive | kPrSystemEntries);
  EXPECT_GT(progressCalls, 0);
  // The list is in the new system, in memory and on disk.
  EXPECT_EQ(list.EnergiBeregning, TEnergiBeregning::nrc2007);
  EXPECT_EQ(list.EnergiEnhet, EnergiEnhetstype::MJ);
  EXPECT_NE(list.FeedAt(0)->Value(0), 0.9);
  TForListe read(app_->Env());
  read.LoadFromFile(list.FileNameFor());
  // The file holds analysis values to three decimals.
  EXPECT_NEAR(read.FeedAt(0)->Value(0), list.FeedAt(0)->Value(0), 0.0005);
}

TEST_F(PreferencesEditorTest, NewObjectsGetAFreeNumberAndAreOpenedForEditing) {
  for (const char* name : {"My Object1", "My Object2", "Other"}) {
    auto o = std::make_unique<TEnergyProteinObj>();
    o->Navn = name;
    app_->energyList.Add(std::move(o));
  }
  const int count = app_->energyList.Antall();
  const int told = editor_->Notifications();
  flags_.clear();
  editor_->NewObject();
  // Appending and opening it is one edit: one notification naming the list and the box.
  EXPECT_EQ(editor_->Notifications(), told + 1);
  EXPECT_EQ(flags_, std::vector<unsigned>{kPrObjects | kPrObjectBox});
  EXPECT_EQ(editor_->Recomputes(), 0);
  EXPECT_EQ(app_->energyList.Antall(), count + 1);
  EXPECT_EQ(app_->energyList.Element(count)->Navn, "My Object3");
  EXPECT_EQ(editor_->SelectedObject(), count);
  EXPECT_TRUE(editor_->ObjectBoxVisible());
  EXPECT_EQ(editor_->Box().name, "My Object3");
  EXPECT_EQ(editor_->Box().countryEntry, "00 Unknown");
  EXPECT_EQ(editor_->Box().factorText, "1,00");

  // Out of order, one pass would end on a name that exists: the number goes on until free.
  app_->energyList.Element(count)->Navn = "My Object2";
  app_->energyList.Element(count - 2)->Navn = "My Object3";  // was My Object2
  app_->energyList.Element(count - 3)->Navn = "My Object2x";
  editor_->NewObject();
  EXPECT_EQ(app_->energyList.Element(count + 1)->Navn, "My Object1");
  editor_->NewObject();
  EXPECT_EQ(app_->energyList.Element(count + 2)->Navn, "My Object4");
}

TEST_F(PreferencesEditorTest, AcceptingStoresTheBoxAndRefusesDuplicateNamesAndBadFactors) {
  editor_->NewObject();
  const int i = editor_->SelectedObject();
  ObjectBox typed = editor_->Box();
  typed.name = app_->energyList.Element(0)->Navn;
  flags_.clear();
  EXPECT_EQ(editor_->AcceptObject(typed), C("Navn findes! Vil du ændre værdierne"));
  EXPECT_EQ(app_->energyList.Element(i)->Navn, "My Object1");
  EXPECT_TRUE(editor_->ObjectBoxVisible());
  EXPECT_TRUE(flags_.empty());
  typed.name = "  ";
  EXPECT_EQ(editor_->AcceptObject(typed), C("Navnet må ikke være tomt"));

  typed.name = "Norsk test";
  typed.countryEntry = "47 Norge";
  typed.basis = 2;
  typed.unit = 2;
  typed.factorText = " 0,95 ";
  typed.protein = 1;
  typed.system = 1;
  EXPECT_FALSE(editor_->AcceptObject(typed));
  const TEnergyProteinObj& o = *app_->energyList.Element(i);
  EXPECT_EQ(o.Navn, "Norsk test");
  EXPECT_EQ(o.CountryNo, 47);
  EXPECT_EQ(o.EnergiBasis, EnergiBasisType::NE);
  EXPECT_EQ(o.EnergiEnhet, EnergiEnhetstype::fe);
  EXPECT_DOUBLE_EQ(o.EnergiFaktor, 0.95);
  EXPECT_EQ(o.ProteinBeregning, TProteinBeregning::DCP);
  EXPECT_EQ(o.Energiberegning, TEnergiBeregning::fransk);
  EXPECT_FALSE(editor_->ObjectBoxVisible());
  // Its own name again is no duplicate.
  editor_->ShowObject(i);
  EXPECT_FALSE(editor_->AcceptObject(editor_->Box()));

  // A factor that is not a number above 0 (at most 100) is kept; the rest is stored.
  for (const char* bad : {"0", "-1", "abc", "", "1e3", "0,5x"}) {
    editor_->ShowObject(i);
    typed = editor_->Box();
    typed.countryEntry = "x";
    typed.factorText = bad;
    EXPECT_EQ(editor_->AcceptObject(typed), Tr(kPfFactorRange)) << bad;
    EXPECT_DOUBLE_EQ(o.EnergiFaktor, 0.95) << bad;
    EXPECT_EQ(o.CountryNo, 0) << bad;  // a country entry that does not read is 0
    EXPECT_TRUE(editor_->ObjectBoxVisible());
    EXPECT_EQ(editor_->Box().factorText, "0,95");
  }
}

TEST_F(PreferencesEditorTest, DeletingCountryResetAndTheDefaultButton) {
  TForListe& list = ws_->NewFeedList("Vinter", false);
  TFor& f = list.AddFeed(std::make_unique<TFor>(app_->Env()));
  f.SetValue(0, 0.9);
  const EnergyRecord listRecord = list.GetEnergyRecord();

  const int nrc = Index(C("Danmark - NRC 2007 (DE, MJ, råprotein)"));
  editor_->ShowObject(nrc);
  flags_.clear();
  const auto description = editor_->UseAsDefault();
  ASSERT_TRUE(description);
  EXPECT_EQ(*description, app_->energyList.Element(nrc)->Beskrivelse(app_->settings, ','));
  EXPECT_EQ(app_->active->Navn, app_->energyList.Element(nrc)->Navn);
  EXPECT_NE(app_->active.get(), app_->energyList.Element(nrc));  // a copy
  EXPECT_EQ(app_->settings.NutrientName(1), app_->settings.ProteinTypeName(TProteinBeregning::CP));
  EXPECT_EQ(editor_->SystemEntries()[editor_->SelectedSystemEntry()], app_->active->BeskrivelseKort(app_->settings));
  ASSERT_EQ(flags_.size(), 1u);
  EXPECT_FALSE(flags_[0] & kPrWorkspace);
  // No feed list is converted by this button.
  EXPECT_EQ(list.GetEnergyRecord(), listRecord);
  EXPECT_EQ(list.FeedAt(0)->Value(0), 0.9);

  ObjectBox typed = editor_->Box();
  typed.name = "Mit navn";
  typed.countryEntry = "33 France";
  editor_->CountryReset(typed);
  EXPECT_EQ(editor_->Box().name, "Mit navn");
  EXPECT_EQ(editor_->Box().countryEntry, "33 France");
  EXPECT_EQ(editor_->Box().system, static_cast<int>(TEnergiBeregning::fransk));
  EXPECT_EQ(app_->energyList.Element(nrc)->Navn, C("Danmark - NRC 2007 (DE, MJ, råprotein)"));  // nothing stored

  const int count = app_->energyList.Antall();
  EXPECT_TRUE(editor_->DeleteObjectEnabled());
  editor_->DeleteObject();
  EXPECT_EQ(app_->energyList.Antall(), count - 1);
  EXPECT_EQ(Index(C("Danmark - NRC 2007 (DE, MJ, råprotein)")), -1);
  EXPECT_EQ(editor_->SystemEntries().size(), 1u);
  while (app_->energyList.Antall() > 1) {
    editor_->ShowObject(0);
    editor_->DeleteObject();
  }
  editor_->ShowObject(0);
  EXPECT_FALSE(editor_->DeleteObjectEnabled());
  editor_->DeleteObject();
  EXPECT_EQ(app_->energyList.Antall(), 1);
}

TEST_F(PreferencesEditorTest, TheObjectListIsSavedToItsFileOrTheFailureNamesIt) {
  editor_->NewObject();
  ASSERT_FALSE(editor_->SaveObjectList());
  TEnProList read;
  read.LoadfromFile(prefs().EnergyProteinListFile());
  EXPECT_EQ(read.Navneliste(), app_->energyList.Navneliste());

  testing::ScopedUndeletable locked(dir_ / "Resources");
  if (WriteFileAtomically(dir_ / "Resources" / "probe", "x")) GTEST_SKIP() << "the superuser is not stopped here";
  const auto error = editor_->SaveObjectList();
  ASSERT_TRUE(error);
  EXPECT_NE(error->find(PathText(prefs().EnergyProteinListFile())), std::string::npos) << *error;
}

TEST_F(PreferencesEditorTest, TheTreatmentRegisterIsEditedLineByLine) {
  editor_->ChooseTreatmentType(1);
  EXPECT_EQ(editor_->TreatmentNames().front(), C("Gødningsprøve"));
  const size_t worming = editor_->TreatmentNames().size();
  editor_->OpenTreatment(1);
  EXPECT_TRUE(editor_->TreatmentBoxVisible());
  EXPECT_EQ(editor_->BoxTreatmentName(), "Ormekur, ivermectin");
  // The box edits the entry it was opened on, wherever the list's selection goes.
  editor_->SelectTreatment(0);
  EXPECT_EQ(editor_->AcceptTreatment("Ormekur 50%", ""), Tr(kPfRegisterChars));
  EXPECT_EQ(editor_->AcceptTreatment("Ormekur", "a#b"), Tr(kPfRegisterChars));
  EXPECT_TRUE(editor_->TreatmentBoxVisible());
  EXPECT_FALSE(editor_->AcceptTreatment("Ivermectin", "http://orm.example"));
  EXPECT_FALSE(editor_->TreatmentBoxVisible());
  EXPECT_EQ(prefs().TreatmentRegister[1].rfind(C("Gødningsprøve%#Ivermectin%http://orm.example#Ormekur, pyrantel%#"), 0),
            0u)
      << prefs().TreatmentRegister[1];

  editor_->AddTreatment();
  ASSERT_EQ(editor_->TreatmentNames().size(), worming + 1);
  EXPECT_EQ(editor_->TreatmentNames().back(), "Ny Ormekur");
  EXPECT_TRUE(editor_->TreatmentBoxVisible());
  EXPECT_EQ(editor_->BoxTreatmentName(), "Ny Ormekur");
  // Delete stores the open edit first, then removes the selected entry (the new one): one
  // notification for both.
  flags_.clear();
  EXPECT_FALSE(editor_->DeleteTreatment("Ny kur", "x"));
  EXPECT_EQ(flags_, std::vector<unsigned>{kPrTreatments | kPrTreatmentBox});
  EXPECT_EQ(editor_->TreatmentNames().size(), worming);
  EXPECT_EQ(prefs().TreatmentRegister[1].find("Ny "), std::string::npos);
  editor_->OpenTreatment(0);
  editor_->CancelTreatment();
  EXPECT_FALSE(editor_->TreatmentBoxVisible());
  EXPECT_EQ(editor_->TreatmentNames().front(), C("Gødningsprøve"));

  // Emptying a line leaves the empty entry every line yields.
  editor_->ChooseTreatmentType(5);
  while (!prefs().TreatmentRegister[5].empty()) {
    editor_->SelectTreatment(0);
    ASSERT_FALSE(editor_->DeleteTreatment("", ""));
  }
  EXPECT_EQ(editor_->TreatmentNames(), std::vector<std::string>{""});
  EXPECT_EQ(editor_->TreatmentTypeNames()[5], C("Øvrige behandlinger"));

  EXPECT_EQ(editor_->SaveRegisterQuestion(),
            "Gem behandlingsinformation til\r" + PathText(prefs().TreatmentRegisterFile()) + " ?");
  ASSERT_FALSE(editor_->SaveRegister());
  const std::string saved = Read("Resources/treatmentregister45.txt");
  EXPECT_NE(saved.find("Ivermectin%http://orm.example#"), std::string::npos);
  EXPECT_EQ(saved.substr(saved.size() - 5), "#\r\n\r\n");  // the emptied sixth line
}

TEST_F(PreferencesEditorTest, ForwardReportingDaysOutsideTheirRangeAreRefused) {
  EXPECT_EQ(editor_->ForwardDays(), 7);
  EXPECT_FALSE(editor_->SetForwardDays("14"));
  EXPECT_EQ(prefs().ForwardReportingDays, 14);
  EXPECT_FALSE(editor_->SetForwardDays(" 0 "));
  EXPECT_EQ(prefs().ForwardReportingDays, 0);
  for (const char* bad : {"-1", "366", "abc", "", "7,5", "99999999999"}) {
    EXPECT_EQ(editor_->SetForwardDays(bad), Tr(kPfDaysRange)) << bad;
    EXPECT_EQ(prefs().ForwardReportingDays, 0) << bad;
  }
  EXPECT_FALSE(editor_->SetForwardDays("365"));
  EXPECT_EQ(editor_->ForwardDays(), 365);

  // While typing, a text on its way to a number is neither stored, reported nor repainted;
  // a number in range is stored at once.
  flags_.clear();
  EXPECT_FALSE(editor_->SetForwardDays("", true));
  EXPECT_FALSE(editor_->SetForwardDays("400", true));
  EXPECT_EQ(editor_->ForwardDays(), 365);
  EXPECT_TRUE(flags_.empty());
  EXPECT_FALSE(editor_->SetForwardDays("30", true));
  EXPECT_EQ(prefs().ForwardReportingDays, 30);
  EXPECT_EQ(flags_, std::vector<unsigned>{kPrForwardDays});
  // Leaving the field with such a text reports it; the field is told to show the kept value.
  flags_.clear();
  EXPECT_EQ(editor_->SetForwardDays("400"), Tr(kPfDaysRange));
  EXPECT_EQ(prefs().ForwardReportingDays, 365);  // from before the typing began
  EXPECT_EQ(flags_, std::vector<unsigned>{kPrForwardDays});
  // "4" and "40" are stored on the way to "400"; the refusal goes back to 365, not to 40.
  for (const char* step : {"4", "40", "400"}) editor_->SetForwardDays(step, true);
  EXPECT_EQ(prefs().ForwardReportingDays, 40);
  EXPECT_EQ(editor_->SetForwardDays("400"), Tr(kPfDaysRange));
  EXPECT_EQ(editor_->ForwardDays(), 365);
  // A good number left ends the typing: the next refusal keeps that one.
  editor_->SetForwardDays("1", true);
  EXPECT_FALSE(editor_->SetForwardDays("12"));
  EXPECT_EQ(editor_->SetForwardDays("-3"), Tr(kPfDaysRange));
  EXPECT_EQ(editor_->ForwardDays(), 12);
}

TEST_F(PreferencesEditorTest, TheBoxStoresIntoTheObjectItWasOpenedOnWhateverIsSelected) {
  const int a = 0;
  const int b = 1;
  const std::string nameB = app_->energyList.Element(b)->Navn;
  const double factorB = app_->energyList.Element(b)->EnergiFaktor;
  editor_->ShowObject(a);
  ObjectBox typed = editor_->Box();
  typed.name = C("Omdøbt");
  typed.factorText = "2,5";
  // A click on another object moves the selection (one notification) but not the box.
  flags_.clear();
  editor_->SelectObject(b);
  EXPECT_EQ(editor_->SelectedObject(), b);
  EXPECT_TRUE(editor_->ObjectBoxVisible());
  EXPECT_EQ(flags_, std::vector<unsigned>{kPrObjects});
  editor_->SelectObject(b);  // the same again: nothing
  editor_->SelectObject(99);
  editor_->SelectObject(-1);
  EXPECT_EQ(flags_.size(), 1u);
  EXPECT_EQ(editor_->SelectedObject(), b);

  EXPECT_FALSE(editor_->AcceptObject(typed));
  EXPECT_EQ(app_->energyList.Element(a)->Navn, C("Omdøbt"));
  EXPECT_DOUBLE_EQ(app_->energyList.Element(a)->EnergiFaktor, 2.5);
  EXPECT_EQ(app_->energyList.Element(b)->Navn, nameB);
  EXPECT_DOUBLE_EQ(app_->energyList.Element(b)->EnergiFaktor, factorB);
  EXPECT_EQ(editor_->SelectedObject(), b);  // the list keeps its selection
  // The duplicate check leaves out the edited object, not the selected one.
  editor_->ShowObject(a);
  editor_->SelectObject(b);
  typed = editor_->Box();
  typed.name = nameB;
  EXPECT_EQ(editor_->AcceptObject(typed), C("Navn findes! Vil du ændre værdierne"));
}

}  // namespace
}  // namespace stallora
