#include "ui/horsediary.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "ration/horse_reports.h"
#include "render/qttext.h"
#include "ui/horsetexts.h"
#include "ui/horsewindow.h"
#include "ui/icons.h"

namespace stallora {

using namespace horsetext;

namespace {

QFont DefaultDiaryFont() {
  QFont f(QStringLiteral("MS Sans Serif"));
  f.setPointSizeF(QApplication::font().pointSizeF() > 0 ? QApplication::font().pointSizeF() : 9);
  return f;
}

QTextCharFormat FormatOf(const RtfRun& run, const QFont& defaultFont) {
  QTextCharFormat f;
  f.setFontFamilies({run.font.empty() ? defaultFont.family() : Q(run.font)});
  f.setFontPointSize(run.size > 0 ? run.size : defaultFont.pointSizeF());
  f.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
  f.setFontItalic(run.italic);
  f.setFontUnderline(run.underline);
  if (run.color) f.setForeground(QColor(run.color->red, run.color->green, run.color->blue));
  return f;
}

// The horse window as the diary's host.
class HorseDiaryHost : public DiaryHost {
 public:
  explicit HorseDiaryHost(HorseWindow& window) : window_(window) {}
  Prompts& DiaryPrompts() const override { return window_.Ask(); }
  bool DiaryClosed() const override { return window_.Dead(); }
  void DiaryEdited() override { window_.DiaryEdited(); }
  QString DiaryPrintTitle() const override { return T(kWDagbog) + ": " + Q(window_.Horse().Navn); }
  void StoreDiary(std::string rtf) override { window_.Horse().DiaryMemo = std::move(rtf); }
  bool HasSummaries() const override { return true; }
  StringList SummaryLines(bool withHorse) override {
    HorseReports reports(window_.Horse(), window_.HorseDirectory());
    StringList lines;
    if (withHorse) {
      reports.Hestelinjer(lines);
      lines.emplace_back();
    }
    reports.Rasjonslinjer(lines);
    lines.emplace_back();
    return lines;
  }

 private:
  HorseWindow& window_;
};

}  // namespace

void RtfToDocument(const RtfDocument& rtf, QTextDocument& document, const QFont& defaultFont) {
  document.clear();
  document.setDefaultFont(defaultFont);
  QTextCursor cursor(&document);
  for (size_t p = 0; p < rtf.paragraphs.size(); ++p) {
    if (p > 0) cursor.insertBlock();
    for (const RtfRun& run : rtf.paragraphs[p].runs) cursor.insertText(Q(run.text), FormatOf(run, defaultFont));
  }
  document.setModified(false);
}

RtfDocument DocumentToRtf(const QTextDocument& document) {
  RtfDocument out;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    out.paragraphs.emplace_back();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.isValid()) continue;
      QString text = fragment.text();
      text.remove(QChar::ObjectReplacementCharacter);
      // A line break inside a paragraph is a paragraph break in the diary's RTF.
      text.replace(QChar::LineSeparator, QChar('\n'));
      if (text.isEmpty()) continue;
      const QTextCharFormat f = fragment.charFormat();
      RtfRun run;
      run.text = L(text);
      run.bold = f.fontWeight() >= QFont::Bold;
      run.italic = f.fontItalic();
      run.underline = f.fontUnderline();
      const double size = f.fontPointSize();
      run.size = size > 0 ? size : document.defaultFont().pointSizeF();
      const QStringList families = f.fontFamilies().toStringList();
      run.font = L(families.isEmpty() ? document.defaultFont().family() : families.first());
      if (f.foreground().style() != Qt::NoBrush) {
        const QColor c = f.foreground().color();
        run.color =
            RtfColor{static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()), static_cast<uint8_t>(c.blue())};
      }
      out.paragraphs.back().runs.push_back(std::move(run));
    }
  }
  if (out.paragraphs.empty()) out.paragraphs.emplace_back();
  return out;
}

HorseDiary::HorseDiary(HorseWindow& window, QWidget* parent)
    : QWidget(parent), ownHost_(std::make_unique<HorseDiaryHost>(window)), host_(*ownHost_) {
  Build();
}

