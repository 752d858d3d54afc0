#include "stable/stall.h"

#include <algorithm>
#include <fstream>

#include "config/preferences.h"
#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "core/textutil.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

int32_t Wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }
int64_t Bytes(const std::string& s) {
  int64_t sum = 0;
  for (unsigned char c : s) sum += c;
  return sum;
}

std::string DirectoryError(const std::string& name, const fs::path& dir) {
  return "Error: Storage directory for " + name + " could not be created\rPath: " + PathText(dir) +
         "\rYou must have rights for writing to the storage directory!";
}

// A stable name whose directory may be deleted: any that is one directory of the save
// directory (a name made long ago may be longer than new names may be), but none of the
// program's folders.
std::optional<std::string> DeletableStableName(const std::string& name) {
  if (auto problem = ValidateExistingName(name)) return problem;
  if (IsReservedFolderName(name)) return ValidateStableName(name);
  return std::nullopt;
}

// The system's reason for a failed file operation, for the message that names the file.
std::string Reason(const std::error_code& ec) { return Utf8ToCp1252(ec.message()); }

bool OnDisk(const fs::path& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec));
}

// The first directory of `dir` and its parents that does not exist yet, or empty when all
// do: what a save would create and must take away again when it fails.
fs::path FirstMissing(const fs::path& dir) {
  fs::path missing;
  for (fs::path p = dir; !p.empty() && !OnDisk(p); p = p.parent_path()) {
    missing = p;
    if (p == p.parent_path()) break;
  }
  return missing;
}

// Takes away the directories a failed save created (only while they are empty).
void RemoveCreated(const fs::path& dir, const fs::path& firstCreated) {
  if (firstCreated.empty()) return;
  std::error_code ec;
  for (fs::path p = dir;; p = p.parent_path()) {
    if (!fs::remove(p, ec)) break;
    if (p == firstCreated || p == p.parent_path()) break;
  }
}

}  // namespace

TStall::TStall(const RecordEnvironment& environment)
    : stallNavn(Tr(kNyStall)),
      SFTider{"28800", "43200", "57600", "72000"},
      ForListe(std::make_unique<TForListe>(environment, ListOwnerKind::Stable)),
      env(&environment) {
  NameFeedList();
}

TStall::~TStall() = default;

const RecordClass& TStall::StaticClass() {
  using S = TStall;
  static const RecordClass c = RecordClass::Make<S>(
      "TStall",
      {Prop<&S::stallNavn>("stallNavn"), Prop<&S::StallEier>("StallEier"), Prop<&S::StallNoMeals>("StallNoMeals"),
       Prop<&S::SFTider>("SFTider"), Prop<&S::ErModellHestStall>("ErModellHestStall")},
      {Extra<S, &S::WriteNotes, &S::ReadNotes>("DiverseOpplysninger")});
  return c;
}

void TStall::NameFeedList() { ForListe->ForlisteNavn = Tr(kFoderliste) + "-" + stallNavn; }

std::unique_ptr<Record> TStall::AdoptChild(std::unique_ptr<Record> child, LoadContext&) {
  if (auto* list = dynamic_cast<TForListe*>(child.get())) {
    child.release();
    ForListe.reset(list);
    ForListe->owner = ListOwnerKind::Stable;
    ForListe->env = env;
    return nullptr;
  }
  return child;
}

// ---- horses

std::vector<std::string> TStall::HorseNames() const {
  std::vector<std::string> names;
  for (const auto& h : horses_) names.push_back(h->Navn);
  return names;
}

THest* TStall::HorseByName(const std::string& name) const {
  THest* found = nullptr;
  for (const auto& h : horses_)
    if (h->Navn == name) found = h.get();
  return found;
}

THest* TStall::HorseAt(int i) const { return i >= 0 && i < HorseCount() ? horses_[static_cast<size_t>(i)].get() : nullptr; }

THest& TStall::AddHorse(std::unique_ptr<THest> horse) {
  horse->stable = this;
  horses_.push_back(std::move(horse));
  return *horses_.back();
}

std::unique_ptr<THest> TStall::TakeHorse(const THest* horse) {
  for (auto it = horses_.begin(); it != horses_.end(); ++it) {
    if (it->get() == horse) {
      std::unique_ptr<THest> h = std::move(*it);
      horses_.erase(it);
      h->stable = nullptr;
      return h;
    }
  }
  return nullptr;
}

THest* TStall::NewHorseRecord() { return &AddHorse(std::make_unique<THest>(*env)); }

