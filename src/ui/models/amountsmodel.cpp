#include "ui/models/amountsmodel.h"

#include "forms/ration_page.h"
#include "ration/ration_amounts.h"
#include "ui/qtext.h"
#include "ui/rationtexts.h"

namespace stallora {

AmountsModel::AmountsModel(RationEditor& editor, QObject* parent)
    : EditorTableModel(kRationFeeds, kRationAmounts | kRationGrazing, parent), editor_(editor) {
  rows_ = editor_.Ration().Count();
}

void AmountsModel::Reset() {
  beginResetModel();
  rows_ = editor_.Ration().Count();
  endResetModel();
}

void AmountsModel::Reload() {
  if (rows_ != editor_.Ration().Count()) Reset();
  else EditorChanged(kRationAmounts);
}

int AmountsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int AmountsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant AmountsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= editor_.Ration().Count()) return {};
  const TFor& f = *editor_.Ration().FeedAt(index.row());
  const char sep = editor_.Horse().env->regional.decimalSeparator;
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    switch (index.column()) {
      case kName: return Q(f.Fornavn);
      case kAmount: return Q(ShownAmountText(f, sep));
      case kUnit: return Q(AmountUnit(f));
    }
  }
  if (role == Qt::TextAlignmentRole && index.column() == kAmount)
    return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
  return {};
}

QVariant AmountsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case kName: return T(rationui::kFeedNameHeader);
    case kAmount: return T(rationui::kMaengde);
    default: return QString();
  }
}

Qt::ItemFlags AmountsModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == kAmount) f |= Qt::ItemIsEditable;
  return f;
}

bool AmountsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || index.column() != kAmount) return false;
  if (index.row() >= editor_.Ration().Count()) return false;
  const TFor& f = *editor_.Ration().FeedAt(index.row());
  double kg = 0;
  if (ParseShownAmount(L(value.toString()), f, &kg) != AmountInput::kOk) {
    emit Refused(index.row());
    // The view shows the amount the feed still has.
    emit dataChanged(index, index);
    return false;
  }
  emit Editing(index.row());
  return editor_.SetAmount(index.row(), kg);
}

}  // namespace stallora
