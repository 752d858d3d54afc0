#include "ui/horsehealth.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <cmath>

#include "core/fileio.h"
#include "core/textutil.h"
#include "forms/horse_form.h"
#include "nutrition/report_common.h"
#include "nutrition/treatment_reports.h"
#include "render/qttext.h"
#include "ui/widgets/dates.h"
#include "ui/horseoutputs.h"
#include "ui/horsetexts.h"
#include "ui/appwindows.h"
#include "ui/horsewindow.h"
#include "ui/htmlview.h"
#include "ui/icons.h"
#include "ui/infobrowser.h"
#include "ui/mainwindow.h"
#include "ui/models/treatmentsmodel.h"

namespace stallora {

using namespace horsetext;

namespace {

QIcon StatusIcon(TreatmentStatus status) {
  switch (status) {
    case TreatmentStatus::Overdue: return Icon(IconKind::Overdue);
    case TreatmentStatus::DueSoon: return Icon(IconKind::DueSoon);
    case TreatmentStatus::PlannedLater: return Icon(IconKind::PlannedLater);
    case TreatmentStatus::None: break;
  }
  return QIcon();
}

QToolButton* ToolButton(QWidget* parent, const char* name, IconKind icon, const QString& text, const QString& hint) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setIcon(Icon(icon));
  b->setText(text);
  b->setToolTip(hint);
  b->setToolButtonStyle(text.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
  return b;
}

}  // namespace

HorseHealthPage::HorseHealthPage(HorseWindow& window) : window_(window) {
  setObjectName("tsTreatments");
  auto* layout = new QHBoxLayout(this);

  auto* left = new QVBoxLayout;
  auto* tools = new QHBoxLayout;
  new_ = ToolButton(this, "btnNewTreatment", IconKind::Vet, QString(), T(kWNy) + " " + T(kWBehandlingLower));
  sort_ = ToolButton(this, "btnGenerateTree", IconKind::Find, T(kWSorter), T(kWSorterHint));
  delete_ = ToolButton(this, "btnDeleteTreatment", IconKind::Delete, QString(), T(kWSlet) + " " + T(kWBehandlingLower));
  report_ = ToolButton(this, "btnReport", IconKind::Print, QString(), T(kWRapport) + ", " + T(kWBehandlingsliste));
  editRegister_ = ToolButton(this, "btnEditTreatments", IconKind::Formulas, QString(),
                             T(kWAendre) + " " + T(kWBehandlingsinformation));
  editRegister_->setVisible(window_.services().windows && window_.services().windows->treatmentRegister);
  auto* symbols = ToolButton(this, "btnSymbolHelp", IconKind::Help, QString(), T(kWSymbolernes));
  for (QToolButton* b : {new_, sort_, delete_, report_, editRegister_, symbols}) tools->addWidget(b);
  tools->addStretch();
  left->addLayout(tools);
  model_ = new TreatmentsModel(window_.Editor(), this);
  tree_ = new QTreeView(this);
  tree_->setObjectName("tvTreatments");
  tree_->setModel(model_);
  tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree_->setHeaderHidden(true);
  tree_->setToolTip(T(kWDobbeltklikOpret));
  tree_->setMinimumWidth(260);
  left->addWidget(tree_, 1);
  layout->addLayout(left, 2);

  auto* right = new QVBoxLayout;
  editor_ = new QGroupBox(this);
  editor_->setObjectName("grbTreatment");
  auto* edit = new QGridLayout(editor_);
  type_ = new QComboBox(editor_);
  type_->setObjectName("cbTreatmenttype");
  for (int i = 0; i < kTreatmentTypeCount; ++i) type_->addItem(Q(TreatmentTypeName(i)));
  name_ = new QComboBox(editor_);
  name_->setObjectName("cbTreatmentName");
  auto* addName = new QToolButton(editor_);
  addName->setObjectName("btnUsertreatmentName");
  addName->setText(QStringLiteral("+"));
  addName->setToolTip(T(kWLaegTilEgen));
  url_ = new QLabel(editor_);
  url_->setObjectName("lblTreatmentURL");
  url_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  notes_ = new QPlainTextEdit(editor_);
  notes_->setObjectName("meNotes");
  notes_->setTabChangesFocus(true);
  notes_->setMaximumHeight(70);
  cost_ = new QDoubleSpinBox(editor_);
  cost_->setObjectName("nfCost");
  cost_->setRange(0, 9999999);
  cost_->setDecimals(window_.services().app->Env().CurrencyDecimals());
  auto* typeLabel = new QLabel(T(kWBehandlingstype) + ":", editor_);
  typeLabel->setBuddy(type_);
  auto* nameLabel = new QLabel(T(kWBehandlingsnavn) + ":", editor_);
  nameLabel->setBuddy(name_);
  auto* notesLabel = new QLabel(T(kWNoteringer) + ":", editor_);
  notesLabel->setBuddy(notes_);
  auto* costLabel = new QLabel(T(kWOmkostninger) + ":", editor_);
  costLabel->setBuddy(cost_);
  edit->addWidget(typeLabel, 0, 0);
  edit->addWidget(type_, 0, 1, 1, 2);
  edit->addWidget(nameLabel, 1, 0);
  edit->addWidget(name_, 1, 1);
  edit->addWidget(addName, 1, 2);
  edit->addWidget(url_, 2, 1, 1, 2);
  edit->addWidget(notesLabel, 3, 0);
  edit->addWidget(notes_, 3, 1, 1, 2);
  edit->addWidget(costLabel, 4, 0);
  edit->addWidget(cost_, 4, 1);

  dates_ = new QGroupBox(editor_);
  dates_->setObjectName("grbDates");
  auto* dateGrid = new QGridLayout(dates_);
  plannedButton_ = new QPushButton(T(kWPlanlagt), dates_);
  plannedButton_->setObjectName("btnPlanneddate");
  planned_ = NewDateEdit(dates_, "dtpPlanned");
  doneButton_ = new QPushButton(T(kWUdfoert), dates_);
  doneButton_->setObjectName("btnDoneDate");
  doneLabel_ = new QLabel(T(kWUdfoert) + ":", dates_);
  done_ = NewDateEdit(dates_, "dtpDone");
  doneLabel_->setBuddy(done_);
  banButton_ = new QPushButton(T(kWStartforbud) + " ?", dates_);
  banButton_->setObjectName("btnOKToStartDate");
  banLabel_ = new QLabel(T(kWStartforbud) + " " + T(kWTilLower) + ":", dates_);
  ban_ = NewDateEdit(dates_, "dtpOKToStart");
  banLabel_->setBuddy(ban_);
  banImage_ = new QLabel(dates_);
  banImage_->setObjectName("imgBan");
  banImage_->setPixmap(Icon(IconKind::Ban).pixmap(20, 20));
  dateGrid->addWidget(plannedButton_, 0, 0);
  dateGrid->addWidget(planned_, 0, 1);
  dateGrid->addWidget(doneButton_, 1, 0);
  dateGrid->addWidget(doneLabel_, 2, 0);
  dateGrid->addWidget(done_, 2, 1);
  dateGrid->addWidget(banButton_, 3, 0);
  dateGrid->addWidget(banLabel_, 4, 0);
  dateGrid->addWidget(ban_, 4, 1);
  dateGrid->addWidget(banImage_, 4, 2);
  edit->addWidget(dates_, 5, 0, 1, 3);

  auto* editButtons = new QHBoxLayout;
  auto* reset =
      ToolButton(editor_, "btnResetTreatment", IconKind::Back, QString(), T(kWNulstil) + " " + T(kWBehandlingLower));
  auto* store =
      ToolButton(editor_, "btnControlsToTreatment", IconKind::Save, T(kWGem), T(kWGem) + " " + T(kWBehandlingLower));
  auto* cancel = ToolButton(editor_, "btnCancelTreatment", IconKind::Close, T(kWAfbryd), T(kWAfbryd));
  auto* single =
      ToolButton(editor_, "btnShowHTML", IconKind::Print, QString(), T(kWRapport) + ", " + T(kWBehandlingLower));
  for (QToolButton* b : {reset, store, cancel, single}) editButtons->addWidget(b);
  editButtons->addStretch();
  edit->addLayout(editButtons, 6, 0, 1, 3);
  editor_->hide();
  right->addWidget(editor_);

  reportPanel_ = new QWidget(this);
  reportPanel_->setObjectName("pnlTreatmentReport");
  auto* reportLayout = new QVBoxLayout(reportPanel_);
  reportLayout->setContentsMargins(0, 0, 0, 0);
  auto* outputs = new QHBoxLayout;
  auto* print = ToolButton(reportPanel_, "btnPrint_Treatment", IconKind::Print, QString(), T(kWUdskrift));
  auto* copy = ToolButton(reportPanel_, "btnClipCopy_Treatment", IconKind::FeedList, QString(), T(kWKopier));
  auto* storeReport = ToolButton(reportPanel_, "btnStore_Treatment", IconKind::Save, QString(), T(kWGem));
  auto* mail = ToolButton(reportPanel_, "btnEmail_Treatment", IconKind::Mail, QString(), T(kWEpost));
  auto* closeReport = ToolButton(reportPanel_, "btnDeleteWbTreatment", IconKind::Close, QString(), T(kWLukRapport));
  for (QToolButton* b : {print, copy, storeReport, mail, closeReport}) outputs->addWidget(b);
  outputs->addStretch();
  browser_ = new HtmlView(reportPanel_);
  browser_->setObjectName("wbTreatment");
  reportLayout->addLayout(outputs);
  reportLayout->addWidget(browser_, 1);
  reportPanel_->hide();
  right->addWidget(reportPanel_, 1);
  right->addStretch();
  layout->addLayout(right, 3);

  auto live = [this](auto f) {
    return [this, f] {
      if (!window_.Dead()) f();
    };
  };
  connect(tree_, &QTreeView::doubleClicked, this, [this](const QModelIndex& node) {
    if (!window_.Dead()) ActivateNode(node);
  });
  // The selection model is made anew with each model reset only when the model changes;
  // this one stays for the page's life.
  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this, live([this] { UpdateButtons(); }));
  connect(model_, &QAbstractItemModel::modelReset, tree_, &QTreeView::expandAll);
  connect(new_, &QToolButton::clicked, this, live([this] { NewTreatment(); }));
  connect(sort_, &QToolButton::clicked, this, live([this] { ToggleLayout(); }));
  connect(delete_, &QToolButton::clicked, this, live([this] { DeleteSelected(); }));
  connect(report_, &QToolButton::clicked, this, live([this] { ShowListReport(); }));
  connect(editRegister_, &QToolButton::clicked, this, [this] {
    if (AppWindows* w = window_.services().windows; w && w->treatmentRegister) w->treatmentRegister(&window_);
  });
  connect(symbols, &QToolButton::clicked, this, [this] {
    window_.services().main->OpenInfoPage(T(kWSymbolernes), window_.services().app->preferences.TreatmentsManualPage());
  });
  connect(type_, &QComboBox::currentIndexChanged, this, [this](int type) {
    if (window_.Dead() || filling_) return;
    FillNames(type < 0 ? 0 : type, std::string());
  });
  connect(name_, &QComboBox::currentIndexChanged, this, [this] {
    if (window_.Dead() || filling_) return;
    editor_->setTitle(T(kWBehandling) + ": " + type_->currentText() + ", " + name_->currentText());
    RefreshWebLabel();
  });
  connect(addName, &QToolButton::clicked, this, live([this] { AddOwnName(); }));
  connect(url_, &QLabel::linkActivated, this, live([this] { OpenWebPage(); }));
  connect(plannedButton_, &QPushButton::clicked, this, live([this] {
            plannedButton_->hide();
            planned_->show();
            planned_->setFocus();
          }));
  connect(planned_, &QDateEdit::editingFinished, this, live([this] { PlannedDateLeft(); }));
  connect(doneButton_, &QPushButton::clicked, this, live([this] { MarkDone(); }));
  connect(done_, &QDateEdit::editingFinished, this, live([this] { DoneDateLeft(); }));
  connect(banButton_, &QPushButton::clicked, this, live([this] { AskBan(); }));
  connect(ban_, &QDateEdit::dateChanged, this, [this] {
    banImage_->setVisible(!ban_->isHidden() && DayFromQDate(ban_->date()) > window_.Horse().env->Today());
  });
  connect(reset, &QToolButton::clicked, this, live([this] { ResetTreatment(); }));
  connect(store, &QToolButton::clicked, this, live([this] { StoreEdit(); }));
  connect(cancel, &QToolButton::clicked, this, live([this] { CancelEdit(); }));
  connect(single, &QToolButton::clicked, this, live([this] { ShowSingleReport(); }));
  connect(print, &QToolButton::clicked, this, live([this] { PrintView(window_, *browser_); }));
  connect(copy, &QToolButton::clicked, this, live([this] { CopyReport(); }));
  connect(storeReport, &QToolButton::clicked, this, live([this] { StoreReport(); }));
  connect(mail, &QToolButton::clicked, this, live([this] { MailReport(); }));
  connect(closeReport, &QToolButton::clicked, this, [this] { reportPanel_->hide(); });
}

