#include "ration/horse_reports.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <system_error>

#include "config/preferences.h"
#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/html_report.h"
#include "core/textutil.h"
#include "feeds/feedlist.h"
#include "ration/balance_chart.h"
#include "ration/evaluation.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    pos = end + 1;
  }
  return lines;
}

bool StartsWithSign(std::string_view line) { return !line.empty() && (line[0] == '+' || line[0] == '-'); }

bool FileExists(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

// The ration comment is the memo's lines joined with "<br>": each line is escaped, the
// joins stay line breaks.
std::string EscapeComment(const std::string& comment) {
  static constexpr std::string_view kBreak = "<br>";
  std::string out;
  size_t pos = 0;
  for (;;) {
    const size_t at = comment.find(kBreak, pos);
    out += HtmlEscape(std::string_view(comment).substr(pos, at == std::string::npos ? std::string::npos : at - pos));
    if (at == std::string::npos) break;
    out += kBreak;
    pos = at + kBreak.size();
  }
  return out;
}

std::string TwoDigits(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}

// A number as printf's "%.Nf" writes it, with the user's decimal separator.
std::string Fixed(double value, int decimals, char separator) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  std::string s = buf;
  if (const size_t dot = s.find('.'); dot != std::string::npos) s[dot] = separator;
  return s;
}

// The mark of a nutrient whose requirement formula failed, and the notes saying which
// formula and why: a requirement of 0 from a fault must not read as a computed one.
constexpr std::string_view kFaultMark = " (!)";

std::string FaultMark(const THest& h, int nutrient) {
  return h.FormulaFailed(nutrient) ? std::string(kFaultMark) : std::string();
}

std::string FaultNotes(const THest& h, const CountrySettings& s) {
  std::string r;
  for (const FormulaFault& f : h.formulaFaults) {
    std::string message = f.message;
    for (char& c : message)
      if (c == '\r' || c == '\n') c = ' ';
    AppendHtmlLine(r, "<font color=\"red\" face=\"Arial\" size=\"2\">" + std::string(kFaultMark.substr(1)) + " " +
                          s.NutrientName(f.nutrient) + ": " + Tr(kRequirementNotComputed) + ". " + Tr(kFormulaWord) +
                          ": " + HtmlEscape(f.formula) + ". " + HtmlEscape(message) + "</font><br>");
  }
  return r;
}

std::string Years(DayNumber from, DayNumber to) {
  return std::to_string(DecodeDate(to).year - DecodeDate(from).year);
}

}  // namespace

// ---- helpers

int ReportMealCount(int meals) { return std::clamp(meals, 0, 100); }

std::vector<double> MealAmounts(TFor& feed, int meals) {
  std::vector<double> amounts;
  for (int i = 0; i < meals; ++i) {
    if (static_cast<int>(feed.Fordeling.size()) <= i) feed.Fordeling.push_back("0");
    const std::optional<double> v = ReadDecimal(feed.Fordeling[static_cast<size_t>(i)]);
    amounts.push_back(v ? *v : 0.0);
  }
  return amounts;
}

std::string FeedingTimeText(std::string_view line, std::string_view format) {
  const std::string text = Trim(line);
  if (text.empty() || text.size() > 6) return {};
  int seconds = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return {};
    seconds = seconds * 10 + (c - '0');
  }
  if (seconds >= 86400) return {};
  // "hh" the hours, "nn" (or "mm", the minutes when it follows hours) the minutes.
  std::string out(format);
  auto put = [&](std::string_view code, int value) {
    if (const size_t at = out.find(code); at != std::string::npos) out.replace(at, code.size(), TwoDigits(value));
  };
  put("hh", seconds / 3600);
  put("nn", seconds % 3600 / 60);
  put("mm", seconds % 3600 / 60);
  return out;
}

void StallMaltider(THest& h, int stallNoMeals, const StringList& sfTider) {
  h.HestNoMeals = stallNoMeals;
  h.HFTider = sfTider;
  for (const auto& f : h.ForListe->Feeds()) {
    f->Fordeling.assign(static_cast<size_t>(ReportMealCount(stallNoMeals)), "0");
    f->MealKg.fill(0);
    f->UndistributedRemainder = f->TildeltKg;
  }
}

std::string NutrientAdvice(std::string_view fileText, std::string_view key) {
  const std::vector<std::string_view> lines = SplitLines(fileText);
  size_t i = 0;
  while (i < lines.size() && lines[i].find(key) == std::string_view::npos) ++i;
  std::string advice;
  if (key.empty() || i == lines.size()) return advice;
  for (++i; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    if (Trim(line).empty() || StartsWithSign(line)) break;
    if (line == "#") continue;
    if (line[0] == '#') line.remove_prefix(1);
    advice += ' ';
    advice += line;
  }
  return advice;
}

std::vector<std::string> AdviceParagraphs(std::string_view fileText, std::string_view marker) {
  const std::vector<std::string_view> lines = SplitLines(fileText);
  std::vector<std::string> paragraphs;
  size_t i = 0;
  while (i < lines.size() && lines[i] != marker) ++i;
  if (marker.empty() || i == lines.size()) return paragraphs;
  auto append = [&](std::string_view text) {
    std::string& p = paragraphs.back();
    p.append(text.substr(0, 255 - std::min<size_t>(p.size(), 255)));
  };
  for (++i; i < lines.size() && !StartsWithSign(lines[i]); ++i) {
    const std::string_view line = lines[i];
    if (line.find('#') != std::string_view::npos) {
      paragraphs.emplace_back();
      append(line.substr(1));
    } else {
      if (paragraphs.empty()) paragraphs.emplace_back();
      append(" ");
      append(line);
    }
  }
  return paragraphs;
}

