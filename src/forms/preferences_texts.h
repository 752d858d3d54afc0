#pragma once
// The preferences dialog's texts.

#include "core/texts.h"
#include "core/common_texts.h"

namespace stallora {

// Page titles (the energy/protein page's is quoted; the others are this program's).
inline constexpr const Text& kPfCaption = common::kIndstillingAfProgrammet;
inline constexpr Text kPfPageCompany{"prefs.page.company", "Firma og rådgiver"};
inline constexpr const Text& kPfPageNutrients = common::kNaeringsstoffer;
inline constexpr const Text& kPfPageSystem = common::kBehovsberegninger;
inline constexpr Text kPfPageObjects{"prefs.page.objects", "Energy-protein Objects"};
inline constexpr const Text& kPfPageTreatments = common::kBehandlingsinformation;
inline constexpr const Text& kPfClose = common::kLuk;

// Company and consultant page.
inline constexpr Text kPfInfoText{"prefs.infotext", "Brugerens kontaktinformation i rapporterne"};
inline constexpr const Text& kPfCompanyName = common::kFirma;
inline constexpr const Text& kPfConsultant = common::kRaadgiver;
inline constexpr const Text& kPfMobile = common::kMobiltelefon;
inline constexpr const Text& kPfMail = common::kEpost;
inline constexpr Text kPfFooterNote{"prefs.footernote", "De angivne tekster vises i bundfeltet på rapporter og udskrifter"};
inline constexpr Text kPfLogo{"prefs.logo", "Firmalogotyp"};
inline constexpr const Text& kPfSlet = common::kSlet;
inline constexpr const Text& kPfBilde = common::kBilde;
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
inline constexpr const Text& kPfSelectAll = common::kMarkerAlle;
inline constexpr Text kPfClearAll{"prefs.clearall", "Fjern alle"};
inline constexpr const Text& kPfStore = common::kGem;
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
inline constexpr const Text& kPfHelpHint = common::kHjaelp;
inline constexpr Text kPfSwitched{"prefs.switched", "Energiberegningssystemet er skiftet"};

// Energy/protein object page.
inline constexpr const Text& kPfDoubleClick = common::kDobbeltklikForValg;
inline constexpr Text kPfActiveObject{"prefs.activeobject", "Active object: "};
inline constexpr Text kPfObjectInformation{"prefs.objectinfo", "Object information"};
inline constexpr const Text& kPfNavn = common::kNavn;
inline constexpr Text kPfLand{"prefs.country", "Land"};
inline constexpr Text kPfEnergi{"prefs.energy", "Energi"};
inline constexpr const Text& kPfEnergienhed = common::kEnergienhed;
inline constexpr Text kPfSkaleringsfaktor{"prefs.factor", "Skaleringsfaktor"};
inline constexpr const Text& kPfProtein = common::kProtein;
inline constexpr const Text& kPfEnergiberegningssystem = common::kEnergiberegningssystem;
inline constexpr Text kPfNewObject{"prefs.newobject", "New object"};
inline constexpr Text kPfMyObject{"prefs.myobject", "My Object"};
inline constexpr Text kPfObject{"prefs.object", "object"};
inline constexpr Text kPfAccept{"prefs.accept", "Accept information"};
inline constexpr const Text& kPfGem = common::kGem;
inline constexpr Text kPfUseAsDefault{"prefs.useasdefault", "Use as default"};
inline constexpr Text kPfCountryReset{"prefs.countryreset", "CountryReset"};
inline constexpr Text kPfNameEmpty{"prefs.nameempty", "Navnet må ikke være tomt"};
inline constexpr Text kPfFactorRange{"prefs.factorrange",
                                     "Skaleringsfaktoren skal være et tal over 0 og højst 100. Den gamle værdi er "
                                     "beholdt"};

// Treatment page.
inline constexpr const Text& kPfTreatmentType = common::kBehandlingstype;
inline constexpr const Text& kPfTreatmentName = common::kBehandling;
inline constexpr const Text& kPfWebAddress = common::kWebAdresse;
inline constexpr const Text& kPfNy = common::kNy;
inline constexpr const Text& kPfOk = common::kOK;
inline constexpr const Text& kPfCancel = common::kAnnuller;
inline constexpr Text kPfAdd{"prefs.add", "Tilføj"};
inline constexpr Text kPfSaveRegister{"prefs.saveregister", "Gem behandlingsinformation"};
inline constexpr const Text& kPfBehandlingsinformationLower = common::kBehandlingsinformation2;
inline constexpr const Text& kPfTil = common::kTil2;
inline constexpr Text kPfForwardDays{"prefs.forwarddays", "Dage frem for planlagte behandlinger i staldrapporten"};
inline constexpr Text kPfDaysRange{"prefs.daysrange",
                                   "Antal dage frem skal være et helt tal fra 0 til 365. Den gamle værdi er beholdt"};
inline constexpr Text kPfRegisterChars{"prefs.registerchars",
                                       "Navn og web-adresse må ikke indeholde % eller #. Intet er ændret"};
inline constexpr const Text& kPfPrinterSetup = common::kPrinteropsaetning;

}  // namespace stallora
