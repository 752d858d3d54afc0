#include "core/file_transaction.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <set>

#include "core/fileio.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

std::string CannotCreate(const fs::path& target, int number) {
  return "Cannot create file " + PathText(target) + ": " + std::strerror(number);
}

// Creates a new file of a fresh temporary name beside `target`; -1 with errno on failure.
int CreateTemp(const fs::path& target, fs::path& name, std::random_device& rd) {
  const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  for (int attempt = 0; attempt < 16; ++attempt) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08x", rd());
    name = dir / AtomicTempName(target.filename().string(), hex);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Links `target` under a fresh temporary name beside it; false with errno on failure.
bool LinkAsTemp(const fs::path& target, fs::path& name, std::random_device& rd) {
  const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  for (int attempt = 0; attempt < 16; ++attempt) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08x", rd());
    name = dir / AtomicTempName(target.filename().string(), hex);
    if (::link(target.c_str(), name.c_str()) == 0) return true;
    if (errno != EEXIST) return false;
  }
  errno = EEXIST;
  return false;
}

bool WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const ssize_t w = ::write(fd, p, left);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += w;
    left -= static_cast<size_t>(w);
  }
  return true;
}

// One sync per file system the files lie on: cheaper than a flush per file when thousands of
// small files are written, and just as safe before the renames that publish them.
bool SyncFileSystemsOf(const std::vector<fs::path>& dirs) {
  std::set<dev_t> done;
  bool ok = true;
  for (const fs::path& dir : dirs) {
    struct stat st {};
    if (::stat(dir.c_str(), &st) != 0 || !done.insert(st.st_dev).second) continue;
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) continue;
    if (::syncfs(fd) != 0) ok = false;
    ::close(fd);
  }
  return ok;
}

}  // namespace

FileTransaction::~FileTransaction() {
  if (!finished_) Abort();
}

bool FileTransaction::Stage(const fs::path& target, std::string_view bytes, std::string* error) {
  const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) {
    fs::path first = dir;
    while (first.has_parent_path() && first.parent_path() != first && !fs::exists(first.parent_path(), ec))
      first = first.parent_path();
    fs::create_directories(dir, ec);
    if (ec || !fs::is_directory(dir, ec)) {
      failedTarget_ = target;
      if (error) *error = CannotCreate(target, ec ? ec.value() : ENOTDIR);
      createdDirs_.push_back(first);  // whatever part of it was made goes again with the abort
      return false;
    }
    createdDirs_.push_back(first);
  }
  std::random_device rd;
  Entry entry{target, {}, {}, false};
  const int fd = CreateTemp(target, entry.staged, rd);
  if (fd < 0) {
    failedTarget_ = target;
    if (error) *error = CannotCreate(target, errno);
    return false;
  }
  int failure = 0;
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode) && ::fchmod(fd, old.st_mode & 07777) != 0)
    failure = errno;
  if (!failure && !WriteAll(fd, bytes)) failure = errno;
  if (::close(fd) != 0 && !failure) failure = errno;
  if (failure) {
    ::unlink(entry.staged.c_str());
    failedTarget_ = target;
    if (error) *error = CannotCreate(target, failure);
    return false;
  }
  entries_.push_back(std::move(entry));
  return true;
}

bool FileTransaction::Commit(std::string* error, const std::function<void(int, int)>& progress) {
  std::vector<fs::path> dirs;
  for (const Entry& e : entries_) dirs.push_back(e.target.has_parent_path() ? e.target.parent_path() : ".");
  if (!SyncFileSystemsOf(dirs)) {
    const int number = errno;
    failedTarget_ = entries_.empty() ? fs::path() : entries_.front().target;
    if (error) *error = CannotCreate(failedTarget_, number ? number : EIO);
    Abort();
    return false;
  }
  std::random_device rd;
  const int total = static_cast<int>(entries_.size());
  for (int i = 0; i < total; ++i) {
    Entry& e = entries_[static_cast<size_t>(i)];
    struct stat st {};
    int failure = 0;
    if (::lstat(e.target.c_str(), &st) == 0) {
      // The old file stays reachable under a temporary name until every target is replaced:
      // as a second link where the file system has them, else as a copy. The link is made
      // under a fresh name directly (no file is created first to claim the name): on a large
      // workspace every extra create and remove costs as much as the rest of the change.
      fs::path backup;
      if (LinkAsTemp(e.target, backup, rd)) {
        e.backup = backup;
      } else if (const int linkErrno = errno; linkErrno != EEXIST) {
        std::string copyError;
        const int fd = CreateTemp(e.target, backup, rd);
        if (fd < 0) {
          failure = errno;
        } else {
          ::close(fd);
          if (CopyFileAtomically(e.target, backup, &copyError)) {
            e.backup = backup;
          } else {
            failure = errno ? errno : EIO;
            ::unlink(backup.c_str());
          }
        }
      } else {
        failure = EEXIST;
      }
    }
    if (!failure && ::rename(e.staged.c_str(), e.target.c_str()) != 0) failure = errno;
    if (failure) {
      failedTarget_ = e.target;
      if (error) *error = CannotCreate(e.target, failure);
      if (!e.backup.empty()) ::unlink(e.backup.c_str());
      e.backup.clear();
      RollBack();
      return false;
    }
    e.replaced = true;
    if (progress) progress(i + 1, total);
  }
  for (const Entry& e : entries_)
    if (!e.backup.empty()) ::unlink(e.backup.c_str());
  SyncFileSystemsOf(dirs);
  finished_ = true;
  return true;
}

void FileTransaction::RollBack() {
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
    Entry& e = *it;
    if (!e.replaced) {
      ::unlink(e.staged.c_str());
      continue;
    }
    if (e.backup.empty()) {
      // The target did not exist before the change.
      if (::unlink(e.target.c_str()) != 0 && errno != ENOENT)
        restoreProblems_.push_back(PathText(e.target) + ": " + std::strerror(errno));
    } else if (::rename(e.backup.c_str(), e.target.c_str()) != 0) {
      restoreProblems_.push_back(PathText(e.target) + ": " + std::strerror(errno) + " (" + PathText(e.backup) + ")");
    }
    e.replaced = false;
  }
  RemoveCreatedDirectories();
  entries_.clear();
  finished_ = true;
}

void FileTransaction::Abort() {
  for (const Entry& e : entries_) ::unlink(e.staged.c_str());
  entries_.clear();
  RemoveCreatedDirectories();
  finished_ = true;
}

void FileTransaction::RemoveCreatedDirectories() {
  // Only what is left empty goes: a directory someone else filled meanwhile stays.
  for (auto it = createdDirs_.rbegin(); it != createdDirs_.rend(); ++it) {
    std::error_code ec;
    std::vector<fs::path> chain;
    for (auto d = fs::recursive_directory_iterator(*it, ec); !ec && d != fs::recursive_directory_iterator();
         d.increment(ec))
      if (d->is_directory(ec)) chain.push_back(d->path());
    for (auto c = chain.rbegin(); c != chain.rend(); ++c) fs::remove(*c, ec);
    fs::remove(*it, ec);
  }
  createdDirs_.clear();
}

}  // namespace stallora
