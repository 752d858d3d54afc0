#pragma once
// The six formulas of the requirement editor's current object: the category names in the
// first column (locked), the formulas in the second (editable). An edit goes through
// RequirementEditor::SetFormula; a refused text is handed to `refused` (the window tells the
// user), the old formula stays.

#include <functional>
#include <string>

#include "forms/requirement_editor.h"
#include "ui/models/editormodel.h"

namespace stallora {

class FormulasModel : public EditorTableModel {
  Q_OBJECT
 public:
  explicit FormulasModel(RequirementEditor& editor, QObject* parent = nullptr);

  std::function<void(const std::string& message)> refused;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 private:
  RequirementEditor& editor_;
};

}  // namespace stallora