HorseDiary::HorseDiary(DiaryHost& host, QWidget* parent) : QWidget(parent), host_(host) { Build(); }

void HorseDiary::Build() {
  setObjectName("grbDiary");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* title = new QLabel(T(kWDagbog), this);
  layout->addWidget(title);
  auto* tools = new QHBoxLayout;
  fontName_ = new QFontComboBox(this);
  fontName_->setObjectName("FontName");
  fontSize_ = new QSpinBox(this);
  fontSize_->setObjectName("FontSize");
  fontSize_->setRange(4, 72);
  auto toggle = [this](const char* name, const QString& text, const QString& hint) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(hint);
    b->setCheckable(true);
    return b;
  };
  bold_ = toggle("BoldButton", QStringLiteral("F"), T(kWFed));
  QFont boldFont = bold_->font();
  boldFont.setBold(true);
  bold_->setFont(boldFont);
  italic_ = toggle("ItalicButton", QStringLiteral("K"), T(kWKursiv));
  QFont italicFont = italic_->font();
  italicFont.setItalic(true);
  italic_->setFont(italicFont);
  underline_ = toggle("UnderlineButton", QStringLiteral("U"), T(kWUnderstreg));
  QFont underlineFont = underline_->font();
  underlineFont.setUnderline(true);
  underline_->setFont(underlineFont);
  auto* colour = new QToolButton(this);
  colour->setObjectName("btnColor");
  colour->setText(QStringLiteral("A"));
  colour->setStyleSheet(QStringLiteral("color: red"));
  colour->setToolTip(T(kWTekst) + T(kWFarve));
  auto* print = new QToolButton(this);
  print->setObjectName("btnPrintDiary");
  print->setIcon(Icon(IconKind::Print));
  print->setToolTip(T(kWUdskrift) + " " + T(kWDagbogLower));
  tools->addWidget(fontName_, 1);
  tools->addWidget(fontSize_);
  for (QToolButton* b : {bold_, italic_, underline_, colour, print}) tools->addWidget(b);
  layout->addLayout(tools);
  editor_ = new QTextEdit(this);
  editor_->setObjectName("reDagbok");
  editor_->setAcceptRichText(true);
  editor_->setTabChangesFocus(true);
  editor_->document()->setDefaultFont(DefaultDiaryFont());
  editor_->installEventFilter(this);
  layout->addWidget(editor_, 1);
  auto* inserts = new QHBoxLayout;
  auto* addHorse = new QPushButton(T(kWHest), this);
  addHorse->setObjectName("btnAddHorseInfo");
  auto* addRation = new QPushButton(T(kWFoderplan), this);
  addRation->setObjectName("btnAddRation");
  inserts->addWidget(addHorse);
  inserts->addWidget(addRation);
  inserts->addStretch();
  layout->addLayout(inserts);
  addHorse->setVisible(host_.HasSummaries());
  addRation->setVisible(host_.HasSummaries());

  connect(fontName_, &QFontComboBox::currentFontChanged, this, [this](const QFont& f) {
    if (!updating_) SetFontName(f.family());
  });
  connect(fontSize_, &QSpinBox::valueChanged, this, [this](int v) {
    if (!updating_) SetFontSize(v);
  });
  connect(bold_, &QToolButton::clicked, this, [this](bool on) { SetBold(on); });
  connect(italic_, &QToolButton::clicked, this, [this](bool on) { SetItalic(on); });
  connect(underline_, &QToolButton::clicked, this, [this](bool on) { SetUnderline(on); });
  connect(colour, &QToolButton::clicked, this, [this] {
    if (auto c = host_.DiaryPrompts().ChooseColor(editor_->textColor())) SetColour(*c);
  });
  connect(print, &QToolButton::clicked, this, [this] { Print(); });
  connect(editor_, &QTextEdit::currentCharFormatChanged, this, [this](const QTextCharFormat& f) { ShowFormat(f); });
  connect(editor_->document(), &QTextDocument::contentsChanged, this, [this] {
    if (!updating_) editedSinceFocus_ = true;
  });
  connect(addHorse, &QPushButton::clicked, this, [this] { AddSummary(true); });
  connect(addRation, &QPushButton::clicked, this, [this] { AddSummary(false); });
  ShowFormat(editor_->currentCharFormat());
}

