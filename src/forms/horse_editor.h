#pragma once
// The editor of the horse window: the horse's own data (what its requirement is computed
// from) changes through these operations, and the ration tab's through the RationEditor it
// holds. Every edit ends in one commit: one computation of the requirement and the supply,
// one notification to the window's pages with what changed (see forms/editor.h). An edit of
// the ration is passed on to the horse editor's listeners in the same way, without a
// second computation.
//
// Texts are Windows-1252.

#include "forms/editor.h"
#include "forms/ration_editor.h"
#include "nutrition/hest.h"

namespace stallora {

// What an edit of the horse changed (the ration's own flags are forms/ration_editor.h's).
enum HorseChange : ChangeFlags {
  kHorseData = 1u << 8,         // anything the requirement is computed from
  kHorseCategory = 1u << 9,     // the category (pages come and go)
  kHorseWeighings = 1u << 10,   // the weighings or today's weight
  kHorseTraining = 1u << 11,    // the training amount or the paddock
  kHorseTreatments = 1u << 12,  // the treatment register or a treatment
  kHorseAll = ~0u,
};

class HorseEditor : public Editor, private EditorListener {
 public:
  explicit HorseEditor(THest& horse);
  ~HorseEditor() override;

  THest& Horse() const { return horse_; }
  RationEditor& Ration() { return ration_; }

  void SetBloodType(TBlodsType type);
  void SetGainRate(TWeightGainRate rate);
  void SetYoungTraining(TUngDyrTrening training);
  // The training slider: its position 0..100 becomes the training amount and intensity.
  void SetTraining(int position);
  // Today's weight of a young horse (a weighing of today).
  void SetTodaysWeight(double kg);
  void SetTodaysGain(double kgPerDay);
  // "Ny bedækning".
  void NewMating();

  // The weighings table. A typed weight is taken when it is 1 to 1500 kg (rounded to whole
  // kg), a typed date when it is one; false when refused (the weighing keeps its value).
  bool SetWeighingKg(int row, double kg);
  bool SetWeighingDate(int row, DayNumber date);
  // "Ny": a weighing of today after `row` (0 kg for an adult, the expected weight for a
  // young horse); its row.
  int AddWeighing(int afterRow);
  bool DeleteWeighing(int row);
  void SortWeighings();
  // The weighings changed by a rule of the window (a first weighing, a breed's weight, the
  // weight from the girth): the young horse's estimate anew, one commit.
  void WeighingsChanged();

  // The treatments: an edit stored, a treatment deleted. The ban follows.
  void StoreTreatment(TTreatmentObj& t, TTreatmentType type, const std::string& name, DayNumber planned, DayNumber done,
                      DayNumber ban, const std::string& notes, double cost);
  bool DeleteTreatment(TTreatmentObj* t);
  // "Nulstil hest": the horse's data back to a new horse's (and the ration emptied).
  void Reset(bool withFeeds);
  // The window applied one of the horse form's rules to the horse (a date, the sex, the
  // category with its questions, the fields taken into the record): one commit for it.
  // Several such steps of one user action go inside a Batch.
  void DataChanged(ChangeFlags changed = kHorseData) { Commit(changed, true); }

 protected:
  void Recompute() override;

 private:
  void EditorChanged(ChangeFlags changed) override;
  THest& horse_;
  RationEditor ration_;
};

}  // namespace stallora
