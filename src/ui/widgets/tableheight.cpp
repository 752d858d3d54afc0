#include "ui/widgets/tableheight.h"

#include <QHeaderView>
#include <QListWidget>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>

namespace stallora {

void FitTableHeight(QTableView* t, int rows) {
  const int rowHeight = t->verticalHeader()->defaultSectionSize();
  const int header = t->horizontalHeader()->isVisible() ? t->horizontalHeader()->sizeHint().height() : 0;
  const int scroll = t->horizontalScrollBar()->isVisible() ? t->horizontalScrollBar()->height() : 0;
  t->setFixedHeight(header + std::max(rows, 1) * rowHeight + 2 * t->frameWidth() + scroll + 2);
}

void FitListHeight(QListWidget* list, int rows) {
  const int row = list->sizeHintForRow(0) > 0 ? list->sizeHintForRow(0) : list->fontMetrics().height() + 4;
  list->setMinimumHeight(row * rows + 2 * list->frameWidth() + 4);
}

}  // namespace stallora
