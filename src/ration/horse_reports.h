#pragma once
// A horse's printable pages: the full and the simple feeding plan, the graphics page with
// the balance chart, the requirement page, the meal page and the weight page; the blocks
// they share (the horse summary, the ration table) and the summary lines the diary takes
// over. They live beside the ration evaluation because every page but the weight page
// evaluates the ration first.
//
// Pages are Windows-1252 strings whose lines end with LF CR. Record text (names, feed
// names, notes, the ration comment) is HTML-escaped where it enters a page; the diary
// lines are plain text.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/canvas.h"
#include "core/record.h"
#include "core/texts.h"
#include "core/common_texts.h"
#include "nutrition/hest.h"
#include "nutrition/report_common.h"

namespace stallora {

inline constexpr const Text& kHestetype = common::kHestetype;
inline constexpr Text kOevrigeOpgaver{"horsereport.othertasks", "Øvrige opgaver"};
inline constexpr const Text& kRptI = common::kI;
inline constexpr const Text& kRptMdr = common::kMdr;
inline constexpr const Text& kMdrDraegtig = common::kMdrDraegtig;
inline constexpr const Text& kFoedselsdato = common::kFoedselsdato;
inline constexpr Text kTilvaekst{"horsereport.gain", "Tilvækst"};
inline constexpr const Text& kForventetVoksenvaegt = common::kForventetVoksenvaegt;
inline constexpr Text kHurtigTilvaekst{"horsereport.fastgain", "Hurtig tilvækst valgt. Energiforsyningen øget med 25%"};
inline constexpr Text kEkstraAktivitet{"horsereport.extraactivity",
                                       "Ekstra aktivitet valgt. Energibehov forhøjet med 10%"};
inline constexpr const Text& kTimerPaaGraes = common::kTimerPaaGraes;
inline constexpr Text kVaegtNed{"horsereport.losing", "Hesten går ned i vægt. Energibehovet nedsat"};
inline constexpr Text kForTynd{"horsereport.thin", "Hesten er for tynd. Energibehovet øget"};
inline constexpr const Text& kKommentarerTilFoderplanen = common::kKommentarerTilFoderplanen;
inline constexpr Text kFoderemner{"horsereport.feeds", "Foderemner og vægt i dagsrationen"};
inline constexpr Text kForLidtSalt{"horsereport.lowsalt", "For lidt salt! Giv saltsten eller andet saltrigt supplement"};
inline constexpr Text kForhold{"horsereport.ratio", "forhold"};
inline constexpr Text kTilfoerselAf{"horsereport.supplyof", "Tilførsel af"};
inline constexpr const Text& kEnhed = common::kEnhed;
inline constexpr Text kIndtag{"horsereport.intake", "Indtag"};
inline constexpr Text kBalance{"horsereport.balance", "Balance"};
inline constexpr Text kUdenforOptimal{"horsereport.outside", "*: Indhold af næringsstof udenfor optimalområdet"};
inline constexpr const Text& kKommentar = common::kKommentar;
inline constexpr Text kFoderplanLower{"horsereport.feedplanlower", "foderplan"};
inline constexpr const Text& kForLidt = common::kForLidt;
inline constexpr const Text& kForMeget = common::kForMeget;
inline constexpr const Text& kFoedt = common::kFoedt;
inline constexpr const Text& kBedaekningsdato = common::kBedaekningsdato;
inline constexpr const Text& kFolningsdato = common::kFolningsdato;
inline constexpr const Text& kNaeringsstoffer = common::kNaeringsstoffer;
inline constexpr const Text& kFoder = common::kFoder;
inline constexpr Text kMaengderIKilo{"horsereport.kilos", "Mængder i kilo hvis ikke andet er angivet"};
inline constexpr const Text& kVaegtudvikling = common::kVaegtudvikling;
inline constexpr const Text& kUdarbejdet = common::kUdarbejdet;
inline constexpr const Text& kDato = common::kDato;
inline constexpr const Text& kOplysningerOmHesten = common::kOplysningerOmHesten;
inline constexpr const Text& kStartforbud = common::kStartforbud;
inline constexpr const Text& kTil = common::kTil;
inline constexpr Text kDage{"horsereport.days", "dage"};
inline constexpr const Text& kAar = common::kAar;
inline constexpr Text kGaarPaaFold{"horsereport.paddock", "går på fold"};
inline constexpr Text kEnergiOgProtein{"horsereport.energyprotein", "Energi- og proteinforsyning"};

// Writes pictures that are drawn on a canvas: the library draws, the program's picture
// writer (src/render) owns the pixels and the JPEG encoder.
class PictureWriter {
 public:
  virtual ~PictureWriter() = default;
  // Draws a white picture of the size with `draw` and writes it as a JPEG file at full
  // quality; false when it cannot be written.
  virtual bool WriteJpeg(int width, int height, const std::function<void(Canvas&)>& draw,
                         const std::filesystem::path& path) = 0;
};

class HorseReports {
 public:
  // `horseDirectory` is where the report files and pictures go (the horse's directory in
  // its stable); without a picture writer the graphics page has no chart.
  HorseReports(THest& horse, std::filesystem::path horseDirectory, PictureWriter* pictures = nullptr);

