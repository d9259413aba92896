// TGIFImageList: the frames of a document, in file order, owned by the list.
#pragma once

#include <memory>
#include <vector>

#include "GIFItem.h"

class TGIFSubImage;

class TGIFImageList : public TGIFList {
public:
  using TGIFList::TGIFList;
  ~TGIFImageList() override;

  int Count() const { return static_cast<int>(FItems.size()); }
  TGIFSubImage& operator[](int index) const { return *FItems[static_cast<std::size_t>(index)]; }
  TGIFSubImage& Add(std::unique_ptr<TGIFSubImage> frame);
  // Frees the frame at index; "List index out of bounds (%d)" when there is none.
  void Delete(int index);
  void Clear();

  void SaveToStream(TStream& stream) override;
  // Reads frames until the trailer, the end of the stream or a byte that
  // starts no block; appends each complete frame.
  void LoadFromStream(TStream& stream, TGIFImage* image);

private:
  std::vector<std::unique_ptr<TGIFSubImage>> FItems;
};
