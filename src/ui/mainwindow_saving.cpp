// The main window's saves under the check on each file: another program (on another
// machine, or this one started twice) may have saved the record meanwhile. The library
// decides and reads again; the window asks the user and passes the answer on.

#include <QCloseEvent>
#include <QEvent>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

#include "core/objtext.h"
#include "render/qttext.h"
#include "ui/horsetexts.h"
#include "ui/mainwindow.h"
#include "ui/mainwindow_texts.h"

namespace stallora {

using namespace maintext;

bool MainWindow::SaveAndCloseAllWindows() {
  bool ok = true;
  const auto list = mdi_->subWindowList();
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    auto* w = qobject_cast<RecordWindow*>((*it)->widget());
    if (!w) {
      (*it)->close();
      continue;
    }
    w->TakeDataIntoRecord();
    QString error;
    if (!w->SaveRecord(&error)) {
      ok = false;
      if (!error.isEmpty()) Ask().Error(L(error));
      continue;  // the window stays open with what the user typed
    }
    w->StoreSignature();
    children_.remove(w->record());
    (*it)->close();
  }
  RefreshTree();
  return ok;
}

void MainWindow::SaveStableAndHorses() {
  const auto& stables = workspace_.Stables();
  if (stables.empty()) {
    Ask().Inform(Tr(kOpretStaldFoerst));
    return;
  }
  TStall* stable = SelectedStable();
  if (!stable && stables.size() == 1) stable = stables.front().get();
  if (!stable) {
    Ask().Inform(Tr(kVaelgStald));
    return;
  }
  SaveStableAndHorsesAsking(*stable);
}

void MainWindow::SaveSelected() {
  if (THest* h = SelectedHorse()) {
    SaveHorseAsking(*h);
  } else if (TStall* s = SelectedStable()) {
    SaveStableAndHorsesAsking(*s);
  } else if (TForListe* l = SelectedFeedList()) {
    if (QMdiSubWindow* sub = FindChild(l))
      if (auto* w = qobject_cast<RecordWindow*>(sub->widget())) w->TakeDataIntoRecord();
    if (l->owner == ListOwnerKind::Stable) {
      for (const auto& st : workspace_.Stables())
        if (st->ForListe.get() == l) SaveStableAsking(*st);
    } else {
      SaveFeedListAsking(*l);
    }
  }
}

bool MainWindow::SaveChangedStables() {
  for (const auto& s : workspace_.Stables()) {
    if (!s->HasUnsavedChanges()) continue;
    const Prompts::Answer answer = Ask().YesNoCancel(s->stallNavn + ": " + Tr(horsetext::kWDataAendret));
    if (answer == Prompts::Answer::kCancel) return false;
    if (answer != Prompts::Answer::kYes) continue;
    if (!SaveStableAsking(*s)) return false;
  }
  return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (closing_) return event->accept();
  // Each child window saves or asks, as it does when closed on its own.
  mdi_->closeAllSubWindows();
  if (!mdi_->subWindowList().isEmpty() || !SaveChangedStables()) {
    event->ignore();
    return;
  }
  // A workspace read half-way stays so: nothing more is read and nothing of it is saved.
  StopScan();
  TPreferences& p = app_.preferences;
  p.MainFormWindowState = isMaximized()   ? TWindowState::wsMaximized
                          : isMinimized() ? TWindowState::wsMinimized
                                          : TWindowState::wsNormal;
  if (!isMaximized() && !isMinimized()) {
    p.MainFormHeight = height();
    p.MainFormWidth = width();
  }
  bool cancelled = false;
  for (const std::string& problem : workspace_.Close(&Ask(), &cancelled)) Ask().Error(problem);
  if (cancelled) {
    event->ignore();
    return;
  }
  closing_ = true;
  event->accept();
}

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
