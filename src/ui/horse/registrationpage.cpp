#include "ui/horse/registrationpage.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

#include "forms/horse_form.h"
#include "render/qttext.h"
#include "ui/horse/pagehelpers.h"
#include "ui/horsediary.h"
#include "ui/horsetexts.h"
#include "ui/horsewindow.h"
#include "ui/infobrowser.h"
#include "ui/mainwindow.h"
#include "ui/widgets/dates.h"

namespace stallora {

using namespace horsetext;

namespace {
// The external site about equine life numbers.
constexpr const char* kUelnSite = "https://www.ueln.net/";
}  // namespace

HorseRegistrationPage::HorseRegistrationPage(HorseWindow& window) : window_(window) {
  setObjectName("tsHesteOpplysninger");
  auto* layout = new QHBoxLayout(this);
  auto* left = new QFormLayout;
  auto* uelnRow = new QHBoxLayout;
  edUELN_ = new QLineEdit(this);
  edUELN_->setObjectName("edUELN");
  edUELN_->setMaxLength(15);
  auto* uelnButton = new QToolButton(this);
  uelnButton->setObjectName("btnUELN");
  uelnButton->setText(QStringLiteral("UELN"));
  uelnRow->addWidget(edUELN_);
  uelnRow->addWidget(uelnButton);
  left->addRow(T(kWUeln) + ":", uelnRow);
  dtpInnPaStall_ = NewDateEdit(this, "dtpInnPaStall");
  left->addRow(T(kWIndPaaStalden) + ":", dtpInnPaStall_);
  eFar_ = new QLineEdit(this);
  eFar_->setObjectName("eFar");
  left->addRow(T(kWFar) + ":", eFar_);
  eMor_ = new QLineEdit(this);
  eMor_->setObjectName("eMor");
  left->addRow(T(kWMor) + ":", eMor_);
  mAvtegn_ = new QPlainTextEdit(this);
  mAvtegn_->setObjectName("mAvtegn");
  mKondisjon_ = new QPlainTextEdit(this);
  mKondisjon_->setObjectName("mKondisjon");
  mEierOpplysninger_ = new QPlainTextEdit(this);
  mEierOpplysninger_->setObjectName("mEierOpplysninger");
  for (auto* m : {mAvtegn_, mKondisjon_, mEierOpplysninger_}) m->setTabChangesFocus(true);
  left->addRow(T(kWAftegn) + ":", mAvtegn_);
  left->addRow(T(kWKondition) + ":", mKondisjon_);
  left->addRow(T(kWEjeroplysninger) + ":", mEierOpplysninger_);
  layout->addLayout(left, 2);
  diary_ = new HorseDiary(window_, this);
  layout->addWidget(diary_, 3);
  connect(edUELN_, &QLineEdit::editingFinished, this, [this] {
    if (!window_.Dead()) RegistrationNumberLeft();
  });
  connect(uelnButton, &QToolButton::clicked, this, [this] {
    MainWindow* main = window_.services().main;
    InfoBrowser* w = InfoBrowser::OpenWindow(T(kWUeln), QUrl(QString::fromLatin1(kUelnSite)), main,
                                             main ? main->Opener() : ExternalOpener{});
    if (w) w->show();
  });
}

void HorseRegistrationPage::ShowRecord() {
  const THest& h = window_.Horse();
  edUELN_->setText(Q(h.RegNr));
  eFar_->setText(Q(h.Father));
  eMor_->setText(Q(h.Mother));
  SetDate(dtpInnPaStall_, h.InnPaStall);
  ShowMemoLines(mAvtegn_, h.AvtegnMemo);
  ShowMemoLines(mKondisjon_, h.KondisjonMemo);
  ShowMemoLines(mEierOpplysninger_, h.EierOpplysningerMemo);
  diary_->Load(h.DiaryMemo);
}

void HorseRegistrationPage::TakeDataIntoRecord() {
  THest& h = window_.Horse();
  diary_->Store();
  h.AvtegnMemo = MemoLines(mAvtegn_);
  h.KondisjonMemo = MemoLines(mKondisjon_);
  h.EierOpplysningerMemo = MemoLines(mEierOpplysninger_);
  h.RegNr = L(edUELN_->text());
  h.Father = L(eFar_->text());
  h.Mother = L(eMor_->text());
  h.InnPaStall = DayFromQDate(dtpInnPaStall_->date());
}

void HorseRegistrationPage::RegistrationNumberLeft() {
  if (auto problem = RegistrationNumberProblem(L(edUELN_->text()))) {
    window_.Ask().Error(*problem);
    KeepFocus(edUELN_);
    return;
  }
  window_.Horse().RegNr = L(edUELN_->text());
}

}  // namespace stallora
