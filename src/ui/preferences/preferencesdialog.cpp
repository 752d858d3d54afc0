#include "ui/preferences/preferencesdialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "forms/preferences_texts.h"
#include "render/qttext.h"
#include "ui/appwindows.h"
#include "ui/mainwindow.h"
#include "ui/models/editormodel.h"
#include "ui/preferences/companypage.h"
#include "ui/preferences/systempage.h"

namespace stallora {

PreferencesDialog::PreferencesDialog(Services& services, QWidget* parent) : QDialog(parent), services_(services) {
  setObjectName("frmPreferences");
  setWindowTitle(Q(Tr(kPfCaption)));
  editor_ = std::make_unique<PreferencesEditor>(*services.app, services.workspace);
  relay_ = new EditorRelay(*editor_, this);
  pages_ = new QTabWidget(this);
  pages_->setObjectName("pcPreferences");
  auto* company = new CompanyPage(*this);
  auto* system = new SystemPage(*this);
  pages_->addTab(company, Q(Tr(kPfPageCompany)));
  pages_->addTab(system, Q(Tr(kPfPageSystem)));
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* close = buttons->addButton(Q(Tr(kPfClose)), QDialogButtonBox::AcceptRole);
  close->setObjectName("btnClose");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(relay_, &EditorRelay::Changed, company, &CompanyPage::Repaint);
  connect(relay_, &EditorRelay::Changed, system, &SystemPage::Repaint);
  resize(760, 520);
}

PreferencesDialog::~PreferencesDialog() = default;

// The pages the dialog has today, by the editor's page numbering: the company page and the
// calculation-system page.
void PreferencesDialog::ShowPage(int page) {
  const auto which = page == 2 ? PreferencesPage::System : page < 0 ? editor_->Page() : PreferencesPage::Company;
  editor_->Show(which);
  pages_->setCurrentIndex(which == PreferencesPage::System ? 1 : 0);
  show();
  raise();
  activateWindow();
}

void RegisterPreferencesWindows(MainWindow& main) {
  MainWindow* m = &main;
  auto dialog = std::make_shared<QPointer<PreferencesDialog>>();
  main.Windows().preferences = [m, dialog](QWidget*, int page) {
    if (!*dialog) *dialog = new PreferencesDialog(m->services(), m);
    (*dialog)->ShowPage(page);
  };
  for (const char* name : {"actPrefCompany", "actPrefSystem"})
    if (auto* a = main.findChild<QAction*>(name)) a->setEnabled(true);
}

}  // namespace stallora
