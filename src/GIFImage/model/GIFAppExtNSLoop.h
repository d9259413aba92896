// TGIFAppExtNSLoop: the looping application extension ("NETSCAPE2.0", also
// read under "ANIMEXTS1.0"): how often an animation repeats (0 = forever) and
// the optional buffer size hint.
#pragma once

#include "GIFApplicationExtension.h"

class TGIFAppExtNSLoop : public TGIFApplicationExtension {
public:
  static const TGIFExtensionClass ClassInfo;

  explicit TGIFAppExtNSLoop(TGIFSubImage* subImage);
  const TGIFExtensionClass& Class() const override { return ClassInfo; }

  std::uint16_t LoopCount() const { return FLoopCount; }
  void SetLoopCount(std::uint16_t value) { FLoopCount = value; }
  std::uint32_t BufferSize() const { return FBufferSize; }
  void SetBufferSize(std::uint32_t value) { FBufferSize = value; }
  void Accept(TGIFExtensionVisitor& visitor) override { visitor.Visit(*this); }

private:
  std::uint16_t FLoopCount = 0;
  std::uint32_t FBufferSize = 0;
};
