#pragma once
// What every window of the program reaches: the process-wide state, the workspace, the
// main window's services (opening windows, refreshing the tree), the messages.

#include <QWidget>
#include <functional>

#include "stable/workspace.h"
#include "ui/qtmessages.h"

namespace stallora {

class MainWindow;
class RecordWindow;

struct Services {
  AppContext* app = nullptr;
  Workspace* workspace = nullptr;
  MainWindow* main = nullptr;
  BoxMessages* messages = nullptr;
};

// Window factories, so the horse, stable and feed list windows plug into the main window
// without the main window knowing them.
struct WindowFactories {
  std::function<RecordWindow*(THest&, Services&)> horse;
  std::function<RecordWindow*(TStall&, Services&)> stable;
  std::function<RecordWindow*(TForListe&, Services&)> feedList;
};
WindowFactories& Factories();

}  // namespace stallora
