#include "forms/ration_page.h"

#include <gtest/gtest.h>

#include "ration/horse_reports.h"

namespace stallora {
namespace {

class RationPageTest : public ::testing::Test {
 protected:
  RationPageTest() : clock_(EncodeDate(2026, 12, 9)), env_(clock_, Regional{}, 45, &active_, &settings_) {
    settings_.nutrients.resize(24);
    for (int i = 0; i < 24; ++i) {
      settings_.nutrients[static_cast<size_t>(i)].name = "N" + std::to_string(i);
      settings_.nutrients[static_cast<size_t>(i)].unit = "g";
      settings_.nutrients[static_cast<size_t>(i)].precision = 1;
    }
    for (int c = 0; c < 12; ++c) settings_.feedTypeNames[static_cast<size_t>(c)] = "T" + std::to_string(c);
  }
  std::unique_ptr<THest> Horse(double weight) {
    auto h = std::make_unique<THest>(env_);
    h->Navn = "Blakken";
    h->VektListe->LeggTil(weight, clock_.Today());
    return h;
  }
  static TFor& Add(TForListe& list, const RecordEnvironment& env, const std::string& name, int category,
                   double kg = 0, double dm = 85, bool picked = true) {
    TFor& f = list.AddFeed(std::make_unique<TFor>(env));
    f.Fornavn = name;
    f.Fortype = static_cast<uint8_t>(category);
    f.TildeltKg = kg;
    f.TorrStoff = dm;
    f.Valgt = picked;
    return f;
  }
  TFor& Feed(THest& h, const std::string& name, int category, double kg, double dm = 85) {
    return Add(*h.ForListe, env_, name, category, kg, dm);
  }
  std::unique_ptr<TForListe> List() { return std::make_unique<TForListe>(env_); }
  std::vector<std::string> Names(const TForListe& l) { return l.FeedNames(); }

