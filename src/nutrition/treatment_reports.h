#pragma once
// A horse's health record as pages and as a tree: the page of one treatment, the page of
// all treatments, and the tree the treatment page and the stable window show (by type or by
// date, newest plan first, the treatment that bans the horse marked).

#include <filesystem>
#include <string>
#include <vector>

#include "core/texts.h"
#include "core/common_texts.h"
#include "nutrition/treatments.h"

namespace stallora {

class THest;

inline constexpr const Text& kTreatHest = common::kHest;
inline constexpr const Text& kTreatUdfoert = common::kUdfoert2;
inline constexpr const Text& kTreatPlanlagtLower = common::kPlanlagt2;
inline constexpr const Text& kTreatOmkostninger = common::kOmkostninger;
inline constexpr const Text& kTreatUdfoertHead = common::kUdfoert;
inline constexpr const Text& kTreatStartforbud = common::kStartforbud;
inline constexpr const Text& kTreatNoteringer = common::kNoteringer;
inline constexpr const Text& kTreatPlanlagt = common::kPlanlagt;
inline constexpr const Text& kTreatDato = common::kDato;
inline constexpr const Text& kTreatBehandlingstype = common::kBehandlingstype;
inline constexpr const Text& kTreatBehandlingsnavn = common::kBehandlingsnavn;
inline constexpr const Text& kTreatBehandlingsinformation = common::kBehandlingsinformation;

// The page of one treatment. `horse` names the page ("Hest" without one).
std::string SingleReport(const TTreatmentObj& treatment, const THest* horse);

// The page of all treatments: the ones not done by planned date (earliest first), then the
// done ones by done date (latest first).
std::string ListReport(const TTreatmentList& list, const THest* horse);

// Writes ListReport to the horse's report file of kind "Behandlinger" in its directory.
// Returns the path, or an empty path with `error` set when it cannot be written.
std::filesystem::path WriteListReport(const TTreatmentList& list, const THest& horse,
                                      const std::filesystem::path& horseDirectory, std::string* error = nullptr);

// ---- the tree

enum class TreatmentIcon : uint8_t {
  None,
  Horse,
  Vet,
  Worm,
  Vacc,
  Shoe,
  Repro,
  Own,
  Overdue,
  DueSoon,
  PlannedLater,
  Ban,
};

struct TreatmentTreeNode {
  std::string text;
  TreatmentIcon icon = TreatmentIcon::None;
  int level = 0;
  int parent = -1;
  std::vector<int> children;        // indexes into the tree's nodes, in display order
  TTreatmentObj* treatment = nullptr;  // for treatment nodes
};

struct TreatmentTree {
  std::vector<TreatmentTreeNode> nodes;  // nodes[0] is the root (the horse)
  int banNode = -1;                      // the node with the ban icon, or -1

  // Node indexes in display order (each node before its children), the root first.
  std::vector<int> TreeOrder() const;
  // The node of a treatment, or -1.
  int NodeOf(const TTreatmentObj* treatment) const;
  // The first treatment node (in display order) whose text is `caption`, or -1; how a
  // window finds a treatment's node again after a rebuild.
  int NodeWithCaption(const std::string& caption) const;
};

// Builds the tree: a root (text `rootText`, the caller's horse name), then by type six type
// nodes with the treatments under them, or by date the treatments directly under the root.
// Siblings are kept in descending PlannedDate order (a treatment goes before the first
// sibling planned no later than it, so equal dates come out in reverse list order). Then
// the ban is worked out again from the tree: the list's HorseOKToStartDate is first set to
// 0 (in both modes, so a lifted ban stops showing) and then takes the latest future
// OKToStartDate; the node of that treatment gets the ban icon.
TreatmentTree BuildTree(TTreatmentList& list, bool byType, const std::string& rootText = {});

}  // namespace stallora
