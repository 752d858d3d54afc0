#include "core/fileio.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#include <fmt/format.h>

#include "core/conflictnames.h"
#include "core/cp1252.h"
#include "core/texts.h"
#include "core/textutil.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

inline constexpr Text kNotRegular{"fileio.notregular", "{} er ikke en almindelig fil og læses ikke"};
inline constexpr Text kTooLarge{"fileio.toolarge", "{} er større end 256 MiB og læses ikke"};
inline constexpr Text kReadFailed{"fileio.readfailed", "{} kunne ikke læses"};
inline constexpr Text kNameEmpty{"fileio.nameempty", "Navnet er tomt og kan ikke bruges som filnavn"};
inline constexpr Text kNameDot{"fileio.namedot", "Et navn må ikke begynde med punktum"};
inline constexpr Text kNameSeparator{"fileio.nameseparator", "Et navn må ikke indeholde / eller \\"};
inline constexpr Text kNameControl{"fileio.namecontrol", "Et navn må ikke indeholde styretegn"};
inline constexpr Text kNameTooLong{"fileio.nametoolong", "Navnet er for langt til et filnavn"};
inline constexpr Text kNameReserved{"fileio.namereserved", "Navnet er programmets eget mappenavn og kan ikke bruges"};
inline constexpr Text kNotBelow{"fileio.notbelow", "Slettes ikke, da den ikke ligger i sin egen mappe"};
inline constexpr Text kNotADirectory{"fileio.notadirectory", "Slettes ikke, da den ikke er en mappe"};
inline constexpr Text kNotEmptied{"fileio.notemptied", "Mappen kunne ikke tømmes"};

void SetError(std::string* error, std::string text) {
  if (error) *error = std::move(text);
}

std::string Formatted(const Text& text, const fs::path& path) {
  return fmt::format(fmt::runtime(Tr(text)), PathText(path));
}

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

}  // namespace

std::optional<std::string> ReadWholeFile(const fs::path& path, std::string* error, int64_t* mtimeNs) {
  // Non-blocking, so that opening a FIFO does not wait for a writer; the type is then
  // checked on what was opened, not on the name.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    const int openErrno = errno;
    SetError(error, "Cannot open file " + PathText(path));
    errno = openErrno;
    return std::nullopt;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    SetError(error, Formatted(kNotRegular, path));
    errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    return std::nullopt;
  }
  if (static_cast<std::uintmax_t>(st.st_size) > kMaxReadFileBytes) {
    ::close(fd);
    SetError(error, Formatted(kTooLarge, path));
    errno = EFBIG;
    return std::nullopt;
  }
  if (mtimeNs) *mtimeNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  // Read straight into the string: the size is known, and a file that changes size while it
  // is read is still read to its end.
  std::string data(static_cast<size_t>(st.st_size) + 1, '\0');
  size_t got = 0;
  bool failed = false;
  for (;;) {
    if (got == data.size()) data.resize(std::min<size_t>(data.size() * 2, kMaxReadFileBytes + 1));
    const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      failed = true;
      break;
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
    // A file that grows while it is read is held to the same limit.
    if (got > kMaxReadFileBytes) {
      ::close(fd);
      SetError(error, Formatted(kTooLarge, path));
      errno = EFBIG;
      return std::nullopt;
    }
  }
  const int readErrno = errno;
  ::close(fd);
  if (failed) {
    SetError(error, Formatted(kReadFailed, path));
    errno = readErrno;
    return std::nullopt;
  }
  data.resize(got);
  return data;
}

std::string AtomicTempName(std::string_view fileName, std::string_view hex) {
  return "." + std::string(fileName) + "." + std::string(hex) + ".tmp";
}

bool IsProgramTempFile(std::string_view name) {
  if (name.size() < 2 || name.front() != '.') return false;
  // A sync tool's conflict copy of one ("..sync-conflict-....part") is the other side's.
  if (IsConflictCopyName(name)) return false;
  constexpr std::string_view kPart = ".part";
  if (name.size() > 1 + kPart.size() && name.substr(name.size() - kPart.size()) == kPart) return true;
  // "." + at least one byte + "." + 8 hex digits + ".tmp"
  constexpr std::string_view kTmp = ".tmp";
  if (name.size() < 1 + 1 + 1 + 8 + kTmp.size() || name.substr(name.size() - kTmp.size()) != kTmp) return false;
  const size_t digits = name.size() - kTmp.size() - 8;
  if (name[digits - 1] != '.') return false;
  for (size_t i = digits; i < digits + 8; ++i)
    if (!IsHex(name[i])) return false;
  return true;
}

bool ListDirectory(const fs::path& dir, std::vector<ListedName>* names) {
  names->clear();
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return false;
  // On the stack: an opened directory stream would allocate a buffer of 32 KiB each time.
  alignas(8) char buffer[8192];
  bool ok = true;
  for (;;) {
    const ssize_t got = ::getdents64(fd, buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    for (ssize_t at = 0; at < got;) {
      const auto* e = reinterpret_cast<const dirent64*>(buffer + at);
      at += e->d_reclen;
      const char* n = e->d_name;
      if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0))) continue;
      names->push_back({n, e->d_type});
    }
  }
  ::close(fd);
  return ok;
}

int RemoveProgramTempFiles(const fs::path& dir) {
  // Run on every stable and horse directory at each start: the directory is read with the
  // system's calls, without building a path for every entry.
  DIR* d = ::opendir(dir.c_str());
  if (!d) return 0;
  const int fd = ::dirfd(d);
  int removed = 0;
  while (const dirent* e = ::readdir(d)) {
    if (!IsProgramTempFile(e->d_name)) continue;
    // Only plain files: never a link (nor what it points to), a directory or a device.
    bool regular = e->d_type == DT_REG;
    if (e->d_type == DT_UNKNOWN) {
      struct stat st {};
      regular = ::fstatat(fd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode);
    }
    if (regular && ::unlinkat(fd, e->d_name, 0) == 0) ++removed;
  }
  ::closedir(d);
  return removed;
}

