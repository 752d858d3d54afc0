#pragma once
// The page "Rapporter, behandlinger" with its three inner pages: the report files saved in
// the horses' directories (a tree, with delete), the treatments of all horses as a tree in
// the chosen mode, and the treatment list report with its output buttons.

#include <QWidget>

#include "forms/editor.h"

class QGroupBox;
class QLabel;
class QModelIndex;
class QPushButton;
class QTabWidget;
class QTreeView;

namespace stallora {

class HtmlView;
class ReportsTreeModel;
class StableTreatmentTreeModel;
class StableWindow;

class StableTreatmentsPage : public QWidget {
  Q_OBJECT
 public:
  explicit StableTreatmentsPage(StableWindow& window);
  void Repaint(ChangeFlags changed);
  // Models of the trees (the window's relay tells them).
  void EditorChanged(ChangeFlags changed);

  // Commands (public for the tests).
  void ReportClicked(const QModelIndex& index);
  void ReportActivated(const QModelIndex& index);
  void DeleteReports();
  void TreatmentActivated(const QModelIndex& index);
  // Shows the inner page of the treatments tree (a summary line leads there).
  void ShowTreatmentTree();

  QTabWidget* InnerTabs() const { return pcReports_; }
  QTreeView* ReportsTree() const { return tvReports_; }
  QTreeView* TreatmentTree() const { return tvTreatments_; }
  ReportsTreeModel* ReportsModel() const { return reportsModel_; }
  StableTreatmentTreeModel* TreatmentModel() const { return treatmentModel_; }
  QPushButton* DeleteButton() const { return delete_; }
  HtmlView* Browser() const { return browser_; }

 private:
  void ExpandTreatments();

  StableWindow& window_;
  QTabWidget* pcReports_;
  QWidget* tsReports_;
  QGroupBox* reportsGroup_;
  QTreeView* tvReports_;
  QPushButton* delete_;
  QLabel* treatmentLabel_;
  QTreeView* tvTreatments_;
  QGroupBox* listGroup_;
  HtmlView* browser_;
  ReportsTreeModel* reportsModel_;
  StableTreatmentTreeModel* treatmentModel_;
};

}  // namespace stallora
