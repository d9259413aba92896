// TGIFUnknownAppExtension: an application extension whose identifier nobody
// registered; its data sub-blocks are kept raw (TGIFBlock) and written back
// unchanged.
#pragma once

#include <vector>

#include "GIFApplicationExtension.h"

// One data sub-block: its bytes (1 to 255 of them).
struct TGIFBlock {
  std::vector<std::uint8_t> Data;
  int Size() const { return static_cast<int>(Data.size()); }
};

class TGIFUnknownAppExtension : public TGIFApplicationExtension {
public:
  static const TGIFExtensionClass ClassInfo;

  using TGIFApplicationExtension::TGIFApplicationExtension;
  const TGIFExtensionClass& Class() const override { return ClassInfo; }

  std::vector<TGIFBlock>& Blocks() { return FBlocks; }
  const std::vector<TGIFBlock>& Blocks() const { return FBlocks; }
  void Accept(TGIFExtensionVisitor& visitor) override { visitor.Visit(*this); }

private:
  std::vector<TGIFBlock> FBlocks;
};