  // The path of report `kind`; the horse's directory is created when missing (`error`
  // receives the storage-directory message when it cannot be).
  std::filesystem::path Filnavn(int kind, std::string* error = nullptr) const;
  // Writes a page to report file `kind`: its path, or an empty path with `error` set.
  std::filesystem::path Skriv(int kind, const std::string& page, std::string* error = nullptr) const;

  std::string LagFoderplan(bool comments);
  std::filesystem::path SkrivFoderplan(bool comments, std::string* error = nullptr);
  std::string LagSimpelFoderplan();
  std::filesystem::path SkrivSimpelFoderplan(std::string* error = nullptr);
  // Writes report file 2 (with the balance chart picture beside it); its path, or an empty
  // path when it could not be written.
  std::filesystem::path LagGrafikkside(std::string* error = nullptr);
  // The graphics page as LagGrafikkside writes it; writes the chart picture into the
  // horse's directory (the page shows it only when it was written).
  std::string Grafikkside();
  std::string LagBehovside();
  std::string LagMaltidside();
  // Writes report file 5. Returns the path of the weight chart picture when the page shows
  // one (else empty); when the page cannot be written, `error` is "Kunne ikke dannes" and
  // the file name.
  std::filesystem::path LagVektside(std::string* error = nullptr);
  // The weight page as it is written (the picture reference included when the picture
  // file exists).
  std::string Vektside() const;

  std::string Hesteinfo(bool roughage, bool comment) const;
  std::string Rasjonstabell() const;
  std::string Tilstandslinje() const;
  // The diary's summary lines. `forComparison` leaves out the birth line (lines made to
  // compare with another horse).
  void Hestelinjer(StringList& lines, bool forComparison = false) const;
  void Rasjonslinjer(StringList& lines);

  // The conclusion line under the ration table: salt warning, Ca/P, protein per energy
  // unit, Mn/Zn.
  std::string Konklusjonslinje() const;

  const std::filesystem::path& HorseDirectory() const { return dir_; }

 private:
  void Evaluate();
  std::string F(int width, int decimals, double value) const;
  std::string Category() const;
  const CountrySettings& Settings() const;

  THest& h_;
  std::filesystem::path dir_;
  PictureWriter* pictures_;
};

// A meal count as the reports use it: 0 for a negative count, and at most 100, so that a
// count read from a damaged file cannot make a report allocate without bound.
int ReportMealCount(int meals);

// The stable's feeding times become the horse's, and every ration feed's meals start
// empty with its whole daily amount undistributed.
void StallMaltider(THest& h, int stallNoMeals, const StringList& sfTider);

// The amount of a feed at each meal 0 .. meals-1 from its meal lines: a missing line is
// added as "0"; a comma is read as the decimal point; a line that is not a number is 0.
std::vector<double> MealAmounts(TFor& feed, int meals);

// A feeding time line (seconds after midnight) in a time format ("hhmm", "hh:nn"); empty
// when the line is not a number of seconds within a day.
std::string FeedingTimeText(std::string_view line, std::string_view format);

// ---- the nutrient advice file

// The advice that the feeding plan prints for a key ("-" or "+" and the nutrient's name):
// the lines after the first line containing the key, up to an empty line or a line
// starting with "+" or "-"; a line that is only "#" is skipped, a leading "#" removed, and
// each line joined after a blank. Empty when no line contains the key.
std::string NutrientAdvice(std::string_view fileText, std::string_view key);

// The advice as the ration page shows it: the section whose first line is exactly the
// marker ("+" or "-" and the name) up to the next line starting with "+" or "-"; a line
// with "#" starts a paragraph (its text from the second character), other lines continue
// the paragraph after a blank; a paragraph holds at most 255 characters. Empty when the
// file has no such section.
std::vector<std::string> AdviceParagraphs(std::string_view fileText, std::string_view marker);

// The general text between the first line containing "BTEXT.MORENUTR" and the next line
// containing "ETEXT.MORENUTR".
std::vector<std::string> MoreNutrientsLines(std::string_view fileText);

}  // namespace stallora