std::vector<std::string> MoreNutrientsLines(std::string_view fileText) {
  const std::vector<std::string_view> lines = SplitLines(fileText);
  std::vector<std::string> out;
  size_t i = 0;
  while (i < lines.size() && lines[i].find("BTEXT.MORENUTR") == std::string_view::npos) ++i;
  for (++i; i < lines.size() && lines[i].find("ETEXT.MORENUTR") == std::string_view::npos; ++i)
    out.emplace_back(lines[i]);
  return out;
}

// ---- HorseReports

HorseReports::HorseReports(THest& horse, fs::path horseDirectory, PictureWriter* pictures)
    : h_(horse), dir_(std::move(horseDirectory)), pictures_(pictures) {}

const CountrySettings& HorseReports::Settings() const { return SettingsOf(*h_.env); }

std::string HorseReports::F(int width, int decimals, double value) const {
  return FormatFixed(width, decimals, value, h_.env->regional.decimalSeparator);
}

std::string HorseReports::Category() const {
  return CountrySettings::NameAt(Settings().categoryNames, Ord(h_.Kategori));
}

void HorseReports::Evaluate() {
  h_.BeregnBehov();
  BeregnTilforsel(h_);
}

fs::path HorseReports::Filnavn(int kind, std::string* error) const { return HorseReportPath(dir_, h_, kind, error); }

fs::path HorseReports::Skriv(int kind, const std::string& page, std::string* error) const {
  std::string problem;
  const fs::path path = Filnavn(kind, &problem);
  if (problem.empty() && WriteReportFile(path, page)) return path;
  if (error) *error = problem.empty() ? Tr(kKunneIkkeDannes) + " " + PathText(path) : problem;
  return {};
}

std::string HorseReports::Hesteinfo(bool roughage, bool comment) const {
  const THest& h = h_;
  const CountrySettings& s = Settings();
  const std::string category = Category();
  const std::string br = "<br>";
  std::string d;
  switch (h.Kategori) {
    case TDyreKategori::Vedlikehold:
    case TDyreKategori::Avlsdyr: d = "-"; break;
    case TDyreKategori::Trening: d = "-" + h.TreningsTekst() + "."; break;
    case TDyreKategori::Drektig:
      d = category + "  " + Tr(kRptI) + " " + std::to_string(h.DrektighetsMnd()) + ". " + Tr(kRptMdr) + " - " + " " +
          h.TreningsTekst();
      break;
    case TDyreKategori::Lakterende:
      d = category + "  " + std::to_string(h.LaktasjonsMnd()) + ". " + Tr(kRptMdr) + ".";
      if (h.ParringsDato > h.PartusDato)
        d += " - " + std::to_string(h.DrektighetsMnd()) + " " + FirstLetterLower(Tr(kMdrDraegtig));
      break;
    case TDyreKategori::Ungdyr:
      d = Tr(kFoedselsdato) + " " + DateTimeText(h.env->regional, h.Fodselsdato) + br +
          CountrySettings::NameAt(s.youngTrainingNames, Ord(h.UngDyrTrening)) + br + Tr(kTilvaekst) +
          F(7, 2, h.Sistetilvekst) + " kg" + Tr(kDag) + br + Tr(kForventetVoksenvaegt) + F(5, 0, h.ForventetVoksenvekt) +
          " kg";
      if (h.OnsketVekstHastighet == TWeightGainRate::Fast) d += br + Tr(kHurtigTilvaekst);
      if (h.UngDyrTrening == TUngDyrTrening::YoungNoTraining && h.EkstraAktivitet()) d += br + Tr(kEkstraAktivitet);
      break;
    case TDyreKategori::Udefinert: break;
  }
  switch (h.Kategori) {
    case TDyreKategori::Vedlikehold:
    case TDyreKategori::Drektig:
    case TDyreKategori::Lakterende:
    case TDyreKategori::Avlsdyr:
      if (h.EkstraAktivitet())
        d += (h.Kategori == TDyreKategori::Vedlikehold ? std::string() : br) + Tr(kEkstraAktivitet);
      break;
    default: break;
  }
  if (h.PaBeite()) d += " - " + std::to_string(h.TimerBeiting) + " " + Tr(kTimerPaaGraes);
  if (h.VedlikeholdsTurbo < 0)
    d += br + Tr(kVaegtNed) + " " + F(4, 0, -h.VedlikeholdsTurbo * 100) + "%";
  else if (h.VedlikeholdsTurbo > 0)
    d += br + Tr(kForTynd) + " " + F(4, 0, h.VedlikeholdsTurbo * 100) + "%";
  if (roughage && h.ForListe->Supply(24) > 0) d += br + Grovforvurdering(h);

  std::string r;
  AppendHtmlLine(r, TableFrameStart());
  AppendHtmlLine(r, HeaderRowStart());
  AppendHtmlLine(r, "<th width=\"30%\" align=\"left\">" + Tr(kHestetype) + "</th>");
  AppendHtmlLine(r, "<th width=\"70%\" align=\"left\">" + category + "</th>");
  AppendHtmlLine(r, RowEnd());
  AppendHtmlLine(r, "<tr bgcolor=\"#FFFFFF\"><td>" + Tr(kWordVaegtdata) + "</td>");
  AppendHtmlLine(r, "<td>" + F(5, 0, h.AktuellVekt()) + " kg" + "</td></tr>");
  AppendHtmlLine(r, "<tr bgcolor=\"#FFFFFF\" valign=\"top\"><td>" + Tr(kOevrigeOpgaver) + "</td>");
  AppendHtmlLine(r, "<td>" + d + "</td></tr>");
  if (comment && !h.rationComment.empty()) {
    AppendHtmlLine(r, "<tr bgcolor=\"#FFFFFF\" valign=\"top\"><td>" + Tr(kKommentarerTilFoderplanen) + "</td>");
    AppendHtmlLine(r, "<td>" + EscapeComment(h.rationComment) + "</td></tr>");
  }
  AppendHtmlLine(r, TableFrameEnd());
  return r;
}

