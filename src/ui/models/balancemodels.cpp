#include "ui/models/balancemodels.h"

#include <QFont>

#include "forms/balance_texts.h"
#include "ration/optimizer_texts.h"
#include "ui/qtext.h"
#include "ui/rationtexts.h"

namespace stallora {
namespace {

constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

int PreviewRows(const BalanceForm& form) { return form.HasPreview() ? static_cast<int>(form.Preview().size()) + 1 : 0; }

}  // namespace

// ---- candidates

BalanceCandidatesModel::BalanceCandidatesModel(BalanceForm& form, QObject* parent)
    : EditorTableModel(kBalanceCandidates, kBalanceBounds, parent), form_(form), rows_(form.Rows()) {}

void BalanceCandidatesModel::Reset() {
  beginResetModel();
  rows_ = form_.Rows();
  endResetModel();
}

int BalanceCandidatesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int BalanceCandidatesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant BalanceCandidatesModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= form_.Rows()) return {};
  const int row = index.row();
  const CandidateFeed& c = form_.Candidate(row);
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    switch (index.column()) {
      case kName: return Q(c.name);
      case kNow: return Q(form_.CurrentText(row));
      case kMin: return Q(form_.MinText(row));
      case kMax: return Q(form_.MaxText(row));
      default: return {};
    }
  }
  if (role == Qt::CheckStateRole && index.column() == kLocked) return c.locked ? Qt::Checked : Qt::Unchecked;
  if (role == Qt::TextAlignmentRole && index.column() != kName) return QVariant::fromValue(kRight);
  return {};
}

QVariant BalanceCandidatesModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case kName: return T(rationui::kFeedNameHeader);
    case kNow: return T(kBalOldKg);
    case kLocked: return T(kBalLocked);
    case kMin: return T(kBalMinimumKg);
    case kMax: return T(kBalMaximumKg);
    default: return {};
  }
}

Qt::ItemFlags BalanceCandidatesModel::flags(const QModelIndex& index) const {
  if (!index.isValid() || index.row() >= form_.Rows()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  switch (index.column()) {
    case kLocked:
      if (form_.CanLock(index.row()))
        f |= Qt::ItemIsUserCheckable;
      else
        f &= ~Qt::ItemIsEnabled;
      break;
    case kMin:
    case kMax: f |= Qt::ItemIsEditable; break;
    default: break;
  }
  return f;
}

bool BalanceCandidatesModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || index.row() >= form_.Rows()) return false;
  const int row = index.row();
  if (index.column() == kLocked && role == Qt::CheckStateRole)
    return form_.SetLocked(row, value.toInt() == Qt::Checked);
  if (role != Qt::EditRole || (index.column() != kMin && index.column() != kMax)) return false;
  const std::string typed = L(value.toString());
  const BalanceNote note = index.column() == kMin ? form_.SetMin(row, typed) : form_.SetMax(row, typed);
  if (note) {
    emit Refused(note.text);
    emit dataChanged(index, index);
    return false;
  }
  return true;
}

// ---- preview

BalancePreviewModel::BalancePreviewModel(BalanceForm& form, QObject* parent)
    : EditorTableModel(kBalancePreview | kBalanceCandidates, kBalanceApplied, parent),
      form_(form),
      rows_(PreviewRows(form)) {}

void BalancePreviewModel::Reset() {
  beginResetModel();
  rows_ = PreviewRows(form_);
  endResetModel();
}

int BalancePreviewModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int BalancePreviewModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant BalancePreviewModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= PreviewRows(form_)) return {};
  const bool total = index.row() == static_cast<int>(form_.Preview().size());
  const BalancePreviewRow row = total ? form_.TotalRow() : form_.Preview()[static_cast<size_t>(index.row())];
  if (role == Qt::DisplayRole) {
    switch (index.column()) {
      case kName: return Q(row.feed);
      case kOld: return Q(row.oldKg);
      case kNew: return Q(row.newKg);
      case kCost: return Q(row.cost);
      case kNote: return Q(row.note);
      default: return {};
    }
  }
  // The amounts the proposal changes stand out, and so does the total.
  if (role == Qt::FontRole && (total || (row.changed && index.column() == kNew))) {
    QFont bold;
    bold.setBold(true);
    return bold;
  }
  if (role == Qt::TextAlignmentRole && index.column() != kName && index.column() != kNote)
    return QVariant::fromValue(kRight);
  return {};
}

QVariant BalancePreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case kName: return T(rationui::kFeedNameHeader);
    case kOld: return T(kBalOldKg);
    case kNew: return T(kBalNewKg);
    case kCost: return Q(form_.Horse().env->regional.currencySymbol) + "/d";
    case kNote: return T(kBalBoundHeader);
    default: return {};
  }
}

}  // namespace stallora
