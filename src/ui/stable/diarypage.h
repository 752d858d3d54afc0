#pragma once
// The page "Dagbog": the stable's notes in the diary editor the horse window uses (the same
// toolbar, the same RTF), with the stable window as its host.

#include <QWidget>

#include "ui/horsediary.h"

namespace stallora {

class StableWindow;

class StableDiaryPage : public QWidget, private DiaryHost {
  Q_OBJECT
 public:
  explicit StableDiaryPage(StableWindow& window);
  // The stable's notes into the editor.
  void ShowRecord();
  // The notes into the stable when the user changed them.
  void TakeDataIntoRecord();
  HorseDiary* Diary() const { return diary_; }

 private:
  Prompts& DiaryPrompts() const override;
  bool DiaryClosed() const override;
  void DiaryEdited() override {}
  QString DiaryPrintTitle() const override;
  void StoreDiary(std::string rtf) override;

  StableWindow& window_;
  HorseDiary* diary_;
};

}  // namespace stallora
