#include "stable/system_switch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "core/fileio.h"
#include "core/objtext.h"
#include "disk_faults.h"
#include "ration/evaluation.h"
#include "stable/workspace.h"
#include "workspace_fixture.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

std::unique_ptr<TEnergyProteinObj> Object(const char* name, TEnergiBeregning system, EnergiBasisType basis,
                                          EnergiEnhetstype unit, double factor, TProteinBeregning protein) {
  auto o = std::make_unique<TEnergyProteinObj>();
  o->Navn = name;
  o->CountryNo = 45;
  o->Energiberegning = system;
  o->EnergiBasis = basis;
  o->EnergiEnhet = unit;
  o->EnergiFaktor = factor;
  o->ProteinBeregning = protein;
  return o;
}

const std::unique_ptr<TEnergyProteinObj> kNrcObj = Object("NRC", TEnergiBeregning::nrc2007, EnergiBasisType::DE, EnergiEnhetstype::MCal,
                                      1, TProteinBeregning::CP);
const std::unique_ptr<TEnergyProteinObj> kFrenchObj = Object("Fransk", TEnergiBeregning::fransk, EnergiBasisType::NE,
                                         EnergiEnhetstype::fe, 0.95, TProteinBeregning::DCP);
const TEnergyProteinObj& kNrc = *kNrcObj;
const TEnergyProteinObj& kFrench = *kFrenchObj;

void AddFeed(TForListe& list, const RecordEnvironment& env, const std::string& name, int category, double dm,
             double energy, double protein) {
  TFor& f = list.AddFeed(std::make_unique<TFor>(env));
  f.Fornavn = name;
  f.Fortype = static_cast<uint8_t>(category);
  f.TorrStoff = dm;
  f.Valgt = true;
  f.TildeltKg = 2;
  for (int n = 0; n < 24; ++n) f.SetValue(n, n + 1.5);
  f.SetValue(0, energy);
  f.SetValue(1, protein);
  f.SetValue(3, 6);
  f.SetValue(4, 3);
  f.UpdateRatio();
}

void FillList(TForListe& list, const RecordEnvironment& env) {
  AddFeed(list, env, "H\xf8", 1, 85, 2.0, 90);
  AddFeed(list, env, "Wrap", 2, 55, 1.1, 60);
  AddFeed(list, env, "Havre", 3, 88, 3.1, 110);
  AddFeed(list, env, "Mineral", 4, 95, 0.5, 20);
}

// Every value of every feed of a list, with its energy record, to compare lists and files.
struct ListValues {
  EnergyRecord record;
  std::vector<std::vector<double>> values;
  bool operator==(const ListValues&) const = default;
};
ListValues ValuesOf(const TForListe& l) {
  ListValues v{l.GetEnergyRecord(), {}};
  for (const auto& f : l.Feeds()) v.values.push_back(f->Analyse.Values());
  return v;
}

// A file holds every analysis value to three decimals: what is read back from it lies within
// half a thousandth of what was in memory.
void ExpectAsSaved(const ListValues& read, const ListValues& memory, const std::string& what) {
  EXPECT_EQ(read.record, memory.record) << what;
  ASSERT_EQ(read.values.size(), memory.values.size()) << what;
  for (size_t f = 0; f < read.values.size(); ++f) {
    ASSERT_EQ(read.values[f].size(), memory.values[f].size()) << what;
    for (size_t n = 0; n < read.values[f].size(); ++n)
      EXPECT_NEAR(read.values[f][n], memory.values[f][n], 0.0005 + 1e-9) << what << " feed " << f << " value " << n;
  }
}

