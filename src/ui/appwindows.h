#pragma once
// The windows the program keeps one of, and the factories of the record windows. The main
// window owns one AppWindows and every window reaches it as `services.windows`; nothing of
// it is process-wide, so two main windows (in tests) never share a dialog.
//
// A record window plugs in at start-up (app/main.cpp, or a test's set-up) by setting its
// factory:
//
//   void RegisterHorseWindow(AppWindows& windows) {
//     windows.factories.horse = [](THest& horse, Services& services) -> RecordWindow* {
//       return new HorseWindow(horse, services);
//     };
//   }
//
// The single dialogs are made on first use, as children of the owner's window.

#include <QPointer>
#include <functional>

#include "stable/adresser.h"
#include "ui/services.h"

class QWidget;

namespace stallora {

class Clock;
class ContactsWindow;
class MailWindow;
class MemoDialog;
class PictureDialog;
class TextDialog;
class YoungHorseDialog;
struct Regional;

class AppWindows {
 public:
  // `main` may be null (a test of the dialogs alone); the contacts and mail windows need it.
  AppWindows(MainWindow* main, QWidget* owner, const Clock* clock, const Regional* regional);
  ~AppWindows();
  AppWindows(const AppWindows&) = delete;
  AppWindows& operator=(const AppWindows&) = delete;

  // ---- the record windows (the main window opens them through these)
  WindowFactories factories;

  // ---- windows built elsewhere that a window offers (unset: the offering button hides)
  // The contacts window in owner mode on a contact (new or found).
  std::function<void(QWidget* parent, const TAdrRec& contact, bool isNew)> ownerContacts;
  // The editor of the treatment register.
  std::function<void(QWidget* parent)> treatmentRegister;
  // The preferences dialog, opened on one of its pages (-1: the page it showed last).
  std::function<void(QWidget* parent, int page)> preferences;
  // The requirement-expression editor.
  std::function<void(QWidget* parent)> requirementEditor;
  // A feed-mix calculator on a new mix made from `source` ("Mix_" + its name, the source
  // preselected); null `source`: a new mix of the main window's own.
  std::function<void(QWidget* parent, TForListe* source)> feedMix;
  // The modal generate-feed-list dialog on `target`. It keeps a backup of the target and
  // restores it exactly unless the user accepts; true when the target was rebuilt. The caller
  // refreshes what it shows of the target either way.
  std::function<bool(QWidget* parent, TForListe& target)> generateFeedList;

  // ---- the single dialogs and windows
  PictureDialog& Picture();
  MemoDialog& Memo();
  TextDialog& TextEntry();
  YoungHorseDialog& YoungHorse();
  ContactsWindow& Contacts();
  MailWindow& Mail();
  // The mail window when it has been made, else null.
  MailWindow* ExistingMail() const;
  ContactsWindow* ExistingContacts() const;

 private:
  MainWindow* main_;
  QPointer<QWidget> owner_;
  const Clock* clock_;
  const Regional* regional_;
  QPointer<PictureDialog> picture_;
  QPointer<MemoDialog> memo_;
  QPointer<TextDialog> text_;
  QPointer<YoungHorseDialog> young_;
  QPointer<ContactsWindow> contacts_;
  QPointer<MailWindow> mail_;
};

}  // namespace stallora
