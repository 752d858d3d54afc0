// The price, compare, copy and order pages of the feed list editor.

#include <algorithm>
#include <system_error>

#include "config/preferences.h"
#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/textutil.h"
#include "feeds/feedlist_tools.h"
#include "feeds/guarantee.h"
#include "forms/feedlist_editor.h"
#include "forms/feedlist_texts.h"
#include "stable/stall.h"

namespace stallora {

namespace {

// The category standing for each group of the copy page: roughage, concentrate, supplement.
constexpr int kCopyGroupCategory[3] = {1, 3, 4};

TStall* StableOwning(const Workspace& ws, const TForListe* list) {
  for (const auto& s : ws.Stables())
    if (s->ForListe.get() == list) return s.get();
  return nullptr;
}

// A typed name made fit to stand in a file name: characters a file name cannot hold are
// left out, blanks at both ends too.
std::string CleanedName(std::string_view typed) {
  std::string out;
  for (char c : typed) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 || u == 127 || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) continue;
    out += c;
  }
  return Trim(out);
}

}  // namespace

// ---- price page

std::vector<PriceRow> FeedListEditor::PriceRows() const {
  std::vector<PriceRow> rows;
  const char sep = list_.env->regional.decimalSeparator;
  for (const auto& f : list_.Feeds())
    if (f.get() != pendingNew_) rows.push_back({f->Fornavn, ShownNumber(f->Pris, list_.env->CurrencyDecimals(), 4, sep)});
  return rows;
}

std::vector<std::string> FeedListEditor::PriceListNames() const {
  std::vector<std::string> names;
  for (const TForListe* l : priceLists_) names.push_back(l->ForlisteNavn);
  return names;
}

bool FeedListEditor::SaveOtherList(TForListe& other, std::string* error) {
  if (TStall* s = StableOwning(workspace_, &other)) return s->Save(error);
  try {
    other.SaveToWorkspace();
  } catch (const ObjTextError& e) {
    if (error) *error = e.what();
    return false;
  }
  return true;
}

bool FeedListEditor::SetPrice(int index, const std::string& text) {
  TFor* f = list_.FeedAt(index);
  if (!f || f == pendingNew_) return false;
  std::string error;
  const std::string field = f->Fornavn + ": " + Tr(kFoderpris) + " " + list_.env->regional.currencySymbol + "/kg";
  const auto price = ParseAmount(field, text, list_.env->regional.decimalSeparator, &error);
  if (!price) {
    messages_.Error(error);
    Commit(kFlcPrices);
    return false;
  }
  f->Pris = *price;
  std::vector<std::string> failures;
  for (size_t i = 0; i < priceLists_.size(); ++i) {
    if (!priceChecks_[i]) continue;
    TForListe& other = *priceLists_[i];
    if (other.SetPriceByName(*f)) {
      std::string saveError;
      if (!SaveOtherList(other, &saveError)) failures.push_back(saveError + "\r" + Tr(kFlGemtesIkke));
    }
    if (pricesInHorses_)
      if (TStall* s = StableOwning(workspace_, &other)) s->UpdateFeedPriceInHorses(*f, &changedHorses_);
  }
  if (pricesInHorses_ && ownerStable_) ownerStable_->UpdateFeedPriceInHorses(*f, &changedHorses_);
  for (const auto& message : failures) messages_.Error(message);
  Commit(kFlcPrices | (f == edited_ ? kFlcFeed : 0u));
  return true;
}

void FeedListEditor::CheckPriceList(int index, bool on) {
  if (index < 0 || index >= static_cast<int>(priceChecks_.size())) return;
  priceChecks_[static_cast<size_t>(index)] = on;
  Commit(kFlcPrices);
}

void FeedListEditor::CheckAllPriceLists(bool on) {
  priceChecks_.assign(priceLists_.size(), on);
  priceAllChecked_ = on;
  Commit(kFlcPrices);
}

void FeedListEditor::SetPricesInHorses(bool on) {
  pricesInHorses_ = on;
  Commit(kFlcPrices);
}

std::string FeedListEditor::PriceListPage() const { return list_.PriceListPage(); }

// ---- compare page

