#include "forms/ration_page.h"

#include <algorithm>
#include <cmath>

#include <fmt/format.h>

#include "core/html_report.h"
#include "core/textutil.h"
#include "feeds/guarantee.h"
#include "nutrition/report_common.h"
#include "ration/horse_reports.h"
#include "ration/ration_amounts.h"

namespace stallora {
namespace {

double Snap(double v, double resolution) { return std::nearbyint(v / resolution) * resolution; }


// A number without trailing zeros after the separator (and without the separator when
// nothing follows it).
std::string TrimmedDecimal(double value, int decimals, char sep) {
  std::string s = DecimalText(value, decimals, sep);
  if (s.find(sep) == std::string::npos) return s;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == sep) s.pop_back();
  return s;
}

bool HasFeedNamed(const TForListe& list, const std::string& name) { return list.FeedByName(name) != nullptr; }

bool HasSelectedFeedNamed(const TForListe& list, const std::string& name) {
  for (const auto& f : list.Feeds())
    if (f->Valgt && f->Fornavn == name) return true;
  return false;
}

}  // namespace

// ---- numbers

// ---- amounts

std::string ShownAmountText(const TFor& f, char separator) {
  if (AmountInGrams(f)) return TrimmedDecimal(ShownAmount(f), 2, separator);
  return DecimalText(f.TildeltKg, 2, separator);
}

AmountInput ParseShownAmount(std::string_view text, const TFor& f, double* kg) {
  const std::optional<double> v = ReadDecimal(text);
  if (!v) return AmountInput::kNotANumber;
  if (*v < 0) return AmountInput::kNegative;
  if (*v >= 10000) return AmountInput::kTooLarge;
  // The field takes two decimals in the unit shown.
  const double shown = Snap(*v, 0.01);
  if (kg) *kg = AmountInGrams(f) ? shown / 1000 : shown;
  return AmountInput::kOk;
}

// ---- selection

int SelectionGroupCategory(int category) {
  if (IsRoughageCategory(category)) return 6;
  if (IsConcentrateCategory(category)) return 7;
  if (IsSupplementCategory(category)) return 9;
  if (IsGroup11Category(category)) return 11;
  return 5;
}

std::string CountedText(std::string_view name, int count) {
  if (count <= 0) return std::string(name);
  return std::string(name) + " (" + std::to_string(count) + ")";
}

std::string StripCount(std::string_view text) {
  // Only a trailing " (n)" is a count: producer names such as "Foder (DK)" keep their
  // brackets.
  if (text.size() < 4 || text.back() != ')') return std::string(text);
  const size_t open = text.rfind(" (");
  if (open == std::string_view::npos) return std::string(text);
  const std::string_view digits = text.substr(open + 2, text.size() - open - 3);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return std::string(text);
  return std::string(text.substr(0, open));
}

SelectionTree BuildSelectionTree(const TForListe& list, const CountrySettings& settings) {
  SelectionTree tree;
  tree.rootName = Tr(kFoderliste);
  for (int i = 0; i < list.Count(); ++i) {
    const TFor& f = *list.FeedAt(i);
    const int groupCategory = SelectionGroupCategory(f.Fortype);
    const std::string groupName = settings.feedTypeNames[static_cast<size_t>(groupCategory)];
    auto group = std::find_if(tree.groups.begin(), tree.groups.end(),
                              [&](const SelectionTree::Group& g) { return g.name == groupName; });
    if (group == tree.groups.end()) {
      tree.groups.push_back({groupName, {}, 0});
      group = tree.groups.end() - 1;
    }
    // The generic brand mark and no brand at all are one node, named as the windows name it.
    const std::string producerName = f.Brand.empty() ? Tr(kAlmindeligtFoder) : BrandDisplayText(f.Brand);
    auto producer = std::find_if(group->producers.begin(), group->producers.end(),
                                 [&](const SelectionTree::Producer& p) { return p.name == producerName; });
    if (producer == group->producers.end()) {
      group->producers.push_back({producerName, {}, 0});
      producer = group->producers.end() - 1;
    }
    producer->feeds.push_back(i);
    if (f.Valgt) {
      ++producer->selected;
      ++group->selected;
      ++tree.selected;
    }
  }
  return tree;
}

