#include "forms/requirement_editor.h"

#include <gtest/gtest.h>

#include "../stable/workspace_fixture.h"
#include "core/cp1252.h"
#include "core/fileio.h"
#include "disk_faults.h"
#include "nutrition/behovsliste.h"
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

class RequirementEditorTest : public testing::ProgramDirTest {
 protected:
  void SetUp() override {
    ProgramDirTest::SetUp();
    fs::copy_file(fs::path(STALLORA_DATA_DIR) / "Resources" / "behovsliste.txt", dir_ / "Resources" / "behovsliste.txt");
    AppContext& app = Start();
    ASSERT_EQ(app.requirements->Antall(), 24);
    for (const char* stable : {"Nord", "Syd"}) {
      TStall s(app.Env());
      s.stallNavn = stable;
      ASSERT_TRUE(s.Save());
      THest& h = s.NewHorse();
      h.Navn = std::string(stable) == "Nord" ? "Blakken" : "Stjerne";
      h.VektListe->LeggTil(std::string(stable) == "Nord" ? 500 : 420, today() - 1);
      ASSERT_TRUE(s.SaveHorse(h));
    }
    ws_ = std::make_unique<Workspace>(app);
    ws_->Scan();
    file_ = app.preferences.RequirementListFile();
    editor_ = std::make_unique<RequirementEditor>(*app.requirements, app.settings, app.regional, ws_.get(), file_);
    editor_->AddListener(&recorder_);
    editor_->Show();
    flags_.clear();
  }
  TBehovsListe& list() { return *app_->requirements; }
  int IndexOf(const std::string& name) {
    for (int i = 0; i < list().Antall(); ++i)
      if (list().Element(i)->GlobalNutrientName == name) return i;
    return -1;
  }

  std::unique_ptr<Workspace> ws_;
  fs::path file_;
  std::unique_ptr<RequirementEditor> editor_;
  std::vector<unsigned> flags_;
  // Declared after the editor, so it goes first and unhooks itself.
  RecordingListener recorder_{flags_};
};

TEST_F(RequirementEditorTest, ShowingStartsOnTheFirstObjectWithTheFirstHorse) {
  editor_->SelectObject(5);
  editor_->TestAll();
  flags_.clear();
  editor_->Show();
  EXPECT_EQ(flags_, std::vector<unsigned>{kUtAll});
  EXPECT_EQ(editor_->Current(), 0);
  EXPECT_TRUE(editor_->Messages().empty());
  EXPECT_EQ(editor_->Caption(), "NRC 2007");
  EXPECT_EQ(editor_->ObjectLabel(), "Energi,  nutrient no 0   (0/24)");
  EXPECT_EQ(editor_->NutrientNames().size(), 24u);
  EXPECT_EQ(editor_->HorseEntries(), (std::vector<std::string>{"Blakken  [Nord]", "Stjerne  [Syd]"}));
  EXPECT_EQ(editor_->SelectedHorse(), 0);
  EXPECT_EQ(editor_->TestHorse(), ws_->StableByName("Nord")->HorseByName("Blakken"));
  EXPECT_EQ(editor_->CategoryName(0), C("Føl og unghest"));
  EXPECT_EQ(editor_->CategoryName(5), "Avlshingst");
  EXPECT_EQ(editor_->Formula(1), list().Element(0)->Behovsstrenger[1]);
  EXPECT_EQ(RequirementEditor::HelpLines().size(), 21u);
  EXPECT_EQ(RequirementEditor::HelpLines()[6], "bw             Body weight, kg");

  editor_->ChooseHorse(1);
  EXPECT_EQ(editor_->TestHorse(), ws_->StableByName("Syd")->HorseByName("Stjerne"));
}

TEST_F(RequirementEditorTest, TheSpinnerStopsAtBothEnds) {
  editor_->Previous();
  EXPECT_EQ(editor_->Current(), 0);
  EXPECT_TRUE(flags_.empty());
  editor_->SelectObject(23);
  editor_->Next();
  EXPECT_EQ(editor_->Current(), 23);
  editor_->Previous();
  EXPECT_EQ(editor_->Current(), 22);
  editor_->SelectObject(24);
  editor_->SelectObject(-1);
  EXPECT_EQ(editor_->Current(), 22);
  EXPECT_EQ(flags_, (std::vector<unsigned>{kUtObject, kUtObject}));
  EXPECT_EQ(editor_->ObjectLabel(), "Niacin,  nutrient no 22   (22/24)");
}

