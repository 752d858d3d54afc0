#include "ui/workspacetree.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QSet>

#include "render/qttext.h"
#include "ui/icons.h"

namespace stallora {
namespace {

constexpr int kRefRole = Qt::UserRole + 1;
constexpr int kKindRole = Qt::UserRole + 2;
constexpr char kHorseMime[] = "application/x-stallora-horse";

QTreeWidgetItem* MakeItem(NodeKind kind, void* record, const std::string& text, const QIcon& icon) {
  auto* item = new QTreeWidgetItem();
  item->setText(0, Q(text));
  item->setIcon(0, icon);
  item->setData(0, kRefRole, QVariant::fromValue(reinterpret_cast<quintptr>(record)));
  item->setData(0, kKindRole, static_cast<int>(kind));
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable |
                 (kind == NodeKind::Horse ? Qt::ItemIsDragEnabled : Qt::NoItemFlags) |
                 (kind == NodeKind::Stable ? Qt::ItemIsDropEnabled : Qt::NoItemFlags));
  return item;
}

QIcon ListIcon(const TForListe& l) {
  if (l.ForBlanding) return Icon(IconKind::FeedMix);
  if (l.ErGarantiForliste) return Icon(IconKind::GuaranteeList);
  return Icon(IconKind::FeedList);
}

}  // namespace

WorkspaceTree::WorkspaceTree(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setDragDropMode(QAbstractItemView::DragDrop);
  setAcceptDrops(true);
  setContextMenuPolicy(Qt::CustomContextMenu);
  setIconSize(QSize(20, 20));
  // A double click opens the node's window; it folded a stable's node too, and its horses
  // went out of sight at every opening. The arrow and the keys still fold.
  setExpandsOnDoubleClick(false);
}

NodeRef WorkspaceTree::Ref(const QTreeWidgetItem* item) {
  if (!item) return {};
  NodeRef r;
  r.kind = static_cast<NodeKind>(item->data(0, kKindRole).toInt());
  r.record = reinterpret_cast<void*>(item->data(0, kRefRole).value<quintptr>());
  return r;
}

void WorkspaceTree::Rebuild(const Workspace& ws) {
  const void* selected = currentItem() ? Ref(currentItem()).record : nullptr;
  QSet<quintptr> expanded;
  for (int i = 0; i < topLevelItemCount(); ++i)
    if (topLevelItem(i)->isExpanded()) expanded.insert(reinterpret_cast<quintptr>(Ref(topLevelItem(i)).record));
  const bool first = topLevelItemCount() == 0;
  clear();
  AppendFeedLists(ws);
  AddStables(ws, 0, [&](const TStall* s) { return first || expanded.contains(reinterpret_cast<quintptr>(s)); });
  if (selected) SelectRecord(selected);
}

void WorkspaceTree::AppendFeedLists(const Workspace& ws) {
  for (const auto& l : ws.FeedLists())
    addTopLevelItem(MakeItem(NodeKind::FeedList, l.get(), l->DisplayName(), ListIcon(*l)));
}

void WorkspaceTree::AppendStables(const Workspace& ws, size_t from) {
  AddStables(ws, from, [](const TStall*) { return true; });
}

void WorkspaceTree::AddStables(const Workspace& ws, size_t from, const std::function<bool(const TStall*)>& open) {
  const auto& stables = ws.Stables();
  if (from >= stables.size()) return;
  // Each stable's node is made whole before it joins the tree, and the stables join in one
  // insertion: the view then hears of one block of new rows, not of every horse.
  const QIcon stableIcon = Icon(IconKind::Stable), modelStableIcon = Icon(IconKind::ModelStable);
  const QIcon horseIcon = Icon(IconKind::Horse), modelHorseIcon = Icon(IconKind::ModelHorse);
  QList<QTreeWidgetItem*> nodes;
  nodes.reserve(static_cast<qsizetype>(stables.size() - from));
  for (size_t i = from; i < stables.size(); ++i) {
    const auto& s = stables[i];
    auto* stable =
        MakeItem(NodeKind::Stable, s.get(), s->stallNavn, s->ErModellHestStall ? modelStableIcon : stableIcon);
    QList<QTreeWidgetItem*> children;
    children.reserve(static_cast<qsizetype>(s->Horses().size()) + 1);
    children.append(
        MakeItem(NodeKind::StableFeedList, s->ForListe.get(), s->ForListe->ForlisteNavn, ListIcon(*s->ForListe)));
    for (const auto& h : s->Horses())
      children.append(MakeItem(NodeKind::Horse, h.get(), h->Navn, s->ErModellHestStall ? modelHorseIcon : horseIcon));
    stable->addChildren(children);
    nodes.append(stable);
  }
  addTopLevelItems(nodes);
  for (size_t i = from; i < stables.size(); ++i)
    if (open(stables[i].get())) nodes[static_cast<qsizetype>(i - from)]->setExpanded(true);
}

QTreeWidgetItem* WorkspaceTree::ItemOf(const void* record) const {
  QTreeWidgetItemIterator it(const_cast<WorkspaceTree*>(this));
  for (; *it; ++it)
    if (Ref(*it).record == record) return *it;
  return nullptr;
}

void WorkspaceTree::SelectRecord(const void* record) {
  if (QTreeWidgetItem* item = ItemOf(record)) {
    setCurrentItem(item);
    scrollToItem(item);
  }
}

void WorkspaceTree::mousePressEvent(QMouseEvent* event) {
  pressPos_ = event->position().toPoint();
  // A right click selects the node under the mouse before the popup menu opens.
  if (QTreeWidgetItem* item = itemAt(pressPos_)) setCurrentItem(item);
  QTreeWidget::mousePressEvent(event);
}

void WorkspaceTree::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return QTreeWidget::mouseMoveEvent(event);
  // A drag starts once the mouse has moved 20 pixels from a horse.
  if ((event->position().toPoint() - pressPos_).manhattanLength() < 20) return;
  QTreeWidgetItem* item = itemAt(pressPos_);
  const NodeRef ref = Ref(item);
  if (!item || ref.kind != NodeKind::Horse) return;
  dragged_ = static_cast<THest*>(ref.record);
  auto* mime = new QMimeData();
  mime->setData(kHorseMime, QByteArray::number(reinterpret_cast<quintptr>(dragged_)));
  auto* drag = new QDrag(this);
  drag->setMimeData(mime);
  drag->setPixmap(item->icon(0).pixmap(20, 20));
  drag->exec(Qt::MoveAction);
  dragged_ = nullptr;
}

void WorkspaceTree::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasFormat(kHorseMime) && event->source() == this)
    event->acceptProposedAction();
  else
    event->ignore();
}

void WorkspaceTree::dragMoveEvent(QDragMoveEvent* event) {
  const NodeRef ref = Ref(itemAt(event->position().toPoint()));
  if (dragged_ && ref.kind == NodeKind::Stable && ref.record != dragged_->stable)
    event->acceptProposedAction();
  else
    event->ignore();
}

void WorkspaceTree::dropEvent(QDropEvent* event) {
  const NodeRef ref = Ref(itemAt(event->position().toPoint()));
  THest* horse = dragged_;
  event->setDropAction(Qt::IgnoreAction);  // the tree is rebuilt from the workspace
  event->accept();
  if (horse && ref.kind == NodeKind::Stable && ref.record != horse->stable && onMoveHorse)
    onMoveHorse(*horse, *static_cast<TStall*>(ref.record));
}

}  // namespace stallora
