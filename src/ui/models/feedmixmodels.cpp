#include "ui/models/feedmixmodels.h"

#include <QFont>

#include "feeds/mix_sources.h"
#include "render/qttext.h"
#include "ui/icons.h"

namespace stallora {

// ---------------------------------------------------------------- the source tree

MixSourceTreeModel::MixSourceTreeModel(FeedMixEditor& editor, QObject* parent)
    : QAbstractItemModel(parent), editor_(editor) {
  Rebuild();
}

void MixSourceTreeModel::Rebuild() {
  beginResetModel();
  nodes_.clear();
  const MixSourceTree& tree = editor_.Tree();
  auto add = [&](int parent, Kind kind, const std::string& name, int feed, int icon) {
    Node n;
    n.icon = icon;
    n.parent = parent;
    n.kind = kind;
    n.name = name;
    n.feed = feed;
    const int id = static_cast<int>(nodes_.size());
    if (parent >= 0) {
      n.row = static_cast<int>(nodes_[static_cast<size_t>(parent)].children.size());
      nodes_[static_cast<size_t>(parent)].children.push_back(id);
    }
    nodes_.push_back(std::move(n));
    return id;
  };
  if (editor_.Source()) {
    const int root = add(-1, Kind::Root, tree.rootName, -1, kIconSourceRoot);
    for (const MixSourceTree::Group& g : tree.groups) {
      const int gid = add(root, Kind::Group, g.name, -1, g.icon);
      for (const MixSourceTree::Brand& b : g.brands) {
        const int bid = add(gid, Kind::Brand, b.name, -1, -1);
        for (const MixSourceTree::Feed& f : b.feeds) add(bid, Kind::Feed, f.name, f.index, f.icon);
      }
    }
  }
  endResetModel();
}

void MixSourceTreeModel::EditorChanged(ChangeFlags changed) {
  if (changed & (kMixSource | kMixLists)) {
    Rebuild();
    return;
  }
  if (!(changed & kMixFeeds)) return;
  for (size_t i = 0; i < nodes_.size(); ++i)
    if (nodes_[i].kind == Kind::Feed) {
      const QModelIndex at = IndexOf(static_cast<int>(i));
      emit dataChanged(at, at, {Qt::CheckStateRole, Qt::FontRole});
    }
}

QModelIndex MixSourceTreeModel::IndexOf(int node) const {
  if (node < 0 || node >= static_cast<int>(nodes_.size())) return {};
  return createIndex(nodes_[static_cast<size_t>(node)].row, 0, static_cast<quintptr>(node));
}

const MixSourceTreeModel::Node* MixSourceTreeModel::At(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != this) return nullptr;
  const auto id = static_cast<size_t>(index.internalId());
  return id < nodes_.size() ? &nodes_[id] : nullptr;
}

MixSourceTreeModel::Kind MixSourceTreeModel::KindOf(const QModelIndex& index) const {
  const Node* n = At(index);
  return n ? n->kind : Kind::Root;
}

int MixSourceTreeModel::FeedOf(const QModelIndex& index) const {
  const Node* n = At(index);
  return n && n->kind == Kind::Feed ? n->feed : -1;
}

QModelIndex MixSourceTreeModel::IndexOfFeed(int feed) const {
  for (size_t i = 0; i < nodes_.size(); ++i)
    if (nodes_[i].kind == Kind::Feed && nodes_[i].feed == feed) return IndexOf(static_cast<int>(i));
  return {};
}

QModelIndex MixSourceTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0 || row < 0) return {};
  if (!parent.isValid()) return nodes_.empty() || row > 0 ? QModelIndex() : IndexOf(0);
  const Node* p = At(parent);
  if (!p || row >= static_cast<int>(p->children.size())) return {};
  return IndexOf(p->children[static_cast<size_t>(row)]);
}

QModelIndex MixSourceTreeModel::parent(const QModelIndex& child) const {
  const Node* n = At(child);
  return n ? IndexOf(n->parent) : QModelIndex();
}

int MixSourceTreeModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return nodes_.empty() ? 0 : 1;
  if (parent.column() != 0) return 0;
  const Node* p = At(parent);
  return p ? static_cast<int>(p->children.size()) : 0;
}

int MixSourceTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant MixSourceTreeModel::data(const QModelIndex& index, int role) const {
  const Node* n = At(index);
  if (!n) return {};
  const bool inMix = n->kind == Kind::Feed && editor_.InMix(n->feed);
  switch (role) {
    case Qt::DisplayRole: return Q(n->name);
    case Qt::DecorationRole:
      if (n->kind == Kind::Feed && inMix) return ImageListIcon(kIconPickedIntoMix);
      return n->icon >= 0 ? QVariant(ImageListIcon(n->icon)) : QVariant();
    case Qt::CheckStateRole:
      if (n->kind == Kind::Feed) return inMix ? Qt::Checked : Qt::Unchecked;
      return {};
    case Qt::FontRole:
      if (inMix) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    default: return {};
  }
}

// ---------------------------------------------------------------- the mixing grid

MixGridModel::MixGridModel(FeedMixEditor& editor, QObject* parent)
    : EditorTableModel(kMixFeeds, kMixAmounts, parent), editor_(editor) {}

int MixGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : editor_.Rows(); }
int MixGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant MixGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= editor_.Rows()) return {};
  const int row = index.row();
  if (role == Qt::TextAlignmentRole)
    return index.column() == kName ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  switch (index.column()) {
    case kName: return Q(editor_.NameCell(row));
    case kPrice: return Q(editor_.PriceCell(row)).trimmed();
    case kPercent: return Q(editor_.PercentCell(row)).trimmed();
    case kKg: return Q(editor_.KgCell(row)).trimmed();
    default: return {};
  }
}

QVariant MixGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  const std::vector<std::string> headers = editor_.Headers();
  return section >= 0 && section < static_cast<int>(headers.size()) ? QVariant(Q(headers[static_cast<size_t>(section)]))
                                                                    : QVariant();
}

Qt::ItemFlags MixGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == kPrice || index.column() == kKg) f |= Qt::ItemIsEditable;
  return f;
}

bool MixGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid()) return false;
  const std::string text = L(value.toString());
  if (index.column() == kKg) return editor_.SetAmountText(index.row(), text);
  if (index.column() == kPrice) return editor_.SetPriceText(index.row(), text);
  return false;
}

}  // namespace stallora
