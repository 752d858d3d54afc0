#pragma once
// A stable: a named group of horses with one owner, a feeding schedule shared by its horses,
// notes, and the stable's own feed list with the stable's total daily need of each feed.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/environment.h"
#include "core/record.h"
#include "core/common_texts.h"
#include "feeds/feedlist.h"
#include "nutrition/hest.h"

namespace stallora {

inline constexpr Text kNyStall{"stable.new", "Ny Stall"};
inline constexpr Text kMinHest{"stable.myhorse", "Min hest"};
inline constexpr const Text& kKopier = common::kKopier;
inline constexpr const Text& kFejl = common::kFejl;
inline constexpr const Text& kSletningAf = common::kSletningAf;
inline constexpr const Text& kFindesAendre = common::kFindesVilDuAendreVaerdierne;
inline constexpr Text kNytNavn{"stable.newname", "Nyt navn"};
inline constexpr Text kExportIntoSaveDir{"stable.exportsavedir",
                                         "Hesten kan ikke eksporteres til selve datamappen. Vælg en anden mappe"};

class TStall : public Record {
  STALLORA_RECORD(TStall)
 public:
  explicit TStall(const RecordEnvironment& env = RecordEnvironment::Default());
  explicit TStall(const LoadContext& ctx) : TStall(RecordEnvironment::Of(ctx)) {}
  ~TStall() override;

  // ---- persistent ----
  std::string stallNavn;
  std::string StallEier;
  int32_t StallNoMeals = 4;
  StringList SFTider;
  bool ErModellHestStall = false;
  std::string DiverseOpplysninger;  // the notes, RTF bytes kept as they are
  std::unique_ptr<TForListe> ForListe;

  // ---- run time ----
  const RecordEnvironment* env;
  int32_t savedSignature = 0;

  std::string WriteNotes() const { return DiverseOpplysninger; }
  void ReadNotes(std::string_view b) { DiverseOpplysninger.assign(b); }

  // ---- horses (owned, in tree order) ----
  const std::vector<std::unique_ptr<THest>>& Horses() const { return horses_; }
  int HorseCount() const { return static_cast<int>(horses_.size()); }
  std::vector<std::string> HorseNames() const;
  THest* HorseByName(const std::string& name) const;  // the last horse of that name
  // Whether a new or renamed horse may not have the name: another horse of the stable has
  // it (`except` aside), or a directory of the name exists in the stable's directory.
  bool HorseNameTaken(const std::string& name, const THest* except = nullptr) const;
  THest* HorseAt(int i) const;
  THest& AddHorse(std::unique_ptr<THest> horse);
  std::unique_ptr<THest> TakeHorse(const THest* horse);  // removes it without deleting files
  THest* NewHorseRecord();  // creates the record only

