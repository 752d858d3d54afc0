#include "stable/workspace.h"

#include <algorithm>
#include <fstream>

#include "core/conflictnames.h"
#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "core/textutil.h"
#include "feeds/feedlist_import.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

bool IsHidden(const fs::path& p) {
  const std::string n = p.filename().string();
  return !n.empty() && n[0] == '.';
}

bool Exists(const fs::path& p) {
  std::error_code ec;
  return fs::exists(p, ec);
}

std::string NameOf(const fs::path& p) { return TextFromPath(p.filename()); }

bool OnDisk(const fs::path& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec));
}

inline constexpr Text kContactsNotRead{"start.contactsnotread",
                                       "Kontakterne kunne ikke læses; filen overskrives ikke, når programmet lukkes"};
inline constexpr Text kContactsElsewhere{"close.contactselsewhere",
                                         "Kontakterne er gemt i en ny fil, da den gamle ikke kunne læses ved start"};
inline constexpr Text kBackupFailed{"backup.failed", "Kunne ikke kopieres"};
inline constexpr Text kBackupIncomplete{"backup.incomplete", "Sikkerhedskopien er ufuldstændig"};

}  // namespace

std::vector<fs::directory_entry> SortedEntries(const fs::path& dir) {
  // Each name is converted once, not at every comparison.
  struct Named {
    std::string text;
    fs::path name;
    fs::directory_entry entry;
  };
  std::vector<Named> named;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec)) named.push_back({NameOf(e.path()), e.path().filename(), e});
  std::sort(named.begin(), named.end(), [](const Named& a, const Named& b) {
    const int c = CompareText(a.text, b.text);
    return c != 0 ? c < 0 : a.name < b.name;
  });
  std::vector<fs::directory_entry> entries;
  entries.reserve(named.size());
  for (Named& n : named) entries.push_back(std::move(n.entry));
  return entries;
}

// ---------------------------------------------------------------- context and start

AppContext::AppContext(fs::path dir, const Clock& c, Regional r, Messages& m)
    : programDir(std::move(dir)), clock(c), regional(std::move(r)), messages(m) {}

void AppContext::SetActiveEnergyObject(const TEnergyProteinObj& obj) {
  active = obj.Kopi();
  ApplyActiveEnergyObject(*active, settings, settings.countryNumber);
  environment->activeEnergy = active.get();
}

void RegisterAllRecordClasses() {
  RegisterConfigClasses();
  RegisterFeedClasses();
  RegisterNutritionClasses();
  RegisterBehovsListeClasses();
  RegisterStableClasses();
  RegisterAdresserClasses();
}

StartResult StartProgram(const fs::path& programDir, const Clock& clock, Regional regional, Messages& messages,
                         ScreenSize screen) {
  StartResult result;
  RegisterAllRecordClasses();
  auto app = std::make_unique<AppContext>(programDir, clock, regional, messages);

  CountrySettingsResult settings = LoadCountrySettings(programDir, Tr(kSettingsFileName), regional.languageAbbreviation);
  if (!settings.settings) {
    result.fatalMessage = settings.message;
    return result;
  }
  app->settings = std::move(*settings.settings);
  app->environment = std::make_unique<RecordEnvironment>(clock, regional, app->settings.countryNumber, nullptr,
                                                         &app->settings);

  try {
    app->preferences.Initialise(programDir, app->settings, regional, screen, messages);
  } catch (const ObjTextError& e) {
    result.fatalMessage = FileMessage(app->preferences.PreferencesFile(), programDir, e.what());
    return result;
  }
  app->preferences.ApplyMiniHorseStartRule();
  app->environment->preferences = &app->preferences;

  const fs::path listFile = app->preferences.EnergyProteinListFile();
  if (!Exists(listFile)) {
    result.fatalMessage = Tr(kFejl) + ": " + Tr(kFinderIkkeFilen) + " " + PathText(listFile);
    return result;
  }
  try {
    app->energyList.LoadfromFile(listFile);
  } catch (const ObjTextError& e) {
    result.fatalMessage = FileMessage(listFile, programDir, e.what());
    return result;
  }
  app->active = ChooseActiveEnergyObject(app->energyList, app->preferences.LastGlobalEPObjectName,
                                         app->settings.countryNumber, PathText(app->settings.settingsFile),
                                         regional.currencySymbol, &result.notice);
  ApplyActiveEnergyObject(*app->active, app->settings, app->settings.countryNumber);
  app->environment->activeEnergy = app->active.get();

  app->requirements = std::make_unique<TBehovsListe>(*app->environment);
  try {
    app->requirements->LoadfromFile(app->preferences.RequirementListFile());
  } catch (const ObjTextError& e) {
    // Without formulas the program still runs; every formula-only requirement stays 0.
    messages.Error(FileMessage(app->preferences.RequirementListFile(), programDir, e.what()));
  }
  app->environment->requirementList = app->requirements.get();

  // A missing contacts file is an empty register; one that is there but cannot be read
  // must survive the close, which would otherwise write the empty register over it.
  const fs::path S = app->preferences.SaveDirectory();
  const fs::path contactsFile = S / std::string(kAdresseFilNavn);
  std::string contactsError;
  if (OnDisk(contactsFile) && !app->contacts.LoadfromFile(contactsFile, &contactsError)) {
    app->contactsUnreadable = true;
    app->startupProblems.push_back(FileMessage(contactsFile, S, Tr(kContactsNotRead) + " (" + contactsError + ")"));
  }
  result.context = std::move(app);
  return result;
}

