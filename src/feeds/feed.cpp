#include "feeds/feed.h"

#include <charconv>
#include <cmath>

#include "core/textutil.h"

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

double TAnalyseArray::Get(int i) const {
  return i >= 0 && i < Count() ? values_[static_cast<size_t>(i)] : 0.0;
}

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
       Prop<&TFor::Beholdning>("Beholdning"), Prop<&TFor::Enhetsvekt>("Enhetsvekt"),
       Prop<&TFor::TorrStoff>("TorrStoff"), Prop<&TFor::KanIkkeEndres>("KanIkkeEndres"),
       Prop<&TFor::KarotenRikt>("KarotenRikt"), Prop<&TFor::Versjon>("Versjon"),
       Prop<&TFor::KommersieltFor>("KommersieltFor"), Prop<&TFor::Fordeling>("Fordeling"),
       Prop<&TFor::Origin>("Origin"), Prop<&TFor::UserText>("UserText"), Prop<&TFor::FeedURL>("FeedURL")},
      {Extra<TFor, &TFor::WriteAnalyser, &TFor::ReadAnalyser>("Analyser")});
  return c;
}

std::string TFor::WriteAnalyser() const {
  std::string out;
  out.reserve(static_cast<size_t>(Analyse.Count()) * 13);
  for (double v : Analyse.Values()) {
    out += FormatFixed(10, 3, v, env->regional.decimalSeparator);
    out += "\r\n";
  }
  return out;
}

void TFor::ReadAnalyser(std::string_view bytes) {
  Analyse.Clear();
  size_t pos = 0;
  int index = 0;
  while (pos < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = bytes.size();
    std::string line(bytes.substr(pos, end - pos));
    // CR LF, CR or LF end a line; CR LF counts once.
    pos = end + ((end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') ? 2 : 1);
    if (const size_t comma = line.find(','); comma != std::string::npos) line[comma] = '.';
    size_t b = 0;
    while (b < line.size() && line[b] == ' ') ++b;
    double v = 0;
    const char* first = line.data() + b;
    const char* last = line.data() + line.size();
    if (first < last && *first == '+') ++first;
    auto r = std::from_chars(first, last, v);
    // A line that does not read as a number keeps its place with the value 0.
    if (r.ec != std::errc() || !std::isfinite(v)) v = 0;
    Analyse.Set(index++, v);
  }
}

void RegisterFeedClasses();  // defined with the feed list

}  // namespace stallora
