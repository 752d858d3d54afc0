#include "test_records.h"

namespace stallora::testing {

void TFeed::ReadAnalyser(std::string_view bytes) {
  if (bytes == "bad") throw ObjTextError("Analysis values cannot be read");
  analyses.assign(bytes);
}

const RecordClass& TFeed::StaticClass() {
  static const RecordClass c = RecordClass::Make<TFeed>(
      "TFor",
      {Prop<&TFeed::Fornavn>("Fornavn"), Prop<&TFeed::Pris>("Pris"), Prop<&TFeed::Fortype>("Fortype").Range(0, 11)},
      {Extra<TFeed, &TFeed::WriteAnalyser, &TFeed::ReadAnalyser>("Analyser")});
  return c;
}

const RecordClass& TList::StaticClass() {
  static const RecordClass c = RecordClass::Make<TList>(
      "TForListe", {Prop<&TList::ForlisteNavn>("ForlisteNavn"), Prop<&TList::SpraakNr>("SpraakNr"),
                    Prop<&TList::Versjon>("Versjon"), Prop<&TList::ForBlanding>("ForBlanding"),
                    Prop<&TList::Forblandingstype>("Forblandingstype"), Prop<&TList::DyreartNr>("DyreartNr"),
                    Prop<&TList::Endret>("Endret"), Prop<&TList::EnergiBeregning>("EnergiBeregning"),
                    Prop<&TList::EnergiBasis>("EnergiBasis"), Prop<&TList::EnergiEnhet>("EnergiEnhet"),
                    Prop<&TList::EnergiFaktor>("EnergiFaktor"), Prop<&TList::ProteinType>("ProteinType"),
                    Prop<&TList::GarantiForlisteVersjon>("GarantiForlisteVersjon"),
                    Prop<&TList::ErGarantiForliste>("ErGarantiForliste")});
  return c;
}

std::vector<const Record*> TList::Children() const {
  std::vector<const Record*> out;
  for (const auto& f : feeds) out.push_back(f.get());
  return out;
}

std::unique_ptr<Record> TList::AdoptChild(std::unique_ptr<Record> child, LoadContext&) {
  if (auto* feed = dynamic_cast<TFeed*>(child.get())) {
    child.release();
    feeds.emplace_back(feed);
    return nullptr;
  }
  return child;
}

TStable::TStable() : SFTider{"28800", "43200", "61200", "75600"} {}

const RecordClass& TStable::StaticClass() {
  static const RecordClass c = RecordClass::Make<TStable>(
      "TStall",
      {Prop<&TStable::stallNavn>("stallNavn"), Prop<&TStable::StallNoMeals>("StallNoMeals"),
       Prop<&TStable::SFTider>("SFTider"), Prop<&TStable::ErModellHestStall>("ErModellHestStall")},
      {Extra<TStable, &TStable::WriteNotes, &TStable::ReadNotes>("DiverseOpplysninger")});
  return c;
}

std::unique_ptr<Record> TStable::AdoptChild(std::unique_ptr<Record> child, LoadContext&) {
  if (auto* l = dynamic_cast<TList*>(child.get())) {
    child.release();
    list.reset(l);
    return nullptr;
  }
  return child;
}

const RecordClass& TStableWithExtras::StaticClass() {
  static const RecordClass c = RecordClass::Derive<TStableWithExtras>(
      "TStallX", TStable::StaticClass(),
      {Prop<&TStableWithExtras::Kode>("Kode").ShortString(8), Prop<&TStableWithExtras::Bilde>("Bilde"),
       Prop<&TStableWithExtras::Antal>("Antal"), Prop<&TStableWithExtras::Dato>("Dato"),
       Prop<&TStableWithExtras::Type>("Type")});
  return c;
}

const ClassRegistry& TestRegistry() {
  static const ClassRegistry registry = [] {
    ClassRegistry r;
    r.Register(TFeed::StaticClass());
    r.Register(TList::StaticClass());
    r.Register(TStable::StaticClass());
    r.Register(TStableWithExtras::StaticClass());
    return r;
  }();
  return registry;
}

}  // namespace stallora::testing
