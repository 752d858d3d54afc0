#include "config/preferences.h"

#include <cmath>
#include <system_error>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "core/textutil.h"

namespace stallora {
namespace {

std::filesystem::path Created(std::filesystem::path dir) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  return dir;
}

}  // namespace

TPreferences::TPreferences() {
  useNutrient.fill(true);
  showNutrient.fill(true);
}

const RecordClass& TPreferences::StaticClass() {
  using P = TPreferences;
  static const RecordClass c = RecordClass::Make<P>(
      "TPreferences",
      {Prop<&P::FirmaNavn>("FirmaNavn"),
       Prop<&P::KonsulentLogoFilNavn>("KonsulentLogoFilNavn"),
       Prop<&P::KonsulentNavn>("KonsulentNavn"),
       Prop<&P::KonsulentNavnListe>("KonsulentNavnListe"),
       Prop<&P::FirmaInfoTekst>("FirmaInfoTekst"),
       Prop<&P::HostEmailAdress>("HostEmailAdress"),
       Prop<&P::HostSMPTAdress>("HostSMPTAdress"),
       Prop<&P::GarantiForlisteFilnavn>("GarantiForlisteFilnavn"),
       Prop<&P::UseNutrientsList>("UseNutrientsList"),
       Prop<&P::UseNutrientColumnList>("UseNutrientColumnList"),
       Prop<&P::MainFormWindowState>("MainFormWindowState"),
       Prop<&P::MainFormHeight>("MainFormHeight"),
       Prop<&P::MainFormWidth>("MainFormWidth"),
       Prop<&P::ShowWelcomeScreen>("ShowWelcomeScreen"),
       Prop<&P::NutrientErrorsInPrint>("NutrientErrorsInPrint"),
       Prop<&P::LastGlobalEPObjectName>("LastGlobalEPObjectName"),
       Prop<&P::ActiveSaveDirectory>("ActiveSaveDirectory"),
       Prop<&P::TreatmentRegister>("TreatmentRegister"),
       Prop<&P::ForwardReportingDays>("ForwardReportingDays"),
       Prop<&P::MiniHorseName>("MiniHorseName"),
       Prop<&P::ShopName>("ShopName"),
       Prop<&P::ShopStableName>("ShopStableName"),
       Prop<&P::ShopAdvisorName>("ShopAdvisorName"),
       Prop<&P::ShopAdvisorMail>("ShopAdvisorMail"),
       Prop<&P::ShopAdvisorMobile>("ShopAdvisorMobile"),
       Prop<&P::ConsultantMobile>("ConsultantMobile"),
       Prop<&P::ConsultantMail>("ConsultantMail"),
       Prop<&P::ConsultantCompanyName>("ConsultantCompanyName"),
       Prop<&P::ShopRationmailToAdvisor>("ShopRationmailToAdvisor")});
  return c;
}

void TPreferences::Initialise(const std::filesystem::path& programDirectory, const CountrySettings& settings,
                              const Regional& regional, ScreenSize screen, Messages& messages) {
  programDir = programDirectory;
  ShowWelcomeScreen = true;
  ForwardReportingDays = 7;
  MainFormHeight = static_cast<int32_t>(std::lround(screen.height * 0.92));
  MainFormWidth = static_cast<int32_t>(std::lround(screen.width * 0.95));
  countryNumber = settings.countryNumber;
  GarantiForlisteFilnavn = settings.guaranteeFeedFile;
  currencySymbol = regional.currencySymbol;
  webBase = settings.webBase;
  resourceBase = settings.resourceBase;

  std::error_code ec;
  if (std::filesystem::exists(PreferencesFile(), ec)) LoadRecordFromFile(*this, PreferencesFile());

  ApplyNutrientLists();
  FirmaNavn.clear();
  if (ActiveSaveDirectory.empty()) ActiveSaveDirectory = TextFromPath(DefaultSaveDirectory());
  if (TreatmentRegister.empty()) {
    if (auto text = ReadWholeFile(TreatmentRegisterFile())) {
      size_t pos = 0;
      while (pos < text->size()) {
        size_t end = text->find('\n', pos);
        if (end == std::string::npos) end = text->size();
        std::string line = text->substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        TreatmentRegister.push_back(std::move(line));
        pos = end + 1;
      }
    } else {
      messages.Inform(Tr(kMissingFile) + "\n" + PathText(TreatmentRegisterFile()) + "\n" + Tr(kTreatmentInfo) + " " +
                      FirstLetterLower(Tr(kMangler)));
    }
  }
  if (TreatmentRegister.empty()) TreatmentRegister.assign(kTreatmentTypeCount, "%#");
}

void TPreferences::ApplyMiniHorseStartRule() {
  if (MiniHorseName.empty()) return;
  showNutrient.fill(true);
  MiniHorseName.clear();
}

void TPreferences::ApplyNutrientLists() {
  for (size_t i = 0; i < UseNutrientsList.size() && i < kNutrientCount; ++i)
    useNutrient[i] = UseNutrientsList[i].find("True") != std::string::npos;
  for (size_t i = 0; i < UseNutrientColumnList.size() && i < kNutrientCount; ++i)
    showNutrient[i] = UseNutrientColumnList[i].find("True") != std::string::npos;
}

void TPreferences::RebuildNutrientLists(const CountrySettings& settings) {
  UseNutrientsList.clear();
  UseNutrientColumnList.clear();
  for (int i = 0; i < kNutrientCount; ++i) {
    const std::string name = i < static_cast<int>(settings.nutrients.size()) ? settings.NutrientName(i) : "";
    UseNutrientsList.push_back(name + ":" + (useNutrient[static_cast<size_t>(i)] ? "True" : "False"));
    UseNutrientColumnList.push_back(name + ":" + (showNutrient[static_cast<size_t>(i)] ? "True" : "False"));
  }
}