  FixedClock clock_;
  TEnergyProteinObj active_;
  CountrySettings settings_;
  RecordEnvironment env_;
};

// ---- amounts

TEST_F(RationPageTest, SupplementsAreShownAndEnteredInGrams) {
  auto h = Horse(500);
  TFor& mineral = Feed(*h, "Mineral", 9, 0.125);
  EXPECT_TRUE(AmountInGrams(mineral));
  EXPECT_EQ(AmountUnit(mineral), "g");
  EXPECT_EQ(ShownAmountText(mineral, ','), "125");
  double kg = -1;
  ASSERT_EQ(ParseShownAmount("250", mineral, &kg), AmountInput::kOk);
  EXPECT_DOUBLE_EQ(kg, 0.25);
  mineral.TildeltKg = kg;
  StepAmount(mineral, true);
  EXPECT_NEAR(mineral.TildeltKg, 0.255, 1e-12);
  EXPECT_EQ(ShownAmountText(mineral, ','), "255");
  mineral.TildeltKg = 0.0125;
  EXPECT_EQ(ShownAmountText(mineral, ','), "12,5");

  TFor& oats = Feed(*h, "Havre", 8, 2);
  EXPECT_EQ(AmountUnit(oats), "kg");
  EXPECT_EQ(ShownAmountText(oats, ','), "2,00");
  ASSERT_EQ(ParseShownAmount(" 1,5 ", oats, &kg), AmountInput::kOk);
  EXPECT_DOUBLE_EQ(kg, 1.5);
}

TEST_F(RationPageTest, TypedAmountsThatAreNotAmountsAreRefused) {
  auto h = Horse(500);
  TFor& hay = Feed(*h, "H\xF8", 6, 8);
  double kg = 42;
  EXPECT_EQ(ParseShownAmount("otte", hay, &kg), AmountInput::kNotANumber);
  EXPECT_EQ(ParseShownAmount("", hay, &kg), AmountInput::kNotANumber);
  EXPECT_EQ(ParseShownAmount("1,5,2", hay, &kg), AmountInput::kNotANumber);
  EXPECT_EQ(ParseShownAmount("nan", hay, &kg), AmountInput::kNotANumber);
  EXPECT_EQ(ParseShownAmount("-0,25", hay, &kg), AmountInput::kNegative);
  EXPECT_EQ(ParseShownAmount("10000", hay, &kg), AmountInput::kTooLarge);
  EXPECT_EQ(kg, 42) << "a refused amount leaves the output alone";
  ASSERT_EQ(ParseShownAmount("9999,99", hay, &kg), AmountInput::kOk);
  EXPECT_DOUBLE_EQ(kg, 9999.99);
  ASSERT_EQ(ParseShownAmount("0", hay, &kg), AmountInput::kOk);
  EXPECT_EQ(kg, 0);
}

TEST_F(RationPageTest, StepsByCategoryNeverGoBelowZeroAndDoNotDrift) {
  auto h = Horse(500);
  TFor& oats = Feed(*h, "Havre", 7, 0.05);
  oats.Valgt = false;
  StepAmount(oats, false);
  EXPECT_EQ(oats.TildeltKg, 0) << "0.05 kg of concentrate stepped down becomes 0, not -0.05";
  EXPECT_TRUE(oats.Valgt) << "a stepped feed counts";
  for (int i = 0; i < 10; ++i) StepAmount(oats, true);
  EXPECT_EQ(oats.TildeltKg, 1.0) << "ten steps of 0.1 kg are exactly 1 kg";
  StepAmount(oats, false);
  EXPECT_NEAR(oats.TildeltKg, 0.9, 1e-12);

  TFor& hay = Feed(*h, "H\xF8", 6, 0.25);
  StepAmount(hay, false);
  EXPECT_EQ(hay.TildeltKg, 0) << "a step that leaves exactly 0 gives 0";
  StepAmount(hay, true);
  EXPECT_EQ(hay.TildeltKg, 0.25);
  TFor& mineral = Feed(*h, "Mineral", 4, 0.003);
  StepAmount(mineral, false);
  EXPECT_EQ(mineral.TildeltKg, 0);
  EXPECT_DOUBLE_EQ(AmountStep(mineral), 0.005);
  EXPECT_DOUBLE_EQ(AmountStep(*h->ForListe->FeedAt(0)), 0.1);
  EXPECT_DOUBLE_EQ(AmountStep(hay), 0.25);
  TFor& other = Feed(*h, "Andet", 5, 0);
  EXPECT_DOUBLE_EQ(AmountStep(other), 0.25);
}

TEST_F(RationPageTest, DecimalTextUsesTheSeparatorAndHasNoNegativeZero) {
  EXPECT_EQ(DecimalText(12.345, 2, ','), "12,35");
  EXPECT_EQ(DecimalText(-0.001, 2, ','), "0,00");
  EXPECT_EQ(DecimalText(-1.5, 1, '.'), "-1.5");
  EXPECT_EQ(DecimalText(42, 0, ','), "42");
}

// ---- selection

TEST_F(RationPageTest, SelectionTreeGroupsByCategoryAndProducerWithCounts) {
  auto list = List();
  Add(*list, env_, "H\xF8", 6, 0, 85, true).Brand = "GENERIC";
  Add(*list, env_, "Wrap", 6, 0, 55, false).Brand = "GENERIC";
  Add(*list, env_, "Havre", 8, 0, 87, true).Brand = "";
  Add(*list, env_, "M\xFCsli", 7, 0, 87, false).Brand = "Foder (DK)";
  Add(*list, env_, "Mineral", 9, 0, 97, true).Brand = "Foder (DK)";
  Add(*list, env_, "Blanding", 11, 0, 87, false).Brand = "";
  Add(*list, env_, "Gr\xE6s", 10, 0, 20, false).Brand = "GENERIC";
  Add(*list, env_, "Gulerod", 5, 0, 12, false).Brand = "";

  const SelectionTree tree = BuildSelectionTree(*list, settings_);
  EXPECT_EQ(tree.rootName, "foderliste");
  EXPECT_EQ(tree.selected, 3);
  ASSERT_EQ(tree.groups.size(), 5u);
  EXPECT_EQ(tree.groups[0].name, "T6");  // roughage, pasture included
  EXPECT_EQ(tree.groups[0].selected, 1);
  ASSERT_EQ(tree.groups[0].producers.size(), 1u);
  EXPECT_EQ(tree.groups[0].producers[0].feeds, (std::vector<int>{0, 1, 6}));
  // The generic brand mark is never shown as such: its node reads as the brandless one.
  EXPECT_EQ(tree.groups[0].producers[0].name, "Almindeligt FODER");
  EXPECT_EQ(tree.groups[1].name, "T7");  // concentrates 7 and 8
  ASSERT_EQ(tree.groups[1].producers.size(), 2u);
  EXPECT_EQ(tree.groups[1].producers[0].name, "Almindeligt FODER");
  EXPECT_EQ(tree.groups[1].producers[1].name, "Foder (DK)");
  EXPECT_EQ(tree.groups[2].name, "T9");
  EXPECT_EQ(tree.groups[3].name, "T11");
  EXPECT_EQ(tree.groups[4].name, "T5") << "category 5 gets a group named after itself";
  // A generic and a brandless feed of one group share the one node.
  auto mixed = List();
  Add(*mixed, env_, "Byg", 8, 0, 87, false).Brand = "GENERIC";
  Add(*mixed, env_, "Havre", 8, 0, 87, false).Brand = "";
  const SelectionTree one = BuildSelectionTree(*mixed, settings_);
  ASSERT_EQ(one.groups.size(), 1u);
  ASSERT_EQ(one.groups[0].producers.size(), 1u);
  EXPECT_EQ(one.groups[0].producers[0].name, "Almindeligt FODER");

  EXPECT_EQ(CountedText("Grovfoder", 2), "Grovfoder (2)");
  EXPECT_EQ(CountedText("Grovfoder", 0), "Grovfoder");
  EXPECT_EQ(StripCount("Grovfoder (2)"), "Grovfoder");
  EXPECT_EQ(StripCount("Foder (DK) (12)"), "Foder (DK)");
  EXPECT_EQ(StripCount("Foder (DK)"), "Foder (DK)") << "a bracket in a name is no count";
  EXPECT_EQ(StripCount("H\xF8"), "H\xF8");
}

TEST_F(RationPageTest, TogglingAFeedChangesTheRationAtOnceAndKeepsCategoryOrder) {
  auto h = Horse(500);
  auto stable = List();
  TFor& oats = Add(*stable, env_, "Havre", 8, 0, 87, false);
  TFor& hay = Add(*stable, env_, "H\xF8", 6, 0, 85, false);
  oats.SetValue(0, 0.9);

  EXPECT_TRUE(ToggleFeed(*stable, oats, *h->ForListe));
  EXPECT_TRUE(ToggleFeed(*stable, hay, *h->ForListe));
  EXPECT_EQ(Names(*h->ForListe), (std::vector<std::string>{"H\xF8", "Havre"}));
  EXPECT_NE(h->ForListe->FeedByName("Havre"), &oats) << "the ration holds a copy";
  EXPECT_DOUBLE_EQ(h->ForListe->FeedByName("Havre")->Value(0), 0.9);

  EXPECT_FALSE(ToggleFeed(*stable, oats, *h->ForListe));
  EXPECT_EQ(Names(*h->ForListe), (std::vector<std::string>{"H\xF8"}));
  // Selecting a feed whose name the ration already has adds nothing.
  hay.Valgt = false;
  EXPECT_TRUE(ToggleFeed(*stable, hay, *h->ForListe));
  EXPECT_EQ(h->ForListe->Count(), 1);
}

TEST_F(RationPageTest, EnteringTheTabMarksByNameAndOffersMissingFeeds) {
  auto h = Horse(500);
  auto stable = List();
  Add(*stable, env_, "H\xF8", 6, 0, 85, false);
  Add(*stable, env_, "Havre", 8, 0, 87, true);
  Feed(*h, "H\xF8", 6, 8);
  Feed(*h, "Gulerod", 5, 1);
  Feed(*h, "Wrap", 6, 3);

  MarkSelectionFromRation(*stable, *h->ForListe);
  EXPECT_TRUE(stable->FeedByName("H\xF8")->Valgt) << "same name counts as the same feed";
  EXPECT_FALSE(stable->FeedByName("Havre")->Valgt);

  const std::vector<std::string> missing = FlagFeedsMissingFrom(*h->ForListe, *stable);
  EXPECT_EQ(missing, (std::vector<std::string>{"Gulerod", "Wrap"}));
  EXPECT_FALSE(h->ForListe->FeedByName("H\xF8")->Valgt);
  EXPECT_EQ(MissingFeedsQuestion(missing),
            "Gulerod, Wrap, - Foderet savnes i staldens foderliste. Tag med foderet??");
  TakeOverFlaggedFeeds(*stable, *h->ForListe);
  EXPECT_EQ(Names(*stable), (std::vector<std::string>{"H\xF8", "Havre", "Gulerod", "Wrap"}));
}

TEST_F(RationPageTest, ConfirmingTheSelection) {
  auto h = Horse(500);
  auto stable = List();
  Add(*stable, env_, "H\xF8", 6, 0, 85, true);
  Add(*stable, env_, "Havre", 8, 5, 87, true);
  Add(*stable, env_, "Gr\xE6s", 10, 42, 20, true);
  Add(*stable, env_, "Byg", 8, 0, 87, false);
  Feed(*h, "Havre", 8, 2);
  Feed(*h, "Gr\xE6s", 10, 10, 20);
  Feed(*h, "Byg", 8, 1);
  Feed(*h, "Fremmed", 9, 0.1).Valgt = false;

  EXPECT_EQ(ConfirmSelection(*stable, *h->ForListe, false), SelectionResult::kClosed);
  EXPECT_EQ(Names(*h->ForListe), (std::vector<std::string>{"Gr\xE6s", "H\xF8", "Havre", "Fremmed"}))
      << "Byg left (not selected in the stable's list), the feed of another list stayed";
  EXPECT_DOUBLE_EQ(h->ForListe->FeedByName("Havre")->TildeltKg, 2) << "a feed keeps its amount";
  EXPECT_DOUBLE_EQ(h->ForListe->FeedByName("Gr\xE6s")->TildeltKg, 42) << "pasture takes the grazing amount";
  for (const auto& f : h->ForListe->Feeds()) EXPECT_TRUE(f->Valgt) << f->Fornavn;

  // In other-list mode the feeds of the list that are not selected there stay.
  Feed(*h, "Byg", 8, 1);
  stable->UnpickAll();
  EXPECT_EQ(ConfirmSelection(*stable, *h->ForListe, true), SelectionResult::kClosed);
  EXPECT_EQ(h->ForListe->Count(), 5);

  auto empty = Horse(500);
  EXPECT_EQ(ConfirmSelection(*stable, *empty->ForListe, false), SelectionResult::kEmptyRation);
  EXPECT_EQ(NoFeedWarning("Blakken"), "Blakken: Foder ikke valgt !");
  EXPECT_EQ(NoRoughageQuestion(*h, ','),
            "Grovfoder mangler i rationen!\nBlakken: Behov mindst4,50 kg t\xF8rstof /dag\n\nV\xE6lg grovfoder ?");
}

// ---- grazing

TEST_F(RationPageTest, GrazingPanelNeedsOnePastureFeed) {
  auto h = Horse(500);
  auto stable = List();
  EXPECT_FALSE(GrazingAllowed(nullptr, *h->ForListe));
  TFor& grass = Add(*stable, env_, "Gr\xE6s", 10, 0, 20, true);
  EXPECT_TRUE(GrazingAllowed(stable.get(), *h->ForListe));
  Add(*stable, env_, "Kl\xF8vergr\xE6s", 0, 0, 18, true);
  EXPECT_FALSE(GrazingAllowed(stable.get(), *h->ForListe)) << "two pastures in the selection";
  Feed(*h, "Gr\xE6s", 10, 10, 20);
  EXPECT_TRUE(GrazingAllowed(stable.get(), *h->ForListe)) << "the ration has one";

  EXPECT_EQ(GrazingChoice(1.0), 0);
  EXPECT_EQ(GrazingChoice(0.7), 1);
  EXPECT_EQ(GrazingChoice(0.5), 2);
  EXPECT_EQ(GrazingChoice(0.51), 1);
  EXPECT_DOUBLE_EQ(GrazingFactorOfChoice(1), 0.7);

  h->TimerBeiting = 10;
  h->Beiteinntaksfaktor = 1;
  stable->FeedByName("Kl\xF8vergr\xE6s")->Valgt = false;
  const GrazingLabels labels = UpdateGrazing(*h, stable.get(), ',');
  EXPECT_EQ(labels.dryMatter, "T\xF8rstof: 8,40 kg");
  EXPECT_EQ(labels.feed, "Gr\xE6s: 42,00 kg");
  EXPECT_NEAR(grass.TildeltKg, 42, 1e-9);

  grass.TorrStoff = 0;
  grass.TildeltKg = 7;
  EXPECT_EQ(UpdateGrazing(*h, stable.get(), ',').feed, "Gr\xE6s: 7,00 kg") << "no dry matter, no division";
  grass.Valgt = false;
  EXPECT_EQ(UpdateGrazing(*h, stable.get(), ',').dryMatter, "");
}

TEST_F(RationPageTest, GrazingCapKeepsTheDryMatterWithinTheMaximum) {
  auto h = Horse(500);
  h->TimerBeiting = 10;  // 8.4 kg grazing dry matter
  TFor& grass = Feed(*h, "Gr\xE6s", 10, 0, 20);
  TFor& hay = Feed(*h, "H\xF8", 6, 2, 85);     // 1.7 kg
  Feed(*h, "Havre", 8, 1, 87);                  // 0.87 kg
  ApplyGrazingCap(*h);
  EXPECT_DOUBLE_EQ(grass.TildeltKg, 42) << "room enough: the grazing amount";

  hay.TildeltKg = 10;  // 8.5 kg: 8.5 + 8.4 + 0.609 > 12.5
  ApplyGrazingCap(*h);
  EXPECT_NEAR(grass.TildeltKg, (12.5 - 8.5 - 0.7 * 0.87) * 100 / 20, 1e-9);

  hay.TildeltKg = 15;  // no room left at all
  ApplyGrazingCap(*h);
  EXPECT_EQ(grass.TildeltKg, 0);

  h->TimerBeiting = 0;  // not grazing: amounts stay
  grass.TildeltKg = 3;
  ApplyGrazingCap(*h);
  EXPECT_EQ(grass.TildeltKg, 3);

  h->TimerBeiting = 10;
  grass.TorrStoff = 0;  // a pasture without dry matter cannot be capped
  ApplyGrazingCap(*h);
  EXPECT_EQ(grass.TildeltKg, 3);
}

// ---- profile

TEST_F(RationPageTest, DryMatterProfileTextVerdictAndPie) {
  auto h = Horse(500);
  Feed(*h, "H\xF8", 6, 10, 80).Pris = 2;   // 8 kg dm
  Feed(*h, "Havre", 8, 2, 100).Pris = 3;   // 2 kg dm
  Feed(*h, "Ikke valgt", 8, 5, 100).Valgt = false;
  const DryMatterProfile p = ComputeProfile(*h);
  EXPECT_DOUBLE_EQ(p.dailyPrice, 26);
  EXPECT_DOUBLE_EQ(p.total, 10);
  EXPECT_DOUBLE_EQ(p.RoughageShare(), 80);
  EXPECT_EQ(p.verdict, RoughageVerdict::Acceptable);
  EXPECT_EQ(ProfileText(p, env_.regional),
            "foderomkostninger  26,00 kr/dag\n10,00 kg T\xF8rstof i rationen. \nGrovfoder 80 % - Fordeling, % av t\xF8rrstoff");
  const std::vector<PieSlice> slices = PieSlices(p);
  ASSERT_EQ(slices.size(), 2u);
  EXPECT_EQ(slices[0].label, "Grovfoder");
  EXPECT_EQ(slices[0].colour, colours::kGreen);
  EXPECT_DOUBLE_EQ(slices[1].percent, 20);
  EXPECT_EQ(slices[1].label, "Kraftfoder, korn");

  // A supplement share above 0.05 % gets its slice; a concentrate share of 0.1 % does not.
  DryMatterProfile q;
  q.total = 1000;
  q.roughage = 998;
  q.concentrate = 1;
  q.supplement = 0.6;
  const std::vector<PieSlice> small = PieSlices(q);
  ASSERT_EQ(small.size(), 2u);
  EXPECT_EQ(small[1].label, "Tilskudsfoder");
  EXPECT_EQ(small[1].colour, colours::kBlue);

  // Roughage dry matter exactly at the maximum intake is acceptable.
  auto exact = Horse(500);
  Feed(*exact, "H\xF8", 6, 12.5, 100);
  EXPECT_EQ(ComputeProfile(*exact).verdict, RoughageVerdict::Acceptable);
  EXPECT_EQ(VerdictText(RoughageVerdict::Acceptable), "Grovfoderm\xE6ngde acceptabel");
  EXPECT_FALSE(VerdictIsWarning(RoughageVerdict::Acceptable));
  EXPECT_TRUE(VerdictIsWarning(RoughageVerdict::TooMuchFeed));

  // Feeds without dry matter: no division by zero, no slices, no text.
  auto dry = Horse(500);
  Feed(*dry, "Vand", 5, 3, 0);
  const DryMatterProfile d = ComputeProfile(*dry);
  EXPECT_EQ(d.RoughageShare(), 0);
  EXPECT_TRUE(PieSlices(d).empty());
  EXPECT_EQ(ProfileText(d, env_.regional), "");
}

// ---- feeding plan page

TEST_F(RationPageTest, PriceLinesRowsAndTheLocalPriceNotice) {
  const PriceLine none = FeedPlanPriceLine(0, env_.regional);
  EXPECT_EQ(none.text, "foderomkostninger ikke beregnet");
  EXPECT_FALSE(none.red);
  const PriceLine line = FeedPlanPriceLine(10.5, env_.regional);
  EXPECT_EQ(line.text, "foderomkostninger 10,50 kr/dag.  (73,50 kr/uge,  315,00 kr/mdr)");
  EXPECT_TRUE(line.red);

  auto h = Horse(500);
  Feed(*h, "Mineral", 9, 0.05).Pris = 20;
  Feed(*h, "H\xF8", 6, 8.26);
  const std::vector<RationRow> rows = RationRows(*h->ForListe, ',');
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].feed, "50,0  g  Mineral");
  EXPECT_EQ(rows[0].pricePerDay, "1,00");
  EXPECT_EQ(rows[0].pricePerKg, "20,00");
  EXPECT_EQ(rows[1].feed, "8,3 kg  H\xF8");
  EXPECT_EQ(rows[1].pricePerDay, "0");

