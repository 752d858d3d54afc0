// The installed requirement list (data/Resources/behovsliste.txt) checked against the
// NRC 2007 reference numbers. Every formula is evaluated by the real evaluator for a fake
// animal whose derived inputs (sweat, milk, growth-curve weight and gain) are made by the
// same functions the horse record uses.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "config/country_settings.h"
#include "core/daynum.h"
#include "core/objtext.h"
#include "core/seams.h"
#include "nutrition/behovsliste.h"
#include "nutrition/growth.h"
#include "nutrition/hest.h"
#include "nutrition/uttrykk.h"
#include "fake_subject.h"

namespace stallora {
namespace {

const char* const kListPath = STALLORA_DATA_DIR "/Resources/behovsliste.txt";

// Category lines of a requirement object.
enum Category { kUngdyr, kVedlikehold, kTrening, kDrektig, kLakterende, kAvlsdyr, kCategoryCount };

// Nutrient indexes.
enum {
  kEnergy, kProtein, kLysine, kCa, kP, kMg, kCaP, kSalt, kFe, kZn, kCu, kMn, kSe, kCo, kI,
  kVitA, kVitD, kVitE, kB1, kB2, kB6, kB12, kNiacin, kFolate
};

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A horse of one category as the formulas see it.
struct Animal : testing::FakeSubject {
  Category category = kVedlikehold;
};

Animal Maintenance(double bw, int maintlevel = 1) {
  Animal a;
  a.bw = bw;
  a.maintlevel = maintlevel;
  return a;
}

// ti: Lett 0 .. Intens 3, Arbudef 4.
Animal Working(double bw, int ti) {
  Animal a;
  a.category = kTrening;
  a.bw = bw;
  a.ti = ti;
  a.sweat = bw * SweatFactorForWork(ti);
  return a;
}

// A young horse on the NRC growth curve of a horse of mature weight `mw`; training is the
// UngDyrTrening ordinal (0 none .. 3 maximum).
Animal Young(double mw, int months, int training = 0) {
  Animal a;
  a.category = kUngdyr;
  const double days = months * 30.4;
  a.bw = ExpectedWeight(GrowthCurve::Nrc, days, mw);
  a.adg = ExpectedDailyGain(GrowthCurve::Nrc, days, mw);
  a.age = months;
  a.ti = training;
  a.yhtrained = training != 0;
  a.sweat = a.bw * SweatFactorForYoungTraining(training);
  return a;
}

Animal Pregnant(double bw, int mop) {
  Animal a;
  a.category = kDrektig;
  a.bw = bw;
  a.mop = mop;
  return a;
}

// Days since foaling that fall in lactation month `mol` (1-based) as the milk factor
// counts them; month 6 and later give the late factor.
int DaysInLactationMonth(int mol) { return mol <= 0 ? 0 : (mol - 1) * 31 + 10; }

Animal Lactating(double bw, int mol) {
  Animal a;
  a.category = kLakterende;
  a.bw = bw;
  a.mol = mol;
  a.milk = bw * MilkFactor(DaysInLactationMonth(mol));
  return a;
}

Animal BreedingStallion(double bw) {
  Animal a;
  a.category = kAvlsdyr;
  a.bw = bw;
  a.maintlevel = 2;
  a.sweat = bw * kSweatFactorBreeding;
  return a;
}

class RequirementList : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    registry_ = new ClassRegistry;
    registry_->Register(TBehovsobj::StaticClass());
    registry_->Register(TBehovsListe::StaticClass());
    list_ = new TBehovsListe;
    try {
      LoadRecordFromFile(*list_, kListPath, *registry_);
    } catch (const ObjTextError& e) {
      loadError_ = new std::string(e.what());
    }
  }
  static void TearDownTestSuite() {
    delete list_;
    delete registry_;
    delete loadError_;
    list_ = nullptr;
    registry_ = nullptr;
    loadError_ = nullptr;
  }

  static const TBehovsListe& List() { return *list_; }

  static const std::string& Formula(int nutrient, Category c) {
    const TBehovsobj* o = list_->Element(nutrient);
    static const std::string none;
    if (o == nullptr || o->Behovsstrenger.size() != kCategoryCount) return none;
    return o->Behovsstrenger[static_cast<size_t>(c)];
  }

  static UttrykkResultat Evaluate(int nutrient, const Animal& a) {
    return TUttrykk(Formula(nutrient, a.category), nutrient).Evaluer(a, true, nullptr);
  }

