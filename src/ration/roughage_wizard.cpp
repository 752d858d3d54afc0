#include "ration/roughage_wizard.h"

#include <algorithm>

namespace stallora {

int RoughageChoice::CheckedPastures() const {
  const auto& c = checked[kPastureGrass];
  return static_cast<int>(std::count(c.begin(), c.end(), true));
}

std::string RoughageHelpPage(int group) {
  switch (group) {
    case kDryRoughage:
      return "71-feedhelp/350-hay";
    case kWetRoughage:
      return "71-feedhelp/351-haylage";
    case kPastureGrass:
      return "71-feedhelp/352-pasture";
    default:
      return "71-feedhelp/353-localforage";
  }
}

RoughageChoice GroupRoughages(const TForListe& source) {
  RoughageChoice choice;
  for (const auto& f : source.Feeds()) {
    if (f->Fortype == 6) choice.names[f->TorrStoff > 60 ? kDryRoughage : kWetRoughage].push_back(f->Fornavn);
    if (f->Fortype == 10) choice.names[kPastureGrass].push_back(f->Fornavn);
    if (IsOwnRoughageCategory(f->Fortype)) choice.names[kLocalRoughage].push_back(f->Fornavn);
  }
  for (int g = 0; g < kRoughageGroups; ++g) choice.checked[g].assign(choice.names[g].size(), false);
  for (const auto& f : source.Feeds()) {
    if (!f->Valgt) continue;
    for (int g = 0; g < kRoughageGroups; ++g) {
      const auto& names = choice.names[g];
      const auto at = std::find(names.begin(), names.end(), f->Fornavn);
      if (at == names.end()) continue;
      choice.checked[g][static_cast<size_t>(at - names.begin())] = true;
      break;
    }
  }
  return choice;
}

bool ApplyRoughageChoice(const RoughageChoice& choice, TForListe& source, TForListe& ration) {
  if (choice.CheckedPastures() >= 2) return false;
  for (int g = 0; g < kRoughageGroups; ++g)
    for (size_t k = 0; k < choice.names[g].size(); ++k)
      if (TFor* f = source.FeedByName(choice.names[g][k])) f->Valgt = k < choice.checked[g].size() && choice.checked[g][k];
  // A roughage that stays in the ration keeps the amount and meal split the horse had:
  // taking the source list's amount would quietly undo the adviser's work.
  struct Kept {
    std::string name;
    double kg;
    StringList meals;
  };
  std::vector<Kept> kept;
  for (int i = ration.Count() - 1; i >= 0; --i) {
    TFor* f = ration.FeedAt(i);
    if (!IsRoughageCategory(f->Fortype)) continue;
    kept.push_back({f->Fornavn, f->TildeltKg, f->Fordeling});
    ration.RemoveFeed(f);
  }
  for (const auto& f : source.Feeds()) {
    if (!f->Valgt || !IsRoughageCategory(f->Fortype)) continue;
    TFor& copy = ration.AddFeedFrom(f->Clone(), &source);
    const auto old = std::find_if(kept.rbegin(), kept.rend(), [&](const Kept& k) { return k.name == copy.Fornavn; });
    if (old != kept.rend()) {
      copy.TildeltKg = old->kg;
      copy.Fordeling = old->meals;
    }
  }
  return true;
}

}  // namespace stallora
