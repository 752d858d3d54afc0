#include "ui/models/stabletreemodels.h"

#include "render/qttext.h"
#include "ui/icons.h"

namespace stallora {

namespace sc = stablechange;

namespace {

QIcon TypeIcon(int type) {
  switch (type) {
    case 0: return Icon(IconKind::Vet);
    case 1: return Icon(IconKind::Worm);
    case 2: return Icon(IconKind::Vacc);
    case 3: return Icon(IconKind::Shoe);
    case 4: return Icon(IconKind::Repro);
    default: return Icon(IconKind::OtherTreatment);
  }
}

QIcon NodeIcon(const StableTreeNode& n, bool modelStable) {
  switch (n.icon) {
    case StableTreeIcon::Stable: return Icon(modelStable ? IconKind::ModelStable : IconKind::Stable);
    case StableTreeIcon::Horse: return Icon(modelStable ? IconKind::ModelHorse : IconKind::Horse);
    case StableTreeIcon::Type: return TypeIcon(n.type);
    case StableTreeIcon::Overdue: return Icon(IconKind::Overdue);
    case StableTreeIcon::DueSoon: return Icon(IconKind::DueSoon);
    case StableTreeIcon::PlannedLater: return Icon(IconKind::PlannedLater);
    case StableTreeIcon::None: break;
  }
  return {};
}

}  // namespace

// ---- treatments

StableTreatmentTreeModel::StableTreatmentTreeModel(StableEditor& editor, QObject* parent)
    : NodeTreeModel(parent), editor_(editor) {
  Renew();
}

void StableTreatmentTreeModel::EditorChanged(ChangeFlags changed) {
  if (changed & (sc::kTreatmentTree | sc::kCaption)) Renew();
}

QVariant StableTreatmentTreeModel::data(const QModelIndex& index, int role) const {
  const StableTreeNode* n = NodeOf(index);
  if (!n) return {};
  if (role == Qt::DisplayRole) return Q(n->text);
  if (role == Qt::DecorationRole) return NodeIcon(*n, editor_.View().modelStable);
  return {};
}

QModelIndexList StableTreatmentTreeModel::ExpandedIndexes() const {
  QModelIndexList out;
  std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& at) {
    const StableTreeNode* n = NodeOf(at);
    if (n && n->expanded) out << at;
    for (int r = 0; r < rowCount(at); ++r) walk(index(r, 0, at));
  };
  for (int r = 0; r < rowCount(); ++r) walk(index(r, 0));
  return out;
}

// ---- saved reports

ReportsTreeModel::ReportsTreeModel(StableEditor& editor, QObject* parent) : NodeTreeModel(parent), editor_(editor) {
  Renew();
}

void ReportsTreeModel::EditorChanged(ChangeFlags changed) {
  // A new selection alone (kReportsButton) leaves the tree as it is.
  if (changed & (sc::kReportsTree | sc::kCaption)) Renew();
}

QVariant ReportsTreeModel::data(const QModelIndex& index, int role) const {
  const ReportsTreeNode* n = NodeOf(index);
  if (!n) return {};
  if (role == Qt::DisplayRole) return Q(n->text);
  if (role == Qt::DecorationRole) {
    switch (n->kind) {
      case ReportsTreeNode::Kind::Root: return Icon(IconKind::Stable);
      case ReportsTreeNode::Kind::Horse: return Icon(IconKind::Horse);
      case ReportsTreeNode::Kind::Report: return Icon(IconKind::Print);
    }
  }
  return {};
}

std::optional<ReportsSelection> ReportsTreeModel::SelectionOf(const QModelIndex& index) const {
  const ReportsTreeNode* n = NodeOf(index);
  if (!n) return std::nullopt;
  switch (n->kind) {
    case ReportsTreeNode::Kind::Root: return ReportsSelection{-1, -1};
    case ReportsTreeNode::Kind::Horse: return ReportsSelection{PlaceOf(n).row, -1};
    case ReportsTreeNode::Kind::Report: {
      const Place p = PlaceOf(n);
      return ReportsSelection{PlaceOf(p.parent).row, p.row};
    }
  }
  return std::nullopt;
}

QModelIndex ReportsTreeModel::IndexOf(const ReportsSelection& s) const {
  QModelIndex at = index(0, 0);
  if (!at.isValid() || s.horse < 0) return at;
  at = index(s.horse, 0, at);
  return s.report < 0 ? at : index(s.report, 0, at);
}

}  // namespace stallora
