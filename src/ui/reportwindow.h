#pragma once
// The window a feed list opens in until it has an editing window of its own: its reports,
// read-only, with refresh, print and copy. Nothing is edited here, so closing never
// asks.

#include <QComboBox>
#include <QToolButton>
#include <functional>
#include <string>
#include <vector>

#include "ui/childwindow.h"
#include "ui/htmlview.h"

namespace stallora {

class TForListe;

class ReportWindow : public RecordWindow {
  Q_OBJECT
 public:
  // One report the window can show: its name in the chooser and how to make it.
  struct Page {
    QString title;
    std::function<std::string()> make;
  };

  ReportWindow(Record& record, std::vector<Page> pages, QWidget* parent = nullptr);

  Record* record() const override { return record_; }
  bool SaveRecord(QString*) override { return true; }
  bool HasUnsavedChanges() const override { return false; }
  void StoreSignature() override {}
  // Its own record going: the window keeps the report it shows and makes no new one.
  void RecordGoing(const Record& record) override;
  // Room for a report table at its normal width; the window area cascades by it.
  QSize sizeHint() const override { return {760, 560}; }

  // Makes the chosen report anew from the record.
  void Refresh();
  void ShowPage(int index);
  int CurrentPage() const { return chooser_->currentIndex(); }
  HtmlView* View() const { return view_; }
  // The report shown, as generated (Windows-1252).
  const std::string& Html() const { return html_; }

 private:
  Record* record_;
  std::vector<Page> pages_;
  QComboBox* chooser_;
  HtmlView* view_;
  std::string html_;
};

// The feed list's price list (a mix: its recipe).
ReportWindow* NewFeedListReportWindow(TForListe& list);

}  // namespace stallora
