#include "ui/models/editormodel.h"

namespace stallora {

void EditorTableModel::EditorChanged(ChangeFlags changed) {
  if (changed & structure_) {
    Reset();
    return;
  }
  if ((changed & values_) && rowCount() > 0 && columnCount() > 0)
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

EditorRelay::EditorRelay(Editor& editor, QObject* parent) : QObject(parent), editor_(&editor) {
  editor_->AddListener(this);
}

EditorRelay::~EditorRelay() {
  if (editor_) editor_->RemoveListener(this);
}

}  // namespace stallora