bool TStall::HorseNameTaken(const std::string& name, const THest* except) const {
  for (const auto& h : horses_)
    if (h.get() != except && h->Navn == name) return true;
  // A directory of the name is another horse's, or what is left of one (a damaged horse
  // file the scan could not read): its files must not be taken over.
  return !name.empty() && OnDisk(StableDirectory() / PathFromText(name));
}

std::string TStall::UniqueHorseName(const std::string& wanted) const {
  if (!HorseNameTaken(wanted)) return wanted;
  for (int n = 2;; ++n) {
    const std::string candidate = wanted + " (" + std::to_string(n) + ")";
    if (!HorseNameTaken(candidate)) return candidate;
  }
}

THest& TStall::NewHorse() {
  const std::string base = Tr(kMinHest);
  int number = 1;
  for (const auto& h : horses_)
    if (h->Navn == base + std::to_string(number)) ++number;
  std::string name = base + std::to_string(number);
  // One pass in tree order can still meet a taken name (Min hest2 before Min hest1); two
  // horses of one name would share a directory, so the number goes on until it is free.
  while (HorseNameTaken(name)) name = base + std::to_string(++number);
  THest& h = AddHorse(std::make_unique<THest>(*env));
  h.Navn = name;
  return h;
}

std::string CopyName(const std::string& source) {
  const std::string suffix = "_" + Tr(kKopier);
  const size_t at = source.find(suffix);
  if (at == std::string::npos) return source + suffix + "1";
  std::string tail = source.substr(at + suffix.size());
  // The number after the suffix goes up by one.
  size_t digits = tail.size();
  while (digits > 0 && std::isdigit(static_cast<unsigned char>(tail[digits - 1]))) --digits;
  const std::string number = tail.substr(digits);
  if (number.empty()) return source + "1";
  long long n = 0;
  for (char c : number) n = std::min<long long>(n * 10 + (c - '0'), 1000000000LL);
  return source.substr(0, at + suffix.size()) + tail.substr(0, digits) + std::to_string(n + 1);
}

THest& TStall::CopyHorse(const THest& source) {
  THest& h = AddHorse(std::make_unique<THest>(*env));
  h.Kopier(source);
  std::string name = CopyName(source.Navn);
  while (HorseNameTaken(name, &h)) name = CopyName(name);
  h.Navn = name;
  h.ErNy = true;
  h.LagretSum = h.Fingerprint() - 1;  // marked as changed
  return h;
}

bool TStall::ImportHorse(const fs::path& path, std::string* message) {
  std::string readError;
  const auto text = ReadWholeFile(path, &readError);
  if (!text) {
    if (message) *message = readError;
    return false;
  }
  const std::string firstLine = text->substr(0, text->find('\n'));
  if (firstLine.find("THest") == std::string::npos) return false;
  auto horse = std::make_unique<THest>(*env);
  ReadRecordText(*text, *horse, ClassRegistry::Global(), env);
  horse->AfterLoad();
  // The name becomes a directory: one from the file that cannot be one ("", "..",
  // "../../x") gives way to the name of the file's directory, as the scan names horses,
  // or to the file's own name when the file does not lie in a directory of its name.
  if (ValidateFileName(horse->Navn)) {
    const std::string stem = TextFromPath(path.stem());
    const std::string dirName = TextFromPath(path.parent_path().filename());
    horse->Navn = stem == dirName ? dirName : stem;
    if (auto problem = ValidateFileName(horse->Navn)) {
      if (message) *message = PathText(path) + ": " + *problem;
      return false;
    }
  }
  if (HorseNameTaken(horse->Navn)) {
    const std::string old = horse->Navn;
    std::string renamed = "xxx_" + old;
    while (HorseNameTaken(renamed)) renamed = "xxx_" + renamed;
    if (auto problem = ValidateFileName(renamed)) {
      if (message) *message = PathText(path) + ": " + *problem;
      return false;
    }
    horse->Navn = renamed;
    if (message)
      *message = stallNavn + ": \"" + old + "\" " + Tr(kFindesAendre) + ". " + Tr(kNytNavn) + ": " + horse->Navn;
  }
  bool keepTimes = StallNoMeals > 0 && StallNoMeals == horse->HestNoMeals;
  for (int i = 0; keepTimes && i < StallNoMeals; ++i) {
    const auto k = static_cast<size_t>(i);
    keepTimes = k < SFTider.size() && k < horse->HFTider.size() && SFTider[k] == horse->HFTider[k];
  }
  if (!keepTimes) {
    horse->HestNoMeals = 0;
    horse->HFTider.clear();
  }
  THest& added = AddHorse(std::move(horse));
  std::string saveError;
  if (!SaveHorse(added, &saveError) && message) *message += (message->empty() ? "" : "\n") + saveError;
  return true;
}

