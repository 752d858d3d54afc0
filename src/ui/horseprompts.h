#pragma once
// Every question, message and modal dialog of the horse window goes through one object, so
// the window's tests can answer them and see what was said.

#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>
#include <string>

#include "core/daynum.h"
#include "core/filestamp.h"

class QTextDocument;

namespace stallora {

class HorsePrompts : public ConflictPrompt {
 public:
  enum class Answer { kYes, kNo, kCancel, kRetry };

  explicit HorsePrompts(QWidget* parent) : parent_(parent) {}
  ~HorsePrompts() override = default;

  // Texts are Windows-1252 from the library; "\r" is a line break.
  virtual void Inform(const std::string& text, const QString& caption = {});
  // A remark beside a field the user is typing into: shown without a box, so that it takes
  // neither the focus nor the next keystroke.
  virtual void Notice(const std::string& text, QWidget* field);
  virtual void Warn(const std::string& text, const QString& caption);
  virtual void Error(const std::string& text);
  virtual bool YesNo(const std::string& text);
  virtual bool OkCancel(const std::string& text);
  virtual Answer YesNoCancel(const std::string& text);
  virtual Answer YesCancelRetry(const std::string& text);
  // The horse's file changed on disk since the window read it (core/filestamp.h).
  ConflictChoice AskConflict(const std::string& question, const std::array<std::string, 3>& choices) override;
  bool ConfirmTakeTheirs(const std::string& question) override { return YesNo(question); }
  virtual std::optional<QString> AskText(const QString& caption, const QString& prompt);
  virtual QString SaveFileName(const QString& title, const QString& path, const QString& filter);
  virtual std::optional<QColor> ChooseColor(const QColor& start);
  // The young-horse definition dialog: the caption, the starting date and weight; OK
  // gives the chosen ones.
  virtual bool DefineYoungHorse(const QString& caption, DayNumber& date, QString& adultWeight);
  // The picture dialog: the current picture's path, the breed names with their picture
  // files and the picture for a missing one; OK gives the path.
  virtual bool ChoosePicture(QString& path, const QStringList& breeds, const QStringList& pictures,
                             const QString& fallback);
  // The one-line text dialog with its explanation; OK gives the text.
  virtual std::optional<QString> Describe(const QString& caption, const std::string& explanation);
  // Prints a document (the print dialog first).
  virtual bool Print(QTextDocument& document, const QString& jobTitle);

  // A library text as the screen shows it: "\r" line breaks become new lines.
  static QString Display(const std::string& cp1252);

 protected:
  QWidget* parent_;
};

}  // namespace stallora
