#include "EditorHistory.h"

#include <utility>

void TEditorHistory::Record(TEditorState before) {
  FUndo.push_back(std::move(before));
  if (FUndo.size() > StepLimit) FUndo.pop_front();
  FRedo.clear();
}

TEditorState TEditorHistory::Undo(TEditorState current) {
  TEditorState before = std::move(FUndo.back());
  FUndo.pop_back();
  FRedo.push_back(std::move(current));
  return before;
}

TEditorState TEditorHistory::Redo(TEditorState current) {
  TEditorState after = std::move(FRedo.back());
  FRedo.pop_back();
  FUndo.push_back(std::move(current));
  return after;
}
