// The main window's commands on the workspace.

#include <algorithm>
#include <functional>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "core/textutil.h"
#include "core/common_texts.h"
#include "feeds/feedlist_import.h"
#include "nutrition/growth.h"
#include "stable/workspace.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

inline constexpr Text kMinStald{"stable.mystable", "Min stald"};
inline constexpr const Text& kModelStable = common::kModelhestStald;
inline constexpr Text kModel{"stable.model", "Model"};
inline constexpr const Text& kEgenBlanding = common::kEgenBlanding;
inline constexpr const Text& kGarantifoderliste = common::kGarantifoderliste;
inline constexpr Text kManglerLower{"common.missing", "mangler"};
inline constexpr Text kKopierFoder{"feeds.copyfeeds", "Kopier foder fra en eksisterende foderliste"};
inline constexpr const Text& kHorseNotImported = common::kHestenKunneIkkeImporteres;
inline constexpr Text kModelBreed{"stable.modelbreed", "Varmblodshäst"};

bool OnDisk(const fs::path& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec));
}

// `onDisk` says whether a name is taken by something in the save directory that is not in
// memory (a stable whose file the scan could not read).
std::string Numbered(const std::string& base, const std::vector<std::string>& taken,
                     const std::function<bool(const std::string&)>& onDisk) {
  // One pass in order as the user sees it, then onwards until the name is free.
  int n = 1;
  for (const auto& t : taken)
    if (t == base + std::to_string(n)) ++n;
  while (std::find(taken.begin(), taken.end(), base + std::to_string(n)) != taken.end() ||
         onDisk(base + std::to_string(n)))
    ++n;
  return base + std::to_string(n);
}

}  // namespace

bool Workspace::StableNameTaken(const std::string& name) const {
  if (StableByName(name)) return true;
  return !name.empty() && OnDisk(app_.preferences.SaveDirectory() / PathFromText(name));
}

std::string Workspace::NewStableName() const {
  std::vector<std::string> names;
  for (const auto& s : stables_) names.push_back(s->stallNavn);
  return Numbered(Tr(kMinStald), names, [this](const std::string& n) { return StableNameTaken(n); });
}

TStall& Workspace::NewStable(std::string* warning) {
  auto stable = std::make_unique<TStall>(app_.Env());
  stable->stallNavn = NewStableName();
  stable->NameFeedList();
  if (currentGuarantee_) {
    for (const auto& f : currentGuarantee_->Feeds()) stable->ForListe->AddFeedFrom(f->Clone(), currentGuarantee_);
  } else if (warning) {
    *warning = Tr(kGarantifoderliste) + " " + Tr(kManglerLower) + "! " + Tr(kKopierFoder);
  }
  return AddStable(std::move(stable));
}

TStall* Workspace::ModelHorseStable() const {
  for (const auto& s : stables_)
    if (s->ErModellHestStall) return s.get();
  return nullptr;
}

TStall& Workspace::NewModelHorseStable() {
  std::vector<std::string> names;
  for (const auto& s : stables_) names.push_back(s->stallNavn);
  auto stable = std::make_unique<TStall>(app_.Env());
  stable->stallNavn = Numbered(Tr(kModelStable), names, [this](const std::string& n) { return StableNameTaken(n); });
  stable->ErModellHestStall = true;
  stable->NameFeedList();
  TStall& added = AddStable(std::move(stable));
  added.Save();
  return added;
}

void Workspace::CreateModelHorses(TStall& stable) {
  const RecordEnvironment& env = app_.Env();
  const DayNumber today = env.Today();
  const DayNumber sixMonthsAgo = IncMonth(today, -6);
  for (int i = 0; i <= 5; ++i) {
    const std::string category = CountrySettings::NameAt(app_.settings.categoryNames, i);
    std::string name = category + "_" + Tr(kModel);
    for (int n = 1; stable.HorseNameTaken(name); ++n) name = category + std::to_string(n) + "_" + Tr(kModel);
    THest& h = stable.AddHorse(std::make_unique<THest>(env));
    h.Navn = name;
    h.RaseNavn = Tr(kModelBreed);
    h.Kjonn = TKjonn::Hunn;
    h.VektListe->LeggTil(500, today);
    h.Kategori = static_cast<TDyreKategori>(i);
    h.Fodselsdato = today - 1825;
    switch (h.Kategori) {
      case TDyreKategori::Ungdyr:
        h.Fodselsdato = sixMonthsAgo;
        h.ForventetVoksenvekt = 500;
        h.VektListe->Element(0)->Dato = h.Fodselsdato;
        h.VektListe->Element(0)->Vekt = 50;
        h.VektListe->LeggTil(h.ForventetVekt(today), today);
        h.AfterLoad();
        break;
      case TDyreKategori::Trening:
        h.TreningsMengde = 0.5;
        h.AvledIntensitet();
        break;
      case TDyreKategori::Drektig: h.ParringsDato = sixMonthsAgo; break;
      case TDyreKategori::Lakterende: h.PartusDato = sixMonthsAgo; break;
      default: break;
    }
  }
  stable.SaveAllHorses();
}

