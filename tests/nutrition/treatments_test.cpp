#include "nutrition/treatments.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/objtext.h"

namespace stallora {
namespace {

class TreatmentsTest : public ::testing::Test {
 protected:
  TreatmentsTest() : clock_(EncodeDate(2026, 12, 9)), env_(clock_, Regional{}, 45, nullptr) {}
  DayNumber today() const { return clock_.Today(); }
  FixedClock clock_;
  RecordEnvironment env_;
};

TEST_F(TreatmentsTest, ANewTreatmentIsPlannedForTodayAndNotDone) {
  TTreatmentObj t(env_);
  EXPECT_EQ(t.TreatmentType, TTreatmentType::Vet);
  EXPECT_EQ(t.PlannedDate, today());
  EXPECT_EQ(t.DoneDate, today() + 5000);
  EXPECT_EQ(t.OKToStartDate, today());
  EXPECT_FALSE(t.IsDone());
  t.DoneDate = today() + 10;
  EXPECT_TRUE(t.IsDone());
  t.DoneDate = today() + 11;
  EXPECT_FALSE(t.IsDone());
}

TEST_F(TreatmentsTest, StatusByPlannedDate) {
  TTreatmentObj t(env_);
  t.PlannedDate = today();
  EXPECT_EQ(t.Status(), TreatmentStatus::DueSoon);
  t.PlannedDate = today() - 1;
  EXPECT_EQ(t.Status(), TreatmentStatus::Overdue);
  t.PlannedDate = today() + 7;
  EXPECT_EQ(t.Status(), TreatmentStatus::PlannedLater);
  t.PlannedDate = today() + 6;
  EXPECT_EQ(t.Status(), TreatmentStatus::DueSoon);
  t.DoneDate = today();
  EXPECT_EQ(t.Status(), TreatmentStatus::None);
  EXPECT_STREQ(TreatmentStatusColour(TreatmentStatus::Overdue), "#FF6633");
  EXPECT_STREQ(TreatmentStatusColour(TreatmentStatus::None), "#FFFFFF");
}

TEST_F(TreatmentsTest, CaptionAndTypeNames) {
  TTreatmentObj t(env_);
  t.TreatmentName = "Ormekur";
  t.PlannedDate = EncodeDate(2026, 12, 20);
  EXPECT_EQ(t.Caption(), "20-12-2026: Ormekur");
  t.DoneDate = EncodeDate(2026, 12, 1);
  EXPECT_EQ(t.Caption(), "01-12-2026: Ormekur");
  EXPECT_EQ(TreatmentTypeName(5), "\xD8vrige behandlinger");
  EXPECT_EQ(TreatmentTypeName(6), "UnKnown");
  EXPECT_EQ(TreatmentTypeName(-1), "UnKnown");
}

TEST_F(TreatmentsTest, StoringAnEditAndTheBan) {
  TTreatmentList list(env_);
  TTreatmentObj& a = list.AddNew();
  TTreatmentObj& b = list.AddNew();
  // Done before it was planned: the planned date moves back to the done date.
  list.StoreEdited(a, TTreatmentType::Vacc, "Influenza", today() + 3, today() - 2, today() + 14, "note", 350);
  EXPECT_EQ(a.PlannedDate, today() - 2);
  EXPECT_EQ(a.TreatmentType, TTreatmentType::Vacc);
  EXPECT_EQ(list.HorseOKToStartDate, today() + 14);
  EXPECT_EQ(list.BanTreatment(), &a);
  list.StoreEdited(b, TTreatmentType::Vet, "Halt", today(), today() + 5000, today() + 30, "", 0);
  EXPECT_EQ(list.BanTreatment(), &b);
  EXPECT_EQ(list.HorseOKToStartDate, today() + 30);
  // No ban any more: the reference and the date go.
  b.OKToStartDate = today();
  a.OKToStartDate = today() - 1;
  list.UpdateBan();
  EXPECT_FALSE(list.IsBanned());
  EXPECT_EQ(list.HorseOKToStartDate, 0);
}

TEST_F(TreatmentsTest, ListOperations) {
  TTreatmentList list(env_);
  TTreatmentObj& a = list.AddNew();
  a.TreatmentType = TTreatmentType::Worm;
  a.PlannedDate = today() + 3;
  EXPECT_TRUE(list.HasType(TTreatmentType::Worm));
  EXPECT_FALSE(list.HasType(TTreatmentType::Shoe));
  EXPECT_TRUE(list.HasDueBefore(TTreatmentType::Worm, today() + 3));
  EXPECT_FALSE(list.HasDueBefore(TTreatmentType::Worm, today() + 2));
  EXPECT_EQ(list.Items(1), nullptr);
  TTreatmentObj stranger(env_);
  EXPECT_FALSE(list.Remove(&stranger));
  EXPECT_TRUE(list.Remove(&a));
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(TreatmentsTest, DueTreatmentsForTheStableReport) {
  TTreatmentList list(env_);
  std::vector<std::string> texts;
  EXPECT_FALSE(list.Due(7, texts));
  auto add = [&](TTreatmentType type, DayNumber planned) {
    TTreatmentObj& t = list.AddNew();
    t.TreatmentType = type;
    t.PlannedDate = planned;
    return &t;
  };
  add(TTreatmentType::Worm, today() - 3);  // overdue counts
  add(TTreatmentType::Worm, today() + 7);
  add(TTreatmentType::Worm, today() + 8);  // beyond the days
  add(TTreatmentType::Repro, today());     // never reported
  TTreatmentObj* done = add(TTreatmentType::Vet, today());
  done->DoneDate = today();
  ASSERT_TRUE(list.Due(7, texts));
  EXPECT_EQ(texts, (std::vector<std::string>{"-", "06-12-2026<br>16-12-2026", "-", "-", "-", "-"}));
  done->OKToStartDate = today() + 20;
  list.UpdateBan();
  list.Due(7, texts);
  EXPECT_EQ(texts[5], "29-12-2026");
}

TEST_F(TreatmentsTest, SignatureAndFileRoundTrip) {
  RegisterTreatmentClasses();
  TTreatmentList list(env_);
  TTreatmentObj& a = list.AddNew();
  a.TreatmentName = "Sko";
  a.Comment = "ab";
  a.TreatmentType = TTreatmentType::Shoe;
  // "Beslagsmed" 10 + name 0 + days + 3 + 2
  const double days = 3 * std::trunc(today()) + 5000;
  EXPECT_EQ(a.Signature(), static_cast<int32_t>(10 + days + 3 + 2));
  EXPECT_EQ(list.Signature(), a.Signature());
  const std::string text = RecordText(list);
  TTreatmentList back(env_);
  ReadRecordText(text, back, ClassRegistry::Global(), &env_);
  ASSERT_EQ(back.Count(), 1);
  EXPECT_EQ(back.Items(0)->TreatmentName, "Sko");
  EXPECT_EQ(back.Items(0)->TreatmentType, TTreatmentType::Shoe);
  EXPECT_EQ(RecordText(back), text);
}

}  // namespace
}  // namespace stallora
