#pragma once
// The program's prompts: message boxes, Qt's file, colour and print dialogs, the program's
// small dialogs and the mail window (all modal to the main window).

#include <QPointer>
#include <QWidget>

#include "ui/prompts.h"

namespace stallora {

class AppWindows;

class BoxPrompts final : public Prompts {
 public:
  explicit BoxPrompts(QWidget* parent = nullptr) : parent_(parent) {}
  void SetOwner(QWidget* parent, AppWindows* windows) override {
    parent_ = parent;
    windows_ = windows;
  }

  void Tell(Tone tone, const std::string& text, const QString& caption, QWidget* field) override;
  Answer Ask(Buttons buttons, const std::string& text, const QString& caption) override;
  ConflictChoice AskConflict(const std::string& question, const std::array<std::string, 3>& choices) override;
  std::optional<QString> AskText(const QString& caption, const QString& prompt, const QString& start) override;
  std::optional<QStringList> AskMemo(const QString& caption) override;
  std::optional<QString> Describe(const QString& caption, const std::string& explanation) override;
  QString SaveFileName(const QString& title, const QString& path, const QString& filter) override;
  QString OpenFileName(const QString& title, const QString& dir, const QString& filter) override;
  QString ChooseDirectory(const QString& title, const QString& dir) override;
  std::optional<QColor> ChooseColor(const QColor& start) override;
  bool DefineYoungHorse(const QString& caption, DayNumber& date, QString& adultWeight) override;
  bool ChoosePicture(QString& path, const QStringList& breeds, const QStringList& pictures,
                     const QString& fallback) override;
  int RunDialog(QDialog& dialog) override;
  bool SetupPrinter(QPrinter& printer) override;
  void Mail(const std::string& subject, const std::vector<std::filesystem::path>& attachments) override;
  bool OpenExternal(const QUrl& url) override;

 private:
  QWidget* Parent() const;
  QPointer<QWidget> parent_;
  AppWindows* windows_ = nullptr;
};

}  // namespace stallora
