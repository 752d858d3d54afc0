#include "ui/horsewindow.h"

#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "core/textutil.h"
#include "forms/horse_form.h"
#include "ration/evaluation.h"
#include "render/qttext.h"
#include "ui/appwindows.h"
#include "ui/horse/informationpage.h"
#include "ui/horse/registrationpage.h"
#include "ui/horse/requirementpage.h"
#include "ui/horse/trainingpage.h"
#include "ui/horsediary.h"
#include "ui/horsehealth.h"
#include "ui/horsetexts.h"
#include "ui/horseweights.h"
#include "ui/icons.h"
#include "ui/mainwindow.h"
#include "ui/mnemonics.h"
#include "ui/models/editormodel.h"
#include "ui/rationpage.h"
#include "ui/widgets/clicklabel.h"

namespace stallora {

using namespace horsetext;

// ---------------------------------------------------------------- construction

HorseWindow::HorseWindow(THest& horse, Services& services, QWidget* parent)
    : RecordWindow(parent), horse_(&horse), services_(services) {
  setObjectName("frmHorseInfo");
  const bool modelStable = horse.stable && horse.stable->ErModellHestStall;
  setWindowIcon(Icon(modelStable ? IconKind::ModelHorse : IconKind::Horse));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 0, 4, 4);
  auto* top = new QHBoxLayout;
  auto* bar = new QMenuBar(this);
  menuHorse_ = bar->addMenu(T(kWHest));
  menuHorse_->setObjectName("MenuHorse");
  top->addWidget(bar, 1);
  banIcon_ = new ClickLabel(this);
  banIcon_->setObjectName("shStartForbud");
  banIcon_->setPixmap(Icon(IconKind::Ban).pixmap(22, 22));
  banIcon_->hide();
  top->addWidget(banIcon_);
  layout->addLayout(top);

  // The editor first: the pages are built on it (the training tab shows the ration
  // page's amounts).
  editor_ = std::make_unique<HorseEditor>(horse);
  rationPage_ = new RationPage(editor_->Ration(), services_);
  tsFeedsAndfeeding_ = rationPage_;
  tsFeedsAndfeeding_->setObjectName("tsFeedsAndfeeding");
  pcForm_ = new QTabWidget(this);
  pcForm_->setObjectName("pcForm");
  pcHest_ = new QTabWidget;
  pcHest_->setObjectName("pcHest");
  tsHest_ = pcHest_;
  tsHest_->setObjectName("tsHest");
  infoPage_ = new HorseInformationPage(*this);
  weightPage_ = new HorseWeightPage(*this);
  trainingPage_ = new HorseTrainingPage(*this, *rationPage_->Amounts());
  requirementPage_ = new HorseRequirementPage(*this);
  pcHest_->addTab(infoPage_, T(kWInformation));
  pcHest_->addTab(weightPage_, T(kWVaegtdata));
  pcHest_->addTab(trainingPage_, T(kWTraening));
  pcHest_->addTab(requirementPage_, T(kWBehov));

  pcInfo_ = new QTabWidget;
  tsOpplysninger_ = pcInfo_;
  tsOpplysninger_->setObjectName("tsOpplysninger");
  registrationPage_ = new HorseRegistrationPage(*this);
  pcInfo_->addTab(registrationPage_, T(kWOplysningerOmHesten));
  healthPage_ = new HorseHealthPage(*this);
  tsTreatments_ = healthPage_;

  pcForm_->addTab(tsHest_, T(kWHest));
  pcForm_->addTab(tsFeedsAndfeeding_, T(kWFoderOgFodring));
  pcForm_->addTab(tsOpplysninger_, T(kWInformation));
  pcForm_->addTab(tsTreatments_, T(kWBehandlinger));
  layout->addWidget(pcForm_, 1);

  auto* buttons = new QHBoxLayout;
  auto* update = new QPushButton("&" + T(kWOpdatere), this);
  update->setObjectName("btnUpdateHorse");
  auto* save = new QPushButton("&" + T(kWGem), this);
  save->setObjectName("btnSave");
  auto* close = new QPushButton("&" + T(kWLuk), this);
  close->setObjectName("btnClose");
  buttons->addWidget(update);
  buttons->addStretch();
  buttons->addWidget(save);
  buttons->addWidget(close);
  layout->addLayout(buttons);

  BuildMenu(menuHorse_);
  // The bar sits inside the main window, whose own bar's letters it must not take.
  AssignMnemonics(bar, services_.main ? MnemonicsOf(services_.main->menuBar()) : QSet<QChar>{});

