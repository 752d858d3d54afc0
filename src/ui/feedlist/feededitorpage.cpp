#include "ui/feedlist/feededitorpage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>
#include <filesystem>

#include "core/textutil.h"
#include "feeds/feed.h"
#include "feeds/feedlist.h"
#include "ui/mainwindow.h"
#include "forms/feedlist_texts.h"
#include "ui/feedlist/feedlistwindow.h"
#include "ui/horse/pagehelpers.h"
#include "ui/models/feedlistmodels.h"
#include "ui/widgets/clicklabel.h"
#include "ui/widgets/numberdelegate.h"

namespace stallora {

FeedEditorPage::FeedEditorPage(FeedListWindow& window) : FeedListPageBase(window) {
  setObjectName("tsFeeds");
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  auto* form = new QFormLayout;
  name_ = new QLineEdit;
  name_->setObjectName("edFeedName");
  name_->setMaxLength(255);
  price_ = new QLineEdit;
  price_->setObjectName("edPrice");
  priceLabel_ = new QLabel;
  category_ = new QComboBox;
  category_->setObjectName("cbCategory");
  for (const auto& n : SettingsOf(*Editor().List().env).feedTypeNames) category_->addItem(Q(n));
  brand_ = new QLineEdit;
  brand_->setObjectName("edBrand");
  brandLabel_ = new ClickLabel;
  brandLabel_->setObjectName("lbBrand");
  brandLabel_->setToolTip(T(kFlDobbeltklikValg));
  brandLabel_->setCursor(Qt::PointingHandCursor);
  carotene_ = new QCheckBox(T(kFlKarotenrikt));
  carotene_->setObjectName("cbCarotene");
  unitWeight_ = new QLineEdit;
  unitWeight_->setObjectName("edUnitWeight");
  origin_ = new QSpinBox;
  origin_->setObjectName("edOrigin");
  origin_->setRange(0, 999);
  originText_ = new QLabel;
  originText_->setObjectName("lbOrigin");
  userText_ = new QPlainTextEdit;
  userText_->setObjectName("edUserText");
  userText_->setMaximumHeight(60);
  form->addRow(Q(Tr(kFodernavn)), name_);
  form->addRow(priceLabel_, price_);
  form->addRow(TUpper(common::kFoder2), category_);
  form->addRow(T(kFlLeverandoer), brand_);
  form->addRow(QString(), brandLabel_);
  form->addRow(QString(), carotene_);
  form->addRow(T(kFlEnhedsvaegt), unitWeight_);
  form->addRow(originText_, origin_);
  form->addRow(T(kFlBrugertekst), userText_);
  left->addLayout(form);
  auto* dmBox = new QGroupBox(T(kFlAngivEgenVaerdi));
  auto* dl = new QFormLayout(dmBox);
  dryMatter_ = new QLineEdit;
  dryMatter_->setObjectName("edDryMatter");
  dl->addRow(Q(Tr(kTorstofProcent)), dryMatter_);
  left->addWidget(dmBox);
  auto* basisBox = new QGroupBox(T(kFlNaeringsindhold));
  auto* bl = new QHBoxLayout(basisBox);
  perFeed_ = new QRadioButton(Q(Tr(kPrKgFoder)));
  perFeed_->setObjectName("rbPerKgFeed");
  perDryMatter_ = new QRadioButton(Q(Tr(kPerKgTorrstoff)));
  perDryMatter_->setObjectName("rbPerKgDryMatter");
  bl->addWidget(perFeed_);
  bl->addWidget(perDryMatter_);
  left->addWidget(basisBox);
  status_ = new QLabel;
  status_->setObjectName("lbStatus");
  status_->setWordWrap(true);
  position_ = new QLabel;
  position_->setObjectName("lbPosition");
  energy_ = new QLabel;
  energy_->setObjectName("lbEnergy");
  energy_->setWordWrap(true);
  left->addWidget(status_);
  left->addWidget(position_);
  left->addWidget(energy_);
  left->addStretch();
  layout->addLayout(left, 1);

  auto* right = new QVBoxLayout;
  grid_ = new QTableView;
  grid_->setObjectName("sgAnalysis");
  grid_->setModel(window.AnalysisModel());
  grid_->setItemDelegateForColumn(FeedAnalysisModel::kValue, new NumberDelegate(6, 3, grid_));
  grid_->verticalHeader()->hide();
  grid_->horizontalHeader()->setSectionResizeMode(FeedAnalysisModel::kName, QHeaderView::Stretch);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                         QAbstractItemView::AnyKeyPressed);
  grid_->installEventFilter(this);
  right->addWidget(grid_, 1);
  auto* buttons = new QHBoxLayout;
  previous_ = new QPushButton("<");
  previous_->setObjectName("btnPreviousFeed");
  next_ = new QPushButton(">");
  next_->setObjectName("btnNextFeed");
  ok_ = new QPushButton(T(kFlOk));
  ok_->setObjectName("btnFeedOk");
  cancel_ = new QPushButton(T(kFlAfbryd));
  cancel_->setObjectName("btnFeedCancel");
  print_ = new QPushButton(T(kFlUdskrift));
  print_->setObjectName("btnFeedPrint");
  mail_ = new QPushButton(T(kFlEpost));
  mail_->setObjectName("btnFeedMail");
  auto* help = new QPushButton(T(kFlHjaelp));
  help->setObjectName("btnFeedHelp");
  for (QPushButton* b : {previous_, next_}) buttons->addWidget(b);
  buttons->addStretch();
  for (QPushButton* b : {print_, mail_, help, cancel_, ok_}) buttons->addWidget(b);
  right->addLayout(buttons);
  layout->addLayout(right, 1);

