#include "nutrition/report_common.h"

#include <cmath>
#include <string_view>
#include <system_error>

#include "config/preferences.h"
#include "core/cp1252.h"
#include "core/fileio.h"
#include "nutrition/hest.h"

namespace stallora {
namespace {

inline constexpr Text kMonths[12] = {
    {"horsereport.month1", "januar"},   {"horsereport.month2", "februar"}, {"horsereport.month3", "marts"},
    {"horsereport.month4", "april"},    {"horsereport.month5", "maj"},     {"horsereport.month6", "juni"},
    {"horsereport.month7", "juli"},     {"horsereport.month8", "august"},  {"horsereport.month9", "september"},
    {"horsereport.month10", "oktober"}, {"horsereport.month11", "november"}, {"horsereport.month12", "december"},
};

inline constexpr Text kWordOther{"horsereport.wordother", "Other"};

bool CannotStandInFileName(unsigned char c) {
  return c < 32 || c == 127 || std::string_view("./\\:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
}

}  // namespace

std::string FileNameDate(const Regional& regional, DayNumber day) {
  std::string out;
  for (char c : regional.FormatShortDate(day))
    if (!CannotStandInFileName(static_cast<unsigned char>(c))) out += c;
  return out;
}

std::string DateTimeText(const Regional& regional, DayNumber value) {
  std::string out = regional.FormatShortDate(value);
  const TimeOfDay t = DecodeTime(value);
  if (t.hour != 0 || t.minute != 0 || t.second != 0) out += FormatDateTime(" hh:nn:ss", value);
  return out;
}

std::string LongDateText(DayNumber value) {
  const CivilDate d = DecodeDate(value);
  const int month = d.month >= 1 && d.month <= 12 ? d.month : 1;
  return std::to_string(d.day) + ". " + Tr(kMonths[month - 1]) + " " + std::to_string(d.year);
}

std::string MakerLogoAddress(const TPreferences& p) {
  // The reports are read offline, and the resource server's copy shows as a broken image
  // there: the program's own copy is used, or no picture at all.
  const std::filesystem::path local = p.ImagesDirectory() / std::string(kMakerLogoFile);
  std::error_code ec;
  if (p.programDir.empty() || !std::filesystem::is_regular_file(local, ec)) return {};
  std::string path = TextFromPath(std::filesystem::absolute(local, ec));
  if (path.empty() || path[0] != '/') path.insert(0, 1, '/');
  return HtmlEscape("file://" + path);
}

ReportFooterData FooterDataOf(const RecordEnvironment& env) {
  ReportFooterData d;
  const TPreferences* p = env.preferences;
  if (!p) {
    TPreferences defaults;
    d.makerWebAddress = defaults.webBase;
    return d;
  }
  d.makerLogoAddress = MakerLogoAddress(*p);
  d.makerWebAddress = HtmlEscape(p->webBase);
  d.consultantLogoFile = p->KonsulentLogoFilNavn;
  d.userName = HtmlEscape(p->KonsulentNavn);
  d.consultantMobile = HtmlEscape(p->ConsultantMobile);
  d.consultantMail = HtmlEscape(p->ConsultantMail);
  d.firmaInfoTekst = HtmlEscape(p->FirmaInfoTekst);
  return d;
}

std::string HorseReportWord(int kind) {
  static constexpr const Text* kWords[] = {&kWordDagbog,        &kWordFoderplan,   &kWordFoderplanGrafik,
                                           &kWordBehov,         &kWordRationstildeling, &kWordVaegtdata,
                                           &kWordBehandlinger,  &kWordBehandling,  &kWordSimpelFoderplan};
  if (kind < 0 || kind > 8) return Tr(kWordOther);
  return Tr(*kWords[kind]);
}

std::string HorseReportFileName(const THest& h, int kind) {
  if (kind == kDiaryReport) return "00" + HorseReportWord(kind) + "_" + h.Navn + ".rtf";
  std::string number = std::to_string(kind);
  if (kind >= 0 && kind < 10) number = "0" + number;
  return number + HorseReportWord(kind) + "_" + h.Navn + "_" + FileNameDate(h.env->regional, h.env->Today()) +
         "_00.htm";
}

std::filesystem::path HorseReportPath(const std::filesystem::path& horseDirectory, const THest& h, int kind,
                                      std::string* error) {
  std::error_code ec;
  std::filesystem::create_directories(horseDirectory, ec);
  if (!std::filesystem::is_directory(horseDirectory, ec) && error)
    *error = "Error: Storage directory for " + h.Navn + " could not be created\rPath: " + PathText(horseDirectory) +
             "\rYou must have rights for writing to the storage directory!";
  return horseDirectory / PathFromText(HorseReportFileName(h, kind));
}

bool WriteReportFile(const std::filesystem::path& path, const std::string& report) {
  return WriteFileAtomically(path, report);
}

}  // namespace stallora
