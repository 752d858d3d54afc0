#include "feeds/feedlist_tools.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

#include <fmt/format.h>

#include "config/energy_protein.h"
#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/html_report.h"
#include "core/textutil.h"
#include "feeds/guarantee.h"

namespace stallora {

// ---- typed numbers

std::optional<double> ParseRegionalNumber(std::string_view text, char decimalSeparator) {
  size_t b = 0, e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  std::string number;
  size_t i = b;
  if (i < e && (text[i] == '-' || text[i] == '+')) {
    if (text[i] == '-') number += '-';
    ++i;
  }
  int digits = 0;
  bool separator = false;
  for (; i < e; ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      number += c;
      ++digits;
    } else if (c == decimalSeparator && !separator) {
      number += '.';
      separator = true;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0) return std::nullopt;
  double value = 0;
  const char* first = number.data();
  if (!number.empty() && number.front() == '.') {
    number.insert(number.begin(), '0');
    first = number.data();
  }
  const auto [end, ec] = std::from_chars(first, number.data() + number.size(), value);
  if (ec != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) return std::nullopt;
  return value == 0 ? 0.0 : value;  // "-0" is 0
}

std::string ShownNumber(double value, int minDecimals, int maxDecimals, char decimalSeparator) {
  if (!std::isfinite(value)) return "0";
  std::string text = fmt::format("{:.{}f}", value, std::max(0, maxDecimals));
  const size_t point = text.find('.');
  if (point != std::string::npos) {
    size_t keep = text.size();
    while (keep > point + 1 + static_cast<size_t>(std::max(0, minDecimals)) && text[keep - 1] == '0') --keep;
    if (keep == point + 1) --keep;  // no decimals left: no separator either
    text.resize(keep);
    if (text.find('.') != std::string::npos) text[text.find('.')] = decimalSeparator;
  }
  if (text.find_first_not_of("-0.,") == std::string::npos && text.front() == '-') text.erase(0, 1);
  return text;
}

std::optional<double> ParseAmount(std::string_view field, std::string_view text, char decimalSeparator,
                                  std::string* error, AmountRule rule) {
  const std::string shown = Trim(text);
  const auto value = ParseRegionalNumber(text, decimalSeparator);
  std::string message;
  if (!value) {
    message = std::string(field) + ": \"" + shown + "\" " + Tr(kFtNotANumber) + ". " + Tr(kFtDecimalSign) + " " +
              std::string(1, decimalSeparator);
  } else if (*value < 0) {
    message = std::string(field) + ": " + shown + " " + Tr(kFtNotNegative);
  } else if (rule.max >= 0 && *value > rule.max) {
    message = std::string(field) + ": " + shown + " " + Tr(kFtAtMost) + " " +
              Trim(FormatFixed(10, 0, rule.max, decimalSeparator));
  } else {
    return value;
  }
  if (error) *error = message;
  return std::nullopt;
}

// ---- copying

CopyFeedsResult CopyFeeds(TForListe& target, const TForListe& donor, const std::vector<int>& donorIndices) {
  CopyFeedsResult result;
  std::vector<int> indices = donorIndices;
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  const bool convert = !target.SameEnergySystem(donor.GetEnergyRecord());
  std::vector<std::unique_ptr<TFor>> copies;
  for (int i : indices) {
    const TFor* feed = donor.FeedAt(i);
    if (!feed) continue;
    if (target.FeedByName(feed->Fornavn) ||
        std::any_of(copies.begin(), copies.end(), [&](const auto& c) { return c->Fornavn == feed->Fornavn; })) {
      result.duplicates.push_back(feed->Fornavn);
      continue;
    }
    auto clone = feed->Clone();
    clone->Valgt = false;
    if (convert && !target.ConvertFeedFrom(*clone, donor.GetEnergyRecord(), &result.error)) {
      // The systems refuse every feed alike: the target stays as it was.
      result.duplicates.clear();
      return result;
    }
    copies.push_back(std::move(clone));
  }
  for (auto& c : copies) target.AddFeed(std::move(c));
  result.added = static_cast<int>(copies.size());
  return result;
}

namespace {
// The groups of FeedNamesInGroup: the three feed groups, every other category on its own.
int NameGroup(int c) {
  if (IsRoughageCategory(c)) return 100;
  if (IsConcentrateCategory(c)) return 101;
  if (IsSupplementCategory(c)) return 102;
  return c;
}
}  // namespace

std::vector<int> FeedIndicesInGroup(const TForListe& list, int category) {
  std::vector<int> indices;
  for (int i = 0; i < list.Count(); ++i)
    if (NameGroup(list.FeedAt(i)->Fortype) == NameGroup(category)) indices.push_back(i);
  return indices;
}

bool OverwriteDuplicate(TForListe& target, const TForListe& donor, const std::string& name, std::string* error) {
  TFor* mine = target.FeedByName(name);
  const TFor* theirs = donor.FeedByName(name);
  if (!mine || !theirs) return false;
  auto clone = theirs->Clone();
  if (!target.SameEnergySystem(donor.GetEnergyRecord()) &&
      !target.ConvertFeedFrom(*clone, donor.GetEnergyRecord(), error))
    return false;
  for (int i = 0; i < kNutrientCount; ++i) mine->SetValue(i, clone->Value(i));
  mine->Pris = clone->Pris;
  mine->Versjon = kProgramVersion;
  return true;
}

// ---- comparing

std::string ListEnergyUnitName(const TForListe& list) {
  switch (list.EnergiEnhet) {
    case EnergiEnhetstype::MCal: return "MCal";
    case EnergiEnhetstype::MJ: return "MJ";
    default: return EnhetsTekst(list.env->PreferenceCountry());
  }
}

std::string ListNutrientName(const TForListe& list, int i) {
  const CountrySettings& s = SettingsOf(*list.env);
  if (i == 1) return s.ProteinTypeName(list.ProteinTypeClamped());
  return s.NutrientName(i);
}

std::string ListNutrientUnit(const TForListe& list, int i) {
  if (i == 0) return ListEnergyUnitName(list);
  if (i == 6) return {};
  return SettingsOf(*list.env).NutrientUnit(i);
}

std::string ComparisonTable(const TForListe& comparison, const std::vector<int>& nutrients,
                            const TForListe& shownAs) {
  const char sep = shownAs.env->regional.decimalSeparator;
  std::string out = SimplePageHead();
  out += TableFrameStart();
  out += "<tr bgcolor=\"#CCFFCC\" align=\"center\">";
  out += "<td align=\"left\">" + Tr(kFtFoder) + "</td>";
  for (int n : nutrients) {
    if (n == 6)
      out += "<td>Ca/P</td>";
    else
      out += "<td align=\"center\">" + HtmlEscape(ListNutrientName(shownAs, n)) + "</td>";
  }
  out += "</tr>";
  for (const auto& f : comparison.Feeds()) {
    out += "<tr bgcolor=\"#FFFFFF\" align=\"left\">";
    out += "<td>" + HtmlEscape(f->Fornavn) + "</td>";
    for (int n : nutrients) {
      std::string cell = FormatFixed(8, 2, f->Value(n), sep);
      if (n != 6) cell += " " + HtmlEscape(ListNutrientUnit(shownAs, n));
      out += "<td align=\"center\">" + cell + "</td>";
    }
    out += "</tr>";
  }
  out += TableFrameEnd();
  return out;
}

// ---- order and brands

int MoveFeed(TForListe& list, int index, bool up) {
  if (index < 0 || index >= list.Count()) return index;
  const int other = up ? index - 1 : index + 1;
  if (other < 0 || other >= list.Count()) return index;
  list.SwapFeeds(index, other);
  return other;
}

int PickBrandIgnoringCase(TForListe& list, std::string_view brand) {
  const std::string wanted = UpperCase(brand);
  int n = 0;
  for (const auto& f : list.Feeds()) {
    f->Valgt = UpperCase(f->Brand) == wanted;
    if (f->Valgt) ++n;
  }
  return n;
}

namespace {
// The brand node a feed sits under in the window's tree.
std::string ShownBrand(const TFor& f) { return f.Brand.empty() ? Tr(kAlmindeligtFoder) : BrandDisplayText(f.Brand); }
}  // namespace

int PickShownBrand(TForListe& list, std::string_view shown) {
  int n = 0;
  for (const auto& f : list.Feeds()) {
    f->Valgt = ShownBrand(*f) == shown;
    if (f->Valgt) ++n;
  }
  return n;
}

bool IsBrandNode(const TForListe& list, std::string_view text) {
  if (text == Tr(kAlmindeligtFoder)) return true;
  return std::any_of(list.Feeds().begin(), list.Feeds().end(), [&](const auto& f) { return ShownBrand(*f) == text; });
}

// ---- saving under a new name

std::string ProposedListName(const std::filesystem::path& dir) {
  const std::string stem = "Min" + Tr(kFoderliste);
  for (int n = 1;; ++n) {
    const std::string name = stem + std::to_string(n);
    std::error_code ec;
    if (!std::filesystem::exists(dir / PathFromText(name + ".eqf"), ec)) return name;
  }
}

std::unique_ptr<TForListe> SaveAsCopy(const TForListe& list, const std::string& name) {
  auto copy = list.CopyList(false, ListOwnerKind::Workspace);
  copy->ForlisteNavn = name;
  copy->Versjon = kProgramVersion;
  MarkAsOrdinaryList(*copy);
  copy->EndretDato = list.env->Today();
  copy->Versjonstekst = list.env->regional.FormatShortDate(list.env->Today());
  copy->ForBlanding = false;
  copy->mixFile = false;
  copy->ForListeFilNavn.clear();
  return copy;
}

std::unique_ptr<TForListe> BrandListCopy(const TForListe& list, const std::string& brand) {
  auto copy = list.CopyList(true, ListOwnerKind::Workspace);
  copy->ForlisteNavn = brand;
  MarkAsOrdinaryList(*copy);
  copy->ForBlanding = false;
  copy->mixFile = false;
  copy->ForListeFilNavn.clear();
  copy->UnpickAll();
  return copy;
}

// ---- noticing edits

namespace {

struct Hash {
  uint64_t h = 1469598103934665603ull;
  void Bytes(const void* p, size_t n) {
    const auto* b = static_cast<const unsigned char*>(p);
    for (size_t i = 0; i < n; ++i) {
      h ^= b[i];
      h *= 1099511628211ull;
    }
  }
  void Text(std::string_view s) {
    const uint64_t n = s.size();
    Bytes(&n, sizeof n);
    Bytes(s.data(), s.size());
  }
  template <class T>
  void Value(T v) {
    Bytes(&v, sizeof v);
  }
  void Real(double v) { Value(v == 0 ? 0.0 : v); }
};

}  // namespace

uint64_t ContentSignature(const TForListe& l) {
  Hash h;
  h.Text(l.ForlisteNavn);
  h.Value(l.SpraakNr);
  h.Text(l.Versjonstekst);
  h.Value(l.ForBlanding);
  h.Value(l.Forblandingstype);
  h.Value(l.DyreartNr);
  h.Value(l.EnergiBeregning);
  h.Value(l.EnergiBasis);
  h.Value(l.EnergiEnhet);
  h.Real(l.EnergiFaktor);
  h.Value(l.ProteinType);
  h.Value(l.GarantiForlisteVersjon);
  h.Value(l.ErGarantiForliste);
  h.Value(l.Count());
  for (const auto& f : l.Feeds()) {
    h.Text(f->Fornavn);
    h.Text(f->Brand);
    h.Value(f->Fornummer);
    h.Real(f->Pris);
    h.Value(f->Fortype);
    h.Real(f->TildeltKg);
    h.Real(f->StallBehov);
    h.Real(f->Beholdning);
    h.Real(f->Enhetsvekt);
    h.Real(f->TorrStoff);
    h.Value(f->KanIkkeEndres);
    h.Value(f->KarotenRikt);
    h.Real(f->Versjon);
    h.Value(f->KommersieltFor);
    h.Value(f->Fordeling.size());
    for (const auto& line : f->Fordeling) h.Text(line);
    h.Value(f->Origin);
    h.Text(f->UserText);
    h.Text(f->FeedURL);
    h.Value(f->ValueCount());
    for (double v : f->Analyse.Values()) h.Real(v);
  }
  return h.h;
}

int IndexOfFeedObject(const TForListe& list, const TFor* feed) {
  for (int i = 0; i < list.Count(); ++i)
    if (list.FeedAt(i) == feed) return i;
  return -1;
}

}  // namespace stallora