TTreatmentList& HorseHealthPage::List() const { return *window_.Horse().TreatmentListe; }

bool HorseHealthPage::EditOpen() const { return !editor_->isHidden() && List().editing; }

bool HorseHealthPage::LastLayoutByType() const { return model_->ByType(); }

void HorseHealthPage::Enter() {
  Build(!model_->ByType());
  UpdateButtons();
}

void HorseHealthPage::ToggleLayout() {
  Build(!model_->ByType());
  UpdateButtons();
}

void HorseHealthPage::Build(bool byType) { model_->Build(byType); }

void HorseHealthPage::Repaint(ChangeFlags changed) {
  model_->EditorChanged(changed);
  if (changed & kHorseTreatments) UpdateButtons();
}

TTreatmentObj* HorseHealthPage::Current() const { return model_->TreatmentAt(tree_->currentIndex()); }

void HorseHealthPage::UpdateButtons() {
  const bool open = EditOpen();
  const TreatmentButtons b = TreatmentButtonRules(List().Count(), Current() != nullptr, open);
  report_->setEnabled(b.report);
  delete_->setEnabled(b.remove);
  sort_->setEnabled(b.sort);
  new_->setEnabled(b.add);
}

QModelIndex HorseHealthPage::ItemWithText(const QString& text) const { return model_->IndexWithText(text); }