TEST_F(RequirementEditorTest, EditingRowTwoChangesOnlyTheTrainingFormulaAndSavingWritesIt) {
  const int calcium = IndexOf("Calcium");
  editor_->SelectObject(calcium);
  const StringList before = list().Element(calcium)->Behovsstrenger;
  EXPECT_FALSE(editor_->SetFormula(2, "bw*0.07"));
  EXPECT_TRUE(editor_->Modified());
  StringList expected = before;
  expected[2] = "bw*0.07";
  EXPECT_EQ(list().Element(calcium)->Behovsstrenger, expected);
  EXPECT_EQ(editor_->SetFormula(3, std::string(255, '1')), Tr(kUtTooLong));
  EXPECT_EQ(list().Element(calcium)->Behovsstrenger[3], before[3]);
  EXPECT_FALSE(editor_->SetFormula(3, std::string(254, '1')));
  EXPECT_FALSE(editor_->SetFormula(3, before[3]));

  EXPECT_FALSE(editor_->SaveQuestion());
  ASSERT_FALSE(editor_->Save());
  EXPECT_FALSE(editor_->Modified());
  TBehovsListe read;
  read.LoadfromFile(file_);
  ASSERT_EQ(read.Antall(), 24);
  EXPECT_EQ(read.Element(calcium)->Behovsstrenger, expected);
  for (int i = 0; i < 24; ++i)
    if (i != calcium) {
      EXPECT_EQ(read.Element(i)->Behovsstrenger, list().Element(i)->Behovsstrenger) << i;
    }
}

TEST_F(RequirementEditorTest, TestingOneRuleShowsTheValueOrTheEvaluatorsMessage) {
  ASSERT_FALSE(editor_->SetFormula(1, "bw*0.0333"));
  RuleTest t = editor_->TestOne(1);
  EXPECT_TRUE(t.ok);
  EXPECT_EQ(t.result, "Value:    16,650");
  EXPECT_EQ(editor_->Result(), t.result);
  EXPECT_EQ(flags_.back(), kUtResult);
  // Against the other horse.
  editor_->ChooseHorse(1);
  EXPECT_EQ(editor_->TestOne(1).result, "Value:    13,986");

  ASSERT_FALSE(editor_->SetFormula(1, "bw +"));
  t = editor_->TestOne(1);
  EXPECT_FALSE(t.ok);
  EXPECT_EQ(t.result, "Syntax error, proofread rule!");
  EXPECT_EQ(t.message, "Error: Operand missing or misplaced, Pos = 6\rbw +;[error in preceeding symbols]");

  ASSERT_FALSE(editor_->SetFormula(1, "if yhtrained then 2 else 1 = 1"));
  EXPECT_EQ(editor_->TestOne(1).result.rfind("Syntax error", 0), 0u);
  ASSERT_FALSE(editor_->SetFormula(1, "bw > 400"));
  EXPECT_EQ(editor_->TestOne(1).result, "Value: true");
  // An arithmetic fault is no syntax error: the result says what it is.
  ASSERT_FALSE(editor_->SetFormula(1, "bw/0"));
  t = editor_->TestOne(1);
  EXPECT_FALSE(t.ok);
  EXPECT_EQ(t.result.rfind("Error: Division by zero", 0), 0u) << t.result;
}

