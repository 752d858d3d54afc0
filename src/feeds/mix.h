#pragma once
// The arithmetic and naming of feed mixes (recipes): the price label, changing the total
// amount, the default category of the mix as a feed, the amount spinner and the pages the
// mix calculator shows and prints. A mix is a feed list with ForBlanding set; its analysis
// is the list's mix analysis.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "feeds/feedlist.h"
#include "core/common_texts.h"

namespace stallora {

inline constexpr Text kPrisPaaBlandingen{"mix.prispaablandingen", "Pris på blandingen"};
inline constexpr const Text& kEgenBlanding = common::kEgenBlanding;
inline constexpr Text kHestefoder{"mix.hestefoder", "Hestefoder"};
inline constexpr std::string_view kMixPrefix = "Mix_";

// "Pris på blandingen 2.25 kr/kg.   4.0 kg = 9.00 kr", or "*" when the mix has no total
// amount or no price.
std::string MixPriceLabel(const TForListe& mix);

// Scales every feed's kg so that the total becomes `total`, keeping the proportions. Nothing
// happens unless both the new and the present total are above 0.
void RescaleMix(TForListe& mix, double total);

// The mix category choices 0, 1, 2 stand for the feed categories 1, 3, 4.
int MixCategoryOfChoice(int choice);    // -1 for no choice
int MixChoiceOfCategory(int category);  // -1 for any other category
// Roughage in the mix: choice 0; else concentrate: choice 1; else choice 2.
int DefaultMixChoice(const TForListe& mix);

// "Egen blanding" followed by the first number from 1 that gives a name not in the list
// (compared without regard to case).
std::string NewMixName(const std::vector<std::string>& existingNames);
// A new mix for a feed list: named "Mix_" + the list's name, a mix file, category 11.
std::unique_ptr<TForListe> NewMixFor(const TForListe& source);
// The name of the list a mix was made from: the name without its first four characters
// when it contains "Mix_"; empty otherwise.
std::string SourceListNameOf(std::string_view mixName);

// The amount spinner: kg plus or minus the step, never below 0.
double StepAmount(double kg, double step, bool up);
// The percentage cell of the mixing grid: "   75.00%", or "    0%" when the mix has no total.
std::string MixPercentCell(const TFor& feed, double totalKg, char decimalSeparator);

// The mix as a feed for saving or trying on a horse: MixAsFeed with the category of the
// choice (unchanged for no choice) and the given name (cut to 255 bytes). Null unless the
// list is a mix.
std::unique_ptr<TFor> MixFeedFor(const TForListe& mix, int choice, std::string_view name);

// The printed page: page head, recipe, "<br><br>", analysis table, page end.
std::string MixPrintPage(const TForListe& mix);
// The analysis view: page head, analysis table, page end.
std::string MixAnalysisPage(const TForListe& mix);

}  // namespace stallora