void TPreferences::Save(const CountrySettings& settings) {
  RebuildNutrientLists(settings);
  SaveRecordToFile(*this, PreferencesFile());
}

// Every line yields at least one entry (an empty line, or one without "#", gives one entry
// with an empty name and address); a last entry without its closing "#" is dropped.
void TPreferences::TreatmentEntries(int type, std::vector<std::string>& names,
                                    std::vector<std::string>& addresses) const {
  names.clear();
  addresses.clear();
  if (type >= 0 && static_cast<size_t>(type) < TreatmentRegister.size()) {
    std::string_view rest = TreatmentRegister[static_cast<size_t>(type)];
    while (!rest.empty()) {
      const size_t hash = rest.find('#');
      if (hash == std::string_view::npos) break;
      const std::string_view entry = rest.substr(0, hash);
      const size_t pct = entry.find('%');
      names.emplace_back(entry.substr(0, pct));
      addresses.emplace_back(pct == std::string_view::npos ? std::string_view{} : entry.substr(pct + 1));
      rest = rest.substr(hash + 1);
    }
  }
  if (names.empty()) {
    names.emplace_back();
    addresses.emplace_back();
  }
}

std::filesystem::path TPreferences::SaveDirectory() const { return PathFromText(ActiveSaveDirectory); }
std::filesystem::path TPreferences::PreferencesFile() const { return programDir / "stallora.pref"; }
std::filesystem::path TPreferences::FeedDirectory() const {
  return Created(SaveDirectory() / "Feeds" / std::to_string(countryNumber));
}
std::filesystem::path TPreferences::DefaultSaveDirectory() const { return Created(programDir / "Save"); }
std::filesystem::path TPreferences::TempDirectory() const { return Created(programDir / "temp"); }
std::filesystem::path TPreferences::TreatmentsHtmlFile() const { return programDir / "temp" / "htmltreatments.htm"; }
std::filesystem::path TPreferences::BackupDirectory() const { return Created(programDir / "Stallora_Backup"); }
std::filesystem::path TPreferences::EnergyProteinListFile() const { return ResourcesDirectory() / "EPListe.eqe"; }
std::filesystem::path TPreferences::FeedInfoFile() const {
  const std::string name = "fpinf" + std::to_string(countryNumber) + ".txt";
  const auto first = ResourcesDirectory() / name;
  std::error_code ec;
  if (std::filesystem::exists(first, ec)) return first;
  return programDir / ("Resources" + std::to_string(countryNumber)) / name;
}
std::filesystem::path TPreferences::ResourcesDirectory() const { return programDir / "Resources"; }
std::filesystem::path TPreferences::ImagesDirectory() const { return programDir / "Images"; }
std::filesystem::path TPreferences::LogosDirectory() const { return Created(ImagesDirectory() / "logos"); }
std::filesystem::path TPreferences::CountryResourcesDirectory() const {
  return Created(programDir / ("Resources" + std::to_string(countryNumber)));
}
std::filesystem::path TPreferences::RequirementListFile() const { return ResourcesDirectory() / "behovsliste.txt"; }
std::filesystem::path TPreferences::TreatmentRegisterFile() const {
  return ResourcesDirectory() / ("treatmentregister" + std::to_string(countryNumber) + ".txt");
}

std::string TPreferences::LanguageCode() const {
  switch (countryNumber) {
    case 45: return "da";
    case 46: return "sv";
    case 47: return "nb";
    case 49: return "de";
    default: return "en";
  }
}

std::string TPreferences::ManualPage() const { return webBase + "index.php/" + LanguageCode() + "/manual"; }
std::string TPreferences::AboutPage() const { return webBase + "index.php/" + LanguageCode() + "/about"; }
std::string TPreferences::DemoStartPage() const {
  return webBase + "index.php/" + LanguageCode() + "/manual/start/demoversion";
}
std::string TPreferences::NormsPage() const { return webBase + "index.php/" + LanguageCode() + "/articles/norms/"; }
std::string TPreferences::DigestionPage() const {
  return webBase + "index.php/" + LanguageCode() + "/articles/digestion/";
}
std::string TPreferences::SitePage() const { return webBase + "index.php/" + LanguageCode() + "/"; }
std::string TPreferences::TreatmentsManualPage() const { return SitePage() + "manual/treatments/"; }
std::string TPreferences::LinkPage(const std::string& x) const { return SitePage() + "links/" + x; }
std::string TPreferences::NewVersionPage() const { return LinkPage("324-new-version"); }

std::string TPreferences::SeasonPage(int month, DayNumber today) const {
  static const char* kPages[12] = {"338-january", "339-february", "340-march",     "341-april",
                                   "342-may",     "343-june",     "344-july",      "345-august",
                                   "346-september", "347-october", "348-november", "349-december"};
  if (month < 1 || month > 12) month = DecodeDate(today).month;
  return SitePage() + "links/72-seasons/" + kPages[month - 1];
}

std::string TPreferences::GeneralResource(const std::string& file) const { return resourceBase + "general/" + file; }
std::string TPreferences::CountryResource(const std::string& file) const {
  return resourceBase + std::to_string(countryNumber) + "/" + file;
}
std::string TPreferences::ImageResource(const std::string& file) const { return resourceBase + "images/" + file; }
std::string TPreferences::LogoResource(const std::string& file) const {
  return resourceBase + "images/logos/" + file;
}

}  // namespace stallora