void HorseHealthPage::SelectBanTreatment() {
  const TTreatmentObj* ban = List().BanTreatment();
  if (!ban) return;
  if (const QModelIndex node = ItemWithText(Q(ban->Caption())); node.isValid()) tree_->setCurrentIndex(node);
}

void HorseHealthPage::EditTreatment(TTreatmentObj& t) {
  if (EditOpen()) {
    window_.Ask().Inform(Tr(kWDuHarAlt));
    type_->setFocus();
    return;
  }
  if (const QModelIndex node = model_->IndexOfTreatment(&t); node.isValid()) tree_->setCurrentIndex(node);
  OpenEditor(t, false);
}

void HorseHealthPage::ActivateNode(const QModelIndex& node) {
  if (!node.isValid() || !node.parent().isValid()) return;  // the root
  TTreatmentObj* t = model_->TreatmentAt(node);
  const int type = model_->TypeAt(node);
  if (EditOpen() && (t || type >= 0)) {
    // One edit at a time: what was typed into the open one is not thrown away.
    window_.Ask().Inform(Tr(kWDuHarAlt));
    type_->setFocus();
    return;
  }
  if (t) {
    OpenEditor(*t, false);
  } else if (type >= 0) {
    TTreatmentObj& created = List().AddNew();
    created.TreatmentType = static_cast<TTreatmentType>(type);
    OpenEditor(created, true);
  }
}

