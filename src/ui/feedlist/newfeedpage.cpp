#include "ui/feedlist/newfeedpage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "feeds/feedlist.h"
#include "forms/feedlist_texts.h"
#include "ui/feedlist/feedlistwindow.h"

namespace stallora {

namespace {
void FillCombo(QComboBox* box, const std::vector<std::string>& names, int current) {
  const QSignalBlocker block(box);
  bool same = box->count() == static_cast<int>(names.size());
  for (int i = 0; same && i < box->count(); ++i) same = box->itemText(i) == Q(names[static_cast<size_t>(i)]);
  if (!same) {
    box->clear();
    for (const auto& n : names) box->addItem(Q(n));
  }
  box->setCurrentIndex(current);
}
}  // namespace

NewFeedPage::NewFeedPage(FeedListWindow& window) : FeedListPageBase(window) {
  setObjectName("tsNewFeed");
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  auto* form = new QFormLayout;
  name_ = new QLineEdit;
  name_->setObjectName("edNewFeedName");
  name_->setMaxLength(255);
  category_ = new QComboBox;
  category_->setObjectName("cbNewCategory");
  templateList_ = new QComboBox;
  templateList_->setObjectName("cbTemplateList");
  form->addRow(Q(Tr(kFodernavn)), name_);
  form->addRow(TUpper(common::kFoder2), category_);
  form->addRow(T(kFlUdgangsFoder), templateList_);
  left->addLayout(form);
  sameCategory_ = new QCheckBox(T(kFlSammeKategori));
  sameCategory_->setObjectName("cbSameCategory");
  alsoOther_ = new QCheckBox(T(kFlOgsaaAndenListe));
  alsoOther_->setObjectName("cbAlsoOtherList");
  left->addWidget(sameCategory_);
  auto* tb = new QHBoxLayout;
  auto* choose = new QPushButton(T(kFlUdgangsknap));
  choose->setObjectName("btnTemplate");
  auto* none = new QPushButton(T(kFlUdenUdgangsfoder));
  none->setObjectName("btnNoTemplate");
  tb->addWidget(choose);
  tb->addWidget(none);
  left->addLayout(tb);
  templateLabel_ = new QLabel;
  templateLabel_->setObjectName("lbTemplate");
  templateLabel_->setWordWrap(true);
  left->addWidget(templateLabel_);
  left->addWidget(alsoOther_);
  left->addStretch();
  auto* bb = new QHBoxLayout;
  ready_ = new QPushButton(T(kFlKlar));
  ready_->setObjectName("btnReady");
  auto* abort = new QPushButton(T(kFlAfbryd));
  abort->setObjectName("btnAbortNewFeed");
  auto* help = new QPushButton(T(kFlHjaelp));
  help->setObjectName("btnNewFeedHelp");
  bb->addWidget(help);
  bb->addStretch();
  bb->addWidget(abort);
  bb->addWidget(ready_);
  left->addLayout(bb);
  layout->addLayout(left, 1);
  templateBox_ = new QGroupBox;
  templateBox_->setObjectName("gbTemplates");
  auto* tl = new QVBoxLayout(templateBox_);
  templates_ = new QListWidget;
  templates_->setObjectName("lbTemplates");
  tl->addWidget(templates_);
  layout->addWidget(templateBox_, 1);

  connect(name_, &QLineEdit::textEdited, this, [this](const QString& t) { Editor().SetNewFeedName(L(t)); });
  connect(category_, &QComboBox::activated, this, [this](int i) { Editor().SetNewFeedCategory(i); });
  connect(templateList_, &QComboBox::activated, this, [this](int i) { Editor().ChooseTemplateList(i); });
  connect(sameCategory_, &QCheckBox::toggled, this, [this](bool on) {
    if (!filling_) Editor().SetSameCategory(on);
  });
  connect(alsoOther_, &QCheckBox::toggled, this, [this](bool on) {
    if (!filling_) Editor().SetAlsoOtherList(on);
  });
  connect(choose, &QPushButton::clicked, this, [this] { Editor().ShowTemplates(); });
  connect(none, &QPushButton::clicked, this, [this] { Editor().ChooseNoTemplate(); });
  connect(templates_, &QListWidget::itemClicked, this, [this] { Editor().ChooseTemplate(templates_->currentRow()); });
  connect(ready_, &QPushButton::clicked, this, [this] {
    Editor().SetNewFeedName(L(name_->text()));
    Editor().NewFeedReady();
  });
  connect(abort, &QPushButton::clicked, this, [this] { Editor().NewFeedAbort(); });
  connect(help, &QPushButton::clicked, this, [this] { window_.ShowHelp(FeedListPage::NewFeed); });
}

void NewFeedPage::Refresh(unsigned changed) {
  if (!(changed & (kFlcNewFeed | kFlcPages))) return;
  const NewFeedView& v = Editor().NewFeed();
  filling_ = true;
  if (name_->text() != Q(v.name)) name_->setText(Q(v.name));
  FillCombo(category_, v.categoryNames, v.category);
  FillCombo(templateList_, v.templateLists, v.templateList);
  sameCategory_->setChecked(v.sameCategory);
  alsoOther_->setChecked(v.alsoOtherList);
  templateBox_->setVisible(v.templateBoxVisible);
  templateBox_->setTitle(Q(v.templateCaption));
  FillList(templates_, v.templateNames);
  templateLabel_->setText(Lines(v.templateLabel));
  ready_->setEnabled(v.readyEnabled);
  filling_ = false;
  if ((changed & kFlcPages) && Editor().Page() == FeedListPage::NewFeed)
    QTimer::singleShot(0, name_, [n = name_] { n->setFocus(); });
}

}  // namespace stallora
