#pragma once
// The preferences dialog's lists, each a model over the dialog's PreferencesEditor: the
// nutrients of the selection box with their checks, the energy/protein objects, and the
// treatment names of the chosen type. They read the editor and write through one editor
// operation; the dialog's relay passes the editor's flags on.

#include <string>
#include <vector>

#include "forms/preferences_editor.h"
#include "ui/models/editormodel.h"

namespace stallora {

// A one-column list of texts the editor gives. It keeps its rows, so a notification that
// leaves their number as it was repaints them and keeps the view's current row (a click in
// a list must not lose itself in a reset).
class EditorListModel : public EditorTableModel {
  Q_OBJECT
 public:
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 protected:
  EditorListModel(ChangeFlags structure, QObject* parent) : EditorTableModel(structure, 0, parent) {}
  // The rows as the editor has them now.
  virtual std::vector<std::string> Rows() const = 0;
  // The rows read for the first time (from the derived class's constructor).
  void Load() { rows_ = Rows(); }
  void Reset() override;
  const std::vector<std::string>& rows() const { return rows_; }
  bool Has(const QModelIndex& index) const { return index.isValid() && index.row() < rowCount(); }

 private:
  std::vector<std::string> rows_;
};

// The country table's nutrients but the last, checked from the flag array the box edits.
// A check can be set only while the box is open.
class NutrientChecksModel : public EditorListModel {
  Q_OBJECT
 public:
  explicit NutrientChecksModel(PreferencesEditor& editor, QObject* parent = nullptr);
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 protected:
  std::vector<std::string> Rows() const override { return editor_.NutrientNames(); }

 private:
  PreferencesEditor& editor_;
};

// The names of the energy/protein objects in list order; the active object's in bold.
class EnergyObjectsModel : public EditorListModel {
  Q_OBJECT
 public:
  explicit EnergyObjectsModel(PreferencesEditor& editor, QObject* parent = nullptr);
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 protected:
  std::vector<std::string> Rows() const override { return editor_.ObjectNames(); }

 private:
  PreferencesEditor& editor_;
};

// The treatment names of the chosen type, in the register line's order.
class TreatmentNamesModel : public EditorListModel {
  Q_OBJECT
 public:
  explicit TreatmentNamesModel(PreferencesEditor& editor, QObject* parent = nullptr);

 protected:
  std::vector<std::string> Rows() const override { return editor_.TreatmentNames(); }

 private:
  PreferencesEditor& editor_;
};

}  // namespace stallora
