#include "nutrition/hest.h"

#include <cmath>

#include "config/preferences.h"
#include "core/objtext.h"
#include "core/textutil.h"
#include "nutrition/growth.h"

namespace stallora {
namespace {

int32_t Wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }
int64_t Chars(const std::string& s) {
  int64_t sum = 0;
  for (unsigned char c : s) sum += c;
  return sum;
}
int64_t Trunc(double v) {
  if (!std::isfinite(v)) return 0;
  if (v > 9e18 || v < -9e18) return 0;
  return static_cast<int64_t>(std::trunc(v));
}

}  // namespace

std::string LinesToText(const StringList& lines) {
  std::string out;
  for (const auto& l : lines) {
    out += l;
    out += "\r\n";
  }
  return out;
}

StringList TextToLines(std::string_view text) {
  StringList lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
  return lines;
}

// ---------------------------------------------------------------- TAnimal

TAnimal::TAnimal(const RecordEnvironment& environment)
    : ForListe(std::make_unique<TForListe>(environment, ListOwnerKind::Animal)),
      VektListe(std::make_unique<TVektListe>()),
      TreatmentListe(std::make_unique<TTreatmentList>(environment)),
      env(&environment) {
  const DayNumber today = environment.Today();
  EndretDato = today;
  Fodselsdato = today - 1825;
  NesteOrmeKur = today;
  NesteFotPleie = today + 1;
  StartForbud = today - 1;
}

TAnimal::~TAnimal() = default;

const RecordClass& TAnimal::StaticClass() {
  using A = TAnimal;
  static const RecordClass c = RecordClass::Make<A>(
      "TAnimal",
      {Prop<&A::Versjon>("Versjon").WriteZero(), Prop<&A::EndretDato>("EndretDato").WriteZero(), Prop<&A::Navn>("Navn"),
       Prop<&A::Description>("Description"), Prop<&A::RaseNavn>("RaseNavn"), Prop<&A::EierNavn>("EierNavn"),
       Prop<&A::KontaktPerson>("KontaktPerson"), Prop<&A::ArbeidsIntensitet>("ArbeidsIntensitet"),
       Prop<&A::Fodselsvekt>("Fodselsvekt"), Prop<&A::Sistetilvekst>("Sistetilvekst"),
       Prop<&A::ForventetVoksenvekt>("ForventetVoksenvekt"), Prop<&A::MatchVekt>("MatchVekt").WriteZero(),
       Prop<&A::Fodselsdato>("Fodselsdato").WriteZero(), Prop<&A::ParringsDato>("ParringsDato"),
       Prop<&A::PartusDato>("PartusDato"), Prop<&A::VedlikeholdsTurbo>("VedlikeholdsTurbo"),
       Prop<&A::TreningsMengde>("TreningsMengde"), Prop<&A::UngDyrTrening>("UngDyrTrening"),
       Prop<&A::Kjonn>("Kjonn"), Prop<&A::Kategori>("Kategori"), Prop<&A::OppdrettsHastighet>("OppdrettsHastighet").WriteZero(),
       Prop<&A::HoldFaktor>("HoldFaktor").WriteZero(), Prop<&A::RegNr>("RegNr"), Prop<&A::Father>("Father"),
       Prop<&A::Mother>("Mother"), Prop<&A::NesteOrmeKur>("NesteOrmeKur").WriteZero(), Prop<&A::NesteFotPleie>("NesteFotPleie").WriteZero(),
       Prop<&A::NesteVaksinasjon>("NesteVaksinasjon"), Prop<&A::StartForbud>("StartForbud").WriteZero(),
       Prop<&A::Bildefilnavn>("Bildefilnavn"), Prop<&A::Bilde>("Bilde")});
  return c;
}

std::vector<const Record*> TAnimal::Children() const {
  return {ForListe.get(), VektListe.get(), TreatmentListe.get()};
}

