// The daily requirement of a horse under the three requirement models.

#include <cmath>

#include "config/preferences.h"
#include "nutrition/behovsliste.h"
#include "nutrition/hest.h"

namespace stallora {
namespace {

constexpr double kMargin[kNutrientCount] = {1.0,  1.0, 1.0, 1.2, 1.2, 1.25, 1.19, 1.25, 1.25, 1.3, 1.25, 1.3,
                                            1.3,  1.3, 1.15, 1.3, 1.3, 1.2, 1.0,  1.0,  1.0,  1.0, 1.0,  1.0};

constexpr const char* kMaintenanceFormula =
    "if maintlevel = min then bw*0.0303 else if maintlevel=average then bw*0.0333 else bw*0.0363";

double Pow075(double w) { return std::exp(0.75 * std::log(w)); }

double YoungActivity(const THest& h) {
  switch (h.UngDyrTrening) {
    case TUngDyrTrening::YoungSlightTraining: return 0.25;
    case TUngDyrTrening::YoungMediumTraining: return 0.5;
    case TUngDyrTrening::YoungMaxTraining: return 0.75;
    case TUngDyrTrening::YoungNoTraining: break;
  }
  return h.EkstraAktivitet() ? 0.1 : 0.0;
}

// French energy model, in kcal.
bool FrenchEnergy(THest& h, double w, std::string* error) {
  if (w < 0) {
    if (error) *error = "Bodyweight < 0 kg, Check weight table!";
    return false;
  }
  const bool stallion = h.Kjonn == TKjonn::Hann;
  double f = 0;
  switch (h.BlodsType) {
    case TBlodsType::ColdBlood: f = stallion ? 0.1 : 0; break;
    case TBlodsType::WarmBlood: f = stallion ? 0.15 : 0.05; break;
    case TBlodsType::FullBlood: f = stallion ? 0.2 : 0.1; break;
  }
  if (h.Kategori == TDyreKategori::Avlsdyr) f = 0.2;
  if (h.Kategori == TDyreKategori::Ungdyr) f = 0;
  const double L = Pow075(w);
  h.DigVedlikehold = L * 140 * (1 + f);
  h.MetVedlikehold = L * 120 * (1 + f);
  h.NetVedlikehold = L * 84 * (1 + f);
  auto totals = [&](double factor) {
    h.DigEnergybehov = factor * h.DigVedlikehold;
    h.MetEnergybehov = factor * h.MetVedlikehold;
    h.NetEnergybehov = factor * h.NetVedlikehold;
  };
  switch (h.Kategori) {
    case TDyreKategori::Ungdyr: {
      const double a = h.AlderMnd();
      double G = (1350 + 67.94 * a - 1.093 * a * a) * h.Sistetilvekst * 2250 / 1000;
      const double u = a < 7 ? 0.047 : (a <= 12 ? 0.044 : 0.042);
      h.NetVedlikehold = u * L * 2250;
      if (h.OnsketVekstHastighet == TWeightGainRate::Fast) {
        h.NetVedlikehold *= 1.25;
        G *= 1.25;
      }
      const double c = YoungActivity(h);
      h.NetEnergybehov = (1 + c) * h.NetVedlikehold + G;
      h.MetVedlikehold = h.NetVedlikehold * 1.429;
      h.DigVedlikehold = h.NetVedlikehold * 1.667;
      h.MetEnergybehov = h.NetEnergybehov * 1.429;
      h.DigEnergybehov = h.NetEnergybehov * 1.667;
      break;
    }
    case TDyreKategori::Trening:
      totals(1 + h.TreningsMengde);
      break;
    case TDyreKategori::Drektig: {
      const int m = h.DrektighetsMnd();
      const double p = m <= 7 ? 0 : (m <= 9 ? 0.15 : (m == 10 ? 0.25 : 0.3));
      totals(1 + p);
      break;
    }
    case TDyreKategori::Lakterende: {
      const int m = h.LaktasjonsMnd();
      const double k = m == 1 ? 1.0 : (m <= 3 ? 1.07 : (m <= 6 ? 0.85 : 0.5));
      h.DigEnergybehov = k * L * 140 + h.DigVedlikehold;
      h.MetEnergybehov = k * L * 120 + h.MetVedlikehold;
      h.NetEnergybehov = k * L * 84 + h.NetVedlikehold;
      break;
    }
    default:
      totals(1);
      break;
  }
  return true;
}

void FrenchProtein(THest& h, double w) {
  double& cp = h.Behov[1];
  switch (h.Kategori) {
    case TDyreKategori::Ungdyr: {
      const int a = h.AlderMnd();
      double p;
      if (a < 4) p = 13.3;
      else if (a <= 6) p = 11.5 - (a - 4);
      else if (a <= 12) p = 9.5 - 0.5 * (a - 7);
      else if (a <= 22) p = 7 - 0.1 * (a - 13);
      else p = 6.0;
      cp = h.MetEnergybehov * 0.004185 * p;
      h.Behov[2] = cp * (a > 4 ? 0.054 : 0.06);
      return;
    }
    case TDyreKategori::Drektig: {
      const int m = h.DrektighetsMnd();
      const double extra = m == 8 ? w * 0.12 : m == 9 ? w * 0.25 : m == 10 ? w * 0.33 : m == 11 ? w * 0.5 : 0;
      const double base = h.MetVedlikehold * 6 * 0.004185;
      cp = base + extra + h.TreningsMengde * h.MetVedlikehold * 6 * 0.004185;
      break;
    }
    case TDyreKategori::Lakterende: {
      const int m = h.LaktasjonsMnd();
      double milk;
      if (m == 1) milk = w > 200 ? w * 0.025 * 50 : w * 0.03 * 50;
      else if (m <= 3) milk = w > 200 ? w * 0.03 * 44 : w * 0.035 * 44;
      else if (m <= 6) milk = w > 200 ? w * 0.025 * 42 : w * 0.03 * 42;
      else milk = w * 0.015 * 40;
      cp = h.MetVedlikehold * 6 * 0.004185 + milk;
      break;
    }
    default:
      cp = h.MetEnergybehov * 6 * 0.004185;
      break;
  }
  h.Behov[2] = cp * 0.054;
}

// The French correction from digestible to crude protein by the ration's own digestibility.
void RationDigestibility(THest& h) {
  const TForListe& ration = *h.ForListe;
  if (ration.Count() == 0) return;
  const double r = RationProteinDigestibility(ration);
  if (r != 0) h.Behov[1] /= r;
}

void DutchModel(THest& h, double w) {
  const bool stallion = h.Kjonn == TKjonn::Hann;
  const double k = h.BlodsType == TBlodsType::ColdBlood ? (stallion ? 1.051 : 0.949) : (stallion ? 1.102 : 1.0);
  const double L = Pow075(w);
  h.NetVedlikehold = 0.0411 * L * k;
  double Pv = 3 * L;
  double EL = 0, EF = 0, EW = 0, PL = 0, PF = 0, PW = 0;
  const double Wa = h.ForventetVoksenvekt;
  const double B = 0.0962 * Wa + 5.21 - 2.28e-5 * Wa * Wa;
  switch (h.Kategori) {
    case TDyreKategori::Ungdyr: {
      const double m = h.AlderMnd();
      const double b = 0.384e-7 * Wa * Wa + 0.11397 - 0.9161e-4 * Wa;
      const double V = Wa - std::exp(-m * b) * (Wa - B);
      const double adg = std::exp(-m * b) * b * 32.79 * (Wa - B);
      const double VG = Wa != 0 ? 0.2776 / Wa * V + 0.011 : 0.011;
      const double VA = VG * adg;
      const double EG = (1 - VG) * 0.22;
      const double EA = adg * EG;
      const double ET = (VA * 0.03931 + EA * 0.02294 * 1.667) / 8.93;
      const double u = m < 7 ? 0.0495 : (m <= 12 ? 0.0464 : 0.0443);
      const double V075 = V > 0 ? Pow075(V) : 0;
      h.NetVedlikehold = V075 * u;
      h.NetEnergybehov = (1 + YoungActivity(h)) * h.NetVedlikehold + ET;
      Pv = V075 * (m < 8 ? 3 : 3.5);
      const double Pg = EA / 0.45;
      h.Behov[1] = Pv + Pg;
      h.Behov[2] = h.Behov[1] * 0.054;
      break;
    }
    case TDyreKategori::Drektig: {
      const int g = h.DrektighetsMnd();
      double e, r, q;
      if (g == 8) e = 4.184, r = 0.1, q = 296;
      else if (g == 9) e = 4.602, r = 0.18, q = 360;
      else if (g == 10) e = 4.937, r = 0.23, q = 360;
      else e = 5.355, r = 0.3, q = 426;
      const double FG = g > 7 ? (w * 0.02 + B) * r / 30.5 : 0;
      EF = FG * e * 3 / 8.93;
      PF = FG * q;
      break;
    }
    case TDyreKategori::Lakterende: {
      const int l = h.LaktasjonsMnd();
      double heavy, light, e, q;
      if (l == 1) heavy = 2.5, light = 3.0, e = 2.41, q = 50;
      else if (l <= 3) heavy = 3.0, light = 3.5, e = 2.09, q = 44;
      else if (l <= 5) heavy = 2.5, light = 3.0, e = 1.99, q = 40;
      else heavy = 2.0, light = 2.0, e = 1.99, q = 40;
      const double M = w * (w >= 200 ? heavy : light) / 100;
      EL = M * e * 1.25 / 8.93;
      PL = M * q;
      break;
    }
    default:
      break;
  }
  const bool works = h.Kategori == TDyreKategori::Trening ||
                     (h.Kategori == TDyreKategori::Drektig && h.DrektighetsMnd() < 8 && h.TreningsMengde > 0);
  if (works) {
    const double t = h.TreningsMengde;
    EW = t < 0.11 ? t * h.NetVedlikehold : 0.0021 * L + t * h.NetVedlikehold;
    PW = EW * 73;
  }
  if (h.Kategori != TDyreKategori::Ungdyr) {
    h.NetEnergybehov = h.NetVedlikehold + EL + EF + EW;
    h.Behov[1] = Pv + PL + PF + PW;
    h.Behov[2] = h.Behov[1] * 0.054;
  }
  h.DigVedlikehold = h.NetVedlikehold * 1.667;
  h.DigEnergybehov = h.NetEnergybehov * 1.667;
  h.MetVedlikehold = h.NetVedlikehold * 1.429;
  h.MetEnergybehov = h.NetEnergybehov * 1.429;
}

}  // namespace

double ProteinDigestibilityTerm(const TFor& f) {
  return IsRoughageCategory(f.Fortype) ? f.Value(1) * 0.955 - 36.69 : f.Value(1) * 0.95 - 25.67;
}

double RationProteinDigestibility(const TForListe& ration) {
  double S = 0;
  for (const auto& f : ration.Feeds()) {
    const double b = f->TildeltKg * ProteinDigestibilityTerm(*f);
    if (b > 0) S += b;
  }
  const double supply = ration.Supply(1);
  // A ration whose picked feeds supply no protein has no digestibility to speak of; the
  // standard value stands in rather than a division by zero.
  return (S != 0 && supply != 0) ? S / supply : 0.7;
}

bool ProteinFollowsRation(const THest& h) {
  const TEnergyProteinObj* a = h.env->activeEnergy;
  return a && a->Energiberegning == TEnergiBeregning::fransk && a->ProteinBeregning == TProteinBeregning::CP &&
         h.ForListe->Count() != 0;
}

double THest::EnergiBehov(double turbo) const {
  const TEnergyProteinObj* a = env->activeEnergy;
  if (!a) return 0;
  double E = 0;
  auto pair = [&](double dig, double met, double net, double digTotal, double metTotal, double netTotal,
                  double& maintenance, double& total) {
    switch (a->EnergiBasis) {
      case EnergiBasisType::DE: maintenance = dig, total = digTotal; break;
      case EnergiBasisType::ME: maintenance = met, total = metTotal; break;
      case EnergiBasisType::NE: maintenance = net, total = netTotal; break;
    }
  };
  switch (a->Energiberegning) {
    case TEnergiBeregning::nrc2007:
      E = (BasisBehov[0] * turbo + BasisBehov[0]) * 0.004185 * 1000;
      if (a->EnergiBasis == EnergiBasisType::ME) E *= 0.857;
      if (a->EnergiBasis == EnergiBasisType::NE) E *= 0.6;
      break;
    case TEnergiBeregning::fransk:
    case TEnergiBeregning::dutch: {
      double maintenance = 0, total = 0;
      pair(DigVedlikehold, MetVedlikehold, NetVedlikehold, DigEnergybehov, MetEnergybehov, NetEnergybehov,
           maintenance, total);
      E = (turbo * maintenance + total) * (a->Energiberegning == TEnergiBeregning::fransk ? 0.004185 : 9.414);
      break;
    }
  }
  switch (a->EnergiEnhet) {
    case EnergiEnhetstype::MCal: return E / 4.185;
    case EnergiEnhetstype::MJ: return E;
    case EnergiEnhetstype::fe: return E / MJPerFeedUnit(a->EnergiBasis) * a->EnergiFaktor;
  }
  return E;
}

bool THest::FormulaFailed(int nutrient) const {
  for (const FormulaFault& f : formulaFaults)
    if (f.nutrient == nutrient) return true;
  return false;
}

std::string FormulaFaultText(const FormulaFault& fault, const CountrySettings& settings) {
  return settings.NutrientName(fault.nutrient) + ": " + Tr(kRequirementNotComputed) + "\r" + Tr(kFormulaWord) +
         ": " + fault.formula + "\r" + fault.message;
}

bool THest::BeregnBehov(std::string* error) {
  formulaFaults.clear();
  const double w = AktuellVekt();
  if (w == 0) return true;
  const TEnergyProteinObj* active = env->activeEnergy;
  if (!active) return true;
  const TEnergiBeregning model = active->Energiberegning;

  // 2. Formulas (they see Behov as the previous computation left it). A formula that fails
  // gives 0 and the computation goes on; an arithmetic fault is reported to the caller.
  bool clean = true;
  if (env->requirementList) clean = env->requirementList->BeregnFormler(*this, error);

  // 3. Young-horse training increment.
  if (Kategori == TDyreKategori::Ungdyr && UngDyrTrening != TUngDyrTrening::YoungNoTraining) {
    const int m = AlderMnd() == 0 ? 1 : AlderMnd();
    const double q = w * 0.0565 * std::pow(m, -0.145);
    const double share = UngDyrTrening == TUngDyrTrening::YoungSlightTraining   ? 0.25
                         : UngDyrTrening == TUngDyrTrening::YoungMediumTraining ? 0.5
                                                                                 : 0.75;
    BasisBehov[0] += q * share;
  }

  // 4. Maintenance level.
  {
    const UttrykkResultat r = TUttrykk(kMaintenanceFormula).Evaluer(*this, true, nullptr);
    NetVedlikehold = r.ok ? r.value : w * 0.0333;
  }

  // 5. Intake-based nutrients.
  double f = 0.02;
  switch (Kategori) {
    case TDyreKategori::Ungdyr:
    case TDyreKategori::Lakterende: f = 0.025; break;
    case TDyreKategori::Trening:
      f = ArbeidsIntensitet == TArbeidsIntensitet::Lett      ? 0.02
          : ArbeidsIntensitet == TArbeidsIntensitet::Moderat ? 0.0225
                                                             : 0.025;
      break;
    default: f = 0.02; break;
  }
  const double d = w * f;
  const bool working = (Kategori == TDyreKategori::Trening && TreningsMengde > 0) ||
                       (Kategori == TDyreKategori::Ungdyr && UngDyrTrening != TUngDyrTrening::YoungNoTraining);
  BasisBehov[18] = d * (working ? 5 : 3);
  BasisBehov[19] = d * 2;
  BasisBehov[20] = d;
  BasisBehov[21] = d * 0.01;
  BasisBehov[22] = d * 10;
  BasisBehov[23] = d;
  for (int i = 18; i < 24; ++i) Behov[static_cast<size_t>(i)] = BasisBehov[static_cast<size_t>(i)];

  // 6. Safety margins.
  for (int i = 1; i < kNutrientCount; ++i)
    Behov[static_cast<size_t>(i)] = BasisBehov[static_cast<size_t>(i)] * kMargin[i];
  if (Kategori == TDyreKategori::Ungdyr) Behov[3] = BasisBehov[3] * 1.25;
  if (env->PreferenceCountry() == 46) {
    Behov[4] = BasisBehov[4] * 1.1;
    Behov[14] = BasisBehov[14];
  }

  // 7. Model step.
  if (model == TEnergiBeregning::fransk) {
    if (!FrenchEnergy(*this, w, error)) return false;
  } else if (model == TEnergiBeregning::dutch) {
    DutchModel(*this, w);
  }

  // 8.-9. Energy.
  double turbo = VedlikeholdsTurbo;
  if (model != TEnergiBeregning::nrc2007 &&
      (Kategori == TDyreKategori::Vedlikehold || Kategori == TDyreKategori::Drektig ||
       Kategori == TDyreKategori::Lakterende || Kategori == TDyreKategori::Avlsdyr))
    turbo += EkstraAktivitet() ? 0.1 : TreningsMengde;
  Behov[0] = EnergiBehov(turbo);

  // 10. Maintenance energy in the active basis and unit, for display.
  switch (model) {
    case TEnergiBeregning::nrc2007:
      NetVedlikehold = active->KonverterEnergi(NetVedlikehold, EnergiBasisType::DE, EnergiEnhetstype::MCal, 1);
      break;
    case TEnergiBeregning::fransk:
      NetVedlikehold = active->KonverterEnergi(NetVedlikehold / 1000, EnergiBasisType::NE, EnergiEnhetstype::MCal, 1);
      break;
    case TEnergiBeregning::dutch:
      NetVedlikehold = active->KonverterEnergi(NetVedlikehold, EnergiBasisType::NE, EnergiEnhetstype::fe, 1);
      break;
  }

  // 11. Protein.
  if (model == TEnergiBeregning::nrc2007) {
    if (active->ProteinBeregning == TProteinBeregning::DCP)
      Behov[1] *= Kategori == TDyreKategori::Ungdyr ? 0.65 : 0.55;
  } else if (model == TEnergiBeregning::fransk) {
    FrenchProtein(*this, w);
    if (active->ProteinBeregning == TProteinBeregning::CP) RationDigestibility(*this);
  }
  return clean;
}

}  // namespace stallora
