// The horse editor's weighing and treatment operations: what each changes and refuses, and
// that every edit is one computation and one notification naming the weighings or the
// treatments.

#include "forms/horse_editor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace stallora {
namespace {

struct Told : EditorListener {
  void EditorChanged(ChangeFlags f) override { flags.push_back(f); }
  std::vector<ChangeFlags> flags;
};

class HorseEditorTest : public ::testing::Test {
 protected:
  HorseEditorTest() : clock_(EncodeDate(2026, 12, 9)), env_(clock_, Regional{}, 45, &active_, &settings_) {
    settings_.nutrients.resize(24);
    horse_ = std::make_unique<THest>(env_);
    horse_->Navn = "Blakken";
    horse_->VektListe->LeggTil(480, Today() - 30);
    horse_->VektListe->LeggTil(500, Today() - 10);
    editor_ = std::make_unique<HorseEditor>(*horse_);
    editor_->AddListener(&told_);
  }
  DayNumber Today() const { return clock_.Today(); }
  TVektListe& Weighings() { return *horse_->VektListe; }

  FixedClock clock_;
  TEnergyProteinObj active_;
  CountrySettings settings_;
  RecordEnvironment env_;
  std::unique_ptr<THest> horse_;
  std::unique_ptr<HorseEditor> editor_;
  Told told_;
};

TEST_F(HorseEditorTest, TypedWeighingsAreTakenInRangeAndRefusedOutside) {
  EXPECT_TRUE(editor_->SetWeighingKg(1, 512.4));
  EXPECT_DOUBLE_EQ(Weighings().Element(1)->Vekt, 512.0);
  EXPECT_EQ(editor_->Recomputes(), 1);
  EXPECT_EQ(editor_->Notifications(), 1);
  ASSERT_EQ(told_.flags.size(), 1u);
  EXPECT_TRUE(told_.flags[0] & kHorseWeighings);
  EXPECT_TRUE(told_.flags[0] & kHorseData);

  // Beyond a horse, nothing, no row: refused without a commit.
  for (double kg : {0.0, 0.5, 1500.5, 9999.0, -3.0}) EXPECT_FALSE(editor_->SetWeighingKg(1, kg)) << kg;
  EXPECT_FALSE(editor_->SetWeighingKg(2, 500));
  EXPECT_FALSE(editor_->SetWeighingKg(-1, 500));
  EXPECT_DOUBLE_EQ(Weighings().Element(1)->Vekt, 512.0);
  EXPECT_TRUE(editor_->SetWeighingKg(0, 1500));
  EXPECT_TRUE(editor_->SetWeighingKg(0, 1));
  EXPECT_EQ(editor_->Notifications(), 3);

  EXPECT_TRUE(editor_->SetWeighingDate(0, Today() - 40));
  EXPECT_EQ(Weighings().Element(0)->Dato, Today() - 40);
  EXPECT_FALSE(editor_->SetWeighingDate(0, 0));
  EXPECT_FALSE(editor_->SetWeighingDate(5, Today()));
  EXPECT_EQ(editor_->Notifications(), 4);
}

TEST_F(HorseEditorTest, AddDeleteAndSortAreOneCommitEach) {
  // An adult's new weighing is 0 kg of today, after the row it follows.
  EXPECT_EQ(editor_->AddWeighing(0), 1);
  ASSERT_EQ(Weighings().Antall(), 3);
  EXPECT_DOUBLE_EQ(Weighings().Element(1)->Vekt, 0.0);
  EXPECT_EQ(Weighings().Element(1)->Dato, Today());
  EXPECT_DOUBLE_EQ(Weighings().Element(2)->Vekt, 500.0);
  EXPECT_EQ(editor_->Notifications(), 1);

  editor_->SortWeighings();
  EXPECT_EQ(Weighings().Element(2)->Dato, Today());
  EXPECT_EQ(editor_->Notifications(), 2);

  EXPECT_TRUE(editor_->DeleteWeighing(2));
  EXPECT_FALSE(editor_->DeleteWeighing(2));
  EXPECT_FALSE(editor_->DeleteWeighing(-1));
  EXPECT_EQ(Weighings().Antall(), 2);
  EXPECT_EQ(editor_->Recomputes(), 3);
  EXPECT_EQ(editor_->Notifications(), 3);

  // With no weighings the new one is the first.
  ASSERT_TRUE(editor_->DeleteWeighing(0));
  ASSERT_TRUE(editor_->DeleteWeighing(0));
  EXPECT_EQ(editor_->AddWeighing(7), 0);
  EXPECT_EQ(Weighings().Antall(), 1);
}

TEST_F(HorseEditorTest, AYoungHorsesNewWeighingIsItsExpectedWeight) {
  horse_->Kategori = TDyreKategori::Ungdyr;
  horse_->Fodselsdato = Today() - 200;
  horse_->ForventetVoksenvekt = 500;
  // An estimate from an earlier day.
  horse_->AktuellVektRec.Dato = Today() - 20;
  horse_->AktuellVektRec.Vekt = 300.4;
  const double current = std::round(horse_->AktuellVekt());
  ASSERT_EQ(current, 300);
  const int row = editor_->AddWeighing(1);
  EXPECT_EQ(row, 2);
  EXPECT_DOUBLE_EQ(Weighings().Element(2)->Vekt, current);
  // The young horse's estimate follows the weighings in the same commit.
  EXPECT_EQ(horse_->AktuellVektRec.Dato, Today());
  EXPECT_DOUBLE_EQ(horse_->AktuellVektRec.Vekt, horse_->ForventetVekt(Today()));
  EXPECT_GT(horse_->AktuellVektRec.Vekt, 100);
  EXPECT_EQ(editor_->Notifications(), 1);
}

TEST_F(HorseEditorTest, StoringAndDeletingATreatmentSetsTheBanInOneCommit) {
  TTreatmentList& list = *horse_->TreatmentListe;
  TTreatmentObj& t = list.AddNew();
  editor_->StoreTreatment(t, TTreatmentType::Vet, "Halthed", Today() - 2, Today() - 2, Today() + 5, "forben", 650);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(t.TreatmentName, "Halthed");
  EXPECT_EQ(list.HorseOKToStartDate, Today() + 5);
  EXPECT_EQ(editor_->Recomputes(), 1);
  ASSERT_EQ(told_.flags.size(), 1u);
  EXPECT_TRUE(told_.flags[0] & kHorseTreatments);

  EXPECT_TRUE(editor_->DeleteTreatment(&t));
  EXPECT_EQ(list.Count(), 0);
  EXPECT_LE(list.HorseOKToStartDate, Today()) << "the ban goes with its treatment";
  EXPECT_FALSE(editor_->DeleteTreatment(nullptr));
  EXPECT_EQ(editor_->Notifications(), 3);
}

}  // namespace
}  // namespace stallora
