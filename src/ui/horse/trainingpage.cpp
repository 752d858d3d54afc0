#include "ui/horse/trainingpage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "forms/horse_form.h"
#include "render/qttext.h"
#include "ui/horsetexts.h"
#include "ui/horsewindow.h"
#include "ui/mainwindow.h"
#include "ui/models/amountsmodel.h"
#include "ui/widgets/numberdelegate.h"
#include "ui/widgets/spinner.h"

namespace stallora {

using namespace horsetext;

HorseTrainingPage::HorseTrainingPage(HorseWindow& window, AmountsModel& amounts) : window_(window), amounts_(amounts) {
  setObjectName("tsTrening");
  auto* layout = new QVBoxLayout(this);
  const CountrySettings& s = window_.services().app->settings;
  tbTreningsMengde_ = new QSlider(Qt::Horizontal, this);
  tbTreningsMengde_->setObjectName("tbTreningsMengde");
  tbTreningsMengde_->setRange(0, 100);
  tbTreningsMengde_->setTickInterval(25);
  tbTreningsMengde_->setTickPosition(QSlider::TicksBelow);
  tbTreningsMengde_->setPageStep(5);
  layout->addWidget(tbTreningsMengde_);
  auto* marks = new QHBoxLayout;
  for (int i = 0; i <= 4; ++i) {
    const QString text = i == 0 ? QStringLiteral("0") : Q(CountrySettings::NameAt(s.workNames, i - 1));
    auto* mark = new QPushButton(text, this);
    mark->setObjectName(QStringLiteral("lblWork%1").arg(i));
    mark->setFlat(true);
    marks->addWidget(mark);
    if (i < 4) marks->addStretch();
    connect(mark, &QPushButton::clicked, this, [this, i] { tbTreningsMengde_->setValue(i * 25); });
  }
  layout->addLayout(marks);
  lblEnergibehov_ = new QLabel(this);
  lblEnergibehov_->setObjectName("lblEnergibehov");
  lblRationEnergy_ = new QLabel(this);
  lblRationEnergy_->setObjectName("lblRationEnergy");
  lblWarning_ = new QLabel(this);
  lblWarning_->setObjectName("lblWarning");
  lblWarning_->setStyleSheet(QStringLiteral("color: red"));
  imgEnergyBar_ = new QLabel(this);
  imgEnergyBar_->setObjectName("imgEnergyBar");
  imgEnergyBar_->setFixedSize(500, 40);
  // The ration tab's amounts, in a second view: the same texts, units and steps.
  otAllocations2_ = new QTableView(this);
  otAllocations2_->setObjectName("otAllocations2");
  otAllocations2_->setModel(&amounts_);
  otAllocations2_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  otAllocations2_->verticalHeader()->hide();
  otAllocations2_->setSelectionMode(QAbstractItemView::SingleSelection);
  otAllocations2_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked);
  otAllocations2_->setItemDelegateForColumn(AmountsModel::kAmount, new NumberDelegate(4, 2, otAllocations2_));
  auto* spinner = new Spinner("Spinner2", this, [this](bool up) {
    if (window_.Dead()) return;
    RationEditor& ration = window_.Editor().Ration();
    const int rows = ration.Ration().Count();
    if (rows == 0) return;
    int row = otAllocations2_->currentIndex().row();
    if (row < 0 || row >= rows) row = 0;
    ration.StepAmount(row, up);
    otAllocations2_->setCurrentIndex(amounts_.index(row, AmountsModel::kAmount));
  });
  spinner->AddKeys(otAllocations2_);
  auto* help = new QToolButton(this);
  help->setText(QStringLiteral("?"));
  auto* labels = new QHBoxLayout;
  labels->addWidget(lblEnergibehov_);
  labels->addWidget(lblRationEnergy_);
  labels->addStretch();
  labels->addWidget(help);
  layout->addLayout(labels);
  layout->addWidget(lblWarning_);
  layout->addWidget(imgEnergyBar_);
  auto* amountsRow = new QHBoxLayout;
  amountsRow->addWidget(otAllocations2_, 1);
  amountsRow->addWidget(spinner, 0, Qt::AlignTop);
  layout->addLayout(amountsRow, 1);
  connect(tbTreningsMengde_, &QSlider::valueChanged, this, [this](int v) {
    if (!window_.Dead()) Moved(v);
  });
  connect(help, &QToolButton::clicked, this, [this] {
    window_.services().main->OpenInfoPage(T(kWTraening),
                                          window_.services().app->preferences.ManualPage() + "/horses/training");
  });
}

void HorseTrainingPage::ShowRecord() {
  ShowPosition(static_cast<int>(std::lround(window_.Horse().TreningsMengde * 100)));
  Refresh();
}

int HorseTrainingPage::Position() const { return tbTreningsMengde_->value(); }

// The slider shows what the rules made of a position without it being a move of the user.
void HorseTrainingPage::ShowPosition(int position) {
  const QSignalBlocker block(tbTreningsMengde_);
  tbTreningsMengde_->setValue(position);
}

void HorseTrainingPage::Moved(int position) {
  // The slider and the fields it reads are one edit.
  HorseEditor::Batch edit(window_.Editor());
  window_.Editor().SetTraining(position);
  window_.TakeDataIntoRecord();
}

void HorseTrainingPage::Repaint(ChangeFlags changed) {
  // A category (or a reset horse) brings its own training amount.
  if (changed & kHorseCategory) ShowPosition(static_cast<int>(std::lround(window_.Horse().TreningsMengde * 100)));
  Refresh();
}

void HorseTrainingPage::Refresh() {
  const THest& h = window_.Horse();
  lblEnergibehov_->setText(ScreenText(EnergyRequirementLabel(h, tbTreningsMengde_->value())));
  lblRationEnergy_->setText(Q(RationEnergyLabel(h)));
  lblWarning_->setText(ScreenText(PregnancyTrainingWarning(h)));
  const bool feeds = h.ForListe->Count() > 0;
  imgEnergyBar_->setVisible(feeds);
  otAllocations2_->setVisible(feeds);
  if (!feeds) return;
  const double dm = h.ForListe->Supply(25);
  const double roughage = dm > 0 ? h.ForListe->Supply(24) * 100 / dm : 0;
  QImage image(imgEnergyBar_->size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPointSize(8);
  p.setFont(font);
  const EnergyBar bar = ComputeEnergyBar(image.width(), h.Tilforsel[0], h.Behov[0], roughage);
  const QString text =
      T(kWBehov) + ": " + ScreenText(EnergyRequirementLabel(h, tbTreningsMengde_->value())).section('\n', 1);
  const int textHeight = p.fontMetrics().height();
  p.setPen(Qt::red);
  p.drawText(QRect(0, 2, bar.line - 5, textHeight), Qt::AlignRight | Qt::AlignTop, text);
  const int y = 12 + textHeight / 2;
  if (bar.valid) {
    if (bar.redEnd > 0) {
      p.fillRect(0, y, bar.redEnd, 20, Qt::red);
    } else {
      p.fillRect(0, y, bar.greenEnd, 20, Qt::green);
      p.fillRect(bar.greenEnd, y, bar.yellowEnd - bar.greenEnd, 20, Qt::yellow);
    }
  }
  p.setPen(QPen(Qt::red, 2));
  p.drawLine(bar.line, y - 2, bar.line, y + 22);
  p.end();
  imgEnergyBar_->setPixmap(QPixmap::fromImage(image));
  imgEnergyBar_->setToolTip(Q(EnergyBarHint(roughage, h.env->regional.decimalSeparator)));
}

}  // namespace stallora
