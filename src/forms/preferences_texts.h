#pragma once
// The preferences dialog's texts.

#include "core/texts.h"

namespace stallora {

// Page titles (the energy/protein page's is quoted; the others are this program's).
inline constexpr Text kPfCaption{"prefs.caption", "Indstilling af programmet"};
inline constexpr Text kPfPageCompany{"prefs.page.company", "Firma og rådgiver"};
inline constexpr Text kPfPageNutrients{"prefs.page.nutrients", "Næringsstoffer"};
inline constexpr Text kPfPageSystem{"prefs.page.system", "Behovsberegninger"};
inline constexpr Text kPfPageObjects{"prefs.page.objects", "Energy-protein Objects"};
inline constexpr Text kPfPageTreatments{"prefs.page.treatments", "Behandlingsinformation"};
inline constexpr Text kPfClose{"prefs.close", "Luk"};

// Company and consultant page.
inline constexpr Text kPfInfoText{"prefs.infotext", "Brugerens kontaktinformation i rapporterne"};
inline constexpr Text kPfCompanyName{"prefs.companyname", "Firma"};
inline constexpr Text kPfConsultant{"prefs.consultant", "Rådgiver"};
inline constexpr Text kPfMobile{"prefs.mobile", "Mobiltelefon"};
inline constexpr Text kPfMail{"prefs.mail", "Epost"};
inline constexpr Text kPfFooterNote{"prefs.footernote", "De angivne tekster vises i bundfeltet på rapporter og udskrifter"};
inline constexpr Text kPfLogo{"prefs.logo", "Firmalogotyp"};
inline constexpr Text kPfSlet{"prefs.delete", "Slet"};
inline constexpr Text kPfBilde{"prefs.picture", "bilde"};
inline constexpr Text kPfAdresse{"prefs.address", "Adresse"};
inline constexpr std::string_view kPfLogoFilter = "Image files|*.jpg;*.jpeg;*.bmp";
inline constexpr Text kPfLogoNotPicture{"prefs.lognotpicture",
                                        "Filen er ikke et billede (JPEG, BMP, PNG eller GIF). Logoet er ikke ændret"};
inline constexpr Text kPfLogoKept{"prefs.logokept", "Logoet er ikke ændret"};

// Nutrient page.
inline constexpr Text kPfPlanButton{"prefs.planbutton", "Næringsstoffer i foderplanen"};
inline constexpr Text kPfColumnsButton{"prefs.columnsbutton", "Næringsstoffer som søjler"};
inline constexpr Text kPfPlanBox{"prefs.planbox", "Marker næringsemner som skal vises i foderplanen"};
inline constexpr Text kPfColumnsBox{
    "prefs.columnsbox", "Marker de næringsstoffer som skal vises som søjler under udarbejdelsen af foderplanen"};
inline constexpr Text kPfSelectAll{"prefs.selectall", "Marker alle"};
inline constexpr Text kPfClearAll{"prefs.clearall", "Fjern alle"};
inline constexpr Text kPfStore{"prefs.store", "Gem"};
inline constexpr Text kPfWarnings{"prefs.warnings", "Vis advarsler om næringsstoffer i udskrifter"};

// Calculation-system page.
inline constexpr Text kPfGroupCaption{"prefs.group", "Vælg metode for beregning af energi og proteinbehov"};
inline constexpr Text kPfWarning45{"prefs.warning45",
                                   "VIKTIG INFORMATION NÅR DU SKIFTER ENERGIBEREGNINGSSYSTEM!\rLæs om konsekvenserne "
                                   "ved at skifte system ved at klikke\rpå Knappen? inden du skifter system"};
inline constexpr Text kPfWarning46{"prefs.warning46",
                                   "VIKTIGT ATT VETA INNAN DU BYTER ENERGIBËRÄKNINGSMETOD!\rLäs vad som händer när du "
                                   "byter mellan det Europeiska systemet (Svensk norm)\roch NRC2007 genom att klicka ? "
                                   "knappen"};
inline constexpr Text kPfWarning47{"prefs.warning47",
                                   "VIKTIG INFORMASJON NÅR DU BYTTER ENERGIBEREGNINGSSYSTEM!\rLes om konsekvensene av å "
                                   "bytte system ved å klikke\rpå ? knappen før du bytter"};
inline constexpr Text kPfWarningOther{"prefs.warningother",
                                      "IMPORTANT WHEN CHANGING SYSTEM FOR ENERGY REQUIREMNT CALCULATION!\rClick the ? "
                                      "button to read more about the effects of moving between NRC2007\rand the "
                                      "Euroepan system before you proceed"};
inline constexpr Text kPfAsk45{"prefs.ask45", "Skifte energiberegningssystem nu?"};
inline constexpr Text kPfAsk46{"prefs.ask46", "Ändra energibäräkningsmetod och uppdatera foderlistor och hästar nu?"};
inline constexpr Text kPfAsk47{"prefs.ask47", "Skifte energiberegningssystem og oppdater fôrlister og hester nå?"};
inline constexpr Text kPfAskOther{"prefs.askother", "Proceed to change energy system and update feedlists and horses now?"};
inline constexpr std::string_view kPfHelpPage = "70-programhelp/376-energysystem";
inline constexpr Text kPfHelpHint{"prefs.helphint", "Hjælp"};
inline constexpr Text kPfSwitched{"prefs.switched", "Energiberegningssystemet er skiftet"};

// Energy/protein object page.
inline constexpr Text kPfDoubleClick{"prefs.doubleclick", "Dobbeltklik for valg"};
inline constexpr Text kPfActiveObject{"prefs.activeobject", "Active object: "};
inline constexpr Text kPfObjectInformation{"prefs.objectinfo", "Object information"};
inline constexpr Text kPfNavn{"prefs.name", "Navn"};
inline constexpr Text kPfLand{"prefs.country", "Land"};
inline constexpr Text kPfEnergi{"prefs.energy", "Energi"};
inline constexpr Text kPfEnergienhed{"prefs.energyunit", "Energienhed"};
inline constexpr Text kPfSkaleringsfaktor{"prefs.factor", "Skaleringsfaktor"};
inline constexpr Text kPfProtein{"prefs.protein", "Protein"};
inline constexpr Text kPfEnergiberegningssystem{"prefs.system", "Energiberegningssystem"};
inline constexpr Text kPfNewObject{"prefs.newobject", "New object"};
inline constexpr Text kPfMyObject{"prefs.myobject", "My Object"};
inline constexpr Text kPfObject{"prefs.object", "object"};
inline constexpr Text kPfAccept{"prefs.accept", "Accept information"};
inline constexpr Text kPfGem{"prefs.save", "Gem"};
inline constexpr Text kPfUseAsDefault{"prefs.useasdefault", "Use as default"};
inline constexpr Text kPfCountryReset{"prefs.countryreset", "CountryReset"};
inline constexpr Text kPfNameEmpty{"prefs.nameempty", "Navnet må ikke være tomt"};
inline constexpr Text kPfFactorRange{"prefs.factorrange",
                                     "Skaleringsfaktoren skal være et tal over 0 og højst 100. Den gamle værdi er "
                                     "beholdt"};

// Treatment page.
inline constexpr Text kPfTreatmentType{"prefs.treatmenttype", "Behandlingstype"};
inline constexpr Text kPfTreatmentName{"prefs.treatmentname", "Behandling"};
inline constexpr Text kPfWebAddress{"prefs.webaddress", "Web-adresse"};
inline constexpr Text kPfNy{"prefs.new", "Ny"};
inline constexpr Text kPfOk{"prefs.ok", "OK"};
inline constexpr Text kPfCancel{"prefs.cancel", "Annuller"};
inline constexpr Text kPfAdd{"prefs.add", "Tilføj"};
inline constexpr Text kPfSaveRegister{"prefs.saveregister", "Gem behandlingsinformation"};
inline constexpr Text kPfBehandlingsinformationLower{"prefs.treatmentinfolower", "behandlingsinformation"};
inline constexpr Text kPfTil{"prefs.to", "til"};
inline constexpr Text kPfForwardDays{"prefs.forwarddays", "Dage frem for planlagte behandlinger i staldrapporten"};
inline constexpr Text kPfDaysRange{"prefs.daysrange",
                                   "Antal dage frem skal være et helt tal fra 0 til 365. Den gamle værdi er beholdt"};
inline constexpr Text kPfRegisterChars{"prefs.registerchars",
                                       "Navn og web-adresse må ikke indeholde % eller #. Intet er ændret"};
inline constexpr Text kPfPrinterSetup{"prefs.printersetup", "Printeropsætning"};

}  // namespace stallora
