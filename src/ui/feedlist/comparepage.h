#pragma once
// The feed list window's compare page: feeds from any workspace list and nutrients of the
// country chosen, then their values side by side as a table (printed, copied or stored).

#include "ui/feedlist/pagebase.h"

class QComboBox;
class QGroupBox;
class QListWidget;

namespace stallora {

class HtmlView;

class FeedComparePage : public FeedListPageBase {
  Q_OBJECT
 public:
  explicit FeedComparePage(FeedListWindow& window);
  void Refresh(unsigned changed) override;
  HtmlView* Results() const { return view_; }

 private:
  void Store();

  QWidget* choice_;
  QComboBox* lists_;
  QListWidget* feeds_;
  QListWidget* nutrients_;
  QListWidget* chosen_;
  QGroupBox* results_;
  HtmlView* view_;
};

}  // namespace stallora
