#include "ration/evaluation.h"

#include <algorithm>
#include <cmath>

namespace stallora {
namespace {

constexpr double kUpper[kNutrientCount] = {1.15, 2.0, 10.0, 4.0, 6.0,  3.0,  1.81, 4.0,   250,  130,  200,  150,
                                           1.0,  2.0, 2.0,  10000, 1500, 500, 2000, 1000, 1000, 1000, 1000, 1000};
constexpr double kMargin[kNutrientCount] = {1.0,  1.0, 1.0, 1.2, 1.2, 1.25, 1.19, 1.25, 1.25, 1.3, 1.25, 1.3,
                                            1.3,  1.3, 1.15, 1.3, 1.3, 1.2, 1.0,  1.0,  1.0,  1.0, 1.0,  1.0};

double Low(int i) { return kMargin[i] != 1 ? 1.0 : 0.85; }

// Limits are products like 100 x 1.15 = 114.99999999999999; a supply the user sees as
// exactly on the limit must count as inside it.
bool Inside(double lo, double value, double hi) {
  const double slack = 1e-9 * std::max({std::fabs(lo), std::fabs(hi), 1.0});
  return lo - slack <= value && value <= hi + slack;
}

}  // namespace

double UpperLimitFactor(int n) { return n >= 0 && n < kNutrientCount ? kUpper[n] : 0; }
double RequirementMargin(int n) { return n >= 0 && n < kNutrientCount ? kMargin[n] : 1; }

double IntakeBase(const THest& h) {
  double f = 0.02;
  switch (h.Kategori) {
    case TDyreKategori::Ungdyr:
    case TDyreKategori::Lakterende: f = 0.025; break;
    case TDyreKategori::Trening:
      f = h.ArbeidsIntensitet == TArbeidsIntensitet::Lett      ? 0.02
          : h.ArbeidsIntensitet == TArbeidsIntensitet::Moderat ? 0.0225
                                                               : 0.025;
      break;
    default: break;
  }
  return h.AktuellVekt() * f;
}

void BeregnTilforsel(THest& h) {
  bool any = false;
  for (double b : h.Behov) any = any || b != 0;
  if (!any) return;
  const TForListe& ration = *h.ForListe;
  const double w = h.AktuellVekt();
  const double d = IntakeBase(h);
  auto& T = h.Tilforsel;
  auto& D = h.Differanse;
  auto& B = h.Behov;
  auto& Mx = h.MaksGrense;
  auto& Mn = h.MinGrense;
  auto& U = h.UtenforOmrade;

  for (int i = 0; i < kNutrientCount; ++i) {
    T[i] = ration.Supply(i);
    D[i] = T[i] - B[i];
  }
  T[6] = T[4] != 0 ? T[3] / T[4] : 0;
  D[6] = T[6];
  Mx[0] = B[0] * 1.15;
  Mn[0] = B[0] * 0.85;
  const bool highProtein = h.Kategori == TDyreKategori::Ungdyr || h.Kategori == TDyreKategori::Lakterende;
  Mx[1] = B[1] * (highProtein ? 1.53 : 2.0);
  Mn[1] = B[1] * 0.85;
  Mx[2] = B[2] * 10;
  Mn[2] = B[2] * 0.85;
  Mx[3] = B[3] * 3.2;
  for (int i = 3; i <= 19; ++i) Mn[i] = B[i] / kMargin[i] * Low(i);
  for (int i = 4; i <= 19; ++i) Mx[i] = d * kUpper[i];
  if (h.env->PreferenceCountry() == 46) {
    Mn[4] = h.BasisBehov[4];
    Mn[14] = h.BasisBehov[14] / 2;
    Mx[14] = h.BasisBehov[14] * 1.43;
  }
  for (int i : {20, 22, 23}) {
    Mx[i] = 10000;
    Mn[i] = 0;
  }
  Mx[21] = 10000;
  // Cobalt (13) and vitamin B12 (21) are judged together: with a lower limit of half the
  // B12 requirement, both are flagged when cobalt is out of range and B12 is short too.
  Mn[21] = B[21] / 2;
  Mx[16] = w * 44;
  Mn[16] = B[16] / kMargin[16] * Low(16);
  Mx[6] = 4.0;
  Mn[6] = 1.0;
  Mx[7] = h.BasisBehov[7] * 4.0;
  if (h.Kategori == TDyreKategori::Trening && h.TreningsMengde > 0.2) Mx[7] /= 1.7;

  for (int i = 0; i < kNutrientCount; ++i) U[i] = !Inside(Mn[i], T[i], Mx[i]);
  U[15] = !Inside(Mn[15], T[15], std::max(T[15], Mn[15]));
  if (h.PaBeite()) U[15] = U[16] = false;
  if (U[13] && !U[21]) U[13] = false;
  if (!U[13]) U[21] = false;
  U[8] = ration.Value8Total() > Mx[8];
}

double MaksTorrstoff(const THest& h) {
  double a = 2.5;
  if (h.PaBeite()) {
    a = h.Kategori == TDyreKategori::Lakterende ? 3.5 : 2.5;
  } else {
    switch (h.Kategori) {
      case TDyreKategori::Ungdyr: {
        const double age = h.env->Today() - h.Fodselsdato;
        a = age < 305 ? 3.5 : (age <= 548 ? 3.0 : 2.5);
        break;
      }
      case TDyreKategori::Lakterende: a = 3.0; break;
      case TDyreKategori::Trening: a = h.ArbeidsIntensitet == TArbeidsIntensitet::Intens ? 3.0 : 2.5; break;
      default: a = 2.5; break;
    }
  }
  return h.AktuellVekt() * a / 100;
}

double MinGrovfor(const THest& h) {
  const bool young = h.Kategori == TDyreKategori::Ungdyr;
  double a = 0.009;
  if (young) {
    const double age = h.env->Today() - h.Fodselsdato;
    a = h.UngDyrTrening != TUngDyrTrening::YoungNoTraining ? 0.0106 : (age < 366 ? 0.0146 : 0.012);
  }
  double w = h.AktuellVekt();
  if (w <= 0) w = young ? h.ForventetVekt(h.env->Today()) : h.ForventetVoksenvekt;
  return a * w;
}

RoughageVerdict GrovforVurdering(const THest& h) {
  const double R = h.ForListe->Supply(24);
  if (MinGrovfor(h) > R) return RoughageVerdict::TooLittleRoughage;
  if (MaksTorrstoff(h) >= R) return RoughageVerdict::Acceptable;
  return RoughageVerdict::TooMuchFeed;
}

std::string Grovforvurdering(const THest& h) {
  switch (GrovforVurdering(h)) {
    case RoughageVerdict::TooLittleRoughage: return Tr(kTooLittleRoughage);
    case RoughageVerdict::Acceptable: return Tr(kRoughageAcceptable);
    case RoughageVerdict::TooMuchFeed: break;
  }
  return Tr(kTooMuchFeed);
}

bool ForLiteSalt(const THest& h) { return h.UtenforOmrade[7] && h.Differanse[7] < 0; }

double Beitetimer(const THest& h) {
  const int n = h.TimerBeiting;
  double sum = 0;
  for (int hour = 1; hour <= n && hour <= 24; ++hour) {
    if (hour <= 3) sum += 1;
    else if (hour <= 6) sum += 0.9;
    else if (hour <= 9) sum += 0.8;
    else if (hour <= 15) sum += 0.7;
    else if (hour <= 22) sum += 0.5;
  }
  return sum;
}

double BeiteTorrstoff(const THest& h) {
  const double hours = Beitetimer(h);
  const double w = h.AktuellVekt();
  const double k = h.Beiteinntaksfaktor;
  if (h.Kategori == TDyreKategori::Lakterende) return w * 0.002 * k * hours;
  if (hours <= 8) return w * k * 0.002 * hours;
  return w * k * (0.002 * 8 + (hours - 8) * 0.002 / 2);
}

double SettBeitemengde(THest& h) {
  for (const auto& f : h.ForListe->Feeds()) {
    if (!IsGrazingCategory(f->Fortype)) continue;
    // A pasture feed without dry matter cannot take a dry-matter intake; it keeps its amount.
    if (f->TorrStoff <= 0) return 0;
    f->TildeltKg = std::nearbyint(BeiteTorrstoff(h) / (f->TorrStoff / 100));
    return f->TildeltKg;
  }
  return 0;
}

}  // namespace stallora
