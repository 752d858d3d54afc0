#pragma once
// What the welcome window shows and does apart from drawing: its captions, the label of the
// save directory, the entries of the start-up check and the commands on them (mark as dealt
// with, accept and save, which entries a delete removes), and the links to updates.

#include <string>
#include <string_view>
#include <vector>

#include "core/seams.h"
#include "core/texts.h"

namespace stallora {

class TPreferences;
class THest;
class TStall;
class Workspace;

inline constexpr Text kWcStarthjaelp{"welcome.caption", "Starthjælp for Stallora"};
inline constexpr Text kWcNyStald{"welcome.newstable", "Ny stald"};
inline constexpr Text kWcNy{"welcome.new", "Ny"};
inline constexpr Text kWcFoderliste{"welcome.feedlist", "foderliste"};
inline constexpr Text kWcLuk{"welcome.close", "Luk"};
inline constexpr Text kWcVisIkke{"welcome.dontshow", " Vis ikke dette skærmbillede igen"};
inline constexpr Text kWcHjaelp{"welcome.help", "Hjælp"};
inline constexpr Text kWcStald{"welcome.stable", "Stald"};
inline constexpr Text kWcHest{"welcome.horse", "Hest"};
inline constexpr Text kWcMappe{"welcome.folder", "Mappe"};
inline constexpr Text kWcValgt{"welcome.chosen", "Valgt"};
inline constexpr Text kWcKlikForAtVaelge{"welcome.clicktochoose", "Klik for at vælge"};
inline constexpr Text kWcOpretEllerVaelg{"welcome.createorchoose", "Opret eller vælg"};
inline constexpr Text kWcVaelg{"welcome.choose", "Vælg"};
inline constexpr Text kWcOpdater{"welcome.update", "Opdater Stallora fra internet"};
inline constexpr Text kWcDobbeltklikHent{"welcome.doubleclickfetch", "Dobbeltklik for at hente"};
inline constexpr Text kWcOpgrader{"welcome.upgrade", "Opgrader til version"};
inline constexpr Text kWcHentForliste{"welcome.fetchlist", "Hent den seneste foderliste"};
inline constexpr Text kWcMappeForAtGemme{"welcome.savefolder", "Mappe for at gemme brugerdata"};
inline constexpr Text kWcAlternativ{"welcome.alternative", "Alternativ"};
inline constexpr Text kWcStandard{"welcome.default", "Standard"};
inline constexpr Text kWcBrugervalg{"welcome.userchoice", "Brugervalg"};
inline constexpr Text kWcFejl{"welcome.error", "Fejl:"};
inline constexpr Text kWcDatoUdenfor{"welcome.dateoutside", "Du har heste hvor datoen er udenfor lovligt område"};
inline constexpr Text kWcAendre{"welcome.change", "Ændre"};
inline constexpr Text kWcAfbryd{"welcome.cancel", "Afbryd"};
inline constexpr Text kWcSlet{"welcome.delete", "Slet"};
inline constexpr Text kWcHuskAtGemme{"welcome.remember", "NB! Husk at gemme hesten efter ændring"};
inline constexpr Text kWcForklaring{"welcome.explanation",
                                    "Hest med fejl fødselsdato (unghest) eller bedæknings- eller folingsdato sættes "
                                    "til vedligehold. Du bør ændre hestene nu. Hesten er korrigeret når ** vises før "
                                    "navnet"};
inline constexpr Text kWcAccepter{"welcome.acceptall", "Accepter alle ændringer"};
inline constexpr Text kWcKorrigeret{"welcome.allsaved", "Alle heste med forkerte data er korrigeret og gemt"};
inline constexpr Text kWcSletningAf{"welcome.deletionof", "Sletning af"};
inline constexpr Text kWcManuelt{"welcome.manually", "Manuelt"};

// The captions that are joined from several words.
std::string NewFeedListCaption();       // "Ny foderliste"
std::string StableGroupCaption();       // "Opret eller vælg stald"
std::string FeedListGroupCaption();     // "Opret eller vælg foderliste"
std::string HorseGroupCaption();        // "Vælg hest"
std::string StableHelpHint();           // "Hjælp: stald"
std::string FeedListHelpHint();         // "Hjælp: foderliste"
std::string ErrorHelpHint();            // "Hjælp: Du har heste ..."
std::string AlternativeFolderCaption(); // "Alternativ mappe"
std::string DefaultFolderCaption();     // "Standard mappe"
std::string ErrorGroupCaption();        // "Fejl:Du har heste ..." (no blank between)
std::string EditSelectedCaption();      // "Ændre valgt"
std::string DeleteSelectedCaption();    // "Slet valgt"
// "Opgrader til version" + " " + the offered version text.
std::string NewVersionLinkCaption(std::string_view offeredVersionText);
// "Hent den seneste foderliste" + " " + the offered list version.
std::string NewListLinkCaption(int offeredListVersion);

// Whether the active save directory is the default one (P/Save); paths are compared
// without regard to case and to a trailing separator.
bool IsDefaultSaveDirectory(const TPreferences& preferences);
// "Valgt: <S>  (Standard)" or "Valgt: <S>  (Brugervalg)".
std::string SaveDirectoryLabel(const TPreferences& preferences);

// ---- the start-up check's entries ----

// A message of the horse check ("Blakken [Min stald1]   Unghesten er ..."), as opposed to
// the message of a file that could not be read.
bool IsHorseCheckMessage(std::string_view message);
// An entry that has been dealt with holds "**".
bool IsHandledEntry(std::string_view entry);
// " ** " + entry.
std::string HandledEntry(std::string_view entry);
// The rows a delete removes: the selected rows that are not dealt with, from the last to
// the first.
std::vector<int> RowsToDelete(const std::vector<std::string>& entries, std::vector<int> selectedRows);

// Writes a horse corrected by the start-up check to its file in its existing directory; the
// directory is not created. False with "Error: Cannot save  <Navn> in normal stable
// directory. Saving Cancelled!" when it is missing, or with the writer's message. After
// writing, the horse's saved signature is its current one.
bool SaveCheckedHorse(TStall& stable, THest& horse, std::string* error = nullptr);

// "Accepter alle ændringer": every entry not dealt with is marked and its horse saved as by
// SaveCheckedHorse (a failure is shown, the entry stays marked; a horse no longer in the
// workspace is only marked); then "Alle heste med forkerte data er korrigeret og gemt".
void AcceptAllCheckedHorses(Workspace& workspace, std::vector<std::string>& entries, Messages& messages);

// The message when a horse's files could not be deleted.
std::string HorseDeletionFailedMessage(const THest& horse, const TStall& stable);

}  // namespace stallora
