// The workspace scan: the save directory read into feed lists, stables and horses, one file
// per step, and the migration of older files' energy lines on the way.

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

#include "core/conflictnames.h"
#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/filestamp.h"
#include "core/objtext.h"
#include "core/textutil.h"
#include "feeds/feedlist_import.h"
#include "stable/workspace.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

inline constexpr Text kNameNotHeld{"scan.namenotheld",
                                   "Mappens navn kan ikke skrives med programmets tegn (Windows-1252) og vises ikke"};
inline constexpr Text kNotAFile{"scan.notafile", "Er ikke en almindelig fil og kan ikke læses"};

bool IsHidden(const fs::path& p) {
  const std::string n = p.filename().string();
  return !n.empty() && n[0] == '.';
}

std::string NameOf(const fs::path& p) { return TextFromPath(p.filename()); }

bool OnDisk(const fs::path& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec));
}

// Why a stable or horse directory cannot be listed: its name cannot be held in the
// program's code page (the record would be saved under another name), or a stable's is
// one of the program's folders. Empty when it can.
std::string UnusableName(const fs::path& dir, bool stable) {
  const std::string name = NameOf(dir);
  if (PathFromText(name) != dir.filename()) return Tr(kNameNotHeld);
  if (stable && IsReservedFolderName(name)) return *ValidateStableName(name);
  return {};
}

// The file a stable or horse record is read from, in the directory that names it.
fs::path OwnFile(const fs::path& dir, const char* extension) {
  return dir / (dir.filename().native() + extension);
}

// A stable or horse file as the scan reads it: once. An older file's energy lines are
// migrated in the bytes read, and the file is written back only when a line changed; the
// record is then read from these bytes, also when the write-back failed. `stamp` describes
// what the file holds afterwards, for the check before the record's next save. Throws
// ObjTextError with the reader's message when the file cannot be read.
std::string ReadScanFile(const fs::path& path, FileStamp* stamp) {
  std::string error;
  int64_t mtime = 0;
  std::optional<std::string> bytes = ReadWholeFile(path, &error, &mtime);
  if (!bytes) throw ObjTextError(error);
  *stamp = StampOfBytes(path, *bytes, mtime);
  if (MigrateEnergyText(*bytes) && WriteFileAtomically(path, *bytes)) *stamp = StampOfBytes(path, *bytes);
  return std::move(*bytes);
}

}  // namespace

// ---------------------------------------------------------------- migration

bool MigrateEnergyText(std::string& text) {
  // Almost every file has no such line; they are not split into lines at all.
  // (A search from each 'N': the C library's general substring search costs more than the
  // whole look for a needle this short in files this small.)
  if (std::string_view(text).find("NRC") == std::string_view::npos) return false;
  bool changed = false;
  std::string migrated = MigrateEnergyLinesText(text, &changed);
  if (changed) text = std::move(migrated);
  return changed;
}

bool MigrateEnergyLines(const fs::path& path) {
  auto text = ReadWholeFile(path);
  if (!text) return false;
  if (!MigrateEnergyText(*text)) return false;
  return WriteFileAtomically(path, *text);
}

// ---------------------------------------------------------------- the scan

namespace {

// What reading one entry of the save directory gave: a stable with its horses, or the
// messages of one left out, in the order the reading met them.
struct StableRead {
  bool counted = false;  // a directory holding its stable file (it counts in the progress)
  std::unique_ptr<TStall> stable;
  std::vector<std::string> messages;
  std::vector<std::pair<std::string, Workspace::ScannedDirectory>> scanned;
  std::exception_ptr failure;  // what the reading threw besides a file's own error
};

}  // namespace

struct Workspace::ScanState {
  enum class Phase { kFeedLists, kStables, kFinish };
  Phase phase = Phase::kFeedLists;
  const RecordEnvironment* env = nullptr;
  fs::path S;
  DayNumber today = 0;
  int highest = -2147483647;
  std::vector<fs::path> feedFiles;  // the .eqf files, then the .mix files
  size_t nextFeed = 0;
  std::vector<fs::directory_entry> stableEntries;
  size_t nextStable = 0;  // the next entry to join, in the save directory's order
  int stablesTotal = 0;
  int stablesRead = 0;
  // The stable directories read, for the search for conflict copies at the end.
  ScannedDirectories scanned;

