#include "nutrition/vekt.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/objtext.h"
#include "core/textutil.h"

namespace stallora {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// `count` characters from the 1-based position `from`, as much of them as exists.
std::string_view Copy(std::string_view s, size_t from, size_t count) {
  if (from < 1 || from > s.size()) return {};
  return s.substr(from - 1, count);
}

// Leading blanks, then one or more digits and nothing else. The pieces are at most four
// characters, so no overflow.
bool WholeNumber(std::string_view s, int& value) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  if (s.empty()) return false;
  value = 0;
  for (const char c : s) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

bool ReadDate(std::string_view text, DayNumber& date) {
  std::string d(text);
  std::replace(d.begin(), d.end(), '.', '-');
  // Anything without a "-" in third place is year-month-day.
  if (d.size() < 3 || d[2] != '-') {
    const std::string_view s = d;
    d = std::string(Copy(s, 9, 2)) + "-" + std::string(Copy(s, 6, 2)) + "-" + std::string(Copy(s, 1, 4));
  }
  int day = 0, month = 0, year = 0;
  const std::string_view s = d;
  if (!WholeNumber(Copy(s, 1, 2), day) || !WholeNumber(Copy(s, 4, 2), month) || !WholeNumber(Copy(s, 7, 4), year))
    return false;
  if (!IsValidDate(year, month, day)) return false;
  date = EncodeDate(year, month, day);
  return true;
}

// A decimal number between optional blanks; "," is taken as the decimal separator too,
// for lines typed by hand under a regional setting that uses it.
bool ReadWeight(std::string_view text, double& weight) {
  std::string w(TrimBlanks(text));
  if (!w.empty() && w.front() == '+') {
    w.erase(0, 1);
    if (!w.empty() && (w.front() == '+' || w.front() == '-')) return false;
  }
  if (w.empty()) return false;
  std::replace(w.begin(), w.end(), ',', '.');
  const char* end = w.data() + w.size();
  const auto [ptr, ec] = std::from_chars(w.data(), end, weight, std::chars_format::general);
  return ec == std::errc() && ptr == end && std::isfinite(weight);
}

// Error messages show at most this much of a line, so a binary blob stays readable.
std::string Excerpt(std::string_view s) {
  constexpr size_t kMax = 40;
  std::string out(s.substr(0, kMax));
  if (s.size() > kMax) out += "...";
  return out;
}

[[noreturn]] void LineError(int lineNo, std::string_view line, std::string_view what) {
  throw ObjTextError(fmt::format("Weighing line {} \"{}\": {}", lineNo, Excerpt(line), what));
}

std::string WeightText(double weight) {
  // Six columns hold -99999 to 999999. A wider weight would be cut by the column, so it
  // is written whole instead; the reader takes any width.
  if (weight >= -99999.0 && weight <= 999999.0) return FormatFixed(6, 0, weight, '.');
  return fmt::format("{:.0f}", weight);
}

// Truncation toward zero, reduced modulo 2^32 (exact for every finite double), so the
// sum wraps like 32-bit integer arithmetic instead of overflowing.
uint32_t TruncWrapped(double v) {
  if (!std::isfinite(v)) return 0;
  double r = std::fmod(std::trunc(v), 4294967296.0);
  if (r < 0) r += 4294967296.0;
  return static_cast<uint32_t>(r);
}

template <class List, class Better>
auto Best(List& list, Better better) -> decltype(list.front().get()) {
  if (list.empty()) return nullptr;
  auto* best = list.front().get();
  for (const auto& v : list)
    if (better(*v, *best)) best = v.get();
  return best;
}

}  // namespace

// ---- TVekt ----

const RecordClass& TVekt::StaticClass() {
  static const RecordClass c =
      RecordClass::Make<TVekt>("TVekt", {Prop<&TVekt::Dato>("Dato"), Prop<&TVekt::Vekt>("Vekt")});
  return c;
}

void TVekt::writeToFile(const std::filesystem::path& path) const { SaveRecordToFile(*this, path); }

void TVekt::LoadfromFile(const std::filesystem::path& path, const ClassRegistry& registry) {
  LoadRecordFromFile(*this, path, registry);
}

