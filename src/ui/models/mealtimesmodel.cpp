#include "ui/models/mealtimesmodel.h"

#include "forms/ration_page.h"
#include "ration/ration_amounts.h"
#include "ui/qtext.h"
#include "ui/rationtexts.h"

namespace stallora {

MealTimesModel::MealTimesModel(RationEditor& editor, QObject* parent)
    : EditorTableModel(kRationMeals, 0, parent), editor_(editor) {
  meals_ = SheetMeals(editor_.Horse());
}

void MealTimesModel::Reset() {
  const int meals = SheetMeals(editor_.Horse());
  if (meals != meals_) {
    beginResetModel();
    meals_ = meals;
    endResetModel();
  } else if (meals_ > 0) {
    emit dataChanged(index(0, 0), index(meals_ - 1, kColumns - 1));
  }
}

int MealTimesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : meals_; }
int MealTimesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant MealTimesModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= meals_) return {};
  if (role == Qt::DisplayRole) {
    if (index.column() == kNumber) return QString::number(index.row() + 1);
    const std::vector<std::string> times = MealTimeTexts(editor_.Horse());
    return index.row() < static_cast<int>(times.size()) ? Q(times[static_cast<size_t>(index.row())]) : QString();
  }
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
  return {};
}

QVariant MealTimesModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case kNumber: return T(rationui::kFodring) + " " + T(rationui::kNr);
    case kTime: return T(rationui::kTid);
    default: return {};
  }
}

Qt::ItemFlags MealTimesModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace stallora
