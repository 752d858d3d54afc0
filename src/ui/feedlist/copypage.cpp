#include "ui/feedlist/copypage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

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

FeedCopyPage::FeedCopyPage(FeedListWindow& window) : FeedListPageBase(window) {
  setObjectName("tsCopy");
  auto* layout = new QHBoxLayout(this);
  targetBox_ = new QGroupBox;
  targetBox_->setObjectName("gbCopyTarget");
  auto* tl = new QVBoxLayout(targetBox_);
  target_ = new QListWidget;
  target_->setObjectName("lbCopyTarget");
  tl->addWidget(target_, 1);
  auto* tb = new QHBoxLayout;
  clear_ = new QPushButton(T(kFlTomListen));
  clear_->setObjectName("btnClearTarget");
  sort_ = new QPushButton(T(kFlSorter));
  sort_->setObjectName("btnSortTarget");
  tb->addWidget(clear_);
  tb->addWidget(sort_);
  tl->addLayout(tb);
  layout->addWidget(targetBox_, 1);

  auto* donorBox = new QGroupBox(T(kFlKopierFra));
  auto* dl = new QVBoxLayout(donorBox);
  donor_ = new QComboBox;
  donor_->setObjectName("cbDonor");
  group_ = new QComboBox;
  group_->setObjectName("cbCopyGroup");
  dl->addWidget(donor_);
  dl->addWidget(group_);
  choices_ = new QListWidget;
  choices_->setObjectName("lbCopyChoices");
  choices_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  dl->addWidget(choices_, 1);
  auto* db = new QGridLayout;
  full_ = new QPushButton;
  full_->setObjectName("btnCopyFullList");
  groupButton_ = new QPushButton;
  groupButton_->setObjectName("btnCopyGroup");
  selected_ = new QPushButton(T(kFlKopierValgte));
  selected_->setObjectName("btnCopySelected");
  db->addWidget(full_, 0, 0);
  db->addWidget(groupButton_, 0, 1);
  db->addWidget(selected_, 1, 0, 1, 2);
  dl->addLayout(db);
  layout->addWidget(donorBox, 1);

  duplicates_ = new QGroupBox;
  duplicates_->setObjectName("gbDuplicates");
  auto* xl = new QVBoxLayout(duplicates_);
  duplicateList_ = new QListWidget;
  duplicateList_->setObjectName("lbDuplicates");
  duplicateLabel_ = new QLabel;
  duplicateLabel_->setObjectName("lbDuplicate");
  xl->addWidget(duplicateList_, 1);
  xl->addWidget(duplicateLabel_);
  auto* copyThis = new QPushButton(T(kFlKopierDenne));
  copyThis->setObjectName("btnCopyDuplicate");
  auto* copyAll = new QPushButton(T(kFlKopierAlle));
  copyAll->setObjectName("btnCopyAllDuplicates");
  skip_ = new QPushButton(T(kFlSpringOver));
  skip_->setObjectName("btnSkipDuplicate");
  auto* cancel = new QPushButton(T(kFlAfbryd));
  cancel->setObjectName("btnCancelDuplicates");
  for (QPushButton* b : {copyThis, copyAll, skip_, cancel}) xl->addWidget(b);
  layout->addWidget(duplicates_, 1);
  duplicates_->hide();

  connect(donor_, &QComboBox::activated, this, [this](int i) { Editor().ChooseDonor(i); });
  connect(group_, &QComboBox::activated, this, [this](int i) { Editor().ChooseCopyGroup(i); });
  connect(choices_, &QListWidget::itemSelectionChanged, this, [this] {
    if (filling_) return;
    std::vector<bool> selected(static_cast<size_t>(choices_->count()), false);
    for (int i = 0; i < choices_->count(); ++i) selected[static_cast<size_t>(i)] = choices_->item(i)->isSelected();
    Editor().SetCopySelection(selected);
  });
  connect(choices_, &QListWidget::itemDoubleClicked, this, [this] { Editor().CopySelected(); });
  connect(full_, &QPushButton::clicked, this, [this] { Editor().CopyFullList(); });
  connect(groupButton_, &QPushButton::clicked, this, [this] { Editor().CopyGroup(); });
  connect(selected_, &QPushButton::clicked, this, [this] { Editor().CopySelected(); });
  connect(clear_, &QPushButton::clicked, this, [this] { Editor().ClearTarget(); });
  connect(sort_, &QPushButton::clicked, this, [this] { Editor().SortTarget(); });
  connect(duplicateList_, &QListWidget::itemClicked, this,
          [this] { Editor().SelectDuplicate(duplicateList_->currentRow()); });
  connect(copyThis, &QPushButton::clicked, this, [this] { Editor().CopyCurrentDuplicate(); });
  connect(copyAll, &QPushButton::clicked, this, [this] { Editor().CopyAllDuplicates(); });
  connect(skip_, &QPushButton::clicked, this, [this] { Editor().SkipDuplicate(); });
  connect(cancel, &QPushButton::clicked, this, [this] { Editor().CancelDuplicates(); });
}

void FeedCopyPage::Refresh(unsigned changed) {
  if (!(changed & (kFlcCopy | kFlcPages | kFlcTree))) return;
  const CopyView& v = Editor().Copy();
  filling_ = true;
  targetBox_->setTitle(Q(v.targetCaption));
  FillList(target_, v.targetNames);
  FillCombo(donor_, v.donors, v.donor);
  FillCombo(group_, v.groups, v.group);
  bool same = choices_->count() == static_cast<int>(v.choices.size());
  for (int i = 0; same && i < choices_->count(); ++i)
    same = choices_->item(i)->text() == Q(v.choices[static_cast<size_t>(i)]);
  if (!same) {
    choices_->clear();
    for (const auto& n : v.choices) choices_->addItem(Q(n));
  }
  for (int i = 0; i < choices_->count(); ++i)
    choices_->item(i)->setSelected(static_cast<size_t>(i) < v.selected.size() && v.selected[static_cast<size_t>(i)]);
  full_->setText(Q(v.fullListButton));
  groupButton_->setText(Q(v.groupButton));
  groupButton_->setEnabled(v.groupEnabled);
  full_->setEnabled(v.donor >= 0);
  selected_->setEnabled(v.copySelectedEnabled);
  clear_->setEnabled(v.clearEnabled);
  sort_->setEnabled(v.sortEnabled);
  const bool wasHidden = duplicates_->isHidden();
  duplicates_->setVisible(v.duplicatesVisible);
  duplicates_->setTitle(Q(v.duplicatesCaption));
  FillList(duplicateList_, v.duplicates);
  if (v.duplicate >= 0 && v.duplicate < duplicateList_->count()) duplicateList_->setCurrentRow(v.duplicate);
  duplicateLabel_->setText(Q(v.duplicateLabel));
  // While names wait for a decision the focus stays in the box.
  if (v.duplicatesVisible && wasHidden) skip_->setFocus();
  filling_ = false;
}

}  // namespace stallora
