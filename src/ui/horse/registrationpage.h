#pragma once
// The horse's registration page: the life number (UELN), the day it came to the stable,
// father and mother, the markings, condition and owner notes, and the diary beside them.

#include <QWidget>

class QDateEdit;
class QLineEdit;
class QPlainTextEdit;

namespace stallora {

class HorseDiary;
class HorseWindow;

class HorseRegistrationPage : public QWidget {
  Q_OBJECT
 public:
  explicit HorseRegistrationPage(HorseWindow& window);

  void ShowRecord();
  void TakeDataIntoRecord();
  HorseDiary* Diary() const { return diary_; }

 private:
  void RegistrationNumberLeft();

  HorseWindow& window_;
  QLineEdit* edUELN_;
  QDateEdit* dtpInnPaStall_;
  QLineEdit* eFar_;
  QLineEdit* eMor_;
  QPlainTextEdit* mAvtegn_;
  QPlainTextEdit* mKondisjon_;
  QPlainTextEdit* mEierOpplysninger_;
  HorseDiary* diary_;
};

}  // namespace stallora
