// A feed list's energy and protein system: the unit and basis conversions between energy
// records and the conversion of every feed of a list from one record to another.

#include <cmath>
#include <string>

#include "feeds/feedlist.h"

namespace stallora {

double UnitFactor(const EnergyRecord& r) {
  switch (r.EnergiEnhet) {
    case EnergiEnhetstype::MCal: return kMJPerMCal;
    case EnergiEnhetstype::MJ: return 1;
    case EnergiEnhetstype::fe: break;
  }
  const double mj = MJPerFeedUnit(r.EnergiBasis);
  return r.EnergiFaktor != 0 ? mj / r.EnergiFaktor : mj;
}

double ToMetabolisable(double v, EnergiBasisType from, int category) {
  if (from == EnergiBasisType::ME) return v;
  if (IsRoughageCategory(category)) {
    if (from == EnergiBasisType::DE) return category == 2 ? v * 0.8636 - 0.5889 : v * 0.8569 - 0.1757;
    return 1.542 * v + 0.328 - 0.024 * v * v;
  }
  return from == EnergiBasisType::DE ? v * 0.9 : v * 1.27;
}

double FromMetabolisable(double v, EnergiBasisType to, int category) {
  if (to == EnergiBasisType::ME) return v;
  if (IsRoughageCategory(category)) {
    if (to == EnergiBasisType::DE) return category == 2 ? v * 1.158 + 0.682 : v * 1.167 + 0.205;
    return 0.59 * v - 0.051 + 0.0121 * v * v;
  }
  return to == EnergiBasisType::DE ? v * (1 / 0.9) : v * (1 / 1.27);
}

double ProteinAs(double p, TProteinBeregning to, int category) {
  const bool roughage = IsRoughageCategory(category);
  if (to == TProteinBeregning::CP) return roughage ? 1.047 * p + 38.41 : 1.0526 * p + 27.021;
  return roughage ? 0.955 * p - 36.69 : 0.95 * p - 25.67;
}

namespace {

double UnitFromMJ(double v, const EnergyRecord& to) {
  switch (to.EnergiEnhet) {
    case EnergiEnhetstype::MCal: return v * (1 / kMJPerMCal);
    case EnergiEnhetstype::MJ: return v;
    case EnergiEnhetstype::fe: break;
  }
  return v / MJPerFeedUnit(to.EnergiBasis) * to.EnergiFaktor;
}

bool IsProteinType(TProteinBeregning p) { return p == TProteinBeregning::CP || p == TProteinBeregning::DCP; }

// The regression formulas have intercepts: applied to a value of 0 (a feed that has no
// energy or protein, such as salt, or a value never analysed) they would invent energy or
// protein, and for poor feeds they can give values below 0. A value of 0 stays 0 and a
// result below 0 becomes 0.
double Kept(double original, double converted) {
  if (original == 0) return 0;
  return converted < 0 ? 0 : converted;
}

// Energy and protein of one feed, from one record to another. `systemFactor` multiplies
// (or divides) the energy after the unit change.
void ConvertFeedValues(TFor& feed, const EnergyRecord& from, const EnergyRecord& to, TProteinBeregning fromProtein,
                       TProteinBeregning toProtein, double systemFactor, bool divide) {
  const int c = feed.Fortype;
  feed.ToDryMatterBasis();
  if (feed.ValueCount() > 0) {
    const double e = feed.Value(0);
    double v = e * UnitFactor(from);
    v = ToMetabolisable(v, from.EnergiBasis, c);
    v = FromMetabolisable(v, to.EnergiBasis, c);
    v = UnitFromMJ(v, to);
    v = divide ? v / systemFactor : v * systemFactor;
    feed.SetValue(0, Kept(e, v));
  }
  if (feed.ValueCount() > 1 && fromProtein != toProtein && IsProteinType(toProtein)) {
    const double p = feed.Value(1);
    feed.SetValue(1, Kept(p, ProteinAs(p, toProtein, c)));
  }
  feed.ToAsFedBasis();
}

}  // namespace

bool TForListe::SameEnergySystem(const EnergyRecord& r) const { return GetEnergyRecord() == r; }

void TForListe::SetSystemFactors(const EnergyRecord& other) {
  systemFactorConcentrate = 1;
  systemFactorOther = 1;
  if (EnergiBeregning == other.EnergiBeregning) return;
  const bool euro = EnergiBeregning == TEnergiBeregning::fransk || EnergiBeregning == TEnergiBeregning::dutch;
  const bool otherEuro =
      other.EnergiBeregning == TEnergiBeregning::fransk || other.EnergiBeregning == TEnergiBeregning::dutch;
  if (euro && other.EnergiBeregning == TEnergiBeregning::nrc2007) {
    systemFactorConcentrate = 1.2;
    systemFactorOther = 1.05;
  } else if (EnergiBeregning == TEnergiBeregning::nrc2007 && otherEuro) {
    systemFactorConcentrate = 1 / 1.2;
    systemFactorOther = 1 / 1.05;
  }
}

TProteinBeregning TForListe::ProteinTypeClamped() const {
  return Ord(ProteinType) > 1 ? TProteinBeregning::DCP : ProteinType;
}

bool TForListe::RefusedFactor(const EnergyRecord& a, const EnergyRecord& b, std::string* error) const {
  // A feed-unit factor of 0 would turn every energy value into 0 (or infinity), and a
  // negative one into nonsense; the values are left alone instead.
  const auto bad = [](const EnergyRecord& r) { return r.EnergiEnhet == EnergiEnhetstype::fe && !(r.EnergiFaktor > 0); };
  if (!bad(a) && !bad(b)) return false;
  if (error) *error = Tr(kFactorNotPositive);
  return true;
}

bool TForListe::ConvertFeedFrom(TFor& feed, const EnergyRecord& source, std::string* error) {
  if (RefusedFactor(source, GetEnergyRecord(), error)) return false;
  // Between identical records a conversion must change nothing; the roughage formulas are
  // not exact inverses of each other and would move the values a little on every copy.
  if (SameEnergySystem(source)) return true;
  SetSystemFactors(source);
  const double factor = IsConcentrateCategory(feed.Fortype) || IsSupplementCategory(feed.Fortype)
                            ? systemFactorConcentrate
                            : systemFactorOther;
  const TProteinBeregning from = Ord(source.ProteinType) > 1 ? TProteinBeregning::DCP : source.ProteinType;
  ConvertFeedValues(feed, source, GetEnergyRecord(), from, ProteinTypeClamped(), factor, true);
  return true;
}

bool TForListe::ConvertAllTo(const EnergyRecord& target, TProteinBeregning proteinType, std::string* error) {
  if (target.EnergiFaktor < 0) {
    if (error) *error = Tr(kFactorNotPositive);
    return false;
  }
  if (RefusedFactor(GetEnergyRecord(), target, error)) return false;
  if (EnergiEnhet == target.EnergiEnhet && EnergiBasis == target.EnergiBasis && EnergiFaktor == target.EnergiFaktor &&
      proteinType == ProteinTypeClamped())
    return true;
  const EnergyRecord from = GetEnergyRecord();
  const TProteinBeregning fromProtein = ProteinTypeClamped();
  SetSystemFactors(target);
  for (auto& f : feeds_) {
    const double factor = IsConcentrateCategory(f->Fortype) || IsSupplementCategory(f->Fortype)
                              ? systemFactorConcentrate
                              : systemFactorOther;
    ConvertFeedValues(*f, from, target, fromProtein, proteinType, factor, false);
  }
  EnergiEnhet = target.EnergiEnhet;
  EnergiBasis = target.EnergiBasis;
  EnergiFaktor = target.EnergiFaktor;
  ProteinType = proteinType;
  return true;
}

bool TForListe::ChangeEnergySystem(const EnergyRecord& chosen, std::string* error) {
  const EnergyRecord kept = GetEnergyRecord();
  if (RefusedFactor(kept, chosen, error)) return false;
  SetEnergyRecord(chosen);
  for (auto& f : feeds_) ConvertFeedFrom(*f, kept);
  return true;
}

std::string RecalculationQuestion(int countryNumber) {
  return "Energy and protein calculations differ from the default values for " + std::to_string(countryNumber) + "\r" +
         "Energy and protein values will be recalculated. Proceed?";
}

}  // namespace stallora
