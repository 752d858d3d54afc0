#pragma once
// The meal sheet of a horse's ration (otMealSheet): one row per feed, its name, what of the
// daily amount no meal has yet, and one column per meal of the day. A meal's amount is
// edited in place (grams for supplements, kg else).

#include "forms/ration_editor.h"
#include "ui/models/editormodel.h"

namespace stallora {

class MealSheetModel : public EditorTableModel {
  Q_OBJECT
 public:
  enum Column { kName, kUndistributed, kFirstMeal };

  explicit MealSheetModel(RationEditor& editor, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // A typed meal amount: the editor's SetMealAmount, or refused (Refused()).
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  // The meal of a column (-1 for the name and the rest).
  static int MealOf(int column) { return column >= kFirstMeal ? column - kFirstMeal : -1; }
  // The sheet was prepared without an edit (the page was entered): the rows and meals as
  // they now are.
  void Reload() { Reset(); }

 signals:
  // What was typed is no amount; the cell keeps the meal's amount.
  void Refused(int row);

 protected:
  // New rows or meals reset the model; a sheet of the same shape only repaints, so the view
  // keeps its current cell while the user works through the meals.
  void Reset() override;

 private:
  RationEditor& editor_;
  int rows_ = 0;
  int meals_ = 0;
};

}  // namespace stallora
