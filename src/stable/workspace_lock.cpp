#include "stable/workspace_lock.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>

#include <fmt/format.h>

#include "core/cp1252.h"
#include "core/daynum.h"
#include "core/fileio.h"
#include "core/texts.h"
#include "core/textutil.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

inline constexpr Text kOpenElsewhere{
    "lock.openelsewhere",
    "Arbejdsområdet {dir} er også åbent i Stallora på {host} (bruger {user}, startet {started}). Du kan arbejde "
    "videre: "
    "en fil, som det andet program har gemt, overskrives aldrig, uden at du bliver spurgt først."};

constexpr std::string_view kHeader = "Stallora workspace lock";
// A lock file is a few lines; anything much larger is not one.
constexpr size_t kMaxLockBytes = 4096;

std::string Field(std::string_view text, std::string_view key) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > key.size() && line.substr(0, key.size()) == key && line[key.size()] == '=')
      return std::string(line.substr(key.size() + 1));
    pos = end + 1;
  }
  return {};
}

// A name for a lock line: no line breaks, whatever the system says.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return text;
}

bool ParseInt(const std::string& text, int64_t* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0') return false;
  *value = v;
  return true;
}

// The local day number of a moment (seconds since 1970).
DayNumber LocalDayNumber(int64_t utc) {
  const std::time_t t = static_cast<std::time_t>(utc);
  std::tm tm{};
  if (!::localtime_r(&t, &tm)) return 0;
  return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) + EncodeTime(tm.tm_hour, tm.tm_min, tm.tm_sec);
}

}  // namespace

LockHolder WorkspaceLock::ThisProcess() {
  LockHolder h;
  char host[256] = {};
  if (::gethostname(host, sizeof host - 1) == 0) h.host = Utf8ToCp1252(host);
  if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_name)
    h.user = Utf8ToCp1252(pw->pw_name);
  else if (const char* env = std::getenv("USER"))
    h.user = Utf8ToCp1252(env);
  h.pid = static_cast<long>(::getpid());
  std::random_device rd;
  h.token = fmt::format("{:08x}{:08x}", rd(), rd());
  return h;
}

WorkspaceLock::WorkspaceLock(LockHolder self) : self_(std::move(self)) {}

WorkspaceLock::~WorkspaceLock() { Release(); }

std::string WorkspaceLock::FileText(const LockHolder& h) {
  return std::string(kHeader) + "\r\nhost=" + OneLine(h.host) + "\r\nuser=" + OneLine(h.user) +
         "\r\npid=" + std::to_string(h.pid) + "\r\nstarted=" + std::to_string(h.startedUtc) +
         "\r\ntoken=" + OneLine(h.token) + "\r\n";
}

bool WorkspaceLock::ParseFileText(std::string_view text, LockHolder* holder) {
  if (text.size() > kMaxLockBytes || text.substr(0, kHeader.size()) != kHeader) return false;
  LockHolder h;
  int64_t pid = 0;
  if (!ParseInt(Field(text, "pid"), &pid) || pid <= 0 || !ParseInt(Field(text, "started"), &h.startedUtc)) return false;
  h.pid = static_cast<long>(pid);
  h.host = Field(text, "host");
  h.user = Field(text, "user");
  h.token = Field(text, "token");
  if (holder) *holder = std::move(h);
  return true;
}

bool WorkspaceLock::ProcessAlive(long pid) {
  if (pid <= 0) return false;
  // A process of another user answers EPERM: it runs.
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

bool WorkspaceLock::Live(const LockHolder& h, int64_t nowUtc) const {
  // A start more than a day ahead of this clock is as stale as one a day behind it: a
  // machine whose clock runs far ahead would otherwise leave a lock that never ages.
  const int64_t age = nowUtc - h.startedUtc;
  if (age > kStaleAfterSeconds || -age > kStaleAfterSeconds) return false;
  // Only a process on this machine can be asked whether it still runs.
  if (SameText(h.host, self_.host) && !ProcessAlive(h.pid)) return false;
  return true;
}

WorkspaceLock::State WorkspaceLock::Look(const fs::path& saveDir, int64_t nowUtc) {
  LockHolder h;
  const auto text = ReadWholeFile(saveDir / kFileName);
  State found = State::kNone;
  if (text && ParseFileText(*text, &h) && h.token != self_.token && Live(h, nowUtc)) {
    other_ = std::move(h);
    found = State::kHeldElsewhere;
  }
  if (state_ != State::kHeld) {
    state_ = found;
    file_ = saveDir / kFileName;
  }
  return found;
}

WorkspaceLock::State WorkspaceLock::Acquire(const fs::path& saveDir, int64_t nowUtc) {
  const fs::path file = saveDir / kFileName;
  if (state_ == State::kHeld && file == file_) return state_;
  Release();
  file_ = file;
  if (Look(saveDir, nowUtc) == State::kHeldElsewhere) return state_ = State::kHeldElsewhere;
  LockHolder me = self_;
  me.startedUtc = nowUtc;
  const std::string text = FileText(me);
  // A new lock file is made only where there is none, so that two programs starting at
  // once do not both think they made it; a stale one is replaced whole.
  bool written = false;
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd >= 0) {
    written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    written = ::close(fd) == 0 && written;
    if (!written) ::unlink(file.c_str());
  } else if (errno == EEXIST) {
    written = WriteFileAtomically(file, text);
  }
  if (!written) return state_ = State::kUnwritable;
  self_.startedUtc = nowUtc;
  return state_ = State::kHeld;
}

void WorkspaceLock::Release() {
  if (state_ == State::kHeld) {
    LockHolder h;
    const auto text = ReadWholeFile(file_);
    // A lock another program took over (this one's counted as stale) is that program's.
    if (text && ParseFileText(*text, &h) && h.token == self_.token) ::unlink(file_.c_str());
  }
  state_ = State::kNone;
  file_.clear();
}

std::string WorkspaceLock::Message(const Regional& regional) const {
  if (state_ != State::kHeldElsewhere) return {};
  const DayNumber started = LocalDayNumber(other_.startedUtc);
  const std::string when = regional.FormatShortDate(started) + " " + FormatDateTime("hh.nn", started);
  std::string text = Tr(kOpenElsewhere);
  auto put = [&](std::string_view key, const std::string& value) {
    const size_t at = text.find(key);
    if (at != std::string::npos) text.replace(at, key.size(), value);
  };
  put("{dir}", PathText(file_.parent_path()));
  put("{host}", other_.host.empty() ? "?" : other_.host);
  put("{user}", other_.user.empty() ? "?" : other_.user);
  put("{started}", when);
  return text;
}

}  // namespace stallora
