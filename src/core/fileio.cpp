#include "core/fileio.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

#include "core/cp1252.h"
#include "core/texts.h"

namespace stallora {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return std::nullopt;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return std::nullopt;
  std::string data;
  char buf[1 << 16];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.append(buf, n);
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return std::nullopt;
  return data;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  namespace fs = std::filesystem;
  const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
  std::random_device rd;
  std::string tmpName;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", rd());
    tmpName = (dir / ("." + path.filename().string() + suffix)).string();
    fd = ::open(tmpName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  bool ok = true;
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (ok && left > 0) {
    ssize_t w = ::write(fd, p, left);
    if (w < 0) {
      if (errno == EINTR) continue;
      ok = false;
    } else {
      p += w;
      left -= static_cast<size_t>(w);
    }
  }
  // The new file must be on disk before it replaces the old one.
  if (ok && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (ok && ::rename(tmpName.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) {
    ::unlink(tmpName.c_str());
    return false;
  }
  return true;
}

std::string PathText(const std::filesystem::path& path) { return Utf8ToCp1252(path.string()); }

namespace {
inline constexpr Text kNameEmpty{"fileio.nameempty", "Navnet er tomt og kan ikke bruges som filnavn"};
inline constexpr Text kNameDot{"fileio.namedot", "Et navn må ikke begynde med punktum"};
inline constexpr Text kNameSeparator{"fileio.nameseparator", "Et navn må ikke indeholde / eller \\"};
inline constexpr Text kNameControl{"fileio.namecontrol", "Et navn må ikke indeholde styretegn"};
}  // namespace

std::optional<std::string> ValidateFileName(std::string_view name) {
  if (name.empty()) return Tr(kNameEmpty);
  const std::string quoted = ": \"" + std::string(name) + "\"";
  if (name.front() == '.') return Tr(kNameDot) + quoted;
  for (char c : name) {
    if (c == '/' || c == '\\') return Tr(kNameSeparator) + quoted;
    if (static_cast<unsigned char>(c) < 32 || c == 127) return Tr(kNameControl);
  }
  return std::nullopt;
}

}  // namespace stallora
