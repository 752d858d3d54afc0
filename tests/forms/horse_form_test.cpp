#include "forms/horse_form.h"

#include <gtest/gtest.h>

#include <cmath>

namespace stallora {
namespace {

class HorseFormTest : public ::testing::Test {
 protected:
  HorseFormTest() : clock_(EncodeDate(2026, 12, 9)), env_(clock_, Regional{}, 45, &active_, &settings_) {
    RegisterFeedClasses();
    RegisterNutritionClasses();
    settings_.nutrients.resize(24);
    settings_.nutrients[0] = {"Energi", "MJ", 1};
    settings_.categoryNames = {"F\xF8l og unghest", "Vedligeholdelse", "Tr\xE6ning", "Dr\xE6gtig hoppe",
                               "Diegivende hoppe", "Avlshingst"};
    settings_.breeds.push_back({"Arabisk fuldblod", "450", "420", TBlodsType::FullBlood, "arab.jpg"});
    settings_.breeds.push_back({"Fjordhest", "480", "440", TBlodsType::ColdBlood, "fjord.jpg"});
  }
  DayNumber today() const { return clock_.Today(); }

  FixedClock clock_;
  TEnergyProteinObj active_;
  CountrySettings settings_;
  RecordEnvironment env_;
};

TEST_F(HorseFormTest, NameChecksDuplicatesForbiddenMarkerAndPoints) {
  NameCheck dup = CheckHorseName("Blakken", {"Blakken", "Freja"});
  ASSERT_EQ(dup.messages.size(), 1u);
  EXPECT_EQ(dup.messages[0], "Hest findes allerede. Angiv andet navn!");
  EXPECT_TRUE(dup.keepFocus);
  // A prefix of another horse's name is not a duplicate yet.
  EXPECT_TRUE(CheckHorseName("Blak", {"Blakken"}).messages.empty());

  NameCheck marker = CheckHorseName("xxx_Freja", {});
  ASSERT_EQ(marker.messages.size(), 1u);
  EXPECT_EQ(marker.messages[0], "Ikke tilladt navn. Slet xxx_");
  EXPECT_TRUE(marker.keepFocus);

  NameCheck points = CheckHorseName("St.Hans.2", {});
  ASSERT_EQ(points.messages.size(), 1u);
  EXPECT_EQ(points.messages[0], ". ikke tilladt");
  EXPECT_EQ(points.text, "St-Hans-2");
  EXPECT_FALSE(points.keepFocus);
}

TEST_F(HorseFormTest, SexAndCategoryPullEachOther) {
  EXPECT_EQ(CategoryAfterSexChoice(TDyreKategori::Drektig, TKjonn::Hann), TDyreKategori::Vedlikehold);
  EXPECT_EQ(CategoryAfterSexChoice(TDyreKategori::Lakterende, TKjonn::Hann), TDyreKategori::Vedlikehold);
  EXPECT_EQ(CategoryAfterSexChoice(TDyreKategori::Avlsdyr, TKjonn::Hunn), TDyreKategori::Vedlikehold);
  EXPECT_EQ(CategoryAfterSexChoice(TDyreKategori::Trening, TKjonn::Hann), TDyreKategori::Trening);

  THest mare(env_);
  mare.Kjonn = TKjonn::Hunn;
  mare.Kategori = TDyreKategori::Lakterende;
  ApplyAdultCategory(mare, TDyreKategori::Avlsdyr);
  EXPECT_EQ(mare.Kjonn, TKjonn::Hann);
  THest stallion(env_);
  stallion.Kjonn = TKjonn::Hann;
  ApplyAdultCategory(stallion, TDyreKategori::Drektig);
  EXPECT_EQ(stallion.Kjonn, TKjonn::Hunn);
  EXPECT_EQ(stallion.ParringsDato, today());
  EXPECT_EQ(stallion.PartusDato, 0);
}

TEST_F(HorseFormTest, AdultCategoryRefusesAYoungBirthDate) {
  THest h(env_);
  h.Navn = "Freja";
  h.Fodselsdato = today() - 400;
  h.youngHorseDefined = true;
  const std::string message = ApplyAdultCategory(h, TDyreKategori::Vedlikehold);
  EXPECT_EQ(message, "F\xF8" "dsels\xE5r for voksen hest \"Freja\" m\xE5 v\xE6re i omr\xE5" "det 1986 - 2023");
  EXPECT_EQ(h.Fodselsdato, today() - 1825);
  EXPECT_FALSE(h.youngHorseDefined);
  // Exactly 36 months back is still too recent; one day more is an adult.
  h.Fodselsdato = IncMonth(today(), -36);
  EXPECT_FALSE(ApplyAdultCategory(h, TDyreKategori::Vedlikehold).empty());
  h.Fodselsdato = IncMonth(today(), -36) - 1;
  EXPECT_TRUE(ApplyAdultCategory(h, TDyreKategori::Vedlikehold).empty());
}

TEST_F(HorseFormTest, YoungBirthDatesAndAges) {
  EXPECT_EQ(ClampYoungBirthDate(today() + 7, today()), today());
  EXPECT_EQ(ClampYoungBirthDate(IncMonth(today(), -40), today()), IncMonth(today(), -36) + 1);
  EXPECT_EQ(ClampYoungBirthDate(today() - 100, today()), today() - 100);
  // round(3 * 30.5) = 92; round(5 * 30.5) = 152 (152.5 to even).
  EXPECT_EQ(BirthDateFromMonths(3, today()), today() - 92);
  EXPECT_EQ(BirthDateFromMonths(5, today()), today() - 152);
  EXPECT_EQ(BirthDateFromMonths(1, today()), today() - 30);  // 30.5 to even
  EXPECT_EQ(ShownAge(false, EncodeDate(2019, 12, 31), today()), 7);
  EXPECT_EQ(ShownAge(true, today() - 40, today()), 1);
  EXPECT_EQ(ShownAge(true, today() - 10, today()), 0);
  EXPECT_EQ(YoungBirthIntervalText(env_.regional, today()),
            "Unghestens f\xF8" "dselsdato m\xE5 v\xE6re i intervallet 09-12-2023 - 09-12-2026");
}

TEST_F(HorseFormTest, YoungDefinitionDialogRules) {
  EXPECT_EQ(DateOfSlider(6, today()), EncodeDate(2026, 6, 9));
  EXPECT_EQ(SliderPosition(DateOfSlider(6, today()), today()), 6);
  EXPECT_EQ(AgeLabel(DateOfSlider(6, today()), today()), "Alder: 6 m\xE5neder");
  EXPECT_EQ(SliderPosition(today() - 10, today()), 0);
  EXPECT_EQ(SliderPosition(today() - 40, today()), 1);
  const DayNumber thirty = IncMonth(today(), -30);
  EXPECT_EQ(SliderPosition(thirty, today()), 24);
  EXPECT_EQ(AgeLabel(thirty, today()), "Alder: 30 m\xE5neder");
}

TEST_F(HorseFormTest, ReproductionRangesAndBox) {
  const Regional& r = env_.regional;
  EXPECT_FALSE(MatingDateProblem(today() - 375, r, today()));
  auto problem = MatingDateProblem(today() - 376, r, today());
  ASSERT_TRUE(problem);
  EXPECT_EQ(*problem, "Bed\xE6kningsdato m\xE5 v\xE6re i omr\xE5" "det 29-11-2025 - 09-12-2026");
  EXPECT_TRUE(MatingDateProblem(today() + 1, r, today()));
  EXPECT_FALSE(FoalingDateProblem(today() - 515, r, today()));
  EXPECT_TRUE(FoalingDateProblem(today() - 516, r, today()));

  EXPECT_FALSE(MatingAcceptedWhileLactating(today() - 93, today() - 100));
  EXPECT_TRUE(MatingAcceptedWhileLactating(today() - 92, today() - 100));

  THest h(env_);
  h.Kategori = TDyreKategori::Lakterende;
  h.PartusDato = today() - 100;
  h.ParringsDato = today() - 92;  // 8 days after: kept, but not shown
  ReproductionBox b = ReproductionBoxOf(h, today());
  EXPECT_TRUE(b.showFoaling);
  EXPECT_FALSE(b.showMating);
  EXPECT_TRUE(b.showNewMating);
  h.ParringsDato = today() - 90;  // 10 days after: pregnant again
  b = ReproductionBoxOf(h, today());
  EXPECT_TRUE(b.showMating);
  EXPECT_EQ(b.monthsPregnant, MonthNumber(today() - 90, today()));
  // A foaling 5 days ago offers no new mating yet.
  h.PartusDato = today() - 5;
  h.ParringsDato = 0;
  EXPECT_FALSE(ReproductionBoxOf(h, today()).showNewMating);
  NewMating(h, today());
  EXPECT_EQ(h.ParringsDato, today());

  h.Kategori = TDyreKategori::Drektig;
  h.ParringsDato = IncMonth(today(), -13);
  b = ReproductionBoxOf(h, today());
  EXPECT_EQ(b.mating, today());
  EXPECT_EQ(b.monthsPregnant, 1);
  EXPECT_EQ(DateFromMonthsField(3, today()), EncodeDate(2026, 9, 24));
}

TEST_F(HorseFormTest, LactatingDefaultsKeepARecentMatingAfterTheFoaling) {
  THest h(env_);
  h.Kategori = TDyreKategori::Lakterende;
  h.PartusDato = today() - 60;
  h.ParringsDato = today() - 40;
  ApplyReproductionDefaults(h, today());
  EXPECT_EQ(h.PartusDato, today() - 60);
  EXPECT_EQ(h.ParringsDato, today() - 40);
  h.ParringsDato = today() - 55;  // 5 days after the foaling
  ApplyReproductionDefaults(h, today());
  EXPECT_EQ(h.ParringsDato, 0);
  h.PartusDato = IncMonth(today(), -18);
  ApplyReproductionDefaults(h, today());
  EXPECT_EQ(h.PartusDato, today());
}

TEST_F(HorseFormTest, TypedValueLimits) {
  EXPECT_FALSE(AdultWeightProblem(50));
  EXPECT_FALSE(AdultWeightProblem(1600));
  EXPECT_EQ(AdultWeightProblem(1601).value_or(""), "Ugyldig v\xE6gt (max 1600 kg)");
  EXPECT_EQ(AdultWeightProblem(49).value_or(""), "Ugyldig v\xE6gt (min 50 kg)");
  EXPECT_FALSE(DailyGainProblem(2));
  EXPECT_EQ(DailyGainProblem(2.01).value_or(""), "Fejl:! Tilv\xE6kst for hurtig (max 2.00 kg)");
  EXPECT_FALSE(GirthProblem(64));
  EXPECT_FALSE(GirthProblem(360));
  EXPECT_EQ(GirthProblem(63).value_or(""), "Gjordm\xE5l....m\xE5 v\xE6re i omr\xE5" "det 64 - 360 cm");
  EXPECT_FALSE(RegistrationNumberProblem(""));
  EXPECT_FALSE(RegistrationNumberProblem("752004000012345"));
  EXPECT_EQ(RegistrationNumberProblem("75200400001234").value_or(""),
            "For f\xE5 tegn\rNummeret m\xE5 ha 15 tegn");
  EXPECT_EQ(ParseTypedNumber("0,75").value_or(-1), 0.75);
  EXPECT_EQ(ParseTypedNumber(" 1.5 ").value_or(-1), 1.5);
  EXPECT_FALSE(ParseTypedNumber("1,2,3"));
  EXPECT_FALSE(ParseTypedNumber("abc"));
  EXPECT_FALSE(ParseTypedNumber(""));
  EXPECT_EQ(ConditionFactor(0), 1.05);
  EXPECT_EQ(ConditionFactor(2), 0.95);
  EXPECT_EQ(ConditionItem(1.05), 0);
  EXPECT_EQ(ConditionItem(1.0), 1);
  EXPECT_EQ(ConditionItem(0.95), 2);
}

TEST_F(HorseFormTest, BreedLinesWeightsAndHint) {
  const Breed& arab = settings_.breeds[0];
  EXPECT_EQ(BreedWeightLine(arab), "Arabisk fuldblod   (450 kg / 420 kg)");
  EXPECT_EQ(BreedOfWeightLine(BreedWeightLine(arab)), "Arabisk fuldblod");
  std::vector<std::string> lines = {BreedWeightLine(arab), BreedWeightLine(settings_.breeds[1]), "Fjord (1 kg)"};
  EXPECT_EQ(LastLineContaining(lines, "Fjord"), 2);
  EXPECT_EQ(LastLineContaining(lines, ""), -1);
  EXPECT_EQ(BreedStandardWeight(arab, TKjonn::Hann), 450);
  EXPECT_EQ(BreedStandardWeight(arab, TKjonn::Hunn), 420);
  EXPECT_EQ(FindBreed(settings_, "Fjordhest"), &settings_.breeds[1]);
  EXPECT_EQ(FindBreed(settings_, "Ukendt"), nullptr);
  EXPECT_EQ(AdultWeightHint("Freja", nullptr, "Hoppe", 500),
            "Freja: Race ukendt. Du m\xE5 selv angive v\xE6gt som voksen");
  EXPECT_EQ(AdultWeightHint("Freja", &arab, "Hoppe", 420),
            "Freja: Arabisk fuldblod- Hoppe. Forventet voksenv\xE6gt:420 kg\rJuster v\xE6gten hvis du mener hesten "
            "bliver for lille eller stor!\r\rArabisk fuldblod: Voksen hoppe vejer 336 - 462 kg. Voksen hingst vejer "
            "360 - 495 kg.");
}

TEST_F(HorseFormTest, WeighingsAreInsertedDeletedAndReplaced) {
  TVektListe list;
  EXPECT_EQ(InsertWeighingAfter(list, 3, 500, 100), 0);
  EXPECT_EQ(InsertWeighingAfter(list, 0, 510, 200), 1);
  EXPECT_EQ(InsertWeighingAfter(list, 0, 505, 150), 1);
  ASSERT_EQ(list.Antall(), 3);
  EXPECT_EQ(list.Element(1)->Vekt, 505);
  EXPECT_EQ(list.Element(2)->Vekt, 510);
  EXPECT_FALSE(DeleteWeighing(list, 3));
  EXPECT_TRUE(DeleteWeighing(list, 1));
  ASSERT_EQ(list.Antall(), 2);
  EXPECT_EQ(list.Element(1)->Vekt, 510);
  SetFirstWeighing(list, 40, 50);
  EXPECT_EQ(list.Element(0)->Vekt, 40);
  EXPECT_EQ(list.Element(0)->Dato, 50);
  TVektListe empty;
  SetFirstWeighing(empty, 40, 50);
  EXPECT_EQ(empty.Antall(), 1);
}

TEST_F(HorseFormTest, TodaysWeightReplacesOnlyAWeighingOfToday) {
  THest h(env_);
  h.VektListe->LeggTil(480, today() - 30);
  SetTodaysWeight(h, 490);
  ASSERT_EQ(h.VektListe->Antall(), 2);
  SetTodaysWeight(h, 495);
  ASSERT_EQ(h.VektListe->Antall(), 2);
  EXPECT_EQ(h.VektListe->Siste()->Vekt, 495);
}

TEST_F(HorseFormTest, BreedStandardWeightStartsTheWeighingsAnew) {
  THest adult(env_);
  adult.VektListe->LeggTil(480, today() - 30);
  adult.VektListe->LeggTil(490, today() - 3);
  ApplyBreedStandardWeight(adult, 450);
  ASSERT_EQ(adult.VektListe->Antall(), 1);
  EXPECT_EQ(adult.VektListe->Element(0)->Vekt, 450);
  EXPECT_EQ(adult.VektListe->Element(0)->Dato, today());

  THest young(env_);
  young.Kategori = TDyreKategori::Ungdyr;
  young.Fodselsdato = today() - 100;
  young.VektListe->LeggTil(50, today() - 100);
  ApplyBreedStandardWeight(young, 420);
  EXPECT_EQ(young.ForventetVoksenvekt, 420);
  ASSERT_EQ(young.VektListe->Antall(), 1);
  EXPECT_NEAR(young.VektListe->Element(0)->Vekt, 42, 1e-9);
  EXPECT_EQ(young.VektListe->Element(0)->Dato, today() - 100);
}

TEST_F(HorseFormTest, YoungCategoryProposesADefinitionAndTakesTheDialogsValues) {
  THest h(env_);
  h.Navn = "Freja";
  h.Kjonn = TKjonn::Hann;
  // An adult's birth date (5 years back) is outside the young range.
  YoungDefinition d = StartYoungCategory(h, &settings_.breeds[0]);
  EXPECT_TRUE(d.needed);
  EXPECT_EQ(d.message, "Freja: Unghestens f\xF8" "dselsdato m\xE5 v\xE6re i intervallet 09-12-2023 - 09-12-2026");
  EXPECT_EQ(d.adultWeight, 450);
  EXPECT_EQ(d.birth, EncodeDate(2026, 6, 9));
  EXPECT_NEAR(h.Fodselsvekt, 450 * 0.097, 1e-9);  // NRC curve
  ASSERT_EQ(h.VektListe->Antall(), 1);
  EXPECT_EQ(h.VektListe->Element(0)->Dato, d.birth);

  ApplyYoungDefinition(h, today() + 3, "480");
  EXPECT_EQ(h.Fodselsdato, today());
  EXPECT_EQ(h.ForventetVoksenvekt, 480);
  ApplyYoungDefinition(h, today() - 200, "abc");  // not a number: the weight stays
  EXPECT_EQ(h.ForventetVoksenvekt, 480);
  ApplyYoungDefinition(h, today() - 200, "5");  // no horse weighs 5 kg as an adult
  EXPECT_EQ(h.ForventetVoksenvekt, 480);
  FinishYoungCategory(h);
  EXPECT_NEAR(h.Sistetilvekst, h.ForventetTilvekst(today()), 1e-12);
  EXPECT_NEAR(h.AktuellVektRec.Vekt, h.ForventetVekt(today()), 1e-9);

  // A second time the horse is known: no message.
  h.youngHorseDefined = true;
  h.Kategori = TDyreKategori::Vedlikehold;
  h.Fodselsdato = today() - 2000;
  EXPECT_TRUE(StartYoungCategory(h, nullptr).message.empty());
  EXPECT_EQ(h.ForventetVoksenvekt, 500);
}

TEST_F(HorseFormTest, FrenchSystemBirthWeight) {
  active_.Energiberegning = TEnergiBeregning::fransk;
  THest h(env_);
  StartYoungCategory(h, nullptr);
  EXPECT_NEAR(h.Fodselsvekt, 50, 1e-9);
}

TEST_F(HorseFormTest, YoungBirthDateMovesTheWeighings) {
  THest h(env_);
  h.Kategori = TDyreKategori::Ungdyr;
  h.ForventetVoksenvekt = 500;
  h.VektListe->LeggTil(48, today() - 300);
  h.VektListe->LeggTil(900, today() - 2);  // above the adult weight
  ApplyYoungBirthDate(h, today() - 200);
  EXPECT_EQ(h.Fodselsdato, today() - 200);
  EXPECT_EQ(h.VektListe->Element(0)->Dato, today() - 200);
  EXPECT_EQ(h.VektListe->Element(0)->Vekt, 50);
  EXPECT_EQ(h.VektListe->Siste()->Dato, today());
  EXPECT_NEAR(h.VektListe->Siste()->Vekt, h.ForventetVekt(today()), 1e-9);
  // A birth date tomorrow becomes today; the estimate is raised to the first weighing.
  ApplyYoungBirthDate(h, today() + 1);
  EXPECT_EQ(h.Fodselsdato, today());
  EXPECT_GE(h.VektListe->Siste()->Vekt, h.VektListe->Element(0)->Vekt);
  EXPECT_NEAR(h.Sistetilvekst, h.ForventetTilvekst(today()), 1e-12);
}

TEST_F(HorseFormTest, TrainingControlsAndPaddockMark) {
  THest h(env_);
  h.Kategori = TDyreKategori::Vedlikehold;
  ApplyTrainingControls(h, {true, 0});
  EXPECT_TRUE(h.EkstraAktivitet());
  ApplyTrainingControls(h, {false, 0});
  EXPECT_EQ(h.TreningsMengde, 0);

  h.Kategori = TDyreKategori::Trening;
  TrainingControls c = ApplyTrainingControls(h, {true, 40});
  EXPECT_EQ(h.TreningsMengde, 0.4);
  EXPECT_FALSE(c.paddock);
  h.TreningsMengde = 0.101;
  c = ApplyTrainingControls(h, {false, 40});
  EXPECT_EQ(c.trackPosition, 10);
  EXPECT_TRUE(h.EkstraAktivitet());

  h.Kategori = TDyreKategori::Drektig;
  h.TreningsMengde = 0;
  c = ApplyTrainingControls(h, {true, 0});
  EXPECT_TRUE(h.EkstraAktivitet());
  EXPECT_EQ(c.trackPosition, 10);
  EXPECT_TRUE(PaddockEnabled(h));
  h.TreningsMengde = 0.3;
  EXPECT_FALSE(PaddockEnabled(h));

  h.Kategori = TDyreKategori::Ungdyr;
  ApplyTrainingControls(h, {true, 0});
  EXPECT_TRUE(h.EkstraAktivitet());
  h.UngDyrTrening = TUngDyrTrening::YoungSlightTraining;
  ApplyTrainingControls(h, {false, 0});
  EXPECT_TRUE(h.EkstraAktivitet());  // trained young horses keep what they have

  EXPECT_FALSE(PaddockVisible(h));  // NRC system
  active_.Energiberegning = TEnergiBeregning::fransk;
  EXPECT_TRUE(PaddockVisible(h));
  h.Kategori = TDyreKategori::Trening;
  EXPECT_FALSE(PaddockVisible(h));
}

TEST_F(HorseFormTest, TrainingLabels) {
  THest h(env_);
  h.Kategori = TDyreKategori::Trening;
  h.Behov[0] = 83.25;
  EXPECT_EQ(EnergyRequirementLabel(h, 25), "Energibehov: 83,3 MJ\r(1,25 * Vedligeholdelse)");
  EXPECT_EQ(RationEnergyLabel(h), "");
  h.Kategori = TDyreKategori::Drektig;
  h.ParringsDato = IncMonth(today(), -8) + 1;  // month 8 of the pregnancy
  EXPECT_EQ(PregnancyTrainingWarning(h), "");
  h.ParringsDato = IncMonth(today(), -8);  // month 9
  EXPECT_EQ(PregnancyTrainingWarning(h),
            "Hesten er i sidste trediedel af dr\xE6gtighedsperioden.\rTr\xE6ningen b\xF8r ikke v\xE6re over let!"
            "  (max 1.25 * vedligeholdelse)");
}

TEST_F(HorseFormTest, EnergyBarGeometry) {
  EnergyBar b = ComputeEnergyBar(250, 80, 100, 60);
  EXPECT_EQ(b.unit, 2);
  EXPECT_EQ(b.line, 200);
  EXPECT_EQ(b.greenEnd, 96);   // 80 * 60 / 100 * 2
  EXPECT_EQ(b.yellowEnd, 160);
  EXPECT_EQ(b.redEnd, 0);
  b = ComputeEnergyBar(250, 126, 100, 60);
  EXPECT_EQ(b.redEnd, 252);
  EXPECT_EQ(b.yellowEnd, 0);
  EXPECT_FALSE(ComputeEnergyBar(250, 80, 0, 60).valid);
  EXPECT_EQ(EnergyBarHint(61.25, ','), "Gr\xF8n: Grovfoder (61,3%), Gul: Kraftfoder");
}

TEST(RoundAxis, StepsOfOneTwoOrFiveTimesAPowerOfTen) {
  struct Case {
    double maximum;
    double step;
    int intervals;
  };
  for (const Case c : {Case{605, 100, 7}, Case{600, 100, 6}, Case{727.5, 100, 8}, Case{801, 200, 5},
                       Case{100, 20, 5}, Case{62.5, 10, 7}, Case{1, 0.2, 5}, Case{1999, 500, 4},
                       Case{0.013, 0.002, 7}, Case{0, 0.2, 5}}) {
    SCOPED_TRACE(c.maximum);
    const RoundAxis a = RoundAxisFor(c.maximum);
    EXPECT_DOUBLE_EQ(a.step, c.step);
    EXPECT_EQ(a.intervals, c.intervals);
    EXPECT_GE(a.top + 1e-9, c.maximum);
    EXPECT_LE(a.intervals, 8);
  }
}

TEST_F(HorseFormTest, WeightChartAxes) {
  THest h(env_);
  h.VektListe->LeggTil(480, today() - 30);
  EXPECT_FALSE(WeightChartShown(h));
  h.VektListe->LeggTil(520, today());
  EXPECT_TRUE(WeightChartShown(h));
  EXPECT_EQ(WeightChartMaximum(h), 650);
  // Round ticks up to the maximum: 0, 100, ..., 700, not 0, 130, 260, ...
  const RoundAxis axis = WeightChartAxis(h);
  EXPECT_EQ(axis.step, 100);
  EXPECT_EQ(axis.intervals, 7);
  EXPECT_EQ(axis.top, 700);

  h.Kategori = TDyreKategori::Ungdyr;
  h.ForventetVoksenvekt = 500;
  EXPECT_EQ(WeightChartMaximum(h), 570);  // round(57.14) * 10
  h.Fodselsdato = IncMonth(today(), -10);
  EXPECT_EQ(YoungChartEnd(h, today()), IncMonth(h.Fodselsdato, 15));
  h.Fodselsdato = IncMonth(today(), -20);
  EXPECT_EQ(YoungChartEnd(h, today()), IncMonth(h.Fodselsdato, 36));
  std::vector<ChartPoint> lower, upper;
  GrowthBand(h, h.Fodselsdato + 9, lower, upper);
  ASSERT_EQ(lower.size(), 10u);
  EXPECT_NEAR(lower[0].kg, 48.5 * 0.95, 1e-9);
  EXPECT_NEAR(upper[0].kg, 48.5 * 1.05, 1e-9);
  EXPECT_EQ(YoungChartCaption(321.4),
            "R\xF8" "de sirkler: observerede v\xE6gter. Orange triangel: teoretisk v\xE6gt (321 kg)");
}

TEST_F(HorseFormTest, TreatmentDoneDatesAndModes) {
  EXPECT_EQ(CheckDoneDate(today(), today()), DoneDateCheck::kOk);
  EXPECT_EQ(CheckDoneDate(today() + 3, today()), DoneDateCheck::kConfirm);
  EXPECT_EQ(CheckDoneDate(today() + 7, today()), DoneDateCheck::kConfirm);
  EXPECT_EQ(CheckDoneDate(today() + 8, today()), DoneDateCheck::kRefuse);
  EXPECT_EQ(CheckDoneDate(today() + 4000, today()), DoneDateCheck::kOk);  // the not-done mark
  EXPECT_EQ(DoneDateConfirmText(), "Behandlingsdato ikke godkendt\rForts\xE6t?");
  EXPECT_EQ(DoneDateRefusedText(env_.regional, today()),
            "Behandlingsdato ikke godkendt\rMaksimalt tilladt er 16-12-2026\rAngiv ny dato!");

  TTreatmentList list(env_);
  TTreatmentObj& t = list.AddNew();
  EXPECT_EQ(DateModeOf(t, true), TreatmentDateMode::kNew);
  EXPECT_EQ(TreatmentDateCaption(t, TreatmentDateMode::kNew), "Angiv en dato for hvorn\xE5r behandling er");
  EXPECT_EQ(DateModeOf(t, false), TreatmentDateMode::kPlanned);
  EXPECT_EQ(TreatmentDateCaption(t, TreatmentDateMode::kPlanned),
            "Behandling planlagt 09-12-2026. Angiv en dato for hvorn\xE5r behandling er udf\xF8rt");
  t.DoneDate = today() - 1;
  EXPECT_EQ(DateModeOf(t, true), TreatmentDateMode::kDone);
  EXPECT_EQ(TreatmentDateCaption(t, TreatmentDateMode::kDone), "Behandling udf\xF8rt 08-12-2026");
}

TEST_F(HorseFormTest, BanHintFollowsTheBan) {
  TTreatmentList list(env_);
  TTreatmentObj& t = list.AddNew();
  t.TreatmentName = "Halthed";
  list.StoreEdited(t, TTreatmentType::Vet, "Halthed", today(), today(), today() + 1, "", 0);
  EXPECT_EQ(BanHint(list),
            "Startforbud til: 10-12-2026\rBehandling: 09-12-2026: Halthed\rDobbeltklik for at vise behandling");
  clock_.Set(today() + 1);
  list.UpdateBan();
  EXPECT_EQ(BanHint(list), "");
}

TEST_F(HorseFormTest, TreatmentButtonsAndRegister) {
  TreatmentButtons b = TreatmentButtonRules(0, false, false);
  EXPECT_FALSE(b.report);
  EXPECT_FALSE(b.remove);
  EXPECT_FALSE(b.sort);
  EXPECT_TRUE(b.add);
  b = TreatmentButtonRules(2, true, true);
  EXPECT_TRUE(b.report);
  EXPECT_TRUE(b.remove);
  EXPECT_FALSE(b.sort);
  EXPECT_FALSE(b.add);

  TPreferences p;
  p.TreatmentRegister = {"Tand%www.tand.dk#", "%#"};
  AddOwnTreatmentName(p, 0, "Mit%navn#");
  std::vector<std::string> names, addresses;
  p.TreatmentEntries(0, names, addresses);
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[1], "Mitnavn");
  EXPECT_EQ(addresses[1], "");
  EXPECT_EQ(addresses[0], "www.tand.dk");
  AddOwnTreatmentName(p, 4, "Foling");  // beyond the register's lines
  ASSERT_EQ(p.TreatmentRegister.size(), 5u);

  EXPECT_TRUE(IsWebAddress("http://WWW.vet.dk/x"));
  EXPECT_FALSE(IsWebAddress("www"));
  EXPECT_FALSE(IsWebAddress("vet.dk"));
  EXPECT_EQ(TreatmentPage("Tand", "www.tand.dk"), "www.tand.dk");
  EXPECT_EQ(TreatmentPage("Bl\xE5 tunge", ""), "https://duckduckgo.com/?q=Hest+Bl%C3%A5+tunge");
}

}  // namespace
}  // namespace stallora