// ---------------------------------------------------------------- migration and checks

std::string CheckHorse(THest& h, const std::string& stableName, DayNumber today) {
  const std::string head = h.Navn + " [" + stableName + "]   ";
  switch (h.Kategori) {
    case TDyreKategori::Ungdyr:
      if (today > h.Fodselsdato + 1100) {
        h.Fodselsdato = today - 1825;
        h.Kategori = TDyreKategori::Vedlikehold;
        return head + Tr(kYoungTooOld);
      }
      break;
    case TDyreKategori::Drektig:
      if (today - h.ParringsDato > 375) {
        h.ParringsDato = today;
        h.Kategori = TDyreKategori::Vedlikehold;
        return head + Tr(kPregnancyTooLong);
      }
      break;
    case TDyreKategori::Lakterende:
      if (today - h.PartusDato > 515) {
        h.Kategori = TDyreKategori::Vedlikehold;
        return head + Tr(kLactationTooLong);
      }
      break;
    default:
      break;
  }
  return {};
}

// ---------------------------------------------------------------- workspace

void Workspace::Clear() {
  CancelScan();
  for (const auto& s : stables_) s->AnnounceGoing();
  for (const auto& l : feedLists_) app_.Env().AnnounceGoing(*l);
  stables_.clear();
  feedLists_.clear();
  currentGuarantee_ = nullptr;
  guaranteeListsRead_ = 0;
  messages_.clear();
}

TStall* Workspace::StableByName(const std::string& name) const {
  TStall* found = nullptr;
  for (const auto& s : stables_)
    if (s->stallNavn == name) found = s.get();
  return found;
}

TStall& Workspace::AddStable(std::unique_ptr<TStall> stable) {
  stables_.push_back(std::move(stable));
  return *stables_.back();
}

std::unique_ptr<TStall> Workspace::TakeStable(const TStall* stable) {
  for (auto it = stables_.begin(); it != stables_.end(); ++it)
    if (it->get() == stable) {
      auto s = std::move(*it);
      stables_.erase(it);
      return s;
    }
  return nullptr;
}

TForListe& Workspace::AddFeedList(std::unique_ptr<TForListe> list) {
  feedLists_.push_back(std::move(list));
  return *feedLists_.back();
}

TForListe& Workspace::AddGuaranteeList(std::unique_ptr<TForListe> list) {
  currentGuarantee_ = list.get();
  feedLists_.insert(feedLists_.begin(), std::move(list));
  return *currentGuarantee_;
}

std::unique_ptr<TForListe> Workspace::TakeFeedList(const TForListe* list) {
  for (auto it = feedLists_.begin(); it != feedLists_.end(); ++it)
    if (it->get() == list) {
      auto l = std::move(*it);
      feedLists_.erase(it);
      if (currentGuarantee_ == list) currentGuarantee_ = nullptr;
      return l;
    }
  return nullptr;
}