// ---- TVektListe ----

const RecordClass& TVektListe::StaticClass() {
  static const RecordClass c = RecordClass::Make<TVektListe>(
      "TVektListe", {}, {Extra<TVektListe, &TVektListe::WriteVekter, &TVektListe::ReadVekter>("Vekter")});
  return c;
}

TVekt* TVektListe::Element(int i) {
  return i >= 0 && i < Antall() ? vekter_[static_cast<size_t>(i)].get() : nullptr;
}
const TVekt* TVektListe::Element(int i) const { return const_cast<TVektListe*>(this)->Element(i); }

TVekt& TVektListe::LeggTil(double vekt, DayNumber dato) {
  vekter_.push_back(std::make_unique<TVekt>(vekt, dato));
  return *vekter_.back();
}

TVekt* TVektListe::Siste() { return vekter_.empty() ? nullptr : vekter_.back().get(); }
const TVekt* TVektListe::Siste() const { return const_cast<TVektListe*>(this)->Siste(); }

TVekt* TVektListe::Nyeste() {
  return Best(vekter_, [](const TVekt& a, const TVekt& b) { return a.Dato > b.Dato; });
}
const TVekt* TVektListe::Nyeste() const { return const_cast<TVektListe*>(this)->Nyeste(); }

TVekt* TVektListe::Tyngste() {
  return Best(vekter_, [](const TVekt& a, const TVekt& b) { return a.Vekt > b.Vekt; });
}
const TVekt* TVektListe::Tyngste() const { return const_cast<TVektListe*>(this)->Tyngste(); }

void TVektListe::SorterDato() {
  std::stable_sort(vekter_.begin(), vekter_.end(),
                   [](const std::unique_ptr<TVekt>& a, const std::unique_ptr<TVekt>& b) { return a->Dato < b->Dato; });
}

int32_t TVektListe::EndringsSum() const {
  uint32_t sum = 0;
  for (const auto& v : vekter_) sum += TruncWrapped(v->Vekt) + TruncWrapped(v->Dato);
  return static_cast<int32_t>(sum);
}

std::string TVektListe::WriteVekter() const {
  std::string out;
  int n = 0;
  for (const auto& v : vekter_) {
    ++n;
    const CivilDate d = DecodeDate(v->Dato);
    if (!std::isfinite(v->Dato) || !IsValidDate(d.year, d.month, d.day))
      throw ObjTextError(fmt::format("Weighing {} has a date that cannot be written", n));
    if (!std::isfinite(v->Vekt))
      throw ObjTextError(fmt::format("Weighing {} has a weight that cannot be written", n));
    out += fmt::format("{:02}-{:02}-{:04}x", d.day, d.month, d.year);
    out += WeightText(v->Vekt);
    out += "\r\n";
  }
  return out;
}

void TVektListe::ReadVekter(std::string_view bytes) {
  size_t pos = 0;
  int lineNo = 0;
  while (pos < bytes.size()) {
    const size_t end = bytes.find_first_of("\r\n", pos);
    const std::string_view line = bytes.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    if (end == std::string_view::npos)
      pos = bytes.size();
    else
      pos = end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
    ++lineNo;
    // The writer never makes blank lines; one typed by hand carries no weighing.
    if (TrimBlanks(line).empty()) continue;

    const size_t x = line.find('x');
    const std::string_view dateText = x == std::string_view::npos ? std::string_view() : line.substr(0, x);
    const std::string_view weightText = x == std::string_view::npos ? line : line.substr(x + 1);
    DayNumber date = 0;
    if (!ReadDate(dateText, date)) LineError(lineNo, line, fmt::format("\"{}\" is not a valid date", Excerpt(dateText)));
    double weight = 0;
    if (!ReadWeight(weightText, weight))
      LineError(lineNo, line, fmt::format("\"{}\" is not a valid weight", Excerpt(weightText)));
    LeggTil(weight, date);
  }
}

void RegisterVektClasses(ClassRegistry& registry) {
  registry.Register(TVekt::StaticClass());
  registry.Register(TVektListe::StaticClass());
}

}  // namespace stallora
