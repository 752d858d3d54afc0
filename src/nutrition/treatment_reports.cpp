#include "nutrition/treatment_reports.h"

#include "core/fileio.h"
#include "core/html_report.h"
#include "core/textutil.h"
#include "nutrition/hest.h"
#include "nutrition/report_common.h"

namespace stallora {
namespace {

std::string HorseName(const THest* horse) { return horse ? HtmlEscape(horse->Navn) : Tr(kTreatHest); }

std::string Date(const TTreatmentObj& t, DayNumber d) { return t.env->regional.FormatShortDate(d); }

std::string Cost(const TTreatmentObj& t, int width) {
  return FormatMoneyFixed(width, t.env->CurrencyDecimals(), t.Cost, t.env->regional.decimalSeparator);
}

std::string TypeName(const TTreatmentObj& t) { return TreatmentTypeName(static_cast<int>(t.TreatmentType)); }

std::string HeaderCell(const std::string& text) { return "<th>" + text + "</th>"; }

std::string ListRow(const TTreatmentObj& t) {
  std::string row;
  if (t.IsDone())
    row = "<tr><td bgColor=\"#FFFFFF\">" + Date(t, t.DoneDate) + "</td>";
  else
    row = "<tr><td bgColor=\"" + std::string(TreatmentStatusColour(t.Status())) + "\">" + Date(t, t.PlannedDate) +
          "</td>";
  for (const std::string& cell : {TypeName(t), HtmlEscape(t.TreatmentName), Cost(t, 5), HtmlEscape(t.Notes)})
    row += "<td bgColor=\"#FFFFFF\">" + cell + "</td>";
  row += "</tr>";
  return row;
}

TreatmentIcon TypeIcon(int type) {
  static constexpr TreatmentIcon kIcons[] = {TreatmentIcon::Vet,  TreatmentIcon::Worm,  TreatmentIcon::Vacc,
                                             TreatmentIcon::Shoe, TreatmentIcon::Repro, TreatmentIcon::Own};
  return type >= 0 && type < kTreatmentTypeCount ? kIcons[type] : TreatmentIcon::None;
}

TreatmentIcon StatusIcon(TreatmentStatus s) {
  switch (s) {
    case TreatmentStatus::Overdue: return TreatmentIcon::Overdue;
    case TreatmentStatus::DueSoon: return TreatmentIcon::DueSoon;
    case TreatmentStatus::PlannedLater: return TreatmentIcon::PlannedLater;
    case TreatmentStatus::None: break;
  }
  return TreatmentIcon::None;
}

TreatmentTreeNode Node(std::string text, TreatmentIcon icon, TTreatmentObj* treatment = nullptr) {
  TreatmentTreeNode node;
  node.text = std::move(text);
  node.icon = icon;
  node.treatment = treatment;
  return node;
}

int AddNode(TreatmentTree& tree, int parent, TreatmentTreeNode node) {
  node.parent = parent;
  node.level = parent < 0 ? 0 : tree.nodes[static_cast<size_t>(parent)].level + 1;
  tree.nodes.push_back(std::move(node));
  return static_cast<int>(tree.nodes.size()) - 1;
}

}  // namespace

std::string SingleReport(const TTreatmentObj& t, const THest* horse) {
  const RecordEnvironment& env = *t.env;
  const bool done = t.IsDone();
  std::string subtitle = TypeName(t) + " (" + HtmlEscape(t.TreatmentName) + "), ";
  subtitle += done ? Tr(kTreatUdfoert) + " " + Date(t, t.DoneDate) : Tr(kTreatPlanlagtLower) + " " + Date(t, t.PlannedDate);

  std::string r;
  AppendHtmlLine(r, SimplePageHead());
  AppendHtmlLine(r, TitleBlockWithRule(HorseName(horse), subtitle));
  AppendHtmlLine(r, "<br>");
  AppendHtmlLine(r, "<font font face=\"Arial\" size =\"2\"><strong>" + Tr(kTreatOmkostninger) + Cost(t, 7) + " " +
                        env.regional.currencySymbol + "</strong></font><br>");
  AppendHtmlLine(r, TableFrameStart());
  AppendHtmlLine(r, HeaderRowStart());
  if (done) {
    AppendHtmlLine(r, HeaderCell(Tr(kTreatUdfoertHead)));
    AppendHtmlLine(r, HeaderCell(Tr(kTreatStartforbud)));
    AppendHtmlLine(r, HeaderCell(Tr(kTreatNoteringer)));
  } else {
    AppendHtmlLine(r, HeaderCell(Tr(kTreatPlanlagt)));
    AppendHtmlLine(r, HeaderCell(Tr(kTreatNoteringer)));
  }
  AppendHtmlLine(r, RowEnd());
  AppendHtmlLine(r, "<tr bgColor=\"#FFFFFF\">");
  if (done) {
    AppendHtmlLine(r, "<td>" + Date(t, t.DoneDate) + "</td>");
    AppendHtmlLine(r, "<td>" + (t.OKToStartDate > t.DoneDate ? Date(t, t.OKToStartDate) : std::string("-")) + "</td>");
  } else {
    AppendHtmlLine(r, "<td>" + Date(t, t.PlannedDate) + "</td>");
  }
  AppendHtmlLine(r, "<td>" + HtmlEscape(t.Notes) + "</td>");
  AppendHtmlLine(r, "</tr>");
  AppendHtmlLine(r, TableFrameEnd());
  AppendHtmlLine(r, "<br>");
  AppendHtmlLine(r, ReportFooter(FooterDataOf(env)));
  AppendHtmlLine(r, PageEnd());
  return r;
}

std::string ListReport(const TTreatmentList& list, const THest* horse) {
  const RecordEnvironment& env = *list.env;
  std::vector<const TTreatmentObj*> open, done;
  for (int i = 0; i < list.Count(); ++i) {
    const TTreatmentObj* t = list.Items(i);
    if (!t->IsDone()) {
      auto at = open.begin();
      while (at != open.end() && (*at)->PlannedDate <= t->PlannedDate) ++at;
      open.insert(at, t);
    } else {
      auto at = done.begin();
      while (at != done.end() && (*at)->DoneDate > t->DoneDate) ++at;
      done.insert(at, t);
    }
  }

  std::string r;
  AppendHtmlLine(r, SimplePageHead());
  AppendHtmlLine(r, TitleBlockWithRule(HorseName(horse),
                                       Tr(kTreatBehandlingsinformation) + " " + env.regional.FormatShortDate(env.Today())));
  AppendHtmlLine(r, TableFrameStart());
  AppendHtmlLine(r, HeaderRowStart());
  for (const std::string& head : {Tr(kTreatDato), Tr(kTreatBehandlingstype), Tr(kTreatBehandlingsnavn),
                                  env.regional.currencySymbol, Tr(kTreatNoteringer)})
    AppendHtmlLine(r, HeaderCell(head));
  AppendHtmlLine(r, RowEnd());
  for (const TTreatmentObj* t : open) AppendHtmlLine(r, ListRow(*t));
  for (const TTreatmentObj* t : done) AppendHtmlLine(r, ListRow(*t));
  AppendHtmlLine(r, TableFrameEnd());
  AppendHtmlLine(r, "<br>");
  AppendHtmlLine(r, ReportFooter(FooterDataOf(env)));
  AppendHtmlLine(r, PageEnd());
  return r;
}

std::filesystem::path WriteListReport(const TTreatmentList& list, const THest& horse,
                                      const std::filesystem::path& horseDirectory, std::string* error) {
  std::string problem;
  const std::filesystem::path path = HorseReportPath(horseDirectory, horse, kTreatmentListReport, &problem);
  if (problem.empty() && WriteReportFile(path, ListReport(list, &horse))) return path;
  if (error) *error = problem.empty() ? Tr(kKunneIkkeDannes) + " " + PathText(path) : problem;
  return {};
}

// ---- the tree

std::vector<int> TreatmentTree::TreeOrder() const {
  std::vector<int> order;
  if (nodes.empty()) return order;
  std::vector<int> stack{0};
  while (!stack.empty()) {
    const int n = stack.back();
    stack.pop_back();
    order.push_back(n);
    const auto& kids = nodes[static_cast<size_t>(n)].children;
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) stack.push_back(*it);
  }
  return order;
}

