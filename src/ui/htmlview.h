#pragma once
// The embedded browser: shows generated reports (Windows-1252 HTML) and local pages, tells
// about each navigation before it happens, and prints.

#include <QTextBrowser>
#include <QUrl>
#include <filesystem>
#include <string>

namespace stallora {

class HtmlView : public QTextBrowser {
  Q_OBJECT
 public:
  explicit HtmlView(QWidget* parent = nullptr);

  // Shows a report held as Windows-1252 bytes; pictures are found relative to `baseDir`.
  void ShowReport(const std::string& cp1252Html, const std::filesystem::path& baseDir = {});
  // Shows a file (local HTML or a picture); web addresses open in the desktop's browser.
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

 private:
  QUrl current_;
};

}  // namespace stallora
