#pragma once
// A horse's health record: treatments planned, done, and the competition bans they impose.

#include <memory>
#include <string>
#include <vector>

#include "config/environment.h"
#include "config/preferences.h"
#include "core/record.h"

namespace stallora {

// Days ahead that count a treatment as done, and the DoneDate a new (not done) treatment gets.
inline constexpr int kDoneWithinDays = 10;
inline constexpr int kNotDoneDays = 5000;

enum class TreatmentStatus { None, Overdue, DueSoon, PlannedLater };

// "Veterinærbehandling", "Ormekur", ... or "UnKnown" for a value outside the types.
const std::string& TreatmentTypeName(int type);
// The report cell colour of a status ("#FF6633", "#FFFF66", "#99FF00"; done "#FFFFFF").
const char* TreatmentStatusColour(TreatmentStatus status);

class TTreatmentObj : public Record {
  STALLORA_RECORD(TTreatmentObj)
 public:
  explicit TTreatmentObj(const RecordEnvironment& env = RecordEnvironment::Default());
  explicit TTreatmentObj(const LoadContext& ctx) : TTreatmentObj(RecordEnvironment::Of(ctx)) {}

  DayNumber PlannedDate = 0;
  DayNumber DoneDate = 0;
  DayNumber OKToStartDate = 0;
  std::string TreatmentName;
  std::string Comment;
  std::string Notes;
  double Cost = 0;
  TTreatmentType TreatmentType = TTreatmentType::Vet;

  const RecordEnvironment* env;

  bool IsDone() const;
  TreatmentStatus Status() const;
  std::string Caption() const;
  int32_t Signature() const;
  std::unique_ptr<TTreatmentObj> Copy() const;
};

class TTreatmentList : public Record {
  STALLORA_RECORD(TTreatmentList)
 public:
  explicit TTreatmentList(const RecordEnvironment& env = RecordEnvironment::Default());
  explicit TTreatmentList(const LoadContext& ctx) : TTreatmentList(RecordEnvironment::Of(ctx)) {}

  std::string TreatmentListName = "Treatmentsystem";
  DayNumber HorseOKToStartDate = 0;

  const RecordEnvironment* env;
  // The editor's transient state: the treatment being edited and whether it was made for it.
  TTreatmentObj* editing = nullptr;
  bool editingIsNew = false;

  int Count() const { return static_cast<int>(items_.size()); }
  TTreatmentObj* Items(int i) const;
  TTreatmentObj& Add(std::unique_ptr<TTreatmentObj> treatment);
  TTreatmentObj& AddNew();
  // False when the object is not a treatment of the list.
  bool Remove(const TTreatmentObj* treatment);
  void Clear();
  bool HasType(TTreatmentType type) const;
  bool HasDueBefore(TTreatmentType type, DayNumber date) const;

  // The treatment that causes the current ban, or none.
  TTreatmentObj* BanTreatment() const { return ban_; }
  bool IsBanned() const { return ban_ != nullptr; }
  void UpdateBan();

  // Stores the editor's values into a treatment (and recomputes the ban).
  void StoreEdited(TTreatmentObj& t, TTreatmentType type, const std::string& name, DayNumber planned,
                   DayNumber done, DayNumber okToStart, const std::string& notes, double cost);

  int32_t Signature() const;

  // For the stable report: per type Vet, Worm, Vacc, Shoe, Own the planned dates (short
  // date) of not-done treatments planned no later than today + days, joined by "<br>",
  // then the end of the current ban. False when all six are empty; else empty texts are "-".
  bool Due(int days, std::vector<std::string>& texts) const;

  std::vector<const Record*> Children() const override;
  std::unique_ptr<Record> AdoptChild(std::unique_ptr<Record> child, LoadContext& ctx) override;

 private:
  std::vector<std::unique_ptr<TTreatmentObj>> items_;
  TTreatmentObj* ban_ = nullptr;
};

void RegisterTreatmentClasses();

}  // namespace stallora