bool Workspace::FeedListNameTaken(const std::string& name) const {
  for (const auto& l : feedLists_)
    if (l->ForlisteNavn == name) return true;
  for (const auto& s : stables_)
    if (s->ForListe->ForlisteNavn == name) return true;
  return false;
}

std::string Workspace::NewMixName() const {
  const std::string base = Tr(kEgenBlanding);
  int n = 1;
  while (FeedListNameTaken(base + std::to_string(n))) ++n;
  return base + std::to_string(n);
}

TForListe& Workspace::NewFeedList(const std::string& name, bool mix) {
  auto list = std::make_unique<TForListe>(app_.Env());
  list->ForlisteNavn = name;
  if (mix) {
    list->ForBlanding = true;
    list->Forblandingstype = 11;
    list->mixFile = true;
  }
  TForListe& added = AddFeedList(std::move(list));
  try {
    added.SaveToFile(added.FileNameFor());
  } catch (const ObjTextError& e) {
    messages_.push_back(e.what());
  }
  return added;
}

bool Workspace::MoveHorse(THest& horse, TStall& target, const std::string& newName, std::string* error) {
  TStall* source = horse.stable;
  if (!source || source == &target) return false;
  std::error_code ec;
  const fs::path from = source->HorseDirectory(horse);
  const std::string name = target.HorseNameTaken(horse.Navn) ? newName : horse.Navn;
  if (name.empty() || target.HorseNameTaken(name)) {
    if (error) *error = "Hest findes allerede. Angiv andet navn!";
    return false;
  }
  if (auto problem = ValidateFileName(name)) {
    if (error) *error = *problem;
    return false;
  }
  if (auto problem = ValidateStableName(target.stallNavn)) {
    if (error) *error = *problem;
    return false;
  }
  // Save first, so the files carry what the user sees; a horse whose file another program
  // changed meanwhile does not move on the other program's data without a word.
  if (std::string why; !source->SaveHorse(horse, &why)) {
    if (error) *error = why;
    return false;
  }
  std::unique_ptr<THest> moving = source->TakeHorse(&horse);
  const std::string oldName = moving->Navn;
  moving->Navn = name;
  const fs::path to = target.HorseDirectory(*moving);
  fs::create_directories(to, ec);
  bool copied = fs::is_directory(to, ec);
  for (const auto& f : SortedEntries(from)) {
    if (!copied) break;
    if (!f.is_regular_file(ec)) continue;
    fs::path dest = to / f.path().filename();
    if (f.path().filename() == PathFromText(oldName + ".eqh")) dest = to / PathFromText(name + ".eqh");
    copied = fs::copy_file(f.path(), dest, fs::copy_options::overwrite_existing, ec) && !ec;
  }
  if (!copied) {
    // Nothing is lost: the horse goes back where it was.
    moving->Navn = oldName;
    source->AddHorse(std::move(moving));
    if (error) *error = Tr(kFejl) + " " + PathText(to);
    return false;
  }
  if (source->ErModellHestStall) {
    // The model horse stays in its stable: read it again from its files.
    auto again = std::make_unique<THest>(app_.Env());
    try {
      again->LoadfromFile(from / PathFromText(oldName + ".eqh"));
      again->Navn = oldName;
      source->AddHorse(std::move(again));
    } catch (const ObjTextError&) {
    }
  } else {
    // The copy is complete; what the old directory holds beyond the horse's files (a
    // subdirectory, someone's hidden file) stays where it is, and the user is told.
    std::string why;
    if (!RemoveRecordDirectory(from, source->StableDirectory(), &why) && error) *error = why;
  }
  THest& moved = target.AddHorse(std::move(moving));
  target.SaveHorse(moved);
  return true;
}

