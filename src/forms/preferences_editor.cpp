#include "forms/preferences_editor.h"

#include <fstream>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/textutil.h"
#include "forms/preferences_texts.h"
#include "stable/workspace.h"

namespace stallora {

namespace fs = std::filesystem;

bool IsPictureFile(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) return false;
  std::ifstream in(file, std::ios::binary);
  unsigned char head[8] = {};
  in.read(reinterpret_cast<char*>(head), sizeof head);
  const auto n = in.gcount();
  if (n >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return true;  // JPEG
  if (n >= 2 && head[0] == 'B' && head[1] == 'M') return true;                        // BMP
  if (n >= 8 && head[0] == 0x89 && head[1] == 'P' && head[2] == 'N' && head[3] == 'G') return true;
  if (n >= 6 && head[0] == 'G' && head[1] == 'I' && head[2] == 'F' && head[3] == '8') return true;
  return false;
}

PreferencesEditor::PreferencesEditor(AppContext& app, Workspace* workspace) : app_(app), workspace_(workspace) {}

void PreferencesEditor::Show(PreferencesPage page) {
  page_ = page;
  boxOpen_ = false;
  objectBoxVisible_ = false;
  editedObject_ = -1;
  daysBeforeTyping_.reset();
  treatmentBoxVisible_ = false;
  pendingEntry_ = -1;
  if (selectedObject_ >= app_.energyList.Antall()) selectedObject_ = -1;
  FillSystemEntries();
  treatmentType_ = 0;
  LoadTreatmentLine();
  Notify(kPrAll);
}

// ---------------------------------------------------------------- company and consultant

std::string PreferencesEditor::Field(CompanyField field) const {
  const TPreferences& p = app_.preferences;
  switch (field) {
    case CompanyField::InfoText: return p.FirmaInfoTekst;
    case CompanyField::CompanyName: return p.ConsultantCompanyName;
    case CompanyField::Consultant: return p.KonsulentNavn;
    case CompanyField::Mobile: return p.ConsultantMobile;
    case CompanyField::Mail: return p.ConsultantMail;
  }
  return {};
}

void PreferencesEditor::SetField(CompanyField field, const std::string& text) {
  TPreferences& p = app_.preferences;
  std::string* target = nullptr;
  switch (field) {
    case CompanyField::InfoText: target = &p.FirmaInfoTekst; break;
    case CompanyField::CompanyName: target = &p.ConsultantCompanyName; break;
    case CompanyField::Consultant: target = &p.KonsulentNavn; break;
    case CompanyField::Mobile: target = &p.ConsultantMobile; break;
    case CompanyField::Mail: target = &p.ConsultantMail; break;
  }
  if (!target || *target == text) return;
  *target = text;
  Notify(kPrCompany);
}

const std::string& PreferencesEditor::LogoFile() const { return app_.preferences.KonsulentLogoFilNavn; }

fs::path PreferencesEditor::ShownLogo() const {
  if (LogoFile().empty()) return {};
  const fs::path file = PathFromText(LogoFile());
  std::error_code ec;
  return fs::is_regular_file(file, ec) ? file : fs::path();
}

bool PreferencesEditor::LogoDeleteEnabled() const { return !LogoFile().empty(); }

fs::path PreferencesEditor::LogoDirectory() const { return app_.preferences.LogosDirectory(); }

std::optional<std::string> PreferencesEditor::ChooseLogo(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec))
    return Tr(kMissingFile) + " " + PathText(file) + "\r" + Tr(kPfLogoKept);
  if (!IsPictureFile(file)) return PathText(file) + ": " + Tr(kPfLogoNotPicture);
  app_.preferences.KonsulentLogoFilNavn = PathText(file);
  Notify(kPrLogo);
  return std::nullopt;
}

void PreferencesEditor::DeleteLogo() {
  if (LogoFile().empty()) return;
  app_.preferences.KonsulentLogoFilNavn.clear();
  Notify(kPrLogo);
}

// ---------------------------------------------------------------- nutrients

std::vector<std::string> PreferencesEditor::NutrientNames() const {
  std::vector<std::string> names;
  const auto& nutrients = app_.settings.nutrients;
  for (size_t i = 0; i + 1 < nutrients.size(); ++i) names.push_back(nutrients[i].name);
  return names;
}

void PreferencesEditor::OpenNutrientBox(NutrientMode mode) {
  if (boxOpen_) return;  // the buttons are disabled while the box is open
  mode_ = mode;
  const auto& flags = mode == NutrientMode::FeedingPlan ? app_.preferences.useNutrient : app_.preferences.showNutrient;
  const size_t n = NutrientNames().size();
  checks_.assign(n, false);
  for (size_t i = 0; i < n && i < flags.size(); ++i) checks_[i] = flags[i];
  boxOpen_ = true;
  Notify(kPrNutrientBox);
}

std::string PreferencesEditor::NutrientBoxCaption() const {
  return Tr(mode_ == NutrientMode::FeedingPlan ? kPfPlanBox : kPfColumnsBox);
}

