#include "ui/stable/treatmentspage.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

#include "core/fileio.h"
#include "core/textutil.h"
#include "forms/stable_texts.h"
#include "render/qttext.h"
#include "stable/stable_reports.h"
#include "ui/horsewindow.h"
#include "ui/htmlview.h"
#include "ui/infobrowser.h"
#include "ui/models/stabletreemodels.h"
#include "ui/qtext.h"
#include "ui/stable/reportbuttons.h"
#include "ui/stable/stablewindow.h"

namespace stallora {

using namespace stabletext;
namespace sc = stablechange;

StableTreatmentsPage::StableTreatmentsPage(StableWindow& window) : window_(window) {
  setObjectName("tsStallBehandlinger");
  StableEditor& e = window_.Editor();
  auto* layout = new QVBoxLayout(this);
  pcReports_ = new QTabWidget(this);
  pcReports_->setObjectName("pcReports");
  layout->addWidget(pcReports_);

  // Saved reports.
  tsReports_ = new QWidget;
  tsReports_->setObjectName("tsReports");
  auto* reportsLayout = new QVBoxLayout(tsReports_);
  reportsGroup_ = new QGroupBox(tsReports_);
  auto* groupLayout = new QVBoxLayout(reportsGroup_);
  tvReports_ = new QTreeView(reportsGroup_);
  tvReports_->setObjectName("tvReports");
  tvReports_->setHeaderHidden(true);
  tvReports_->setToolTip(T(kDobbeltklikVis) + " " + TLower(kRapport));
  reportsModel_ = new ReportsTreeModel(e, this);
  tvReports_->setModel(reportsModel_);
  delete_ = new QPushButton(T(kSlet) + " " + TLower(kRapport), reportsGroup_);
  delete_->setObjectName("btnDeleteReports");
  delete_->setEnabled(false);
  groupLayout->addWidget(tvReports_, 1);
  groupLayout->addWidget(delete_, 0, Qt::AlignLeft);
  reportsLayout->addWidget(reportsGroup_);
  pcReports_->addTab(tsReports_, T(kRapporter));

  // Treatments tree.
  auto* tsTree = new QWidget;
  tsTree->setObjectName("tsTreatmentsTreeView");
  auto* treeLayout = new QVBoxLayout(tsTree);
  treatmentLabel_ = new QLabel(tsTree);
  treatmentLabel_->setObjectName("lblTreatmentsUntil_tsTreatments");
  tvTreatments_ = new QTreeView(tsTree);
  tvTreatments_->setObjectName("tvStabletreatments");
  tvTreatments_->setHeaderHidden(true);
  tvTreatments_->setToolTip(T(kBehandling) + ": " + T(kDobbeltklikVis));
  treatmentModel_ = new StableTreatmentTreeModel(e, this);
  tvTreatments_->setModel(treatmentModel_);
  treeLayout->addWidget(treatmentLabel_);
  treeLayout->addWidget(tvTreatments_, 1);
  pcReports_->addTab(tsTree, T(common::kBehandlinger));

  // Treatment list.
  auto* tsList = new QWidget;
  tsList->setObjectName("tsStabletreatmentReport");
  auto* listLayout = new QVBoxLayout(tsList);
  listGroup_ = new QGroupBox(tsList);
  auto* listGroupLayout = new QVBoxLayout(listGroup_);
  browser_ = new HtmlView(listGroup_);
  browser_->setObjectName("wbStabletreatments");
  listGroupLayout->addWidget(browser_);
  listLayout->addWidget(listGroup_, 1);
  listLayout->addWidget(new StableReportButtons(
      window_, "tsTreatmentReport", *browser_, [] { return kStableTreatmentReport; }, tsList));
  pcReports_->addTab(tsList, T(kSrBehandlingsliste));

  connect(tvReports_, &QTreeView::clicked, this, [this](const QModelIndex& i) { ReportClicked(i); });
  connect(tvReports_, &QTreeView::doubleClicked, this, [this](const QModelIndex& i) { ReportActivated(i); });
  connect(delete_, &QPushButton::clicked, this, [this] { DeleteReports(); });
  connect(tvTreatments_, &QTreeView::doubleClicked, this, [this](const QModelIndex& i) { TreatmentActivated(i); });
}

void StableTreatmentsPage::EditorChanged(ChangeFlags changed) {
  reportsModel_->EditorChanged(changed);
  treatmentModel_->EditorChanged(changed);
}

void StableTreatmentsPage::ExpandTreatments() {
  const StableView& v = window_.Editor().View();
  if (v.treeMode == 3) {
    tvTreatments_->expandAll();
    return;
  }
  for (const QModelIndex& i : treatmentModel_->ExpandedIndexes()) {
    // The chosen type of mode 1 opens fully, the others stay as the editor says.
    if (v.treeMode == 1 && i.parent().isValid())
      tvTreatments_->expandRecursively(i);
    else
      tvTreatments_->expand(i);
  }
}

void StableTreatmentsPage::Repaint(ChangeFlags changed) {
  const StableView& v = window_.Editor().View();
  if (changed & (sc::kReportsTree | sc::kCaption)) {
    reportsGroup_->setTitle(T(kRapporter) + ": " + Q(v.name));
    tvReports_->expandAll();
  }
  if (changed & (sc::kReportsTree | sc::kReportsButton)) {
    delete_->setText(Q(v.reportsButton.caption.empty() ? Tr(kSlet) + " " + FirstLetterLower(Tr(kRapport))
                                                       : v.reportsButton.caption));
    delete_->setEnabled(v.reportsButton.enabled);
    if (v.reportsSelection) {
      const QModelIndex at = reportsModel_->IndexOf(*v.reportsSelection);
      if (at.isValid() && tvReports_->currentIndex() != at) tvReports_->setCurrentIndex(at);
    }
  }
  if (changed & (sc::kTreatmentTree | sc::kCaption)) {
    treatmentLabel_->setText(Q(v.treatmentLabel));
    ExpandTreatments();
  }
  if (changed & sc::kSummary) listGroup_->setTitle(Q(v.treatmentsUntil));
  if ((changed & sc::kReport) && v.page == StablePage::Treatments && !v.treatmentReport.empty()) {
    listGroup_->setTitle(Q(v.treatmentsUntil));
    StableWindow::ShowReportFile(*browser_, v.treatmentReport);
  }
  pcReports_->setTabVisible(pcReports_->indexOf(tsReports_), v.hasHorses);
}

void StableTreatmentsPage::ShowTreatmentTree() { pcReports_->setCurrentIndex(1); }

void StableTreatmentsPage::ReportClicked(const QModelIndex& index) {
  if (window_.Dead()) return;
  window_.Editor().SelectReportsNode(reportsModel_->SelectionOf(index));
}

void StableTreatmentsPage::ReportActivated(const QModelIndex& index) {
  if (window_.Dead()) return;
  const auto selection = reportsModel_->SelectionOf(index);
  if (!selection) return;
  const auto file = window_.Editor().ReportToOpen(*selection);
  if (!file) return;
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int width = screen ? screen->geometry().width() : 1024;
  auto* browser = new InfoBrowser(window_.window());
  browser->setAttribute(Qt::WA_DeleteOnClose);
  browser->setWindowFlag(Qt::WindowStaysOnTopHint);
  browser->setWindowTitle(Q(file->second));
  browser->setGeometry(width * 15 / 100, 80, width * 35 / 100, 600);
  browser->Open(QUrl::fromLocalFile(Q(PathText(file->first))));
  browser->show();
}

void StableTreatmentsPage::DeleteReports() {
  if (window_.Dead()) return;
  window_.Tell(window_.Editor().DeleteSelectedReports());
}

void StableTreatmentsPage::TreatmentActivated(const QModelIndex& index) {
  if (window_.Dead()) return;
  const StableTreeNode* n = treatmentModel_->NodeOf(index);
  if (!n || n->kind == StableTreeNode::Kind::Root || !n->horse) return;
  // The tree may be older than a horse's deletion: only a horse still in the stable opens.
  THest* horse = nullptr;
  for (int i = 0; i < window_.Stable().HorseCount(); ++i)
    if (window_.Stable().HorseAt(i) == n->horse) horse = n->horse;
  if (!horse) return;
  HorseWindow* w = window_.OpenHorse(*horse);
  if (!w) return;
  w->ShowTreatmentsTab();
  if (n->kind == StableTreeNode::Kind::Treatment && n->treatment) w->OpenTreatment(*n->treatment);
}

}  // namespace stallora
