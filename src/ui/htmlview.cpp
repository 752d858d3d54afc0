#include "ui/htmlview.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextOption>
#include <QTextTable>
#include <QPrintDialog>
#include <QPrinter>

#include "core/fileio.h"
#include "core/texts.h"
#include "render/qttext.h"

namespace stallora {
namespace {

inline constexpr Text kHvIkkeAabnet{"htmlview.notopened", "Adressen kunne ikke åbnes i en webbrowser"};
inline constexpr Text kHvHvorfor{"htmlview.why",
                                 "Der er ingen webbrowser eller e-postprogram på denne computer, som kunne tage imod "
                                 "adressen, eller det kunne ikke startes."};
inline constexpr Text kHvKopier{"htmlview.copy", "Du kan kopiere adressen og åbne den i et andet program."};

// A cell of a table of many columns that is one amount ("3.200 kg", "30 g") is never
// broken: the line breaker cuts "3.200" after "3.", and a narrow column of the rations'
// comparison showed "3." over "200" over "kg". Tables of few columns keep their widths and
// are left alone, so that a long one (the overview of 200 horses) is not laid out again.
constexpr int kManyColumns = 8;
void KeepAmountsWhole(QTextTable& table) {
  static const QRegularExpression amount(QStringLiteral(R"(^\s*[-+]?\d+([.,]\d+)?\s*[^\s\d]{0,4}\s*$)"));
  QTextCursor cursor(table.document());
  cursor.beginEditBlock();
  for (int row = 0; row < table.rows(); ++row)
    for (int column = 0; column < table.columns(); ++column) {
      const QTextBlock block = table.cellAt(row, column).firstCursorPosition().block();
      if (block.length() > 24 || !amount.match(block.text()).hasMatch()) continue;
      QTextBlockFormat format = block.blockFormat();
      format.setNonBreakableLines(true);
      cursor.setPosition(block.position());
      cursor.setBlockFormat(format);
    }
  cursor.endEditBlock();
}

}  // namespace

bool IsRemoteAddress(const QUrl& url) {
  const QString scheme = url.scheme().toLower();
  return scheme == "http" || scheme == "https" || scheme == "mailto";
}

bool OpenWithDesktop(const QUrl& url) { return QDesktopServices::openUrl(url); }

bool LaunchExternal(const QUrl& url, QObject* owner, std::function<void(const QString& why)> failed,
                    const QString& program) {
  if (!IsRemoteAddress(url)) return false;
  const QString path = program.contains('/') ? program : QStandardPaths::findExecutable(program);
  if (path.isEmpty()) return OpenWithDesktop(url);
  auto* process = new QProcess(owner);
  process->setProcessChannelMode(QProcess::MergedChannels);
  process->setProgram(path);
  process->setArguments({url.toString(QUrl::FullyEncoded)});
  QObject::connect(process, &QProcess::finished, process,
                   [process, failed, program](int code, QProcess::ExitStatus status) {
                     process->deleteLater();
                     if (status == QProcess::NormalExit && code == 0) return;
                     // The opener's last line says why (xdg-open: "no method available ...").
                     QString why = QString::fromLocal8Bit(process->readAll()).trimmed().section('\n', -1).trimmed();
                     if (why.isEmpty()) why = program + ": " + QString::number(code);
                     if (failed) failed(why);
                   });
  process->start();
  if (!process->waitForStarted(3000)) {
    delete process;
    return OpenWithDesktop(url);
  }
  return true;
}

HtmlView::HtmlView(QWidget* parent)
    : QTextBrowser(parent), openExternal([this](const QUrl& url) {
        return LaunchExternal(url, this, [this, url](const QString& why) { ShowUnreachable(url, why); });
      }) {
  setOpenLinks(true);
  setOpenExternalLinks(false);
  // Narrow report columns grow and the view scrolls sideways; by default the text browser
  // cut a feed's name in a column heading anywhere ("Mineralf" over "oder").
  setWordWrapMode(QTextOption::WordWrap);
  connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
    if (IsRemoteAddress(url)) HandOutRemote(url);
  });
}