TForListe* Workspace::ReloadFeedList(TForListe& list, std::string* error) {
  auto it = std::find_if(feedLists_.begin(), feedLists_.end(), [&](const auto& l) { return l.get() == &list; });
  if (it == feedLists_.end()) {
    if (error) *error = Tr(kFejl) + " " + list.ForlisteNavn;
    return nullptr;
  }
  auto fresh = std::make_unique<TForListe>(app_.Env());
  try {
    fresh->LoadFromFile(list.FileNameFor());
  } catch (const ObjTextError& e) {
    if (error) *error = e.what();
    return nullptr;
  }
  app_.Env().AnnounceGoing(list);
  if (currentGuarantee_ == &list) currentGuarantee_ = fresh.get();
  *it = std::move(fresh);
  return it->get();
}

void Workspace::UpdateAllFromGuarantee() {
  if (!currentGuarantee_) return;
  for (const auto& l : feedLists_) {
    if (l.get() == currentGuarantee_) continue;
    l->UpdateFrom(*currentGuarantee_);
    try {
      l->SaveToFile(l->FileNameFor());
    } catch (const ObjTextError& e) {
      messages_.push_back(e.what());
    }
  }
  for (const auto& s : stables_) {
    s->ForListe->UpdateFrom(*currentGuarantee_);
    for (const auto& h : s->Horses()) h->ForListe->UpdateFrom(*currentGuarantee_);
    std::string error;
    if (!s->Save(&error)) messages_.push_back(error);
    if (!s->SaveAllHorses(&error)) messages_.push_back(error);
  }
}

std::string Workspace::FeedListLabel() const {
  if (!currentGuarantee_) return {};
  return FirstLetterUpper(Tr(kFoderliste)) + ":\n" + currentGuarantee_->ForlisteNavn + "\n- " + Tr(kVersion) + " " +
         std::to_string(currentGuarantee_->GarantiForlisteVersjon);
}

std::vector<std::string> Workspace::TreeLines() const {
  std::vector<std::string> lines;
  for (const auto& l : feedLists_) lines.push_back(l->DisplayName());
  for (const auto& s : stables_) {
    lines.push_back(s->stallNavn);
    lines.push_back("  " + s->ForListe->ForlisteNavn);
    for (const auto& h : s->Horses()) lines.push_back("  " + h->Navn);
  }
  return lines;
}

bool Workspace::ChangeSaveDirectory(bool useDefault, const fs::path& chosen, std::string* error) {
  std::error_code ec;
  TPreferences& prefs = app_.preferences;
  if (useDefault) {
    prefs.ActiveSaveDirectory = TextFromPath(prefs.DefaultSaveDirectory());
  } else if (!chosen.empty()) {
    const fs::path target = chosen / "save";
    fs::create_directories(target, ec);
    if (!fs::is_directory(target, ec)) {
      if (error) *error = Tr(kCouldNotCreate) + " " + PathText(target);
      Scan();
      return false;
    }
    prefs.ActiveSaveDirectory = TextFromPath(target);
    const fs::path feedDir = prefs.FeedDirectory();
    if (currentGuarantee_ && !currentGuarantee_->ForListeFilNavn.empty()) {
      const fs::path source = PathFromText(currentGuarantee_->ForListeFilNavn);
      fs::copy_file(source, feedDir / source.filename(), fs::copy_options::skip_existing, ec);
    }
  }
  Scan();
  return true;
}

fs::path Workspace::BackupTarget(const fs::path& parent) const {
  std::string date = app_.regional.FormatShortDate(app_.Env().Today());
  // A date format may hold characters a directory name cannot.
  for (char& c : date)
    if (c == '/' || c == '\\' || c == ':') c = '-';
  const std::string leaf = "save" + date;
  fs::path base = parent;
  const std::string text = TextFromPath(parent);
  if (const size_t at = text.find(leaf); at != std::string::npos) base = PathFromText(text.substr(0, at));
  return base / PathFromText(leaf);
}

