#pragma once
// What every window of the program reaches: the process-wide state, the workspace, the
// main window's services (opening windows, refreshing the tree), the one way to ask and
// tell the user (prompts) and the windows the program keeps one of (windows).

#include <QWidget>
#include <functional>

#include "stable/workspace.h"
#include "ui/prompts.h"

namespace stallora {

class AppWindows;
class MainWindow;
class RecordWindow;

struct Services {
  AppContext* app = nullptr;
  Workspace* workspace = nullptr;
  MainWindow* main = nullptr;
  Prompts* prompts = nullptr;
  AppWindows* windows = nullptr;
};

// Window factories, so the horse, stable and feed list windows plug into the main window
// without the main window knowing them (kept in AppWindows, set at start-up).
struct WindowFactories {
  std::function<RecordWindow*(THest&, Services&)> horse;
  std::function<RecordWindow*(TStall&, Services&)> stable;
  std::function<RecordWindow*(TForListe&, Services&)> feedList;
  // A stored mix (a feed list with ForBlanding): the feed-mix calculator. Unset: feedList.
  std::function<RecordWindow*(TForListe&, Services&)> mix;
};

}  // namespace stallora
