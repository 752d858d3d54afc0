#pragma once
// What the mix calculator and the generate-feed-list dialog need of whole feed lists: the
// source tree a mix's feeds are picked from, and the rebuilding of a feed list from the
// brands of another (a supplier's guarantee list). Texts are Windows-1252.

#include <string>
#include <vector>

#include "config/country_settings.h"
#include "feeds/feedlist.h"

namespace stallora {

inline constexpr int kIconSourceRoot = 20;
inline constexpr int kIconSourceGroup = 35;  // + the group offset of the category
inline constexpr int kIconPickedIntoMix = 39;

// The source list's feeds by category group (in the order met), by brand within a group
// (in the order met) and in list order within a brand.
struct MixSourceTree {
  struct Feed {
    int index = 0;  // in the source list
    std::string name;
    int icon = 0;  // FeedStatusIcon
  };
  struct Brand {
    std::string name;  // as shown: "Almindeligt FODER" for the generic mark (and no brand)
    std::vector<Feed> feeds;
  };
  struct Group {
    std::string name;  // the name of category 6, 7, 9 or 11 (5 for category 5)
    int category = 0;  // 6, 7, 9, 11 or 5
    int icon = 0;      // 35..38; the no-group icon for category 5
    std::vector<Brand> brands;
  };
  std::string rootName;
  std::vector<Group> groups;
};

// The group a feed category is shown under: 6 roughage, 7 concentrate, 9 supplement,
// 11 group 11, 5 for category 5 (in no group).
int MixSourceGroupOf(int category);
MixSourceTree BuildMixSourceTree(const TForListe& source, const CountrySettings& settings);

// ---- rebuilding a list from brands

// The brands the generate dialog offers: the source's brands without the generic mark
// (compared without regard to case), in the order Brands() gives.
std::vector<std::string> GenerateBrandChoices(const TForListe& source);
// Per choice: checked when the target has a feed of that brand (without regard to case).
std::vector<bool> BrandsHeldBy(const std::vector<std::string>& choices, const TForListe& target);
// The source feeds whose brand equals one of `brands` exactly.
int FeedsOfBrands(const TForListe& source, const std::vector<std::string>& brands);

// Which present feeds of the target survive the rebuild.
struct KeepFeeds {
  bool generic = true;  // brand exactly "GENERIC"
  bool own = true;      // an own-feed category 0..4
  // Feeds of makers the source does not carry: neither the feed's name is a source feed's
  // nor its brand a source brand (without regard to case), generic feeds aside.
  bool notListed = false;
};

// Whether the third keep box keeps a target feed (see KeepFeeds::notListed).
bool NotInSource(const TFor& feed, const TForListe& source);

// The rebuild: the target keeps what `keep` says and loses every other feed; then every
// source feed whose brand equals a checked brand exactly joins it as a clone, unless the
// target has a feed of that name already. Afterwards no feed of either list is picked.
// Returns the number of feeds added.
int RebuildFromBrands(TForListe& target, TForListe& source, const std::vector<std::string>& checkedBrands,
                      const KeepFeeds& keep);

}  // namespace stallora
