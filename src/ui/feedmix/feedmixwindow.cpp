#include "ui/feedmix/feedmixwindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QVBoxLayout>

#include "feeds/mix.h"
#include "forms/feedmix_texts.h"
#include "forms/generate_form.h"
#include "render/qttext.h"
#include "ui/appwindows.h"
#include "ui/feedmix/generatedialog.h"
#include "ui/feedmix/mixpages.h"
#include "ui/horsewindow.h"
#include "ui/icons.h"
#include "ui/mainwindow.h"
#include "ui/models/feedmixmodels.h"
#include "ui/qtext.h"
#include "ui/workspacetree.h"

namespace stallora {

FeedMixWindow::FeedMixWindow(TForListe& mix, Services& services, QWidget* parent)
    : RecordWindow(parent), services_(services) {
  editor_ = std::make_unique<FeedMixEditor>(mix, *services.workspace, *services.prompts);
  Build();
}

FeedMixWindow::FeedMixWindow(std::unique_ptr<TForListe> mix, Services& services, QWidget* parent)
    : RecordWindow(parent), services_(services) {
  editor_ = std::make_unique<FeedMixEditor>(std::move(mix), *services.workspace, *services.prompts);
  Build();
}

FeedMixWindow::~FeedMixWindow() = default;

void FeedMixWindow::Build() {
  setObjectName("TfrmFeedCalc_Child");
  setWindowIcon(Icon(IconKind::FeedMix));
  setWindowTitle(Q(editor_->Caption()));
  treeModel_ = new MixSourceTreeModel(*editor_, this);
  gridModel_ = new MixGridModel(*editor_, this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("pcFeedCalc");
  selection_ = new MixSelectionPage(*this);
  mixing_ = new MixingPage(*this);
  saving_ = new MixSavingPage(*this);
  tabs_->addTab(selection_, T(kMxVaelgFoder));
  tabs_->addTab(mixing_, T(kMxKomponer));
  tabs_->addTab(saving_, T(kMxTestOgGem) + " " + TLower(kMxFoderblanding));
  layout->addWidget(tabs_);

  auto* relay = new EditorRelay(*editor_, this);
  connect(relay, &EditorRelay::Changed, this, [this](unsigned changed) { Edited(changed); });
  connect(tabs_, &QTabWidget::currentChanged, this, [this] { TabChosen(); });
  editor_->Open();
}

void FeedMixWindow::Edited(unsigned changed) {
  treeModel_->EditorChanged(changed);
  gridModel_->EditorChanged(changed);
  selection_->Refresh(changed);
  mixing_->Refresh(changed);
  saving_->Refresh(changed);
  if (changed & (kMixPages | kMixFeeds | kMixAmounts)) ShowPages();
  if (changed & kMixName) {
    setWindowTitle(Q(editor_->Caption()));
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->setWindowTitle(Q(editor_->Caption()));
    emit RecordChanged();
  }
  if ((changed & kMixWorkspace) && services_.main) services_.main->RefreshTree();
}

void FeedMixWindow::ShowPages() {
  syncing_ = true;
  const MixVisibility& v = editor_->Visibility();
  tabs_->setTabVisible(tabs_->indexOf(mixing_), v.mixingPage);
  tabs_->setTabVisible(tabs_->indexOf(saving_), v.savingPage);
  switch (editor_->Page()) {
    case stallora::MixPage::Selection: tabs_->setCurrentWidget(selection_); break;
    case stallora::MixPage::Mixing: tabs_->setCurrentWidget(mixing_); break;
    case stallora::MixPage::Saving: tabs_->setCurrentWidget(saving_); break;
  }
  syncing_ = false;
}

void FeedMixWindow::TabChosen() {
  if (syncing_) return;
  QWidget* current = tabs_->currentWidget();
  const stallora::MixPage page = current == mixing_   ? stallora::MixPage::Mixing
                                 : current == saving_ ? stallora::MixPage::Saving
                                                      : stallora::MixPage::Selection;
  if (page == editor_->Page()) return;
  if (!editor_->ShowPage(page)) ShowPages();
}

Record* FeedMixWindow::record() const { return &editor_->Mix(); }

// Closing never saves the mix; there is nothing to write.
bool FeedMixWindow::SaveRecord(QString*) { return true; }

void FeedMixWindow::RecordGoing(const Record& record) { editor_->RecordGoing(record); }

bool FeedMixWindow::TryOnHorse(int horseEntry) {
  THest* horse = editor_->HorseAt(horseEntry);
  MainWindow* main = services_.main;
  if (!horse || !main) return false;
  std::unique_ptr<TFor> feed = editor_->TrialFeed();
  if (!feed) return false;
  main->Tree()->SelectRecord(horse);
  main->OpenHorse(*horse);
  HorseWindow* window = nullptr;
  for (QMdiSubWindow* sub : main->MdiArea()->subWindowList())
    if (auto* w = qobject_cast<HorseWindow*>(sub->widget()); w && &w->Horse() == horse) window = w;
  if (!window) return false;
  window->TryFeed(*feed, editor_->Mix());
  return true;
}

// ---------------------------------------------------------------- registration

void RegisterFeedMixWindows(AppWindows& windows, MainWindow& main) {
  windows.factories.mix = [](TForListe& mix, Services& services) -> RecordWindow* {
    return new FeedMixWindow(mix, services);
  };
  windows.feedMix = [&main](QWidget*, TForListe* source) {
    if (!source) {
      main.NewFeedMix();
      return;
    }
    auto* window = new FeedMixWindow(NewMixFor(*source), main.services());
    QMdiSubWindow* sub = main.MdiArea()->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(Q(window->Editor().Caption()));
    sub->move(0, 0);
    sub->show();
    main.MdiArea()->setActiveSubWindow(sub);
  };
  windows.generateFeedList = [&main](QWidget* parent, TForListe& target) -> bool {
    GenerateForm form(target, *main.services().workspace);
    if (!form.Available()) return false;
    GenerateDialog dialog(form, parent ? parent : &main);
    if (main.Ask().RunDialog(dialog) != QDialog::Accepted || !form.Accepted()) {
      form.Cancel();
      return false;
    }
    return true;
  };
}

}  // namespace stallora
