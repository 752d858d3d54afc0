#include "stable/stable_reports.h"

#include <algorithm>
#include <system_error>

#include "config/preferences.h"
#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/html_report.h"
#include "core/textutil.h"
#include "nutrition/report_common.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

const RecordEnvironment& Env(const TStall& s) { return *s.env; }

std::string Fixed(const TStall& s, int width, int decimals, double value) {
  return FormatFixed(width, decimals, value, Env(s).regional.decimalSeparator);
}

std::string Today(const TStall& s) { return Env(s).regional.FormatShortDate(Env(s).Today()); }

std::string DateLine(const std::string& label, const std::string& date) {
  return "<font face=\"Arial\" size =\"2\"><b>" + label + " " + date;
}

std::string Footer(const TStall& s) { return ReportFooter(FooterDataOf(Env(s))); }

std::string Name(const TStall& s) { return HtmlEscape(s.stallNavn); }

int ForwardDays(const TStall& s) {
  return Env(s).preferences ? Env(s).preferences->ForwardReportingDays : 7;
}

// Grams for supplements, kilograms with `kgDecimals` for the rest, as the allocation and
// comparison tables write an amount.
std::string AmountCell(const TStall& s, const TFor& feed, double kg, int kgWidth, int kgDecimals) {
  if (IsSupplementCategory(feed.Fortype))
    return "<td align=\"center\">" + Fixed(s, 4, 0, kg * 1000) + " g </td>";
  return "<td align=\"center\">" + Fixed(s, kgWidth, kgDecimals, kg) + " kg </td>";
}

// The meal lines carry two decimals; a remainder below a millionth of a gram comes from the
// binary arithmetic, not from an amount the user left over.
constexpr double kUndistributedEpsilon = 1e-9;

}  // namespace

std::string HorseOverviewReport(const TStall& stable) {
  const RecordEnvironment& env = Env(stable);
  std::string r;
  AppendHtmlLine(r, SimplePageHead());
  AppendHtmlLine(r, TitleBlockWithRule(Name(stable), Tr(kSrOversigt)));
  AppendHtmlLine(r, DateLine(Tr(kSrUdarbejdet), Today(stable)));
  AppendHtmlLine(r, "<br>" + StartAnchor());
  AppendHtmlLine(r, TableFrameStart());
  AppendHtmlLine(r, HeaderRowStart());
  AppendHtmlLine(r, "<th align=\"left\">" + Tr(kSrNavn) + "</th>");
  for (const std::string& head :
       {Tr(kSrEjer), Tr(kSrFoedt), Tr(kSrVaegtdata) + " kg", Tr(kSrFoderplan),
        Tr(kFoderomkostninger) + " " + env.regional.currencySymbol + Tr(kDag)})
    AppendHtmlLine(r, "<th>" + head + "</th>");
  AppendHtmlLine(r, RowEnd());
  for (const auto& horse : stable.Horses()) {
    const THest& h = *horse;
    const double price = h.ForListe->TotalPrice();
    AppendHtmlLine(r, "<tr bgColor=\"#FFFFFF\">");
    AppendHtmlLine(r, "<td>" + HtmlEscape(h.Navn) + "</td>");
    for (const std::string& cell :
         {HtmlEscape(h.EierNavn), env.regional.FormatShortDate(h.Fodselsdato), Trim(Fixed(stable, 5, 0, h.AktuellVekt())),
          env.regional.FormatShortDate(h.ForListe->EndretDato),
          price != 0 ? Trim(FormatMoneyFixed(6, 2, price, env.regional.decimalSeparator)) : Tr(kIkkeBeregnet)})
      AppendHtmlLine(r, "<td align=\"center\">" + cell + "</td>");
    AppendHtmlLine(r, "</tr>");
  }
  AppendHtmlLine(r, TableFrameEnd());
  AppendHtmlLine(r, Footer(stable));
  AppendHtmlLine(r, "</body></html>");
  return r;
}