void PreferencesEditor::SetNutrientCheck(int index, bool checked) {
  if (!boxOpen_ || index < 0 || index >= static_cast<int>(checks_.size())) return;
  if (checks_[static_cast<size_t>(index)] == checked) return;
  checks_[static_cast<size_t>(index)] = checked;
  Notify(kPrNutrientBox);
}

void PreferencesEditor::SetAllNutrientChecks(bool checked) {
  if (!boxOpen_) return;
  checks_.assign(checks_.size(), checked);
  Notify(kPrNutrientBox);
}

void PreferencesEditor::StoreNutrientBox() {
  if (!boxOpen_) return;
  auto& flags = mode_ == NutrientMode::FeedingPlan ? app_.preferences.useNutrient : app_.preferences.showNutrient;
  for (size_t i = 0; i < checks_.size() && i < flags.size(); ++i) flags[i] = checks_[i];
  boxOpen_ = false;
  Notify(kPrNutrientBox);
}

bool PreferencesEditor::NutrientWarnings() const { return app_.preferences.NutrientErrorsInPrint; }

void PreferencesEditor::SetNutrientWarnings(bool on) {
  if (app_.preferences.NutrientErrorsInPrint == on) return;
  app_.preferences.NutrientErrorsInPrint = on;
  Notify(kPrWarnings);
}

// ---------------------------------------------------------------- calculation system

std::string PreferencesEditor::WarningText() const {
  switch (app_.preferences.countryNumber) {
    case 45: return Tr(kPfWarning45);
    case 46: return Tr(kPfWarning46);
    case 47: return Tr(kPfWarning47);
    default: return Tr(kPfWarningOther);
  }
}

std::string PreferencesEditor::HelpAddress() const { return app_.preferences.LinkPage(std::string(kPfHelpPage)); }

std::string PreferencesEditor::ActiveDescriptionLine() const {
  return app_.active ? app_.active->BeskrivelseLinje(app_.settings) : std::string();
}

void PreferencesEditor::FillSystemEntries() {
  entryTexts_.clear();
  entryObjects_.clear();
  const int country = app_.preferences.countryNumber;
  for (int i = 0; i < app_.energyList.Antall(); ++i) {
    const TEnergyProteinObj& o = *app_.energyList.Element(i);
    if (o.CountryNo != country) continue;
    if (country == 99 && o.Energiberegning == TEnergiBeregning::nrc2007) continue;
    entryTexts_.push_back(o.BeskrivelseKort(app_.settings));
    entryObjects_.push_back(i);
  }
  selectedEntry_ = ActiveEntry();
}

int PreferencesEditor::ActiveEntry() const {
  if (!app_.active) return -1;
  const std::string active = app_.active->BeskrivelseKort(app_.settings);
  for (size_t i = 0; i < entryTexts_.size(); ++i)
    if (entryTexts_[i] == active) return static_cast<int>(i);
  return -1;
}

std::optional<std::string> PreferencesEditor::ChooseSystemEntry(int entry) {
  if (programSelecting_ || entryTexts_.size() < 2) return std::nullopt;
  if (entry < 0 || entry >= static_cast<int>(entryTexts_.size())) return std::nullopt;
  pendingEntry_ = entry;
  selectedEntry_ = entry;
  switch (app_.preferences.countryNumber) {
    case 45: return Tr(kPfAsk45);
    case 46: return Tr(kPfAsk46);
    case 47: return Tr(kPfAsk47);
    default: return Tr(kPfAskOther);
  }
}

void PreferencesEditor::CancelSystemChange() {
  pendingEntry_ = -1;
  selectedEntry_ = ActiveEntry();
  Notify(kPrSystemEntries);
}

SwitchOutcome PreferencesEditor::ConfirmSystemChange(const SwitchProgress& progress) {
  SwitchOutcome out;
  const int entry = pendingEntry_;
  pendingEntry_ = -1;
  if (entry < 0 || entry >= static_cast<int>(entryObjects_.size())) {
    selectedEntry_ = ActiveEntry();
    Notify(kPrSystemEntries);
    return out;
  }
  // The entry's own object: a name that merely occurs in the entry's text (one object's name
  // inside another's) must not pick another object.
  const TEnergyProteinObj& chosen = *app_.energyList.Element(entryObjects_[static_cast<size_t>(entry)]);
  if (workspace_) {
    out = SwitchEnergySystem(*workspace_, chosen, progress);
  } else {
    app_.SetActiveEnergyObject(chosen);
    out.ok = true;
  }
  if (out.ok) app_.preferences.LastGlobalEPObjectName = app_.active->Navn;
  FillSystemEntries();
  Notify(kPrSystemEntries | kPrActive | kPrNutrientBox | (out.ok ? kPrWorkspace : 0u));
  return out;
}

void PreferencesEditor::MakeActive(const TEnergyProteinObj& obj) {
  app_.SetActiveEnergyObject(obj);
  app_.preferences.LastGlobalEPObjectName = app_.active->Navn;
}

}  // namespace stallora