void FeedListEditor::EnterCompare() {
  comparison_ = std::make_unique<TForListe>(*list_.env);
  comparison_->SetEnergyRecord(list_.GetEnergyRecord());
  compareLists_ = WorkspaceLists();
  if (std::find(compareLists_.begin(), compareLists_.end(), &list_) == compareLists_.end())
    compareLists_.insert(compareLists_.begin(), &list_);
  compare_.lists.clear();
  for (const TForListe* l : compareLists_) compare_.lists.push_back(l->ForlisteNavn);
  compare_.list = static_cast<int>(std::find(compareLists_.begin(), compareLists_.end(), &list_) - compareLists_.begin());
  compare_.listFeeds = compareLists_[static_cast<size_t>(compare_.list)]->FeedNames();
  compare_.nutrients.clear();
  for (int i = 0; i < kNutrientCount; ++i) compare_.nutrients.push_back(ListNutrientName(list_, i));
  if (compare_.chosenNutrients.size() != kNutrientCount) compare_.chosenNutrients.assign(kNutrientCount, false);
  compare_.chosenFeeds.clear();
  compare_.resultsVisible = false;
  compare_.html.clear();
}

void FeedListEditor::ChooseCompareList(int index) {
  if (index < 0 || index >= static_cast<int>(compareLists_.size())) return;
  compare_.list = index;
  compare_.listFeeds = compareLists_[static_cast<size_t>(index)]->FeedNames();
  Commit(kFlcCompare);
}

void FeedListEditor::AddCompareFeed(int index) {
  if (compare_.list < 0 || compare_.list >= static_cast<int>(compareLists_.size())) return;
  const TForListe& source = *compareLists_[static_cast<size_t>(compare_.list)];
  const TFor* feed = source.FeedAt(index);
  if (!feed || feed == pendingNew_ || comparison_->FeedByName(feed->Fornavn)) return;
  if (&source == &list_ && feed == edited_) StoreEditedFeed();
  auto clone = feed->Clone();
  // Every row of the table is in the list's own energy system, under its units.
  std::string error;
  if (!comparison_->SameEnergySystem(source.GetEnergyRecord()) &&
      !comparison_->ConvertFeedFrom(*clone, source.GetEnergyRecord(), &error)) {
    messages_.Error(error);
    Commit(kFlcCompare);
    return;
  }
  comparison_->AddFeed(std::move(clone));
  comparison_->SortByCategory();
  compare_.chosenFeeds = comparison_->FeedNames();
  Commit(kFlcCompare);
}

void FeedListEditor::SetCompareNutrient(int nutrient, bool on) {
  if (nutrient < 0 || nutrient >= kNutrientCount) return;
  compare_.chosenNutrients[static_cast<size_t>(nutrient)] = on;
  Commit(kFlcCompare);
}

void FeedListEditor::ResetCompare() {
  EnterCompare();
  Commit(kFlcCompare);
}

bool FeedListEditor::CompareResults() {
  std::vector<int> nutrients;
  for (int i = 0; i < kNutrientCount; ++i)
    if (compare_.chosenNutrients[static_cast<size_t>(i)]) nutrients.push_back(i);
  if (comparison_->Count() == 0 || nutrients.empty()) {
    messages_.Inform(Tr(kFlIkkeFaerdigt) + ".  " + Tr(kFlFoderEllerNaering));
    Commit(0);
    return false;
  }
  compare_.html = ComparisonTable(*comparison_, nutrients, list_);
  const std::filesystem::path file = workspace_.App().preferences.TempDirectory() / "CompareFeeds.html";
  std::string error;
  if (!WriteFileAtomically(file, compare_.html, &error)) {
    messages_.Error(error);
    Commit(kFlcCompare);
    return false;
  }
  compare_.resultFile = file;
  compare_.resultsVisible = true;
  Commit(kFlcCompare);
  return true;
}

void FeedListEditor::CloseResults() {
  compare_.resultsVisible = false;
  Commit(kFlcCompare);
}

