#include "ui/models/rationplanmodel.h"

#include "ui/qtext.h"
#include "ui/rationtexts.h"

namespace stallora {

RationPlanModel::RationPlanModel(RationEditor& editor, QObject* parent)
    : EditorTableModel(kRationFeeds, kRationAmounts | kRationPrices | kRationGrazing, parent), editor_(editor) {
  rows_ = editor_.Ration().Count();
  // Connected before any view: the texts are made anew before a view reads them.
  connect(this, &QAbstractItemModel::dataChanged, this, [this] { stale_ = true; });
}

void RationPlanModel::Reset() {
  beginResetModel();
  rows_ = editor_.Ration().Count();
  stale_ = true;
  endResetModel();
}

void RationPlanModel::Reload() {
  if (rows_ != editor_.Ration().Count())
    Reset();
  else
    EditorChanged(kRationPrices);
}

const std::vector<RationRow>& RationPlanModel::Rows() const {
  if (stale_) {
    texts_ = RationRows(editor_.Ration(), editor_.Horse().env->regional.decimalSeparator);
    stale_ = false;
  }
  return texts_;
}

int RationPlanModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int RationPlanModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant RationPlanModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const std::vector<RationRow>& rows = Rows();
  if (index.row() >= static_cast<int>(rows.size())) return {};
  const RationRow& row = rows[static_cast<size_t>(index.row())];
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    switch (index.column()) {
      case kFeed: return Q(row.feed);
      case kPricePerDay: return Q(row.pricePerDay);
      case kPricePerKg: return Q(row.pricePerKg);
    }
  }
  if (role == Qt::TextAlignmentRole) {
    if (index.column() == kPricePerDay) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (index.column() == kPricePerKg) return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
  }
  return {};
}

QVariant RationPlanModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  const QString currency = Q(editor_.Horse().env->regional.currencySymbol);
  switch (section) {
    case kFeed: return T(rationui::kFeedNameHeader);
    case kPricePerDay: return currency + "/d";
    case kPricePerKg: return currency + "/kg";
    default: return {};
  }
}

Qt::ItemFlags RationPlanModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == kPricePerKg) f |= Qt::ItemIsEditable;
  return f;
}

bool RationPlanModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || index.column() != kPricePerKg) return false;
  if (index.row() >= editor_.Ration().Count()) return false;
  const std::optional<double> price = ParsePrice(L(value.toString()));
  if (!price) {
    emit Refused(index.row());
    emit dataChanged(index, index);
    return false;
  }
  return editor_.SetPrice(index.row(), *price);
}

}  // namespace stallora
