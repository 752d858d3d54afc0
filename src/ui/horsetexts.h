#pragma once
// The captions, hints and messages of the horse window's controls.

#include <QString>

#include "core/texts.h"
#include "ui/qtext.h"

namespace stallora::horsetext {


// ---- frame
inline constexpr Text kWHest{"horsewin.horse", "Hest"};
inline constexpr Text kWFoderOgFodring{"horsewin.feeding", "Foder og fodring af hesten"};
inline constexpr Text kWInformation{"horsewin.information", "Information"};
inline constexpr Text kWBehandlinger{"horsewin.treatments", "Behandlinger"};
inline constexpr Text kWVaegtdata{"horsewin.weightdata", "Vægtdata"};
inline constexpr Text kWTraening{"horsewin.training", "Træning"};
inline constexpr Text kWBehov{"horsewin.requirement", "Behov"};
inline constexpr Text kWOplysningerOmHesten{"horsewin.abouthorse", "Oplysninger om hesten"};
inline constexpr Text kWBestemFodermaengder{"horsewin.feedamounts", "Bestem fodermængder"};
inline constexpr Text kWVaelg{"horsewin.choose", "Vælg"};
inline constexpr Text kWFoder{"horsewin.feed", "foder"};
inline constexpr Text kWNulstilVaerdierFor{"horsewin.resetfor", "Nulstil værdier for..."};
inline constexpr Text kWFodermengder{"horsewin.amounts", "Fodermengder"};
inline constexpr Text kWValgtFoder{"horsewin.chosenfeed", "Valgt foder"};
inline constexpr Text kWTil{"horsewin.to", "Til"};
inline constexpr Text kWSlet{"horsewin.delete", "Slet"};
inline constexpr Text kWGem{"horsewin.save", "Gem"};
inline constexpr Text kWSendEmail{"horsewin.mail", "Send information med email"};
inline constexpr Text kWBekraeftSletning{"horsewin.confirmdelete", "Bekræft sletning"};
inline constexpr Text kWOpdatere{"horsewin.update", "Opdatere"};
inline constexpr Text kWLuk{"horsewin.close", "Luk"};
inline constexpr Text kWDataAendret{"horsewin.changed", "Data ændret! Vil du gemme de nye oplysninger"};
inline constexpr Text kWKlikPaaVaegt{"horsewin.newhint",
                                    "Klik på vægt-fliken for at gå videre når du har givet alle de nødvendige "
                                    "oplysninger..."};

// ---- information page
inline constexpr Text kWNavn{"horsewin.name", "Navn"};
inline constexpr Text kWEjer{"horsewin.owner", "Ejer"};
inline constexpr Text kWRegistrerer{"horsewin.registerowner", "Registrerer ejeroplysninger"};
inline constexpr Text kWRace{"horsewin.breed", "Race"};
inline constexpr Text kWVaelgRace{"horsewin.choosebreed", "Vælg race"};
inline constexpr Text kWVaelgRaceHer{"horsewin.choosebreedhere", "Vælg race her"};
inline constexpr Text kWBrugRacebillede{"horsewin.usebreedpicture", "Brug racebilede som hestebillede"};
inline constexpr Text kWKoen{"horsewin.sex", "Køn"};
inline constexpr Text kWBlodtype{"horsewin.bloodtype", "Blodtype"};
inline constexpr Text kWHestetype{"horsewin.category", "Hestetype"};
inline constexpr Text kWFoedselsdato{"horsewin.birthdate", "Fødselsdato"};
inline constexpr Text kWAlder{"horsewin.age", "Alder"};
inline constexpr Text kWAar{"horsewin.years", "År"};
inline constexpr Text kWMdr{"horsewin.monthsshort", "mdr"};
inline constexpr Text kWVaelgBillede{"horsewin.choosepicture", "Vælg billede"};
inline constexpr Text kWBilde{"horsewin.picture", "bilde"};
inline constexpr Text kWKunneIkkeAabne{"horsewin.badpicture", "Kunne ikke åbne billede-filen"};
inline constexpr Text kWNyRaseValgt{"horsewin.newbreed", "Ny rase valgt. Vil du benytte rasens standardvekt"};
inline constexpr Text kWReproduktionsdata{"horsewin.repro", "Reproduktionsdata"};
inline constexpr Text kWBedaekningsdato{"horsewin.matingdate", "Bedækningsdato"};
inline constexpr Text kWMdrDraegtig{"horsewin.monthspregnant", "Mdr drægtig"};
inline constexpr Text kWFolningsdato{"horsewin.foalingdate", "Folningsdato"};
inline constexpr Text kWLaktMdr{"horsewin.lactmonths", "Lakt.mdr"};
inline constexpr Text kWNyBedaekning{"horsewin.newmating", "Ny bedækning"};
inline constexpr Text kWDataOmUnghesten{"horsewin.youngbox", "Data om unghesten"};
inline constexpr Text kWForventetVoksenvaegt{"horsewin.adultweight", "Forventet voksenvægt"};
inline constexpr Text kWVaegtIDag{"horsewin.todayweight", "Vægt i dag"};
inline constexpr Text kWTeoretiskTilvaekst{"horsewin.theorygain", "Teoretisk tilvækst"};
inline constexpr Text kWDagensTilvaekst{"horsewin.todaygain", "Dagens tilvækst"};
inline constexpr Text kWKgDag{"horsewin.kgperday", "kg/dag"};
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
inline constexpr Text kWAdvarsel{"horsewin.warning", "Advarsel!"};
inline constexpr Text kWDato{"horsewin.date", "Dato"};
inline constexpr Text kWNy{"horsewin.new", "Ny"};
inline constexpr Text kWSorter{"horsewin.sort", "Sorter"};
inline constexpr Text kWVisRapport{"horsewin.showreport", "Vis rapport"};
inline constexpr Text kWGemRapport{"horsewin.savereport", "Gem rapport"};
inline constexpr Text kWUdskrift{"horsewin.print", "Udskrift"};
inline constexpr Text kWEpost{"horsewin.email", "Epost"};
inline constexpr Text kWIngenDataAtSlette{"horsewin.nodata", "Ingen data at slette"};

// ---- training and requirement pages
inline constexpr Text kWKopier{"horsewin.copy", "Kopier"};
inline constexpr Text kWFodernavn{"horsewin.feedname", "Fodernavn"};
inline constexpr Text kWMaengde{"horsewin.amount", "Mængde"};

// ---- registration page and diary
inline constexpr Text kWUeln{"horsewin.ueln", "Universal equine life number"};
inline constexpr Text kWIndPaaStalden{"horsewin.instable", "Ind på stalden"};
inline constexpr Text kWFar{"horsewin.father", "Far"};
inline constexpr Text kWMor{"horsewin.mother", "Mor"};
inline constexpr Text kWAftegn{"horsewin.markings", "Aftegn"};
inline constexpr Text kWKondition{"horsewin.conditiontext", "Kondition"};
inline constexpr Text kWEjeroplysninger{"horsewin.ownerinfo", "Ejeroplysninger"};
inline constexpr Text kWDagbog{"horsewin.diary", "Dagbog"};
inline constexpr Text kWFed{"horsewin.bold", "Fed"};
inline constexpr Text kWKursiv{"horsewin.italic", "Kursiv"};
inline constexpr Text kWUnderstreg{"horsewin.underline", "Understreg"};
inline constexpr Text kWTekst{"horsewin.text", "Tekst"};
inline constexpr Text kWFarve{"horsewin.colour", "farve"};
inline constexpr Text kWFoderplan{"horsewin.feedplan", "Foderplan"};
inline constexpr Text kWGemFoderplanSom{"horsewin.saveplanas", "Gem foderplan som..."};
inline constexpr Text kWLaegTil{"horsewin.addto", "Læg til"};
inline constexpr Text kWDagbogLower{"horsewin.diarylower", "dagbog"};

// ---- treatments page
inline constexpr Text kWDobbeltklikOpret{"horsewin.treedoubleclick",
                                        "Dobbeltklik for at oprette eller redigere en behandling"};
inline constexpr Text kWBehandling{"horsewin.treatment", "Behandling"};
inline constexpr Text kWBehandlingLower{"horsewin.treatmentlower", "behandling"};
inline constexpr Text kWSorterHint{"horsewin.sorthint", "Sorter efter dato eller behandlingstype"};
inline constexpr Text kWRapport{"horsewin.report", "Rapport"};
inline constexpr Text kWBehandlingsliste{"horsewin.treatmentlist", "behandlingsliste"};
inline constexpr Text kWAendre{"horsewin.change", "Ændre"};
inline constexpr Text kWBehandlingsinformation{"horsewin.treatmentinfo", "behandlingsinformation"};
inline constexpr Text kWBehandlingsinformationCap{"horsewin.treatmentinfocap", "Behandlingsinformation"};
inline constexpr Text kWSymbolernes{"horsewin.symbols", "Symbolernes betydning"};
inline constexpr Text kWBehandlingstype{"horsewin.treatmenttype", "Behandlingstype"};
inline constexpr Text kWBehandlingsnavn{"horsewin.treatmentname", "Behandlingsnavn"};
inline constexpr Text kWLaegTilEgen{"horsewin.addown", "Læg til ny egen behandling"};
inline constexpr Text kWNoteringer{"horsewin.notes", "Noteringer"};
inline constexpr Text kWOmkostninger{"horsewin.cost", "Omkostninger"};
inline constexpr Text kWPlanlagt{"horsewin.planned", "Planlagt"};
inline constexpr Text kWUdfoert{"horsewin.done", "Udført"};
inline constexpr Text kWStartforbud{"horsewin.ban", "Startforbud"};
inline constexpr Text kWTilLower{"horsewin.tolower", "til"};
inline constexpr Text kWNulstil{"horsewin.reset", "Nulstil"};
inline constexpr Text kWAfbryd{"horsewin.cancel", "Afbryd"};
inline constexpr Text kWLukRapport{"horsewin.closereport", "Luk rapportvinduet"};
inline constexpr Text kWDuHarAlt{"horsewin.activetreatment",
                                "Du har alt en aktiv behandling\rDu må gemme eller afbryde innen du kan oprete en ny"};
inline constexpr Text kWIkkeValgt{"horsewin.notchosen", "ikke valgt"};
inline constexpr Text kWSletningAf{"horsewin.deletionof", "Sletning af"};
inline constexpr Text kWFejl{"horsewin.error", "Fejl:"};

// ---- outputs
inline constexpr Text kWFil{"horsewin.file", "Fil"};
inline constexpr Text kWBeskrivelse{"horsewin.description", "beskrivelse"};
inline constexpr Text kWBehovLower{"horsewin.requirementlower", "behov"};
inline constexpr Text kWBehandlingerLower{"horsewin.treatmentslower", "behandlinger"};

}  // namespace stallora::horsetext
