#pragma once
// The young-horse definition: a birth date coupled with an age slider of 0 to 24 months,
// quick choices of the age, and the expected adult weight.

#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSlider>

#include "core/daynum.h"
#include "core/seams.h"

namespace stallora {

class YoungHorseDialog : public QDialog {
  Q_OBJECT
 public:
  // The clock and date format the dialog counts with are the program's (none: the system
  // clock and the Danish date format). The main window's AppWindows makes the one dialog.
  YoungHorseDialog(const Clock* clock, const Regional* regional, QWidget* parent = nullptr);

  // The caller's date: the date rule runs on it at once.
  void SetDate(DayNumber date);
  DayNumber Date() const;
  void SetAdultWeight(const QString& text) { weight_->setText(text); }
  QString AdultWeight() const { return weight_->text(); }
  // As the user moving the slider or clicking a quick choice.
  void MoveSlider(int months);
  int SliderValue() const { return slider_->value(); }
  QString AgeText() const { return age_->text(); }

 protected:
  void showEvent(QShowEvent* event) override;
  // A new caption widens the dialog so that its title bar shows the caption whole.
  void changeEvent(QEvent* event) override;

 private:
  DayNumber Today() const;
  void DateChanged();
  void ShowAge();
  void SetTexts();
  QDateEdit* date_;
  QSlider* slider_;
  QLabel* age_;
  QLabel* interval_;
  QLineEdit* weight_;
  bool settingDate_ = false;
  bool settingSlider_ = false;
  const Clock* clock_;
  const Regional* regional_;
};

}  // namespace stallora
