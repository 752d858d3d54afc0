#include "ui/models/mealsheetmodel.h"

#include "forms/ration_page.h"
#include "ration/ration_amounts.h"
#include "ui/qtext.h"
#include "ui/rationtexts.h"

namespace stallora {

MealSheetModel::MealSheetModel(RationEditor& editor, QObject* parent)
    : EditorTableModel(kRationFeeds | kRationMeals, kRationAmounts | kRationGrazing, parent), editor_(editor) {
  rows_ = editor_.Ration().Count();
  meals_ = SheetMeals(editor_.Horse());
}

void MealSheetModel::Reset() {
  const int rows = editor_.Ration().Count();
  const int meals = SheetMeals(editor_.Horse());
  if (rows != rows_ || meals != meals_) {
    beginResetModel();
    rows_ = rows;
    meals_ = meals;
    endResetModel();
    return;
  }
  if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
  emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int MealSheetModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int MealSheetModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kFirstMeal + meals_; }

QVariant MealSheetModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= editor_.Ration().Count()) return {};
  const TFor& f = *editor_.Ration().FeedAt(index.row());
  const char sep = editor_.Horse().env->regional.decimalSeparator;
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    if (index.column() == kName) return Q(f.Fornavn);
    if (index.column() == kUndistributed) return Q(UndistributedText(f, sep));
    return Q(MealCellText(f, MealOf(index.column()), sep));
  }
  if (role == Qt::TextAlignmentRole && index.column() != kName)
    return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
  return {};
}

QVariant MealSheetModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount()) return {};
  if (section == kName) return T(rationui::kFeedNameHeader);
  if (section == kUndistributed) return T(rationui::kIkkeFordelt);
  return Q(MealHeader(MealOf(section)));
}

Qt::ItemFlags MealSheetModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (MealOf(index.column()) >= 0) f |= Qt::ItemIsEditable;
  return f;
}

bool MealSheetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || MealOf(index.column()) < 0) return false;
  if (index.row() >= editor_.Ration().Count()) return false;
  const std::optional<double> kg = ParseMealCell(L(value.toString()), *editor_.Ration().FeedAt(index.row()));
  if (!kg) {
    emit Refused(index.row());
    emit dataChanged(index, index);
    return false;
  }
  return editor_.SetMealAmount(index.row(), MealOf(index.column()), *kg);
}

}  // namespace stallora
