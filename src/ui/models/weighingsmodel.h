#pragma once
// The horse's weighings: one row per weighing, its date (dd/mm/yyyy) and its weight in
// whole kg. Both are edited in place through the horse editor; what it refuses leaves the
// weighing as it was and the cell shows the weighing's own value again.

#include "forms/horse_editor.h"
#include "ui/models/editormodel.h"

namespace stallora {

class WeighingsModel : public EditorTableModel {
  Q_OBJECT
 public:
  enum Column { kDate, kKg, kColumns };

  WeighingsModel(HorseEditor& editor, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  // The weighings may have changed without the editor (a window's rule, a test): rows anew
  // when their number differs, else every cell repainted.
  void Reload();

 protected:
  // Only a changed number of rows resets the model, so that an edit keeps the current cell.
  void Reset() override;

 private:
  HorseEditor& editor_;
  int rows_ = 0;
};

}  // namespace stallora
