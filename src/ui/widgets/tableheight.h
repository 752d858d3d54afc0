#pragma once
// Tables and lists as tall as their rows, so that up to a number of rows none needs
// scrolling (the amounts tables, the feeding plan's ration, the meal sheet, check lists).

class QListWidget;
class QTableView;

namespace stallora {

// Tall enough for `rows` rows (at least one) under the header.
void FitTableHeight(QTableView* table, int rows);
// Tall enough for `rows` items.
void FitListHeight(QListWidget* list, int rows);

}  // namespace stallora