  // The show step: the record, the summary, the new-horse hint, the ban.
  pcForm_->setCurrentWidget(tsHest_);
  pcHest_->setCurrentWidget(infoPage_);
  lastHorsePage_ = pcHest_->currentIndex();
  ShowRecord();
  if (horse.ErNy) infoPage_->FocusName();
  RefreshBanIcon();
  StoreSignature();

  // What the pages offer each other goes through the window.
  connect(weightPage_, &HorseWeightPage::BreedWeightOffered, infoPage_, &HorseInformationPage::OfferAdultWeight);
  connect(infoPage_, &HorseInformationPage::AddToDiaryRequested, this,
          [this] { registrationPage_->Diary()->AddSummary(false); });
  // Every edit reaches the pages as the editor's flags; after the window let its record go
  // nothing is repainted.
  auto* relay = new EditorRelay(*editor_, this);
  connect(relay, &EditorRelay::Changed, this, [this](unsigned changed) {
    if (!dead_) Edited(changed);
  });
  connect(update, &QPushButton::clicked, this, [this] {
    if (!dead_) UpdateStep();
  });
  connect(save, &QPushButton::clicked, this, [this] {
    if (!dead_) SaveHorseCommand();
  });
  connect(close, &QPushButton::clicked, this, [this] {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
      sub->close();
    else
      this->close();
  });
  connect(banIcon_, &ClickLabel::doubleClicked, this, [this] {
    if (!dead_) ShowBanTreatment();
  });
  connect(pcForm_, &QTabWidget::currentChanged, this, [this] {
    if (!dead_) PageEntered();
  });
  connect(pcHest_, &QTabWidget::currentChanged, this, [this](int index) {
    if (dead_) return;
    if (lastHorsePage_ == pcHest_->indexOf(infoPage_) && index != lastHorsePage_) InformationPageLeft();
    lastHorsePage_ = index;
    PageEntered();
  });
  // A requirement formula that fails for this horse is told when the window opens, not
  // only at the first edit.
  QTimer::singleShot(0, this, [this] {
    if (!dead_) Recalculate();
  });
  resize(980, 680);
}

HorseWindow::~HorseWindow() {
  // The pages go first: a discarded record must outlive everything that points to it.
  delete pcForm_;
}

Record* HorseWindow::record() const { return horse_; }

HorseDiary* HorseWindow::Diary() const { return registrationPage_->Diary(); }

void HorseWindow::TryFeed(const TFor& feed, const TForListe& from) {
  if (dead_) return;
  editor_->Ration().AddFeed(feed, from);
  rationPage_->Refresh();
  pcForm_->setCurrentWidget(tsFeedsAndfeeding_);
  rationPage_->ShowAmountsPage();
}

std::filesystem::path HorseWindow::HorseDirectory() const {
  if (horse_->stable) return horse_->stable->HorseDirectory(*horse_);
  return services_.app->preferences.TempDirectory();
}

QString HorseWindow::CaptionText() const {
  const std::string name = L(infoPage_ ? infoPage_->TypedName() : Q(horse_->Navn));
  if (horse_->stable) return Q(name + "  (" + horse_->stable->stallNavn + ")");
  return Q(name);
}

void HorseWindow::RenameCaption(const std::string& name) {
  miHorseDefinition_->setText(T(kWHest) + ": \"" + MenuLiteral(Q(name)) + "\"");
  AssignMnemonics(menuHorse_);
  setWindowTitle(CaptionText());
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->setWindowTitle(CaptionText());
}

void HorseWindow::NameApplied() {
  RenameCaption(horse_->Navn);
  emit RecordChanged();
}

bool HorseWindow::ApplyName() { return infoPage_->ApplyName(); }

