#include "forms/feedlist_editor.h"

#include <algorithm>
#include <system_error>

#include "config/preferences.h"
#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "core/textutil.h"
#include "feeds/feedlist_tools.h"
#include "feeds/guarantee.h"
#include "forms/feedlist_texts.h"

namespace stallora {

namespace {

// The category a feed's tree group is named after: 6, 7, 9 or 11 (5 for category 5).
int GroupCategory(int c) {
  if (IsRoughageCategory(c)) return 6;
  if (IsConcentrateCategory(c)) return 7;
  if (IsSupplementCategory(c)) return 9;
  if (IsGroup11Category(c)) return 11;
  return 5;
}

std::string ShownBrand(const TFor& f) { return f.Brand.empty() ? Tr(kAlmindeligtFoder) : BrandDisplayText(f.Brand); }

}  // namespace

FeedListEditor::FeedListEditor(TForListe& list, Workspace& workspace, Messages& messages)
    : list_(list), workspace_(workspace), messages_(messages) {
  for (const auto& s : workspace.Stables()) {
    if (s->ForListe.get() == &list) ownerStable_ = s.get();
    for (const auto& h : s->Horses())
      if (h->ForListe.get() == &list) ownerHorse_ = h.get();
  }
  AddListener(&function_);
  list_.storeEditedFeed = [this] { StoreEditedFeed(); };
  comparison_ = std::make_unique<TForListe>(*list.env);
  comparison_->SetEnergyRecord(list.GetEnergyRecord());
  compare_.chosenNutrients.assign(kNutrientCount, false);
  TakeSnapshot();
  BuildTree();
  UpdateVisibility();
}

FeedListEditor::~FeedListEditor() {
  if (!listGone_) {
    DropPendingNewFeed();
    list_.storeEditedFeed = nullptr;
  }
}

bool FeedListEditor::IsGuaranteeList() const { return ::stallora::IsGuaranteeList(list_); }

// ---- commits

void FeedListEditor::Commit(unsigned changes) {
  if (!changedHorses_.empty()) changes |= kFlcHorses;
  if (!addedLists_.empty()) changes |= kFlcWorkspace;
  recomputeFlags_ |= changes;
  const int before = Recomputes();
  Editor::Commit(changes);
  // Told (not gathered into a batch): the next operation starts with empty lists.
  if (Recomputes() != before) {
    changedHorses_.clear();
    addedLists_.clear();
  }
}

void FeedListEditor::Recompute() {
  const unsigned changes = recomputeFlags_;
  recomputeFlags_ = 0;
  RecomputeFor(changes);
}

void FeedListEditor::RecomputeFor(unsigned changes) {
  if (changes & (kFlcTree | kFlcPicks)) BuildTree();
  UpdateVisibility();
  if (!PageAllowed(page_)) {
    LeavePage(FeedListPage::Information);
    page_ = FeedListPage::Information;
  }
}

void FeedListEditor::BuildTree() {
  const CountrySettings& settings = SettingsOf(*list_.env);
  FeedTree tree;
  tree.rootName = list_.ForlisteNavn;
  // A mix's feeds are chosen in the feed-mix calculator, not in a tree.
  for (int i = 0; !list_.ForBlanding && i < list_.Count(); ++i) {
    const TFor& f = *list_.FeedAt(i);
    if (&f == pendingNew_) continue;  // not in the list until it is ready
    if (f.Valgt) ++tree.picked;
    if (!treeFilterUpper_.empty() && UpperCase(f.Fornavn).find(treeFilterUpper_) == std::string::npos) continue;
    const int category = GroupCategory(f.Fortype);
    const std::string& groupName = settings.feedTypeNames[static_cast<size_t>(category)];
    auto group = std::find_if(tree.groups.begin(), tree.groups.end(),
                              [&](const FeedTree::Group& g) { return g.name == groupName; });
    if (group == tree.groups.end()) {
      tree.groups.push_back({groupName, category, {}, 0});
      group = tree.groups.end() - 1;
    }
    const std::string brandName = ShownBrand(f);
    auto brand = std::find_if(group->brands.begin(), group->brands.end(),
                              [&](const FeedTree::Brand& b) { return b.name == brandName; });
    if (brand == group->brands.end()) {
      group->brands.push_back({brandName, {}, 0});
      brand = group->brands.end() - 1;
    }
    brand->feeds.push_back(i);
    if (f.Valgt) {
      ++brand->picked;
      ++group->picked;
    }
  }
  tree_ = std::move(tree);
}

void FeedListEditor::UpdateVisibility() {
  const bool hasFeeds = list_.Count() > (pendingNew_ ? 1 : 0);
  const bool picked = tree_.picked > 0;
  visibility_.orderPage = hasFeeds;
  visibility_.pricePage = hasFeeds;
  visibility_.feedPage = picked || edited_ != nullptr;
  visibility_.deletePicked = picked;
  visibility_.showPicked = picked;
  visibility_.editCommand = picked;
  visibility_.deleteBrand = !deleteBrandNode_.empty();
}

bool FeedListEditor::PageAllowed(FeedListPage page) const {
  switch (page) {
    case FeedListPage::Order: return visibility_.orderPage;
    case FeedListPage::Prices: return visibility_.pricePage;
    case FeedListPage::Feed: return visibility_.feedPage;
    default: return true;
  }
}

std::vector<TForListe*> FeedListEditor::WorkspaceLists() const {
  std::vector<TForListe*> lists;
  for (const auto& l : workspace_.FeedLists()) lists.push_back(l.get());
  for (const auto& s : workspace_.Stables()) lists.push_back(s->ForListe.get());
  return lists;
}

// ---- frame

void FeedListEditor::Show() {
  list_.UnpickAll();
  deleteBrandNode_.clear();
  priceLists_.clear();
  for (TForListe* l : WorkspaceLists())
    if (l != &list_ && !::stallora::IsGuaranteeList(*l)) priceLists_.push_back(l);
  priceChecks_.assign(priceLists_.size(), false);
  priceAllChecked_ = false;
  LeavePage(FeedListPage::Information);
  page_ = FeedListPage::Information;
  Commit(kFlcAll);
}

std::string FeedListEditor::Caption() const {
  std::string prefix;
  if (ownerHorse_)
    prefix = ownerHorse_->Navn + ": ";
  else if (IsGuaranteeList())
    prefix = Tr(kGarantifoderliste) + ": ";
  return prefix.empty() ? list_.ForlisteNavn : prefix + " " + list_.ForlisteNavn;
}

bool FeedListEditor::ShowPage(FeedListPage page) {
  if (page == page_) return true;
  if (page_ == FeedListPage::Copy && DuplicatesPending()) return false;
  if (!PageAllowed(page)) return false;
  LeavePage(page);
  page_ = page;
  EnterPage(page);
  Commit(kFlcPages | kFlcFeed | kFlcPicks | kFlcCompare | kFlcCopy | kFlcOrder | kFlcNewFeed | kFlcTree);
  return true;
}

void FeedListEditor::LeavePage(FeedListPage next) {
  if (next == page_) return;
  switch (page_) {
    case FeedListPage::Feed: StoreEditedFeed(); break;
    case FeedListPage::NewFeed: DropPendingNewFeed(); break;
    case FeedListPage::Compare: compare_.resultsVisible = false; break;
    case FeedListPage::Order:
      brandList_.reset();
      order_.brandListVisible = false;
      break;
    default: break;
  }
}

void FeedListEditor::EnterPage(FeedListPage page) {
  switch (page) {
    case FeedListPage::Compare: EnterCompare(); break;
    case FeedListPage::Copy: EnterCopy(); break;
    case FeedListPage::Order: RefreshOrder(); break;
    case FeedListPage::NewFeed: EnterNewFeed(); break;
    case FeedListPage::Feed:
      if (!edited_)
        for (const auto& f : list_.Feeds())
          if (f->Valgt) {
            StartEditing(f.get(), EditOrigin::ShowPicked);
            break;
          }
      break;
    default: break;
  }
}

// ---- information page and tree

std::string FeedListEditor::InfoText() const { return list_.InfoText(); }

std::string FeedListEditor::CountText() const {
  return Tr(kFlAntalFoderemner) + std::to_string(list_.Count() - (pendingNew_ ? 1 : 0));
}

std::string FeedListEditor::TreeCaption() const { return std::to_string(tree_.picked) + " " + Tr(kFlValgtFoder); }

std::vector<std::string> FeedListEditor::EnergyObjectNames() const { return workspace_.App().energyList.Navneliste(); }

void FeedListEditor::ToggleFeed(int index) {
  TFor* f = list_.FeedAt(index);
  if (!f || f == pendingNew_) return;
  f->Valgt = !f->Valgt;
  deleteBrandNode_.clear();
  Commit(kFlcPicks | kFlcPages);
}

void FeedListEditor::ClickNode(int group, int brand) {
  deleteBrandNode_.clear();
  if (group >= 0 && group < static_cast<int>(tree_.groups.size())) {
    const FeedTree::Group& g = tree_.groups[static_cast<size_t>(group)];
    if (brand >= 0 && brand < static_cast<int>(g.brands.size()))
      deleteBrandNode_ = g.brands[static_cast<size_t>(brand)].name;
    else if (IsBrandNode(list_, g.name))
      deleteBrandNode_ = g.name;
  }
  Commit(kFlcPages);
}

void FeedListEditor::OpenFeed(int index) {
  TFor* f = list_.FeedAt(index);
  if (!f || f == pendingNew_) return;
  if (page_ == FeedListPage::NewFeed) DropPendingNewFeed();
  StartEditing(list_.FeedAt(IndexOfFeedObject(list_, f)), EditOrigin::Tree);
  Commit(kFlcFeed | kFlcPicks | kFlcPages);
}

void FeedListEditor::SetTreeFilter(const std::string& text) {
  if (text == treeFilter_) return;
  treeFilter_ = text;
  treeFilterUpper_ = UpperCase(Trim(text));
  Commit(kFlcTree);
}

void FeedListEditor::ResetPicks() {
  list_.UnpickAll();
  deleteBrandNode_.clear();
  Commit(kFlcPicks | kFlcPages);
}

void FeedListEditor::ShowPickedFeeds() {
  for (const auto& f : list_.Feeds())
    if (f->Valgt && f.get() != pendingNew_) {
      if (page_ == FeedListPage::NewFeed) DropPendingNewFeed();
      StartEditing(f.get(), EditOrigin::ShowPicked);
      Commit(kFlcFeed | kFlcPicks | kFlcPages);
      return;
    }
}

void FeedListEditor::DeletePicked() {
  std::vector<const TFor*> picked;
  std::string names;
  for (const auto& f : list_.Feeds())
    if (f->Valgt && f.get() != pendingNew_) {
      picked.push_back(f.get());
      names += " " + f->Fornavn + ",";
    }
  if (picked.empty()) {
    messages_.Inform(Tr(kFlFoderIkkeValgt));
    Commit(0);
    return;
  }
  if (messages_.Confirm(Tr(kFlBekraeftSletning) + " " + names)) {
    for (const TFor* f : picked) {
      if (f == edited_) StopEditing();
      list_.RemoveFeed(f);
    }
  }
  // The list is saved whatever the answer.
  std::string error;
  if (!SaveList(&error)) messages_.Error(error);
  Commit(kFlcTree | kFlcPicks | kFlcInfo | kFlcPages | kFlcPrices | kFlcOrder | kFlcFeed);
}

void FeedListEditor::DeleteBrand() {
  if (deleteBrandNode_.empty()) return;
  const std::string node = deleteBrandNode_;
  const int n = PickShownBrand(list_, node);
  const std::string question = node + ": " + std::to_string(n) + " " + Tr(kFlFoderLower) + ".   " + Tr(kFlSlet) + "?";
  if (messages_.Confirm(question)) {
    std::vector<const TFor*> gone;
    for (const auto& f : list_.Feeds())
      if (f->Valgt && f.get() != pendingNew_) gone.push_back(f.get());
    for (const TFor* f : gone) {
      if (f == edited_) StopEditing();
      list_.RemoveFeed(f);
    }
  }
  deleteBrandNode_.clear();
  Commit(kFlcTree | kFlcPicks | kFlcInfo | kFlcPages | kFlcPrices | kFlcOrder | kFlcFeed);
}

void FeedListEditor::ChooseEnergyObject(int index) {
  const TEnergyProteinObj* obj = workspace_.App().energyList.Element(index);
  if (!obj) return;
  const EnergyRecord chosen = EnergyRecord::Of(*obj);
  if (list_.SameEnergySystem(chosen)) return;
  if (GuaranteeRefused()) {
    Commit(0);
    return;
  }
  if (!messages_.Confirm(RecalculationQuestion(list_.env->PreferenceCountry()))) {
    Commit(0);
    return;
  }
  StoreEditedFeed();
  if (pendingNew_) DropPendingNewFeed();
  std::string error;
  if (!list_.ChangeEnergySystem(chosen, &error)) messages_.Error(error);
  comparison_ = std::make_unique<TForListe>(*list_.env);
  comparison_->SetEnergyRecord(list_.GetEnergyRecord());
  if (page_ == FeedListPage::NewFeed) EnterNewFeed();
  if (page_ == FeedListPage::Compare) EnterCompare();
  Commit(kFlcInfo | kFlcFeed | kFlcCompare | kFlcNewFeed);
}

bool FeedListEditor::CanRename() const { return !ownerStable_ && !ownerHorse_ && !IsGuaranteeList(); }

bool FeedListEditor::Rename(const std::string& name) {
  const std::string wanted = Trim(name);
  if (wanted == list_.ForlisteNavn) return true;
  std::string error;
  if (!CanRename()) {
    error = Tr(kFlNavnLaast);
  } else if (auto problem = ValidateFileName(wanted)) {
    error = *problem;
  } else if (workspace_.FeedListNameTaken(wanted)) {
    error = Tr(kListExists) + ": " + wanted;
  } else if (list_.Rename(wanted, &error)) {
    Commit(kFlcInfo | kFlcTree | kFlcWorkspace);
    return true;
  }
  messages_.Error(error);
  Commit(kFlcInfo);
  return false;
}

void FeedListEditor::SetVersionText(const std::string& text) {
  if (text == list_.Versjonstekst) return;
  list_.Versjonstekst = text;
  Commit(kFlcInfo);
}

std::string FeedListEditor::HelpAddress(FeedListPage page) const {
  std::string address = workspace_.App().preferences.ManualPage() + "/feedlists";
  switch (page) {
    case FeedListPage::Feed: return address + "/change-feed";
    case FeedListPage::NewFeed: return address + "/template-feeds";
    case FeedListPage::Prices: return address + "/feedprices";
    default: return address;
  }
}

std::string FeedListEditor::HelpTitle(FeedListPage page) const {
  const std::string head = Tr(kFlHjaelp) + ": ";
  switch (page) {
    case FeedListPage::Feed: return head + Tr(kFlFoderLower);
    case FeedListPage::NewFeed: return head + Tr(kFlDetNyeFoder);
    case FeedListPage::Prices: return head + Tr(kFlFoderpriser);
    default: return head + Tr(kFoderliste);
  }
}

bool FeedListEditor::GuaranteeRefused() {
  if (!IsGuaranteeList()) return false;
  messages_.Error(Tr(kFlGarantiLaast));
  return true;
}

// ---- saving and closing

std::filesystem::path FeedListEditor::FeedDirectory() const { return list_.FeedDirectory(); }

bool FeedListEditor::SaveList(std::string* error) {
  // A new feed still without its name is not part of the list yet.
  const bool hadPending = pendingNew_ != nullptr;
  DropPendingNewFeed();
  list_.Touch();
  bool ok = true;
  std::string message;
  if (ownerHorse_) {
    ok = ownerHorse_->stable && ownerHorse_->stable->SaveHorse(*ownerHorse_, &message);
  } else if (ownerStable_) {
    ok = ownerStable_->Save(&message);
  } else {
    try {
      list_.SaveToWorkspace();
    } catch (const ObjTextError& e) {
      ok = false;
      message = e.what();
    }
  }
  if (hadPending && page_ == FeedListPage::NewFeed) AppendBlankNewFeed();
  if (!ok) {
    if (error) *error = (message.empty() ? std::string() : message + "\r") + Tr(kFlGemtesIkke);
    return false;
  }
  TakeSnapshot();
  return true;
}

bool FeedListEditor::Save() {
  std::string error;
  const bool ok = SaveList(&error);
  if (!ok) messages_.Error(error);
  Commit(kFlcInfo | kFlcFeed);
  return ok;
}

std::string FeedListEditor::ProposedSaveAsName() const { return ProposedListName(FeedDirectory()); }

TForListe* FeedListEditor::SaveAs(const std::filesystem::path& chosen) {
  std::string name = TextFromPath(chosen.filename());
  if (name.size() > 4 && SameText(std::string_view(name).substr(name.size() - 4), ".eqf")) name.resize(name.size() - 4);
  std::string error;
  const std::filesystem::path dir = FeedDirectory();
  std::error_code ec;
  const std::filesystem::path parent = chosen.has_parent_path() ? chosen.parent_path() : dir;
  if (auto problem = ValidateFileName(name)) {
    error = *problem;
  } else if (dir.empty() || !std::filesystem::equivalent(parent, dir, ec)) {
    error = Tr(kFlGemmesI) + ": " + PathText(dir);
  } else if (workspace_.FeedListNameTaken(name)) {
    error = Tr(kListExists) + ": " + name;
  }
  if (!error.empty()) {
    messages_.Error(error);
    Commit(0);
    return nullptr;
  }
  StoreEditedFeed();
  auto copy = SaveAsCopy(list_, name);
  if (pendingNew_) copy->RemoveFeed(copy->FeedAt(IndexOfFeedObject(list_, pendingNew_)));
  const std::filesystem::path path = dir / PathFromText(name + ".eqf");
  try {
    copy->SaveToFile(path);
  } catch (const ObjTextError& e) {
    messages_.Error(std::string(e.what()) + "\r" + Tr(kFlGemtesIkke));
    Commit(0);
    return nullptr;
  }
  copy->ForListeFilNavn = TextFromPath(path);
  TForListe* added = nullptr;
  if (messages_.Confirm(Tr(kFlVisNyForliste))) {
    added = &workspace_.AddFeedList(std::move(copy));
    addedLists_.push_back(added);
  }
  Commit(added ? unsigned{kFlcWorkspace} : 0u);
  return added;
}

bool FeedListEditor::MayDeleteList() const { return !ownerStable_ && !ownerHorse_; }

std::string FeedListEditor::DeleteListQuestion() const { return Tr(kFlBekraeftSletning) + " " + list_.ForlisteNavn; }

void FeedListEditor::TakeDataIntoList() {
  if (listGone_) return;
  StoreEditedFeed();
  if (pendingNew_) {
    DropPendingNewFeed();
    if (page_ == FeedListPage::NewFeed) page_ = FeedListPage::Information;
    Commit(kFlcPages | kFlcNewFeed);
  }
}

bool FeedListEditor::HasUnsavedChanges() const {
  if (listGone_) return false;
  return rebuilt_ || list_.Fingerprint() != startFingerprint_ || ContentSignature(list_) != startSignature_;
}

std::string FeedListEditor::CloseQuestion() const { return list_.ForlisteNavn + ": " + Tr(kFlDataAendret); }

void FeedListEditor::TakeSnapshot() {
  rebuilt_ = false;
  startFingerprint_ = list_.Fingerprint();
  startSignature_ = ContentSignature(list_);
  snapshot_.clear();
  // Only a list without a file of its own needs its text to go back to.
  if (ownerStable_ || ownerHorse_) {
    try {
      snapshot_ = RecordText(list_);
    } catch (const ObjTextError&) {
      snapshot_.clear();
    }
  }
}

void FeedListEditor::StoreSignature() { TakeSnapshot(); }

bool FeedListEditor::RestoreSaved() {
  const std::filesystem::path file = PathFromText(list_.ForListeFilNavn);
  std::error_code ec;
  std::string text;
  if (!ownerStable_ && !ownerHorse_ && !list_.ForListeFilNavn.empty() && std::filesystem::exists(file, ec)) {
    std::string error;
    auto bytes = ReadWholeFile(file, &error);
    if (!bytes) {
      messages_.Error(error);
      return false;
    }
    // Read it apart first: a file that does not read leaves the list as it is.
    TForListe probe(*list_.env, list_.owner);
    try {
      probe.LoadFromText(*bytes, file);
    } catch (const ObjTextError& e) {
      messages_.Error(FileMessage(file, FeedDirectory(), e.what()));
      return false;
    }
    text = std::move(*bytes);
  } else if (!snapshot_.empty()) {
    text = snapshot_;
  } else {
    return true;  // a list never saved: nothing to go back to
  }
  const std::string keptName = list_.ForlisteNavn;
  try {
    list_.LoadFromText(text, file);
  } catch (const ObjTextError& e) {
    messages_.Error(e.what());
    return false;
  }
  if (ownerStable_ || ownerHorse_) list_.ForlisteNavn = keptName;
  return true;
}

bool FeedListEditor::Close(CloseAnswer answer) {
  if (listGone_) return true;
  TakeDataIntoList();
  if (HasUnsavedChanges()) {
    if (answer == CloseAnswer::Cancel) return false;
    if (answer == CloseAnswer::Yes) {
      std::string error;
      if (!SaveList(&error)) {
        messages_.Error(error);
        Commit(kFlcInfo);
        return false;
      }
    } else {
      StopEditing();
      RestoreSaved();
    }
  }
  StopEditing();
  DropPendingNewFeed();
  list_.storeEditedFeed = nullptr;
  list_.Touch();
  // The window is done with the list, which may be freed before the window is (a deleted
  // list): nothing touches it from here on, the destructor included.
  listGone_ = true;
  return true;
}

void FeedListEditor::ListRebuilt(bool rebuilt) {
  if (listGone_) return;
  edited_ = nullptr;
  workingCopy_.reset();
  editingNew_ = false;
  perDryMatter_ = false;
  pendingNew_ = nullptr;
  deleteBrandNode_.clear();
  list_.UnpickAll();
  if (rebuilt) rebuilt_ = true;
  page_ = FeedListPage::Information;
  Commit(kFlcAll);
}

void FeedListEditor::RecordGoing(const Record& record) {
  if (&record == &list_ || &record == ownerStable_ || &record == ownerHorse_) {
    listGone_ = true;
    edited_ = nullptr;
    pendingNew_ = nullptr;
    return;
  }
  const auto drop = [&](std::vector<TForListe*>& lists) {
    lists.erase(std::remove_if(lists.begin(), lists.end(), [&](TForListe* l) { return l == &record; }), lists.end());
  };
  bool touched = false;
  for (auto* lists : {&compareLists_, &donors_, &templateLists_})
    if (std::find(lists->begin(), lists->end(), &record) != lists->end()) touched = true;
  const auto price = std::find(priceLists_.begin(), priceLists_.end(), &record);
  if (price != priceLists_.end()) {
    priceChecks_.erase(priceChecks_.begin() + (price - priceLists_.begin()));
    priceLists_.erase(price);
    touched = true;
  }
  if (!touched && donor_ != &record) return;
  drop(compareLists_);
  drop(donors_);
  drop(templateLists_);
  if (donor_ == &record) {
    donor_ = nullptr;
    copy_.duplicates.clear();
  }
  if (page_ == FeedListPage::Compare) EnterCompare();
  if (page_ == FeedListPage::Copy) EnterCopy();
  if (page_ == FeedListPage::NewFeed) RefreshTemplateLists();
  Commit(kFlcCompare | kFlcCopy | kFlcPrices | kFlcNewFeed);
}

}  // namespace stallora
