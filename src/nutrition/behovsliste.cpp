#include "nutrition/behovsliste.h"

#include <cmath>

#include "core/objtext.h"
#include "nutrition/hest.h"

namespace stallora {

const RecordClass& TBehovsobj::StaticClass() {
  using O = TBehovsobj;
  static const RecordClass c = RecordClass::Make<O>(
      "TBehovsobj", {Prop<&O::NutrientNo>("NutrientNo"), Prop<&O::GlobalNutrientName>("GlobalNutrientName"),
                     Prop<&O::Behovsstrenger>("Behovsstrenger")});
  return c;
}

void TBehovsobj::writeToFile(const std::filesystem::path& path) const { SaveRecordToFile(*this, path); }
void TBehovsobj::LoadFromFile(const std::filesystem::path& path) { LoadRecordFromFile(*this, path); }

TBehovsListe::TBehovsListe(const RecordEnvironment& env) : EndretDato(env.Today()) {}

const RecordClass& TBehovsListe::StaticClass() {
  using L = TBehovsListe;
  static const RecordClass c = RecordClass::Make<L>(
      "TBehovsListe", {Prop<&L::BehovslisteNavn>("BehovslisteNavn"), Prop<&L::SpraakNr>("SpraakNr"),
                       Prop<&L::Versjon>("Versjon"), Prop<&L::EndretDato>("EndretDato").WriteZero(),
                       Prop<&L::DyreartNr>("DyreartNr")});
  return c;
}

TBehovsobj* TBehovsListe::Element(int i) const {
  return i >= 0 && i < Antall() ? items_[static_cast<size_t>(i)].get() : nullptr;
}

TBehovsobj& TBehovsListe::Add(std::unique_ptr<TBehovsobj> obj) {
  items_.push_back(std::move(obj));
  return *items_.back();
}

std::vector<std::string> TBehovsListe::Navneliste() const {
  std::vector<std::string> names;
  for (const auto& o : items_) names.push_back(o->GlobalNutrientName);
  return names;
}

// The objects are the file's requirement blocks, taken from the one reading of the file
// (cutting the text into blocks at lines holding " end" would break on a formula with
// that word in it).
void TBehovsListe::LoadfromFile(const std::filesystem::path& path) { LoadRecordFromFile(*this, path); }

void TBehovsListe::writeToFile(const std::filesystem::path& path) const { SaveRecordToFile(*this, path); }

bool TBehovsListe::BeregnFormler(THest& hest, std::string* arithmeticError) const {
  bool clean = true;
  int category = Ord(hest.Kategori);
  if (hest.Kategori == TDyreKategori::Trening && hest.TreningsMengde == 0) category = Ord(TDyreKategori::Vedlikehold);
  for (const auto& o : items_) {
    const int n = o->NutrientNo;
    if (n < 0 || n >= kNutrientCount) continue;
    // A category without a formula line (Udefinert, or a short list) gives 0.
    if (category < 0 || static_cast<size_t>(category) >= o->Behovsstrenger.size()) {
      hest.BasisBehov[static_cast<size_t>(n)] = 0;
      continue;
    }
    TUttrykk formula(o->Behovsstrenger[static_cast<size_t>(category)], n);
    const UttrykkResultat r = formula.Evaluer(hest, true, nullptr);
    if (!r.ok && r.arithmeticFault) {
      if (clean && arithmeticError) *arithmeticError = r.message;
      clean = false;
      hest.formulaFaults.push_back({n, o->Behovsstrenger[static_cast<size_t>(category)], r.message});
    }
    // Only finite values are stored; a failing formula gives 0.
    hest.BasisBehov[static_cast<size_t>(n)] = r.ok && std::isfinite(r.value) ? r.value : 0;
  }
  return clean;
}

std::vector<const Record*> TBehovsListe::Children() const {
  std::vector<const Record*> out;
  for (const auto& o : items_) out.push_back(o.get());
  return out;
}

std::unique_ptr<Record> TBehovsListe::AdoptChild(std::unique_ptr<Record> child, LoadContext&) {
  if (auto* o = dynamic_cast<TBehovsobj*>(child.get())) {
    child.release();
    items_.emplace_back(o);
    return nullptr;
  }
  return child;
}

void RegisterBehovsListeClasses() {
  RegisterClass(TBehovsobj::StaticClass());
  RegisterClass(TBehovsListe::StaticClass());
}

}  // namespace stallora
