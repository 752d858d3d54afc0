#pragma once
// The calculator's three pages. Each builds its controls (with the object names the tests
// use), forwards what the user does to the editor and repaints what the editor's flags name.

#include <QWidget>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;
class QTreeView;

namespace stallora {

class FeedMixEditor;
class FeedMixWindow;
class HtmlView;

class MixPageBase : public QWidget {
  Q_OBJECT
 public:
  explicit MixPageBase(FeedMixWindow& window);
  virtual void Refresh(unsigned changed) = 0;

 protected:
  FeedMixEditor& Editor() const;
  FeedMixWindow& window_;
  bool filling_ = false;  // the page sets its controls: their signals are not the user's
};

// Feed selection: the mix's feeds, the source list and its tree.
class MixSelectionPage : public MixPageBase {
  Q_OBJECT
 public:
  explicit MixSelectionPage(FeedMixWindow& window);
  void Refresh(unsigned changed) override;
  QTreeView* Tree() const { return tree_; }

 private:
  QListWidget* mixFeeds_ = nullptr;
  QGroupBox* mixBox_ = nullptr;
  QLabel* count_ = nullptr;
  QPushButton* choose_ = nullptr;
  QGroupBox* sourceBox_ = nullptr;
  QComboBox* source_ = nullptr;
  QTreeView* tree_ = nullptr;
};

// Mixing: the grid with its spinner and step, the total, the price, the category, the
// analysis and print.
class MixingPage : public MixPageBase {
  Q_OBJECT
 public:
  explicit MixingPage(FeedMixWindow& window);
  void Refresh(unsigned changed) override;
  // The row the spinner steps (-1: none chosen, the editor takes the first).
  int ActiveRow() const;

 private:
  void TotalEntered();
  QTableView* grid_ = nullptr;
  QButtonGroup* steps_ = nullptr;
  QLabel* totalCaption_ = nullptr;
  QLineEdit* total_ = nullptr;
  QLabel* price_ = nullptr;
  QComboBox* category_ = nullptr;
  HtmlView* analysis_ = nullptr;
};

// Saving: as a feed into a list, as a recipe, tried on a horse.
class MixSavingPage : public MixPageBase {
  Q_OBJECT
 public:
  explicit MixSavingPage(FeedMixWindow& window);
  void Refresh(unsigned changed) override;

 private:
  void SaveFeed();
  void SaveRecipe();
  QComboBox* target_ = nullptr;
  QLineEdit* feedName_ = nullptr;
  QLineEdit* mixName_ = nullptr;
  QGroupBox* horseBox_ = nullptr;
  QComboBox* horse_ = nullptr;
};

}  // namespace stallora
