#pragma once
// The three small modal dialogs of the horse window: the horse picture, the memo (the
// feeding plan's comments) and the one-line text (a stored report's description). The main
// window's AppWindows makes each once and reuses it, so the memo and the text keep what was
// typed the last time.

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStringList>

namespace stallora {

class PictureDialog : public QDialog {
  Q_OBJECT
 public:
  explicit PictureDialog(QWidget* parent = nullptr);
  void SetPath(const QString& path);
  QString Path() const { return path_->text(); }
  // The breed names in breed-table order with each breed's picture file (full path), and
  // the picture used when a breed's picture is missing.
  void SetBreeds(const QStringList& names, const QStringList& pictureFiles, const QString& fallback);
  // Picks breed `row` as a double click does.
  void ChooseBreed(int row);
  // The preview's size (the panel is 129 pixels high; its width follows the picture).
  QSize PreviewSize() const { return preview_->size(); }

  static constexpr int kPreviewHeight = 129;
  // The panel width for a picture: width / height * 129, truncated.
  static int PreviewWidth(int pictureWidth, int pictureHeight);

  // Tests replace the file browser and the message.
  std::function<QString(const QString& dir)> browse;
  std::function<void(const QString& text)> inform;

 private:
  void Preview();
  QLineEdit* path_;
  QLabel* preview_;
  QListWidget* breeds_;
  QStringList pictures_;
  QString fallback_;
};

class MemoDialog : public QDialog {
  Q_OBJECT
 public:
  explicit MemoDialog(QWidget* parent = nullptr);
  QStringList Lines() const;
  QPlainTextEdit* Editor() { return text_; }

 private:
  QPlainTextEdit* text_;
};

class TextDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TextDialog(QWidget* parent = nullptr);
  void SetExplanation(const QString& text) { explanation_->setText(text); }
  QString Text() const { return text_->text(); }
  QLineEdit* Editor() { return text_; }

 private:
  QLabel* explanation_;
  QLineEdit* text_;
};

}  // namespace stallora
