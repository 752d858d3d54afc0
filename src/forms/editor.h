#pragma once
// The shape of every window's editor. A window's editor (RationEditor, HorseEditor, ...)
// holds the state the window shows and offers one operation per user action. Each operation
// changes the record and ends in one Commit: the record is recomputed once (when the change
// needs it), the change is stamped, and every listener is told what changed as a small set
// of flags. The window's pages and models listen and refresh only what the flags name; they
// never call each other.
//
//   void RationEditor::SetAmount(int row, double kg) {
//     ...change the feed...
//     Commit(kAmounts | kSupply);   // one recompute, one stamp, one notification
//   }
//
// An operation built from others wraps them in a Batch, so that it still ends in one commit.
// Qt-free: tests count recomputes and notifications without a window.

#include <vector>

namespace stallora {

// Bits of what an edit changed; each editor names its own (see its header).
using ChangeFlags = unsigned;

class Editor;

// A listener knows the editors it listens to, so that whichever of the two goes first
// unhooks the other: a page or model destroyed before its editor is never told again.
class EditorListener {
 public:
  EditorListener() = default;
  // A copy listens to nothing: registrations belong to the object that made them.
  EditorListener(const EditorListener&) {}
  EditorListener& operator=(const EditorListener&) { return *this; }
  virtual ~EditorListener();
  virtual void EditorChanged(ChangeFlags changed) = 0;
  // The editor is being destroyed (before a listener that outlives it).
  virtual void EditorGone(Editor& editor) { (void)editor; }

 private:
  friend class Editor;
  std::vector<Editor*> editors_;
};

class Editor {
 public:
  virtual ~Editor();

  void AddListener(EditorListener* listener);
  void RemoveListener(EditorListener* listener);

  // For tests: how often the record was recomputed and the listeners told.
  int Recomputes() const { return recomputes_; }
  int Notifications() const { return notifications_; }

  // Commits inside a batch are gathered into the one commit at its end.
  class Batch {
   public:
    explicit Batch(Editor& editor) : editor_(editor) { ++editor_.batchDepth_; }
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    Editor& editor_;
  };

 protected:
  // The end of an operation. `recompute` false for changes that do not touch what the
  // record computes (a selection, a page's own state).
  void Commit(ChangeFlags changed, bool recompute = true);
  // Runs the record's computation (the requirement and the ration's supply).
  virtual void Recompute() = 0;
  // Marks the record as changed by the user (its changed date, its signature).
  virtual void Stamp(ChangeFlags changed) { (void)changed; }

 private:
  void Finish(ChangeFlags changed, bool recompute);
  std::vector<EditorListener*> listeners_;
  int recomputes_ = 0;
  int notifications_ = 0;
  int batchDepth_ = 0;
  ChangeFlags pending_ = 0;
  bool pendingRecompute_ = false;
};

}  // namespace stallora
