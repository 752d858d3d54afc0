#include "ui/models/stablelistmodels.h"

#include "forms/stable_texts.h"
#include "render/qttext.h"
#include "ui/icons.h"
#include "ui/qtext.h"

namespace stallora {

namespace sc = stablechange;

// ---- horses

StableHorsesModel::StableHorsesModel(StableEditor& editor, QObject* parent)
    : EditorTableModel(sc::kHorses | sc::kCaption, sc::kModel, parent), editor_(editor) {}

int StableHorsesModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(editor_.View().horseNames.size());
}
int StableHorsesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 1; }

QVariant StableHorsesModel::data(const QModelIndex& index, int role) const {
  const auto& names = editor_.View().horseNames;
  if (!index.isValid() || index.row() >= static_cast<int>(names.size())) return {};
  if (role == Qt::DisplayRole) return Q(names[static_cast<size_t>(index.row())]);
  if (role == Qt::DecorationRole) return Icon(editor_.View().modelStable ? IconKind::ModelHorse : IconKind::Horse);
  return {};
}

// ---- feeding times

StableMealTimesModel::StableMealTimesModel(StableEditor& editor, QObject* parent)
    : EditorTableModel(sc::kMeals, 0, parent), editor_(editor), rows_(editor.View().mealCount) {}

void StableMealTimesModel::Reset() {
  const int rows = editor_.View().mealCount;
  if (rows != rows_) {
    beginResetModel();
    rows_ = rows;
    endResetModel();
  } else if (rows_ > 0) {
    // The same feedings: a repaint keeps the view's current cell.
    emit dataChanged(index(0, 0), index(rows_ - 1, kColumns - 1));
  }
}

int StableMealTimesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int StableMealTimesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant StableMealTimesModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_) return {};
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    if (index.column() == kNumber) return QString::number(index.row() + 1);
    const auto& times = editor_.View().mealTimes;
    return index.row() < static_cast<int>(times.size()) ? Q(times[static_cast<size_t>(index.row())]) : QString();
  }
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
  return {};
}

bool StableMealTimesModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || index.column() != kTime || role != Qt::EditRole || index.row() >= rows_) return false;
  const StableOutcome r = editor_.SetMealTime(index.row() + 1, L(value.toString()));
  if (!r.ok && !r.message.empty() && refused) refused(r.message);
  return r.ok;
}

QVariant StableMealTimesModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case kNumber: return TUpper(common::kFodring) + " " + T(stabletext::kNr);
    case kTime: return T(stabletext::kTid);
    default: return {};
  }
}

Qt::ItemFlags StableMealTimesModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  const Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  return index.column() == kTime ? f | Qt::ItemIsEditable : f;
}

// ---- treatment summary

TreatmentSummaryModel::TreatmentSummaryModel(StableEditor& editor, QObject* parent)
    : EditorTableModel(sc::kSummary | sc::kHorses, 0, parent), editor_(editor) {}

int TreatmentSummaryModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(editor_.View().summary.lines.size());
}
int TreatmentSummaryModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 1; }

QVariant TreatmentSummaryModel::data(const QModelIndex& index, int role) const {
  const auto& lines = editor_.View().summary.lines;
  if (!index.isValid() || index.row() >= static_cast<int>(lines.size())) return {};
  if (role == Qt::DisplayRole) return Q(lines[static_cast<size_t>(index.row())]);
  return {};
}

}  // namespace stallora