void HorseWindow::BuildMenu(QMenu* m) {
  const std::string maintenance =
      CountrySettings::NameAt(services_.app->settings.categoryNames, Ord(TDyreKategori::Vedlikehold));
  const QString toMaintenance = QStringLiteral(" (") + T(kWTil) + " " + Q(FirstLetterLower(maintenance)) + ")";
  miHorseDefinition_ = m->addAction(QString(), this, [this] {
    pcForm_->setCurrentWidget(tsHest_);
    pcHest_->setCurrentWidget(infoPage_);
  });
  miHorseDefinition_->setObjectName("miHorseDefinition");
  m->addAction(T(kWInformation), this, [this] {
     pcForm_->setCurrentWidget(tsOpplysninger_);
   })->setObjectName("miHorseInfo");
  m->addAction(T(kWBestemFodermaengder), this, [this] {
     pcForm_->setCurrentWidget(tsFeedsAndfeeding_);
   })->setObjectName("miHorseFeedAmounts");
  m->addAction(T(kWVaelg) + " " + T(kWFoder), this, [this] {
     pcForm_->setCurrentWidget(tsFeedsAndfeeding_);
   })->setObjectName("miDiet");
  // The menu is not reached once the window has let its record go (it is closing); only
  // the save shortcut below could still come.
  m->addAction(T(kWFoderplan), this, [this] {
     pcForm_->setCurrentWidget(tsFeedsAndfeeding_);
     rationPage_->ShowFeedPlanPage();
   })->setObjectName("miShowDiet");
  m->addAction(Icon(IconKind::Save), T(kWGemFoderplanSom), this, [this] {
     rationPage_->SaveFeedPlanAs();
   })->setObjectName("miSavedietToFile");
  m->addAction(Icon(IconKind::Mail), T(kWEpost) + " " + Q(FirstLetterLower(Tr(kWFoderplan))), this, [this] {
     rationPage_->MailFeedPlan();
   })->setObjectName("miEmailDiet");
  QMenu* reset = m->addMenu(T(kWNulstilVaerdierFor));
  reset->setObjectName("miResetHorse");
  reset->addAction(T(kWFodermengder), this, [this] {
    editor_->Ration().ResetAmounts();
    rationPage_->Refresh();
    pcForm_->setCurrentWidget(tsFeedsAndfeeding_);
  });
  reset->addAction(T(kWValgtFoder), this, [this] {
    editor_->Ration().ResetChosenFeeds();
    rationPage_->Refresh();
    pcForm_->setCurrentWidget(tsFeedsAndfeeding_);
  });
  reset->addAction(T(kWHest) + toMaintenance, this, [this] { ResetHorse(false); })
      ->setObjectName("miResetHorseToDefault");
  reset
      ->addAction(Q(FirstLetterUpper(Tr(kWFoder))) + " + " + T(kWHest) + toMaintenance, this,
                  [this] { ResetHorse(true); })
      ->setObjectName("miResetHorseAndFeedsToDefault");
  m->addSeparator();
  m->addAction(Icon(IconKind::Delete), T(kWSlet) + " " + T(kWHest), this, [this] {
     DeleteHorse();
   })->setObjectName("miDeleteHorse");
  QAction* saveAction = m->addAction(Icon(IconKind::Save), T(kWGem) + " " + T(kWHest), this, [this] {
    if (!dead_) SaveHorseCommand();
  });
  saveAction->setObjectName("miSaveHorse");
  saveAction->setShortcut(QKeySequence::Save);
  saveAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  addAction(saveAction);
  m->addAction(Icon(IconKind::Mail), T(kWSendEmail), this, [this] { MailHorse({}); })->setObjectName("miEmailHorse");
}

// ---------------------------------------------------------------- record <-> controls

void HorseWindow::ShowRecord() {
  infoPage_->ShowRecord();
  RenameCaption(horse_->Navn);
  weightPage_->ShowRecord();
  trainingPage_->ShowRecord();
  registrationPage_->ShowRecord();
  ApplyVisibility();
}

void HorseWindow::TakeDataIntoRecord() {
  if (dead_) return;
  HorseEditor::Batch edit(*editor_);
  THest& h = *horse_;
  infoPage_->TakeDataIntoRecord();
  registrationPage_->TakeDataIntoRecord();
  if (h.Kategori == TDyreKategori::Ungdyr) weightPage_->TakeGirth();
  const TrainingControls c = ApplyTrainingControls(h, {infoPage_->PaddockChecked(), trainingPage_->Position()});
  trainingPage_->ShowPosition(c.trackPosition);
  h.AvledIntensitet();
  if (pcForm_->currentWidget() == tsTreatments_) healthPage_->StoreEditIfOpen();
  rationPage_->TakeDataIntoRecord();
  Recalculate();
}

bool HorseWindow::HasUnsavedChanges() const { return !dead_ && horse_->Fingerprint() != horse_->LagretSum; }

void HorseWindow::StoreSignature() {
  if (!dead_) horse_->LagretSum = horse_->Fingerprint();
}

// ---------------------------------------------------------------- edits and repaints

void HorseWindow::Recalculate(ChangeFlags changed) {
  if (!dead_) editor_->DataChanged(changed);
}

void HorseWindow::Edited(ChangeFlags changed) {
  infoPage_->Repaint(changed);
  weightPage_->Repaint(changed);
  trainingPage_->Repaint(changed);
  healthPage_->Repaint(changed);
  if (changed & (kHorseCategory | kHorseData | kRationAll)) ApplyVisibility();
  if (changed & kHorseTreatments) RefreshBanIcon();
  // A formula that failed leaves its nutrient at 0, which must not pass for a requirement.
  // Told after the edit that caused it is done, not in the middle of it; once for the
  // edits of one turn of the event loop.
  if (!horse_->formulaFaults.empty() && !faultsPending_) {
    faultsPending_ = true;
    QTimer::singleShot(0, this, [this] {
      faultsPending_ = false;
      if (!dead_) ReportFormulaFaults();
    });
  }
}

