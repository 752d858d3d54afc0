#include "forms/find_horse.h"

#include <gtest/gtest.h>

#include "stable/workspace.h"
#include "workspace_fixture.h"

namespace stallora {
namespace {

class FindHorseTest : public testing::ProgramDirTest {
 protected:
  Workspace& Ws() {
    if (!ws_) {
      ws_ = std::make_unique<Workspace>(Start());
      ws_->Scan();
    }
    return *ws_;
  }
  TStall& Stable(const std::string& name) {
    TStall& s = Ws().NewStable();
    s.stallNavn = name;
    return s;
  }
  THest& Horse(TStall& s, const std::string& name, const std::string& owner = {}) {
    THest& h = s.NewHorse();
    h.Navn = name;
    h.EierNavn = owner;
    return h;
  }
  std::unique_ptr<Workspace> ws_;
};

TEST(HorseEntryText, EntriesAreReadBackWithoutSurroundingBlanks) {
  EXPECT_EQ(HorseEntry("Blakken", "Min stald1"), "Blakken  [Min stald1]");
  const HorseEntryNames n = SplitHorseEntry(HorseEntry("Blakken", "Min stald1"));
  EXPECT_EQ(n.horse, "Blakken");
  EXPECT_EQ(n.stable, "Min stald1");
  EXPECT_EQ(FetchHorseCaption(n.horse, n.stable), "Hent \"Blakken\" fra Min stald1");
  EXPECT_EQ(FetchOwnersHorseCaption("Blakken"), "Hent \"Blakken\"");
  EXPECT_EQ(OwnersHorsesCaption("Hansen"), "Heste eijet af Hansen");
  EXPECT_EQ(HorseMissingMessage(), "Fejl: Hest mangler!");

  // A start-up check message reads the same way (one blank before the bracket, text after).
  const HorseEntryNames m = SplitHorseEntry(" ** Fole [Nord]   Unghesten er blevet for gammel");
  EXPECT_EQ(m.horse, "** Fole");
  const HorseEntryNames c = SplitHorseEntry("Fole [Nord]   Unghesten er blevet for gammel");
  EXPECT_EQ(c.horse, "Fole");
  EXPECT_EQ(c.stable, "Nord");
}

TEST(HorseEntryText, TextsWithoutBracketsNeverReadPastTheEnd) {
  EXPECT_EQ(SplitHorseEntry("Blakken").horse, "Blakken");
  EXPECT_EQ(SplitHorseEntry("Blakken").stable, "");
  EXPECT_EQ(SplitHorseEntry("Blakken  [Nord").stable, "Nord");
  EXPECT_EQ(SplitHorseEntry("[").horse, "");
  EXPECT_EQ(SplitHorseEntry("").horse, "");
  // The stable ends at the first "]" after the "[".
  EXPECT_EQ(SplitHorseEntry("a] [b] c]").stable, "b");
}

TEST_F(FindHorseTest, EntriesFollowTheTreeAndSkipNamelessHorses) {
  TStall& nord = Stable("Nord");
  TStall& syd = Stable("Syd");
  Horse(syd, "Zorro");
  Horse(nord, "blakken");
  Horse(nord, "");
  Horse(nord, "Alf");
  EXPECT_EQ(FindHorseEntries(Ws()),
            (std::vector<std::string>{"blakken  [Nord]", "Alf  [Nord]", "Zorro  [Syd]"}));
  EXPECT_EQ(SortedHorseEntries(Ws()),
            (std::vector<std::string>{"Alf  [Nord]", "blakken  [Nord]", "Zorro  [Syd]"}));
}

TEST_F(FindHorseTest, TwoHorsesOfOneNameInTwoStablesOpenEachTheRightOne) {
  TStall& nord = Stable("Nord");
  TStall& syd = Stable("Syd");
  THest& a = Horse(nord, "Blakken");
  THest& b = Horse(syd, "Blakken");
  const auto entries = SortedHorseEntries(Ws());
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(FindHorseOfEntry(Ws(), entries[0]), &a);
  EXPECT_EQ(FindHorseOfEntry(Ws(), entries[1]), &b);
}

TEST_F(FindHorseTest, AHorseNameWithABracketLeadsNowhere) {
  TStall& nord = Stable("Nord");
  Horse(nord, "Blakken [II]");
  const auto entries = FindHorseEntries(Ws());
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(FindHorseOfEntry(Ws(), entries[0]), nullptr);
}

TEST_F(FindHorseTest, NodesAreFoundExactlyAndTheLastOfANameWins) {
  TStall& nord = Stable("Nord");
  Horse(nord, "Blakken");
  THest& second = Horse(nord, "Blakken");
  // A horse named like its stable does not hide the stable.
  TStall& same = Stable("Tvilling");
  THest& twin = Horse(same, "Tvilling");
  EXPECT_EQ(FindHorse(Ws(), "Nord", "Blakken"), &second);
  EXPECT_EQ(FindHorse(Ws(), "nord", "Blakken"), nullptr);
  EXPECT_EQ(FindHorse(Ws(), "Nord", "blakken"), nullptr);
  EXPECT_EQ(FindHorse(Ws(), "Syd", "Blakken"), nullptr);
  EXPECT_EQ(FindHorse(Ws(), "Tvilling", "Tvilling"), &twin);
}

TEST_F(FindHorseTest, OwnersAndTheirHorses) {
  TStall& nord = Stable("Nord");
  TStall& syd = Stable("Syd");
  Horse(nord, "Blakken", "Hansen");
  Horse(nord, "Alf", "hansen");
  Horse(nord, "Uden ejer");
  Horse(syd, "Blakken", "Hansen");
  Horse(syd, "Cirkus", "Andersen");
  EXPECT_EQ(OwnerNames(Ws()), (std::vector<std::string>{"Andersen", "Hansen", "hansen"}));
  // The owner's horse of one name is listed once; the last in the tree is the one opened.
  EXPECT_EQ(OwnerHorseNames(Ws(), "Hansen"), (std::vector<std::string>{"Blakken"}));
  EXPECT_EQ(StableOfOwnersHorse(Ws(), "Blakken", "Hansen"), "Syd");
  EXPECT_EQ(StableOfOwnersHorse(Ws(), "Alf", "Hansen"), std::nullopt);
  EXPECT_EQ(OwnerHorseNames(Ws(), ""), (std::vector<std::string>{"Uden ejer"}));
}

TEST_F(FindHorseTest, NoHorseNoOwner) {
  Stable("Nord");
  EXPECT_TRUE(FindHorseEntries(Ws()).empty());
  EXPECT_TRUE(OwnerNames(Ws()).empty());
}

}  // namespace
}  // namespace stallora
