#pragma once
// The program's small pictures: tree nodes, treatment kinds and statuses, tool bar.

#include <QIcon>

namespace stallora {

enum class IconKind {
  Stable,
  ModelStable,
  Horse,
  ModelHorse,
  FeedList,
  FeedMix,
  GuaranteeList,
  NewStable,
  NewHorse,
  Find,
  Help,
  SaveAll,
  Formulas,
  Close,
  Print,
  Back,
  Forward,
  Mail,
  Save,
  Delete,
  Vet,
  Worm,
  Vacc,
  Shoe,
  Repro,
  OtherTreatment,
  Overdue,
  DueSoon,
  PlannedLater,
  Ban,
};

// Drawn once and kept; the same pictures on every platform.
QIcon Icon(IconKind kind);

}  // namespace stallora
