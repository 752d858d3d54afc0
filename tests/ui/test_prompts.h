#pragma once
// The prompts every widget test puts into the services: they keep what the windows said and
// asked, and answer from a script, so that no test waits for a box.
//
//   TestPrompts prompts;                      // answers everything itself
//   TestPrompts prompts(&boxes);              // what is not scripted goes on to `boxes`
//   services.prompts = &prompts;              // or main.services().prompts = &prompts
//   prompts.answer = false;                   // "No" to yes/no questions
//   prompts.answers = {Prompts::Answer::kRetry, Prompts::Answer::kCancel};
//   prompts.askSaveFile = [](const QString& title, const QString& path, const QString&) { ... };
//
// Library texts are kept as they were given (Windows-1252, "\r" line breaks); texts a script
// receives are shown as the screen shows them (ScreenText()).

#include <QColor>
#include <QDialog>
#include <QPrinter>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <algorithm>
#include <array>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/prompts.h"
#include "ui/qtext.h"

namespace stallora {

class TestPrompts : public Prompts {
 public:
  struct Entry {
    enum Kind { kInform, kError, kConfirm, kWarn, kNotice };
    Kind kind;
    std::string text;
    QString caption;
  };

  explicit TestPrompts(Prompts* fallback = nullptr) : fallback_(fallback) {}

  // Messages and questions stay here even with a fallback (which then answers only the
  // file, directory, text and dialog questions it has scripts for).
  bool keepMessages = false;

  // ---- what the windows said and asked, in order
  std::vector<Entry> entries;        // every message and question
  std::vector<std::string> said;     // informations, warnings, errors
  std::vector<QString> captions;     // the captions of warnings
  std::vector<std::string> noticed;  // remarks beside a field
  std::vector<std::string> asked;    // questions
  std::vector<std::pair<std::string, std::vector<std::filesystem::path>>> mails;
  bool Said(const std::string& text) const { return std::find(said.begin(), said.end(), text) != said.end(); }

  // ---- answers, when no script below is set
  bool answer = true;                 // yes/no and OK/cancel: yes
  std::deque<Answer> answers;         // yes/no/cancel and yes/cancel/retry, in turn; when none is
                                      // left: Cancel, and Yes to an existing file
  std::optional<QString> typed;       // a line of text
  std::optional<QStringList> memo;    // the memo dialog
  std::optional<QString> description = QStringLiteral("kur");  // the description dialog
  QString savePath;                   // a save dialog's answer; its proposal is kept:
  QString proposedPath;
  QString openPath;                   // an open dialog's answer
  QString directory;                  // a directory dialog's answer
  DayNumber youngDate = 0;            // the young-horse dialog's answers; its offer is kept:
  QString youngWeight;
  QString youngCaption;
  DayNumber offeredDate = 0;
  QString offeredWeight;
  bool printerReady = false;          // the print dialog: cancelled
  // "changed by another program": the answers in turn; when none is left, cancel. The
  // second confirmation of take theirs is a yes/no question (`answer`).
  std::deque<ConflictChoice> conflictChoices;
  std::vector<std::string> conflicts;          // the questions asked
  std::array<std::string, 3> conflictButtons;  // the buttons of the last one

  // ---- scripts: set one and that kind of question is answered by it
  std::function<Answer(Buttons buttons, const std::string& text)> ask;
  std::function<std::optional<QString>(const QString& caption, const QString& prompt, const QString& start)> askText;
  std::function<std::optional<QStringList>(const QString& caption)> askMemo;
  std::function<std::optional<QString>(const QString& caption, const QString& explanation)> describe;
  std::function<QString(const QString& title, const QString& path, const QString& filter)> askSaveFile;
  std::function<QString(const QString& title, const QString& dir, const QString& filter)> askFile;
  std::function<QString(const QString& title, const QString& dir)> askDirectory;
  std::function<int(QDialog& dialog)> runDialog;
  std::function<bool(QPrinter& printer)> setupPrinter;
  std::function<bool(const QUrl& url)> openExternal;
  std::function<void(const std::string& subject, const std::vector<std::filesystem::path>& files)> mail;

