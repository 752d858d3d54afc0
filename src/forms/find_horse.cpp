#include "forms/find_horse.h"

#include <algorithm>

#include "core/textutil.h"
#include "stable/stall.h"
#include "stable/workspace.h"

namespace stallora {
namespace {

// Case-insensitive order; names that differ only in case keep a fixed order among them.
bool LessText(const std::string& a, const std::string& b) {
  const int c = CompareText(a, b);
  return c != 0 ? c < 0 : a < b;
}

void SortUnique(std::vector<std::string>& names) {
  std::sort(names.begin(), names.end(), LessText);
  names.erase(std::unique(names.begin(), names.end()), names.end());
}

}  // namespace

std::string HorseEntry(std::string_view horseName, std::string_view stableName) {
  std::string entry(horseName);
  entry += "  [";
  entry += stableName;
  entry += "]";
  return entry;
}

HorseEntryNames SplitHorseEntry(std::string_view entry) {
  HorseEntryNames names;
  const size_t open = entry.find('[');
  if (open == std::string_view::npos) {
    names.horse = Trim(entry);
    return names;
  }
  names.horse = Trim(entry.substr(0, open));
  const size_t close = entry.find(']', open + 1);
  const std::string_view inside =
      close == std::string_view::npos ? entry.substr(open + 1) : entry.substr(open + 1, close - open - 1);
  names.stable = Trim(inside);
  return names;
}

std::vector<std::string> FindHorseEntries(const Workspace& workspace) {
  std::vector<std::string> entries;
  for (const auto& stable : workspace.Stables())
    for (const auto& horse : stable->Horses())
      if (!horse->Navn.empty()) entries.push_back(HorseEntry(horse->Navn, stable->stallNavn));
  return entries;
}

std::vector<std::string> SortedHorseEntries(const Workspace& workspace) {
  std::vector<std::string> entries = FindHorseEntries(workspace);
  std::stable_sort(entries.begin(), entries.end(), LessText);
  return entries;
}

std::vector<std::string> OwnerNames(const Workspace& workspace) {
  std::vector<std::string> owners;
  for (const auto& stable : workspace.Stables())
    for (const auto& horse : stable->Horses())
      if (!horse->EierNavn.empty()) owners.push_back(horse->EierNavn);
  SortUnique(owners);
  return owners;
}

std::vector<std::string> OwnerHorseNames(const Workspace& workspace, std::string_view owner) {
  std::vector<std::string> names;
  for (const auto& stable : workspace.Stables())
    for (const auto& horse : stable->Horses())
      if (horse->EierNavn == owner && !horse->Navn.empty()) names.push_back(horse->Navn);
  SortUnique(names);
  return names;
}

std::optional<std::string> StableOfOwnersHorse(const Workspace& workspace, std::string_view horse,
                                               std::string_view owner) {
  std::optional<std::string> found;
  for (const auto& stable : workspace.Stables())
    for (const auto& h : stable->Horses())
      if (h->Navn == horse && h->EierNavn == owner) found = stable->stallNavn;
  return found;
}

THest* FindHorse(const Workspace& workspace, std::string_view stable, std::string_view horse) {
  // Only stable nodes are searched for the stable: a horse or feed list that happens to
  // carry the stable's name has no horses below it and would hide the stable.
  const TStall* found = nullptr;
  for (const auto& s : workspace.Stables())
    if (s->stallNavn == stable) found = s.get();
  if (!found) return nullptr;
  THest* result = nullptr;
  for (const auto& h : found->Horses())
    if (h->Navn == horse) result = h.get();
  return result;
}

THest* FindHorseOfEntry(const Workspace& workspace, std::string_view entry) {
  const HorseEntryNames names = SplitHorseEntry(entry);
  return FindHorse(workspace, names.stable, names.horse);
}

std::string FetchHorseCaption(std::string_view horse, std::string_view stable) {
  return FetchOwnersHorseCaption(horse) + " " + FirstLetterLower(Tr(kFhFra)) + " " + std::string(stable);
}

std::string FetchOwnersHorseCaption(std::string_view horse) {
  return Tr(kFhHent) + " \"" + std::string(horse) + "\"";
}

std::string OwnersHorsesCaption(std::string_view owner) { return Tr(kFhHesteEjetAf) + " " + std::string(owner); }

std::string HorseMissingMessage() {
  return Tr(kFejl) + " " + Tr(kFhHest) + " " + FirstLetterLower(Tr(kFhMangler)) + "!";
}

}  // namespace stallora
