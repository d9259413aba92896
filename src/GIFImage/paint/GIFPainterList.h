// TGIFPainterList: every painter that draws one document, registered while it
// lives, with the lock that guards the list, the document's view-painter slot
// and the stop signalling. The lock is re-entrant: Draw holds it while it
// waits for its painter, and the painter's FinishPainter, run on the same
// user-interface thread meanwhile, takes it again. Painter threads never take
// it. The list owns the threaded painters; a painter that is not threaded
// belongs to the call that runs it and is only listed.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "GIFPainter.h"

class TGIFPainterList {
public:
  std::recursive_mutex& Lock() { return FLock; }

  void AddOwned(std::unique_ptr<TGIFPainter> painter) { FEntries.push_back({painter.get(), std::move(painter)}); }
  void AddListed(TGIFPainter& painter) { FEntries.push_back({&painter, nullptr}); }
  // Takes the painter out of the list; its ownership, when the list had it.
  std::unique_ptr<TGIFPainter> Remove(const TGIFPainter* painter) {
    for (auto entry = FEntries.begin(); entry != FEntries.end(); ++entry)
      if (entry->Painter == painter) {
        std::unique_ptr<TGIFPainter> owned = std::move(entry->Owned);
        FEntries.erase(entry);
        return owned;
      }
    return nullptr;
  }

  int Count() const { return static_cast<int>(FEntries.size()); }
  TGIFPainter& operator[](int index) const { return *FEntries[static_cast<std::size_t>(index)].Painter; }

private:
  struct TEntry {
    TGIFPainter* Painter;
    std::unique_ptr<TGIFPainter> Owned;
  };

  std::recursive_mutex FLock;
  std::vector<TEntry> FEntries;
};
