#pragma once
// The stable window's overviews of all its horses, as data the window shows: the summary
// of due treatments and bans, the treatment tree in its three modes, and the tree of the
// report files saved in the horses' directories with the rules of its delete button.

#include <optional>
#include <string>
#include <vector>

#include "config/preferences.h"
#include "core/seams.h"
#include "nutrition/treatments.h"
#include "stable/saved_reports.h"
#include "stable/stall.h"

namespace stallora {

// ---- treatment summary

struct TreatmentSummary {
  // One line per treatment type, then "Startforbud: b Heste" when a horse is banned.
  std::vector<std::string> lines;
  std::vector<int> dueCounts;  // per type 0..5
  int banned = 0;
  bool visible = false;  // anything due or banned
  std::string banHint;   // the ban picture's hint; the picture shows when banned > 0
};

// Counts, per type, the horses with a treatment due up to `until`, and the horses whose
// ban lasts beyond today.
TreatmentSummary BuildTreatmentSummary(const TStall& stable, DayNumber today, DayNumber until);

// "Behandlinger planlagt frem til " + " " + the date `until`.
std::string TreatmentsUntilText(const Regional& regional, DayNumber until);

// What a double click on a summary line leads to.
struct SummaryJump {
  std::string message;  // shown first when not empty
  std::string label;    // the treatment page's label
  int treeMode = 0;     // 0, 1 or 3
  int type = -1;        // the type to expand (mode 1)
};
std::optional<SummaryJump> SummaryLineJump(const TreatmentSummary& summary, int line, const std::string& untilText);

// ---- treatment tree

enum class StableTreeIcon { Stable, Horse, Type, Overdue, DueSoon, PlannedLater, None };

struct StableTreeNode {
  enum class Kind { Root, Horse, Type, Treatment };
  Kind kind = Kind::Root;
  std::string text;
  StableTreeIcon icon = StableTreeIcon::None;
  int type = -1;  // the type of a type node (its icon)
  THest* horse = nullptr;
  TTreatmentObj* treatment = nullptr;
  bool expanded = false;
  std::vector<StableTreeNode> children;
};

// Mode 0: each horse with its treatments by type; 1: by type, each type with the horses
// that have it and their treatments not done (`expandType` fully expanded); 3: the horses
// with a ban and its end. The root (the stable) has no children when the stable has no
// horses.
StableTreeNode BuildStableTreatmentTree(const TStall& stable, int mode, int expandType, const Regional& regional);

// The icon of a treatment's status (none for a done one).
StableTreeIcon StatusIcon(const TTreatmentObj& t);

// ---- reports tree

struct ReportsTreeNode {
  enum class Kind { Root, Horse, Report };
  Kind kind = Kind::Root;
  std::string text;
  std::string horse;  // horse and report nodes
  std::string file;   // report nodes
  std::vector<ReportsTreeNode> children;
};

// The root (the stable) when its own file is in its directory, with a node per horse
// directory and below it one per saved report; nothing otherwise.
std::optional<ReportsTreeNode> BuildReportsTree(const TStall& stable);

// Where a node is in the reports tree: the horse's index below the root (-1 for the root)
// and the report's index below the horse (-1 for a horse node).
struct ReportsSelection {
  int horse = -1;
  int report = -1;
};

// The delete button for a selection (none: nothing selected).
struct ReportsDeleteButton {
  std::string caption;
  bool enabled = false;
};
ReportsDeleteButton ReportsButtonFor(const std::optional<ReportsTreeNode>& tree,
                                     const std::optional<ReportsSelection>& selection);

}  // namespace stallora
