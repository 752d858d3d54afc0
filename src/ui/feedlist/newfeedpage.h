#pragma once
// The feed list window's new-feed page: the new feed's name and category, a template feed
// from any workspace list (or none), and "ready", which opens the feed editor on it.

#include "ui/feedlist/pagebase.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace stallora {

class NewFeedPage : public FeedListPageBase {
  Q_OBJECT
 public:
  explicit NewFeedPage(FeedListWindow& window);
  void Refresh(unsigned changed) override;

 private:
  QLineEdit* name_;
  QComboBox* category_;
  QComboBox* templateList_;
  QCheckBox* sameCategory_;
  QCheckBox* alsoOther_;
  QGroupBox* templateBox_;
  QListWidget* templates_;
  QLabel* templateLabel_;
  QPushButton* ready_;
};

}  // namespace stallora
