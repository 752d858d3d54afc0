// The feed list window's rules without a window: picking and deleting, the feed editor's
// fields and what it refuses, the new-feed page, prices in other lists, saving and
// closing, and one commit per user action.

#include "forms/feedlist_editor.h"

#include <gtest/gtest.h>

#include <deque>
#include <fstream>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "disk_faults.h"
#include "feeds/feedlist_tools.h"
#include "../stable/workspace_fixture.h"

namespace stallora {
namespace {

// Texts in the library's Windows-1252, from this file's UTF-8.
std::string C(const char* utf8) { return Utf8ToCp1252(utf8); }

// Answers questions from a script (then `fallback`) and keeps every text.
class ScriptedMessages final : public Messages {
 public:
  void Inform(const std::string& t) override { informs.push_back(t); }
  void Error(const std::string& t) override { errors.push_back(t); }
  bool Confirm(const std::string& t) override {
    questions.push_back(t);
    if (answers.empty()) return fallback;
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
  void Clear() {
    informs.clear();
    errors.clear();
    questions.clear();
  }
  std::vector<std::string> informs, errors, questions;
  std::deque<bool> answers;
  bool fallback = false;
};

class FeedListEditorTest : public testing::ProgramDirTest {
 protected:
  void SetUp() override {
    ProgramDirTest::SetUp();
    AppContext& app = Start();
    ws_ = std::make_unique<Workspace>(app);
    ws_->Scan();
  }
  void TearDown() override {
    editor_.reset();
    ws_.reset();
    ProgramDirTest::TearDown();
  }

  TFor& Add(TForListe& l, const std::string& name, int category, const std::string& brand = "GENERIC") {
    auto f = std::make_unique<TFor>(app_->Env());
    f->Fornavn = name;
    f->Fortype = static_cast<TForkategorier>(category);
    f->Brand = brand;
    return l.AddFeed(std::move(f));
  }
  // "Vinter": Havre (concentrate), Hø (roughage), Mineral (supplement), saved.
  TForListe& Winter() {
    TForListe& l = ws_->NewFeedList("Vinter", false);
    Add(l, "Havre", 7).SetValue(0, 0.95);
    Add(l, C("Hø"), 6).SetValue(0, 0.45);
    Add(l, "Mineral", 9, "VITAMINFABRIKKEN");
    l.SaveToWorkspace();
    return l;
  }
  FeedListEditor& Open(TForListe& l) {
    editor_ = std::make_unique<FeedListEditor>(l, *ws_, msg_);
    editor_->SetListener([this](unsigned c) {
      ++notes_;
      last_ = c;
    });
    editor_->Show();
    notes_ = 0;
    msg_.Clear();
    return *editor_;
  }
  std::string FeedFile(const std::string& name) { return Read("Save/Feeds/45/" + name + ".eqf"); }
  int Index(const TForListe& l, const std::string& name) {
    for (int i = 0; i < l.Count(); ++i)
      if (l.FeedAt(i)->Fornavn == name) return i;
    return -1;
  }

