#include "forms/generate_form.h"

#include "core/cp1252.h"
#include "core/objtext.h"
#include "forms/feedmix_texts.h"

namespace stallora {

GenerateForm::GenerateForm(TForListe& target, Workspace& workspace)
    : target_(target),
      backup_(RecordText(target)),
      backupFile_(target.ForListeFilNavn),
      backupMixFile_(target.mixFile) {
  auto offer = [&](TForListe* l) {
    if (l && l != &target && l->ForlisteNavn != target.ForlisteNavn) sources_.push_back(l);
  };
  for (const auto& l : workspace.FeedLists()) offer(l.get());
  for (const auto& s : workspace.Stables()) offer(s->ForListe.get());
  if (!sources_.empty()) ChooseSource(0);
}

std::string GenerateForm::Caption() const { return Tr(kGnVaelgLeverandoerer) + ": " + target_.ForlisteNavn; }

std::vector<std::string> GenerateForm::SourceNames() const {
  std::vector<std::string> names;
  for (const TForListe* l : sources_) names.push_back(l->ForlisteNavn);
  return names;
}

void GenerateForm::ChooseSource(int index) {
  if (index < 0 || index >= static_cast<int>(sources_.size())) return;
  source_ = index;
  brands_ = GenerateBrandChoices(*sources_[static_cast<size_t>(index)]);
  checks_ = BrandsHeldBy(brands_, target_);
}

void GenerateForm::SetCheck(int index, bool checked) {
  if (index >= 0 && index < static_cast<int>(checks_.size())) checks_[static_cast<size_t>(index)] = checked;
}

void GenerateForm::SelectAll() { checks_.assign(brands_.size(), true); }
void GenerateForm::ClearSelection() { checks_.assign(brands_.size(), false); }

std::vector<std::string> GenerateForm::CheckedBrands() const {
  std::vector<std::string> checked;
  for (size_t i = 0; i < brands_.size(); ++i)
    if (checks_[i]) checked.push_back(brands_[i]);
  return checked;
}

std::string GenerateForm::CountText() const {
  const std::vector<std::string> checked = CheckedBrands();
  const int feeds = source_ >= 0 ? FeedsOfBrands(*sources_[static_cast<size_t>(source_)], checked) : 0;
  return std::to_string(checked.size()) + " " + Tr(kGnLeverandoer) + " " + Tr(kGnValgt) + " (" + std::to_string(feeds) +
         " " + Tr(kGnFoder) + ")";
}

std::string GenerateForm::BrandBoxCaption() const {
  const std::string source = source_ >= 0 ? sources_[static_cast<size_t>(source_)]->ForlisteNavn : std::string();
  return Tr(kGnKlikForAtVaelge) + ": " + Tr(kGnLeverandoer) + " " + Tr(kGnFra) + " " + source;
}

std::string GenerateForm::KeepBoxCaption() const { return Tr(kGnValgAlternativ) + " " + target_.ForlisteNavn; }

std::string GenerateForm::NotListedCaption() const {
  const std::string source = source_ >= 0 ? sources_[static_cast<size_t>(source_)]->ForlisteNavn : std::string();
  return Tr(kGnBeholdBlandinger) + " " + source;
}

int GenerateForm::Accept() {
  if (source_ < 0) return -1;
  accepted_ = true;
  return RebuildFromBrands(target_, *sources_[static_cast<size_t>(source_)], CheckedBrands(), keep);
}

void GenerateForm::Cancel() {
  accepted_ = false;
  target_.LoadFromText(backup_, PathFromText(backupFile_));
  target_.ForListeFilNavn = backupFile_;
  target_.mixFile = backupMixFile_;
}

}  // namespace stallora