std::string HorseReports::Konklusjonslinje() const {
  const THest& h = h_;
  const CountrySettings& s = Settings();
  const auto& T = h.Tilforsel;
  std::string l;
  if (ForLiteSalt(h)) l += Tr(kForLidtSalt) + " - ";
  l += s.NutrientName(6) + " " + Tr(kForhold) + " " + F(3, 1, T[6]);
  if (h.UtenforOmrade[6]) l += "*";
  l += " - ";
  if (T[0] > 0) l += s.NutrientName(1) + " " + F(6, 2, T[1] / T[0]) + " " + "g/" + s.NutrientUnit(0) + " -  ";
  if (T[9] > 0) l += s.NutrientName(11) + "/" + s.NutrientName(9) + " " + Tr(kForhold) + " " + F(6, 2, T[11] / T[9]);
  return l;
}

std::string HorseReports::Rasjonstabell() const {
  const THest& h = h_;
  std::string r;
  AppendHtmlLine(r, TitleBlock(Tr(kWordFoderplan), FirstLetterUpper(Tr(kFoderomkostninger)) + ":" +
                                                       FormatMoneyFixed(6, 2, h.ForListe->TotalPrice(), h.env->regional.decimalSeparator) + " " +
                                                       h.env->regional.currencySymbol + Tr(kDag)));
  AppendHtmlLine(r, TableFrameStart());
  AppendHtmlLine(r, HeaderRowStart());
  AppendHtmlLine(r, "<th width=\"70%\" colspan=\"3\" align=\"center\">" + Tr(kFoderemner) + "</th>");
  AppendHtmlLine(r, "<th width=\"30%\" align=\"center\">" + Tr(kFoderpris) + "/kg" + "</th>");
  AppendHtmlLine(r, RowEnd());
  for (const auto& f : h.ForListe->Feeds()) {
    AppendHtmlLine(r, "<tr bgcolor=#FFFFFF>");
    AppendHtmlLine(r, "<td>" + HtmlEscape(f->Fornavn) + "</td>");
    AppendHtmlLine(r, "<td align=\"center\">");
    if (IsSupplementCategory(f->Fortype)) {
      AppendHtmlLine(r, F(5, 0, f->TildeltKg * 1000) + "</td>");
      AppendHtmlLine(r, "<td align=\"center\"> g </td>");
    } else {
      AppendHtmlLine(r, F(5, 2, f->TildeltKg) + "</td>");
      AppendHtmlLine(r, "<td align=\"center\"> kg </td>");
    }
    AppendHtmlLine(r, "<td align=\"center\">" + FormatMoneyFixed(6, 2, f->Pris, h.env->regional.decimalSeparator) + "</td>");
    AppendHtmlLine(r, "</tr>");
  }
  AppendHtmlLine(r, "<tr bgcolor=#FFFFFF><td colSpan=4>" + Konklusjonslinje() + "</td></tr>");
  AppendHtmlLine(r, TableFrameEnd());
  return r;
}

