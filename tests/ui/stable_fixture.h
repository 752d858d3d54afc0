#pragma once
// The stable window's tests share this workspace: stable Nord with Bella and Alf, Syd with
// Dino, the main window on them with the horse and stable windows registered, and the
// window of a stable opened as the main window opens it.

#include <QMdiArea>
#include <QMdiSubWindow>
#include <functional>
#include <string>

#include "smallwin_fixture.h"
#include "ui/horsewindow.h"
#include "ui/stable/stablewindow.h"

namespace stallora::uitest {

// Nord with Bella and Alf, Syd with Dino; the main window on them, both windows registered.
// `before` writes more into the save directory before the main window scans it.
struct Place {
  explicit Place(const char* name, const std::function<void(Fixture&)>& before = {}) : f(name) {
    TStall& nord = f.WriteStable("Nord");
    f.WriteHorse(nord, "Bella", "Ida");
    f.WriteHorse(nord, "Alf", "Bo");
    TStall& syd = f.WriteStable("Syd");
    f.WriteHorse(syd, "Dino");
    if (before) before(f);
    MainWindow& main = f.Open();
    RegisterHorseWindow(main.Windows());
    RegisterStableWindow(main.Windows());
    f.Listen();
  }
  TStall& Stable(const char* name) {
    TStall* s = f.ws->StableByName(name);
    if (!s) qFatal("no stable %s", name);
    return *s;
  }
  StableWindow* Open(const char* name) {
    TStall& stable = Stable(name);
    f.main->OpenStable(stable);
    for (QMdiSubWindow* sub : f.main->MdiArea()->subWindowList())
      if (auto* w = qobject_cast<StableWindow*>(sub->widget()); w && w->record() == &stable) return w;
    return nullptr;
  }
  int Windows() const { return static_cast<int>(f.main->MdiArea()->subWindowList().size()); }
  fs::path Save() const { return f.app->preferences.SaveDirectory(); }
  bool Said(const std::string& text) const { return f.shown.Said(text); }
  bool SaidStarting(const std::string& start) const {
    for (const auto& s : f.shown.said)
      if (s.rfind(start, 0) == 0) return true;
    return false;
  }
  Fixture f;
};

}  // namespace stallora::uitest