  EXPECT_EQ(ParsePrice("3,456"), 3.46);
  EXPECT_FALSE(ParsePrice("-1"));
  EXPECT_FALSE(ParsePrice("gratis"));
  EXPECT_EQ(LocalPriceNotice("Blakken"),
            "Du har nu \xE6ndret prisen lokalt hos \"Blakken\".\nBenyt staldens foderliste til at \xE6ndre prisen for "
            "alle hestene i stalden!");
  EXPECT_EQ(ConditionText("Vedligehold", 512.4), "Vedligehold\nV\xE6gtdata 512 kg");
}

TEST_F(RationPageTest, NutrientListSkipsTheRatioAndShowsPercentOnlyWithARequirement) {
  auto h = Horse(500);
  h->Behov[0] = 50;
  h->Tilforsel[0] = 45;
  h->Behov[7] = 0;
  h->UtenforOmrade[7] = true;
  const std::vector<NutrientLine> lines = NutrientLines(*h, settings_);
  ASSERT_EQ(lines.size(), 23u);
  EXPECT_EQ(lines[0].text, "N0  (90%)");
  EXPECT_EQ(lines[5].nutrient, 5);
  EXPECT_EQ(lines[6].nutrient, 7);
  EXPECT_EQ(lines[6].text, "N7  ");
  EXPECT_TRUE(lines[6].flagged);
  EXPECT_EQ(lines[22].nutrient, 23);
  EXPECT_EQ(NutrientOfLine(6), 7);
}

