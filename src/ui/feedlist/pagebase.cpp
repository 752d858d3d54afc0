#include "ui/feedlist/pagebase.h"

#include <QListWidget>

#include "ui/feedlist/feedlistwindow.h"

namespace stallora {

FeedListPageBase::FeedListPageBase(FeedListWindow& window) : window_(window) {}

FeedListEditor& FeedListPageBase::Editor() const { return window_.Editor(); }

void FillList(QListWidget* list, const std::vector<std::string>& names) {
  bool same = list->count() == static_cast<int>(names.size());
  for (int i = 0; same && i < list->count(); ++i) same = list->item(i)->text() == Q(names[static_cast<size_t>(i)]);
  if (same) return;
  const int row = list->currentRow();
  const QSignalBlocker block(list);
  list->clear();
  for (const auto& n : names) list->addItem(Q(n));
  if (row >= 0 && row < list->count()) list->setCurrentRow(row);
}

}  // namespace stallora