  // The value of a formula that must evaluate to a number.
  static double Req(int nutrient, const Animal& a) {
    const UttrykkResultat r = Evaluate(nutrient, a);
    EXPECT_TRUE(r.ok) << "nutrient " << nutrient << ", category " << a.category << ": " << r.message;
    EXPECT_FALSE(r.isTruthValue) << "nutrient " << nutrient << ", category " << a.category;
    return r.value;
  }

  static ClassRegistry* registry_;
  static TBehovsListe* list_;
  static std::string* loadError_;  // the reader's message when the file did not load
};

ClassRegistry* RequirementList::registry_ = nullptr;
TBehovsListe* RequirementList::list_ = nullptr;
std::string* RequirementList::loadError_ = nullptr;

// ---- the file ---------------------------------------------------------------------------

TEST_F(RequirementList, HoldsOneObjectPerNutrientWithSixFormulasAndTheCountryNames) {
  ASSERT_EQ(loadError_, nullptr) << *loadError_;
  const CountrySettings dan = ParseCountrySettings(ReadBytes(STALLORA_DATA_DIR "/dan.ini"));
  ASSERT_EQ(List().Antall(), 24);
  for (int n = 0; n < 24; ++n) {
    const TBehovsobj* o = List().Element(n);
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->NutrientNo, n);
    EXPECT_EQ(o->GlobalNutrientName, dan.NutrientName(n)) << n;
    ASSERT_EQ(o->Behovsstrenger.size(), size_t(kCategoryCount)) << n;
    for (const std::string& f : o->Behovsstrenger) EXPECT_FALSE(f.empty()) << n;
  }
  EXPECT_EQ(List().BehovslisteNavn, "NRC 2007");
  EXPECT_EQ(List().SpraakNr, 45);
  EXPECT_GT(List().Versjon, 0);
  EXPECT_GT(List().EndretDato, 0);
}

TEST_F(RequirementList, IsWrittenExactlyAsTheWriterWritesIt) {
  const std::string file = ReadBytes(kListPath);
  ASSERT_FALSE(file.empty());
  EXPECT_EQ(RecordText(List()), file);
  // Line ends are CR LF throughout, so no bare line feed.
  for (size_t i = 0; i < file.size(); ++i) {
    if (file[i] == '\n') {
      ASSERT_TRUE(i > 0 && file[i - 1] == '\r') << "bare LF at byte " << i;
    }
  }
}

// The block-by-block reading (each "object TBehovsobj" line up to the next line holding
// " end", joined and read on its own) must find the same objects as one reading of the
// whole file, so the formulas may not contain " end" or a line break.
TEST_F(RequirementList, ReadsTheSameBlockByBlock) {
  std::istringstream in(ReadBytes(kListPath));
  std::vector<std::unique_ptr<Record>> objects;
  std::string line;
  while (std::getline(in, line)) {
    if (line.find("object TBehovsobj") == std::string::npos) continue;
    std::string block = line;
    while (std::getline(in, line)) {
      block += line;
      if (line.find(" end") != std::string::npos) break;
    }
    objects.push_back(ReadRecordFromString(block, *registry_));
  }
  ASSERT_EQ(objects.size(), 24u);
  for (int n = 0; n < 24; ++n) {
    const auto* o = dynamic_cast<const TBehovsobj*>(objects[size_t(n)].get());
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->NutrientNo, n);
    EXPECT_EQ(o->Behovsstrenger, List().Element(n)->Behovsstrenger) << n;
  }
}

// ---- maintenance ----------------------------------------------------------------------

TEST_F(RequirementList, MaintenanceByLevel) {
  const double de[] = {15.15, 16.65, 18.15};
  const double cp[] = {540, 630, 720};
  const double lys[] = {23.2, 27.1, 31.0};
  for (int level = 0; level < 3; ++level) {
    const Animal a = Maintenance(500, level);
    EXPECT_NEAR(Req(kEnergy, a), de[level], 0.005) << level;
    EXPECT_NEAR(Req(kProtein, a), cp[level], 0.5) << level;
    EXPECT_NEAR(Req(kLysine, a), lys[level], 0.05) << level;
  }
}

