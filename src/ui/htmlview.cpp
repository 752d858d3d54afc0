#include "ui/htmlview.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>

#include "core/fileio.h"
#include "render/qttext.h"

namespace stallora {

HtmlView::HtmlView(QWidget* parent) : QTextBrowser(parent) {
  setOpenLinks(true);
  setOpenExternalLinks(false);
  connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
    if (url.scheme() == "http" || url.scheme() == "https" || url.scheme() == "mailto") {
      emit NavigationRequested(url);
      QDesktopServices::openUrl(url);
    }
  });
}

void HtmlView::ShowReport(const std::string& html, const std::filesystem::path& baseDir) {
  if (!baseDir.empty()) setSearchPaths({QString::fromStdString(baseDir.string())});
  current_ = QUrl();
  setHtml(Q(html));
}

void HtmlView::Navigate(const QUrl& url) {
  if (url.scheme() == "http" || url.scheme() == "https" || url.scheme() == "mailto") {
    emit NavigationRequested(url);
    QDesktopServices::openUrl(url);
    return;
  }
  setSource(url);
}

void HtmlView::doSetSource(const QUrl& name, QTextDocument::ResourceType type) {
  if (name.scheme() == "http" || name.scheme() == "https") {
    emit NavigationRequested(name);
    QDesktopServices::openUrl(name);
    return;
  }
  emit NavigationRequested(name);
  if (name.isLocalFile() && (name.path().endsWith(".htm", Qt::CaseInsensitive) ||
                             name.path().endsWith(".html", Qt::CaseInsensitive))) {
    // The reports are Windows-1252 files.
    if (auto bytes = ReadWholeFile(name.toLocalFile().toStdString())) {
      setSearchPaths({QFileInfo(name.toLocalFile()).absolutePath()});
      setHtml(Q(*bytes));
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
