#pragma once
// The horse's diary: rich text with font, size, bold, italic, underline and colour tools,
// into which the horse's summary and ration can be put. The diary's bytes stay as the
// file had them until the user changes the diary; a changed diary is written as RTF.
// The stable's notes are the same editor in the stable window: what the diary needs of the
// window it sits in comes through a DiaryHost.

#include <QTextCharFormat>
#include <QWidget>
#include <memory>
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
class Prompts;

// The window around a diary: where it asks, where its text goes, what it prints under.
class DiaryHost {
 public:
  virtual ~DiaryHost() = default;
  virtual Prompts& DiaryPrompts() const = 0;
  // The window let go of its record (closing): edits are no longer told.
  virtual bool DiaryClosed() const = 0;
  // The user changed the text (told when the editor loses the focus after an edit).
  virtual void DiaryEdited() = 0;
  virtual QString DiaryPrintTitle() const = 0;
  // The changed text as RTF, into the record.
  virtual void StoreDiary(std::string rtf) = 0;
  // The horse's summary and ration lines the insert buttons put at the top; a host without
  // them (false) has no insert buttons.
  virtual bool HasSummaries() const { return false; }
  virtual StringList SummaryLines(bool withHorse) {
    (void)withHorse;
    return {};
  }
};

// The diary text as the editor shows it and back.
void RtfToDocument(const RtfDocument& rtf, QTextDocument& document, const QFont& defaultFont);
RtfDocument DocumentToRtf(const QTextDocument& document);

class HorseDiary : public QWidget {
  Q_OBJECT
 public:
  HorseDiary(HorseWindow& window, QWidget* parent = nullptr);
  HorseDiary(DiaryHost& host, QWidget* parent = nullptr);

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

  void Build();

  std::unique_ptr<DiaryHost> ownHost_;
  DiaryHost& host_;
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