std::string HorseReports::LagFoderplan(bool comments) {
  Evaluate();
  THest& h = h_;
  const RecordEnvironment& env = *h.env;
  const CountrySettings& s = Settings();
  const std::string br = "<br><hr size=\"2\" noshade>";
  std::string r;
  AppendHtmlLine(r, SimplePageHead());
  AppendHtmlLine(r, TitleBlockWithRule(Tr(kWordFoderplan) + " " + DateTimeText(env.regional, h.ForListe->EndretDato),
                                       HtmlEscape(h.Navn)));
  r += Rasjonstabell();
  AppendHtmlLine(r, br);
  AppendHtmlLine(r, TitleBlock(Tr(kOevrigeOpgaver), " "));
  r += Hesteinfo(true, true);
  AppendHtmlLine(r, br);
  AppendHtmlLine(r, "<a name=\"StartShow\"></a>");

  AppendHtmlLine(r, TitleBlock(Tr(kTilfoerselAf) + " " + FirstLetterLower(Tr(kNaeringsstof)), ""));
  AppendHtmlLine(r, TableFrameStart());
  AppendHtmlLine(r, HeaderRowStart());
  AppendHtmlLine(r, "<th width=\"21%\" align=\"left\">" + Tr(kNaeringsstof) + "</th>");
  AppendHtmlLine(r, "<th width=\"10%\" align=\"center\">" + Tr(kEnhed) + "</th>");
  for (const Text* head : {&kWordBehov, &kIndtag, &kBalance})
    AppendHtmlLine(r, "<th width=\"17%\" align=\"center\">" + Tr(*head) + "</th>");
  AppendHtmlLine(r, "<th width=\"17%\" align=\"center\">%</th>");
  AppendHtmlLine(r, RowEnd());
  const TPreferences* prefs = env.preferences;
  bool anyFlagged = false;
  for (int i = 0; i < kNutrientCount; ++i) {
    const auto k = static_cast<size_t>(i);
    anyFlagged = anyFlagged || h.UtenforOmrade[k];
    if (i == 6 || (prefs && !prefs->useNutrient[k])) continue;
    const bool flagged = h.UtenforOmrade[k];
    const std::string c = flagged ? "\"red\"" : "\"black\"";
    const std::string cell = "<td Align=\"center\"><font color=" + c + ">";
    AppendHtmlLine(r, "<tr bgcolor=\"#FFFFFF\">");
    AppendHtmlLine(r, "<td Align=\"left\"><font color=" + c + ">" + s.NutrientName(i) + (flagged ? "*" : "") +
                          FaultMark(h, i) + "</td>");
    AppendHtmlLine(r, cell + s.NutrientUnit(i) + "</td>");
    AppendHtmlLine(r, cell + F(8, 2, h.Behov[k]) + "</td>");
    AppendHtmlLine(r, cell + F(8, 2, h.Tilforsel[k]) + "</td>");
    AppendHtmlLine(r, cell + F(8, 2, h.Tilforsel[k] - h.Behov[k]) + "</td>");
    if (h.Behov[k] != 0)
      AppendHtmlLine(r, cell + F(3, 0, h.Tilforsel[k] / h.Behov[k] * 100) + "</td></tr>");
    else
      AppendHtmlLine(r, "<td>&nbsp;</td></tr>");
  }
  AppendHtmlLine(r, TableFrameEnd());
  if (anyFlagged)
    AppendHtmlLine(r, "<font color=\"red\" font face=\"Arial\" size =\"2\">" + Tr(kUdenforOptimal) + "</font><br>");
  r += FaultNotes(h, s);
  AppendHtmlLine(r, "<br>");
  AppendHtmlLine(r, ReportFooter(FooterDataOf(env)));
  AppendHtmlLine(r, "<P CLASS=\"breakhere\">");

  if (comments && anyFlagged && prefs) {
    const fs::path adviceFile = prefs->FeedInfoFile();
    const std::optional<std::string> advice = FileExists(adviceFile) ? ReadWholeFile(adviceFile) : std::nullopt;
    if (advice) {
      for (int n = 0; n < 10; ++n) AppendHtmlLine(r, "<br>");
      AppendHtmlLine(r, "<font face=\"Arial\" size=\"4\">" + HtmlEscape(h.Navn) + ":  " + Tr(kKommentar) + " " +
                            Tr(kFoderplanLower) + " " + env.regional.FormatShortDate(env.Today()) + "</font>");
      AppendHtmlLine(r, TableFrameStart());
      AppendHtmlLine(r, HeaderRowStart());
      AppendHtmlLine(r, "<th width=\"20%\" align=\"left\">" + Tr(kNaeringsstof) + "</th>");
      AppendHtmlLine(r, "<th width=\"80%\" align=\"left\">" + Tr(kKommentar) + "</th>");
      AppendHtmlLine(r, RowEnd());
      for (int k = 0; k < kNutrientCount; ++k) {
        const auto i = static_cast<size_t>(k);
        if (!h.UtenforOmrade[i]) continue;
        const bool shortage = h.Behov[i] >= h.Tilforsel[i];
        const std::string key = (shortage ? "-" : "+") + s.NutrientName(k);
        AppendHtmlLine(r, "<tr bgcolor=\"#FFFFFF\">");
        AppendHtmlLine(r, "<td Align=\"left\">" + Tr(shortage ? kForLidt : kForMeget) + " " + s.NutrientName(k) + "</td>");
        AppendHtmlLine(r, "<td Align=\"left\">" + NutrientAdvice(*advice, key) + "</td></tr>");
      }
      AppendHtmlLine(r, TableFrameEnd());
    }
  }
  AppendHtmlLine(r, PageEnd());
  return r;
}

fs::path HorseReports::SkrivFoderplan(bool comments, std::string* error) {
  return Skriv(kFeedPlanReport, LagFoderplan(comments), error);
}

