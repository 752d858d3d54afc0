#include "ui/preferences/preferencesdialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QMenu>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "forms/preferences_texts.h"
#include "render/qttext.h"
#include "ui/appwindows.h"
#include "ui/mainwindow.h"
#include "ui/models/editormodel.h"
#include "ui/preferences/companypage.h"
#include "ui/preferences/nutrientspage.h"
#include "ui/preferences/objectspage.h"
#include "ui/preferences/systempage.h"
#include "ui/preferences/treatmentspage.h"

namespace stallora {

PreferencesDialog::PreferencesDialog(Services& services, QWidget* parent) : QDialog(parent), services_(services) {
  setObjectName("frmPreferences");
  setWindowTitle(Q(Tr(kPfCaption)));
  editor_ = std::make_unique<PreferencesEditor>(*services.app, services.workspace);
  relay_ = new EditorRelay(*editor_, this);
  pages_ = new QTabWidget(this);
  pages_->setObjectName("pcPreferences");
  // In the editor's page order, so a page number is a tab index.
  auto* company = new CompanyPage(*this);
  auto* nutrients = new NutrientsPage(*this);
  auto* system = new SystemPage(*this);
  auto* objects = new ObjectsPage(*this);
  auto* treatments = new TreatmentsPage(*this);
  pages_->addTab(company, Q(Tr(kPfPageCompany)));
  pages_->addTab(nutrients, Q(Tr(kPfPageNutrients)));
  pages_->addTab(system, Q(Tr(kPfPageSystem)));
  pages_->addTab(objects, Q(Tr(kPfPageObjects)));
  pages_->addTab(treatments, Q(Tr(kPfPageTreatments)));
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* printer = buttons->addButton(Q(Tr(kPfPrinterSetup)), QDialogButtonBox::ActionRole);
  printer->setObjectName("btnPrinterSetup");
  QPushButton* close = buttons->addButton(Q(Tr(kPfClose)), QDialogButtonBox::AcceptRole);
  close->setObjectName("btnClose");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(printer, &QPushButton::clicked, this, [this] {
    QPrinter setup;
    services_.prompts->SetupPrinter(setup);
  });
  connect(relay_, &EditorRelay::Changed, company, &CompanyPage::Repaint);
  connect(relay_, &EditorRelay::Changed, nutrients, &NutrientsPage::Repaint);
  connect(relay_, &EditorRelay::Changed, system, &SystemPage::Repaint);
  connect(relay_, &EditorRelay::Changed, objects, &ObjectsPage::Repaint);
  connect(relay_, &EditorRelay::Changed, treatments, &TreatmentsPage::Repaint);
  resize(820, 560);
}

PreferencesDialog::~PreferencesDialog() = default;

void PreferencesDialog::ShowPage(int page) {
  const int shown = page < 0 || page >= pages_->count() ? pages_->currentIndex() : page;
  const auto which = static_cast<PreferencesPage>(shown);
  editor_->Show(which);
  pages_->setCurrentIndex(static_cast<int>(which));
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
  main.Windows().treatmentRegister = [m](QWidget* parent) {
    if (m->Windows().preferences) m->Windows().preferences(parent, static_cast<int>(PreferencesPage::Treatments));
  };
  for (const char* name :
       {"actPrefCompany", "actPrefNutrients", "actPrefSystem", "actPrefObjects", "actPrefTreatments"})
    if (auto* a = main.findChild<QAction*>(name)) a->setEnabled(true);
}

}  // namespace stallora
