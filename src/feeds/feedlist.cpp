#include "feeds/feedlist.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <system_error>

#include "config/preferences.h"
#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/html_report.h"
#include "core/objtext.h"
#include "core/textutil.h"
#include "feeds/page_cells.h"

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
      {Prop<&L::ForlisteNavn>("ForlisteNavn").WriteZero(), Prop<&L::SpraakNr>("SpraakNr"),
       Prop<&L::Versjon>("Versjon").WriteZero(), Prop<&L::Versjonstekst>("Versjonstekst"),
       Prop<&L::EndretDato>("EndretDato").WriteZero(), Prop<&L::ForBlanding>("ForBlanding"),
       Prop<&L::Forblandingstype>("Forblandingstype").Range(0, kMaxFeedCategory),
       Prop<&L::ForListeFilNavn>("ForListeFilNavn"), Prop<&L::DyreartNr>("DyreartNr"), Prop<&L::Endret>("Endret"),
       Prop<&L::EnergiBeregning>("EnergiBeregning"), Prop<&L::EnergiBasis>("EnergiBasis"),
       Prop<&L::EnergiEnhet>("EnergiEnhet"), Prop<&L::EnergiFaktor>("EnergiFaktor").WriteZero(),
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

// ---- sequence ----

TFor* TForListe::FeedAt(int i) const { return i >= 0 && i < Count() ? feeds_[static_cast<size_t>(i)].get() : nullptr; }

void TForListe::PutAt(int i, std::unique_ptr<TFor> feed) {
  if (!feed) return;
  if (i >= 0 && i < Count())
    feeds_[static_cast<size_t>(i)] = std::move(feed);
  else
    feeds_.push_back(std::move(feed));
}

TFor& TForListe::AddFeed(std::unique_ptr<TFor> feed) {
  feeds_.push_back(std::move(feed));
  return *feeds_.back();
}

TFor& TForListe::AddFeedFrom(std::unique_ptr<TFor> feed, const TForListe* source) {
  if (source) ConvertFeedFrom(*feed, source->GetEnergyRecord());
  return AddFeed(std::move(feed));
}

void TForListe::RemoveFeed(const TFor* feed) {
  auto it = std::find_if(feeds_.begin(), feeds_.end(), [&](const auto& f) { return f.get() == feed; });
  if (it != feeds_.end()) feeds_.erase(it);
}

void TForListe::SwapFeeds(int i, int j) {
  if (!FeedAt(i) || !FeedAt(j)) return;
  std::swap(feeds_[static_cast<size_t>(i)], feeds_[static_cast<size_t>(j)]);
}

void TForListe::Clear() { feeds_.clear(); }

TFor* TForListe::FeedByName(const std::string& name) const {
  for (const auto& f : feeds_)
    if (f->Fornavn == name) return f.get();
  return nullptr;
}

TFor* TForListe::LastFeedByName(const std::string& name) const {
  for (auto it = feeds_.rbegin(); it != feeds_.rend(); ++it)
    if ((*it)->Fornavn == name) return it->get();
  return nullptr;
}

int TForListe::IndexOfFeed(const TFor* feed) const {
  if (!feed) return -1;
  for (int i = Count() - 1; i >= 0; --i)
    if (feeds_[static_cast<size_t>(i)]->Fornavn == feed->Fornavn) return i;
  return -1;
}

TFor* TForListe::NextFeed(const TFor* feed) const {
  const int i = IndexOfFeed(feed);
  return i < 0 ? nullptr : FeedAt(i + 1);
}

TFor* TForListe::PreviousFeed(const TFor* feed) const {
  const int i = IndexOfFeed(feed);
  return i <= 0 ? nullptr : FeedAt(i - 1);
}

std::string TForListe::PositionText(const TFor* feed) const {
  const int i = IndexOfFeed(feed);
  if (i < 0) return {};
  return std::to_string(i + 1) + "/" + std::to_string(Count());
}

TFor* TForListe::NthFeedInSet(FeedCategorySet set, int n) const {
  if (n < 0) return nullptr;
  for (const auto& f : feeds_)
    if (InCategorySet(set, f->Fortype) && n-- == 0) return f.get();
  return nullptr;
}

std::vector<std::string> TForListe::FeedNames() const {
  std::vector<std::string> names;
  names.reserve(feeds_.size());
  for (const auto& f : feeds_) names.push_back(f->Fornavn);
  return names;
}

namespace {

// The group a category belongs to for FeedNamesInGroup: the three feed groups, and every
// other category on its own.
int NameGroup(int c) {
  if (IsRoughageCategory(c)) return 100;
  if (IsConcentrateCategory(c)) return 101;
  if (IsSupplementCategory(c)) return 102;
  return c;
}

int SortRank(int c) {
  switch (c) {
    case 0:
    case 10: return 0;
    case 1:
    case 2:
    case 6: return 1;
    case 3:
    case 7: return 2;
    case 8: return 3;
    case 4:
    case 9: return 4;
    case 11: return 5;
    case 5: return 6;
    default: return 7;
  }
}

}  // namespace

std::vector<std::string> TForListe::FeedNamesInGroup(int category) const {
  const int group = NameGroup(category);
  std::vector<std::string> names;
  for (const auto& f : feeds_)
    if (NameGroup(f->Fortype) == group) names.push_back(f->Fornavn);
  return names;
}

std::vector<std::string> TForListe::Brands() const {
  std::vector<std::string> brands;
  for (const auto& f : feeds_) {
    const bool known =
        std::any_of(brands.begin(), brands.end(), [&](const std::string& b) { return SameText(b, f->Brand); });
    if (!known) brands.push_back(f->Brand);
  }
  std::stable_sort(brands.begin(), brands.end(),
                   [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  return brands;
}

int TForListe::CountBrandsIn(const std::vector<std::string>& brands) const {
  int n = 0;
  for (const auto& f : feeds_)
    if (std::any_of(brands.begin(), brands.end(), [&](const std::string& b) { return SameText(b, f->Brand); })) ++n;
  return n;
}

void TForListe::PickAll() {
  for (auto& f : feeds_) f->Valgt = true;
}

void TForListe::UnpickAll() {
  for (auto& f : feeds_) f->Valgt = false;
}

void TForListe::ZeroAllotted() {
  for (auto& f : feeds_) f->TildeltKg = 0;
}

bool TForListe::SetPriceByName(const TFor& feed) {
  const std::string name = feed.Fornavn;  // the feed may be one of ours
  const double price = feed.Pris;
  bool any = false;
  for (auto& f : feeds_)
    if (f->Fornavn == name) {
      f->Pris = price;
      any = true;
    }
  return any;
}

void TForListe::SortByCategory() {
  std::stable_sort(feeds_.begin(), feeds_.end(),
                   [](const auto& a, const auto& b) { return SortRank(a->Fortype) < SortRank(b->Fortype); });
}

TFor& TForListe::InsertFeedFrom(std::unique_ptr<TFor> feed, const TForListe* source) {
  if (source) ConvertFeedFrom(*feed, source->GetEnergyRecord());
  const int rank = SortRank(feed->Fortype);
  auto at = feeds_.end();
  while (at != feeds_.begin() && SortRank((*std::prev(at))->Fortype) > rank) --at;
  return **feeds_.insert(at, std::move(feed));
}

// ---- copies ----

void TForListe::CopyHeaderFrom(const TForListe& s) {
  ForlisteNavn = s.ForlisteNavn;
  SpraakNr = s.SpraakNr;
  ErGarantiForliste = s.ErGarantiForliste;
  Versjon = s.Versjon;
  EndretDato = s.EndretDato;
  ForBlanding = s.ForBlanding;
  ForListeFilNavn = s.ForListeFilNavn;
  DyreartNr = s.DyreartNr;
  SetEnergyRecord(s.GetEnergyRecord());
  mixFile = s.mixFile;
  Forblandingstype = s.Forblandingstype;
  GarantiForlisteVersjon = s.GarantiForlisteVersjon;
  Endret = true;
}

std::unique_ptr<TForListe> TForListe::CopyList(bool onlyPicked, ListOwnerKind newOwner) const {
  auto copy = std::make_unique<TForListe>(*env, newOwner);
  copy->CopyHeaderFrom(*this);
  for (const auto& f : feeds_)
    if (!onlyPicked || f->Valgt) copy->AddFeed(f->Clone());
  return copy;
}

void TForListe::AssignList(const TForListe& source) {
  if (&source == this) return;
  CopyHeaderFrom(source);
  Clear();
  for (const auto& f : source.feeds_) AddFeed(f->Clone());
}

// ---- counts and totals ----

int TForListe::PickedCount() const {
  return static_cast<int>(std::count_if(feeds_.begin(), feeds_.end(), [](const auto& f) { return f->Valgt; }));
}

int TForListe::RoughageCount() const {
  return static_cast<int>(
      std::count_if(feeds_.begin(), feeds_.end(), [](const auto& f) { return IsRoughageCategory(f->Fortype); }));
}

int TForListe::GrazingCount() const {
  return static_cast<int>(
      std::count_if(feeds_.begin(), feeds_.end(), [](const auto& f) { return IsGrazingCategory(f->Fortype); }));
}

int TForListe::PickedGrazingCount() const {
  return static_cast<int>(std::count_if(feeds_.begin(), feeds_.end(),
                                        [](const auto& f) { return f->Valgt && IsGrazingCategory(f->Fortype); }));
}

TFor* TForListe::FirstPickedGrazing() const {
  for (const auto& f : feeds_)
    if (f->Valgt && IsGrazingCategory(f->Fortype)) return f.get();
  return nullptr;
}

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

double TForListe::ConcentrateDryMatter() const {
  double sum = 0;
  for (const auto& f : feeds_)
    if (f->Valgt && IsConcentrateCategory(f->Fortype)) sum += f->DryMatterKg();
  return sum;
}

double TForListe::SupplementDryMatter() const {
  double sum = 0;
  for (const auto& f : feeds_)
    if (f->Valgt && IsSupplementCategory(f->Fortype)) sum += f->DryMatterKg();
  return sum;
}

double TForListe::Value8Total() const {
  double sum = 0;
  for (const auto& f : feeds_) sum += f->Value(8) * f->TildeltKg;
  return sum;
}

bool TForListe::AnyUndistributed() const {
  // The meal lines carry two decimals; a remainder below a millionth of a gram is the
  // binary arithmetic's, not the user's.
  return std::any_of(feeds_.begin(), feeds_.end(), [](const auto& f) { return f->UndistributedKg() > 1e-9; });
}

int32_t TForListe::Fingerprint() const {
  uint32_t sum = static_cast<uint32_t>(Count());
  for (const auto& f : feeds_) sum += static_cast<uint32_t>(f->Fingerprint());
  return static_cast<int32_t>(sum);
}

// ---- mixes ----

double TForListe::MixValue(int n) const {
  if (n == 6) {
    double ca = 0, p = 0;
    for (const auto& f : feeds_) {
      ca += f->Value(3) * f->TildeltKg;
      p += f->Value(4) * f->TildeltKg;
    }
    return p != 0 ? ca / p : 0.0;
  }
  const double total = TotalKg();
  if (total == 0) return 0;
  double sum = 0;
  for (const auto& f : feeds_) sum += f->Value(n) * f->TildeltKg;
  return sum / total;
}

double TForListe::MixDryMatter() const {
  const double total = TotalKg();
  if (total == 0) return 100;
  double dm = 0;
  for (const auto& f : feeds_) dm += f->TildeltKg * f->TorrStoff / 100;
  return dm * 100 / total;
}

std::unique_ptr<TFor> TForListe::MixAsFeed() const {
  if (!ForBlanding) return nullptr;
  auto feed = std::make_unique<TFor>(*env);
  feed->Fornavn = ForlisteNavn.substr(0, 255);
  feed->Brand = Tr(kAlmindeligtFoder);
  feed->TorrStoff = MixDryMatter();
  // As many values as the longest analysis in the mix: a first feed without analysis must
  // not cost the whole mix its analysis.
  int k = 0;
  for (const auto& f : feeds_) k = std::max(k, f->ValueCount());
  for (int i = 0; i < k; ++i) feed->SetValue(i, MixValue(i));
  const double total = TotalKg();
  feed->Pris = total > 0 ? TotalPrice() / total : 0.0;
  return feed;
}

bool TForListe::UpdateFrom(const TForListe& newer, std::string* error) {
  if (feeds_.empty()) return true;
  const TForListe* source = &newer;
  std::unique_ptr<TForListe> converted;
  if (!SameEnergySystem(newer.GetEnergyRecord())) {
    // The newer list's values are copied into this list's feeds: they must first be
    // expressed in this list's energy system.
    if (RefusedFactor(newer.GetEnergyRecord(), GetEnergyRecord(), error)) return false;
    converted = newer.CopyList(false, ListOwnerKind::Workspace);
    for (const auto& g : converted->Feeds()) ConvertFeedFrom(*g, newer.GetEnergyRecord());
    source = converted.get();
  }
  const bool sameCountry = SpraakNr == newer.SpraakNr;
  for (auto& f : feeds_) {
    if (!sameCountry) break;
    const TFor* match = nullptr;
    bool exact = false;
    for (const auto& g : source->Feeds()) {
      if (g->Brand != f->Brand) continue;
      // An exact name wins over any name that merely contains it ("Havre" must not take
      // the values of a later "Havre, valset"); an empty name matches only exactly.
      if (g->Fornavn == f->Fornavn) {
        match = g.get();
        exact = true;
      } else if (!exact && !f->Fornavn.empty() && g->Fornavn.find(f->Fornavn) != std::string::npos) {
        match = g.get();
      }
    }
    if (!match) continue;
    for (int i = 0; i < f->ValueCount(); ++i) f->SetValue(i, match->Value(i));
    f->Enhetsvekt = match->Enhetsvekt;
    f->TorrStoff = match->TorrStoff;
    f->Fornummer = match->Fornummer;
    f->KarotenRikt = match->KarotenRikt;
    f->KanIkkeEndres = match->KanIkkeEndres;
    f->KommersieltFor = match->KommersieltFor;
    f->Origin = match->Origin;
    f->UserText = match->UserText;
  }
  EndretDato = newer.EndretDato;
  return true;
}

// ---- files ----

std::filesystem::path TForListe::FeedDirectory() const {
  if (env->preferences) return env->preferences->FeedDirectory();
  return {};
}

std::filesystem::path TForListe::FileNameFor() {
  const std::string extension = mixFile ? ".mix" : ".eqf";
  std::string name = ForlisteNavn;
  if (ValidateFileName(name)) {
    if (!ForListeFilNavn.empty() && IsStrictlyBelow(PathFromText(ForListeFilNavn), FeedDirectory()))
      return PathFromText(ForListeFilNavn);
    for (char& c : name)
      if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 32 || c == 127) c = '_';
    if (name.empty() || name.front() == '.') name.insert(name.begin(), '_');
    while (ValidateFileName(name) && name.size() > 1) name.pop_back();  // too long
  }
  const std::filesystem::path path = FeedDirectory() / PathFromText(name + extension);
  ForListeFilNavn = TextFromPath(path);
  return path;
}

void TForListe::SaveToFile(const std::filesystem::path& path) {
  Versjon = kProgramVersion;
  SaveRecordToFile(*this, path);
}

void TForListe::ExportToFile(const std::filesystem::path& path) {
  Versjon = kProgramVersion;
  ExportRecordToFile(*this, path);
}

void TForListe::SaveToWorkspace() {
  if (auto problem = ValidateFileName(ForlisteNavn)) throw ObjTextError(*problem);
  if (FeedDirectory().empty()) throw ObjTextError(Tr(kNoFeedDirectory));
  SaveToFile(FileNameFor());
}

void TForListe::LoadFromFile(const std::filesystem::path& path) {
  Clear();
  LoadRecordFromFile(*this, path, ClassRegistry::Global(), env);
  mixFile = ForBlanding;
  ForListeFilNavn = TextFromPath(path);
}

void TForListe::LoadFromText(std::string_view text, const std::filesystem::path& path) {
  Clear();
  ReadRecordText(text, *this, ClassRegistry::Global(), env);
  mixFile = ForBlanding;
  ForListeFilNavn = TextFromPath(path);
}

bool TForListe::Rename(const std::string& newName, std::string* error) {
  if (auto problem = ValidateFileName(newName)) {
    if (error) *error = *problem;
    return false;
  }
  const std::string oldName = ForlisteNavn;
  const std::string oldFileText = ForListeFilNavn;
  const std::filesystem::path oldFile = PathFromText(oldFileText);
  ForlisteNavn = newName;
  const std::filesystem::path newFile = FileNameFor();
  const auto restore = [&] {
    ForlisteNavn = oldName;
    ForListeFilNavn = oldFileText;
  };
  std::error_code ec;
  const bool oldExists = !oldFileText.empty() && std::filesystem::exists(oldFile, ec);
  // Another list's file under the new name would be replaced by the rename: refuse.
  if (std::filesystem::exists(newFile, ec) && !(oldExists && std::filesystem::equivalent(oldFile, newFile, ec))) {
    restore();
    if (error) *error = Tr(kListExists) + ": " + newName;
    return false;
  }
  if (oldExists && oldFile != newFile) {
    std::filesystem::rename(oldFile, newFile, ec);
    if (ec) {
      restore();
      if (error) *error = Tr(kRenameFailed) + ": " + PathText(oldFile);
      return false;
    }
  }
  return true;
}

bool TForListe::DeleteFile() {
  if (ForListeFilNavn.empty()) return true;
  const std::filesystem::path path = PathFromText(ForListeFilNavn);
  std::error_code ec;
  const auto status = std::filesystem::symlink_status(path, ec);
  if (!std::filesystem::exists(status)) return true;
  // Only a list's file in the feed directory: a file name that came from elsewhere never
  // deletes anything else.
  const std::filesystem::path dir = FeedDirectory();
  if (dir.empty() || std::filesystem::is_directory(status) || !IsStrictlyBelow(path, dir)) return false;
  return std::filesystem::remove(path, ec) && !ec;
}

void TForListe::Touch() {
  EndretDato = env->Today();
  if (storeEditedFeed) storeEditedFeed();
}

// ---- texts and pages ----

std::string TForListe::EnergyDescription() const {
  return ::stallora::EnergyDescription(EnergiBeregning, EnergiBasis, EnergiEnhet, EnergiFaktor, SettingsOf(*env),
                                       env->regional.decimalSeparator);
}

std::string TForListe::InfoText() const {
  const CountrySettings& s = SettingsOf(*env);
  std::string out;
  if (ErGarantiForliste) {
    out = Tr(kVersionText) + " " + std::to_string(GarantiForlisteVersjon) + "  " + Tr(kOprindelsesland) + ": " +
          CountryName(SpraakNr);
  } else {
    out = Tr(kVersionText) + " " + FormatFixed(8, 6, Versjon, env->regional.decimalSeparator) + " - " +
          CountryName(SpraakNr) + "\r" + Tr(kSidstAendret) + " " + env->regional.FormatShortDate(EndretDato);
  }
  out += "\r\r";
  out += EnergyDescription();
  out += "\r";
  out += s.ProteinTypeName(ProteinTypeClamped());
  return out;
}

using namespace feedpages;

std::string TForListe::PriceListPage() const {
  const char sep = env->regional.decimalSeparator;
  std::string out = SimplePageHead();
  out += TitleBlockWithRule(HtmlEscape(ForlisteNavn), env->regional.FormatShortDate(env->Today()));
  out += TableFrameStart();
  out += HeaderRowStart();
  out += "<th width=\"60%\" align=\"left\">" + Tr(kFodernavn) + "</th>";
  out += "<th width=\"40%\" align=\"center\">" + env->regional.currencySymbol + "/kg" + "</th>";
  out += RowEnd();
  for (const auto& f : feeds_) {
    out += kRowStart;
    out += LabelCell(HtmlEscape(f->Fornavn));
    out += ValueCell(FormatMoneyFixed(8, 2, f->Pris, sep));
    out += kRowEnd;
  }
  out += TableFrameEnd();
  return out;
}

std::string TForListe::MixAnalysisTable() const {
  const CountrySettings& s = SettingsOf(*env);
  const char sep = env->regional.decimalSeparator;
  std::string out = TableFrameStart();
  out += HeaderRowStart();
  out += "<th width=\"60%\" align=\"left\">" + Tr(kNaeringsstof) + "</th>";
  out += "<th width=\"20%\" align=\"center\"> </th>";
  out += "<th width=\"20%\" align=\"center\"> </th>";
  out += RowEnd();
  out += kRowStart;
  out += LabelCell(Tr(kTorstof)) + ValueCell(FormatFixed(8, 2, MixDryMatter(), sep)) + "<td Align=\"center\">%</td>";
  out += kRowEnd;
  for (int i = 0; i < kNutrientCount; ++i) {
    out += kRowStart;
    out += LabelCell(s.NutrientName(i));
    out += ValueCell(FormatFixed(8, 2, MixValue(i), sep));
    out += ValueCell(s.NutrientUnit(i) + "/kg");
    out += kRowEnd;
  }
  out += TableFrameEnd();
  return out;
}

std::string TForListe::MixRecipePage() const {
  const char sep = env->regional.decimalSeparator;
  const double total = TotalKg();
  // The price stands beside "/kg": it is the price of one kg of the mix, not of the batch.
  const double pricePerKg = total > 0 ? TotalPrice() / total : 0.0;
  std::string out = TitleBlockWithRule(HtmlEscape(ForlisteNavn), env->regional.FormatShortDate(env->Today()));
  out += "<br>";
  out += Tr(kFoderpris);
  out += FormatMoneyFixed(8, env->CurrencyDecimals(), pricePerKg, sep);
  out += env->regional.currencySymbol;
  out += "/kg";
  out += "<br>";
  out += "<hr>";
  out += TableFrameStart();
  out += HeaderRowStart();
  out += "<th width=\"40%\" align=\"left\">" + Tr(kFoderblanding) + FormatFixed(7, 2, total, sep) + " kg" + "</th>";
  out += "<th width=\"15%\" align=\"center\">%</th>";
  out += "<th width=\"15%\" align=\"center\">kg</th>";
  out += RowEnd();
  for (const auto& f : feeds_) {
    if (!(f->TildeltKg > 0)) continue;
    out += kRowStart;
    out += LabelCell(HtmlEscape(f->Fornavn));
    out += ValueCell(FormatFixed(8, 2, f->TildeltKg * 100 / total, sep));
    out += ValueCell(FormatFixed(8, 2, f->TildeltKg, sep));
    out += kRowEnd;
  }
  out += TableFrameEnd();
  return out;
}

// ---- records ----

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
