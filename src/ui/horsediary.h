#pragma once
// The horse's diary: rich text with font, size, bold, italic, underline and colour tools,
// into which the horse's summary and ration can be put. The diary's bytes stay as the
// file had them until the user changes the diary; a changed diary is written as RTF.

#include <QTextCharFormat>
#include <QWidget>
#include <string>

#include "core/record.h"
#include "nutrition/rtf.h"

class QFontComboBox;
class QSpinBox;
class QTextDocument;
class QTextEdit;
class QToolButton;

namespace stallora {

class HorseWindow;

// The diary text as the editor shows it and back.
void RtfToDocument(const RtfDocument& rtf, QTextDocument& document, const QFont& defaultFont);
RtfDocument DocumentToRtf(const QTextDocument& document);

class HorseDiary : public QWidget {
  Q_OBJECT
 public:
  HorseDiary(HorseWindow& window, QWidget* parent = nullptr);

  // Shows the diary's bytes (RTF, or plain text from older files).
  void Load(const std::string& bytes);
  // The diary into the record when the user changed it.
  void Store();
  // Lines at the top of the diary (marks it changed).
  void InsertAtTop(const StringList& lines);
  // The ration's lines (and first the horse's summary) at the top of the diary.
  void AddSummary(bool withHorse);
  bool Changed() const;
  QTextEdit* Editor() const { return editor_; }

  // The toolbar's actions (public for the tests): they apply to the selection, or to what
  // is typed next.
  void SetBold(bool on);
  void SetItalic(bool on);
  void SetUnderline(bool on);
  void SetFontName(const QString& family);
  void SetFontSize(int points);
  void SetColour(const QColor& colour);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Merge(const QTextCharFormat& format);
  void ShowFormat(const QTextCharFormat& format);
  void Print();

  HorseWindow& window_;
  QTextEdit* editor_;
  QFontComboBox* fontName_;
  QSpinBox* fontSize_;
  QToolButton* bold_;
  QToolButton* italic_;
  QToolButton* underline_;
  bool updating_ = false;
  bool editedSinceFocus_ = false;
};

}  // namespace stallora
