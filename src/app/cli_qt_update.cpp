// The online service from the shell: what the service offers, and fetching the offered
// guarantee feed list into the workspace as the program's command does. Part of the tool's
// Qt part (QtParts in cli_support.h): the transport is Qt's.

#include <memory>

#include "app/cli_commands.h"
#include "core/cp1252.h"
#include "stable/online_service.h"
#include "stable/workspace.h"

#ifdef STALLORA_CLI_HAS_NET
#include <QtCore/QCoreApplication>

#include "net/qt_http_client.h"

namespace stallora::cli {
namespace {

const char* Newer(bool newer) { return newer ? "newer" : "not newer"; }

int UpdateCommand(Env& env, const std::vector<std::string>& args) {
  bool check = false;
  bool fetch = false;
  std::string resourceUrl;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--check") {
      check = true;
    } else if (args[i] == "--fetch") {
      fetch = true;
    } else if (args[i] == "--resource-url" && i + 1 < args.size()) {
      resourceUrl = args[++i];
    } else {
      return Usage(env.err, "update needs --check or --fetch, and optionally --resource-url URL");
    }
  }
  if (check == fetch) return Usage(env.err, "update needs exactly one of --check and --fetch");

  // The client waits in a local event loop, which needs an application object.
  std::unique_ptr<QCoreApplication> qtApp;
  static int argc = 1;
  static char name[] = "stallora-cli";
  static char* argv[] = {name, nullptr};
  if (!QCoreApplication::instance()) qtApp = std::make_unique<QCoreApplication>(argc, argv);

  StderrMessages messages;
  StartResult started = StartProgram(env.ProgramDir(), env.GetClock(), env.options.regional, messages);
  if (!started.context) return Fail(env, started.fatalMessage);
  // Every failure the service reports (a list that could not be stored, a save that failed
  // while the workspace was brought up to date) ends the command with status 1.
  const int startErrors = messages.ErrorCount();
  auto status = [&](int wanted) { return wanted == 0 && messages.ErrorCount() > startErrors ? 1 : wanted; };
  AppContext& app = *started.context;
  if (env.options.saveDir) app.preferences.ActiveSaveDirectory = Utf8ToCp1252(*env.options.saveDir);
  if (!resourceUrl.empty()) {
    if (resourceUrl.back() != '/') resourceUrl += '/';
    app.preferences.resourceBase = resourceUrl;
  }

  Workspace workspace(app);
  workspace.Scan();
  net::QtHttpClient client;
  OnlineService service(app, client);
  if (!service.OnlineTest()) {
    env.out << "online\tno\n";
    env.err << "The service did not answer: " << service.LastTransportError() << " ("
            << app.preferences.CountryResource(std::string(kVersionFileName)) << ")\n";
    return 1;
  }
  service.VersionCheck(workspace.CurrentGuaranteeList());
  env.out << "online\tyes\n";
  env.out << "program\t" << Cp1252ToUtf8(service.OfferedVersionText()) << "\t" << Newer(app.newerProgram) << "\n";
  if (!app.offeredGuaranteeFile.empty())
    env.out << "guarantee-list\t" << app.offeredGuaranteeVersion << "\t" << Cp1252ToUtf8(app.offeredGuaranteeFile)
            << "\t" << Newer(app.newerGuaranteeList) << "\n";
  if (const TForListe* current = workspace.CurrentGuaranteeList())
    env.out << "current-list\t" << Cp1252ToUtf8(current->ForlisteNavn) << "\t" << current->GarantiForlisteVersjon
            << "\n";
  if (check) return status(0);

  if (!app.newerGuaranteeList) {
    env.out << "fetched\tnothing (no newer list offered)\n";
    return status(0);
  }
  switch (service.GetNewestGuaranteeList(workspace)) {
    case OnlineService::FetchResult::Done:
      env.out << "fetched\t" << Cp1252ToUtf8(workspace.CurrentGuaranteeList()->ForListeFilNavn) << "\n";
      return status(0);
    case OnlineService::FetchResult::AlreadyThere:
      env.out << "fetched\tnothing (the file is in the feed directory already)\n";
      return status(0);
    case OnlineService::FetchResult::Failed:
      if (!service.LastTransportError().empty()) env.err << service.LastTransportError() << "\n";
      return 1;
    default:
      return 1;
  }
}

// Filled in when this part is linked into the program.
[[maybe_unused]] const bool kRegistered = [] {
  QtPartHooks().update = &UpdateCommand;
  return true;
}();

}  // namespace
}  // namespace stallora::cli

#endif
