#include "nutrition/hest.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/fileio.h"
#include "core/objtext.h"

namespace stallora {
namespace {

class HestTest : public ::testing::Test {
 protected:
  HestTest() : clock_(EncodeDate(2026, 12, 9)), env_(clock_, Regional{}, 45, &active_, &settings_) {
    RegisterFeedClasses();
    RegisterNutritionClasses();
    settings_.nutrients.resize(24);
    settings_.workNames = {"Let arbejde", "Moderat arbejde", "H\xE5rdt arbejde", "Meget h\xE5rdt arbejde"};
    settings_.categoryNames = {"Unghest", "Vedligeholdelse"};
  }
  DayNumber today() const { return clock_.Today(); }

  FixedClock clock_;
  TEnergyProteinObj active_;
  CountrySettings settings_;
  RecordEnvironment env_;
};

TEST_F(HestTest, ANewHorseWritesItsDefaultsAndEveryPart) {
  THest h(env_);
  const std::string text = RecordText(h);
  for (const char* line :
       {"  Versjon = 2.17\r\n", "  MatchVekt = 500\r\n", "  OppdrettsHastighet = 1\r\n", "  HoldFaktor = 1\r\n",
        "  Beiteinntaksfaktor = 1\r\n", "  ArbeidsIntensitet = Arbudef\r\n", "  UngDyrTrening = YoungNoTraining\r\n",
        "  Kjonn = Hunn\r\n", "  Kategori = Vedlikehold\r\n", "  brystmal = 0\r\n", "  stangmal = 0\r\n",
        "  BlodsType = WarmBlood\r\n", "  AntallForingstider = 0\r\n", "  TimerBeiting = 0\r\n",
        "  OnsketVekstHastighet = Normal\r\n", "  HestNoMeals = 0\r\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line;
  for (const char* extra : {"AvtegnMemo", "KondisjonMemo", "EierOpplysningerMemo", "VetMemo", "WormingMemo",
                            "ShoeingMemo", "Vaccinations", "Worming", "Shoeing", "VetTreatment", "DiaryMemo",
                            "Treningsliste"})
    EXPECT_NE(text.find(std::string("  ") + extra + " = {}\r\n"), std::string::npos) << extra;
  for (const char* absent :
       {"Fodselsvekt", "Sistetilvekst", "ForventetVoksenvekt", "\n  Navn =", "Bilde", "HFTider"})
    EXPECT_EQ(text.find(absent), std::string::npos) << absent;
  // The three children, in order, after the extra properties.
  const size_t list = text.find("  object TForListe\r\n");
  const size_t weights = text.find("  object TVektListe\r\n");
  const size_t treatments = text.find("  object TTreatmentList\r\n");
  EXPECT_LT(text.find("Treningsliste = {}"), list);
  EXPECT_LT(list, weights);
  EXPECT_LT(weights, treatments);
  EXPECT_NE(text.find("TreatmentListName = 'Treatmentsystem'"), std::string::npos);
  // Dates from today.
  EXPECT_EQ(h.Fodselsdato, today() - 1825);
  EXPECT_EQ(h.NesteFotPleie, today() + 1);
  EXPECT_EQ(h.StartForbud, today() - 1);
}

TEST_F(HestTest, LoadingStampsTheVersionAndToday) {
  THest h(env_);
  h.Navn = "Pollux";
  h.VektListe->LeggTil(512, today() - 30);
  h.DiaryMemo = "{\\rtf1\\ansi hej}";
  h.Vaccinations = {"01-01-2026 influenza", "02-02-2026"};
  h.HFTider = {"28800", "61200"};
  h.Versjon = 2.0;
  h.EndretDato = today() - 365;
  const auto path = std::filesystem::temp_directory_path() / "stallora-hest-test.eqh";
  h.writeToFile(path);
  THest back(env_);
  back.LoadfromFile(path);
  EXPECT_EQ(back.Versjon, 2.17);
  EXPECT_EQ(back.EndretDato, today());
  EXPECT_FALSE(back.ErNy);
  EXPECT_EQ(back.Navn, "Pollux");
  EXPECT_EQ(back.DiaryMemo, h.DiaryMemo);
  EXPECT_EQ(back.Vaccinations, h.Vaccinations);
  EXPECT_EQ(back.HFTider, h.HFTider);
  EXPECT_EQ(back.AktuellVekt(), 512);
  // What was read writes back the same (apart from the stamped version and date).
  h.Versjon = 2.17;
  h.EndretDato = today();
  EXPECT_EQ(RecordText(back), RecordText(h));
  std::filesystem::remove(path);
}

TEST_F(HestTest, CurrentWeight) {
  THest h(env_);
  EXPECT_EQ(h.AktuellVekt(), 0);  // no weighing
  h.VektListe->LeggTil(500, today() - 10);
  h.VektListe->LeggTil(480, today() - 20);  // the last entry counts, whatever its date
  EXPECT_EQ(h.AktuellVekt(), 480);
  h.VektListe->LeggTil(0, today());  // a slip of the keyboard is no weight
  EXPECT_EQ(h.AktuellVekt(), 480);
  // A young horse uses the growth curve, unless two or more weighings end today or later.
  THest foal(env_);
  foal.Kategori = TDyreKategori::Ungdyr;
  foal.ForventetVoksenvekt = 500;
  foal.Fodselsdato = today() - 365;
  foal.VektListe->LeggTil(300, today());
  foal.AfterLoad();
  EXPECT_NEAR(foal.AktuellVekt(), 321.3, 0.05);
  foal.VektListe->LeggTil(330, today());
  EXPECT_EQ(foal.AktuellVekt(), 330);
}

TEST_F(HestTest, AgesAndMonths) {
  THest h(env_);
  h.Fodselsdato = today() + 10;
  EXPECT_EQ(h.AlderMnd(), 0);
  h.Fodselsdato = IncMonth(today(), -40);
  EXPECT_EQ(h.AlderMnd(), 35);
  h.ParringsDato = today() - 10;
  EXPECT_EQ(h.DrektighetsMnd(), 1);
  h.PartusDato = IncMonth(today(), -1) - 1;
  EXPECT_EQ(h.LaktasjonsMnd(), 2);
}

TEST_F(HestTest, ActivityIntensityAndTexts) {
  THest h(env_);
  h.TreningsMengde = 0.101;
  EXPECT_TRUE(h.EkstraAktivitet());
  h.TreningsMengde = 0.10;
  EXPECT_FALSE(h.EkstraAktivitet());
  h.TreningsMengde = 0.11;
  EXPECT_FALSE(h.EkstraAktivitet());

  h.Kategori = TDyreKategori::Vedlikehold;
  h.TreningsMengde = 0.7;
  h.AvledIntensitet();
  EXPECT_EQ(h.ArbeidsIntensitet, TArbeidsIntensitet::Arbudef);  // not for maintenance
  EXPECT_EQ(h.TreningsTekst(), "");
  h.Kategori = TDyreKategori::Trening;
  const std::pair<double, TArbeidsIntensitet> steps[] = {{0, TArbeidsIntensitet::Arbudef},
                                                        {0.25, TArbeidsIntensitet::Lett},
                                                        {0.26, TArbeidsIntensitet::Moderat},
                                                        {0.625, TArbeidsIntensitet::Hard},
                                                        {0.9, TArbeidsIntensitet::Intens}};
  for (auto [m, expected] : steps) {
    h.TreningsMengde = m;
    h.AvledIntensitet();
    EXPECT_EQ(h.ArbeidsIntensitet, expected) << m;
  }
  h.TreningsMengde = 0.5;
  h.AvledIntensitet();
  EXPECT_EQ(h.TreningsTekst(), "Tr\xE6ningsintensitet: Moderat arbejde (1,50*Vedligeholdelse)");
}

TEST_F(HestTest, FormulaVariables) {
  THest h(env_);
  h.VektListe->LeggTil(500, today());
  EXPECT_EQ(h.MaintenanceLevel(), 1);  // WarmBlood
  h.Kjonn = TKjonn::Hann;
  EXPECT_EQ(h.MaintenanceLevel(), 2);
  h.Kategori = TDyreKategori::Lakterende;
  h.PartusDato = today() - 40;
  EXPECT_NEAR(h.MilkProduction(), 500 * 0.0324, 1e-12);
  h.Kategori = TDyreKategori::Trening;
  h.ArbeidsIntensitet = TArbeidsIntensitet::Hard;
  EXPECT_NEAR(h.SweatLoss(), 5, 1e-12);
  EXPECT_EQ(h.TrainingIntensity(), 2);
  h.Behov[3] = 42;
  EXPECT_EQ(h.Requirement(3), 42);
  EXPECT_EQ(h.Requirement(24), 0);
  TUttrykk e("bw*0.0333");
  auto r = e.Evaluer(h, true, nullptr);
  ASSERT_TRUE(r.ok);
  EXPECT_NEAR(r.value, 16.65, 1e-9);
}

TEST_F(HestTest, ResetKeepsIdentity) {
  THest h(env_);
  h.Navn = "Bella";
  h.EierNavn = "Ida";
  h.brystmal = 180;
  h.Kategori = TDyreKategori::Trening;
  h.TreningsMengde = 0.5;
  h.DiaryMemo = "x";
  h.TreatmentListe->AddNew();
  h.VektListe->LeggTil(600, today() - 3);
  h.Nullstill(false);
  EXPECT_EQ(h.Navn, "Bella");
  EXPECT_EQ(h.EierNavn, "Ida");
  EXPECT_EQ(h.brystmal, 180);
  EXPECT_EQ(h.Kategori, TDyreKategori::Vedlikehold);
  EXPECT_EQ(h.TreningsMengde, 0);
  EXPECT_EQ(h.DiaryMemo, "");
  EXPECT_EQ(h.TreatmentListe->Count(), 0);
  ASSERT_EQ(h.VektListe->Antall(), 1);
  EXPECT_EQ(h.AktuellVekt(), 500);
  EXPECT_TRUE(h.ErNy);
}

TEST_F(HestTest, FingerprintNoticesChanges) {
  THest h(env_);
  const int32_t before = h.EndringsSum();
  h.Navn = "A";
  EXPECT_EQ(h.EndringsSum(), before + 'A');
  h.TreningsMengde = 0.5;
  EXPECT_EQ(h.EndringsSum(), before + 'A' + 50);
  const int32_t whole = h.Fingerprint();
  h.VektListe->LeggTil(500, today());
  EXPECT_NE(h.Fingerprint(), whole);
}

TEST_F(HestTest, CopyTakesTheListedValues) {
  THest a(env_);
  a.Navn = "Kilde";
  a.brystmal = 170;
  a.KontaktPerson = "not copied";
  a.VektListe->LeggTil(450, today() - 2);
  a.TreatmentListe->AddNew().TreatmentName = "Orm";
  a.ForListe->AddFeed(std::make_unique<TFor>(env_)).Fornavn = "Hø";
  THest b(env_);
  b.Kopier(a);
  EXPECT_EQ(b.Navn, "Kilde");
  EXPECT_EQ(b.brystmal, 170);
  EXPECT_EQ(b.KontaktPerson, "");
  EXPECT_EQ(b.AktuellVekt(), 450);
  ASSERT_EQ(b.TreatmentListe->Count(), 1);
  EXPECT_EQ(b.TreatmentListe->Items(0)->TreatmentName, "Orm");
  ASSERT_EQ(b.ForListe->Count(), 1);
  EXPECT_NE(b.ForListe->FeedAt(0), a.ForListe->FeedAt(0));
}

TEST_F(HestTest, FeedCostText) {
  THest h(env_);
  EXPECT_EQ(h.Foderomkostninger(), "foderomkostninger ikke beregnet");
  TFor& f = h.ForListe->AddFeed(std::make_unique<TFor>(env_));
  f.Valgt = true;
  f.Pris = 2.5;
  f.TildeltKg = 8;
  EXPECT_EQ(h.Foderomkostninger(), "foderomkostninger 20,00 kr/dag");
}

}  // namespace
}  // namespace stallora
