#pragma once
// The horse's training page: the training slider with its marks, the energy requirement
// against what the ration gives (labels and the energy bar) and the ration's amounts, a
// second view of the ration tab's amounts model.

#include <QWidget>

#include "forms/editor.h"

class QLabel;
class QSlider;
class QTableView;

namespace stallora {

class AmountsModel;
class HorseWindow;

class HorseTrainingPage : public QWidget {
  Q_OBJECT
 public:
  HorseTrainingPage(HorseWindow& window, AmountsModel& amounts);

  // The slider as the record has it.
  void ShowRecord();
  void Repaint(ChangeFlags changed);
  // The slider's position (0..100), and the position the training rules left it at.
  int Position() const;
  void ShowPosition(int position);
  // The labels and the energy bar anew.
  void Refresh();

 private:
  void Moved(int position);

  HorseWindow& window_;
  AmountsModel& amounts_;
  QSlider* tbTreningsMengde_;
  QLabel* lblEnergibehov_;
  QLabel* lblRationEnergy_;
  QLabel* lblWarning_;
  QLabel* imgEnergyBar_;
  QTableView* otAllocations2_;
};

}  // namespace stallora
