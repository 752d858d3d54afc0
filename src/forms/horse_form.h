#pragma once
// The rules of the horse window that are not drawing: what a typed value may be and what
// the user is told when it may not, how sex, category, birth date, reproduction dates,
// weights and training amount pull each other along, and the texts the window derives
// from the horse (hints, labels, captions). The window calls these and shows the result.
//
// Texts are Windows-1252; a line break inside a message is "\r".

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/country_settings.h"
#include "config/preferences.h"
#include "core/texts.h"
#include "forms/report_names.h"
#include "nutrition/hest.h"

namespace stallora {

inline constexpr Text kHfHestFindes{"horseform.duplicate", "Hest findes allerede. Angiv andet navn!"};
inline constexpr Text kHfIkkeTilladtNavn{"horseform.badname", "Ikke tilladt navn"};
inline constexpr Text kHfSlet{"horseform.delete", "Slet"};
inline constexpr Text kHfIkkeTilladt{"horseform.notallowed", "ikke tilladt"};
inline constexpr Text kHfFoedselsaarVoksen{"horseform.adultbirth", "Fødselsår for voksen hest"};
inline constexpr Text kHfMaaVaereIOmraadet{"horseform.mustbeinrange", "må være i området"};
inline constexpr Text kHfUnghestensFoedselsdato{"horseform.youngbirth",
                                                "Unghestens fødselsdato må være i intervallet"};
inline constexpr Text kHfBedaekningsdato{"horseform.matingdate", "Bedækningsdato"};
inline constexpr Text kHfFolningsdato{"horseform.foalingdate", "Folningsdato"};
inline constexpr Text kHfUgyldigVaegt{"horseform.badweight", "Ugyldig vægt"};
inline constexpr Text kHfFejl{"horseform.error", "Fejl:"};
inline constexpr Text kHfTilvaekstForHurtig{"horseform.gaintoofast", "Tilvækst for hurtig (max 2.00 kg)"};
inline constexpr Text kHfGjordmaal{"horseform.girth", "Gjordmål"};
inline constexpr Text kHfForFaaTegn{"horseform.toofew", "For få tegn"};
inline constexpr Text kHfNummeretMaaHa15{"horseform.need15", "Nummeret må ha 15 tegn"};
inline constexpr Text kHfForventetVoksenvaegt{"horseform.adultweight", "Forventet voksenvægt"};
inline constexpr Text kHfRaceUkendt{"horseform.breedunknown", "Race ukendt. Du må selv angive vægt som voksen"};
inline constexpr Text kHfJusterVaegten{"horseform.adjustweight",
                                       "Juster vægten hvis du mener hesten bliver for lille eller stor"};
inline constexpr Text kHfVoksenHoppeVejer{"horseform.mareweighs", "Voksen hoppe vejer"};
inline constexpr Text kHfVoksenHingstVejer{"horseform.stallionweighs", "Voksen hingst vejer"};
inline constexpr Text kHfEnergibehov{"horseform.energyneed", "Energibehov"};
inline constexpr Text kHfRationenGiverNu{"horseform.rationgives", "Rationen giver nu"};
inline constexpr Text kHfSidsteTrediedel{
    "horseform.lastthird", "Hesten er i sidste trediedel af drægtighedsperioden.\rTræningen bør ikke være over let!"};
inline constexpr Text kHfGroen{"horseform.green", "Grøn"};
inline constexpr Text kHfGrovfoder{"horseform.roughage", "Grovfoder"};
inline constexpr Text kHfGul{"horseform.yellow", "Gul"};
inline constexpr Text kHfKraftfoder{"horseform.concentrate", "Kraftfoder"};
inline constexpr Text kHfVaegtudvikling{"horseform.weightdevelopment", "Vægtudvikling"};
inline constexpr Text kHfRoedeSirkler{"horseform.chartcaption",
                                      "Røde sirkler: observerede vægter. Orange triangel: teoretisk vægt"};
inline constexpr Text kHfBehandlingsdatoIkkeGodkendt{"horseform.donedatebad", "Behandlingsdato ikke godkendt"};
inline constexpr Text kHfFortsaet{"horseform.continue", "Fortsæt"};
inline constexpr Text kHfMaksimaltTilladt{"horseform.maxallowed", "Maksimalt tilladt er"};
inline constexpr Text kHfAngivNy{"horseform.givenew", "Angiv ny"};
inline constexpr Text kHfDatoLower{"horseform.date", "dato"};
inline constexpr Text kHfBehandling{"horseform.treatment", "Behandling"};
inline constexpr Text kHfBehandlingLower{"horseform.treatmentlower", "behandling"};
inline constexpr Text kHfPlanlagt{"horseform.planned", "planlagt"};
inline constexpr Text kHfUdfoert{"horseform.done", "udført"};
inline constexpr Text kHfAngivDato{"horseform.givedate", "Angiv en dato for hvornår behandling er"};
inline constexpr Text kHfStartforbud{"horseform.ban", "Startforbud"};
inline constexpr Text kHfTil{"horseform.until", "til"};
inline constexpr Text kHfDobbeltklikForAtVise{"horseform.dblclickshow", "Dobbeltklik for at vise"};
inline constexpr Text kHfNetsoeg{"horseform.websearch", "Netsøg"};
inline constexpr Text kHfHest{"horseform.horse", "Hest"};
inline constexpr Text kHfAlder{"horseform.age", "Alder"};
inline constexpr Text kHfMaaneder{"horseform.months", "måneder"};

// ---- name (typed into the name field)

struct NameCheck {
  std::vector<std::string> messages;  // in the order they are shown
  std::string text;                   // what the field holds afterwards
  bool keepFocus = false;
};
// `otherNames` are the names of the stable's other horses.
NameCheck CheckHorseName(std::string_view typed, const std::vector<std::string>& otherNames);

// ---- sex and category

// Choosing a sex: a male pregnant or lactating mare and a female breeding stallion become
// maintenance horses.
TDyreKategori CategoryAfterSexChoice(TDyreKategori category, TKjonn sex);
// The sex a category forces: mares for pregnant and lactating, male for breeding stallions.
std::optional<TKjonn> SexForcedByCategory(TDyreKategori category);
bool IsAdultCategory(TDyreKategori category);

// ---- birth date and age

// Today moved back 36 calendar months: the oldest birth date of a young horse.
DayNumber YoungBirthLimit(DayNumber today);
bool YoungBirthDateValid(DayNumber birth, DayNumber today);
// "Unghestens fødselsdato må være i intervallet" + " " + limit + " - " + today.
std::string YoungBirthIntervalText(const Regional& regional, DayNumber today);
// A date after today becomes today; a date before the limit becomes the day after it.
DayNumber ClampYoungBirthDate(DayNumber date, DayNumber today);
// An adult's birth date must lie more than 36 months back.
bool AdultBirthDateTooRecent(DayNumber birth, DayNumber today);
std::string AdultBirthDateMessage(const std::string& name, DayNumber today);
inline constexpr int kAdultDefaultAgeDays = 1825;
// The age the age field shows: whole years by calendar year for adults, months for young.
int ShownAge(bool young, DayNumber birth, DayNumber today);
// The birth date of a young horse of `months` months: today - round(months * 30.5), halves
// to even.
DayNumber BirthDateFromMonths(int months, DayNumber today);
DayNumber BirthDateFromYears(int years, DayNumber today);

// ---- reproduction box

struct ReproductionBox {
  bool showMating = false;
  bool showFoaling = false;
  bool showNewMating = false;  // "Ny bedækning"
  DayNumber mating = 0;
  DayNumber foaling = 0;
  int monthsPregnant = 0;
  int monthsLactating = 0;
};
bool WithinLastMonths(DayNumber date, int months, DayNumber today);
ReproductionBox ReproductionBoxOf(const THest& h, DayNumber today);
// The dates a mare gets when her category becomes pregnant or lactating.
void ApplyReproductionDefaults(THest& h, DayNumber today);
// "Ny bedækning": the mating date becomes today unless the mare is pregnant again.
void NewMating(THest& h, DayNumber today);
// The range message for a mating date (375 days back to today) or a foaling date (515
// days back); nothing when the date is in range.
std::optional<std::string> MatingDateProblem(DayNumber date, const Regional& regional, DayNumber today);
std::optional<std::string> FoalingDateProblem(DayNumber date, const Regional& regional, DayNumber today);
inline constexpr int kMatingFallbackDays = 180;
inline constexpr int kFoalingFallbackDays = 90;
// A lactating mare's mating date counts from 8 days after the foaling.
bool MatingAcceptedWhileLactating(DayNumber mating, DayNumber foaling);
// The date a months field stands for: that many months before today plus 15 days.
DayNumber DateFromMonthsField(int months, DayNumber today);

// ---- typed values

std::optional<std::string> AdultWeightProblem(double kg);
std::optional<std::string> DailyGainProblem(double kgPerDay);
std::optional<std::string> GirthProblem(double cm);
std::optional<std::string> RegistrationNumberProblem(std::string_view text);
// A number typed with a comma or a point as decimal separator; nothing for other text.
std::optional<double> ParseTypedNumber(std::string_view text);

// Body condition item 0 (fat), 1 (normal), 2 (lean) and the condition factor.
double ConditionFactor(int item);
int ConditionItem(double factor);

// ---- breeds

// "Arabisk fuldblod   (450 kg / 420 kg)".
std::string BreedWeightLine(const Breed& breed);
// The breed name of such a line (the text before " (").
std::string BreedOfWeightLine(std::string_view line);
// The last line that contains the text; -1 when none does (or the text is empty).
int LastLineContaining(const std::vector<std::string>& lines, std::string_view text);
const Breed* FindBreed(const CountrySettings& settings, std::string_view name);
// The stallion weight for sex item 0, else the mare weight; 0 when not a number.
double BreedStandardWeight(const Breed& breed, TKjonn sexItem);
std::string AdultWeightHint(const std::string& horseName, const Breed* breed, const std::string& sexName,
                            double adultWeight);

// ---- weighings

// Replaces the first weighing, or adds one when there is none.
void SetFirstWeighing(TVektListe& list, double kg, DayNumber date);
// Inserts a weighing after `row` (first when the list is empty or row < 0); its index.
int InsertWeighingAfter(TVektListe& list, int row, double kg, DayNumber date);
bool DeleteWeighing(TVektListe& list, int row);
// Today's weight typed for a young horse: the last weighing takes it when it is from
// today, otherwise a weighing of today is added.
void SetTodaysWeight(THest& h, double kg);
// A new breed's standard weight: with `replace` (or without weighings) the weighings start
// anew from it, for a young horse as its adult weight.
void ApplyBreedStandardWeight(THest& h, double kg);
// The weight, adult weight or growth data of a young horse after its birth date changed.
void ApplyYoungBirthDate(THest& h, DayNumber birth);
// A changed adult weight confirmed: birth weight, first weighing and today's estimate.
void ApplyAdultWeight(THest& h, double kg);
// Today's estimate of a young horse's weight into the working weighing.
void RefreshYoungEstimate(THest& h);

// ---- category changes

struct YoungDefinition {
  bool needed = false;   // the definition dialog opens
  std::string message;   // shown first (empty when the horse was defined before)
  DayNumber birth = 0;   // the dialog's starting values
  double adultWeight = 0;
};
// The adult-category rules; returns the birth-date message when the date was too recent.
std::string ApplyAdultCategory(THest& h, TDyreKategori category);
// The first half of the young-horse rules: when the birth date is not within the last 36
// months the horse gets a proposal (breed weight by sex or 500 kg, six months old) and the
// dialog is needed.
YoungDefinition StartYoungCategory(THest& h, const Breed* breed);
// The dialog's OK: a future date becomes today; the adult weight is taken when it is a
// number.
void ApplyYoungDefinition(THest& h, DayNumber birth, std::string_view adultWeightText);
// The rest of the young-horse rules (defaults without weighings, today's gain).
void FinishYoungCategory(THest& h);
// "Røde sirkler: ..." + " (" + kg + " kg)".
std::string YoungChartCaption(double kg);

// ---- training and paddock

struct TrainingControls {
  bool paddock = false;
  int trackPosition = 0;  // 0..100
};
// The training amount from the controls (the controls may change too).
TrainingControls ApplyTrainingControls(THest& h, TrainingControls controls);
bool PaddockVisible(const THest& h);
bool PaddockEnabled(const THest& h);
std::string EnergyRequirementLabel(const THest& h, int trackPosition);
std::string RationEnergyLabel(const THest& h);
std::string PregnancyTrainingWarning(const THest& h);

struct EnergyBar {
  double unit = 0;        // pixels per percent of the requirement
  int greenEnd = 0;       // roughage part, from 0
  int yellowEnd = 0;      // concentrate part, from greenEnd
  int redEnd = 0;         // over 126 %: one red bar from 0
  int line = 0;           // the 100 % mark
  bool valid = false;     // false without a requirement
};
EnergyBar ComputeEnergyBar(int width, double supply, double requirement, double roughagePercent);
std::string EnergyBarHint(double roughagePercent, char decimalSeparator);

// ---- weight chart

bool WeightChartShown(const THest& h);
double WeightChartMaximum(const THest& h);
// A value axis from 0 in round steps (1, 2 or 5 times a power of ten) that reaches at
// least `maximum`, with at most `maxIntervals` intervals: the ticks a reader expects
// (0, 100, 200 ... rather than 0, 121, 242 ...).
struct RoundAxis {
  double top = 0;
  double step = 0;
  int intervals = 0;
};
RoundAxis RoundAxisFor(double maximum, int maxIntervals = 8);
// The weight chart's value axis: up to WeightChartMaximum (100 when there is none).
RoundAxis WeightChartAxis(const THest& h);
// The end of a young horse's time axis: 36 months after birth when it is older than 14
// months, else 15 months.
DayNumber YoungChartEnd(const THest& h, DayNumber today);
struct ChartPoint {
  DayNumber day;
  double kg;
};
// The growth band: the estimate x 0.95 and x 1.05 for every day from birth to `end`.
void GrowthBand(const THest& h, DayNumber end, std::vector<ChartPoint>& lower, std::vector<ChartPoint>& upper);

// ---- treatments

enum class DoneDateCheck { kOk, kConfirm, kRefuse };
DoneDateCheck CheckDoneDate(DayNumber done, DayNumber today);
std::string DoneDateConfirmText();
std::string DoneDateRefusedText(const Regional& regional, DayNumber today);

enum class TreatmentDateMode { kNew, kPlanned, kDone };
TreatmentDateMode DateModeOf(const TTreatmentObj& t, bool createdForEdit);
std::string TreatmentDateCaption(const TTreatmentObj& t, TreatmentDateMode mode);
// The hint of the ban icon; empty when the horse is not banned.
std::string BanHint(const TTreatmentList& list);

struct TreatmentButtons {
  bool report = false;
  bool remove = false;
  bool sort = false;
  bool add = false;
};
TreatmentButtons TreatmentButtonRules(int treatments, bool nodeHasTreatment, bool editOpen);

// Appends an own name (with an empty address) to a type's register line.
void AddOwnTreatmentName(TPreferences& preferences, int type, const std::string& name);
// A register address counts when its upper-case form holds "WWW" and a "." after it.
bool IsWebAddress(std::string_view address);
// The page for a treatment name: its register address, or a web search for "Hest+name".
std::string TreatmentPage(const std::string& name, const std::string& address);

// ---- young-horse definition dialog

// "Alder" + ": " + months + " " + "måneder".
std::string AgeLabel(DayNumber birth, DayNumber today);
// The slider position for a date (the age in months, at most 24).
int SliderPosition(DayNumber birth, DayNumber today);
// The date a slider position stands for.
DayNumber DateOfSlider(int months, DayNumber today);

}  // namespace stallora
