#pragma once
// The horse record: identity, dates, category, work, growth and condition, the ration, the
// weighings, the treatments and the memos, and the working results of the nutrition model.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "config/enums.h"
#include "config/environment.h"
#include "core/record.h"
#include "feeds/feedlist.h"
#include "nutrition/growth.h"
#include "nutrition/treatments.h"
#include "nutrition/uttrykk.h"
#include "nutrition/vekt.h"

namespace stallora {

class TStall;

using NutrientVector = std::array<double, kNutrientCount>;

// A requirement formula that failed on an arithmetic fault (a division by zero, say) in the
// last requirement computation: the nutrient's requirement is then 0, which must not pass
// for a computed one.
struct FormulaFault {
  int nutrient = 0;
  std::string formula;
  std::string message;  // the evaluator's full message
  bool operator==(const FormulaFault&) const = default;
};

inline constexpr Text kRequirementNotComputed{"requirements.notcomputed", "Behovet kunne ikke beregnes"};
inline constexpr Text kFormulaWord{"requirements.formula", "Formel"};

inline constexpr Text kSenesteTilvaekst{"horse.latestgain", "Seneste tilvækst"};
inline constexpr Text kKgPerDag{"horse.kgperday", "kg/dag"};
inline constexpr Text kTraeningsintensitet{"horse.trainingintensity", "Træningsintensitet"};
inline constexpr Text kFoderomkostninger{"horse.feedcost", "foderomkostninger"};
inline constexpr Text kIkkeBeregnet{"horse.notcomputed", "ikke beregnet"};
inline constexpr Text kDag{"horse.perday", "/dag"};
inline constexpr Text kDagbog{"horse.diary", "Dagbog"};

// The species-neutral animal record.
class TAnimal : public Record, public FormulaSubject {
  STALLORA_RECORD(TAnimal)
 public:
  explicit TAnimal(const RecordEnvironment& env = RecordEnvironment::Default());
  explicit TAnimal(const LoadContext& ctx) : TAnimal(RecordEnvironment::Of(ctx)) {}
  ~TAnimal() override;

  // ---- declared properties, in write order ----
  double Versjon = kProgramVersion;
  DayNumber EndretDato = 0;
  std::string Navn;
  std::string Description;
  std::string RaseNavn;
  std::string EierNavn;
  std::string KontaktPerson;
  TArbeidsIntensitet ArbeidsIntensitet = TArbeidsIntensitet::Arbudef;
  double Fodselsvekt = 0;
  double Sistetilvekst = 0;
  double ForventetVoksenvekt = 0;
  double MatchVekt = 500;
  DayNumber Fodselsdato = 0;
  DayNumber ParringsDato = 0;
  DayNumber PartusDato = 0;
  double VedlikeholdsTurbo = 0;
  double TreningsMengde = 0;
  TUngDyrTrening UngDyrTrening = TUngDyrTrening::YoungNoTraining;
  TKjonn Kjonn = TKjonn::Hunn;
  TDyreKategori Kategori = TDyreKategori::Vedlikehold;
  double OppdrettsHastighet = 1.0;
  double HoldFaktor = 1.0;
  std::string RegNr;
  std::string Father;
  std::string Mother;
  DayNumber NesteOrmeKur = 0;
  DayNumber NesteFotPleie = 0;
  DayNumber NesteVaksinasjon = 0;
  DayNumber StartForbud = 0;
  std::string Bildefilnavn;
  Picture Bilde;

  // ---- child records ----
  std::unique_ptr<TForListe> ForListe;
  std::unique_ptr<TVektListe> VektListe;
  std::unique_ptr<TTreatmentList> TreatmentListe;

  const RecordEnvironment* env;

  std::vector<const Record*> Children() const override;
  std::unique_ptr<Record> AdoptChild(std::unique_ptr<Record> child, LoadContext& ctx) override;
};

class THest : public TAnimal {
  STALLORA_RECORD(THest)
 public:
  explicit THest(const RecordEnvironment& env = RecordEnvironment::Default());
  explicit THest(const LoadContext& ctx) : THest(RecordEnvironment::Of(ctx)) {}

