#pragma once
// A lock file in the save directory that tells, and never forbids: the program that opens a
// workspace writes who it is (machine, user, process, start time) into it and removes it on
// closing; a second program that finds it tells its user who else has the workspace open.
// Nothing is kept from anyone by it: what protects the files is the check on every save
// (core/filestamp.h), which works also where the lock cannot be written (a read-only share)
// or is not seen (a sync tool that carries it late).

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/seams.h"

namespace stallora {

// Who holds (or held) a lock, as its file says.
struct LockHolder {
  std::string host;  // Windows-1252, as messages need it
  std::string user;
  long pid = 0;
  int64_t startedUtc = 0;  // seconds since 1970
  std::string token;       // tells two holders in one process apart
};

class WorkspaceLock {
 public:
  // The file's name in the save directory; hidden, so that neither the scan, the backup nor
  // the clean-up take it for the user's data.
  static constexpr const char* kFileName = ".stallora.lock";
  // A lock older than this is stale whatever its process does (a machine that crashed, a
  // program left running for days elsewhere); so is one started this much ahead of this
  // machine's clock.
  static constexpr int64_t kStaleAfterSeconds = 24 * 60 * 60;

  enum class State {
    kNone,           // not taken (yet)
    kHeld,           // this program's lock is in the save directory
    kHeldElsewhere,  // another live program holds it; this one works on without it
    kUnwritable,     // no lock could be written; the program works on without it
  };

  // This process: the machine's name, the user's login name, the process id.
  static LockHolder ThisProcess();
  explicit WorkspaceLock(LockHolder self = ThisProcess());
  ~WorkspaceLock();
  WorkspaceLock(const WorkspaceLock&) = delete;
  WorkspaceLock& operator=(const WorkspaceLock&) = delete;

  // Takes the lock of `saveDir` (after letting go of one held on another directory). A lock
  // file of a dead process on this machine, one older than a day, and one that cannot be
  // read as a lock are replaced quietly; one of a live program is left as it is. `nowUtc` is
  // seconds since 1970.
  State Acquire(const std::filesystem::path& saveDir, int64_t nowUtc);
  // Only looks: kHeldElsewhere (with Holder()) when a live program holds the directory's
  // lock, else kNone. Writes nothing.
  State Look(const std::filesystem::path& saveDir, int64_t nowUtc);
  // Removes the lock file when it is still this program's.
  void Release();

  State state() const { return state_; }
  // The other program, when state() is kHeldElsewhere.
  const LockHolder& Holder() const { return other_; }
  // For the start-up messages: who has the workspace open, and that saves are protected;
  // empty unless state() is kHeldElsewhere.
  std::string Message(const Regional& regional) const;

  // The lock file's text for a holder, and the holder a text describes (false when it is no
  // lock's text).
  static std::string FileText(const LockHolder& holder);
  static bool ParseFileText(std::string_view text, LockHolder* holder);
  // Whether the process of a lock on this machine still runs.
  static bool ProcessAlive(long pid);

 private:
  // Whether `holder`'s lock still counts at `nowUtc`.
  bool Live(const LockHolder& holder, int64_t nowUtc) const;

  LockHolder self_;
  LockHolder other_;
  std::filesystem::path file_;
  State state_ = State::kNone;
};

}  // namespace stallora
