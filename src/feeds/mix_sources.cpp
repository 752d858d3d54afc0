#include "feeds/mix_sources.h"

#include <algorithm>

#include "core/textutil.h"
#include "feeds/guarantee.h"

namespace stallora {

int MixSourceGroupOf(int category) {
  if (IsRoughageCategory(category)) return 6;
  if (IsConcentrateCategory(category)) return 7;
  if (IsSupplementCategory(category)) return 9;
  if (IsGroup11Category(category)) return 11;
  return 5;
}

MixSourceTree BuildMixSourceTree(const TForListe& source, const CountrySettings& settings) {
  MixSourceTree tree;
  tree.rootName = source.ForlisteNavn;
  for (int i = 0; i < source.Count(); ++i) {
    const TFor& f = *source.FeedAt(i);
    const int category = MixSourceGroupOf(f.Fortype);
    const std::string groupName = settings.feedTypeNames[static_cast<size_t>(category)];
    auto group = std::find_if(tree.groups.begin(), tree.groups.end(),
                              [&](const MixSourceTree::Group& g) { return g.name == groupName; });
    if (group == tree.groups.end()) {
      const int offset = CategoryGroupOffset(category);
      tree.groups.push_back({groupName, category, offset < 0 ? kIconNoGroup : kIconSourceGroup + offset, {}});
      group = tree.groups.end() - 1;
    }
    // A feed without any brand sits with the generic ones, as in the other feed trees.
    const std::string brandName = f.Brand.empty() ? Tr(kAlmindeligtFoder) : BrandDisplayText(f.Brand);
    auto brand = std::find_if(group->brands.begin(), group->brands.end(),
                              [&](const MixSourceTree::Brand& b) { return b.name == brandName; });
    if (brand == group->brands.end()) {
      group->brands.push_back({brandName, {}});
      brand = group->brands.end() - 1;
    }
    brand->feeds.push_back({i, f.Fornavn, f.FeedStatusIcon()});
  }
  return tree;
}

std::vector<std::string> GenerateBrandChoices(const TForListe& source) {
  std::vector<std::string> choices;
  for (std::string& b : source.Brands())
    if (!SameText(b, kGenericBrandMark)) choices.push_back(std::move(b));
  return choices;
}

std::vector<bool> BrandsHeldBy(const std::vector<std::string>& choices, const TForListe& target) {
  const std::vector<std::string> held = target.Brands();
  std::vector<bool> checked;
  checked.reserve(choices.size());
  for (const std::string& c : choices)
    checked.push_back(std::any_of(held.begin(), held.end(), [&](const std::string& h) { return SameText(h, c); }));
  return checked;
}

namespace {
bool BrandIn(const std::vector<std::string>& brands, const std::string& brand) {
  return std::find(brands.begin(), brands.end(), brand) != brands.end();
}
}  // namespace

int FeedsOfBrands(const TForListe& source, const std::vector<std::string>& brands) {
  return static_cast<int>(std::count_if(source.Feeds().begin(), source.Feeds().end(),
                                        [&](const auto& f) { return BrandIn(brands, f->Brand); }));
}

bool NotInSource(const TFor& feed, const TForListe& source) {
  if (source.FeedByName(feed.Fornavn)) return false;
  const std::vector<std::string> brands = source.Brands();
  return std::none_of(brands.begin(), brands.end(), [&](const std::string& b) { return SameText(b, feed.Brand); });
}

int RebuildFromBrands(TForListe& target, TForListe& source, const std::vector<std::string>& checkedBrands,
                      const KeepFeeds& keep) {
  target.UnpickAll();
  for (const auto& f : target.Feeds()) {
    if (keep.generic && f->Brand == kGenericBrandMark) f->Valgt = true;
    if (keep.own && IsOwnFeedCategory(f->Fortype)) f->Valgt = true;
    if (keep.notListed && f->Brand != kGenericBrandMark && NotInSource(*f, source)) f->Valgt = true;
  }
  for (int i = target.Count() - 1; i >= 0; --i)
    if (TFor* f = target.FeedAt(i); !f->Valgt) target.RemoveFeed(f);
  source.UnpickAll();
  for (const auto& f : source.Feeds())
    if (BrandIn(checkedBrands, f->Brand)) f->Valgt = true;
  int added = 0;
  for (const auto& f : source.Feeds()) {
    if (!f->Valgt || target.FeedByName(f->Fornavn)) continue;
    // The values arrive in the target's energy system, as every copy between lists does.
    target.AddFeedFrom(f->Clone(), &source);
    ++added;
  }
  target.UnpickAll();
  source.UnpickAll();
  return added;
}

}  // namespace stallora