bool WriteFileAtomically(const fs::path& path, std::string_view bytes, std::string* error) {
  const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
  auto fail = [&](int number) {
    SetError(error, "Cannot create file " + PathText(path) + ": " + std::strerror(number));
    return false;
  };
  std::random_device rd;
  std::string tmpName;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08x", rd());
    tmpName = (dir / AtomicTempName(path.filename().string(), hex)).string();
    fd = ::open(tmpName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST) return fail(errno);
  }
  if (fd < 0) return fail(EEXIST);
  bool ok = true;
  int failure = 0;
  // The file it replaces keeps its permissions (a file the user made read-only for the
  // group stays so, one shared with the group stays shared).
  auto failed = [&] {
    if (ok) failure = errno;
    ok = false;
  };
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode) && ::fchmod(fd, old.st_mode & 07777) != 0) failed();
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (ok && left > 0) {
    ssize_t w = ::write(fd, p, left);
    if (w < 0) {
      if (errno == EINTR) continue;
      failed();
    } else {
      p += w;
      left -= static_cast<size_t>(w);
    }
  }
  // The new file must be on disk before it replaces the old one.
  if (ok && ::fsync(fd) != 0) failed();
  if (::close(fd) != 0) failed();
  if (ok && ::rename(tmpName.c_str(), path.c_str()) != 0) failed();
  if (!ok) {
    ::unlink(tmpName.c_str());
    return fail(failure ? failure : EIO);
  }
  return true;
}

bool CopyFileAtomically(const fs::path& from, const fs::path& to, std::string* error) {
  const std::optional<std::string> bytes = ReadWholeFile(from, error);
  return bytes && WriteFileAtomically(to, *bytes, error);
}

std::string PathText(const fs::path& path) { return Utf8ToCp1252(path.string()); }

std::string PathTextBelow(const fs::path& path, const fs::path& base) {
  const fs::path p = path.lexically_normal();
  const fs::path b = base.lexically_normal();
  const fs::path rel = p.lexically_relative(b);
  if (!base.empty() && !rel.empty() && *rel.begin() != ".." && rel != ".") return PathText(rel);
  return PathText(path);
}

std::string FileMessage(const fs::path& path, const fs::path& base, std::string_view message) {
  return PathTextBelow(path, base) + ": " + std::string(message);
}

std::optional<std::string> ValidateExistingName(std::string_view name) {
  if (name.empty()) return Tr(kNameEmpty);
  const std::string quoted = ": \"" + std::string(name) + "\"";
  if (name.front() == '.') return Tr(kNameDot) + quoted;
  for (char c : name) {
    if (c == '/' || c == '\\') return Tr(kNameSeparator) + quoted;
    if (static_cast<unsigned char>(c) < 32 || c == 127) return Tr(kNameControl);
  }
  return std::nullopt;
}

std::optional<std::string> ValidateFileName(std::string_view name) {
  if (auto problem = ValidateExistingName(name)) return problem;
  if (PathFromText(name).native().size() > kMaxRecordNameBytes)
    return Tr(kNameTooLong) + ": \"" + std::string(name) + "\"";
  return std::nullopt;
}

bool IsReservedFolderName(std::string_view name) {
  for (std::string_view reserved : {"Feeds", "Temp", "Save", "Resources", "Images", "Stallora_Backup"})
    if (SameText(name, reserved)) return true;
  return false;
}

std::optional<std::string> ValidateStableName(std::string_view name) {
  if (auto problem = ValidateFileName(name)) return problem;
  if (IsReservedFolderName(name)) return Tr(kNameReserved) + ": \"" + std::string(name) + "\"";
  return std::nullopt;
}

bool IsStrictlyBelow(const fs::path& path, const fs::path& base) {
  std::error_code ec;
  const fs::path p = fs::weakly_canonical(fs::absolute(path, ec), ec);
  if (ec) return false;
  const fs::path b = fs::weakly_canonical(fs::absolute(base, ec), ec);
  if (ec) return false;
  auto pi = p.begin();
  for (auto bi = b.begin(); bi != b.end(); ++bi, ++pi) {
    if (bi->empty()) continue;  // a trailing separator
    if (pi == p.end() || *pi != *bi) return false;
  }
  for (; pi != p.end(); ++pi)
    if (!pi->empty()) return true;
  return false;
}

bool RemoveRecordDirectory(const fs::path& dir, const fs::path& parent, std::string* error) {
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(dir, ec);
  if (!fs::exists(status)) return true;
  if (fs::is_symlink(status) || !fs::is_directory(status)) {
    SetError(error, Tr(kNotADirectory) + ": " + PathText(dir));
    return false;
  }
  if (!IsStrictlyBelow(dir, parent)) {
    SetError(error, Tr(kNotBelow) + ": " + PathText(dir));
    return false;
  }
  for (auto it = fs::directory_iterator(dir, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    std::error_code type;
    const bool link = it->is_symlink(type);
    // Hidden files that are not the program's own belong to someone else.
    if (!name.empty() && name[0] == '.' && !IsProgramTempFile(name)) continue;
    std::error_code rm;
    if (link || it->is_regular_file(type)) fs::remove(it->path(), rm);
  }
  fs::remove(dir, ec);
  if (fs::exists(fs::symlink_status(dir, ec))) {
    SetError(error, Tr(kNotEmptied) + ": " + PathText(dir));
    return false;
  }
  return true;
}

}  // namespace stallora
