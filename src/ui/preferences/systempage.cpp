#include "ui/preferences/systempage.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QProgressDialog>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "forms/preferences_texts.h"
#include "render/qttext.h"
#include "ui/icons.h"
#include "ui/mainwindow.h"
#include "ui/qtext.h"
#include "ui/preferences/preferencesdialog.h"

namespace stallora {

SystemPage::SystemPage(PreferencesDialog& dialog) : QWidget(&dialog), dialog_(dialog) {
  setObjectName("tsSystem");
  lblWarning_ = new QLabel(this);
  lblWarning_->setObjectName("lblWarning");
  lblActive_ = new QLabel(this);
  lblActive_->setObjectName("lblActive");
  rgSystem_ = new QGroupBox(Q(Tr(kPfGroupCaption)), this);
  rgSystem_->setObjectName("rgSystem");
  entries_ = new QVBoxLayout(rgSystem_);
  group_ = new QButtonGroup(this);
  // The warning sends the user to this button before a switch.
  auto* help = new QToolButton(this);
  help->setObjectName("btnSystemHelp");
  help->setIcon(Icon(IconKind::Help));
  help->setToolTip(Q(Tr(kPfHelpHint)));
  auto* warning = new QHBoxLayout;
  warning->addWidget(lblWarning_, 1);
  warning->addWidget(help, 0, Qt::AlignTop);
  auto* page = new QVBoxLayout(this);
  page->addLayout(warning);
  page->addWidget(lblActive_);
  page->addWidget(rgSystem_);
  page->addStretch();
  connect(group_, &QButtonGroup::idClicked, this, &SystemPage::Chosen);
  connect(help, &QToolButton::clicked, this, [this] {
    if (MainWindow* main = dialog_.services().main)
      main->OpenInfoPage(rgSystem_->title(), dialog_.Editor().HelpAddress());
  });
}

void SystemPage::Repaint(unsigned changed) {
  PreferencesEditor& e = dialog_.Editor();
  if (changed & kPrActive) {
    lblWarning_->setText(ScreenText(e.WarningText()));
    lblActive_->setText(Q(e.ActiveDescriptionLine()));
  }
  if (changed & kPrSystemEntries) {
    // The program's own selection is not the user's choice.
    PreferencesEditor::ProgramSelection own(e);
    const auto& texts = e.SystemEntries();
    QList<QAbstractButton*> buttons = group_->buttons();
    bool same = buttons.size() == static_cast<int>(texts.size());
    for (int i = 0; same && i < buttons.size(); ++i) same = buttons[i]->text() == Q(texts[static_cast<size_t>(i)]);
    if (!same) {
      // The button clicked may be among them: it goes once its signal is done.
      for (QAbstractButton* b : buttons) {
        group_->removeButton(b);
        b->hide();
        b->deleteLater();
      }
      for (size_t i = 0; i < texts.size(); ++i) {
        auto* b = new QRadioButton(Q(texts[i]), rgSystem_);
        b->setObjectName(QString("rbSystem%1").arg(i));
        group_->addButton(b, static_cast<int>(i));
        entries_->addWidget(b);
      }
    }
    group_->setExclusive(false);
    for (QAbstractButton* b : group_->buttons()) b->setChecked(group_->id(b) == e.SelectedSystemEntry());
    group_->setExclusive(true);
  }
}

void SystemPage::Chosen(int entry) {
  PreferencesEditor& e = dialog_.Editor();
  const std::optional<std::string> question = e.ChooseSystemEntry(entry);
  if (!question) return;
  Prompts& ask = *dialog_.services().prompts;
  if (ask.Ask(Prompts::Buttons::kOkCancel, *question, {}) != Prompts::Answer::kYes) {
    e.CancelSystemChange();
    return;
  }
  // The whole workspace is converted in memory, then written: the dialog shows the count.
  QProgressDialog progress(Q(Tr(kSwConverting)), QString(), 0, 0, this);
  progress.setObjectName("dlgSwitchProgress");
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  progress.setCancelButton(nullptr);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const SwitchOutcome out = e.ConfirmSystemChange([&](SwitchPhase phase, int done, int total) {
    const Text& what = phase == SwitchPhase::Converting ? kSwConverting
                       : phase == SwitchPhase::Writing  ? kSwWriting
                                                        : kSwReplacing;
    progress.setLabelText(Q(Tr(what)) + QString(" (%1/%2)").arg(done).arg(total));
    progress.setMaximum(total);
    progress.setValue(done);
    QApplication::processEvents();
  });
  QApplication::restoreOverrideCursor();
  progress.reset();
  if (!out.ok)
    ask.Error(out.message);
  else
    ask.Inform(Tr(kPfSwitched));
  if (out.ok && dialog_.services().main) dialog_.services().main->RefreshTree();
}

}  // namespace stallora
