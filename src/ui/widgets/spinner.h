#pragma once
// Up and down arrows beside a table: the spinner that steps the active row's amount (the
// amounts tables, the meal sheet). The buttons are named after the spinner ("Spinner" makes
// "SpinnerUp" and "SpinnerDown") and repeat while held.

#include <QWidget>
#include <functional>

#include "core/texts.h"

class QAbstractItemView;

namespace stallora {

inline constexpr Text kSpinnerUp{"widgets.up", "Mere"};
inline constexpr Text kSpinnerDown{"widgets.down", "Mindre"};

class Spinner : public QWidget {
 public:
  Spinner(const QString& name, QWidget* parent, std::function<void(bool up)> step);
  // Ctrl+Up and Ctrl+Down on the view step as the arrows do.
  void AddKeys(QAbstractItemView* view);

 private:
  std::function<void(bool)> step_;
};

}  // namespace stallora
