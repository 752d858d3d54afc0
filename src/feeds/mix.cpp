#include "feeds/mix.h"

#include <algorithm>

#include "core/html_report.h"
#include "core/textutil.h"

namespace stallora {

std::string MixPriceLabel(const TForListe& mix) {
  const double total = mix.TotalKg();
  const double price = mix.TotalPrice();
  if (!(total > 0 && price > 0)) return "*";
  const RecordEnvironment& env = *mix.env;
  const char sep = env.regional.decimalSeparator;
  const int d = env.CurrencyDecimals();
  const std::string& currency = env.regional.currencySymbol;
  return Tr(kPrisPaaBlandingen) + " " + Trim(FormatMoneyFixed(8, d, price / total, sep)) + " " + currency + "/kg." + "   " +
         Trim(FormatFixed(10, 1, total, sep) + " kg = " + Trim(FormatMoneyFixed(8, d, price, sep)) + " " + currency);
}

void RescaleMix(TForListe& mix, double total) {
  const double present = mix.TotalKg();
  if (!(total > 0 && present > 0)) return;
  for (const auto& f : mix.Feeds()) f->TildeltKg = f->TildeltKg / present * total;
}

int MixCategoryOfChoice(int choice) {
  switch (choice) {
    case 0: return 1;
    case 1: return 3;
    case 2: return 4;
    default: return -1;
  }
}

int MixChoiceOfCategory(int category) {
  switch (category) {
    case 1: return 0;
    case 3: return 1;
    case 4: return 2;
    default: return -1;
  }
}

int DefaultMixChoice(const TForListe& mix) {
  const auto& feeds = mix.Feeds();
  if (std::any_of(feeds.begin(), feeds.end(), [](const auto& f) { return IsRoughageCategory(f->Fortype); })) return 0;
  if (std::any_of(feeds.begin(), feeds.end(), [](const auto& f) { return IsConcentrateCategory(f->Fortype); }))
    return 1;
  return 2;
}

std::string NewMixName(const std::vector<std::string>& existingNames) {
  for (int n = 1;; ++n) {
    const std::string candidate = Tr(kEgenBlanding) + std::to_string(n);
    if (std::none_of(existingNames.begin(), existingNames.end(),
                     [&](const std::string& name) { return SameText(name, candidate); }))
      return candidate;
  }
}

std::unique_ptr<TForListe> NewMixFor(const TForListe& source) {
  auto mix = std::make_unique<TForListe>(*source.env, ListOwnerKind::Workspace);
  mix->ForBlanding = true;
  mix->mixFile = true;
  mix->Forblandingstype = 11;
  mix->ForlisteNavn = std::string(kMixPrefix) + source.ForlisteNavn;
  return mix;
}

std::string SourceListNameOf(std::string_view mixName) {
  if (mixName.find(kMixPrefix) == std::string_view::npos) return {};
  return std::string(mixName.substr(std::min<size_t>(4, mixName.size())));
}

double StepAmount(double kg, double step, bool up) {
  if (up) return kg + step;
  const double v = kg - step;
  return v > 0 ? v : 0.0;
}

std::string MixPercentCell(const TFor& feed, double totalKg, char decimalSeparator) {
  auto pad = [](std::string s, size_t width) {
    if (s.size() < width) s.insert(0, width - s.size(), ' ');
    return s;
  };
  if (totalKg == 0) return pad("0%", 6);
  return pad(FormatFixed(7, 2, feed.TildeltKg * 100 / totalKg, decimalSeparator) + "%", 8);
}

std::unique_ptr<TFor> MixFeedFor(const TForListe& mix, int choice, std::string_view name) {
  auto feed = mix.MixAsFeed();
  if (!feed) return nullptr;
  if (const int category = MixCategoryOfChoice(choice); category >= 0)
    feed->Fortype = static_cast<TForkategorier>(category);
  feed->Fornavn = std::string(name.substr(0, std::min<size_t>(255, name.size())));
  return feed;
}

std::string MixPrintPage(const TForListe& mix) {
  return SimplePageHead() + mix.MixRecipePage() + "<br><br>" + mix.MixAnalysisTable() + PageEnd();
}

std::string MixAnalysisPage(const TForListe& mix) { return SimplePageHead() + mix.MixAnalysisTable() + PageEnd(); }

}  // namespace stallora
