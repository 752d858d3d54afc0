#pragma once
// The info browser: a window of its own that shows web pages and generated reports, with
// print, close, back and forward.

#include <QLabel>
#include <QMainWindow>
#include <QToolButton>
#include <QUrl>
#include <string>
#include <vector>

#include "ui/htmlview.h"

namespace stallora {

class TPreferences;

// The navigation history: a list of addresses and the current position (-1 while empty).
class BrowserHistory {
 public:
  // Before every navigation: an address already in the list becomes current (its first
  // occurrence); otherwise what lies after the current position goes and it is appended.
  void Navigating(const std::string& address);
  bool CanGoBack() const { return position_ > 0; }
  bool CanGoForward() const { return position_ >= 0 && position_ + 1 < static_cast<int>(entries_.size()); }
  std::string Back();
  std::string Forward();
  const std::vector<std::string>& Entries() const { return entries_; }
  int Position() const { return position_; }

 private:
  std::vector<std::string> entries_;
  int position_ = -1;
};

class InfoBrowser : public QMainWindow {
  Q_OBJECT
 public:
  explicit InfoBrowser(QWidget* parent = nullptr);
  void Open(const QUrl& url);
  void ShowReport(const std::string& cp1252Html, const std::filesystem::path& baseDir);
  HtmlView* View() { return view_; }
  const BrowserHistory& History() const { return history_; }

  // A new window on an address, with a caption. A web or mail address goes to the
  // desktop's browser instead (through `opener`, the desktop when empty) and no window
  // opens; only when that fails does a window show the address and why.
  static InfoBrowser* OpenWindow(const QString& caption, const QUrl& url, QWidget* parent = nullptr,
                                 const ExternalOpener& opener = {});
  // Writes the report to <temp>/temp.html and shows it in a new window; no window when the
  // file cannot be written. widthKind 0, 1, 2: 25, 45, 80 % of the reference width.
  static InfoBrowser* ShowHtmlText(const std::string& cp1252Html, const QString& caption, int widthKind,
                                   const std::filesystem::path& tempDir, int referenceWidth,
                                   QWidget* parent = nullptr);
  // A window saying that a remote address could not be opened, and why.
  static InfoBrowser* ShowUnreachableWindow(const QString& caption, const QUrl& url, const QString& why,
                                            QWidget* parent = nullptr);
  // No window for pages that are not written yet ("TestPage" in the address).
  static InfoBrowser* VisHelpScreenURL(const QString& caption, const QUrl& url, QWidget* parent = nullptr,
                                       const ExternalOpener& opener = {});

 private:
  void Refresh();
  HtmlView* view_;
  QLabel* status_;
  QToolButton* back_;
  QToolButton* forward_;
  BrowserHistory history_;
  bool stepping_ = false;
};

}  // namespace stallora
