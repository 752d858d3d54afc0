#pragma once
// The library's messages as message boxes.

#include <QPointer>
#include <QWidget>

#include "core/filestamp.h"
#include "core/seams.h"

namespace stallora {

// The question when a record's file changed on disk (keep mine, take theirs, cancel), as a
// box with the three buttons; closing the box cancels.
ConflictChoice AskConflictInBox(QWidget* parent, const std::string& question, const std::array<std::string, 3>& choices);

class BoxMessages final : public Messages, public ConflictPrompt {
 public:
  explicit BoxMessages(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  void Inform(const std::string& text) override;
  void Error(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  ConflictChoice AskConflict(const std::string& question, const std::array<std::string, 3>& choices) override;
  bool ConfirmTakeTheirs(const std::string& question) override { return Confirm(question); }

 private:
  QPointer<QWidget> parent_;
};

}  // namespace stallora
