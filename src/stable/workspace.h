#pragma once
// The program's process-wide state and its workspace: the start sequence up to the scan,
// the scan of the save directory into stables, horses and feed lists, the start-up checks,
// saving, changing the save directory, backups and the clean-up on close.

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "config/country_settings.h"
#include "config/energy_protein.h"
#include "config/environment.h"
#include "config/preferences.h"
#include "core/seams.h"
#include "core/common_texts.h"
#include "feeds/feedlist.h"
#include "nutrition/behovsliste.h"
#include "stable/adresser.h"
#include "stable/stall.h"
#include "stable/workspace_lock.h"

namespace stallora {

inline constexpr const Text& kFinderIkkeFilen = common::kFinderIkkeFilen;
inline constexpr Text kYoungTooOld{"check.young", "Unghesten er blevet for gammel. Vedligehold er valgt"};
inline constexpr Text kPregnancyTooLong{"check.pregnant", "For lang drægtighedsperiode. Vedligehold er valgt"};
inline constexpr Text kLactationTooLong{"check.lactating", "For lang laktationsperiode. Vedligehold er valgt"};
inline constexpr const Text& kVersion = common::kVersion;
inline constexpr Text kBackupTo{"backup.to", "Sikkerhedskopi af stald og heste til"};
inline constexpr const Text& kCouldNotCreate = common::kKunneIkkeDannes;
inline constexpr const Text& kChoosePlace = common::kVaelgPlads;
// Written into a backup's directory when every file was copied.
inline constexpr std::string_view kBackupMarkerFile = "STALLORA-BACKUP-COMPLETE.txt";

// Everything the program keeps from start to end: configuration, preferences, the energy
// systems and the active one, the requirement formulas, the contacts, the online flags, and
// the environment records are made with.
class AppContext {
 public:
  AppContext(std::filesystem::path programDir, const Clock& clock, Regional regional, Messages& messages);
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  std::filesystem::path programDir;
  const Clock& clock;
  Regional regional;
  Messages& messages;

  CountrySettings settings;
  TPreferences preferences;
  TEnProList energyList;
  std::unique_ptr<TEnergyProteinObj> active;
  std::unique_ptr<TBehovsListe> requirements;
  TAdresser contacts;
  std::unique_ptr<RecordEnvironment> environment;

  // What the start could not read, for the start-up messages (each names its file).
  std::vector<std::string> startupProblems;
  // The contacts file exists but could not be read: it is never overwritten.
  bool contactsUnreadable = false;

  // The online service.
  bool online = false;
  bool newerProgram = false;
  bool newerGuaranteeList = false;
  int offeredGuaranteeVersion = 0;
  std::string offeredGuaranteeFile;

  const RecordEnvironment& Env() const { return *environment; }
  // Makes another object the active one (a copy), and the tables follow it.
  void SetActiveEnergyObject(const TEnergyProteinObj& obj);
};

struct StartResult {
  std::unique_ptr<AppContext> context;
  std::string fatalMessage;  // set when the program must end (no settings, no energy list)
  std::string notice;        // a message to show ("... selected")
};

// Registers every record class of the program.
void RegisterAllRecordClasses();

// The start sequence up to the scan: classes, country settings, preferences, the energy
// systems and the active object, the requirement list and the contacts.
StartResult StartProgram(const std::filesystem::path& programDir, const Clock& clock, Regional regional,
                         Messages& messages, ScreenSize screen = {});

// Rewrites an older file's energy-system line ("NRC" in the EnergiBeregning line) as
// "EnergiBeregning = nrc2007". Returns true when the file was rewritten.
bool MigrateEnergyLines(const std::filesystem::path& path);
// The same on text in memory (for imports that must not touch the user's file).
bool MigrateEnergyText(std::string& text);

// The horse check of the start-up: changes a horse whose category no longer fits and gives
// the message line, or returns an empty text.
std::string CheckHorse(THest& horse, const std::string& stableName, DayNumber today);

class Workspace {
 public:
  explicit Workspace(AppContext& app);
  ~Workspace();

  // Builds the workspace from the save directory (the tree's content).
  void Scan();
  void Clear();

