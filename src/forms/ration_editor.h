#pragma once
// The editor of a horse's ration (the horse window's ration tab): every change the user
// makes to the feeds, their amounts, prices and meals is one operation here, ending in one
// commit (see forms/editor.h): the requirement and the ration's supply are computed once
// (BeregnBehov, BeregnTilforsel), the ration is dated, and the listeners are told what
// changed. The pages and tables of the tab only show the horse and call these.
//
// Rows are the ration's feeds in their order (TForListe::FeedAt).
//
// Texts are Windows-1252.

#include <string>

#include "forms/editor.h"
#include "forms/ration_page.h"
#include "nutrition/hest.h"

namespace stallora {

// What an edit of the ration changed.
enum RationChange : ChangeFlags {
  kRationFeeds = 1u << 0,      // feeds came or went, or their order changed (table rows)
  kRationAmounts = 1u << 1,    // daily amounts (and so the supply, the balance, the plan)
  kRationPrices = 1u << 2,     // a feed's price
  kRationMeals = 1u << 3,      // the meal sheet: meals' amounts, the number of meals
  kRationSelection = 1u << 4,  // check marks of the selection list only
  kRationGrazing = 1u << 5,    // the grazing hours or intake
  kRationDated = 1u << 7,      // the edit dates the ration (its EndretDato becomes today)
  kRationAll = (1u << 8) - 1,
};

class RationEditor : public Editor {
 public:
  explicit RationEditor(THest& horse) : horse_(horse) {}

  THest& Horse() const { return horse_; }
  TForListe& Ration() const { return *horse_.ForListe; }

  // ---- amounts
  // A daily amount in kg (false when the row is not a feed of the ration).
  bool SetAmount(int row, double kg);
  // One spinner step on a row (the grazing cap applies afterwards).
  bool StepAmount(int row, bool up);
  // "Nulstil værdier for... Fodermengder": every amount 0.
  void ResetAmounts();

  // ---- feeds
  // A check mark of the selection list set or cleared; the ration takes the feed or lets
  // it go.
  void ToggleFeed(TForListe& selection, TFor& feed);
  // "Nulstil" of the selection panel: no feed of the selection list is checked any more
  // (the ration keeps its feeds until the selection is confirmed).
  void UnpickSelection(TForListe& selection);
  // A feed of the ration removed by name (and unchecked in the selection list, if given).
  bool RemoveFeed(const std::string& name, TForListe* selection);
  // A feed of a feed list joins the ration as a picked copy at 0 kg, converted into the
  // ration's energy system and placed in its category group (the other feeds keep their
  // order). The copy, or nullptr when `index` is no feed of the list.
  TFor* TakeFeed(const TForListe& list, int index);
  // A feed made elsewhere (a mix tried on the horse) joins the ration as a picked copy with
  // its kg, converted as TakeFeed converts; a feed of that name already there gives way to it.
  TFor& AddFeed(const TFor& feed, const TForListe& from);
  // "Nulstil værdier for... Valgt foder": an empty ration.
  void ResetChosenFeeds();
  // The selection list was closed or the roughage wizard chose feeds: the ration's feeds
  // are what they now are (the wizard's are sorted by category first).
  void FeedsChosen(bool sortByCategory);

  // ---- prices
  // A feed's price per kg (false when the row is no feed or the price did not change).
  bool SetPrice(int row, double price);

  // ---- grazing: the last selected pasture feed of the selection list follows the grazing
  // (the labels say what it came to)
  GrazingLabels SetGrazingHours(int hours, TForListe* selection);
  GrazingLabels SetGrazingIntake(double factor, TForListe* selection);
  // The grazing panel opened: the pasture feed brought in line with the grazing.
  GrazingLabels ShowGrazing(TForListe* selection);
  // The amounts page entered: the pasture feed's amount cut to the maximum intake.
  void CapGrazing();

  // ---- the meal sheet
  // The sheet's entry step (the stable's feeding times taken over, the rest rebuilt); a
  // change is told as a meal change.
  bool PrepareMeals(int stableMeals, const StringList& stableTimes);
  bool SetMealAmount(int row, int meal, double kg);
  bool StepMeal(int row, int meal, bool up);
  bool DistributeEvenly(int row);
  bool GiveRest(int row, int meal);
  bool ResetMeals(int row);

  // ---- no edit: the horse changed elsewhere (another window, the horse's data) or the
  // tab is entered; the record is computed again and the listeners told `changed`.
  void Recalculate(ChangeFlags changed = 0) { Commit(changed, true); }

 protected:
  void Recompute() override;
  void Stamp(ChangeFlags changed) override;

 private:
  TFor* Feed(int row) const;
  char Sep() const;
  int Meals() const;
  THest& horse_;
};

}  // namespace stallora
