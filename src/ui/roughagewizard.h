#pragma once
// The roughage wizard: the roughages of a feed list in four check lists (dry, wet, pasture,
// grown locally); on "Fortsæt" the roughage of the horse's ration is exchanged for the
// checked ones (ration/roughage_wizard.h does the exchange).

#include <QDialog>
#include <array>
#include <functional>
#include <string>

#include "ration/roughage_wizard.h"

class QListWidget;
class QGroupBox;

namespace stallora {

class Messages;
class THest;
class TForListe;

class RoughageWizard : public QDialog {
  Q_OBJECT
 public:
  RoughageWizard(TForListe& source, THest& horse, Messages* messages, QWidget* parent = nullptr);

  // The check list of a group (RoughageGroup order).
  QListWidget* List(int group) const { return lists_[static_cast<size_t>(group)]; }
  QGroupBox* Box(int group) const { return boxes_[static_cast<size_t>(group)]; }
  // The check marks as they stand.
  RoughageChoice Choice() const;
  // The ration was changed (the wizard closed with "Fortsæt").
  bool Applied() const { return applied_; }
  // "Fortsæt": closes and exchanges the roughage, or warns and stays open.
  void Continue();

  // Opens an online help page ("71-feedhelp/350-hay", ...).
  std::function<void(const std::string& page)> openHelp;

 private:
  TForListe& source_;
  THest& horse_;
  Messages* messages_;
  RoughageChoice choice_;
  std::array<QListWidget*, kRoughageGroups> lists_{};
  std::array<QGroupBox*, kRoughageGroups> boxes_{};
  bool applied_ = false;
};

}  // namespace stallora