TEST_F(RequirementList, MaintenanceMineralsAndVitamins) {
  const Animal a = Maintenance(500);
  EXPECT_NEAR(Req(kCa, a), 20, 0.01);
  EXPECT_NEAR(Req(kP, a), 14, 0.01);
  EXPECT_NEAR(Req(kMg, a), 7.5, 0.01);
  EXPECT_NEAR(Req(kCaP, a), 20.0 / 14, 0.01);
  EXPECT_NEAR(Req(kSalt, a), 10 / 0.393, 0.05);  // Na 10 g
  EXPECT_NEAR(Req(kFe, a), 400, 0.5);
  EXPECT_NEAR(Req(kZn, a), 400, 0.5);
  EXPECT_NEAR(Req(kCu, a), 100, 0.5);
  EXPECT_NEAR(Req(kMn, a), 400, 0.5);
  EXPECT_NEAR(Req(kSe, a), 1.0, 0.005);
  EXPECT_NEAR(Req(kCo, a), 0.5, 0.005);
  EXPECT_NEAR(Req(kI, a), 3.5, 0.005);
  EXPECT_NEAR(Req(kVitA, a), 15000, 1);
  EXPECT_NEAR(Req(kVitD, a), 3300, 1);
  EXPECT_NEAR(Req(kVitE, a), 500, 1);
  EXPECT_NEAR(Req(kB1, a), 30, 0.05);
  EXPECT_NEAR(Req(kB2, a), 20, 0.05);
}

// ---- work -----------------------------------------------------------------------------

TEST_F(RequirementList, WorkOfA500KgHorse) {
  const double de[] = {20.0, 23.3, 26.6, 34.5};
  const double cp[] = {699, 768, 862, 1004};
  const double lys[] = {30.1, 33.0, 37.1, 43.2};
  const double ca[] = {30, 35, 40, 40};
  const double p[] = {18, 21, 29, 29};
  const double mg[] = {9.5, 11.5, 15, 15};
  const double na[] = {13.9, 17.8, 25.5, 41.0};
  const double cu[] = {100, 112.5, 125, 125};
  const double zn[] = {400, 450, 500, 500};
  const double vitE[] = {800, 900, 1000, 1000};
  for (int ti = 0; ti < 4; ++ti) {
    const Animal a = Working(500, ti);
    EXPECT_NEAR(Req(kEnergy, a), de[ti], 0.05) << ti;
    EXPECT_NEAR(Req(kProtein, a), cp[ti], 0.6) << ti;
    EXPECT_NEAR(Req(kLysine, a), lys[ti], 0.05) << ti;
    EXPECT_NEAR(Req(kCa, a), ca[ti], 0.01) << ti;
    EXPECT_NEAR(Req(kP, a), p[ti], 0.01) << ti;
    EXPECT_NEAR(Req(kMg, a), mg[ti], 0.01) << ti;
    EXPECT_NEAR(Req(kCaP, a), ca[ti] / p[ti], 0.01) << ti;
    EXPECT_NEAR(Req(kSalt, a) * 0.393, na[ti], 0.06) << ti;  // Na, printed to 0.1 g
    EXPECT_NEAR(Req(kCu, a), cu[ti], 0.01) << ti;
    EXPECT_NEAR(Req(kZn, a), zn[ti], 0.01) << ti;
    EXPECT_NEAR(Req(kVitA, a), 22500, 1) << ti;
    EXPECT_NEAR(Req(kVitE, a), vitE[ti], 0.5) << ti;
  }
}

TEST_F(RequirementList, WorkAtOtherWeights) {
  const Animal moderate = Working(370, 1);
  EXPECT_NEAR(Req(kEnergy, moderate), 17.25, 0.005);
  EXPECT_NEAR(Req(kProtein, moderate), 568.22, 0.01);
  EXPECT_NEAR(Req(kCa, moderate), 25.9, 0.005);
  EXPECT_NEAR(Req(kMg, moderate), 8.51, 0.005);
  // The reference rounds 5 mg/kg DM at 2.25 % (0.1125 mg/kg BW) up to 0.113.
  EXPECT_NEAR(Req(kB1, moderate), 41.81, 0.2);
  EXPECT_NEAR(Req(kB2, moderate), 16.65, 0.005);
  const Animal light = Working(650, 0);
  EXPECT_NEAR(Req(kEnergy, light), 25.97, 0.005);
  EXPECT_NEAR(Req(kProtein, light), 908.94, 0.01);
  EXPECT_NEAR(Req(kCa, light), 39, 0.005);
  EXPECT_NEAR(Req(kMg, light), 12.35, 0.005);
}

// A horse in training whose intensity is undefined (Arbudef) is read as light work.
TEST_F(RequirementList, UndefinedIntensityCountsAsLightWork) {
  Animal undefinedWork = Working(500, 4);
  undefinedWork.sweat = Working(500, 0).sweat;
  for (int n : {kEnergy, kProtein, kLysine, kCa, kP, kMg, kCaP, kSalt, kVitE})
    EXPECT_DOUBLE_EQ(Req(n, undefinedWork), Req(n, Working(500, 0))) << n;
}

