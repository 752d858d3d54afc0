#include "feeds/feed.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "core/floattext.h"
#include "core/html_report.h"
#include "core/textutil.h"
#include "feeds/page_cells.h"

namespace stallora {

bool IsOwnFeedCategory(int c) { return c >= 0 && c <= 4; }
bool IsOwnRoughageCategory(int c) { return c >= 0 && c <= 2; }
bool IsRoughageCategory(int c) { return c == 0 || c == 1 || c == 2 || c == 6 || c == 10; }
bool IsGrazingCategory(int c) { return c == 0 || c == 10; }
bool IsConcentrateCategory(int c) { return c == 3 || c == 7 || c == 8; }
bool IsSupplementCategory(int c) { return c == 4 || c == 9; }
bool IsGroup11Category(int c) { return c == 11; }

bool InCategorySet(FeedCategorySet set, int c) {
  switch (set) {
    case FeedCategorySet::OwnFeed: return IsOwnFeedCategory(c);
    case FeedCategorySet::OwnRoughage: return IsOwnRoughageCategory(c);
    case FeedCategorySet::Roughage: return IsRoughageCategory(c);
    case FeedCategorySet::Grazing: return IsGrazingCategory(c);
    case FeedCategorySet::Concentrate: return IsConcentrateCategory(c);
    case FeedCategorySet::Supplement: return IsSupplementCategory(c);
    case FeedCategorySet::Group11: return IsGroup11Category(c);
  }
  return false;
}

const RecordClass& TAnalyseArray::StaticClass() {
  static const RecordClass c = RecordClass::Make<TAnalyseArray>("TAnalyseArray", {});
  return c;
}

double TAnalyseArray::Get(int i) const { return i >= 0 && i < Count() ? values_[static_cast<size_t>(i)] : 0.0; }

void TAnalyseArray::Set(int i, double v) {
  if (i < 0) return;
  if (i >= Count()) values_.resize(static_cast<size_t>(i) + 1, 0.0);
  values_[static_cast<size_t>(i)] = v;
}

TFor::TFor(const RecordEnvironment& environment) : Brand(Tr(kGenericBrandText)), env(&environment) {}

const RecordClass& TFor::StaticClass() {
  static const RecordClass c = RecordClass::Make<TFor>(
      "TFor",
      {Prop<&TFor::Fornavn>("Fornavn").ShortString(255), Prop<&TFor::Brand>("Brand").ShortString(255),
       Prop<&TFor::Fornummer>("Fornummer"), Prop<&TFor::Pris>("Pris"),
       Prop<&TFor::Fortype>("Fortype").Range(0, kMaxFeedCategory), Prop<&TFor::Valgt>("Valgt"),
       Prop<&TFor::TildeltKg>("TildeltKg"), Prop<&TFor::StallBehov>("StallBehov"),
       Prop<&TFor::Beholdning>("Beholdning"), Prop<&TFor::Enhetsvekt>("Enhetsvekt").WriteZero(),
       Prop<&TFor::TorrStoff>("TorrStoff").WriteZero(), Prop<&TFor::KanIkkeEndres>("KanIkkeEndres"),
       Prop<&TFor::KarotenRikt>("KarotenRikt"), Prop<&TFor::Versjon>("Versjon").WriteZero(),
       Prop<&TFor::KommersieltFor>("KommersieltFor"), Prop<&TFor::Fordeling>("Fordeling"),
       Prop<&TFor::Origin>("Origin"), Prop<&TFor::UserText>("UserText"), Prop<&TFor::FeedURL>("FeedURL")},
      {Extra<TFor, &TFor::WriteAnalyser, &TFor::ReadAnalyser>("Analyser")});
  return c;
}

std::string TFor::WriteAnalyser() const {
  std::string out;
  out.reserve(static_cast<size_t>(Analyse.Count()) * 13);
  const char sep = env->regional.decimalSeparator;
  for (double v : Analyse.Values()) {
    if (v >= -99999999.0 && v <= 9999999999.0) {
      AppendFormatFixed(out, 10, 3, v, sep);
    } else {
      // Ten columns would cut the exponent off such a value and it would read back as
      // another number; it is written whole instead (the reader takes any width).
      std::string whole = ObjTextFloat(v);
      if (const size_t dot = whole.find('.'); dot != std::string::npos) whole[dot] = sep;
      out += whole;
    }
    out += "\r\n";
  }
  return out;
}

void TFor::ReadAnalyser(std::string_view bytes) {
  Analyse.Clear();
  // One value per line: room for them all at once.
  Analyse.Values().reserve(static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
  const size_t n = bytes.size();
  size_t pos = 0;
  int index = 0;
  while (pos < n) {
    // The line's end and its first comma in one look; leading blanks are not part of it.
    while (pos < n && bytes[pos] == ' ') ++pos;
    size_t end = pos, comma = std::string_view::npos;
    for (; end < n && bytes[end] != '\r' && bytes[end] != '\n'; ++end)
      if (bytes[end] == ',' && comma == std::string_view::npos) comma = end;
    const char* first = bytes.data() + pos;
    const char* last = bytes.data() + end;
    // A comma is the decimal separator: the line is read from a copy with a point there
    // (on the stack for the lines this program writes).
    char small[64];
    std::string large;
    if (comma != std::string_view::npos) {
      const size_t length = end - pos;
      char* line = small;
      if (length > sizeof small) {
        large.assign(first, length);
        line = large.data();
      } else {
        std::memcpy(small, first, length);
      }
      line[comma - pos] = '.';
      first = line;
      last = line + length;
    }
    // CR LF, CR or LF end a line; CR LF counts once.
    pos = end + ((end + 1 < n && bytes[end] == '\r' && bytes[end + 1] == '\n') ? 2 : 1);
    double v = 0;
    if (first < last && *first == '+') ++first;
    auto r = std::from_chars(first, last, v);
    // A line that does not read as a number keeps its place with the value 0.
    if (r.ec != std::errc() || !std::isfinite(v)) v = 0;
    Analyse.Set(index++, v);
  }
}

// ---------------------------------------------------------------------------------------

int CategoryGroupOffset(int c) {
  if (IsRoughageCategory(c)) return 0;
  if (IsConcentrateCategory(c)) return 1;
  if (IsSupplementCategory(c)) return 2;
  if (IsGroup11Category(c)) return 3;
  return -1;
}

std::optional<double> ReadDecimal(std::string_view text) {
  std::string s = Trim(text);
  if (const size_t comma = s.find(','); comma != std::string::npos) s[comma] = '.';
  const char* first = s.data();
  const char* last = s.data() + s.size();
  if (first < last && *first == '+') ++first;
  if (first == last) return std::nullopt;
  double v = 0;
  auto r = std::from_chars(first, last, v, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != last || !std::isfinite(v)) return std::nullopt;
  return v;
}

const CountrySettings& SettingsOf(const RecordEnvironment& env) {
  if (env.settings && env.settings->nutrients.size() >= static_cast<size_t>(kNutrientCount)) return *env.settings;
  static const CountrySettings empty = [] {
    CountrySettings s;
    s.nutrients.resize(kNutrientCount);
    return s;
  }();
  return empty;
}

std::unique_ptr<TFor> TFor::Clone() const {
  auto copy = std::make_unique<TFor>(*env);
  copy->Analyse.Values() = Analyse.Values();
  copy->Fornavn = Fornavn;
  copy->Brand = Brand;
  copy->Valgt = Valgt;
  copy->TildeltKg = TildeltKg;
  copy->StallBehov = StallBehov;
  copy->Enhetsvekt = Enhetsvekt;
  copy->Beholdning = Beholdning;
  copy->TorrStoff = TorrStoff;
  copy->Fortype = Fortype;
  copy->Pris = Pris;
  copy->Fornummer = Fornummer;
  copy->KarotenRikt = KarotenRikt;
  copy->KanIkkeEndres = KanIkkeEndres;
  copy->KommersieltFor = KommersieltFor;
  copy->Origin = Origin;
  copy->UserText = UserText;
  copy->Fordeling = Fordeling;
  return copy;
}

bool TFor::SameFeed(const TFor& other) const {
  if (Fornavn != other.Fornavn || Pris != other.Pris || Brand != other.Brand || TorrStoff != other.TorrStoff)
    return false;
  for (int i = 0; i < Analyse.Count(); ++i)
    if (Value(i) != other.Value(i)) return false;
  return true;
}

void TFor::ToDryMatterBasis() {
  if (TorrStoff == 0) return;
  for (double& v : Analyse.Values()) v = v * 100 / TorrStoff;
  UpdateRatio();
}

void TFor::ToAsFedBasis() {
  if (TorrStoff == 0) return;
  for (double& v : Analyse.Values()) v = v * TorrStoff / 100;
  UpdateRatio();
}

void TFor::UpdateRatio() {
  const double p = Value(4);
  const double ratio = p > 0 ? Value(3) / p : 0.0;
  if (ratio != 0 || Analyse.Count() > 6) SetValue(6, ratio);
}

bool TFor::HasAnalysis() const {
  for (double v : Analyse.Values())
    if (v > 0) return true;
  return false;
}

double TFor::UndistributedKg() const {
  double given = 0;
  for (const std::string& line : Fordeling)
    if (auto v = ReadDecimal(line)) given += *v;
  return TildeltKg - given;
}

double TFor::DryMatterKg() const { return TildeltKg * TorrStoff / 100; }

int TFor::FeedStatusIcon() const {
  const int offset = CategoryGroupOffset(Fortype);
  if (offset < 0) return kIconNoGroup;
  if (IsOwnFeedCategory(Fortype)) return kIconOwnFeed + offset;
  if (Brand == kGenericBrandMark) return kIconGeneric + offset;
  if (KommersieltFor) return kIconCommercial + offset;
  return HasAnalysis() ? kIconWithAnalysis : kIconWithoutAnalysis;
}

std::string TFor::FeedStatusText() const {
  const int icon = FeedStatusIcon();
  if (icon >= 22 && icon <= 25) return Tr(kKommercieltFoder) + " - " + Tr(kKanIkkeAendres);
  if (icon >= 26 && icon <= 29) return Tr(kAlmindeligtFoder) + " - " + Tr(kKanIkkeAendres);
  if (icon >= 30 && icon <= 33) return Tr(kEgetFoder);
  if (icon == kIconWithAnalysis || icon == kIconWithoutAnalysis) return Tr(kKontrollerNaering);
  return {};
}

namespace {

// x truncated toward zero, reduced modulo 2^32. Infinities and NaN count as 0.
uint32_t WrappedTerm(double x) {
  if (!std::isfinite(x)) return 0;
  const double t = std::trunc(x);
  const double m = std::fmod(t, 4294967296.0);  // |m| < 2^32, exact
  return static_cast<uint32_t>(static_cast<int64_t>(m));
}

uint32_t CharSum(std::string_view s) {
  uint32_t sum = 0;
  for (char c : s) sum += static_cast<unsigned char>(c);
  return sum;
}

}  // namespace

int32_t TFor::Fingerprint() const {
  uint32_t sum = CharSum(Fornavn);
  for (double v : Analyse.Values()) sum += WrappedTerm(v * 100);
  for (const std::string& line : Fordeling) sum += CharSum(line);
  sum += static_cast<uint32_t>(UserText.size());
  sum += WrappedTerm(Pris * 100);
  sum += WrappedTerm(TildeltKg * 100);
  sum += WrappedTerm(UndistributedRemainder * 1000);
  return static_cast<int32_t>(sum);  // modular conversion (C++20)
}

namespace {

using namespace feedpages;

int NutrientDecimals(int i) { return i == 15 || i == 16 ? 0 : 2; }

}  // namespace

std::string TFor::FeedInfoPage() const {
  const CountrySettings& s = SettingsOf(*env);
  const char sep = env->regional.decimalSeparator;
  std::string out = SimplePageHead();
  out += TitleBlockWithRule(HtmlEscape(Fornavn), env->regional.FormatShortDate(env->Today()));
  out += TableFrameStart();
  out += HeaderRowStart();
  out += "<th width=\"60%\" align=\"left\">" + Tr(kNaeringsstof) + "</th>";
  out += "<th width=\"20%\" align=\"center\"> </th>";
  out += "<th width=\"20%\" align=\"center\"> </th>";
  out += RowEnd();
  out += kRowStart;
  out += LabelCell(Tr(kTorstofProcent)) + ValueCell(FormatFixed(8, 1, TorrStoff, sep));
  out += kEmptyCell;
  out += kRowEnd;
  for (int i = 0; i < kNutrientCount; ++i) {
    out += kRowStart;
    out += LabelCell(s.NutrientName(i));
    out += ValueCell(FormatFixed(8, NutrientDecimals(i), Value(i), sep));
    out += i == 6 ? std::string(kEmptyCell) : ValueCell(s.NutrientUnit(i) + "/kg");
    out += kRowEnd;
  }
  out += TableFrameEnd();
  return out;
}

std::string TFor::FeedInfoPageDM() const {
  const CountrySettings& s = SettingsOf(*env);
  const char sep = env->regional.decimalSeparator;
  std::string out = SimplePageHead();
  out += TitleBlockWithRule(HtmlEscape(Fornavn), env->regional.FormatShortDate(env->Today()));
  out += TableFrameStart();
  out += HeaderRowStart();
  out += "<th width=\"55%\" align=\"left\">" + Tr(kNaeringsstof) + "</th>";
  out += "<th width=\"15%\" align=\"center\">" + Tr(kPrKgFoder) + "</th>";
  out += "<th width=\"15%\" align=\"center\">" + Tr(kPerKgTorrstoff) + "</th>";
  out += "<th width=\"20%\" align=\"center\"> </th>";
  out += RowEnd();
  out += kRowStart;
  out += LabelCell(Tr(kTorstofProcent)) + ValueCell(FormatFixed(8, 1, TorrStoff, sep));
  out += kEmptyCell;
  out += kEmptyCell;
  out += kRowEnd;
  for (int i = 0; i < kNutrientCount; ++i) {
    const int d = NutrientDecimals(i);
    out += kRowStart;
    out += LabelCell(s.NutrientName(i));
    out += ValueCell(FormatFixed(8, d, Value(i), sep));
    if (TorrStoff > 0) {
      const double dm = i == 6 ? Value(i) : Value(i) * 100 / TorrStoff;
      out += ValueCell(FormatFixed(8, d, dm, sep));
    } else {
      out += kEmptyCell;
    }
    out += i == 6 ? std::string(kEmptyCell) : ValueCell(s.NutrientUnit(i) + "/kg");
    out += kRowEnd;
  }
  out += TableFrameEnd();
  return out;
}

}  // namespace stallora