TEST_F(RationPageTest, NutrientInformationPage) {
  auto h = Horse(500);
  TFor& a = Feed(*h, "H\xF8", 6, 8);
  TFor& b = Feed(*h, "Mineral", 9, 0.1);
  a.SetValue(3, 2.5);   // 20 g
  b.SetValue(3, 50);    // 5 g
  h->Behov[3] = 50;
  h->Tilforsel[3] = 25;
  h->Differanse[3] = -25;
  h->UtenforOmrade[3] = true;
  const std::string advice = "+N3\n#Mindre\n-N3\n#Giv mere\nkridt.\n#Og mere\n+N4\n#X\n";
  ASSERT_TRUE(NeedsAdvice(*h, 3));
  const std::string page = NutrientInfoPage(*h, 3, settings_, advice, ',');
  EXPECT_NE(page.find("Behov: 50,0 g"), std::string::npos);
  EXPECT_NE(page.find("Bidrag til rationen"), std::string::npos);
  EXPECT_NE(page.find("25,0 g (50%)"), std::string::npos);
  EXPECT_NE(page.find("<td Align=\"center\">100 g</td>"), std::string::npos) << "supplement amount in grams";
  EXPECT_NE(page.find("<td Align=\"center\">20,0 g</td><td Align=\"center\">80 %</td>"), std::string::npos);
  EXPECT_NE(page.find("For lidt N3"), std::string::npos);
  EXPECT_NE(page.find("<br>Giv mere kridt.<br>Og mere"), std::string::npos);
  EXPECT_EQ(page.find("Mindre"), std::string::npos);
  EXPECT_EQ(page.substr(page.size() - 21), "</font></body></html>");

  h->UtenforOmrade[3] = false;
  EXPECT_NE(NutrientInfoPage(*h, 3, settings_, "", ',').find("N\xE6ringsstoftilf\xF8rsel indenfor optimalomr\xE5" "det"),
            std::string::npos);
  h->Tilforsel[3] = 0;
  EXPECT_NE(NutrientInfoPage(*h, 3, settings_, "", ',').find("N3:Nedre forindtagelse er usikker"), std::string::npos);
  h->Behov[3] = 0;
  const std::string notSet = NutrientInfoPage(*h, 3, settings_, "", ',');
  EXPECT_NE(notSet.find("N3: Behov ikke fastsat"), std::string::npos);
  EXPECT_EQ(notSet.find("%)"), std::string::npos) << "no percentage without a requirement";

  const std::string more = MoreNutrientsPage("x\nBTEXT.MORENUTR\nLinje 1\nLinje 2\nETEXT.MORENUTR\ny\n");
  EXPECT_NE(more.find("Info om andre n\xE6ringsstoffer"), std::string::npos);
  EXPECT_NE(more.find("<br>Linje 1<br>Linje 2"), std::string::npos);
}