fs::path TStall::ExportedHorseFile(const THest& h, const fs::path& dir) {
  return dir / PathFromText(h.Navn) / PathFromText(h.Navn + ".eqh");
}

bool TStall::ExportHorse(THest& h, const fs::path& dir, std::string* error) {
  std::error_code ec;
  if (fs::exists(SaveDirectory(), ec) && fs::exists(dir, ec) && fs::equivalent(dir, SaveDirectory(), ec)) {
    if (error) *error = PathText(dir) + ": " + Tr(kExportIntoSaveDir);
    return false;
  }
  if (!SaveHorse(h, error)) return false;
  const fs::path from = HorseFilePath(h);
  const fs::path to = ExportedHorseFile(h, dir);
  // The horse's own file (its stable's directory chosen): nothing to copy.
  if (fs::exists(to, ec) && fs::equivalent(from, to, ec)) return true;
  const fs::path created = FirstMissing(to.parent_path());
  fs::create_directories(to.parent_path(), ec);
  if (!fs::is_directory(to.parent_path(), ec)) {
    RemoveCreated(to.parent_path(), created);
    if (error) *error = DirectoryError(h.Navn, to.parent_path());
    return false;
  }
  if (!CopyFileAtomically(from, to, error)) {
    RemoveCreated(to.parent_path(), created);
    return false;
  }
  return true;
}

// ---- files

fs::path TStall::SaveDirectory() const {
  return env->preferences ? env->preferences->SaveDirectory() : fs::path("Save");
}

fs::path TStall::StableDirectory() const { return SaveDirectory() / PathFromText(stallNavn); }

fs::path TStall::StableFilePath() const { return StableDirectory() / PathFromText(StableFileName()); }

fs::path TStall::HorseDirectory(const THest& h) const { return StableDirectory() / PathFromText(h.Navn); }

fs::path TStall::HorseFilePath(const THest& h) const { return HorseDirectory(h) / PathFromText(h.Navn + ".eqh"); }

bool TStall::Save(std::string* error) {
  // A name that cannot be a directory of its own is refused before anything is created.
  if (auto problem = ValidateStableName(stallNavn)) {
    if (error) *error = *problem;
    return false;
  }
  const fs::path dir = StableDirectory();
  const fs::path created = FirstMissing(dir);
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (!fs::is_directory(dir, ec)) {
    RemoveCreated(dir, created);
    if (error) *error = DirectoryError(stallNavn, dir);
    return false;
  }
  try {
    SaveRecordToFile(*this, StableFilePath());
  } catch (const ObjTextError& e) {
    RemoveCreated(dir, created);
    if (error) *error = e.what();
    return false;
  }
  savedSignature = ChangeSignature();
  return true;
}

void TStall::Load(const fs::path& path) {
  LoadRecordFromFile(*this, path, ClassRegistry::Global(), env);
}

void TStall::LoadFromText(std::string_view text) { ReadRecordText(text, *this, ClassRegistry::Global(), env); }

bool TStall::SaveHorse(THest& h, std::string* error) {
  if (auto problem = ValidateStableName(stallNavn)) {
    if (error) *error = *problem;
    return false;
  }
  if (auto problem = ValidateFileName(h.Navn)) {
    if (error) *error = *problem;
    return false;
  }
  // A horse that was never saved must not replace a file it did not come from (a damaged
  // horse file that the scan could not read, say).
  if (h.ErNy && OnDisk(HorseFilePath(h))) {
    if (error) *error = h.Navn + ": " + Tr(kFindesAendre) + "? " + PathText(HorseFilePath(h));
    return false;
  }
  std::error_code ec;
  if (!fs::exists(StableFilePath(), ec) && !Save(error)) return false;
  const fs::path dir = HorseDirectory(h);
  const fs::path created = FirstMissing(dir);
  fs::create_directories(dir, ec);
  if (!fs::is_directory(dir, ec)) {
    RemoveCreated(dir, created);
    if (error) *error = DirectoryError(h.Navn, dir);
    return false;
  }
  try {
    h.writeToFile(HorseFilePath(h));
  } catch (const ObjTextError& e) {
    RemoveCreated(dir, created);
    if (error) *error = e.what();
    return false;
  }
  h.LagretSum = h.Fingerprint();
  h.ErNy = false;
  return true;
}

