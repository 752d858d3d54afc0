#pragma once
// The calculation-system page: the country's warning, the active object's description and
// the group of the country's systems. Choosing another system converts the whole workspace
// (the library does it, as one change); the page asks, shows the progress and the outcome.

#include <QWidget>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QVBoxLayout;

namespace stallora {

class PreferencesDialog;

class SystemPage : public QWidget {
  Q_OBJECT
 public:
  explicit SystemPage(PreferencesDialog& dialog);
  void Repaint(unsigned changed);
  QButtonGroup* Group() const { return group_; }

 private:
  void Chosen(int entry);

  PreferencesDialog& dialog_;
  QLabel* lblWarning_;
  QLabel* lblActive_;
  QGroupBox* rgSystem_;
  QVBoxLayout* entries_;
  QButtonGroup* group_;
};

}  // namespace stallora