  std::unique_ptr<Workspace> ws_;
  std::unique_ptr<FeedListEditor> editor_;
  ScriptedMessages msg_;
  int notes_ = 0;
  unsigned last_ = 0;
};

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A disk that takes no more than 64 bytes per file while it lives (root ignores a
// read-only directory, but not the file size limit).
struct FullDisk : testing::ScopedFileSizeLimit {
  FullDisk() : ScopedFileSizeLimit(64) {}
};

TEST_F(FeedListEditorTest, PickingCountsInTheTreeAndOpensThePages) {
  TForListe& l = Winter();
  Add(l, "Byg", 7);
  FeedListEditor& e = Open(l);
  EXPECT_EQ(e.Page(), FeedListPage::Information);
  EXPECT_EQ(e.Tree().rootName, "Vinter");
  ASSERT_EQ(e.Tree().groups.size(), 3u);
  EXPECT_EQ(e.Tree().groups[0].name, "Kraftfoder");
  EXPECT_EQ(e.Tree().groups[0].brands[0].name, "Almindeligt FODER");
  EXPECT_FALSE(e.Visibility().feedPage);
  EXPECT_FALSE(e.PageAllowed(FeedListPage::Feed));
  e.ToggleFeed(Index(l, "Havre"));
  e.ToggleFeed(Index(l, "Byg"));
  EXPECT_EQ(notes_, 2);
  EXPECT_EQ(e.Commits(), 3);  // Show, then one per click
  EXPECT_EQ(e.Tree().groups[0].picked, 2);
  EXPECT_EQ(e.Tree().groups[0].brands[0].picked, 2);
  EXPECT_EQ(e.TreeCaption(), "2 Valgt foder");
  EXPECT_TRUE(e.Visibility().feedPage && e.Visibility().deletePicked && e.Visibility().editCommand);
  e.ToggleFeed(Index(l, "Byg"));
  EXPECT_EQ(e.Tree().groups[0].picked, 1);
  e.ClickNode(2, 0);
  EXPECT_TRUE(e.Visibility().deleteBrand);
  e.ClickNode(0, -1);  // a group node is no brand
  EXPECT_FALSE(e.Visibility().deleteBrand);
  e.ResetPicks();
  EXPECT_EQ(e.Tree().picked, 0);
  EXPECT_FALSE(e.Visibility().showPicked);
}

// The tree's filter keeps the feeds whose name holds the typed text in any case (national
// letters too); the picked count of the caption stays that of the whole list.
TEST_F(FeedListEditorTest, TheTreeFilterKeepsMatchingFeeds) {
  TForListe& l = Winter();
  Add(l, C("Havrehø"), 6);
  FeedListEditor& e = Open(l);
  e.ToggleFeed(Index(l, "Mineral"));
  e.SetTreeFilter(C("HØ"));
  ASSERT_EQ(e.Tree().groups.size(), 1u);
  EXPECT_EQ(e.Tree().groups[0].name, "Grovfoder");
  EXPECT_EQ(e.Tree().groups[0].brands[0].feeds, (std::vector<int>{Index(l, C("Hø")), Index(l, C("Havrehø"))}));
  EXPECT_EQ(e.Tree().groups[0].picked, 0);
  EXPECT_EQ(e.TreeCaption(), "1 Valgt foder");
  EXPECT_TRUE(e.Visibility().showPicked);
  e.SetTreeFilter("havre ");
  ASSERT_EQ(e.Tree().groups.size(), 2u);
  e.SetTreeFilter("zzz");
  EXPECT_TRUE(e.Tree().groups.empty());
  const int commits = e.Commits();
  e.SetTreeFilter("zzz");  // the same text again changes nothing
  EXPECT_EQ(e.Commits(), commits);
  e.SetTreeFilter("");
  EXPECT_EQ(e.Tree().groups.size(), 3u);
}

// The list is saved after "delete picked" whatever the answer.
TEST_F(FeedListEditorTest, DeletingPickedFeedsSavesEvenWhenCancelled) {
  TForListe& l = Winter();
  FeedListEditor& e = Open(l);
  e.DeletePicked();
  EXPECT_EQ(msg_.informs, (std::vector<std::string>{"Foder ikke valgt"}));
  e.ToggleFeed(0);
  e.ToggleFeed(1);
  Add(l, "Ny", 1);  // something unsaved, to see the save
  msg_.answers = {false};
  e.DeletePicked();
  EXPECT_EQ(msg_.questions.back(), C("Bekræft sletning  Havre, Hø,"));
  EXPECT_EQ(l.Count(), 4);
  EXPECT_TRUE(Has(FeedFile("Vinter"), "'Ny'"));
  msg_.answers = {true};
  e.DeletePicked();
  EXPECT_EQ(l.FeedNames(), (std::vector<std::string>{"Mineral", "Ny"}));
  EXPECT_FALSE(Has(FeedFile("Vinter"), "Havre"));
  EXPECT_FALSE(e.HasUnsavedChanges());
}

TEST_F(FeedListEditorTest, DeletingABrand) {
  TForListe& l = Winter();
  Add(l, "Mineral B", 9, "VITAMINFABRIKKEN");
  FeedListEditor& e = Open(l);
  e.ClickNode(2, 0);
  msg_.answers = {true};
  e.DeleteBrand();
  EXPECT_EQ(msg_.questions.back(), "VITAMINFABRIKKEN: 2 foder.   Slet?");
  EXPECT_EQ(l.FeedNames(), (std::vector<std::string>{"Havre", C("Hø")}));
  EXPECT_FALSE(e.Visibility().deleteBrand);
}

// Values are typed in the user's format; anything else is refused naming the field, and
// the stored value stays.
TEST_F(FeedListEditorTest, TypedValuesAndWhatIsRefused) {
  TForListe& l = Winter();
  FeedListEditor& e = Open(l);
  e.OpenFeed(Index(l, "Havre"));
  TFor& oats = *l.FeedAt(Index(l, "Havre"));
  EXPECT_EQ(e.Page(), FeedListPage::Feed);
  EXPECT_TRUE(oats.Valgt);
  const int before = e.Commits();
  EXPECT_TRUE(e.SetAnalysisValue(3, "0,8"));
  EXPECT_TRUE(e.SetAnalysisValue(4, "3,2"));
  EXPECT_EQ(oats.Value(3), 0.8);
  EXPECT_DOUBLE_EQ(oats.Value(6), 0.25);  // the ratio follows at once
  EXPECT_EQ(e.Commits(), before + 2);
  EXPECT_FALSE(e.SetAnalysisValue(3, "0.9"));
  EXPECT_EQ(msg_.errors.back(), "Calcium: \"0.9\" er ikke et tal. Brug decimaltegnet ,");
  EXPECT_FALSE(e.SetAnalysisValue(3, "-1"));
  EXPECT_EQ(oats.Value(3), 0.8);
  EXPECT_FALSE(e.SetAnalysisValue(6, "2"));  // the ratio is computed
  EXPECT_FALSE(e.SetFeedPrice("4 kr"));
  EXPECT_TRUE(Has(msg_.errors.back(), "Foderpris kr/kg: \"4 kr\" er ikke et tal"));
  EXPECT_TRUE(e.SetFeedPrice("3,75"));
  EXPECT_EQ(oats.Pris, 3.75);
  EXPECT_FALSE(e.SetFeedDryMatter("120"));
  EXPECT_TRUE(e.SetFeedDryMatter("87,5"));
  EXPECT_EQ(oats.TorrStoff, 87.5);
  EXPECT_FALSE(e.SetFeedUnitWeight("-5"));
  EXPECT_TRUE(e.SetFeedUnitWeight("25"));
  EXPECT_TRUE(e.SetFeedBrand(C("havre mølle")));
  EXPECT_EQ(oats.Brand, "HAVRE M\xD8LLE");  // Windows-1252 capital Ø
  EXPECT_FALSE(e.SetFeedName(C("Hø")));  // another feed's name
  EXPECT_TRUE(Has(msg_.informs.back(), C("Fodernavn findes! Vil du ændre værdierne. Angiv nyt navn")));
  EXPECT_FALSE(e.SetFeedName("  "));
  EXPECT_TRUE(e.SetFeedOrigin(47));
  EXPECT_EQ(e.FeedView().originText, "Oprindelsesland: 47 Norge");
  const EditedFeedView v = e.FeedView();
  EXPECT_EQ(v.rows[3].value, "0,8");
  EXPECT_EQ(v.rows[0].unit, "fe");
  EXPECT_FALSE(v.rows[6].editable);
  EXPECT_EQ(v.price, "3,75");
  EXPECT_EQ(v.position, "1/3");
}

TEST_F(FeedListEditorTest, LockedBrandedAndGuaranteeFeeds) {
  TForListe& l = Winter();
  TFor& hay = *l.FeedAt(Index(l, C("Hø")));
  hay.KanIkkeEndres = true;
  FeedListEditor& e = Open(l);
  e.OpenFeed(Index(l, C("Hø")));
  EditedFeedView v = e.FeedView();
  EXPECT_FALSE(v.nameEditable);
  EXPECT_FALSE(v.categoryEditable);
  EXPECT_FALSE(v.dryMatterEditable);  // locked, not an own-feed category
  EXPECT_TRUE(v.valuesEditable);
  EXPECT_FALSE(e.SetFeedName(C("Hø 2")));
  EXPECT_EQ(hay.Fornavn, C("Hø"));
  e.OpenFeed(Index(l, "Mineral"));  // branded, not locked: only the category stays
  v = e.FeedView();
  EXPECT_TRUE(v.nameEditable);
  EXPECT_FALSE(v.categoryEditable);
  EXPECT_FALSE(e.SetFeedCategory(4));

  TForListe& g = ws_->NewFeedList("Garanti", false);
  g.ErGarantiForliste = true;
  g.GarantiForlisteVersjon = 3;
  Add(g, "Pellet", 7, "FIRMA").SetValue(0, 1.0);
  FeedListEditor& ge = Open(g);
  EXPECT_EQ(ge.Caption(), "Garantifoderliste:  Garanti");
  ge.OpenFeed(0);
  EXPECT_FALSE(ge.SetAnalysisValue(0, "2"));
  EXPECT_TRUE(Has(msg_.errors.back(), "garantifoderliste"));
  EXPECT_EQ(g.FeedAt(0)->Value(0), 1.0);
  EXPECT_TRUE(ge.SetFeedPrice("5"));  // a price is the user's own
  msg_.fallback = true;
  ge.ChooseEnergyObject(0);  // a recalculation would change the company's values
  EXPECT_EQ(g.FeedAt(0)->Value(0), 1.0);
}

// Per kg dry matter: the values are shown on dry matter and go back to as fed with the dry
// matter in force when the choice is left.
TEST_F(FeedListEditorTest, DryMatterBasis) {
  TForListe& l = Winter();
  TFor& oats = *l.FeedAt(0);
  oats.TorrStoff = 80;
  oats.SetValue(1, 80);
  FeedListEditor& e = Open(l);
  e.OpenFeed(0);
  e.SetPerDryMatter(true);
  EXPECT_EQ(e.FeedView().rows[1].value, "100");
  EXPECT_TRUE(e.SetAnalysisValue(1, "120"));
  EXPECT_TRUE(e.SetFeedDryMatter("90"));
  e.ShowPage(FeedListPage::Information);  // leaving the page stores the feed
  EXPECT_FALSE(e.FeedView().perDryMatter);
  EXPECT_NEAR(oats.Value(1), 108, 1e-9);
  EXPECT_EQ(oats.TorrStoff, 90);
}

TEST_F(FeedListEditorTest, OkCancelAndTheStablesHorses) {
  AppContext& app = *app_;
  (void)app;
  TStall& s = ws_->NewStable();
  TForListe& l = *s.ForListe;
  Add(l, "Havre", 7).SetValue(0, 1.0);
  THest& h = s.NewHorse();
  h.ForListe->AddFeed(l.FeedAt(0)->Clone());
  FeedListEditor& e = Open(l);
  e.OpenFeed(0);
  e.FeedOk();  // nothing changed: no question
  EXPECT_TRUE(msg_.questions.empty());
  EXPECT_EQ(e.Page(), FeedListPage::Information);
  e.OpenFeed(0);
  e.SetAnalysisValue(0, "1,2");
  msg_.answers = {true};
  e.FeedOk();
  ASSERT_EQ(msg_.questions.size(), 1u);
  EXPECT_EQ(msg_.questions[0], C("Havre ændret. \rOpdater analyseværdierne for staldens heste?"));
  EXPECT_EQ(h.ForListe->FeedAt(0)->Value(0), 1.2);
  EXPECT_TRUE(last_ & kFlcHorses);
  // Cancel puts the feed back as it was when editing began.
  e.OpenFeed(0);
  e.SetAnalysisValue(0, "3");
  e.SetFeedPrice("9");
  e.FeedCancel();
  EXPECT_EQ(l.FeedAt(0)->Value(0), 1.2);
  EXPECT_EQ(l.FeedAt(0)->Pris, 0);
  EXPECT_FALSE(l.FeedAt(0)->Valgt);
  EXPECT_FALSE(e.MayDeleteList());
}

TEST_F(FeedListEditorTest, ShowPickedWalksThePickedFeeds) {
  TForListe& l = Winter();
  FeedListEditor& e = Open(l);
  e.ToggleFeed(0);
  e.ToggleFeed(2);
  e.ShowPickedFeeds();
  EXPECT_EQ(e.EditedFeed(), l.FeedAt(0));
  e.FeedOk();
  EXPECT_EQ(e.EditedFeed(), l.FeedAt(2));
  e.FeedOk();
  EXPECT_EQ(e.EditedFeed(), nullptr);
  EXPECT_EQ(e.Page(), FeedListPage::Information);
  e.OpenFeed(1);
  e.StepFeed(true);
  EXPECT_EQ(e.EditedFeed(), l.FeedAt(2));
  EXPECT_FALSE(e.FeedView().nextEnabled);
}

TEST_F(FeedListEditorTest, NewFeedFromNothing) {
  TForListe& l = Winter();
  FeedListEditor& e = Open(l);
  ASSERT_TRUE(e.ShowPage(FeedListPage::NewFeed));
  EXPECT_EQ(l.Count(), 4);  // the blank feed is in the list
  EXPECT_EQ(e.CountText(), "Antal foderemner i listen: 3");
  EXPECT_FALSE(e.NewFeed().readyEnabled);
  EXPECT_EQ(e.NewFeed().categoryNames.size(), 6u);
  e.ChooseNoTemplate();
  EXPECT_EQ(e.NewFeed().templateLabel, "Udgangs-foder ikke valgt");
  e.NewFeedReady();
  EXPECT_EQ(msg_.informs.back(), "Navn mangler");
  e.SetNewFeedName("Havre");
  e.NewFeedReady();
  EXPECT_EQ(msg_.informs.back(), C("Fodernavn findes! Vil du ændre værdierne. Angiv nyt navn"));
  e.SetNewFeedName(C("Græs"));
  e.SetNewFeedCategory(0);
  e.SetAlsoOtherList(true);
  e.NewFeedReady();
  EXPECT_EQ(msg_.informs.back(), C("Fôr til annen forliste: Valg ikke implementert"));
  EXPECT_EQ(e.Page(), FeedListPage::NewFeed);
  e.SetAlsoOtherList(false);
  e.NewFeedReady();
  ASSERT_EQ(e.Page(), FeedListPage::Feed);
  EXPECT_TRUE(e.FeedView().isNew);
  EXPECT_EQ(e.EditedFeed()->Brand, "GENERIC");
  EXPECT_EQ(e.FeedView().brandLabel, "Almindeligt FODER");
  e.SetAnalysisValue(0, "0,2");
  e.FeedOk();
  EXPECT_EQ(msg_.informs.back(), C("Det nye foder: Græs er lagt til i Vinter!"));
  EXPECT_EQ(l.FeedNames(), (std::vector<std::string>{C("Græs"), C("Hø"), "Havre", "Mineral"}));  // sorted
  // Aborting, cancelling a new feed and leaving the page all take the new feed away.
  e.ShowPage(FeedListPage::NewFeed);
  e.NewFeedAbort();
  EXPECT_EQ(l.Count(), 4);
  e.ShowPage(FeedListPage::NewFeed);
  e.ShowPage(FeedListPage::Copy);
  EXPECT_EQ(l.Count(), 4);
  e.ShowPage(FeedListPage::NewFeed);
  e.SetNewFeedName("Kort");
  e.ChooseNoTemplate();
  e.NewFeedReady();
  e.FeedCancel();
  EXPECT_EQ(l.Count(), 4);
  // A save on the way does not store the blank feed.
  e.ShowPage(FeedListPage::NewFeed);
  ASSERT_TRUE(e.Save());
  EXPECT_FALSE(Has(FeedFile("Vinter"), "Fornavn = ''"));
  EXPECT_EQ(FeedFile("Vinter").find("object TFor\r\n      Brand = 'Generic'"), std::string::npos);
}

TEST_F(FeedListEditorTest, NewFeedFromATemplateOfAnotherSystem) {
  TForListe& l = Winter();
  TForListe& nrc = ws_->NewFeedList("NRC", false);
  nrc.SetEnergyRecord({TEnergiBeregning::nrc2007, EnergiBasisType::DE, EnergiEnhetstype::MCal, 1, TProteinBeregning::CP});
  TFor& t = Add(nrc, "Lucerne", 6, "FIRMA");
  t.KanIkkeEndres = true;
  t.SetValue(0, 2.0);
  t.SetValue(1, 150);
  FeedListEditor& e = Open(l);
  e.ShowPage(FeedListPage::NewFeed);
  e.ChooseTemplateList(1);
  e.ShowTemplates();
  EXPECT_EQ(e.NewFeed().templateNames, (std::vector<std::string>{"Lucerne"}));
  EXPECT_EQ(e.NewFeed().templateCaption, C(" Vælg et foder du vil tage udgangspunkt i: NRC "));
  e.ChooseTemplate(0);
  EXPECT_EQ(e.NewFeed().templateLabel, "Valgt udgangs-foder:\rLucerne");
  EXPECT_EQ(e.NewFeed().category, 1);
  e.SetNewFeedName("Lucerne egen");
  e.NewFeedReady();
  TFor* made = e.EditedFeed();
  ASSERT_NE(made, nullptr);
  auto expected = nrc.CopyList(false, ListOwnerKind::Workspace);
  ASSERT_TRUE(expected->ConvertAllTo(l.GetEnergyRecord(), l.ProteinType));
  EXPECT_NEAR(made->Value(0), expected->FeedAt(0)->Value(0), 1e-9);
  EXPECT_NEAR(made->Value(1), expected->FeedAt(0)->Value(1), 1e-9);
  EXPECT_FALSE(made->KanIkkeEndres);
  EXPECT_EQ(made->Fortype, 1);
  e.ShowPage(FeedListPage::NewFeed);
  e.SetSameCategory(true);
  e.SetNewFeedCategory(3);
  e.ChooseTemplateList(1);
  e.ShowTemplates();
  EXPECT_EQ(e.NewFeed().templateCaption, C("0 Foder i listen. Vælg fra anden foderliste"));
}

// A price typed on the price page goes into every ticked list, which is saved, and into the
// horses of a ticked stable list when asked.
TEST_F(FeedListEditorTest, PricesInOtherListsAndHorses) {
  TForListe& l = Winter();
  TForListe& other = ws_->NewFeedList("Sommer", false);
  Add(other, "Havre", 7);
  other.SaveToWorkspace();
  TStall& s = ws_->NewStable();
  Add(*s.ForListe, "Havre", 7);
  THest& h = s.NewHorse();
  h.Navn = "Blakken";
  h.ForListe->AddFeed(s.ForListe->FeedAt(0)->Clone());
  FeedListEditor& e = Open(l);
  ASSERT_EQ(e.PriceListNames(), (std::vector<std::string>{"Sommer", "foderliste-Min stald1"}));
  EXPECT_TRUE(e.SelectAllEnabled());
  e.CheckAllPriceLists(true);
  EXPECT_FALSE(e.SelectAllEnabled());
  e.SetPricesInHorses(true);
  ASSERT_TRUE(e.ShowPage(FeedListPage::Prices));
  EXPECT_FALSE(e.SetPrice(0, "abc"));
  EXPECT_TRUE(Has(msg_.errors.back(), "Havre: Foderpris kr/kg: \"abc\" er ikke et tal"));
  EXPECT_TRUE(e.SetPrice(0, "4,25"));
  EXPECT_EQ(e.PriceRows()[0].price, "4,25");
  EXPECT_EQ(other.FeedAt(0)->Pris, 4.25);
  EXPECT_TRUE(Has(FeedFile("Sommer"), "Pris = 4.25"));
  EXPECT_EQ(s.ForListe->FeedAt(0)->Pris, 4.25);
  EXPECT_EQ(h.ForListe->FeedAt(0)->Pris, 4.25);
  EXPECT_TRUE(Has(Read("Save/Min stald1/Min stald1.eqs"), "Pris = 4.25"));
  EXPECT_TRUE(last_ & kFlcHorses);
  EXPECT_TRUE(Has(e.PriceListPage(), "4,25"));
}

// A mix shown in the window has no feed tree (its feeds are picked in the feed-mix
// calculator); it is unpicked like any list and prints its price list.
TEST_F(FeedListEditorTest, AMixShowsNoFeedTree) {
  TForListe& mix = ws_->NewFeedList("Blanding", true);
  TFor& a = Add(mix, "Havre", 7);
  a.Valgt = true;
  a.Pris = 3;
  Add(mix, "Byg", 7).Valgt = true;
  FeedListEditor& e = Open(mix);
  EXPECT_TRUE(e.Tree().groups.empty());
  EXPECT_EQ(e.Tree().picked, 0);
  EXPECT_FALSE(a.Valgt);
  EXPECT_FALSE(e.Visibility().feedPage);
  EXPECT_TRUE(e.Visibility().pricePage);
  EXPECT_TRUE(Has(e.PriceListPage(), "3,00"));
  // The same feeds in an ordinary list make a tree.
  TForListe& l = ws_->NewFeedList("Liste", false);
  Add(l, "Havre", 7);
  Add(l, "Byg", 7);
  FeedListEditor& f = Open(l);
  ASSERT_EQ(f.Tree().groups.size(), 1u);
  EXPECT_EQ(f.Tree().groups[0].brands[0].feeds, (std::vector<int>{0, 1}));
}

TEST_F(FeedListEditorTest, SavingFailsWithoutLosingTheFile) {
  TForListe& l = Winter();
  const std::string before = FeedFile("Vinter");
  FeedListEditor& e = Open(l);
  e.OpenFeed(0);
  e.SetAnalysisValue(0, "2");
  bool saved = true;
  {
    FullDisk full;  // nothing longer than a few bytes can be written now
    saved = e.Save();
  }
  EXPECT_FALSE(saved);
  ASSERT_FALSE(msg_.errors.empty());
  EXPECT_TRUE(Has(msg_.errors.back(), "Vinter.eqf"));
  EXPECT_TRUE(Has(msg_.errors.back(), C("Foderlisten blev ikke gemt. Den tidligere gemte fil er uændret")));
  EXPECT_EQ(FeedFile("Vinter"), before);
  EXPECT_TRUE(e.HasUnsavedChanges());
  EXPECT_TRUE(e.Save());
  EXPECT_FALSE(e.HasUnsavedChanges());
}

TEST_F(FeedListEditorTest, ClosingAsksOnlyAfterAChange) {
  TForListe& l = Winter();
  FeedListEditor& e = Open(l);
  e.ToggleFeed(0);  // picks are no change
  EXPECT_FALSE(e.HasUnsavedChanges());
  e.OpenFeed(1);
  e.SetFeedCategory(1);  // the fingerprint cannot see this one
  e.ShowPage(FeedListPage::Information);
  EXPECT_TRUE(e.HasUnsavedChanges());
  EXPECT_EQ(e.CloseQuestion(), C("Vinter: Data ændret! Vil du gemme de nye oplysninger"));
  EXPECT_FALSE(e.Close(FeedListEditor::CloseAnswer::Cancel));
  EXPECT_TRUE(e.Close(FeedListEditor::CloseAnswer::No));
  EXPECT_EQ(l.FeedAt(1)->Fortype, 6);  // as saved
  EXPECT_EQ(l.Count(), 3);
}

TEST_F(FeedListEditorTest, ClosingWithYesSaves) {
  TForListe& l = Winter();
  FeedListEditor& e = Open(l);
  e.OpenFeed(0);
  e.SetFeedName("Havre, valset");
  EXPECT_TRUE(e.Close(FeedListEditor::CloseAnswer::Yes));
  EXPECT_TRUE(Has(FeedFile("Vinter"), "Havre, valset"));
}

// A stable's list has no file of its own: "No" puts back what it was when the window opened.
TEST_F(FeedListEditorTest, ClosingAStableListWithNoRestoresIt) {
  TStall& s = ws_->NewStable();
  Add(*s.ForListe, "Havre", 7);
  FeedListEditor& e = Open(*s.ForListe);
  e.ShowPage(FeedListPage::Copy);
  e.ClearTarget();  // refused: no answer given
  msg_.answers = {true};
  e.ClearTarget();
  EXPECT_EQ(s.ForListe->Count(), 0);
  EXPECT_TRUE(e.Close(FeedListEditor::CloseAnswer::No));
  EXPECT_EQ(s.ForListe->FeedNames(), (std::vector<std::string>{"Havre"}));
  EXPECT_EQ(s.ForListe->ForlisteNavn, "foderliste-Min stald1");
}

TEST_F(FeedListEditorTest, SaveAsAndRename) {
  TForListe& l = Winter();
  FeedListEditor& e = Open(l);
  EXPECT_EQ(e.ProposedSaveAsName(), "Minfoderliste1");
  EXPECT_EQ(e.SaveAs(dir_ / "Elsewhere.eqf"), nullptr);
  EXPECT_TRUE(Has(msg_.errors.back(), "Foderlister gemmes i foderlistemappen"));
  EXPECT_EQ(e.SaveAs(e.FeedDirectory() / "Vinter.eqf"), nullptr);
  EXPECT_TRUE(Has(msg_.errors.back(), "Der findes allerede en foderliste med navnet: Vinter"));
  msg_.answers = {true};
  TForListe* copy = e.SaveAs(e.FeedDirectory() / "Kopi");
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(msg_.questions.back(), "Vis ny foderliste");
  EXPECT_EQ(copy->ForlisteNavn, "Kopi");
  EXPECT_TRUE(last_ & kFlcWorkspace);
  EXPECT_TRUE(Has(FeedFile("Kopi"), "Versjon = 2.17"));
  EXPECT_EQ(ws_->FeedLists().back().get(), copy);

  EXPECT_FALSE(e.Rename("a/b"));
  EXPECT_FALSE(e.Rename("Kopi"));
  EXPECT_EQ(l.ForlisteNavn, "Vinter");
  EXPECT_TRUE(e.Rename("Vinter 2"));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "Save/Feeds/45/Vinter 2.eqf"));
  EXPECT_EQ(e.Tree().rootName, "Vinter 2");
}

TEST_F(FeedListEditorTest, EnergyObjectConvertsEveryFeed) {
  TForListe& l = Winter();
  FeedListEditor& e = Open(l);
  const auto names = e.EnergyObjectNames();
  ASSERT_FALSE(names.empty());
  const TEnergyProteinObj& nrc = *app_->energyList.Element(0);
  auto expected = l.CopyList(false, ListOwnerKind::Workspace);
  ASSERT_TRUE(expected->ChangeEnergySystem(EnergyRecord::Of(nrc)));
  msg_.answers = {false};
  e.ChooseEnergyObject(0);
  EXPECT_EQ(l.FeedAt(0)->Value(0), 0.95);
  msg_.answers = {true};
  e.ChooseEnergyObject(0);
  EXPECT_TRUE(Has(msg_.questions.back(), "Energy and protein values will be recalculated. Proceed?"));
  EXPECT_NEAR(l.FeedAt(0)->Value(0), expected->FeedAt(0)->Value(0), 1e-12);
  EXPECT_TRUE(l.SameEnergySystem(EnergyRecord::Of(nrc)));
}

TEST_F(FeedListEditorTest, EveryActionIsOneCommit) {
  TForListe& l = Winter();
  FeedListEditor& e = Open(l);
  const auto once = [&](auto&& action) {
    notes_ = 0;
    action();
    EXPECT_EQ(notes_, 1);
  };
  once([&] { e.ToggleFeed(0); });
  once([&] { e.ShowPage(FeedListPage::Feed); });
  once([&] { e.SetAnalysisValue(2, "4"); });
  once([&] { e.SetAnalysisValue(2, "x"); });
  once([&] { e.SetPerDryMatter(true); });
  once([&] { e.StepFeed(true); });
  once([&] { e.FeedOk(); });
  once([&] { e.ShowPage(FeedListPage::Compare); });
  once([&] { e.AddCompareFeed(0); });
  once([&] { e.SetCompareNutrient(0, true); });
  once([&] { e.ShowPage(FeedListPage::Order); });
  once([&] { e.SelectOrderFeed(1); });
  once([&] { e.MoveOrderFeed(true); });
  once([&] { e.ShowPage(FeedListPage::NewFeed); });
  once([&] { e.ChooseNoTemplate(); });
  once([&] { e.NewFeedAbort(); });
}

}  // namespace
}  // namespace stallora
