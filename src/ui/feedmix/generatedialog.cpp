#include "ui/feedmix/generatedialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/feedmix_texts.h"
#include "forms/generate_form.h"
#include "render/qttext.h"
#include "ui/qtext.h"

namespace stallora {

GenerateDialog::GenerateDialog(GenerateForm& form, QWidget* parent) : QDialog(parent), form_(form) {
  setObjectName("TfrmGenerateForliste");
  setWindowTitle(Q(form.Caption()));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* sourceBox = new QGroupBox(T(kGnVaelgFraUdvalg), this);
  auto* sourceLayout = new QVBoxLayout(sourceBox);
  source_ = new QComboBox(sourceBox);
  source_->setObjectName("cbSource");
  for (const std::string& n : form.SourceNames()) source_->addItem(Q(n));
  source_->setCurrentIndex(form.SourceIndex());
  sourceLayout->addWidget(source_);
  layout->addWidget(sourceBox);

  brandBox_ = new QGroupBox(this);
  brandBox_->setObjectName("gbBrands");
  auto* brandLayout = new QVBoxLayout(brandBox_);
  brands_ = new QListWidget(brandBox_);
  brands_->setObjectName("clbBrands");
  count_ = new QLabel(brandBox_);
  count_->setObjectName("lblCount");
  auto* buttons = new QHBoxLayout;
  auto* clear = new QPushButton(T(kGnSletValg), brandBox_);
  clear->setObjectName("btnClear");
  auto* all = new QPushButton(T(kGnVaelgAlle), brandBox_);
  all->setObjectName("btnAll");
  buttons->addWidget(clear);
  buttons->addWidget(all);
  buttons->addStretch();
  brandLayout->addWidget(brands_, 1);
  brandLayout->addWidget(count_);
  brandLayout->addLayout(buttons);
  layout->addWidget(brandBox_, 1);

  keepBox_ = new QGroupBox(Q(form.KeepBoxCaption()), this);
  keepBox_->setObjectName("gbKeep");
  auto* keepLayout = new QVBoxLayout(keepBox_);
  keepGeneric_ = new QCheckBox(T(kGnBeholdStandard), keepBox_);
  keepGeneric_->setObjectName("cbKeepGeneric");
  keepOwn_ = new QCheckBox(T(kGnBeholdEget), keepBox_);
  keepOwn_->setObjectName("cbKeepOwn");
  keepNotListed_ = new QCheckBox(keepBox_);
  keepNotListed_->setObjectName("cbKeepNotListed");
  keepGeneric_->setChecked(true);
  keepOwn_->setChecked(true);
  keepNotListed_->setChecked(false);
  keepLayout->addWidget(keepGeneric_);
  keepLayout->addWidget(keepOwn_);
  keepLayout->addWidget(keepNotListed_);
  layout->addWidget(keepBox_);

  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  box->setObjectName("buttons");
  box->button(QDialogButtonBox::Ok)->setObjectName("btnOK");
  box->button(QDialogButtonBox::Ok)->setText(T(kMxOK));
  box->button(QDialogButtonBox::Cancel)->setObjectName("btnCancel");
  box->button(QDialogButtonBox::Cancel)->setText(T(common::kAnnuller));
  layout->addWidget(box);

  connect(source_, &QComboBox::currentIndexChanged, this, [this] { SourceChosen(); });
  connect(brands_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (filling_) return;
    form_.SetCheck(brands_->row(item), item->checkState() == Qt::Checked);
    ShowCount();
  });
  connect(clear, &QPushButton::clicked, this, [this] {
    form_.ClearSelection();
    ShowBrands();
  });
  connect(all, &QPushButton::clicked, this, [this] {
    form_.SelectAll();
    ShowBrands();
  });
  connect(box, &QDialogButtonBox::accepted, this, [this] { Accepted(); });
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  SourceChosen();
  resize(520, 560);
}

void GenerateDialog::SourceChosen() {
  if (source_->currentIndex() != form_.SourceIndex()) form_.ChooseSource(source_->currentIndex());
  keepNotListed_->setText(Q(form_.NotListedCaption()));
  keepBox_->setVisible(form_.KeepBoxVisible());
  brandBox_->setTitle(Q(form_.BrandBoxCaption()));
  ShowBrands();
}

void GenerateDialog::ShowBrands() {
  filling_ = true;
  brands_->clear();
  const auto& names = form_.Brands();
  const auto& checks = form_.Checks();
  for (size_t i = 0; i < names.size(); ++i) {
    auto* item = new QListWidgetItem(Q(names[i]), brands_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(checks[i] ? Qt::Checked : Qt::Unchecked);
  }
  filling_ = false;
  ShowCount();
}

void GenerateDialog::ShowCount() { count_->setText(Q(form_.CountText())); }

void GenerateDialog::Accepted() {
  form_.keep.generic = keepGeneric_->isChecked();
  form_.keep.own = keepOwn_->isChecked();
  form_.keep.notListed = keepNotListed_->isChecked();
  // Without a source there is nothing to rebuild from: the dialog ends as cancelled.
  if (form_.Accept() < 0) {
    reject();
    return;
  }
  accept();
}

}  // namespace stallora
