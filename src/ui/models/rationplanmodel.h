#pragma once
// The ration of the feeding plan page with its prices (otRation): one row per feed, the
// daily amount with the feed's name, what the feed costs a day and its price per kg. The
// price is edited in place; it is the horse's own price (the stable's list keeps its own).

#include <vector>

#include "forms/ration_editor.h"
#include "forms/ration_page.h"
#include "ui/models/editormodel.h"

namespace stallora {

class RationPlanModel : public EditorTableModel {
  Q_OBJECT
 public:
  enum Column { kFeed, kPricePerDay, kPricePerKg, kColumns };

  explicit RationPlanModel(RationEditor& editor, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // A typed price: the editor's SetPrice when it is one, else refused (Refused()).
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  // The ration may have changed without the editor (the page was entered): rows anew when
  // their number differs, else every cell repainted (a view keeps its current cell).
  void Reload();

 signals:
  // What was typed is no price; the cell keeps the feed's price.
  void Refused(int row);

 protected:
  void Reset() override;

 private:
  const std::vector<RationRow>& Rows() const;
  RationEditor& editor_;
  int rows_ = 0;
  // The rows' texts, made once per change rather than once per cell painted.
  mutable std::vector<RationRow> texts_;
  mutable bool stale_ = true;
};

}  // namespace stallora
