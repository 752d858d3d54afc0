// The French and Dutch requirement models, one worked case per category. The expected
// numbers were computed by hand (a separate calculation of the published equations), for a
// 500 kg warm-blooded mare unless said otherwise: W^0.75 = 105.737.

#include <gtest/gtest.h>

#include "nutrition/hest.h"

namespace stallora {
namespace {

class ModelsTest : public ::testing::Test {
 protected:
  ModelsTest() : clock_(EncodeDate(2026, 12, 9)), env_(clock_, Regional{}, 45, &active_, &settings_) {
    settings_.nutrients.resize(24);
    active_.EnergiBasis = EnergiBasisType::NE;
    active_.EnergiEnhet = EnergiEnhetstype::MJ;
    active_.ProteinBeregning = TProteinBeregning::DCP;
  }
  std::unique_ptr<THest> Horse(TDyreKategori category, double weight = 500) {
    auto h = std::make_unique<THest>(env_);
    h->Kategori = category;
    h->VektListe->LeggTil(weight, clock_.Today());
    h->VektListe->LeggTil(weight, clock_.Today());  // a young horse counts today's weighings too
    return h;
  }
  DayNumber Months(int n) const { return IncMonth(clock_.Today(), -n) - 3; }

  FixedClock clock_;
  TEnergyProteinObj active_;
  CountrySettings settings_;
  RecordEnvironment env_;
};

TEST_F(ModelsTest, FrenchEveryCategory) {
  active_.Energiberegning = TEnergiBeregning::fransk;
  auto training = Horse(TDyreKategori::Trening);
  training->TreningsMengde = 0.5;
  training->BeregnBehov();
  EXPECT_NEAR(training->Behov[0], 58.544, 0.001);

  auto pregnant = Horse(TDyreKategori::Drektig);
  pregnant->ParringsDato = Months(8);
  ASSERT_EQ(pregnant->DrektighetsMnd(), 9);
  pregnant->BeregnBehov();
  EXPECT_NEAR(pregnant->Behov[0], 44.884, 0.001);
  EXPECT_NEAR(pregnant->Behov[1], 459.54, 0.01);

  auto lactating = Horse(TDyreKategori::Lakterende);
  lactating->PartusDato = clock_.Today() - 10;
  lactating->BeregnBehov();
  EXPECT_NEAR(lactating->Behov[0], 76.200, 0.001);
  EXPECT_NEAR(lactating->Behov[1], 959.54, 0.01);

  auto stallion = Horse(TDyreKategori::Avlsdyr);
  stallion->BeregnBehov();
  EXPECT_NEAR(stallion->Behov[0], 44.605, 0.001);
  EXPECT_NEAR(stallion->Behov[1], 382.33, 0.01);
  EXPECT_NEAR(stallion->Behov[2], 382.33 * 0.054, 0.001);

  auto foal = Horse(TDyreKategori::Ungdyr, 250);
  foal->Fodselsdato = Months(6);
  ASSERT_EQ(foal->AlderMnd(), 6);
  foal->Sistetilvekst = 0.8;
  foal->BeregnBehov();
  EXPECT_NEAR(foal->Behov[0], 40.769, 0.001);
  EXPECT_NEAR(foal->Behov[1], 553.45, 0.01);
  EXPECT_NEAR(foal->Behov[2], 29.887, 0.001);
}

TEST_F(ModelsTest, DutchEveryCategory) {
  active_.Energiberegning = TEnergiBeregning::dutch;
  auto training = Horse(TDyreKategori::Trening);
  training->TreningsMengde = 0.5;
  training->BeregnBehov();
  EXPECT_NEAR(training->Behov[0], 63.457, 0.001);
  EXPECT_NEAR(training->Behov[1], 492.04, 0.01);

  auto pregnant = Horse(TDyreKategori::Drektig);
  pregnant->ForventetVoksenvekt = 500;
  pregnant->ParringsDato = Months(8);
  pregnant->BeregnBehov();
  EXPECT_NEAR(pregnant->Behov[0], 45.860, 0.001);
  EXPECT_NEAR(pregnant->Behov[1], 439.61, 0.01);

  auto lactating = Horse(TDyreKategori::Lakterende);
  lactating->PartusDato = clock_.Today() - 10;
  lactating->BeregnBehov();
  EXPECT_NEAR(lactating->Behov[0], 80.609, 0.001);
  EXPECT_NEAR(lactating->Behov[1], 942.21, 0.01);

  auto stallion = Horse(TDyreKategori::Avlsdyr);
  stallion->Kjonn = TKjonn::Hann;
  stallion->BeregnBehov();
  EXPECT_NEAR(stallion->Behov[0], 45.084, 0.001);
  EXPECT_NEAR(stallion->Behov[1], 317.21, 0.01);

  auto foal = Horse(TDyreKategori::Ungdyr, 220);
  foal->ForventetVoksenvekt = 500;
  foal->Fodselsdato = Months(6);
  foal->BeregnBehov();
  EXPECT_NEAR(foal->Behov[0], 35.787, 0.001);
  EXPECT_NEAR(foal->Behov[1], 476.52, 0.01);
}

}  // namespace
}  // namespace stallora
