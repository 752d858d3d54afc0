#include "forms/horse_editor.h"

#include "forms/horse_form.h"
#include "ration/evaluation.h"

#include <cmath>

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

bool HorseEditor::SetWeighingKg(int row, double kg) {
  TVekt* v = horse_.VektListe->Element(row);
  if (!v || !(kg >= 1 && kg <= 1500)) return false;
  v->Vekt = std::round(kg);
  WeighingsChanged();
  return true;
}

bool HorseEditor::SetWeighingDate(int row, DayNumber date) {
  TVekt* v = horse_.VektListe->Element(row);
  if (!v || date <= 0) return false;
  v->Dato = date;
  WeighingsChanged();
  return true;
}

int HorseEditor::AddWeighing(int afterRow) {
  THest& h = horse_;
  const double kg = h.Kategori == TDyreKategori::Ungdyr ? std::round(h.AktuellVekt()) : 0;
  const int row = InsertWeighingAfter(*h.VektListe, h.VektListe->Antall() == 0 ? -1 : afterRow, kg, h.env->Today());
  WeighingsChanged();
  return row;
}

bool HorseEditor::DeleteWeighing(int row) {
  if (!::stallora::DeleteWeighing(*horse_.VektListe, row)) return false;
  WeighingsChanged();
  return true;
}

void HorseEditor::SortWeighings() {
  horse_.VektListe->SorterDato();
  WeighingsChanged();
}

void HorseEditor::WeighingsChanged() {
  if (horse_.Kategori == TDyreKategori::Ungdyr) RefreshYoungEstimate(horse_);
  Commit(kHorseData | kHorseWeighings);
}

void HorseEditor::StoreTreatment(TTreatmentObj& t, TTreatmentType type, const std::string& name, DayNumber planned,
                                 DayNumber done, DayNumber ban, const std::string& notes, double cost) {
  horse_.TreatmentListe->StoreEdited(t, type, name, planned, done, ban, notes, cost);
  horse_.TreatmentListe->UpdateBan();
  Commit(kHorseData | kHorseTreatments);
}

bool HorseEditor::DeleteTreatment(TTreatmentObj* t) {
  const bool removed = t && horse_.TreatmentListe->Remove(t);
  horse_.TreatmentListe->UpdateBan();
  Commit(kHorseData | kHorseTreatments);
  return removed;
}

void HorseEditor::Reset(bool withFeeds) {
  horse_.Nullstill(withFeeds);
  Commit(kHorseAll);
}

}  // namespace stallora