// ---- growth ---------------------------------------------------------------------------

TEST_F(RequirementList, GrowthOnTheNrcCurve) {
  const int months[] = {4, 6, 12, 18, 24};
  const double de[] = {13.25, 15.54, 18.78, 19.25, 18.70};
  const double cp[] = {669, 676, 846, 799, 770};
  for (size_t i = 0; i < std::size(months); ++i) {
    const Animal a = Young(500, months[i]);
    EXPECT_NEAR(Req(kEnergy, a), de[i], 0.01) << months[i];
    EXPECT_NEAR(Req(kProtein, a), cp[i], 0.6) << months[i];
    EXPECT_NEAR(Req(kLysine, a), 0.043 * cp[i], 0.05) << months[i];
    EXPECT_NEAR(Req(kVitA, a), 45 * a.bw, 1) << months[i];
    EXPECT_NEAR(Req(kVitE, a), 2 * a.bw, 0.5) << months[i];
  }
  const Animal yearling = Young(500, 12);
  ASSERT_NEAR(yearling.bw, 321.22, 0.05);
  EXPECT_NEAR(Req(kProtein, yearling), 845.69, 0.05);
  EXPECT_NEAR(Req(kCa, yearling), 37.66, 0.02);
  EXPECT_NEAR(Req(kP, yearling), 20.9, 0.05);
  EXPECT_NEAR(Req(kCaP, yearling), 37.66 / 20.9, 0.01);
  EXPECT_NEAR(Req(kVitD, yearling), 5600, 15);  // 17.4 IU/kg, as the NRC yearling table
  const Animal foal = Young(500, 4);
  EXPECT_NEAR(Req(kCa, foal), 39.1, 0.05);
  EXPECT_NEAR(Req(kP, foal), 21.7, 0.05);
  EXPECT_NEAR(Req(kVitD, foal), 22.2 * foal.bw, 0.5);
  EXPECT_NEAR(Req(kCu, foal), 0.25 * foal.bw, 0.01);
  EXPECT_NEAR(Req(kFe, foal), 50 * 0.025 * foal.bw, 0.01);
  const Animal twoYearOld = Young(500, 24);
  EXPECT_NEAR(Req(kVitD, twoYearOld), 13.7 * twoYearOld.bw, 0.5);
  EXPECT_NEAR(Req(kZn, twoYearOld), 40 * 0.02 * twoYearOld.bw, 0.01);
}

// Training of a young horse: the program adds the energy itself, the formulas add the
// protein of work and the salt lost in sweat.
TEST_F(RequirementList, YoungHorseInTraining) {
  const Animal untrained = Young(500, 24);
  const double k[] = {0, 0.089, 0.177, 0.266};
  for (int training = 1; training <= 3; ++training) {
    const Animal trained = Young(500, 24, training);
    ASSERT_GT(trained.sweat, 0);
    EXPECT_DOUBLE_EQ(Req(kEnergy, trained), Req(kEnergy, untrained)) << training;
    EXPECT_NEAR(Req(kProtein, trained) - Req(kProtein, untrained), k[training] * trained.bw + 19.747 * trained.sweat,
                0.01)
        << training;
    EXPECT_NEAR(Req(kLysine, trained), 0.043 * Req(kProtein, trained), 0.001) << training;
    EXPECT_NEAR((Req(kSalt, trained) - Req(kSalt, untrained)) * 0.393, 3.1 * trained.sweat, 0.001) << training;
    EXPECT_DOUBLE_EQ(Req(kCa, trained), Req(kCa, untrained)) << training;
  }
}

// ---- pregnancy ------------------------------------------------------------------------