void HorseWindow::ReportFormulaFaults() {
  for (const FormulaFault& f : horse_->formulaFaults) {
    const std::string text = FormulaFaultText(f, SettingsOf(*horse_->env));
    if (std::find(shownFaults_.begin(), shownFaults_.end(), text) != shownFaults_.end()) continue;
    shownFaults_.push_back(text);
    Ask().Error(text);
  }
}

void HorseWindow::ApplyVisibility() {
  const THest& h = *horse_;
  pcForm_->setTabVisible(pcForm_->indexOf(tsFeedsAndfeeding_), !h.ErNy);
  pcHest_->setTabVisible(pcHest_->indexOf(requirementPage_), !h.ErNy);
  pcHest_->setTabVisible(pcHest_->indexOf(trainingPage_),
                         h.Kategori == TDyreKategori::Trening || h.Kategori == TDyreKategori::Drektig);
  infoPage_->ApplyVisibility();
  weightPage_->ApplyVisibility();
}

void HorseWindow::UpdateStep() {
  TakeDataIntoRecord();
  PageEntered();
}

void HorseWindow::PageEntered() {
  QWidget* tab = pcForm_->currentWidget();
  if (tab == tsTreatments_) {
    healthPage_->Enter();
    return;
  }
  if (tab == tsFeedsAndfeeding_) {
    rationPage_->Refresh();
    return;
  }
  if (tab != tsHest_) return;
  QWidget* page = pcHest_->currentWidget();
  if (page == weightPage_) {
    if (horse_->ErNy) {
      horse_->ErNy = false;
      ApplyVisibility();
    }
    weightPage_->Enter();
    infoPage_->RefreshSummary();
  } else if (page == infoPage_) {
    infoPage_->Enter();
  } else if (page == requirementPage_) {
    TakeDataIntoRecord();
    requirementPage_->ShowReport();
  } else if (page == trainingPage_) {
    trainingPage_->Refresh();
  }
}

void HorseWindow::InformationPageLeft() {
  if (horse_->VektListe->Antall() == 0) {
    horse_->VektListe->LeggTil(500, horse_->env->Today());
    editor_->WeighingsChanged();
  }
}

// ---------------------------------------------------------------- diary, treatments, mail

void HorseWindow::DiaryEdited() {
  horse_->LagretSum = static_cast<int32_t>(static_cast<uint32_t>(horse_->LagretSum) + 5u);
}

void HorseWindow::RefreshBanIcon() {
  horse_->TreatmentListe->UpdateBan();
  const std::string hint = BanHint(*horse_->TreatmentListe);
  banIcon_->setVisible(!hint.empty());
  banIcon_->setToolTip(ScreenText(hint));
}

void HorseWindow::ShowTreatmentsTab() {
  if (pcForm_->currentWidget() != tsTreatments_) pcForm_->setCurrentWidget(tsTreatments_);
}

void HorseWindow::OpenTreatment(TTreatmentObj& treatment) {
  ShowTreatmentsTab();
  healthPage_->EditTreatment(treatment);
}

void HorseWindow::ShowBanTreatment() {
  ShowTreatmentsTab();
  healthPage_->SelectBanTreatment();
}

void HorseWindow::MailHorse(const std::filesystem::path& attachment) {
  std::vector<std::filesystem::path> files;
  if (!attachment.empty()) files.push_back(attachment);
  Ask().Mail(horse_->Navn, files);
}

// ---------------------------------------------------------------- reset, delete

void HorseWindow::ResetHorse(bool withFeeds) {
  editor_->Reset(withFeeds);
  rationPage_->Refresh();
  ShowRecord();
  pcForm_->setCurrentWidget(tsHest_);
  pcHest_->setCurrentWidget(infoPage_);
}

void HorseWindow::DeleteHorse() {
  if (dead_ || !horse_->stable) return;
  if (!Ask().YesNo(Tr(kWBekraeftSletning) + " " + horse_->Navn)) return;
  TStall* stable = horse_->stable;
  const std::string name = horse_->Navn;
  StoreSignature();
  dead_ = true;
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
    sub->close();
  else
    close();
  std::string error;
  if (!stable->DeleteHorse(name, &error)) Ask().Error(error);
  if (services_.main) services_.main->RefreshTree();
}

void RegisterHorseWindow(AppWindows& windows) {
  windows.factories.horse = [](THest& horse, Services& services) -> RecordWindow* {
    return new HorseWindow(horse, services);
  };
}

}  // namespace stallora