std::string HorseReports::LagSimpelFoderplan() {
  Evaluate();
  THest& h = h_;
  const RecordEnvironment& env = *h.env;
  const CountrySettings& s = Settings();

  std::string c = Category() + ". ";
  if (h.Kategori == TDyreKategori::Ungdyr) {
    c += Tr(kFoedselsdato) + " " + DateTimeText(env.regional, h.Fodselsdato) + ".  " +
         CountrySettings::NameAt(s.youngTrainingNames, Ord(h.UngDyrTrening));
    c += h.OnsketVekstHastighet == TWeightGainRate::Fast ? ", " + Tr(kHurtigTilvaekst) : std::string(". ");
    if (h.UngDyrTrening == TUngDyrTrening::YoungNoTraining && h.EkstraAktivitet()) c += "<, >" + Tr(kEkstraAktivitet);
  } else {
    c += Tr(kFoedt) + " " + std::to_string(DecodeDate(h.Fodselsdato).year);
    if (h.Kategori == TDyreKategori::Vedlikehold) {
      c += ".";
    } else {
      c += ", ";
      if (h.Kategori == TDyreKategori::Trening) c += FirstLetterLower(h.TreningsTekst());
      if (h.Kategori == TDyreKategori::Drektig)
        c += FirstLetterLower(Tr(kBedaekningsdato)) + " " + env.regional.FormatShortDate(h.ParringsDato);
      if (h.Kategori == TDyreKategori::Lakterende)
        c += FirstLetterLower(Tr(kFolningsdato)) + " " + env.regional.FormatShortDate(h.PartusDato);
    }
  }

  std::string r = FeedPlanPageHead();
  r += "<body>";
  r += "<table id=\"overskrift\" cellpadding=\"0\" cellspacing=\"0\" border=\"0\" style=\"width:100%;max-width:1000px;"
       "border:solid 0px #cccccc;padding:10px; margin-bottom: 0px;\">";
  r += "<tr>";
  r += "<td class=\"tittel\"><h2>";
  r += HtmlEscape(h.Navn);
  r += "</h2></td>";
  r += "</tr><tr>";
  r += "<td colspan=\"3\" class=\"konklusjon\"><h5>";
  r += c;
  r += "</h5></td>";
  r += "</tr>";
  r += "</table>";

  r += "<br><h3>" + Tr(kWordFoderplan) + " " + env.regional.FormatShortDate(h.ForListe->EndretDato) + "</h3><hr>" +
       "<table id=\"rasjon\" cellpadding=\"1\" cellspacing=\"1\" border=\"0\" style=\"width:450px;max-width:450px "
       "!important;border:solid 0px #cccccc;padding:10px; margin-bottom: 0px;\">";
  for (const auto& f : h.ForListe->Feeds()) {
    const bool grams = IsSupplementCategory(f->Fortype);
    const std::string amount = Trim(grams ? F(4, 0, f->TildeltKg * 1000) : F(5, 1, f->TildeltKg));
    r += "<tr><td class=\"ra left\">" + HtmlEscape(f->Fornavn) + "</td><td class=\"rb right\">" + amount +
         "</td><td class=\"rc left\">" + (grams ? "g" : "kg") + "</td></tr>";
  }
  r += "</table>";

  r += "<table id=\"konklusjon\" cellpadding=\"0\" cellspacing=\"0\" border=\"0\" style=\"width:100%;max-width:1000px;"
       "border:solid 0px #cccccc;padding:10px; margin-bottom: 0px;\">";
  r += "<tr><td colspan=\"3\" class=\"konklusjon\"><h6>" + Konklusjonslinje() + "</h6></td></tr></table>";
  r += "</br>";

  r += "<h3>" + Tr(kTilfoerselAf) + " " + FirstLetterLower(Tr(kNaeringsstoffer)) + "</h3><hr>" +
       "<table id=\"naering\" cellpadding=\"1\" cellspacing=\"1\" border=\"0\" style=\"max-width:1000px;width:100%;"
       "border:solid 0px #CCCCCC;padding:20px;\">" +
       "<tr><th class=\"na left\">" + " </th>" + "<th class=\"nb right\">" + Tr(kWordBehov) +
       "</th><th class=\"nc right\">" + Tr(kIndtag) + "</th><th class=\"nd right\">" + "%" + "</th></tr>";
  for (int i : {0, 1, 3, 4, 5, 7, 8, 9, 11, 12, 15, 16, 17}) {
    const auto k = static_cast<size_t>(i);
    // A requirement of 0 has no percentage (the full plan leaves the cell empty too).
    const std::string percent = h.Behov[k] != 0 ? F(3, 0, h.Tilforsel[k] / h.Behov[k] * 100) : std::string();
    r += "<tr><td class=\"na left\">" + s.NutrientName(i) + FaultMark(h, i) + "  (" + s.NutrientUnit(i) + ")" + "</td>" +
         "<td class=\"nb right\">" + F(8, 1, h.Behov[k]) + "</td>" + "<td class=\"nc right\">" +
         F(8, 1, h.Tilforsel[k]) + "</td>" + "<td class=\"nd right\">" + percent + "</td>" +
         "<td class=\"ne right\">" + " " + "</td></tr>";
  }
  r += "</table>";
  r += FaultNotes(h, s);
  r += "<br><br>";
  r += ReportFooter(FooterDataOf(env));
  r += "</body></html>";
  return r;
}

fs::path HorseReports::SkrivSimpelFoderplan(std::string* error) {
  return Skriv(kSimpleFeedPlanReport, LagSimpelFoderplan(), error);
}

std::string HorseReports::Grafikkside() {
  Evaluate();
  THest& h = h_;
  const RecordEnvironment& env = *h.env;
  std::string r;
  AppendHtmlLine(r, SimplePageHead());
  AppendHtmlLine(r, TitleBlockWithRule(Tr(kWordFoderplanGrafik) + " " + DateTimeText(env.regional, env.clock->Now()),
                                       HtmlEscape(h.Navn)));
  AppendHtmlLine(r, "<br>");
  r += Rasjonstabell();
  AppendHtmlLine(r, "<br>");
  std::error_code ec;
  fs::create_directories(dir_, ec);
  if (h.ForListe->Count() > 0 && pictures_) {
    const std::string pictureName = h.Navn + "_RationGraphics.jpg";
    std::array<bool, kNutrientCount> shown;
    shown.fill(true);
    if (env.preferences) shown = env.preferences->showNutrient;
    const CountrySettings& settings = Settings();
    const bool written = pictures_->WriteJpeg(
        kBalanceChartWidth, kBalanceChartHeight,
        [&](Canvas& canvas) { TegnBalanse(h, shown, settings, canvas); }, dir_ / PathFromText(pictureName));
    // A picture that could not be written is left out rather than shown as a broken one.
    if (written) AppendHtmlLine(r, "<img src=\"" + HtmlEscape(PathText(dir_) + "/" + pictureName) + "\">");
  }
  AppendHtmlLine(r, ReportFooter(FooterDataOf(env)));
  AppendHtmlLine(r, "</body></html>");
  return r;
}

