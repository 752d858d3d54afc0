#pragma once
// The feed list window's information page: the list's name, version text and information,
// the energy and protein objects, and the feed tree with picking and deleting.

#include "ui/feedlist/pagebase.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeView;

namespace stallora {

class FeedListInfoPage : public FeedListPageBase {
  Q_OBJECT
 public:
  explicit FeedListInfoPage(FeedListWindow& window);
  void Refresh(unsigned changed) override;
  QTreeView* Tree() const { return tree_; }

 private:
  void Clicked(const QModelIndex& index);
  void DoubleClicked(const QModelIndex& index);

  QLineEdit* name_;
  QLineEdit* version_;
  QLabel* info_;
  QLabel* count_;
  QListWidget* energy_;
  QPushButton* preferences_;
  QGroupBox* treeBox_;
  QLineEdit* filter_;
  QTreeView* tree_;
  QPushButton* reset_;
  QPushButton* showPicked_;
  QPushButton* deletePicked_;
  QPushButton* deleteBrand_;
};

}  // namespace stallora
