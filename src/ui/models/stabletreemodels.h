#pragma once
// The stable window's two trees as models over its StableEditor: the treatments of all its
// horses in the chosen mode (tvStabletreatments) and the report files saved in the horses'
// directories (tvReports). The editor builds the trees (forms/stable_trees.h); a model
// shows the editor's current tree and is reset when the editor says the tree is new.

#include <QAbstractItemModel>
#include <QHash>

#include "forms/stable_editor.h"

namespace stallora {

// The parts both trees share: a node's index is its address in the editor's tree.
template <class Node>
class NodeTreeModel : public QAbstractItemModel {
 public:
  using QAbstractItemModel::QAbstractItemModel;

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override {
    if (column != 0 || row < 0) return {};
    if (!parent.isValid()) {
      const Node* root = Root();
      return root && row == 0 ? createIndex(0, 0, root) : QModelIndex();
    }
    const Node* p = NodeOf(parent);
    if (!p || row >= static_cast<int>(p->children.size())) return {};
    return createIndex(row, 0, &p->children[static_cast<size_t>(row)]);
  }
  QModelIndex parent(const QModelIndex& child) const override {
    const Node* n = NodeOf(child);
    if (!n) return {};
    const auto it = places_.find(n);
    if (it == places_.end() || !it->parent) return {};
    const auto up = places_.find(it->parent);
    return createIndex(up == places_.end() ? 0 : up->row, 0, it->parent);
  }
  int rowCount(const QModelIndex& parent = {}) const override {
    if (!parent.isValid()) return Root() ? 1 : 0;
    if (parent.column() != 0) return 0;
    const Node* n = NodeOf(parent);
    return n ? static_cast<int>(n->children.size()) : 0;
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    (void)parent;
    return 1;
  }
  const Node* NodeOf(const QModelIndex& index) const {
    return index.isValid() && index.model() == this ? static_cast<const Node*>(index.internalPointer()) : nullptr;
  }
  // The row of a node below its parent and the parent (null for the root).
  struct Place {
    const Node* parent = nullptr;
    int row = 0;
  };
  Place PlaceOf(const Node* node) const { return places_.value(node); }

 protected:
  virtual const Node* Root() const = 0;
  // The editor's tree is new: the nodes' places anew.
  void Renew() {
    beginResetModel();
    places_.clear();
    if (const Node* root = Root()) Enter(root, nullptr, 0);
    endResetModel();
  }

 private:
  void Enter(const Node* node, const Node* parent, int row) {
    places_.insert(node, {parent, row});
    for (size_t i = 0; i < node->children.size(); ++i) Enter(&node->children[i], node, static_cast<int>(i));
  }
  QHash<const Node*, Place> places_;
};

class StableTreatmentTreeModel : public NodeTreeModel<StableTreeNode> {
  Q_OBJECT
 public:
  explicit StableTreatmentTreeModel(StableEditor& editor, QObject* parent = nullptr);
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  void EditorChanged(ChangeFlags changed);
  // The nodes the editor wants open.
  QModelIndexList ExpandedIndexes() const;

 protected:
  const StableTreeNode* Root() const override { return &editor_.View().treatmentTree; }

 private:
  StableEditor& editor_;
};

class ReportsTreeModel : public NodeTreeModel<ReportsTreeNode> {
  Q_OBJECT
 public:
  explicit ReportsTreeModel(StableEditor& editor, QObject* parent = nullptr);
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  void EditorChanged(ChangeFlags changed);
  // Where a node is, as the editor counts (nothing for an invalid index).
  std::optional<ReportsSelection> SelectionOf(const QModelIndex& index) const;
  QModelIndex IndexOf(const ReportsSelection& selection) const;

 protected:
  const ReportsTreeNode* Root() const override {
    const auto& tree = editor_.View().reportsTree;
    return tree ? &*tree : nullptr;
  }

 private:
  StableEditor& editor_;
};

}  // namespace stallora