bool Workspace::Backup(const fs::path& target, std::string* error) const {
  std::error_code ec;
  fs::create_directories(target, ec);
  if (!fs::is_directory(target, ec)) {
    if (error) *error = Tr(kCouldNotCreate) + " " + PathText(target);
    return false;
  }
  // A backup of the same day into the same directory is complete again only when it ends.
  const fs::path marker = target / std::string(kBackupMarkerFile);
  fs::remove(marker, ec);
  if (OnDisk(marker)) {
    if (error) *error = Tr(kCouldNotCreate) + " " + PathText(target);
    return false;
  }
  const fs::path S = app_.preferences.SaveDirectory();
  std::vector<std::string> failures;
  int copied = 0;
  auto copyFile = [&](const fs::path& from, const fs::path& to) {
    std::error_code dirError;
    fs::create_directories(to.parent_path(), dirError);
    std::string why;
    // Through a temporary file: a copy that fails half-way leaves nothing under its name.
    if (CopyFileAtomically(from, to, &why)) {
      ++copied;
    } else {
      failures.push_back(Tr(kBackupFailed) + ": " + PathTextBelow(from, S) + " (" + why + ")");
    }
  };
  auto hasDotAfterFirst = [](const fs::path& p) { return p.filename().string().find('.', 1) != std::string::npos; };
  for (const auto& e1 : SortedEntries(S)) {
    if (IsHidden(e1.path()) || e1.is_symlink(ec)) continue;
    if (e1.is_regular_file(ec)) {
      // A marker of a backup used as a workspace is not this backup's.
      if (e1.path().filename() == std::string(kBackupMarkerFile)) continue;
      if (hasDotAfterFirst(e1.path())) copyFile(e1.path(), target / e1.path().filename());
      continue;
    }
    if (!e1.is_directory(ec)) continue;
    for (const auto& e2 : SortedEntries(e1.path())) {
      if (IsHidden(e2.path()) || e2.is_symlink(ec)) continue;
      const fs::path rel2 = e1.path().filename() / e2.path().filename();
      if (e2.is_regular_file(ec)) {
        if (hasDotAfterFirst(e2.path())) copyFile(e2.path(), target / rel2);
        continue;
      }
      if (!e2.is_directory(ec)) continue;
      for (const auto& e3 : SortedEntries(e2.path())) {
        if (IsHidden(e3.path()) || e3.is_symlink(ec) || !e3.is_regular_file(ec)) continue;
        copyFile(e3.path(), target / rel2 / e3.path().filename());
      }
    }
  }
  if (failures.empty()) {
    const std::string text = "Stallora\r\n" + app_.regional.FormatShortDate(app_.Env().Today()) + "\r\n" +
                             std::to_string(copied) + "\r\n";
    if (!WriteFileAtomically(marker, text)) failures.push_back(Tr(kCouldNotCreate) + " " + PathText(marker));
  }
  if (failures.empty()) return true;
  if (error) {
    *error = Tr(kBackupIncomplete) + ": " + PathText(target);
    for (const std::string& f : failures) *error += "\n" + f;
  }
  return false;
}

std::vector<std::string> Workspace::Close(ConflictPrompt* prompt, bool* cancelled) {
  if (cancelled) *cancelled = false;
  std::vector<std::string> problems;
  const DayNumber now = app_.clock.Now();
  // One file of the close, under the check on its file; false when the user cancelled.
  auto save = [&](const Record& record, const fs::path& file, const std::string& mine, auto&& write) {
    if (prompt) {
      std::string error;
      switch (PrepareSave(record, file, PathText(file.filename()), *prompt, now, mine, &error)) {
        case SaveStep::kSave: break;
        case SaveStep::kTakeTheirs: return true;  // the other program's file stays
        case SaveStep::kCancel:
          if (error.empty()) {
            if (cancelled) *cancelled = true;
            return false;
          }
          problems.push_back(error);  // their file could not be put aside: it stays
          return true;
      }
    }
    write();
    return true;
  };
  const fs::path contactsFile = app_.preferences.SaveDirectory() / std::string(kAdresseFilNavn);
  TAdresser& contacts = app_.contacts;
  if (!app_.contactsUnreadable) {
    // An empty register that never had a file has nothing to set against one another
    // program wrote meanwhile.
    const bool nothingToKeep = !contacts.fileStamp.Known() && contacts.AdresseListe.empty() && OnDisk(contactsFile);
    const bool go = nothingToKeep || save(contacts, contactsFile, contacts.FileText(), [&] {
                      std::string why;
                      if (!contacts.writeToFile(contactsFile, &why))
                        problems.push_back(why.empty() ? "Cannot create file " + PathText(contactsFile) : why);
                    });
    if (!go) return problems;
  } else if (!contacts.AdresseListe.empty()) {
    // The file that could not be read stays as it was; what the user entered meanwhile
    // goes beside it.
    const fs::path beside = app_.preferences.SaveDirectory() / "HorseOwners.new.txt";
    if (WriteFileAtomically(beside, contacts.FileText()))
      problems.push_back(Tr(kContactsElsewhere) + ": " + PathText(beside));
    else
      problems.push_back("Cannot create file " + PathText(beside));
  }
  TPreferences& prefs = app_.preferences;
  if (app_.active) prefs.LastGlobalEPObjectName = app_.active->Navn;
  prefs.RebuildNutrientLists(app_.settings);
  const bool go = save(prefs, prefs.PreferencesFile(), RecordText(prefs), [&] {
    try {
      prefs.Save(app_.settings);
    } catch (const ObjTextError& e) {
      problems.push_back(e.what());
    }
  });
  if (!go) return problems;
  CleanUp();
  lock_.Release();
  return problems;
}