void MarkSelectionFromRation(TForListe& selection, const TForListe& ration) {
  selection.UnpickAll();
  for (const auto& f : selection.Feeds())
    if (HasSelectedFeedNamed(ration, f->Fornavn)) f->Valgt = true;
}

std::vector<std::string> FlagFeedsMissingFrom(TForListe& ration, const TForListe& selection) {
  ration.UnpickAll();
  std::vector<std::string> names;
  for (const auto& f : ration.Feeds()) {
    if (HasFeedNamed(selection, f->Fornavn)) continue;
    f->Valgt = true;
    names.push_back(f->Fornavn);
  }
  return names;
}

std::string MissingFeedsQuestion(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& n : names) text += n + ", ";
  return text + "- " + Tr(kRpFoderetSavnes) + ". " + Tr(kRpTagMed) + "?";
}

void TakeOverFlaggedFeeds(TForListe& selection, const TForListe& ration) {
  for (const auto& f : ration.Feeds())
    if (f->Valgt) selection.AddFeedFrom(f->Clone(), &ration);
}

bool ToggleFeed(TForListe& selection, TFor& feed, TForListe& ration) {
  feed.Valgt = !feed.Valgt;
  if (!feed.Valgt) {
    if (TFor* r = ration.FeedByName(feed.Fornavn)) ration.RemoveFeed(r);
  } else if (!ration.FeedByName(feed.Fornavn)) {
    ration.AddFeedFrom(feed.Clone(), &selection);
  }
  ration.SortByCategory();
  return feed.Valgt;
}

SelectionResult ConfirmSelection(TForListe& selection, TForListe& ration, bool otherListMode) {
  for (const auto& s : selection.Feeds()) {
    if (!s->Valgt) continue;
    TFor* r = ration.FeedByName(s->Fornavn);
    if (r) {
      if (IsGrazingCategory(s->Fortype)) r->TildeltKg = s->TildeltKg;
    } else {
      r = &ration.AddFeedFrom(s->Clone(), &selection);
    }
    r->Valgt = true;
  }
  for (const auto& r : ration.Feeds())
    if (!HasFeedNamed(selection, r->Fornavn)) r->Valgt = true;
  if (!otherListMode) {
    std::vector<const TFor*> gone;
    for (const auto& r : ration.Feeds())
      if (HasFeedNamed(selection, r->Fornavn) && !HasSelectedFeedNamed(selection, r->Fornavn)) gone.push_back(r.get());
    for (const TFor* f : gone) ration.RemoveFeed(f);
  }
  ration.SortByCategory();
  return ration.Count() == 0 ? SelectionResult::kEmptyRation : SelectionResult::kClosed;
}

std::string NoFeedWarning(std::string_view horseName) {
  return std::string(horseName) + ": " + Tr(kRpFoderIkkeValgt) + " !";
}

std::string NoRoughageQuestion(const THest& h, char separator) {
  return Tr(kRpGrovfoderMangler) + "\n" + h.Navn + ": " + Tr(kRpBehov) + " " + FirstLetterLower(Tr(kRpMindst)) +
         DecimalText(MinGrovfor(h), 2, separator) + " kg " + Tr(kRpTorstofLower) + " " + Tr(kDag) + "\n\n" +
         Tr(kRpVaelg) + " " + FirstLetterLower(Tr(kRpGrovfoder)) + " ?";
}

// ---- grazing

bool GrazingAllowed(const TForListe* selection, const TForListe& ration) {
  const int inSelection = selection ? selection->PickedGrazingCount() : 0;
  return !(inSelection != 1 && ration.PickedGrazingCount() == 0);
}

int GrazingChoice(double factor) {
  if (factor == 1) return 0;
  if (factor > 0.5) return 1;
  return 2;
}

