#include "forms/feedmix_editor.h"

#include <algorithm>
#include <filesystem>

#include "core/fileio.h"
#include "core/textutil.h"
#include "feeds/feedlist_tools.h"
#include "feeds/mix.h"
#include "forms/feedmix_texts.h"

namespace stallora {

std::string HorseEntry(const THest& horse) {
  return horse.Navn + " [" + (horse.stable ? horse.stable->stallNavn : std::string()) + "]";
}

FeedMixEditor::FeedMixEditor(TForListe& mix, Workspace& workspace, Messages& ask)
    : mix_(&mix), workspace_(workspace), ask_(ask), feedName_(Tr(kHestefoder)) {}

FeedMixEditor::FeedMixEditor(std::unique_ptr<TForListe> mix, Workspace& workspace, Messages& ask)
    : owned_(std::move(mix)), mix_(owned_.get()), workspace_(workspace), ask_(ask), feedName_(Tr(kHestefoder)) {}

FeedMixEditor::~FeedMixEditor() = default;

char FeedMixEditor::Separator() const { return mix_->env->regional.decimalSeparator; }

void FeedMixEditor::Recompute() { UpdateVisibility(); }

void FeedMixEditor::Say(const std::string& text, bool error) {
  message_ = text;
  if (error)
    ask_.Error(text);
  else
    ask_.Inform(text);
}

// ---- lists and horses

void FeedMixEditor::FillLists() {
  TForListe* source = Source();
  TForListe* target =
      target_ >= 0 && target_ < static_cast<int>(lists_.size()) ? lists_[static_cast<size_t>(target_)] : nullptr;
  lists_.clear();
  horses_.clear();
  auto offer = [&](TForListe* l) {
    if (l && l != mix_ && l != going_ && l->ForlisteNavn != mix_->ForlisteNavn) lists_.push_back(l);
  };
  for (const auto& l : workspace_.FeedLists()) offer(l.get());
  for (const auto& s : workspace_.Stables()) {
    if (s.get() == going_) continue;
    offer(s->ForListe.get());
    for (const auto& h : s->Horses())
      if (h.get() != going_) horses_.push_back(h.get());
  }
  auto indexOf = [&](TForListe* l) {
    const auto it = std::find(lists_.begin(), lists_.end(), l);
    return it == lists_.end() ? -1 : static_cast<int>(it - lists_.begin());
  };
  if (source == going_) source = nullptr;
  if (target == going_) target = nullptr;
  source_ = source ? indexOf(source) : -1;
  if (source_ < 0 && !lists_.empty()) source_ = 0;
  target_ = target ? indexOf(target) : -1;
  if (target_ < 0 && !lists_.empty()) target_ = 0;
}

std::vector<std::string> FeedMixEditor::ListNames() const {
  std::vector<std::string> names;
  for (const TForListe* l : lists_) names.push_back(l->ForlisteNavn);
  return names;
}

TForListe* FeedMixEditor::Source() const {
  return source_ >= 0 && source_ < static_cast<int>(lists_.size()) ? lists_[static_cast<size_t>(source_)] : nullptr;
}

void FeedMixEditor::BuildTree() {
  tree_ = {};
  if (TForListe* s = Source(); s && workspace_.App().Env().settings)
    tree_ = BuildMixSourceTree(*s, *workspace_.App().Env().settings);
  else if (s)
    tree_ = BuildMixSourceTree(*s, CountrySettings{});
}

void FeedMixEditor::UpdateVisibility() {
  const bool hasFeeds = mix_->Count() > 0;
  visibility_.sourceTree = !hasFeeds || treeRequested_;
  visibility_.chooseButton = hasFeeds;
  visibility_.mixingPage = hasFeeds;
  visibility_.savingPage = hasFeeds && mix_->TotalKg() > 0;
  visibility_.horseBox = !horses_.empty();
  if ((page_ == MixPage::Saving && !visibility_.savingPage) || (page_ == MixPage::Mixing && !visibility_.mixingPage))
    page_ = visibility_.mixingPage ? MixPage::Mixing : MixPage::Selection;
}

void FeedMixEditor::Open() {
  FillLists();
  const std::string from = SourceListNameOf(mix_->ForlisteNavn);
  if (!from.empty())
    for (size_t i = 0; i < lists_.size(); ++i)
      if (lists_[i]->ForlisteNavn == from) {
        source_ = static_cast<int>(i);
        break;
      }
  BuildTree();
  choice_ = MixChoiceOfCategory(mix_->Forblandingstype);
  treeRequested_ = false;
  page_ = mix_->Count() > 0 ? MixPage::Mixing : MixPage::Selection;
  if (page_ == MixPage::Mixing && choice_ < 0) choice_ = DefaultMixChoice(*mix_);
  Commit(kMixAll);
}

void FeedMixEditor::WorkspaceChanged() {
  FillLists();
  BuildTree();
  Commit(kMixLists | kMixSource | kMixPages, false);
}

void FeedMixEditor::RecordGoing(const Record& record) {
  const bool known =
      std::any_of(lists_.begin(), lists_.end(), [&](const TForListe* l) { return l == &record; }) ||
      std::any_of(horses_.begin(), horses_.end(), [&](const THest* h) { return h == &record || h->stable == &record; });
  if (!known) return;
  going_ = &record;
  FillLists();
  going_ = nullptr;
  BuildTree();
  Commit(kMixLists | kMixSource | kMixPages, false);
}

// ---- selection page

void FeedMixEditor::ChooseSource(int index) {
  if (index < 0 || index >= static_cast<int>(lists_.size()) || index == source_) return;
  source_ = index;
  BuildTree();
  Commit(kMixSource, false);
}

bool FeedMixEditor::InMix(int sourceIndex) const {
  const TForListe* s = Source();
  const TFor* f = s ? s->FeedAt(sourceIndex) : nullptr;
  return f && mix_->FeedByName(f->Fornavn);
}

std::vector<std::string> FeedMixEditor::MixFeedNames() const { return mix_->FeedNames(); }

std::string FeedMixEditor::CountText() const { return std::to_string(mix_->Count()) + " " + Tr(kMxValgtFoder); }

bool FeedMixEditor::AddFromSource(int sourceIndex) {
  TForListe* s = Source();
  const TFor* f = s ? s->FeedAt(sourceIndex) : nullptr;
  if (!f) return false;
  if (TFor* old = mix_->FeedByName(f->Fornavn)) {
    const std::string question =
        FirstLetterUpper(f->Fornavn + ": " + Tr(kMxFindesAllerede)) + ".  " + Tr(kMxErstat) + "?";
    if (!ask_.Confirm(question)) return false;
    mix_->RemoveFeed(old);
  }
  mix_->AddFeedFrom(f->Clone(), s);
  Commit(kMixFeeds | kMixAmounts | kMixPages);
  return true;
}

bool FeedMixEditor::RemoveFromMix(const std::string& name) {
  if (!ask_.Confirm(Tr(kMxBekraeftSletning) + ": " + name)) return false;
  TFor* f = mix_->FeedByName(name);
  if (!f) {
    Say(Tr(kMxFejl) + " " + Tr(kMxSletningAf) + " " + name, true);
    return false;
  }
  mix_->RemoveFeed(f);
  Commit(kMixFeeds | kMixAmounts | kMixPages);
  return true;
}

void FeedMixEditor::ShowSourceTree() {
  treeRequested_ = true;
  UpdateVisibility();  // the commit computes nothing, and the box shows what this says
  Commit(kMixPages, false);
}

void FeedMixEditor::ConfirmSelection() {
  mix_->PickAll();
  mix_->SortByCategory();
  treeRequested_ = false;
  Batch batch(*this);
  Commit(kMixFeeds | kMixAmounts | kMixPages);
  ShowPage(MixPage::Mixing);
}

bool FeedMixEditor::ShowPage(MixPage page) {
  UpdateVisibility();
  if ((page == MixPage::Mixing && !visibility_.mixingPage) || (page == MixPage::Saving && !visibility_.savingPage))
    return false;
  ChangeFlags changed = kMixPages;
  if (page == MixPage::Mixing && choice_ < 0) {
    choice_ = DefaultMixChoice(*mix_);
    changed |= kMixCategory;
  }
  page_ = page;
  Commit(changed, false);
  return true;
}

// ---- mixing page

std::vector<std::string> FeedMixEditor::Headers() const {
  return {Tr(kMxFodernavn), PadLikeFormatFixed(mix_->env->regional.currencySymbol + "/kg", 6),
          PadLikeFormatFixed("%", 5), PadLikeFormatFixed("kg", 5)};
}

std::string FeedMixEditor::NameCell(int row) const { return Row(row) ? Row(row)->Fornavn : std::string(); }

std::string FeedMixEditor::PriceCell(int row) const {
  return Row(row) ? ShownNumber(Row(row)->Pris, mix_->env->CurrencyDecimals(), 4, Separator()) : std::string();
}

std::string FeedMixEditor::PercentCell(int row) const {
  return Row(row) ? MixPercentCell(*Row(row), mix_->TotalKg(), Separator()) : std::string();
}

std::string FeedMixEditor::KgCell(int row) const {
  return Row(row) ? ShownNumber(Row(row)->TildeltKg, 1, 3, Separator()) : std::string();
}

bool FeedMixEditor::SetAmount(int row, double kg) {
  TFor* f = Row(row);
  if (!f || !(kg >= 0) || kg == f->TildeltKg) return false;
  f->TildeltKg = kg;
  Commit(kMixAmounts | kMixPages);
  return true;
}

bool FeedMixEditor::SetAmountText(int row, const std::string& text) {
  TFor* f = Row(row);
  if (!f) return false;
  std::string error;
  const auto kg = ParseAmount(f->Fornavn, text, Separator(), &error);
  if (!kg) {
    Say(error, true);
    return false;
  }
  return SetAmount(row, *kg);
}

bool FeedMixEditor::SetPriceText(int row, const std::string& text) {
  TFor* f = Row(row);
  if (!f) return false;
  std::string error;
  const auto price = ParseAmount(f->Fornavn, text, Separator(), &error);
  if (!price) {
    Say(error, true);
    return false;
  }
  if (*price == f->Pris) return false;
  f->Pris = *price;
  Commit(kMixAmounts);
  return true;
}

bool FeedMixEditor::Step(int row, bool up) {
  if (row < 0) row = 0;
  TFor* f = Row(row);
  if (!f) return false;
  return SetAmount(row, StepAmount(f->TildeltKg, StepSize(), up));
}

void FeedMixEditor::SetStepChoice(int choice) {
  if (choice < 0 || choice > 2 || choice == step_) return;
  step_ = choice;
  Commit(kMixStep, false);
}

std::string FeedMixEditor::TotalText() const { return ShownNumber(mix_->TotalKg(), 1, 3, Separator()); }

std::string FeedMixEditor::TotalCaption() const { return Tr(kMxKg) + " " + LowerCase(Tr(kMxFoderblanding)); }

bool FeedMixEditor::SetTotalText(const std::string& text) {
  std::string error;
  const auto total = ParseAmount(TotalCaption(), text, Separator(), &error);
  if (!total) {
    Say(error, true);
    return false;
  }
  return SetTotal(*total);
}

bool FeedMixEditor::SetTotal(double total) {
  if (!(total > 0) || !(mix_->TotalKg() > 0) || total == mix_->TotalKg()) return false;
  RescaleMix(*mix_, total);
  Commit(kMixAmounts | kMixPages);
  return true;
}

std::string FeedMixEditor::PriceLabel() const { return MixPriceLabel(*mix_); }

std::vector<std::string> FeedMixEditor::CategoryNames() const {
  const CountrySettings* s = workspace_.App().Env().settings;
  std::vector<std::string> names;
  for (int choice = 0; choice < 3; ++choice)
    names.push_back(s ? s->feedTypeNames[static_cast<size_t>(MixCategoryOfChoice(choice))] : std::string());
  return names;
}

void FeedMixEditor::SetCategoryChoice(int choice) {
  if (choice < -1 || choice > 2 || choice == choice_) return;
  choice_ = choice;
  Commit(kMixCategory, false);
}

std::string FeedMixEditor::AnalysisPage() const { return MixAnalysisPage(*mix_); }
std::string FeedMixEditor::PrintPage() const { return MixPrintPage(*mix_); }

}  // namespace stallora
