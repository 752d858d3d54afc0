#include "core/texts.h"

#include <mutex>
#include <unordered_map>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/textutil.h"

namespace stallora {
namespace {

// Texts are asked for from the workspace scan's threads as well as the window's: the lazily
// filled table of converted texts is guarded. (Its nodes never move, so a text returned
// stays valid while other texts are added.)
struct TextTable {
  std::mutex guard;
  std::map<std::string, std::string, std::less<>> language;  // UTF-8
  std::unordered_map<std::string_view, std::string> converted;  // cp1252, by key
};

TextTable& Table() {
  static TextTable table;
  return table;
}

}  // namespace

const std::string& Tr(const Text& text) {
  TextTable& t = Table();
  const std::lock_guard lock(t.guard);
  auto it = t.converted.find(text.key);
  if (it != t.converted.end()) return it->second;
  std::string_view source = text.danish;
  if (auto lang = t.language.find(text.key); lang != t.language.end()) source = lang->second;
  return t.converted.emplace(text.key, Utf8ToCp1252(source)).first->second;
}

void SetLanguageTable(std::map<std::string, std::string, std::less<>> table) {
  TextTable& t = Table();
  const std::lock_guard lock(t.guard);
  t.language = std::move(table);
  t.converted.clear();
}

bool LoadLanguageFile(const std::filesystem::path& path) {
  const auto bytes = ReadWholeFile(path);
  if (!bytes) return false;
  std::map<std::string, std::string, std::less<>> table;
  size_t pos = 0;
  while (pos < bytes->size()) {
    size_t end = bytes->find('\n', pos);
    if (end == std::string::npos) end = bytes->size();
    std::string line = bytes->substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    table[Trim(line.substr(0, eq))] = line.substr(eq + 1);
  }
  SetLanguageTable(std::move(table));
  return true;
}

}  // namespace stallora
