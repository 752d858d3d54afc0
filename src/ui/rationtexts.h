#pragma once
// The captions of the ration page's controls and of the roughage wizard (the texts the
// library computes with live beside it, in ration/ration_page.h and
// ration/roughage_wizard.h).

#include "core/texts.h"

namespace stallora::rationui {

inline constexpr Text kFodervalgOK{"rationui.selectok", "Fodervalg OK"};
inline constexpr Text kAfbryd{"rationui.cancel", "Afbryd"};
inline constexpr Text kNulstil{"rationui.reset", "Nulstil"};
inline constexpr Text kFraStaldens{"rationui.fromstable", "Vælg fra staldens foderliste"};
inline constexpr Text kFraAnden{"rationui.fromother", "Vælg fra anden foderliste"};
inline constexpr Text kHestenPaaGraes{"rationui.grazing", "hesten går på græs"};
inline constexpr Text kGraesmaengde{"rationui.grassamount", "Græsmængde på marken"};
inline constexpr Text kRigelig{"rationui.plenty", "Rigelig"};
inline constexpr Text kMiddel{"rationui.medium", "Middel"};
inline constexpr Text kLille{"rationui.little", "Lille"};
inline constexpr Text kGrazingHours{"rationui.hours", "timer på græs"};
inline constexpr Text kSlet{"rationui.delete", "Slet"};
inline constexpr Text kVaelgFoder{"rationui.choosefeed", "Vælg foder"};
inline constexpr Text kFeedNameHeader{"rationui.feedname", "Fodernavn"};
inline constexpr Text kMaengde{"rationui.amount", "Mængde"};
inline constexpr Text kKommentarNaering{"rationui.errorsinprint",
                                        "Kommentar til næringsstoffer udenfor optimalområdet på udskrifter"};
inline constexpr Text kSimpelFoderplan{"rationui.simpleplan", "Simpel foderplan"};
inline constexpr Text kFoderplan{"rationui.plan", "Foderplan"};
inline constexpr Text kKommentarer{"rationui.comments", "Kommentarer til foderplanen"};
inline constexpr Text kX{"rationui.clear", "X"};
inline constexpr Text kPrint{"rationui.print", "Print"};
inline constexpr Text kCopyButton{"rationui.copy", "Kopier"};
inline constexpr Text kGem{"rationui.store", "Gem"};
inline constexpr Text kEpost{"rationui.mail", "Epost"};
inline constexpr Text kGrafik{"rationui.graphics", "Grafik"};
inline constexpr Text kLaegTil{"rationui.addto", "Læg til"};
inline constexpr Text kDiaryWord{"rationui.diary", "dagbog"};
inline constexpr Text kVaelgNaeringsstof{"rationui.choosenutrient", "Vælg næringsstof"};
inline constexpr Text kFodring{"rationui.meal", "fodring"};
inline constexpr Text kNr{"rationui.nr", "nr"};
inline constexpr Text kTid{"rationui.time", "Tid"};
inline constexpr Text kFodringstider{"rationui.mealtimes", "Fodringstider i stalden"};
inline constexpr Text kAntalFodringer{"rationui.mealcount", "Antal fodringer"};
inline constexpr Text kIkkeFordelt{"rationui.undistributed", "Ikke fordelt"};
inline constexpr Text kFordelLige{"rationui.evenly", "Fordel lige"};
inline constexpr Text kGivResten{"rationui.rest", "Giv resten"};
inline constexpr Text kVis{"rationui.show", "Vis"};
inline constexpr Text kRationstildeling{"rationui.mealsword", "rationstildeling"};
inline constexpr Text kHjaelp{"rationui.help", "Hjælp"};
inline constexpr Text kGemFoderplanfil{"rationui.saveplanfile", "Gem foderplanfil "};
inline constexpr Text kDietComposition{"rationui.piechart", "Diet composition"};
inline constexpr Text kVaelgGrovfoder{"rationui.roughagewizard", "Vælg grovfoder..."};
inline constexpr Text kVaelgListe{"rationui.chooselist", "Dobbeltklik for at vælge foderlisten"};

}  // namespace stallora::rationui
