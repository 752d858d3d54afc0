#pragma once
// The texts of the feed list window and its pages. Texts the feeds library declares already
// (feed.h, feedlist.h, feedlist_tools.h, guarantee.h) are used from there.

#include "core/texts.h"

namespace stallora {

// ---- menu and frame
inline constexpr Text kFlInformation{"feedlist.information", "Information"};
inline constexpr Text kFlFoderpriser{"feedlist.prices", "Foderpriser"};
inline constexpr Text kFlSammenlign{"feedlist.compare", "Sammenlign kemisk indhold i foderet"};
inline constexpr Text kFlFoderMenu{"feedlist.feedmenu", "foder"};  // shown with its first letter raised
inline constexpr Text kFlAendreNaering{"feedlist.editfeed", "Ændre næringsindhold"};
inline constexpr Text kFlOpretNytFoder{"feedlist.newfeed", "Opret nyt foder"};
inline constexpr Text kFlEtabler{"feedlist.establish", "Etabler"};
inline constexpr Text kFlFoderblandingLower{"feedlist.mix", "foderblanding"};
inline constexpr Text kFlKopierFra{"feedlist.copyfrom", "Kopier fra fra anden liste"};
inline constexpr Text kFlVaelg{"feedlist.choose", "Vælg"};
inline constexpr Text kFlLeverandoerLower{"feedlist.supplierlower", "leverandør"};
inline constexpr Text kFlRedigerRaekkefoelge{"feedlist.order", "Rediger rækkefølge"};
inline constexpr Text kFlGem{"feedlist.save", "Gem"};
inline constexpr Text kFlSomDots{"feedlist.as", "som..."};
inline constexpr Text kFlSlet{"feedlist.delete", "Slet"};
inline constexpr Text kFlOpretNyForliste{"feedlist.newlist", "Opret ny foderliste"};
inline constexpr Text kFlLuk{"feedlist.close", "Luk"};
inline constexpr Text kFlArbejdeMed{"feedlist.workwith", "Arbejde med"};
inline constexpr Text kFlHjaelp{"feedlist.help", "Hjælp"};

// ---- information page and tree
inline constexpr Text kFlAntalFoderemner{"feedlist.count", "Antal foderemner i listen: "};
inline constexpr Text kFlValgtFoder{"feedlist.picked", "Valgt foder"};
inline constexpr Text kFlNulstil{"feedlist.reset", "Nulstil"};
inline constexpr Text kFlVisValgte{"feedlist.showpicked", "Vis valgte"};
inline constexpr Text kFlSletValgte{"feedlist.deletepicked", "Slet valgte"};
inline constexpr Text kFlSletLeverandoer{"feedlist.deletebrand", "Slet leverandør"};
inline constexpr Text kFlFoderIkkeValgt{"feedlist.nofeed", "Foder ikke valgt"};
inline constexpr Text kFlBekraeftSletning{"feedlist.confirmdelete", "Bekræft sletning"};
inline constexpr Text kFlNavn{"feedlist.name", "Navn"};
inline constexpr Text kFlVersionstekst{"feedlist.versiontext", "Versionstekst"};
inline constexpr Text kFlEnergiOgProtein{"feedlist.energysystems", "Energi og protein"};
inline constexpr Text kFlIndstillinger{"feedlist.preferences", "Indstillinger"};
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
inline constexpr Text kFlEnhed{"feedlist.unit", "Enhed"};
inline constexpr Text kFlEnhedsvaegt{"feedlist.unitweight", "Vægt pr. salgsenhed, kg"};
inline constexpr Text kFlBrugertekst{"feedlist.usertext", "Tekst"};
inline constexpr Text kFlDobbeltklikValg{"feedlist.doubleclick", "Dobbeltklik for valg"};
inline constexpr Text kFlDetNyeFoder{"feedlist.thenewfeed", "Det nye foder"};
inline constexpr Text kFlErLagtTilI{"feedlist.addedto", "er lagt til i"};
inline constexpr Text kFlAendretLower{"feedlist.changed", "ændret"};
inline constexpr Text kFlOpdaterHeste{"feedlist.updatehorses", "Opdater analyseværdierne for staldens heste?"};
inline constexpr Text kFlAfbryd{"feedlist.cancel", "Afbryd"};
inline constexpr Text kFlOk{"feedlist.ok", "OK"};
inline constexpr Text kFlUdskrift{"feedlist.print", "Udskrift"};
inline constexpr Text kFlEpost{"feedlist.mail", "Epost"};
inline constexpr Text kFlFoderUdenAftale{"feedlist.noagreement", "Foder uden aftale"};
inline constexpr Text kFlWebsidenVisesIkke{"feedlist.nowebpage", "Websiden vises ikke"};

// ---- new-feed page
inline constexpr Text kFlVaelgUdgangspunkt{"feedlist.choosetemplate", "Vælg et foder du vil tage udgangspunkt i"};
inline constexpr Text kFlFoderIListen{"feedlist.feedsinlist", "Foder i listen"};
inline constexpr Text kFlVaelgFraAnden{"feedlist.otherlist", "Vælg fra anden foderliste"};
inline constexpr Text kFlValgt{"feedlist.chosen", "Valgt"};
inline constexpr Text kFlUdgangsFoderLower{"feedlist.templatelower", "udgangs-foder"};
inline constexpr Text kFlUdgangsFoder{"feedlist.template", "Udgangs-foder"};
inline constexpr Text kFlIkkeValgt{"feedlist.notchosen", "ikke valgt"};
inline constexpr Text kFlNavnMangler{"feedlist.noname", "Navn mangler"};
inline constexpr Text kFlAngivNytNavn{"feedlist.givenewname", "Angiv nyt navn"};
inline constexpr Text kFlIkkeImplementert{"feedlist.notimplemented", "Fôr til annen forliste: Valg ikke implementert"};
inline constexpr Text kFlSammeKategori{"feedlist.samecategory", "Samme kategori"};
inline constexpr Text kFlUdgangsknap{"feedlist.templatebutton", "Vælg udgangs-foder"};
inline constexpr Text kFlUdenUdgangsfoder{"feedlist.notemplate", "Uden udgangs-foder"};
inline constexpr Text kFlKlar{"feedlist.ready", "Klar"};
inline constexpr Text kFlOgsaaAndenListe{"feedlist.alsoother", "Læg også foderet i en anden foderliste"};

// ---- prices
inline constexpr Text kFlMarkerAlle{"feedlist.checkall", "Marker alle"};
inline constexpr Text kFlFjernMarkering{"feedlist.uncheckall", "Fjern markering"};
inline constexpr Text kFlOgsaaHeste{"feedlist.inhorses", "Ændre også prisen hos hestene"};
inline constexpr Text kFlAndreLister{"feedlist.otherlists", "Ændre prisen i disse foderlister"};

// ---- saving and closing
inline constexpr Text kFlVaelgNavnOgMappe{"feedlist.saveastitle", "Vælg navn og mappe for foderlisten"};
inline constexpr Text kFlMin{"feedlist.my", "Min"};
inline constexpr Text kFlVisNyForliste{"feedlist.shownew", "Vis ny foderliste"};
inline constexpr Text kFlDataAendret{"feedlist.datachanged", "Data ændret! Vil du gemme de nye oplysninger"};
inline constexpr Text kFlGemtesIkke{"feedlist.notsaved", "Foderlisten blev ikke gemt. Den tidligere gemte fil er uændret"};
inline constexpr Text kFlGemmesI{"feedlist.savedin", "Foderlister gemmes i foderlistemappen"};

// ---- compare, copy and order pages
inline constexpr Text kFlIkkeFaerdigt{"feedlist.notdone", "Du har ikke valgt færdigt"};
inline constexpr Text kFlFoderEllerNaering{"feedlist.missing", "Foder eller næringsstof savnes"};
inline constexpr Text kFlResultat{"feedlist.results", "Resultat"};
inline constexpr Text kFlKopier{"feedlist.copy", "Kopier"};
inline constexpr Text kFlGrovfoder{"feedlist.roughage", "Grovfoder"};
inline constexpr Text kFlKraftfoder{"feedlist.concentrate", "Kraftfoder"};
inline constexpr Text kFlTilskudsfoder{"feedlist.supplement", "Tilskudsfoder"};
inline constexpr Text kFlFoderLower{"feedlist.feedlower", "foder"};
inline constexpr Text kFlDuplikater{"feedlist.duplicates", "duplikater"};
inline constexpr Text kFlI{"feedlist.in", "i"};
inline constexpr Text kFlKopierValgte{"feedlist.copyselected", "Kopier valgte"};
inline constexpr Text kFlKopierHele{"feedlist.copyall", "Kopier hele"};
inline constexpr Text kFlTomListen{"feedlist.clear", "Tøm listen"};
inline constexpr Text kFlSorter{"feedlist.sort", "Sorter"};
inline constexpr Text kFlKopierDenne{"feedlist.copythis", "Kopier denne"};
inline constexpr Text kFlKopierAlle{"feedlist.copyeach", "Kopier alle"};
inline constexpr Text kFlSpringOver{"feedlist.skip", "Spring over"};
inline constexpr Text kFlLeverandoerFoderliste{"feedlist.brandlist", "foderliste"};
inline constexpr Text kFlVisIProgrammet{"feedlist.showinprogram", "Vis i programmet"};
inline constexpr Text kFlSammenligning{"feedlist.comparison", "Sammenligning"};
inline constexpr Text kFlKopieret{"feedlist.copied", "Kopieret til udklipsholderen"};
inline constexpr Text kFlSkrivOver{"feedlist.overwrite", "findes. Skriv over?"};

}  // namespace stallora
