#pragma once
// Switching the whole workspace to another energy and protein system: the chosen object
// becomes the active one, every feed list of the workspace (stand-alone lists, guarantee
// lists, mixes, the stables' lists) and every horse's ration is converted into it, the horses
// are recalculated, and everything is saved.
//
// It is the widest change the program makes, so it is made as one: everything is converted
// in memory first; the files are then written beside their targets and only replace them
// when all are written (FileTransaction). When anything fails, no file is left changed and the
// records, the active object and the horses' results are as they were before.

#include <functional>
#include <string>

#include "config/energy_protein.h"
#include "core/texts.h"

namespace stallora {

class Workspace;

inline constexpr Text kSwConverting{"switch.converting", "Omregner foderlister og heste"};
inline constexpr Text kSwWriting{"switch.writing", "Gemmer foderlister, stalde og heste"};
inline constexpr Text kSwReplacing{"switch.replacing", "Erstatter filerne"};
inline constexpr Text kSwNotSwitched{"switch.notswitched", "Energiberegningssystemet er ikke skiftet"};
inline constexpr Text kSwAllAsBefore{"switch.asbefore", "Alle foderlister og heste er som før."};
inline constexpr Text kSwNotRestored{"switch.notrestored", "Disse filer kunne ikke sættes tilbage:"};
inline constexpr Text kSwNeverSaved{"switch.neversaved",
                                    "Hesten er aldrig gemt, og der findes allerede en fil med dens navn"};

enum class SwitchPhase { Converting, Writing, Replacing };
// Told after every record converted, file written and file replaced; `total` is the count of
// the phase. The user interface shows it and keeps its windows painted.
using SwitchProgress = std::function<void(SwitchPhase phase, int done, int total)>;

struct SwitchOutcome {
  bool ok = false;
  // When not ok: why, naming the feed list or file, then that nothing was changed (or which
  // files could not be put back).
  std::string message;
  int feedLists = 0;  // feed lists converted: the workspace's and the stables'
  int horses = 0;     // horses whose ration was converted
  int files = 0;      // files written
};

// The feed lists and horses the switch converts (the Converting phase's total).
int SwitchRecordCount(const Workspace& workspace);

// Makes a copy of `chosen` the active object and converts and saves the whole workspace into
// it, or changes nothing.
SwitchOutcome SwitchEnergySystem(Workspace& workspace, const TEnergyProteinObj& chosen,
                                 const SwitchProgress& progress = {});

}  // namespace stallora