TEST_F(RequirementList, PregnancyByMonth) {
  const double de[] = {17.09, 17.43, 17.89, 18.49, 19.25, 20.21, 21.39};  // months 5..11
  const double cp[] = {685, 704, 729, 759, 797, 841, 893};
  for (int mop = 5; mop <= 11; ++mop) {
    const Animal a = Pregnant(500, mop);
    EXPECT_NEAR(Req(kEnergy, a), de[mop - 5], 0.01) << mop;
    EXPECT_NEAR(Req(kProtein, a), cp[mop - 5], 0.6) << mop;
    EXPECT_NEAR(Req(kLysine, a), 0.043 * Req(kProtein, a), 0.001) << mop;
  }
  EXPECT_NEAR(Req(kProtein, Pregnant(500, 9)), 796.7, 0.05);
  for (int mop = 1; mop < 5; ++mop) {
    EXPECT_NEAR(Req(kEnergy, Pregnant(500, mop)), 16.65, 0.001) << mop;
    EXPECT_NEAR(Req(kProtein, Pregnant(500, mop)), 630, 0.01) << mop;
  }
  // Past month 11 (an overdue mare, or no mating date) the requirement stays at term.
  for (int mop : {12, 13, 36}) {
    for (int n : {kEnergy, kProtein, kLysine})
      EXPECT_NEAR(Req(n, Pregnant(500, mop)), Req(n, Pregnant(500, 11)), Req(n, Pregnant(500, 11)) * 1e-4) << mop;
  }
}

TEST_F(RequirementList, PregnancyMinerals) {
  struct Case {
    int mop;
    double ca, p, mg, na, cu, fe, i;
  };
  const Case cases[] = {{3, 20, 14, 7.5, 10, 100, 400, 3.5},       {6, 20, 14, 7.5, 10, 100, 400, 3.5},
                        {7, 28, 20, 7.6, 10, 100, 400, 3.5},       {9, 36, 26.25, 7.65, 11, 125, 500, 4.0},
                        {11, 36, 26.25, 7.65, 11, 125, 500, 4.0}};
  for (const Case& c : cases) {
    const Animal a = Pregnant(500, c.mop);
    EXPECT_NEAR(Req(kCa, a), c.ca, 0.01) << c.mop;
    EXPECT_NEAR(Req(kP, a), c.p, 0.01) << c.mop;
    EXPECT_NEAR(Req(kMg, a), c.mg, 0.01) << c.mop;
    EXPECT_NEAR(Req(kCaP, a), c.ca / c.p, 0.01) << c.mop;
    EXPECT_NEAR(Req(kSalt, a) * 0.393, c.na, 0.01) << c.mop;
    EXPECT_NEAR(Req(kCu, a), c.cu, 0.01) << c.mop;
    EXPECT_NEAR(Req(kFe, a), c.fe, 0.01) << c.mop;
    EXPECT_NEAR(Req(kI, a), c.i, 0.001) << c.mop;
    EXPECT_NEAR(Req(kVitA, a), 30000, 1) << c.mop;
    EXPECT_NEAR(Req(kVitE, a), 800, 1) << c.mop;
  }
}

// ---- lactation ------------------------------------------------------------------------

TEST_F(RequirementList, LactationByMonth) {
  const double milk[] = {16.3, 16.2, 14.95, 13.55, 12.2, 10.9};
  const double de[] = {31.73, 31.65, 30.61, 29.44, 28.32, 27.23};
  const double cp[] = {1535, 1530, 1468, 1398, 1330, 1265};
  for (int mol = 1; mol <= 6; ++mol) {
    const Animal a = Lactating(500, mol);
    ASSERT_NEAR(a.milk, milk[mol - 1], 0.001) << mol;
    EXPECT_NEAR(Req(kEnergy, a), de[mol - 1], 0.01) << mol;
    EXPECT_NEAR(Req(kProtein, a), cp[mol - 1], 0.6) << mol;
    EXPECT_NEAR(Req(kLysine, a), 0.043 * 1.44 * 500 + 3.3 * a.milk, 0.01) << mol;
    EXPECT_NEAR(Req(kVitA, a), 30000, 1) << mol;
    EXPECT_NEAR(Req(kVitE, a), 1000, 1) << mol;
  }
  const Animal first = Lactating(500, 1);
  EXPECT_NEAR(Req(kLysine, first), 84.7, 0.05);
  EXPECT_NEAR(Req(kCa, first), 59.12, 0.01);
  EXPECT_NEAR(Req(kP, first), 38.3, 0.05);
  EXPECT_NEAR(Req(kMg, first), 11.2, 0.05);
  EXPECT_NEAR(Req(kSalt, first) * 0.393, 12.8, 0.05);
  EXPECT_NEAR(Req(kCaP, first), 59.12 / 38.3, 0.01);
  EXPECT_NEAR(Req(kCu, first), 125, 0.01);
  EXPECT_NEAR(Req(kFe, first), 625, 0.01);  // 50 mg/kg DM at 2.5 %
  // From month 4 the milk is poorer in Ca, P and Na; Mg follows at month 6.
  const Animal fourth = Lactating(500, 4);
  EXPECT_NEAR(Req(kCa, fourth), 20 + 13.55 * 0.8 / 0.5, 0.01);
  EXPECT_NEAR(Req(kP, fourth), 500 * 0.01 / 0.45 + 13.55 * 0.5 / 0.45, 0.01);
  EXPECT_NEAR(Req(kMg, fourth), 7.5 + 13.55 * 0.09 / 0.4, 0.01);
  EXPECT_NEAR(Req(kSalt, fourth) * 0.393, 10 + 0.14 * 13.55, 0.01);
  EXPECT_NEAR(Req(kZn, fourth), 40 * 0.0225 * 500, 0.01);
  const Animal sixth = Lactating(500, 6);
  EXPECT_NEAR(Req(kMg, sixth), 7.5 + 10.9 * 0.045 / 0.4, 0.01);
  EXPECT_NEAR(Req(kZn, sixth), 400, 0.01);
}

