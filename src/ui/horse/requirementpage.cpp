#include "ui/horse/requirementpage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ration/horse_reports.h"
#include "render/qttext.h"
#include "ui/clipboard.h"
#include "ui/horseoutputs.h"
#include "ui/horsetexts.h"
#include "ui/horsewindow.h"
#include "ui/htmlview.h"
#include "ui/icons.h"

namespace stallora {

using namespace horsetext;

HorseRequirementPage::HorseRequirementPage(HorseWindow& window) : window_(window) {
  setObjectName("tsRequirements");
  auto* layout = new QVBoxLayout(this);
  lblEnergySystem_ = new QLabel(this);
  lblEnergySystem_->setObjectName("lblEnergySystem");
  lblEnergySystem_->setWordWrap(true);
  wbRequirements_ = new HtmlView(this);
  wbRequirements_->setObjectName("wbRequirements");
  auto* buttons = new QHBoxLayout;
  auto* print = new QPushButton(Icon(IconKind::Print), T(kWUdskrift), this);
  print->setObjectName("btnPrint_Requirements");
  auto* copy = new QPushButton(T(kWKopier), this);
  copy->setObjectName("btnClipCopy_Requirements");
  auto* store = new QPushButton(Icon(IconKind::Save), T(kWGem), this);
  store->setObjectName("btnStore_Requirements");
  auto* mail = new QPushButton(Icon(IconKind::Mail), T(kWEpost), this);
  mail->setObjectName("btnEmail_Requirements");
  for (auto* b : {print, copy, store, mail}) buttons->addWidget(b);
  buttons->addStretch();
  layout->addWidget(lblEnergySystem_);
  layout->addWidget(wbRequirements_, 1);
  layout->addLayout(buttons);
  // The buttons act on the report the page shows; they are not reached after closing.
  connect(print, &QPushButton::clicked, this, [this] { PrintView(window_, *wbRequirements_); });
  connect(copy, &QPushButton::clicked, this, [this] { CopyHtmlToClipboard(report_); });
  connect(store, &QPushButton::clicked, this,
          [this] { StorePage(window_, kRequirementReport, report_, kWBehovLower); });
  connect(mail, &QPushButton::clicked, this, [this] { MailReport(); });
}

void HorseRequirementPage::ShowReport() {
  AppContext& app = *window_.services().app;
  if (app.active)
    lblEnergySystem_->setText(ScreenText(app.active->Beskrivelse(app.settings, app.regional.decimalSeparator)));
  HorseReports reports(window_.Horse(), window_.HorseDirectory());
  report_ = reports.LagBehovside();
  std::string error;
  reports.Skriv(kRequirementReport, report_, &error);
  wbRequirements_->ShowReport(report_, window_.HorseDirectory());
}

void HorseRequirementPage::MailReport() {
  HorseReports reports(window_.Horse(), window_.HorseDirectory());
  std::string error;
  const auto path = reports.Skriv(kRequirementReport, reports.LagBehovside(), &error);
  if (path.empty()) {
    window_.Ask().Error(error);
    return;
  }
  window_.MailHorse(path);
}

}  // namespace stallora
