#pragma once
// The ration balancer's texts. Placeholders in braces are filled by name (fmt), so another
// language may order them as it needs.

#include "core/texts.h"
#include "core/common_texts.h"

namespace stallora {

// ---- the command and its choices (the ration page's dialog)
inline constexpr Text kBalCommand{"balance.command", "Balancér ration"};
inline constexpr Text kBalObjectiveCost{"balance.objective.cost", "Laveste pris"};
inline constexpr Text kBalObjectiveBalance{"balance.objective.balance", "Tættest på behovet"};
inline constexpr Text kBalAllFeeds{"balance.allfeeds", "Brug alle fodermidler i staldens foderliste"};
inline constexpr Text kBalLocked{"balance.locked", "Låst"};
inline constexpr Text kBalMinimumKg{"balance.minkg", "Mindst kg"};
inline constexpr Text kBalMaximumKg{"balance.maxkg", "Højst kg"};
inline constexpr Text kBalOldKg{"balance.oldkg", "Nu kg"};
inline constexpr Text kBalNewKg{"balance.newkg", "Ny kg"};
inline constexpr Text kBalBindingHeader{"balance.bindingheader", "Grænser, der bestemmer rationen"};
inline constexpr Text kBalUnmetHeader{"balance.unmetheader", "Grænser, der ikke kan overholdes"};

// ---- outcomes
inline constexpr Text kBalBalanced{"balance.balanced", "Rationen overholder alle grænser"};
inline constexpr Text kBalClosest{"balance.closest",
                                  "Ingen ration kan overholde alle grænser med disse fodermidler. Forslaget er "
                                  "den nærmeste ration"};
inline constexpr Text kBalNoCandidates{"balance.nocandidates",
                                       "Der er ingen fodermidler at balancere rationen med. Vælg foder til rationen "
                                       "først"};
inline constexpr Text kBalNoRequirement{"balance.norequirement",
                                        "Hestens behov er ikke beregnet (mangler hestens vægt?). Rationen kan ikke "
                                        "balanceres"};
inline constexpr Text kBalAllLocked{"balance.alllocked", "Alle fodermidler er låst. Lås mindst ét fodermiddel op"};
inline constexpr Text kBalNotANumber{"balance.notanumber", "{foder}: {vaerdi} er ikke et gyldigt tal. Ret foderet"};
inline constexpr Text kBalTooLarge{"balance.toolarge", "{foder}: {vaerdi} er urimelig stor. Ret foderet"};
inline constexpr Text kBalLimitNotANumber{"balance.limitnotanumber",
                                          "Grænsen for {naering} er ikke et gyldigt tal. Kontroller hestens data"};
inline constexpr Text kBalBadBounds{"balance.badbounds",
                                    "{foder}: den mindste mængde er større end den største mængde"};
inline constexpr Text kBalNegativeBound{"balance.negativebound", "{foder}: mængderne må ikke være negative"};
inline constexpr Text kBalTimeLimit{"balance.timelimit",
                                    "Beregningen blev stoppet efter {sekunder} sekunder uden resultat. Prøv med "
                                    "færre fodermidler"};
inline constexpr Text kBalIterationLimit{"balance.iterationlimit",
                                         "Beregningen blev stoppet efter {antal} iterationer uden resultat"};
inline constexpr Text kBalFailed{"balance.failed", "Beregningen af rationen mislykkedes"};
inline constexpr Text kBalNoFeedList{"balance.nofeedlist",
                                     "Hesten står ikke i en stald, så der er ingen foderliste at vælge fra"};
inline constexpr Text kBalFeedsChanged{"balance.feedschanged",
                                       "Rationen er ændret siden beregningen. Beregn rationen igen"};

// ---- value names in the messages above
inline constexpr Text kBalPrice{"balance.price", "prisen"};
inline constexpr Text kBalDryMatterValue{"balance.drymattervalue", "tørstofindholdet"};
inline constexpr Text kBalAmount{"balance.amount", "mængden"};

// ---- limits
inline constexpr Text kBalMinimum{"balance.minimum", "minimum"};
inline constexpr Text kBalMaximum{"balance.maximum", "maksimum"};
inline constexpr const Text& kBalDryMatterName = common::kToerstof;
inline constexpr Text kBalRoughageName{"balance.roughage", "Grovfoder (tørstof)"};
inline constexpr Text kBalDigestible{"balance.digestible", "fordøjeligt"};

// ---- explanations of limits that cannot be met
inline constexpr Text kBalMinUnreachable{"balance.minunreachable",
                                         "{naering}: minimum {graense}, bedst opnåelige {bedst} med disse "
                                         "fodermidler{begraensning} — {raad}"};
inline constexpr Text kBalMaxUnreachable{"balance.maxunreachable",
                                         "{naering}: maksimum {graense}, lavest opnåelige {bedst} med disse "
                                         "fodermidler{begraensning} — {raad}"};
inline constexpr Text kBalConflict{"balance.conflict",
                                   "{naering}: {retning} {graense}, foreslået {opnaaet} — kan ikke nås samtidig "
                                   "med {andre}. Prøv flere fodermidler eller løsere mængdegrænser"};
inline constexpr Text kBalAccepted{"balance.accepted",
                                   "{naering}: {retning} {graense}, foreslået {opnaaet} — godtages, fordi {anden} er "
                                   "inden for sit område"};
inline constexpr Text kBalBinding{"balance.binding", "{naering}: {retning} {graense} er nået"};
inline constexpr Text kBalBoundBy{"balance.boundby", " (begrænset af {liste})"};
inline constexpr Text kBalFeedAtMax{"balance.feedatmax", "{foder} højst {kg} kg"};
inline constexpr Text kBalFeedAtMin{"balance.feedatmin", "{foder} mindst {kg} kg"};
inline constexpr Text kBalFeedLocked{"balance.feedlocked", "{foder} låst på {kg} kg"};
inline constexpr Text kBalDryMatterCap{"balance.drymattercap", "tørstofgrænsen {kg} kg"};
inline constexpr Text kBalNoneContains{"balance.nonecontains",
                                       "{naering}: minimum {graense}, men ingen af disse fodermidler indeholder "
                                       "{stof} — {raad}"};
inline constexpr Text kBalAndMore{"balance.andmore", "og {antal} andre"};
inline constexpr Text kBalOutsideFeeds{"balance.outsidefeeds", "fodermidler uden for beregningen"};

// ---- advice
inline constexpr Text kBalAdviceEnergy{"balance.advice.energy", "tilføj et mere energirigt fodermiddel"};
inline constexpr Text kBalAdviceProtein{"balance.advice.protein", "tilføj et proteinrigt fodermiddel"};
inline constexpr Text kBalAdviceMineral{"balance.advice.mineral", "tilføj et mineralfoder"};
inline constexpr Text kBalAdviceVitamin{"balance.advice.vitamin", "tilføj et vitamintilskud"};
inline constexpr Text kBalAdviceSalt{"balance.advice.salt", "giv saltsten eller et andet saltrigt tilskud"};
inline constexpr Text kBalAdviceCalcium{"balance.advice.calcium", "tilføj et calciumrigt mineralfoder"};
inline constexpr Text kBalAdvicePhosphorus{"balance.advice.phosphorus", "tilføj et fosforrigt fodermiddel"};
inline constexpr Text kBalAdviceRoughage{"balance.advice.roughage", "tilføj et grovfoder"};
inline constexpr Text kBalAdviceTooMuch{"balance.advice.toomuch",
                                        "begræns eller fjern fodermidler med meget {naering}"};
inline constexpr Text kBalAdviceDryMatter{"balance.advice.drymatter",
                                          "vælg fodermidler med mere næring pr. kg tørstof, eller sænk de låste "
                                          "mængder"};

}  // namespace stallora