  Field(name_, &FeedListEditor::SetFeedName);
  Field(price_, &FeedListEditor::SetFeedPrice);
  Field(brand_, &FeedListEditor::SetFeedBrand);
  Field(dryMatter_, &FeedListEditor::SetFeedDryMatter);
  Field(unitWeight_, &FeedListEditor::SetFeedUnitWeight);
  userText_->installEventFilter(this);
  connect(category_, &QComboBox::activated, this, [this](int index) {
    if (!filling_ && !Editor().SetFeedCategory(index)) Show();
  });
  connect(carotene_, &QCheckBox::toggled, this, [this](bool on) {
    if (!filling_) Editor().SetFeedCarotene(on);
  });
  connect(origin_, &QSpinBox::editingFinished, this, [this] {
    if (!filling_ && !Editor().SetFeedOrigin(origin_->value())) Show();
  });
  connect(perDryMatter_, &QRadioButton::toggled, this, [this](bool on) {
    if (!filling_) Editor().SetPerDryMatter(on);
  });
  connect(previous_, &QPushButton::clicked, this, [this] { Editor().StepFeed(false); });
  connect(next_, &QPushButton::clicked, this, [this] { Editor().StepFeed(true); });
  connect(ok_, &QPushButton::clicked, this, [this] {
    // An open cell editor hands in its value first.
    grid_->setFocus();
    Editor().FeedOk();
  });
  connect(cancel_, &QPushButton::clicked, this, [this] { Editor().FeedCancel(); });
  connect(print_, &QPushButton::clicked, this, [this] {
    const std::string name = Editor().EditedFeed() ? Editor().EditedFeed()->Fornavn : std::string();
    window_.ShowHtml(Editor().FeedPrintPage(), name);
  });
  connect(mail_, &QPushButton::clicked, this, [this] { Mail(); });
  connect(help, &QPushButton::clicked, this, [this] { window_.ShowHelp(FeedListPage::Feed); });
  connect(brandLabel_, &ClickLabel::clicked, this, [this] { BrandClicked(); });
}

void FeedEditorPage::Field(QLineEdit* edit, bool (FeedListEditor::*set)(const std::string&)) {
  connect(edit, &QLineEdit::editingFinished, this, [this, edit, set] {
    // Only what the user typed goes to the editor: leaving a field unchanged (a locked one
    // among them) says nothing.
    if (filling_ || !Editor().EditedFeed() || !edit->isModified()) return;
    edit->setModified(false);
    if (!(Editor().*set)(L(edit->text()))) {
      Show();
      KeepFocus(edit);
    }
  });
}

bool FeedEditorPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == userText_ && event->type() == QEvent::FocusOut && !filling_ && Editor().EditedFeed())
    Editor().SetFeedUserText(MemoLines(userText_));
  if (watched == grid_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    // Enter goes down the value column, from the last row back to the first.
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && grid_->model()->rowCount() > 0) {
      const int rows = grid_->model()->rowCount();
      const int row = (grid_->currentIndex().row() + 1) % rows;
      grid_->setCurrentIndex(grid_->model()->index(row, FeedAnalysisModel::kValue));
      return true;
    }
  }
  return FeedListPageBase::eventFilter(watched, event);
}

void FeedEditorPage::Refresh(unsigned changed) {
  if (changed & (kFlcFeed | kFlcPages | kFlcTree)) Show();
}

void FeedEditorPage::Show() {
  const EditedFeedView v = Editor().FeedView();
  filling_ = true;
  const auto set = [](QLineEdit* e, const std::string& text) {
    if (e->text() != Q(text)) e->setText(Q(text));
  };
  set(name_, v.name);
  set(price_, v.price);
  set(brand_, v.brand);
  set(dryMatter_, v.dryMatter);
  set(unitWeight_, v.unitWeight);
  priceLabel_->setText(Q(Tr(kFoderpris) + " " + Editor().List().env->regional.currencySymbol + "/kg"));
  if (MemoLines(userText_) != v.userText) ShowMemoLines(userText_, v.userText);
  category_->setCurrentIndex(v.category);
  carotene_->setChecked(v.carotene);
  origin_->setValue(v.origin);
  originText_->setText(Q(v.originText));
  brandLabel_->setText("<u>" + Q(v.brandLabel).toHtmlEscaped() + "</u>");
  (v.perDryMatter ? perDryMatter_ : perFeed_)->setChecked(true);
  name_->setReadOnly(!v.nameEditable);
  category_->setEnabled(v.active && v.categoryEditable);
  brand_->setReadOnly(!v.brandEditable);
  dryMatter_->setEnabled(v.active && v.perDryMatter && v.dryMatterEditable);
  price_->setReadOnly(!v.priceEditable);
  grid_->setEnabled(v.active);
  status_->setText(Q(v.statusText));
  position_->setText(Q(v.position));
  energy_->setText(Q(v.energyDescription + "\n" + v.proteinName));
  previous_->setEnabled(v.previousEnabled);
  next_->setEnabled(v.nextEnabled);
  for (QWidget* w :
       {static_cast<QWidget*>(ok_), static_cast<QWidget*>(cancel_), static_cast<QWidget*>(print_),
        static_cast<QWidget*>(mail_), static_cast<QWidget*>(perFeed_), static_cast<QWidget*>(perDryMatter_)})
    w->setEnabled(v.active);
  filling_ = false;
}

void FeedEditorPage::Mail() {
  std::string subject;
  const auto file = Editor().WriteFeedMailFile(&subject);
  if (!file) return;
  window_.Ask().Mail(subject, {*file});
}

void FeedEditorPage::BrandClicked() {
  const auto address = Editor().BrandWebAddress();
  if (address && window_.services().main) window_.services().main->OpenInfoPage(Q(*address), *address);
}

}  // namespace stallora