bool FeedListEditor::StoreComparison(const std::string& typedName) {
  if (compare_.html.empty()) return false;
  std::string name = CleanedName(typedName);
  if (name.size() > 4 && SameText(std::string_view(name).substr(name.size() - 4), ".htm")) name.resize(name.size() - 4);
  std::string problem;
  if (name.empty()) problem = Tr(kFlNavnMangler);
  if (problem.empty())
    if (auto bad = ValidateFileName(name)) problem = *bad;
  if (!problem.empty()) {
    messages_.Error(problem);
    Commit(0);
    return false;
  }
  std::filesystem::path dir = FeedDirectory();
  if (ownerHorse_ && ownerHorse_->stable)
    dir = ownerHorse_->stable->HorseDirectory(*ownerHorse_);
  else if (ownerStable_)
    dir = ownerStable_->StableDirectory();
  const std::filesystem::path file = dir / PathFromText(name + ".htm");
  std::error_code ec;
  if (std::filesystem::exists(file, ec) && !messages_.Confirm(name + ".htm " + Tr(kFlSkrivOver))) {
    Commit(0);
    return false;
  }
  std::string error;
  std::filesystem::create_directories(dir, ec);
  const bool ok = WriteFileAtomically(file, EscapeNationalLetters(compare_.html), &error);
  if (!ok) messages_.Error(error);
  Commit(0);
  return ok;
}

// ---- copy page

void FeedListEditor::RefreshCopyTarget() {
  copy_.targetNames.clear();
  for (const auto& f : list_.Feeds())
    if (f.get() != pendingNew_) copy_.targetNames.push_back(f->Fornavn);
  const int n = static_cast<int>(copy_.targetNames.size());
  copy_.targetCaption = list_.ForlisteNavn + ": " + std::to_string(n) + " " + Tr(kFlFoderLower);
  copy_.clearEnabled = n > 0;
  copy_.sortEnabled = n > 1;
}

void FeedListEditor::EnterCopy() {
  copy_.groups = {Tr(kFlGrovfoder), Tr(kFlKraftfoder), Tr(kFlTilskudsfoder)};
  copy_.group = 0;
  donors_ = WorkspaceLists();
  copy_.donors.clear();
  for (const TForListe* l : donors_) copy_.donors.push_back(l->ForlisteNavn);
  const auto kept = std::find(donors_.begin(), donors_.end(), donor_);
  if (kept == donors_.end()) donor_ = donors_.empty() ? nullptr : donors_.front();
  copy_.donor = donor_ ? static_cast<int>(std::find(donors_.begin(), donors_.end(), donor_) - donors_.begin()) : -1;
  copy_.duplicates.clear();
  copy_.duplicatesVisible = false;
  RefreshCopyTarget();
  RefreshCopyChoices();
}

void FeedListEditor::RefreshCopyChoices() {
  choiceIndices_.clear();
  copy_.choices.clear();
  copy_.fullListButton = donor_ ? Tr(kFlKopierHele) + ": " + donor_->ForlisteNavn : Tr(kFlKopierHele);
  copy_.groupButton = copy_.groups.empty() ? std::string() : copy_.groups[static_cast<size_t>(copy_.group)];
  if (donor_) {
    choiceIndices_ = FeedIndicesInGroup(*donor_, kCopyGroupCategory[copy_.group]);
    for (int i : choiceIndices_) copy_.choices.push_back(donor_->FeedAt(i)->Fornavn);
  }
  copy_.selected.assign(copy_.choices.size(), false);
  copy_.groupEnabled = !copy_.choices.empty();
  copy_.copySelectedEnabled = false;
}

void FeedListEditor::ChooseDonor(int index) {
  if (index < 0 || index >= static_cast<int>(donors_.size()) || DuplicatesPending()) return;
  donor_ = donors_[static_cast<size_t>(index)];
  copy_.donor = index;
  RefreshCopyChoices();
  Commit(kFlcCopy);
}

void FeedListEditor::ChooseCopyGroup(int group) {
  if (group < 0 || group > 2 || DuplicatesPending()) return;
  copy_.group = group;
  RefreshCopyChoices();
  Commit(kFlcCopy);
}

void FeedListEditor::SetCopySelection(const std::vector<bool>& selected) {
  copy_.selected = selected;
  copy_.selected.resize(copy_.choices.size(), false);
  copy_.copySelectedEnabled = std::find(copy_.selected.begin(), copy_.selected.end(), true) != copy_.selected.end();
  Commit(kFlcCopy);
}