// ---- visibility

TEST_F(RationPageTest, PagesShownFollowTheRation) {
  auto h = Horse(500);
  RationPageVisibility v = PageVisibility(*h->ForListe, 4);
  EXPECT_FALSE(v.amounts);
  TFor& grass = Feed(*h, "Gr\xE6s", 10, 0, 20);
  v = PageVisibility(*h->ForListe, 4);
  EXPECT_TRUE(v.amounts);
  EXPECT_FALSE(v.feedPlan) << "feeds but 0 kg";
  EXPECT_FALSE(v.analysis);
  EXPECT_FALSE(v.mealSheet);
  grass.TildeltKg = 30;
  v = PageVisibility(*h->ForListe, 4);
  EXPECT_TRUE(v.feedPlan);
  EXPECT_TRUE(v.analysis);
  EXPECT_FALSE(v.mealSheet) << "only pasture";
  Feed(*h, "H\xF8", 6, 0);
  EXPECT_TRUE(PageVisibility(*h->ForListe, 4).mealSheet);
  EXPECT_FALSE(PageVisibility(*h->ForListe, 0).mealSheet) << "a stable without feeding times";
}

// ---- meal sheet

TEST_F(RationPageTest, MealSheetTakesOverTheStablesTimesAndRebuildsFromTheLines) {
  auto h = Horse(500);
  TFor& hay = Feed(*h, "H\xF8", 6, 6);
  hay.Fordeling = {"2,5", "x"};
  TFor& mineral = Feed(*h, "Mineral", 9, 0.1);
  h->HestNoMeals = 2;
  h->HFTider = {"25200", "61200"};

  EXPECT_FALSE(PrepareMealSheet(*h, 2, {"1", "2"}, ','));
  EXPECT_DOUBLE_EQ(hay.MealKg[0], 2.5);
  EXPECT_EQ(hay.MealKg[1], 0) << "an unreadable line counts as 0";
  EXPECT_DOUBLE_EQ(hay.UndistributedRemainder, 3.5);
  EXPECT_EQ(mineral.Fordeling, (StringList{"0", "0"})) << "a line per meal";
  EXPECT_EQ(MealTimeTexts(*h), (std::vector<std::string>{"07:00", "17:00"}));

  // Another number of meals in the stable: its times, every split starts over.
  EXPECT_TRUE(PrepareMealSheet(*h, 3, {"25200", "0", "68400"}, ','));
  EXPECT_EQ(h->HestNoMeals, 3);
  EXPECT_EQ(hay.Fordeling, (StringList{"0", "0", "0"}));
  EXPECT_DOUBLE_EQ(hay.UndistributedRemainder, 6);
  EXPECT_EQ(MealTimeTexts(*h), (std::vector<std::string>{"07:00", "", "19:00"}));
  EXPECT_EQ(MealHeader(0), "fodring 1");
}

