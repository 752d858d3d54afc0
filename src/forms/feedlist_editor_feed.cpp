// The feed editor page and the new-feed page of the feed list editor.

#include <algorithm>

#include "config/preferences.h"
#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/html_report.h"
#include "core/textutil.h"
#include "feeds/feedlist_tools.h"
#include "feeds/guarantee.h"
#include "forms/feedlist_editor.h"
#include "forms/feedlist_texts.h"
#include "nutrition/report_common.h"
#include "stable/stall.h"

namespace stallora {

namespace {

constexpr size_t kShortString = 255;

std::string Cut(std::string_view text) { return std::string(text.substr(0, std::min(text.size(), kShortString))); }

// The category the new-feed page offers for a template's category (0..5).
int OfferedCategory(int c, int current) {
  if (c == 1 || c == 6) return 1;
  if (c == 2) return 2;
  if (IsConcentrateCategory(c)) return 3;
  if (IsSupplementCategory(c)) return 4;
  if (IsGrazingCategory(c)) return 0;
  return current;
}

}  // namespace

// ---- the working copy

void FeedListEditor::StartEditing(TFor* feed, EditOrigin origin) {
  if (edited_ && edited_ != feed) StoreEditedFeed();
  if (edited_ != feed) {
    editingNew_ = false;
    workingCopy_ = feed->Clone();
  }
  edited_ = feed;
  editOrigin_ = origin;
  perDryMatter_ = false;
  feed->Valgt = true;
  page_ = FeedListPage::Feed;
}

void FeedListEditor::StopEditing() {
  if (edited_) EndDryMatterMode();
  edited_ = nullptr;
  workingCopy_.reset();
  editingNew_ = false;
  perDryMatter_ = false;
}

void FeedListEditor::EndDryMatterMode() {
  if (edited_ && perDryMatter_) edited_->ToAsFedBasis();
  perDryMatter_ = false;
}

void FeedListEditor::StoreEditedFeed() {
  if (!edited_) return;
  EndDryMatterMode();
  edited_->UpdateRatio();
}

void FeedListEditor::RestoreEditedFromCopy() {
  if (!edited_ || !workingCopy_) return;
  EndDryMatterMode();
  TFor& f = *edited_;
  const TFor& c = *workingCopy_;
  f.Fornavn = c.Fornavn;
  f.Brand = c.Brand;
  f.Fornummer = c.Fornummer;
  f.Pris = c.Pris;
  f.Fortype = c.Fortype;
  f.TildeltKg = c.TildeltKg;
  f.StallBehov = c.StallBehov;
  f.Beholdning = c.Beholdning;
  f.Enhetsvekt = c.Enhetsvekt;
  f.TorrStoff = c.TorrStoff;
  f.KanIkkeEndres = c.KanIkkeEndres;
  f.KarotenRikt = c.KarotenRikt;
  f.KommersieltFor = c.KommersieltFor;
  f.Fordeling = c.Fordeling;
  f.Origin = c.Origin;
  f.UserText = c.UserText;
  f.Analyse.Values() = c.Analyse.Values();
}

// ---- what the page shows

EditedFeedView FeedListEditor::FeedView() const {
  EditedFeedView v;
  if (!edited_) return v;
  const TFor& f = *edited_;
  const CountrySettings& s = SettingsOf(*list_.env);
  const char sep = list_.env->regional.decimalSeparator;
  const bool guarantee = IsGuaranteeList();
  v.active = true;
  v.isNew = editingNew_;
  v.name = f.Fornavn;
  v.price = ShownNumber(f.Pris, list_.env->CurrencyDecimals(), 4, sep);
  v.brand = f.Brand;
  v.brandLabel = f.Brand.empty() ? Tr(kAlmindeligtFoder) : BrandDisplayText(f.Brand);
  v.userText = f.UserText;
  v.dryMatter = ShownNumber(f.TorrStoff, 1, 3, sep);
  v.unitWeight = ShownNumber(f.Enhetsvekt, 0, 3, sep);
  v.category = f.Fortype;
  v.carotene = f.KarotenRikt;
  v.origin = f.Origin;
  v.originText = Tr(kOprindelsesland) + ": " + CountryName(f.Origin);
  v.perDryMatter = perDryMatter_;
  v.nameEditable = !f.KanIkkeEndres && !guarantee;
  v.categoryEditable = !f.KanIkkeEndres && f.Brand == kGenericBrandMark && !guarantee;
  v.dryMatterEditable = !guarantee && !(f.KanIkkeEndres && !IsOwnFeedCategory(f.Fortype));
  v.valuesEditable = !guarantee;
  v.brandEditable = !guarantee;
  v.priceEditable = true;
  for (int i = 0; i < kNutrientCount; ++i) {
    AnalysisRow row;
    row.name = ListNutrientName(list_, i);
    const int precision = std::clamp(s.nutrients[static_cast<size_t>(i)].precision, 0, 3);
    row.value = ShownNumber(f.Value(i), precision, 3, sep);
    row.unit = ListNutrientUnit(list_, i);
    row.editable = v.valuesEditable && i != 6;
    v.rows.push_back(std::move(row));
  }
  v.statusIcon = f.FeedStatusIcon();
  v.statusText = f.FeedStatusText();
  v.position = list_.PositionText(edited_);
  v.energyDescription = list_.EnergyDescription();
  v.proteinName = s.ProteinTypeName(list_.ProteinTypeClamped());
  v.previousEnabled = IndexOfFeedObject(list_, edited_) > 0;
  v.nextEnabled = IndexOfFeedObject(list_, edited_) + 1 < list_.Count();
  return v;
}

// ---- typed fields

bool FeedListEditor::FieldRefused(bool editable, const std::string& field) {
  if (editable) return false;
  messages_.Error(IsGuaranteeList() ? Tr(kFlGarantiLaast) : field + ": " + Tr(kKanIkkeAendres));
  Commit(kFlcFeed);
  return true;
}

bool FeedListEditor::SetFeedName(const std::string& text) {
  if (!edited_) return false;
  const std::string name = Cut(Trim(text));
  // Leaving a locked name unchanged is no attempt to change it.
  if (name == edited_->Fornavn) return true;
  const EditedFeedView v = FeedView();
  if (FieldRefused(v.nameEditable, Tr(kFodernavn))) return false;
  std::string problem;
  if (name.empty()) {
    problem = Tr(kFlNavnMangler);
  } else {
    for (const auto& f : list_.Feeds())
      if (f.get() != edited_ && f->Fornavn == name)
        problem = Tr(kFodernavn) + " " + FirstLetterLower(Tr(kFindesAendre)) + ". " + Tr(kFlAngivNytNavn);
  }
  if (!problem.empty()) {
    messages_.Inform(problem);
    Commit(kFlcFeed);
    return false;
  }
  edited_->Fornavn = name;
  Commit(kFlcFeed | kFlcTree | kFlcPrices | kFlcOrder);
  return true;
}

bool FeedListEditor::SetFeedPrice(const std::string& text) {
  if (!edited_) return false;
  std::string error;
  const std::string field = Tr(kFoderpris) + " " + list_.env->regional.currencySymbol + "/kg";
  const auto price = ParseAmount(field, text, list_.env->regional.decimalSeparator, &error);
  if (!price) {
    messages_.Error(error);
    Commit(kFlcFeed);
    return false;
  }
  if (*price == edited_->Pris) return true;
  edited_->Pris = *price;
  Commit(kFlcFeed | kFlcPrices);
  return true;
}

bool FeedListEditor::SetFeedCategory(int category) {
  if (!edited_ || category < 0 || category > kMaxFeedCategory) return false;
  if (category == edited_->Fortype) return true;
  if (FieldRefused(FeedView().categoryEditable, Tr(kFlFoderLower))) return false;
  edited_->Fortype = static_cast<TForkategorier>(category);
  Commit(kFlcFeed | kFlcTree);
  return true;
}

bool FeedListEditor::SetFeedBrand(const std::string& text) {
  if (!edited_) return false;
  const std::string brand = Cut(UpperCase(Trim(text)));
  if (brand == edited_->Brand) return true;
  if (FieldRefused(FeedView().brandEditable, Tr(kFlLeverandoer))) return false;
  edited_->Brand = brand;
  Commit(kFlcFeed | kFlcTree | kFlcOrder);
  return true;
}

bool FeedListEditor::SetFeedCarotene(bool on) {
  if (!edited_ || on == edited_->KarotenRikt) return edited_ != nullptr;
  if (FieldRefused(FeedView().valuesEditable, Tr(kFlKarotenrikt))) return false;
  edited_->KarotenRikt = on;
  Commit(kFlcFeed);
  return true;
}

bool FeedListEditor::SetFeedUserText(const std::string& text) {
  if (!edited_ || text == edited_->UserText) return edited_ != nullptr;
  if (FieldRefused(FeedView().valuesEditable, Tr(kFlBrugertekst))) return false;
  edited_->UserText = text;
  Commit(kFlcFeed);
  return true;
}

bool FeedListEditor::SetFeedDryMatter(const std::string& text) {
  if (!edited_) return false;
  if (FieldRefused(FeedView().dryMatterEditable, Tr(kTorstofProcent))) return false;
  std::string error;
  const auto value =
      ParseAmount(Tr(kTorstofProcent), text, list_.env->regional.decimalSeparator, &error, AmountRule{100});
  if (!value) {
    messages_.Error(error);
    Commit(kFlcFeed);
    return false;
  }
  if (*value == edited_->TorrStoff) return true;
  edited_->TorrStoff = *value;
  Commit(kFlcFeed);
  return true;
}

bool FeedListEditor::SetFeedUnitWeight(const std::string& text) {
  if (!edited_) return false;
  if (FieldRefused(FeedView().valuesEditable, Tr(kFlEnhedsvaegt))) return false;
  std::string error;
  const auto value = ParseAmount(Tr(kFlEnhedsvaegt), text, list_.env->regional.decimalSeparator, &error);
  if (!value) {
    messages_.Error(error);
    Commit(kFlcFeed);
    return false;
  }
  if (*value == edited_->Enhetsvekt) return true;
  edited_->Enhetsvekt = *value;
  Commit(kFlcFeed);
  return true;
}

bool FeedListEditor::SetFeedOrigin(int countryNumber) {
  if (!edited_) return false;
  if (countryNumber == edited_->Origin) return true;
  if (FieldRefused(FeedView().valuesEditable, Tr(kOprindelsesland))) return false;
  if (CountryName(countryNumber).empty()) return false;
  edited_->Origin = countryNumber;
  Commit(kFlcFeed);
  return true;
}

bool FeedListEditor::SetAnalysisValue(int nutrient, const std::string& text) {
  if (!edited_ || nutrient < 0 || nutrient >= kNutrientCount || nutrient == 6) return false;
  const std::string field = ListNutrientName(list_, nutrient);
  if (FieldRefused(FeedView().valuesEditable, field)) return false;
  std::string error;
  const auto value = ParseAmount(field, text, list_.env->regional.decimalSeparator, &error);
  if (!value) {
    messages_.Error(error);
    Commit(kFlcFeed);
    return false;
  }
  if (*value == edited_->Value(nutrient) && nutrient < edited_->ValueCount()) return true;
  edited_->SetValue(nutrient, *value);
  edited_->UpdateRatio();
  Commit(kFlcFeed);
  return true;
}

void FeedListEditor::SetPerDryMatter(bool on) {
  if (!edited_ || on == perDryMatter_) return;
  if (on)
    edited_->ToDryMatterBasis();
  else
    edited_->ToAsFedBasis();
  perDryMatter_ = on;
  Commit(kFlcFeed);
}

// ---- moving on

void FeedListEditor::StepFeed(bool next) {
  if (!edited_) return;
  StoreEditedFeed();
  const int i = IndexOfFeedObject(list_, edited_);
  TFor* target = list_.FeedAt(next ? i + 1 : i - 1);
  if (!target || target == pendingNew_) return;
  StartEditing(target, editOrigin_);
  Commit(kFlcFeed | kFlcPicks | kFlcPages);
}

void FeedListEditor::FeedOk() {
  if (!edited_) return;
  StoreEditedFeed();
  TFor& f = *edited_;
  f.Valgt = false;
  if (editingNew_) {
    messages_.Inform(Tr(kFlDetNyeFoder) + ": " + f.Fornavn + " " + Tr(kFlErLagtTilI) + " " + list_.ForlisteNavn + "!");
    list_.SortByCategory();
    StopEditing();
    page_ = FeedListPage::Information;
    list_.UnpickAll();
    deleteBrandNode_.clear();
    Commit(kFlcAll);
    return;
  }
  if (ownerStable_ && workingCopy_ && !f.SameFeed(*workingCopy_) &&
      messages_.Confirm(f.Fornavn + " " + Tr(kFlAendretLower) + ". " + "\r" + Tr(kFlOpdaterHeste))) {
    ownerStable_->UpdateFeedValuesInHorses(f, &changedHorses_);
  }
  const EditOrigin origin = editOrigin_;
  StopEditing();
  TFor* nextPicked = nullptr;
  if (origin == EditOrigin::ShowPicked)
    for (const auto& g : list_.Feeds())
      if (g->Valgt && g.get() != pendingNew_) {
        nextPicked = g.get();
        break;
      }
  if (nextPicked) {
    StartEditing(nextPicked, EditOrigin::ShowPicked);
  } else {
    page_ = FeedListPage::Information;
    list_.UnpickAll();
    deleteBrandNode_.clear();
  }
  Commit(kFlcAll);
}

void FeedListEditor::FeedCancel() {
  if (!edited_) return;
  if (editingNew_) {
    TFor* gone = edited_;
    StopEditing();
    list_.RemoveFeed(gone);
  } else {
    RestoreEditedFromCopy();
    StopEditing();
  }
  page_ = FeedListPage::Information;
  list_.UnpickAll();
  deleteBrandNode_.clear();
  Commit(kFlcAll);
}

std::string FeedListEditor::FeedPrintPage() {
  if (!edited_) return {};
  const bool wasDryMatter = perDryMatter_;
  StoreEditedFeed();
  if (wasDryMatter) Commit(kFlcFeed);
  return edited_->FeedInfoPage();
}

std::optional<std::filesystem::path> FeedListEditor::WriteFeedMailFile(std::string* subject) {
  if (!edited_) return std::nullopt;
  StoreEditedFeed();
  const std::string html = edited_->FeedInfoPageDM() + ReportFooter(FooterDataOf(*list_.env));
  std::string base = edited_->Fornavn;
  // A feed name is no file name: what cannot stand in one is replaced.
  for (char& c : base)
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 32 || c == 127) c = '_';
  if (base.empty() || base.front() == '.') base.insert(base.begin(), '_');
  if (base.size() > kMaxRecordNameBytes) base.resize(kMaxRecordNameBytes);
  const std::filesystem::path path = workspace_.App().preferences.TempDirectory() / PathFromText(base + ".htm");
  std::string error;
  if (!WriteFileAtomically(path, html, &error)) {
    messages_.Error(error);
    return std::nullopt;
  }
  if (subject) *subject = edited_->Fornavn + ": " + Tr(kFlNaeringsindhold);
  return path;
}