double GrazingFactorOfChoice(int choice) {
  switch (choice) {
    case 0:
      return 1.0;
    case 1:
      return 0.7;
    default:
      return 0.5;
  }
}

GrazingLabels UpdateGrazing(THest& h, TForListe* selection, char separator) {
  TFor* pasture = nullptr;
  if (selection)
    for (const auto& f : selection->Feeds())
      if (f->Valgt && IsGrazingCategory(f->Fortype)) pasture = f.get();
  if (!pasture) return {};
  const double dryMatter = BeiteTorrstoff(h);
  // A pasture feed without dry matter cannot carry an intake; it keeps its amount.
  if (pasture->TorrStoff > 0) pasture->TildeltKg = dryMatter * 100 / pasture->TorrStoff;
  return {Tr(kTorstof) + ": " + DecimalText(dryMatter, 2, separator) + " kg",
          pasture->Fornavn + ": " + DecimalText(pasture->TildeltKg, 2, separator) + " kg"};
}

// ---- profile

DryMatterProfile ComputeProfile(const THest& h) {
  const TForListe& ration = *h.ForListe;
  DryMatterProfile p;
  p.dailyPrice = ration.TotalPrice();
  p.total = ration.Supply(25);
  p.roughage = ration.Supply(24);
  p.concentrate = ration.ConcentrateDryMatter();
  p.supplement = ration.SupplementDryMatter();
  p.verdict = GrovforVurdering(h);
  return p;
}

std::string ProfileText(const DryMatterProfile& p, const Regional& regional) {
  const char sep = regional.decimalSeparator;
  std::string text;
  if (p.dailyPrice != 0)
    text += Tr(kFoderomkostninger) + FormatMoneyFixed(6, 2, p.dailyPrice, sep) + " " + regional.currencySymbol + Tr(kDag) +
            "\n";
  if (p.total > 0)
    text += DecimalText(p.total, 2, sep) + " kg " + Tr(kTorstof) + " " + Tr(kRpIRationen) + ". " + "\n" +
            // The share and its caption read apart ("Grovfoder 81 % - Fordeling, ..."); run
            // together as "81Fordeling" they look like a fault.
            Tr(kRpGrovfoder) + " " + DecimalText(p.RoughageShare(), 0, sep) + " % - " + Tr(kRpFordelingPct);
  return text;
}

std::string VerdictText(RoughageVerdict v) {
  switch (v) {
    case RoughageVerdict::TooLittleRoughage:
      return Tr(kTooLittleRoughage);
    case RoughageVerdict::Acceptable:
      return Tr(kRoughageAcceptable);
    default:
      return Tr(kTooMuchFeed);
  }
}

bool VerdictIsWarning(RoughageVerdict v) { return v != RoughageVerdict::Acceptable; }

std::vector<PieSlice> PieSlices(const DryMatterProfile& p) {
  std::vector<PieSlice> slices;
  if (p.total <= 0) return slices;
  slices.push_back({Tr(kRpGrovfoder), p.RoughageShare(), colours::kGreen});
  if (p.ConcentrateShare() > 0.1)
    slices.push_back({Tr(kRpKraftfoder) + ", " + Tr(kRpKorn), p.ConcentrateShare(), colours::kYellow});
  if (p.SupplementShare() > 0.05) slices.push_back({Tr(kRpTilskudsfoder), p.SupplementShare(), colours::kBlue});
  return slices;
}

// ---- feeding plan page

PriceLine FeedPlanPriceLine(double daily, const Regional& regional) {
  const char sep = regional.decimalSeparator;
  const std::string& cur = regional.currencySymbol;
  if (daily == 0) return {Tr(kFoderomkostninger) + " " + Tr(kIkkeBeregnet), false};
  return {Tr(kFoderomkostninger) + " " + FormatMoney(daily, 2, sep) + " " + cur + Tr(kDag) + ".  (" +
              FormatMoney(7 * daily, 2, sep) + " " + cur + "/" + Tr(kRpUge) + ",  " + FormatMoney(30 * daily, 2, sep) +
              " " + cur + "/" + Tr(kRpMdr) + ")",
          true};
}

