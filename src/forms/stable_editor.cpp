#include "forms/stable_editor.h"

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "core/textutil.h"
#include "forms/stable_texts.h"
#include "forms/horse_form.h"
#include "ration/horse_reports.h"
#include "stable/stable_reports.h"

namespace stallora {

using namespace stabletext;
namespace fs = std::filesystem;
namespace sc = stablechange;

namespace {

constexpr int kMaxMeals = 99;
constexpr int kOwnerContactType = 2;

std::string Lower(const Text& t) { return FirstLetterLower(Tr(t)); }

}  // namespace

std::optional<int> ParseMealTime(std::string_view text) {
  const std::string t = Trim(text);
  const size_t sep = t.find_first_of(":.");
  if (sep == std::string::npos || sep == 0 || sep > 2 || t.size() != sep + 3) return std::nullopt;
  int hours = 0;
  int minutes = 0;
  for (size_t i = 0; i < t.size(); ++i) {
    if (i == sep) continue;
    if (t[i] < '0' || t[i] > '9') return std::nullopt;
    int& part = i < sep ? hours : minutes;
    part = part * 10 + (t[i] - '0');
  }
  if (hours > 23 || minutes > 59) return std::nullopt;
  return hours * 3600 + minutes * 60;
}

StableEditor::StableEditor(TStall& stable, Workspace& workspace)
    : stable_(stable), workspace_(workspace), app_(workspace.App()) {}

const Regional& StableEditor::Reg() const { return app_.Env().regional; }

DayNumber StableEditor::Until() const { return app_.Env().Today() + app_.preferences.ForwardReportingDays; }

StableEditor::Snapshot StableEditor::Take() const {
  return {stable_.stallNavn, stable_.StallEier,         stable_.DiverseOpplysninger, stable_.StallNoMeals,
          stable_.SFTider,   stable_.ErModellHestStall, stable_.HorseCount()};
}

void StableEditor::Commit(unsigned changes) {
  pendingView_ |= changes;
  Editor::Commit(changes);
}

void StableEditor::Recompute() {
  const unsigned changes = pendingView_;
  pendingView_ = 0;
  RecomputeView(changes);
}

void StableEditor::RecomputeView(unsigned changes) {
  StableView& v = view_;
  v.caption = stable_.stallNavn;
  v.menuCaption = renamedMenuCaption_.empty() ? stable_.stallNavn : renamedMenuCaption_;
  v.name = stable_.stallNavn;
  v.owner = stable_.StallEier;
  v.modelStable = stable_.ErModellHestStall;
  if (changes & sc::kOwner) v.ownerChoices = app_.contacts.NameList();

  v.hasHorses = stable_.HorseCount() > 0;
  v.horseNames = stable_.HorseNames();
  if (v.selectedHorse >= static_cast<int>(v.horseNames.size())) v.selectedHorse = -1;
  v.deleteHorseEnabled = v.hasHorses && v.selectedHorse >= 0;
  if (!v.hasHorses && v.page != StablePage::Information && v.page != StablePage::Diary)
    v.page = StablePage::Information;

  v.mealCount = stable_.StallNoMeals;
  v.mealTimes.clear();
  for (int r = 0; r < stable_.StallNoMeals; ++r) {
    const auto k = static_cast<size_t>(r);
    v.mealTimes.push_back(k < stable_.SFTider.size() ? FeedingTimeText(stable_.SFTider[k], "hh:nn") : std::string());
  }
  v.mealTableVisible = stable_.StallNoMeals > 0;
  v.mealChartVisible = stable_.StallNoMeals > 0;

  v.treatmentsUntil = TreatmentsUntilText(Reg(), Until());
  if (changes & sc::kFeedList) {
    // Named once the user replaced or emptied the list from here.
    const TForListe& list = *stable_.ForListe;
    v.feedListCaption = (feedListNamed_ ? list.ForlisteNavn + ": " : std::string()) + std::to_string(list.Count()) +
                        " " + Tr(kFoderWord);
  }
  if (changes & sc::kFeeding) {
    v.feedingCaption = std::to_string(stable_.HorseCount()) + " " + Tr(kHesteIStalden) + ". " + Tr(kFoderomkostninger) +
                       " " + Trim(FormatFixed(10, 1, stable_.DailyRationCost(), Reg().decimalSeparator)) + " " +
                       Reg().currencySymbol + Tr(kDag);
  }
  if (changes & sc::kSummary) {
    v.summaryVisible = false;
    if (v.page == StablePage::Information && v.hasHorses) {
      v.summary = BuildTreatmentSummary(stable_, app_.Env().Today(), Until());
      v.summaryVisible = v.summary.visible;
    }
  }
  v.reportsButton = ReportsButtonFor(v.reportsTree, v.reportsSelection);
}

fs::path StableEditor::WriteReport(int kind, std::string* error) {
  std::string why;
  if (!SaveReport(stable_, kind, &why)) {
    if (error) *error = why;
    return {};
  }
  return ReportFilePath(stable_, kind);
}

// ---- opening, activation, pages

void StableEditor::Open() {
  view_ = StableView{};
  mealsChanged_ = false;
  feedListNamed_ = false;
  renamedMenuCaption_.clear();
  stored_ = Take();
  storedName_ = stable_.stallNavn;
  Commit(sc::kAll);
}

void StableEditor::Activate() {
  unsigned changes = sc::kHorses | sc::kMeals | sc::kSummary;
  if (view_.page == StablePage::Information && stable_.HorseCount() > 0) {
    std::string error;
    view_.horsesReport = WriteReport(kHorseOverviewReport, &error);
    changes |= sc::kReport;
  }
  Commit(changes);
}

void StableEditor::RebuildTreatmentPage(int mode, int type, const std::string& label) {
  view_.reportsTree = BuildReportsTree(stable_);
  view_.reportsSelection.reset();
  view_.treeMode = mode;
  view_.treatmentTree = BuildStableTreatmentTree(stable_, mode, type, Reg());
  view_.treatmentLabel = label;
}

StableOutcome StableEditor::ShowPage(StablePage page) {
  if (stable_.HorseCount() == 0 && page != StablePage::Information && page != StablePage::Diary)
    page = StablePage::Information;
  view_.page = page;
  std::string error;
  unsigned changes = sc::kPage;
  switch (page) {
    case StablePage::Information:
      view_.feedListChoices.clear();
      changes |= sc::kFeedList | sc::kSummary;
      if (stable_.HorseCount() > 0) {
        view_.horsesReport = WriteReport(kHorseOverviewReport, &error);
        changes |= sc::kReport;
      }
      break;
    case StablePage::Horses:
      view_.horsesReport = WriteReport(kHorseOverviewReport, &error);
      changes |= sc::kReport;
      break;
    case StablePage::Diary: break;
    case StablePage::Feeding:
      stable_.ComputeStableRequirement();
      view_.feedingReport = 1;
      view_.feedingReportFile = WriteReport(kFeedRequirementReport, &error);
      changes |= sc::kFeeding | sc::kReport | sc::kFeedList;
      break;
    case StablePage::Treatments:
      RebuildTreatmentPage(0, -1, TreatmentsUntilText(Reg(), Until()));
      view_.treatmentReport = WriteReport(kStableTreatmentReport, &error);
      changes |= sc::kReportsTree | sc::kTreatmentTree | sc::kReport;
      break;
  }
  Commit(changes);
  return error.empty() ? StableOutcome::Done() : StableOutcome::Refused(error, false);
}

StableOutcome StableEditor::ShowFeedingReport(int kind) {
  if (kind < kFeedRequirementReport || kind > kRationComparisonReport) return StableOutcome::Done();
  view_.feedingReport = kind;
  std::string error;
  view_.feedingReportFile = WriteReport(kind, &error);
  Commit(sc::kFeeding | sc::kReport | sc::kFeedList);
  return error.empty() ? StableOutcome::Done() : StableOutcome::Refused(error, false);
}

// ---- horses

void StableEditor::SelectHorse(int row) {
  view_.selectedHorse = row >= 0 && row < stable_.HorseCount() ? row : -1;
  Commit(sc::kHorses);
}

std::string StableEditor::SelectedHorseName() const {
  const int i = view_.selectedHorse;
  return i >= 0 && i < static_cast<int>(view_.horseNames.size()) ? view_.horseNames[static_cast<size_t>(i)]
                                                                 : std::string();
}

THest& StableEditor::NewHorse() {
  THest& h = stable_.NewHorse();
  Commit(sc::kHorses | sc::kTree);
  return h;
}

StableQuestion StableEditor::AskDeleteHorse() const {
  const std::string name = SelectedHorseName();
  if (name.empty() || !stable_.HorseByName(name)) return {Tr(kHestIkkeValgt), {}, {}};
  return {{}, Tr(kBekraeftSletning) + " " + name, name};
}

StableOutcome StableEditor::DeleteHorse(const std::string& name) {
  std::string error;
  const bool ok = stable_.DeleteHorse(name, &error);
  view_.selectedHorse = -1;
  Commit(sc::kHorses | sc::kTree | sc::kSummary);
  return ok ? StableOutcome::Done() : StableOutcome::Refused(error, false);
}

void StableEditor::DeclineDeleteHorse() { Commit(sc::kHorses); }

// ---- name, owner, model stable

StableOutcome StableEditor::LeaveName(const std::string& text) {
  if (text == stable_.stallNavn) return StableOutcome::Done();
  auto refuse = [&](std::string why) {
    Commit(sc::kCaption);  // the field shows the name the stable keeps
    return StableOutcome::Refused(std::move(why));
  };
  const TStall* other = workspace_.StableByName(text);
  if ((other && other != &stable_) || (!other && workspace_.StableNameTaken(text))) return refuse(Tr(kStaldenFindes));
  if (auto problem = ValidateStableName(text)) return refuse(*problem);
  std::string error;
  if (!stable_.RenameStable(text, &error)) return refuse(error);
  renamedMenuCaption_ = Tr(kStald) + ": " + stable_.stallNavn;
  Commit(sc::kCaption | sc::kTree | sc::kFeedList);
  return StableOutcome::Done();
}

StableOutcome StableEditor::LeaveOwner(const std::string& text) {
  if (text.empty()) {
    const auto& types = app_.settings.contactTypeNames;
    const std::string type = kOwnerContactType < static_cast<int>(types.size()) ? types[kOwnerContactType] : "";
    return StableOutcome::Refused(type + ": " + Tr(kNavnMangler));
  }
  if (text != stable_.StallEier) {
    stable_.StallEier = text;
    Commit(sc::kOwner);
  }
  return StableOutcome::Done();
}

std::optional<TAdrRec> StableEditor::OwnerContact(const std::string& text) const {
  if (text.empty()) return std::nullopt;
  if (app_.contacts.GetAdresseNr(text, 0) >= 0) return app_.contacts.GetAdresseRecord(text, 0);
  TAdrRec rec;
  rec.Navn = text;
  rec.Kategori = kOwnerContactType;
  return rec;
}

void StableEditor::SetModelStable(bool on) {
  stable_.ErModellHestStall = on;
  Commit(sc::kModel | sc::kTree);
}

// ---- feeding times

StableOutcome StableEditor::SetMealCount(int count) {
  if (count < 0 || count > kMaxMeals) {
    Commit(sc::kMeals);
    return StableOutcome::Refused(Tr(kAntalFodringer) + " " + Tr(kMaaVaereIOmraadet) + " 0 - " +
                                  std::to_string(kMaxMeals));
  }
  if (count != stable_.StallNoMeals) {
    stable_.StallNoMeals = count;
    stable_.SFTider.assign(static_cast<size_t>(count), "0");
    mealsChanged_ = true;
  }
  Commit(sc::kMeals | sc::kHorses);
  return StableOutcome::Done();
}

StableOutcome StableEditor::SetMealTime(int row, const std::string& text) {
  const auto seconds = ParseMealTime(text);
  if (row < 1 || row > stable_.StallNoMeals || !seconds) {
    Commit(sc::kMeals);  // the cell shows the time kept
    if (row < 1 || row > stable_.StallNoMeals) return StableOutcome::Refused({}, false);
    return StableOutcome::Refused(Tr(kUgyldigTid) + ": " + text + "\r" + Tr(kAngivTid));
  }
  const auto k = static_cast<size_t>(row - 1);
  if (stable_.SFTider.size() <= k) stable_.SFTider.resize(k + 1, "0");
  const std::string value = std::to_string(*seconds);
  if (stable_.SFTider[k] != value) {
    stable_.SFTider[k] = value;
    if (stable_.HorseCount() > 0) mealsChanged_ = true;
  }
  Commit(sc::kMeals);
  return StableOutcome::Done();
}

int StableEditor::NextMealRow(int row) const { return row >= stable_.StallNoMeals ? 1 : row + 1; }

LeaveMealsResult StableEditor::LeaveMealTable(bool horseWindowOpen) {
  LeaveMealsResult r;
  if (!mealsChanged_) return r;
  mealsChanged_ = false;
  r.message = Tr(kFodringerAendret) + "!\r";
  if (horseWindowOpen) r.message += Tr(kGemOgLukHeste) + "\r";
  r.message += Tr(kGenaabnHeste);
  r.closeWindow = horseWindowOpen;
  Commit(sc::kMeals);
  return r;
}

// ---- summary and trees

std::optional<SummaryJump> StableEditor::ActivateSummaryLine(int line) {
  auto jump = SummaryLineJump(view_.summary, line, view_.treatmentsUntil);
  if (!jump || stable_.HorseCount() == 0) return std::nullopt;
  view_.page = StablePage::Treatments;
  RebuildTreatmentPage(jump->treeMode, jump->type, jump->label);
  std::string error;
  view_.treatmentReport = WriteReport(kStableTreatmentReport, &error);
  Commit(sc::kPage | sc::kReportsTree | sc::kTreatmentTree | sc::kReport);
  if (!error.empty()) jump->message += (jump->message.empty() ? "" : "\r") + error;
  return jump;
}

void StableEditor::SelectReportsNode(std::optional<ReportsSelection> selection) {
  view_.reportsSelection = selection;
  Commit(sc::kReportsButton);
}

StableOutcome StableEditor::DeleteSelectedReports() {
  const auto& tree = view_.reportsTree;
  const auto& sel = view_.reportsSelection;
  if (!view_.reportsButton.enabled || !tree || !sel) return StableOutcome::Done();
  std::string horse;
  std::string file;
  if (sel->horse >= 0 && sel->horse < static_cast<int>(tree->children.size())) {
    const ReportsTreeNode& h = tree->children[static_cast<size_t>(sel->horse)];
    horse = h.horse;
    if (sel->report >= 0 && sel->report < static_cast<int>(h.children.size()))
      file = h.children[static_cast<size_t>(sel->report)].file;
  }
  std::string error;
  const bool ok = DeleteSavedReports(stable_, horse, file, &error);
  view_.reportsTree = BuildReportsTree(stable_);
  view_.reportsSelection.reset();
  Commit(sc::kReportsTree);
  return ok ? StableOutcome::Done() : StableOutcome::Refused(error, false);
}

std::optional<std::pair<fs::path, std::string>> StableEditor::ReportToOpen(const ReportsSelection& s) const {
  const auto& tree = view_.reportsTree;
  if (!tree || s.horse < 0 || s.horse >= static_cast<int>(tree->children.size()) || s.report < 0) return std::nullopt;
  const ReportsTreeNode& h = tree->children[static_cast<size_t>(s.horse)];
  if (s.report >= static_cast<int>(h.children.size())) return std::nullopt;
  const fs::path path = SavedReportPath(stable_, h.horse, h.children[static_cast<size_t>(s.report)].file);
  return std::make_pair(path, PathText(path));
}

// ---- outputs

int StableEditor::OutputKind(StablePage page) const {
  switch (page) {
    case StablePage::Feeding: return view_.feedingReport;
    case StablePage::Treatments: return kStableTreatmentReport;
    default: return kHorseOverviewReport;
  }
}

std::string StableEditor::OutputHtml(int kind) { return EscapeNationalLetters(StableReport(stable_, kind)); }

StoreDialog StableEditor::StoreDialogFor(int kind) const {
  const Text& word = kind == kStableTreatmentReport ? kSrBehandlingsliste : kInformationOm;
  return {Tr(kGem) + " " + Lower(word) + " " + stable_.stallNavn, ReportFilePath(stable_, kind), "HTML files (*.htm)"};
}

std::pair<fs::path, std::string> StableEditor::StoreTarget(const fs::path& chosen) const {
  const fs::path target = PathFromText(WithHtmExtension(TextFromPath(chosen)));
  std::error_code ec;
  if (!fs::exists(target, ec)) return {target, {}};
  return {target, OverwriteQuestion(PathText(target))};
}

StableOutcome StableEditor::Store(int kind, const fs::path& target) {
  std::string error;
  if (!WriteFileAtomically(target, OutputHtml(kind) + "\r\n", &error)) return StableOutcome::Refused(error, false);
  return StableOutcome::Done();
}

std::vector<fs::path> StableEditor::MailAttachments(int kind) {
  const fs::path path = ReportFilePath(stable_, kind);
  std::error_code ec;
  if (!fs::exists(path, ec)) WriteReport(kind, nullptr);
  return {path};
}

// ---- import and export

ImportDialog StableEditor::ImportDialogFor() const {
  return {app_.programDir / "Save", Tr(kSoegHestemappe), "Horse files (*.eqh)"};
}

ImportResult StableEditor::ImportHorse(const fs::path& file) {
  auto failed = [&](const std::string& why) {
    return ImportResult{ImportResult::Failed, Tr(kKunneIkkeImporteres) + (why.empty() ? "" : "\r" + why)};
  };
  std::string readError;
  const auto text = ReadWholeFile(file, &readError);
  if (!text) return failed(readError);
  if (text->substr(0, text->find('\n')).find("THest") == std::string::npos)
    return {ImportResult::NotAHorseFile, Tr(kIkkeHestefil) + ". " + Tr(kProevIgen)};
  std::string message;
  bool ok = false;
  try {
    ok = stable_.ImportHorse(file, &message);
  } catch (const ObjTextError& e) {
    return failed(PathText(file) + ": " + e.what());
  }
  if (!ok) return failed(message);
  view_.selectedHorse = stable_.HorseCount() - 1;
  Commit(sc::kHorses | sc::kTree | sc::kSummary);
  return {ImportResult::Imported, message};
}

StableQuestion StableEditor::AskExportHorse() const {
  const std::string name = SelectedHorseName();
  if (name.empty() || !stable_.HorseByName(name)) return {Tr(kHestIkkeValgt), {}, {}};
  return {{}, Tr(kEksporterTil), name};
}

std::pair<fs::path, std::string> StableEditor::ExportTarget(const fs::path& dir) const {
  const THest* h = stable_.HorseByName(SelectedHorseName());
  if (!h) return {};
  const fs::path target = TStall::ExportedHorseFile(*h, dir);
  std::error_code ec;
  if (!fs::exists(target, ec)) return {target, {}};
  return {target, OverwriteQuestion(PathText(target))};
}

StableOutcome StableEditor::ExportHorse(const fs::path& dir) {
  THest* h = stable_.HorseByName(SelectedHorseName());
  if (!h) return StableOutcome::Refused(Tr(kHestIkkeValgt));
  std::string error;
  const bool ok = stable_.ExportHorse(*h, dir, &error);
  Commit(sc::kTree);
  return ok ? StableOutcome::Done() : StableOutcome::Refused(error, false);
}

fs::path StableEditor::SelectedHorseFile() const {
  const THest* h = stable_.HorseByName(SelectedHorseName());
  return h ? stable_.HorseFilePath(*h) : fs::path();
}

// ---- stable feed list

void StableEditor::DeleteAllFeeds() {
  TForListe& list = *stable_.ForListe;
  while (list.Count() > 0) list.RemoveFeed(list.FeedAt(list.Count() - 1));
  feedListNamed_ = true;
  Commit(sc::kFeedList);
}

StableOutcome StableEditor::OfferFeedLists() {
  std::vector<std::string> names;
  const std::string& own = stable_.ForListe->ForlisteNavn;
  for (const auto& l : workspace_.FeedLists())
    if (l->ForlisteNavn != own) names.push_back(l->ForlisteNavn);
  for (const auto& s : workspace_.Stables())
    if (s.get() != &stable_ && s->ForListe->ForlisteNavn != own) names.push_back(s->ForListe->ForlisteNavn);
  view_.feedListChoices = names;
  if (names.empty()) {
    Commit(sc::kFeedList);
    return StableOutcome::Refused(Tr(kFejl) + " " + Tr(kFoderliste) + " " + Tr(kMangler), false);
  }
  Commit(sc::kFeedList);
  return StableOutcome::Done();
}

void StableEditor::ChooseFeedList(const std::string& name) {
  const TForListe* chosen = nullptr;
  for (const auto& l : workspace_.FeedLists())
    if (l->ForlisteNavn == name) chosen = l.get();
  for (const auto& s : workspace_.Stables())
    if (!chosen && s.get() != &stable_ && s->ForListe->ForlisteNavn == name) chosen = s->ForListe.get();
  TForListe& list = *stable_.ForListe;
  view_.feedListChoices.clear();
  if (chosen && chosen != &list) {
    list.Clear();
    // Feeds of a list in another energy system take this list's system.
    for (const auto& f : chosen->Feeds()) list.AddFeedFrom(f->Clone(), chosen);
  }
  feedListNamed_ = true;
  Commit(sc::kFeedList);
}

void StableEditor::HideFeedListChoices() {
  view_.feedListChoices.clear();
  Commit(sc::kFeedList);
}

void StableEditor::FeedListRebuilt() {
  feedListNamed_ = true;
  Commit(sc::kFeedList);
}

// ---- help

std::string StableEditor::HelpAddress() const { return app_.preferences.ManualPage() + "/stable"; }

std::string StableEditor::ModelStableHelpAddress() const {
  return app_.preferences.ManualPage() + "/horses/modelhorses";
}

// ---- notes, saving, closing

void StableEditor::TakeOwnerText(const std::string& text) {
  if (text == stable_.StallEier) return;
  stable_.StallEier = text;
  Commit(sc::kOwner);
}

void StableEditor::SetNotes(std::string bytes) {
  if (bytes == stable_.DiverseOpplysninger) return;
  stable_.DiverseOpplysninger = std::move(bytes);
  Commit(0);
}

StableOutcome StableEditor::Save() {
  std::string error;
  if (!stable_.Save(&error)) return StableOutcome::Refused(error, false);
  StoreSignature();
  Commit(0);
  return StableOutcome::Done();
}

bool StableEditor::Changed() const { return !(Take() == stored_); }

std::optional<std::string> StableEditor::CloseQuestion() const {
  if (!Changed()) return std::nullopt;
  return stable_.stallNavn + ": " + Tr(kDataAendret);
}

void StableEditor::StoreSignature() {
  stored_ = Take();
  storedName_ = stable_.stallNavn;
  stable_.savedSignature = stable_.ChangeSignature();
}

StableOutcome StableEditor::RestoreFromFile() {
  std::string message;
  unsigned changes = sc::kOwner | sc::kMeals | sc::kModel | sc::kNotes | sc::kHorses;
  if (stable_.stallNavn != storedName_) {
    std::string error;
    if (stable_.RenameStable(storedName_, &error)) {
      renamedMenuCaption_.clear();
      changes |= sc::kCaption | sc::kTree | sc::kFeedList;
    } else {
      message = error;
    }
  }
  Snapshot from = stored_;
  std::error_code ec;
  const fs::path file = stable_.StableFilePath();
  if (fs::exists(file, ec)) {
    TStall loaded(app_.Env());
    try {
      loaded.Load(file);
      from.owner = loaded.StallEier;
      from.meals = loaded.StallNoMeals;
      from.model = loaded.ErModellHestStall;
      from.times = loaded.SFTider;
      from.notes = loaded.DiverseOpplysninger;
    } catch (const ObjTextError& e) {
      message += (message.empty() ? "" : "\r") + PathText(file) + ": " + e.what();
    }
  }
  stable_.StallEier = from.owner;
  stable_.StallNoMeals = from.meals;
  stable_.ErModellHestStall = from.model;
  stable_.SFTider = from.times;
  stable_.DiverseOpplysninger = from.notes;
  mealsChanged_ = false;
  StoreSignature();
  Commit(changes);
  return message.empty() ? StableOutcome::Done() : StableOutcome::Refused(message, false);
}

std::string StableEditor::DeleteStableQuestion() const { return Tr(kBekraeftSletning) + " " + stable_.stallNavn; }

}  // namespace stallora
