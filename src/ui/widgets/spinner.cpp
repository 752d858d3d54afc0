#include "ui/widgets/spinner.h"

#include <QAbstractItemView>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/qtext.h"

namespace stallora {

Spinner::Spinner(const QString& name, QWidget* parent, std::function<void(bool up)> step)
    : QWidget(parent), step_(std::move(step)) {
  setObjectName(name);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  for (bool up : {true, false}) {
    auto* b = new QToolButton(this);
    b->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
    b->setObjectName(name + (up ? "Up" : "Down"));
    b->setToolTip(T(up ? kSpinnerUp : kSpinnerDown) + (up ? " (Ctrl+Up)" : " (Ctrl+Down)"));
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(b);
    connect(b, &QToolButton::clicked, this, [this, up] { step_(up); });
  }
}

void Spinner::AddKeys(QAbstractItemView* view) {
  for (bool up : {true, false}) {
    auto* key = new QShortcut(QKeySequence(up ? Qt::CTRL | Qt::Key_Up : Qt::CTRL | Qt::Key_Down), view);
    key->setContext(Qt::WidgetWithChildrenShortcut);
    connect(key, &QShortcut::activated, this, [this, up] { step_(up); });
  }
}

}  // namespace stallora