std::string ConditionText(const std::string& conditionLine, double weight) {
  return conditionLine + "\n" + Tr(kRpVaegtdata) + " " + DecimalText(weight, 0, '.') + " kg";
}

std::vector<RationRow> RationRows(const TForListe& ration, char sep) {
  std::vector<RationRow> rows;
  for (const auto& f : ration.Feeds()) {
    RationRow row;
    row.feed = AmountInGrams(*f) ? DecimalText(f->TildeltKg * 1000, 1, sep) + "  g"
                                 : DecimalText(f->TildeltKg, 1, sep) + " kg";
    row.feed += "  " + f->Fornavn;
    row.pricePerDay = f->Pris == 0 ? "0" : FormatMoney(f->Pris * f->TildeltKg, 2, sep);
    row.pricePerKg = FormatMoney(f->Pris, 2, sep);
    rows.push_back(std::move(row));
  }
  return rows;
}

std::optional<double> ParsePrice(std::string_view text) {
  const std::optional<double> v = ReadDecimal(text);
  if (!v || *v < 0 || *v >= 1e7) return std::nullopt;
  return Snap(*v, 0.01);
}

std::string LocalPriceNotice(std::string_view horseName) {
  return Tr(kRpPrisLokalt) + " \"" + std::string(horseName) + "\".\n" + Tr(kRpBenytStald) + "!";
}

int NutrientOfLine(int line) { return line < 6 ? line : line + 1; }

std::vector<NutrientLine> NutrientLines(const THest& h, const CountrySettings& settings) {
  std::vector<NutrientLine> lines;
  for (int n = 0; n < kNutrientCount - 1; ++n) {
    const int i = NutrientOfLine(n);
    const double need = h.Behov[static_cast<size_t>(i)];
    std::string text = settings.NutrientName(i) + "  ";
    if (need != 0) text += "(" + DecimalText(h.Tilforsel[static_cast<size_t>(i)] * 100 / need, 0, '.') + "%)";
    lines.push_back({i, std::move(text), h.UtenforOmrade[static_cast<size_t>(i)]});
  }
  return lines;
}

bool NeedsAdvice(const THest& h, int nutrient) { return h.UtenforOmrade[static_cast<size_t>(nutrient)]; }

std::string NutrientInfoPage(const THest& h, int i, const CountrySettings& settings, std::string_view advice,
                             char sep) {
  const size_t k = static_cast<size_t>(i);
  const std::string& name = settings.NutrientName(i);
  const std::string& unit = settings.NutrientUnit(i);
  const int precision = settings.nutrients[k].precision;
  const double need = h.Behov[k];
  const double supply = h.Tilforsel[k];

  std::string page = SimplePageHead();
  page += TitleBlockWithRule(HtmlEscape(name), Tr(kRpBehov) + ": " + DecimalText(need, precision, sep) + " " + unit);
  page += TableFrameStart();
  page += HeaderRowStart();
  page += "<th colspan=\"2\" align=\"left\">" + Tr(kRpBidragTilRationen) + "</th>";
  page += "<th align=\"center\">" + Tr(kRpIRationenHeader) + "</th>";
  std::string total = DecimalText(supply, precision, sep) + " " + unit;
  if (need != 0) total += " (" + DecimalText(supply * 100 / need, 0, sep) + "%)";
  page += "<th align=\"center\">" + total + "</th>";
  page += RowEnd();
  for (const auto& f : h.ForListe->Feeds()) {
    const std::string amount = IsSupplementCategory(f->Fortype) ? DecimalText(f->TildeltKg * 1000, 0, sep) + " g"
                                                                : DecimalText(f->TildeltKg, 2, sep) + " kg";
    const double part = f->Value(i) * f->TildeltKg;
    page += "<tr bgcolor=\"#FFFFFF\"><td Align=\"left\">" + HtmlEscape(f->Fornavn) + "</td>";
    page += "<td Align=\"center\">" + amount + "</td>";
    page += "<td Align=\"center\">" + DecimalText(part, precision, sep) + " " + unit + "</td>";
    page += "<td Align=\"center\">" + (supply != 0 ? DecimalText(part * 100 / supply, 0, sep) + " %" : std::string()) +
            "</td></tr>";
  }
  page += TableFrameEnd();
  page += "<br><font size=\"2\" face=\"Arial\"><strong>";
  if (h.UtenforOmrade[k]) {
    const bool tooMuch = h.Differanse[k] > 0;
    page += (tooMuch ? Tr(kRpForMeget) : Tr(kRpForLidt)) + " " + HtmlEscape(name) + "</strong>";
    const std::vector<std::string> paragraphs = AdviceParagraphs(advice, std::string(tooMuch ? "+" : "-") + name);
    for (const std::string& p : paragraphs) page += "<br>" + p;
  } else if (need != 0) {
    page += (supply != 0 ? Tr(kRpIndenforOptimal) : HtmlEscape(name) + ":" + Tr(kRpUsikker)) + "</strong>";
  } else {
    page += HtmlEscape(name) + ": " + Tr(kRpBehov) + " " + Tr(kRpIkkeFastsat) + "</strong>";
  }
  page += "</font></body></html>";
  return page;
}