  // ---- declared properties, in write order (after TAnimal's) ----
  int32_t brystmal = 0;
  int32_t stangmal = 0;
  TBlodsType BlodsType = TBlodsType::WarmBlood;
  double ForPris = 0;
  uint8_t AntallForingstider = 0;
  double Beiteinntaksfaktor = 1.0;
  int32_t TimerBeiting = 0;
  DayNumber InnPaStall = 0;
  DayNumber UtFraStall = 0;
  TWeightGainRate OnsketVekstHastighet = TWeightGainRate::Normal;
  StringList HFTider;
  int32_t HestNoMeals = 0;

  // ---- extra properties, in write order ----
  std::string AvtegnMemo;
  std::string KondisjonMemo;
  std::string EierOpplysningerMemo;
  std::string VetMemo;
  std::string WormingMemo;
  std::string ShoeingMemo;
  StringList Vaccinations;
  StringList Worming;
  StringList Shoeing;
  StringList VetTreatment;
  std::string DiaryMemo;  // RTF bytes, kept as they are
  StringList Treningsliste;

  // ---- working state, never written ----
  NutrientVector Behov{};
  NutrientVector BasisBehov{};
  NutrientVector Tilforsel{};
  NutrientVector Differanse{};
  NutrientVector MaksGrense{};
  NutrientVector MinGrense{};
  std::array<bool, kNutrientCount> UtenforOmrade{};
  // The formulas that failed on an arithmetic fault in the last BeregnBehov, in list order.
  std::vector<FormulaFault> formulaFaults;
  double DigVedlikehold = 0, MetVedlikehold = 0, NetVedlikehold = 0;
  double DigEnergybehov = 0, MetEnergybehov = 0, NetEnergybehov = 0;
  TVekt AktuellVektRec;  // today's weighing of a young horse
  std::string TilvekstTekst;
  bool ErNy = true;
  bool youngHorseDefined = false;  // the window's young-horse-defined flag
  int32_t LagretSum = 0;
  TStall* stable = nullptr;        // the owning stable, when there is one
  std::string rationComment;       // "Kommentarer til foderplanen"

  // ---- derived values ----
  double AktuellVekt() const;
  int AlderMnd() const;
  int DrektighetsMnd() const;
  int LaktasjonsMnd() const;
  bool PaBeite() const;
  bool EkstraAktivitet() const;
  std::string TreningsTekst() const;
  void AvledIntensitet();
  // Five texts (Vet, Worm, Vacc, Shoe, Own) and the ban end; false when all are empty.
  bool KommendeBehandlinger(std::vector<std::string>& texts) const;
  std::string Foderomkostninger() const;

  // ---- requirements ----
  // The daily requirement of every nutrient into Behov (and BasisBehov and the energy
  // working values). Does nothing for a horse without weight. Returns false with a message
  // when a formula failed on an arithmetic fault (its nutrient then has 0, and the fault is
  // kept in formulaFaults) or the weight is negative.
  bool BeregnBehov(std::string* error = nullptr);
  // Whether the nutrient's formula failed in the last BeregnBehov.
  bool FormulaFailed(int nutrient) const;
  // The energy requirement in the active basis and unit.
  double EnergiBehov(double turbo) const;

  // ---- growth (the curve follows the active energy system) ----
  GrowthCurve Curve() const;
  double ForventetVekt(DayNumber dato) const;
  double ForventetTilvekst(DayNumber dato) const;
  double VektFraBrystmal() const;
  int BrystmalForVekt(double w) const;