  // Reading ahead: each thread takes the next entry not taken and fills its slot; the steps
  // take the slots in order. Nothing in a slot is shared until its stable joins.
  std::vector<StableRead> slots;
  std::vector<char> done;  // guarded by `guard`
  std::atomic<size_t> nextTaken{0};
  std::atomic<bool> stop{false};
  std::mutex guard;
  std::condition_variable doneChanged;
  std::vector<std::thread> threads;

  ~ScanState() { StopThreads(); }

  void StartThreads(int wanted) {
    slots.resize(stableEntries.size());
    done.assign(stableEntries.size(), 0);
    int count = wanted;
    if (count < 0) count = static_cast<int>(std::min(8U, std::max(1U, std::thread::hardware_concurrency())));
    count = static_cast<int>(std::min<size_t>(static_cast<size_t>(count), stableEntries.size()));
    try {
      for (int i = 0; i < count; ++i) threads.emplace_back([this] { ReadAhead(); });
    } catch (const std::system_error&) {
      // The system has no thread to give (its limit reached): those started read ahead, and
      // with none the steps read each stable themselves.
    }
  }

  void StopThreads() {
    stop = true;
    for (std::thread& t : threads) t.join();
    threads.clear();
  }

  void ReadAhead() {
    while (!stop.load(std::memory_order_relaxed)) {
      const size_t i = nextTaken.fetch_add(1);
      if (i >= slots.size()) return;
      try {
        slots[i] = ReadStable(stableEntries[i]);
      } catch (...) {
        slots[i] = StableRead{};
        slots[i].failure = std::current_exception();
      }
      {
        const std::lock_guard lock(guard);
        done[i] = 1;
      }
      doneChanged.notify_all();
    }
  }

  // The slot of entry `i` once read (read here when no thread reads ahead), or null when it
  // is not read by `until`.
  StableRead* Slot(size_t i, const std::optional<std::chrono::steady_clock::time_point>& until) {
    if (threads.empty()) {
      slots[i] = ReadStable(stableEntries[i]);
      return &slots[i];
    }
    std::unique_lock lock(guard);
    const auto read = [&] { return done[i] != 0; };
    if (!until)
      doneChanged.wait(lock, read);
    else if (!doneChanged.wait_until(lock, *until, read))
      return nullptr;
    return &slots[i];
  }

  StableRead ReadStable(const fs::directory_entry& entry) const;
  void ReadHorses(StableRead& out, const std::vector<fs::directory_entry>& entries,
                  ScannedDirectories& horses) const;
};

StableRead Workspace::ScanState::ReadStable(const fs::directory_entry& entry) const {
  StableRead out;
  std::error_code ec;
  if (!entry.is_directory(ec) || IsHidden(entry.path())) return out;
  const fs::path ownFile = OwnFile(entry.path(), ".eqs");
  if (!OnDisk(ownFile)) return out;
  out.counted = true;
  const std::string d = NameOf(entry.path());
  // A directory whose name the program cannot hold, or that is one of its own folders,
  // is not a stable it could save, rename or delete safely; it stays on disk, untouched.
  if (std::string problem = UnusableName(entry.path(), true); !problem.empty()) {
    out.messages.push_back(FileMessage(ownFile, S, problem));
    return out;
  }
  const fs::path stableFile = entry.path() / PathFromText(d + ".eqs");
  if (!fs::is_regular_file(stableFile, ec)) {
    out.messages.push_back(FileMessage(stableFile, S, Tr(kNotAFile)));
    return out;
  }
  RemoveProgramTempFiles(entry.path());
  auto stable = std::make_unique<TStall>(*env);
  FileStamp stamp;
  try {
    stable->LoadFromText(ReadScanFile(stableFile, &stamp));
  } catch (const ObjTextError& e) {
    // One damaged stable file must not hide the stables after it.
    out.messages.push_back(FileMessage(stableFile, S, e.what()));
    return out;
  }
  stable->fileStamp = std::move(stamp);
  stable->stallNavn = d;
  stable->NameFeedList();
  out.stable = std::move(stable);
  const std::vector<fs::directory_entry> entries = SortedEntries(entry.path());
  ScannedDirectories horses;
  ReadHorses(out, entries, horses);
  out.stable->savedSignature = out.stable->ChangeSignature();
  // The stable directory's conflict copies, from the listing at hand: the search at the
  // end of the scan need not read it again.
  out.scanned.emplace_back(entry.path().native(), ScanStableDirectory(entry.path(), entries, horses, S));
  return out;
}

