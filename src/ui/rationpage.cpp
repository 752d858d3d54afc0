#include "ui/rationpage.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "forms/ration_editor.h"
#include "ration/roughage_wizard.h"
#include "ui/models/amountsmodel.h"
#include "ui/models/editormodel.h"
#include "ui/mainwindow.h"
#include "ui/qtext.h"
#include "ui/ration/amountspage.h"
#include "ui/ration/analysispage.h"
#include "ui/ration/mealspage.h"
#include "ui/ration/planpage.h"
#include "ui/ration/rationcontext.h"
#include "ui/ration/selectionpage.h"
#include "ui/rationtexts.h"
#include "ui/roughagewizard.h"

namespace stallora {
namespace {

// Pages of pcForing, in order.
enum PageIndex { kSelectPage = 0, kAmountsPage, kPlanPage, kAnalysisPage, kMealPage };

// What an edit changes that the horse window must hear of as a change of the horse (a
// check mark of the selection list alone is none).
constexpr ChangeFlags kHorseEdits = kRationFeeds | kRationAmounts | kRationPrices | kRationMeals | kRationGrazing;

}  // namespace

struct RationPage::Impl {
  // The page's own editor when it stands alone (no horse window around it).
  std::unique_ptr<RationEditor> ownEditor;
  RationEditor& editor;
  EditorRelay* relay;
  RationContext context;
  AmountsModel* amounts = nullptr;

  bool tabEntered = false;
  bool updating = false;
  int previousPage = kSelectPage;

  QTabWidget* pcForing = nullptr;
  SelectionPage* selection = nullptr;
  AmountsPage* amountsPage = nullptr;
  PlanPage* plan = nullptr;
  AnalysisPage* analysis = nullptr;
  MealsPage* meals = nullptr;

  Impl(RationPage* page, RationEditor& e, Services& s, std::unique_ptr<RationEditor> own)
      : ownEditor(std::move(own)), editor(e), relay(new EditorRelay(e, page)), context{e, s, *relay} {}

  RationTabPage* Page(int index) const {
    switch (index) {
      case kSelectPage: return selection;
      case kAmountsPage: return amountsPage;
      case kPlanPage: return plan;
      case kAnalysisPage: return analysis;
      case kMealPage: return meals;
      default: return nullptr;
    }
  }
  void EnterTab();
  void PageChanged(int index);
  void EnterActivePage();
  void ApplyVisibility();
  void EditorChanged(RationPage& page, ChangeFlags changed);
  void ShowPage(int index);
};

// ==================================================================== construction

RationPage::RationPage(THest& horse, Services& services, QWidget* parent) : QWidget(parent) {
  auto own = std::make_unique<RationEditor>(horse);
  RationEditor& editor = *own;
  impl_ = std::make_unique<Impl>(this, editor, services, std::move(own));
  Build();
}

RationPage::RationPage(RationEditor& editor, Services& services, QWidget* parent)
    : QWidget(parent), impl_(std::make_unique<Impl>(this, editor, services, nullptr)) {
  Build();
}

void RationPage::Build() {
  Impl& d = *impl_;
  // The models hear an edit before the pages that show them.
  d.amounts = new AmountsModel(d.editor, this);
  connect(d.relay, &EditorRelay::Changed, d.amounts, &AmountsModel::EditorChanged);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  d.pcForing = new QTabWidget(this);
  d.pcForing->setObjectName("pcForing");
  d.selection = new SelectionPage(d.context);
  d.amountsPage = new AmountsPage(d.context, *d.amounts);
  d.plan = new PlanPage(d.context);
  d.analysis = new AnalysisPage(d.context);
  d.meals = new MealsPage(d.context);
  d.pcForing->addTab(d.selection, T(kRpVaelgFoder));
  d.pcForing->addTab(d.amountsPage, T(kRpBestemMaengder));
  d.pcForing->addTab(d.plan, T(kRpFoderplan));
  d.pcForing->addTab(d.analysis, T(kRpAnalyse));
  d.pcForing->addTab(d.meals, T(kRpRationstildeling));
  layout->addWidget(d.pcForing);
  connect(d.relay, &EditorRelay::Changed, this, [this](unsigned changed) { impl_->EditorChanged(*this, changed); });
  connect(d.pcForing, &QTabWidget::currentChanged, this, [this](int index) { impl_->PageChanged(index); });

  // What one page asks of another goes through the tab.
  connect(d.selection, &SelectionPage::Confirmed, this, [this] { impl_->pcForing->setCurrentIndex(kAmountsPage); });
  connect(d.selection, &SelectionPage::WizardWanted, this, &RationPage::OpenRoughageWizard);
  connect(d.plan, &PlanPage::NutrientChosen, this, [this](int line) {
    impl_->ShowPage(kAnalysisPage);
    impl_->analysis->ShowNutrient(line);
  });
  connect(d.plan, &PlanPage::ChartsWanted, this, [this] {
    impl_->ShowPage(kAnalysisPage);
    impl_->analysis->ShowCharts();
  });
  connect(d.plan, &PlanPage::AddToDiary, this, &RationPage::AddToDiary);
  d.ApplyVisibility();
}

RationPage::~RationPage() {
  // Closing the widget may still commit an open editor or move the focus; nothing of that
  // may reach the page once it is being taken apart.
  disconnect(qApp, nullptr, this, nullptr);
  for (QObject* child : findChildren<QObject*>()) child->blockSignals(true);
}

QTabWidget* RationPage::Pages() const { return impl_->pcForing; }
AmountsModel* RationPage::Amounts() const { return impl_->amounts; }
const std::string& RationPage::ShownPlan() const { return impl_->plan->ShownPlan(); }
double RationPage::LastRefreshMs() const { return impl_->amountsPage->LastRefreshMs(); }

// ==================================================================== tab and pages

void RationPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The horse window refreshes the tab when it becomes active; when it does not (the tab
  // was active when the window opened), the tab's entry step runs once the page is shown.
  QTimer::singleShot(0, this, [this] {
    if (isVisible() && !impl_->tabEntered) impl_->EnterTab();
  });
}

void RationPage::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!isVisible()) impl_->tabEntered = false;
}

