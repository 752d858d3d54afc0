#pragma once
// The two tables of the balancing dialog over its BalanceForm: the candidate feeds with their
// lock and bounds (edited in place), and the preview of the proposal (read only, with a total
// line). Every text comes from the form.

#include "forms/balance_form.h"
#include "ui/models/editormodel.h"

namespace stallora {

class BalanceCandidatesModel : public EditorTableModel {
  Q_OBJECT
 public:
  enum Column { kName, kNow, kLocked, kMin, kMax, kColumns };

  explicit BalanceCandidatesModel(BalanceForm& form, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // The lock through SetLocked, a typed bound through SetMin or SetMax; a bound the form
  // refuses is told with Refused().
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 signals:
  // What the form says about a refused bound (Windows-1252); the cell keeps its value.
  void Refused(const std::string& text);

 protected:
  void Reset() override;

 private:
  BalanceForm& form_;
  int rows_ = 0;
};

class BalancePreviewModel : public EditorTableModel {
  Q_OBJECT
 public:
  enum Column { kName, kOld, kNew, kCost, kNote, kColumns };

  explicit BalancePreviewModel(BalanceForm& form, QObject* parent = nullptr);

  // The proposal's feeds and the total line; no rows without a preview.
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 protected:
  void Reset() override;

 private:
  BalanceForm& form_;
  int rows_ = 0;
};

}  // namespace stallora