void FeedListEditor::CopyIndices(const std::vector<int>& indices) {
  if (!donor_ || DuplicatesPending()) return;
  if (indices.empty()) {
    Commit(0);
    return;
  }
  StoreEditedFeed();
  const CopyFeedsResult r = CopyFeeds(list_, *donor_, indices);
  if (!r.error.empty()) messages_.Error(r.error);
  copy_.duplicates = r.duplicates;
  copy_.duplicate = 0;
  copy_.selected.assign(copy_.choices.size(), false);
  copy_.copySelectedEnabled = false;
  RefreshCopyTarget();
  RefreshDuplicates();
  Commit(kFlcCopy | kFlcTree | kFlcInfo | kFlcPages | kFlcPrices | kFlcOrder);
}

void FeedListEditor::CopyFullList() {
  if (!donor_) return;
  std::vector<int> all;
  for (int i = 0; i < donor_->Count(); ++i) all.push_back(i);
  CopyIndices(all);
}

void FeedListEditor::CopyGroup() { CopyIndices(choiceIndices_); }

void FeedListEditor::CopySelected() {
  std::vector<int> chosen;
  for (size_t i = 0; i < copy_.selected.size() && i < choiceIndices_.size(); ++i)
    if (copy_.selected[i]) chosen.push_back(choiceIndices_[i]);
  CopyIndices(chosen);
}

void FeedListEditor::ClearTarget() {
  const int n = static_cast<int>(copy_.targetNames.size());
  if (n == 0 || DuplicatesPending()) return;
  if (!messages_.Confirm(list_.ForlisteNavn + ": " + std::to_string(n) + " " + Tr(kFlFoderLower) + "\r" +
                         Tr(kFlBekraeftSletning))) {
    Commit(0);
    return;
  }
  StopEditing();
  DropPendingNewFeed();
  list_.Clear();
  RefreshCopyTarget();
  Commit(kFlcCopy | kFlcTree | kFlcPicks | kFlcInfo | kFlcPages | kFlcPrices | kFlcOrder | kFlcFeed);
}

void FeedListEditor::SortTarget() {
  list_.SortByCategory();
  RefreshCopyTarget();
  Commit(kFlcCopy | kFlcTree | kFlcPrices | kFlcOrder | kFlcFeed);
}

void FeedListEditor::RefreshDuplicates() {
  copy_.duplicatesVisible = !copy_.duplicates.empty();
  if (!copy_.duplicatesVisible) {
    copy_.duplicatesCaption.clear();
    copy_.duplicateLabel.clear();
    copy_.duplicate = 0;
    return;
  }
  copy_.duplicate = std::clamp(copy_.duplicate, 0, static_cast<int>(copy_.duplicates.size()) - 1);
  copy_.duplicatesCaption = std::to_string(copy_.duplicates.size()) + " " + LowerCase(Tr(kFlDuplikater)) + " " +
                            LowerCase(Tr(kFlI)) + " " + list_.ForlisteNavn;
  copy_.duplicateLabel = Tr(kFlValgt) + ": " + copy_.duplicates[static_cast<size_t>(copy_.duplicate)];
}

void FeedListEditor::SelectDuplicate(int index) {
  if (index < 0 || index >= static_cast<int>(copy_.duplicates.size())) return;
  copy_.duplicate = index;
  RefreshDuplicates();
  Commit(kFlcCopy);
}

void FeedListEditor::CopyCurrentDuplicate() {
  if (!DuplicatesPending() || !donor_) return;
  const std::string name = copy_.duplicates[static_cast<size_t>(copy_.duplicate)];
  std::string error;
  if (TFor* mine = list_.FeedByName(name); mine == edited_) StoreEditedFeed();
  if (!OverwriteDuplicate(list_, *donor_, name, &error) && !error.empty()) messages_.Error(error);
  copy_.duplicates.erase(copy_.duplicates.begin() + copy_.duplicate);
  copy_.duplicate = 0;
  RefreshCopyTarget();
  RefreshDuplicates();
  Commit(kFlcCopy | kFlcPrices | kFlcFeed | kFlcInfo);
}

void FeedListEditor::CopyAllDuplicates() {
  if (!DuplicatesPending() || !donor_) return;
  StoreEditedFeed();
  std::string error;
  for (const auto& name : copy_.duplicates)
    if (!OverwriteDuplicate(list_, *donor_, name, &error) && !error.empty()) break;
  if (!error.empty()) messages_.Error(error);
  copy_.duplicates.clear();
  RefreshCopyTarget();
  RefreshDuplicates();
  Commit(kFlcCopy | kFlcPrices | kFlcFeed | kFlcInfo);
}

