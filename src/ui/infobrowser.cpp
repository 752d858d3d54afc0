#include "ui/infobrowser.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include "core/fileio.h"
#include "core/texts.h"
#include "core/common_texts.h"
#include "render/qttext.h"
#include "ui/icons.h"

namespace stallora {
namespace {

inline constexpr const Text& kUdskrift = common::kUdskrift;
inline constexpr const Text& kLuk = common::kLuk;
inline constexpr Text kForrige{"browser.back", "Forrige"};
inline constexpr Text kNaeste{"browser.forward", "Næste"};

}  // namespace

void BrowserHistory::Navigating(const std::string& address) {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i] == address) {
      position_ = static_cast<int>(i);
      return;
    }
  if (position_ + 1 < static_cast<int>(entries_.size())) entries_.resize(static_cast<size_t>(position_ + 1));
  entries_.push_back(address);
  position_ = static_cast<int>(entries_.size()) - 1;
}

std::string BrowserHistory::Back() {
  if (!CanGoBack()) return {};
  return entries_[static_cast<size_t>(--position_)];
}

std::string BrowserHistory::Forward() {
  if (!CanGoForward()) return {};
  return entries_[static_cast<size_t>(++position_)];
}

InfoBrowser::InfoBrowser(QWidget* parent) : QMainWindow(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
  resize(1022, 720);
  auto* bar = addToolBar(QStringLiteral("browser"));
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  QAction* print = bar->addAction(Icon(IconKind::Print), Q(Tr(kUdskrift)));
  QAction* close = bar->addAction(Icon(IconKind::Close), Q(Tr(kLuk)));
  bar->addSeparator();
  back_ = new QToolButton(this);
  back_->setIcon(Icon(IconKind::Back));
  back_->setToolTip(Q(Tr(kForrige)));
  forward_ = new QToolButton(this);
  forward_->setIcon(Icon(IconKind::Forward));
  forward_->setToolTip(Q(Tr(kNaeste)));
  bar->addWidget(back_);
  bar->addWidget(forward_);
  view_ = new HtmlView(this);
  setCentralWidget(view_);
  status_ = new QLabel(this);
  statusBar()->addWidget(status_, 1);
  connect(print, &QAction::triggered, view_, &HtmlView::PrintWithDialog);
  connect(close, &QAction::triggered, this, &QWidget::close);
  connect(view_, &HtmlView::NavigationRequested, this, [this](const QUrl& url) {
    if (!stepping_) history_.Navigating(url.toString().toStdString());
    Refresh();
  });
  connect(view_, &HtmlView::NavigationCompleted, this, [this](const QUrl& url) {
    status_->setText(url.toString());
    Refresh();
  });
  connect(back_, &QToolButton::clicked, this, [this] {
    stepping_ = true;
    view_->Navigate(QUrl(QString::fromStdString(history_.Back())));
    stepping_ = false;
    Refresh();
  });
  connect(forward_, &QToolButton::clicked, this, [this] {
    stepping_ = true;
    view_->Navigate(QUrl(QString::fromStdString(history_.Forward())));
    stepping_ = false;
    Refresh();
  });
  Refresh();
}

void InfoBrowser::Refresh() {
  back_->setEnabled(history_.CanGoBack());
  forward_->setEnabled(history_.CanGoForward());
}

void InfoBrowser::Open(const QUrl& url) { view_->Navigate(url); }

void InfoBrowser::ShowReport(const std::string& html, const std::filesystem::path& baseDir) {
  view_->ShowReport(html, baseDir);
}

InfoBrowser* InfoBrowser::OpenWindow(const QString& caption, const QUrl& url, QWidget* parent,
                                     const ExternalOpener& opener) {
  const ExternalOpener open = opener ? opener : ExternalOpener([parent, caption](const QUrl& u) {
    return LaunchExternal(u, parent, [parent, caption, u](const QString& why) {
      ShowUnreachableWindow(caption, u, why, parent);
    });
  });
  // A browser window of the program would stay blank: it shows no web pages.
  if (IsRemoteAddress(url) && open(url)) return nullptr;
  auto* w = new InfoBrowser(parent);
  w->view_->openExternal = open;
  if (!caption.isEmpty()) w->setWindowTitle(caption);
  if (QScreen* screen = QGuiApplication::primaryScreen())
    w->move(screen->availableGeometry().center() - w->rect().center());
  w->show();
  if (IsRemoteAddress(url)) {
    w->history_.Navigating(url.toString().toStdString());
    w->view_->ShowUnreachable(url);
  } else {
    w->Open(url);
  }
  return w;
}

InfoBrowser* InfoBrowser::ShowHtmlText(const std::string& html, const QString& caption, int widthKind,
                                       const std::filesystem::path& tempDir, int referenceWidth,
                                       QWidget* parent) {
  const auto file = tempDir / "temp.html";
  if (!WriteFileAtomically(file, html + "\r\n")) return nullptr;
  auto* w = new InfoBrowser(parent);
  static constexpr double kShare[] = {0.25, 0.45, 0.80};
  if (widthKind >= 0 && widthKind <= 2) w->resize(static_cast<int>(std::lround(referenceWidth * kShare[widthKind])), w->height());
  if (!caption.isEmpty()) w->setWindowTitle(caption);
  w->show();
  w->Open(QUrl::fromLocalFile(QString::fromStdString(file.string())));
  return w;
}

InfoBrowser* InfoBrowser::ShowUnreachableWindow(const QString& caption, const QUrl& url, const QString& why,
                                                QWidget* parent) {
  auto* w = new InfoBrowser(parent);
  if (!caption.isEmpty()) w->setWindowTitle(caption);
  w->show();
  w->history_.Navigating(url.toString().toStdString());
  w->view_->ShowUnreachable(url, why);
  return w;
}

InfoBrowser* InfoBrowser::VisHelpScreenURL(const QString& caption, const QUrl& url, QWidget* parent,
                                           const ExternalOpener& opener) {
  if (url.toString().contains("TestPage")) {
    QMessageBox::information(parent, QStringLiteral("Stallora"),
                             QStringLiteral("VisHelpScreenURL: Link not developed!\n") + url.toString());
    return nullptr;
  }
  return OpenWindow(caption, url, parent, opener);
}

}  // namespace stallora