void HorseHealthPage::NewTreatment() {
  if (EditOpen()) return;
  if (model_->rowCount() == 0) Build(true);
  OpenEditor(List().AddNew(), true);
  new_->setEnabled(false);
}

void HorseHealthPage::OpenEditor(TTreatmentObj& t, bool isNew) {
  TTreatmentList& list = List();
  list.editing = &t;
  list.editingIsNew = isNew;
  filling_ = true;
  editor_->setTitle(T(kWBehandling) + ": " + Q(t.Caption()));
  SetDate(planned_, t.PlannedDate);
  SetDate(done_, t.DoneDate);
  SetDate(ban_, t.OKToStartDate);
  type_->setCurrentIndex(Ord(t.TreatmentType) < kTreatmentTypeCount ? Ord(t.TreatmentType) : 0);
  filling_ = false;
  FillNames(type_->currentIndex(), t.TreatmentName);
  editor_->setTitle(T(kWBehandling) + ": " + Q(t.Caption()));
  notes_->setPlainText(Q(t.Notes));
  cost_->setValue(t.Cost);
  editor_->show();
  ShowDateState();
  UpdateButtons();
  type_->setFocus();
}

void HorseHealthPage::FillNames(int type, const std::string& select) {
  names_.clear();
  addresses_.clear();
  window_.services().app->preferences.TreatmentEntries(type, names_, addresses_);
  filling_ = true;
  name_->clear();
  for (const std::string& n : names_) name_->addItem(Q(n));
  int index = 0;
  for (size_t i = 0; i < names_.size(); ++i)
    if (names_[i] == select) index = static_cast<int>(i);
  name_->setCurrentIndex(names_.empty() ? -1 : index);
  filling_ = false;
  if (List().editing) editor_->setTitle(T(kWBehandling) + ": " + type_->currentText() + ", " + name_->currentText());
  RefreshWebLabel();
}

