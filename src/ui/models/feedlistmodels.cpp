#include "ui/models/feedlistmodels.h"

#include "core/common_texts.h"
#include "feeds/feed.h"
#include "forms/feedlist_texts.h"
#include "render/qttext.h"

namespace stallora {

// ---- the analysis grid

FeedAnalysisModel::FeedAnalysisModel(FeedListEditor& editor, QObject* parent)
    : EditorTableModel(kFlcPages | kFlcTree, kFlcFeed, parent), editor_(editor), rows_(editor.FeedView().rows) {}

void FeedAnalysisModel::Reset() {
  beginResetModel();
  rows_ = editor_.FeedView().rows;
  endResetModel();
}

void FeedAnalysisModel::EditorChanged(ChangeFlags changed) {
  std::vector<AnalysisRow> fresh = editor_.FeedView().rows;
  if (fresh.size() != rows_.size()) {
    Reset();
    return;
  }
  if (!(changed & (kFlcFeed | kFlcPages | kFlcTree))) return;
  rows_ = std::move(fresh);
  if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumns - 1));
}

int FeedAnalysisModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int FeedAnalysisModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant FeedAnalysisModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
  const AnalysisRow& row = rows_[static_cast<size_t>(index.row())];
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    switch (index.column()) {
      case kName: return Q(row.name);
      case kValue: return Q(row.value);
      case kUnit: return Q(row.unit);
      default: return {};
    }
  }
  if (role == Qt::TextAlignmentRole && index.column() == kValue)
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant FeedAnalysisModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case kName: return Q(Tr(kNaeringsstof));
    case kValue: return QString();  // the value column needs no caption beside the two
    case kUnit: return Q(Tr(kFlEnhed));
    default: return {};
  }
}

Qt::ItemFlags FeedAnalysisModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == kValue && index.row() < static_cast<int>(rows_.size()) &&
      rows_[static_cast<size_t>(index.row())].editable)
    f |= Qt::ItemIsEditable;
  return f;
}

bool FeedAnalysisModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || index.column() != kValue || index.row() >= static_cast<int>(rows_.size())) return false;
  const std::string text = L(value.toString().trimmed());
  if (text == rows_[static_cast<size_t>(index.row())].value) return false;
  return editor_.SetAnalysisValue(index.row(), text);
}

// ---- the price grid

FeedPriceModel::FeedPriceModel(FeedListEditor& editor, QObject* parent)
    : EditorTableModel(kFlcTree | kFlcPages, kFlcPrices | kFlcFeed, parent),
      editor_(editor),
      rows_(editor.PriceRows()) {}

void FeedPriceModel::Reset() {
  beginResetModel();
  rows_ = editor_.PriceRows();
  endResetModel();
}

void FeedPriceModel::EditorChanged(ChangeFlags changed) {
  std::vector<PriceRow> fresh = editor_.PriceRows();
  if (fresh.size() != rows_.size()) {
    Reset();
    return;
  }
  if (!(changed & (kFlcPrices | kFlcFeed | kFlcTree | kFlcPages))) return;
  rows_ = std::move(fresh);
  if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumns - 1));
}

int FeedPriceModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int FeedPriceModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant FeedPriceModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
  const PriceRow& row = rows_[static_cast<size_t>(index.row())];
  if (role == Qt::DisplayRole || role == Qt::EditRole) return Q(index.column() == kName ? row.name : row.price);
  if (role == Qt::TextAlignmentRole && index.column() == kPrice)
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant FeedPriceModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section == kName) return Q(Tr(kFodernavn));
  if (section == kPrice) return Q(editor_.List().env->regional.currencySymbol + "/kg");
  return {};
}

Qt::ItemFlags FeedPriceModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == kPrice) f |= Qt::ItemIsEditable;
  return f;
}

bool FeedPriceModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || index.column() != kPrice || index.row() >= static_cast<int>(rows_.size())) return false;
  const std::string text = L(value.toString().trimmed());
  if (text == rows_[static_cast<size_t>(index.row())].price) return false;
  return editor_.SetPrice(index.row(), text);
}

}  // namespace stallora
