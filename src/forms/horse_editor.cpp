#include "forms/horse_editor.h"

#include "forms/horse_form.h"
#include "ration/evaluation.h"

namespace stallora {

HorseEditor::HorseEditor(THest& horse) : horse_(horse), ration_(horse) { ration_.AddListener(this); }

HorseEditor::~HorseEditor() { ration_.RemoveListener(this); }

void HorseEditor::Recompute() {
  horse_.BeregnBehov();
  BeregnTilforsel(horse_);
}

// The ration editor computed already; its edit is only told on.
void HorseEditor::EditorChanged(ChangeFlags changed) { Commit(changed, false); }

void HorseEditor::SetBloodType(TBlodsType type) {
  horse_.BlodsType = type;
  Commit(kHorseData);
}

void HorseEditor::SetGainRate(TWeightGainRate rate) {
  horse_.OnsketVekstHastighet = rate;
  Commit(kHorseData);
}

void HorseEditor::SetYoungTraining(TUngDyrTrening training) {
  horse_.UngDyrTrening = training;
  Commit(kHorseData | kHorseTraining);
}

void HorseEditor::SetTraining(int position) {
  horse_.TreningsMengde = position / 100.0;
  horse_.AvledIntensitet();
  Commit(kHorseData | kHorseTraining);
}

void HorseEditor::SetTodaysWeight(double kg) {
  ::stallora::SetTodaysWeight(horse_, kg);
  Commit(kHorseData | kHorseWeighings);
}

void HorseEditor::SetTodaysGain(double kgPerDay) {
  horse_.Sistetilvekst = kgPerDay;
  Commit(kHorseData);
}

void HorseEditor::NewMating() {
  ::stallora::NewMating(horse_, horse_.env->Today());
  Commit(kHorseData);
}

void HorseEditor::Reset(bool withFeeds) {
  horse_.Nullstill(withFeeds);
  Commit(kHorseAll);
}

}  // namespace stallora
