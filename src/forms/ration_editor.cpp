#include "forms/ration_editor.h"

#include "forms/ration_page.h"
#include "ration/evaluation.h"
#include "ration/ration_amounts.h"

namespace stallora {

void RationEditor::Recompute() {
  horse_.BeregnBehov();
  BeregnTilforsel(horse_);
}

void RationEditor::Stamp(ChangeFlags changed) {
  if (changed & kRationDated) Ration().EndretDato = horse_.env->Today();
}

TFor* RationEditor::Feed(int row) const { return row >= 0 && row < Ration().Count() ? Ration().FeedAt(row) : nullptr; }
char RationEditor::Sep() const { return horse_.env->regional.decimalSeparator; }
int RationEditor::Meals() const { return SheetMeals(horse_); }

// ---- amounts

bool RationEditor::SetAmount(int row, double kg) {
  TFor* f = Feed(row);
  if (!f) return false;
  f->TildeltKg = kg;
  Commit(kRationAmounts | kRationDated);
  return true;
}

bool RationEditor::StepAmount(int row, bool up) {
  TFor* f = Feed(row);
  if (!f) return false;
  ::stallora::StepAmount(*f, up);
  ApplyGrazingCap(horse_);
  Commit(kRationAmounts | kRationDated);
  return true;
}

void RationEditor::ResetAmounts() {
  Ration().ZeroAllotted();
  Commit(kRationAmounts | kRationMeals | kRationDated);
}

// ---- feeds

void RationEditor::ToggleFeed(TForListe& selection, TFor& feed) {
  ::stallora::ToggleFeed(selection, feed, Ration());
  Commit(kRationFeeds | kRationSelection);
}

void RationEditor::UnpickSelection(TForListe& selection) {
  selection.UnpickAll();
  Commit(kRationSelection, false);
}

bool RationEditor::RemoveFeed(const std::string& name, TForListe* selection) {
  if (selection)
    if (TFor* f = selection->FeedByName(name)) f->Valgt = false;
  TFor* f = Ration().FeedByName(name);
  if (f) Ration().RemoveFeed(f);
  Commit(kRationFeeds | kRationSelection);
  return f != nullptr;
}

TFor* RationEditor::TakeFeed(const TForListe& list, int index) {
  const TFor* source = list.FeedAt(index);
  if (!source) return nullptr;
  TFor& f = Ration().InsertFeedFrom(source->Clone(), &list);
  f.TildeltKg = 0;
  f.Valgt = true;
  Commit(kRationFeeds | kRationSelection);
  return &f;
}

TFor& RationEditor::AddFeed(const TFor& feed, const TForListe& from) {
  // Two feeds of one name would be one feed to every rule that finds feeds by name.
  if (TFor* old = Ration().FeedByName(feed.Fornavn)) Ration().RemoveFeed(old);
  TFor& f = Ration().InsertFeedFrom(feed.Clone(), &from);
  f.Valgt = true;
  Commit(kRationFeeds | kRationAmounts | kRationSelection | kRationDated);
  return f;
}

void RationEditor::ResetChosenFeeds() {
  Ration().Clear();
  Commit(kRationFeeds);
}

void RationEditor::FeedsChosen(bool sortByCategory) {
  if (sortByCategory) {
    Ration().SortByCategory();
    Commit(kRationFeeds | kRationAmounts | kRationSelection | kRationDated);
  } else {
    Commit(kRationFeeds | kRationSelection);
  }
}

// ---- prices

bool RationEditor::SetPrice(int row, double price) {
  TFor* f = Feed(row);
  if (!f || f->Pris == price) return false;
  f->Pris = price;
  Commit(kRationPrices | kRationDated);
  return true;
}

// ---- grazing

GrazingLabels RationEditor::SetGrazingHours(int hours, TForListe* selection) {
  horse_.TimerBeiting = hours;
  return ShowGrazing(selection);
}

GrazingLabels RationEditor::SetGrazingIntake(double factor, TForListe* selection) {
  horse_.Beiteinntaksfaktor = factor;
  return ShowGrazing(selection);
}

GrazingLabels RationEditor::ShowGrazing(TForListe* selection) {
  GrazingLabels labels = UpdateGrazing(horse_, selection, Sep());
  Commit(kRationGrazing | kRationAmounts);
  return labels;
}

// Nothing to tell: the page that asks for it shows the amounts next.
void RationEditor::CapGrazing() {
  ApplyGrazingCap(horse_);
  Commit(0);
}

// ---- meals: they split the daily amounts and change nothing the record computes

bool RationEditor::PrepareMeals(int stableMeals, const StringList& stableTimes) {
  if (!PrepareMealSheet(horse_, stableMeals, stableTimes, Sep())) return false;
  Commit(kRationMeals, false);
  return true;
}

bool RationEditor::SetMealAmount(int row, int meal, double kg) {
  TFor* f = Feed(row);
  if (!f) return false;
  ::stallora::SetMealAmount(*f, meal, kg, Meals(), Sep());
  Commit(kRationMeals, false);
  return true;
}

bool RationEditor::StepMeal(int row, int meal, bool up) {
  TFor* f = Feed(row);
  if (!f) return false;
  ::stallora::StepMeal(*f, meal, up, Meals(), Sep());
  Commit(kRationMeals, false);
  return true;
}

bool RationEditor::DistributeEvenly(int row) {
  TFor* f = Feed(row);
  if (!f) return false;
  ::stallora::DistributeEvenly(*f, Meals(), Sep());
  Commit(kRationMeals, false);
  return true;
}

bool RationEditor::GiveRest(int row, int meal) {
  TFor* f = Feed(row);
  if (!f) return false;
  ::stallora::GiveRest(*f, meal, Meals(), Sep());
  Commit(kRationMeals, false);
  return true;
}

bool RationEditor::ResetMeals(int row) {
  TFor* f = Feed(row);
  if (!f) return false;
  ::stallora::ResetMeals(*f, Meals(), Sep());
  Commit(kRationMeals, false);
  return true;
}

}  // namespace stallora