  // ---- files ----
  std::filesystem::path SaveDirectory() const;
  std::filesystem::path StableDirectory() const;
  std::string StableFileName() const { return stallNavn + ".eqs"; }
  std::filesystem::path StableFilePath() const;
  // The horse's directory and file in the workspace.
  std::filesystem::path HorseDirectory(const THest& h) const;
  std::filesystem::path HorseFilePath(const THest& h) const;
  // Refuses a name that cannot be a directory of its own (ValidateStableName) before
  // anything is created; a directory made for a save that then fails is taken away again.
  bool Save(std::string* error = nullptr);
  void Load(const std::filesystem::path& path);  // throws ObjTextError
  // The same from a stable file's bytes already in memory.
  void LoadFromText(std::string_view text);
  // Moves the stable's directory and file to the new name. Refuses a name that cannot be a
  // file name or that another stable directory already has, and rolls back when a move
  // fails; false with the message then.
  bool RenameStable(const std::string& name, std::string* error = nullptr);
  // Deletes the stable's directory, only when it is strictly below the save directory and
  // the name is a stable's; false with the reason otherwise.
  bool DeleteFiles(std::string* error = nullptr);
  // Saves a horse into its directory, creating it; false with the message when it cannot.
  // A horse never saved (ErNy) does not replace a horse file that is on disk already.
  // A stable whose own file does not exist yet is saved first: the scan finds horses only
  // below a stable file, so a horse saved without it would be lost at the next start.
  // A horse file changed by another program since the horse was read is not replaced: false
  // with the message naming the file (see core/filestamp.h; a window asks first, with
  // PrepareSave).
  bool SaveHorse(THest& h, std::string* error = nullptr);
  // Every horse; a horse that cannot be saved does not stop the others (the messages of all
  // failures, one per line).
  bool SaveAllHorses(std::string* error = nullptr);
  // "Take theirs": the horse read again from its file, put in the old record's place among
  // the stable's horses. Returns the new record, or nullptr (and the message) when the file
  // cannot be read, and then nothing changed. The old record goes to `old`: windows may still
  // point into it, so its owner frees it when they are gone.
  THest* ReloadHorse(THest& h, std::unique_ptr<THest>* old, std::string* error = nullptr);
  // "Take theirs" for the stable's own file: its properties and feed list read again, in
  // place (the horses stay as they are). The old feed list is announced going before it is
  // freed. False with the message when the file cannot be read; then nothing changed.
  bool ReloadFromFile(std::string* error = nullptr);
  // Deletes a horse and its directory; refuses a name that cannot be a file name and a
  // directory that is not strictly below the stable's.
  bool DeleteHorse(const std::string& name, std::string* error = nullptr);
  // Deletes the files of every horse and the horses; false when a directory had to stay.
  bool DeleteAllHorses(std::string* error = nullptr);
  // The horse's directory, under the same rules as DeleteHorse.
  bool DeleteHorseFiles(const THest& h, std::string* error = nullptr) const;
  // Announces (through the environment) that the stable is about to be freed: each horse,
  // the feed list, then the stable itself.
  void AnnounceGoing() const;
  // Gives a horse a new name, renaming its file and directory; refuses names that cannot be
  // file names or that another horse of the stable has.
  bool RenameHorse(THest& h, const std::string& newName, std::string* error = nullptr);

  // ---- horses from the user ----
  THest& NewHorse();
  THest& CopyHorse(const THest& source);
  // False when the file is not a horse file, or its name cannot be used (`message` says
  // why); `message` receives the rename notice.
  bool ImportHorse(const std::filesystem::path& path, std::string* message = nullptr);
  // The file a horse is exported to below `dir`: dir/<Navn>/<Navn>.eqh, the layout the
  // horse import and the stable import read.
  static std::filesystem::path ExportedHorseFile(const THest& h, const std::filesystem::path& dir);
  // Saves the horse, then copies its file to ExportedHorseFile (through a temporary file,
  // creating the horse's directory there); a file there is replaced, so the caller asks
  // first. Refused is the save directory itself: the clean-up at close removes directories
  // there that hold no stable. False with the reason.
  bool ExportHorse(THest& h, const std::filesystem::path& dir, std::string* error = nullptr);
  // A name not taken (HorseNameTaken; adds a number when needed).
  std::string UniqueHorseName(const std::string& wanted) const;

  // ---- stable-wide ----
  void ComputeStableRequirement();
  double DailyRationCost() const;
  void UpdateFeedPriceInHorses(const TFor& feed, std::vector<THest*>* changed = nullptr);
  void UpdateFeedValuesInHorses(const TFor& feed, std::vector<THest*>* changed = nullptr);
  int32_t ChangeSignature() const;
  // Unsaved: the signature differs from the one stored at the last save or load, or the
  // stable's file does not exist.
  bool HasUnsavedChanges() const;
  // The feed list's name: "foderliste-" + stallNavn.
  void NameFeedList();

  std::vector<const Record*> Children() const override { return {ForListe.get()}; }
  std::unique_ptr<Record> AdoptChild(std::unique_ptr<Record> child, LoadContext& ctx) override;

 private:
  std::vector<std::unique_ptr<THest>> horses_;
};

// "Blakken" -> "Blakken_Kopier1", "Blakken_Kopier1" -> "Blakken_Kopier2", "..._Kopier9" -> "..._Kopier10".
std::string CopyName(const std::string& source);

void RegisterStableClasses();

}  // namespace stallora
