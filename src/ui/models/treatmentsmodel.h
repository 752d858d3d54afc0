#pragma once
// The tree of the horse's treatments: the horse at the root, then by type the six type
// nodes with their treatments, or by date the treatments directly under the horse (the
// library builds the tree; see nutrition/treatment_reports.h). The tree is built anew when
// the layout changes and when the editor tells that the treatments changed.

#include <QAbstractItemModel>
#include <QIcon>

#include "forms/horse_editor.h"
#include "nutrition/treatment_reports.h"

namespace stallora {

class TreatmentsModel : public QAbstractItemModel {
  Q_OBJECT
 public:
  // The treatment of a node (TTreatmentObj* as quintptr, 0 for the root and type nodes)
  // and the treatment type of a type node (-1 for the others).
  enum Role { kTreatmentRole = Qt::UserRole, kTypeRole };

  TreatmentsModel(HorseEditor& editor, QObject* parent = nullptr);

  // The tree anew in the given layout, and in the last one.
  void Build(bool byType);
  void Rebuild() { Build(byType_); }
  bool ByType() const { return byType_; }
  // The tree anew when the treatments changed.
  void EditorChanged(ChangeFlags changed);

  TTreatmentObj* TreatmentAt(const QModelIndex& index) const;
  int TypeAt(const QModelIndex& index) const;
  // The first node (in display order) showing `text`, or an invalid index.
  QModelIndex IndexWithText(const QString& text) const;
  QModelIndex IndexOfTreatment(const TTreatmentObj* treatment) const;
  // Whether there is more than the root.
  bool Empty() const { return tree_.nodes.size() <= 1; }

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  const TreatmentTreeNode* NodeOf(const QModelIndex& index) const;
  QModelIndex IndexOfNode(int node) const;

  HorseEditor& editor_;
  bool byType_ = false;
  TreatmentTree tree_;
};

}  // namespace stallora
