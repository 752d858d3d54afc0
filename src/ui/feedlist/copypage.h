#pragma once
// The feed list window's copy page: feeds copied from a donor list (all, a group, or the
// chosen ones) into this list, converted to its energy system, with the duplicate box for
// feeds of names the list has.

#include "ui/feedlist/pagebase.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace stallora {

class FeedCopyPage : public FeedListPageBase {
  Q_OBJECT
 public:
  explicit FeedCopyPage(FeedListWindow& window);
  void Refresh(unsigned changed) override;

 private:
  QGroupBox* targetBox_;
  QListWidget* target_;
  QComboBox* donor_;
  QComboBox* group_;
  QListWidget* choices_;
  QPushButton* full_;
  QPushButton* groupButton_;
  QPushButton* selected_;
  QPushButton* clear_;
  QPushButton* sort_;
  QGroupBox* duplicates_;
  QListWidget* duplicateList_;
  QLabel* duplicateLabel_;
  QPushButton* skip_;
};

}  // namespace stallora