class SystemSwitchTest : public testing::ProgramDirTest {
 protected:
  void SetUp() override {
    ProgramDirTest::SetUp();
    fs::copy_file(fs::path(STALLORA_DATA_DIR) / "Resources" / "behovsliste.txt",
                  dir_ / "Resources" / "behovsliste.txt");
    AppContext& app = Start();
    app.SetActiveEnergyObject(kNrc);
    const RecordEnvironment& env = app.Env();
    TForListe list(env);
    list.ForlisteNavn = "Vinter";
    FillList(list, env);
    list.SaveToWorkspace();
    TForListe mix(env);
    mix.ForlisteNavn = "Egen blanding1";
    mix.ForBlanding = mix.mixFile = true;
    AddFeed(mix, env, "Byg", 3, 87, 3.3, 100);
    mix.SaveToWorkspace();
    for (const char* stable : {"Nord", "Syd"}) {
      TStall s(env);
      s.stallNavn = stable;
      s.NameFeedList();
      FillList(*s.ForListe, env);
      ASSERT_TRUE(s.Save());
      for (const char* name : {"Ares", "Bella", "Cora"}) {
        THest& h = s.NewHorse();
        h.Navn = name;
        h.VektListe->LeggTil(520, today() - 3);
        FillList(*h.ForListe, env);
        ASSERT_TRUE(s.SaveHorse(h));
      }
    }
    ws_ = std::make_unique<Workspace>(app);
    ws_->Scan();
    ASSERT_EQ(ws_->FeedLists().size(), 2u);
    ASSERT_EQ(ws_->Stables().size(), 2u);
    for (const auto& s : ws_->Stables())
      for (const auto& h : s->Horses()) {
        h->BeregnBehov();
        BeregnTilforsel(*h);
      }
  }

  // Every file of the save directory with its bytes.
  std::map<std::string, std::string> Files() const {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(app_->preferences.SaveDirectory()))
      if (e.is_regular_file()) files[e.path().lexically_relative(dir_).string()] = *ReadWholeFile(e.path());
    return files;
  }
  std::vector<ListValues> Memory() const {
    std::vector<ListValues> all;
    for (const auto& l : ws_->FeedLists()) all.push_back(ValuesOf(*l));
    for (const auto& s : ws_->Stables()) {
      all.push_back(ValuesOf(*s->ForListe));
      for (const auto& h : s->Horses()) all.push_back(ValuesOf(*h->ForListe));
    }
    return all;
  }
  THest& Horse(const char* stable, const char* name) { return *ws_->StableByName(stable)->HorseByName(name); }

  std::unique_ptr<Workspace> ws_;
};

