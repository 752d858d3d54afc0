#include "forms/stable_trees.h"

#include "core/textutil.h"
#include "forms/stable_texts.h"
#include "stable/stable_reports.h"

namespace stallora {

using namespace stabletext;

namespace {

constexpr int kTypeCount = 6;

TTreatmentType TypeOf(int t) { return static_cast<TTreatmentType>(t); }

// Keeps descending PlannedDate order: before the first sibling not planned later.
void InsertByDate(std::vector<StableTreeNode>& siblings, StableTreeNode node) {
  auto it = siblings.begin();
  for (; it != siblings.end(); ++it)
    if (it->treatment && it->treatment->PlannedDate <= node.treatment->PlannedDate) break;
  siblings.insert(it, std::move(node));
}

StableTreeNode TreatmentNode(THest& horse, TTreatmentObj& t) {
  StableTreeNode n;
  n.kind = StableTreeNode::Kind::Treatment;
  n.text = t.Caption();
  n.icon = StatusIcon(t);
  n.horse = &horse;
  n.treatment = &t;
  return n;
}

StableTreeNode HorseNode(THest& horse, std::string text) {
  StableTreeNode n;
  n.kind = StableTreeNode::Kind::Horse;
  n.text = std::move(text);
  n.icon = StableTreeIcon::Horse;
  n.horse = &horse;
  return n;
}

StableTreeNode TypeNode(int t) {
  StableTreeNode n;
  n.kind = StableTreeNode::Kind::Type;
  n.text = TreatmentTypeName(t);
  n.icon = StableTreeIcon::Type;
  n.type = t;
  return n;
}

void ExpandAll(StableTreeNode& n) {
  n.expanded = !n.children.empty();
  for (auto& c : n.children) ExpandAll(c);
}

}  // namespace

TreatmentSummary BuildTreatmentSummary(const TStall& stable, DayNumber today, DayNumber until) {
  TreatmentSummary s;
  int total = 0;
  for (int t = 0; t < kTypeCount; ++t) {
    int n = 0;
    for (const auto& h : stable.Horses())
      if (h->TreatmentListe && h->TreatmentListe->HasDueBefore(TypeOf(t), until)) ++n;
    s.dueCounts.push_back(n);
    total += n;
    s.lines.push_back(TreatmentTypeName(t) + ": " + std::to_string(n) + " " + FirstLetterLower(Tr(kHeste)));
  }
  for (const auto& h : stable.Horses())
    if (h->TreatmentListe && h->TreatmentListe->HorseOKToStartDate > today) ++s.banned;
  s.visible = s.banned + total > 0;
  if (s.visible && s.banned > 0) {
    s.banHint = Tr(kSrStartforbud) + ":\r" + std::to_string(s.banned) + " " + Tr(kHeste);
    s.lines.push_back(Tr(kSrStartforbud) + ": " + std::to_string(s.banned) + " " + Tr(kHeste));
  }
  return s;
}

std::string TreatmentsUntilText(const Regional& regional, DayNumber until) {
  return Tr(kSrPlanlagtFrem) + " " + regional.FormatShortDate(until);
}

std::optional<SummaryJump> SummaryLineJump(const TreatmentSummary& summary, int line, const std::string& untilText) {
  if (line < 0 || line >= static_cast<int>(summary.lines.size())) return std::nullopt;
  const std::string& text = summary.lines[static_cast<size_t>(line)];
  SummaryJump jump;
  if (text.find(": 0") != std::string::npos) {
    jump.message = text.substr(0, text.find(':') + 1) + " " + Tr(kBehandling) + " " + FirstLetterLower(Tr(kIkkeBestilt));
    jump.label = Tr(kBehandlingsinformation) + ": " + Tr(kAlle) + " " + FirstLetterLower(Tr(kSrBehandlinger));
    jump.treeMode = 0;
  } else if (line == kTypeCount) {
    jump.label = Tr(kHesteMedStartforbud);
    jump.treeMode = 3;
  } else {
    jump.label = untilText;
    jump.treeMode = 1;
    jump.type = line;
  }
  return jump;
}

StableTreeIcon StatusIcon(const TTreatmentObj& t) {
  switch (t.Status()) {
    case TreatmentStatus::Overdue: return StableTreeIcon::Overdue;
    case TreatmentStatus::DueSoon: return StableTreeIcon::DueSoon;
    case TreatmentStatus::PlannedLater: return StableTreeIcon::PlannedLater;
    case TreatmentStatus::None: break;
  }
  return StableTreeIcon::None;
}

StableTreeNode BuildStableTreatmentTree(const TStall& stable, int mode, int expandType, const Regional& regional) {
  StableTreeNode root;
  root.kind = StableTreeNode::Kind::Root;
  root.text = stable.stallNavn;
  root.icon = StableTreeIcon::Stable;
  if (stable.HorseCount() == 0) return root;
  if (mode == 1) {
    for (int t = 0; t < kTypeCount; ++t) {
      bool any = false;
      for (const auto& h : stable.Horses()) any = any || (h->TreatmentListe && h->TreatmentListe->HasType(TypeOf(t)));
      if (!any) continue;
      StableTreeNode type = TypeNode(t);
      for (const auto& h : stable.Horses()) {
        const TTreatmentList* list = h->TreatmentListe.get();
        if (!list || !list->HasType(TypeOf(t))) continue;
        StableTreeNode horse = HorseNode(*h, h->Navn);
        for (int i = 0; i < list->Count(); ++i) {
          TTreatmentObj* tr = list->Items(i);
          if (tr->TreatmentType == TypeOf(t) && !tr->IsDone()) InsertByDate(horse.children, TreatmentNode(*h, *tr));
        }
        type.children.push_back(std::move(horse));
      }
      if (t == expandType) ExpandAll(type);
      root.children.push_back(std::move(type));
    }
    root.expanded = true;
    return root;
  }
  if (mode == 3) {
    for (const auto& h : stable.Horses()) {
      const TTreatmentList* list = h->TreatmentListe.get();
      if (!list || !list->IsBanned()) continue;
      root.children.push_back(HorseNode(*h, h->Navn + " - " + regional.FormatShortDate(list->HorseOKToStartDate)));
    }
    ExpandAll(root);
    return root;
  }
  for (const auto& h : stable.Horses()) {
    StableTreeNode horse = HorseNode(*h, h->Navn);
    for (int t = 0; t < kTypeCount; ++t) {
      StableTreeNode type = TypeNode(t);
      if (const TTreatmentList* list = h->TreatmentListe.get())
        for (int i = 0; i < list->Count(); ++i) {
          TTreatmentObj* tr = list->Items(i);
          if (tr->TreatmentType == TypeOf(t)) InsertByDate(type.children, TreatmentNode(*h, *tr));
        }
      horse.children.push_back(std::move(type));
    }
    root.children.push_back(std::move(horse));
  }
  root.expanded = true;
  return root;
}

std::optional<ReportsTreeNode> BuildReportsTree(const TStall& stable) {
  const SavedReports saved = ListSavedReports(stable);
  if (!saved.stableFile) return std::nullopt;
  ReportsTreeNode root;
  root.text = stable.stallNavn;
  for (const SavedHorseReports& h : saved.horses) {
    ReportsTreeNode horse;
    horse.kind = ReportsTreeNode::Kind::Horse;
    horse.text = horse.horse = h.horse;
    for (const std::string& f : h.files) {
      ReportsTreeNode report;
      report.kind = ReportsTreeNode::Kind::Report;
      report.text = report.file = f;
      report.horse = h.horse;
      horse.children.push_back(std::move(report));
    }
    root.children.push_back(std::move(horse));
  }
  return root;
}

ReportsDeleteButton ReportsButtonFor(const std::optional<ReportsTreeNode>& tree,
                                     const std::optional<ReportsSelection>& selection) {
  const std::string one = Tr(kSlet) + " " + FirstLetterLower(Tr(kRapport));
  const std::string all = Tr(kSletAlle) + " " + FirstLetterLower(Tr(kRapporter));
  ReportsDeleteButton b{one, false};
  if (!tree || !selection || tree->children.empty()) return b;
  if (selection->horse < 0) {
    // The root stays the selection: its button deletes every horse's reports.
    b.caption = all;
    for (const auto& h : tree->children) b.enabled = b.enabled || !h.children.empty();
    return b;
  }
  if (selection->horse >= static_cast<int>(tree->children.size())) return b;
  const ReportsTreeNode& horse = tree->children[static_cast<size_t>(selection->horse)];
  if (selection->report < 0) {
    b.caption = all + " " + FirstLetterLower(horse.horse);
    b.enabled = !horse.children.empty();
    return b;
  }
  b.enabled = selection->report < static_cast<int>(horse.children.size());
  return b;
}

}  // namespace stallora
