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

protected:
  // Sub-block 1 with the loop count; sub-block 2 with the buffer size when not 0.
  void SaveBody(TStream& stream) override;
  // Sub-blocks by id (low 3 bits): 1 loop count, 2 buffer size, others skipped;
  // a sub-block too short for its id raises "Invalid GIF data".
  void LoadBody(TStream& stream) override;

private:
  std::uint16_t FLoopCount = 0;
  std::uint32_t FBufferSize = 0;
};
