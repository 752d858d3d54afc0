#include "core/conflictnames.h"

#include <cctype>

namespace stallora {
namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t FindNoCase(std::string_view text, std::string_view what, size_t from = 0) {
  if (what.size() > text.size()) return std::string_view::npos;
  for (size_t i = from; i + what.size() <= text.size(); ++i) {
    bool same = true;
    for (size_t k = 0; k < what.size() && same; ++k) same = Lower(text[i + k]) == Lower(what[k]);
    if (same) return i;
  }
  return std::string_view::npos;
}

// "<base><marker><digits and the like><ext>": the original is base + ext, where ext starts at
// the first full stop after the marker.
std::optional<std::string> MarkerForm(std::string_view name, std::string_view marker) {
  const size_t at = FindNoCase(name, marker);
  if (at == std::string_view::npos || at == 0) return std::nullopt;
  const size_t after = at + marker.size();
  if (after >= name.size() || !IsDigit(name[after])) return std::nullopt;
  const size_t dot = name.find('.', after);
  std::string original(name.substr(0, at));
  if (dot != std::string_view::npos) original += name.substr(dot);
  return original;
}

// Bracketed words that mark a copy without any digit: "(Case Conflict)" of a name that
// differs from another only in case, "(Selective Sync Conflict)" of a folder.
bool WordsMarkACopy(std::string_view inside) {
  return FindNoCase(inside, "case conflict") != std::string_view::npos ||
         FindNoCase(inside, "sync conflict") != std::string_view::npos ||
         FindNoCase(inside, "conflicted copy") != std::string_view::npos;
}

// "<base> (<... conflict ... digit ...>)<rest>" or with square brackets.
std::optional<std::string> BracketForm(std::string_view name) {
  for (size_t open = name.find_first_of("(["); open != std::string_view::npos;
       open = name.find_first_of("([", open + 1)) {
    const char closing = name[open] == '(' ? ')' : ']';
    const size_t close = name.find(closing, open + 1);
    if (close == std::string_view::npos) break;
    const std::string_view inside = name.substr(open + 1, close - open - 1);
    if (FindNoCase(inside, "conflict") == std::string_view::npos) continue;
    bool digit = false;
    for (char c : inside) digit = digit || IsDigit(c);
    if (!digit && !WordsMarkACopy(inside)) continue;
    size_t cut = open;
    while (cut > 0 && name[cut - 1] == ' ') --cut;
    if (cut == 0) continue;
    return std::string(name.substr(0, cut)) + std::string(name.substr(close + 1));
  }
  return std::nullopt;
}

// "<base>.Conflict<ext>", "<base>.Conflict (2)<ext>": the older version of a file two
// machines changed, renamed by the tool. The marker must stand between the base and the
// extension (or end the name), so that "Conflicting.eqh" and "Hø.Conflicted.eqf" stay
// ordinary names.
std::optional<std::string> DotConflictForm(std::string_view name) {
  constexpr std::string_view kMarker = ".conflict";
  for (size_t at = FindNoCase(name, kMarker); at != std::string_view::npos; at = FindNoCase(name, kMarker, at + 1)) {
    if (at == 0) continue;
    size_t after = at + kMarker.size();
    if (after + 1 < name.size() && name[after] == ' ' && name[after + 1] == '(') {
      const size_t close = name.find(')', after);
      if (close == std::string_view::npos) continue;
      after = close + 1;
    }
    if (after != name.size() && name[after] != '.') continue;
    return std::string(name.substr(0, at)) + std::string(name.substr(after));
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ConflictCopyOriginal(std::string_view name) {
  if (auto o = MarkerForm(name, ".sync-conflict-")) return o;
  if (auto o = MarkerForm(name, "_conflict-")) return o;
  if (auto o = DotConflictForm(name)) return o;
  return BracketForm(name);
}

}  // namespace stallora