std::optional<std::string> FeedListEditor::BrandWebAddress() {
  if (!edited_) return std::nullopt;
  const std::string label = UpperCase(FeedView().brandLabel);
  const FeedCompany* found = nullptr;
  for (const auto& c : SettingsOf(*list_.env).feedCompanies)
    if (!label.empty() && UpperCase(c.brands).find(label) != std::string::npos) found = &c;
  if (!found || found->web.empty()) {
    messages_.Inform(Tr(kFlFoderUdenAftale) + ". " + Tr(kFlWebsidenVisesIkke));
    return std::nullopt;
  }
  return found->web;
}

// ---- the new-feed page

void FeedListEditor::AppendBlankNewFeed() {
  if (pendingNew_) return;
  pendingNew_ = &list_.AddFeed(std::make_unique<TFor>(*list_.env));
}

void FeedListEditor::DropPendingNewFeed() {
  if (!pendingNew_) return;
  list_.RemoveFeed(pendingNew_);
  pendingNew_ = nullptr;
}

void FeedListEditor::RefreshTemplateLists() {
  templateLists_ = WorkspaceLists();
  if (std::find(templateLists_.begin(), templateLists_.end(), &list_) == templateLists_.end())
    templateLists_.insert(templateLists_.begin(), &list_);
  newFeed_.templateLists.clear();
  for (TForListe* l : templateLists_) newFeed_.templateLists.push_back(l->ForlisteNavn);
  const auto own = std::find(templateLists_.begin(), templateLists_.end(), &list_);
  newFeed_.templateList = own == templateLists_.end() ? 0 : static_cast<int>(own - templateLists_.begin());
}