TEST_F(RequirementEditorTest, TestingAllRulesListsEachFailureAndALineLeadsToItsObject) {
  editor_->TestAll();
  EXPECT_EQ(editor_->Messages(), std::vector<std::string>{"Syntax errors not detected"});
  EXPECT_EQ(editor_->MessageDetail(0), "");

  const int calcium = IndexOf("Calcium");
  const int iron = IndexOf("Jern");
  editor_->SelectObject(calcium);
  ASSERT_FALSE(editor_->SetFormula(3, "bw *"));
  editor_->SelectObject(iron);
  ASSERT_FALSE(editor_->SetFormula(0, "BW"));
  ASSERT_FALSE(editor_->SetFormula(4, "1/(bw-500)"));  // 0 for the 500 kg test horse
  editor_->SelectObject(0);
  flags_.clear();
  editor_->TestAll();
  EXPECT_EQ(flags_, std::vector<unsigned>{kUtMessages});
  EXPECT_EQ(editor_->Messages(), (std::vector<std::string>{C("Calcium: Drægtig hoppe - Syntax error!"),
                                                          C("Jern: Føl og unghest - Syntax error!"),
                                                          "Jern: Diegivende hoppe - Error: Division by zero"}));
  EXPECT_EQ(editor_->MessageDetail(1), "Error: Undefined keyword or name: BW, Pos = 3\rBW;[error in preceeding symbols]");

  editor_->MessageChosen(0);
  EXPECT_EQ(editor_->Current(), calcium);
  editor_->MessageChosen(2);
  EXPECT_EQ(editor_->Current(), iron);

  // Saving first tells which rules of which nutrients do not read; the arithmetic fault,
  // which depends on the horse, is not among them.
  const auto question = editor_->SaveQuestion();
  ASSERT_TRUE(question);
  EXPECT_EQ(*question, C("These rules have errors:\r\rCalcium: Drægtig hoppe - Syntax error!\r"
                         "Error: Operand missing or misplaced, Pos = 6\rbw *;[error in preceeding symbols]\r\r"
                         "Jern: Føl og unghest - Syntax error!\r"
                         "Error: Undefined keyword or name: BW, Pos = 3\rBW;[error in preceeding symbols]\r\r"
                         "Save the list anyway?"));
}

TEST_F(RequirementEditorTest, WithoutAHorseTheRulesAreCheckedForAStandardHorse) {
  RequirementEditor alone(list(), app_->settings, app_->regional, nullptr, file_);
  alone.Show();
  EXPECT_TRUE(alone.HorseEntries().empty());
  EXPECT_EQ(alone.TestHorse(), nullptr);
  ASSERT_FALSE(alone.SetFormula(1, "bw*0.0333"));
  EXPECT_EQ(alone.TestOne(1).result, "Value:    16,650");
  alone.TestAll();
  EXPECT_EQ(alone.Messages(), std::vector<std::string>{"Syntax errors not detected"});
}

TEST_F(RequirementEditorTest, AHorseThatGoesIsNoLongerTheTestHorse) {
  THest* blakken = ws_->StableByName("Nord")->HorseByName("Blakken");
  editor_->ChooseHorse(1);
  editor_->RecordGoing(*blakken);
  EXPECT_EQ(editor_->HorseEntries(), std::vector<std::string>{"Stjerne  [Syd]"});
  EXPECT_EQ(editor_->SelectedHorse(), 0);
  ASSERT_NE(editor_->TestHorse(), nullptr);
  editor_->RecordGoing(*ws_->StableByName("Syd"));
  EXPECT_TRUE(editor_->HorseEntries().empty());
  EXPECT_EQ(editor_->TestHorse(), nullptr);
  EXPECT_EQ(editor_->SelectedHorse(), -1);
}

TEST_F(RequirementEditorTest, ASaveThatFailsNamesTheFile) {
  testing::ScopedUndeletable locked(dir_ / "Resources");
  if (WriteFileAtomically(dir_ / "Resources" / "probe", "x")) GTEST_SKIP() << "the superuser is not stopped here";
  ASSERT_FALSE(editor_->SetFormula(1, "bw*0.03"));
  const auto error = editor_->Save();
  ASSERT_TRUE(error);
  EXPECT_NE(error->find(PathText(file_)), std::string::npos) << *error;
  EXPECT_TRUE(editor_->Modified());
}

TEST(RequirementEditorEmpty, AnEmptyListShowsNoObject) {
  TBehovsListe empty;
  CountrySettings settings;
  Regional regional;
  RequirementEditor editor(empty, settings, regional, nullptr, "behovsliste.txt");
  editor.Show();
  EXPECT_EQ(editor.Caption(), "Test-liste");
  EXPECT_EQ(editor.ObjectLabel(), "");
  EXPECT_EQ(editor.Formula(0), "");
  EXPECT_FALSE(editor.SetFormula(0, "1"));
  EXPECT_FALSE(editor.TestOne(0).ok);
  editor.TestAll();
  EXPECT_EQ(editor.Messages(), std::vector<std::string>{"Syntax errors not detected"});
}

}  // namespace
}  // namespace stallora
