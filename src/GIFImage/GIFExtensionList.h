// TGIFExtensionList: the extension blocks of one frame, in file order, owned
// by the list. Reading it also serves to copy extensions between frames.
#pragma once

#include <memory>
#include <vector>

#include "GIFExtension.h"

class TGIFExtensionList : public TGIFList {
public:
  explicit TGIFExtensionList(TGIFSubImage* subImage);
  ~TGIFExtensionList() override;

  int Count() const { return static_cast<int>(FItems.size()); }
  TGIFExtension& operator[](int index) const { return *FItems[static_cast<std::size_t>(index)]; }
  TGIFExtension& Add(std::unique_ptr<TGIFExtension> extension);
  // Frees the extension at index; "List index out of bounds (%d)" when there is none.
  void Delete(int index);
  void Clear();

  void SaveToStream(TStream& stream) override;
  // Reads extension blocks until the stream ends or a byte 0x2C or 0x3B
  // stands next, appending them; they are made for subImage.
  void LoadFromStream(TStream& stream, TGIFSubImage* subImage);

private:
  std::vector<std::unique_ptr<TGIFExtension>> FItems;
};