// Whether a directory holds a stable or horse file anywhere below it: such a directory is
// the user's data under another name (a renamed stable, a copied horse) and is never removed
// by the clean-up.
static bool HoldsRecordFiles(const fs::path& dir) {
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(dir, fs::directory_options::skip_permission_denied, ec);
       it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (ec) break;
    if (it.depth() > 3) {
      it.disable_recursion_pending();
      continue;
    }
    const std::string ext = it->path().extension().string();
    if (SameText(ext, ".eqs") || SameText(ext, ".eqh")) return true;
    // Another machine's version of a file, kept by a sync tool or by keep mine.
    if (IsConflictCopyName(TextFromPath(it->path().filename()))) return true;
  }
  return false;
}

std::vector<fs::path> Workspace::CleanUpCandidates() const {
  std::vector<fs::path> doomed;
  std::error_code ec;
  const fs::path S = app_.preferences.SaveDirectory();
  for (const auto& d : SortedEntries(S)) {
    // Only real directories inside the save directory; a link is never followed.
    if (d.is_symlink(ec) || !d.is_directory(ec)) continue;
    const std::string name = NameOf(d.path());
    if (name.find("Feeds") != std::string::npos || name.find('.') != std::string::npos) continue;
    if (IsConflictCopyName(name)) continue;
    if (fs::is_regular_file(d.path() / PathFromText(name + ".eqs"), ec)) {
      for (const auto& h : SortedEntries(d.path())) {
        if (h.is_symlink(ec) || !h.is_directory(ec)) continue;
        const std::string hn = NameOf(h.path());
        if (hn.find('.') != std::string::npos || IsConflictCopyName(hn)) continue;
        if (!fs::is_regular_file(h.path() / PathFromText(hn + ".eqh"), ec) && !HoldsRecordFiles(h.path()))
          doomed.push_back(h.path());
      }
    } else if (!HoldsRecordFiles(d.path())) {
      doomed.push_back(d.path());
    }
  }
  // The temporary files interrupted saves left, where the program saves.
  auto temps = [&](const fs::path& dir) {
    for (const auto& e : SortedEntries(dir))
      if (IsProgramTempFile(e.path().filename().string()) && !e.is_symlink(ec) && e.is_regular_file(ec))
        doomed.push_back(e.path());
  };
  temps(S);
  for (const auto& d : SortedEntries(S)) {
    if (d.is_symlink(ec) || !d.is_directory(ec) || IsHidden(d.path())) continue;
    const bool doomedDir = std::find(doomed.begin(), doomed.end(), d.path()) != doomed.end();
    if (doomedDir) continue;
    temps(d.path());
    for (const auto& h : SortedEntries(d.path()))
      if (!h.is_symlink(ec) && h.is_directory(ec) && !IsHidden(h.path()) &&
          std::find(doomed.begin(), doomed.end(), h.path()) == doomed.end())
        temps(h.path());
  }
  return doomed;
}

std::vector<fs::path> Workspace::CleanUp() const {
  std::vector<fs::path> left;
  const fs::path S = app_.preferences.SaveDirectory();
  for (const fs::path& path : CleanUpCandidates()) {
    std::error_code ec;
    // Only what lies strictly below the save directory; remove_all removes links
    // themselves, never what they point to.
    if (IsStrictlyBelow(path, S)) fs::remove_all(path, ec);
    if (OnDisk(path)) left.push_back(path);
  }
  return left;
}

}  // namespace stallora
