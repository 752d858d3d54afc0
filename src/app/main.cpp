// stallora: the desktop program.

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string_view>
#include <thread>

#include "config/program_directory.h"
#include "core/daynum.h"
#include "core/version.h"
#include "net/update_service.h"
#include "render/fonts.h"
#include "render/qttext.h"
#include "stable/online_service.h"
#include "stable/workspace.h"
#include "ui/feedlist/feedlistwindow.h"
#include "ui/feedmix/feedmixwindow.h"
#include "ui/horsewindow.h"
#include "ui/preferences/preferencesdialog.h"
#include "ui/requirements/requirementwindow.h"
#include "ui/icons.h"
#include "ui/mainwindow.h"
#include "ui/boxprompts.h"
#include "ui/splash.h"
#include "ui/stable/stablewindow.h"
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

// STALLORA_STARTUP_TIMING=<the launch time in nanoseconds since the epoch> (any other value:
// the start of main) measures the start as a user meets it: when the main window has first
// painted, when the first input after that is answered, the longest an input waits while the
// workspace is read, and when the whole tree is in. Input is stood for by events posted from
// another thread every 10 ms, which wait in the queue as the window system's input does.
// Once the tree is in, one line "startup-timing paint <ms> input <ms> max-input-latency <ms>
// tree <ms> horses <n>" goes to standard error and the program ends at once, saving nothing
// (bench/whole_process.sh).
class StartupTiming : public QObject {
 public:
  StartupTiming(stallora::MainWindow& window, const stallora::Workspace& workspace, const QByteArray& launch)
      : window_(window), workspace_(workspace) {
    const long long ns = launch.toLongLong();
    launch_ = ns > 1000000000000000000LL ? ns : NowNs();
    qApp->installEventFilter(this);
    window_.scanCompleted = [this] { Done(); };
  }
  ~StartupTiming() override { Stop(); }

 private:
  static long long NowNs() {
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
  }
  double SinceLaunchMs() const { return static_cast<double>(NowNs() - launch_) / 1e6; }

  struct Probe : QEvent {
    explicit Probe(long long at) : QEvent(Type()), postedAt(at) {}
    static QEvent::Type Type() {
      static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
      return type;
    }
    long long postedAt;
  };

  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Paint && paint_ < 0) {
      auto* widget = qobject_cast<QWidget*>(object);
      if (widget && widget->window() == &window_) {
        paint_ = 0;
        // Noted once the paint that began here has been done.
        QTimer::singleShot(0, this, [this] {
          paint_ = SinceLaunchMs();
          QCoreApplication::postEvent(this, new Probe(NowNs()));
          poster_ = std::thread([this] {
            while (!stop_) {
              std::this_thread::sleep_for(std::chrono::milliseconds(10));
              QCoreApplication::postEvent(this, new Probe(NowNs()));
            }
          });
        });
      }
    }
    return false;
  }

  bool event(QEvent* event) override {
    if (event->type() != Probe::Type()) return QObject::event(event);
    const double waited = static_cast<double>(NowNs() - static_cast<Probe*>(event)->postedAt) / 1e6;
    if (input_ < 0) input_ = SinceLaunchMs();
    if (waited > maxLatency_) maxLatency_ = waited;
    return true;
  }

  void Stop() {
    stop_ = true;
    if (poster_.joinable()) poster_.join();
  }

  void Done() {
    const double tree = SinceLaunchMs();
    Stop();
    size_t horses = 0;
    for (const auto& stable : workspace_.Stables()) horses += stable->Horses().size();
    std::fprintf(stderr, "startup-timing paint %.1f input %.1f max-input-latency %.1f tree %.1f horses %zu\n", paint_,
                 input_, maxLatency_, tree, horses);
    std::fflush(stderr);
    std::_Exit(0);
  }

  stallora::MainWindow& window_;
  const stallora::Workspace& workspace_;
  long long launch_ = 0;
  double paint_ = -1;
  double input_ = -1;
  double maxLatency_ = 0;
  std::atomic<bool> stop_{false};
  std::thread poster_;
};

// Asked from a terminal, the program answers there and needs no display. Qt's own options
// (-platform and the like) are left to Qt.
constexpr const char* kUsage =
    "Usage: stallora [--no-splash]\n"
    "\n"
    "Starts Stallora, the feeding and health program for horses, on the user's workspace.\n"
    "\n"
    "  --no-splash   open the main window at once, without the start picture\n"
    "  --help        show this text and exit\n"
    "  --version     show the program's version and exit\n"
    "\n"
    "The command-line tool for records and reports is stallora-cli (see stallora-cli --help).\n";

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "--version") {
      std::printf("stallora %.*s\n", static_cast<int>(stallora::kProgramVersionText.size()),
                  stallora::kProgramVersionText.data());
      return 0;
    }
  }
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
  // Every message and question of the program, the start sequence's included.
  stallora::BoxPrompts prompts;
  QSize screen(1280, 1024);
  if (QScreen* s = QGuiApplication::primaryScreen()) screen = s->availableGeometry().size();

  stallora::StartResult start = stallora::StartProgram(programDir, clock, RegionalFromLocale(), prompts,
                                                       stallora::ScreenSize{screen.width(), screen.height()});
  if (!start.context) {
    QMessageBox::warning(nullptr, "Stallora", stallora::Q(start.fatalMessage));
    return 1;
  }
  if (!start.notice.empty()) prompts.Inform(start.notice);
  stallora::AppContext& app = *start.context;
  stallora::Workspace workspace(app);
  // The save directory tells other programs that this one has it open (and is told of them).
  workspace.TakeWorkspaceLock(true);
  stallora::MainWindow window(app, workspace, prompts);
  // The record windows plug into the main window's windows.
  stallora::RegisterHorseWindow(window.Windows());
  stallora::RegisterFeedListWindow(window.Windows());
  stallora::RegisterRequirementWindow(window);
  stallora::RegisterPreferencesWindows(window);
  stallora::RegisterStableWindow(window.Windows());
  stallora::RegisterFeedMixWindows(window.Windows(), window);
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
  std::unique_ptr<StartupTiming> timing;
  if (const QByteArray launch = qgetenv("STALLORA_STARTUP_TIMING"); !launch.isEmpty())
    timing = std::make_unique<StartupTiming>(window, workspace, launch);
  window.show();
  // The window paints and answers while the workspace is read; what follows the scan waits
  // for it (and does not run when the window is closed first).
  window.StartScanWorkspace([&] {
    if (app.online) {
      update.service().VersionCheck(workspace.CurrentGuaranteeList());
      window.offeredVersionText = update.service().OfferedVersionText();
      window.RefreshTree();
    }
    stallora::ShowWelcomeAfterScan(window, &update.service());
    OpenHorseFromEnvironment(workspace, window);
    if (choice == stallora::SplashWindow::kHelp)
      window.OpenInfoPage("Starthjælp for Stallora", app.preferences.ManualPage());
  });
  return qapp.exec();
}
