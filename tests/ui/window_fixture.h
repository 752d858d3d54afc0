#pragma once
// What window tests do to a window: close every record window without its questions, and
// find, click and type into a named control of a window.

#include <QAbstractButton>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QString>
#include <QWidget>

#include "ui/childwindow.h"

namespace stallora::testing {

// Every record window below `top` is closed as if its changes had been saved: a test ends
// without the close questions it did not ask for.
inline void CloseRecordWindowsQuietly(QWidget* top) {
  if (!top) return;
  auto* mdi = qobject_cast<QMdiArea*>(top);
  if (!mdi) mdi = top->findChild<QMdiArea*>();
  if (!mdi) return;
  for (QMdiSubWindow* sub : mdi->subWindowList()) {
    if (auto* rw = qobject_cast<RecordWindow*>(sub->widget())) rw->StoreSignature();
    delete sub;
  }
}

template <class W>
W* Named(QWidget* window, const char* name) {
  return window ? window->findChild<W*>(QString::fromLatin1(name)) : nullptr;
}

inline void ClickNamed(QWidget* window, const char* name) {
  auto* b = Named<QAbstractButton>(window, name);
  if (!b) qFatal("no button %s", name);
  b->click();
}

// As typing and leaving the field leave it: the text set, marked modified, editing finished.
inline void TypeNamed(QWidget* window, const char* field, const QString& text) {
  auto* e = Named<QLineEdit>(window, field);
  if (!e) qFatal("no field %s", field);
  e->setText(text);
  e->setModified(true);
  emit e->editingFinished();
}

}  // namespace stallora::testing
