// stallora: the desktop program.

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "config/program_directory.h"
#include "core/daynum.h"
#include "net/update_service.h"
#include "render/fonts.h"
#include "render/qttext.h"
#include "stable/online_service.h"
#include "stable/workspace.h"
#include "ui/horsewindow.h"
#include "ui/icons.h"
#include "ui/mainwindow.h"
#include "ui/qtmessages.h"
#include "ui/splash.h"
#include "ui/translations.h"
#include "ui/welcomewindow.h"

namespace {

// The user's regional settings from the system locale.
stallora::Regional RegionalFromLocale() {
  stallora::Regional r;
  const QLocale locale;
  r.decimalSeparator = locale.decimalPoint().isEmpty() ? ',' : locale.decimalPoint().at(0).toLatin1();
  if (r.decimalSeparator != '.' && r.decimalSeparator != ',') r.decimalSeparator = ',';
  QString date = locale.dateFormat(QLocale::ShortFormat).toLower();
  // Two-digit days and months and a four-digit year read best in the program's lists.
  if (date.startsWith("d") && date.contains('.')) r.shortDateFormat = "dd.mm.yyyy";
  else if (date.startsWith("d") && date.contains('/')) r.shortDateFormat = "dd/mm/yyyy";
  else if (date.startsWith("y")) r.shortDateFormat = "yyyy-mm-dd";
  else r.shortDateFormat = "dd-mm-yyyy";
  const QString currency = locale.currencySymbol();
  r.currencySymbol = currency.isEmpty() || locale.language() == QLocale::C ? "kr" : stallora::L(currency);
  static const QHash<QLocale::Language, std::string> kAbbrev = {
      {QLocale::Danish, "DAN"}, {QLocale::NorwegianBokmal, "NOR"}, {QLocale::Swedish, "SVE"},
      {QLocale::Dutch, "NLD"},  {QLocale::Finnish, "FIN"},         {QLocale::German, "DEU"}};
  if (locale.language() == QLocale::English) {
    r.languageAbbreviation = locale.territory() == QLocale::UnitedStates ? "ENU"
                             : locale.territory() == QLocale::Australia  ? "ENA"
                             : locale.territory() == QLocale::Ireland    ? "ENI"
                             : locale.territory() == QLocale::Canada     ? "ENC"
                                                                         : "ENG";
  } else {
    r.languageAbbreviation = kAbbrev.value(locale.language(), "DAN");
  }
  return r;
}

// For documentation and visual checks: STALLORA_SCREENSHOT=file.png saves a picture of the
// screen after STALLORA_SCREENSHOT_DELAY milliseconds (default 3000). Then, with
// STALLORA_SCREENSHOT_QUIT=1 the program ends at once without saving anything, and with
// STALLORA_SCREENSHOT_CLOSE=1 it closes its windows the way a user does.
void ArmScreenshot() {
  const QByteArray file = qgetenv("STALLORA_SCREENSHOT");
  if (file.isEmpty()) return;
  const int delay = qEnvironmentVariableIntValue("STALLORA_SCREENSHOT_DELAY");
  QTimer::singleShot(delay > 0 ? delay : 3000, [file] {
    if (QScreen* screen = QGuiApplication::primaryScreen()) screen->grabWindow(0).save(QString::fromLocal8Bit(file));
    if (qEnvironmentVariableIntValue("STALLORA_SCREENSHOT_QUIT")) std::_Exit(0);
    if (qEnvironmentVariableIntValue("STALLORA_SCREENSHOT_CLOSE")) QApplication::closeAllWindows();
  });
}

// STALLORA_OPEN_HORSE=name opens that horse's window after the scan (for the same checks).
void OpenHorseFromEnvironment(stallora::Workspace& workspace, stallora::MainWindow& window) {
  const QByteArray name = qgetenv("STALLORA_OPEN_HORSE");
  if (name.isEmpty()) return;
  const std::string wanted = stallora::L(QString::fromLocal8Bit(name));
  for (const auto& stable : workspace.Stables())
    if (stallora::THest* horse = stable->HorseByName(wanted)) {
      window.OpenHorse(*horse);
      return;
    }
  std::fprintf(stderr, "STALLORA_OPEN_HORSE: no horse named %s\n", name.constData());
}

}  // namespace

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName("Stallora");
  QApplication::setOrganizationName("Stallora");
  QGuiApplication::setDesktopFileName("stallora");
  QApplication::setWindowIcon(stallora::Icon(stallora::IconKind::Horse));
  stallora::InstallFontSubstitutions();
  // Qt's own dialogs (Yes/No boxes, file and print dialogs) in the program's language.
  stallora::InstallQtTranslations(qapp);
  ArmScreenshot();

  // An installed program works in the user's own program directory, made on the first start.
  const stallora::ProgramPlace place =
      stallora::LocateProgramDirectory(stallora::ExecutableDirectory(), stallora::UserProgramDirectory());
  if (const auto failed = stallora::PrepareProgramDirectory(place)) {
    QMessageBox::warning(nullptr, "Stallora", stallora::Q(*failed));
    return 1;
  }
  const std::filesystem::path programDir = place.programDir;
  stallora::SystemClock clock;
  stallora::BoxMessages messages;
  QSize screen(1280, 1024);
  if (QScreen* s = QGuiApplication::primaryScreen()) screen = s->availableGeometry().size();

  stallora::StartResult start = stallora::StartProgram(programDir, clock, RegionalFromLocale(), messages,
                                                       stallora::ScreenSize{screen.width(), screen.height()});
  if (!start.context) {
    QMessageBox::warning(nullptr, "Stallora", stallora::Q(start.fatalMessage));
    return 1;
  }
  if (!start.notice.empty()) messages.Inform(start.notice);
  stallora::AppContext& app = *start.context;
  stallora::Workspace workspace(app);
  // The save directory tells other programs that this one has it open (and is told of them).
  workspace.TakeWorkspaceLock(true);
  stallora::RegisterHorseWindow();
  stallora::MainWindow window(app, workspace, messages);
  // The welcome, find-horse, contacts and mail windows answer the main window's commands.

  // The online test (a request for the version file): when it answers, the program is
  // online until it ends. The month's splash picture may come from the service too.
  stallora::net::UpdateService update(app);
  update.service().timeouts.versionFile = std::chrono::milliseconds(5000);
  update.service().OnlineTest();
  update.service().RefreshSplashPicture(stallora::DecodeDate(app.Env().Today()).month);
  stallora::RegisterSmallWindows(window, &update.service());
  window.fetchNewestList = [&] {
    if (update.service().GetNewestGuaranteeList(workspace) == stallora::OnlineService::FetchResult::Done)
      window.RefreshTree();
  };

  // "--no-splash" goes straight to the main window (for scripted starts and screenshots).
  int choice = stallora::SplashWindow::kStart;
  if (!QApplication::arguments().contains("--no-splash")) {
    stallora::SplashWindow splash(app, window.size());
    choice = splash.Run();
  }
  if (choice == stallora::SplashWindow::kClose) return 0;
  window.show();
  window.ScanWorkspace();
  if (app.online) {
    update.service().VersionCheck(workspace.CurrentGuaranteeList());
    window.offeredVersionText = update.service().OfferedVersionText();
    window.RefreshTree();
  }
  stallora::ShowWelcomeAfterScan(window, &update.service());
  OpenHorseFromEnvironment(workspace, window);
  if (choice == stallora::SplashWindow::kHelp)
    window.OpenInfoPage("Starthjælp for Stallora", app.preferences.ManualPage());
  return qapp.exec();
}
