#pragma once
// The state and rules of the ration page's "Balancér ration" dialog, without Qt. The form
// holds the balancer's request for the horse of a RationEditor (the candidate feeds, their
// lock and bounds, the objective), runs the balancer when asked, keeps the preview it gives
// and puts the proposal into the ration through the RationEditor's own operations, as typed
// amounts are, so the page, the reports and saving see an ordinary edit. The last Apply can
// be undone once.
//
// Editing a bound or the objective makes the preview stale: it is dropped, so an Apply always
// applies what the preview shows for the bounds shown.
//
// Texts are Windows-1252.

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/editor.h"
#include "forms/ration_editor.h"
#include "ration/optimizer.h"

namespace stallora {

// What an edit of the form changed.
enum BalanceChange : ChangeFlags {
  kBalanceCandidates = 1u << 0,  // candidate rows came or went (the all-feeds choice)
  kBalanceBounds = 1u << 1,      // a lock, a minimum or a maximum
  kBalanceObjective = 1u << 2,
  kBalancePreview = 1u << 3,  // a new preview, or none
  kBalanceApplied = 1u << 4,  // the proposal applied or undone
};

// One row of the preview, as shown.
struct BalancePreviewRow {
  std::string feed;
  std::string oldKg, newKg, cost;
  std::string note;  // what holds the amount: the lock, a bound, the grazing
  bool changed = false;
};

// What an action has to tell the user; nothing when `text` is empty.
struct BalanceNote {
  enum Kind { kNone, kInform, kWarn };
  Kind kind = kNone;
  std::string text;
  explicit operator bool() const { return kind != kNone; }
};

class BalanceForm : public Editor {
 public:
  // `feedList` is the stable's feed list (for "all feeds"), or nullptr. The solver must
  // outlive the form.
  BalanceForm(RationEditor& ration, const TForListe* feedList, const LpSolver& solver);

  THest& Horse() const { return ration_.Horse(); }
  char Sep() const;

  // Why the horse cannot be balanced at all (no requirement, a feed that is not a number),
  // or empty.
  std::string CannotBalance() const;

  // ---- the candidates
  int Rows() const { return static_cast<int>(request_.feeds.size()); }
  const CandidateFeed& Candidate(int row) const { return request_.feeds.at(static_cast<size_t>(row)); }
  std::string CurrentText(int row) const;
  std::string MinText(int row) const;  // empty for 0
  std::string MaxText(int row) const;  // empty for none
  // A grazed pasture stays locked at the grazing amount.
  bool CanLock(int row) const;
  bool AllFeeds() const { return allFeeds_; }
  bool HasFeedList() const { return feedList_ != nullptr; }
  BalanceObjective Objective() const { return request_.objective; }

  // ---- edits: each one commit, the preview dropped
  // The candidates anew, with or without the feed list's other feeds; the bounds set for a
  // feed stay with it.
  BalanceNote SetAllFeeds(bool on);
  bool SetLocked(int row, bool locked);
  // A typed bound in kg (comma or point); empty clears it. Refused with the reason.
  BalanceNote SetMin(int row, std::string_view typed);
  BalanceNote SetMax(int row, std::string_view typed);
  void SetObjective(BalanceObjective objective);

  // ---- the preview
  // Runs the balancer on the request. A refusal or a solver stop comes back as a warning,
  // with no preview.
  BalanceNote Calculate();
  bool HasPreview() const { return result_.HasProposal(); }
  const BalanceResult& Result() const { return result_; }
  const std::vector<BalancePreviewRow>& Preview() const { return preview_; }
  // The preview's total line: the feed cell and the two costs.
  BalancePreviewRow TotalRow() const;
  // What the preview says: balanced or the closest, and the cost; or how to get one.
  std::string StatusText() const;
  // The limits that bind and those that cannot be met, each group under its header.
  std::vector<std::string> LimitLines() const;

  // ---- apply and undo
  // A preview not yet applied.
  bool CanApply() const { return HasPreview() && !previewApplied_; }
  BalanceNote Apply();
  // The last Apply, until it is undone (one step).
  bool CanUndo() const { return canUndo_; }
  BalanceNote Undo();

 protected:
  // The balancer run on the request (the form's one computation).
  void Recompute() override;

 private:
  void Rebuild();
  void Stale(ChangeFlags changed);
  bool StillMatches() const;
  int RowOf(const TFor* feed) const;
  std::string Kg(double kg) const;
  BalanceNote SetBound(int row, std::string_view typed, bool upper);

  RationEditor& ration_;
  const TForListe* feedList_;
  const LpSolver& solver_;
  bool allFeeds_ = false;
  BalanceRequest request_;
  std::map<std::string, CandidateFeed> remembered_;  // the bounds last set, by feed name
  BalanceResult result_;
  std::vector<BalancePreviewRow> preview_;

  bool previewApplied_ = false;
  std::string status_;  // what the last Apply or Undo did

  // The last Apply: each ration feed's amount before, the feeds it added, and the ration as
  // Apply left it (Undo refuses when it changed since).
  bool canUndo_ = false;
  std::vector<std::pair<TFor*, double>> before_;
  std::vector<TFor*> added_;
  std::vector<std::pair<TFor*, double>> after_;
};

}  // namespace stallora
