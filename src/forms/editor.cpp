#include "forms/editor.h"

#include <algorithm>

namespace stallora {

namespace {
template <class T>
void Erase(std::vector<T*>& v, T* p) {
  v.erase(std::remove(v.begin(), v.end(), p), v.end());
}
}  // namespace

EditorListener::~EditorListener() {
  const std::vector<Editor*> editors = editors_;
  for (Editor* e : editors) e->RemoveListener(this);
}

Editor::~Editor() {
  const std::vector<EditorListener*> listeners = listeners_;
  listeners_.clear();
  for (EditorListener* l : listeners) Erase(l->editors_, this);
  // Told after every registration is gone, so a listener may drop itself or add to another.
  for (EditorListener* l : listeners) l->EditorGone(*this);
}

void Editor::AddListener(EditorListener* listener) {
  if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
    listeners_.push_back(listener);
    listener->editors_.push_back(this);
  }
}

void Editor::RemoveListener(EditorListener* listener) {
  if (!listener) return;
  Erase(listeners_, listener);
  Erase(listener->editors_, this);
}

void Editor::Commit(ChangeFlags changed, bool recompute) {
  if (batchDepth_ > 0) {
    pending_ |= changed;
    pendingRecompute_ = pendingRecompute_ || recompute;
    return;
  }
  Finish(changed, recompute);
}

void Editor::Finish(ChangeFlags changed, bool recompute) {
  if (recompute) {
    Recompute();
    ++recomputes_;
  }
  if (changed == 0) return;
  Stamp(changed);
  ++notifications_;
  // A listener may remove itself (a page closing) while it is told.
  const std::vector<EditorListener*> listeners = listeners_;
  for (EditorListener* l : listeners)
    if (std::find(listeners_.begin(), listeners_.end(), l) != listeners_.end()) l->EditorChanged(changed);
}

Editor::Batch::~Batch() {
  if (--editor_.batchDepth_ > 0) return;
  const ChangeFlags changed = editor_.pending_;
  const bool recompute = editor_.pendingRecompute_;
  editor_.pending_ = 0;
  editor_.pendingRecompute_ = false;
  if (changed != 0 || recompute) editor_.Finish(changed, recompute);
}

}  // namespace stallora
