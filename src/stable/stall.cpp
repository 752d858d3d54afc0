#include "stable/stall.h"

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

// Deletes the files of a directory (not following links out of it) and then the directory.
bool RemoveDirectoryFiles(const fs::path& dir) {
  std::error_code ec;
  if (!fs::exists(dir, ec)) return true;
  for (const auto& entry : fs::directory_iterator(dir, ec)) {
    const std::string name = entry.path().filename().string();
    if (!name.empty() && name[0] == '.') continue;
    if (entry.is_regular_file(ec) || entry.is_symlink(ec)) fs::remove(entry.path(), ec);
  }
  fs::remove(dir, ec);
  return !fs::exists(dir, ec);
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

std::string TStall::UniqueHorseName(const std::string& wanted) const {
  if (!HorseByName(wanted)) return wanted;
  for (int n = 2;; ++n) {
    const std::string candidate = wanted + " (" + std::to_string(n) + ")";
    if (!HorseByName(candidate)) return candidate;
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
  while (HorseByName(name)) name = base + std::to_string(++number);
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
  while (HorseByName(name) && HorseByName(name) != &h) name = CopyName(name);
  h.Navn = name;
  h.ErNy = true;
  h.LagretSum = h.Fingerprint() - 1;  // marked as changed
  return h;
}

bool TStall::ImportHorse(const fs::path& path, std::string* message) {
  const auto text = ReadWholeFile(path);
  if (!text) return false;
  const std::string firstLine = text->substr(0, text->find('\n'));
  if (firstLine.find("THest") == std::string::npos) return false;
  auto horse = std::make_unique<THest>(*env);
  ReadRecordText(*text, *horse, ClassRegistry::Global(), env);
  horse->AfterLoad();
  if (HorseByName(horse->Navn)) {
    const std::string old = horse->Navn;
    std::string renamed = "xxx_" + old;
    while (HorseByName(renamed)) renamed = "xxx_" + renamed;
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
  SaveHorse(added);
  return true;
}

// ---- files

fs::path TStall::StableDirectory() const {
  const fs::path save = env->preferences ? env->preferences->SaveDirectory() : fs::path("Save");
  return save / PathFromText(stallNavn);
}

fs::path TStall::StableFilePath() const { return StableDirectory() / PathFromText(StableFileName()); }

fs::path TStall::HorseDirectory(const THest& h) const { return StableDirectory() / PathFromText(h.Navn); }

fs::path TStall::HorseFilePath(const THest& h) const { return HorseDirectory(h) / PathFromText(h.Navn + ".eqh"); }

bool TStall::Save(std::string* error) {
  const fs::path dir = StableDirectory();
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (!fs::is_directory(dir, ec)) {
    if (error) *error = DirectoryError(stallNavn, dir);
    return false;
  }
  try {
    SaveRecordToFile(*this, StableFilePath());
  } catch (const ObjTextError& e) {
    if (error) *error = e.what();
    return false;
  }
  savedSignature = ChangeSignature();
  return true;
}

void TStall::Load(const fs::path& path) {
  LoadRecordFromFile(*this, path, ClassRegistry::Global(), env);
}

bool TStall::SaveHorse(THest& h, std::string* error) {
  std::error_code ec;
  if (!fs::exists(StableFilePath(), ec) && !Save(error)) return false;
  const fs::path dir = HorseDirectory(h);
  fs::create_directories(dir, ec);
  if (!fs::is_directory(dir, ec)) {
    if (error) *error = DirectoryError(h.Navn, dir);
    return false;
  }
  try {
    h.writeToFile(HorseFilePath(h));
  } catch (const ObjTextError& e) {
    if (error) *error = e.what();
    return false;
  }
  h.LagretSum = h.Fingerprint();
  h.ErNy = false;
  return true;
}

bool TStall::SaveAllHorses(std::string* error) {
  bool ok = true;
  for (const auto& h : horses_) ok = SaveHorse(*h, error) && ok;
  return ok;
}

bool TStall::RenameStable(const std::string& name, std::string* error) {
  if (auto problem = ValidateFileName(name)) {
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
  if (fs::exists(newDir, ec) && !fs::equivalent(newDir, oldDir, ec)) {
    stallNavn = oldName;
    if (error) *error = Tr(kFejl) + " " + PathText(newDir);
    return false;
  }
  if (fs::exists(oldDir, ec)) {
    fs::rename(oldDir, newDir, ec);
    if (ec) {
      stallNavn = oldName;
      if (error) *error = Tr(kFejl) + " " + PathText(oldDir) + " -> " + PathText(newDir);
      return false;
    }
    const fs::path movedFile = newDir / oldFile.filename();
    if (fs::exists(movedFile, ec)) {
      fs::rename(movedFile, newFile, ec);
      if (ec) {
        fs::rename(newDir, oldDir, ec);  // back as it was
        stallNavn = oldName;
        if (error) *error = Tr(kFejl) + " " + PathText(movedFile);
        return false;
      }
    }
  }
  NameFeedList();
  return true;
}

bool TStall::DeleteFiles() { return RemoveDirectoryFiles(StableDirectory()); }

bool TStall::DeleteHorse(const std::string& name, std::string* error) {
  THest* h = HorseByName(name);
  if (!h) return false;
  if (!RemoveDirectoryFiles(HorseDirectory(*h))) {
    if (error) *error = Tr(kFejl) + ": " + Tr(kSletningAf) + " " + name;
    return false;
  }
  env->AnnounceGoing(*h);
  TakeHorse(h);
  return true;
}

void TStall::DeleteAllHorses() {
  while (!horses_.empty()) {
    RemoveDirectoryFiles(HorseDirectory(*horses_.back()));
    env->AnnounceGoing(*horses_.back());
    horses_.pop_back();
  }
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
  if (HorseByName(newName)) {
    if (error) *error = newName + ": " + Tr(kFindesAendre);
    return false;
  }
  std::error_code ec;
  const fs::path oldDir = HorseDirectory(h);
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
