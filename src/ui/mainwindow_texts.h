#pragma once
// The main window's texts, shared by its source files (mainwindow*.cpp).

#include "core/texts.h"

namespace stallora::maintext {

inline constexpr Text kFil{"main.file", "Fil"};
inline constexpr Text kOpretNyStald{"main.newstable", "Opret ny stald"};
inline constexpr Text kOpretNyForliste{"main.newfeedlist", "Opret ny foderliste"};
inline constexpr Text kEtabler{"main.create", "Etabler"};
inline constexpr Text kNy{"main.new", "Ny"};
inline constexpr Text kForblanding{"main.feedmix", "Foderblanding"};
inline constexpr Text kGemStaldOgHeste{"main.savestable", "Gem stald og heste"};
inline constexpr Text kSlet{"main.delete", "Slet"};
inline constexpr Text kStald{"main.stable", "Stald"};
inline constexpr Text kSikkerhedskopier{"main.backup", "Sikkerhedskopier"};
inline constexpr Text kInformation{"main.information", "Information"};
inline constexpr Text kMappe{"main.savefolder", "Mappe for at gemme brugerdata"};
inline constexpr Text kImporterStald{"main.importstable", "Importer en stald fra en fil"};
inline constexpr Text kImporterForliste{"main.importlist", "Importere en foderliste fra fil"};
inline constexpr Text kImporterRuvex{"main.importtext", "Importer foderliste fra Ruvex"};
inline constexpr Text kOpdater{"main.update", "Opdater Stallora fra internet"};
inline constexpr Text kLuk{"main.close", "Luk"};
inline constexpr Text kIndstillinger{"main.settings", "Indstillinger"};
inline constexpr Text kKontaktregister{"main.contacts", "Kontaktregister"};
inline constexpr Text kIndstillingAf{"main.preferences", "Indstilling af programmet"};
inline constexpr Text kInformationOm{"main.infoabout", "Information om"};
inline constexpr Text kFirma{"main.company", "Firma"};
inline constexpr Text kSkole{"main.school", "Skole, universitet"};
inline constexpr Text kMainNutrient{"main.nutrient", "Næringsstof"};
inline constexpr Text kBehovsberegninger{"main.requirements", "Behovsberegninger"};
inline constexpr Text kEnergyRules{"main.energyrules", "Energy/Protein rules"};
inline constexpr Text kEnergiOgProtein{"main.energyprotein", "Energi og protein"};
inline constexpr Text kBehandlingsinformation{"main.treatments", "Behandlingsinformation"};
inline constexpr Text kPrinteropsaetning{"main.printsetup", "Printeropsætning"};
inline constexpr Text kEpost{"main.mail", "Epost"};
inline constexpr Text kEnkelEpost{"main.simplemail", "Enkel epost"};
inline constexpr Text kHest{"main.horse", "Hest"};
inline constexpr Text kVindue{"main.window", "Vindue"};
inline constexpr Text kOrdneVindue{"main.cascade", "Ordne vindue"};
inline constexpr Text kVis{"main.show", "Vis"};
inline constexpr Text kStarthjaelp{"main.welcome", "Starthjælpe-skærm"};
inline constexpr Text kHjaelp{"main.help", "Hjælp"};
inline constexpr Text kOmStallora{"main.about", "Om Stallora"};
inline constexpr Text kLaesOm{"main.readabout", "Læs om"};
inline constexpr Text kBrugsanvisning{"main.manual", "Brugsanvisning"};
inline constexpr Text kNormer{"main.norms", "Normer"};
inline constexpr Text kFordoejelse{"main.digestion", "Fordøjelse og næringsstofomsætning "};
inline constexpr Text kModelhestStald{"main.modelstable", "Modelhest-Stald"};
inline constexpr Text kModelHeste{"main.modelhorses", "Model-Heste"};
inline constexpr Text kNyStaldButton{"main.tb.newstable", "Ny stald"};
inline constexpr Text kNyHestButton{"main.tb.newhorse", "Ny hest"};
inline constexpr Text kSoeg{"main.tb.find", "Søg"};
inline constexpr Text kFindHest{"main.tb.findhint", "Find en hest"};
inline constexpr Text kAfslutVinduer{"main.tb.closeall", "Afslut åbne vinduer"};
inline constexpr Text kAfslutHint{"main.tb.closeallhint", "Gem data og luk data alle åbne vinduer"};
inline constexpr Text kLukStallora{"main.tb.close", "Luk Stallora"};
inline constexpr Text kVaelgStald{"main.choosestable", "Vælg stald ved at klikke på et staldikon!"};
inline constexpr Text kOpretStaldFoerst{"main.createstablefirst", "Opret en stald før du går videre!"};
inline constexpr Text kAngivNavn{"main.listname", "Angiv navn på foderliste"};
inline constexpr Text kNavn{"main.name", "Navn"};
inline constexpr Text kFjernStald{"main.removestable", "Fjern stald og tilhørende heste"};
inline constexpr Text kBekraeftSletning{"main.confirmdelete", "Bekræft sletning"};
inline constexpr Text kGarantifoderliste{"main.guaranteelist", "Garantifoderliste"};
inline constexpr Text kIkkeTilladt{"main.notallowed", "Ikke tilladt"};
inline constexpr Text kGem{"main.save", "Gem"};
inline constexpr Text kExporter{"main.export", "Exporter"};
inline constexpr Text kEksporterHest{"main.exporthorse", "Eksporter hest"};
inline constexpr Text kOpretKopi{"main.copyhorse", "Opret  en kopi af hesten"};
inline constexpr Text kImporterHest{"main.importhorse", "Importer en hest til stalden"};
inline constexpr Text kVaelgHestefil{"main.choosehorsefile", "Vælg filen som har hestens navn"};
inline constexpr Text kHestIkkeFundet{"main.horsenotfound", "Hest ikke fundet. Definer ny hest!"};
inline constexpr Text kVaelgStaldfil{"main.choosestablefile", "Vælg staldfil"};
inline constexpr Text kMedtagHeste{"main.includehorses", "Medtag heste"};
inline constexpr Text kHestFindes{"main.horseexists", "Hest findes allerede. Angiv andet navn!"};
inline constexpr Text kAngivNytNavn{"main.newname", "Angiv nyt navn"};
inline constexpr Text kVaelg{"main.choose", "Vælg"};
inline constexpr Text kProgram{"main.program", "Program"};
inline constexpr Text kVersionWord{"main.version", "Version"};
inline constexpr Text kOpgrader{"main.upgrade", "Opgrader til version"};
inline constexpr Text kHentForliste{"main.fetchlist", "Hent den seneste foderliste"};
inline constexpr Text kAktuelInfo{"main.season", "Aktuel information"};
inline constexpr Text kDobbeltklik{"main.doubleclickweb", "Dobbeltklik for at gå til webadressen"};
inline constexpr Text kVaelgPlads{"main.chooseplace", "Vælg plads"};
inline constexpr Text kFinderIkke{"main.filemissing", "Finder ikke filen"};
inline constexpr Text kLinks{"main.links", "Links"};
inline constexpr Text kMappeWord{"main.folder", "Mappe"};
inline constexpr Text kManuelt{"main.manually", "Manuelt"};

}  // namespace stallora::maintext
