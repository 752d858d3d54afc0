#pragma once
// A feed: one feedstuff with its analysis values per kg as fed, its category and price, and
// what a ration or a stable needs about it (picked, kg per day, spread over the meals).

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "config/environment.h"
#include "core/record.h"

namespace stallora {

// Feed categories 0..11 and the fixed sets the program groups them by.
using TForkategorier = uint8_t;
inline constexpr int kMaxFeedCategory = 11;
bool IsOwnFeedCategory(int c);        // 0..4
bool IsOwnRoughageCategory(int c);    // 0, 1, 2
bool IsRoughageCategory(int c);       // 0, 1, 2, 6, 10
bool IsGrazingCategory(int c);        // 0, 10
bool IsConcentrateCategory(int c);    // 3, 7, 8
bool IsSupplementCategory(int c);     // 4, 9
bool IsGroup11Category(int c);        // 11

enum class FeedCategorySet : uint8_t { OwnFeed, OwnRoughage, Roughage, Grazing, Concentrate, Supplement, Group11 };
bool InCategorySet(FeedCategorySet set, int category);

inline constexpr Text kGenericBrandText{"feed.generic", "Generic"};  // the brand of a new feed
inline constexpr std::string_view kGenericBrandMark = "GENERIC";     // marks a generic feed
inline constexpr double kProgramVersion = 2.17;

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
  std::string Fornavn;          // short string; the key of the feed in its list (exact)
  std::string Brand;            // short string; "GENERIC" marks a generic feed
  int32_t Fornummer = 0;
  double Pris = 0;
  TForkategorier Fortype = 1;   // 0..11
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

  // The "Analyser" block: one FormatFixed(10, 3) line per value, CR LF after each, with the
  // user's decimal separator; read with either separator.
  std::string WriteAnalyser() const;
  void ReadAnalyser(std::string_view bytes);

  std::unique_ptr<TFor> Clone() const;
  bool SameFeed(const TFor& other) const;
  void ToDryMatterBasis();
  void ToAsFedBasis();
  void UpdateRatio();
  bool HasAnalysis() const;
  double UndistributedKg() const;
  double DryMatterKg() const;
  int FeedStatusIcon() const;
  std::string FeedStatusText() const;
  int32_t Fingerprint() const;
  std::string FeedInfoPage() const;
  std::string FeedInfoPageDM() const;
};

}  // namespace stallora
