// A 0 the user enters in a field whose record starts with another value must survive a save
// and a reload; the format leaves zero reals out, so those properties are written anyway.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/objtext.h"
#include "workspace_fixture.h"

namespace stallora {
namespace {

class ZeroValuesTest : public testing::ProgramDirTest {};

// Checks the real properties of a freshly made record; returns how many it looked at.
int CheckFresh(const Record& fresh) {
  int checked = 0;
  const RecordClass& cls = fresh.GetRecordClass();
  for (const PropertyDef& prop : cls.Properties()) {
    if (prop.kind != PropertyKind::kReal || !prop.stored) continue;
    ++checked;
    const double start = prop.Ref<double>(fresh);
    if (start != 0 && !std::isnan(start)) {
      EXPECT_TRUE(prop.writeZero) << cls.Name() << "." << prop.name << " starts at " << start
                                  << " but a 0 would not be written";
    }
  }
  return checked;
}

TEST_F(ZeroValuesTest, EveryRealThatStartsNonZeroWritesItsZero) {
  AppContext& app = Start();
  const RecordEnvironment& env = app.Env();
  LoadContext ctx;
  ctx.environment = &env;
  int checked = 0;
  for (const RecordClass* cls : ClassRegistry::Global().All()) {
    if (!cls->CanCreate()) continue;
    std::unique_ptr<Record> fresh = cls->Create(ctx);
    ASSERT_TRUE(fresh) << cls->Name();
    checked += CheckFresh(*fresh);
  }
  // The records only ever read as the root of their file.
  checked += CheckFresh(THest(env));
  checked += CheckFresh(TStall(env));
  EXPECT_GT(checked, 40);
}

TEST_F(ZeroValuesTest, ZerosOfAHorseAndItsFeedReadBackAsZeros) {
  AppContext& app = Start();
  const RecordEnvironment& env = app.Env();
  THest horse(env);
  horse.Navn = "Nul";
  horse.HoldFaktor = 0;
  horse.Beiteinntaksfaktor = 0;
  horse.OppdrettsHastighet = 0;
  TFor& feed = horse.ForListe->AddFeed(std::make_unique<TFor>(env));
  feed.Fornavn = "Vand";
  feed.TorrStoff = 0;
  feed.Enhetsvekt = 0;
  horse.ForListe->EnergiFaktor = 0;

  const std::string text = RecordText(horse);
  THest again(env);
  ReadRecordText(text, again, ClassRegistry::Global(), &env);
  EXPECT_EQ(again.HoldFaktor, 0);
  EXPECT_EQ(again.Beiteinntaksfaktor, 0);
  EXPECT_EQ(again.OppdrettsHastighet, 0);
  ASSERT_EQ(again.ForListe->Count(), 1);
  EXPECT_EQ(again.ForListe->FeedAt(0)->TorrStoff, 0);
  EXPECT_EQ(again.ForListe->FeedAt(0)->Enhetsvekt, 0);
  EXPECT_EQ(again.ForListe->EnergiFaktor, 0);
  EXPECT_EQ(RecordText(again), text);
}

}  // namespace
}  // namespace stallora