TEST_F(RationPageTest, MealsThatAddUpToMoreThanTheDayAreCut) {
  auto h = Horse(500);
  TFor& hay = Feed(*h, "H\xF8", 6, 5);
  h->HestNoMeals = 3;
  hay.Fordeling = {"3,00", "2,00", "1,50"};  // 6.5 kg of a 5 kg day
  EXPECT_TRUE(PrepareMealSheet(*h, 3, {}, ','));
  EXPECT_DOUBLE_EQ(hay.MealKg[0], 3);
  EXPECT_DOUBLE_EQ(hay.MealKg[1], 2);
  EXPECT_EQ(hay.MealKg[2], 0);
  EXPECT_EQ(hay.Fordeling[2], "  0,00");
  EXPECT_EQ(hay.UndistributedRemainder, 0);
}

TEST_F(RationPageTest, EditingStepsAndSharingMeals) {
  auto h = Horse(500);
  TFor& hay = Feed(*h, "H\xF8", 6, 1.5);
  h->HestNoMeals = 3;
  PrepareMealSheet(*h, 3, {}, ',');

  SetMealAmount(hay, 1, 2.0, 3, ',');
  EXPECT_DOUBLE_EQ(hay.MealKg[1], 1.5) << "a meal above the day is cut to the day";
  EXPECT_EQ(hay.UndistributedRemainder, 0);
  EXPECT_EQ(hay.Fordeling[1], "  1,50");

  ResetMeals(hay, 3, ',');
  EXPECT_DOUBLE_EQ(hay.UndistributedRemainder, 1.5);
  DistributeEvenly(hay, 3, ',');
  for (int i = 0; i < 3; ++i) EXPECT_DOUBLE_EQ(hay.MealKg[static_cast<size_t>(i)], 0.5);
  EXPECT_EQ(hay.UndistributedRemainder, 0);

  hay.TildeltKg = 1;
  ResetMeals(hay, 3, ',');
  DistributeEvenly(hay, 3, ',');
  EXPECT_EQ(hay.Fordeling, (StringList{"  0,33", "  0,33", "  0,34"})) << "the split adds up to the day";
  // Read back from the lines, the meals still add up.
  PrepareMealSheet(*h, 3, {}, ',');
  EXPECT_EQ(hay.UndistributedRemainder, 0);

  ResetMeals(hay, 3, ',');
  StepMeal(hay, 0, true, 3, ',');
  EXPECT_DOUBLE_EQ(hay.MealKg[0], 0.25);
  EXPECT_DOUBLE_EQ(hay.UndistributedRemainder, 0.75);
  GiveRest(hay, 2, 3, ',');
  EXPECT_DOUBLE_EQ(hay.MealKg[2], 0.75);
  EXPECT_EQ(hay.UndistributedRemainder, 0);
  StepMeal(hay, 1, true, 3, ',');
  EXPECT_EQ(hay.MealKg[1], 0) << "nothing left to move";
  StepMeal(hay, 0, false, 3, ',');
  StepMeal(hay, 0, false, 3, ',');
  EXPECT_EQ(hay.MealKg[0], 0) << "a step down never leaves less than 0";
  EXPECT_DOUBLE_EQ(hay.UndistributedRemainder, 0.25);
  EXPECT_EQ(UndistributedText(hay, ','), "0,250 kg");
  EXPECT_EQ(MealCellText(hay, 2, ','), "0,75");
  EXPECT_EQ(MealCellText(hay, 0, ','), "");
}

