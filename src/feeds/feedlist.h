#pragma once
// A feed list: an ordered sequence of feeds with the energy and protein system their values
// are expressed in. The same record is a stand-alone list (.eqf), a guarantee feed list of
// a feed company, a feed mix (.mix), the ration of a horse and the feed list of a stable.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/environment.h"
#include "feeds/feed.h"
#include "core/common_texts.h"

namespace stallora {

inline constexpr const Text& kFoderliste = common::kFoderliste;
inline constexpr const Text& kVersionText = common::kVersion;
inline constexpr Text kOprindelsesland{"feeds.oprindelsesland", "Oprindelsesland"};
inline constexpr Text kSidstAendret{"feeds.sidstaendret", "Sidst ændret"};
inline constexpr const Text& kFodernavn = common::kFodernavn;
inline constexpr const Text& kTorstof = common::kToerstof;
inline constexpr Text kFoderpris{"feeds.foderpris", "Foderpris"};
inline constexpr const Text& kFoderblanding = common::kFoderblanding;
inline constexpr Text kFactorNotPositive{
    "feeds.factornotpositive", "Energifaktoren for foderenheder skal være større end 0. Værdierne er ikke omregnet"};
inline constexpr Text kListExists{"feeds.listexists", "Der findes allerede en foderliste med navnet"};
inline constexpr Text kRenameFailed{"feeds.renamefailed", "Filen kunne ikke omdøbes"};
inline constexpr Text kNoFeedDirectory{"feeds.nofeeddirectory", "Foderlistemappen er ukendt"};

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

// MJ per unit of a record's energy unit: MCal 4.185, MJ 1, feed units the MJ of a feed unit
// on the record's basis divided by its factor (when that is not 0).
double UnitFactor(const EnergyRecord& r);

// The energy value of a feed (MJ per kg dry matter) moved to metabolisable energy from a
// basis, and from metabolisable energy to a basis; roughage has formulas of its own.
double ToMetabolisable(double v, EnergiBasisType from, int category);
double FromMetabolisable(double v, EnergiBasisType to, int category);
// Protein (g per kg dry matter) expressed as the given type.
double ProteinAs(double p, TProteinBeregning to, int category);

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
  bool mixFile = false;                // chooses .mix over .eqf when the file name is built
  double systemFactorConcentrate = 1;  // concentrate and supplement categories
  double systemFactorOther = 1;
  const RecordEnvironment* env;
  // Set by the list's window while its feed editor is open: stores the feed being edited
  // into the list. Touch calls it.
  std::function<void()> storeEditedFeed;

  EnergyRecord GetEnergyRecord() const;
  void SetEnergyRecord(const EnergyRecord& r);

  // ---- sequence ----
  int Count() const { return static_cast<int>(feeds_.size()); }
  TFor* FeedAt(int i) const;  // nullptr outside 0..Count-1
  const std::vector<std::unique_ptr<TFor>>& Feeds() const { return feeds_; }
  // Replaces the feed at i, or appends when i is not an index of the list.
  void PutAt(int i, std::unique_ptr<TFor> feed);
  TFor& AddFeed(std::unique_ptr<TFor> feed);
  // Converts the feed from the source list's energy record into this list's first (a
  // conversion that is refused leaves the values as they are).
  TFor& AddFeedFrom(std::unique_ptr<TFor> feed, const TForListe* source);
  // Like AddFeedFrom, but the feed goes where SortByCategory would put it in a sorted list:
  // after the last feed whose category group comes at or before its own. The other feeds
  // keep their order, so removing the feed again restores the list as it was.
  TFor& InsertFeedFrom(std::unique_ptr<TFor> feed, const TForListe* source);
  void RemoveFeed(const TFor* feed);
  // Exchanges the feeds at i and j (nothing when either is not an index of the list).
  void SwapFeeds(int i, int j);
  void Clear();
  TFor* FeedByName(const std::string& name) const;
  TFor* LastFeedByName(const std::string& name) const;
  // Index of the last feed with the feed's name; -1 when none.
  int IndexOfFeed(const TFor* feed) const;
  TFor* NextFeed(const TFor* feed) const;
  TFor* PreviousFeed(const TFor* feed) const;
  std::string PositionText(const TFor* feed) const;  // "3/12"
  TFor* NthFeedInSet(FeedCategorySet set, int n) const;
  std::vector<std::string> FeedNames() const;
  // Names of the feeds in the group of the category (roughage, concentrate or supplement
  // categories). A category outside those groups (5, 11) is a group of its own.
  std::vector<std::string> FeedNamesInGroup(int category) const;
  std::vector<std::string> Brands() const;
  int CountBrandsIn(const std::vector<std::string>& brands) const;
  void PickAll();
  void UnpickAll();
  void ZeroAllotted();
  bool SetPriceByName(const TFor& feed);
  // Groups in order: 0 10 | 1 2 6 | 3 7 | 8 | 4 9 | 11 | 5; order kept within a group.
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
  // The mix as one feed (nullptr unless ForBlanding). Its analysis is as long as the longest
  // analysis of the mix's feeds; a mix without feeds gives a feed without analysis.
  std::unique_ptr<TFor> MixAsFeed() const;

