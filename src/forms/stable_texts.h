#pragma once
// The stable window's own texts (Danish, UTF-8 here; Tr gives Windows-1252). Words the
// stable's reports share are those of stable/stable_reports.h.

#include "core/texts.h"

namespace stallora::stabletext {

inline constexpr Text kInformation{"stablewin.information", "Information"};
inline constexpr Text kHesteIStalden{"stablewin.horses", "Heste i stalden"};
inline constexpr Text kDagbog{"stablewin.diary", "Dagbog"};
inline constexpr Text kRapporter{"stablewin.reports", "Rapporter"};
inline constexpr Text kRapport{"stablewin.report", "Rapport"};
inline constexpr Text kBehandling{"stablewin.treatment", "Behandling"};
inline constexpr Text kDobbeltklikVis{"stablewin.dblclickshow", "Dobbeltklik for at vise"};
inline constexpr Text kDobbeltklikEditere{"stablewin.dblclickedit", "Dobbeltklik for at editere"};
inline constexpr Text kHest{"stablewin.horse", "Hest"};
inline constexpr Text kHeste{"stablewin.horsesword", "Heste"};
inline constexpr Text kNy{"stablewin.new", "Ny"};
inline constexpr Text kSlet{"stablewin.delete", "Slet"};
inline constexpr Text kSletAlle{"stablewin.deleteall", "Slet alle"};
inline constexpr Text kVis{"stablewin.show", "Vis"};
inline constexpr Text kFoderWord{"stablewin.feed", "foder"};
inline constexpr Text kStaldnavn{"stablewin.name", "Staldnavn"};
inline constexpr Text kStaldensEjer{"stablewin.owner", "Staldens ejer"};
inline constexpr Text kR{"stablewin.register", "R"};
inline constexpr Text kRegistrerer{"stablewin.registerhint", "Registrerer ejeroplysninger"};
inline constexpr Text kModelhestStald{"stablewin.modelstable", "Modelhest-Stald"};
inline constexpr Text kEpost{"stablewin.mail", "Epost"};
inline constexpr Text kStald{"stablewin.stable", "Stald"};
inline constexpr Text kFodringstider{"stablewin.mealtimes", "Fodringstider i stalden"};
inline constexpr Text kAntalFodringer{"stablewin.mealcount", "Antal fodringer"};
inline constexpr Text kNr{"stablewin.number", "nr"};
inline constexpr Text kTid{"stablewin.time", "Tid"};
inline constexpr Text kBehandlingsinformation{"stablewin.treatmentinfo", "Behandlingsinformation"};
inline constexpr Text kFodringsliste{"stablewin.mealchart", "Fodringsliste"};
inline constexpr Text kUdskrift{"stablewin.print", "Udskrift"};
inline constexpr Text kKopierHint{"stablewin.copyhint", "Kopier grafiksiden til udskriftssiden"};
inline constexpr Text kGem{"stablewin.save", "Gem"};
inline constexpr Text kFil{"stablewin.file", "Fil"};
inline constexpr Text kLuk{"stablewin.close", "Luk"};
inline constexpr Text kInformationOm{"stablewin.infoabout", "Information om"};
inline constexpr Text kGemStaldenSom{"stablewin.saveas", "Gem stalden som..."};
inline constexpr Text kValgIkkeAktivt{"stablewin.notactive", "Valg ikke aktivt"};
inline constexpr Text kSendInformation{"stablewin.sendinfo", "Send information med email"};
inline constexpr Text kHjaelp{"stablewin.help", "Hjælp"};
inline constexpr Text kStaldfoderliste{"stablewin.feedlist", "Staldfoderliste"};
inline constexpr Text kVaelgNy{"stablewin.choosenew", "Vælg ny"};
inline constexpr Text kVaelgLeverandoerer{"stablewin.brands", "Vælg leverandører til"};
inline constexpr Text kNyHest{"stablewin.newhorse", "Ny hest"};
inline constexpr Text kImporterHest{"stablewin.importhorse", "Importer hest"};
inline constexpr Text kEksporterHest{"stablewin.exporthorse", "Eksporter hest"};
inline constexpr Text kHestIkkeValgt{"stablewin.nohorse", "Hest ikke valgt"};
inline constexpr Text kBekraeftSletning{"stablewin.confirmdelete", "Bekræft sletning"};
inline constexpr Text kStaldenFindes{"stablewin.nametaken", "Stalden findes allerede. Angiv andet navn!"};
inline constexpr Text kNavnMangler{"stablewin.namemissing", "Navn mangler"};
inline constexpr Text kFodringerAendret{"stablewin.mealschanged", "Antal fodringer er ændret"};
inline constexpr Text kGemOgLukHeste{"stablewin.saveandclose", "Du skal gemme og lukke alle \"åbne\" heste i stalden"};
inline constexpr Text kGenaabnHeste{"stablewin.reopen",
                                    "Du må genåbne hestene påny og fordele foderet på de nye fodringer"};
inline constexpr Text kIkkeBestilt{"stablewin.notordered", "Ikke bestilt"};
inline constexpr Text kAlle{"stablewin.all", "Alle"};
inline constexpr Text kHesteMedStartforbud{"stablewin.banned", "Heste med startforbud"};
inline constexpr Text kDataAendret{"stablewin.changed", "Data ændret! Vil du gemme de nye oplysninger"};
inline constexpr Text kSoegHestemappe{"stablewin.importtitle",
                                      "Søg i staldmappen efter hestemappen som du vil importere"};
inline constexpr Text kIkkeHestefil{"stablewin.nohorsefile",
                                    "Fejl: Filen er ikke en hestefil, eller filen er beskadiget"};
inline constexpr Text kProevIgen{"stablewin.tryagain", "Vil du prøve igen?"};
inline constexpr Text kKunneIkkeImporteres{"stablewin.importfailed", "Hesten kunne ikke importeres"};
inline constexpr Text kTekst{"stablewin.text", "Tekst"};
inline constexpr Text kFarve{"stablewin.colour", "Farve"};
inline constexpr Text kMappe{"stablewin.folder", "Mappe"};
// Not in the feeding-time table's rules before: what a typed time must look like.
inline constexpr Text kUgyldigTid{"stablewin.badtime", "Ugyldigt klokkeslæt"};
inline constexpr Text kAngivTid{"stablewin.timeformat", "Angiv tiden som tt:mm (00:00 - 23:59)"};
inline constexpr Text kMaaVaereIOmraadet{"stablewin.mustbeinrange", "må være i området"};
inline constexpr Text kEksporterTil{"stablewin.exportto", "Vælg mappen som hesten skal eksporteres til"};
inline constexpr Text kVaelgLeverandoererIkkeKlar{"stablewin.brandsnotready",
                                                  "Valget kommer med dialogen til at danne foderlister"};

}  // namespace stallora::stabletext
