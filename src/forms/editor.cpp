#include "forms/editor.h"

#include <algorithm>

namespace stallora {

Editor::~Editor() {
  const std::vector<EditorListener*> listeners = listeners_;
  listeners_.clear();
  for (EditorListener* l : listeners) l->EditorGone(*this);
}

void Editor::AddListener(EditorListener* listener) {
  if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
    listeners_.push_back(listener);
}

void Editor::RemoveListener(EditorListener* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
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