TStall* Workspace::ImportStable(const fs::path& file, bool includeHorses, std::string* error) {
  auto stable = std::make_unique<TStall>(app_.Env());
  try {
    stable->Load(file);
  } catch (const ObjTextError& e) {
    if (error) *error = e.what();
    return nullptr;
  }
  std::string name = TextFromPath(file.filename());
  name = name.substr(0, name.find('.'));
  // The name becomes the stable's directory: ".eqs" would make it the save directory
  // itself, "Feeds" the feed lists' directory.
  if (auto problem = ValidateStableName(name)) {
    if (error) *error = PathText(file) + ": " + *problem;
    return nullptr;
  }
  if (StableNameTaken(name)) {
    std::string candidate = name;
    for (int n = 2; StableNameTaken(candidate); ++n) candidate = name + " (" + std::to_string(n) + ")";
    name = candidate;
    if (auto problem = ValidateStableName(name)) {
      if (error) *error = PathText(file) + ": " + *problem;
      return nullptr;
    }
  }
  stable->stallNavn = name;
  stable->NameFeedList();
  if (includeHorses) {
    std::error_code ec;
    for (const auto& h : SortedEntries(file.parent_path())) {
      const std::string hn = TextFromPath(h.path().filename());
      if (!h.is_directory(ec) || hn.empty() || hn[0] == '.' || hn.find(".eqh") != std::string::npos) continue;
      // A directory name the program cannot hold (or use as a file name) names no horse.
      if (PathFromText(hn) != h.path().filename() || ValidateFileName(hn)) continue;
      const fs::path horseFile = h.path() / PathFromText(hn + ".eqh");
      if (!fs::is_regular_file(horseFile, ec)) continue;
      // The horses are read before the stable is in the workspace, so nothing is saved
      // when one of them fails.
      auto horse = std::make_unique<THest>(app_.Env());
      try {
        horse->LoadfromFile(horseFile);
      } catch (const ObjTextError& e) {
        if (error) *error = Tr(kHorseNotImported) + "\n" + e.what();
        return nullptr;
      }
      horse->Navn = stable->UniqueHorseName(hn);
      stable->AddHorse(std::move(horse));
    }
  }
  TStall& added = AddStable(std::move(stable));
  std::string saveError;
  if (!added.Save(&saveError) || !added.SaveAllHorses(&saveError)) {
    if (error) *error = saveError;
  }
  return &added;
}

TForListe* Workspace::ImportFeedList(const fs::path& file, std::string* error) {
  auto text = ReadWholeFile(file);
  if (!text) {
    if (error) *error = "Cannot open file " + PathText(file);
    return nullptr;
  }
  // The user's own file is never rewritten; the older energy line is mended in memory.
  MigrateEnergyText(*text);
  auto list = std::make_unique<TForListe>(app_.Env());
  try {
    ReadRecordText(*text, *list, ClassRegistry::Global(), &app_.Env());
  } catch (const ObjTextError& e) {
    if (error) *error = e.what();
    return nullptr;
  }
  list->mixFile = list->ForBlanding;
  // The name becomes the list's file in the feed directory: one that cannot be a file
  // name gives way to the imported file's.
  if (ValidateFileName(list->ForlisteNavn)) list->ForlisteNavn = TextFromPath(file.stem());
  if (auto problem = ValidateFileName(list->ForlisteNavn)) {
    if (error) *error = PathText(file) + ": " + *problem;
    return nullptr;
  }
  if (FeedListNameTaken(list->ForlisteNavn)) {
    const std::string base = list->ForlisteNavn;
    for (int n = 2; FeedListNameTaken(list->ForlisteNavn); ++n) list->ForlisteNavn = base + " (" + std::to_string(n) + ")";
  }
  TForListe& added = AddFeedList(std::move(list));
  try {
    added.SaveToFile(added.FileNameFor());
  } catch (const ObjTextError& e) {
    if (error) *error = e.what();
  }
  return &added;
}

TForListe* Workspace::ImportTextFeedList(const fs::path& file, std::string* error) {
  auto list = std::make_unique<TForListe>(app_.Env());
  try {
    if (!ImportFromText(*list, file, app_.messages)) return nullptr;
  } catch (const FeedImportError& e) {
    if (error) *error = e.what();
    return nullptr;
  }
  if (FeedListNameTaken(list->ForlisteNavn)) {
    const std::string base = list->ForlisteNavn;
    for (int n = 2; FeedListNameTaken(list->ForlisteNavn); ++n) list->ForlisteNavn = base + " (" + std::to_string(n) + ")";
  }
  return &AddFeedList(std::move(list));
}

bool Workspace::DeleteStable(TStall& stable, std::string* error) {
  std::string why;
  const bool horsesGone = stable.DeleteAllHorses(&why);
  stable.AnnounceGoing();
  const bool ok = stable.DeleteFiles(why.empty() ? &why : nullptr) && horsesGone;
  if (!ok && error) *error = Tr(kFejl) + " " + Tr(kSletningAf) + " " + stable.stallNavn + (why.empty() ? "" : "\r" + why);
  TakeStable(&stable);
  return ok;
}

bool Workspace::DeleteFeedListFile(TForListe& list, std::string* error) {
  const bool ok = list.DeleteFile();
  if (!ok && error) *error = Tr(kFejl) + " " + Tr(kSletningAf) + " " + list.ForlisteNavn;
  if (&list == currentGuarantee_) currentGuarantee_ = nullptr;
  app_.Env().AnnounceGoing(list);
  TakeFeedList(&list);
  return ok;
}

}  // namespace stallora
