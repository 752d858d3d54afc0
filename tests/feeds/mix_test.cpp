// The mix calculator's arithmetic: price label, total amount, category choice, names,
// spinner, percentage cells, the mix as a feed and the pages.

#include "feeds/mix.h"

#include <gtest/gtest.h>

#include "core/html_report.h"
#include "feeds_test_env.h"

namespace stallora {
namespace {

using testing::FeedsEnv;

TFor& Add(TForListe& list, const std::string& name, int category, double kg, double price) {
  auto f = std::make_unique<TFor>(*list.env);
  f->Fornavn = name;
  f->Fortype = static_cast<TForkategorier>(category);
  f->TildeltKg = kg;
  f->Pris = price;
  f->Valgt = true;
  return list.AddFeed(std::move(f));
}

TEST(Mix, PriceLabelPercentagesAndRescaling) {
  FeedsEnv fx('.');
  TForListe mix(*fx.env);
  mix.ForBlanding = true;
  TFor& hay = Add(mix, "Hay", 6, 3, 2.0);
  TFor& oats = Add(mix, "Oats", 8, 1, 3.0);
  EXPECT_EQ(MixPriceLabel(mix), "Pris p\xE5 blandingen 2.25 kr/kg.   4.0 kg = 9.00 kr");
  EXPECT_EQ(MixPercentCell(hay, mix.TotalKg(), '.'), "   75.00%");
  EXPECT_EQ(MixPercentCell(oats, mix.TotalKg(), '.'), "   25.00%");
  RescaleMix(mix, 8);
  EXPECT_DOUBLE_EQ(hay.TildeltKg, 6);
  EXPECT_DOUBLE_EQ(oats.TildeltKg, 2);
  RescaleMix(mix, 0);  // refused
  RescaleMix(mix, -2);
  EXPECT_DOUBLE_EQ(mix.TotalKg(), 8);
  // Unpicked feeds add their kg to the total but nothing to the price.
  TFor& extra = Add(mix, "Salt", 9, 2, 10);
  extra.Valgt = false;
  EXPECT_EQ(MixPriceLabel(mix), "Pris p\xE5 blandingen 1.80 kr/kg.   10.0 kg = 18.00 kr");
  mix.ZeroAllotted();
  EXPECT_EQ(MixPriceLabel(mix), "*");
  EXPECT_EQ(MixPercentCell(hay, mix.TotalKg(), '.'), "    0%");
  RescaleMix(mix, 5);
  EXPECT_EQ(mix.TotalKg(), 0);
  // Amounts without a price: no label either.
  hay.TildeltKg = 1;
  hay.Pris = 0;
  oats.Pris = 0;
  EXPECT_EQ(MixPriceLabel(mix), "*");
}

TEST(Mix, CurrencyDecimalsComeFromTheCountrySettings) {
  FeedsEnv fx(',');
  fx.settings.currencyDecimals = 0;
  TForListe mix(*fx.env);
  Add(mix, "Hø", 6, 3, 2.0);
  Add(mix, "Havre", 8, 1, 3.0);
  EXPECT_EQ(MixPriceLabel(mix), "Pris p\xE5 blandingen 2 kr/kg.   4,0 kg = 9 kr");
}

TEST(Mix, CategoryChoices) {
  EXPECT_EQ(MixCategoryOfChoice(0), 1);
  EXPECT_EQ(MixCategoryOfChoice(1), 3);
  EXPECT_EQ(MixCategoryOfChoice(2), 4);
  EXPECT_EQ(MixCategoryOfChoice(-1), -1);
  EXPECT_EQ(MixCategoryOfChoice(3), -1);
  EXPECT_EQ(MixChoiceOfCategory(1), 0);
  EXPECT_EQ(MixChoiceOfCategory(3), 1);
  EXPECT_EQ(MixChoiceOfCategory(4), 2);
  EXPECT_EQ(MixChoiceOfCategory(11), -1);
  FeedsEnv fx;
  TForListe mix(*fx.env);
  Add(mix, "Mineral", 9, 1, 1);
  EXPECT_EQ(DefaultMixChoice(mix), 2);
  Add(mix, "Havre", 8, 1, 1);
  EXPECT_EQ(DefaultMixChoice(mix), 1);
  Add(mix, "Græs", 10, 1, 1);
  EXPECT_EQ(DefaultMixChoice(mix), 0);
  TForListe empty(*fx.env);
  EXPECT_EQ(DefaultMixChoice(empty), 2);
}

TEST(Mix, NamesOfNewMixes) {
  FeedsEnv fx;
  EXPECT_EQ(NewMixName({}), "Egen blanding1");
  EXPECT_EQ(NewMixName({"Egen blanding1", "egen BLANDING2", "Egen blanding4"}), "Egen blanding3");
  TForListe source(*fx.env);
  source.ForlisteNavn = "H\xF8";
  auto mix = NewMixFor(source);
  EXPECT_EQ(mix->ForlisteNavn, "Mix_H\xF8");
  EXPECT_TRUE(mix->ForBlanding);
  EXPECT_TRUE(mix->mixFile);
  EXPECT_EQ(mix->Forblandingstype, 11);
  EXPECT_EQ(mix->Count(), 0);
  EXPECT_EQ(SourceListNameOf(mix->ForlisteNavn), "H\xF8");
  EXPECT_EQ(SourceListNameOf("Egen blanding1"), "");
  EXPECT_EQ(SourceListNameOf("Mix_"), "");
}

TEST(Mix, SpinnerNeverGoesBelowZero) {
  EXPECT_DOUBLE_EQ(StepAmount(0.05, 0.1, false), 0);
  EXPECT_DOUBLE_EQ(StepAmount(0.05, 0.1, true), 0.15);
  EXPECT_DOUBLE_EQ(StepAmount(2, 1, false), 1);
  EXPECT_DOUBLE_EQ(StepAmount(1, 1, false), 0);
}

TEST(Mix, TheMixAsAFeedTakesTheChosenCategoryAndName) {
  FeedsEnv fx;
  TForListe mix(*fx.env);
  mix.ForlisteNavn = "Mix_H\xF8";
  Add(mix, "Hø", 6, 3, 2).TorrStoff = 80;
  Add(mix, "Havre", 8, 1, 3).TorrStoff = 88;
  EXPECT_EQ(MixFeedFor(mix, 0, "Hestefoder"), nullptr);  // not a mix
  mix.ForBlanding = true;
  auto feed = MixFeedFor(mix, 1, "Hestefoder");
  ASSERT_TRUE(feed);
  EXPECT_EQ(feed->Fornavn, "Hestefoder");
  EXPECT_EQ(feed->Fortype, 3);
  EXPECT_DOUBLE_EQ(feed->TorrStoff, 82);
  EXPECT_DOUBLE_EQ(feed->Pris, 2.25);
  feed = MixFeedFor(mix, -1, std::string(300, 'x'));
  EXPECT_EQ(feed->Fortype, 1);  // no choice: as MixAsFeed made it
  EXPECT_EQ(feed->Fornavn.size(), 255u);
}

TEST(Mix, PrintAndAnalysisPages) {
  FeedsEnv fx;
  TForListe mix(*fx.env);
  mix.ForlisteNavn = "Blanding";
  mix.ForBlanding = true;
  Add(mix, "Hø", 6, 3, 2);
  EXPECT_EQ(MixPrintPage(mix),
            SimplePageHead() + mix.MixRecipePage() + "<br><br>" + mix.MixAnalysisTable() + PageEnd());
  EXPECT_EQ(MixAnalysisPage(mix), SimplePageHead() + mix.MixAnalysisTable() + PageEnd());
}

}  // namespace
}  // namespace stallora
