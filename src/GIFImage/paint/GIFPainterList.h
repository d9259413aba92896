// TGIFPainterList: every painter that draws one document, each owned by the
// list from its making until its finish, with the lock that guards the list,
// the document's view painter and the stop signalling. The lock is
// re-entrant: Draw holds it while it waits for its painter, and the
// painter's FinishPainter, run on the same user-interface thread meanwhile,
// takes it again. Painter threads never take it.
//
// The document holds its list, and so does the call that runs a painter that
// is not threaded while that painter runs: a hook that frees the document
// then leaves the list, and the running painter in it, to that call.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "GIFPainter.h"

class TGIFPainterList {
public:
  std::recursive_mutex& Lock() { return FLock; }

  TGIFPainter& Add(std::unique_ptr<TGIFPainter> painter) {
    FPainters.push_back(std::move(painter));
    return *FPainters.back();
  }
  // Takes the painter out of the list (and out of the view) and hands its
  // ownership back; nullptr when it is not listed.
  std::unique_ptr<TGIFPainter> Remove(const TGIFPainter* painter) {
    for (auto entry = FPainters.begin(); entry != FPainters.end(); ++entry)
      if (entry->get() == painter) {
        std::unique_ptr<TGIFPainter> owned = std::move(*entry);
        FPainters.erase(entry);
        if (FView == painter) FView = nullptr;
        return owned;
      }
    return nullptr;
  }

  // The painter of the document's Draw, one of the list's own; nullptr when
  // there is none.
  TGIFPainter* View() const { return FView; }
  void SetView(TGIFPainter& painter) { FView = &painter; }

  int Count() const { return static_cast<int>(FPainters.size()); }
  TGIFPainter& operator[](int index) const { return *FPainters[static_cast<std::size_t>(index)]; }

private:
  std::recursive_mutex FLock;
  std::vector<std::unique_ptr<TGIFPainter>> FPainters;
  TGIFPainter* FView = nullptr;
};
