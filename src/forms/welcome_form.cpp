#include "forms/welcome_form.h"

#include <algorithm>
#include <filesystem>

#include "config/preferences.h"
#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "core/textutil.h"
#include "forms/find_horse.h"
#include "stable/stall.h"
#include "stable/workspace.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

std::string Lower(const Text& t) { return FirstLetterLower(Tr(t)); }

// A path as the comparison of save directories sees it: normalised, without a trailing
// separator.
std::string ComparablePath(const fs::path& p) {
  std::string text = TextFromPath(p.lexically_normal());
  while (text.size() > 1 && (text.back() == '/' || text.back() == '\\')) text.pop_back();
  return text;
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

std::string NewFeedListCaption() { return Tr(kWcNy) + " " + Tr(kWcFoderliste); }
std::string StableGroupCaption() { return Tr(kWcOpretEllerVaelg) + " " + Lower(kWcStald); }
std::string FeedListGroupCaption() { return Tr(kWcOpretEllerVaelg) + " " + Tr(kWcFoderliste); }
std::string HorseGroupCaption() { return Tr(kWcVaelg) + " " + Lower(kWcHest); }
std::string StableHelpHint() { return Tr(kWcHjaelp) + ": " + Lower(kWcStald); }
std::string FeedListHelpHint() { return Tr(kWcHjaelp) + ": " + Tr(kWcFoderliste); }
std::string ErrorHelpHint() { return Tr(kWcHjaelp) + ": " + Tr(kWcDatoUdenfor); }
std::string AlternativeFolderCaption() { return Tr(kWcAlternativ) + " " + Lower(kWcMappe); }
std::string DefaultFolderCaption() { return Tr(kWcStandard) + " " + Lower(kWcMappe); }
std::string ErrorGroupCaption() { return Tr(kWcFejl) + Tr(kWcDatoUdenfor); }
std::string EditSelectedCaption() { return Tr(kWcAendre) + " " + Lower(kWcValgt); }
std::string DeleteSelectedCaption() { return Tr(kWcSlet) + " " + Lower(kWcValgt); }

std::string NewVersionLinkCaption(std::string_view offeredVersionText) {
  return Tr(kWcOpgrader) + " " + std::string(offeredVersionText);
}

std::string NewListLinkCaption(int offeredListVersion) {
  return Tr(kWcHentForliste) + " " + std::to_string(offeredListVersion);
}

bool IsDefaultSaveDirectory(const TPreferences& preferences) {
  return SameText(ComparablePath(preferences.SaveDirectory()), ComparablePath(preferences.DefaultSaveDirectory()));
}

std::string SaveDirectoryLabel(const TPreferences& preferences) {
  const Text& kind = IsDefaultSaveDirectory(preferences) ? kWcStandard : kWcBrugervalg;
  return Tr(kWcValgt) + ": " + preferences.ActiveSaveDirectory + "  (" + Tr(kind) + ")";
}

bool IsHorseCheckMessage(std::string_view message) {
  if (message.find(" [") == std::string_view::npos || message.find("]   ") == std::string_view::npos) return false;
  for (const Text* t : {&kYoungTooOld, &kPregnancyTooLong, &kLactationTooLong})
    if (EndsWith(message, Tr(*t))) return true;
  return false;
}

bool IsHandledEntry(std::string_view entry) { return entry.find("**") != std::string_view::npos; }

std::string HandledEntry(std::string_view entry) { return " ** " + std::string(entry); }

std::vector<int> RowsToDelete(const std::vector<std::string>& entries, std::vector<int> selectedRows) {
  std::sort(selectedRows.begin(), selectedRows.end(), std::greater<>());
  selectedRows.erase(std::unique(selectedRows.begin(), selectedRows.end()), selectedRows.end());
  std::vector<int> rows;
  for (int row : selectedRows)
    if (row >= 0 && static_cast<size_t>(row) < entries.size() && !IsHandledEntry(entries[static_cast<size_t>(row)]))
      rows.push_back(row);
  return rows;
}

bool SaveCheckedHorse(TStall& stable, THest& horse, std::string* error) {
  std::error_code ec;
  if (!fs::is_directory(stable.HorseDirectory(horse), ec)) {
    if (error) *error = "Error: Cannot save  " + horse.Navn + " in normal stable directory. Saving Cancelled!";
    return false;
  }
  try {
    horse.writeToFile(stable.HorseFilePath(horse));
  } catch (const ObjTextError& e) {
    if (error) *error = e.what();
    return false;
  }
  horse.LagretSum = horse.Fingerprint();
  horse.ErNy = false;
  return true;
}

void AcceptAllCheckedHorses(Workspace& workspace, std::vector<std::string>& entries, Messages& messages) {
  for (std::string& entry : entries) {
    if (IsHandledEntry(entry)) continue;
    const HorseEntryNames names = SplitHorseEntry(entry);
    entry = HandledEntry(entry);
    THest* horse = FindHorse(workspace, names.stable, names.horse);
    if (!horse || !horse->stable) continue;
    std::string error;
    if (!SaveCheckedHorse(*horse->stable, *horse, &error)) messages.Error(error);
  }
  messages.Inform(Tr(kWcKorrigeret));
}

std::string HorseDeletionFailedMessage(const THest& horse, const TStall& stable) {
  return Tr(kWcFejl) + Tr(kWcSletningAf) + " " + horse.Navn + "\r" + Tr(kWcSlet) + " " + Tr(kWcMappe) + " " +
         PathText(stable.HorseDirectory(horse)) + " " + Lower(kWcManuelt);
}

}  // namespace stallora
