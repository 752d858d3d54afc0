#include "ui/models/treatmentsmodel.h"

#include <algorithm>

#include "render/qttext.h"
#include "ui/icons.h"

namespace stallora {

namespace {

QIcon TreeIcon(TreatmentIcon icon) {
  switch (icon) {
    case TreatmentIcon::Horse: return Icon(IconKind::Horse);
    case TreatmentIcon::Vet: return Icon(IconKind::Vet);
    case TreatmentIcon::Worm: return Icon(IconKind::Worm);
    case TreatmentIcon::Vacc: return Icon(IconKind::Vacc);
    case TreatmentIcon::Shoe: return Icon(IconKind::Shoe);
    case TreatmentIcon::Repro: return Icon(IconKind::Repro);
    case TreatmentIcon::Own: return Icon(IconKind::OtherTreatment);
    case TreatmentIcon::Overdue: return Icon(IconKind::Overdue);
    case TreatmentIcon::DueSoon: return Icon(IconKind::DueSoon);
    case TreatmentIcon::PlannedLater: return Icon(IconKind::PlannedLater);
    case TreatmentIcon::Ban: return Icon(IconKind::Ban);
    case TreatmentIcon::None: break;
  }
  return QIcon();
}

}  // namespace

TreatmentsModel::TreatmentsModel(HorseEditor& editor, QObject* parent) : QAbstractItemModel(parent), editor_(editor) {}

void TreatmentsModel::Build(bool byType) {
  beginResetModel();
  byType_ = byType;
  tree_ = BuildTree(*editor_.Horse().TreatmentListe, byType, editor_.Horse().Navn);
  endResetModel();
}

void TreatmentsModel::EditorChanged(ChangeFlags changed) {
  if (changed & kHorseTreatments) Rebuild();
}

const TreatmentTreeNode* TreatmentsModel::NodeOf(const QModelIndex& index) const {
  if (!index.isValid() || index.internalId() >= tree_.nodes.size()) return nullptr;
  return &tree_.nodes[index.internalId()];
}

QModelIndex TreatmentsModel::IndexOfNode(int node) const {
  if (node < 0 || node >= static_cast<int>(tree_.nodes.size())) return {};
  const int parent = tree_.nodes[static_cast<size_t>(node)].parent;
  if (parent < 0) return createIndex(0, 0, quintptr{0});
  const auto& siblings = tree_.nodes[static_cast<size_t>(parent)].children;
  const auto at = std::find(siblings.begin(), siblings.end(), node);
  if (at == siblings.end()) return {};
  return createIndex(static_cast<int>(at - siblings.begin()), 0, static_cast<quintptr>(node));
}

QModelIndex TreatmentsModel::index(int row, int column, const QModelIndex& parent) const {
  if (row < 0 || column != 0 || tree_.nodes.empty()) return {};
  if (!parent.isValid()) return row == 0 ? createIndex(0, 0, quintptr{0}) : QModelIndex();
  const TreatmentTreeNode* p = NodeOf(parent);
  if (!p || row >= static_cast<int>(p->children.size())) return {};
  return createIndex(row, 0, static_cast<quintptr>(p->children[static_cast<size_t>(row)]));
}

QModelIndex TreatmentsModel::parent(const QModelIndex& child) const {
  const TreatmentTreeNode* n = NodeOf(child);
  if (!n || n->parent < 0) return {};
  return IndexOfNode(n->parent);
}

int TreatmentsModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return tree_.nodes.empty() ? 0 : 1;
  if (parent.column() != 0) return 0;
  const TreatmentTreeNode* p = NodeOf(parent);
  return p ? static_cast<int>(p->children.size()) : 0;
}

int TreatmentsModel::columnCount(const QModelIndex&) const { return 1; }

QVariant TreatmentsModel::data(const QModelIndex& index, int role) const {
  const TreatmentTreeNode* n = NodeOf(index);
  if (!n) return {};
  switch (role) {
    case Qt::DisplayRole: return Q(n->text);
    case Qt::DecorationRole: return TreeIcon(n->icon);
    case kTreatmentRole: return QVariant::fromValue(reinterpret_cast<quintptr>(n->treatment));
    case kTypeRole: return TypeAt(index);
    default: return {};
  }
}

TTreatmentObj* TreatmentsModel::TreatmentAt(const QModelIndex& index) const {
  const TreatmentTreeNode* n = NodeOf(index);
  return n ? n->treatment : nullptr;
}

int TreatmentsModel::TypeAt(const QModelIndex& index) const {
  const TreatmentTreeNode* n = NodeOf(index);
  // The type nodes are the root's children in the layout by type, in the types' order.
  if (!n || !byType_ || n->parent != 0 || n->treatment) return -1;
  return index.row();
}

QModelIndex TreatmentsModel::IndexWithText(const QString& text) const {
  const std::string wanted = L(text);
  for (int node : tree_.TreeOrder())
    if (tree_.nodes[static_cast<size_t>(node)].text == wanted) return IndexOfNode(node);
  return {};
}

QModelIndex TreatmentsModel::IndexOfTreatment(const TTreatmentObj* treatment) const {
  return IndexOfNode(tree_.NodeOf(treatment));
}

}  // namespace stallora
