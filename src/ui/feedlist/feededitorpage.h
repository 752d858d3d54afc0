#pragma once
// The feed list window's feed editor: the edited feed's name, price, category, brand,
// carotene, free text, dry matter, unit weight and origin, its analysis grid per kg feed or
// per kg dry matter, stepping to the previous or next feed, and OK, cancel, print and mail.
// Every typed value goes to the editor when the field is left; a refused one is shown again
// as stored, with the editor's message.

#include "ui/feedlist/pagebase.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableView;

namespace stallora {

class ClickLabel;

class FeedEditorPage : public FeedListPageBase {
  Q_OBJECT
 public:
  explicit FeedEditorPage(FeedListWindow& window);
  void Refresh(unsigned changed) override;
  QTableView* Analysis() const { return grid_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Show();
  void Field(QLineEdit* edit, bool (FeedListEditor::*set)(const std::string&));
  void Mail();
  void BrandClicked();

  QLineEdit* name_;
  QLineEdit* price_;
  QLabel* priceLabel_;
  QComboBox* category_;
  QLineEdit* brand_;
  ClickLabel* brandLabel_;
  QCheckBox* carotene_;
  QPlainTextEdit* userText_;
  QLineEdit* dryMatter_;
  QLineEdit* unitWeight_;
  QSpinBox* origin_;
  QLabel* originText_;
  QRadioButton* perFeed_;
  QRadioButton* perDryMatter_;
  QTableView* grid_;
  QLabel* status_;
  QLabel* position_;
  QLabel* energy_;
  QPushButton* previous_;
  QPushButton* next_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QPushButton* print_;
  QPushButton* mail_;
};

}  // namespace stallora
