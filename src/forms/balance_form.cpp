#include "forms/balance_form.h"

#include <cmath>
#include <map>

#include <fmt/format.h>

#include "core/textutil.h"
#include "feeds/feed.h"
#include "forms/balance_texts.h"
#include "ration/optimizer_texts.h"
#include "ration/ration_amounts.h"

namespace stallora {
namespace {

// Amounts typed into a bound are below this, as on the amounts page.
constexpr double kLargestTypedKg = 10000;

template <typename... Args>
std::string Fill(const Text& text, Args&&... args) {
  return fmt::format(fmt::runtime(Tr(text)), std::forward<Args>(args)...);
}

BalanceNote Warning(std::string text) { return {BalanceNote::kWarn, std::move(text)}; }

}  // namespace

BalanceForm::BalanceForm(RationEditor& ration, const TForListe* feedList, const LpSolver& solver)
    : ration_(ration), feedList_(feedList), solver_(solver) {
  Rebuild();
}

char BalanceForm::Sep() const { return Horse().env->regional.decimalSeparator; }

std::string BalanceForm::CannotBalance() const {
  std::string error;
  if (!LimitsFor(Horse(), request_, &error)) return error.empty() ? Tr(kBalNoRequirement) : error;
  return {};
}

// Up to four decimals, as many as the amount has: 8, 2,5, 0,0125.
std::string BalanceForm::Kg(double kg) const {
  std::string s = DecimalText(kg, 4, Sep());
  if (s.find(Sep()) == std::string::npos) return s;
  while (s.back() == '0') s.pop_back();
  if (s.back() == Sep()) s.pop_back();
  return s;
}

// ---- the candidates

void BalanceForm::Rebuild() {
  // Bounds stay with a feed's name, also while the feed is out of the candidates.
  for (const CandidateFeed& c : request_.feeds) remembered_.insert_or_assign(c.name, c);
  const auto& kept = remembered_;
  BalanceRequest fresh = MakeBalanceRequest(Horse(), allFeeds_ ? feedList_ : nullptr, allFeeds_);
  for (CandidateFeed& c : fresh.feeds) {
    const auto it = kept.find(c.name);
    if (it == kept.end() || c.grazing) continue;
    c.locked = it->second.locked;
    c.minKg = it->second.minKg;
    c.maxKg = it->second.maxKg;
  }
  fresh.objective = request_.objective;
  fresh.budget = request_.budget;
  request_ = std::move(fresh);
}

std::string BalanceForm::CurrentText(int row) const { return Kg(Candidate(row).currentKg); }
std::string BalanceForm::MinText(int row) const {
  const double kg = Candidate(row).minKg;
  return kg == 0 ? std::string() : Kg(kg);
}
std::string BalanceForm::MaxText(int row) const {
  const double kg = Candidate(row).maxKg;
  return kg == kLpInfinity ? std::string() : Kg(kg);
}
bool BalanceForm::CanLock(int row) const { return row >= 0 && row < Rows() && !Candidate(row).grazing; }

void BalanceForm::Stale(ChangeFlags changed) {
  result_ = BalanceResult();
  preview_.clear();
  previewApplied_ = false;
  status_.clear();
  Commit(changed | kBalancePreview, false);
}

BalanceNote BalanceForm::SetAllFeeds(bool on) {
  if (on && !feedList_) return Warning(Tr(kBalNoFeedList));
  if (on == allFeeds_) return {};
  allFeeds_ = on;
  Rebuild();
  Stale(kBalanceCandidates);
  return {};
}

bool BalanceForm::SetLocked(int row, bool locked) {
  if (!CanLock(row) || Candidate(row).locked == locked) return false;
  CandidateFeed& c = request_.feeds[static_cast<size_t>(row)];
  c.locked = locked;
  c.lockedKg = c.currentKg;
  Stale(kBalanceBounds);
  return true;
}

BalanceNote BalanceForm::SetMin(int row, std::string_view typed) { return SetBound(row, typed, false); }
BalanceNote BalanceForm::SetMax(int row, std::string_view typed) { return SetBound(row, typed, true); }

BalanceNote BalanceForm::SetBound(int row, std::string_view typed, bool upper) {
  if (row < 0 || row >= Rows()) return {};
  CandidateFeed& c = request_.feeds[static_cast<size_t>(row)];
  double kg = upper ? kLpInfinity : 0;
  if (!Trim(std::string(typed)).empty()) {
    const std::optional<double> v = ReadDecimal(typed);
    if (!v) return Warning(Fill(kBalBoundNotANumber, fmt::arg("foder", c.name)));
    if (*v < 0) return Warning(Fill(kBalNegativeBound, fmt::arg("foder", c.name)));
    if (*v >= kLargestTypedKg)
      return Warning(Fill(kBalTooLarge, fmt::arg("foder", c.name), fmt::arg("vaerdi", Tr(kBalAmount))));
    kg = *v;
  }
  if ((upper && kg < c.minKg) || (!upper && kg > c.maxKg))
    return Warning(Fill(kBalBadBounds, fmt::arg("foder", c.name)));
  double& bound = upper ? c.maxKg : c.minKg;
  if (bound == kg) return {};
  bound = kg;
  Stale(kBalanceBounds);
  return {};
}

void BalanceForm::SetObjective(BalanceObjective objective) {
  if (objective == request_.objective) return;
  request_.objective = objective;
  Stale(kBalanceObjective);
}

// ---- the preview

void BalanceForm::Recompute() {
  result_ = BalanceRation(Horse(), request_, solver_);
  previewApplied_ = false;
  status_.clear();
  preview_.clear();
  if (!result_.HasProposal()) return;
  for (const FeedProposal& p : result_.feeds) {
    const CandidateFeed& c = Candidate(p.feed);
    BalancePreviewRow row;
    row.feed = c.name;
    row.oldKg = Kg(p.oldKg);
    row.newKg = Kg(p.newKg);
    row.cost = DecimalText(p.cost, 2, Sep());
    // A feed left at 0 kg by the default minimum of 0 is not held by anything.
    const Text* note = c.grazing                           ? &kBalNoteGrazing
                       : p.locked                          ? &kBalNoteLocked
                       : p.atMin && c.minKg > 0            ? &kBalNoteAtMin
                       : p.atMax && c.maxKg != kLpInfinity ? &kBalNoteAtMax
                                                           : nullptr;
    if (note) row.note = Tr(*note);
    row.changed = p.newKg != p.oldKg;
    preview_.push_back(std::move(row));
  }
}

BalanceNote BalanceForm::Calculate() {
  Commit(kBalancePreview, true);
  if (!result_.HasProposal()) return Warning(result_.message.empty() ? Tr(kBalFailed) : result_.message);
  return {};
}

BalancePreviewRow BalanceForm::TotalRow() const {
  BalancePreviewRow total;
  total.feed = Tr(kBalTotal);
  if (!HasPreview()) return total;
  double oldKg = 0, newKg = 0;
  for (const FeedProposal& p : result_.feeds) {
    oldKg += p.oldKg;
    newKg += p.newKg;
  }
  total.oldKg = Kg(oldKg);
  total.newKg = Kg(newKg);
  total.cost = DecimalText(result_.cost, 2, Sep());
  total.changed = result_.cost != result_.oldCost;
  return total;
}

std::string BalanceForm::StatusText() const {
  if (!HasPreview()) {
    const std::string why = result_.message.empty() ? Tr(kBalNotCalculated) : result_.message;
    return status_.empty() ? why : status_ + "\n" + why;
  }
  const std::string& currency = Horse().env->regional.currencySymbol;
  auto money = [&](double v) { return DecimalText(v, 2, Sep()) + (currency.empty() ? "" : " " + currency); };
  std::string text = result_.message + "\n" +
                     Fill(kBalCost, fmt::arg("nu", money(result_.oldCost)), fmt::arg("ny", money(result_.cost)));
  if (!status_.empty()) text += "\n" + status_;
  return text;
}

std::vector<std::string> BalanceForm::LimitLines() const {
  std::vector<std::string> lines;
  if (!HasPreview()) return lines;
  auto group = [&](const Text& header, const std::vector<const std::vector<LimitReport>*>& reports) {
    bool any = false;
    for (const auto* list : reports) any = any || !list->empty();
    if (!any) return;
    lines.push_back(Tr(header));
    for (const auto* list : reports)
      for (const LimitReport& r : *list) lines.push_back("- " + r.text);
  };
  group(kBalUnmetHeader, {&result_.unmet});
  group(kBalBindingHeader, {&result_.binding, &result_.accepted});
  return lines;
}

// ---- apply and undo

bool BalanceForm::StillMatches() const {
  const TForListe& ration = ration_.Ration();
  for (const CandidateFeed& c : request_.feeds) {
    const TFor* f = c.rationIndex >= 0 ? ration.FeedAt(c.rationIndex)
                                       : (feedList_ && c.listIndex >= 0 ? feedList_->FeedAt(c.listIndex) : nullptr);
    if (!f || f->Fornavn != c.name) return false;
    if (c.rationIndex < 0 && ration.FeedByName(c.name)) return false;
  }
  return result_.feeds.size() == request_.feeds.size();
}

int BalanceForm::RowOf(const TFor* feed) const {
  const auto& feeds = ration_.Ration().Feeds();
  for (size_t i = 0; i < feeds.size(); ++i)
    if (feeds[i].get() == feed) return static_cast<int>(i);
  return -1;
}

namespace {

std::vector<std::pair<TFor*, double>> Amounts(const TForListe& ration) {
  std::vector<std::pair<TFor*, double>> amounts;
  for (const auto& f : ration.Feeds()) amounts.emplace_back(f.get(), f->TildeltKg);
  return amounts;
}

}  // namespace

BalanceNote BalanceForm::Apply() {
  if (!CanApply()) return {};
  if (!StillMatches()) return Warning(Tr(kBalFeedsChanged));
  const TForListe& ration = ration_.Ration();
  const size_t n = request_.feeds.size();
  std::vector<TFor*> targets(n, nullptr);
  bool any = false;
  for (size_t k = 0; k < n; ++k) {
    const CandidateFeed& c = request_.feeds[k];
    const double kg = result_.feeds[k].newKg;
    if (c.rationIndex >= 0) {
      targets[k] = ration.FeedAt(c.rationIndex);
      any = any || targets[k]->TildeltKg != kg;
    } else {
      any = any || kg > 0;
    }
  }
  if (!any) return {BalanceNote::kInform, Tr(kBalNothingToApply)};

  std::vector<std::pair<TFor*, double>> before = Amounts(ration);
  std::vector<TFor*> added;
  {
    // One edit of the ration: the page recomputes and repaints once.
    Editor::Batch batch(ration_);
    for (size_t k = 0; k < n; ++k) {
      const CandidateFeed& c = request_.feeds[k];
      if (c.rationIndex < 0 && result_.feeds[k].newKg > 0) {
        targets[k] = ration_.TakeFeed(*feedList_, c.listIndex);
        if (targets[k]) added.push_back(targets[k]);
      }
    }
    for (size_t k = 0; k < n; ++k) {
      const double kg = result_.feeds[k].newKg;
      if (targets[k] && targets[k]->TildeltKg != kg) ration_.SetAmount(RowOf(targets[k]), kg);
    }
  }
  before_ = std::move(before);
  added_ = std::move(added);
  after_ = Amounts(ration);
  canUndo_ = true;
  previewApplied_ = true;
  status_ = Tr(kBalApplied);
  // The candidates as the ration now is (its new amounts, the feeds it took in).
  Rebuild();
  Commit(kBalanceApplied | kBalanceCandidates, false);
  return {};
}

BalanceNote BalanceForm::Undo() {
  if (!canUndo_) return {};
  if (Amounts(ration_.Ration()) != after_) return Warning(Tr(kBalUndoChanged));
  {
    Editor::Batch batch(ration_);
    for (TFor* f : added_) {
      const int row = RowOf(f);
      if (row >= 0) ration_.RemoveFeed(ration_.Ration().FeedAt(row)->Fornavn, nullptr);
    }
    for (const auto& [feed, kg] : before_)
      if (feed->TildeltKg != kg) ration_.SetAmount(RowOf(feed), kg);
  }
  canUndo_ = false;
  before_.clear();
  added_.clear();
  after_.clear();
  Rebuild();
  // The preview that was applied fits the ration as it is again; any later one does not.
  const bool keep = previewApplied_;
  if (!keep) {
    result_ = BalanceResult();
    preview_.clear();
  }
  previewApplied_ = false;
  status_ = Tr(kBalUndone);
  Commit(kBalanceApplied | kBalanceCandidates | (keep ? 0u : unsigned{kBalancePreview}), false);
  return {};
}

}  // namespace stallora