  // The same scan in steps, for a window that keeps answering while the workspace is read:
  // BeginScan, then ScanStep until it returns true. A step reads one feed list, or lets one
  // stable join Stables() with all its horses, so what the workspace lists is always whole.
  // The stable directories are read ahead on threads of the scan's own (see
  // SetScanThreads), into records nothing else sees until their stable joins, in the order
  // of the save directory; messages and the tree come out as from one thread. A step given
  // `until` waits for the next stable no longer than that and returns false when it is not
  // read yet. The steps after the reading (model horses, bringing everything up to date
  // from a newer guarantee list, the welcome flag) run in the last step. Scan() is
  // BeginScan and every step at once.
  void BeginScan();
  bool ScanStep(std::optional<std::chrono::steady_clock::time_point> until = std::nullopt);
  // Threads that read stable directories ahead of the steps: 0 reads each in its step, on
  // the caller's thread; negative (the default) one per processor, at most 8.
  void SetScanThreads(int threads) { scanThreads_ = threads; }
  bool Scanning() const { return scan_ != nullptr; }
  // Ends a scan half-way (the program closes): what was read stays, nothing more is read,
  // and the steps after the reading do not run, so nothing is saved.
  void CancelScan();
  struct ScanProgress {
    bool feedListsRead = false;
    int stablesRead = 0;   // stables read so far (whole, or left out for a message)
    int stablesTotal = 0;  // directories of the save directory that hold their stable file
  };
  ScanProgress Progress() const;

  AppContext& App() { return app_; }

  // Feed lists in tree order: the current guarantee list first, then the others as read.
  const std::vector<std::unique_ptr<TForListe>>& FeedLists() const { return feedLists_; }
  TForListe* CurrentGuaranteeList() const { return currentGuarantee_; }
  int GuaranteeListsRead() const { return guaranteeListsRead_; }
  const std::vector<std::unique_ptr<TStall>>& Stables() const { return stables_; }
  // Messages of the start-up check and of files that could not be read, in order.
  const std::vector<std::string>& Messages() const { return messages_; }
  // The main window's feed list label ("Foderliste:" LF name LF "- Version n"), or empty.
  std::string FeedListLabel() const;

  TStall* StableByName(const std::string& name) const;
  TStall& AddStable(std::unique_ptr<TStall> stable);
  std::unique_ptr<TStall> TakeStable(const TStall* stable);
  TForListe& AddFeedList(std::unique_ptr<TForListe> list);
  // A guarantee list that replaces the current one (a download): the first node, current.
  TForListe& AddGuaranteeList(std::unique_ptr<TForListe> list);
  std::unique_ptr<TForListe> TakeFeedList(const TForListe* list);
  // "Take theirs" for a stand-alone feed list: read again from its file, in the old list's
  // place (and as the current guarantee list when it was). The old list is announced going,
  // then freed. Returns the new list, or nullptr with the message (nothing changed).
  TForListe* ReloadFeedList(TForListe& list, std::string* error = nullptr);

  // Brings every stand-alone list, stable feed list and ration up to date from the current
  // guarantee list and saves what changed.
  void UpdateAllFromGuarantee();

  // ---- commands of the main window ----
  // Whether a new or imported stable may not have the name: a stable of the workspace has
  // it, or something of the name is in the save directory.
  bool StableNameTaken(const std::string& name) const;
  // "Min stald1", "Min stald2", ...: the first number no stable has (StableNameTaken).
  std::string NewStableName() const;
  // A new stable with that name; its feed list gets copies of the current guarantee
  // list's feeds. `warning` receives the message when there is no guarantee list.
  TStall& NewStable(std::string* warning = nullptr);
  // The model-horse stable ("Modelhest-Stald1", ...), saved at once.
  TStall& NewModelHorseStable();
  TStall* ModelHorseStable() const;
  // Six example horses, one per category, in the stable; all saved.
  void CreateModelHorses(TStall& stable);
  // "Egen blanding1", ...: the first number no feed list of the workspace has.
  std::string NewMixName() const;
  bool FeedListNameTaken(const std::string& name) const;
  // A new stand-alone feed list or mix of that name, saved in the feed directory.
  TForListe& NewFeedList(const std::string& name, bool mix);
  // Moves a horse to another stable with its files. The model-horse stable keeps a copy.
  // `newName` is used when the target already has a horse of the horse's name (the caller
  // asks the user); false with a message when the files cannot be moved.
  bool MoveHorse(THest& horse, TStall& target, const std::string& newName, std::string* error = nullptr);
  // Reads a stable file into a new stable of the workspace; with `includeHorses` the horses
  // in the directories beside it come along. Saves everything into the workspace.
  TStall* ImportStable(const std::filesystem::path& file, bool includeHorses, std::string* error = nullptr);
  // Reads a feed list file (migrated in memory), adds it and saves it in the feed directory.
  TForListe* ImportFeedList(const std::filesystem::path& file, std::string* error = nullptr);
  // Imports a feed list text file ("Stallora - FEEDLIST") as a new stand-alone list; it is
  // saved when the user saves it.
  TForListe* ImportTextFeedList(const std::filesystem::path& file, std::string* error = nullptr);
  // Deletes a stable with its horses and files.
  bool DeleteStable(TStall& stable, std::string* error = nullptr);
  bool DeleteFeedListFile(TForListe& list, std::string* error = nullptr);
  // Whether a guarantee list may be deleted (not the only one read).
  bool MayDeleteGuaranteeList() const { return guaranteeListsRead_ >= 2; }