void FeedListEditor::EnterNewFeed() {
  if (edited_ && editingNew_) StoreEditedFeed();
  const CountrySettings& s = SettingsOf(*list_.env);
  newFeed_ = NewFeedView{};
  for (int c = 0; c <= 5; ++c) newFeed_.categoryNames.push_back(s.feedTypeNames[static_cast<size_t>(c)]);
  RefreshTemplateLists();
  templateFeeds_.clear();
  DropPendingNewFeed();
  AppendBlankNewFeed();
}

void FeedListEditor::RefreshTemplates() {
  templateFeeds_.clear();
  newFeed_.templateNames.clear();
  if (newFeed_.templateList < 0 || newFeed_.templateList >= static_cast<int>(templateLists_.size())) return;
  const TForListe& source = *templateLists_[static_cast<size_t>(newFeed_.templateList)];
  std::vector<int> indices;
  if (newFeed_.sameCategory) {
    indices = FeedIndicesInGroup(source, newFeed_.category);
  } else {
    for (int i = 0; i < source.Count(); ++i) indices.push_back(i);
  }
  for (int i : indices)
    if (source.FeedAt(i) != pendingNew_) {
      templateFeeds_.push_back(i);
      newFeed_.templateNames.push_back(source.FeedAt(i)->Fornavn);
    }
  if (newFeed_.templateNames.empty())
    newFeed_.templateCaption = "0 " + Tr(kFlFoderIListen) + ". " + Tr(kFlVaelgFraAnden);
  else
    newFeed_.templateCaption = " " + Tr(kFlVaelgUdgangspunkt) + ": " + source.ForlisteNavn + " ";
}

