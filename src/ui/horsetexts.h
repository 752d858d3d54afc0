#pragma once
// The captions, hints and messages of the horse window's controls.

#include <QString>

#include "core/texts.h"
#include "core/common_texts.h"
#include "ui/qtext.h"

namespace stallora::horsetext {


// ---- frame
inline constexpr const Text& kWHest = common::kHest;
inline constexpr Text kWFoderOgFodring{"horsewin.feeding", "Foder og fodring af hesten"};
inline constexpr const Text& kWInformation = common::kInformation;
inline constexpr const Text& kWBehandlinger = common::kBehandlinger;
inline constexpr const Text& kWVaegtdata = common::kVaegtdata;
inline constexpr Text kWTraening{"horsewin.training", "Træning"};
inline constexpr const Text& kWBehov = common::kBehov;
inline constexpr const Text& kWOplysningerOmHesten = common::kOplysningerOmHesten;
inline constexpr const Text& kWBestemFodermaengder = common::kBestemFodermaengder;
inline constexpr const Text& kWVaelg = common::kVaelg;
inline constexpr const Text& kWFoder = common::kFoder2;
inline constexpr Text kWNulstilVaerdierFor{"horsewin.resetfor", "Nulstil værdier for..."};
inline constexpr Text kWFodermengder{"horsewin.amounts", "Fodermengder"};
inline constexpr const Text& kWValgtFoder = common::kValgtFoder;
inline constexpr const Text& kWTil = common::kTil;
inline constexpr const Text& kWSlet = common::kSlet;
inline constexpr const Text& kWGem = common::kGem;
inline constexpr const Text& kWSendEmail = common::kSendInformationMedEmail;
inline constexpr const Text& kWBekraeftSletning = common::kBekraeftSletning;
inline constexpr Text kWOpdatere{"horsewin.update", "Opdatere"};
inline constexpr const Text& kWLuk = common::kLuk;
inline constexpr const Text& kWDataAendret = common::kDataAendretVilDuGemmeDeNyeOplysninger;
inline constexpr Text kWKlikPaaVaegt{"horsewin.newhint",
                                    "Klik på vægt-fliken for at gå videre når du har givet alle de nødvendige "
                                    "oplysninger..."};

// ---- information page
inline constexpr const Text& kWNavn = common::kNavn;
inline constexpr Text kWEjer{"horsewin.owner", "Ejer"};
inline constexpr const Text& kWRegistrerer = common::kRegistrererEjeroplysninger;
inline constexpr Text kWRace{"horsewin.breed", "Race"};
inline constexpr Text kWVaelgRace{"horsewin.choosebreed", "Vælg race"};
inline constexpr Text kWVaelgRaceHer{"horsewin.choosebreedhere", "Vælg race her"};
inline constexpr Text kWBrugRacebillede{"horsewin.usebreedpicture", "Brug racebilede som hestebillede"};
inline constexpr Text kWKoen{"horsewin.sex", "Køn"};
inline constexpr Text kWBlodtype{"horsewin.bloodtype", "Blodtype"};
inline constexpr const Text& kWHestetype = common::kHestetype;
inline constexpr const Text& kWFoedselsdato = common::kFoedselsdato;
inline constexpr const Text& kWAlder = common::kAlder;
inline constexpr const Text& kWAar = common::kAar;
inline constexpr const Text& kWMdr = common::kMdr;
inline constexpr const Text& kWVaelgBillede = common::kVaelgBillede;
inline constexpr const Text& kWBilde = common::kBilde;
inline constexpr Text kWKunneIkkeAabne{"horsewin.badpicture", "Kunne ikke åbne billede-filen"};
inline constexpr Text kWNyRaseValgt{"horsewin.newbreed", "Ny rase valgt. Vil du benytte rasens standardvekt"};
inline constexpr Text kWReproduktionsdata{"horsewin.repro", "Reproduktionsdata"};
inline constexpr const Text& kWBedaekningsdato = common::kBedaekningsdato;
inline constexpr const Text& kWMdrDraegtig = common::kMdrDraegtig;
inline constexpr const Text& kWFolningsdato = common::kFolningsdato;
inline constexpr Text kWLaktMdr{"horsewin.lactmonths", "Lakt.mdr"};
inline constexpr Text kWNyBedaekning{"horsewin.newmating", "Ny bedækning"};
inline constexpr Text kWDataOmUnghesten{"horsewin.youngbox", "Data om unghesten"};
inline constexpr const Text& kWForventetVoksenvaegt = common::kForventetVoksenvaegt;
inline constexpr Text kWVaegtIDag{"horsewin.todayweight", "Vægt i dag"};
inline constexpr Text kWTeoretiskTilvaekst{"horsewin.theorygain", "Teoretisk tilvækst"};
inline constexpr Text kWDagensTilvaekst{"horsewin.todaygain", "Dagens tilvækst"};
inline constexpr const Text& kWKgDag = common::kKgDag;
inline constexpr Text kWOpdraetsintensitet{"horsewin.growthrate", "Opdrætsintensitet"};
inline constexpr Text kWNormal{"horsewin.normal", "Normal"};
inline constexpr Text kWHoejt{"horsewin.high", "Højt"};
inline constexpr Text kWOpdraetsHint{"horsewin.growthhint",
                                    "Anvend hurtig tilvækst for fuldblod, travere og rideheste som skal trænes i en "
                                    "tidig alder"};
inline constexpr Text kWVilDuAendre{"horsewin.changeearlier", "Vil du ændre tidligere definerede værdier?"};
inline constexpr Text kWDefiner{"horsewin.define", "Definer"};
inline constexpr Text kWGaarPaaFold{"horsewin.paddock", "Går på fold"};
inline constexpr Text kWFoldHint{"horsewin.paddockhint", "Foldophold eller løsdrift øger energibehovet med 10%"};

// ---- weight page
inline constexpr Text kWKorrektion{"horsewin.correction", "Korrektion af kropsvægt"};
inline constexpr Text kWVaegthjaelp{"horsewin.weighthelp", "Vægthjælp"};
inline constexpr Text kWBeregnVaegt{"horsewin.computeweight", "Beregn vægt"};
inline constexpr Text kWBeregnGjordmaal{"horsewin.computegirth", "Beregn gjordmålet"};
inline constexpr Text kWGjordmaalCm{"horsewin.girthcm", "Gjordmål, cm"};
inline constexpr Text kWHuld{"horsewin.condition", "Huld"};
inline constexpr const Text& kWAdvarsel = common::kAdvarsel;
inline constexpr const Text& kWDato = common::kDato;
inline constexpr const Text& kWNy = common::kNy;
inline constexpr const Text& kWSorter = common::kSorter;
inline constexpr Text kWVisRapport{"horsewin.showreport", "Vis rapport"};
inline constexpr Text kWGemRapport{"horsewin.savereport", "Gem rapport"};
inline constexpr const Text& kWUdskrift = common::kUdskrift;
inline constexpr const Text& kWEpost = common::kEpost;
inline constexpr Text kWIngenDataAtSlette{"horsewin.nodata", "Ingen data at slette"};

// ---- training and requirement pages
inline constexpr const Text& kWKopier = common::kKopier;
inline constexpr const Text& kWFodernavn = common::kFodernavn;
inline constexpr const Text& kWMaengde = common::kMaengde;

// ---- registration page and diary
inline constexpr Text kWUeln{"horsewin.ueln", "Universal equine life number"};
inline constexpr Text kWIndPaaStalden{"horsewin.instable", "Ind på stalden"};
inline constexpr Text kWFar{"horsewin.father", "Far"};
inline constexpr Text kWMor{"horsewin.mother", "Mor"};
inline constexpr Text kWAftegn{"horsewin.markings", "Aftegn"};
inline constexpr Text kWKondition{"horsewin.conditiontext", "Kondition"};
inline constexpr const Text& kWEjeroplysninger = common::kEjeroplysninger;
inline constexpr const Text& kWDagbog = common::kDagbog;
inline constexpr Text kWFed{"horsewin.bold", "Fed"};
inline constexpr Text kWKursiv{"horsewin.italic", "Kursiv"};
inline constexpr Text kWUnderstreg{"horsewin.underline", "Understreg"};
inline constexpr const Text& kWTekst = common::kTekst;
inline constexpr Text kWFarve{"horsewin.colour", "farve"};
inline constexpr const Text& kWFoderplan = common::kFoderplan;
inline constexpr Text kWGemFoderplanSom{"horsewin.saveplanas", "Gem foderplan som..."};
inline constexpr const Text& kWLaegTil = common::kLaegTil;
inline constexpr const Text& kWDagbogLower = common::kDagbog2;

// ---- treatments page
inline constexpr Text kWDobbeltklikOpret{"horsewin.treedoubleclick",
                                        "Dobbeltklik for at oprette eller redigere en behandling"};
inline constexpr const Text& kWBehandling = common::kBehandling;
inline constexpr const Text& kWBehandlingLower = common::kBehandling2;
inline constexpr Text kWSorterHint{"horsewin.sorthint", "Sorter efter dato eller behandlingstype"};
inline constexpr const Text& kWRapport = common::kRapport;
inline constexpr Text kWBehandlingsliste{"horsewin.treatmentlist", "behandlingsliste"};
inline constexpr const Text& kWAendre = common::kAendre;
inline constexpr const Text& kWBehandlingsinformation = common::kBehandlingsinformation2;
inline constexpr const Text& kWBehandlingsinformationCap = common::kBehandlingsinformation;
inline constexpr Text kWSymbolernes{"horsewin.symbols", "Symbolernes betydning"};
inline constexpr const Text& kWBehandlingstype = common::kBehandlingstype;
inline constexpr const Text& kWBehandlingsnavn = common::kBehandlingsnavn;
inline constexpr Text kWLaegTilEgen{"horsewin.addown", "Læg til ny egen behandling"};
inline constexpr const Text& kWNoteringer = common::kNoteringer;
inline constexpr const Text& kWOmkostninger = common::kOmkostninger;
inline constexpr const Text& kWPlanlagt = common::kPlanlagt;
inline constexpr const Text& kWUdfoert = common::kUdfoert;
inline constexpr const Text& kWStartforbud = common::kStartforbud;
inline constexpr const Text& kWTilLower = common::kTil2;
inline constexpr const Text& kWNulstil = common::kNulstil;
inline constexpr const Text& kWAfbryd = common::kAfbryd;
inline constexpr Text kWLukRapport{"horsewin.closereport", "Luk rapportvinduet"};
inline constexpr Text kWDuHarAlt{"horsewin.activetreatment",
                                "Du har alt en aktiv behandling\rDu må gemme eller afbryde innen du kan oprete en ny"};
inline constexpr const Text& kWIkkeValgt = common::kIkkeValgt;
inline constexpr const Text& kWSletningAf = common::kSletningAf;
inline constexpr const Text& kWFejl = common::kFejl;

// ---- outputs
inline constexpr const Text& kWFil = common::kFil;
inline constexpr const Text& kWBeskrivelse = common::kBeskrivelse;
inline constexpr Text kWBehovLower{"horsewin.requirementlower", "behov"};
inline constexpr Text kWBehandlingerLower{"horsewin.treatmentslower", "behandlinger"};

}  // namespace stallora::horsetext
