#include "ui/preferences/companypage.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/fileio.h"
#include "forms/preferences_texts.h"
#include "render/qttext.h"
#include "ui/preferences/preferencesdialog.h"

namespace stallora {

namespace {
// A line edit that stores its text when it is left.
QLineEdit* Field(QWidget* parent, const char* name, PreferencesEditor& editor, CompanyField field) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  QObject::connect(edit, &QLineEdit::editingFinished, parent,
                   [edit, &editor, field] { editor.SetField(field, L(edit->text())); });
  return edit;
}
}  // namespace

CompanyPage::CompanyPage(PreferencesDialog& dialog) : QWidget(&dialog), dialog_(dialog) {
  setObjectName("tsCompany");
  PreferencesEditor& e = dialog.Editor();
  mInfo_ = new QPlainTextEdit(this);
  mInfo_->setObjectName("mFirmaInfo");
  edCompany_ = Field(this, "edConsultantCompany", e, CompanyField::CompanyName);
  edConsultant_ = Field(this, "edKonsulent", e, CompanyField::Consultant);
  edMobile_ = Field(this, "edMobile", e, CompanyField::Mobile);
  edMail_ = Field(this, "edMail", e, CompanyField::Mail);
  imgLogo_ = new QLabel(this);
  imgLogo_->setObjectName("imgLogo");
  imgLogo_->setFixedWidth(173);
  imgLogo_->setFrameShape(QFrame::Box);
  auto* btnLogo = new QPushButton(Q(Tr(kPfLogo)), this);
  btnLogo->setObjectName("btnLogo");
  btnDeleteLogo_ = new QPushButton(Q(Tr(kPfSlet) + " " + Tr(kPfBilde)), this);
  btnDeleteLogo_->setObjectName("btnDeleteLogo");

  auto* form = new QFormLayout;
  form->addRow(Q(Tr(kPfInfoText)), mInfo_);
  form->addRow(Q(Tr(kPfCompanyName)), edCompany_);
  form->addRow(Q(Tr(kPfConsultant)), edConsultant_);
  form->addRow(Q(Tr(kPfMobile)), edMobile_);
  form->addRow(Q(Tr(kPfMail)), edMail_);
  auto* logo = new QVBoxLayout;
  logo->addWidget(imgLogo_);
  logo->addWidget(btnLogo);
  logo->addWidget(btnDeleteLogo_);
  logo->addStretch();
  auto* row = new QHBoxLayout;
  row->addLayout(form, 1);
  row->addLayout(logo);
  auto* page = new QVBoxLayout(this);
  page->addLayout(row);
  page->addWidget(new QLabel(Q(Tr(kPfFooterNote)), this));

  // The information text is stored when the field is left, as the others are.
  mInfo_->installEventFilter(this);
  connect(btnLogo, &QPushButton::clicked, this, &CompanyPage::ChooseLogo);
  connect(btnDeleteLogo_, &QPushButton::clicked, this, [this] { dialog_.Editor().DeleteLogo(); });
}

bool CompanyPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == mInfo_ && event->type() == QEvent::FocusOut)
    dialog_.Editor().SetField(CompanyField::InfoText, L(mInfo_->toPlainText().replace('\n', "\r\n")));
  return QWidget::eventFilter(watched, event);
}

void CompanyPage::Repaint(unsigned changed) {
  const PreferencesEditor& e = dialog_.Editor();
  if (changed & kPrCompany) {
    mInfo_->setPlainText(Q(e.Field(CompanyField::InfoText)).replace("\r\n", "\n"));
    edCompany_->setText(Q(e.Field(CompanyField::CompanyName)));
    edConsultant_->setText(Q(e.Field(CompanyField::Consultant)));
    edMobile_->setText(Q(e.Field(CompanyField::Mobile)));
    edMail_->setText(Q(e.Field(CompanyField::Mail)));
  }
  if (changed & kPrLogo) {
    const QPixmap picture(QString::fromStdString(e.ShownLogo().string()));
    if (picture.isNull())
      imgLogo_->clear();
    else
      imgLogo_->setPixmap(picture.scaledToWidth(170, Qt::SmoothTransformation));
    btnDeleteLogo_->setEnabled(e.LogoDeleteEnabled());
  }
}

void CompanyPage::ChooseLogo() {
  Prompts& ask = *dialog_.services().prompts;
  const QString file =
      ask.OpenFileName(Q(Tr(kPfAdresse)), QString::fromStdString(dialog_.Editor().LogoDirectory().string()),
                       QStringLiteral("Image files (*.jpg *.jpeg *.bmp)"));
  if (file.isEmpty()) return;
  if (auto problem = dialog_.Editor().ChooseLogo(std::filesystem::path(file.toStdString()))) ask.Error(*problem);
}

}  // namespace stallora