void RationPage::Refresh() {
  Impl& d = *impl_;
  if (!isVisible()) {
    d.ApplyVisibility();
    return;
  }
  if (!d.tabEntered)
    d.EnterTab();
  else
    d.EnterActivePage();
}

void RationPage::TakeDataIntoRecord() {
  // An amount, price or meal still being typed belongs to the record too: moving the focus
  // off the cell's editor onto its table makes the table commit it.
  QWidget* focus = QApplication::focusWidget();
  if (!focus || !isAncestorOf(focus)) return;
  for (QWidget* w = focus->parentWidget(); w && w != this; w = w->parentWidget())
    if (auto* table = qobject_cast<QAbstractItemView*>(w)) {
      table->setFocus();
      return;
    }
}

void RationPage::ListGoing(const TForListe& list) { impl_->selection->ListGoing(list); }

void RationPage::Impl::EnterTab() {
  tabEntered = true;
  selection->EnterTab();
  ApplyVisibility();
  EnterActivePage();
}

void RationPage::Impl::PageChanged(int index) {
  if (updating) return;
  const int left = previousPage;
  previousPage = index;
  if (left == kSelectPage && index != kSelectPage) selection->CloseIfOpen();
  EnterActivePage();
}

void RationPage::Impl::EnterActivePage() {
  const int index = pcForing->currentIndex();
  // The amounts follow from the selection: an open one is closed first.
  if (index == kAmountsPage) selection->CloseIfOpen();
  if (RationTabPage* page = Page(index)) page->Enter();
}

void RationPage::Impl::ShowPage(int index) {
  ApplyVisibility();
  if (pcForing->isTabVisible(index)) pcForing->setCurrentIndex(index);
}

void RationPage::Impl::ApplyVisibility() {
  const RationPageVisibility v = PageVisibility(context.Ration(), context.StableMeals());
  const QSignalBlocker block(pcForing);
  const bool wasUpdating = updating;
  updating = true;
  pcForing->setTabVisible(kAmountsPage, v.amounts);
  pcForing->setTabVisible(kPlanPage, v.feedPlan);
  pcForing->setTabVisible(kAnalysisPage, v.analysis);
  pcForing->setTabVisible(kMealPage, v.mealSheet);
  updating = wasUpdating;
  // A hidden page cannot stay the current one.
  if (!pcForing->isTabVisible(pcForing->currentIndex())) {
    pcForing->setCurrentIndex(kSelectPage);
    previousPage = kSelectPage;
  }
}

// An edit of the ration (on a page of this tab or on the horse window's training tab): the
// pages that may come or go follow, and the page shown repaints what the edit changed; the
// others are brought up to date when they are entered.
void RationPage::Impl::EditorChanged(RationPage& page, ChangeFlags changed) {
  if (changed & (kRationFeeds | kRationAmounts)) ApplyVisibility();
  if (page.isVisible())
    if (RationTabPage* shown = Page(pcForing->currentIndex())) shown->Repaint(changed);
  if (changed & kHorseEdits) emit page.Changed();
}

// ==================================================================== commands

void RationPage::ShowSelectionPage() { impl_->pcForing->setCurrentIndex(kSelectPage); }
void RationPage::ShowAmountsPage() { impl_->ShowPage(kAmountsPage); }
void RationPage::ShowFeedPlanPage() { impl_->ShowPage(kPlanPage); }
void RationPage::SaveFeedPlanAs() { impl_->plan->SaveAs(); }
void RationPage::MailFeedPlan() { impl_->plan->Mail(); }

void RationPage::ResetAmounts() {
  impl_->editor.ResetAmounts();
  ShowAmountsPage();
  impl_->EnterActivePage();
}

void RationPage::ResetChosenFeeds() {
  impl_->editor.ResetChosenFeeds();
  ShowSelectionPage();
  impl_->selection->Enter();
}

bool RationPage::CanResetAmounts() const { return impl_->context.Ration().TotalKg() > 0; }
bool RationPage::CanResetChosenFeeds() const { return impl_->context.Ration().Count() > 0; }

void RationPage::StartGrazing() {
  ShowSelectionPage();
  impl_->selection->StartGrazing();
}

void RationPage::OpenRoughageWizard() {
  Impl& d = *impl_;
  TForListe* source = d.selection->WizardSource();
  if (!source) return;
  RationContext& c = d.context;
  RoughageWizard wizard(*source, c.Horse(), &c.Ask(), this);
  wizard.openHelp = [this](const std::string& page) {
    const RationContext& c = impl_->context;
    if (c.services.main && c.Prefs()) c.services.main->OpenInfoPage(T(rationui::kHjaelp), c.Prefs()->LinkPage(page));
  };
  c.Ask().RunDialog(wizard);
  if (!wizard.Applied()) return;
  d.editor.FeedsChosen(true);
  d.selection->AfterWizard();
  const bool grazing = wizard.Choice().CheckedPastures() == 1 && c.Confirm(Tr(kRwGaarPaaGraes));
  d.EnterActivePage();
  if (grazing) StartGrazing();
}

}  // namespace stallora
