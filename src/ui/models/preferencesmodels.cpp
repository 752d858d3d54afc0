#include "ui/models/preferencesmodels.h"

#include <QFont>

#include "render/qttext.h"

namespace stallora {

// ---- a list of the editor's texts

void EditorListModel::Reset() {
  std::vector<std::string> now = Rows();
  if (now.size() != rows_.size()) {
    beginResetModel();
    rows_ = std::move(now);
    endResetModel();
    return;
  }
  rows_ = std::move(now);
  if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

int EditorListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int EditorListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 1; }

QVariant EditorListModel::data(const QModelIndex& index, int role) const {
  if (!Has(index) || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
  return Q(rows_[static_cast<size_t>(index.row())]);
}

// ---- nutrients

NutrientChecksModel::NutrientChecksModel(PreferencesEditor& editor, QObject* parent)
    : EditorListModel(kPrNutrientBox | kPrActive, parent), editor_(editor) {
  Load();
}

QVariant NutrientChecksModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::CheckStateRole) return EditorListModel::data(index, role);
  if (!Has(index)) return {};
  const auto& checks = editor_.NutrientChecks();
  const auto row = static_cast<size_t>(index.row());
  return row < checks.size() && checks[row] ? Qt::Checked : Qt::Unchecked;
}

bool NutrientChecksModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::CheckStateRole || !Has(index) || !editor_.NutrientBoxOpen()) return false;
  editor_.SetNutrientCheck(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
  return true;
}

Qt::ItemFlags NutrientChecksModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsSelectable;
  if (editor_.NutrientBoxOpen()) f |= Qt::ItemIsEnabled | Qt::ItemIsUserCheckable;
  return f;
}

// ---- energy/protein objects

EnergyObjectsModel::EnergyObjectsModel(PreferencesEditor& editor, QObject* parent)
    : EditorListModel(kPrObjects | kPrActive, parent), editor_(editor) {
  Load();
}

QVariant EnergyObjectsModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::FontRole) return EditorListModel::data(index, role);
  if (!Has(index) || rows()[static_cast<size_t>(index.row())] != editor_.ActiveObjectName()) return {};
  QFont bold;
  bold.setBold(true);
  return bold;
}

// ---- treatment names

TreatmentNamesModel::TreatmentNamesModel(PreferencesEditor& editor, QObject* parent)
    : EditorListModel(kPrTreatments, parent), editor_(editor) {
  Load();
}

}  // namespace stallora
