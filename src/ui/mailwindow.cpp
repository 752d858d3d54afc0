#include "ui/mailwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "render/pictures.h"
#include "render/qtcanvas.h"
#include "ui/qtext.h"
#include "ui/widgets/tableheight.h"
#include "ration/horse_reports.h"
#include "forms/mail_form.h"
#include "stable/online_service.h"
#include "stable/stall.h"
#include "ui/icons.h"
#include "ui/mainwindow.h"
#include "ui/welcomewindow.h"

#ifdef STALLORA_HAVE_NET
#include "net/mail_sender.h"
#endif

namespace stallora {
namespace {


// The charts of the graphics page, painted by Qt and written as JPEG.
class QtPictureWriter final : public PictureWriter {
 public:
  bool WriteJpeg(int width, int height, const std::function<void(Canvas&)>& draw,
                 const std::filesystem::path& path) override {
    if (width <= 0 || height <= 0) return false;
    ImageCanvas picture(width, height);
    draw(picture.canvas());
    return stallora::WriteJpeg(picture.Finish(), path);
  }
};

int HandToMailProgram(const OutgoingMail& mail, Messages& messages) {
#ifdef STALLORA_HAVE_NET
  net::MailRequest request;
  request.subject = mail.subject;
  request.body = mail.body;
  request.recipients = mail.recipients;
  request.attachments = mail.attachments;
  request.senderAddress = mail.senderAddress;
  request.senderName = mail.senderName;
  return net::SendMail(request, messages);
#else
  messages.Error(MailResultMessage(-1));
  return -1;
#endif
}

QListWidget* CheckList(const char* name, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  return list;
}

void FillCheckList(QListWidget* list, const std::vector<std::string>& items) {
  const QSignalBlocker block(list);
  list->clear();
  for (const std::string& text : items) {
    auto* item = new QListWidgetItem(Q(text), list);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
  }
}

void UntickAll(QListWidget* list) {
  for (int i = 0; i < list->count(); ++i) list->item(i)->setCheckState(Qt::Unchecked);
}

bool Ticked(const QListWidget* list, int row) {
  return row >= 0 && row < list->count() && list->item(row)->checkState() == Qt::Checked;
}


}  // namespace

MailWindow::MailWindow(MainWindow& main) : QDialog(&main), main_(main) {
  setObjectName("frmMail");
  setWindowIcon(Icon(IconKind::Mail));
  setWindowTitle(T(kMwEpost));
  sender = HandToMailProgram;

  auto* layout = new QVBoxLayout(this);
  pcMail_ = new QTabWidget(this);
  pcMail_->setObjectName("pcMail");
  auto* page = new QWidget(pcMail_);
  page->setObjectName("tsHorseMail");
  auto* pl = new QGridLayout(page);

  auto* top = new QHBoxLayout;
  btnExecute_ = new QPushButton(T(kMwSkriv), page);
  btnExecute_->setObjectName("btnExecute");
  btnExecute_->setIcon(Icon(IconKind::Mail));
  btnNullStill_ = new QPushButton(T(kMwNulstil), page);
  btnNullStill_->setObjectName("btnNullStill");
  top->addWidget(btnExecute_);
  top->addWidget(btnNullStill_);
  top->addStretch();

  gbIncludeRecipients_ = new QGroupBox(T(kMwModtager), page);
  gbIncludeRecipients_->setObjectName("gbIncludeRecipients");
  auto* rl = new QHBoxLayout(gbIncludeRecipients_);
  cbStableowner_ = new QCheckBox(T(kMwStaldensEjer), gbIncludeRecipients_);
  cbStableowner_->setObjectName("cbStableowner");
  cbHorseowner_ = new QCheckBox(T(kMwHesteejer), gbIncludeRecipients_);
  cbHorseowner_->setObjectName("cbHorseowner");
  rl->addWidget(cbStableowner_);
  rl->addWidget(cbHorseowner_);
  rl->addStretch();

  grbStallInfo_ = new QGroupBox(T(kMwStaldInfo), page);
  grbStallInfo_->setObjectName("grbStallInfo");
  auto* sl = new QVBoxLayout(grbStallInfo_);
  lblStableReports_ = new QLabel(T(kMwStaldrapporter), grbStallInfo_);
  OvcCheckStableReports_ = CheckList("OvcCheckStableReports", grbStallInfo_);
  lblStableReports_->setBuddy(OvcCheckStableReports_);
  cbIncludeStableObjectFile_ = new QCheckBox(T(kMwStaldfil), grbStallInfo_);
  cbIncludeStableObjectFile_->setObjectName("cbIncludeStableObjectFile");
  sl->addWidget(lblStableReports_);
  sl->addWidget(OvcCheckStableReports_, 1);
  sl->addWidget(cbIncludeStableObjectFile_);

  grbHorseInfo_ = new QGroupBox(T(kMwHesteInfo), page);
  grbHorseInfo_->setObjectName("grbHorseInfo");
  auto* hl = new QVBoxLayout(grbHorseInfo_);
  lblSelectHorses_ = new QLabel(T(kMwVaelgHeste), grbHorseInfo_);
  OvcCheckSelectHorses_ = CheckList("OvcCheckSelectHorses", grbHorseInfo_);
  lblSelectHorses_->setBuddy(OvcCheckSelectHorses_);
  cbIncludeHorseObjectFile_ = new QCheckBox(T(kMwHestefil), grbHorseInfo_);
  cbIncludeHorseObjectFile_->setObjectName("cbIncludeHorseObjectFile");
  lblHorseReports_ = new QLabel(T(kMwHesterapporter), grbHorseInfo_);
  OvcCheckUtskrift_ = CheckList("OvcCheckUtskrift", grbHorseInfo_);
  lblHorseReports_->setBuddy(OvcCheckUtskrift_);
  cbIncludeTodaysRations_ = new QCheckBox(T(kMwDagensFoderplaner), grbHorseInfo_);
  cbIncludeTodaysRations_->setObjectName("cbIncludeTodaysRations");
  hl->addWidget(lblSelectHorses_);
  hl->addWidget(OvcCheckSelectHorses_, 1);
  hl->addWidget(cbIncludeHorseObjectFile_);
  hl->addWidget(lblHorseReports_);
  hl->addWidget(OvcCheckUtskrift_);
  hl->addWidget(cbIncludeTodaysRations_);

  pl->addLayout(top, 0, 0, 1, 2);
  pl->addWidget(gbIncludeRecipients_, 1, 0, 1, 2);
  pl->addWidget(grbStallInfo_, 2, 0);
  pl->addWidget(grbHorseInfo_, 2, 1);
  pl->setColumnStretch(0, 1);
  pl->setColumnStretch(1, 1);
  pcMail_->addTab(page, T(kMwSide));
  layout->addWidget(pcMail_, 1);

  auto* bottom = new QHBoxLayout;
  btnClose_ = new QPushButton(T(kMwLuk), this);
  btnClose_->setObjectName("btnClose");
  btnClose_->setIcon(Icon(IconKind::Close));
  bottom->addStretch();
  bottom->addWidget(btnClose_);
  layout->addLayout(bottom);
  for (QPushButton* b : {btnExecute_, btnNullStill_, btnClose_}) b->setAutoDefault(false);
  AssignAccelerators({btnExecute_, btnNullStill_, btnClose_, cbStableowner_, cbHorseowner_,
                      cbIncludeStableObjectFile_, cbIncludeHorseObjectFile_, cbIncludeTodaysRations_});

  FillCheckList(OvcCheckStableReports_, StableReportItems());
  FillCheckList(OvcCheckUtskrift_, HorseReportItems());
  FitListHeight(OvcCheckStableReports_, 5);
  FitListHeight(OvcCheckUtskrift_, kHorseMailItemCount);

  connect(btnExecute_, &QPushButton::clicked, this, &MailWindow::Execute);
  connect(btnNullStill_, &QPushButton::clicked, this, &MailWindow::Reset);
  connect(btnClose_, &QPushButton::clicked, this, [this] {
    Reset();
    close();
  });
  resize(720, 560);
}

Messages& MailWindow::Msg() { return *main_.services().prompts; }

void MailWindow::Reset() {
  UntickAll(OvcCheckStableReports_);
  UntickAll(OvcCheckSelectHorses_);
  UntickAll(OvcCheckUtskrift_);
  for (QCheckBox* c : {cbIncludeStableObjectFile_, cbIncludeHorseObjectFile_, cbHorseowner_, cbStableowner_})
    c->setChecked(false);
  attachments_.Clear();
}

void MailWindow::ForgetRecords() {
  horse_ = nullptr;
  stable_ = nullptr;
  FillCheckList(OvcCheckSelectHorses_, {});
  setWindowTitle(T(kMwEpost));
}

void MailWindow::RecordGoing(const Record& record) {
  if (&record == stable_) {
    ForgetRecords();
  } else if (&record == horse_) {
    horse_ = nullptr;
  }
}

void MailWindow::ValidateRecords() {
  bool stableFound = false, horseFound = false;
  for (const auto& s : main_.services().workspace->Stables()) {
    if (s.get() != stable_) continue;
    stableFound = true;
    for (const auto& h : s->Horses())
      if (h.get() == horse_) horseFound = true;
  }
  if (!stableFound) stable_ = nullptr;
  if (!horseFound) horse_ = nullptr;
}

void MailWindow::FillStableChoices() {
  pcMail_->setCurrentIndex(0);
  setWindowTitle(Q(stable_->stallNavn));
  FillCheckList(OvcCheckStableReports_, StableReportItems());
  FillCheckList(OvcCheckSelectHorses_, stable_->HorseNames());
}

void MailWindow::FillHorseChoices() {
  if (horse_)
    for (int i = 0; i < OvcCheckSelectHorses_->count(); ++i)
      OvcCheckSelectHorses_->item(i)->setCheckState(L(OvcCheckSelectHorses_->item(i)->text()) == horse_->Navn
                                                        ? Qt::Checked
                                                        : Qt::Unchecked);
  FillCheckList(OvcCheckUtskrift_, HorseReportItems());
  const auto ticked = HorseItemsForAttachments(attachments_);
  for (int i = 0; i < OvcCheckUtskrift_->count() && i < kHorseMailItemCount; ++i)
    if (ticked[static_cast<size_t>(i)]) OvcCheckUtskrift_->item(i)->setCheckState(Qt::Checked);
}

void MailWindow::Horsemail(THest* horse, const std::filesystem::path& file) {
  show();
  raise();
  activateWindow();
  Reset();
  if (!file.empty()) attachments_.Add(file);
  if (!horse || !horse->stable) return;
  horse_ = horse;
  stable_ = horse->stable;
  FillStableChoices();
  FillHorseChoices();
  setWindowTitle(Q(HorseMailCaption(horse_->Navn, stable_->stallNavn)));
  cbHorseowner_->setChecked(true);
  cbStableowner_->setChecked(false);
}

void MailWindow::Stablemail(TStall* stable, const std::filesystem::path& file) {
  show();
  raise();
  activateWindow();
  Reset();
  horse_ = nullptr;
  if (!file.empty()) attachments_.Add(file);
  if (!stable) return;
  stable_ = stable;
  FillStableChoices();
  FillHorseChoices();
  cbHorseowner_->setChecked(false);
  cbStableowner_->setChecked(true);
}

MailSelection MailWindow::Selection() const {
  MailSelection s;
  for (int k = 0; k < static_cast<int>(s.stableReports.size()); ++k)
    s.stableReports[static_cast<size_t>(k)] = Ticked(OvcCheckStableReports_, k);
  s.includeStableFile = cbIncludeStableObjectFile_->isChecked();
  s.stableOwner = cbStableowner_->isChecked();
  for (int i = 0; i < OvcCheckSelectHorses_->count(); ++i) s.horses.push_back(Ticked(OvcCheckSelectHorses_, i));
  for (int i = 0; i < kHorseMailItemCount; ++i) s.horseReports[static_cast<size_t>(i)] = Ticked(OvcCheckUtskrift_, i);
  s.includeHorseFile = cbIncludeHorseObjectFile_->isChecked();
  s.includeTodaysRations = cbIncludeTodaysRations_->isChecked();
  s.horseOwner = cbHorseowner_->isChecked();
  return s;
}

void MailWindow::Execute() {
  // A file given at opening has served only to tick its report.
  attachments_.Clear();
  ValidateRecords();
  ComposedMail mail;
  if (stable_) {
    const AppContext& app = *main_.services().app;
    QtPictureWriter pictures;
    WorkspaceMailReports reports(&pictures);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    mail = ComposeMail(*stable_, Selection(), reports, app.contacts, ReportDateTag(app.regional, app.Env().Today()),
                       HostOfAddress(app.preferences.resourceBase));
    QApplication::restoreOverrideCursor();
  }
  SendMail({}, mail.recipients, mail.attachments.Files());
  attachments_.Clear();
}

int MailWindow::SendMail(const std::string& subject, const std::vector<std::string>& recipients,
                         const std::vector<std::filesystem::path>& attachments, const std::string& senderAddress,
                         const std::string& senderName) {
  OutgoingMail mail;
  mail.subject = subject;
  mail.recipients = recipients;
  mail.attachments = attachments;
  mail.senderAddress = senderAddress;
  mail.senderName = senderName;
  return sender ? sender(mail, Msg()) : -1;
}

int MailWindow::SendAttachments() { return SendMail({}, {}, attachments_.Files()); }

int MailWindow::SimpleMail() {
  return SendMail({}, {}, {}, main_.services().app->preferences.HostEmailAdress);
}

void MailWindow::reject() {
  attachments_.Clear();
  QDialog::reject();
}

}  // namespace stallora