// The ration, the weighings and the treatments of a horse file replace the record's own.
std::unique_ptr<Record> TAnimal::AdoptChild(std::unique_ptr<Record> child, LoadContext&) {
  if (auto* list = dynamic_cast<TForListe*>(child.get())) {
    child.release();
    ForListe.reset(list);
    ForListe->owner = ListOwnerKind::Animal;
    ForListe->env = env;
    return nullptr;
  }
  if (auto* weights = dynamic_cast<TVektListe*>(child.get())) {
    child.release();
    VektListe.reset(weights);
    return nullptr;
  }
  if (auto* treatments = dynamic_cast<TTreatmentList*>(child.get())) {
    child.release();
    TreatmentListe.reset(treatments);
    TreatmentListe->env = env;
    return nullptr;
  }
  return child;
}

// ---------------------------------------------------------------- THest

THest::THest(const RecordEnvironment& environment) : TAnimal(environment) {
  const DayNumber today = environment.Today();
  InnPaStall = today;
  UtFraStall = today;
}

const RecordClass& THest::StaticClass() {
  using H = THest;
  static const RecordClass c = RecordClass::Derive<H>(
      "THest", TAnimal::StaticClass(),
      {Prop<&H::brystmal>("brystmal"), Prop<&H::stangmal>("stangmal"), Prop<&H::BlodsType>("BlodsType"),
       Prop<&H::ForPris>("ForPris"), Prop<&H::AntallForingstider>("AntallForingstider"),
       Prop<&H::Beiteinntaksfaktor>("Beiteinntaksfaktor").WriteZero(), Prop<&H::TimerBeiting>("TimerBeiting"),
       Prop<&H::InnPaStall>("InnPaStall").WriteZero(), Prop<&H::UtFraStall>("UtFraStall").WriteZero(),
       Prop<&H::OnsketVekstHastighet>("OnsketVekstHastighet"), Prop<&H::HFTider>("HFTider"),
       Prop<&H::HestNoMeals>("HestNoMeals")},
      {Extra<H, &H::WriteAvtegnMemo, &H::ReadAvtegnMemo>("AvtegnMemo"),
       Extra<H, &H::WriteKondisjonMemo, &H::ReadKondisjonMemo>("KondisjonMemo"),
       Extra<H, &H::WriteEierOpplysningerMemo, &H::ReadEierOpplysningerMemo>("EierOpplysningerMemo"),
       Extra<H, &H::WriteVetMemo, &H::ReadVetMemo>("VetMemo"),
       Extra<H, &H::WriteWormingMemo, &H::ReadWormingMemo>("WormingMemo"),
       Extra<H, &H::WriteShoeingMemo, &H::ReadShoeingMemo>("ShoeingMemo"),
       Extra<H, &H::WriteVaccinations, &H::ReadVaccinations>("Vaccinations"),
       Extra<H, &H::WriteWorming, &H::ReadWorming>("Worming"),
       Extra<H, &H::WriteShoeing, &H::ReadShoeing>("Shoeing"),
       Extra<H, &H::WriteVetTreatment, &H::ReadVetTreatment>("VetTreatment"),
       Extra<H, &H::WriteDiaryMemo, &H::ReadDiaryMemo>("DiaryMemo"),
       Extra<H, &H::WriteTreningsliste, &H::ReadTreningsliste>("Treningsliste")});
  return c;
}

std::string THest::WriteVaccinations() const { return LinesToText(Vaccinations); }
void THest::ReadVaccinations(std::string_view b) { Vaccinations = TextToLines(b); }
std::string THest::WriteWorming() const { return LinesToText(Worming); }
void THest::ReadWorming(std::string_view b) { Worming = TextToLines(b); }
std::string THest::WriteShoeing() const { return LinesToText(Shoeing); }
void THest::ReadShoeing(std::string_view b) { Shoeing = TextToLines(b); }
std::string THest::WriteVetTreatment() const { return LinesToText(VetTreatment); }
void THest::ReadVetTreatment(std::string_view b) { VetTreatment = TextToLines(b); }
std::string THest::WriteTreningsliste() const { return LinesToText(Treningsliste); }
void THest::ReadTreningsliste(std::string_view b) { Treningsliste = TextToLines(b); }

// ---- derived values

// A weighing of 0 kg or less is a typing slip, not a weight: it would make the requirement
// vanish, so it does not count.
double THest::AktuellVekt() const {
  const TVekt* last = nullptr;
  int valid = 0;
  for (int i = 0; i < VektListe->Antall(); ++i) {
    const TVekt* v = VektListe->Element(i);
    if (v->Vekt > 0) {
      last = v;
      ++valid;
    }
  }
  if (!last) return 0;
  if (Kategori != TDyreKategori::Ungdyr) return last->Vekt;
  if (valid >= 2 && last->Dato >= env->Today()) return last->Vekt;
  return AktuellVektRec.Vekt;
}

