#pragma once
// The tables and trees of the windows are Qt models over their window's editor (src/forms).
// How a model is made:
//
//  - One model per table or tree, in src/ui/models/<what>model.{h,cpp}, named after what it
//    shows (AmountsModel, MealSheetModel, ...). Every view that shows the same data shares
//    the one model (the ration tab's and the training tab's amounts tables are two views of
//    one AmountsModel).
//  - The model reads the editor (and the record the editor holds) in data() and writes
//    through one editor operation in setData(); it never computes, never changes the record
//    itself and never asks the user anything.
//  - It derives from EditorTableModel (tables) and names the editor's change flags that
//    touch it: `structure` flags (rows come or go) reset the model, `values` flags only
//    repaint its cells, so an edit keeps the view's current cell and open editor.
//  - The page that owns the views passes the editor's notifications on with
//    EditorChanged(flags) (an EditorRelay does that for all models of a window).
//  - Tests: every model runs under QAbstractItemModelTester in a UI test
//    (tests/ui/models_test.cpp), which also checks its texts on a fixture record.

#include <QAbstractTableModel>
#include <QObject>

#include "forms/editor.h"

namespace stallora {

class EditorTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  EditorTableModel(ChangeFlags structure, ChangeFlags values, QObject* parent = nullptr)
      : QAbstractTableModel(parent), structure_(structure), values_(values) {}

  // The editor told a change: a reset when rows may have come or gone, else a repaint of
  // every cell.
  void EditorChanged(ChangeFlags changed);

 protected:
  // The rows anew (a model that keeps its row count sets it again between the two calls).
  virtual void Reset() {
    beginResetModel();
    endResetModel();
  }

 private:
  ChangeFlags structure_;
  ChangeFlags values_;
};

// The editor's notifications as a Qt signal, for a window's pages and models. The relay
// listens to the editor from its construction to its destruction.
class EditorRelay : public QObject, public EditorListener {
  Q_OBJECT
 public:
  EditorRelay(Editor& editor, QObject* parent = nullptr);
  ~EditorRelay() override;
  void EditorChanged(ChangeFlags changed) override { emit Changed(changed); }
  // A window's editor may go before the widgets that listen (its members go before its
  // children); the relay then stays silent.
  void EditorGone(Editor&) override { editor_ = nullptr; }

 signals:
  void Changed(unsigned changed);

 private:
  Editor* editor_;
};

}  // namespace stallora
