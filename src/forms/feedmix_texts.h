#pragma once
// The texts of the feed-mix calculator and the generate-feed-list dialog. Wordings that
// other windows show already are used from where they are declared.

#include "core/common_texts.h"
#include "core/texts.h"
#include "forms/feedlist_texts.h"
#include "forms/stable_texts.h"
#include "stable/stall.h"

namespace stallora {

// ---- the calculator
inline constexpr Text kMxFoderIBlandingen{"feedmix.feedsinmix", "Foder i blandingen"};
inline constexpr const Text& kMxValgtFoder = common::kValgtFoder;
inline constexpr const Text& kMxVaelgFoder = common::kVaelgFoder;
inline constexpr Text kMxKomponer{"feedmix.compose", "Komponer foderblandning"};
inline constexpr Text kMxKg{"feedmix.kg", "Kg"};
inline constexpr const Text& kMxFoderblanding = common::kFoderblanding;
inline constexpr Text kMxFodertype{"feedmix.feedtype", "Fodertype"};
inline constexpr const Text& kMxUdskrift = common::kUdskrift;
inline constexpr Text kMxTestOgGem{"feedmix.testandsave", "Test og gem"};
inline constexpr Text kMxGemSomFoder{"feedmix.saveasfeed",
                                     "Gem som foder: Læg blandingen ind i en eksisterende foderliste"};
inline constexpr Text kMxGemSomRecept{"feedmix.saveasrecipe", "Gem som recept: Gem udgangsfoder og blandingsforhold"};
inline constexpr Text kMxProevPaaHest{"feedmix.tryonhorse", "Prøv at udfodre en hest med foderet"};
inline constexpr Text kMxFindesAllerede{"feedmix.alreadyinlist", "findes allerede i foderlisten"};
inline constexpr Text kMxErstat{"feedmix.replace", "Erstat"};
inline constexpr const Text& kMxBekraeftSletning = common::kBekraeftSletning;
inline constexpr const Text& kMxFejl = common::kFejl;
inline constexpr const Text& kMxSletningAf = common::kSletningAf;
inline constexpr Text kMxLaegTilIListen{"feedmix.addtolist", "Læg til i foderlisten"};
inline constexpr const Text& kMxNytNavn = kNytNavn;
inline constexpr const Text& kMxFindesAendre = common::kFindesVilDuAendreVaerdierne;
inline constexpr const Text& kMxFodernavn = common::kFodernavn;
inline constexpr const Text& kMxNavn = common::kNavn;
inline constexpr const Text& kMxOK = common::kOK;
inline constexpr const Text& kMxLuk = common::kLuk;
inline constexpr const Text& kMxGem = common::kGem;
inline constexpr Text kMxNoTarget{"feedmix.notarget", "Vælg en foderliste at lægge blandingen i"};

// ---- the generate dialog
inline constexpr const Text& kGnVaelgLeverandoerer = stabletext::kVaelgLeverandoerer;
inline constexpr Text kGnBeholdStandard{"generate.keepgeneric", "Behold standard foder"};
inline constexpr Text kGnBeholdEget{"generate.keepown", "Behold eget foder"};
inline constexpr Text kGnBeholdBlandinger{"generate.keepnotlisted", "Behold foderblandinger som ikke findes på listen"};
inline constexpr Text kGnSletValg{"generate.clear", "Slet valg"};
inline constexpr Text kGnVaelgAlle{"generate.all", "Vælg alle"};
inline constexpr Text kGnVaelgFraUdvalg{"generate.fromrange", "Vælg foderliste fra leverandørudvalget"};
inline constexpr Text kGnValgAlternativ{"generate.keepchoice", "Valg alternativ for foder i"};
inline constexpr const Text& kGnKlikForAtVaelge = common::kKlikForAtVaelge;
inline constexpr const Text& kGnLeverandoer = kFlLeverandoer;
inline constexpr Text kGnFra{"generate.from", "fra"};
inline constexpr const Text& kGnValgt = common::kValgt;
inline constexpr const Text& kGnFoder = common::kFoder2;

}  // namespace stallora