std::string FeedRequirementReport(TStall& stable) {
  stable.ComputeStableRequirement();
  std::string r;
  AppendHtmlLine(r, SimplePageHead());
  AppendHtmlLine(r, TitleBlockWithRule(Tr(kSrFoderbehov), Name(stable)));
  AppendHtmlLine(r, DateLine(Tr(kSrUdarbejdet), Today(stable)));
  AppendHtmlLine(r, "<br>" + StartAnchor());
  AppendHtmlLine(r, "<br>" + TableFrameStart());
  AppendHtmlLine(r, "<tr bgcolor=\"#CCFFCC\" height=\"25\">");
  AppendHtmlLine(r, "<td align=\"left\">  <font size=\"2\" face=\"Arial\"><b>" + Tr(kSrFodernavn) + "</font> </td>");
  for (const Text* head : {&kSrKgDag, &kSrKgUge, &kSrKgMnd})
    AppendHtmlLine(r, "<td align=\"center\"><font size=\"2\" face=\"Arial\"><b>" + Tr(*head) + "</font> </td>");
  AppendHtmlLine(r, "</tr>");
  for (const auto& f : stable.ForListe->Feeds()) {
    if (!f->Valgt || IsGrazingCategory(f->Fortype)) continue;
    AppendHtmlLine(r, "<tr bgColor=\"#FFFFFF\">");
    AppendHtmlLine(r, "<td align=\"left\">  <font face=\"Arial\" size=\"2\">" + HtmlEscape(f->Fornavn) + "</font></td>");
    for (double factor : {1.0, 7.0, 30.0})
      AppendHtmlLine(r, "<td align=\"center\"><font face=\"Arial\" size=\"2\">" +
                            Fixed(stable, 6, 1, f->StallBehov * factor) + "</font></td>");
    AppendHtmlLine(r, "</tr>");
  }
  AppendHtmlLine(r, TableFrameEnd());
  AppendHtmlLine(r, Footer(stable));
  AppendHtmlLine(r, "</body></html>");
  return r;
}

std::string RationAllocationReport(TStall& stable) {
  TForListe& list = *stable.ForListe;
  std::string r;
  AppendHtmlLine(r, SimplePageHead());
  AppendHtmlLine(r, TitleBlockWithRule(Tr(kSrRationstildeling), Name(stable)));
  AppendHtmlLine(r, DateLine(Tr(kSrUdarbejdet), Today(stable)));
  AppendHtmlLine(r, "<br><br>" + StartAnchor());
  if (stable.HorseCount() == 0) return r;

  const int meals = ReportMealCount(stable.StallNoMeals);
  for (int m = 0; m < meals; ++m) {
    list.UnpickAll();
    for (const auto& horse : stable.Horses()) {
      for (const auto& f : horse->ForListe->Feeds()) {
        if (!list.FeedByName(f->Fornavn)) {
          std::unique_ptr<TFor> clone = f->Clone();
          clone->Fordeling.assign(static_cast<size_t>(meals), "0");
          list.AddFeed(std::move(clone));
        }
        list.FeedByName(f->Fornavn)->Valgt = true;
      }
    }
    // A stable with fewer time lines than meals shows the meal without a time.
    const std::string time = m < static_cast<int>(stable.SFTider.size())
                                 ? FeedingTimeText(stable.SFTider[static_cast<size_t>(m)], "hh:nn")
                                 : std::string();
    AppendHtmlLine(r, TableFrameStart());
    AppendHtmlLine(r, HeaderRowStart());
    AppendHtmlLine(r, "<th align=\"center\">" + Tr(kSrFodring) + " " + time + "</th>");
    for (const auto& f : list.Feeds())
      if (f->Valgt) AppendHtmlLine(r, "<th align=\"center\">" + HtmlEscape(f->Fornavn) + "</th>");
    AppendHtmlLine(r, RowEnd());
    for (const auto& horse : stable.Horses()) {
      AppendHtmlLine(r, "<tr bgcolor=#FFFFFF>");
      AppendHtmlLine(r, "<td>" + HtmlEscape(horse->Navn) + "</td>");
      for (const auto& f : list.Feeds()) {
        if (!f->Valgt) continue;
        const TFor* own = horse->ForListe->FeedByName(f->Fornavn);
        if (!own) {
          AppendHtmlLine(r, "<td align=\"center\">-</td>");
          continue;
        }
        if (static_cast<int>(own->Fordeling.size()) <= m) continue;  // no cell: the row is shorter
        const std::string& line = own->Fordeling[static_cast<size_t>(m)];
        const std::optional<double> x = line == "0" ? std::nullopt : ReadDecimal(line);
        if (!x)
          AppendHtmlLine(r, "<td align=\"center\">-</td>");
        else
          AppendHtmlLine(r, AmountCell(stable, *own, *x, 5, 2));
      }
      AppendHtmlLine(r, "</tr>");
    }
    AppendHtmlLine(r, TableFrameEnd());
    AppendHtmlLine(r, "<br><br>");
  }

  std::vector<std::string> names;
  for (const auto& horse : stable.Horses()) {
    for (const auto& f : list.Feeds()) {
      if (!f->Valgt) continue;
      const TFor* own = horse->ForListe->FeedByName(f->Fornavn);
      if (own && own->UndistributedKg() > kUndistributedEpsilon &&
          std::find(names.begin(), names.end(), f->Fornavn) == names.end())
        names.push_back(f->Fornavn);
    }
  }
  if (!names.empty()) {
    AppendHtmlLine(r, "<hr><br>");
    AppendHtmlLine(r, TableFrameStart());
    AppendHtmlLine(r, "<tr bgcolor=\"#FF9966\" height=\"25\">");
    AppendHtmlLine(r, "<th align=\"left\">" + Tr(kSrIkkeFordelt) + "</th>");
    for (const std::string& name : names) AppendHtmlLine(r, "<th align=\"center\">" + HtmlEscape(name) + "</th>");
    AppendHtmlLine(r, RowEnd());
    for (const auto& horse : stable.Horses()) {
      if (!horse->ForListe->AnyUndistributed()) continue;
      AppendHtmlLine(r, "<tr bgcolor= \"#FFFFFF\" >");
      AppendHtmlLine(r, "<td>" + HtmlEscape(horse->Navn) + "</td>");
      for (const std::string& name : names) {
        const TFor* own = horse->ForListe->FeedByName(name);
        const double u = own ? own->UndistributedKg() : 0;
        if (!own || u <= kUndistributedEpsilon)
          AppendHtmlLine(r, "<td align=\"center\">-</td>");
        else
          AppendHtmlLine(r, AmountCell(stable, *own, u, 5, 3));
      }
      AppendHtmlLine(r, "</tr>");
    }
  }
  AppendHtmlLine(r, TableFrameEnd());
  AppendHtmlLine(r, "<br><br>");
  list.UnpickAll();
  AppendHtmlLine(r, Footer(stable));
  AppendHtmlLine(r, "</body></html>");
  return r;
}

