// The horse window and the horse's file: another program (on another machine, or this one
// started twice) may save the horse while the window is open. The library decides; the
// window asks the user and passes the answer on.

#include <QMdiSubWindow>
#include <QTimer>

#include "core/objtext.h"
#include "render/qttext.h"
#include "stable/stall.h"
#include "ui/horsewindow.h"
#include "ui/mainwindow.h"

namespace stallora {

bool HorseWindow::CheckFileBeforeSave(std::string* problem) {
  const std::filesystem::path file = horse_->stable->HorseFilePath(*horse_);
  switch (PrepareSave(*horse_, file, horse_->Navn, Ask(), horse_->env->clock->Now(), RecordText(*horse_), problem)) {
    case SaveStep::kSave: return true;
    case SaveStep::kTakeTheirs: ReloadFromDisk(); return false;
    case SaveStep::kCancel: return false;
  }
  return false;
}

bool HorseWindow::ReloadFromDisk() {
  TStall* stable = horse_->stable;
  std::string error;
  std::unique_ptr<THest> old;
  THest* fresh = stable ? stable->ReloadHorse(*horse_, &old, &error) : nullptr;
  if (!fresh) {
    Ask().Error(error);
    return false;
  }
  // The pages point into the old record: it lives as long as this window.
  dead_ = true;
  horse_ = nullptr;
  discarded_ = std::move(old);
  if (MainWindow* main = services_.main) {
    main->OpenHorse(*fresh);
    main->RefreshTree();
  }
  // Everything else that points to the old record lets go; its window (this one) closes.
  fresh->env->AnnounceGoing(*discarded_);
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
    sub->close();
  else
    close();
  return true;
}

void HorseWindow::WindowActivated() {
  if (dead_ || checkingDisk_ || !horse_->stable) return;
  // The questions' own boxes activate the window again when they close.
  checkingDisk_ = true;
  const std::filesystem::path file = horse_->stable->HorseFilePath(*horse_);
  // What is typed but not yet taken counts as an edit.
  TakeDataIntoRecord();
  switch (reloadWatch_.Check(*horse_, file, HasUnsavedChanges())) {
    case ActivationStep::kNothing: break;
    case ActivationStep::kReload: ReloadFromDisk(); break;
    case ActivationStep::kAskReload:
      // Enter keeps the edits: only a deliberate yes drops them.
      if (Ask().YesNoDefaultNo(ReloadQuestion(horse_->Navn, file)))
        ReloadFromDisk();
      else
        reloadWatch_.KeepEdits();
      break;
  }
  checkingDisk_ = false;
}

}  // namespace stallora