int THest::AlderMnd() const { return AgeInMonths(Fodselsdato, env->Today()); }
int THest::DrektighetsMnd() const { return MonthNumber(ParringsDato, env->Today()); }
int THest::LaktasjonsMnd() const { return MonthNumber(PartusDato, env->Today()); }

bool THest::PaBeite() const {
  return TimerBeiting >= 1 && TimerBeiting <= 24 && ForListe->PickedGrazingCount() >= 1;
}

bool THest::EkstraAktivitet() const { return TreningsMengde > 0.1009 && TreningsMengde < 0.102; }

std::string THest::TreningsTekst() const {
  if (ArbeidsIntensitet == TArbeidsIntensitet::Arbudef) return {};
  const CountrySettings* s = env->settings;
  const std::string work = s ? CountrySettings::NameAt(s->workNames, Ord(ArbeidsIntensitet)) : "";
  const std::string maintenance =
      s ? CountrySettings::NameAt(s->categoryNames, Ord(TDyreKategori::Vedlikehold)) : "";
  return Tr(kTraeningsintensitet) + ": " + work + " (" +
         FormatFixed(4, 2, TreningsMengde + 1, env->regional.decimalSeparator) + "*" + maintenance + ")";
}

void THest::AvledIntensitet() {
  if (Kategori != TDyreKategori::Trening && Kategori != TDyreKategori::Drektig) return;
  const double m = TreningsMengde;
  if (m == 0)
    ArbeidsIntensitet = TArbeidsIntensitet::Arbudef;
  else if (m < 0.26)
    ArbeidsIntensitet = TArbeidsIntensitet::Lett;
  else if (m < 0.625)
    ArbeidsIntensitet = TArbeidsIntensitet::Moderat;
  else if (m < 0.9)
    ArbeidsIntensitet = TArbeidsIntensitet::Hard;
  else
    ArbeidsIntensitet = TArbeidsIntensitet::Intens;
}

bool THest::KommendeBehandlinger(std::vector<std::string>& texts) const {
  const int days = env->preferences ? env->preferences->ForwardReportingDays : 7;
  return TreatmentListe->Due(days, texts);
}

std::string THest::Foderomkostninger() const {
  const double total = ForListe->TotalPrice();
  if (total == 0) return Tr(kFoderomkostninger) + " " + Tr(kIkkeBeregnet);
  return Tr(kFoderomkostninger) + " " + Trim(FormatMoneyFixed(6, 2, total, env->regional.decimalSeparator)) + " " +
         env->regional.currencySymbol + Tr(kDag);
}

// ---- growth

GrowthCurve THest::Curve() const {
  const bool french = env->activeEnergy && env->activeEnergy->Energiberegning == TEnergiBeregning::fransk;
  return french ? GrowthCurve::Euro : GrowthCurve::Nrc;
}

double THest::ForventetVekt(DayNumber dato) const {
  if (Kategori != TDyreKategori::Ungdyr) return AktuellVekt();
  return stallora::ExpectedWeight(Curve(), dato - Fodselsdato, ForventetVoksenvekt);
}

double THest::ForventetTilvekst(DayNumber dato) const {
  if (Kategori != TDyreKategori::Ungdyr) return 0;
  return stallora::ExpectedDailyGain(Curve(), dato - Fodselsdato, ForventetVoksenvekt);
}

double THest::VektFraBrystmal() const {
  const double months = GirthAgeMonths(Kategori == TDyreKategori::Ungdyr, Fodselsdato, env->Today());
  return WeightFromGirth(brystmal, months, BlodsType, HoldFaktor);
}

int THest::BrystmalForVekt(double w) const {
  const double months = GirthAgeMonths(Kategori == TDyreKategori::Ungdyr, Fodselsdato, env->Today());
  return GirthForWeight(w, months, BlodsType, HoldFaktor);
}

// ---- formula subject

double THest::ExpectedDailyGain() const { return ForventetTilvekst(env->Today()); }

