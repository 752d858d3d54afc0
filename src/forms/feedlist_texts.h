#pragma once
// The texts of the feed list window and its pages. Texts the feeds library declares already
// (feed.h, feedlist.h, feedlist_tools.h, guarantee.h) are used from there.

#include "core/texts.h"
#include "core/common_texts.h"

namespace stallora {

// ---- menu and frame
inline constexpr const Text& kFlInformation = common::kInformation;
inline constexpr Text kFlFoderpriser{"feedlist.prices", "Foderpriser"};
inline constexpr Text kFlSammenlign{"feedlist.compare", "Sammenlign kemisk indhold i foderet"};
inline constexpr const Text& kFlFoderMenu = common::kFoder2;  // shown with its first letter raised
inline constexpr Text kFlAendreNaering{"feedlist.editfeed", "Ændre næringsindhold"};
inline constexpr Text kFlOpretNytFoder{"feedlist.newfeed", "Opret nyt foder"};
inline constexpr const Text& kFlEtabler = common::kEtabler;
inline constexpr Text kFlFoderblandingLower{"feedlist.mix", "foderblanding"};
inline constexpr Text kFlKopierFra{"feedlist.copyfrom", "Kopier fra fra anden liste"};
inline constexpr const Text& kFlVaelg = common::kVaelg;
inline constexpr Text kFlLeverandoerLower{"feedlist.supplierlower", "leverandør"};
inline constexpr Text kFlRedigerRaekkefoelge{"feedlist.order", "Rediger rækkefølge"};
inline constexpr const Text& kFlGem = common::kGem;
inline constexpr Text kFlSomDots{"feedlist.as", "som..."};
inline constexpr const Text& kFlSlet = common::kSlet;
inline constexpr const Text& kFlOpretNyForliste = common::kOpretNyFoderliste;
inline constexpr const Text& kFlLuk = common::kLuk;
inline constexpr Text kFlArbejdeMed{"feedlist.workwith", "Arbejde med"};
inline constexpr const Text& kFlHjaelp = common::kHjaelp;

// ---- information page and tree
inline constexpr const Text& kFlAntalFoderemner = common::kAntalFoderemnerIListen;
inline constexpr const Text& kFlValgtFoder = common::kValgtFoder;
inline constexpr const Text& kFlNulstil = common::kNulstil;
inline constexpr Text kFlVisValgte{"feedlist.showpicked", "Vis valgte"};
inline constexpr Text kFlSletValgte{"feedlist.deletepicked", "Slet valgte"};
inline constexpr Text kFlSletLeverandoer{"feedlist.deletebrand", "Slet leverandør"};
inline constexpr const Text& kFlFoderIkkeValgt = common::kFoderIkkeValgt;
inline constexpr const Text& kFlBekraeftSletning = common::kBekraeftSletning;
inline constexpr const Text& kFlNavn = common::kNavn;
inline constexpr Text kFlVersionstekst{"feedlist.versiontext", "Versionstekst"};
inline constexpr const Text& kFlEnergiOgProtein = common::kEnergiOgProtein;
inline constexpr const Text& kFlIndstillinger = common::kIndstillinger;
inline constexpr Text kFlGarantiLaast{
    "feedlist.guaranteelocked",
    "Foderet hører til en garantifoderliste, og dets værdier kan ikke ændres. Gem foderlisten under et nyt navn for "
    "at ændre dem"};
inline constexpr Text kFlNavnLaast{"feedlist.namelocked", "Navnet kan ikke ændres for denne foderliste"};

// ---- feed editor
inline constexpr Text kFlLeverandoer{"feedlist.supplier", "Leverandør"};
inline constexpr Text kFlKarotenrikt{"feedlist.carotene", "Karotenrikt fôr"};
inline constexpr Text kFlAngivEgenVaerdi{"feedlist.ownvalue", "Angiv egen værdi"};
inline constexpr Text kFlNaeringsindhold{"feedlist.nutrients", "NÆRINGSINDHOLD"};
inline constexpr const Text& kFlEnhed = common::kEnhed;
inline constexpr Text kFlEnhedsvaegt{"feedlist.unitweight", "Vægt pr. salgsenhed, kg"};
inline constexpr const Text& kFlBrugertekst = common::kTekst;
inline constexpr const Text& kFlDobbeltklikValg = common::kDobbeltklikForValg;
inline constexpr Text kFlDetNyeFoder{"feedlist.thenewfeed", "Det nye foder"};
inline constexpr Text kFlErLagtTilI{"feedlist.addedto", "er lagt til i"};
inline constexpr Text kFlAendretLower{"feedlist.changed", "ændret"};
inline constexpr Text kFlOpdaterHeste{"feedlist.updatehorses", "Opdater analyseværdierne for staldens heste?"};
inline constexpr const Text& kFlAfbryd = common::kAfbryd;
inline constexpr const Text& kFlOk = common::kOK;
inline constexpr const Text& kFlUdskrift = common::kUdskrift;
inline constexpr const Text& kFlEpost = common::kEpost;
inline constexpr Text kFlFoderUdenAftale{"feedlist.noagreement", "Foder uden aftale"};
inline constexpr Text kFlWebsidenVisesIkke{"feedlist.nowebpage", "Websiden vises ikke"};

// ---- new-feed page
inline constexpr Text kFlVaelgUdgangspunkt{"feedlist.choosetemplate", "Vælg et foder du vil tage udgangspunkt i"};
inline constexpr Text kFlFoderIListen{"feedlist.feedsinlist", "Foder i listen"};
inline constexpr const Text& kFlVaelgFraAnden = common::kVaelgFraAndenFoderliste;
inline constexpr const Text& kFlValgt = common::kValgt;
inline constexpr Text kFlUdgangsFoderLower{"feedlist.templatelower", "udgangs-foder"};
inline constexpr Text kFlUdgangsFoder{"feedlist.template", "Udgangs-foder"};
inline constexpr const Text& kFlIkkeValgt = common::kIkkeValgt;
inline constexpr const Text& kFlNavnMangler = common::kNavnMangler;
inline constexpr const Text& kFlAngivNytNavn = common::kAngivNytNavn;
inline constexpr Text kFlIkkeImplementert{"feedlist.notimplemented", "Fôr til annen forliste: Valg ikke implementert"};
inline constexpr Text kFlSammeKategori{"feedlist.samecategory", "Samme kategori"};
inline constexpr Text kFlUdgangsknap{"feedlist.templatebutton", "Vælg udgangs-foder"};
inline constexpr Text kFlUdenUdgangsfoder{"feedlist.notemplate", "Uden udgangs-foder"};
inline constexpr Text kFlKlar{"feedlist.ready", "Klar"};
inline constexpr Text kFlOgsaaAndenListe{"feedlist.alsoother", "Læg også foderet i en anden foderliste"};

// ---- prices
inline constexpr const Text& kFlMarkerAlle = common::kMarkerAlle;
inline constexpr Text kFlFjernMarkering{"feedlist.uncheckall", "Fjern markering"};
inline constexpr Text kFlOgsaaHeste{"feedlist.inhorses", "Ændre også prisen hos hestene"};
inline constexpr Text kFlAndreLister{"feedlist.otherlists", "Ændre prisen i disse foderlister"};

// ---- saving and closing
inline constexpr Text kFlVaelgNavnOgMappe{"feedlist.saveastitle", "Vælg navn og mappe for foderlisten"};
inline constexpr Text kFlMin{"feedlist.my", "Min"};
inline constexpr Text kFlVisNyForliste{"feedlist.shownew", "Vis ny foderliste"};
inline constexpr const Text& kFlDataAendret = common::kDataAendretVilDuGemmeDeNyeOplysninger;
inline constexpr Text kFlGemtesIkke{"feedlist.notsaved", "Foderlisten blev ikke gemt. Den tidligere gemte fil er uændret"};
inline constexpr Text kFlGemmesI{"feedlist.savedin", "Foderlister gemmes i foderlistemappen"};

// ---- compare, copy and order pages
inline constexpr Text kFlIkkeFaerdigt{"feedlist.notdone", "Du har ikke valgt færdigt"};
inline constexpr Text kFlFoderEllerNaering{"feedlist.missing", "Foder eller næringsstof savnes"};
inline constexpr Text kFlResultat{"feedlist.results", "Resultat"};
inline constexpr const Text& kFlKopier = common::kKopier;
inline constexpr const Text& kFlGrovfoder = common::kGrovfoder;
inline constexpr const Text& kFlKraftfoder = common::kKraftfoder;
inline constexpr const Text& kFlTilskudsfoder = common::kTilskudsfoder;
inline constexpr const Text& kFlFoderLower = common::kFoder2;
inline constexpr Text kFlDuplikater{"feedlist.duplicates", "duplikater"};
inline constexpr const Text& kFlI = common::kI;
inline constexpr Text kFlKopierValgte{"feedlist.copyselected", "Kopier valgte"};
inline constexpr Text kFlKopierHele{"feedlist.copyall", "Kopier hele"};
inline constexpr Text kFlTomListen{"feedlist.clear", "Tøm listen"};
inline constexpr const Text& kFlSorter = common::kSorter;
inline constexpr Text kFlKopierDenne{"feedlist.copythis", "Kopier denne"};
inline constexpr Text kFlKopierAlle{"feedlist.copyeach", "Kopier alle"};
inline constexpr Text kFlSpringOver{"feedlist.skip", "Spring over"};
inline constexpr const Text& kFlLeverandoerFoderliste = common::kFoderliste;
inline constexpr Text kFlVisIProgrammet{"feedlist.showinprogram", "Vis i programmet"};
inline constexpr Text kFlSammenligning{"feedlist.comparison", "Sammenligning"};
inline constexpr Text kFlKopieret{"feedlist.copied", "Kopieret til udklipsholderen"};
inline constexpr Text kFlSkrivOver{"feedlist.overwrite", "findes. Skriv over?"};

}  // namespace stallora
