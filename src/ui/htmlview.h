#pragma once
// The embedded browser: shows generated reports (Windows-1252 HTML) and local pages, tells
// about each navigation before it happens, and prints.

#include <QTextBrowser>
#include <QUrl>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace stallora {

// Web and mail addresses: the desktop's browser or mail program shows them.
bool IsRemoteAddress(const QUrl& url);
// Hands a remote address to the desktop; false when nothing could take it.
using ExternalOpener = std::function<bool(const QUrl&)>;
bool OpenWithDesktop(const QUrl& url);
// Hands a remote address to the desktop's opener program (`program`, xdg-open by default,
// started with the address as its one argument, no shell) and tells `failed` the reason
// when that program ends with an error (no browser, for one); without the program the
// desktop services are asked. False when nothing could be started. `owner` keeps the
// running program; when it goes, nothing is told.
bool LaunchExternal(const QUrl& url, QObject* owner, std::function<void(const QString& why)> failed,
                    const QString& program = QStringLiteral("xdg-open"));

class HtmlView : public QTextBrowser {
  Q_OBJECT
 public:
  explicit HtmlView(QWidget* parent = nullptr);

  // How remote addresses leave the program (the desktop by default; tests replace it).
  ExternalOpener openExternal;
  // A page saying that the address could not be handed to a browser, and why.
  void ShowUnreachable(const QUrl& url, const QString& why = {});

  // Shows a report held as Windows-1252 bytes; pictures are found relative to `baseDir`.
  void ShowReport(const std::string& cp1252Html, const std::filesystem::path& baseDir = {});
  // A report given while the view is hidden in a shown window (a page not in front) is
  // laid out when the view shows, once and at its size, instead of at once.
  void LayOutWhenShown(bool on) { layOutWhenShown_ = on; }
  // Shows a file (local HTML or a picture); web addresses open in the desktop's browser,
  // and when that fails the view shows the address and why.
  void Navigate(const QUrl& url);
  QUrl CurrentAddress() const { return current_; }
  // The print dialog, then the document on the chosen printer.
  void PrintWithDialog();

 signals:
  // Before every navigation, the program's own included.
  void NavigationRequested(const QUrl& url);
  void NavigationCompleted(const QUrl& url);

 protected:
  void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Remote: to the desktop, or the reason in the view. True when it was a remote address.
  bool HandOutRemote(const QUrl& url);
  // Shows HTML and then stretches each table's percentage column widths to fill the table,
  // as web browsers do; the text browser leaves the rest unpainted, and a report frame's
  // black background showed there as a solid box.
  void SetHtmlFitted(const QString& html);
  QUrl current_;
  // The report as last shown, while the document still holds it unchanged.
  std::string shownReport_;
  std::filesystem::path shownBase_;
  const QTextDocument* shownDocument_ = nullptr;
  bool layOutWhenShown_ = false;
  std::optional<std::pair<std::string, std::filesystem::path>> pending_;
};

}  // namespace stallora