bool TStall::SaveAllHorses(std::string* error) {
  bool ok = true;
  std::string all;
  for (const auto& h : horses_) {
    std::string why;
    if (SaveHorse(*h, &why)) continue;
    ok = false;
    all += (all.empty() ? "" : "\r") + why;
  }
  if (!ok && error) *error = all;
  return ok;
}

THest* TStall::ReloadHorse(THest& h, std::unique_ptr<THest>* old, std::string* error) {
  auto it = std::find_if(horses_.begin(), horses_.end(), [&](const auto& p) { return p.get() == &h; });
  if (it == horses_.end()) {
    if (error) *error = Tr(kFejl) + " " + h.Navn;
    return nullptr;
  }
  auto fresh = std::make_unique<THest>(*env);
  fresh->Navn = h.Navn;
  try {
    fresh->LoadfromFile(HorseFilePath(h));
  } catch (const ObjTextError& e) {
    if (error) *error = e.what();
    return nullptr;
  }
  fresh->Navn = h.Navn;  // the directory decides the name, as at the scan
  fresh->LagretSum = fresh->Fingerprint();
  fresh->stable = this;
  std::swap(*it, fresh);
  fresh->stable = nullptr;
  if (old) *old = std::move(fresh);
  return it->get();
}

bool TStall::ReloadFromFile(std::string* error) {
  TStall fresh(*env);
  try {
    fresh.Load(StableFilePath());
  } catch (const ObjTextError& e) {
    if (error) *error = e.what();
    return false;
  }
  StallEier = std::move(fresh.StallEier);
  StallNoMeals = fresh.StallNoMeals;
  SFTider = std::move(fresh.SFTider);
  ErModellHestStall = fresh.ErModellHestStall;
  DiverseOpplysninger = std::move(fresh.DiverseOpplysninger);
  if (ForListe) env->AnnounceGoing(*ForListe);
  ForListe = std::move(fresh.ForListe);
  NameFeedList();
  fileStamp = fresh.fileStamp;
  savedSignature = ChangeSignature();
  return true;
}

bool TStall::RenameStable(const std::string& name, std::string* error) {
  if (auto problem = ValidateStableName(name)) {
    if (error) *error = *problem;
    return false;
  }
  if (name == stallNavn) return true;
  std::error_code ec;
  const fs::path oldDir = StableDirectory();
  const fs::path oldFile = StableFilePath();
  const std::string oldName = stallNavn;
  stallNavn = name;
  const fs::path newDir = StableDirectory();
  const fs::path newFile = StableFilePath();
  // Another stable's directory of that name would be merged into, and its horses lost at
  // the clean-up; refuse instead.
  if (OnDisk(newDir) && !fs::equivalent(newDir, oldDir, ec)) {
    stallNavn = oldName;
    if (error) *error = Tr(kFejl) + " " + PathText(newDir);
    return false;
  }
  if (fs::exists(oldDir, ec)) {
    fs::rename(oldDir, newDir, ec);
    if (ec) {
      stallNavn = oldName;
      if (error) *error = Tr(kFejl) + " " + PathText(oldDir) + " -> " + PathText(newDir) + ": " + Reason(ec);
      return false;
    }
    const fs::path movedFile = newDir / oldFile.filename();
    if (fs::exists(movedFile, ec)) {
      fs::rename(movedFile, newFile, ec);
      if (ec) {
        const std::string why = Reason(ec);
        std::error_code back;
        fs::rename(newDir, oldDir, back);  // back as it was
        stallNavn = oldName;
        if (error) *error = Tr(kFejl) + " " + PathText(movedFile) + " -> " + PathText(newFile) + ": " + why;
        return false;
      }
    }
  }
  NameFeedList();
  return true;
}

bool TStall::DeleteFiles(std::string* error) {
  // Only a stable's own directory, strictly below the save directory: never the save
  // directory itself, nor one of the program's folders.
  if (auto problem = DeletableStableName(stallNavn)) {
    if (error) *error = *problem;
    return false;
  }
  return RemoveRecordDirectory(StableDirectory(), SaveDirectory(), error);
}

bool TStall::DeleteHorseFiles(const THest& h, std::string* error) const {
  if (auto problem = DeletableStableName(stallNavn)) {
    if (error) *error = *problem;
    return false;
  }
  if (auto problem = ValidateExistingName(h.Navn)) {
    if (error) *error = *problem;
    return false;
  }
  return RemoveRecordDirectory(HorseDirectory(h), StableDirectory(), error);
}

bool TStall::DeleteHorse(const std::string& name, std::string* error) {
  THest* h = HorseByName(name);
  if (!h) return false;
  std::string why;
  if (!DeleteHorseFiles(*h, &why)) {
    if (error) *error = Tr(kFejl) + ": " + Tr(kSletningAf) + " " + name + "\r" + why;
    return false;
  }
  env->AnnounceGoing(*h);
  TakeHorse(h);
  return true;
}

