#pragma once
// The preferences dialog's rules and state apart from drawing: the five pages (company and
// consultant, nutrient choices, calculation system, energy/protein objects, treatment
// register), one operation per user action, each telling the listener what changed.
//
// The editor edits the preferences record, the energy/protein list and the active object of
// the program's context in place; it never asks the user anything itself. An operation that
// needs an answer returns the question, and the window calls the operation that follows the
// answer (e.g. ChooseSystemEntry, then ConfirmSystemChange or CancelSystemChange). An
// operation that refuses bad input returns the message, and the old value stays.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/editor.h"
#include "stable/system_switch.h"

namespace stallora {

class AppContext;
class Workspace;

// What an operation changed; the pages refresh what concerns them.
enum PreferencesChange : unsigned {
  kPrCompany = 1u << 0,       // the company and consultant fields
  kPrLogo = 1u << 1,          // the logo file (and the delete button)
  kPrNutrientBox = 1u << 2,   // the nutrient selection box: open or closed, mode, checks, names
  kPrWarnings = 1u << 3,      // the nutrient-warnings box
  kPrSystemEntries = 1u << 4, // the calculation-system group: its entries and its selection
  kPrActive = 1u << 5,        // the active object: the page labels, the nutrient names
  kPrObjects = 1u << 6,       // the object list, its selection, the delete button
  kPrObjectBox = 1u << 7,     // the object editing box
  kPrTreatments = 1u << 8,    // the treatment type and its names
  kPrTreatmentBox = 1u << 9,  // the treatment editing box
  kPrForwardDays = 1u << 10,  // the forward-reporting days
  kPrWorkspace = 1u << 11,    // every feed list and ration was converted (the system switch)
  kPrAll = (1u << 12) - 1,
};

enum class PreferencesPage { Company, Nutrients, System, Objects, Treatments };
enum class CompanyField { InfoText, CompanyName, Consultant, Mobile, Mail };
// Which flag array the nutrient box edits: nutrients in the feeding plan, or as columns.
enum class NutrientMode { FeedingPlan, Columns };

// The object editing box as the user typed it.
struct ObjectBox {
  std::string name;
  std::string countryEntry;  // "47 Norge"
  int basis = 0;             // EnergiBasisType
  int unit = 0;              // EnergiEnhetstype
  std::string factorText;    // as typed; a comma reads as the decimal point
  int protein = 0;           // TProteinBeregning
  int system = 0;            // TEnergiBeregning
  bool operator==(const ObjectBox&) const = default;
};

class PreferencesEditor : public Editor {
 public:
  // `workspace` may be null (no system switch then converts anything but the active object).
  PreferencesEditor(AppContext& app, Workspace* workspace);


  // Showing the dialog: the show sequence, then the page to show.
  void Show(PreferencesPage page = PreferencesPage::Company);
  PreferencesPage Page() const { return page_; }

  // ---- company and consultant ----
  std::string Field(CompanyField field) const;
  // Stores the field's text (when the field is left).
  void SetField(CompanyField field, const std::string& text);
  const std::string& LogoFile() const;
  // The logo file when it exists (the picture to show), else empty.
  std::filesystem::path ShownLogo() const;
  bool LogoDeleteEnabled() const;
  std::filesystem::path LogoDirectory() const;
  // A file that does not exist or is not a picture is refused: the message, the old logo stays.
  std::optional<std::string> ChooseLogo(const std::filesystem::path& file);
  void DeleteLogo();

  // ---- nutrients ----
  void OpenNutrientBox(NutrientMode mode);
  bool NutrientBoxOpen() const { return boxOpen_; }
  NutrientMode Mode() const { return mode_; }
  std::string NutrientBoxCaption() const;
  // The country table's nutrient names but its last, and their checks in the box.
  std::vector<std::string> NutrientNames() const;
  const std::vector<bool>& NutrientChecks() const { return checks_; }
  void SetNutrientCheck(int index, bool checked);
  void SetAllNutrientChecks(bool checked);
  // Writes the checks into the mode's flag array and closes the box.
  void StoreNutrientBox();
  bool NutrientButtonsEnabled() const { return !boxOpen_; }
  bool NutrientWarnings() const;
  void SetNutrientWarnings(bool on);

  // ---- calculation system ----
  std::string WarningText() const;
  std::string HelpAddress() const;
  // The active object's BeskrivelseLinje.
  std::string ActiveDescriptionLine() const;
  const std::vector<std::string>& SystemEntries() const { return entryTexts_; }
  // The entry the group shows selected (-1: none).
  int SelectedSystemEntry() const { return selectedEntry_; }
  // While it lives, the window selects an entry of the group itself: that selection is not the
  // user's choice (ChooseSystemEntry ignores it).
  class ProgramSelection {
   public:
    explicit ProgramSelection(PreferencesEditor& e) : e_(e), was_(e.programSelecting_) { e.programSelecting_ = true; }
    ~ProgramSelection() { e_.programSelecting_ = was_; }
    ProgramSelection(const ProgramSelection&) = delete;
    ProgramSelection& operator=(const ProgramSelection&) = delete;

