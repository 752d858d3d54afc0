#include "forms/editor.h"

#include <gtest/gtest.h>

namespace stallora {
namespace {

class CountingEditor : public Editor {
 public:
  void Edit(ChangeFlags f, bool recompute = true) { Commit(f, recompute); }
  void TwoEdits() {
    Batch batch(*this);
    Edit(1);
    Edit(2, false);
  }
  int stamped = 0;

 protected:
  void Recompute() override {}
  void Stamp(ChangeFlags) override { ++stamped; }
};

struct Listener : EditorListener {
  void EditorChanged(ChangeFlags f) override { told.push_back(f); }
  std::vector<ChangeFlags> told;
};

TEST(EditorTest, EachCommitRecomputesStampsAndTellsOnce) {
  CountingEditor e;
  Listener a, b;
  e.AddListener(&a);
  e.AddListener(&b);
  e.AddListener(&a);  // twice is once
  e.Edit(4);
  EXPECT_EQ(e.Recomputes(), 1);
  EXPECT_EQ(e.Notifications(), 1);
  EXPECT_EQ(e.stamped, 1);
  EXPECT_EQ(a.told, std::vector<ChangeFlags>{4});
  EXPECT_EQ(b.told, std::vector<ChangeFlags>{4});
  e.Edit(8, false);
  EXPECT_EQ(e.Recomputes(), 1) << "a change that needs no computation";
  EXPECT_EQ(e.Notifications(), 2);
  e.RemoveListener(&b);
  e.Edit(1);
  EXPECT_EQ(b.told.size(), 2u);
  EXPECT_EQ(a.told.size(), 3u);
}

TEST(EditorTest, ABatchEndsInOneCommitWithAllFlags) {
  CountingEditor e;
  Listener a;
  e.AddListener(&a);
  e.TwoEdits();
  EXPECT_EQ(e.Recomputes(), 1);
  EXPECT_EQ(e.Notifications(), 1);
  EXPECT_EQ(a.told, std::vector<ChangeFlags>{3});
  {
    CountingEditor::Batch outer(e);
    e.TwoEdits();
    e.Edit(16, false);
    EXPECT_EQ(e.Notifications(), 1) << "nothing told before the outer batch ends";
  }
  EXPECT_EQ(e.Recomputes(), 2);
  EXPECT_EQ(a.told.back(), ChangeFlags{19});
}

// A listener that goes while it is told (a page closing on a change) is not told again, and
// the others still are.
TEST(EditorTest, AListenerMayLeaveWhileTold) {
  CountingEditor e;
  struct Leaving : EditorListener {
    CountingEditor* editor = nullptr;
    EditorListener* other = nullptr;
    int told = 0;
    void EditorChanged(ChangeFlags) override {
      ++told;
      editor->RemoveListener(other);
    }
  } leaving;
  Listener second;
  leaving.editor = &e;
  leaving.other = &second;
  e.AddListener(&leaving);
  e.AddListener(&second);
  e.Edit(1);
  EXPECT_EQ(leaving.told, 1);
  EXPECT_TRUE(second.told.empty()) << "removed before its turn";
}

// Listeners that outlive their editor (a window's widgets outlive its editor member) hear
// that it went and need not remove themselves.
TEST(EditorTest, ListenersHearWhenTheEditorGoes) {
  struct Outliving : EditorListener {
    void EditorChanged(ChangeFlags) override {}
    void EditorGone(Editor&) override { ++gone; }
    int gone = 0;
  } a, b;
  {
    CountingEditor e;
    e.AddListener(&a);
    e.AddListener(&b);
    e.RemoveListener(&b);
  }
  EXPECT_EQ(a.gone, 1);
  EXPECT_EQ(b.gone, 0);
}

TEST(EditorTest, AListenerThatGoesFirstIsNeverToldAgain) {
  CountingEditor e;
  Listener kept;
  e.AddListener(&kept);
  {
    Listener page;  // a page closed before its window's editor
    e.AddListener(&page);
    e.Edit(1);
    EXPECT_EQ(page.told.size(), 1u);
  }
  e.Edit(2);  // would reach the freed page if it had not unhooked itself
  EXPECT_EQ(kept.told, (std::vector<ChangeFlags>{1, 2}));
  Listener copy = kept;  // a copy listens to nothing
  e.Edit(4);
  EXPECT_TRUE((copy.told == std::vector<ChangeFlags>{1, 2}));
  EXPECT_EQ(kept.told.size(), 3u);
}

}  // namespace
}  // namespace stallora
