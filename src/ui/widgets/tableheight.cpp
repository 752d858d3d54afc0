#include "ui/widgets/tableheight.h"

#include <QHeaderView>
#include <QListWidget>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>

namespace stallora {

void FitTableHeight(QTableView* t, int rows) {
  const int rowHeight = t->verticalHeader()->defaultSectionSize();
  // isHidden, not isVisible: a table on a page not shown yet is fitted too, header and all.
  const int header = t->horizontalHeader()->isHidden() ? 0 : t->horizontalHeader()->sizeHint().height();
  const int scroll = t->horizontalScrollBar()->isVisible() ? t->horizontalScrollBar()->height() : 0;
  t->setFixedHeight(header + std::max(rows, 1) * rowHeight + 2 * t->frameWidth() + scroll + 2);
}

void FitListHeight(QListWidget* list, int rows) {
  const int row = list->sizeHintForRow(0) > 0 ? list->sizeHintForRow(0) : list->fontMetrics().height() + 4;
  list->setMinimumHeight(row * rows + 2 * list->frameWidth() + 4);
}

}  // namespace stallora
