#pragma once
// The stable window's own texts (Danish, UTF-8 here; Tr gives Windows-1252). Words the
// stable's reports share are those of stable/stable_reports.h.

#include "core/texts.h"
#include "core/common_texts.h"

namespace stallora::stabletext {

inline constexpr const Text& kInformation = common::kInformation;
inline constexpr Text kHesteIStalden{"stablewin.horses", "Heste i stalden"};
inline constexpr const Text& kDagbog = common::kDagbog;
inline constexpr Text kRapporter{"stablewin.reports", "Rapporter"};
inline constexpr const Text& kRapport = common::kRapport;
inline constexpr const Text& kBehandling = common::kBehandling;
inline constexpr const Text& kDobbeltklikVis = common::kDobbeltklikForAtVise;
inline constexpr Text kDobbeltklikEditere{"stablewin.dblclickedit", "Dobbeltklik for at editere"};
inline constexpr const Text& kHest = common::kHest;
inline constexpr const Text& kHeste = common::kHeste;
inline constexpr const Text& kNy = common::kNy;
inline constexpr const Text& kSlet = common::kSlet;
inline constexpr Text kSletAlle{"stablewin.deleteall", "Slet alle"};
inline constexpr const Text& kVis = common::kVis;
inline constexpr const Text& kFoderWord = common::kFoder2;
inline constexpr Text kStaldnavn{"stablewin.name", "Staldnavn"};
inline constexpr const Text& kStaldensEjer = common::kStaldensEjer;
inline constexpr Text kR{"stablewin.register", "R"};
inline constexpr const Text& kRegistrerer = common::kRegistrererEjeroplysninger;
inline constexpr const Text& kModelhestStald = common::kModelhestStald;
inline constexpr const Text& kEpost = common::kEpost;
inline constexpr const Text& kStald = common::kStald;
inline constexpr const Text& kFodringstider = common::kFodringstiderIStalden;
inline constexpr const Text& kAntalFodringer = common::kAntalFodringer;
inline constexpr const Text& kNr = common::kNr;
inline constexpr const Text& kTid = common::kTid;
inline constexpr const Text& kBehandlingsinformation = common::kBehandlingsinformation;
inline constexpr Text kFodringsliste{"stablewin.mealchart", "Fodringsliste"};
inline constexpr const Text& kUdskrift = common::kUdskrift;
inline constexpr Text kKopierHint{"stablewin.copyhint", "Kopier grafiksiden til udskriftssiden"};
inline constexpr const Text& kGem = common::kGem;
inline constexpr const Text& kFil = common::kFil;
inline constexpr const Text& kLuk = common::kLuk;
inline constexpr const Text& kInformationOm = common::kInformationOm;
inline constexpr Text kGemStaldenSom{"stablewin.saveas", "Gem stalden som..."};
inline constexpr Text kValgIkkeAktivt{"stablewin.notactive", "Valg ikke aktivt"};
inline constexpr const Text& kSendInformation = common::kSendInformationMedEmail;
inline constexpr const Text& kHjaelp = common::kHjaelp;
inline constexpr Text kStaldfoderliste{"stablewin.feedlist", "Staldfoderliste"};
inline constexpr Text kVaelgNy{"stablewin.choosenew", "Vælg ny"};
inline constexpr Text kVaelgLeverandoerer{"stablewin.brands", "Vælg leverandører til"};
inline constexpr const Text& kNyHest = common::kNyHest;
inline constexpr Text kImporterHest{"stablewin.importhorse", "Importer hest"};
inline constexpr const Text& kEksporterHest = common::kEksporterHest;
inline constexpr Text kHestIkkeValgt{"stablewin.nohorse", "Hest ikke valgt"};
inline constexpr const Text& kBekraeftSletning = common::kBekraeftSletning;
inline constexpr Text kStaldenFindes{"stablewin.nametaken", "Stalden findes allerede. Angiv andet navn!"};
inline constexpr const Text& kNavnMangler = common::kNavnMangler;
inline constexpr Text kFodringerAendret{"stablewin.mealschanged", "Antal fodringer er ændret"};
inline constexpr Text kGemOgLukHeste{"stablewin.saveandclose", "Du skal gemme og lukke alle \"åbne\" heste i stalden"};
inline constexpr Text kGenaabnHeste{"stablewin.reopen",
                                    "Du må genåbne hestene påny og fordele foderet på de nye fodringer"};
inline constexpr Text kIkkeBestilt{"stablewin.notordered", "Ikke bestilt"};
inline constexpr Text kAlle{"stablewin.all", "Alle"};
inline constexpr Text kHesteMedStartforbud{"stablewin.banned", "Heste med startforbud"};
inline constexpr const Text& kDataAendret = common::kDataAendretVilDuGemmeDeNyeOplysninger;
inline constexpr Text kSoegHestemappe{"stablewin.importtitle",
                                      "Søg i staldmappen efter hestemappen som du vil importere"};
inline constexpr Text kIkkeHestefil{"stablewin.nohorsefile",
                                    "Fejl: Filen er ikke en hestefil, eller filen er beskadiget"};
inline constexpr Text kProevIgen{"stablewin.tryagain", "Vil du prøve igen?"};
inline constexpr const Text& kKunneIkkeImporteres = common::kHestenKunneIkkeImporteres;
inline constexpr const Text& kTekst = common::kTekst;
inline constexpr Text kFarve{"stablewin.colour", "Farve"};
inline constexpr const Text& kMappe = common::kMappe;
// Not in the feeding-time table's rules before: what a typed time must look like.
inline constexpr Text kUgyldigTid{"stablewin.badtime", "Ugyldigt klokkeslæt"};
inline constexpr Text kAngivTid{"stablewin.timeformat", "Angiv tiden som tt:mm (00:00 - 23:59)"};
inline constexpr const Text& kMaaVaereIOmraadet = common::kMaaVaereIOmraadet;
inline constexpr Text kEksporterTil{"stablewin.exportto", "Vælg mappen som hesten skal eksporteres til"};
inline constexpr Text kVaelgLeverandoererIkkeKlar{"stablewin.brandsnotready",
                                                  "Valget kommer med dialogen til at danne foderlister"};

}  // namespace stallora::stabletext
