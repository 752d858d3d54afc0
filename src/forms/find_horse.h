#pragma once
// Finding a horse among the stables: the entries "Blakken  [Min stald1]" of the horse lists,
// reading such an entry back, the owners and their horses, and the horse a stable name and
// a horse name lead to, as the find-horse and welcome windows use them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/texts.h"

namespace stallora {

class THest;
class TStall;
class Workspace;

inline constexpr Text kFhFindEnHest{"findhorse.caption", "Find en hest"};
inline constexpr Text kFhSoegNavn{"findhorse.byname", "Søg på hestens navn"};
inline constexpr Text kFhSoegEjer{"findhorse.byowner", "Søg på ejers navn"};
inline constexpr Text kFhHeste{"findhorse.horses", "Heste"};
inline constexpr Text kFhEjeroplysninger{"findhorse.owners", "Ejeroplysninger"};
inline constexpr Text kFhHesteEjetAf{"findhorse.ownedby", "Heste eijet af"};
inline constexpr Text kFhVaelg{"findhorse.choose", "Vælg"};
inline constexpr Text kFhHent{"findhorse.fetch", "Hent"};
inline constexpr Text kFhFra{"findhorse.from", "Fra"};
inline constexpr Text kFhHest{"findhorse.horse", "Hest"};
inline constexpr Text kFhMangler{"findhorse.missing", "Mangler"};
inline constexpr Text kFhLuk{"findhorse.close", "Luk"};
// Shown instead of the pages when the workspace has no horse.
inline constexpr std::string_view kNoHorsesText = "Error: No horse defined, Search impossible!";

// The horse and stable an entry names.
struct HorseEntryNames {
  std::string horse;
  std::string stable;
};

// "Blakken" + "  [" + "Min stald1" + "]".
std::string HorseEntry(std::string_view horseName, std::string_view stableName);
// The horse is the text before the first "[", the stable the text between the first "[" and
// the first "]" after it, both without surrounding blanks. A horse name holding "[" cannot be
// read back: the names then do not lead to the horse.
HorseEntryNames SplitHorseEntry(std::string_view entry);

// Every horse of every stable in tree order, as HorseEntry; horses without a name are left out.
std::vector<std::string> FindHorseEntries(const Workspace& workspace);
// The same, sorted without regard to letter case (the welcome window's horse box).
std::vector<std::string> SortedHorseEntries(const Workspace& workspace);

// The owners (`EierNavn`) of the horses, without empty names, sorted without regard to
// letter case, each name once.
std::vector<std::string> OwnerNames(const Workspace& workspace);
// The names of the horses whose owner is exactly `owner`, sorted, each name once.
std::vector<std::string> OwnerHorseNames(const Workspace& workspace, std::string_view owner);
// The stable of the last horse in tree order with this name and this owner.
std::optional<std::string> StableOfOwnersHorse(const Workspace& workspace, std::string_view horse,
                                               std::string_view owner);

// The horse a stable name and a horse name lead to: the last stable of that name, and the
// last of its horses with that name; exact comparisons. nullptr when either is missing.
THest* FindHorse(const Workspace& workspace, std::string_view stable, std::string_view horse);
// The same for a horse-list entry.
THest* FindHorseOfEntry(const Workspace& workspace, std::string_view entry);

// "Hent "Blakken" fra Min stald1".
std::string FetchHorseCaption(std::string_view horse, std::string_view stable);
// "Hent "Blakken"".
std::string FetchOwnersHorseCaption(std::string_view horse);
// "Heste eijet af Hansen".
std::string OwnersHorsesCaption(std::string_view owner);
// "Fejl: Hest mangler!".
std::string HorseMissingMessage();

}  // namespace stallora
