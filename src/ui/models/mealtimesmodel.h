#pragma once
// The feeding times of a horse's meal sheet (otMealTimes): one row per meal of the day, its
// number and its time. Read only: the times are the stable's.

#include "forms/ration_editor.h"
#include "ui/models/editormodel.h"

namespace stallora {

class MealTimesModel : public EditorTableModel {
  Q_OBJECT
 public:
  enum Column { kNumber, kTime, kColumns };

  explicit MealTimesModel(RationEditor& editor, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The meals as they now are (the sheet was prepared without an edit).
  void Reload() { Reset(); }

 protected:
  void Reset() override;

 private:
  RationEditor& editor_;
  int meals_ = 0;
};

}  // namespace stallora
