#pragma once
// The stable window's lists and its one table, each a model over the window's StableEditor:
// the horses of the stable (lbHorseNameList), the feeding times (otMealTimes, the one table
// the user types into) and the lines of the treatment summary (lbRapport). They read the
// editor's view and write through one editor operation; the window's relay passes the
// editor's flags on.

#include <functional>
#include <string>

#include "forms/stable_editor.h"
#include "ui/models/editormodel.h"

namespace stallora {

// The horse names, one row each.
class StableHorsesModel : public EditorTableModel {
  Q_OBJECT
 public:
  explicit StableHorsesModel(StableEditor& editor, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  StableEditor& editor_;
};

// Row r: the feeding's number (locked) and its time "hh:mm" (edited). A typed time goes to
// the editor, which keeps the old one and says why when the text is not a time of day;
// `refused` hears that message.
class StableMealTimesModel : public EditorTableModel {
  Q_OBJECT
 public:
  enum Column { kNumber, kTime, kColumns };
  explicit StableMealTimesModel(StableEditor& editor, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  std::function<void(const std::string& message)> refused;

 protected:
  void Reset() override;

 private:
  StableEditor& editor_;
  int rows_ = 0;
};

// The summary's lines: one per treatment type, then the ban line.
class TreatmentSummaryModel : public EditorTableModel {
  Q_OBJECT
 public:
  explicit TreatmentSummaryModel(StableEditor& editor, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  StableEditor& editor_;
};

}  // namespace stallora
