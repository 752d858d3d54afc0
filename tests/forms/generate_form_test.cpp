// The generate-feed-list dialog's rules without a window: the brand checks and their count,
// the captions, OK rebuilding the target and Cancel putting it back byte for byte.

#include "forms/generate_form.h"

#include <gtest/gtest.h>

#include "core/objtext.h"
#include "../stable/workspace_fixture.h"

namespace stallora {
namespace {

class GenerateFormTest : public testing::ProgramDirTest {
 protected:
  void SetUp() override {
    ProgramDirTest::SetUp();
    AppContext& app = Start();
    ws_ = std::make_unique<Workspace>(app);
    ws_->Scan();
    target_ = &ws_->NewFeedList("Stald", false);
    source_ = &ws_->NewFeedList("Garanti", false);
    Add(*target_, "Own hay", 1, "Generic");
    Add(*target_, "Acme Pro", 7, "acme").FeedURL = "http://example.org/pro";
    Add(*target_, "Zeta Mix", 7, "Zeta");
    Add(*source_, "Acme Pro", 7, "Acme");
    Add(*source_, "Acme Lite", 7, "Acme");
    Add(*source_, "Bravo One", 7, "Bravo");
    Add(*source_, "Plain barley", 7, "GENERIC");
  }
  void TearDown() override {
    ws_.reset();
    ProgramDirTest::TearDown();
  }
  static TFor& Add(TForListe& l, const std::string& name, int category, const std::string& brand) {
    auto f = std::make_unique<TFor>(*l.env);
    f->Fornavn = name;
    f->Fortype = static_cast<TForkategorier>(category);
    f->Brand = brand;
    f->Versjon = 3.5;  // not the program's: a clone would not keep it
    return l.AddFeed(std::move(f));
  }
  std::unique_ptr<Workspace> ws_;
  TForListe* target_ = nullptr;
  TForListe* source_ = nullptr;
};

TEST_F(GenerateFormTest, ChecksCountsAndCaptions) {
  GenerateForm form(*target_, *ws_);
  ASSERT_TRUE(form.Available());
  EXPECT_EQ(form.Caption(), "V\xE6lg leverand\xF8rer til: Stald");
  ASSERT_EQ(form.SourceNames().size(), 1u);  // the target itself is no source
  EXPECT_EQ(form.Brands(), (std::vector<std::string>{"Acme", "Bravo"}));
  EXPECT_EQ(form.Checks(), (std::vector<bool>{true, false}));
  EXPECT_EQ(form.CountText(), "1 Leverand\xF8r Valgt (2 foder)");
  form.SelectAll();
  EXPECT_EQ(form.CountText(), "2 Leverand\xF8r Valgt (3 foder)");
  form.ClearSelection();
  EXPECT_EQ(form.CountText(), "0 Leverand\xF8r Valgt (0 foder)");
  EXPECT_EQ(form.BrandBoxCaption(), "Klik for at v\xE6lge: Leverand\xF8r fra Garanti");
  EXPECT_EQ(form.NotListedCaption(), "Behold foderblandinger som ikke findes p\xE5 listen Garanti");
  EXPECT_TRUE(form.KeepBoxVisible());
  EXPECT_TRUE(form.keep.generic && form.keep.own && !form.keep.notListed);
}

TEST_F(GenerateFormTest, CancelRestoresTheTargetByteForByte) {
  const std::string before = RecordText(*target_);
  const std::string file = target_->ForListeFilNavn;
  GenerateForm form(*target_, *ws_);
  form.SelectAll();
  EXPECT_EQ(form.Accept(), 3);  // a dialog may have rebuilt it before the user cancels
  EXPECT_NE(RecordText(*target_), before);
  form.Cancel();
  EXPECT_EQ(RecordText(*target_), before);
  EXPECT_EQ(target_->ForListeFilNavn, file);
  EXPECT_EQ(target_->FeedByName("Acme Pro")->FeedURL, "http://example.org/pro");
}

TEST_F(GenerateFormTest, OkRebuildsFromTheCheckedBrands) {
  GenerateForm form(*target_, *ws_);
  form.SetCheck(0, false);
  form.SetCheck(1, true);
  EXPECT_EQ(form.Accept(), 1);
  EXPECT_EQ(target_->FeedNames(), (std::vector<std::string>{"Own hay", "Bravo One"}));
  EXPECT_TRUE(form.Accepted());
}

TEST_F(GenerateFormTest, WithoutAnotherListThereIsNoDialog) {
  ws_->TakeFeedList(source_);
  source_ = nullptr;
  GenerateForm form(*target_, *ws_);
  EXPECT_FALSE(form.Available());
  EXPECT_EQ(form.Accept(), -1);
  EXPECT_EQ(target_->Count(), 3);
}

}  // namespace
}  // namespace stallora