fs::path HorseReports::LagGrafikkside(std::string* error) { return Skriv(kGraphicsReport, Grafikkside(), error); }

std::string HorseReports::LagBehovside() {
  h_.BeregnBehov();
  const THest& h = h_;
  const RecordEnvironment& env = *h.env;
  const CountrySettings& s = Settings();
  std::string r;
  AppendHtmlLine(r, SimplePageHead());
  AppendHtmlLine(r, TitleBlockWithRule(Tr(kWordBehov) + " " + env.regional.FormatShortDate(env.Today()),
                                       HtmlEscape(h.Navn)));
  r += Hesteinfo(false, false);
  AppendHtmlLine(r, "<br>");
  const int n = static_cast<int>(s.nutrients.size());
  const int leftLast = (n - 1) / 2 + (n % 2 == 0 ? 1 : 0);
  auto table = [&](const char* align, int first, int last) {
    AppendHtmlLine(r, std::string("<table table align=\"") + align +
                          "\" width=\"47%\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\"><tr><td "
                          "bgcolor=\"#000066\"><table width=\"100%\"  border=\"0\" cellspacing=\"1\" cellpadding=\"3\">");
    AppendHtmlLine(r, "<tr bgcolor=\"#CCFFCC\" height=\"25\">");
    AppendHtmlLine(r, "<th width=\"60%\" align=\"left\"><font face=\"Arial\" size=\"2\"><b>" + Tr(kNaeringsstof) +
                          "</b></font></th>");
    AppendHtmlLine(r, "<th width=\"15%\" align=\"center\"><font face=\"Arial\" size=\"2\"><b>" + Tr(kEnhed) +
                          "</b></font></th>");
    AppendHtmlLine(r, "<th width=\"25%\" align=\"right\"><font face=\"Arial\" size=\"2\"><b>" + Tr(kWordBehov) +
                          "</b></font></th>");
    AppendHtmlLine(r, RowEnd());
    for (int i = first; i <= last && i < kNutrientCount; ++i) {
      if (i == 6) continue;
      AppendHtmlLine(r, "<tr bgcolor=\"#FFFFFF\"><td>" + s.NutrientName(i) + FaultMark(h, i) + "</td><td align=\"center\">" +
                            s.NutrientUnit(i) + "</td><td align=\"right\">" +
                            F(8, 2, h.Behov[static_cast<size_t>(i)]) + "</td></tr>");
    }
    AppendHtmlLine(r, TableFrameEnd());
  };
  table("left", 0, leftLast);
  table("right", leftLast + 1, n - 1);
  if (!h.formulaFaults.empty()) {
    AppendHtmlLine(r, "<br clear=\"all\">");
    r += FaultNotes(h, s);
  }
  for (int i = 0; i < 18; ++i) AppendHtmlLine(r, "<br>");
  AppendHtmlLine(r, ReportFooter(FooterDataOf(env)));
  AppendHtmlLine(r, "</body></html>");
  return EscapeNationalLetters(r);
}