void HorseHealthPage::RefreshWebLabel() {
  const int i = name_->currentIndex();
  const std::string name = i >= 0 && i < static_cast<int>(names_.size()) ? names_[static_cast<size_t>(i)] : "";
  const std::string address =
      i >= 0 && i < static_cast<int>(addresses_.size()) ? addresses_[static_cast<size_t>(i)] : "";
  url_->setText(QStringLiteral("<a href=\"#\">") + Q(Tr(kHfNetsoeg) + ": " + name).toHtmlEscaped() + "</a>");
  url_->setToolTip(Q(TreatmentPage(name, address)));
}

void HorseHealthPage::OpenWebPage() {
  const int i = name_->currentIndex();
  if (i < 0 || i >= static_cast<int>(names_.size())) return;
  const std::string& name = names_[static_cast<size_t>(i)];
  std::string page = TreatmentPage(name, addresses_[static_cast<size_t>(i)]);
  if (page.rfind("http", 0) != 0) page = "http://" + page;
  MainWindow* mainWindow = window_.services().main;
  InfoBrowser* w = InfoBrowser::OpenWindow(T(kWBehandlingsinformationCap) + ": " + Q(name), QUrl(Q(page)), mainWindow,
                                           mainWindow ? mainWindow->Opener() : ExternalOpener{});
  if (!w) return;
  QWidget* main = window_.services().main;
  const QRect g = main ? main->geometry() : window_.window()->geometry();
  const int screenHeight =
      QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry().height() : 800;
  w->setGeometry(g.left() + g.width() / 10, g.top() + g.height() * 3 / 100, g.width() * 8 / 10, screenHeight * 8 / 10);
  w->show();
}

void HorseHealthPage::AddOwnName() {
  const int type = std::max(type_->currentIndex(), 0);
  auto answer = window_.Ask().AskText(type_->itemText(type) + ": " + T(kWLaegTilEgen), T(kWNavn));
  if (!answer || answer->trimmed().isEmpty()) return;
  const std::string name = L(answer->trimmed());
  AddOwnTreatmentName(window_.services().app->preferences, type, name);
  FillNames(type, name);
}