void FeedListEditor::SetNewFeedName(const std::string& text) {
  if (text == newFeed_.name) return;
  newFeed_.name = text;
  Commit(kFlcNewFeed);
}

void FeedListEditor::SetNewFeedCategory(int category) {
  if (category < 0 || category > 5 || category == newFeed_.category) return;
  newFeed_.category = category;
  if (newFeed_.templateBoxVisible && newFeed_.sameCategory) RefreshTemplates();
  Commit(kFlcNewFeed);
}

void FeedListEditor::ChooseTemplateList(int index) {
  if (index < 0 || index >= static_cast<int>(templateLists_.size())) return;
  newFeed_.templateList = index;
  if (newFeed_.templateBoxVisible) RefreshTemplates();
  Commit(kFlcNewFeed);
}

void FeedListEditor::SetSameCategory(bool on) {
  if (on == newFeed_.sameCategory) return;
  newFeed_.sameCategory = on;
  if (newFeed_.templateBoxVisible) RefreshTemplates();
  Commit(kFlcNewFeed);
}

void FeedListEditor::ShowTemplates() {
  newFeed_.templateBoxVisible = true;
  RefreshTemplates();
  Commit(kFlcNewFeed);
}

void FeedListEditor::ChooseTemplate(int index) {
  if (index < 0 || index >= static_cast<int>(templateFeeds_.size())) return;
  const TForListe& source = *templateLists_[static_cast<size_t>(newFeed_.templateList)];
  const TFor* feed = source.FeedAt(templateFeeds_[static_cast<size_t>(index)]);
  if (!feed || feed == pendingNew_) return;
  auto clone = feed->Clone();
  clone->Valgt = false;
  clone->KanIkkeEndres = false;
  std::string error;
  if (!list_.SameEnergySystem(source.GetEnergyRecord()) &&
      !list_.ConvertFeedFrom(*clone, source.GetEnergyRecord(), &error)) {
    messages_.Error(error);
    Commit(kFlcNewFeed);
    return;
  }
  newFeed_.category = OfferedCategory(clone->Fortype, newFeed_.category);
  newFeed_.templateLabel = Tr(kFlValgt) + " " + Tr(kFlUdgangsFoderLower) + ":" + "\r" + feed->Fornavn;
  DropPendingNewFeed();
  pendingNew_ = &list_.AddFeed(std::move(clone));
  newFeed_.readyEnabled = true;
  Commit(kFlcNewFeed);
}