  // ---- files ----
  // Reads the horse file onto this record (throws ObjTextError), then the load rules:
  // ErNy false, Versjon 2.17, EndretDato today, and for a young horse today's growth weight,
  // TilvekstTekst and Sistetilvekst.
  void LoadfromFile(const std::filesystem::path& path);
  // The same from a horse file's bytes already in memory.
  void LoadFromText(std::string_view text);
  void writeToFile(const std::filesystem::path& path) const;
  // The rules that follow reading a horse file (also used after reading from text).
  void AfterLoad();
  std::string DiaryFileName() const;  // "00Dagbog_<Navn>.rtf"

  // ---- record operations ----
  void Kopier(const THest& kilde);
  void Nullstill(bool emptyRation);
  int32_t EndringsSum() const;
  int32_t Fingerprint() const;  // EndringsSum + ration + weighings + treatments

  // ---- FormulaSubject ----
  double BodyWeight() const override { return AktuellVekt(); }
  int PregnancyMonth() const override { return DrektighetsMnd(); }
  int LactationMonth() const override { return LaktasjonsMnd(); }
  int AgeMonths() const override { return AlderMnd(); }
  double ExpectedDailyGain() const override;
  int TrainingIntensity() const override;
  bool YoungHorseTrained() const override { return UngDyrTrening != TUngDyrTrening::YoungNoTraining; }
  double MilkProduction() const override;
  double SweatLoss() const override;
  int MaintenanceLevel() const override;
  double Requirement(int nutrient) const override;

  std::string WriteAvtegnMemo() const { return AvtegnMemo; }
  void ReadAvtegnMemo(std::string_view b) { AvtegnMemo.assign(b); }
  std::string WriteKondisjonMemo() const { return KondisjonMemo; }
  void ReadKondisjonMemo(std::string_view b) { KondisjonMemo.assign(b); }
  std::string WriteEierOpplysningerMemo() const { return EierOpplysningerMemo; }
  void ReadEierOpplysningerMemo(std::string_view b) { EierOpplysningerMemo.assign(b); }
  std::string WriteVetMemo() const { return VetMemo; }
  void ReadVetMemo(std::string_view b) { VetMemo.assign(b); }
  std::string WriteWormingMemo() const { return WormingMemo; }
  void ReadWormingMemo(std::string_view b) { WormingMemo.assign(b); }
  std::string WriteShoeingMemo() const { return ShoeingMemo; }
  void ReadShoeingMemo(std::string_view b) { ShoeingMemo.assign(b); }
  std::string WriteVaccinations() const;
  void ReadVaccinations(std::string_view b);
  std::string WriteWorming() const;
  void ReadWorming(std::string_view b);
  std::string WriteShoeing() const;
  void ReadShoeing(std::string_view b);
  std::string WriteVetTreatment() const;
  void ReadVetTreatment(std::string_view b);
  std::string WriteDiaryMemo() const { return DiaryMemo; }
  void ReadDiaryMemo(std::string_view b) { DiaryMemo.assign(b); }
  std::string WriteTreningsliste() const;
  void ReadTreningsliste(std::string_view b);
};

// "<nutrient>: Behovet kunne ikke beregnes" CR "Formel: <formula>" CR <the evaluator's message>.
std::string FormulaFaultText(const FormulaFault& fault, const CountrySettings& settings);

// The lines of a string list as saved text (each line followed by CR LF) and back.
std::string LinesToText(const StringList& lines);
StringList TextToLines(std::string_view text);

// The French model with crude protein divides the protein requirement by the ration's own
// digestibility r: S / (the ration's protein supply), S being the sum over every feed of
// the ration of kg × ProteinDigestibilityTerm where that product is above 0 (r is 0.7 when
// S or the supply is 0). ProteinFollowsRation tells when the correction applies (it needs
// a ration with feeds).
double ProteinDigestibilityTerm(const TFor& f);  // per kg of the feed
double RationProteinDigestibility(const TForListe& ration);
bool ProteinFollowsRation(const THest& h);

// Registers every record class of the nutrition model (weighings and treatments included).
void RegisterNutritionClasses();

}  // namespace stallora
