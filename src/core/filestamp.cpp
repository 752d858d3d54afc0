#include "core/filestamp.h"

#include <sys/stat.h>

#include <bit>
#include <cerrno>
#include <cstring>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/record.h"
#include "core/texts.h"
#include "core/textutil.h"
#include "core/common_texts.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

inline constexpr Text kChangedByOther{"conflict.changed", "Filen er ændret af et andet program, siden du åbnede den"};
inline constexpr Text kNotOverwritten{"conflict.notoverwritten", "Den er ikke overskrevet; intet er gemt."};
inline constexpr Text kConflictChoices{
    "conflict.question",
    "Vil du beholde dine ændringer (den anden udgave gemmes først som konfliktkopi ved siden af), bruge den "
    "anden udgave (dine ændringer kasseres) eller annullere?"};
inline constexpr Text kKeepMine{"conflict.keepmine", "Behold mine"};
inline constexpr Text kTakeTheirs{"conflict.taketheirs", "Brug den anden"};
inline constexpr const Text& kCancel = common::kAnnuller;
inline constexpr Text kTakeTheirsSure{"conflict.taketheirssure",
                                      "Dine ændringer kasseres, og udgaven fra filen indlæses. Vil du fortsætte?"};
inline constexpr Text kReloadQuestion{
    "conflict.reload", "Vil du indlæse den nye udgave? Dine ændringer, som ikke er gemt, går i så fald tabt."};
inline constexpr Text kCopyFailed{"conflict.copyfailed",
                                  "Konfliktkopien kunne ikke gemmes, så filen er ikke overskrevet"};

int64_t ModificationTime(const fs::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return 0;
  return static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

bool OnDisk(const fs::path& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec));
}

}  // namespace

bool FileStamp::SameBytes(std::string_view bytes) const { return size == bytes.size() && hash == ContentHash(bytes); }

uint64_t ContentHash(std::string_view bytes) {
  constexpr uint64_t k1 = 0x9E3779B97F4A7C15ull;
  constexpr uint64_t k2 = 0xC2B2AE3D27D4EB4Full;
  auto step = [&](uint64_t h, uint64_t w) { return std::rotl(h ^ (w * k1), 31) * k2; };
  // Each step is one-to-one in the state for a given word and in the word for a given state,
  // so two texts of one length that differ in a single word never meet.
  uint64_t h = 0x27D4EB2F165667C5ull ^ (static_cast<uint64_t>(bytes.size()) * k2);
  const char* p = bytes.data();
  size_t n = bytes.size();
  for (; n >= 8; p += 8, n -= 8) {
    uint64_t w;
    std::memcpy(&w, p, 8);
    h = step(h, w);
  }
  if (n > 0) {
    uint64_t w = 0;
    std::memcpy(&w, p, n);
    h = step(h, w);
  }
  // The final mix spreads every input bit over the whole value.
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  h ^= h >> 33;
  return h;
}

FileStamp StampOfBytes(const fs::path& path, std::string_view bytes) {
  return StampOfBytes(path, bytes, ModificationTime(path));
}

FileStamp StampOfBytes(const fs::path& path, std::string_view bytes, int64_t mtimeNs) {
  FileStamp s;
  s.path = path;
  s.size = bytes.size();
  s.hash = ContentHash(bytes);
  s.mtimeNs = mtimeNs;
  return s;
}

std::optional<FileStamp> StampOfFile(const fs::path& path, std::string* bytes) {
  std::optional<std::string> content = ReadWholeFile(path);
  if (!content) return std::nullopt;
  FileStamp s = StampOfBytes(path, *content);
  if (bytes) *bytes = std::move(*content);
  return s;
}

DiskState CheckFile(const FileStamp& known, const fs::path& file, FileStamp* onDisk, std::string* diskBytes) {
  std::optional<FileStamp> now = StampOfFile(file, diskBytes);
  if (!now) {
    std::error_code ec;
    // A file that cannot be read (no permission) may hold anything: it is not replaced
    // unseen. Something else in the way (a directory) makes the write fail with its own
    // message.
    if (fs::is_regular_file(file, ec)) return DiskState::kChangedOnDisk;
    if (OnDisk(file)) return DiskState::kUnchanged;
    return known.Known() ? DiskState::kMissing : DiskState::kUnchanged;
  }
  if (onDisk) *onDisk = *now;
  // A record that never had a file meets one: somebody else's, made meanwhile.
  if (!known.Known()) return DiskState::kChangedOnDisk;
  return known.SameBytes(*now) ? DiskState::kUnchanged : DiskState::kChangedOnDisk;
}

DiskState CheckBeforeSave(const Record& record, const fs::path& file) { return CheckFile(record.fileStamp, file); }