void Workspace::ScanState::ReadHorses(StableRead& out, const std::vector<fs::directory_entry>& entries,
                                      ScannedDirectories& horses) const {
  TStall& stable = *out.stable;
  std::error_code ec;
  for (const fs::directory_entry& he : entries) {
    if (stop.load(std::memory_order_relaxed)) return;  // the scan was cancelled: nobody takes this
    if (!he.is_directory(ec) || IsHidden(he.path())) continue;
    const fs::path ownHorseFile = OwnFile(he.path(), ".eqh");
    const fs::file_status own = fs::symlink_status(ownHorseFile, ec);
    if (!fs::exists(own)) continue;
    const std::string h = NameOf(he.path());
    if (h.find(".eqh") != std::string::npos) continue;
    if (std::string problem = UnusableName(he.path(), false); !problem.empty()) {
      out.messages.push_back(FileMessage(ownHorseFile, S, problem));
      continue;
    }
    // The name is held in the program's code page, so this is the same file; a plain
    // file seen already needs no second look.
    const fs::path horseFile = he.path() / PathFromText(h + ".eqh");
    const bool regular = fs::is_regular_file(own) || fs::is_regular_file(horseFile, ec);
    // A directory, a FIFO or a dangling link in the horse file's place is no horse, but
    // the user must hear of it: the horse is not in the tree.
    if (!regular) {
      out.messages.push_back(FileMessage(horseFile, S, Tr(kNotAFile)));
      continue;
    }
    horses.emplace(he.path().native(), ScanHorseDirectory(he.path(), S));
    auto horse = std::make_unique<THest>(*env);
    horse->Navn = h;
    FileStamp stamp;
    try {
      horse->LoadFromText(ReadScanFile(horseFile, &stamp));
    } catch (const ObjTextError& e) {
      out.messages.push_back(FileMessage(horseFile, S, e.what()));
      continue;
    }
    horse->Navn = h;  // the directory decides the name
    horse->fileStamp = std::move(stamp);
    horse->LagretSum = horse->Fingerprint();
    if (!stable.ErModellHestStall) {
      std::string message = CheckHorse(*horse, stable.stallNavn, today);
      if (!message.empty()) out.messages.push_back(std::move(message));
    }
    stable.AddHorse(std::move(horse));
  }
}

Workspace::Workspace(AppContext& app) : app_(app) {}
Workspace::~Workspace() = default;

void Workspace::Scan() {
  BeginScan();
  while (!ScanStep()) {
  }
}

void Workspace::CancelScan() { scan_.reset(); }

Workspace::ScanProgress Workspace::Progress() const {
  ScanProgress p;
  if (!scan_) {
    p.feedListsRead = true;
    p.stablesRead = p.stablesTotal = static_cast<int>(stables_.size());
    return p;
  }
  p.feedListsRead = scan_->phase != ScanState::Phase::kFeedLists;
  p.stablesRead = scan_->stablesRead;
  p.stablesTotal = scan_->stablesTotal;
  return p;
}

void Workspace::BeginScan() {
  Clear();
  scan_ = std::make_unique<ScanState>();
  ScanState& st = *scan_;
  st.env = &app_.Env();
  st.today = app_.Env().Today();
  const fs::path P = app_.programDir;
  const std::string nr = std::to_string(app_.settings.countryNumber);
  std::error_code ec;

  // 1. The program's own folders, one level at a time; failures are ignored.
  fs::create_directory(P / "Save", ec);
  if (fs::is_directory(P / "Save" / "Feeds", ec)) fs::create_directory(P / "Save" / "Feeds" / nr, ec);
  fs::create_directory(P / "temp", ec);

  st.S = app_.preferences.SaveDirectory();
  // What the program's start itself could not read (the contacts) heads the list.
  messages_ = app_.startupProblems;
  lockNotice_ = LockMessage();
  if (!lockNotice_.empty()) messages_.push_back(lockNotice_);
  // An interrupted save or download leaves its temporary file; nothing else removes it.
  RemoveProgramTempFiles(st.S);
  const fs::path feedDir = st.S / "Feeds" / nr;
  RemoveProgramTempFiles(feedDir);
  const std::vector<fs::directory_entry> feedEntries = SortedEntries(feedDir);
  for (const char* ext : {".eqf", ".mix"})
    for (const auto& entry : feedEntries)
      // Another machine's version of a list, kept beside it by a sync tool, is listed at
      // the end, never read.
      if (entry.is_regular_file(ec) && !IsHidden(entry.path()) && SameText(entry.path().extension().string(), ext) &&
          !IsConflictCopyName(NameOf(entry.path())))
        st.feedFiles.push_back(entry.path());
}

