#pragma once
// The feed-mix calculator's two tables: the source tree a mix's feeds are picked from (the
// source list by category group and brand, a feed in the mix marked) and the mixing grid
// (one row per feed of the mix: name, price, share, kg). Both read the calculator's editor;
// the grid writes a typed price or kg through the editor's operations, which refuse what is
// no number at least 0.

#include <QAbstractItemModel>
#include <string>
#include <vector>

#include "forms/feedmix_editor.h"
#include "ui/models/editormodel.h"

namespace stallora {

class MixSourceTreeModel : public QAbstractItemModel {
  Q_OBJECT
 public:
  enum class Kind { Root, Group, Brand, Feed };

  explicit MixSourceTreeModel(FeedMixEditor& editor, QObject* parent = nullptr);

  // The editor told a change: the tree anew when the source changed, the marks when the
  // mix's feeds did.
  void EditorChanged(ChangeFlags changed);

  Kind KindOf(const QModelIndex& index) const;
  // The source list index of a feed node, else -1.
  int FeedOf(const QModelIndex& index) const;
  // The node of a source feed, invalid when it is not in the tree.
  QModelIndex IndexOfFeed(int feed) const;

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  struct Node {
    int parent = -1;
    int row = 0;
    std::vector<int> children;
    Kind kind = Kind::Root;
    std::string name;
    int feed = -1;
    int icon = -1;  // in the program's image list
  };
  void Rebuild();
  QModelIndex IndexOf(int node) const;
  const Node* At(const QModelIndex& index) const;

  FeedMixEditor& editor_;
  std::vector<Node> nodes_;
};

class MixGridModel : public EditorTableModel {
  Q_OBJECT
 public:
  enum Column { kName, kPrice, kPercent, kKg, kColumns };
  explicit MixGridModel(FeedMixEditor& editor, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 private:
  FeedMixEditor& editor_;
};

}  // namespace stallora
