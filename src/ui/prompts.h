#pragma once
// Every message, question and modal dialog a window puts to the user goes through one
// Prompts object, reached as `services.prompts`. The program's is BoxPrompts (message boxes,
// the program's dialogs, the print dialog, the mail window); tests put in their own
// (tests/ui/test_prompts.h), which records what was said and answers from a script, so no
// test ever waits for a box.
//
// Prompts is also the library's `Messages`, so what the library says or asks while a window
// works (start-up, saving, the roughage wizard's question) arrives at the same place, and
// its `ConflictPrompt`: the question when another program saved a file since it was read.
//
// Texts from the library are Windows-1252 with "\r" as line break; the prompts show them as
// ScreenText() does. Captions and dialog texts are the windows' own QStrings.
//
// A window asks through its services, never through QMessageBox or QFileDialog itself:
//
//   Prompts& ask = *services_.prompts;
//   if (ask.YesNo(Tr(kConfirmDelete) + " " + name)) ...
//   const QString file = ask.SaveFileName(title, proposedPath, "HTML files (*.htm)");

#include <QColor>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/daynum.h"
#include "core/filestamp.h"
#include "core/seams.h"

class QDialog;
class QPrinter;
class QTextDocument;
class QUrl;
class QWidget;

namespace stallora {

class AppWindows;

class Prompts : public Messages, public ConflictPrompt {
 public:
  enum class Answer { kYes, kNo, kCancel, kRetry };
  // The buttons of a question; the first one named is the default. kNoYes shows Yes and No
  // with No the default: for a question whose yes drops what the user typed.
  enum class Buttons { kYesNo, kOkCancel, kYesNoCancel, kYesCancelRetry, kNoYes };
  // How a message is shown: a box with an information, warning or error icon, or a remark
  // beside the field the user is typing into (no box: it takes neither the focus nor the
  // next keystroke).
  enum class Tone { kInformation, kWarning, kError, kNotice };

  ~Prompts() override = default;

  // The window boxes and dialogs are modal to, and where the program's dialogs are kept (the
  // main window sets both).
  virtual void SetOwner(QWidget* parent, AppWindows* windows) {
    (void)parent;
    (void)windows;
  }

  // ---- messages
  virtual void Tell(Tone tone, const std::string& text, const QString& caption, QWidget* field) = 0;
  void Inform(const std::string& text) override { Tell(Tone::kInformation, text, {}, nullptr); }
  void Inform(const std::string& text, const QString& caption) { Tell(Tone::kInformation, text, caption, nullptr); }
  void Warn(const std::string& text, const QString& caption) { Tell(Tone::kWarning, text, caption, nullptr); }
  void Error(const std::string& text) override { Tell(Tone::kError, text, {}, nullptr); }
  void Notice(const std::string& text, QWidget* field) { Tell(Tone::kNotice, text, {}, field); }

  // ---- questions
  virtual Answer Ask(Buttons buttons, const std::string& text, const QString& caption) = 0;
  // The library's yes/no question.
  bool Confirm(const std::string& text) override { return YesNo(text); }
  bool YesNo(const std::string& text) { return Ask(Buttons::kYesNo, text, {}) == Answer::kYes; }
  bool YesNoDefaultNo(const std::string& text) { return Ask(Buttons::kNoYes, text, {}) == Answer::kYes; }
  bool OkCancel(const std::string& text) { return Ask(Buttons::kOkCancel, text, {}) == Answer::kYes; }
  Answer YesNoCancel(const std::string& text, const QString& caption = {}) {
    return Ask(Buttons::kYesNoCancel, text, caption);
  }
  Answer YesCancelRetry(const std::string& text, const QString& caption = {}) {
    return Ask(Buttons::kYesCancelRetry, text, caption);
  }
  // A file that exists: Yes writes over it, Retry chooses another name, Cancel stops.
  Answer AskOverwrite(const std::string& question);
  // Another program changed the record's file since it was read (core/filestamp.h): keep
  // mine, take theirs or cancel, with `choices` as the buttons' texts in that order. Nothing
  // may be lost by a careless Enter or Escape: both cancel.
  ConflictChoice AskConflict(const std::string& question, const std::array<std::string, 3>& choices) override = 0;
  // The second confirmation of take theirs is a yes/no question, No the default.
  bool ConfirmTakeTheirs(const std::string& question) override { return YesNoDefaultNo(question); }

  // ---- typed answers (nothing when the user cancels)
  // One line of text, starting from `start`.
  virtual std::optional<QString> AskText(const QString& caption, const QString& prompt, const QString& start = {}) = 0;
  // The memo dialog: the lines typed.
  virtual std::optional<QStringList> AskMemo(const QString& caption) = 0;
  // The one-line text dialog with an explanation above the field (a stored report's
  // description).
  virtual std::optional<QString> Describe(const QString& caption, const std::string& explanation) = 0;

  // ---- files, directories, colours (an empty string or nothing when cancelled)
  // A save dialog that does not ask about existing files itself (the caller does).
  virtual QString SaveFileName(const QString& title, const QString& path, const QString& filter) = 0;
  virtual QString OpenFileName(const QString& title, const QString& dir, const QString& filter) = 0;
  // A directory, which the dialog may create.
  virtual QString ChooseDirectory(const QString& title, const QString& dir) = 0;
  virtual std::optional<QColor> ChooseColor(const QColor& start) = 0;

  // ---- the program's own dialogs
  // The young-horse definition: the caption, the starting date and weight; OK gives the
  // chosen ones.
  virtual bool DefineYoungHorse(const QString& caption, DayNumber& date, QString& adultWeight) = 0;
  // The picture dialog: the current picture's path, the breed names with their picture
  // files and the picture for a missing one; OK gives the path.
  virtual bool ChoosePicture(QString& path, const QStringList& breeds, const QStringList& pictures,
                             const QString& fallback) = 0;
  // Any other modal dialog of a window (the roughage wizard): runs it, gives its result.
  virtual int RunDialog(QDialog& dialog) = 0;

  // ---- printing, mail, the desktop
  // The print dialog on a printer; false when cancelled.
  virtual bool SetupPrinter(QPrinter& printer) = 0;
  // The print dialog, then the document printed under the job title.
  bool Print(QTextDocument& document, const QString& jobTitle);
  // A mail with attachments handed to the mail window or the desktop's mail program
  // (an empty subject: no subject).
  virtual void Mail(const std::string& subject, const std::vector<std::filesystem::path>& attachments) = 0;
  // A web or mail address handed to the desktop; false when nothing took it.
  virtual bool OpenExternal(const QUrl& url) = 0;
};

}  // namespace stallora