bool Workspace::ScanStep(std::optional<std::chrono::steady_clock::time_point> until) {
  if (!scan_) return true;
  ScanState& st = *scan_;
  const RecordEnvironment& env = *st.env;
  const fs::path& S = st.S;
  std::error_code ec;

  // 2. Feed lists, one per step.
  if (st.phase == ScanState::Phase::kFeedLists) {
    if (st.nextFeed < st.feedFiles.size()) {
      const fs::path& file = st.feedFiles[st.nextFeed++];
      auto list = std::make_unique<TForListe>(env);
      try {
        list->LoadFromFile(file);
      } catch (const ObjTextError& e) {
        // A damaged list is left out and reported; the scan goes on with the next file.
        messages_.push_back(FileMessage(file, S, e.what()));
        return false;
      }
      if (!list->ErGarantiForliste) {
        feedLists_.push_back(std::move(list));
        return false;
      }
      ++guaranteeListsRead_;
      if (list->GarantiForlisteVersjon > st.highest) {
        st.highest = list->GarantiForlisteVersjon;
        currentGuarantee_ = list.get();
        feedLists_.insert(feedLists_.begin(), std::move(list));
      }
      // A guarantee list not newer than one read before it is not shown.
      return false;
    }
    if (currentGuarantee_) app_.preferences.GarantiForlisteFilnavn = currentGuarantee_->ForlisteNavn + ".eqf";
    st.stableEntries = SortedEntries(S);
    for (const auto& entry : st.stableEntries)
      if (entry.is_directory(ec) && !IsHidden(entry.path()) && OnDisk(OwnFile(entry.path(), ".eqs"))) ++st.stablesTotal;
    st.phase = ScanState::Phase::kStables;
    st.StartThreads(scanThreads_);
    return false;
  }

  // 3. Stables and their horses: one stable, whole, per step.
  if (st.phase == ScanState::Phase::kStables) {
    while (st.nextStable < st.stableEntries.size()) {
      StableRead* read = st.Slot(st.nextStable, until);
      if (!read) return false;
      ++st.nextStable;
      StableRead r = std::move(*read);
      if (r.failure) std::rethrow_exception(r.failure);
      if (!r.counted) continue;
      for (std::string& m : r.messages) messages_.push_back(std::move(m));
      for (auto& [dir, found] : r.scanned) st.scanned.emplace(std::move(dir), std::move(found));
      if (r.stable) stables_.push_back(std::move(r.stable));
      ++st.stablesRead;
      return false;
    }
    st.StopThreads();
    for (std::string& m : ConflictCopyMessages(st.scanned)) messages_.push_back(std::move(m));
    st.scanned.clear();
    st.phase = ScanState::Phase::kFinish;
    return false;
  }

  // 5. Model horses keep their age and stage from one start to the next.
  const DayNumber today = st.today;
  for (const auto& s : stables_) {
    if (!s->ErModellHestStall) continue;
    for (const auto& h : s->Horses()) {
      const DayNumber D = h->InnPaStall;
      h->Fodselsdato = today - (D - h->Fodselsdato);
      if (h->Kategori == TDyreKategori::Drektig) h->ParringsDato = today - (D - h->ParringsDato);
      if (h->Kategori == TDyreKategori::Lakterende) h->PartusDato = today - (D - h->PartusDato);
      h->InnPaStall = today;
      h->AfterLoad();
    }
  }
  scan_.reset();

  // 6. A newer guarantee list among several brings everything up to date.
  if (guaranteeListsRead_ > 1) UpdateAllFromGuarantee();

  // 7. Messages open the welcome window.
  if (!messages_.empty()) app_.preferences.ShowWelcomeScreen = true;
  return true;
}

}  // namespace stallora
