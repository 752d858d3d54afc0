#include "ui/models/feedlisttreemodel.h"

#include "render/qttext.h"
#include "ui/icons.h"

namespace stallora {

FeedListTreeModel::FeedListTreeModel(FeedListEditor& editor, QObject* parent)
    : QAbstractItemModel(parent), editor_(editor), nodes_(Build()) {}

std::vector<FeedListTreeModel::Node> FeedListTreeModel::Build() const {
  std::vector<Node> nodes;
  const FeedTree& tree = editor_.Tree();
  auto add = [&](int parent, Kind kind, const std::string& name, int picked) {
    Node n;
    n.parent = parent;
    n.kind = kind;
    n.name = name;
    n.picked = picked;
    const int id = static_cast<int>(nodes.size());
    if (parent >= 0) {
      n.row = static_cast<int>(nodes[static_cast<size_t>(parent)].children.size());
      nodes[static_cast<size_t>(parent)].children.push_back(id);
    }
    nodes.push_back(std::move(n));
    return id;
  };
  const int root = add(-1, Kind::Root, tree.rootName, 0);
  const TForListe& list = editor_.List();
  for (size_t g = 0; g < tree.groups.size(); ++g) {
    const FeedTree::Group& group = tree.groups[g];
    const int gid = add(root, Kind::Group, group.name, group.picked);
    nodes[static_cast<size_t>(gid)].group = static_cast<int>(g);
    for (size_t b = 0; b < group.brands.size(); ++b) {
      const FeedTree::Brand& brand = group.brands[b];
      const int bid = add(gid, Kind::Brand, brand.name, brand.picked);
      nodes[static_cast<size_t>(bid)].group = static_cast<int>(g);
      nodes[static_cast<size_t>(bid)].brand = static_cast<int>(b);
      for (int feed : brand.feeds) {
        const TFor* f = list.FeedAt(feed);
        const int fid = add(bid, Kind::Feed, f ? f->Fornavn : std::string(), f && f->Valgt ? 1 : 0);
        nodes[static_cast<size_t>(fid)].feed = feed;
      }
    }
  }
  return nodes;
}

void FeedListTreeModel::Rebuild() {
  beginResetModel();
  nodes_ = Build();
  endResetModel();
}

void FeedListTreeModel::EditorChanged(ChangeFlags changed) {
  if (!(changed & (kFlcTree | kFlcPicks | kFlcInfo))) return;
  std::vector<Node> fresh = Build();
  bool same = fresh.size() == nodes_.size();
  for (size_t i = 0; same && i < fresh.size(); ++i)
    same = fresh[i].parent == nodes_[i].parent && fresh[i].feed == nodes_[i].feed && fresh[i].kind == nodes_[i].kind &&
           fresh[i].name == nodes_[i].name;
  if (!same) {
    Rebuild();
    return;
  }
  // Only counts and marks differ: the view keeps what is open and selected.
  nodes_ = std::move(fresh);
  for (size_t i = 0; i < nodes_.size(); ++i)
    if (!nodes_[i].children.empty())
      emit dataChanged(IndexOf(nodes_[i].children.front()), IndexOf(nodes_[i].children.back()),
                       {Qt::DisplayRole, Qt::CheckStateRole});
}

QModelIndex FeedListTreeModel::IndexOf(int node) const {
  if (node < 0 || node >= static_cast<int>(nodes_.size())) return {};
  return createIndex(nodes_[static_cast<size_t>(node)].row, 0, static_cast<quintptr>(node));
}

const FeedListTreeModel::Node* FeedListTreeModel::At(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != this) return nullptr;
  const quintptr id = index.internalId();
  return id < nodes_.size() ? &nodes_[id] : nullptr;
}

FeedListTreeModel::Kind FeedListTreeModel::KindOf(const QModelIndex& index) const {
  const Node* n = At(index);
  return n ? n->kind : Kind::Root;
}

int FeedListTreeModel::FeedOf(const QModelIndex& index) const {
  const Node* n = At(index);
  return n ? n->feed : -1;
}

bool FeedListTreeModel::NodeOf(const QModelIndex& index, int* group, int* brand) const {
  const Node* n = At(index);
  if (!n || (n->kind != Kind::Group && n->kind != Kind::Brand)) return false;
  *group = n->group;
  *brand = n->brand;
  return true;
}

QModelIndex FeedListTreeModel::IndexOfFeed(int feed) const {
  for (size_t i = 0; i < nodes_.size(); ++i)
    if (nodes_[i].kind == Kind::Feed && nodes_[i].feed == feed) return IndexOf(static_cast<int>(i));
  return {};
}

QModelIndex FeedListTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0 || row < 0) return {};
  if (!parent.isValid()) return (row == 0 && !nodes_.empty()) ? IndexOf(0) : QModelIndex();
  const Node* p = At(parent);
  if (!p || row >= static_cast<int>(p->children.size())) return {};
  return IndexOf(p->children[static_cast<size_t>(row)]);
}

QModelIndex FeedListTreeModel::parent(const QModelIndex& child) const {
  const Node* n = At(child);
  return n ? IndexOf(n->parent) : QModelIndex();
}

int FeedListTreeModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return nodes_.empty() ? 0 : 1;
  if (parent.column() != 0) return 0;
  const Node* n = At(parent);
  return n ? static_cast<int>(n->children.size()) : 0;
}

int FeedListTreeModel::columnCount(const QModelIndex& parent) const {
  (void)parent;
  return 1;
}

QVariant FeedListTreeModel::data(const QModelIndex& index, int role) const {
  const Node* n = At(index);
  if (!n) return {};
  switch (role) {
    case Qt::DisplayRole:
      if ((n->kind == Kind::Group || n->kind == Kind::Brand) && n->picked > 0)
        return Q(n->name + " (" + std::to_string(n->picked) + ")");
      return Q(n->name);
    case Qt::CheckStateRole:
      if (n->kind == Kind::Feed) return n->picked ? Qt::Checked : Qt::Unchecked;
      return {};
    case Qt::DecorationRole:
      if (n->kind == Kind::Root) return Icon(IconKind::FeedList);
      return {};
    default: return {};
  }
}

Qt::ItemFlags FeedListTreeModel::flags(const QModelIndex& index) const {
  if (!At(index)) return Qt::NoItemFlags;
  // No user-checkable flag: the click on the node toggles the pick through the editor.
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

}  // namespace stallora
