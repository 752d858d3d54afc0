#include "ui/boxprompts.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QToolTip>
#include <QUrl>

#include "ui/appwindows.h"
#include "ui/horseyoungdialog.h"
#include "ui/htmlview.h"
#include "ui/infobrowser.h"
#include "ui/mailwindow.h"
#include "ui/qtext.h"
#include "ui/smalldialogs.h"

namespace stallora {
namespace {

QString CaptionOr(const QString& caption) { return caption.isEmpty() ? QStringLiteral("Stallora") : caption; }

}  // namespace

QWidget* BoxPrompts::Parent() const { return parent_.data(); }

void BoxPrompts::Tell(Tone tone, const std::string& text, const QString& caption, QWidget* field) {
  switch (tone) {
    case Tone::kInformation: QMessageBox::information(Parent(), CaptionOr(caption), ScreenText(text)); return;
    case Tone::kWarning: QMessageBox::warning(Parent(), CaptionOr(caption), ScreenText(text)); return;
    case Tone::kError: QMessageBox::critical(Parent(), CaptionOr(caption), ScreenText(text)); return;
    case Tone::kNotice:
      if (!field) {
        QMessageBox::information(Parent(), CaptionOr(caption), ScreenText(text));
        return;
      }
      QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), ScreenText(text), field);
      return;
  }
}

Prompts::Answer BoxPrompts::Ask(Buttons buttons, const std::string& text, const QString& caption) {
  QMessageBox::StandardButtons shown;
  QMessageBox::StandardButton first;
  switch (buttons) {
    case Buttons::kYesNo: shown = QMessageBox::Yes | QMessageBox::No; first = QMessageBox::Yes; break;
    case Buttons::kOkCancel: shown = QMessageBox::Ok | QMessageBox::Cancel; first = QMessageBox::Ok; break;
    case Buttons::kNoYes: shown = QMessageBox::Yes | QMessageBox::No; first = QMessageBox::No; break;
    case Buttons::kYesNoCancel:
      shown = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
      first = QMessageBox::Yes;
      break;
    case Buttons::kYesCancelRetry:
    default:
      shown = QMessageBox::Yes | QMessageBox::Cancel | QMessageBox::Retry;
      first = QMessageBox::Yes;
      break;
  }
  switch (QMessageBox::question(Parent(), CaptionOr(caption), ScreenText(text), shown, first)) {
    case QMessageBox::Yes:
    case QMessageBox::Ok: return Answer::kYes;
    case QMessageBox::No: return Answer::kNo;
    case QMessageBox::Retry: return Answer::kRetry;
    default: return Answer::kCancel;
  }
}

ConflictChoice BoxPrompts::AskConflict(const std::string& question, const std::array<std::string, 3>& choices) {
  QMessageBox box(QMessageBox::Warning, CaptionOr({}), ScreenText(question), QMessageBox::NoButton, Parent());
  box.setObjectName(QStringLiteral("conflictBox"));
  QPushButton* keep = box.addButton(Q(choices[0]), QMessageBox::AcceptRole);
  keep->setObjectName(QStringLiteral("btnKeepMine"));
  QPushButton* theirs = box.addButton(Q(choices[1]), QMessageBox::DestructiveRole);
  theirs->setObjectName(QStringLiteral("btnTakeTheirs"));
  QPushButton* cancel = box.addButton(Q(choices[2]), QMessageBox::RejectRole);
  cancel->setObjectName(QStringLiteral("btnCancel"));
  box.setDefaultButton(cancel);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == keep) return ConflictChoice::kKeepMine;
  if (box.clickedButton() == theirs) return ConflictChoice::kTakeTheirs;
  return ConflictChoice::kCancel;
}

std::optional<QString> BoxPrompts::AskText(const QString& caption, const QString& prompt, const QString& start) {
  bool ok = false;
  const QString text = QInputDialog::getText(Parent(), caption, prompt, QLineEdit::Normal, start, &ok);
  if (!ok) return std::nullopt;
  return text;
}

std::optional<QStringList> BoxPrompts::AskMemo(const QString& caption) {
  if (!windows_) return std::nullopt;
  MemoDialog& dialog = windows_->Memo();
  dialog.setWindowTitle(caption);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Lines();
}

std::optional<QString> BoxPrompts::Describe(const QString& caption, const std::string& explanation) {
  if (!windows_) return std::nullopt;
  TextDialog& dialog = windows_->TextEntry();
  dialog.setWindowTitle(caption);
  dialog.SetExplanation(ScreenText(explanation));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Text();
}

QString BoxPrompts::SaveFileName(const QString& title, const QString& path, const QString& filter) {
  return QFileDialog::getSaveFileName(Parent(), title, path, filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

QString BoxPrompts::OpenFileName(const QString& title, const QString& dir, const QString& filter) {
  return QFileDialog::getOpenFileName(Parent(), title, dir, filter);
}

QString BoxPrompts::ChooseDirectory(const QString& title, const QString& dir) {
  return QFileDialog::getExistingDirectory(Parent(), title, dir);
}

std::optional<QColor> BoxPrompts::ChooseColor(const QColor& start) {
  const QColor c = QColorDialog::getColor(start, Parent());
  if (!c.isValid()) return std::nullopt;
  return c;
}

bool BoxPrompts::DefineYoungHorse(const QString& caption, DayNumber& date, QString& adultWeight) {
  if (!windows_) return false;
  YoungHorseDialog& d = windows_->YoungHorse();
  d.setWindowTitle(caption);
  d.SetAdultWeight(adultWeight);
  d.SetDate(date);
  if (d.exec() != QDialog::Accepted) return false;
  date = d.Date();
  adultWeight = d.AdultWeight();
  return true;
}

bool BoxPrompts::ChoosePicture(QString& path, const QStringList& breeds, const QStringList& pictures,
                               const QString& fallback) {
  if (!windows_) return false;
  PictureDialog& d = windows_->Picture();
  d.SetBreeds(breeds, pictures, fallback);
  d.SetPath(path);
  if (d.exec() != QDialog::Accepted) return false;
  path = d.Path();
  return true;
}

int BoxPrompts::RunDialog(QDialog& dialog) { return dialog.exec(); }

bool BoxPrompts::SetupPrinter(QPrinter& printer) {
  QPrintDialog dialog(&printer, Parent());
  return dialog.exec() == QDialog::Accepted;
}

void BoxPrompts::Mail(const std::string& subject, const std::vector<std::filesystem::path>& attachments) {
  if (windows_) windows_->Mail().SendMail(subject, {}, attachments);
}

bool BoxPrompts::OpenExternal(const QUrl& url) {
  // A browser that fails only after it was started (xdg-open finding none) is told in a
  // window with the address and the reason.
  QWidget* owner = Parent();
  return LaunchExternal(url, owner, [owner, url](const QString& why) {
    InfoBrowser::ShowUnreachableWindow(url.toString(), url, why, owner);
  });
}

}  // namespace stallora
