#pragma once
// The feed list window's two tables: the edited feed's analysis grid (one row per nutrient
// of the country, the value editable where the feed allows it) and the price grid (one row
// per feed, the price editable). Both read the editor's views and write through one editor
// operation per edited cell; a refused value leaves the stored one and the message is the
// editor's.

#include <vector>

#include "forms/feedlist_editor.h"
#include "ui/models/editormodel.h"

namespace stallora {

class FeedAnalysisModel : public EditorTableModel {
  Q_OBJECT
 public:
  enum Column { kName, kValue, kUnit, kColumns };
  explicit FeedAnalysisModel(FeedListEditor& editor, QObject* parent = nullptr);

  // The editor's notification: the shown feed's rows taken anew first.
  void EditorChanged(ChangeFlags changed);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 protected:
  void Reset() override;

 private:
  FeedListEditor& editor_;
  std::vector<AnalysisRow> rows_;
};

class FeedPriceModel : public EditorTableModel {
  Q_OBJECT
 public:
  enum Column { kName, kPrice, kColumns };
  explicit FeedPriceModel(FeedListEditor& editor, QObject* parent = nullptr);

  void EditorChanged(ChangeFlags changed);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 protected:
  void Reset() override;

 private:
  FeedListEditor& editor_;
  std::vector<PriceRow> rows_;
};

}  // namespace stallora