std::string MoreNutrientsPage(std::string_view advice) {
  std::string page = SimplePageHead();
  page += TitleBlockWithRule(Tr(kRpAndreStoffer), "");
  page += "<font size=\"2\" face=\"Arial\">";
  for (const std::string& line : MoreNutrientsLines(advice)) page += "<br>" + line;
  page += "</font></body></html>";
  return page;
}

// ---- visibility

RationPageVisibility PageVisibility(const TForListe& ration, int stableMeals) {
  RationPageVisibility v;
  v.amounts = ration.Count() > 0;
  v.feedPlan = v.amounts && ration.TotalKg() > 0;
  v.analysis = v.feedPlan;
  bool nonPasture = false;
  for (const auto& f : ration.Feeds())
    if (!IsGrazingCategory(f->Fortype)) nonPasture = true;
  v.mealSheet = v.feedPlan && nonPasture && stableMeals > 0;
  return v;
}

// ---- meal sheet

std::vector<std::string> MealTimeTexts(const THest& h) {
  std::vector<std::string> out;
  const int meals = SheetMeals(h);
  for (int i = 0; i < meals; ++i) {
    const std::string line = i < static_cast<int>(h.HFTider.size()) ? Trim(h.HFTider[static_cast<size_t>(i)]) : "";
    out.push_back(line == "0" ? std::string() : FeedingTimeText(line, "hh:nn"));
  }
  return out;
}

std::string MealHeader(int meal) { return Tr(kRpFodring) + " " + std::to_string(meal + 1); }

std::string UndistributedText(const TFor& f, char sep) {
  if (AmountInGrams(f)) return DecimalText(f.UndistributedRemainder * 1000, 0, sep) + " g";
  return DecimalText(f.UndistributedRemainder, 3, sep) + " kg";
}

std::string MealCellText(const TFor& f, int meal, char sep) {
  if (meal < 0 || meal >= kMaxMeals) return {};
  const double kg = f.MealKg[static_cast<size_t>(meal)];
  if (kg <= 0) return {};
  return AmountInGrams(f) ? TrimmedDecimal(kg * 1000, 1, sep) : DecimalText(kg, 2, sep);
}

std::optional<double> ParseMealCell(std::string_view text, const TFor& f) {
  if (Trim(text).empty()) return 0.0;
  const std::optional<double> v = ReadDecimal(text);
  if (!v || *v < 0 || *v >= 1e6) return std::nullopt;
  return AmountInGrams(f) ? *v / 1000 : *v;
}

}  // namespace stallora
