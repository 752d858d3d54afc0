#pragma once
// The feed list window's tree (tvForListe): the list, its category groups in the order met,
// each group's brands, each brand's feeds. Groups and brands show after their text the
// number of picked feeds below them; a picked feed shows a check mark. The tree, its counts
// and which feeds stand in it are the editor's (FeedListEditor::Tree); clicking a feed is the
// editor's ToggleFeed, made by the page.

#include <QAbstractItemModel>
#include <string>
#include <vector>

#include "forms/feedlist_editor.h"

namespace stallora {

class FeedListTreeModel : public QAbstractItemModel {
  Q_OBJECT
 public:
  enum class Kind { Root, Group, Brand, Feed };

  explicit FeedListTreeModel(FeedListEditor& editor, QObject* parent = nullptr);

  // The editor told a change: the tree anew (its shape) or its counts and marks.
  void EditorChanged(ChangeFlags changed);

  Kind KindOf(const QModelIndex& index) const;
  // The list index of a feed node, else -1.
  int FeedOf(const QModelIndex& index) const;
  // The group and brand of a group or brand node (brand -1 for a group), else false.
  bool NodeOf(const QModelIndex& index, int* group, int* brand) const;
  // The node of a feed (by list index), invalid when the feed is not in the tree.
  QModelIndex IndexOfFeed(int feed) const;

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  struct Node {
    int parent = -1;
    int row = 0;
    std::vector<int> children;
    Kind kind = Kind::Root;
    std::string name;
    int picked = 0;
    int group = -1, brand = -1, feed = -1;
  };
  std::vector<Node> Build() const;
  void Rebuild();
  QModelIndex IndexOf(int node) const;
  const Node* At(const QModelIndex& index) const;

  FeedListEditor& editor_;
  std::vector<Node> nodes_;
};

}  // namespace stallora