TEST_F(RationPageTest, SupplementMealsKeepTenthsOfAGram) {
  auto h = Horse(500);
  TFor& mineral = Feed(*h, "Mineral", 9, 0.1);
  h->HestNoMeals = 2;
  PrepareMealSheet(*h, 2, {}, ',');
  const std::optional<double> kg = ParseMealCell("12,5", mineral);
  ASSERT_TRUE(kg);
  SetMealAmount(mineral, 0, *kg, 2, ',');
  EXPECT_EQ(MealCellText(mineral, 0, ','), "12,5");
  EXPECT_EQ(UndistributedText(mineral, ','), "88 g");
  StepMeal(mineral, 1, true, 2, ',');
  EXPECT_EQ(MealCellText(mineral, 1, ','), "5");
  // What the lines hold reads back to the same grams.
  PrepareMealSheet(*h, 2, {}, ',');
  EXPECT_NEAR(mineral.MealKg[0], 0.0125, 1e-12);
  EXPECT_NEAR(mineral.MealKg[1], 0.005, 1e-12);
  EXPECT_NEAR(mineral.UndistributedRemainder, 0.0825, 1e-12);

  EXPECT_FALSE(ParseMealCell("-1", mineral));
  EXPECT_FALSE(ParseMealCell("lidt", mineral));
  EXPECT_EQ(ParseMealCell("", mineral), 0.0);
}

}  // namespace
}  // namespace stallora