TEST_F(RequirementList, HeavyLactatingMaresUseTheAverageMaintenanceRate) {
  const Animal heavy = Lactating(800, 1);
  EXPECT_NEAR(Req(kEnergy, heavy), 0.0333 * 800 + heavy.milk * 0.5 / 0.6, 0.001);
  const Animal limit = Lactating(700, 1);
  EXPECT_NEAR(Req(kEnergy, limit), 0.0363 * 700 + limit.milk * 0.5 / 0.6, 0.001);
}

// ---- breeding stallion ------------------------------------------------------------------

TEST_F(RequirementList, BreedingStallion) {
  const Animal a = BreedingStallion(500);
  EXPECT_NEAR(Req(kEnergy, a), 21.78, 0.005);
  EXPECT_NEAR(Req(kProtein, a), 789, 0.5);
  EXPECT_NEAR(Req(kLysine, a), 0.043 * 789, 0.05);
  EXPECT_NEAR(Req(kCa, a), 30, 0.01);
  EXPECT_NEAR(Req(kP, a), 18, 0.01);
  EXPECT_NEAR(Req(kMg, a), 9.5, 0.01);
  EXPECT_NEAR(Req(kSalt, a) * 0.393, 10 + 3.1 * 1.25, 0.01);
  EXPECT_NEAR(Req(kCu, a), 100, 0.01);
  EXPECT_NEAR(Req(kVitA, a), 22500, 1);
  EXPECT_NEAR(Req(kVitE, a), 800, 1);
}

// ---- intake-based nutrients ---------------------------------------------------------------

// Nutrients 18..23 are replaced by the program's own values (intake base d times a fixed
// amount per kg); the formulas give the same, so the formula editor shows what the
// program will use.
TEST_F(RequirementList, IntakeBasedNutrientsMatchTheProgramsRule) {
  const double perKg[] = {3, 2, 1, 0.01, 10, 1};
  auto check = [&](const Animal& a, double d, double thiamin) {
    EXPECT_NEAR(Req(kB1, a), d * thiamin, 1e-9) << a.category;
    for (int n = kB2; n <= kFolate; ++n) EXPECT_NEAR(Req(n, a), d * perKg[n - kB1], 1e-9) << a.category << " " << n;
  };
  check(Young(500, 12), 0.025 * Young(500, 12).bw, 3);
  check(Young(500, 12, 2), 0.025 * Young(500, 12).bw, 5);
  check(Maintenance(450), 0.02 * 450, 3);
  const double work[] = {0.02, 0.0225, 0.025, 0.025, 0.025};
  for (int ti = 0; ti <= 4; ++ti) check(Working(450, ti), work[ti] * 450, 5);
  check(Pregnant(450, 8), 0.02 * 450, 3);
  check(Lactating(450, 2), 0.025 * 450, 3);
  check(BreedingStallion(450), 0.02 * 450, 3);
}

// ---- every formula, every subject ----------------------------------------------------------

