#pragma once
// The library's messages as message boxes.

#include <QPointer>
#include <QWidget>

#include "core/seams.h"

namespace stallora {

class BoxMessages final : public Messages {
 public:
  explicit BoxMessages(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  void Inform(const std::string& text) override;
  void Error(const std::string& text) override;
  bool Confirm(const std::string& text) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace stallora
