#pragma once
// Balancing a horse's ration: the daily kg of each candidate feed such that every limit the
// ration evaluation judges holds (each nutrient between MinGrense and MaksGrense as the
// evaluation flags it, dry matter within MaksTorrstoff, roughage at least MinGrovfor, each
// feed within its own bounds) at the least cost, or as close to the requirement as the
// limits allow. When no amounts meet every limit, the closest ration is proposed with, per
// limit it misses, what the feeds can reach at best and what stops them.
//
// Three steps, so that a dialog can show, edit and re-run each:
//   BalanceRequest req = MakeBalanceRequest(horse, stableList, allFeeds);   // edit bounds
//   BalanceResult res = BalanceRation(horse, req, *MakeGlpkSolver());         // preview
//   ApplyProposal(horse, stableList, req, res);                               // apply
// The library's evaluation stays the judge: the limits are read from BeregnTilforsel's own
// MinGrense and MaksGrense, and CheckProposal runs the evaluation on the proposal.
//
// Texts are Windows-1252 and come from the string table.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "config/country_settings.h"
#include "core/texts.h"
#include "feeds/feedlist.h"
#include "nutrition/hest.h"
#include "ration/lp_solver.h"

namespace stallora {

enum class BalanceObjective {
  kLeastCost,            // least Pris × kg (unknown prices count 0)
  kClosestToRequirement  // least sum of |supply − Behov| / Behov over the judged nutrients
};

// One feed the balancer may change. Values are per kg as fed, in the ration's energy system.
struct CandidateFeed {
  std::string name;  // Fornavn
  int category = 1;
  double dryMatter = 85;  // TorrStoff, percent
  double price = 0;       // Pris per kg; 0 when unknown
  std::array<double, kNutrientCount> perKg{};
  double proteinTerm = 0;  // ProteinDigestibilityTerm of the feed
  double currentKg = 0;    // TildeltKg in the ration now; 0 for a feed of the feed list

  // The user's bounds: a locked feed keeps lockedKg; any other stays within minKg..maxKg.
  bool locked = false;
  double lockedKg = 0;
  double minKg = 0;
  double maxKg = kLpInfinity;
  // A pasture feed of a grazing horse: its amount is the grazing intake (the amounts page
  // sets it so), so it is always locked at that amount.
  bool grazing = false;

  // Where the feed is: its position in the ration, or -1 and its position in the feed
  // list the request was made with.
  int rationIndex = -1;
  int listIndex = -1;
};

struct BalanceRequest {
  std::vector<CandidateFeed> feeds;
  BalanceObjective objective = BalanceObjective::kLeastCost;
  // For every solve of one balancing together.
  LpBudget budget;
};

// The candidates for a horse: every picked feed of its ration and, with `allFeeds`, every
// feed of `feedList` (the stable's feed list) whose name the ration lacks, its values
// converted into the ration's energy system, except pasture feeds (grazing categories):
// pasture is eaten by grazing, whose amount the grazing panel sets. While the horse grazes,
// the ration's first picked pasture feed is locked at the grazing amount.
BalanceRequest MakeBalanceRequest(const THest& h, const TForListe* feedList, bool allFeeds);

// What the evaluation judges for a horse, and what the ration's other feeds (those that are
// not candidates) contribute.
struct RationLimits {
  struct Range {
    bool low = false;   // the evaluation flags a supply below min
    bool high = false;  // ... above max
    double min = 0;
    double max = 0;
  };
  std::array<Range, kNutrientCount> nutrient;  // [6]: the ratio of nutrient 3 to nutrient 4
  std::array<double, kNutrientCount> requirement{};  // Behov
  double maxDryMatter = kLpInfinity;  // MaksTorrstoff, kg
  double minRoughage = 0;             // MinGrovfor, kg dry matter
  // Nutrient 8 is judged over every feed of the ration, picked or not.
  // Cobalt (13) and vitamin B12 (21) are flagged only when both are out of range.
  bool cobaltWithB12 = true;
  // French model with crude protein: the protein requirement is divided by the ration's
  // digestibility, so the protein range is a range of the digestible sum S instead:
  // proteinMinFactor × proteinBase ≤ S ≤ proteinMaxFactor × proteinBase.
  bool proteinByDigestibility = false;
  double proteinBase = 0;  // Behov[1] before the division
  double proteinMinFactor = 0.85;
  double proteinMaxFactor = 2.0;

  // The horse grazes and the amounts page caps the pasture (a candidate marked `grazing`)
  // so that the dry matter fits the maximum intake.
  bool grazingCap = false;