// ---- dates

void HorseHealthPage::ShowDateState() {
  const TTreatmentList& list = List();
  const TTreatmentObj* t = list.editing;
  if (!t) return;
  const TreatmentDateMode mode = DateModeOf(*t, list.editingIsNew);
  const DayNumber today = window_.Horse().env->Today();
  dates_->setTitle(Q(TreatmentDateCaption(*t, mode)));
  const bool isNew = mode == TreatmentDateMode::kNew;
  const bool isDone = mode == TreatmentDateMode::kDone;
  plannedButton_->setVisible(isNew);
  planned_->hide();
  doneButton_->setVisible(!isDone);
  doneButton_->setIcon(StatusIcon(t->Status()));
  doneLabel_->hide();
  done_->hide();
  const bool banned = list.HorseOKToStartDate > today;
  banButton_->setVisible(isDone && !banned);
  banLabel_->setVisible(isDone && banned);
  ban_->setVisible(isDone && banned);
  banImage_->setVisible(isDone && banned && DayFromQDate(ban_->date()) > today);
}

void HorseHealthPage::PlannedDateLeft() {
  TTreatmentObj* t = List().editing;
  if (!t) return;
  t->PlannedDate = DayFromQDate(planned_->date());
  doneButton_->setIcon(StatusIcon(t->Status()));
}

void HorseHealthPage::MarkDone() {
  const TTreatmentObj* t = List().editing;
  if (!t) return;
  const DayNumber today = window_.Horse().env->Today();
  SetDate(done_, today);
  doneButton_->hide();
  doneLabel_->show();
  done_->show();
  banButton_->show();
  SetDate(ban_, t->OKToStartDate);
  plannedButton_->hide();
  planned_->hide();
  done_->setFocus();
}

void HorseHealthPage::AskBan() {
  SetDate(ban_, window_.Horse().env->Today());
  banButton_->hide();
  banLabel_->show();
  ban_->show();
  banImage_->hide();
  ban_->setFocus();
}

void HorseHealthPage::DoneDateLeft() {
  const DayNumber today = window_.Horse().env->Today();
  switch (CheckDoneDate(DayFromQDate(done_->date()), today)) {
    case DoneDateCheck::kOk: break;
    case DoneDateCheck::kConfirm:
      if (!window_.Ask().OkCancel(DoneDateConfirmText())) SetDate(done_, today);
      break;
    case DoneDateCheck::kRefuse:
      window_.Ask().Error(DoneDateRefusedText(window_.Horse().env->regional, today));
      SetDate(done_, today);
      done_->setFocus();
      break;
  }
}

void HorseHealthPage::ResetTreatment() {
  TTreatmentList& list = List();
  TTreatmentObj* t = list.editing;
  if (!t) return;
  const DayNumber today = window_.Horse().env->Today();
  list.editingIsNew = true;
  t->DoneDate = today + kNotDoneDays;
  SetDate(planned_, today);
  SetDate(done_, t->DoneDate);
  SetDate(ban_, today);
  banImage_->hide();
  ShowDateState();
}

// ---- store, cancel, delete

bool HorseHealthPage::StoreEdit() {
  TTreatmentList& list = List();
  TTreatmentObj* t = list.editing;
  if (!t) return false;
  if (type_->currentIndex() < 0) {
    window_.Ask().Warn("Treatmenttype not selected!", T(kWAdvarsel));
    return false;
  }
  // A date the controls never offered (planned not chosen, done not marked) keeps the
  // treatment's own value.
  const DayNumber planned = DayFromQDate(planned_->date());
  const DayNumber done = DayFromQDate(done_->date());
  const DayNumber ban = DayFromQDate(ban_->date());
  const int i = name_->currentIndex();
  const std::string name =
      i >= 0 && i < static_cast<int>(names_.size()) ? names_[static_cast<size_t>(i)] : t->TreatmentName;
  CloseEditor();
  // The tree shows the stored treatment by type.
  model_->Build(true);
  window_.Editor().StoreTreatment(*t, static_cast<TTreatmentType>(type_->currentIndex()), name, planned, done, ban,
                                  L(notes_->toPlainText()), cost_->value());
  return true;
}

