#include "config/energy_protein.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/objtext.h"

namespace stallora {
namespace {

using B = EnergiBasisType;
using U = EnergiEnhetstype;

std::unique_ptr<TEnergyProteinObj> Obj(B basis, U unit, double factor) {
  auto o = std::make_unique<TEnergyProteinObj>();
  o->EnergiBasis = basis;
  o->EnergiEnhet = unit;
  o->EnergiFaktor = factor;
  return o;
}

TEST(KonverterEnergi, DocumentedExamples) {
  EXPECT_NEAR(Obj(B::NE, U::MJ, 1)->KonverterEnergi(10, B::DE, U::MCal, 1), 25.11, 1e-12);
  EXPECT_NEAR(Obj(B::NE, U::MJ, 1)->KonverterEnergi(1, B::NE, U::fe, 1), 9.414, 1e-12);
  EXPECT_NEAR(Obj(B::NE, U::fe, 0.95)->KonverterEnergi(9.414, B::NE, U::MJ, 1), 0.95, 1e-12);
  EXPECT_EQ(Obj(B::ME, U::MJ, 1)->KonverterEnergi(12.3456789, B::ME, U::MJ, 1), 12.3456789);
}

TEST(KonverterEnergi, EveryBasisAndUnitPairByHand) {
  // Basis alone, in MJ.
  EXPECT_NEAR(Obj(B::ME, U::MJ, 1)->KonverterEnergi(100, B::DE, U::MJ, 1), 85.7, 1e-9);
  EXPECT_NEAR(Obj(B::NE, U::MJ, 1)->KonverterEnergi(100, B::DE, U::MJ, 1), 60, 1e-9);
  EXPECT_NEAR(Obj(B::DE, U::MJ, 1)->KonverterEnergi(85.7, B::ME, U::MJ, 1), 100, 1e-9);
  EXPECT_NEAR(Obj(B::NE, U::MJ, 1)->KonverterEnergi(100, B::ME, U::MJ, 1), 70, 1e-9);
  EXPECT_NEAR(Obj(B::DE, U::MJ, 1)->KonverterEnergi(60, B::NE, U::MJ, 1), 100, 1e-9);
  EXPECT_NEAR(Obj(B::ME, U::MJ, 1)->KonverterEnergi(70, B::NE, U::MJ, 1), 100, 1e-9);
  // Unit alone, for each basis's feed unit.
  EXPECT_NEAR(Obj(B::DE, U::MCal, 1)->KonverterEnergi(41.85, B::DE, U::MJ, 1), 10, 1e-9);
  EXPECT_NEAR(Obj(B::DE, U::MJ, 1)->KonverterEnergi(10, B::DE, U::MCal, 1), 41.85, 1e-9);
  EXPECT_NEAR(Obj(B::DE, U::fe, 1)->KonverterEnergi(27.8, B::DE, U::MJ, 1), 2, 1e-9);
  EXPECT_NEAR(Obj(B::ME, U::fe, 1)->KonverterEnergi(25, B::ME, U::MJ, 1), 2, 1e-9);
  EXPECT_NEAR(Obj(B::NE, U::fe, 1)->KonverterEnergi(18.828, B::NE, U::MJ, 1), 2, 1e-9);
  EXPECT_NEAR(Obj(B::DE, U::MJ, 1)->KonverterEnergi(2, B::DE, U::fe, 1), 27.8, 1e-9);
  EXPECT_NEAR(Obj(B::ME, U::MCal, 1)->KonverterEnergi(1, B::ME, U::fe, 1), 12.5 / 4.185, 1e-9);
  EXPECT_NEAR(Obj(B::NE, U::fe, 1)->KonverterEnergi(1, B::NE, U::MCal, 1), 4.185 / 9.414, 1e-9);
  // Basis and unit together: the target basis's feed unit.
  EXPECT_NEAR(Obj(B::ME, U::fe, 1)->KonverterEnergi(10, B::DE, U::MCal, 1), 10 * 0.857 * 4.185 / 12.5, 1e-9);
  // Feed units change basis through their energy: 1 NE feed unit is 9.414 MJ NE, which is
  // 15.69 MJ DE (not 1 / 0.6 x 13.9 = 23.17).
  EXPECT_NEAR(Obj(B::DE, U::MJ, 1)->KonverterEnergi(1, B::NE, U::fe, 1), 9.414 / 0.6, 1e-9);
  EXPECT_NEAR(Obj(B::NE, U::fe, 1)->KonverterEnergi(1, B::DE, U::fe, 1), 13.9 * 0.6 / 9.414, 1e-9);
  // Every pair converts there and back to the same value.
  for (B fb : {B::DE, B::ME, B::NE})
    for (U fu : {U::MCal, U::MJ, U::fe})
      for (B tb : {B::DE, B::ME, B::NE})
        for (U tu : {U::MCal, U::MJ, U::fe}) {
          const double there = Obj(tb, tu, 0.9)->KonverterEnergi(7.5, fb, fu, 1.1);
          const double back = Obj(fb, fu, 1.1)->KonverterEnergi(there, tb, tu, 0.9);
          EXPECT_NEAR(back, 7.5, 1e-9) << Ord(fb) << Ord(fu) << Ord(tb) << Ord(tu);
        }
}

TEST(KonverterEnergi, FactorScalesWhateverTheUnit) {
  EXPECT_NEAR(Obj(B::DE, U::MJ, 2)->KonverterEnergi(10, B::DE, U::MJ, 1), 20, 1e-12);
  // A zero source factor would make every value infinite; it is left alone.
  EXPECT_NEAR(Obj(B::DE, U::MJ, 2)->KonverterEnergi(10, B::DE, U::MJ, 0), 10, 1e-12);
}

TEST(EnergyUnits, FeedUnitLabelsByCountry) {
  auto fe = Obj(B::NE, U::fe, 1);
  EXPECT_EQ(fe->UnitText(47), "FEh");
  EXPECT_EQ(fe->UnitText(46), "FU");
  EXPECT_EQ(fe->UnitText(45), "fe");
  EXPECT_EQ(fe->UnitText(31), "EWpa");
  EXPECT_EQ(Obj(B::NE, U::MJ, 1)->UnitText(47), "MJ");
  CountrySettings s;
  s.nutrients.resize(24);
  s.nutrients[0] = {"Energi", "MJ", 2};
  s.proteinTypeNames = {"R\xE5protein", "Ford\xF8jeligt r\xE5protein"};
  auto dcp = fe->Kopi();
  dcp->ProteinBeregning = TProteinBeregning::DCP;
  ApplyActiveEnergyObject(*dcp, s, 47);
  EXPECT_EQ(s.nutrients[0].unit, "FEh");
  EXPECT_EQ(s.nutrients[1].name, "Ford\xF8jeligt r\xE5protein");
}

TEST(EnergyDescriptions, TheThreeTexts) {
  CountrySettings s;
  s.nutrients.resize(24);
  s.nutrients[0] = {"Energi", "fe", 2};
  s.proteinTypeNames = {"R\xE5protein", "Ford\xF8jeligt r\xE5protein"};
  auto o = Obj(B::NE, U::fe, 0.95);
  o->Navn = "Norge";
  o->Energiberegning = TEnergiBeregning::fransk;
  EXPECT_EQ(o->Beskrivelse(s, ','),
            "Norge\rEnergiberegningssystem: EURO\rEnergienhed:   fe ( NE, nettoenergi)\r (*    0,95)\r"
            "Protein:  R\xE5protein");
  EXPECT_EQ(o->BeskrivelseLinje(s),
            "Energiberegningssystem: EURO,  Energienhed: fe (NE, nettoenergi). R\xE5protein");
  EXPECT_EQ(o->BeskrivelseKort(s), "Norge: EURO,  fe nettoenergi (NE). R\xE5protein");
  auto us = Obj(B::DE, U::MCal, 1);
  us->Navn = "US";
  EXPECT_EQ(us->Beskrivelse(s, ','),
            "US\rEnergiberegningssystem: NRC2007\rEnergienhed:   MCal ( DE, ford\xF8jelig energi)\rProtein:  R\xE5protein");
}

TEST(EnProList, LookupsAndRemoval) {
  TEnProList list;
  auto add = [&](const char* name, int country) {
    auto o = std::make_unique<TEnergyProteinObj>();
    o->Navn = name;
    o->CountryNo = country;
    return &list.Add(std::move(o));
  };
  TEnergyProteinObj* uk = add("UK", 44);
  TEnergyProteinObj* ie = add("Ireland", 353);
  add("UK again", 44);
  EXPECT_EQ(list.FinnLand(44, "\xA3"), uk);
  EXPECT_EQ(list.FinnLand(44, "\x80"), ie);  // the euro sign means Ireland
  EXPECT_EQ(list.FinnLand(7, "kr"), nullptr);
  EXPECT_EQ(list.FinnNavn("Ireland"), ie);
  EXPECT_EQ(list.FinnNavn("ireland"), nullptr);
  EXPECT_EQ(list.FinnNavn(""), nullptr);
  EXPECT_EQ(list.Navneliste(), (std::vector<std::string>{"UK", "Ireland", "UK again"}));
  list.Fjern(ie);
  EXPECT_EQ(list.Antall(), 2);
  EXPECT_EQ(list.Element(2), nullptr);
  EXPECT_EQ(list.FinnLand(44, "\x80"), nullptr);  // no Ireland any more, and 44 became 353
}

TEST(EnProList, SaveAndLoadKeepTheObjects) {
  RegisterConfigClasses();
  TEnProList list;
  list.EPListeNavn = "Liste";
  for (int i = 0; i < 3; ++i) {
    auto o = std::make_unique<TEnergyProteinObj>();
    o->Navn = "Objekt " + std::to_string(i) + " weekend";  // " end" inside a name must not cut the block
    o->CountryNo = 40 + i;
    o->EnergiFaktor = 0.9 + i;
    list.Add(std::move(o));
  }
  const auto path = std::filesystem::temp_directory_path() / "stallora-eplist-test.eqe";
  list.writeToFile(path);
  TEnProList back;
  back.LoadfromFile(path);
  ASSERT_EQ(back.Antall(), 3);
  EXPECT_EQ(back.EPListeNavn, "Liste");
  EXPECT_EQ(back.Element(2)->Navn, "Objekt 2 weekend");
  EXPECT_EQ(back.Element(2)->EnergiFaktor, 2.9);
  EXPECT_EQ(RecordText(back), RecordText(list));
  std::filesystem::remove(path);
}

TEST(ActiveEnergyObject, TheStartUpChoice) {
  TEnProList list;
  for (auto [name, country] : std::initializer_list<std::pair<const char*, int>>{
           {"USA", 1}, {"Danmark", 45}, {"Irland", 353}, {"Finland", 358}, {"Australien", 61}}) {
    auto o = std::make_unique<TEnergyProteinObj>();
    o->Navn = name;
    o->CountryNo = country;
    list.Add(std::move(o));
  }
  std::string notice;
  auto a = ChooseActiveEnergyObject(list, "Irland", 45, "/p/dan.ini", "kr", &notice);
  EXPECT_EQ(a->Navn, "Irland");
  EXPECT_NE(a.get(), list.Element(2));  // always a copy
  EXPECT_EQ(ChooseActiveEnergyObject(list, "", 45, "/p/dan.ini", "kr", &notice)->Navn, "Danmark");
  EXPECT_EQ(ChooseActiveEnergyObject(list, "Gone", 45, "/p/fin.ini", "kr", &notice)->Navn, "Finland");
  EXPECT_EQ(ChooseActiveEnergyObject(list, "", 44, "/p/ENU.INI", "kr", &notice)->Navn, "USA");
  EXPECT_EQ(notice, "");
  EXPECT_EQ(ChooseActiveEnergyObject(list, "", 44, "/p/eni.ini", "kr", &notice)->Navn, "Irland");
  EXPECT_EQ(notice, "Irland selected");
  EXPECT_EQ(ChooseActiveEnergyObject(list, "", 44, "/p/ena.ini", "kr", &notice)->Navn, "Australien");
  // Nothing matches: the first object; an empty list: the built-in object.
  EXPECT_EQ(ChooseActiveEnergyObject(list, "", 99, "/p/x.ini", "kr", &notice)->Navn, "USA");
  TEnProList empty;
  auto builtIn = ChooseActiveEnergyObject(empty, "", 45, "/p/dan.ini", "kr", &notice);
  EXPECT_EQ(builtIn->Energiberegning, TEnergiBeregning::nrc2007);
  EXPECT_EQ(builtIn->EnergiEnhet, EnergiEnhetstype::MCal);
}

}  // namespace
}  // namespace stallora
