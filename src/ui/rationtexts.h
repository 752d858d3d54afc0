#pragma once
// The captions of the ration page's controls and of the roughage wizard (the texts the
// library computes with live beside it, in ration/ration_page.h and
// ration/roughage_wizard.h).

#include "core/texts.h"
#include "core/common_texts.h"

namespace stallora::rationui {

inline constexpr Text kFodervalgOK{"rationui.selectok", "Fodervalg OK"};
inline constexpr const Text& kAfbryd = common::kAfbryd;
inline constexpr const Text& kNulstil = common::kNulstil;
inline constexpr Text kFraStaldens{"rationui.fromstable", "Vælg fra staldens foderliste"};
inline constexpr const Text& kFraAnden = common::kVaelgFraAndenFoderliste;
inline constexpr Text kHestenPaaGraes{"rationui.grazing", "hesten går på græs"};
inline constexpr Text kGraesmaengde{"rationui.grassamount", "Græsmængde på marken"};
inline constexpr Text kRigelig{"rationui.plenty", "Rigelig"};
inline constexpr Text kMiddel{"rationui.medium", "Middel"};
inline constexpr Text kLille{"rationui.little", "Lille"};
inline constexpr const Text& kGrazingHours = common::kTimerPaaGraes;
inline constexpr const Text& kSlet = common::kSlet;
inline constexpr const Text& kVaelgFoder = common::kVaelgFoder;
inline constexpr const Text& kFeedNameHeader = common::kFodernavn;
inline constexpr const Text& kMaengde = common::kMaengde;
inline constexpr Text kKommentarNaering{"rationui.errorsinprint",
                                        "Kommentar til næringsstoffer udenfor optimalområdet på udskrifter"};
inline constexpr const Text& kSimpelFoderplan = common::kSimpelFoderplan;
inline constexpr const Text& kFoderplan = common::kFoderplan;
inline constexpr const Text& kKommentarer = common::kKommentarerTilFoderplanen;
inline constexpr Text kX{"rationui.clear", "X"};
inline constexpr Text kPrint{"rationui.print", "Print"};
inline constexpr const Text& kCopyButton = common::kKopier;
inline constexpr const Text& kGem = common::kGem;
inline constexpr const Text& kEpost = common::kEpost;
inline constexpr Text kGrafik{"rationui.graphics", "Grafik"};
inline constexpr const Text& kLaegTil = common::kLaegTil;
inline constexpr const Text& kDiaryWord = common::kDagbog2;
inline constexpr Text kVaelgNaeringsstof{"rationui.choosenutrient", "Vælg næringsstof"};
inline constexpr const Text& kFodring = common::kFodring;
inline constexpr const Text& kNr = common::kNr;
inline constexpr const Text& kTid = common::kTid;
inline constexpr const Text& kFodringstider = common::kFodringstiderIStalden;
inline constexpr const Text& kAntalFodringer = common::kAntalFodringer;
inline constexpr Text kIkkeFordelt{"rationui.undistributed", "Ikke fordelt"};
inline constexpr Text kFordelLige{"rationui.evenly", "Fordel lige"};
inline constexpr Text kGivResten{"rationui.rest", "Giv resten"};
inline constexpr const Text& kVis = common::kVis;
inline constexpr Text kRationstildeling{"rationui.mealsword", "rationstildeling"};
inline constexpr const Text& kHjaelp = common::kHjaelp;
inline constexpr Text kGemFoderplanfil{"rationui.saveplanfile", "Gem foderplanfil "};
inline constexpr Text kDietComposition{"rationui.piechart", "Diet composition"};
inline constexpr Text kVaelgGrovfoder{"rationui.roughagewizard", "Vælg grovfoder..."};
inline constexpr Text kVaelgListe{"rationui.chooselist", "Dobbeltklik for at vælge foderlisten"};

}  // namespace stallora::rationui