  // The tree as text: one node per line, indented two blanks per level.
  std::vector<std::string> TreeLines() const;

  // The save directory changes to P/Save (useDefault) or to chosen/save; the workspace is
  // read again. A chosen directory that cannot be used keeps the old one and says why.
  bool ChangeSaveDirectory(bool useDefault, const std::filesystem::path& chosen, std::string* error = nullptr);

  // The backup target below `parent` for today (parent/save<date>, never nested in a backup
  // of the same day).
  std::filesystem::path BackupTarget(const std::filesystem::path& parent) const;
  // Copies the workspace into the target, every file through a temporary file beside its
  // copy, and writes the completion marker (kBackupMarkerFile) last, so that a backup without
  // it is recognisably incomplete. False with the message when the target cannot be
  // created or any file could not be copied (each failure named, one per line).
  bool Backup(const std::filesystem::path& target, std::string* error = nullptr) const;

  // The closing steps after the windows: contacts, preferences, clean-up of the save
  // directory, the workspace lock. Returns the messages of what could not be written.
  // The contacts file and the preferences file are not replaced when another program changed
  // them meanwhile: with a prompt the user chooses (keep mine, take theirs: the other file
  // stays, cancel: `cancelled` is set and nothing further is done, so the program stays
  // open); without one the file stays and the message says so.
  std::vector<std::string> Close(ConflictPrompt* prompt = nullptr, bool* cancelled = nullptr);
  // Removes directories of the save directory that are neither stables nor horses, and the
  // temporary files interrupted saves left. Returns what could not be removed.
  std::vector<std::filesystem::path> CleanUp() const;
  // What CleanUp would remove: directories, then temporary files. A directory holding a
  // conflict copy (core/conflictnames.h) is never among them.
  std::vector<std::filesystem::path> CleanUpCandidates() const;

  // ---- other programs on the same save directory ----
  // One start-up message per conflict copy in the save directory and the two levels below it
  // (each names the copy and the file it belongs to). The scan adds them to Messages().
  std::vector<std::string> ConflictCopyMessages() const;
  // What the scan learnt of a stable or horse directory while it read the record, so that
  // the search for conflict copies at its end does not read the directory a second time:
  // whether the directory holds its own record file, and the messages of the copies in it
  // (and, of a stable's, in its horse directories).
  struct ScannedDirectory {
    bool own = false;
    std::vector<std::string> messages;
  };
  using ScannedDirectories = std::unordered_map<std::string, ScannedDirectory>;
  // The same messages, taking the directories one and two levels below the save directory
  // that are in `scanned` from there.
  std::vector<std::string> ConflictCopyMessages(const ScannedDirectories& scanned) const;
  // The entry for `scanned` of a stable directory the scan has read, from its sorted entries
  // and the entries of its horse directories (own is true: it holds its stable file).
  static ScannedDirectory ScanStableDirectory(const std::filesystem::path& dir,
                                              const std::vector<std::filesystem::directory_entry>& entries,
                                              const ScannedDirectories& horses, const std::filesystem::path& S);
  // The entry for `scanned` of a horse directory the scan reads (`S` is the save directory,
  // which the messages' paths are told below). The program's temporary files in it are
  // removed on the way.
  static ScannedDirectory ScanHorseDirectory(const std::filesystem::path& dir, const std::filesystem::path& S);
  // Whether the scan takes the workspace lock (the desktop program) or only looks at it (the
  // command-line tool, tests). Off lets go of a lock held.
  void TakeWorkspaceLock(bool take);
  const WorkspaceLock& Lock() const { return lock_; }
  // The one start-up message that is no problem: who else has the workspace open (empty
  // when nobody). It is among Messages() too, for the tool; a window shows it as a notice.
  const std::string& LockNotice() const { return lockNotice_; }

 private:
  AppContext& app_;
  std::vector<std::unique_ptr<TForListe>> feedLists_;
  TForListe* currentGuarantee_ = nullptr;
  int guaranteeListsRead_ = 0;
  std::vector<std::unique_ptr<TStall>> stables_;
  std::vector<std::string> messages_;
  struct ScanState;
  std::unique_ptr<ScanState> scan_;
  int scanThreads_ = -1;
  bool takeLock_ = false;
  WorkspaceLock lock_;
  std::string lockNotice_;

  // Takes or looks at the lock of the save directory; the message when another program has
  // it open.
  std::string LockMessage();
};

// Directory entries sorted by name without regard to case.
std::vector<std::filesystem::directory_entry> SortedEntries(const std::filesystem::path& dir);

}  // namespace stallora