TEST_F(SystemSwitchTest, EveryListAndRationIsConvertedSavedAndTheHorsesRecalculated) {
  // What ConvertAllTo makes of each list, worked out on copies beforehand.
  std::vector<ListValues> expected;
  for (const auto& l : ws_->FeedLists()) {
    auto copy = l->CopyList(false, ListOwnerKind::Workspace);
    copy->EnergiBeregning = l->EnergiBeregning;
    ASSERT_TRUE(copy->ConvertAllTo(EnergyRecord::Of(kFrench), TProteinBeregning::DCP));
    copy->SetEnergyRecord(EnergyRecord::Of(kFrench));
    expected.push_back(ValuesOf(*copy));
  }
  std::map<const THest*, double> before;
  for (const auto& s : ws_->Stables())
    for (const auto& h : s->Horses()) before[h.get()] = h->Tilforsel[0];
  std::map<SwitchPhase, std::pair<int, int>> last;
  int calls = 0;
  const SwitchOutcome out = SwitchEnergySystem(*ws_, kFrench, [&](SwitchPhase p, int done, int total) {
    last[p] = {done, total};
    ++calls;
  });
  ASSERT_TRUE(out.ok) << out.message;
  EXPECT_EQ(out.feedLists, 4);  // two workspace lists, two stables' lists
  EXPECT_EQ(out.horses, 6);
  EXPECT_EQ(out.files, 2 + 2 + 6);
  // The progress counts the whole workspace: records, then files written, then replaced.
  EXPECT_EQ(last[SwitchPhase::Converting], std::make_pair(SwitchRecordCount(*ws_), 10));
  EXPECT_EQ(last[SwitchPhase::Writing], std::make_pair(10, 10));
  EXPECT_EQ(last[SwitchPhase::Replacing], std::make_pair(10, 10));
  EXPECT_EQ(calls, 30);

  EXPECT_EQ(app_->active->Navn, "Fransk");
  EXPECT_EQ(app_->settings.NutrientUnit(0), "fe");
  EXPECT_EQ(app_->settings.NutrientName(1), app_->settings.ProteinTypeName(TProteinBeregning::DCP));
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(ValuesOf(*ws_->FeedLists()[i]), expected[i]) << i;

  // The hay of the list, by hand: 2.0 MCal DE per kg as fed at 85 % dry matter.
  const TForListe* winter = nullptr;
  for (const auto& l : ws_->FeedLists())
    if (l->ForlisteNavn == "Vinter") winter = l.get();
  ASSERT_NE(winter, nullptr);
  ASSERT_NE(winter->FeedByName("H\xf8"), nullptr);
  const TFor& hay = *winter->FeedByName("H\xf8");
  double v = 2.0 / 0.85 * 4.185;
  v = v * 0.8569 - 0.1757;
  v = 0.59 * v - 0.051 + 0.0121 * v * v;
  v = v / 9.414 * 0.95 / 1.05 * 0.85;
  EXPECT_NEAR(hay.Value(0), v, 1e-12);
  EXPECT_NEAR(hay.Value(1), (90 / 0.85 * 0.955 - 36.69) * 0.85, 1e-12);

  // On disk: what is in memory, every list with the new system.
  const RecordEnvironment& env = app_->Env();
  for (const auto& l : ws_->FeedLists()) {
    TForListe read(env);
    read.LoadFromFile(l->FileNameFor());
    ExpectAsSaved(ValuesOf(read), ValuesOf(*l), l->ForlisteNavn);
    EXPECT_EQ(read.EnergiBeregning, TEnergiBeregning::fransk);
  }
  for (const auto& s : ws_->Stables()) {
    TStall read(env);
    read.Load(s->StableFilePath());
    ExpectAsSaved(ValuesOf(*read.ForListe), ValuesOf(*s->ForListe), s->stallNavn);
    EXPECT_FALSE(s->HasUnsavedChanges());
    for (const auto& h : s->Horses()) {
      THest rh(env);
      rh.LoadfromFile(s->HorseFilePath(*h));
      ExpectAsSaved(ValuesOf(*rh.ForListe), ValuesOf(*h->ForListe), h->Navn);
      EXPECT_EQ(h->LagretSum, h->Fingerprint());
      // Recalculated in the new system: what a fresh computation from the file gives (the
      // supply of 2 kg of each of four feeds, from values rounded to a thousandth).
      rh.BeregnBehov();
      BeregnTilforsel(rh);
      EXPECT_DOUBLE_EQ(h->Behov[0], rh.Behov[0]);
      EXPECT_NEAR(h->Tilforsel[0], rh.Tilforsel[0], 4 * 2 * 0.0005);
      EXPECT_NE(h->Tilforsel[0], before[h.get()]);
    }
  }
}

TEST_F(SystemSwitchTest, AListThatDiffersOnlyInTheSystemKeepsItsValuesAndCarriesTheNewSystem) {
  const std::unique_ptr<TEnergyProteinObj> same = kNrc.Kopi();
  TEnergyProteinObj& dutch = *same;
  dutch.Navn = "Samme enheder";
  dutch.Energiberegning = TEnergiBeregning::dutch;
  const std::vector<ListValues> before = Memory();
  ASSERT_TRUE(SwitchEnergySystem(*ws_, dutch).ok);
  const std::vector<ListValues> after = Memory();
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < after.size(); ++i) {
    EXPECT_EQ(after[i].values, before[i].values);
    EXPECT_EQ(after[i].record.EnergiBeregning, TEnergiBeregning::dutch);
  }
}

TEST_F(SystemSwitchTest, SwitchingBackComesBackWithinTheConversionsRounding) {
  const std::vector<ListValues> before = Memory();
  ASSERT_TRUE(SwitchEnergySystem(*ws_, kFrench).ok);
  const std::vector<ListValues> between = Memory();
  ASSERT_TRUE(SwitchEnergySystem(*ws_, kNrc).ok);
  const std::vector<ListValues> after = Memory();
  ASSERT_EQ(after.size(), before.size());
  for (size_t l = 0; l < after.size(); ++l) {
    EXPECT_EQ(after[l].record, before[l].record);
    for (size_t f = 0; f < after[l].values.size(); ++f)
      for (size_t n = 0; n < after[l].values[f].size(); ++n) {
        const double was = before[l].values[f][n];
        const double is = after[l].values[f][n];
        if (n == 1 && between[l].values[f][n] == 0) {
          // A protein value that the regression takes below 0 is kept at 0, and 0 stays 0 on
          // the way back: the mineral's 20 g crude protein is lost for good.
          EXPECT_EQ(is, 0) << "list " << l << " feed " << f;
          continue;
        }
        // Energy of roughage goes through the net-energy formulas, which are not each
        // other's inverses (a few per cent); protein's two linear formulas nearly are; every
        // other value only goes to dry matter and back.
        const double tolerance = n == 0 ? 0.05 * was : n == 1 ? 0.002 * was : 1e-12 * std::max(1.0, was);
        EXPECT_NEAR(is, was, tolerance) << "list " << l << " feed " << f << " value " << n;
      }
  }
}

