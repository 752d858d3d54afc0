#pragma once
// A horse's health record as pages and as a tree: the page of one treatment, the page of
// all treatments, and the tree the treatment page and the stable window show (by type or by
// date, newest plan first, the treatment that bans the horse marked).

#include <filesystem>
#include <string>
#include <vector>

#include "core/texts.h"
#include "nutrition/treatments.h"

namespace stallora {

class THest;

inline constexpr Text kTreatHest{"treatreport.horse", "Hest"};
inline constexpr Text kTreatUdfoert{"treatreport.done", "udført"};
inline constexpr Text kTreatPlanlagtLower{"treatreport.plannedlower", "planlagt"};
inline constexpr Text kTreatOmkostninger{"treatreport.cost", "Omkostninger"};
inline constexpr Text kTreatUdfoertHead{"treatreport.donehead", "Udført"};
inline constexpr Text kTreatStartforbud{"treatreport.ban", "Startforbud"};
inline constexpr Text kTreatNoteringer{"treatreport.notes", "Noteringer"};
inline constexpr Text kTreatPlanlagt{"treatreport.planned", "Planlagt"};
inline constexpr Text kTreatDato{"treatreport.date", "Dato"};
inline constexpr Text kTreatBehandlingstype{"treatreport.type", "Behandlingstype"};
inline constexpr Text kTreatBehandlingsnavn{"treatreport.name", "Behandlingsnavn"};
inline constexpr Text kTreatBehandlingsinformation{"treatreport.info", "Behandlingsinformation"};

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
