#include "ui/horseprompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QToolTip>

#include "render/qttext.h"
#include "ui/qtmessages.h"
#include "ui/horseyoungdialog.h"
#include "ui/smalldialogs.h"

namespace stallora {

QString HorsePrompts::Display(const std::string& cp1252) {
  QString s = Q(cp1252);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QChar('\r'), QChar('\n'));
  return s;
}

void HorsePrompts::Inform(const std::string& text, const QString& caption) {
  QMessageBox::information(parent_, caption.isEmpty() ? QStringLiteral("Stallora") : caption, Display(text));
}

void HorsePrompts::Notice(const std::string& text, QWidget* field) {
  if (!field) return Inform(text);
  QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), Display(text), field);
}

void HorsePrompts::Warn(const std::string& text, const QString& caption) {
  QMessageBox::warning(parent_, caption, Display(text));
}

void HorsePrompts::Error(const std::string& text) {
  QMessageBox::critical(parent_, QStringLiteral("Stallora"), Display(text));
}

bool HorsePrompts::YesNo(const std::string& text) {
  return QMessageBox::question(parent_, QStringLiteral("Stallora"), Display(text), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

bool HorsePrompts::OkCancel(const std::string& text) {
  return QMessageBox::question(parent_, QStringLiteral("Stallora"), Display(text),
                               QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
}

HorsePrompts::Answer HorsePrompts::YesNoCancel(const std::string& text) {
  switch (QMessageBox::question(parent_, QStringLiteral("Stallora"), Display(text),
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes: return Answer::kYes;
    case QMessageBox::No: return Answer::kNo;
    default: return Answer::kCancel;
  }
}

HorsePrompts::Answer HorsePrompts::YesCancelRetry(const std::string& text) {
  switch (QMessageBox::question(parent_, QStringLiteral("Stallora"), Display(text),
                                QMessageBox::Yes | QMessageBox::Cancel | QMessageBox::Retry, QMessageBox::Yes)) {
    case QMessageBox::Yes: return Answer::kYes;
    case QMessageBox::Retry: return Answer::kRetry;
    default: return Answer::kCancel;
  }
}

ConflictChoice HorsePrompts::AskConflict(const std::string& question, const std::array<std::string, 3>& choices) {
  return AskConflictInBox(parent_, question, choices);
}

std::optional<QString> HorsePrompts::AskText(const QString& caption, const QString& prompt) {
  bool ok = false;
  const QString text = QInputDialog::getText(parent_, caption, prompt, QLineEdit::Normal, QString(), &ok);
  if (!ok) return std::nullopt;
  return text;
}

QString HorsePrompts::SaveFileName(const QString& title, const QString& path, const QString& filter) {
  return QFileDialog::getSaveFileName(parent_, title, path, filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

std::optional<QColor> HorsePrompts::ChooseColor(const QColor& start) {
  const QColor c = QColorDialog::getColor(start, parent_);
  if (!c.isValid()) return std::nullopt;
  return c;
}

bool HorsePrompts::DefineYoungHorse(const QString& caption, DayNumber& date, QString& adultWeight) {
  YoungHorseDialog& d = YoungHorseDialog::Instance(parent_);
  d.setWindowTitle(caption);
  d.SetAdultWeight(adultWeight);
  d.SetDate(date);
  if (d.exec() != QDialog::Accepted) return false;
  date = d.Date();
  adultWeight = d.AdultWeight();
  return true;
}

bool HorsePrompts::ChoosePicture(QString& path, const QStringList& breeds, const QStringList& pictures,
                                 const QString& fallback) {
  PictureDialog& d = PictureDialog::Instance(parent_);
  d.SetBreeds(breeds, pictures, fallback);
  d.SetPath(path);
  if (d.exec() != QDialog::Accepted) return false;
  path = d.Path();
  return true;
}

std::optional<QString> HorsePrompts::Describe(const QString& caption, const std::string& explanation) {
  TextDialog& d = TextDialog::Instance(parent_);
  d.setWindowTitle(caption);
  d.SetExplanation(Display(explanation));
  if (d.exec() != QDialog::Accepted) return std::nullopt;
  return d.Text();
}

bool HorsePrompts::Print(QTextDocument& document, const QString& jobTitle) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(jobTitle);
  QPrintDialog dialog(&printer, parent_);
  if (dialog.exec() != QDialog::Accepted) return false;
  document.print(&printer);
  return true;
}

}  // namespace stallora