bool WriteRecordFileGuarded(const Record& record, const fs::path& file, std::string_view bytes, std::string* error) {
  FileStamp onDisk;
  if (CheckFile(record.fileStamp, file, &onDisk) == DiskState::kChangedOnDisk &&
      !(onDisk.Known() && onDisk.SameBytes(bytes))) {  // the same bytes replace nothing of theirs
    // A record that holds exactly what it was read from has nothing to keep: the newer
    // file stays.
    if (record.fileStamp.Known() && record.fileStamp.SameBytes(bytes)) return true;
    throw FileConflictError(file, PathText(file) + ": " + Tr(kChangedByOther) + ". " + Tr(kNotOverwritten));
  }
  if (!WriteFileAtomically(file, bytes, error)) return false;
  record.fileStamp = StampOfBytes(file, bytes);
  return true;
}

fs::path ConflictCopyPath(const fs::path& file, DayNumber now) {
  const std::string stem = TextFromPath(file.stem());
  const std::string ext = TextFromPath(file.extension());
  const std::string when = FormatDateTime("yyyy-mm-dd hh.nn", now);
  for (int n = 1;; ++n) {
    const std::string number = n == 1 ? std::string() : " " + std::to_string(n);
    fs::path candidate = file.parent_path() / PathFromText(stem + " (conflict " + when + number + ")" + ext);
    if (!OnDisk(candidate)) return candidate;
  }
}

bool KeepMineAside(const Record& record, const fs::path& file, DayNumber now, fs::path* copy, std::string* error) {
  std::string theirs;
  const std::optional<FileStamp> stamp = StampOfFile(file, &theirs);
  if (!stamp) {
    if (!OnDisk(file)) return true;  // gone: nothing of theirs to keep
    if (error) *error = PathText(file) + ": " + Tr(kCopyFailed);
    return false;
  }
  const fs::path target = ConflictCopyPath(file, now);
  std::string why;
  if (!WriteFileAtomically(target, theirs, &why)) {
    if (error) *error = PathText(file) + ": " + Tr(kCopyFailed) + " (" + why + ")";
    return false;
  }
  record.fileStamp = *stamp;
  if (copy) *copy = target;
  return true;
}

std::string ChangedByOtherText(const std::string& what, const fs::path& file) {
  return what + ": " + Tr(kChangedByOther) + ".\r" + PathText(file);
}

std::string ConflictQuestion(const std::string& what, const fs::path& file) {
  return ChangedByOtherText(what, file) + "\r\r" + Tr(kConflictChoices);
}

std::array<std::string, 3> ConflictChoiceTexts() { return {Tr(kKeepMine), Tr(kTakeTheirs), Tr(kCancel)}; }

std::string TakeTheirsQuestion(const std::string& what) { return what + ": " + Tr(kTakeTheirsSure); }

std::string ReloadQuestion(const std::string& what, const fs::path& file) {
  return ChangedByOtherText(what, file) + "\r\r" + Tr(kReloadQuestion);
}

SaveStep PrepareSave(const Record& record, const fs::path& file, const std::string& what, ConflictPrompt& prompt,
                     DayNumber now, std::optional<std::string_view> mine, std::string* error, fs::path* conflictCopy) {
  FileStamp onDisk;
  if (CheckFile(record.fileStamp, file, &onDisk) != DiskState::kChangedOnDisk) return SaveStep::kSave;
  // Nothing to choose between: the record holds what it read (the newer file stays), or
  // what the file holds already.
  if (mine && record.fileStamp.Known() && record.fileStamp.SameBytes(*mine)) return SaveStep::kSave;
  if (mine && onDisk.Known() && onDisk.SameBytes(*mine)) return SaveStep::kSave;
  switch (prompt.AskConflict(ConflictQuestion(what, file), ConflictChoiceTexts())) {
    case ConflictChoice::kKeepMine:
      return KeepMineAside(record, file, now, conflictCopy, error) ? SaveStep::kSave : SaveStep::kCancel;
    case ConflictChoice::kTakeTheirs:
      return prompt.ConfirmTakeTheirs(TakeTheirsQuestion(what)) ? SaveStep::kTakeTheirs : SaveStep::kCancel;
    case ConflictChoice::kCancel: break;
  }
  return SaveStep::kCancel;
}

ActivationStep ReloadWatch::Check(const Record& record, const fs::path& file, bool unsavedEdits) {
  FileStamp onDisk;
  if (CheckFile(record.fileStamp, file, &onDisk) != DiskState::kChangedOnDisk || !record.fileStamp.Known() ||
      !onDisk.Known())
    return ActivationStep::kNothing;
  lastSeen_ = onDisk;
  if (!unsavedEdits) return ActivationStep::kReload;
  if (declined_.Known() && declined_.SameBytes(onDisk)) return ActivationStep::kNothing;
  return ActivationStep::kAskReload;
}

}  // namespace stallora
