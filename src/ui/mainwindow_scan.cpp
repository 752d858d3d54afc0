// The main window's scan at start: the workspace read in slices between the window's events.
//
// The workspace reads its stable directories ahead on threads of its own, into records
// nothing else sees; the window takes them a few milliseconds at a time from a zero timer
// (which the event loop serves only when no input or paint is waiting), waiting no longer
// than its slice for the next stable, so the records the window shows are only ever touched
// by its own thread. The preferences, which change what the records are computed with, wait
// with the workspace commands.

#include <algorithm>

#include <QStatusBar>
#include <QTimer>

#include "render/qttext.h"
#include "ui/mainwindow.h"
#include "ui/workspacetree.h"

namespace stallora {
namespace {

inline constexpr Text kReadingWorkspace{"main.scanprogress", "Indlæser stalde og heste"};

QString T(const Text& t) { return Q(Tr(t)); }

}  // namespace

bool MainWindow::ScanRunning() const { return workspace_.Scanning(); }

void MainWindow::StartScanWorkspace(std::function<void()> done) {
  StopScan();
  if (!scanTimer_) {
    scanTimer_ = new QTimer(this);
    scanTimer_->setSingleShot(true);
    scanTimer_->setInterval(0);
    connect(scanTimer_, &QTimer::timeout, this, &MainWindow::ScanSlice);
  }
  scanDone_ = std::move(done);
  workspace_.BeginScan();
  tree_->clear();
  shownStables_ = 0;
  shownFeedLists_ = false;
  stablesShownAt_ = std::chrono::steady_clock::now();
  UpdateInformation();
  UpdateCommands();
  scanTimer_->start();
}

void MainWindow::StopScan() {
  if (scanTimer_) scanTimer_->stop();
  if (workspace_.Scanning()) {
    workspace_.CancelScan();
    statusBar()->clearMessage();
  }
  scanDone_ = nullptr;
}

void MainWindow::ScanSlice() {
  if (!workspace_.Scanning()) return;
  const auto until = std::chrono::steady_clock::now() + scanSlice;
  bool complete = false;
  do {
    complete = workspace_.ScanStep(until);
  } while (!complete && std::chrono::steady_clock::now() < until);

  // The tree shows what is whole: the feed lists once all are read, then each stable with
  // its horses, open as on a first build.
  const Workspace::ScanProgress progress = workspace_.Progress();
  if (!shownFeedLists_ && progress.feedListsRead) {
    tree_->AppendFeedLists(workspace_);
    shownFeedLists_ = true;
  }
  // The view lays out its whole tree again after each addition, so stables join it in
  // growing groups (a quarter of what is shown, or what 100 ms have read), not in every
  // slice: the first few appear one by one, and the work stays in proportion to the tree.
  const size_t read = workspace_.Stables().size();
  const auto now = std::chrono::steady_clock::now();
  if (shownFeedLists_ && shownStables_ < read &&
      (complete || read - shownStables_ >= std::max<size_t>(1, shownStables_ / 4) ||
       now - stablesShownAt_ >= std::chrono::milliseconds(100))) {
    tree_->AppendStables(workspace_, shownStables_);
    shownStables_ = read;
    stablesShownAt_ = now;
  }
  if (!complete) {
    statusBar()->showMessage(T(kReadingWorkspace) + ": " + QString::number(progress.stablesRead) + " / " +
                             QString::number(progress.stablesTotal));
    scanTimer_->start();
    return;
  }
  statusBar()->clearMessage();
  UpdateInformation();
  UpdateCommands();
  if (scanCompleted) scanCompleted();
  ShowScanMessages();
  if (scanDone_) {
    auto done = std::move(scanDone_);
    scanDone_ = nullptr;
    done();
  }
}

}  // namespace stallora
