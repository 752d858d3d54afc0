#include "ui/models/feedtreemodel.h"

#include "forms/ration_page.h"
#include "ui/qtext.h"

namespace stallora {

FeedTreeModel::FeedTreeModel(RationEditor& editor, const CountrySettings& settings, QObject* parent)
    : QAbstractItemModel(parent), editor_(editor), settings_(settings) {}

std::vector<FeedTreeModel::Node> FeedTreeModel::Build(const TForListe* list, const CountrySettings& settings) {
  std::vector<Node> nodes;
  if (!list) return nodes;
  const SelectionTree tree = BuildSelectionTree(*list, settings);
  auto add = [&](int parent, std::string name, int selected, int feed, bool open) {
    Node n;
    n.parent = parent;
    n.name = std::move(name);
    n.selected = selected;
    n.feed = feed;
    n.open = open;
    const int id = static_cast<int>(nodes.size());
    if (parent >= 0) {
      n.row = static_cast<int>(nodes[static_cast<size_t>(parent)].children.size());
      nodes[static_cast<size_t>(parent)].children.push_back(id);
    }
    nodes.push_back(std::move(n));
    return id;
  };
  const int root = add(-1, tree.rootName, tree.selected, -1, true);
  for (const SelectionTree::Group& g : tree.groups) {
    const int group = add(root, g.name, g.selected, -1, true);
    for (const SelectionTree::Producer& p : g.producers) {
      const int producer = add(group, p.name, p.selected, -1, p.selected > 0 || g.producers.size() == 1);
      for (int feed : p.feeds) add(producer, list->FeedAt(feed)->Fornavn, 0, feed, false);
    }
  }
  return nodes;
}

bool FeedTreeModel::SameShape(const std::vector<Node>& a, const std::vector<Node>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].parent != b[i].parent || a[i].feed != b[i].feed || a[i].name != b[i].name ||
        a[i].children.size() != b[i].children.size())
      return false;
  return true;
}

void FeedTreeModel::SetList(TForListe* list) {
  beginResetModel();
  list_ = list;
  nodes_ = Build(list_, settings_);
  top_.clear();
  for (size_t i = 0; i < nodes_.size(); ++i)
    if (nodes_[i].parent < 0) top_.push_back(static_cast<int>(i));
  endResetModel();
}

void FeedTreeModel::Recount() {
  std::vector<Node> fresh = Build(list_, settings_);
  if (!SameShape(nodes_, fresh)) {
    SetList(list_);
    return;
  }
  for (size_t i = 0; i < nodes_.size(); ++i) nodes_[i].selected = fresh[i].selected;
  // Every node's text or check mark may have changed; one signal per parent's rows.
  if (!top_.empty()) emit dataChanged(IndexOf(top_.front()), IndexOf(top_.back()));
  for (size_t i = 0; i < nodes_.size(); ++i)
    if (!nodes_[i].children.empty())
      emit dataChanged(IndexOf(nodes_[i].children.front()), IndexOf(nodes_[i].children.back()),
                       {Qt::DisplayRole, Qt::CheckStateRole});
}

void FeedTreeModel::EditorChanged(ChangeFlags changed) {
  if (list_ && (changed & (kRationSelection | kRationFeeds))) Recount();
}

QModelIndex FeedTreeModel::IndexOf(int node) const {
  if (node < 0 || node >= static_cast<int>(nodes_.size())) return {};
  return createIndex(nodes_[static_cast<size_t>(node)].row, 0, static_cast<quintptr>(node));
}

const FeedTreeModel::Node* FeedTreeModel::NodeOf(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != this) return nullptr;
  const quintptr id = index.internalId();
  return id < nodes_.size() ? &nodes_[id] : nullptr;
}

TFor* FeedTreeModel::FeedOf(const QModelIndex& index) const {
  const Node* n = NodeOf(index);
  if (!n || n->feed < 0 || !list_ || n->feed >= list_->Count()) return nullptr;
  return list_->FeedAt(n->feed);
}

bool FeedTreeModel::Toggle(const QModelIndex& index) {
  TFor* f = FeedOf(index);
  if (!f) return false;
  editor_.ToggleFeed(*list_, *f);
  return true;
}

QModelIndexList FeedTreeModel::OpenAtStart() const {
  QModelIndexList open;
  for (size_t i = 0; i < nodes_.size(); ++i)
    if (nodes_[i].open && !nodes_[i].children.empty()) open << IndexOf(static_cast<int>(i));
  return open;
}

QModelIndex FeedTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0 || row < 0) return {};
  if (!parent.isValid())
    return row < static_cast<int>(top_.size()) ? IndexOf(top_[static_cast<size_t>(row)]) : QModelIndex();
  const Node* p = NodeOf(parent);
  if (!p || row >= static_cast<int>(p->children.size())) return {};
  return IndexOf(p->children[static_cast<size_t>(row)]);
}

QModelIndex FeedTreeModel::parent(const QModelIndex& child) const {
  const Node* n = NodeOf(child);
  return n ? IndexOf(n->parent) : QModelIndex();
}

int FeedTreeModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return static_cast<int>(top_.size());
  if (parent.column() != 0) return 0;
  const Node* n = NodeOf(parent);
  return n ? static_cast<int>(n->children.size()) : 0;
}

int FeedTreeModel::columnCount(const QModelIndex& parent) const {
  (void)parent;
  return 1;
}

QVariant FeedTreeModel::data(const QModelIndex& index, int role) const {
  const Node* n = NodeOf(index);
  if (!n) return {};
  const TFor* f = FeedOf(index);
  switch (role) {
    case Qt::DisplayRole: return f ? Q(f->Fornavn) : Q(CountedText(n->name, n->selected));
    case Qt::CheckStateRole:
      if (f) return f->Valgt ? Qt::Checked : Qt::Unchecked;
      return {};
    case Qt::ToolTipRole:
      if (f) return Q(f->FeedStatusText());
      return {};
    default: return {};
  }
}

Qt::ItemFlags FeedTreeModel::flags(const QModelIndex& index) const {
  if (!NodeOf(index)) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (FeedOf(index)) f |= Qt::ItemIsUserCheckable;
  return f;
}

bool FeedTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  TFor* f = FeedOf(index);
  if (role != Qt::CheckStateRole || !f) return false;
  const bool checked = value.toInt() == Qt::Checked;
  if (checked != f->Valgt) Toggle(index);
  return true;
}

}  // namespace stallora