// Subjects of one category across the ranges the program can produce.
std::vector<Animal> SubjectsOf(Category c) {
  std::vector<Animal> out;
  for (double bw : {0.0, 50.0, 120.0, 300.0, 500.0, 700.0, 701.0, 1000.0}) {
    for (int level = 0; level <= 2; ++level) {
      Animal base = Maintenance(bw, level);
      base.category = c;
      switch (c) {
        case kUngdyr:
          for (int age = 0; age <= 36; ++age) {
            for (int training = 0; training <= 3; ++training) {
              Animal a = base;
              const double mw = bw == 0 ? 0 : bw * 1.5;
              a.bw = ExpectedWeight(GrowthCurve::Nrc, age * 30.4, mw);
              a.adg = ExpectedDailyGain(GrowthCurve::Nrc, age * 30.4, mw);
              a.age = age;
              a.ti = training;
              a.yhtrained = training != 0;
              a.sweat = a.bw * SweatFactorForYoungTraining(training);
              out.push_back(a);
            }
          }
          break;
        case kTrening:
          for (int ti = 0; ti <= 4; ++ti) {
            Animal a = Working(bw, ti);
            a.maintlevel = level;
            out.push_back(a);
          }
          break;
        case kDrektig:
          for (int mop = 0; mop <= 36; ++mop) {
            Animal a = base;
            a.mop = mop;
            out.push_back(a);
          }
          break;
        case kLakterende:
          for (int mol = 0; mol <= 36; ++mol) {
            Animal a = Lactating(bw, mol);
            a.maintlevel = level;
            out.push_back(a);
          }
          break;
        case kAvlsdyr: {
          Animal a = BreedingStallion(bw);
          a.maintlevel = level;
          out.push_back(a);
          break;
        }
        default:
          out.push_back(base);
      }
    }
  }
  return out;
}

TEST_F(RequirementList, EveryFormulaEvaluatesForEverySubject) {
  for (int c = 0; c < kCategoryCount; ++c) {
    const std::vector<Animal> subjects = SubjectsOf(Category(c));
    for (int n = 0; n < 24; ++n) {
      int failures = 0;
      for (const Animal& a : subjects) {
        const UttrykkResultat r = Evaluate(n, a);
        const bool good = r.ok && !r.isTruthValue && std::isfinite(r.value) && r.value >= 0;
        if (!good && failures++ < 3)
          ADD_FAILURE() << "nutrient " << n << ", category " << c << ", bw " << a.bw << ", mop " << a.mop << ", mol "
                        << a.mol << ", age " << a.age << ", ti " << a.ti << ": value " << r.value << " "
                        << r.message;
      }
    }
  }
}

// "er", "cp" and "euro" read the previous computation's requirements (after margins and
// the conversion to digestible protein), so no formula may depend on them.
TEST_F(RequirementList, NoFormulaDependsOnThePreviousRequirements) {
  for (int c = 0; c < kCategoryCount; ++c) {
    const std::vector<Animal> subjects = SubjectsOf(Category(c));
    for (size_t i = 0; i < subjects.size(); i += 7) {
      Animal a = subjects[i];
      for (int n = 0; n < 24; ++n) {
        std::fill(std::begin(a.behov), std::end(a.behov), 0.0);
        const double before = Req(n, a);
        std::fill(std::begin(a.behov), std::end(a.behov), 12345.0);
        EXPECT_EQ(Req(n, a), before) << "nutrient " << n << ", category " << c;
      }
    }
  }
}

// Every requirement except the Ca/P ratio is proportional to the animal's size: doubling
// body weight (and with it gain, sweat and milk, which scale with weight) doubles it. A
// constant term slipped into a formula, or a factor applied to the wrong term, breaks this.
TEST_F(RequirementList, RequirementsScaleWithBodyWeight) {
  auto twice = [](Animal a) {
    a.bw *= 2;
    a.adg *= 2;
    a.sweat *= 2;
    a.milk *= 2;
    return a;
  };
  std::vector<Animal> subjects = {Young(200, 3), Young(200, 9, 1), Young(200, 20, 3), Maintenance(200, 0),
                                  Maintenance(200, 2)};
  for (int ti = 0; ti < 4; ++ti) subjects.push_back(Working(200, ti));
  for (int mop = 1; mop <= 12; ++mop) subjects.push_back(Pregnant(200, mop));
  for (int mol = 1; mol <= 7; ++mol) subjects.push_back(Lactating(200, mol));
  subjects.push_back(BreedingStallion(200));
  for (const Animal& a : subjects) {
    for (int n = 0; n < 24; ++n) {
      const double single = Req(n, a);
      const double doubled = Req(n, twice(a));
      ASSERT_GT(single, 0) << "nutrient " << n << ", category " << a.category;
      EXPECT_NEAR(doubled / single, n == kCaP ? 1.0 : 2.0, 1e-9)
          << "nutrient " << n << ", category " << a.category << ", mop " << a.mop << ", mol " << a.mol << ", age "
          << a.age;
    }
  }
}

// ---- with a real horse ----------------------------------------------------------------

