#pragma once
// What a record's file held when the record was read from it or last written to it, and the
// check that keeps a save from replacing what another program saved meanwhile.
//
// Two programs may work on one save directory: a network share, a folder a sync tool keeps
// in step, or the program started twice. Each record remembers the size and the content
// hash of the bytes it came from; before a save replaces the file, the bytes on disk are
// compared with them. The modification time is kept for messages only: the clocks of two
// machines disagree, and a file can be rewritten within one tick of a file system's clock,
// so a time that did not change proves nothing, and one that did proves nothing either.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/daynum.h"

namespace stallora {

class Record;

struct FileStamp {
  std::filesystem::path path;  // empty: the record has not been read from or written to a file
  uint64_t size = 0;
  uint64_t hash = 0;    // ContentHash of the bytes
  int64_t mtimeNs = 0;  // the file's modification time then (ns since 1970); for messages only

  bool Known() const { return !path.empty(); }
  bool SameBytes(const FileStamp& other) const { return size == other.size && hash == other.hash; }
  bool SameBytes(std::string_view bytes) const;
};

// A 64-bit hash that takes eight bytes per step (every file of the workspace is hashed at each
// start): for telling one version of a file from the next as good as any, and no protection
// against someone forging a collision on purpose. It lives only in memory (and in the tool's
// output), so it may change between versions.
uint64_t ContentHash(std::string_view bytes);

// The stamp of bytes that were just read from or written to `path` (the time is the file's).
FileStamp StampOfBytes(const std::filesystem::path& path, std::string_view bytes);
// The same with the modification time already known (ReadWholeFile gives it).
FileStamp StampOfBytes(const std::filesystem::path& path, std::string_view bytes, int64_t mtimeNs);
// The stamp of what the file holds now; nothing when it cannot be read (gone, a directory).
// `bytes` receives the content.
std::optional<FileStamp> StampOfFile(const std::filesystem::path& path, std::string* bytes = nullptr);

enum class DiskState {
  kUnchanged,      // the file holds what the record was read from (or neither has a file)
  kChangedOnDisk,  // the file differs, or a file appeared where the record had none
  kMissing,        // the record came from a file that is gone now
};

// Compares the file with what the record knows of it. Only size and content count.
DiskState CheckFile(const FileStamp& known, const std::filesystem::path& file, FileStamp* onDisk = nullptr,
                    std::string* diskBytes = nullptr);
// The same for a record about to be saved to `file` (its home).
DiskState CheckBeforeSave(const Record& record, const std::filesystem::path& file);

// Writes a record's bytes to its home file through WriteFileAtomically, after the check:
// - the file changed since the record read or wrote it: FileConflictError, nothing written,
//   unless the bytes are exactly those the record was read from (it holds nothing new, so
//   the newer file stays and the call succeeds without writing);
// - unchanged, missing (a file deleted behind the record's back is written anew) or new:
//   written.
// The record's stamp then describes what the file holds. False with the reason (naming the
// file) when the write failed; the conflict is thrown (FileConflictError, record.h, an
// ObjTextError) so that every caller that reports a failed save reports it too.
bool WriteRecordFileGuarded(const Record& record, const std::filesystem::path& file, std::string_view bytes,
                            std::string* error = nullptr);

// The name their version is kept under when the user keeps theirs aside and saves his own:
// "<stem> (conflict YYYY-MM-DD hh.mm)<ext>" beside the file, with " 2", " 3", ... before the
// closing bracket when that name is taken.
std::filesystem::path ConflictCopyPath(const std::filesystem::path& file, DayNumber now);

// "Keep mine": copies the file as it is on disk now to ConflictCopyPath beside it and lets
// the record replace it: the record's stamp takes the copied bytes, so the next guarded save
// goes through unless the file changes yet again. Nothing when the file is gone. False with
// the reason when the copy could not be written (then nothing may be replaced).
bool KeepMineAside(const Record& record, const std::filesystem::path& file, DayNumber now,
                   std::filesystem::path* copy = nullptr, std::string* error = nullptr);

// ---- the question and the answer ----

enum class ConflictChoice { kKeepMine, kTakeTheirs, kCancel };

// How a window asks. The GUI shows a box; tests answer from a script.
class ConflictPrompt {
 public:
  virtual ~ConflictPrompt() = default;
  // The file changed on disk: keep mine, take theirs or cancel. `choices` are the buttons'
  // texts in that order.
  virtual ConflictChoice AskConflict(const std::string& question, const std::array<std::string, 3>& choices) = 0;
  // The second confirmation before my changes are dropped for theirs; true goes ahead.
  virtual bool ConfirmTakeTheirs(const std::string& question) = 0;
};

// "<what>: Filen er ændret af et andet program, siden du åbnede den." and the file.
std::string ChangedByOtherText(const std::string& what, const std::filesystem::path& file);
// The three-way question and its buttons.
std::string ConflictQuestion(const std::string& what, const std::filesystem::path& file);
std::array<std::string, 3> ConflictChoiceTexts();
// The second confirmation of take theirs.
std::string TakeTheirsQuestion(const std::string& what);
// The question on activating a window with unsaved edits whose file changed.
std::string ReloadQuestion(const std::string& what, const std::filesystem::path& file);

enum class SaveStep {
  kSave,        // go ahead with the guarded save (after keep mine, their file lies aside)
  kTakeTheirs,  // read the record again from its file; the user's changes are dropped
  kCancel,      // save nothing (`error` set when keep mine could not put their file aside)
};

// Before a window saves `record` to `file`: when the file changed since the record read it,
// asks through the prompt and acts on the answer (keep mine puts their file aside first;
// take theirs needs the second confirmation, else it is a cancel). `mine`, when given, is
// what the save would write: a record holding exactly what it was read from has nothing to
// keep and is not asked about. `what` names the record in the question.
SaveStep PrepareSave(const Record& record, const std::filesystem::path& file, const std::string& what,
                     ConflictPrompt& prompt, DayNumber now, std::optional<std::string_view> mine = std::nullopt,
                     std::string* error = nullptr, std::filesystem::path* conflictCopy = nullptr);

// When a record's window is activated: whether its file changed since the record read it.
enum class ActivationStep {
  kNothing,    // unchanged, gone, or the user already said to keep his edits for this version
  kReload,     // changed, and the window holds no unsaved edits: read it again
  kAskReload,  // changed, and the window holds unsaved edits: ask first (ReloadQuestion)
};

// One per window (a member, never shared): remembers the version of the file the user chose
// to keep his edits against, so that every activation does not ask again; a later change
// of the file asks again.
class ReloadWatch {
 public:
  ActivationStep Check(const Record& record, const std::filesystem::path& file, bool unsavedEdits);
  // The user kept his edits: the version on disk is not asked about again.
  void KeepEdits() { declined_ = lastSeen_; }

 private:
  FileStamp lastSeen_;
  FileStamp declined_;
};

}  // namespace stallora
