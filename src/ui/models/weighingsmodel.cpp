#include "ui/models/weighingsmodel.h"

#include <cmath>

#include "core/daynum.h"
#include "core/textutil.h"
#include "forms/horse_form.h"
#include "render/qttext.h"
#include "ui/horsetexts.h"

namespace stallora {

namespace {
// The table's dates are written as the weight report writes them.
constexpr const char* kTableDateFormat = "dd/mm/yyyy";
}  // namespace

WeighingsModel::WeighingsModel(HorseEditor& editor, QObject* parent)
    : EditorTableModel(kHorseWeighings | kHorseCategory, 0, parent), editor_(editor) {
  rows_ = editor_.Horse().VektListe->Antall();
}

void WeighingsModel::Reset() {
  const int rows = editor_.Horse().VektListe->Antall();
  if (rows == rows_) {
    if (rows > 0) emit dataChanged(index(0, 0), index(rows - 1, kColumns - 1));
    return;
  }
  beginResetModel();
  rows_ = rows;
  endResetModel();
}

void WeighingsModel::Reload() { Reset(); }

int WeighingsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }
int WeighingsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant WeighingsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const TVekt* v = editor_.Horse().VektListe->Element(index.row());
  if (!v) return {};
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    if (index.column() == kDate) return Q(FormatDateTime(kTableDateFormat, v->Dato));
    return QString::number(std::lround(v->Vekt));
  }
  if (role == Qt::TextAlignmentRole && index.column() == kKg)
    return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
  return {};
}

QVariant WeighingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return section == kDate ? T(horsetext::kWDato) : T(horsetext::kWVaegtdata);
}

Qt::ItemFlags WeighingsModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool WeighingsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || index.row() >= rows_) return false;
  const std::string typed = L(value.toString());
  bool taken = false;
  if (index.column() == kDate) {
    if (auto date = ParseDate(typed, kTableDateFormat)) taken = editor_.SetWeighingDate(index.row(), *date);
  } else if (auto kg = ParseTypedNumber(typed)) {
    taken = editor_.SetWeighingKg(index.row(), *kg);
  }
  // A refused value: the cell shows the weighing's own again.
  if (!taken) emit dataChanged(index, index);
  return taken;
}

}  // namespace stallora
