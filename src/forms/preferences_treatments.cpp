// The preferences dialog's treatment register page.

#include <charconv>

#include "core/fileio.h"
#include "core/textutil.h"
#include "forms/preferences_editor.h"
#include "forms/preferences_texts.h"
#include "nutrition/treatments.h"
#include "stable/workspace.h"

namespace stallora {

namespace {

constexpr int kMaxForwardDays = 365;

bool BreaksRegisterLine(const std::string& text) { return text.find_first_of("%#") != std::string::npos; }

}  // namespace

std::vector<std::string> PreferencesEditor::TreatmentTypeNames() {
  std::vector<std::string> names;
  for (int t = 0; t < kTreatmentTypeCount; ++t) names.push_back(TreatmentTypeName(t));
  return names;
}

void PreferencesEditor::LoadTreatmentLine() {
  app_.preferences.TreatmentEntries(treatmentType_, names_, addresses_);
  if (selectedTreatment_ >= static_cast<int>(names_.size())) selectedTreatment_ = static_cast<int>(names_.size()) - 1;
}

void PreferencesEditor::RebuildTreatmentLine() {
  std::string line;
  for (size_t i = 0; i < names_.size(); ++i) line += names_[i] + "%" + addresses_[i] + "#";
  StringList& reg = app_.preferences.TreatmentRegister;
  while (reg.size() < static_cast<size_t>(kTreatmentTypeCount)) reg.push_back("%#");
  reg[static_cast<size_t>(treatmentType_)] = line;
}

void PreferencesEditor::ChooseTreatmentType(int type) {
  if (type < 0 || type >= kTreatmentTypeCount) return;
  treatmentType_ = type;
  selectedTreatment_ = -1;
  treatmentBoxVisible_ = false;
  LoadTreatmentLine();
  Notify(kPrTreatments | kPrTreatmentBox);
}

void PreferencesEditor::SelectTreatment(int index) {
  if (index < -1 || index >= static_cast<int>(names_.size()) || index == selectedTreatment_) return;
  selectedTreatment_ = index;
  Notify(kPrTreatments);
}

void PreferencesEditor::OpenTreatment(int index) {
  if (index < 0 || index >= static_cast<int>(names_.size())) return;
  selectedTreatment_ = editedTreatment_ = index;
  boxName_ = names_[static_cast<size_t>(index)];
  boxAddress_ = addresses_[static_cast<size_t>(index)];
  treatmentBoxVisible_ = true;
  Notify(kPrTreatments | kPrTreatmentBox);
}

std::optional<std::string> PreferencesEditor::AcceptTreatment(const std::string& name, const std::string& address) {
  if (!treatmentBoxVisible_) return std::nullopt;
  if (BreaksRegisterLine(name) || BreaksRegisterLine(address)) return Tr(kPfRegisterChars);
  // The box edits the entry it was opened on, whatever the list's selection.
  const auto i = static_cast<size_t>(editedTreatment_);
  if (editedTreatment_ >= 0 && i < names_.size()) {
    names_[i] = name;
    addresses_[i] = address;
    RebuildTreatmentLine();
  }
  treatmentBoxVisible_ = false;
  LoadTreatmentLine();
  Notify(kPrTreatments | kPrTreatmentBox);
  return std::nullopt;
}

void PreferencesEditor::CancelTreatment() {
  if (!treatmentBoxVisible_) return;
  treatmentBoxVisible_ = false;
  Notify(kPrTreatmentBox);
}

void PreferencesEditor::AddTreatment() {
  names_.push_back(Tr(kPfNy) + " " + TreatmentTypeName(treatmentType_));
  addresses_.emplace_back();
  RebuildTreatmentLine();
  LoadTreatmentLine();
  const int last = static_cast<int>(names_.size()) - 1;
  selectedTreatment_ = editedTreatment_ = last;
  boxName_ = names_.back();
  boxAddress_ = addresses_.back();
  treatmentBoxVisible_ = true;
  Notify(kPrTreatments | kPrTreatmentBox);
}

std::optional<std::string> PreferencesEditor::DeleteTreatment(const std::string& typedName,
                                                              const std::string& typedAddress) {
  Batch one(*this);
  const int index = selectedTreatment_;
  if (treatmentBoxVisible_)
    if (auto problem = AcceptTreatment(typedName, typedAddress)) return problem;
  if (index < 0 || index >= static_cast<int>(names_.size())) return std::nullopt;
  names_.erase(names_.begin() + index);
  addresses_.erase(addresses_.begin() + index);
  RebuildTreatmentLine();
  LoadTreatmentLine();
  selectedTreatment_ = std::min(index, static_cast<int>(names_.size()) - 1);
  Notify(kPrTreatments);
  return std::nullopt;
}

std::string PreferencesEditor::SaveRegisterQuestion() const {
  return Tr(kPfGem) + " " + Tr(kPfBehandlingsinformationLower) + " " + Tr(kPfTil) + "\r" +
         PathText(app_.preferences.TreatmentRegisterFile()) + " ?";
}

std::optional<std::string> PreferencesEditor::SaveRegister() {
  std::string text;
  for (const std::string& line : app_.preferences.TreatmentRegister) text += line + "\r\n";
  std::string error;
  if (!WriteFileAtomically(app_.preferences.TreatmentRegisterFile(), text, &error)) return error;
  return std::nullopt;
}

int PreferencesEditor::ForwardDays() const { return app_.preferences.ForwardReportingDays; }

std::optional<std::string> PreferencesEditor::SetForwardDays(const std::string& typed, bool typing) {
  const std::string text = Trim(typed);
  int days = 0;
  auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), days);
  const bool ok =
      !text.empty() && ec == std::errc() && p == text.data() + text.size() && days >= 0 && days <= kMaxForwardDays;
  // Typing "400" stores 4 and 40 on the way; the value kept when it is refused is the one the
  // field had before the typing began.
  if (typing && !daysBeforeTyping_) daysBeforeTyping_ = app_.preferences.ForwardReportingDays;
  if (!ok) {
    if (typing) return std::nullopt;
    if (daysBeforeTyping_) app_.preferences.ForwardReportingDays = *daysBeforeTyping_;
    daysBeforeTyping_.reset();
    Notify(kPrForwardDays);  // the field shows the kept value again
    return Tr(kPfDaysRange);
  }
  if (!typing) daysBeforeTyping_.reset();
  if (days == app_.preferences.ForwardReportingDays) return std::nullopt;
  app_.preferences.ForwardReportingDays = days;
  Notify(kPrForwardDays);
  return std::nullopt;
}

}  // namespace stallora
