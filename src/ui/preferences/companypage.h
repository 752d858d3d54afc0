#pragma once
// The company and consultant page: the texts every report prints at its foot, and the logo.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace stallora {

class PreferencesDialog;

class CompanyPage : public QWidget {
  Q_OBJECT
 public:
  explicit CompanyPage(PreferencesDialog& dialog);
  void Repaint(unsigned changed);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ChooseLogo();

  PreferencesDialog& dialog_;
  QPlainTextEdit* mInfo_;
  QLineEdit* edCompany_;
  QLineEdit* edConsultant_;
  QLineEdit* edMobile_;
  QLineEdit* edMail_;
  QLabel* imgLogo_;
  QPushButton* btnDeleteLogo_;
};

}  // namespace stallora
