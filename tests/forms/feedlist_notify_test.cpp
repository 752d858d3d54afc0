// The feed list editor as every window's editor: one recompute and one notification per
// user action, the flags naming what changed, every listener told, and the list rebuilt by
// another window taken anew.

#include <gtest/gtest.h>

#include "../stable/workspace_fixture.h"
#include "core/cp1252.h"
#include "forms/feedlist_editor.h"

namespace stallora {
namespace {

class QuietMessages final : public Messages {
 public:
  void Inform(const std::string& t) override { said.push_back(t); }
  void Error(const std::string& t) override { said.push_back(t); }
  bool Confirm(const std::string& t) override {
    said.push_back(t);
    return true;
  }
  std::vector<std::string> said;
};

// Keeps what it was told, as a window's page does.
class Recorder final : public EditorListener {
 public:
  void EditorChanged(ChangeFlags changed) override { told.push_back(changed); }
  std::vector<ChangeFlags> told;
};

class FeedListNotifyTest : public testing::ProgramDirTest {
 protected:
  void SetUp() override {
    ProgramDirTest::SetUp();
    ws_ = std::make_unique<Workspace>(Start());
    ws_->Scan();
    list_ = &ws_->NewFeedList("Sommer", false);
    for (const char* name : {"Havre", "Byg", "Mineral"}) {
      auto f = std::make_unique<TFor>(app_->Env());
      f->Fornavn = name;
      f->Fortype = static_cast<TForkategorier>(name[0] == 'M' ? 9 : 7);
      f->Brand = "GENERIC";
      list_->AddFeed(std::move(f));
    }
    list_->SaveToWorkspace();
    editor_ = std::make_unique<FeedListEditor>(*list_, *ws_, msg_);
    editor_->AddListener(&recorder_);
    editor_->Show();
    recorder_.told.clear();
  }
  void TearDown() override {
    editor_.reset();
    ws_.reset();
    ProgramDirTest::TearDown();
  }
  // What the last action did: its recomputes and notifications since `recomputes` and
  // `notes`, and the flags it told.
  void ExpectOne(int recomputes, int notes, ChangeFlags mustHave) {
    EXPECT_EQ(editor_->Recomputes(), recomputes + 1);
    EXPECT_EQ(editor_->Notifications(), notes + 1);
    ASSERT_EQ(recorder_.told.size(), 1u);
    EXPECT_EQ(recorder_.told.back() & mustHave, mustHave) << std::hex << recorder_.told.back();
    recorder_.told.clear();
  }

