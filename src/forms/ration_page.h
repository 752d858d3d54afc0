#pragma once
// What the horse window's ration page works out besides drawing: which feeds a selection
// puts into the ration, the amount steps and units, the grazing cap, the dry-matter
// profile and its pie, the price lines and table rows of the feeding plan, the nutrient
// list and information page, the names reports are stored under, which pages are shown,
// and the split of each feed's daily amount over the meals.
//
// Everything here works on the horse's ration (`THest::ForListe`) and on the selection
// list (the stable's or another feed list), both owned elsewhere. Texts are Windows-1252.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/country_settings.h"
#include "core/canvas.h"
#include "core/seams.h"
#include "core/texts.h"
#include "feeds/feedlist.h"
#include "nutrition/hest.h"
#include "ration/ration_amounts.h"
#include "ration/evaluation.h"
#include "forms/report_names.h"

namespace stallora {

// ---- texts of the page
inline constexpr Text kRpVaelgFoder{"rationpage.tab.select", "Vælg foder"};
inline constexpr Text kRpBestemMaengder{"rationpage.tab.amounts", "Bestem fodermængder"};
inline constexpr Text kRpFoderplan{"rationpage.tab.plan", "Foderplan"};
inline constexpr Text kRpAnalyse{"rationpage.tab.analysis", "Foderplan-Analyse og hjælp"};
inline constexpr Text kRpOplysninger{"rationpage.tab.diethelp", "Oplysninger om fodringen"};
inline constexpr Text kRpBehovOgIndhold{"rationpage.tab.supply", "Behov og indhold af næringsstoffer i rationen"};
inline constexpr Text kRpBidrag{"rationpage.tab.contribution", "Foderemnernes bidrag til rationens næringsindhold"};
inline constexpr Text kRpRationstildeling{"rationpage.tab.meals", "Rationstildeling"};
inline constexpr Text kRpIntetFoderValgt{"rationpage.nofeed", "Intet foder valgt"};
inline constexpr Text kRpValgtFoder{"rationpage.chosenfeeds", "Valgt foder"};
inline constexpr Text kRpFoderetSavnes{"rationpage.missingfeed", "Foderet savnes i staldens foderliste"};
inline constexpr Text kRpTagMed{"rationpage.takeover", "Tag med foderet?"};
inline constexpr Text kRpFoderIkkeValgt{"rationpage.nofeedchosen", "Foder ikke valgt"};
inline constexpr Text kRpGrovfoderMangler{"rationpage.noroughage", "Grovfoder mangler i rationen!"};
inline constexpr Text kRpBehov{"rationpage.requirement", "Behov"};
inline constexpr Text kRpMindst{"rationpage.atleast", "Mindst"};
inline constexpr Text kRpTorstofLower{"rationpage.drymatterlower", "tørstof"};
inline constexpr Text kRpVaelg{"rationpage.choose", "Vælg"};
inline constexpr Text kRpGrovfoder{"rationpage.roughage", "Grovfoder"};
inline constexpr Text kRpKraftfoder{"rationpage.concentrate", "Kraftfoder"};
inline constexpr Text kRpKorn{"rationpage.grain", "korn"};
inline constexpr Text kRpTilskudsfoder{"rationpage.supplement", "Tilskudsfoder"};
inline constexpr Text kRpAfgraesningMangler{"rationpage.nopasture",
                                            "Afgræsningsgræs mangler i foderlisten. Afgræsning ikke tilladt"};
inline constexpr Text kRpAdvarsel{"rationpage.warning", "Advarsel!"};
inline constexpr Text kRpIRationen{"rationpage.inration", "i rationen"};
inline constexpr Text kRpFordelingPct{"rationpage.shareofdm", "Fordeling, % av tørrstoff"};
inline constexpr Text kRpUge{"rationpage.week", "uge"};
inline constexpr Text kRpMdr{"rationpage.month", "mdr"};
inline constexpr Text kRpVaegtdata{"rationpage.weight", "Vægtdata"};
inline constexpr Text kRpPrisLokalt{"rationpage.localprice", "Du har nu ændret prisen lokalt hos"};
inline constexpr Text kRpBenytStald{"rationpage.usestablelist",
                                    "Benyt staldens foderliste til at ændre prisen for alle hestene i stalden"};
inline constexpr Text kRpBidragTilRationen{"rationpage.contributes", "Bidrag til rationen"};
inline constexpr Text kRpIRationenHeader{"rationpage.inrationheader", "i rationen"};
inline constexpr Text kRpForMeget{"rationpage.toomuch", "For meget"};
inline constexpr Text kRpForLidt{"rationpage.toolittle", "For lidt"};
inline constexpr Text kRpIndenforOptimal{"rationpage.inside", "Næringsstoftilførsel indenfor optimalområdet"};
inline constexpr Text kRpUsikker{"rationpage.uncertain",
                                 "Nedre forindtagelse er usikker, eller også producerer hesten næringsemnet selv"};
inline constexpr Text kRpIkkeFastsat{"rationpage.notset", "ikke fastsat"};
inline constexpr Text kRpAndreStoffer{"rationpage.othernutrients", "Info om andre næringsstoffer"};
inline constexpr Text kRpFinderIkke{"rationpage.filemissing", "Finder ikke filen"};
inline constexpr Text kRpFodring{"rationpage.meal", "fodring"};
inline constexpr Text kRpNr{"rationpage.number", "nr"};

// ---- numbers as the page shows them

// ---- amounts

// The amounts table's text of the daily amount: kg with two decimals; grams without
// decimals unless the amount has a fraction of a gram.
std::string ShownAmountText(const TFor& f, char separator);

// What a typed amount is; the shown unit decides grams or kg.
enum class AmountInput { kOk, kNotANumber, kNegative, kTooLarge };
// Reads a typed amount (comma or point as decimal mark) into kg. Accepted are numbers from
// 0 to below 10000 in the shown unit.
AmountInput ParseShownAmount(std::string_view text, const TFor& f, double* kg);
// ---- the selection (feeds chosen from a feed list)

// The selection tree of a list: groups (by category group), producers, feeds (indices into
// the list), each with the number of selected feeds below it.
struct SelectionTree {
  struct Producer {
    std::string name;
    std::vector<int> feeds;
    int selected = 0;
  };
  struct Group {
    std::string name;
    std::vector<Producer> producers;
    int selected = 0;
  };
  std::string rootName;
  std::vector<Group> groups;
  int selected = 0;
};
SelectionTree BuildSelectionTree(const TForListe& list, const CountrySettings& settings);
// The name of a group feed category 6, 7, 9 or 11 names the group after (5 for category 5,
// which belongs to no group).
int SelectionGroupCategory(int category);
// "name (n)", or the bare name when n is 0.
std::string CountedText(std::string_view name, int count);
// A node text without its count suffix " (n)"; brackets that belong to a name stay.
std::string StripCount(std::string_view text);

// Clears every selected flag of the selection list, then sets it for the feeds whose name
// is a selected feed of the ration.
void MarkSelectionFromRation(TForListe& selection, const TForListe& ration);
// The ration's selected flags cleared, then set on every ration feed whose name is not in
// the selection list; their names, in ration order.
std::vector<std::string> FlagFeedsMissingFrom(TForListe& ration, const TForListe& selection);
// The question that offers to take the missing feeds over into the stable's list.
std::string MissingFeedsQuestion(const std::vector<std::string>& names);
// Adds a copy of every flagged ration feed to the selection list.
void TakeOverFlaggedFeeds(TForListe& selection, const TForListe& ration);

// Double-click on a feed: flips its selected flag; an unselected feed leaves the ration, a
// selected one joins it (as a copy in the ration's energy system). The ration is then put
// in category order. Returns the new flag.
bool ToggleFeed(TForListe& selection, TFor& feed, TForListe& ration);

enum class SelectionResult { kClosed, kEmptyRation };
// "Fodervalg OK": selected feeds of the selection list join the ration or, when there
// already, keep their amount (a pasture feed takes over the selection list's amount);
// feeds from other lists stay; unless `otherListMode`, ration feeds of the selection list
// that are no longer selected there leave; the ration is put in category order.
SelectionResult ConfirmSelection(TForListe& selection, TForListe& ration, bool otherListMode);
// The warning for an empty ration: horse name + ": " + "Foder ikke valgt" + " !".
std::string NoFeedWarning(std::string_view horseName);
// The question when the ration holds no roughage (Yes keeps the selection open).
std::string NoRoughageQuestion(const THest& h, char separator);

// ---- grazing

// The grazing panel may open: the selection list holds exactly one selected pasture feed,
// or the ration holds a selected one.
bool GrazingAllowed(const TForListe* selection, const TForListe& ration);
// The radio button of a grazing factor (0 "Rigelig", 1 "Middel", 2 "Lille") and back.
int GrazingChoice(double factor);
double GrazingFactorOfChoice(int choice);
// The grazing panel's labels after a change. The last selected pasture feed of the
// selection list gets the kg its dry matter comes to (a feed without dry matter keeps its
// amount). Both texts are empty without such a feed.
struct GrazingLabels {
  std::string dryMatter;
  std::string feed;
};
GrazingLabels UpdateGrazing(THest& h, TForListe* selection, char separator);
// ---- the dry-matter profile (amounts page)

struct DryMatterProfile {
  double dailyPrice = 0;
  double total = 0;        // dry matter of the selected feeds, kg
  double roughage = 0;     // of those in the roughage categories
  double concentrate = 0;
  double supplement = 0;
  RoughageVerdict verdict = RoughageVerdict::Acceptable;
  // Percent of the total dry matter (0 when there is none).
  double RoughageShare() const { return total > 0 ? roughage * 100 / total : 0; }
  double ConcentrateShare() const { return total > 0 ? concentrate * 100 / total : 0; }
  double SupplementShare() const { return total > 0 ? supplement * 100 / total : 0; }
};
DryMatterProfile ComputeProfile(const THest& h);
std::string ProfileText(const DryMatterProfile& p, const Regional& regional);
std::string VerdictText(RoughageVerdict v);
// Red and bold for the two warnings, normal black for an acceptable amount.
bool VerdictIsWarning(RoughageVerdict v);

struct PieSlice {
  std::string label;
  double percent;
  Colour colour;
};
std::vector<PieSlice> PieSlices(const DryMatterProfile& p);

// ---- the feeding plan page

struct PriceLine {
  std::string text;
  bool red = false;  // with a price the line is drawn red
};
PriceLine FeedPlanPriceLine(double dailyPrice, const Regional& regional);
// The horse's condition line, a line break, "Vægtdata" and the weight.
std::string ConditionText(const std::string& conditionLine, double weight);
struct RationRow {
  std::string feed;         // amount, unit and name
  std::string pricePerDay;  // "0" without a price
  std::string pricePerKg;
};
std::vector<RationRow> RationRows(const TForListe& ration, char separator);
// Reads a typed price (0 or more); nothing for anything else.
std::optional<double> ParsePrice(std::string_view text);
std::string LocalPriceNotice(std::string_view horseName);

// The 23 lines of the nutrient list (indices 0..23 without 6).
struct NutrientLine {
  int nutrient;
  std::string text;
  bool flagged;
};
std::vector<NutrientLine> NutrientLines(const THest& h, const CountrySettings& settings);
// The nutrient of line n of that list.
int NutrientOfLine(int line);

// The information page of one nutrient. `advice` is the advice file's text; it is read
// only when the nutrient is flagged (NeedsAdvice), so the caller can report a missing file
// then and only then.
bool NeedsAdvice(const THest& h, int nutrient);
std::string NutrientInfoPage(const THest& h, int nutrient, const CountrySettings& settings,
                             std::string_view advice, char separator);
std::string MoreNutrientsPage(std::string_view advice);

// ---- which pages are shown

struct RationPageVisibility {
  bool amounts = false;
  bool feedPlan = false;
  bool analysis = false;
  bool mealSheet = false;
};
RationPageVisibility PageVisibility(const TForListe& ration, int stableMeals);

// ---- the meal sheet

// The meal times as "hh:mm" (empty for a line that is not a time).
std::vector<std::string> MealTimeTexts(const THest& h);
std::string MealHeader(int meal);  // "fodring" + " " + (meal + 1)

// "Ikke fordelt": grams without decimals or kg with three, then the unit.
std::string UndistributedText(const TFor& f, char separator);
// A meal cell: grams of supplements (at most one decimal), kg otherwise; empty for 0.
std::string MealCellText(const TFor& f, int meal, char separator);
// A typed meal amount in kg (0 or more; grams for supplements).
std::optional<double> ParseMealCell(std::string_view text, const TFor& f);

}  // namespace stallora