// The workspace exactly as before the failed switch: every file's bytes, every list's values
// and record, the active object, the nutrient table, the horses' results.
class FailedSwitch : public SystemSwitchTest {
 protected:
  void ExpectNothingChanged(const SwitchOutcome& out, const std::string& namedFile) {
    EXPECT_FALSE(out.ok);
    EXPECT_NE(out.message.find(namedFile), std::string::npos) << out.message;
    EXPECT_NE(out.message.find("Energiberegningssystemet er ikke skiftet"), std::string::npos) << out.message;
    EXPECT_EQ(out.files, 0);
    EXPECT_EQ(Files(), files_);
    EXPECT_EQ(Memory(), memory_);
    EXPECT_EQ(app_->active->Navn, "NRC");
    EXPECT_EQ(app_->settings.NutrientUnit(0), "MCal");
    EXPECT_EQ(app_->settings.NutrientName(1), app_->settings.ProteinTypeName(TProteinBeregning::CP));
    EXPECT_DOUBLE_EQ(Horse("Syd", "Cora").Behov[0], energy_);
  }
  void SetUp() override {
    SystemSwitchTest::SetUp();
    files_ = Files();
    memory_ = Memory();
    energy_ = Horse("Syd", "Cora").Behov[0];
  }
  std::map<std::string, std::string> files_;
  std::vector<ListValues> memory_;
  double energy_ = 0;
};

TEST_F(FailedSwitch, AHorseFileThatCannotBeReplacedLeavesEveryFileAsItWas) {
  const fs::path file = ws_->StableByName("Syd")->HorseFilePath(Horse("Syd", "Bella"));
  testing::ScopedUndeletable locked(file);
  if (WriteFileAtomically(file, *ReadWholeFile(file))) GTEST_SKIP() << "this file system does not stop the superuser";
  // Every file before it in the workspace (the lists, Nord and its horses, Syd) was already
  // replaced when this one fails, and must have been put back.
  ExpectNothingChanged(SwitchEnergySystem(*ws_, kFrench), PathText(file));
}

TEST_F(FailedSwitch, AHorseDirectoryThatCannotBeWrittenLeavesEveryFileAsItWas) {
  const fs::path dir = ws_->StableByName("Nord")->HorseDirectory(Horse("Nord", "Cora"));
  testing::ScopedUndeletable locked(dir);
  if (WriteFileAtomically(dir / "probe", "x")) GTEST_SKIP() << "this file system does not stop the superuser";
  ExpectNothingChanged(SwitchEnergySystem(*ws_, kFrench), "Cora.eqh");
}

TEST_F(FailedSwitch, AListThatCannotBeConvertedNamesItAndNothingIsWritten) {
  // A ration in feed units without a factor cannot be converted.
  TForListe& ration = *Horse("Nord", "Bella").ForListe;
  ration.EnergiEnhet = EnergiEnhetstype::fe;
  ration.EnergiFaktor = 0;
  memory_ = Memory();
  ExpectNothingChanged(SwitchEnergySystem(*ws_, kFrench), "Nord/Bella/Bella.eqh");
}

TEST_F(FailedSwitch, AHorseThatWasNeverSavedDoesNotReplaceTheFileOfItsName) {
  TStall& nord = *ws_->StableByName("Nord");
  THest& copy = nord.AddHorse(std::make_unique<THest>(app_->Env()));
  copy.Navn = "Ares";  // a second Ares, never saved, beside the one on disk
  memory_ = Memory();
  ExpectNothingChanged(SwitchEnergySystem(*ws_, kFrench), "Nord/Ares/Ares.eqh");
}

}  // namespace
}  // namespace stallora
