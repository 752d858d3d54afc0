#pragma once
// The selection tree of the ration page (tvFeeds): a feed list by category group and
// producer, each node with the number of chosen feeds below it, the feeds with a check
// mark. Checking a feed is the editor's ToggleFeed: the feed joins the horse's ration or
// leaves it. The tree, its counts and its order are the library's (BuildSelectionTree).

#include <QAbstractItemModel>
#include <string>
#include <vector>

#include "config/country_settings.h"
#include "forms/ration_editor.h"

namespace stallora {

class FeedTreeModel : public QAbstractItemModel {
  Q_OBJECT
 public:
  FeedTreeModel(RationEditor& editor, const CountrySettings& settings, QObject* parent = nullptr);

  // The feed list the tree shows (none: an empty tree). The tree is built anew.
  void SetList(TForListe* list);
  TForListe* List() const { return list_; }
  // The check marks and counts as the list's chosen flags now are; a list whose feeds
  // came or went is built anew.
  void Recount();
  // The editor told a change: feeds or check marks may differ.
  void EditorChanged(ChangeFlags changed);

  // The feed of a feed node (nullptr for the list, a group or a producer).
  TFor* FeedOf(const QModelIndex& index) const;
  // A feed's check mark turned (double click, Enter): false for other nodes.
  bool Toggle(const QModelIndex& index);
  // The nodes a tree just built shows open: the list, its groups, and each producer with
  // a chosen feed or alone in its group.
  QModelIndexList OpenAtStart() const;

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Qt::CheckStateRole on a feed: checked or not, through the editor.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 private:
  struct Node {
    int parent = -1;  // -1: a top-level node
    int row = 0;      // among its parent's children
    std::vector<int> children;
    std::string name;
    int selected = 0;
    int feed = -1;      // index into the list for a feed node
    bool open = false;  // shown open when the tree is built
  };
  static std::vector<Node> Build(const TForListe* list, const CountrySettings& settings);
  static bool SameShape(const std::vector<Node>& a, const std::vector<Node>& b);
  QModelIndex IndexOf(int node) const;
  const Node* NodeOf(const QModelIndex& index) const;

  RationEditor& editor_;
  const CountrySettings& settings_;
  TForListe* list_ = nullptr;
  std::vector<Node> nodes_;
  std::vector<int> top_;
};

}  // namespace stallora
