#include "feeds/feedlist.h"

#include "core/objtext.h"
#include "core/textutil.h"

namespace stallora {

EnergyRecord EnergyRecord::Of(const TEnergyProteinObj& obj) {
  return {obj.Energiberegning, obj.EnergiBasis, obj.EnergiEnhet, obj.EnergiFaktor, obj.ProteinBeregning};
}

TForListe::TForListe(const RecordEnvironment& environment, ListOwnerKind ownerKind)
    : owner(ownerKind), env(&environment) {
  if (owner != ListOwnerKind::Stable) ForlisteNavn = Tr(kFoderliste);
  SpraakNr = environment.countryNumber;
  Versjonstekst = environment.regional.FormatShortDate(environment.Today());
  EndretDato = environment.Today();
  if (environment.activeEnergy) SetEnergyRecord(EnergyRecord::Of(*environment.activeEnergy));
}

const RecordClass& TForListe::StaticClass() {
  using L = TForListe;
  static const RecordClass c = RecordClass::Make<L>(
      "TForListe",
      {Prop<&L::ForlisteNavn>("ForlisteNavn"), Prop<&L::SpraakNr>("SpraakNr"), Prop<&L::Versjon>("Versjon"),
       Prop<&L::Versjonstekst>("Versjonstekst"), Prop<&L::EndretDato>("EndretDato"),
       Prop<&L::ForBlanding>("ForBlanding"), Prop<&L::Forblandingstype>("Forblandingstype").Range(0, kMaxFeedCategory),
       Prop<&L::ForListeFilNavn>("ForListeFilNavn"), Prop<&L::DyreartNr>("DyreartNr"), Prop<&L::Endret>("Endret"),
       Prop<&L::EnergiBeregning>("EnergiBeregning"), Prop<&L::EnergiBasis>("EnergiBasis"),
       Prop<&L::EnergiEnhet>("EnergiEnhet"), Prop<&L::EnergiFaktor>("EnergiFaktor"),
       Prop<&L::ProteinType>("ProteinType"), Prop<&L::GarantiForlisteVersjon>("GarantiForlisteVersjon"),
       Prop<&L::ErGarantiForliste>("ErGarantiForliste")});
  return c;
}

EnergyRecord TForListe::GetEnergyRecord() const {
  return {EnergiBeregning, EnergiBasis, EnergiEnhet, EnergiFaktor, ProteinType};
}

void TForListe::SetEnergyRecord(const EnergyRecord& r) {
  EnergiBeregning = r.EnergiBeregning;
  EnergiBasis = r.EnergiBasis;
  EnergiEnhet = r.EnergiEnhet;
  EnergiFaktor = r.EnergiFaktor;
  ProteinType = r.ProteinType;
}

TFor* TForListe::FeedAt(int i) const { return i >= 0 && i < Count() ? feeds_[static_cast<size_t>(i)].get() : nullptr; }

TFor& TForListe::AddFeed(std::unique_ptr<TFor> feed) {
  feeds_.push_back(std::move(feed));
  return *feeds_.back();
}

void TForListe::Clear() { feeds_.clear(); }

double TForListe::TotalPrice() const {
  double sum = 0;
  for (const auto& f : feeds_)
    if (f->Valgt) sum += f->Pris * f->TildeltKg;
  return sum;
}

double TForListe::TotalKg() const {
  double sum = 0;
  for (const auto& f : feeds_) sum += f->TildeltKg;
  return sum;
}

double TForListe::Supply(int n) const {
  double sum = 0;
  for (const auto& f : feeds_) {
    if (!f->Valgt) continue;
    if (n == 24) {
      if (IsRoughageCategory(f->Fortype)) sum += f->TildeltKg * f->TorrStoff / 100;
    } else if (n == 25) {
      sum += f->TildeltKg * f->TorrStoff / 100;
    } else {
      sum += f->Value(n) * f->TildeltKg;
    }
  }
  return sum;
}

std::vector<const Record*> TForListe::Children() const {
  std::vector<const Record*> out;
  out.reserve(feeds_.size());
  for (const auto& f : feeds_) out.push_back(f.get());
  return out;
}

// Every feed block read inside the list joins it, in file order — also a hand-edited block
// without analysis values, which would otherwise vanish from the list at the next save.
std::unique_ptr<Record> TForListe::AdoptChild(std::unique_ptr<Record> child, LoadContext&) {
  if (auto* feed = dynamic_cast<TFor*>(child.get())) {
    child.release();
    feed->env = env;
    feeds_.emplace_back(feed);
    return nullptr;
  }
  return child;
}

void RegisterFeedClasses() {
  RegisterClass(TFor::StaticClass());
  RegisterClass(TAnalyseArray::StaticClass());
  RegisterClass(TForListe::StaticClass());
}

}  // namespace stallora
