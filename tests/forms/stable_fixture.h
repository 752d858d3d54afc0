#pragma once
// A workspace on disk for the stable window's rules: the stable "Nord" with the horses
// Ares, Bella and Cora, the stable "Syd" with Dino, read by a scan as the program reads it.

#include <gtest/gtest.h>

#include "../stable/workspace_fixture.h"
#include "forms/stable_editor.h"

namespace stallora::testing {

class StableEditorTest : public ProgramDirTest {
 protected:
  void SetUp() override {
    ProgramDirTest::SetUp();
    AppContext& app = Start();
    {
      TStall s(app.Env());
      s.stallNavn = "Nord";
      s.StallEier = "Ole";
      ASSERT_TRUE(s.Save());
      for (const char* name : {"Ares", "Bella", "Cora"}) {
        THest& h = s.NewHorse();
        h.Navn = name;
        ASSERT_TRUE(s.SaveHorse(h));
      }
      TStall o(app.Env());
      o.stallNavn = "Syd";
      ASSERT_TRUE(o.Save());
      THest& h = o.NewHorse();
      h.Navn = "Dino";
      ASSERT_TRUE(o.SaveHorse(h));
    }
    Rescan();
  }

  // The workspace read again from disk, as at a fresh start.
  void Rescan() {
    editor_.reset();
    ws_ = std::make_unique<Workspace>(*app_);
    ws_->Scan();
  }

  StableEditor& Edit(const std::string& stable) {
    TStall* s = ws_->StableByName(stable);
    EXPECT_NE(s, nullptr) << stable;
    editor_ = std::make_unique<StableEditor>(*s, *ws_);
    listener_.test = this;
    editor_->AddListener(&listener_);
    editor_->Open();
    notifications_ = 0;
    return *editor_;
  }

  std::filesystem::path Save() const { return dir_ / "Save"; }

  struct Listener : EditorListener {
    StableEditorTest* test = nullptr;
    void EditorChanged(ChangeFlags changes) override {
      ++test->notifications_;
      test->lastChanges_ = changes;
    }
  };

  std::unique_ptr<Workspace> ws_;
  std::unique_ptr<StableEditor> editor_;
  Listener listener_;
  int notifications_ = 0;
  unsigned lastChanges_ = 0;
};

}  // namespace stallora::testing