void FeedListEditor::SkipDuplicate() {
  if (!DuplicatesPending()) return;
  copy_.duplicates.erase(copy_.duplicates.begin() + copy_.duplicate);
  copy_.duplicate = 0;
  RefreshDuplicates();
  Commit(kFlcCopy);
}

void FeedListEditor::CancelDuplicates() {
  copy_.duplicates.clear();
  RefreshDuplicates();
  Commit(kFlcCopy);
}

// ---- order page

void FeedListEditor::RefreshOrder() {
  order_.names.clear();
  for (const auto& f : list_.Feeds())
    if (f.get() != pendingNew_) order_.names.push_back(f->Fornavn);
  if (order_.selected >= static_cast<int>(order_.names.size())) order_.selected = -1;
  order_.brands = list_.Brands();
}

void FeedListEditor::SelectOrderFeed(int index) {
  order_.selected = index >= 0 && index < static_cast<int>(order_.names.size()) ? index : -1;
  Commit(kFlcOrder);
}

void FeedListEditor::MoveOrderFeed(bool up) {
  if (order_.selected < 0) return;
  const int moved = MoveFeed(list_, order_.selected, up);
  if (moved == order_.selected) return;  // at an end: nothing moves
  order_.selected = moved;
  RefreshOrder();
  Commit(kFlcOrder | kFlcTree | kFlcPrices | kFlcFeed | kFlcCopy);
}

void FeedListEditor::AutoSortOrder() {
  const TFor* selected = list_.FeedAt(order_.selected);
  list_.SortByCategory();
  order_.selected = selected ? IndexOfFeedObject(list_, selected) : -1;
  RefreshOrder();
  Commit(kFlcOrder | kFlcTree | kFlcPrices | kFlcFeed | kFlcCopy);
}

void FeedListEditor::MakeBrandList(int brandIndex) {
  if (brandIndex < 0 || brandIndex >= static_cast<int>(order_.brands.size())) return;
  const std::string brand = order_.brands[static_cast<size_t>(brandIndex)];
  StoreEditedFeed();
  PickBrandIgnoringCase(list_, brand);
  brandList_ = BrandListCopy(list_, brand);
  order_.brandListNames = brandList_->FeedNames();
  order_.brandListCaption = Tr(kFlLeverandoer) + " " + LowerCase(Tr(kFlLeverandoerFoderliste)) + ": " + brand;
  order_.brandListVisible = true;
  Commit(kFlcOrder | kFlcPicks | kFlcPages);
}

void FeedListEditor::SetShowBrandListInProgram(bool on) {
  order_.showInProgram = on;
  Commit(kFlcOrder);
}

bool FeedListEditor::SaveBrandList() {
  if (!brandList_) return false;
  const std::string name = brandList_->ForlisteNavn;
  std::string error;
  std::error_code ec;
  if (auto problem = ValidateFileName(name)) {
    error = *problem;
  } else if (FeedDirectory().empty()) {
    error = Tr(kNoFeedDirectory);
  } else if (workspace_.FeedListNameTaken(name) ||
             std::filesystem::exists(FeedDirectory() / PathFromText(name + ".eqf"), ec)) {
    // Another list's file would be replaced.
    error = Tr(kListExists) + ": " + name;
  }
  if (!error.empty()) {
    messages_.Error(error);
    Commit(kFlcOrder);
    return false;
  }
  const std::filesystem::path file = brandList_->FileNameFor();
  messages_.Inform(Tr(kFlGem) + " " + PathText(file));
  try {
    brandList_->SaveToFile(file);
  } catch (const ObjTextError& e) {
    messages_.Error(std::string(e.what()) + "\r" + Tr(kFlGemtesIkke));
    Commit(kFlcOrder);
    return false;
  }
  if (order_.showInProgram) addedLists_.push_back(&workspace_.AddFeedList(std::move(brandList_)));
  brandList_.reset();
  order_.brandListVisible = false;
  order_.brandListNames.clear();
  Commit(kFlcOrder);
  return true;
}

void FeedListEditor::CancelBrandList() {
  brandList_.reset();
  order_.brandListVisible = false;
  order_.brandListNames.clear();
  Commit(kFlcOrder);
}

}  // namespace stallora
