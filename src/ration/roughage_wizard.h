#pragma once
// The roughage wizard: the roughages of a source feed list in the four groups horse owners
// think in (dry, wet, pasture, grown locally), which of them are picked, and the exchange
// of all roughage in a horse's ration for copies of the picked ones.

#include <array>
#include <string>
#include <vector>

#include "core/texts.h"
#include "core/common_texts.h"
#include "feeds/feedlist.h"

namespace stallora {

inline constexpr Text kRwTort{"roughage.dry", "Hø, halm og annet \"tørt\" grovfoder"};
inline constexpr Text kRwVaad{"roughage.wet", "Wrap og grovfoder med højt vandindhold"};
inline constexpr Text kRwGraes{"roughage.pasture", "Afgræsningsgræs"};
inline constexpr Text kRwRegion{"roughage.local", "Grovfoder fra din region"};
inline constexpr const Text& kRwVaelg = common::kVaelg;
inline constexpr Text kRwGrovfoderLower{"roughage.roughagelower", "grovfoder fra din region"};
inline constexpr const Text& kRwGrovfoder = common::kGrovfoder;
inline constexpr Text kRwVaelgEtEllerFlere{"roughage.page", "Vælg et eller flere foder"};
inline constexpr const Text& kRwFortsaet = common::kFortsaet;
inline constexpr Text kRwKlikBoksen{"roughage.hint", "Klik boksen for at vælge"};
inline constexpr const Text& kRwInformation = common::kInformation;
inline constexpr Text kRwInfoAfgraesning{"roughage.pastureinfo", "Info om afgræsning"};
inline constexpr Text kRwKunEnGraes{"roughage.onepasture",
                                    "NB! Du kan ikke vælge mere end en type afgræsningsgræs til hesten"};
inline constexpr Text kRwGaarPaaGraes{"roughage.grazing", "Du har valgt afgræsningsgræs. Går hesten på græs?"};

enum RoughageGroup : int { kDryRoughage = 0, kWetRoughage = 1, kPastureGrass = 2, kLocalRoughage = 3 };
inline constexpr int kRoughageGroups = 4;

// Feed names per group in source order, with their check marks.
struct RoughageChoice {
  std::array<std::vector<std::string>, kRoughageGroups> names;
  std::array<std::vector<bool>, kRoughageGroups> checked;
  int CheckedPastures() const;
};

// The online help page of each group ("71-feedhelp/350-hay", ...).
std::string RoughageHelpPage(int group);

// Groups the source list's feeds and checks those picked there (a picked feed is checked in
// the first group that holds its name).
RoughageChoice GroupRoughages(const TForListe& source);

// Closing: false (nothing changed) while more than one pasture is checked. Otherwise the
// source feeds get the check marks as their picked flag, every roughage feed leaves the
// ration and copies of the picked roughage feeds of the source join it in source order. A
// roughage that was in the ration before keeps its daily amount and meal split.
bool ApplyRoughageChoice(const RoughageChoice& choice, TForListe& source, TForListe& ration);

}  // namespace stallora
