// TGIFOwningList: the ordered list behind a document's frames and a frame's
// extensions. It owns its items and frees one by index.
#pragma once

#include <memory>
#include <vector>

#include "Exception.h"
#include "GIFItem.h"
#include "PlatformMessages.h"

template <class TItem>
class TGIFOwningList : public TGIFList {
public:
  using TGIFList::TGIFList;

  int Count() const { return static_cast<int>(FItems.size()); }
  TItem& operator[](int index) const { return *FItems[static_cast<std::size_t>(index)]; }
  // The item at index; "List index out of bounds (%d)" when there is none.
  TItem& At(int index) const { return *FItems[Checked(index)]; }
  TItem& Add(std::unique_ptr<TItem> item) {
    FItems.push_back(std::move(item));
    return *FItems.back();
  }
  // Frees the item at index; "List index out of bounds (%d)" when there is none.
  void Delete(int index) { FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(Checked(index))); }
  void Clear() { FItems.clear(); }

private:
  std::size_t Checked(int index) const {
    if (index < 0 || index >= Count()) throw Exception(FormatMessage(SListIndexError, index));
    return static_cast<std::size_t>(index);
  }

  std::vector<std::unique_ptr<TItem>> FItems;
};
