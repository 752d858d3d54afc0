#pragma once
// A feed list: an ordered sequence of feeds with the energy and protein system their values
// are expressed in. The same record is a stand-alone list (.eqf), a guarantee feed list of
// a feed company, a feed mix (.mix), the ration of a horse and the feed list of a stable.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/environment.h"
#include "feeds/feed.h"

namespace stallora {

inline constexpr Text kFoderliste{"feeds.foderliste", "foderliste"};

// Who owns a list; decides its starting name and where a loaded list belongs.
enum class ListOwnerKind : uint8_t { Workspace, Animal, Stable };

// The five values that say how a list's energy and protein values are expressed.
struct EnergyRecord {
  TEnergiBeregning EnergiBeregning = TEnergiBeregning::nrc2007;
  EnergiBasisType EnergiBasis = EnergiBasisType::DE;
  EnergiEnhetstype EnergiEnhet = EnergiEnhetstype::MCal;
  double EnergiFaktor = 1;
  TProteinBeregning ProteinType = TProteinBeregning::CP;
  static EnergyRecord Of(const TEnergyProteinObj& obj);
  bool operator==(const EnergyRecord&) const = default;
};

class TForListe : public Record {
  STALLORA_RECORD(TForListe)
 public:
  explicit TForListe(const RecordEnvironment& env = RecordEnvironment::Default(),
                     ListOwnerKind owner = ListOwnerKind::Workspace);
  explicit TForListe(const LoadContext& ctx) : TForListe(RecordEnvironment::Of(ctx)) {}

  // ---- declared properties, in write order ----
  std::string ForlisteNavn;
  int32_t SpraakNr = 0;
  double Versjon = kProgramVersion;
  std::string Versjonstekst;
  double EndretDato = 0;
  bool ForBlanding = false;
  TForkategorier Forblandingstype = 0;
  std::string ForListeFilNavn;
  int32_t DyreartNr = 0;
  bool Endret = true;
  TEnergiBeregning EnergiBeregning = TEnergiBeregning::nrc2007;
  EnergiBasisType EnergiBasis = EnergiBasisType::DE;
  EnergiEnhetstype EnergiEnhet = EnergiEnhetstype::MCal;
  double EnergiFaktor = 1;
  TProteinBeregning ProteinType = TProteinBeregning::CP;
  int32_t GarantiForlisteVersjon = 0;
  bool ErGarantiForliste = false;

  // ---- not written ----
  ListOwnerKind owner;
  bool mixFile = false;            // chooses .mix over .eqf when the file name is built
  double systemFactorConcentrate = 1;  // concentrate and supplement categories
  double systemFactorOther = 1;
  const RecordEnvironment* env;

  EnergyRecord GetEnergyRecord() const;
  void SetEnergyRecord(const EnergyRecord& r);

  // ---- sequence ----
  int Count() const { return static_cast<int>(feeds_.size()); }
  TFor* FeedAt(int i) const;
  const std::vector<std::unique_ptr<TFor>>& Feeds() const { return feeds_; }
  void PutAt(int i, std::unique_ptr<TFor> feed);
  TFor& AddFeed(std::unique_ptr<TFor> feed);
  TFor& AddFeedFrom(std::unique_ptr<TFor> feed, const TForListe* source);
  void RemoveFeed(const TFor* feed);
  void Clear();
  TFor* FeedByName(const std::string& name) const;
  TFor* LastFeedByName(const std::string& name) const;
  int IndexOfFeed(const TFor* feed) const;
  TFor* NextFeed(const TFor* feed) const;
  TFor* PreviousFeed(const TFor* feed) const;
  std::string PositionText(const TFor* feed) const;
  TFor* NthFeedInSet(FeedCategorySet set, int n) const;
  std::vector<std::string> FeedNames() const;
  std::vector<std::string> FeedNamesInGroup(int category) const;
  std::vector<std::string> Brands() const;
  int CountBrandsIn(const std::vector<std::string>& brands) const;
  void PickAll();
  void UnpickAll();
  void ZeroAllotted();
  bool SetPriceByName(const TFor& feed);
  void SortByCategory();

  // ---- copies ----
  std::unique_ptr<TForListe> CopyList(bool onlyPicked, ListOwnerKind newOwner) const;
  void AssignList(const TForListe& source);

  // ---- counts and totals ----
  int PickedCount() const;
  int RoughageCount() const;
  int GrazingCount() const;
  int PickedGrazingCount() const;
  TFor* FirstPickedGrazing() const;
  double TotalPrice() const;
  double TotalKg() const;
  double Supply(int n) const;  // 0..23 nutrients, 24 roughage dry matter, 25 dry matter
  double ConcentrateDryMatter() const;
  double SupplementDryMatter() const;
  double Value8Total() const;
  bool AnyUndistributed() const;
  int32_t Fingerprint() const;

  // ---- mixes ----
  double MixValue(int n) const;
  double MixDryMatter() const;
  std::unique_ptr<TFor> MixAsFeed() const;

  // ---- energy system ----
  bool SameEnergySystem(const EnergyRecord& r) const;
  void SetSystemFactors(const EnergyRecord& other);
  void ConvertFeedFrom(TFor& feed, const EnergyRecord& source);
  void ConvertAllTo(const EnergyRecord& target, TProteinBeregning proteinType);
  TProteinBeregning ProteinTypeClamped() const;
  // Updates matching feeds from a newer list (guarantee lists).
  void UpdateFrom(const TForListe& newer);

  // ---- files ----
  std::filesystem::path FileNameFor();
  void SaveToFile(const std::filesystem::path& path);  // throws ObjTextError
  void LoadFromFile(const std::filesystem::path& path);  // throws ObjTextError
  bool Rename(const std::string& newName, std::string* error = nullptr);
  bool DeleteFile();
  void Touch();

  // ---- texts and pages ----
  std::string DisplayName() const { return ForlisteNavn; }
  std::string InfoText() const;
  std::string PriceListPage() const;
  std::string MixAnalysisTable() const;
  std::string MixRecipePage() const;

  std::vector<const Record*> Children() const override;
  std::unique_ptr<Record> AdoptChild(std::unique_ptr<Record> child, LoadContext& ctx) override;

 private:
  std::vector<std::unique_ptr<TFor>> feeds_;
};

// Registers TFor, TAnalyseArray and TForListe.
void RegisterFeedClasses();

}  // namespace stallora
