#include "ui/stable/diarypage.h"

#include <QTextEdit>
#include <QVBoxLayout>

#include "render/qttext.h"
#include "ui/stable/stablewindow.h"

namespace stallora {

StableDiaryPage::StableDiaryPage(StableWindow& window) : window_(window) {
  setObjectName("tsDagbok");
  auto* layout = new QVBoxLayout(this);
  diary_ = new HorseDiary(static_cast<DiaryHost&>(*this), this);
  diary_->Editor()->setObjectName("reDivOpplysninger");
  layout->addWidget(diary_);
}

void StableDiaryPage::ShowRecord() { diary_->Load(window_.Stable().DiverseOpplysninger); }

void StableDiaryPage::TakeDataIntoRecord() { diary_->Store(); }

Prompts& StableDiaryPage::DiaryPrompts() const { return window_.Ask(); }
bool StableDiaryPage::DiaryClosed() const { return window_.Dead(); }
QString StableDiaryPage::DiaryPrintTitle() const { return Q(window_.Stable().stallNavn); }
// The change signature covers the notes, so a changed text is a changed stable.
void StableDiaryPage::StoreDiary(std::string rtf) { window_.Editor().SetNotes(std::move(rtf)); }

}  // namespace stallora