  std::unique_ptr<Workspace> ws_;
  TForListe* list_ = nullptr;
  QuietMessages msg_;
  Recorder recorder_;
  std::unique_ptr<FeedListEditor> editor_;
};

TEST_F(FeedListNotifyTest, EveryActionRecomputesAndTellsOnceWithWhatChanged) {
  FeedListEditor& e = *editor_;
  int r = e.Recomputes(), n = e.Notifications();
  e.ToggleFeed(0);
  ExpectOne(r, n, kFlcPicks);
  EXPECT_EQ(e.Tree().picked, 1);  // the recompute ran before the notification

  r = e.Recomputes(), n = e.Notifications();
  e.OpenFeed(1);
  ExpectOne(r, n, kFlcFeed | kFlcPages);
  EXPECT_EQ(e.Page(), FeedListPage::Feed);

  r = e.Recomputes(), n = e.Notifications();
  ASSERT_TRUE(e.SetAnalysisValue(0, "0,9"));
  ExpectOne(r, n, kFlcFeed);
  EXPECT_DOUBLE_EQ(list_->FeedAt(1)->Value(0), 0.9);

  // A refused value: still one recompute and one notification, so the field shows the
  // stored value again; the value stays.
  r = e.Recomputes(), n = e.Notifications();
  EXPECT_FALSE(e.SetAnalysisValue(0, "abc"));
  ExpectOne(r, n, kFlcFeed);
  EXPECT_DOUBLE_EQ(list_->FeedAt(1)->Value(0), 0.9);

  r = e.Recomputes(), n = e.Notifications();
  ASSERT_TRUE(e.SetPrice(2, "2,5"));
  ExpectOne(r, n, kFlcPrices);
  EXPECT_DOUBLE_EQ(list_->FeedAt(2)->Pris, 2.5);

  r = e.Recomputes(), n = e.Notifications();
  ASSERT_TRUE(e.ShowPage(FeedListPage::Compare));
  ExpectOne(r, n, kFlcCompare | kFlcPages);
  r = e.Recomputes(), n = e.Notifications();
  e.AddCompareFeed(0);
  ExpectOne(r, n, kFlcCompare);
  EXPECT_EQ(e.Compare().chosenFeeds.size(), 1u);
}

// An action that changes nothing a page shows recomputes but tells nobody.
TEST_F(FeedListNotifyTest, ARefusalWithNothingChangedTellsNobody) {
  FeedListEditor& e = *editor_;
  ASSERT_TRUE(e.ShowPage(FeedListPage::Compare));
  recorder_.told.clear();
  const int r = e.Recomputes(), n = e.Notifications();
  EXPECT_FALSE(e.CompareResults());  // nothing chosen
  EXPECT_EQ(e.Recomputes(), r + 1);
  EXPECT_EQ(e.Notifications(), n);
  EXPECT_TRUE(recorder_.told.empty());
  ASSERT_FALSE(msg_.said.empty());
  EXPECT_EQ(msg_.said.back(), Utf8ToCp1252("Du har ikke valgt færdigt.  Foder eller næringsstof savnes"));
}

// A locked feed's name left as it was is no attempt to change it; another name is refused.
TEST_F(FeedListNotifyTest, ALockedNameLeftAsItWasSaysNothing) {
  list_->FeedAt(0)->KanIkkeEndres = true;
  editor_->OpenFeed(0);
  msg_.said.clear();
  EXPECT_TRUE(editor_->SetFeedName("Havre"));
  EXPECT_TRUE(msg_.said.empty());
  EXPECT_FALSE(editor_->SetFeedName("Rug"));
  EXPECT_EQ(msg_.said.size(), 1u);
  EXPECT_EQ(list_->FeedAt(0)->Fornavn, "Havre");
}

// A closed editor lets go of its list, which may be freed (a deleted list) before the
// window and its editor are: the editor then outlives it without touching it.
TEST_F(FeedListNotifyTest, AClosedEditorOutlivesItsList) {
  editor_->ShowPage(FeedListPage::NewFeed);  // a blank feed waits in the list
  ASSERT_EQ(list_->Count(), 4);
  ASSERT_TRUE(editor_->Close(FeedListEditor::CloseAnswer::Yes));
  EXPECT_TRUE(editor_->ListGone());
  EXPECT_EQ(list_->Count(), 3);
  EXPECT_FALSE(editor_->HasUnsavedChanges());
  std::string error;
  ASSERT_TRUE(ws_->DeleteFeedListFile(*list_, &error)) << error;
  list_ = nullptr;
  editor_.reset();  // under the address checker a touch of the freed list fails here
}

// The window's relay and the function listener both hear every notification; a listener
// that goes is not told again.
TEST_F(FeedListNotifyTest, EveryListenerIsToldAndAGoneOneIsNot) {
  int functionTold = 0;
  editor_->SetListener([&](unsigned) { ++functionTold; });
  {
    Recorder second;
    editor_->AddListener(&second);
    editor_->ToggleFeed(0);
    EXPECT_EQ(second.told.size(), 1u);
  }
  editor_->ToggleFeed(1);
  EXPECT_EQ(functionTold, 2);
  EXPECT_EQ(recorder_.told.size(), 2u);
}

// The generate dialog replaced the feeds: the editor holds no pointer into the old ones,
// shows the information page, and the list counts as changed only when it was rebuilt.
TEST_F(FeedListNotifyTest, AListRebuiltElsewhereIsTakenAnew) {
  FeedListEditor& e = *editor_;
  e.OpenFeed(0);
  ASSERT_NE(e.EditedFeed(), nullptr);
  e.ListRebuilt(false);
  EXPECT_EQ(e.EditedFeed(), nullptr);
  EXPECT_EQ(e.Page(), FeedListPage::Information);
  EXPECT_EQ(e.Tree().picked, 0);
  EXPECT_FALSE(e.HasUnsavedChanges());
  ASSERT_EQ(recorder_.told.size(), 2u);
  EXPECT_EQ(recorder_.told.back() & kFlcAll, unsigned{kFlcAll});
  e.ListRebuilt(true);
  EXPECT_TRUE(e.HasUnsavedChanges());
  EXPECT_TRUE(e.Save());
  EXPECT_FALSE(e.HasUnsavedChanges());
}

}  // namespace
}  // namespace stallora
