#include "forms/horse_form.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/cp1252.h"
#include "core/textutil.h"
#include "nutrition/growth.h"

namespace stallora {
namespace {

std::string Whole(double v) { return std::to_string(static_cast<long long>(std::llround(v))); }

std::string Fixed(double v, int decimals, char sep) { return Trim(FormatFixed(12, decimals, v, sep)); }

const CountrySettings* SettingsOf(const THest& h) { return h.env ? h.env->settings : nullptr; }

std::string MaintenanceName(const THest& h) {
  const CountrySettings* s = SettingsOf(h);
  return s ? CountrySettings::NameAt(s->categoryNames, Ord(TDyreKategori::Vedlikehold)) : std::string();
}

std::string EnergyUnit(const THest& h) {
  const CountrySettings* s = SettingsOf(h);
  return s && s->nutrients.size() == kNutrientCount ? s->NutrientUnit(0) : std::string();
}

int EnergyPrecision(const THest& h) {
  const CountrySettings* s = SettingsOf(h);
  return s && s->nutrients.size() == kNutrientCount ? s->nutrients[0].precision : 2;
}

double RoundHalfEven(double v) { return std::nearbyint(v); }

}  // namespace

// ---------------------------------------------------------------- name

NameCheck CheckHorseName(std::string_view typed, const std::vector<std::string>& otherNames) {
  NameCheck r;
  r.text = std::string(typed);
  const std::string trimmed = Trim(typed);
  if (!trimmed.empty() && std::find(otherNames.begin(), otherNames.end(), trimmed) != otherNames.end()) {
    r.messages.push_back(Tr(kHfHestFindes));
    r.keepFocus = true;
  }
  if (r.text.find("xxx_") != std::string::npos) {
    r.messages.push_back(Tr(kHfIkkeTilladtNavn) + ". " + Tr(kHfSlet) + " " + "xxx_");
    r.keepFocus = true;
  }
  if (r.text.find('.') != std::string::npos) {
    r.messages.push_back(". " + Tr(kHfIkkeTilladt));
    std::replace(r.text.begin(), r.text.end(), '.', '-');
  }
  return r;
}

// ---------------------------------------------------------------- sex and category

TDyreKategori CategoryAfterSexChoice(TDyreKategori category, TKjonn sex) {
  if (sex == TKjonn::Hann && (category == TDyreKategori::Drektig || category == TDyreKategori::Lakterende))
    return TDyreKategori::Vedlikehold;
  if (sex == TKjonn::Hunn && category == TDyreKategori::Avlsdyr) return TDyreKategori::Vedlikehold;
  return category;
}

std::optional<TKjonn> SexForcedByCategory(TDyreKategori category) {
  switch (category) {
    case TDyreKategori::Drektig:
    case TDyreKategori::Lakterende: return TKjonn::Hunn;
    case TDyreKategori::Avlsdyr: return TKjonn::Hann;
    default: return std::nullopt;
  }
}

bool IsAdultCategory(TDyreKategori category) { return category != TDyreKategori::Ungdyr; }

// ---------------------------------------------------------------- birth date

DayNumber YoungBirthLimit(DayNumber today) { return IncMonth(std::floor(today), -36); }

bool YoungBirthDateValid(DayNumber birth, DayNumber today) {
  return birth >= YoungBirthLimit(today) && std::floor(birth) <= std::floor(today);
}

std::string YoungBirthIntervalText(const Regional& regional, DayNumber today) {
  return Tr(kHfUnghestensFoedselsdato) + " " + regional.FormatShortDate(YoungBirthLimit(today)) + " - " +
         regional.FormatShortDate(today);
}

DayNumber ClampYoungBirthDate(DayNumber date, DayNumber today) {
  today = std::floor(today);
  if (date > today) return today;
  const DayNumber limit = YoungBirthLimit(today);
  if (date < limit) return limit + 1;
  return date;
}

bool AdultBirthDateTooRecent(DayNumber birth, DayNumber today) { return birth >= YoungBirthLimit(today); }

std::string AdultBirthDateMessage(const std::string& name, DayNumber today) {
  const int year = DecodeDate(today).year;
  return Tr(kHfFoedselsaarVoksen) + " \"" + name + "\" " + Tr(kHfMaaVaereIOmraadet) + " " + std::to_string(year - 40) +
         " - " + std::to_string(year - 3);
}

int ShownAge(bool young, DayNumber birth, DayNumber today) {
  if (young) return AgeInMonths(birth, today);
  return DecodeDate(today).year - DecodeDate(birth).year;
}

DayNumber BirthDateFromMonths(int months, DayNumber today) {
  return std::floor(today) - RoundHalfEven(months * 30.5);
}

DayNumber BirthDateFromYears(int years, DayNumber today) { return std::floor(today) - years * 365.0; }

// ---------------------------------------------------------------- reproduction

bool WithinLastMonths(DayNumber date, int months, DayNumber today) {
  return date >= IncMonth(std::floor(today), -months) && std::floor(date) <= std::floor(today);
}

ReproductionBox ReproductionBoxOf(const THest& h, DayNumber today) {
  ReproductionBox b;
  today = std::floor(today);
  if (h.Kategori == TDyreKategori::Drektig) {
    b.showMating = true;
    b.mating = WithinLastMonths(h.ParringsDato, 12, today) ? h.ParringsDato : today;
    b.monthsPregnant = MonthNumber(b.mating, today);
  } else if (h.Kategori == TDyreKategori::Lakterende) {
    b.showFoaling = true;
    b.foaling = WithinLastMonths(h.PartusDato, 17, today) ? h.PartusDato : today;
    b.monthsLactating = MonthNumber(b.foaling, today);
    if (h.ParringsDato > b.foaling + 9) {
      b.showMating = true;
      b.mating = h.ParringsDato;
      b.monthsPregnant = MonthNumber(b.mating, today);
    } else {
      b.showNewMating = today - b.foaling > 9;
    }
  }
  return b;
}

void ApplyReproductionDefaults(THest& h, DayNumber today) {
  today = std::floor(today);
  if (h.Kategori == TDyreKategori::Drektig) {
    if (!WithinLastMonths(h.ParringsDato, 12, today)) h.ParringsDato = today;
    h.PartusDato = 0;
  } else if (h.Kategori == TDyreKategori::Lakterende) {
    if (!WithinLastMonths(h.PartusDato, 17, today)) h.PartusDato = today;
    if (!(WithinLastMonths(h.ParringsDato, 12, today) && h.ParringsDato >= h.PartusDato + 9)) h.ParringsDato = 0;
  }
}

void NewMating(THest& h, DayNumber today) {
  if (!(h.ParringsDato > h.PartusDato + 9)) h.ParringsDato = std::floor(today);
}

namespace {
std::optional<std::string> RangeProblem(const Text& what, DayNumber date, int days, const Regional& regional,
                                        DayNumber today) {
  today = std::floor(today);
  if (std::floor(date) >= today - days && std::floor(date) <= today) return std::nullopt;
  return Tr(what) + " " + Tr(kHfMaaVaereIOmraadet) + " " + regional.FormatShortDate(today - days) + " - " +
         regional.FormatShortDate(today);
}
}  // namespace

std::optional<std::string> MatingDateProblem(DayNumber date, const Regional& regional, DayNumber today) {
  return RangeProblem(kHfBedaekningsdato, date, 375, regional, today);
}

std::optional<std::string> FoalingDateProblem(DayNumber date, const Regional& regional, DayNumber today) {
  return RangeProblem(kHfFolningsdato, date, 515, regional, today);
}

bool MatingAcceptedWhileLactating(DayNumber mating, DayNumber foaling) {
  return std::floor(mating) >= std::floor(foaling) + 8;
}

DayNumber DateFromMonthsField(int months, DayNumber today) { return IncMonth(std::floor(today), -months) + 15; }

// ---------------------------------------------------------------- typed values

std::optional<std::string> AdultWeightProblem(double kg) {
  if (kg > 1600) return Tr(kHfUgyldigVaegt) + " (max 1600 kg)";
  if (kg < 50) return Tr(kHfUgyldigVaegt) + " (min 50 kg)";
  return std::nullopt;
}

std::optional<std::string> DailyGainProblem(double kgPerDay) {
  if (kgPerDay > 2) return Tr(kHfFejl) + "! " + Tr(kHfTilvaekstForHurtig);
  return std::nullopt;
}

std::optional<std::string> GirthProblem(double cm) {
  if (cm < 64 || cm > 360) return Tr(kHfGjordmaal) + "...." + Tr(kHfMaaVaereIOmraadet) + " 64 - 360 cm";
  return std::nullopt;
}

std::optional<std::string> RegistrationNumberProblem(std::string_view text) {
  if (!text.empty() && text.size() < 15) return Tr(kHfForFaaTegn) + "\r" + Tr(kHfNummeretMaaHa15);
  return std::nullopt;
}

std::optional<double> ParseTypedNumber(std::string_view text) {
  std::string t = Trim(text);
  if (t.empty() || t.size() > 40) return std::nullopt;
  std::replace(t.begin(), t.end(), ',', '.');
  int points = 0, digits = 0;
  for (size_t i = 0; i < t.size(); ++i) {
    const char c = t[i];
    if (c == '.') ++points;
    else if (c >= '0' && c <= '9') ++digits;
    else if (!(c == '-' && i == 0)) return std::nullopt;
  }
  if (points > 1 || digits == 0) return std::nullopt;
  return std::strtod(t.c_str(), nullptr);
}

double ConditionFactor(int item) {
  switch (item) {
    case 0: return 1.05;
    case 2: return 0.95;
    default: return 1.0;
  }
}

int ConditionItem(double factor) {
  if (factor > 1.025) return 0;
  if (factor < 0.975) return 2;
  return 1;
}

// ---------------------------------------------------------------- breeds

std::string BreedWeightLine(const Breed& b) {
  return b.name + "   (" + b.maleWeight + " kg / " + b.femaleWeight + " kg)";
}

std::string BreedOfWeightLine(std::string_view line) {
  const size_t at = line.find(" (");
  return Trim(line.substr(0, at));
}

int LastLineContaining(const std::vector<std::string>& lines, std::string_view text) {
  if (text.empty()) return -1;
  for (int i = static_cast<int>(lines.size()) - 1; i >= 0; --i)
    if (lines[static_cast<size_t>(i)].find(text) != std::string::npos) return i;
  return -1;
}

const Breed* FindBreed(const CountrySettings& settings, std::string_view name) {
  if (name.empty()) return nullptr;
  for (const Breed& b : settings.breeds)
    if (b.name == name) return &b;
  return nullptr;
}

double BreedStandardWeight(const Breed& breed, TKjonn sexItem) {
  const auto v = ParseTypedNumber(sexItem == TKjonn::Hann ? breed.maleWeight : breed.femaleWeight);
  return v && *v > 0 ? *v : 0;
}

std::string AdultWeightHint(const std::string& horseName, const Breed* breed, const std::string& sexName,
                            double adultWeight) {
  if (!breed) return horseName + ": " + Tr(kHfRaceUkendt);
  const double mare = ParseTypedNumber(breed->femaleWeight).value_or(0);
  const double stallion = ParseTypedNumber(breed->maleWeight).value_or(0);
  return horseName + ": " + breed->name + "- " + sexName + ". " + Tr(kHfForventetVoksenvaegt) + ":" +
         Whole(adultWeight) + " kg" + "\r" + Tr(kHfJusterVaegten) + "!" + "\r\r" + breed->name + ": " +
         Tr(kHfVoksenHoppeVejer) + " " + Whole(0.8 * mare) + " - " + Whole(1.1 * mare) + " kg. " +
         Tr(kHfVoksenHingstVejer) + " " + Whole(0.8 * stallion) + " - " + Whole(1.1 * stallion) + " kg.";
}

// ---------------------------------------------------------------- weighings

void SetFirstWeighing(TVektListe& list, double kg, DayNumber date) {
  if (TVekt* first = list.Element(0)) {
    first->Vekt = kg;
    first->Dato = date;
  } else {
    list.LeggTil(kg, date);
  }
}

int InsertWeighingAfter(TVektListe& list, int row, double kg, DayNumber date) {
  // The list appends only, so it is laid out anew with the weighing in its place.
  std::vector<ChartPoint> all;
  for (int i = 0; i < list.Antall(); ++i) all.push_back({list.Element(i)->Dato, list.Element(i)->Vekt});
  const int at = all.empty() || row < 0 ? 0 : std::min(row + 1, static_cast<int>(all.size()));
  all.insert(all.begin() + at, ChartPoint{date, kg});
  list.Tom();
  for (const ChartPoint& v : all) list.LeggTil(v.kg, v.day);
  return at;
}

bool DeleteWeighing(TVektListe& list, int row) {
  if (row < 0 || row >= list.Antall()) return false;
  std::vector<ChartPoint> all;
  for (int i = 0; i < list.Antall(); ++i)
    if (i != row) all.push_back({list.Element(i)->Dato, list.Element(i)->Vekt});
  list.Tom();
  for (const ChartPoint& v : all) list.LeggTil(v.kg, v.day);
  return true;
}

void RefreshYoungEstimate(THest& h) {
  const DayNumber today = h.env->Today();
  h.AktuellVektRec.Dato = today;
  h.AktuellVektRec.Vekt = h.Kategori == TDyreKategori::Ungdyr ? h.ForventetVekt(today) : h.AktuellVekt();
}

void SetTodaysWeight(THest& h, double kg) {
  const DayNumber today = h.env->Today();
  TVekt* last = h.VektListe->Siste();
  if (last && std::floor(last->Dato) == today)
    last->Vekt = kg;
  else
    h.VektListe->LeggTil(kg, today);
}

void ApplyBreedStandardWeight(THest& h, double kg) {
  const DayNumber today = h.env->Today();
  h.VektListe->Tom();
  if (h.Kategori == TDyreKategori::Ungdyr) {
    h.ForventetVoksenvekt = kg;
    h.Fodselsvekt = BirthWeight(h.Curve(), kg);
    h.VektListe->LeggTil(kg * 0.1, h.Fodselsdato);
    RefreshYoungEstimate(h);
  } else {
    h.VektListe->LeggTil(kg, today);
  }
}

void ApplyYoungBirthDate(THest& h, DayNumber birth) {
  const DayNumber today = h.env->Today();
  if (birth > today) birth = today;
  h.Fodselsdato = birth;
  TVektListe& list = *h.VektListe;
  if (list.Antall() > 0) {
    SetFirstWeighing(list, h.ForventetVoksenvekt * 0.1, birth);
    if (list.Antall() >= 2) {
      double estimate = h.ForventetVekt(today);
      estimate = std::max(estimate, list.Element(0)->Vekt);
      if (h.ForventetVoksenvekt > 0) estimate = std::min(estimate, h.ForventetVoksenvekt);
      TVekt* last = list.Siste();
      last->Dato = today;
      last->Vekt = estimate;
    }
  }
  RefreshYoungEstimate(h);
  h.Sistetilvekst = h.ForventetTilvekst(today);
}

void ApplyAdultWeight(THest& h, double kg) {
  h.ForventetVoksenvekt = kg;
  h.Fodselsvekt = BirthWeight(h.Curve(), kg);
  SetFirstWeighing(*h.VektListe, h.Fodselsvekt, h.Fodselsdato);
  RefreshYoungEstimate(h);
  h.Sistetilvekst = h.ForventetTilvekst(h.env->Today());
}

// ---------------------------------------------------------------- category changes

std::string ApplyAdultCategory(THest& h, TDyreKategori category) {
  const DayNumber today = h.env->Today();
  h.Kategori = category;
  std::string message;
  if (AdultBirthDateTooRecent(h.Fodselsdato, today)) {
    message = AdultBirthDateMessage(h.Navn, today);
    h.Fodselsdato = today - kAdultDefaultAgeDays;
  }
  if (auto sex = SexForcedByCategory(category)) h.Kjonn = *sex;
  ApplyReproductionDefaults(h, today);
  h.youngHorseDefined = false;
  return message;
}

YoungDefinition StartYoungCategory(THest& h, const Breed* breed) {
  YoungDefinition d;
  const DayNumber today = h.env->Today();
  h.Kategori = TDyreKategori::Ungdyr;
  if (YoungBirthDateValid(h.Fodselsdato, today)) return d;
  d.needed = true;
  if (!h.youngHorseDefined) d.message = h.Navn + ": " + YoungBirthIntervalText(h.env->regional, today);
  double adult = breed ? BreedStandardWeight(*breed, h.Kjonn) : 0;
  if (adult <= 0) adult = 500;
  h.ForventetVoksenvekt = adult;
  h.Fodselsvekt = BirthWeight(h.Curve(), adult);
  h.Fodselsdato = IncMonth(today, -6);
  SetFirstWeighing(*h.VektListe, h.Fodselsvekt, h.Fodselsdato);
  d.birth = h.Fodselsdato;
  d.adultWeight = adult;
  return d;
}

void ApplyYoungDefinition(THest& h, DayNumber birth, std::string_view adultWeightText) {
  const DayNumber today = h.env->Today();
  h.Fodselsdato = ClampYoungBirthDate(birth, today);
  if (auto w = ParseTypedNumber(adultWeightText); w && !AdultWeightProblem(*w)) h.ForventetVoksenvekt = *w;
  h.Fodselsvekt = BirthWeight(h.Curve(), h.ForventetVoksenvekt);
  SetFirstWeighing(*h.VektListe, h.Fodselsvekt, h.Fodselsdato);
}

void FinishYoungCategory(THest& h) {
  const DayNumber today = h.env->Today();
  if (h.VektListe->Antall() == 0) {
    if (h.ForventetVoksenvekt <= 0) h.ForventetVoksenvekt = 500;
    h.Fodselsvekt = BirthWeight(h.Curve(), h.ForventetVoksenvekt);
    h.VektListe->LeggTil(h.Fodselsvekt, h.Fodselsdato);
  }
  RefreshYoungEstimate(h);
  if (h.Sistetilvekst == 0) h.Sistetilvekst = h.ForventetTilvekst(today);
}

std::string YoungChartCaption(double kg) { return Tr(kHfRoedeSirkler) + " (" + Whole(kg) + " kg)"; }

// ---------------------------------------------------------------- training

TrainingControls ApplyTrainingControls(THest& h, TrainingControls c) {
  const TDyreKategori k = h.Kategori;
  if (k == TDyreKategori::Vedlikehold || k == TDyreKategori::Drektig || k == TDyreKategori::Lakterende ||
      k == TDyreKategori::Avlsdyr) {
    if (c.paddock && h.TreningsMengde < 0.101) h.TreningsMengde = 0.101;
    if (!c.paddock && h.EkstraAktivitet()) h.TreningsMengde = 0;
  }
  if (k == TDyreKategori::Trening || k == TDyreKategori::Drektig) {
    if (h.EkstraAktivitet()) {
      c.trackPosition = 10;
    } else {
      h.TreningsMengde = std::clamp(c.trackPosition, 0, 100) / 100.0;
      c.paddock = false;
    }
  }
  if (k == TDyreKategori::Ungdyr && h.UngDyrTrening == TUngDyrTrening::YoungNoTraining)
    h.TreningsMengde = c.paddock ? 0.101 : 0;
  return c;
}

bool PaddockVisible(const THest& h) {
  const bool french = h.env && h.env->activeEnergy && h.env->activeEnergy->Energiberegning == TEnergiBeregning::fransk;
  return french && h.Kategori != TDyreKategori::Trening && h.Kategori != TDyreKategori::Udefinert;
}

bool PaddockEnabled(const THest& h) {
  return h.Kategori != TDyreKategori::Drektig || h.TreningsMengde <= 0.101;
}

std::string EnergyRequirementLabel(const THest& h, int trackPosition) {
  const char sep = h.env->regional.decimalSeparator;
  return Tr(kHfEnergibehov) + ": " + Fixed(h.Behov[0], EnergyPrecision(h), sep) + " " + EnergyUnit(h) + "\r(" +
         Fixed(trackPosition / 100.0 + 1, 2, sep) + " * " + MaintenanceName(h) + ")";
}

std::string RationEnergyLabel(const THest& h) {
  if (h.ForListe->Count() == 0) return {};
  return Tr(kHfRationenGiverNu) + ": " + Fixed(h.Tilforsel[0], EnergyPrecision(h), h.env->regional.decimalSeparator) +
         " " + EnergyUnit(h);
}

std::string PregnancyTrainingWarning(const THest& h) {
  if (h.Kategori != TDyreKategori::Drektig || h.DrektighetsMnd() < 9) return {};
  return Tr(kHfSidsteTrediedel) + "  (max 1.25 * " + FirstLetterLower(MaintenanceName(h)) + ")";
}

EnergyBar ComputeEnergyBar(int width, double supply, double requirement, double roughagePercent) {
  EnergyBar b;
  b.unit = width / 125.0;
  b.line = static_cast<int>(std::lround(100 * b.unit));
  if (!(requirement > 0) || !std::isfinite(supply) || !std::isfinite(roughagePercent)) return b;
  b.valid = true;
  if (supply / requirement < 1.26) {
    b.greenEnd = static_cast<int>(std::lround(supply * roughagePercent / 100 * 100 / requirement * b.unit));
    b.yellowEnd = static_cast<int>(std::lround(supply * 100 / requirement * b.unit));
  } else {
    b.redEnd = static_cast<int>(std::lround(126 * b.unit));
  }
  return b;
}

std::string EnergyBarHint(double roughagePercent, char sep) {
  return Tr(kHfGroen) + ": " + Tr(kHfGrovfoder) + " (" + Fixed(roughagePercent, 1, sep) + "%), " + Tr(kHfGul) + ": " +
         Tr(kHfKraftfoder);
}

// ---------------------------------------------------------------- weight chart

bool WeightChartShown(const THest& h) {
  const int n = h.VektListe->Antall();
  return h.Kategori == TDyreKategori::Ungdyr ? n >= 1 : n >= 2;
}

double WeightChartMaximum(const THest& h) {
  if (h.Kategori == TDyreKategori::Ungdyr) return std::round(h.ForventetVoksenvekt * 4 / 35) * 10;
  const TVekt* heaviest = h.VektListe->Tyngste();
  return heaviest ? 1.25 * heaviest->Vekt : 0;
}

RoundAxis RoundAxisFor(double maximum, int maxIntervals) {
  RoundAxis axis;
  maxIntervals = std::max(1, maxIntervals);
  if (!(maximum > 0) || !std::isfinite(maximum)) maximum = 1;
  const double rough = maximum / maxIntervals;
  double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (;;) {
    for (double factor : {1.0, 2.0, 5.0}) {
      const double step = factor * power;
      // A small tolerance keeps 600 / 100 at six intervals despite binary noise.
      const int intervals = static_cast<int>(std::ceil(maximum / step - 1e-9));
      if (step * (1 + 1e-12) >= rough && intervals <= maxIntervals) {
        axis.step = step;
        axis.intervals = std::max(1, intervals);
        axis.top = axis.step * axis.intervals;
        return axis;
      }
    }
    power *= 10;
  }
}

RoundAxis WeightChartAxis(const THest& h) {
  const double top = WeightChartMaximum(h);
  return RoundAxisFor(top > 0 ? top : 100);
}

DayNumber YoungChartEnd(const THest& h, DayNumber today) {
  return IncMonth(h.Fodselsdato, AgeInMonths(h.Fodselsdato, today) > 14 ? 36 : 15);
}

void GrowthBand(const THest& h, DayNumber end, std::vector<ChartPoint>& lower, std::vector<ChartPoint>& upper) {
  lower.clear();
  upper.clear();
  if (h.Kategori != TDyreKategori::Ungdyr || !(end >= h.Fodselsdato) || end - h.Fodselsdato > 5000) return;
  for (DayNumber d = h.Fodselsdato; d <= end; d += 1) {
    const double w = h.ForventetVekt(d);
    lower.push_back({d, w * 0.95});
    upper.push_back({d, w * 1.05});
  }
}

// ---------------------------------------------------------------- treatments

DoneDateCheck CheckDoneDate(DayNumber done, DayNumber today) {
  const double ahead = std::floor(done) - std::floor(today);
  if (ahead > 0 && ahead < 8) return DoneDateCheck::kConfirm;
  if (ahead > 7 && ahead < 4000) return DoneDateCheck::kRefuse;
  return DoneDateCheck::kOk;
}

std::string DoneDateConfirmText() { return Tr(kHfBehandlingsdatoIkkeGodkendt) + "\r" + Tr(kHfFortsaet) + "?"; }

std::string DoneDateRefusedText(const Regional& regional, DayNumber today) {
  return Tr(kHfBehandlingsdatoIkkeGodkendt) + "\r" + Tr(kHfMaksimaltTilladt) + " " +
         regional.FormatShortDate(std::floor(today) + 7) + "\r" + Tr(kHfAngivNy) + " " + Tr(kHfDatoLower) + "!";
}

TreatmentDateMode DateModeOf(const TTreatmentObj& t, bool createdForEdit) {
  if (t.IsDone()) return TreatmentDateMode::kDone;
  if (createdForEdit) return TreatmentDateMode::kNew;
  return TreatmentDateMode::kPlanned;
}

std::string TreatmentDateCaption(const TTreatmentObj& t, TreatmentDateMode mode) {
  const Regional& r = t.env->regional;
  switch (mode) {
    case TreatmentDateMode::kNew: return Tr(kHfAngivDato);
    case TreatmentDateMode::kPlanned:
      return Tr(kHfBehandling) + " " + Tr(kHfPlanlagt) + " " + r.FormatShortDate(t.PlannedDate) + ". " +
             Tr(kHfAngivDato) + " " + Tr(kHfUdfoert);
    case TreatmentDateMode::kDone:
      return Tr(kHfBehandling) + " " + Tr(kHfUdfoert) + " " + r.FormatShortDate(t.DoneDate);
  }
  return {};
}

std::string BanHint(const TTreatmentList& list) {
  const TTreatmentObj* ban = list.BanTreatment();
  if (!ban) return {};
  return Tr(kHfStartforbud) + " " + Tr(kHfTil) + ": " + list.env->regional.FormatShortDate(list.HorseOKToStartDate) +
         "\r" + Tr(kHfBehandling) + ": " + ban->Caption() + "\r" + Tr(kHfDobbeltklikForAtVise) + " " +
         Tr(kHfBehandlingLower);
}

TreatmentButtons TreatmentButtonRules(int treatments, bool nodeHasTreatment, bool editOpen) {
  TreatmentButtons b;
  b.report = treatments > 0;
  b.remove = treatments > 0 && nodeHasTreatment;
  b.sort = !editOpen && treatments > 0;
  b.add = !editOpen;
  return b;
}

void AddOwnTreatmentName(TPreferences& preferences, int type, const std::string& name) {
  if (type < 0 || type >= kTreatmentTypeCount || name.empty()) return;
  std::vector<std::string> names, addresses;
  preferences.TreatmentEntries(type, names, addresses);
  std::string clean;
  // "%" and "#" build the line; a name holding them would split into other entries.
  for (char c : name)
    if (c != '%' && c != '#' && c != '\r' && c != '\n') clean += c;
  if (clean.empty()) return;
  names.push_back(clean);
  addresses.emplace_back();
  std::string line;
  for (size_t i = 0; i < names.size(); ++i) line += names[i] + "%" + addresses[i] + "#";
  while (static_cast<int>(preferences.TreatmentRegister.size()) <= type) preferences.TreatmentRegister.push_back("%#");
  preferences.TreatmentRegister[static_cast<size_t>(type)] = line;
}

bool IsWebAddress(std::string_view address) {
  const std::string upper = UpperCase(address);
  const size_t www = upper.find("WWW");
  return www != std::string::npos && upper.find('.', www + 3) != std::string::npos;
}

std::string TreatmentPage(const std::string& name, const std::string& address) {
  if (IsWebAddress(address)) return address;
  std::string q = Tr(kHfHest) + "+";
  static const char* kHex = "0123456789ABCDEF";
  for (unsigned char c : name) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_')
      q += static_cast<char>(c);
    else if (c == ' ')
      q += '+';
    else {
      // The search service takes UTF-8.
      for (unsigned char u : Cp1252ToUtf8(std::string(1, static_cast<char>(c)))) {
        q += '%';
        q += kHex[u >> 4];
        q += kHex[u & 15];
      }
    }
  }
  return "https://duckduckgo.com/?q=" + q;
}

// ---------------------------------------------------------------- young-horse definition

std::string AgeLabel(DayNumber birth, DayNumber today) {
  return Tr(kHfAlder) + ": " + std::to_string(AgeInMonths(birth, today)) + " " + Tr(kHfMaaneder);
}

int SliderPosition(DayNumber birth, DayNumber today) { return std::min(AgeInMonths(birth, today), 24); }

DayNumber DateOfSlider(int months, DayNumber today) { return IncMonth(std::floor(today), -std::clamp(months, 0, 24)); }

}  // namespace stallora
