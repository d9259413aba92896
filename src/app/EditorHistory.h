// TEditorHistory: the Logo editor's undo and redo lists. A step is kept as
// the whole state before it: a copy of the picture with the size it was made
// in (the zoom it is shown at is the window's choice when it comes back). The pictures are a few
// kilobytes, so whole snapshots are simpler and safer than recorded
// operations. Beyond StepLimit steps the oldest are forgotten.
#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <vector>

#include "Graphic.h"

struct TEditorState {
  std::unique_ptr<TGraphic> Picture;  // nullptr: the view held none
  int PictureWidth = 0;
  int PictureHeight = 0;
};

class TEditorHistory {
public:
  static constexpr std::size_t StepLimit = 100;

  bool CanUndo() const { return !FUndo.empty(); }
  bool CanRedo() const { return !FRedo.empty(); }
  // A new step begins: the state before it is kept, and what could be redone
  // is gone.
  void Record(TEditorState before);
  // The state before the last step; current is kept for Redo. Only when CanUndo.
  TEditorState Undo(TEditorState current);
  // The state that the last Undo left; current is kept for Undo. Only when CanRedo.
  TEditorState Redo(TEditorState current);

private:
  std::deque<TEditorState> FUndo;  // oldest first
  std::vector<TEditorState> FRedo;  // the next one to redo last
};
