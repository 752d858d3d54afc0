#include "nutrition/treatments.h"

#include <cmath>

#include "core/texts.h"

namespace stallora {
namespace {

inline constexpr Text kTypeNames[] = {
    {"treat.vet", "Veterinærbehandling"}, {"treat.worm", "Ormekur"},      {"treat.vacc", "Vaccination"},
    {"treat.shoe", "Beslagsmed"},         {"treat.repro", "Reproduktion"}, {"treat.own", "Øvrige behandlinger"},
};

int32_t Wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

}  // namespace

const std::string& TreatmentTypeName(int type) {
  static const std::string unknown = "UnKnown";
  if (type < 0 || type >= kTreatmentTypeCount) return unknown;
  return Tr(kTypeNames[type]);
}

const char* TreatmentStatusColour(TreatmentStatus status) {
  switch (status) {
    case TreatmentStatus::Overdue: return "#FF6633";
    case TreatmentStatus::DueSoon: return "#FFFF66";
    case TreatmentStatus::PlannedLater: return "#99FF00";
    case TreatmentStatus::None: break;
  }
  return "#FFFFFF";
}

TTreatmentObj::TTreatmentObj(const RecordEnvironment& environment) : env(&environment) {
  const DayNumber today = environment.Today();
  PlannedDate = today;
  DoneDate = today + kNotDoneDays;
  OKToStartDate = today;
}

const RecordClass& TTreatmentObj::StaticClass() {
  using T = TTreatmentObj;
  static const RecordClass c = RecordClass::Make<T>(
      "TTreatmentObj",
      {Prop<&T::PlannedDate>("PlannedDate").WriteZero(), Prop<&T::DoneDate>("DoneDate").WriteZero(), Prop<&T::OKToStartDate>("OKToStartDate").WriteZero(),
       Prop<&T::TreatmentName>("TreatmentName"), Prop<&T::Comment>("Comment"), Prop<&T::Notes>("Notes"),
       Prop<&T::Cost>("Cost"), Prop<&T::TreatmentType>("TreatmentType")});
  return c;
}

bool TTreatmentObj::IsDone() const { return DoneDate <= env->Today() + kDoneWithinDays; }

TreatmentStatus TTreatmentObj::Status() const {
  if (IsDone()) return TreatmentStatus::None;
  const DayNumber today = env->Today();
  if (today > PlannedDate) return TreatmentStatus::Overdue;
  if (PlannedDate < today + 7) return TreatmentStatus::DueSoon;
  return TreatmentStatus::PlannedLater;
}

std::string TTreatmentObj::Caption() const {
  return env->regional.FormatShortDate(IsDone() ? DoneDate : PlannedDate) + ": " + TreatmentName;
}

int32_t TTreatmentObj::Signature() const {
  const double days = std::trunc(PlannedDate) + std::trunc(DoneDate) + std::trunc(OKToStartDate);
  const int64_t sum = static_cast<int64_t>(TreatmentTypeName(static_cast<int>(TreatmentType)).size()) +
                      static_cast<int64_t>(Name.size()) + std::llround(days) +
                      static_cast<int64_t>(TreatmentName.size()) + static_cast<int64_t>(Comment.size());
  return Wrap(sum);
}

std::unique_ptr<TTreatmentObj> TTreatmentObj::Copy() const {
  auto t = std::make_unique<TTreatmentObj>(*env);
  t->PlannedDate = PlannedDate;
  t->DoneDate = DoneDate;
  t->OKToStartDate = OKToStartDate;
  t->TreatmentName = TreatmentName;
  t->Comment = Comment;
  t->Notes = Notes;
  t->Cost = Cost;
  t->TreatmentType = TreatmentType;
  return t;
}

TTreatmentList::TTreatmentList(const RecordEnvironment& environment) : env(&environment) {}

const RecordClass& TTreatmentList::StaticClass() {
  using L = TTreatmentList;
  static const RecordClass c = RecordClass::Make<L>(
      "TTreatmentList",
      {Prop<&L::TreatmentListName>("TreatmentListName"), Prop<&L::HorseOKToStartDate>("HorseOKToStartDate")});
  return c;
}

TTreatmentObj* TTreatmentList::Items(int i) const {
  return i >= 0 && i < Count() ? items_[static_cast<size_t>(i)].get() : nullptr;
}

TTreatmentObj& TTreatmentList::Add(std::unique_ptr<TTreatmentObj> treatment) {
  treatment->env = env;
  items_.push_back(std::move(treatment));
  return *items_.back();
}

TTreatmentObj& TTreatmentList::AddNew() { return Add(std::make_unique<TTreatmentObj>(*env)); }

bool TTreatmentList::Remove(const TTreatmentObj* treatment) {
  for (auto it = items_.begin(); it != items_.end(); ++it) {
    if (it->get() == treatment) {
      if (ban_ == treatment) ban_ = nullptr;
      if (editing == treatment) editing = nullptr;
      items_.erase(it);
      return true;
    }
  }
  return false;
}

void TTreatmentList::Clear() {
  items_.clear();
  ban_ = nullptr;
  editing = nullptr;
}

bool TTreatmentList::HasType(TTreatmentType type) const {
  for (const auto& t : items_)
    if (t->TreatmentType == type) return true;
  return false;
}

bool TTreatmentList::HasDueBefore(TTreatmentType type, DayNumber date) const {
  for (const auto& t : items_)
    if (t->TreatmentType == type && !t->IsDone() && t->PlannedDate <= date) return true;
  return false;
}

// The horse's ban end is the latest future ban date, or 0 when nothing bans any more (a
// lifted or deleted ban must not go on showing).
void TTreatmentList::UpdateBan() {
  ban_ = nullptr;
  HorseOKToStartDate = 0;
  const DayNumber today = env->Today();
  DayNumber latest = today;
  for (const auto& t : items_) {
    if (t->OKToStartDate > today && t->OKToStartDate > latest) {
      latest = t->OKToStartDate;
      ban_ = t.get();
      HorseOKToStartDate = t->OKToStartDate;
    }
  }
}

void TTreatmentList::StoreEdited(TTreatmentObj& t, TTreatmentType type, const std::string& name, DayNumber planned,
                                 DayNumber done, DayNumber okToStart, const std::string& notes, double cost) {
  t.TreatmentType = type;
  t.TreatmentName = name;
  t.PlannedDate = planned;
  t.DoneDate = done;
  t.OKToStartDate = okToStart;
  t.Notes = notes;
  t.Cost = cost;
  if (t.OKToStartDate > HorseOKToStartDate) HorseOKToStartDate = t.OKToStartDate;
  if (t.DoneDate < t.PlannedDate) t.PlannedDate = t.DoneDate;
  UpdateBan();
}

int32_t TTreatmentList::Signature() const {
  int64_t sum = 0;
  for (const auto& t : items_) sum += t->Signature();
  return Wrap(sum);
}

bool TTreatmentList::Due(int days, std::vector<std::string>& texts) const {
  texts.assign(6, std::string());
  const DayNumber limit = env->Today() + days;
  static constexpr TTreatmentType kReported[] = {TTreatmentType::Vet, TTreatmentType::Worm, TTreatmentType::Vacc,
                                                 TTreatmentType::Shoe, TTreatmentType::Own};
  for (size_t k = 0; k < 5; ++k) {
    for (const auto& t : items_) {
      if (t->TreatmentType != kReported[k] || t->IsDone() || t->PlannedDate > limit) continue;
      if (!texts[k].empty()) texts[k] += "<br>";
      texts[k] += env->regional.FormatShortDate(t->PlannedDate);
    }
  }
  if (ban_) texts[5] = env->regional.FormatShortDate(ban_->OKToStartDate);
  bool any = false;
  for (const auto& s : texts) any = any || !s.empty();
  if (!any) return false;
  for (auto& s : texts)
    if (s.empty()) s.push_back('-');
  return true;
}

std::vector<const Record*> TTreatmentList::Children() const {
  std::vector<const Record*> out;
  for (const auto& t : items_) out.push_back(t.get());
  return out;
}

std::unique_ptr<Record> TTreatmentList::AdoptChild(std::unique_ptr<Record> child, LoadContext&) {
  if (auto* t = dynamic_cast<TTreatmentObj*>(child.get())) {
    child.release();
    Add(std::unique_ptr<TTreatmentObj>(t));
    return nullptr;
  }
  return child;
}

void RegisterTreatmentClasses() {
  RegisterClass(TTreatmentObj::StaticClass());
  RegisterClass(TTreatmentList::StaticClass());
}

}  // namespace stallora
