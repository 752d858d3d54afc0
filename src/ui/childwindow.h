#pragma once
// The windows of records inside the main window (horse, stable, feed list). Each record has
// at most one; the main window finds it, raises it, saves and closes all of them.

#include <QMdiSubWindow>
#include <QString>
#include <QWidget>

namespace stallora {

class Record;

class RecordWindow : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;
  virtual Record* record() const = 0;
  // Copies what the controls hold into the record.
  virtual void TakeDataIntoRecord() {}
  // Saves the record (and what belongs to it); false with the message for the user. False
  // with no message: the user cancelled, or chose the other program's version of the file
  // (the window then gives way to one on the record read again).
  virtual bool SaveRecord(QString* error) = 0;
  // The record differs from what was last saved or opened.
  virtual bool HasUnsavedChanges() const = 0;
  // Remembers the record's current state as the saved one.
  virtual void StoreSignature() = 0;
  // A record of the workspace is about to be freed (this window's own or another one it
  // may point into, such as a feed list it offers): let go of it. The main window closes
  // the window of the record itself right after, without a question.
  virtual void RecordGoing(const Record& record) { (void)record; }
  // The window became the active one (also when the program became active again): the
  // place to notice that another program changed the record's file.
  virtual void WindowActivated() {}

 signals:
  // The record's name or icon changed: the tree shows it anew.
  void RecordChanged();
};

}  // namespace stallora
