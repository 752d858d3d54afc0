#include "config/energy_protein.h"

#include <algorithm>

#include "config/preferences.h"
#include "core/objtext.h"
#include "core/textutil.h"
#include "core/common_texts.h"

namespace stallora {
namespace {

inline constexpr const Text& kEnergySystem = common::kEnergiberegningssystem;
inline constexpr const Text& kEnergyUnit = common::kEnergienhed;
inline constexpr Text kDigestible{"energy.basis.de", "fordøjelig energi"};
inline constexpr Text kMetabolisable{"energy.basis.me", "omsættelig energi"};
inline constexpr Text kNet{"energy.basis.ne", "nettoenergi"};
inline constexpr const Text& kProtein = common::kProtein;
inline constexpr Text kSelected{"energy.selected", " selected"};

const char* BasisCode(EnergiBasisType b) {
  switch (b) {
    case EnergiBasisType::DE: return "DE";
    case EnergiBasisType::ME: return "ME";
    case EnergiBasisType::NE: return "NE";
  }
  return "";
}

}  // namespace

double MJPerFeedUnit(EnergiBasisType basis) {
  switch (basis) {
    case EnergiBasisType::DE: return 13.9;
    case EnergiBasisType::ME: return 12.5;
    case EnergiBasisType::NE: return 9.414;
  }
  return 13.9;
}

std::string EnhetsTekst(int countryNumber) {
  switch (countryNumber) {
    case 31: return "EWpa";
    case 45: return "fe";
    case 47: return "FEh";
    default: return "FU";
  }
}

std::string SystemDisplayName(TEnergiBeregning system) {
  switch (system) {
    case TEnergiBeregning::nrc2007: return "NRC2007";
    case TEnergiBeregning::fransk: return "EURO";
    case TEnergiBeregning::dutch: return "DUTCH";
  }
  return "";
}

const std::string& BasisDisplayName(EnergiBasisType basis) {
  switch (basis) {
    case EnergiBasisType::DE: return Tr(kDigestible);
    case EnergiBasisType::ME: return Tr(kMetabolisable);
    case EnergiBasisType::NE: break;
  }
  return Tr(kNet);
}

double ConvertEnergy(double value, EnergiBasisType fromBasis, EnergiEnhetstype fromUnit, double fromFactor,
                     EnergiBasisType toBasis, EnergiEnhetstype toUnit, double toFactor) {
  if (fromBasis == toBasis && fromUnit == toUnit && fromFactor == toFactor) return value;
  using B = EnergiBasisType;
  using U = EnergiEnhetstype;
  // A feed unit is a different amount of energy on each basis (13.9 MJ DE, 12.5 MJ ME,
  // 9.414 MJ NE), so feed units are turned into MJ on their own basis before the basis
  // changes, and MJ into feed units on the target basis after it. (Changing the basis of
  // the feed-unit number itself would not keep the energy: 1 feed unit of net energy
  // would become 23.2 MJ of digestible energy instead of 15.7.)
  double v = value;
  switch (fromUnit) {
    case U::MCal: v *= kMJPerMCal; break;
    case U::MJ: break;
    case U::fe: v *= MJPerFeedUnit(fromBasis); break;
  }
  if (fromBasis != toBasis) {
    if (toBasis == B::DE) v = fromBasis == B::ME ? v / kMEFromDE : v / kNEFromDE;
    else if (toBasis == B::ME) v = fromBasis == B::DE ? v * kMEFromDE : v / kNEFromME;
    else v = fromBasis == B::DE ? v * kNEFromDE : v * kNEFromME;
  }
  switch (toUnit) {
    case U::MCal: v /= kMJPerMCal; break;
    case U::MJ: break;
    case U::fe: v /= MJPerFeedUnit(toBasis); break;
  }
  // A source factor of 0 would turn every value into infinity; such a factor is refused
  // where factors are entered, and left alone here.
  if (fromFactor != toFactor && fromFactor != 0) v = v * toFactor / fromFactor;
  return v;
}

const RecordClass& TEnergyProteinObj::StaticClass() {
  static const RecordClass c = RecordClass::Make<TEnergyProteinObj>(
      "TEnergyProteinObj",
      {Prop<&TEnergyProteinObj::Navn>("Navn"), Prop<&TEnergyProteinObj::CountryNo>("CountryNo"),
       Prop<&TEnergyProteinObj::Energiberegning>("Energiberegning"),
       Prop<&TEnergyProteinObj::EnergiBasis>("EnergiBasis"), Prop<&TEnergyProteinObj::EnergiEnhet>("EnergiEnhet"),
       Prop<&TEnergyProteinObj::EnergiFaktor>("EnergiFaktor").WriteZero(),
       Prop<&TEnergyProteinObj::ProteinBeregning>("ProteinBeregning")});
  return c;
}

std::unique_ptr<TEnergyProteinObj> TEnergyProteinObj::Kopi() const {
  auto copy = std::make_unique<TEnergyProteinObj>();
  copy->Navn = Navn;
  copy->CountryNo = CountryNo;
  copy->Energiberegning = Energiberegning;
  copy->EnergiBasis = EnergiBasis;
  copy->EnergiEnhet = EnergiEnhet;
  copy->EnergiFaktor = EnergiFaktor;
  copy->ProteinBeregning = ProteinBeregning;
  return copy;
}

std::string TEnergyProteinObj::UnitText(int countryNumber) const {
  switch (EnergiEnhet) {
    case EnergiEnhetstype::MCal: return "MCal";
    case EnergiEnhetstype::MJ: return "MJ";
    case EnergiEnhetstype::fe: break;
  }
  return EnhetsTekst(countryNumber);
}

void TEnergyProteinObj::Bruk(CountrySettings& settings, int countryNumber) const {
  if (!settings.nutrients.empty()) settings.nutrients[0].unit = UnitText(countryNumber);
}

double TEnergyProteinObj::KonverterEnergi(double value, EnergiBasisType basis, EnergiEnhetstype unit,
                                          double factor) const {
  return ConvertEnergy(value, basis, unit, factor, EnergiBasis, EnergiEnhet, EnergiFaktor);
}

std::string EnergyDescription(TEnergiBeregning system, EnergiBasisType basis, EnergiEnhetstype unit, double factor,
                              const CountrySettings& settings, char decimalSeparator) {
  std::string s = Tr(kEnergySystem) + ": " + SystemDisplayName(system) + "\r" + Tr(kEnergyUnit) + ": ";
  switch (unit) {
    case EnergiEnhetstype::MCal: s += "  MCal"; break;
    case EnergiEnhetstype::MJ: s += "  MJ"; break;
    // The feed-unit label (the energy nutrient's unit), not the nutrient's name: a line
    // reading "Energienhed: Energi" would tell the user nothing.
    case EnergiEnhetstype::fe: s += "  " + settings.NutrientUnit(0); break;
  }
  s += std::string(" ( ") + BasisCode(basis) + ", " + BasisDisplayName(basis) + ")";
  if (factor != 1) s += "\r (*" + FormatFixed(7, 2, factor, decimalSeparator) + ")";
  return s;
}

std::string TEnergyProteinObj::Beskrivelse(const CountrySettings& settings, char decimalSeparator) const {
  return Navn + "\r" +
         EnergyDescription(Energiberegning, EnergiBasis, EnergiEnhet, EnergiFaktor, settings, decimalSeparator) +
         "\r" + Tr(kProtein) + ":  " + settings.ProteinTypeName(ProteinBeregning);
}

std::string TEnergyProteinObj::BeskrivelseLinje(const CountrySettings& settings) const {
  std::string s = Tr(kEnergySystem) + ": " + SystemDisplayName(Energiberegning) + ",  " + Tr(kEnergyUnit) + ": ";
  switch (EnergiEnhet) {
    case EnergiEnhetstype::MCal: s += "MCal"; break;
    case EnergiEnhetstype::MJ: s += "MJ"; break;
    case EnergiEnhetstype::fe: s += settings.NutrientUnit(0); break;
  }
  s += std::string(" (") + BasisCode(EnergiBasis) + ", " + BasisDisplayName(EnergiBasis) + "). " +
       settings.ProteinTypeName(ProteinBeregning);
  return s;
}

std::string TEnergyProteinObj::BeskrivelseKort(const CountrySettings& settings) const {
  std::string s = Navn + ": " + SystemDisplayName(Energiberegning) + ",  ";
  switch (EnergiEnhet) {
    case EnergiEnhetstype::MCal: s += "MCal"; break;
    case EnergiEnhetstype::MJ: s += "MJ"; break;
    case EnergiEnhetstype::fe: s += settings.NutrientUnit(0); break;
  }
  s += " " + BasisDisplayName(EnergiBasis) + " (" + BasisCode(EnergiBasis) + "). " +
       settings.ProteinTypeName(ProteinBeregning);
  return s;
}

const RecordClass& TEnProList::StaticClass() {
  static const RecordClass c =
      RecordClass::Make<TEnProList>("TEnProList", {Prop<&TEnProList::EPListeNavn>("EPListeNavn")});
  return c;
}

TEnergyProteinObj* TEnProList::Element(int i) const {
  return i >= 0 && i < Antall() ? Liste[static_cast<size_t>(i)].get() : nullptr;
}

std::vector<std::string> TEnProList::Navneliste() const {
  std::vector<std::string> names;
  for (const auto& o : Liste) names.push_back(o->Navn);
  return names;
}

TEnergyProteinObj* TEnProList::FinnLand(int n, const std::string& currencySymbol) const {
  if (n == 44 && currencySymbol == "\x80") n = 353;
  for (const auto& o : Liste)
    if (o->CountryNo == n) return o.get();
  return nullptr;
}

TEnergyProteinObj* TEnProList::FinnNavn(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (const auto& o : Liste)
    if (o->Navn == name) return o.get();
  return nullptr;
}

void TEnProList::Fjern(const TEnergyProteinObj* obj) {
  std::erase_if(Liste, [&](const auto& o) { return o.get() == obj; });
}

TEnergyProteinObj& TEnProList::Add(std::unique_ptr<TEnergyProteinObj> obj) {
  Liste.push_back(std::move(obj));
  return *Liste.back();
}

std::vector<const Record*> TEnProList::Children() const {
  std::vector<const Record*> out;
  for (const auto& o : Liste) out.push_back(o.get());
  return out;
}

std::unique_ptr<Record> TEnProList::AdoptChild(std::unique_ptr<Record> child, LoadContext&) {
  if (auto* obj = dynamic_cast<TEnergyProteinObj*>(child.get())) {
    child.release();
    Liste.emplace_back(obj);
    return nullptr;
  }
  return child;
}

// The objects are the file's object blocks, taken from the one reading of the file. (Cutting
// the text into blocks line by line would break on a name containing " end".)
void TEnProList::LoadfromFile(const std::filesystem::path& path) { LoadRecordFromFile(*this, path); }

void TEnProList::writeToFile(const std::filesystem::path& path) const { SaveRecordToFile(*this, path); }

void RegisterConfigClasses() {
  RegisterClass(TEnergyProteinObj::StaticClass());
  RegisterClass(TEnProList::StaticClass());
  RegisterRootClass(TPreferences::StaticClass());
}

void ApplyActiveEnergyObject(const TEnergyProteinObj& obj, CountrySettings& settings, int countryNumber) {
  obj.Bruk(settings, countryNumber);
  if (settings.nutrients.size() > 1) settings.nutrients[1].name = settings.ProteinTypeName(obj.ProteinBeregning);
}

std::unique_ptr<TEnergyProteinObj> ChooseActiveEnergyObject(const TEnProList& list, const std::string& lastName,
                                                            int countryNumber, const std::string& settingsFilePath,
                                                            const std::string& currencySymbol, std::string* notice) {
  if (const TEnergyProteinObj* named = list.FinnNavn(lastName)) return named->Kopi();
  const TEnergyProteinObj* chosen = list.FinnLand(countryNumber, currencySymbol);
  const std::string upper = UpperCase(settingsFilePath);
  auto pick = [&](int country) {
    if (const TEnergyProteinObj* o = list.FinnLand(country, currencySymbol)) chosen = o;
    return chosen;
  };
  if (upper.find("FIN.INI") != std::string::npos) pick(358);
  // English (Australia) is country 61 in the country list.
  if (upper.find("ENA.INI") != std::string::npos) pick(61);
  if (upper.find("ENI.INI") != std::string::npos) {
    if (pick(353) && notice) *notice = chosen->Navn + Tr(kSelected);
  }
  if (upper.find("ENU.INI") != std::string::npos || upper.find("ENC.INI") != std::string::npos) pick(1);
  if (!chosen) chosen = list.Element(0);
  if (chosen) return chosen->Kopi();
  auto builtIn = std::make_unique<TEnergyProteinObj>();
  builtIn->Navn = "NRC 2007";
  return builtIn;
}

}  // namespace stallora