// The list as the program uses it: a horse record supplies the variables (weight from its
// weighings, months from its dates, milk and sweat from its category) and the requirement
// computation stores the formula results in BasisBehov.
class InstalledListWithAHorse : public RequirementList {
 protected:
  InstalledListWithAHorse() : clock_(EncodeDate(2026, 12, 9)), env_(clock_, Regional{}, 45, &active_, &settings_) {
    settings_.nutrients.resize(24);
    env_.requirementList = &List();
  }
  std::unique_ptr<THest> Horse(double weight) {
    auto h = std::make_unique<THest>(env_);
    h->VektListe->LeggTil(weight, today());
    return h;
  }
  DayNumber today() const { return clock_.Today(); }

  FixedClock clock_;
  TEnergyProteinObj active_;  // NRC 2007, DE in Mcal, crude protein
  CountrySettings settings_;
  RecordEnvironment env_;
};

TEST_F(InstalledListWithAHorse, EveryCategory) {
  auto mare = Horse(500);
  ASSERT_TRUE(mare->BeregnBehov());
  EXPECT_NEAR(mare->BasisBehov[kEnergy], 16.65, 1e-9);
  EXPECT_NEAR(mare->BasisBehov[kProtein], 630, 1e-9);
  EXPECT_NEAR(mare->BasisBehov[kCa], 20, 1e-9);
  EXPECT_NEAR(mare->Behov[kEnergy], 16.65, 1e-9);

  auto working = Horse(500);
  working->Kategori = TDyreKategori::Trening;
  working->TreningsMengde = 0.5;
  working->ArbeidsIntensitet = TArbeidsIntensitet::Moderat;
  ASSERT_TRUE(working->BeregnBehov());
  EXPECT_NEAR(working->BasisBehov[kEnergy], 23.31, 1e-9);
  EXPECT_NEAR(working->BasisBehov[kProtein], 768, 0.5);
  EXPECT_NEAR(working->BasisBehov[kSalt] * 0.393, 17.75, 1e-9);

  auto pregnant = Horse(500);
  pregnant->Kategori = TDyreKategori::Drektig;
  pregnant->ParringsDato = IncMonth(today(), -8) - 3;  // month 9
  ASSERT_EQ(pregnant->DrektighetsMnd(), 9);
  ASSERT_TRUE(pregnant->BeregnBehov());
  EXPECT_NEAR(pregnant->BasisBehov[kEnergy], 19.25, 0.005);
  EXPECT_NEAR(pregnant->BasisBehov[kProtein], 796.7, 0.05);
  EXPECT_NEAR(pregnant->BasisBehov[kCa], 36, 1e-9);

  auto lactating = Horse(500);
  lactating->Kategori = TDyreKategori::Lakterende;
  lactating->PartusDato = today() - 10;  // month 1
  ASSERT_TRUE(lactating->BeregnBehov());
  EXPECT_NEAR(lactating->BasisBehov[kEnergy], 31.73, 0.005);
  EXPECT_NEAR(lactating->BasisBehov[kProtein], 1535, 0.5);
  EXPECT_NEAR(lactating->BasisBehov[kCa], 59.12, 0.005);

  auto stallion = Horse(500);
  stallion->Kategori = TDyreKategori::Avlsdyr;
  stallion->Kjonn = TKjonn::Hann;
  ASSERT_TRUE(stallion->BeregnBehov());
  EXPECT_NEAR(stallion->BasisBehov[kEnergy], 21.78, 1e-9);
  EXPECT_NEAR(stallion->BasisBehov[kProtein], 789, 0.5);

  // A yearling of a 500 kg breed, weighed on its curve (a young horse's weight is that of
  // a second weighing dated today).
  const double birthDaysAgo = 365;
  auto yearling = Horse(ExpectedWeight(GrowthCurve::Nrc, birthDaysAgo, 500));
  yearling->VektListe->LeggTil(ExpectedWeight(GrowthCurve::Nrc, birthDaysAgo, 500), today());
  yearling->Kategori = TDyreKategori::Ungdyr;
  yearling->ForventetVoksenvekt = 500;
  yearling->Fodselsdato = today() - birthDaysAgo;
  ASSERT_EQ(yearling->AlderMnd(), 12);
  ASSERT_TRUE(yearling->BeregnBehov());
  EXPECT_NEAR(yearling->BasisBehov[kEnergy], 18.78, 0.02);
  EXPECT_NEAR(yearling->BasisBehov[kProtein], 846, 1);
  EXPECT_NEAR(yearling->BasisBehov[kCa], 37.66, 0.05);
}

}  // namespace
}  // namespace stallora
