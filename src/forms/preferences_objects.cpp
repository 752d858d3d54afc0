// The preferences dialog's energy/protein object page.

#include <charconv>
#include <cmath>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "core/textutil.h"
#include "forms/preferences_editor.h"
#include "forms/preferences_texts.h"
#include "stable/stall.h"
#include "stable/workspace.h"

namespace stallora {

namespace fs = std::filesystem;

namespace {

constexpr double kMaxFactor = 100;

// The typed factor with a comma read as the decimal point; nothing when it does not read
// whole (blanks around it aside).
std::optional<double> ReadFactor(const std::string& typed) {
  std::string text = Trim(typed);
  for (char& c : text)
    if (c == ',') c = '.';
  double v = 0;
  const char* end = text.data() + text.size();
  auto [p, ec] = std::from_chars(text.data(), end, v);
  if (text.empty() || ec != std::errc() || p != end || !std::isfinite(v)) return std::nullopt;
  return v;
}

// The number before the first blank of a country entry ("47 Norge" gives 47); 0 when it
// does not read.
int CountryNumberOf(const std::string& entry) {
  const std::string number = Trim(entry.substr(0, entry.find(' ')));
  int n = 0;
  auto [p, ec] = std::from_chars(number.data(), number.data() + number.size(), n);
  return ec == std::errc() && p == number.data() + number.size() ? n : 0;
}

}  // namespace

std::vector<std::string> PreferencesEditor::ObjectNames() const { return app_.energyList.Navneliste(); }

std::string PreferencesEditor::ActiveObjectName() const { return app_.active ? app_.active->Navn : std::string(); }

std::string PreferencesEditor::ActiveObjectCaption() const { return Tr(kPfActiveObject) + ActiveObjectName(); }

std::vector<std::string> PreferencesEditor::CountryEntries() const {
  std::vector<std::string> entries = CountryList();
  // An object of a country the fixed list lacks keeps its number.
  if (objectBoxVisible_ && CountryName(CountryNumberOf(box_.countryEntry)).empty()) entries.push_back(box_.countryEntry);
  return entries;
}

std::vector<std::string> PreferencesEditor::BasisNames() {
  return {BasisDisplayName(EnergiBasisType::DE), BasisDisplayName(EnergiBasisType::ME),
          BasisDisplayName(EnergiBasisType::NE)};
}

std::vector<std::string> PreferencesEditor::UnitNames() { return {"MCal", "MJ", "fu"}; }

std::vector<std::string> PreferencesEditor::ProteinNames() const {
  return {app_.settings.proteinTypeNames[0], app_.settings.proteinTypeNames[1]};
}

std::vector<std::string> PreferencesEditor::SystemNames() {
  return {SystemDisplayName(TEnergiBeregning::nrc2007), SystemDisplayName(TEnergiBeregning::fransk),
          SystemDisplayName(TEnergiBeregning::dutch)};
}

std::string PreferencesEditor::CountryEntryOf(int number) const {
  const std::string entry = CountryName(number);
  return entry.empty() ? std::to_string(number) : entry;
}

ObjectBox PreferencesEditor::BoxOf(const TEnergyProteinObj& o) const {
  ObjectBox b;
  b.name = o.Navn;
  b.countryEntry = CountryEntryOf(o.CountryNo);
  b.basis = static_cast<int>(o.EnergiBasis);
  b.unit = static_cast<int>(o.EnergiEnhet);
  b.factorText = Trim(FormatFixed(7, 2, o.EnergiFaktor, app_.regional.decimalSeparator));
  b.protein = static_cast<int>(o.ProteinBeregning);
  b.system = static_cast<int>(o.Energiberegning);
  return b;
}

void PreferencesEditor::SelectObject(int index) {
  if (index < 0 || !app_.energyList.Element(index) || index == selectedObject_) return;
  selectedObject_ = index;
  Notify(kPrObjects);
}

void PreferencesEditor::ShowObject(int index) {
  const TEnergyProteinObj* o = app_.energyList.Element(index);
  if (index < 0 || !o) return;
  selectedObject_ = editedObject_ = index;
  box_ = BoxOf(*o);
  objectBoxVisible_ = true;
  Notify(kPrObjects | kPrObjectBox);
}

void PreferencesEditor::NewObject() {
  // "My Object1", raised by one for every name equal to it in list order, and again until no
  // object has it: one pass alone can end on a name a later-numbered object already has.
  const std::vector<std::string> names = ObjectNames();
  int number = 1;
  auto candidate = [&] { return Tr(kPfMyObject) + std::to_string(number); };
  for (bool taken = true; taken;) {
    taken = false;
    for (const std::string& n : names)
      if (n == candidate()) {
        ++number;
        taken = true;
      }
  }
  Batch one(*this);
  auto obj = std::make_unique<TEnergyProteinObj>();
  obj->Navn = candidate();
  app_.energyList.Add(std::move(obj));
  ShowObject(app_.energyList.Antall() - 1);
}

bool PreferencesEditor::DeleteObjectEnabled() const {
  return app_.energyList.Antall() >= 2 && app_.energyList.Element(selectedObject_) && selectedObject_ >= 0;
}

void PreferencesEditor::DeleteObject() {
  if (!DeleteObjectEnabled()) return;
  app_.energyList.Fjern(app_.energyList.Element(selectedObject_));
  if (selectedObject_ >= app_.energyList.Antall()) selectedObject_ = app_.energyList.Antall() - 1;
  objectBoxVisible_ = false;
  editedObject_ = -1;
  FillSystemEntries();
  Notify(kPrObjects | kPrObjectBox | kPrSystemEntries);
}

std::optional<std::string> PreferencesEditor::AcceptObject(const ObjectBox& typed) {
  // The box's values belong to the object it was opened on, wherever the list's selection went.
  const int target = editedObject_ >= 0 ? editedObject_ : selectedObject_;
  TEnergyProteinObj* o = app_.energyList.Element(target);
  if (target < 0 || !o) return std::nullopt;
  const std::string name = Trim(typed.name);
  if (name.empty()) return Tr(kPfNameEmpty);
  // No other object may have the name (the active object is found by its name at start).
  for (int i = 0; i < app_.energyList.Antall(); ++i)
    if (i != target && app_.energyList.Element(i)->Navn == name)
      return Tr(kPfNavn) + " " + FirstLetterLower(Tr(kFindesAendre));
  const std::optional<double> factor = ReadFactor(typed.factorText);
  const bool factorOk = factor && *factor > 0 && *factor <= kMaxFactor;
  o->Navn = name;
  o->CountryNo = CountryNumberOf(typed.countryEntry);
  if (typed.basis >= 0 && typed.basis <= 2) o->EnergiBasis = static_cast<EnergiBasisType>(typed.basis);
  if (typed.unit >= 0 && typed.unit <= 2) o->EnergiEnhet = static_cast<EnergiEnhetstype>(typed.unit);
  if (typed.system >= 0 && typed.system <= 2) o->Energiberegning = static_cast<TEnergiBeregning>(typed.system);
  if (typed.protein >= 0 && typed.protein <= 1) o->ProteinBeregning = static_cast<TProteinBeregning>(typed.protein);
  if (factorOk) o->EnergiFaktor = *factor;
  FillSystemEntries();
  if (!factorOk) {
    // The rest is stored; the box stays open on the old factor so the user sees what was kept.
    box_ = BoxOf(*o);
    Notify(kPrObjects | kPrObjectBox | kPrSystemEntries);
    return Tr(kPfFactorRange);
  }
  objectBoxVisible_ = false;
  editedObject_ = -1;
  Notify(kPrObjects | kPrObjectBox | kPrSystemEntries);
  return std::nullopt;
}

void PreferencesEditor::CountryReset(const ObjectBox& typed) {
  const TEnergyProteinObj* found =
      app_.energyList.FinnLand(CountryNumberOf(typed.countryEntry), app_.regional.currencySymbol);
  if (!found) return;
  box_ = BoxOf(*found);
  box_.name = typed.name;
  objectBoxVisible_ = true;
  Notify(kPrObjectBox);
}

std::optional<std::string> PreferencesEditor::SaveObjectList() {
  const fs::path file = app_.preferences.EnergyProteinListFile();
  try {
    app_.energyList.writeToFile(file);
  } catch (const ObjTextError& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

std::optional<std::string> PreferencesEditor::UseAsDefault() {
  const TEnergyProteinObj* o = app_.energyList.Element(selectedObject_);
  if (selectedObject_ < 0 || !o) return std::nullopt;
  MakeActive(*o);
  selectedEntry_ = ActiveEntry();
  Notify(kPrActive | kPrSystemEntries | kPrNutrientBox);
  return app_.active->Beskrivelse(app_.settings, app_.regional.decimalSeparator);
}

}  // namespace stallora
