#pragma once
// The texts of the ration page's balancing dialog that the balancer itself does not say (its
// own are in ration/optimizer_texts.h, the command's name among them).

#include "core/texts.h"

namespace stallora {

// ---- the dialog's controls
inline constexpr Text kBalObjectiveHeader{"balance.objectiveheader", "Mål"};
inline constexpr Text kBalCalculate{"balance.calculate", "Beregn"};
inline constexpr Text kBalApply{"balance.apply", "Anvend"};
inline constexpr Text kBalUndo{"balance.undo", "Fortryd balancering"};
inline constexpr Text kBalCandidatesHeader{"balance.candidatesheader", "Fodermidler, der må ændres"};
inline constexpr Text kBalPreviewHeader{"balance.previewheader", "Forslag"};
inline constexpr Text kBalBoundHeader{"balance.boundheader", "Begrænset"};
inline constexpr Text kBalTotal{"balance.total", "I alt"};

// ---- what holds a feed's proposed amount
inline constexpr Text kBalNoteAtMin{"balance.note.atmin", "mindste mængde"};
inline constexpr Text kBalNoteAtMax{"balance.note.atmax", "største mængde"};
inline constexpr Text kBalNoteLocked{"balance.note.locked", "låst"};
inline constexpr Text kBalNoteGrazing{"balance.note.grazing", "græsning"};

// ---- what the dialog tells
inline constexpr Text kBalNotCalculated{"balance.notcalculated", "Tryk på Beregn for at se et forslag"};
inline constexpr Text kBalCost{"balance.cost", "Pris pr. dag: nu {nu}, forslag {ny}"};
inline constexpr Text kBalApplied{"balance.applied", "Forslaget er sat ind i rationen"};
inline constexpr Text kBalUndone{"balance.undone", "Balanceringen er fortrudt"};
inline constexpr Text kBalNothingToApply{"balance.nothingtoapply", "Rationen har allerede de foreslåede mængder"};
inline constexpr Text kBalBoundNotANumber{"balance.boundnotanumber",
                                          "{foder}: skriv en mængde i kg (fx 2,5), eller intet for ingen grænse"};
inline constexpr Text kBalUndoChanged{"balance.undochanged",
                                      "Rationen er ændret efter balanceringen, så den kan ikke fortrydes"};

}  // namespace stallora