int TreatmentTree::NodeOf(const TTreatmentObj* treatment) const {
  for (size_t i = 0; i < nodes.size(); ++i)
    if (treatment && nodes[i].treatment == treatment) return static_cast<int>(i);
  return -1;
}

int TreatmentTree::NodeWithCaption(const std::string& caption) const {
  for (int n : TreeOrder())
    if (nodes[static_cast<size_t>(n)].treatment && nodes[static_cast<size_t>(n)].text == caption) return n;
  return -1;
}

TreatmentTree BuildTree(TTreatmentList& list, bool byType, const std::string& rootText) {
  TreatmentTree tree;
  AddNode(tree, -1, Node(rootText, TreatmentIcon::Horse));
  int typeNode[kTreatmentTypeCount] = {};
  if (byType) {
    for (int type = 0; type < kTreatmentTypeCount; ++type) {
      typeNode[type] = AddNode(tree, 0, Node(TreatmentTypeName(type), TypeIcon(type)));
      tree.nodes[0].children.push_back(typeNode[type]);
    }
  }
  for (int i = 0; i < list.Count(); ++i) {
    TTreatmentObj* t = list.Items(i);
    const int type = static_cast<int>(t->TreatmentType);
    // A type the register does not know (a newer file) has no node of its own: the root.
    const int parent = byType && type >= 0 && type < kTreatmentTypeCount ? typeNode[type] : 0;
    const int index = AddNode(tree, parent, Node(t->Caption(), StatusIcon(t->Status()), t));
    auto& siblings = tree.nodes[static_cast<size_t>(parent)].children;
    auto at = siblings.begin();
    while (at != siblings.end()) {
      const TTreatmentObj* other = tree.nodes[static_cast<size_t>(*at)].treatment;
      if (other && other->PlannedDate <= t->PlannedDate) break;
      ++at;
    }
    siblings.insert(at, index);
  }

  // The ban, found again in tree order.
  list.UpdateBan();
  list.HorseOKToStartDate = 0;
  const DayNumber today = list.env->Today();
  for (int n : tree.TreeOrder()) {
    const TTreatmentObj* t = tree.nodes[static_cast<size_t>(n)].treatment;
    if (!t) continue;
    if (t->OKToStartDate > today && t->OKToStartDate > list.HorseOKToStartDate) {
      list.HorseOKToStartDate = t->OKToStartDate;
      tree.banNode = n;
    }
  }
  if (tree.banNode >= 0) tree.nodes[static_cast<size_t>(tree.banNode)].icon = TreatmentIcon::Ban;
  return tree;
}

}  // namespace stallora
