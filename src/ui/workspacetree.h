#pragma once
// The tree of feed lists, stables, stable feed lists and horses, mirroring the workspace.
// Horses can be dragged onto another stable.

#include <QTreeWidget>
#include <functional>

#include "stable/workspace.h"

namespace stallora {

enum class NodeKind { FeedList, Stable, StableFeedList, Horse };

struct NodeRef {
  NodeKind kind = NodeKind::FeedList;
  void* record = nullptr;
};

class WorkspaceTree : public QTreeWidget {
  Q_OBJECT
 public:
  explicit WorkspaceTree(QWidget* parent = nullptr);

  // Rebuilds every node from the workspace, keeping the selection and expansion where the
  // same records are still there.
  void Rebuild(const Workspace& workspace);
  // A tree being filled while the workspace is read: the feed lists, then the stables from
  // index `from` on, each open as on a first build. The nodes are those Rebuild makes.
  void AppendFeedLists(const Workspace& workspace);
  void AppendStables(const Workspace& workspace, size_t from);
  static NodeRef Ref(const QTreeWidgetItem* item);
  QTreeWidgetItem* ItemOf(const void* record) const;
  void SelectRecord(const void* record);

  // A horse dropped on a stable.
  std::function<void(THest&, TStall&)> onMoveHorse;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void AddStables(const Workspace& workspace, size_t from, const std::function<bool(const TStall*)>& open);

  QPoint pressPos_;
  THest* dragged_ = nullptr;
};

}  // namespace stallora
