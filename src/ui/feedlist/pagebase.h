#pragma once
// What the feed list window's pages share: the window they belong to, its editor, and the
// repaint each page does from the editor's flags.

#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "core/texts.h"
#include "render/qttext.h"
#include "ui/qtext.h"

class QListWidget;

namespace stallora {

class FeedListEditor;
class FeedListWindow;

class FeedListPageBase : public QWidget {
  Q_OBJECT
 public:
  explicit FeedListPageBase(FeedListWindow& window);
  // The editor told a change: the page repaints what the flags name.
  virtual void Refresh(unsigned changed) = 0;

 protected:
  FeedListEditor& Editor() const;
  FeedListWindow& window_;
  // While a page fills its controls their signals are not the user's.
  bool filling_ = false;
};

// Library text with "\r" line breaks for a label.
inline QString Lines(const std::string& text) { return ScreenText(text); }
// Fills a list box with names, keeping the current row when it still exists.
void FillList(QListWidget* list, const std::vector<std::string>& names);

}  // namespace stallora
