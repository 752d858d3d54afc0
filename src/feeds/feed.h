#pragma once
// A feed: one feedstuff with its analysis values per kg as fed, its category and price, and
// what a ration or a stable needs about it (picked, kg per day, spread over the meals).

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/environment.h"
#include "core/record.h"
#include "core/version.h"
#include "core/common_texts.h"

namespace stallora {

// Feed categories 0..11 and the fixed sets the program groups them by.
using TForkategorier = uint8_t;
inline constexpr int kMaxFeedCategory = 11;
bool IsOwnFeedCategory(int c);      // 0..4
bool IsOwnRoughageCategory(int c);  // 0, 1, 2
bool IsRoughageCategory(int c);     // 0, 1, 2, 6, 10
bool IsGrazingCategory(int c);      // 0, 10
bool IsConcentrateCategory(int c);  // 3, 7, 8
bool IsSupplementCategory(int c);   // 4, 9
bool IsGroup11Category(int c);      // 11

enum class FeedCategorySet : uint8_t { OwnFeed, OwnRoughage, Roughage, Grazing, Concentrate, Supplement, Group11 };
bool InCategorySet(FeedCategorySet set, int category);

inline constexpr Text kGenericBrandText{"feed.generic", "Generic"};  // the brand of a new feed
inline constexpr std::string_view kGenericBrandMark = "GENERIC";     // marks a generic feed
// The version stamped into the records this program writes: the program's own.
inline constexpr double kProgramVersion = kProgramVersionNumber;

inline constexpr Text kKommercieltFoder{"feeds.kommercieltfoder", "Kommercielt foder"};
inline constexpr Text kKanIkkeAendres{"feeds.kanikkeaendres", "kan ikke ændres"};
inline constexpr Text kAlmindeligtFoder{"feeds.almindeligtfoder", "Almindeligt FODER"};
inline constexpr Text kEgetFoder{"feeds.egetfoder", "Eget foder"};
inline constexpr Text kKontrollerNaering{
    "feeds.kontrollernaering",
    "Kontroller næringsindholdet. Stallora tager ikke ansvaret for, at de indlagte analyser er rigtige"};
inline constexpr const Text& kNaeringsstof = common::kNaeringsstof;
inline constexpr Text kTorstofProcent{"feeds.torstofprocent", "Tørstof%"};
inline constexpr Text kPrKgFoder{"feeds.prkgfoder", "pr kg foder"};
inline constexpr Text kPerKgTorrstoff{"feeds.perkgtorrstoff", "per kg tørrstoff"};

// Status icon numbers. A feed of category 5 is in no group; it gets an icon of its own that
// has no status text.
inline constexpr int kIconCommercial = 22;  // + group offset
inline constexpr int kIconGeneric = 26;     // + group offset
inline constexpr int kIconOwnFeed = 30;     // + group offset
inline constexpr int kIconWithAnalysis = 34;
inline constexpr int kIconWithoutAnalysis = 46;
inline constexpr int kIconNoGroup = 47;

// The group offset of a category: roughage 0, concentrate 1, supplement 2, group 11 3;
// -1 for category 5 (and anything outside 0..11).
int CategoryGroupOffset(int category);

// A decimal number that fills the whole text apart from blanks around it, with a comma
// taken as the decimal point; nothing for anything else (also for infinities and NaN).
std::optional<double> ReadDecimal(std::string_view text);

// The analysis values of a feed, per kg as fed. Reading beyond the end gives 0; writing
// beyond the end appends zeros first.
class TAnalyseArray : public Record {
  STALLORA_RECORD(TAnalyseArray)
 public:
  double Get(int i) const;
  void Set(int i, double v);
  int Count() const { return static_cast<int>(values_.size()); }
  void Clear() { values_.clear(); }
  const std::vector<double>& Values() const { return values_; }
  std::vector<double>& Values() { return values_; }

 private:
  std::vector<double> values_;
};

class TFor : public Record {
  STALLORA_RECORD(TFor)
 public:
  explicit TFor(const RecordEnvironment& env = RecordEnvironment::Default());
  explicit TFor(const LoadContext& ctx) : TFor(RecordEnvironment::Of(ctx)) {}

  // ---- declared properties, in write order ----
  std::string Fornavn;  // short string; the key of the feed in its list (exact)
  std::string Brand;    // short string; "GENERIC" marks a generic feed
  int32_t Fornummer = 0;
  double Pris = 0;
  TForkategorier Fortype = 1;  // 0..11
  bool Valgt = false;
  double TildeltKg = 0;
  double StallBehov = 0;
  double Beholdning = 0;
  double Enhetsvekt = 20;
  double TorrStoff = 85;
  bool KanIkkeEndres = false;
  bool KarotenRikt = false;
  double Versjon = kProgramVersion;
  bool KommersieltFor = false;
  StringList Fordeling;
  int32_t Origin = 0;
  std::string UserText;
  std::string FeedURL;

  // ---- not written ----
  TAnalyseArray Analyse;
  std::array<double, 10> MealKg{};  // kg at feeding times 1..10 while a meal sheet is edited
  double UndistributedRemainder = 0;
  const RecordEnvironment* env;

  double Value(int i) const { return Analyse.Get(i); }
  void SetValue(int i, double v) { Analyse.Set(i, v); }
  int ValueCount() const { return Analyse.Count(); }

  // The "Analyser" block: one FormatFixed(10, 3) line per value, CR LF after each, with the
  // user's decimal separator; read with either separator.
  std::string WriteAnalyser() const;
  void ReadAnalyser(std::string_view bytes);

  // A copy for another list (the caller owns it). Versjon and FeedURL start as in a new
  // feed and the meal amounts are not copied.
  std::unique_ptr<TFor> Clone() const;
  bool SameFeed(const TFor& other) const;
  void ToDryMatterBasis();
  void ToAsFedBasis();
  // Value 6 := value 3 / value 4 (0 when value 4 is not above 0). An analysis shorter than
  // seven values is not lengthened for a ratio of 0: the missing value reads as 0 anyway.
  void UpdateRatio();
  bool HasAnalysis() const;
  double UndistributedKg() const;
  double DryMatterKg() const;
  int FeedStatusIcon() const;
  std::string FeedStatusText() const;
  // A change-detection sum. Every term is truncated toward zero and the sum is taken modulo
  // 2^32 (two's complement wrap-around, as a 32-bit register would), so huge values give a
  // defined result instead of an overflow.
  int32_t Fingerprint() const;
  std::string FeedInfoPage() const;
  std::string FeedInfoPageDM() const;
};

// The nutrient table of an environment; an empty table of 24 nutrients when the environment
// has no country settings.
const CountrySettings& SettingsOf(const RecordEnvironment& env);

}  // namespace stallora
