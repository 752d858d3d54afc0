#include "config/ini.h"

#include <charconv>

#include "core/textutil.h"

namespace stallora {

IniFile IniFile::Parse(std::string_view text) {
  IniFile ini;
  std::map<std::string, std::string, std::less<>>* current = nullptr;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::string line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      const size_t close = line.find(']');
      if (close == std::string::npos) continue;
      current = &ini.sections_[UpperCase(Trim(std::string_view(line).substr(1, close - 1)))];
      continue;
    }
    const size_t eq = line.find('=');
    if (eq == std::string::npos || !current) continue;
    std::string key = UpperCase(Trim(std::string_view(line).substr(0, eq)));
    if (key.empty()) continue;
    std::string value = Trim(std::string_view(line).substr(eq + 1));
    if (value.size() > kMaxValueLength) value.resize(kMaxValueLength);
    current->emplace(std::move(key), std::move(value));
  }
  return ini;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
  auto s = sections_.find(UpperCase(section));
  if (s == sections_.end()) return std::nullopt;
  auto k = s->second.find(UpperCase(key));
  if (k == s->second.end()) return std::nullopt;
  return k->second;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
  auto v = Value(section, key);
  return v ? *v : std::string(fallback);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  auto v = Value(section, key);
  if (!v || v->empty()) return fallback;
  const char* b = v->data();
  const char* e = b + v->size();
  if (*b == '+') ++b;
  int result = 0;
  auto r = std::from_chars(b, e, result);
  if (r.ec != std::errc() || r.ptr != e) return fallback;
  return result;
}

bool IniFile::HasSection(std::string_view section) const { return sections_.count(UpperCase(section)) != 0; }

}  // namespace stallora
