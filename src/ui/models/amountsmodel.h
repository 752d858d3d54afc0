#pragma once
// The daily amounts of a horse's ration: one row per feed, the feed's name, its amount in
// the unit it is shown in (grams for supplements, kg else) and that unit. The amount is
// edited in place. The ration tab's amounts table (otAllocations) and the training tab's
// (otAllocations2) are two views of the one model their horse window keeps, so both show
// and step an amount the same way.

#include "forms/ration_editor.h"
#include "ui/models/editormodel.h"

namespace stallora {

class AmountsModel : public EditorTableModel {
  Q_OBJECT
 public:
  enum Column { kName, kAmount, kUnit, kColumns };

  AmountsModel(RationEditor& editor, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // A typed amount: the editor's SetAmount when it is one, else refused (Refused()).
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  // The ration may have changed without the editor (the page was entered): rows anew when
  // their number differs, else every cell repainted.
  void Reload();

 signals:
  // The user typed an amount; the edit follows (the page's refresh timer starts here).
  void Editing(int row);
  // What was typed is no amount; the cell keeps the feed's amount.
  void Refused(int row);

 protected:
  void Reset() override;

 private:
  RationEditor& editor_;
  int rows_ = 0;
};

}  // namespace stallora
