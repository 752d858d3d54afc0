#pragma once
// The main window's texts, shared by its source files (mainwindow*.cpp).

#include "core/texts.h"
#include "core/common_texts.h"

namespace stallora::maintext {

inline constexpr const Text& kFil = common::kFil;
inline constexpr Text kOpretNyStald{"main.newstable", "Opret ny stald"};
inline constexpr const Text& kOpretNyForliste = common::kOpretNyFoderliste;
inline constexpr const Text& kEtabler = common::kEtabler;
inline constexpr const Text& kNy = common::kNy;
inline constexpr const Text& kForblanding = common::kFoderblanding;
inline constexpr Text kGemStaldOgHeste{"main.savestable", "Gem stald og heste"};
inline constexpr const Text& kSlet = common::kSlet;
inline constexpr const Text& kStald = common::kStald;
inline constexpr Text kSikkerhedskopier{"main.backup", "Sikkerhedskopier"};
inline constexpr const Text& kInformation = common::kInformation;
inline constexpr const Text& kMappe = common::kMappeForAtGemmeBrugerdata;
inline constexpr Text kImporterStald{"main.importstable", "Importer en stald fra en fil"};
inline constexpr Text kImporterForliste{"main.importlist", "Importere en foderliste fra fil"};
inline constexpr Text kImporterRuvex{"main.importtext", "Importer foderliste fra Ruvex"};
inline constexpr const Text& kOpdater = common::kOpdaterStalloraFraInternet;
inline constexpr const Text& kLuk = common::kLuk;
inline constexpr const Text& kIndstillinger = common::kIndstillinger;
inline constexpr const Text& kKontaktregister = common::kKontaktregister;
inline constexpr const Text& kIndstillingAf = common::kIndstillingAfProgrammet;
inline constexpr const Text& kInformationOm = common::kInformationOm;
inline constexpr const Text& kFirma = common::kFirma;
inline constexpr Text kSkole{"main.school", "Skole, universitet"};
inline constexpr const Text& kMainNutrient = common::kNaeringsstof;
inline constexpr const Text& kBehovsberegninger = common::kBehovsberegninger;
inline constexpr Text kEnergyRules{"main.energyrules", "Energy/Protein rules"};
inline constexpr const Text& kEnergiOgProtein = common::kEnergiOgProtein;
inline constexpr const Text& kBehandlingsinformation = common::kBehandlingsinformation;
inline constexpr const Text& kPrinteropsaetning = common::kPrinteropsaetning;
inline constexpr const Text& kEpost = common::kEpost;
inline constexpr Text kEnkelEpost{"main.simplemail", "Enkel epost"};
inline constexpr const Text& kHest = common::kHest;
inline constexpr Text kVindue{"main.window", "Vindue"};
inline constexpr Text kOrdneVindue{"main.cascade", "Ordne vindue"};
inline constexpr const Text& kVis = common::kVis;
inline constexpr Text kStarthjaelp{"main.welcome", "Starthjælpe-skærm"};
inline constexpr const Text& kHjaelp = common::kHjaelp;
inline constexpr Text kOmStallora{"main.about", "Om Stallora"};
inline constexpr Text kLaesOm{"main.readabout", "Læs om"};
inline constexpr Text kBrugsanvisning{"main.manual", "Brugsanvisning"};
inline constexpr Text kNormer{"main.norms", "Normer"};
inline constexpr Text kFordoejelse{"main.digestion", "Fordøjelse og næringsstofomsætning "};
inline constexpr const Text& kModelhestStald = common::kModelhestStald;
inline constexpr Text kModelHeste{"main.modelhorses", "Model-Heste"};
inline constexpr const Text& kNyStaldButton = common::kNyStald;
inline constexpr const Text& kNyHestButton = common::kNyHest;
inline constexpr Text kSoeg{"main.tb.find", "Søg"};
inline constexpr const Text& kFindHest = common::kFindEnHest;
inline constexpr Text kAfslutVinduer{"main.tb.closeall", "Afslut åbne vinduer"};
inline constexpr Text kAfslutHint{"main.tb.closeallhint", "Gem data og luk data alle åbne vinduer"};
inline constexpr Text kLukStallora{"main.tb.close", "Luk Stallora"};
inline constexpr Text kVaelgStald{"main.choosestable", "Vælg stald ved at klikke på et staldikon!"};
inline constexpr Text kOpretStaldFoerst{"main.createstablefirst", "Opret en stald før du går videre!"};
inline constexpr Text kAngivNavn{"main.listname", "Angiv navn på foderliste"};
inline constexpr const Text& kNavn = common::kNavn;
inline constexpr Text kFjernStald{"main.removestable", "Fjern stald og tilhørende heste"};
inline constexpr const Text& kBekraeftSletning = common::kBekraeftSletning;
inline constexpr const Text& kGarantifoderliste = common::kGarantifoderliste;
inline constexpr Text kIkkeTilladt{"main.notallowed", "Ikke tilladt"};
inline constexpr const Text& kGem = common::kGem;
inline constexpr Text kExporter{"main.export", "Exporter"};
inline constexpr const Text& kEksporterHest = common::kEksporterHest;
inline constexpr Text kOpretKopi{"main.copyhorse", "Opret  en kopi af hesten"};
inline constexpr Text kImporterHest{"main.importhorse", "Importer en hest til stalden"};
inline constexpr Text kVaelgHestefil{"main.choosehorsefile", "Vælg filen som har hestens navn"};
inline constexpr Text kHestIkkeFundet{"main.horsenotfound", "Hest ikke fundet. Definer ny hest!"};
inline constexpr Text kVaelgStaldfil{"main.choosestablefile", "Vælg staldfil"};
inline constexpr Text kMedtagHeste{"main.includehorses", "Medtag heste"};
inline constexpr const Text& kHestFindes = common::kHestFindesAlleredeAngivAndetNavn;
inline constexpr const Text& kAngivNytNavn = common::kAngivNytNavn;
inline constexpr const Text& kVaelg = common::kVaelg;
inline constexpr Text kProgram{"main.program", "Program"};
inline constexpr const Text& kVersionWord = common::kVersion;
inline constexpr const Text& kOpgrader = common::kOpgraderTilVersion;
inline constexpr const Text& kHentForliste = common::kHentDenSenesteFoderliste;
inline constexpr Text kAktuelInfo{"main.season", "Aktuel information"};
inline constexpr const Text& kDobbeltklik = common::kDobbeltklikForAtGaaTilWebadressen;
inline constexpr const Text& kVaelgPlads = common::kVaelgPlads;
inline constexpr const Text& kFinderIkke = common::kFinderIkkeFilen;
inline constexpr Text kLinks{"main.links", "Links"};
inline constexpr const Text& kMappeWord = common::kMappe;
inline constexpr const Text& kManuelt = common::kManuelt;

}  // namespace stallora::maintext