   private:
    PreferencesEditor& e_;
    bool was_;
  };
  bool ProgramSelecting() const { return programSelecting_; }
  // The user chose an entry: the question to ask (the country's wording), or nothing when the
  // choice is not taken (the program's own selection, a group of one entry).
  std::optional<std::string> ChooseSystemEntry(int entry);
  // Cancel: the group shows the active object's entry again; nothing else changes.
  void CancelSystemChange();
  // Yes: the chosen entry's object becomes the active one and the workspace is converted and
  // saved (SwitchEnergySystem). A failure changes nothing and is returned.
  SwitchOutcome ConfirmSystemChange(const SwitchProgress& progress = {});

  // ---- energy/protein objects ----
  std::vector<std::string> ObjectNames() const;
  int SelectedObject() const { return selectedObject_; }
  std::string ActiveObjectCaption() const;  // "Active object: " + name
  std::string ActiveObjectName() const;
  bool ObjectBoxVisible() const { return objectBoxVisible_; }
  const ObjectBox& Box() const { return box_; }
  // The choices of the box's drop-downs.
  std::vector<std::string> CountryEntries() const;
  static std::vector<std::string> BasisNames();
  static std::vector<std::string> UnitNames();
  std::vector<std::string> ProteinNames() const;
  static std::vector<std::string> SystemNames();
  // A click on an object: the one the delete and default buttons act on. An open box keeps
  // editing the object it was opened on.
  void SelectObject(int index);
  // Double-click on an object: its values in the box.
  void ShowObject(int index);
  void NewObject();
  bool DeleteObjectEnabled() const;
  void DeleteObject();
  // Stores the box into the object it was opened on; a name another object has, an empty name
  // or a factor that is not a number above 0 (at most 100) is refused with its message.
  std::optional<std::string> AcceptObject(const ObjectBox& typed);
  // The object the country entry's number finds (FinnLand) in the box, with the typed name.
  void CountryReset(const ObjectBox& typed);
  // Saves the object list to its file; the error (naming the file) when it cannot.
  std::optional<std::string> SaveObjectList();
  // The selected object becomes the active one (no list is converted); returns its
  // description (Beskrivelse) for the message.
  std::optional<std::string> UseAsDefault();

  // ---- treatment register ----
  static std::vector<std::string> TreatmentTypeNames();
  int TreatmentType() const { return treatmentType_; }
  void ChooseTreatmentType(int type);
  const std::vector<std::string>& TreatmentNames() const { return names_; }
  int SelectedTreatment() const { return selectedTreatment_; }
  void SelectTreatment(int index);
  bool TreatmentBoxVisible() const { return treatmentBoxVisible_; }
  const std::string& BoxTreatmentName() const { return boxName_; }
  const std::string& BoxTreatmentAddress() const { return boxAddress_; }
  void OpenTreatment(int index);
  // OK in the box: stores name and address; a "%" or "#" (which would break the register's
  // line) is refused with its message.
  std::optional<std::string> AcceptTreatment(const std::string& name, const std::string& address);
  void CancelTreatment();
  void AddTreatment();
  // Stores an open edit first (the box's typed values), then removes the selected entry.
  std::optional<std::string> DeleteTreatment(const std::string& typedName, const std::string& typedAddress);
  std::string SaveRegisterQuestion() const;
  std::optional<std::string> SaveRegister();
  int ForwardDays() const;
  // Stored at every change; a text that is not a whole number from 0 to 365 is refused. While
  // the field is being typed in (`typing`) such a text is neither stored nor reported (it may
  // be on its way to a number); when the field is left it is refused and the value the field
  // had before the typing began is kept (and shown).
  std::optional<std::string> SetForwardDays(const std::string& text, bool typing = false);

 private:
  // Nothing to recompute: the window edits the program's settings, which every record
  // reads when it is next computed.
  void Recompute() override {}
  void Notify(unsigned flags) { Commit(flags, false); }
  void FillSystemEntries();
  int ActiveEntry() const;
  void MakeActive(const TEnergyProteinObj& obj);
  ObjectBox BoxOf(const TEnergyProteinObj& obj) const;
  std::string CountryEntryOf(int number) const;
  void LoadTreatmentLine();
  void RebuildTreatmentLine();

  AppContext& app_;
  Workspace* workspace_;
  PreferencesPage page_ = PreferencesPage::Company;

  bool boxOpen_ = false;
  NutrientMode mode_ = NutrientMode::FeedingPlan;
  std::vector<bool> checks_;

  bool programSelecting_ = false;
  std::vector<std::string> entryTexts_;
  std::vector<int> entryObjects_;  // index into the object list of each entry
  int selectedEntry_ = -1;
  int pendingEntry_ = -1;

  int selectedObject_ = -1;
  int editedObject_ = -1;
  bool objectBoxVisible_ = false;
  ObjectBox box_;

  int treatmentType_ = 0;
  std::vector<std::string> names_;
  std::vector<std::string> addresses_;
  int selectedTreatment_ = -1;
  int editedTreatment_ = -1;
  bool treatmentBoxVisible_ = false;
  std::string boxName_;
  std::string boxAddress_;
  std::optional<int> daysBeforeTyping_;
};

// Whether a file holds a picture the reports can show (JPEG, BMP, PNG or GIF), by its first bytes.
bool IsPictureFile(const std::filesystem::path& file);

}  // namespace stallora