  std::array<double, kNutrientCount> fixedSupply{};  // picked non-candidates
  double fixedValue8All = 0;                          // every non-candidate
  double fixedDryMatter = 0;
  double fixedRoughage = 0;
  double fixedConcentrate = 0;  // dry matter
  double fixedProteinTerm = 0;  // every non-candidate, products above 0
};

// Runs the requirement and the evaluation on the horse (its working vectors only; the ration
// is not touched) and reads the limits. Nothing, with `error` set, for a horse without a
// requirement (no weight, no requirement computed, a formula that failed) and for a feed
// outside the candidates with a value that is not a number.
std::optional<RationLimits> LimitsFor(THest& h, const BalanceRequest& request, std::string* error = nullptr);

enum class BalanceStatus {
  kBalanced,        // every limit holds
  kClosest,         // no amounts meet every limit; the closest ration and the unmet limits
  kRefused,         // bad input; `message` says what
  kTimeLimit,       // the solver ran out of time before an answer
  kIterationLimit,  // ... out of iterations
  kFailed,          // the solver failed
};

enum class LimitSubject { kNutrient, kRatio, kDigestibleProtein, kDryMatter, kRoughage };

struct LimitId {
  LimitSubject subject = LimitSubject::kNutrient;
  int nutrient = -1;   // for kNutrient; 6 for kRatio, 1 for kDigestibleProtein
  bool upper = false;  // a maximum, else a minimum
  bool operator==(const LimitId&) const = default;
};

// A feed bound that holds a limit back.
struct FeedBoundNote {
  enum Kind { kAtMax, kAtMin, kLocked };
  int feed = -1;  // index into the request's feeds
  Kind kind = kAtMax;
  double kg = 0;
};

struct LimitReport {
  LimitId id;
  double limit = 0;   // in the nutrient's unit (kg for dry matter and roughage)
  double supply = 0;  // what the proposal gives
  // For unmet limits: the best any amounts within the feeds' bounds (and the dry-matter cap,
  // unless it is the limit) reach, the bounds and cap that stop there, and whether the limit
  // alone could be met (then it conflicts with `conflicts`).
  double best = 0;
  bool reachableAlone = false;
  bool dryMatterCaps = false;
  std::vector<FeedBoundNote> boundBy;
  std::vector<LimitId> conflicts;
  std::string text;  // the program's explanation
};

struct FeedProposal {
  int feed = -1;  // index into the request's feeds
  double oldKg = 0;
  double newKg = 0;
  double cost = 0;  // price × newKg
  bool atMin = false, atMax = false, locked = false;
};

struct BalanceResult {
  BalanceStatus status = BalanceStatus::kFailed;
  std::string message;  // kRefused and the solver's stops: what and why
  std::vector<FeedProposal> feeds;  // one per candidate, in request order
  double oldCost = 0;
  double cost = 0;
  std::vector<LimitReport> binding;   // limits the proposal sits on
  std::vector<LimitReport> unmet;     // kClosest: every limit the proposal misses
  std::vector<LimitReport> accepted;  // cobalt or B12 out of range while the other is in (not flagged)
  int solves = 0;
  bool HasProposal() const { return status == BalanceStatus::kBalanced || status == BalanceStatus::kClosest; }
};

// Names, units and decimals for the texts.
struct ExplainContext {
  const CountrySettings* settings = nullptr;  // nutrient names "N<i>" without
  char separator = ',';
};

// The balancing itself, on plain data: checks the request (a refusal names the feed and
// value), solves, and explains.
BalanceResult Balance(const BalanceRequest& request, const RationLimits& limits, const LpSolver& solver,
                      const ExplainContext& context);

// LimitsFor and Balance for the horse, with its environment's settings and separator.
BalanceResult BalanceRation(THest& h, const BalanceRequest& request, const LpSolver& solver);

// Sets the proposed amounts: ration candidates get their new kg, feeds of the feed list with
// more than 0 kg join the ration as picked copies (converted into its energy system) and the
// ration is put in category order. False, nothing changed, without a proposal or when the
// ration or list no longer hold the feeds at the positions the request names.
bool ApplyProposal(THest& h, const TForListe* feedList, const BalanceRequest& request, const BalanceResult& result);

// The evaluation's verdict on the proposal, on the horse as the amounts page would see it
// after ApplyProposal (grazing cap included). The ration is put back as it was and the
// requirement and evaluation recomputed for it.
struct ProposalCheck {
  bool applied = false;
  std::vector<int> flagged;  // nutrients whose UtenforOmrade is set (only the used ones)
  bool roughageAcceptable = false;  // Grovforvurdering is "Grovfodermængde acceptabel"
  bool dryMatterWithin = false;     // dry matter of the picked feeds ≤ MaksTorrstoff
};
ProposalCheck CheckProposal(THest& h, const TForListe* feedList, const BalanceRequest& request,
                            const BalanceResult& result);

// The name a limit is shown under ("Calcium", "Ca/P forhold", "Tørstof", ...).
std::string LimitName(const LimitId& id, const ExplainContext& context);

}  // namespace stallora