void HtmlView::ShowUnreachable(const QUrl& url, const QString& why) {
  const QString address = url.toString().toHtmlEscaped();
  current_ = url;
  pending_.reset();
  const QString reason = why.isEmpty() ? QString() : "<p><tt>" + why.toHtmlEscaped() + "</tt></p>";
  setHtml(QStringLiteral("<html><body><h3>") + Q(Tr(kHvIkkeAabnet)) + "</h3><p><b>" + address + "</b></p><p>" +
          Q(Tr(kHvHvorfor)) + "</p>" + reason + "<p>" + Q(Tr(kHvKopier)) + "</p></body></html>");
  setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
  emit NavigationCompleted(url);
}

bool HtmlView::HandOutRemote(const QUrl& url) {
  if (!IsRemoteAddress(url)) return false;
  emit NavigationRequested(url);
  if (!openExternal || !openExternal(url)) ShowUnreachable(url);
  return true;
}

void HtmlView::ShowReport(const std::string& html, const std::filesystem::path& baseDir) {
  // The same report again (a page shown anew with nothing changed): a large report is not
  // laid out again, and the view stays where the user had scrolled to.
  if (layOutWhenShown_ && !isVisible() && window()->isVisible()) {
    pending_.emplace(html, baseDir);
    return;
  }
  pending_.reset();
  if (shownDocument_ == document() && current_.isEmpty() && html == shownReport_ && baseDir == shownBase_) return;
  if (!baseDir.empty()) setSearchPaths({QString::fromStdString(baseDir.string())});
  current_ = QUrl();
  SetHtmlFitted(Q(html));
  shownReport_ = html;
  shownBase_ = baseDir;
  shownDocument_ = document();
  // Anything else shown in the document (a page, a link followed) makes the next report new.
  connect(
      document(), &QTextDocument::contentsChanged, this, [this] { shownDocument_ = nullptr; },
      Qt::SingleShotConnection);
}

void HtmlView::showEvent(QShowEvent* event) {
  QTextBrowser::showEvent(event);
  if (!pending_) return;
  const auto [html, baseDir] = std::move(*pending_);
  pending_.reset();
  ShowReport(html, baseDir);
}

void HtmlView::SetHtmlFitted(const QString& html) {
  // Laid out with the vertical scroll bar already in place: a long report is laid out once,
  // not once without it and again with it (the stable's overview of 200 horses took twice
  // as long).
  const Qt::ScrollBarPolicy policy = verticalScrollBarPolicy();
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHtml(html);
  QTextDocument* doc = document();
  QList<QTextFrame*> frames{doc->rootFrame()};
  while (!frames.isEmpty()) {
    QTextFrame* frame = frames.takeFirst();
    frames.append(frame->childFrames());
    auto* table = qobject_cast<QTextTable*>(frame);
    if (!table) continue;
    if (table->columns() >= kManyColumns) KeepAmountsWhole(*table);
    QTextTableFormat format = table->format();
    QList<QTextLength> widths = format.columnWidthConstraints();
    double sum = 0;
    bool allPercent = !widths.isEmpty();
    for (const QTextLength& w : widths) {
      if (w.type() != QTextLength::PercentageLength) allPercent = false;
      sum += w.rawValue();
    }
    if (!allPercent || sum <= 0 || sum >= 99.5) continue;
    for (QTextLength& w : widths) w = QTextLength(QTextLength::PercentageLength, w.rawValue() * 100.0 / sum);
    format.setColumnWidthConstraints(widths);
    table->setFormat(format);
  }
  setVerticalScrollBarPolicy(policy);
}

void HtmlView::Navigate(const QUrl& url) {
  if (HandOutRemote(url)) return;
  setSource(url);
}

void HtmlView::doSetSource(const QUrl& name, QTextDocument::ResourceType type) {
  if (HandOutRemote(name)) return;
  pending_.reset();
  emit NavigationRequested(name);
  if (name.isLocalFile() &&
      (name.path().endsWith(".htm", Qt::CaseInsensitive) || name.path().endsWith(".html", Qt::CaseInsensitive))) {
    // The reports are Windows-1252 files.
    if (auto bytes = ReadWholeFile(name.toLocalFile().toStdString())) {
      setSearchPaths({QFileInfo(name.toLocalFile()).absolutePath()});
      SetHtmlFitted(Q(*bytes));
      current_ = name;
      emit NavigationCompleted(name);
      return;
    }
  }
  QTextBrowser::doSetSource(name, type);
  current_ = name;
  emit NavigationCompleted(name);
}

void HtmlView::PrintWithDialog() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted) document()->print(&printer);
}

}  // namespace stallora