void HorseHealthPage::CloseEditor() {
  TTreatmentList& list = List();
  editor_->hide();
  list.editing = nullptr;
  list.editingIsNew = false;
  new_->setEnabled(true);
}

void HorseHealthPage::CancelEdit() {
  TTreatmentList& list = List();
  TTreatmentObj* t = list.editing;
  const bool created = list.editingIsNew;
  CloseEditor();
  if (t && created) {
    list.Remove(t);
    model_->Rebuild();
  }
  UpdateButtons();
}

void HorseHealthPage::StoreEditIfOpen() {
  if (EditOpen()) StoreEdit();
}

void HorseHealthPage::DeleteSelected() {
  const QModelIndex node = tree_->currentIndex();
  if (!node.isValid()) {
    window_.Ask().Inform(Tr(kWBehandling) + " " + Tr(kWIkkeValgt));
    return;
  }
  const std::string text = L(node.data().toString());
  if (!window_.Ask().OkCancel(Tr(kWSletningAf) + " " + Tr(kWBehandlingLower) + " " + text)) return;
  TTreatmentObj* t = model_->TreatmentAt(node);
  TTreatmentList& list = List();
  const bool wasCreatedForEdit = t && list.editing == t && list.editingIsNew;
  if (EditOpen()) CancelEdit();
  // A treatment made for the edit went with the cancelled edit.
  const bool removed = window_.Editor().DeleteTreatment(wasCreatedForEdit ? nullptr : t);
  if (!t || (!wasCreatedForEdit && !removed)) window_.Ask().Error(Tr(kWFejl) + " " + Tr(kWSletningAf) + " " + text);
}

// ---- reports

void HorseHealthPage::ShowReportFile(bool list) {
  reportIsList_ = list;
  const auto file = window_.services().app->preferences.TreatmentsHtmlFile();
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  if (!WriteFileAtomically(file, reportHtml_)) {
    window_.Ask().Error(Tr(kKunneIkkeDannes) + " " + PathText(file));
    return;
  }
  reportPanel_->show();
  browser_->Navigate(QUrl::fromLocalFile(QString::fromStdString(file.string())));
}

void HorseHealthPage::ShowListReport() {
  reportHtml_ = ListReport(List(), &window_.Horse());
  ShowReportFile(true);
}

void HorseHealthPage::ShowSingleReport() {
  TTreatmentObj* t = List().editing;
  if (!t) return;
  t->Notes = L(notes_->toPlainText());
  t->Cost = cost_->value();
  const int i = name_->currentIndex();
  if (i >= 0 && i < static_cast<int>(names_.size())) t->TreatmentName = names_[static_cast<size_t>(i)];
  reportHtml_ = SingleReport(*t, &window_.Horse());
  ShowReportFile(false);
}

void HorseHealthPage::CopyReport() {
  CopyFileToClipboard(window_, window_.services().app->preferences.TreatmentsHtmlFile());
}

void HorseHealthPage::StoreReport() {
  if (reportIsList_)
    StorePage(window_, kTreatmentListReport, reportHtml_, kWBehandlingerLower);
  else
    StorePage(window_, kTreatmentReport, reportHtml_, kWBehandlingLower);
}

void HorseHealthPage::MailReport() {
  THest& h = window_.Horse();
  const auto dir = window_.HorseDirectory();
  std::string error;
  std::filesystem::path file;
  if (reportIsList_) {
    file = WriteListReport(List(), h, dir, &error);
  } else {
    file = HorseReportPath(dir, h, kTreatmentReport, &error);
    if (error.empty() && !WriteReportFile(file, EscapeNationalLetters(reportHtml_))) {
      error = Tr(kKunneIkkeDannes) + " " + PathText(file);
      file.clear();
    }
  }
  if (file.empty() || !error.empty()) {
    window_.Ask().Error(error);
    return;
  }
  window_.MailHorse(file);
}

}  // namespace stallora