std::string HorseReports::LagMaltidside() {
  Evaluate();
  THest& h = h_;
  const RecordEnvironment& env = *h.env;
  const int meals = ReportMealCount(h.HestNoMeals);
  std::vector<std::vector<double>> amounts;
  for (const auto& f : h.ForListe->Feeds()) amounts.push_back(MealAmounts(*f, meals));

  std::string r;
  AppendHtmlLine(
      r,
      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\"><style "
      "type=\"text/css\"><--table {border: 1px solid #000000; background-color:#FFFFFF;}th{font-family:Arial; "
      "font-size:10points; }td{ font-family:Arial; font-size:36points;}.Head18{font-family:Arial; font-size:18pt; "
      "font-weight:bold;}.Head36{font-family:Arial;font-size:30pt;font-weight:bold;text-align:center;}.Time{font-"
      "family:Arial; font-size:24pt; font-weight:bold; text-align: center; padding-left:0px;}.For{font-family:Arial; "
      "font-size:24pt; font-weight: bold; text-align: left; padding-left:2px;}--></style></head><body "
      "bgcolor=\"#FFFFFF\">");
  AppendHtmlLine(r, "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">");
  AppendHtmlLine(r, "<tr>");
  AppendHtmlLine(r, "<td width= \"70%\"><span class=\"Head36\">" + HtmlEscape(h.Navn) + "</span></td>");
  AppendHtmlLine(r, "<td align=\"right\" class=\"Head18\">" + DateTimeText(env.regional, env.clock->Now()) + "</td>");
  AppendHtmlLine(r, "</tr>");
  AppendHtmlLine(r, "<tr><td colspan=\"2\"><hr size=\"2\" noshade></td></tr>");
  AppendHtmlLine(r, "</table>");

  AppendHtmlLine(r, TableFrameStart());
  AppendHtmlLine(r, "<tr bgcolor=\"#CCFFCC\" height=\"25\" class=\"Time\">");
  AppendHtmlLine(r, "<th width=\"50%\" align=\"left\">" + Tr(kFoder) + "</th>");
  for (int i = 0; i < meals && i < static_cast<int>(h.HFTider.size()); ++i) {
    const std::string& line = h.HFTider[static_cast<size_t>(i)];
    if (line == "0")
      AppendHtmlLine(r, "<th align=\"center\">#" + std::to_string(i + 1) + "</th>");
    else
      AppendHtmlLine(r, "<th>" + FeedingTimeText(line, "hhnn") + "</th>");
  }
  AppendHtmlLine(r, "</tr>");
  size_t index = 0;
  for (const auto& f : h.ForListe->Feeds()) {
    const std::vector<double>& meal = amounts[index++];
    if (IsGrazingCategory(f->Fortype)) continue;
    AppendHtmlLine(r, "<tr bgcolor=\"#FFFFFF\" class=\"Head36\">");
    AppendHtmlLine(r, "<td class=\"For\">" + HtmlEscape(f->Fornavn.substr(0, 35)) + "</td>");
    for (double x : meal) {
      // With its semicolon: the program's own HTML view shows a bare "&nbsp" as text.
      std::string cell = "&nbsp;";
      if (x != 0) cell = IsSupplementCategory(f->Fortype) ? F(5, 0, x * 1000) + "g" : F(5, 1, x);
      AppendHtmlLine(r, "<td >" + cell + "</td>");
    }
    AppendHtmlLine(r, "</tr>");
  }
  AppendHtmlLine(r, "<tr bgcolor=#FFFFFF><td colspan=" + std::to_string(meals + 1) + " class=\"Head18\">" +
                        Tr(kMaengderIKilo) + "</td></tr>");
  AppendHtmlLine(r, TableFrameEnd());
  AppendHtmlLine(r, ReportFooter(FooterDataOf(env)));
  AppendHtmlLine(r, "</body></html>");
  return r;
}

std::string HorseReports::Vektside() const {
  const THest& h = h_;
  const RecordEnvironment& env = *h.env;
  std::string r;
  AppendHtmlLine(r, SimplePageHead());
  AppendHtmlLine(r, TitleBlockWithRule(Tr(kVaegtudvikling), HtmlEscape(h.Navn)));
  AppendHtmlLine(r, "<font face=\"Arial\" size =\"2\"><b>" + Tr(kUdarbejdet) + " " +
                        DateTimeText(env.regional, env.clock->Now()) + "</b>");
  AppendHtmlLine(r, "<br>");
  r += Hesteinfo(false, false);
  AppendHtmlLine(r, "<br><br>");
  AppendHtmlLine(r, "<table table width=\"40%\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\"><tr><td "
                    "bgcolor=\"#000000\"><table width=\"100%\"  border=\"0\" cellspacing=\"1\" cellpadding=\"3\">");
  AppendHtmlLine(r, HeaderRowStart());
  AppendHtmlLine(r, "<th width=\"50%\" align=\"center\">" + Tr(kDato) + "</th>");
  AppendHtmlLine(r, "<th width=\"50%\" align=\"center\">" + Tr(kWordVaegtdata) + "</th>");
  AppendHtmlLine(r, RowEnd());
  for (int i = 0; i < h.VektListe->Antall(); ++i) {
    const TVekt* v = h.VektListe->Element(i);
    AppendHtmlLine(r, "<tr bgcolor=\"#FFFFFF\">");
    AppendHtmlLine(r, "<td align=\"center\">" + DateTimeText(env.regional, v->Dato) + "</td>");
    AppendHtmlLine(r, "<td align=\"center\">" + F(5, 0, v->Vekt) + "</td>");
  }
  AppendHtmlLine(r, TableFrameEnd());
  AppendHtmlLine(r, "<br><br>");
  const std::string pictureName = h.Navn + "_" + Tr(kWordVaegtdata) + ".jpg";
  if (FileExists(dir_ / PathFromText(pictureName))) r += " <img src=\"" + HtmlEscape(pictureName) + "\" > ";
  AppendHtmlLine(r, "</body></html>");
  return r;
}

fs::path HorseReports::LagVektside(std::string* error) {
  const std::string page = Vektside();
  std::string problem;
  const fs::path path = Filnavn(kWeightReport, &problem);
  if (!problem.empty() || !WriteReportFile(path, page)) {
    if (error) *error = Tr(kKunneIkkeDannes) + " " + PathText(path);
    return {};
  }
  const fs::path picture = dir_ / PathFromText(h_.Navn + "_" + Tr(kWordVaegtdata) + ".jpg");
  return page.find(" <img src=\"") != std::string::npos ? picture : fs::path();
}

std::string HorseReports::Tilstandslinje() const {
  const THest& h = h_;
  const char sep = h.env->regional.decimalSeparator;
  const std::string category = Category();
  switch (h.Kategori) {
    case TDyreKategori::Ungdyr:
      return category + " " + Tr(kFoedt) + " " + DateTimeText(h.env->regional, h.Fodselsdato) + ". " + Tr(kTilvaekst) +
             " " + Fixed(h.Sistetilvekst, 2, sep) + " " + Tr(kKgPerDag) + ". " + Tr(kForventetVoksenvaegt) + " " +
             Fixed(h.ForventetVoksenvekt, 0, sep) + " kg";
    case TDyreKategori::Trening: return category + ". " + h.TreningsTekst();
    case TDyreKategori::Drektig:
      return category + " " + Tr(kRptI) + " " + std::to_string(h.DrektighetsMnd()) + ". " + Tr(kRptMdr) + " " +
             h.TreningsTekst();
    case TDyreKategori::Lakterende:
      return category + ", " + std::to_string(h.LaktasjonsMnd()) + ". " + Tr(kRptMdr);
    default: return category;
  }
}

void HorseReports::Hestelinjer(StringList& lines, bool forComparison) const {
  const THest& h = h_;
  const RecordEnvironment& env = *h.env;
  const CountrySettings& s = Settings();
  const DayNumber today = env.Today();
  const std::string category = Category();
  const bool young = h.Kategori == TDyreKategori::Ungdyr;
  const bool mare = h.Kategori == TDyreKategori::Drektig || h.Kategori == TDyreKategori::Lakterende;

  lines.push_back(Tr(kOplysningerOmHesten) + " \"" + h.Navn + "\" - " + LongDateText(today));
  if (h.TreatmentListe->IsBanned())
    lines.push_back(Tr(kStartforbud) + " " + FirstLetterLower(Tr(kTil)) + " " +
                    env.regional.FormatShortDate(h.TreatmentListe->BanTreatment()->OKToStartDate));
  lines.push_back(h.Description);
  std::string sex = CountrySettings::NameAt(s.sexNames, Ord(h.Kjonn));
  if (mare) sex = sex.substr(0, sex.find(','));
  lines.push_back(sex + " - " + category);
  if (!forComparison) {
    if (young) {
      std::string age;
      if (h.AlderMnd() < 25)
        age = " (" + std::to_string(h.AlderMnd()) + ". " + Tr(kRptMdr) + ", - " + F(3, 0, today - h.Fodselsdato) + " " +
              Tr(kDage) + ")";
      else
        age = " (" + Years(h.Fodselsdato, today) + " " + Tr(kAar) + ")";
      lines.push_back(Tr(kFoedt) + " " + LongDateText(h.Fodselsdato) + age);
    } else {
      lines.push_back(Tr(kFoedt) + ": " + env.regional.FormatShortDate(h.Fodselsdato) + " (" +
                      Years(h.Fodselsdato, today) + " " + Tr(kAar) + ")");
    }
  }
  if (young) {
    std::string training = CountrySettings::NameAt(s.youngTrainingNames, Ord(h.UngDyrTrening));
    if (h.UngDyrTrening == TUngDyrTrening::YoungNoTraining && h.EkstraAktivitet()) training += ", " + Tr(kGaarPaaFold);
    lines.push_back(training);
  }
  lines.push_back(Tr(kWordVaegtdata) + " kg: " + F(4, 0, h.AktuellVekt()));
  if (young) {
    if (h.OnsketVekstHastighet == TWeightGainRate::Fast) lines.push_back(Tr(kHurtigTilvaekst));
    lines.push_back(Tr(kTilvaekst) + F(5, 2, h.Sistetilvekst) + " " + Tr(kKgPerDag));
  }
  if (h.Kategori == TDyreKategori::Drektig)
    lines.push_back(Tr(kBedaekningsdato) + " " + LongDateText(h.ParringsDato));
  if (h.Kategori == TDyreKategori::Lakterende) {
    lines.push_back(Tr(kFolningsdato) + " " + LongDateText(h.PartusDato));
    if (h.ParringsDato > h.PartusDato) lines.push_back(Tr(kBedaekningsdato) + " " + LongDateText(h.ParringsDato));
  }
  if ((h.Kategori == TDyreKategori::Trening || h.Kategori == TDyreKategori::Drektig) && h.TreningsMengde > 0 &&
      !h.EkstraAktivitet())
    lines.push_back(h.TreningsTekst());
  if ((h.Kategori == TDyreKategori::Vedlikehold || mare || h.Kategori == TDyreKategori::Avlsdyr) &&
      h.EkstraAktivitet())
    lines.push_back(Tr(kEkstraAktivitet));
  if (h.PaBeite()) lines.push_back(std::to_string(h.TimerBeiting) + " " + Tr(kTimerPaaGraes));
}

void HorseReports::Rasjonslinjer(StringList& lines) {
  THest& h = h_;
  if (h.ForListe->Count() == 0) return;
  Evaluate();
  const CountrySettings& s = Settings();
  lines.push_back(Tr(kWordFoderplan) + " " + LongDateText(h.ForListe->EndretDato));
  for (const auto& f : h.ForListe->Feeds()) lines.push_back(F(8, 3, f->TildeltKg) + " kg  " + f->Fornavn);
  lines.emplace_back();
  lines.push_back(Tr(kEnergiOgProtein) + ":");
  for (int i : {0, 1}) {
    const auto k = static_cast<size_t>(i);
    if (h.Behov[k] <= 0) continue;
    lines.push_back("  " + s.NutrientName(i) + " " + Trim(F(8, 1, h.Tilforsel[k])) + " " + s.NutrientUnit(i) + " (" +
                    Trim(F(4, 0, h.Tilforsel[k] * 100 / h.Behov[k])) + "%)");
  }
}

}  // namespace stallora