  // ---- energy system ----
  bool SameEnergySystem(const EnergyRecord& r) const;
  void SetSystemFactors(const EnergyRecord& other);
  // Converts one feed's energy and protein values from the source record into this list's.
  // A source identical to this list's record changes nothing. A feed-unit record with a
  // factor not above 0 is refused: false, `error` set, nothing changed.
  bool ConvertFeedFrom(TFor& feed, const EnergyRecord& source, std::string* error = nullptr);
  // Converts every feed into the target's basis, unit and factor and the protein type, and
  // stores those in the list (the caller stores the calculation system). Refused like
  // ConvertFeedFrom, and for a target factor below 0.
  bool ConvertAllTo(const EnergyRecord& target, TProteinBeregning proteinType, std::string* error = nullptr);
  // The user picked another energy/protein object for the list: the list takes the chosen
  // record whole and every feed is converted from the record the list had. Refused like
  // ConvertFeedFrom (nothing changed). Ask RecalculationQuestion first when
  // SameEnergySystem(chosen) is false.
  bool ChangeEnergySystem(const EnergyRecord& chosen, std::string* error = nullptr);
  TProteinBeregning ProteinTypeClamped() const;
  // Updates matching feeds from a newer list (guarantee lists). Values of a newer list in
  // another energy system are converted into this list's first. False (nothing changed)
  // when the newer list's values cannot be converted.
  bool UpdateFrom(const TForListe& newer, std::string* error = nullptr);

  // ---- files ----
  // The workspace's feed directory (the preferences'); empty without preferences.
  std::filesystem::path FeedDirectory() const;
  // FeedDirectory / (ForlisteNavn + ".eqf" or ".mix"), kept in ForListeFilNavn. A name
  // that cannot be a file name (one read from a file, "../../x") never leads out of the
  // feed directory: the list keeps the file it was read from when that lies there, else
  // the name's unusable characters become "_".
  std::filesystem::path FileNameFor();
  // Saves the list as its own file (throws ObjTextError; FileConflictError when the file
  // changed since the list read it, see core/filestamp.h).
  void SaveToFile(const std::filesystem::path& path);
  // Writes the list to a file that is not its own (an attachment): no check, no stamp.
  void ExportToFile(const std::filesystem::path& path);
  // Saves under FileNameFor; a name that cannot be a file name, or a list without a feed
  // directory, is refused (ObjTextError) before anything is written.
  void SaveToWorkspace();
  void LoadFromFile(const std::filesystem::path& path);  // throws ObjTextError
  // Reads object text onto the list as LoadFromFile does with a file's bytes.
  void LoadFromText(std::string_view text, const std::filesystem::path& path);
  // Refuses (false, `error` set, nothing changed) a name that cannot be a file name and a
  // name whose file exists already.
  bool Rename(const std::string& newName, std::string* error = nullptr);
  bool DeleteFile();
  void Touch();

  // ---- texts and pages ----
  std::string DisplayName() const { return ForlisteNavn; }
  std::string EnergyDescription() const;
  std::string InfoText() const;
  std::string PriceListPage() const;
  std::string MixAnalysisTable() const;
  std::string MixRecipePage() const;

  std::vector<const Record*> Children() const override;
  std::unique_ptr<Record> AdoptChild(std::unique_ptr<Record> child, LoadContext& ctx) override;

 private:
  void CopyHeaderFrom(const TForListe& source);
  bool RefusedFactor(const EnergyRecord& a, const EnergyRecord& b, std::string* error) const;
  std::vector<std::unique_ptr<TFor>> feeds_;
};

// The question before ChangeEnergySystem (country: the preferences' country number).
std::string RecalculationQuestion(int countryNumber);

// Registers TFor, TAnalyseArray and TForListe.
void RegisterFeedClasses();

}  // namespace stallora
