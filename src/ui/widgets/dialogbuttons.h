#pragma once
// The OK and cancel buttons at the foot of the program's dialogs, wired to accept and reject.
// The object names are the ones the dialogs' tests and keyboard users rely on.

#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace stallora {

inline QDialogButtonBox* AddDialogButtons(QDialog* dialog, QBoxLayout* layout, const QString& cancelText,
                                          const char* okName, const char* cancelName) {
  auto* buttons = new QDialogButtonBox(dialog);
  QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
  ok->setObjectName(okName);
  ok->setDefault(true);
  QPushButton* cancel = buttons->addButton(cancelText, QDialogButtonBox::RejectRole);
  cancel->setObjectName(cancelName);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace stallora