void FeedListEditor::ChooseNoTemplate() {
  newFeed_.templateLabel = Tr(kFlUdgangsFoder) + " " + Tr(kFlIkkeValgt);
  DropPendingNewFeed();
  AppendBlankNewFeed();
  newFeed_.readyEnabled = true;
  Commit(kFlcNewFeed);
}

void FeedListEditor::SetAlsoOtherList(bool on) {
  if (on == newFeed_.alsoOtherList) return;
  newFeed_.alsoOtherList = on;
  Commit(kFlcNewFeed);
}

void FeedListEditor::NewFeedReady() {
  if (!newFeed_.readyEnabled || !pendingNew_) return;
  if (newFeed_.alsoOtherList) {
    messages_.Inform(Tr(kFlIkkeImplementert));
    Commit(0);
    return;
  }
  const std::string name = Cut(Trim(newFeed_.name));
  if (name.empty()) {
    messages_.Inform(Tr(kFlNavnMangler));
    Commit(0);
    return;
  }
  for (const auto& f : list_.Feeds())
    if (f.get() != pendingNew_ && f->Fornavn == name) {
      messages_.Inform(Tr(kFodernavn) + " " + FirstLetterLower(Tr(kFindesAendre)) + ". " + Tr(kFlAngivNytNavn));
      Commit(0);
      return;
    }
  TFor* feed = pendingNew_;
  feed->Fornavn = name;
  feed->Fortype = static_cast<TForkategorier>(newFeed_.category);
  feed->Brand = std::string(kGenericBrandMark);
  feed->KanIkkeEndres = false;
  pendingNew_ = nullptr;
  if (edited_) StoreEditedFeed();
  edited_ = nullptr;
  StartEditing(feed, EditOrigin::NewFeed);
  editingNew_ = true;
  newFeed_ = NewFeedView{};
  Commit(kFlcAll);
}

void FeedListEditor::NewFeedAbort() {
  DropPendingNewFeed();
  newFeed_.name.clear();
  page_ = FeedListPage::Information;
  Commit(kFlcNewFeed | kFlcPages | kFlcInfo);
}

}  // namespace stallora
