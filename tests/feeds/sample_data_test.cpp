// The feed lists shipped with the Danish edition (data/Save/Feeds/45): a generic list of
// common feedstuffs, a feed company's guarantee list and a mix. The lists are made here from
// the tables below; with STALLORA_WRITE_SAMPLE_DATA=1 in the environment the test writes
// them, otherwise it checks that the shipped files are exactly what the tables give, that
// they load, and that they come back byte for byte when written again.
//
// Values are per kg dry matter in the tables (supplements: per kg as fed) and are stored
// per kg as fed. Energy is in Danish horse feed units (net energy, 1 fe = 9.414 MJ NE),
// protein is digestible crude protein in g. See data/README.md for the sources.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "feeds/feedlist.h"
#include "feeds/guarantee.h"
#include "feeds_test_env.h"

namespace stallora {
namespace {

using testing::FeedsEnv;

// The 23 analysis values without the ratio (index 6), in nutrient order:
// fe, DCP g, lysine g, Ca g, P g, Mg g, NaCl g, Fe mg, Zn mg, Cu mg, Mn mg, Se mg, Co mg,
// I mg, vit A IU, vit D IU, vit E IU, B1 mg, B2 mg, B6 mg, B12 mg, niacin mg, folic acid mg.
struct Row {
  const char* name;  // UTF-8
  int category;
  double dryMatter;
  double price;  // kr/kg as fed
  bool perKgAsFed;
  double v[23];
};

// clang-format off
const Row kGeneric[] = {
  {"Hø, tidligt slæt, god kvalitet", 6, 85, 2.50, false, {0.68, 70, 4.0, 5.0, 3.0, 1.6, 0.8, 200, 28, 7, 90, 0.04, 0.15, 0.25, 12000, 1000, 40, 3.0, 12, 4.0, 0, 30, 1.0}},
  {"Hø, middel kvalitet", 6, 86, 2.00, false, {0.58, 50, 3.0, 4.5, 2.5, 1.5, 0.5, 220, 25, 6, 80, 0.03, 0.12, 0.20, 6000, 800, 25, 2.5, 9, 3.0, 0, 25, 0.8}},
  {"Hø, sent slæt, groft", 6, 87, 1.50, false, {0.48, 30, 2.0, 3.5, 2.0, 1.3, 0.4, 180, 20, 5, 70, 0.03, 0.10, 0.15, 2500, 600, 15, 2.0, 6, 2.0, 0, 20, 0.5}},
  {"Hø, 2. slæt", 6, 85, 2.75, false, {0.64, 75, 4.3, 6.0, 3.2, 2.0, 1.0, 250, 30, 8, 100, 0.05, 0.15, 0.25, 15000, 800, 50, 3.0, 13, 4.0, 0, 35, 1.2}},
  {"Lucernehø", 6, 88, 4.50, false, {0.62, 130, 8.5, 14, 2.6, 3.0, 2.5, 250, 25, 9, 35, 0.10, 0.20, 0.20, 24000, 1200, 60, 3.5, 14, 6.0, 0, 40, 2.5}},
  {"Wrap, tidligt slæt, 60 % TS", 6, 60, 2.25, false, {0.72, 85, 4.8, 5.5, 3.2, 1.8, 1.3, 300, 30, 8, 90, 0.05, 0.15, 0.30, 16000, 300, 60, 2.5, 10, 4.0, 0, 30, 1.0}},
  {"Wrap, 70 % TS", 6, 70, 2.00, false, {0.68, 70, 4.0, 5.0, 3.0, 1.7, 1.3, 280, 28, 7, 85, 0.04, 0.13, 0.25, 12000, 300, 45, 2.5, 9, 3.5, 0, 28, 0.9}},
  {"Wrap, sent slæt, 75 % TS", 6, 75, 1.60, false, {0.58, 45, 2.8, 4.0, 2.3, 1.4, 1.0, 250, 22, 6, 75, 0.03, 0.10, 0.20, 6000, 250, 25, 2.0, 7, 3.0, 0, 22, 0.6}},
  {"Græsensilage, 35 % TS", 6, 35, 1.20, false, {0.75, 100, 5.0, 6.0, 3.5, 2.0, 2.5, 350, 32, 9, 95, 0.05, 0.15, 0.30, 20000, 200, 50, 2.5, 10, 4.0, 0, 30, 0.8}},
  {"Byghalm", 6, 88, 1.00, false, {0.35, 8, 1.0, 3.5, 1.0, 1.0, 2.5, 200, 10, 4, 30, 0.02, 0.05, 0.10, 400, 500, 5, 1.0, 2.0, 1.0, 0, 10, 0.2}},
  {"Hvedehalm", 6, 88, 0.90, false, {0.30, 3, 0.8, 2.8, 0.8, 0.9, 1.3, 150, 8, 3, 35, 0.02, 0.05, 0.10, 300, 500, 4, 0.8, 1.8, 0.8, 0, 8, 0.2}},
  {"Havrehalm", 6, 88, 1.10, false, {0.38, 10, 1.2, 3.5, 1.2, 1.1, 2.5, 250, 12, 4, 40, 0.02, 0.06, 0.10, 500, 500, 6, 1.2, 2.5, 1.0, 0, 12, 0.3}},
  {"Græs, forår (afgræsning)", 10, 18, 0.35, false, {0.90, 150, 8.0, 5.0, 4.0, 2.0, 3.0, 250, 35, 9, 100, 0.05, 0.15, 0.40, 100000, 100, 250, 5, 18, 6, 0, 50, 3.0}},
  {"Græs, sommer (afgræsning)", 10, 22, 0.35, false, {0.80, 110, 6.0, 5.5, 3.5, 2.0, 3.0, 220, 30, 8, 90, 0.04, 0.12, 0.35, 80000, 100, 180, 4, 15, 5, 0, 45, 2.5}},
  {"Græs, efterår (afgræsning)", 10, 20, 0.35, false, {0.75, 120, 6.5, 6.0, 3.8, 2.2, 3.0, 300, 35, 9, 110, 0.05, 0.15, 0.40, 70000, 50, 150, 4, 15, 5, 0, 45, 2.5}},
  {"Havre", 8, 87, 3.50, false, {0.96, 85, 4.5, 1.0, 3.8, 1.3, 0.5, 80, 35, 5, 45, 0.05, 0.05, 0.10, 0, 0, 15, 6.5, 1.5, 2.0, 0, 15, 0.4}},
  {"Havre, valset", 8, 87, 4.50, false, {1.00, 88, 4.5, 1.0, 3.8, 1.3, 0.5, 80, 35, 5, 45, 0.05, 0.05, 0.10, 0, 0, 12, 6.0, 1.5, 2.0, 0, 15, 0.4}},
  {"Nøgen havre", 8, 87, 6.00, false, {1.25, 110, 5.5, 0.8, 4.0, 1.3, 0.5, 70, 35, 4.5, 40, 0.05, 0.05, 0.10, 0, 0, 15, 6.0, 1.5, 1.5, 0, 12, 0.5}},
  {"Byg", 8, 87, 3.00, false, {1.14, 85, 4.3, 0.7, 4.0, 1.3, 0.5, 60, 30, 5, 18, 0.05, 0.05, 0.08, 0, 0, 20, 5.0, 1.8, 5.0, 0, 55, 0.5}},
  {"Bygflager", 8, 88, 5.50, false, {1.20, 88, 4.3, 0.7, 4.0, 1.3, 0.5, 60, 30, 5, 18, 0.05, 0.05, 0.08, 0, 0, 15, 4.0, 1.6, 4.5, 0, 50, 0.45}},
  {"Majs", 8, 87, 3.50, false, {1.30, 65, 2.8, 0.4, 3.0, 1.2, 0.3, 35, 25, 3, 7, 0.05, 0.05, 0.05, 800, 0, 22, 4.0, 1.3, 6.0, 0, 25, 0.4}},
  {"Majsflager", 8, 89, 6.50, false, {1.38, 70, 2.6, 0.4, 2.8, 1.1, 0.3, 35, 22, 3, 6, 0.05, 0.04, 0.05, 500, 0, 15, 3.0, 1.1, 5.0, 0, 22, 0.35}},
  {"Hvede", 8, 87, 3.00, false, {1.25, 105, 3.6, 0.6, 3.7, 1.3, 0.3, 50, 35, 5, 40, 0.05, 0.05, 0.08, 0, 0, 15, 5.0, 1.5, 4.5, 0, 60, 0.5}},
  {"Hvedeklid", 8, 88, 4.00, false, {0.78, 125, 6.5, 1.5, 11.5, 4.5, 0.3, 150, 95, 12, 125, 0.06, 0.10, 0.10, 0, 0, 20, 9.0, 4.0, 12, 0, 240, 1.5}},
  {"Roepiller, melasserede", 8, 89, 4.75, false, {0.95, 55, 5.5, 9.5, 0.9, 2.5, 5.0, 450, 20, 9, 60, 0.10, 0.20, 0.30, 0, 0, 5, 0.5, 1.0, 1.5, 0, 20, 0.4}},
  {"Roesnitter, umelasserede", 8, 89, 5.25, false, {0.90, 55, 5.5, 10, 0.9, 2.5, 3.8, 400, 20, 9, 60, 0.10, 0.20, 0.30, 0, 0, 5, 0.5, 1.0, 1.5, 0, 20, 0.4}},
  {"Sojaskrå, afskallet", 8, 88, 5.50, false, {1.15, 455, 33, 3.5, 7.0, 3.0, 0.3, 200, 55, 20, 40, 0.25, 0.20, 0.15, 0, 0, 3, 6.5, 3.2, 6.5, 0, 30, 0.8}},
  {"Rapskage", 8, 90, 4.25, false, {1.05, 270, 19, 7.0, 11.0, 5.0, 0.3, 200, 60, 7, 60, 0.30, 0.20, 0.20, 0, 0, 30, 5.0, 4.0, 8, 0, 170, 2.2}},
  {"Hørfrø, hele", 8, 92, 12.00, false, {1.60, 190, 9, 2.5, 5.5, 4.0, 2.0, 100, 45, 11, 30, 0.20, 0.10, 0.10, 0, 0, 15, 4.5, 1.5, 3.5, 0, 30, 1.0}},
  {"Hørfrøkage", 8, 90, 6.50, false, {1.00, 280, 12.5, 4.0, 9.0, 5.5, 2.0, 300, 70, 20, 45, 0.30, 0.20, 0.15, 0, 0, 10, 7.0, 3.0, 6.0, 0, 35, 1.2}},
  {"Lucernepiller", 6, 90, 5.00, false, {0.62, 125, 8.0, 16, 2.7, 3.0, 2.5, 300, 25, 9, 35, 0.10, 0.20, 0.20, 50000, 200, 100, 3.5, 15, 7, 0, 45, 3.0}},
  {"Græspiller", 6, 90, 4.50, false, {0.70, 100, 6.5, 6.5, 3.5, 2.0, 3.0, 300, 30, 9, 90, 0.05, 0.15, 0.25, 60000, 200, 120, 4, 14, 6, 0, 50, 2.5}},
  {"Melasse (roe)", 8, 75, 4.00, false, {0.95, 35, 0.5, 3.0, 0.3, 0.3, 25, 100, 15, 5, 20, 0.05, 0.40, 0.30, 0, 0, 5, 1.0, 3.0, 5.0, 0, 50, 0.2}},
  {"Ølgær, tørret", 8, 92, 18.00, false, {1.05, 400, 32, 2.0, 15, 2.5, 3.0, 100, 50, 30, 10, 0.90, 0.20, 0.10, 0, 0, 2, 90, 35, 40, 0.001, 450, 10}},
  {"Rapsolie", 7, 99.8, 16.00, false, {2.40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 300, 0, 0, 0, 0, 0, 0}},
  {"Sojaolie", 7, 99.8, 18.00, false, {2.40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 150, 0, 0, 0, 0, 0, 0}},
  {"Hørfrøolie", 7, 99.8, 35.00, false, {2.40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 20, 0, 0, 0, 0, 0, 0}},
  {"Gulerødder", 5, 12, 3.00, false, {1.10, 55, 3.5, 3.5, 3.0, 1.5, 1.8, 50, 25, 5, 15, 0.02, 0.05, 0.20, 250000, 0, 5, 6, 5, 11, 0, 80, 1.5}},
  {"Mineralfoder til hest, staldperiode", 9, 97, 22.00, true, {0, 0, 0, 150, 50, 40, 100, 1000, 3500, 900, 3000, 15, 8, 40, 400000, 50000, 6000, 150, 100, 60, 0.4, 400, 40}},
  {"Mineralfoder til hest, græsningssæson", 9, 97, 24.00, true, {0, 0, 0, 100, 60, 80, 120, 500, 4000, 1000, 2500, 15, 8, 40, 100000, 20000, 5000, 100, 60, 40, 0.2, 250, 25}},
  {"Foderkridt", 9, 99.5, 3.50, true, {0, 0, 0, 380, 0, 5, 0, 500, 0, 0, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  {"Monocalciumfosfat", 9, 97, 12.00, true, {0, 0, 0, 170, 225, 5, 1, 2000, 100, 10, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  {"Magnesiumoxid", 9, 99, 15.00, true, {0, 0, 0, 20, 0, 520, 0, 3000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  {"Fodersalt (NaCl)", 9, 99.8, 4.00, true, {0, 0, 0, 0, 0, 0, 995, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  {"Saltsten med jod", 9, 99.5, 12.00, true, {0, 0, 0, 0, 0, 5, 980, 0, 0, 0, 0, 0, 20, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  {"Elektrolyttilskud", 9, 97, 45.00, true, {0.30, 0, 0, 0, 0, 20, 550, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  {"Vitamin E og selen", 9, 95, 120.00, true, {0.60, 60, 3, 2, 5, 2, 0.5, 100, 50, 8, 60, 40, 0, 0, 0, 0, 25000, 5, 2, 5, 0, 100, 1}},
  {"B-vitamintilskud", 9, 95, 150.00, true, {0.70, 60, 3, 2, 5, 2, 0.5, 100, 50, 8, 60, 0.05, 0, 0, 0, 0, 20, 4000, 2000, 1500, 5, 8000, 500}},
  {"AD3E-tilskud", 9, 95, 110.00, true, {0.50, 40, 2, 3, 4, 2, 1, 100, 40, 6, 50, 0.05, 0, 0, 1000000, 150000, 20000, 0, 0, 0, 0, 0, 0}},
};

struct BrandedRow {
  Row row;
  const char* brand;
  int number;
  const char* text;  // UTF-8
};

const BrandedRow kNordhavre[] = {
  {{"Nordhavre Havre, valset", 8, 88, 5.25, false, {1.00, 90, 4.6, 1.0, 3.8, 1.3, 0.5, 80, 35, 5, 45, 0.05, 0.05, 0.10, 0, 0, 15, 6.0, 1.5, 2.0, 0, 15, 0.4}}, "Nordhavre", 1101, "Dansk havre, dampet og valset."},
  {{"Nordhavre Basis Piller", 7, 88, 6.95, false, {0.95, 110, 6.0, 12, 6.0, 3.5, 8, 250, 120, 35, 100, 0.50, 0.50, 1.0, 15000, 1700, 150, 8, 6, 4, 0.02, 40, 2.0}}, "Nordhavre", 1201, "Pilleteret foder til heste i let arbejde."},
  {{"Nordhavre Müsli", 7, 88, 8.50, false, {1.00, 100, 5.5, 10, 5.5, 3.0, 6, 200, 100, 30, 90, 0.45, 0.40, 0.80, 12000, 1500, 120, 7, 5, 4, 0.015, 35, 1.8}}, "Nordhavre", 1202, "Müsli med havre, majs, roer og olie."},
  {{"Nordhavre Roemix", 7, 89, 5.95, false, {0.92, 70, 5.0, 9.0, 2.5, 2.8, 6, 350, 60, 20, 70, 0.30, 0.30, 0.50, 8000, 1000, 80, 3, 3, 3, 0.01, 25, 1.0}}, "Nordhavre", 1203, "Roepiller med vitaminer og mineraler."},
  {{"Nordhavre Hørfrø Mash", 7, 90, 11.50, false, {1.15, 130, 7.0, 8.0, 6.0, 3.5, 5, 200, 110, 30, 80, 0.45, 0.40, 0.80, 10000, 1200, 200, 6, 4, 5, 0.01, 40, 1.5}}, "Nordhavre", 1204, "Mash med kogte hørfrø; udrøres i varmt vand."},
  {{"Nordhavre Hø-erstatning", 6, 88, 6.50, false, {0.70, 70, 4.0, 7.0, 3.0, 2.0, 3, 300, 40, 12, 80, 0.15, 0.20, 0.40, 10000, 800, 60, 3, 8, 3, 0, 30, 1.0}}, "Nordhavre", 1301, "Snittet grovfoder til heste med dårlige tænder."},
  {{"Nordhavre Mineral Plus", 9, 97, 26.00, true, {0, 0, 0, 140, 45, 45, 110, 800, 4000, 1000, 3000, 18, 8, 45, 350000, 45000, 8000, 150, 100, 60, 0.4, 400, 40}}, "Nordhavre", 1401, "Mineral- og vitaminblanding til stald og græs."},
  {{"NH Sport Energi", 7, 89, 9.95, false, {1.10, 125, 7.5, 11, 6.5, 3.5, 10, 250, 130, 40, 110, 0.60, 0.50, 1.0, 16000, 1800, 250, 10, 7, 6, 0.03, 50, 2.5}}, "NH Sport", 2101, "Energirigt foder til sportsheste i hårdt arbejde."},
  {{"NH Sport Elektrolyt", 9, 97, 49.00, true, {0.30, 0, 0, 5, 0, 25, 550, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}, "NH Sport", 2401, "Elektrolytter efter træning og konkurrence."},
  {{"NH Senior Mash", 7, 88, 10.50, false, {0.95, 115, 7.0, 10, 5.0, 3.0, 7, 220, 120, 35, 90, 0.50, 0.40, 0.80, 14000, 1600, 300, 8, 6, 5, 0.02, 45, 2.0}}, "NH Senior", 3101, "Letfordøjeligt foder til ældre heste."},
};
// clang-format on

void FillFeed(TFor& f, const Row& r) {
  f.Fornavn = Utf8ToCp1252(r.name);
  f.Fortype = static_cast<TForkategorier>(r.category);
  f.TorrStoff = r.dryMatter;
  f.Pris = r.price;
  const double toAsFed = r.perKgAsFed ? 1.0 : r.dryMatter / 100;
  for (int k = 0; k < 23; ++k) {
    const int index = k < 6 ? k : k + 1;
    // Stored as the "Analyser" block stores it: three decimals.
    f.SetValue(index, std::round(r.v[k] * toAsFed * 1000) / 1000);
  }
  f.UpdateRatio();
  f.SetValue(6, std::round(f.Value(6) * 1000) / 1000);
}

void StampHeader(TForListe& list, const std::string& name) {
  list.ForlisteNavn = Utf8ToCp1252(name);
  list.SpraakNr = 45;
  list.Versjon = kProgramVersion;
  list.Versjonstekst = "15-01-2025";
  list.EndretDato = EncodeDate(2025, 1, 15);
  list.SetEnergyRecord(testing::DanishRecord());
}

std::unique_ptr<TForListe> GenericList(const RecordEnvironment& env) {
  auto list = std::make_unique<TForListe>(env);
  StampHeader(*list, "Standard foderliste");
  for (const Row& r : kGeneric) {
    auto f = std::make_unique<TFor>(env);
    FillFeed(*f, r);
    f->Brand = "GENERIC";
    f->KanIkkeEndres = true;
    f->Origin = 45;
    f->KarotenRikt = r.category == 10 || r.v[14] >= 50000;
    list->AddFeed(std::move(f));
  }
  return list;
}

std::unique_ptr<TForListe> GuaranteeList(const RecordEnvironment& env) {
  auto list = std::make_unique<TForListe>(env);
  StampHeader(*list, "Nordhavre Foder");
  list->ErGarantiForliste = true;
  list->GarantiForlisteVersjon = 3;
  list->Versjonstekst = "Version 3, januar 2025";
  for (const BrandedRow& b : kNordhavre) {
    auto f = std::make_unique<TFor>(env);
    FillFeed(*f, b.row);
    f->Brand = b.brand;
    f->Fornummer = b.number;
    f->KommersieltFor = true;
    f->KanIkkeEndres = true;
    f->Origin = 45;
    f->Enhetsvekt = b.row.category == 9 ? 10 : 20;
    f->UserText = Utf8ToCp1252(b.text);
    f->FeedURL = "https://nordhavre.example.dk/produkter/" + std::to_string(b.number);
    list->AddFeed(std::move(f));
  }
  return list;
}

std::unique_ptr<TForListe> MixList(const RecordEnvironment& env, const TForListe& generic) {
  auto mix = std::make_unique<TForListe>(env);
  StampHeader(*mix, "Havreblanding");
  mix->ForBlanding = true;
  mix->mixFile = true;
  mix->Forblandingstype = 3;
  const std::pair<const char*, double> parts[] = {{"Havre, valset", 3.0},
                                                  {"Roepiller, melasserede", 1.0},
                                                  {"Hørfrø, hele", 0.25},
                                                  {"Mineralfoder til hest, staldperiode", 0.1}};
  for (auto [name, kg] : parts) {
    const TFor* source = generic.FeedByName(Utf8ToCp1252(name));
    EXPECT_NE(source, nullptr) << name;
    if (!source) continue;
    auto f = source->Clone();
    f->TildeltKg = kg;
    f->Valgt = true;
    mix->AddFeed(std::move(f));
  }
  return mix;
}

std::filesystem::path DataDir() { return std::filesystem::path(STALLORA_DATA_DIR) / "Save" / "Feeds" / "45"; }

struct Sample {
  const char* file;
  std::string text;
};

std::vector<Sample> MakeSamples(const RecordEnvironment& env) {
  auto generic = GenericList(env);
  auto guarantee = GuaranteeList(env);
  auto mix = MixList(env, *generic);
  return {{"Standard foderliste.eqf", RecordText(*generic)},
          {"Nordhavre Foder.eqf", RecordText(*guarantee)},
          {"Havreblanding.mix", RecordText(*mix)}};
}

TEST(SampleData, ShippedFilesAreWhatTheTablesGive) {
  FeedsEnv fx(',', false);
  const std::vector<Sample> samples = MakeSamples(*fx.env);
  const char* write = std::getenv("STALLORA_WRITE_SAMPLE_DATA");
  for (const Sample& s : samples) {
    const auto path = DataDir() / s.file;
    if (write && std::string(write) == "1") {
      ASSERT_TRUE(WriteFileAtomically(path, s.text)) << path;
    }
    EXPECT_EQ(ReadWholeFile(path), s.text) << path << " differs from the tables; regenerate it";
  }
}

TEST(SampleData, EveryFileLoadsAndRoundTripsByteForByte) {
  FeedsEnv fx;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(DataDir())) {
    ++files;
    const auto bytes = ReadWholeFile(entry.path());
    ASSERT_TRUE(bytes);
    TForListe list(*fx.env);
    LoadRecordFromFile(list, entry.path(), ClassRegistry::Global(), fx.env.get());
    EXPECT_EQ(RecordText(list), *bytes) << entry.path();
    TForListe loaded(*fx.env);
    loaded.LoadFromFile(entry.path());
    EXPECT_EQ(loaded.Count(), list.Count());
    EXPECT_EQ(loaded.mixFile, entry.path().extension() == ".mix");
    EXPECT_TRUE(loaded.SameEnergySystem(testing::DanishRecord())) << entry.path();
    for (const auto& f : loaded.Feeds()) {
      EXPECT_EQ(f->ValueCount(), 24) << f->Fornavn;
      EXPECT_GT(f->TorrStoff, 0);
      EXPECT_GT(f->Pris, 0);
      EXPECT_NEAR(f->Value(6), f->Value(4) > 0 ? f->Value(3) / f->Value(4) : 0.0, 0.001) << f->Fornavn;
    }
  }
  EXPECT_GE(files, 3);
}

TEST(SampleData, TheGenericListCoversTheCommonFeedstuffs) {
  FeedsEnv fx;
  TForListe list(*fx.env);
  list.LoadFromFile(DataDir() / "Standard foderliste.eqf");
  EXPECT_GE(list.Count(), 40);
  EXPECT_FALSE(IsGuaranteeList(list));
  EXPECT_GE(list.RoughageCount(), 15);
  EXPECT_GE(list.GrazingCount(), 3);
  int supplements = 0;
  for (const auto& f : list.Feeds()) {
    EXPECT_TRUE(IsGenericFeed(*f));
    if (IsSupplementCategory(f->Fortype)) ++supplements;
  }
  EXPECT_GE(supplements, 8);
  // Plausibility per kg as fed: oats about 0.8 fe and 70-80 g DCP; salt is salt.
  const TFor* oats = list.FeedByName("Havre");
  ASSERT_TRUE(oats);
  EXPECT_NEAR(oats->Value(0), 0.835, 0.01);
  EXPECT_NEAR(oats->Value(1), 74, 1);
  const TFor* salt = list.FeedByName("Fodersalt (NaCl)");
  ASSERT_TRUE(salt);
  EXPECT_EQ(salt->Value(7), 995);
  EXPECT_EQ(salt->Value(0), 0);
  EXPECT_EQ(list.FeedAt(0)->FeedStatusIcon(), 26);  // generic roughage
}

TEST(SampleData, TheGuaranteeListIsTheSettingsFileOne) {
  FeedsEnv fx;
  ASSERT_EQ(fx.settings.guaranteeFeedFile, "Nordhavre Foder.eqf");
  TForListe list(*fx.env);
  list.LoadFromFile(DataDir() / fx.settings.guaranteeFeedFile);
  EXPECT_TRUE(IsGuaranteeList(list));
  EXPECT_EQ(list.GarantiForlisteVersjon, 3);
  EXPECT_EQ(list.ForlisteNavn + ".eqf", fx.settings.guaranteeFeedFile);
  for (const auto& f : list.Feeds()) {
    EXPECT_TRUE(f->KommersieltFor);
    EXPECT_TRUE(f->KanIkkeEndres);
    EXPECT_GE(f->FeedStatusIcon(), 22);
    EXPECT_LE(f->FeedStatusIcon(), 25);
  }
  // Its brands are the feed company's of the settings file.
  EXPECT_EQ(list.Brands(), (std::vector<std::string>{"NH Senior", "NH Sport", "Nordhavre"}));
  EXPECT_TRUE(std::string(fx.settings.feedCompanies.at(0).brands).find("NH Senior") != std::string::npos);
}

TEST(SampleData, TheMixIsAMixOfGenericFeeds) {
  FeedsEnv fx;
  TForListe mix(*fx.env);
  mix.LoadFromFile(DataDir() / "Havreblanding.mix");
  EXPECT_TRUE(mix.ForBlanding);
  EXPECT_TRUE(mix.mixFile);
  EXPECT_EQ(mix.Count(), 4);
  EXPECT_DOUBLE_EQ(mix.TotalKg(), 4.35);
  auto feed = mix.MixAsFeed();
  ASSERT_TRUE(feed);
  EXPECT_EQ(feed->ValueCount(), 24);
  EXPECT_GT(feed->Value(0), 0.8);
  EXPECT_LT(feed->Value(0), 1.0);
}

}  // namespace
}  // namespace stallora
