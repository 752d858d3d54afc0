#pragma once
// Work on whole feed lists that the feed list window offers: copying feeds from another
// list with the duplicate check, the side-by-side comparison of chosen nutrients, moving a
// feed in the sequence, a brand's feeds as a list of their own, the copy a list is saved
// as under a new name, typed numbers, and a signature that notices every unsaved edit.
//
// Texts are Windows-1252.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "feeds/feedlist.h"

namespace stallora {

inline constexpr Text kFtFoder{"feedtools.feed", "Foder"};
inline constexpr Text kFtNotANumber{"feedtools.notanumber", "er ikke et tal"};
inline constexpr Text kFtDecimalSign{"feedtools.decimalsign", "Brug decimaltegnet"};
inline constexpr Text kFtNotNegative{"feedtools.notnegative", "kan ikke være negativ"};
inline constexpr Text kFtAtMost{"feedtools.atmost", "kan højst være"};

// ---- typed numbers

// A number typed in the user's regional format: optional blanks, an optional minus sign,
// digits with at most one decimal separator (the regional one), optional blanks. A full
// stop is not accepted where the separator is a comma (it would be a thousands separator
// there), nor the reverse. Nothing for anything else, for infinities and NaN.
std::optional<double> ParseRegionalNumber(std::string_view text, char decimalSeparator);

// A value as an editing field shows it: `maxDecimals` decimals with the trailing zeros
// taken away down to `minDecimals` ("12,5" for 12.5 with 1..3; "-0" is "0").
std::string ShownNumber(double value, int minDecimals, int maxDecimals, char decimalSeparator);

// What a typed amount may be.
struct AmountRule {
  double max = -1;  // no upper limit when negative
};
// Reads a typed amount that may not be negative (nor above rule.max). On failure `error`
// receives the message, which names the field and the text: "<field>: "1.5" er ikke et tal.
// Brug decimaltegnet ," or "<field>: -2 kan ikke være negativ".
std::optional<double> ParseAmount(std::string_view field, std::string_view text, char decimalSeparator,
                                  std::string* error, AmountRule rule = {});

// ---- copying feeds from a donor list

struct CopyFeedsResult {
  int added = 0;
  // Names of donor feeds the target has already (not copied), in donor order.
  std::vector<std::string> duplicates;
  // A conversion the energy systems refuse (a feed-unit factor not above 0): nothing added.
  std::string error;
};
// Copies the donor's feeds at the given indices (in donor order, each once) into the
// target: a feed whose name the target has already is listed, every other one is added as
// an unpicked clone, converted into the target's energy system when the two differ. The
// donor is not changed.
CopyFeedsResult CopyFeeds(TForListe& target, const TForListe& donor, const std::vector<int>& donorIndices);
// The donor indices of the feeds in the group of the category (roughage, concentrate or
// supplement categories), in list order.
std::vector<int> FeedIndicesInGroup(const TForListe& list, int category);
// Overwrites the target's feed of the name with the donor's feed of that name: analysis
// values 0..23 (converted like a copy) and the price; Versjon becomes the program's. Name,
// category, brand and the other fields stay. False when either list has no such feed or
// the conversion is refused (`error`).
bool OverwriteDuplicate(TForListe& target, const TForListe& donor, const std::string& name,
                        std::string* error = nullptr);

// ---- comparing feeds

// The energy unit a list's value 0 is in: "MCal", "MJ" or the feed-unit label of the
// preferences' country.
std::string ListEnergyUnitName(const TForListe& list);
// The name of nutrient i as the list's window shows it: index 1 is the list's protein type
// name, the others the country table's.
std::string ListNutrientName(const TForListe& list, int i);
// The unit of nutrient i for the list: the list's energy unit for 0, the table's otherwise
// (none for the ratio, index 6).
std::string ListNutrientUnit(const TForListe& list, int i);
// The comparison table: page head, framed table with a header row "Foder" and the chosen
// nutrients (in the order given), one row per feed of `comparison` with
// FormatFixed(8, 2, value) and the unit; names and units as `shownAs` shows them.
std::string ComparisonTable(const TForListe& comparison, const std::vector<int>& nutrients,
                            const TForListe& shownAs);

// ---- order and brands

// Moves the feed at `index` one place up (towards 0) or down by exchanging it with its
// neighbour; returns its new index (unchanged at the ends or outside the list).
int MoveFeed(TForListe& list, int index, bool up);
// Picks exactly the feeds whose brand equals `brand`, compared in capitals (Windows-1252);
// returns how many.
int PickBrandIgnoringCase(TForListe& list, std::string_view brand);
// Picks exactly the feeds whose brand as the window shows it (BrandDisplayText) is `shown`;
// returns how many.
int PickShownBrand(TForListe& list, std::string_view shown);
// Whether a node text of the feed tree stands for a brand of the list ("Almindeligt FODER"
// or a brand as shown).
bool IsBrandNode(const TForListe& list, std::string_view text);

// ---- saving under a new name

// "Min" + "foderliste" + n for the first n from 1 whose file does not exist in `dir`.
std::string ProposedListName(const std::filesystem::path& dir);
// The copy "save as" writes: every feed, the name, the program's version, an ordinary list
// (not a guarantee list, version 0), changed today, version text today's date.
std::unique_ptr<TForListe> SaveAsCopy(const TForListe& list, const std::string& name);
// The copy of the picked feeds as a brand's own list: named after the brand, not a
// guarantee list, owned by the workspace.
std::unique_ptr<TForListe> BrandListCopy(const TForListe& list, const std::string& brand);

// ---- noticing edits

// A signature of everything a list writes except the picks (Valgt) and the changed date,
// so that an edit the fingerprint cannot see (a category, a brand, the dry matter, swapped
// letters) is noticed too, while picking feeds or saving is not an edit.
uint64_t ContentSignature(const TForListe& list);

// The position of a feed (by identity) in the list; -1 when it is not there.
int IndexOfFeedObject(const TForListe& list, const TFor* feed);

}  // namespace stallora