std::string RationComparisonReport(const TStall& stable) {
  std::string r;
  AppendHtmlLine(r, SimplePageHead());
  AppendHtmlLine(r, TitleBlockWithRule(Tr(kSrSammenstilning), Name(stable)));
  AppendHtmlLine(r, DateLine(Tr(kSrUdarbejdet), Today(stable)));
  AppendHtmlLine(r, "<br><br>" + StartAnchor());
  if (stable.HorseCount() == 0) return r;

  std::vector<std::string> names;
  for (const auto& horse : stable.Horses())
    for (const auto& f : horse->ForListe->Feeds())
      if (std::find(names.begin(), names.end(), f->Fornavn) == names.end()) names.push_back(f->Fornavn);
  if (!names.empty()) {
    AppendHtmlLine(r, "<hr><br>");
    AppendHtmlLine(r, TableFrameStart());
    AppendHtmlLine(r, "<tr bgcolor=\"#FF9966\" height=\"25\">");
    AppendHtmlLine(r, "<th align=\"left\">" + Tr(kSrFodernavn) + "</th>");
    for (const std::string& name : names) AppendHtmlLine(r, "<th align=\"center\">" + HtmlEscape(name) + "</th>");
    AppendHtmlLine(r, RowEnd());
    for (const auto& horse : stable.Horses()) {
      AppendHtmlLine(r, "<tr bgcolor= \"#FFFFFF\" >");
      AppendHtmlLine(r, "<td>" + HtmlEscape(horse->Navn) + "</td>");
      for (const std::string& name : names) {
        const TFor* own = horse->ForListe->FeedByName(name);
        if (!own || !(own->TildeltKg > 0))
          AppendHtmlLine(r, "<td align=\"center\">-</td>");
        else
          AppendHtmlLine(r, AmountCell(stable, *own, own->TildeltKg, 5, 3));
      }
      AppendHtmlLine(r, "</tr>");
    }
  }
  AppendHtmlLine(r, TableFrameEnd());
  AppendHtmlLine(r, "<br><br>");
  AppendHtmlLine(r, Footer(stable));
  AppendHtmlLine(r, "</body></html>");
  return r;
}

