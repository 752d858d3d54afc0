#pragma once
// Failing disks for tests, without privileges where possible: a file-size limit makes every
// write past it fail as a full disk does (EFBIG instead of ENOSPC), and an undeletable
// directory makes removals fail as a read-only one does.

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

namespace stallora::testing {

// While it lives, no file of the process can grow beyond `bytes`: a write past the limit
// fails with EFBIG (the signal that would end the process is ignored meanwhile).
class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~ScopedFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

 private:
  rlimit old_{};
  void (*oldHandler_)(int) = SIG_DFL;
};

// While it lives, `dir` (a directory or a file) can be neither removed, replaced nor changed,
// nor anything in it: it is marked immutable (which stops the superuser too, where the file
// system allows it), else its parent and itself lose their write permission (which stops
// everyone else).
class ScopedUndeletable {
 public:
  explicit ScopedUndeletable(std::filesystem::path dir) : dir_(std::move(dir)) {
    immutable_ = SetImmutable(dir_, true);
    if (!immutable_) {
      namespace fs = std::filesystem;
      fs::permissions(dir_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                      fs::perm_options::remove);
      fs::permissions(dir_.parent_path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                      fs::perm_options::remove);
    }
  }
  ~ScopedUndeletable() {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (immutable_) {
      SetImmutable(dir_, false);
    } else {
      fs::permissions(dir_.parent_path(), fs::perms::owner_write, fs::perm_options::add, ec);
      fs::permissions(dir_, fs::perms::owner_write, fs::perm_options::add, ec);
    }
  }
  ScopedUndeletable(const ScopedUndeletable&) = delete;
  ScopedUndeletable& operator=(const ScopedUndeletable&) = delete;

 private:
  static bool SetImmutable(const std::filesystem::path& dir, bool on) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
      flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
      ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
  }
  std::filesystem::path dir_;
  bool immutable_ = false;
};

}  // namespace stallora::testing
