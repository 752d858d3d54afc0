// The main window's saves under the check on each file: another program (on another
// machine, or this one started twice) may have saved the record meanwhile. The library
// decides and reads again; the window asks the user and passes the answer on.

#include <QEvent>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

#include "core/objtext.h"
#include "render/qttext.h"
#include "ui/mainwindow.h"

namespace stallora {

bool MainWindow::SaveHorseAsking(THest& h) {
  // A horse in a window is saved by its window, with what the user typed.
  if (QMdiSubWindow* sub = FindChild(&h))
    if (auto* w = qobject_cast<RecordWindow*>(sub->widget())) {
      w->TakeDataIntoRecord();
      QString error;
      if (w->SaveRecord(&error)) return true;
      if (!error.isEmpty()) Ask().Error(L(error));
      return false;
    }
  TStall* stable = h.stable;
  if (!stable) return false;
  std::string error;
  switch (PrepareSave(h, stable->HorseFilePath(h), h.Navn, Ask(), app_.clock.Now(), RecordText(h), &error)) {
    case SaveStep::kCancel:
      if (!error.empty()) Ask().Error(error);
      return false;
    case SaveStep::kTakeTheirs: {
      std::unique_ptr<THest> old;
      if (!stable->ReloadHorse(h, &old, &error)) {
        Ask().Error(error);
        return false;
      }
      app_.Env().AnnounceGoing(*old);
      RefreshTree();
      return true;
    }
    case SaveStep::kSave: break;
  }
  if (!stable->SaveHorse(h, &error)) {
    Ask().Error(error);
    return false;
  }
  return true;
}

bool MainWindow::SaveStableAsking(TStall& s) {
  std::string error;
  switch (PrepareSave(s, s.StableFilePath(), s.stallNavn, Ask(), app_.clock.Now(), RecordText(s), &error)) {
    case SaveStep::kCancel:
      if (!error.empty()) Ask().Error(error);
      return false;
    case SaveStep::kTakeTheirs:
      if (!s.ReloadFromFile(&error)) {
        Ask().Error(error);
        return false;
      }
      RefreshTree();
      return true;
    case SaveStep::kSave: break;
  }
  if (!s.Save(&error)) {
    Ask().Error(error);
    return false;
  }
  return true;
}

bool MainWindow::SaveStableAndHorsesAsking(TStall& s) {
  bool ok = SaveStableAsking(s);
  // A horse read again in between takes its old record's place: the list is taken first.
  std::vector<THest*> horses;
  for (const auto& h : s.Horses()) horses.push_back(h.get());
  for (THest* h : horses) ok = SaveHorseAsking(*h) && ok;
  return ok;
}

bool MainWindow::SaveFeedListAsking(TForListe& l) {
  const std::filesystem::path file = l.FileNameFor();
  std::string error;
  switch (PrepareSave(l, file, l.ForlisteNavn, Ask(), app_.clock.Now(), std::nullopt, &error)) {
    case SaveStep::kCancel:
      if (!error.empty()) Ask().Error(error);
      return false;
    case SaveStep::kTakeTheirs:
      if (!workspace_.ReloadFeedList(l, &error)) {
        Ask().Error(error);
        return false;
      }
      RefreshTree();
      return true;
    case SaveStep::kSave: break;
  }
  try {
    l.SaveToFile(file);
  } catch (const ObjTextError& e) {
    Ask().Error(e.what());
    return false;
  }
  return true;
}

void MainWindow::NotifyActivated(QMdiSubWindow* sub) {
  if (!sub || closing_) return;
  const QPointer<QMdiSubWindow> guard(sub);
  QTimer::singleShot(0, this, [this, guard] {
    if (!guard || guard != mdi_->activeSubWindow() || closing_) return;
    if (auto* w = qobject_cast<RecordWindow*>(guard->widget())) w->WindowActivated();
  });
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // Back from another program, which may have saved what a window shows.
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) NotifyActivated(mdi_->activeSubWindow());
}

}  // namespace stallora
