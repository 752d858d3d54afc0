#include "ui/roughagewizard.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/seams.h"
#include "nutrition/hest.h"
#include "ui/qtext.h"
#include "ui/rationtexts.h"

namespace stallora {
namespace {


}  // namespace

RoughageWizard::RoughageWizard(TForListe& source, THest& horse, Messages* messages, QWidget* parent)
    : QDialog(parent), source_(source), horse_(horse), messages_(messages), choice_(GroupRoughages(source)) {
  setObjectName("frmRoughages");
  setWindowTitle(Q(horse.Navn + ": " + Tr(kRwGrovfoder)));
  auto* layout = new QVBoxLayout(this);
  auto* caption = new QLabel(T(kRwVaelgEtEllerFlere), this);
  QFont bold = caption->font();
  bold.setBold(true);
  bold.setPointSize(bold.pointSize() + 2);
  caption->setFont(bold);
  layout->addWidget(caption);

  auto* grid = new QGridLayout;
  const Text* titles[kRoughageGroups] = {&kRwTort, &kRwVaad, &kRwGraes, &kRwRegion};
  for (int g = 0; g < kRoughageGroups; ++g) {
    const QString title = g == kLocalRoughage ? T(kRwVaelg) + " " + T(kRwGrovfoderLower) : T(*titles[g]);
    auto* box = new QGroupBox(title, this);
    box->setObjectName(QString("gbRoughage%1").arg(g));
    auto* boxLayout = new QVBoxLayout(box);
    auto* list = new QListWidget(box);
    list->setObjectName(QString("clbRoughage%1").arg(g));
    list->setToolTip(T(kRwKlikBoksen));
    for (size_t k = 0; k < choice_.names[static_cast<size_t>(g)].size(); ++k) {
      auto* item = new QListWidgetItem(Q(choice_.names[static_cast<size_t>(g)][k]), list);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
      item->setCheckState(choice_.checked[static_cast<size_t>(g)][k] ? Qt::Checked : Qt::Unchecked);
    }
    // Space toggles the current entry, as a click on the box does.
    connect(list, &QListWidget::itemActivated, this, [](QListWidgetItem* item) {
      item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    });
    boxLayout->addWidget(list);
    auto* help = new QToolButton(box);
    help->setText("?");
    help->setObjectName(QString("btnRoughageHelp%1").arg(g));
    help->setToolTip(g == kPastureGrass ? T(kRwInfoAfgraesning) : T(kRwInformation) + ": " + T(*titles[g]));
    connect(help, &QToolButton::clicked, this, [this, g] {
      if (openHelp) openHelp(RoughageHelpPage(g));
    });
    boxLayout->addWidget(help, 0, Qt::AlignRight);
    grid->addWidget(box, g / 2, g % 2);
    lists_[static_cast<size_t>(g)] = list;
    boxes_[static_cast<size_t>(g)] = box;
  }
  boxes_[kLocalRoughage]->setVisible(!choice_.names[kLocalRoughage].empty());
  layout->addLayout(grid, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* go = new QPushButton(T(kRwFortsaet), this);
  go->setObjectName("btnFortsaet");
  go->setDefault(true);
  buttons->addWidget(go);
  layout->addLayout(buttons);
  connect(go, &QPushButton::clicked, this, &RoughageWizard::Continue);

  // Beside the horse's window, where the user looks.
  resize(739, 687);
  if (parent && parent->window()) {
    QWidget* main = parent->window();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(main)) main = sub->window();
    move(main->geometry().topLeft() + QPoint(40, 87));
  }
}

RoughageChoice RoughageWizard::Choice() const {
  RoughageChoice c = choice_;
  for (int g = 0; g < kRoughageGroups; ++g)
    for (int k = 0; k < lists_[static_cast<size_t>(g)]->count(); ++k)
      c.checked[static_cast<size_t>(g)][static_cast<size_t>(k)] =
          lists_[static_cast<size_t>(g)]->item(k)->checkState() == Qt::Checked;
  return c;
}

void RoughageWizard::Continue() {
  const RoughageChoice c = Choice();
  if (!ApplyRoughageChoice(c, source_, *horse_.ForListe)) {
    if (messages_) messages_->Inform(Tr(kRwKunEnGraes));
    else QMessageBox::information(this, windowTitle(), T(kRwKunEnGraes));
    return;
  }
  applied_ = true;
  accept();
}

}  // namespace stallora
