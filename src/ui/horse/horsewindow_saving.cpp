// The horse window's saving and closing: the record saved through its stable, the
// question at closing, and the record as its file has it after "No".

#include <QCloseEvent>
#include <QTimer>

#include "forms/horse_form.h"
#include "render/qttext.h"
#include "ui/horsetexts.h"
#include "ui/horsewindow.h"
#include "ui/mainwindow.h"
#include "ui/rationpage.h"

namespace stallora {

using namespace horsetext;

bool HorseWindow::SaveRecord(QString* error) {
  if (dead_) return true;
  if (!horse_->stable) {
    if (error) *error = Q(Tr(kHfFejl) + " " + horse_->Navn);
    return false;
  }
  std::string problem;
  if (!CheckFileBeforeSave(&problem) || !horse_->stable->SaveHorse(*horse_, &problem)) {
    if (error) *error = Q(problem);
    return false;
  }
  ApplyVisibility();
  emit RecordChanged();
  return true;
}

void HorseWindow::SaveHorseCommand() {
  TakeDataIntoRecord();
  QString error;
  if (!SaveRecord(&error) && !error.isEmpty()) Ask().Error(L(error));
}

// "No" at closing: the horse as its file has it, in its place among the stable's horses.
bool HorseWindow::DiscardChanges() {
  TStall* stable = horse_->stable;
  if (!stable) return true;
  const std::filesystem::path file = stable->HorseFilePath(*horse_);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return true;
  auto fresh = std::make_unique<THest>(*horse_->env);
  try {
    fresh->LoadfromFile(file);
  } catch (const ObjTextError& e) {
    Ask().Error(e.what());
    return false;
  }
  fresh->LagretSum = fresh->Fingerprint();
  // The stable appends, so the horses after the edited one are taken and put back after
  // the fresh record.
  std::vector<THest*> later;
  bool found = false;
  for (int i = 0; i < stable->HorseCount(); ++i) {
    if (stable->HorseAt(i) == horse_) found = true;
    else if (found) later.push_back(stable->HorseAt(i));
  }
  if (!found) return true;
  std::unique_ptr<THest> old = stable->TakeHorse(horse_);
  std::vector<std::unique_ptr<THest>> after;
  for (THest* h : later) after.push_back(stable->TakeHorse(h));
  stable->AddHorse(std::move(fresh));
  for (auto& h : after) stable->AddHorse(std::move(h));
  dead_ = true;
  horse_ = nullptr;
  discarded_ = std::move(old);
  if (services_.main) QTimer::singleShot(0, services_.main, [main = services_.main] { main->RefreshTree(); });
  return true;
}

void HorseWindow::RecordGoing(const Record& record) {
  if (dead_) return;
  if (&record == horse_) {
    // The horse is being deleted: nothing to save or ask; the window closes next.
    dead_ = true;
    return;
  }
  if (auto* list = dynamic_cast<const TForListe*>(&record)) rationPage_->ListGoing(*list);
}

void HorseWindow::closeEvent(QCloseEvent* event) {
  if (dead_) {
    event->accept();
    return;
  }
  TakeDataIntoRecord();
  if (HasUnsavedChanges()) {
    const auto answer = Ask().YesNoCancel(horse_->Navn + ": " + Tr(kWDataAendret));
    if (answer == Prompts::Answer::kCancel) {
      event->ignore();
      return;
    }
    if (answer == Prompts::Answer::kYes) {
      ApplyName();
      horse_->ForListe->PickAll();
      QString error;
      if (!SaveRecord(&error)) {
        // The user took the other program's version: this window gives way.
        if (dead_) {
          event->accept();
          return;
        }
        // The window stays open with what the user typed.
        if (!error.isEmpty()) Ask().Error(L(error));
        event->ignore();
        return;
      }
    } else if (!DiscardChanges()) {
      event->ignore();
      return;
    }
  }
  if (horse_) horse_->LagretSum = horse_->Fingerprint();
  dead_ = true;
  event->accept();
}

}  // namespace stallora
