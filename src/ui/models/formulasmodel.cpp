#include "ui/models/formulasmodel.h"

#include "render/qttext.h"

namespace stallora {

FormulasModel::FormulasModel(RequirementEditor& editor, QObject* parent)
    : EditorTableModel(kUtObject, kUtFormula, parent), editor_(editor) {}

int FormulasModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || editor_.Count() == 0 ? 0 : kUtRows;
}

int FormulasModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant FormulasModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole) return {};
  return index.column() == 0 ? Q(editor_.CategoryName(index.row())) : Q(editor_.Formula(index.row()));
}

QVariant FormulasModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  return Q(Tr(section == 0 ? kUtCategory : kUtRule));
}

Qt::ItemFlags FormulasModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == 1) f |= Qt::ItemIsEditable;
  return f;
}

bool FormulasModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || index.column() != 1) return false;
  if (auto problem = editor_.SetFormula(index.row(), L(value.toString()))) {
    if (refused) refused(*problem);
    return false;
  }
  return true;
}

}  // namespace stallora