  // ---- Prompts
  void SetOwner(QWidget* parent, AppWindows* windows) override {
    if (fallback_) fallback_->SetOwner(parent, windows);
  }
  void Tell(Tone tone, const std::string& text, const QString& caption, QWidget* field) override {
    switch (tone) {
      case Tone::kInformation: entries.push_back({Entry::kInform, text, caption}); said.push_back(text); break;
      case Tone::kWarning:
        entries.push_back({Entry::kWarn, text, caption});
        said.push_back(text);
        captions.push_back(caption);
        break;
      case Tone::kError: entries.push_back({Entry::kError, text, caption}); said.push_back(text); break;
      case Tone::kNotice: entries.push_back({Entry::kNotice, text, caption}); noticed.push_back(text); break;
    }
    if (fallback_ && !keepMessages) fallback_->Tell(tone, text, caption, field);
  }
  Answer Ask(Buttons buttons, const std::string& text, const QString& caption) override {
    entries.push_back({Entry::kConfirm, text, caption});
    asked.push_back(text);
    if (ask) return ask(buttons, text);
    if (buttons == Buttons::kYesNo || buttons == Buttons::kOkCancel || buttons == Buttons::kNoYes) {
      if (fallback_ && !keepMessages) return fallback_->Ask(buttons, text, caption);
      return answer ? Answer::kYes : Answer::kNo;
    }
    if (!answers.empty()) {
      const Answer a = answers.front();
      answers.pop_front();
      return a;
    }
    if (fallback_ && !keepMessages) return fallback_->Ask(buttons, text, caption);
    return buttons == Buttons::kYesCancelRetry ? Answer::kYes : Answer::kCancel;
  }
  ConflictChoice AskConflict(const std::string& question, const std::array<std::string, 3>& choices) override {
    entries.push_back({Entry::kConfirm, question, {}});
    asked.push_back(question);
    conflicts.push_back(question);
    conflictButtons = choices;
    if (!conflictChoices.empty()) {
      const ConflictChoice c = conflictChoices.front();
      conflictChoices.pop_front();
      return c;
    }
    if (fallback_ && !keepMessages) return fallback_->AskConflict(question, choices);
    return ConflictChoice::kCancel;
  }
  std::optional<QString> AskText(const QString& caption, const QString& prompt, const QString& start) override {
    if (askText) return askText(caption, prompt, start);
    if (fallback_ && !typed) return fallback_->AskText(caption, prompt, start);
    return typed;
  }
  std::optional<QStringList> AskMemo(const QString& caption) override {
    if (askMemo) return askMemo(caption);
    return memo;
  }
  std::optional<QString> Describe(const QString& caption, const std::string& explanation) override {
    if (describe) return describe(caption, ScreenText(explanation));
    return description;
  }
  QString SaveFileName(const QString& title, const QString& path, const QString& filter) override {
    proposedPath = path;
    if (askSaveFile) return askSaveFile(title, path, filter);
    return savePath;
  }
  QString OpenFileName(const QString& title, const QString& dir, const QString& filter) override {
    if (askFile) return askFile(title, dir, filter);
    if (fallback_ && openPath.isEmpty()) return fallback_->OpenFileName(title, dir, filter);
    return openPath;
  }
  QString ChooseDirectory(const QString& title, const QString& dir) override {
    if (askDirectory) return askDirectory(title, dir);
    if (fallback_ && directory.isEmpty()) return fallback_->ChooseDirectory(title, dir);
    return directory;
  }
  std::optional<QColor> ChooseColor(const QColor&) override { return std::nullopt; }
  bool DefineYoungHorse(const QString& caption, DayNumber& date, QString& weight) override {
    youngCaption = caption;
    offeredDate = date;
    offeredWeight = weight;
    date = youngDate;
    weight = youngWeight;
    return true;
  }
  bool ChoosePicture(QString&, const QStringList&, const QStringList&, const QString&) override { return false; }
  int RunDialog(QDialog& dialog) override {
    if (runDialog) return runDialog(dialog);
    if (fallback_) return fallback_->RunDialog(dialog);
    return QDialog::Rejected;
  }
  bool SetupPrinter(QPrinter& printer) override {
    if (setupPrinter) return setupPrinter(printer);
    return printerReady;
  }
  void Mail(const std::string& subject, const std::vector<std::filesystem::path>& files) override {
    mails.emplace_back(subject, files);
    if (mail) mail(subject, files);
    else if (fallback_) fallback_->Mail(subject, files);
  }
  bool OpenExternal(const QUrl& url) override {
    if (openExternal) return openExternal(url);
    if (fallback_) return fallback_->OpenExternal(url);
    return false;
  }

 private:
  Prompts* fallback_;
};

}  // namespace stallora
