#pragma once
// The feed list window's order page: the feeds' order, moved one place at a time or sorted
// by category, and a brand's feeds made into a list of their own.

#include "ui/feedlist/pagebase.h"

class QCheckBox;
class QGroupBox;
class QListWidget;

namespace stallora {

class FeedOrderPage : public FeedListPageBase {
  Q_OBJECT
 public:
  explicit FeedOrderPage(FeedListWindow& window);
  void Refresh(unsigned changed) override;

 private:
  QListWidget* order_;
  QListWidget* brands_;
  QGroupBox* brandBox_;
  QListWidget* brandList_;
  QCheckBox* showInProgram_;
};

}  // namespace stallora