std::string TreatmentListReport(const TStall& stable) {
  const RecordEnvironment& env = Env(stable);
  const std::string until = env.regional.FormatShortDate(env.Today() + ForwardDays(stable));
  std::string r;
  AppendHtmlLine(r, SimplePageHead());
  AppendHtmlLine(r, TitleBlockWithRule(Name(stable), Tr(kSrBehandlingsliste)));
  AppendHtmlLine(r, DateLine(Tr(kSrPlanlagtFrem), until));
  AppendHtmlLine(r, "<br>" + StartAnchor());
  AppendHtmlLine(r, TableFrameStart());
  AppendHtmlLine(r, HeaderRowStart());
  AppendHtmlLine(r, "<th align=\"left\">" + Tr(kSrNavn) + "</th>");
  for (const Text* head : {&kSrBeslagsmed, &kSrOrmekur, &kSrVaccination, &kSrVeterinaer, &kSrOevrige, &kSrStartforbud})
    AppendHtmlLine(r, "<th>" + Tr(*head) + "</th>");
  AppendHtmlLine(r, RowEnd());
  bool anyRow = false;
  for (const auto& horse : stable.Horses()) {
    std::vector<std::string> texts;  // Vet, Worm, Vacc, Shoe, Own, ban
    if (!horse->KommendeBehandlinger(texts)) continue;
    anyRow = true;
    AppendHtmlLine(r, "<tr bgColor=\"#FFFFFF\">");
    AppendHtmlLine(r, "<td>" + HtmlEscape(horse->Navn) + "</td>");
    for (size_t k : {3u, 1u, 2u, 0u, 4u, 5u}) AppendHtmlLine(r, "<td align=\"center\">" + texts[k] + "</td>");
    AppendHtmlLine(r, "</tr>");
  }
  AppendHtmlLine(r, TableFrameEnd());
  if (!anyRow) AppendHtmlLine(r, "<br>" + Name(stable) + ": 0 " + Tr(kSrPlanlagtFrem) + " " + until + "<br>");
  AppendHtmlLine(r, Footer(stable));
  AppendHtmlLine(r, "</body></html>");
  return r;
}

std::string StableReport(TStall& stable, int kind) {
  switch (kind) {
    case kHorseOverviewReport: return HorseOverviewReport(stable);
    case kFeedRequirementReport: return FeedRequirementReport(stable);
    case kRationAllocationReport: return RationAllocationReport(stable);
    case kRationComparisonReport: return RationComparisonReport(stable);
    case kStableTreatmentReport: return TreatmentListReport(stable);
    default: return {};
  }
}

std::string ReportFileName(const TStall& stable, int kind) {
  static constexpr const Text* kWords[] = {&kSrInfo, &kSrFoderbehov, &kSrRationstildeling, &kSrSammenstilning,
                                           &kSrBehandlinger};
  const std::string word = kind >= 0 && kind <= 4 ? Tr(*kWords[kind]) : std::string("Other");
  return std::to_string(kind + 30) + word + "_" + stable.stallNavn + "_" +
         FileNameDate(Env(stable).regional, Env(stable).Today()) + ".htm";
}

fs::path ReportFilePath(const TStall& stable, int kind) {
  const fs::path dir = stable.StableDirectory();
  std::error_code ec;
  fs::create_directories(dir, ec);
  return dir / PathFromText(ReportFileName(stable, kind));
}

bool SaveReport(TStall& stable, int kind, std::string* error) {
  const fs::path path = ReportFilePath(stable, kind);
  const std::string report = kind >= 0 && kind <= 4 ? StableReport(stable, kind) + "\r\n" : std::string();
  if (WriteFileAtomically(path, report)) return true;
  if (error) *error = "Cannot create file " + PathText(path);
  return false;
}

HorseReports HorseReportsOf(TStall& stable, THest& horse, PictureWriter* pictures) {
  return HorseReports(horse, stable.HorseDirectory(horse), pictures);
}

}  // namespace stallora
