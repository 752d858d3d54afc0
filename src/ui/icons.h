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

// The pictures the library names by number: 20 a feed list, 22..33 a feed's status by kind
// (commercial, generic, own) and group (roughage, concentrate, supplement, group 11),
// 34 and 46 a feed outside the groups with and without analysis, 35..38 the groups,
// 39 a feed picked into a mix. Other numbers: a null icon.
QIcon ImageListIcon(int number);

}  // namespace stallora
