#pragma once
// The feed list window's price page: every feed's price, editable; the other lists whose
// feeds of the same name take the new price too, and the horses' rations.

#include "ui/feedlist/pagebase.h"

class QCheckBox;
class QListWidget;
class QPushButton;
class QTableView;

namespace stallora {

class FeedPricePage : public FeedListPageBase {
  Q_OBJECT
 public:
  explicit FeedPricePage(FeedListWindow& window);
  void Refresh(unsigned changed) override;
  QTableView* Prices() const { return grid_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTableView* grid_;
  QListWidget* lists_;
  QPushButton* checkAll_;
  QPushButton* uncheckAll_;
  QCheckBox* inHorses_;
};

}  // namespace stallora