void HorseDiary::Load(const std::string& bytes) {
  updating_ = true;
  const QFont font = DefaultDiaryFont();
  if (auto rtf = ReadRtf(bytes)) {
    RtfToDocument(*rtf, *editor_->document(), font);
  } else {
    // Older diaries may be plain text; they are shown as they are.
    editor_->document()->clear();
    editor_->document()->setDefaultFont(font);
    QString text = Q(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    editor_->setPlainText(text);
  }
  editor_->document()->setModified(false);
  editor_->moveCursor(QTextCursor::Start);
  editedSinceFocus_ = false;
  updating_ = false;
  ShowFormat(editor_->currentCharFormat());
}

bool HorseDiary::Changed() const { return editor_->document()->isModified(); }

void HorseDiary::Store() {
  if (!Changed()) return;
  host_.StoreDiary(WriteRtf(DocumentToRtf(*editor_->document())));
}

void HorseDiary::InsertAtTop(const StringList& lines) {
  QTextCursor cursor(editor_->document());
  cursor.movePosition(QTextCursor::Start);
  QTextCharFormat format;
  format.setFont(editor_->document()->defaultFont());
  cursor.beginEditBlock();
  for (const std::string& line : lines) {
    cursor.insertText(Q(line), format);
    cursor.insertBlock();
  }
  cursor.endEditBlock();
  editor_->document()->setModified(true);
  host_.DiaryEdited();
}

void HorseDiary::AddSummary(bool withHorse) {
  if (host_.HasSummaries()) InsertAtTop(host_.SummaryLines(withHorse));
}

void HorseDiary::Merge(const QTextCharFormat& format) {
  QTextCursor cursor = editor_->textCursor();
  if (cursor.hasSelection()) cursor.mergeCharFormat(format);
  editor_->mergeCurrentCharFormat(format);
}

void HorseDiary::SetBold(bool on) {
  QTextCharFormat f;
  f.setFontWeight(on ? QFont::Bold : QFont::Normal);
  Merge(f);
}

void HorseDiary::SetItalic(bool on) {
  QTextCharFormat f;
  f.setFontItalic(on);
  Merge(f);
}

void HorseDiary::SetUnderline(bool on) {
  QTextCharFormat f;
  f.setFontUnderline(on);
  Merge(f);
}

void HorseDiary::SetFontName(const QString& family) {
  QTextCharFormat f;
  f.setFontFamilies({family});
  Merge(f);
}

void HorseDiary::SetFontSize(int points) {
  QTextCharFormat f;
  f.setFontPointSize(points);
  Merge(f);
}

void HorseDiary::SetColour(const QColor& colour) {
  QTextCharFormat f;
  f.setForeground(colour);
  Merge(f);
}

// Moving the selection shows its attributes without applying them back.
void HorseDiary::ShowFormat(const QTextCharFormat& format) {
  const bool was = updating_;
  updating_ = true;
  const QFont font = format.font();
  fontName_->setCurrentFont(font);
  fontSize_->setValue(static_cast<int>(format.fontPointSize() > 0 ? format.fontPointSize()
                                                                  : editor_->document()->defaultFont().pointSizeF()));
  bold_->setChecked(format.fontWeight() >= QFont::Bold);
  italic_->setChecked(format.fontItalic());
  underline_->setChecked(format.fontUnderline());
  updating_ = was;
}

void HorseDiary::Print() { host_.DiaryPrompts().Print(*editor_->document(), host_.DiaryPrintTitle()); }

bool HorseDiary::eventFilter(QObject* watched, QEvent* event) {
  if (watched == editor_ && event->type() == QEvent::FocusOut && editedSinceFocus_ && !host_.DiaryClosed()) {
    editedSinceFocus_ = false;
    host_.DiaryEdited();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace stallora
