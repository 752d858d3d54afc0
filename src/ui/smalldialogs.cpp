#include "ui/smalldialogs.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/texts.h"
#include "render/pictures.h"
#include "ui/qtext.h"
#include "ui/widgets/dialogbuttons.h"

namespace stallora {
namespace {

inline constexpr Text kVaelgBillede{"smalldlg.choosepicture", "Vælg billede"};
inline constexpr Text kAfbryd{"smalldlg.cancel", "Afbryd"};
inline constexpr Text kKlikForAndet{"smalldlg.otherpicture", "Klik for at vælge andet billede"};
inline constexpr Text kKlikForAtVaelge{"smalldlg.clicktochoose", "Klik for at vælge"};
inline constexpr Text kVaelgAndetRacebillede{"smalldlg.breedpicture", "Vælg andet racebilede"};
inline constexpr Text kDobbeltklikForValg{"smalldlg.doubleclick", "Dobbeltklik for valg"};
inline constexpr Text kAabneFil{"smalldlg.openfile", "Åbne fil"};
inline constexpr Text kFinderIkkeFilen{"smalldlg.filemissing", "Finder ikke filen"};
inline constexpr Text kKommentar{"smalldlg.comment", "Kommentar"};
inline constexpr Text kLuk{"smalldlg.close", "Luk"};
inline constexpr Text kNulstil{"smalldlg.reset", "Nulstil"};


}  // namespace

// ---------------------------------------------------------------- picture

int PictureDialog::PreviewWidth(int w, int h) {
  if (h <= 0) return 177;
  return static_cast<int>(static_cast<double>(w) / h * kPreviewHeight);
}

PictureDialog::PictureDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("dlgBilde_Hest");
  setWindowTitle(T(kVaelgBillede));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* own = new QHBoxLayout;
  auto* ownLabel = new QLabel(T(kKlikForAndet), this);
  ownLabel->setObjectName("lblFreePicture");
  path_ = new QLineEdit(this);
  path_->setObjectName("edEgetFilnavn");
  auto* browseButton = new QToolButton(this);
  browseButton->setObjectName("sbtEgetBrowse");
  browseButton->setText(QStringLiteral("..."));
  browseButton->setToolTip(T(kKlikForAtVaelge));
  own->addWidget(ownLabel);
  own->addWidget(path_, 1);
  own->addWidget(browseButton);
  layout->addLayout(own);

  auto* middle = new QHBoxLayout;
  preview_ = new QLabel(this);
  preview_->setObjectName("Image1");
  preview_->setFixedSize(177, kPreviewHeight);
  preview_->setScaledContents(true);
  preview_->setFrameShape(QFrame::Box);
  middle->addWidget(preview_, 0, Qt::AlignTop);
  auto* right = new QVBoxLayout;
  auto* breedLabel = new QLabel(T(kVaelgAndetRacebillede), this);
  breedLabel->setObjectName("lblBreedPicture");
  breeds_ = new QListWidget(this);
  breeds_->setObjectName("lbHorseImage");
  breeds_->setToolTip(T(kDobbeltklikForValg));
  right->addWidget(breedLabel);
  right->addWidget(breeds_);
  middle->addLayout(right, 1);
  layout->addLayout(middle);

  AddDialogButtons(this, layout, T(kAfbryd), "BitBtn2", "btnAvbryt");

  browse = [this](const QString& dir) {
    return QFileDialog::getOpenFileName(this, T(kAabneFil), dir, QStringLiteral("JPEG files (*.jpg *.JPG *.jpeg *.JPEG)"));
  };
  inform = [this](const QString& text) { QMessageBox::information(this, windowTitle(), text); };
  connect(browseButton, &QToolButton::clicked, this, [this] {
    const QFileInfo current(path_->text());
    const QString file = browse(current.isDir() ? current.absoluteFilePath() : current.absolutePath());
    if (file.isEmpty()) return;
    path_->setText(QFileInfo(file).absoluteFilePath());
    Preview();
  });
  connect(breeds_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { ChooseBreed(breeds_->row(item)); });
  resize(520, 260);
}

void PictureDialog::SetPath(const QString& path) {
  path_->setText(path);
  if (QFileInfo(path).isFile()) {
    Preview();
  } else {
    preview_->clear();
    preview_->setFixedSize(177, kPreviewHeight);
  }
}

void PictureDialog::SetBreeds(const QStringList& names, const QStringList& pictureFiles, const QString& fallback) {
  breeds_->clear();
  breeds_->addItems(names);
  pictures_ = pictureFiles;
  fallback_ = fallback;
}

void PictureDialog::ChooseBreed(int row) {
  if (row < 0 || row >= pictures_.size()) return;
  QString file = pictures_[row];
  if (!QFileInfo(file).isFile()) {
    inform(QFileInfo(file).fileName() + ": " + T(kFinderIkkeFilen));
    file = fallback_;
  }
  path_->setText(file);
  Preview();
}

void PictureDialog::Preview() {
  const QImage image = ReadPicture(path_->text().toStdString());
  if (image.isNull() || image.height() <= 0) {
    preview_->clear();
    return;
  }
  preview_->setFixedSize(PreviewWidth(image.width(), image.height()), kPreviewHeight);
  preview_->setPixmap(QPixmap::fromImage(image));
}

// ---------------------------------------------------------------- memo

MemoDialog::MemoDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("frmMemo");
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(T(kKommentar), this);
  label->setObjectName("lblExplanation");
  text_ = new QPlainTextEdit(this);
  text_->setObjectName("meTekst");
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setTabChangesFocus(true);
  label->setBuddy(text_);
  layout->addWidget(label);
  layout->addWidget(text_, 1);
  QDialogButtonBox* buttons = AddDialogButtons(this, layout, T(kLuk), "btnClose", "btnCancel");
  QPushButton* clear = buttons->addButton(T(kNulstil), QDialogButtonBox::ResetRole);
  clear->setObjectName("btnClear");
  connect(clear, &QPushButton::clicked, text_, &QPlainTextEdit::clear);
  resize(420, 300);
}

QStringList MemoDialog::Lines() const { return text_->toPlainText().split(QChar('\n')); }

// ---------------------------------------------------------------- text

TextDialog::TextDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("frmEdit");
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  explanation_ = new QLabel(this);
  explanation_->setObjectName("lblExplanation");
  explanation_->setWordWrap(true);
  text_ = new QLineEdit(this);
  text_->setObjectName("edText");
  explanation_->setBuddy(text_);
  layout->addWidget(explanation_);
  layout->addWidget(text_);
  AddDialogButtons(this, layout, T(kAfbryd), "btnOK", "btnCancel");
  resize(460, 180);
}

}  // namespace stallora