int THest::TrainingIntensity() const {
  return Kategori == TDyreKategori::Ungdyr ? Ord(UngDyrTrening) : Ord(ArbeidsIntensitet);
}

double THest::MilkProduction() const {
  if (Kategori != TDyreKategori::Lakterende) return 0;
  const int days = static_cast<int>(std::lround(env->Today() - PartusDato));
  return AktuellVekt() * MilkFactor(days);
}

double THest::SweatLoss() const {
  const double w = AktuellVekt();
  switch (Kategori) {
    case TDyreKategori::Trening: return w * SweatFactorForWork(Ord(ArbeidsIntensitet));
    case TDyreKategori::Ungdyr: return w * SweatFactorForYoungTraining(Ord(UngDyrTrening));
    case TDyreKategori::Avlsdyr: return w * kSweatFactorBreeding;
    default: return 0;
  }
}

int THest::MaintenanceLevel() const { return Kjonn == TKjonn::Hann ? 2 : Ord(BlodsType); }

double THest::Requirement(int nutrient) const {
  return nutrient >= 0 && nutrient < kNutrientCount ? Behov[static_cast<size_t>(nutrient)] : 0.0;
}

// ---- files

void THest::LoadfromFile(const std::filesystem::path& path) {
  LoadRecordFromFile(*this, path, ClassRegistry::Global(), env);
  AfterLoad();
}

void THest::LoadFromText(std::string_view text) {
  ReadRecordText(text, *this, ClassRegistry::Global(), env);
  AfterLoad();
}

void THest::AfterLoad() {
  ErNy = false;
  Versjon = kProgramVersion;
  const DayNumber today = env->Today();
  EndretDato = today;
  TreatmentListe->UpdateBan();
  if (Kategori == TDyreKategori::Ungdyr) {
    AktuellVektRec.Dato = today;
    AktuellVektRec.Vekt = ForventetVekt(today);
    const std::string date = env->regional.FormatShortDate(EndretDato);
    if (Sistetilvekst == 0)
      TilvekstTekst = Tr(kSenesteTilvaekst) + "\r * (" + date + ")";
    else
      TilvekstTekst = Tr(kSenesteTilvaekst) + " " + FormatFixed(4, 2, Sistetilvekst, env->regional.decimalSeparator) +
                      " " + Tr(kKgPerDag) + " (" + date + ")";
    Sistetilvekst = ForventetTilvekst(today);
  }
}

void THest::writeToFile(const std::filesystem::path& path) const { SaveRecordToFile(*this, path); }

std::string THest::DiaryFileName() const { return "00" + Tr(kDagbog) + "_" + Navn + ".rtf"; }

// ---- record operations

void THest::Kopier(const THest& k) {
  brystmal = k.brystmal;
  stangmal = k.stangmal;
  BlodsType = k.BlodsType;
  ForPris = k.ForPris;
  AntallForingstider = k.AntallForingstider;
  Beiteinntaksfaktor = k.Beiteinntaksfaktor;
  TimerBeiting = k.TimerBeiting;
  InnPaStall = k.InnPaStall;
  UtFraStall = k.UtFraStall;
  OnsketVekstHastighet = k.OnsketVekstHastighet;
  HestNoMeals = k.HestNoMeals;
  Navn = k.Navn;
  EierNavn = k.EierNavn;
  Kategori = k.Kategori;
  Description = k.Description;
  RaseNavn = k.RaseNavn;
  Kjonn = k.Kjonn;
  Fodselsdato = k.Fodselsdato;
  RegNr = k.RegNr;
  Father = k.Father;
  Mother = k.Mother;
  ArbeidsIntensitet = k.ArbeidsIntensitet;
  VedlikeholdsTurbo = k.VedlikeholdsTurbo;
  TreningsMengde = k.TreningsMengde;
  Sistetilvekst = k.Sistetilvekst;
  ForventetVoksenvekt = k.ForventetVoksenvekt;
  OppdrettsHastighet = k.OppdrettsHastighet;
  PartusDato = k.PartusDato;
  ParringsDato = k.ParringsDato;
  HoldFaktor = k.HoldFaktor;
  UngDyrTrening = k.UngDyrTrening;
  StartForbud = k.StartForbud;
  ForListe = k.ForListe->CopyList(false, ListOwnerKind::Animal);
  ForListe->env = env;
  VektListe->Tom();
  for (int i = 0; i < k.VektListe->Antall(); ++i) {
    const TVekt* v = k.VektListe->Element(i);
    VektListe->LeggTil(v->Vekt, v->Dato);
  }
  HFTider = k.HFTider;
  TreatmentListe->Clear();
  for (int i = 0; i < k.TreatmentListe->Count(); ++i) TreatmentListe->Add(k.TreatmentListe->Items(i)->Copy());
  DiaryMemo = k.DiaryMemo;
  AvtegnMemo = k.AvtegnMemo;
  KondisjonMemo = k.KondisjonMemo;
  EierOpplysningerMemo = k.EierOpplysningerMemo;
  AktuellVektRec.Dato = k.AktuellVektRec.Dato;
  AktuellVektRec.Vekt = k.AktuellVektRec.Vekt;
}