bool TStall::DeleteAllHorses(std::string* error) {
  bool ok = true;
  while (!horses_.empty()) {
    std::string why;
    if (!DeleteHorseFiles(*horses_.back(), &why)) {
      ok = false;
      if (error) *error = why;
    }
    env->AnnounceGoing(*horses_.back());
    horses_.pop_back();
  }
  return ok;
}

void TStall::AnnounceGoing() const {
  for (const auto& h : horses_) env->AnnounceGoing(*h);
  if (ForListe) env->AnnounceGoing(*ForListe);
  env->AnnounceGoing(*this);
}

bool TStall::RenameHorse(THest& h, const std::string& newName, std::string* error) {
  if (auto problem = ValidateFileName(newName)) {
    if (error) *error = *problem;
    return false;
  }
  if (newName == h.Navn) return true;
  std::error_code ec;
  const fs::path oldDir = HorseDirectory(h);
  // Another horse of the name, in memory or only on disk (a horse file the scan could not
  // read), would be replaced by the rename.
  const fs::path wanted = StableDirectory() / PathFromText(newName);
  if (HorseByName(newName) || (OnDisk(wanted) && !(OnDisk(oldDir) && fs::equivalent(wanted, oldDir, ec)))) {
    if (error) *error = newName + ": " + Tr(kFindesAendre);
    return false;
  }
  const fs::path oldFile = HorseFilePath(h);
  const std::string oldName = h.Navn;
  h.Navn = newName;
  const fs::path newDir = HorseDirectory(h);
  if (fs::exists(oldDir, ec)) {
    fs::rename(oldDir, newDir, ec);
    if (ec) {
      h.Navn = oldName;
      if (error) *error = Tr(kFejl) + " " + PathText(oldDir);
      return false;
    }
    const fs::path movedFile = newDir / oldFile.filename();
    if (fs::exists(movedFile, ec)) fs::rename(movedFile, HorseFilePath(h), ec);
  }
  return true;
}

// ---- stable-wide

void TStall::ComputeStableRequirement() {
  for (const auto& f : ForListe->Feeds()) {
    f->Valgt = false;
    f->StallBehov = 0;
  }
  for (const auto& h : horses_) {
    for (const auto& rf : h->ForListe->Feeds()) {
      if (TFor* sf = ForListe->FeedByName(rf->Fornavn)) {
        sf->StallBehov += rf->TildeltKg;
        sf->Valgt = true;
      } else {
        rf->StallBehov = rf->TildeltKg;
        ForListe->AddFeed(rf->Clone());
      }
    }
  }
}

double TStall::DailyRationCost() const {
  double sum = 0;
  for (const auto& h : horses_) sum += h->ForListe->TotalPrice();
  return sum;
}

void TStall::UpdateFeedPriceInHorses(const TFor& feed, std::vector<THest*>* changed) {
  for (const auto& h : horses_) {
    bool any = false;
    for (const auto& f : h->ForListe->Feeds())
      if (f->Fornavn == feed.Fornavn) {
        f->Pris = feed.Pris;
        any = true;
      }
    if (any) {
      SaveHorse(*h);
      if (changed) changed->push_back(h.get());
    }
  }
}

void TStall::UpdateFeedValuesInHorses(const TFor& feed, std::vector<THest*>* changed) {
  for (const auto& h : horses_) {
    bool any = false;
    for (const auto& f : h->ForListe->Feeds())
      if (f->Fornavn == feed.Fornavn) {
        f->Analyse.Values() = feed.Analyse.Values();
        f->TorrStoff = feed.TorrStoff;
        f->Pris = feed.Pris;
        any = true;
      }
    if (any) {
      SaveHorse(*h);
      if (changed) changed->push_back(h.get());
    }
  }
}

int32_t TStall::ChangeSignature() const {
  int64_t sum = Bytes(stallNavn) + Bytes(StallEier) + StallNoMeals + (ErModellHestStall ? 1 : 0) + HorseCount() +
                static_cast<int64_t>(DiverseOpplysninger.size());
  for (const auto& t : SFTider) sum += Bytes(t);
  return Wrap(sum);
}

bool TStall::HasUnsavedChanges() const {
  std::error_code ec;
  return ChangeSignature() != savedSignature || !fs::exists(StableFilePath(), ec);
}

void RegisterStableClasses() { RegisterClass(TStall::StaticClass()); }

}  // namespace stallora