void THest::Nullstill(bool emptyRation) {
  const DayNumber today = env->Today();
  BlodsType = TBlodsType::WarmBlood;
  OnsketVekstHastighet = TWeightGainRate::Normal;
  MatchVekt = 500;
  NesteOrmeKur = today;
  UngDyrTrening = TUngDyrTrening::YoungNoTraining;
  ErNy = true;
  Beiteinntaksfaktor = 1.0;
  HFTider.clear();
  Kategori = TDyreKategori::Vedlikehold;
  Description.clear();
  RaseNavn.clear();
  Kjonn = TKjonn::Hunn;
  Fodselsdato = today - 1825;
  ArbeidsIntensitet = TArbeidsIntensitet::Arbudef;
  VedlikeholdsTurbo = 0;
  TreningsMengde = 0;
  Sistetilvekst = 0;
  ForventetVoksenvekt = 0;
  OppdrettsHastighet = 1.0;
  PartusDato = today;
  ParringsDato = today;
  HoldFaktor = 1.0;
  AvtegnMemo.clear();
  KondisjonMemo.clear();
  EierOpplysningerMemo.clear();
  DiaryMemo.clear();
  Vaccinations.clear();
  Shoeing.clear();
  Worming.clear();
  VetTreatment.clear();
  Treningsliste.clear();
  if (emptyRation) ForListe->Clear();
  VektListe->Tom();
  VektListe->LeggTil(500, today);
  TreatmentListe->Clear();
}

int32_t THest::EndringsSum() const {
  int64_t s = 0;
  s += Trunc(Beiteinntaksfaktor * 10) + brystmal + stangmal + Ord(BlodsType) + TimerBeiting + Trunc(InnPaStall) +
       Trunc(UtFraStall) + Ord(OnsketVekstHastighet) + HestNoMeals + static_cast<int64_t>(DiaryMemo.size());
  s += Chars(Navn) + Chars(Description) + Chars(RaseNavn) + Chars(EierNavn) + Chars(KontaktPerson);
  s += Ord(ArbeidsIntensitet) + Trunc(Sistetilvekst * 100) + Trunc(ForventetVoksenvekt) + Trunc(MatchVekt) +
       Trunc(Fodselsdato) + Trunc(ParringsDato) + Trunc(PartusDato) + Trunc(VedlikeholdsTurbo * 100) +
       Trunc(TreningsMengde * 100) + Ord(UngDyrTrening) + Ord(Kjonn) + Ord(Kategori) +
       Trunc(OppdrettsHastighet * 100) + Trunc(HoldFaktor * 100);
  s += Chars(RegNr) + Chars(Father) + Chars(Mother);
  s += Trunc(NesteOrmeKur) + Trunc(NesteFotPleie) + Trunc(StartForbud) + Trunc(NesteVaksinasjon);
  return Wrap(s);
}

int32_t THest::Fingerprint() const {
  return Wrap(static_cast<int64_t>(EndringsSum()) + ForListe->Fingerprint() + VektListe->EndringsSum() +
              TreatmentListe->Signature());
}

void RegisterNutritionClasses() {
  RegisterVektClasses();
  RegisterTreatmentClasses();
  RegisterRootClass(TAnimal::StaticClass());
  RegisterRootClass(THest::StaticClass());
}

}  // namespace stallora
