#include "GIFFrameDecoding.h"

#include <memory>

#include "GIFException.h"
#include "GIFGraphicControlExtension.h"
#include "GIFLZWDecoder.h"
#include "GIFLZWScan.h"
#include "GIFMessages.h"
#include "GIFStreamIO.h"
#include "GIFSubBlockGather.h"
#include "GIFSubImage.h"

namespace {

std::uint8_t FillValue(const TGIFSubImage& frame) {
  if (!frame.IsTransparent() || frame.ControlBlock() == nullptr) return 0;
  return frame.ControlBlock()->TransparentIndex();
}

// Decodes the codes into the frame's fresh pixels; what went wrong is told in
// the order decoding met it.
TGIFUnwritten DecodeIntoFrame(TGIFSubImage& frame, const TGIFFrameCodes& codes) {
  const TLZWDecoded decoded = DecodeFrameCodes(codes, {frame.Pixels(), static_cast<std::size_t>(frame.PixelCount())});
  if (decoded.MetShortBlock) frame.ReportWarning(WarningSeverity, sOutOfData);
  if (decoded.EndedWithoutEndCode) frame.ReportWarning(WarningSeverity, sDecodeTooFewBits);
  if (decoded.Circular) throw GIFException(sDecodeCircular);
  return {static_cast<std::int64_t>(decoded.Reached), codes.Fill, codes.Interlaced};
}

}  // namespace

void ReadFrameData(TGIFSubImage& frame, TStream& stream, bool mayDefer) {
  TGIFFrameCodes codes;
  codes.Fill = FillValue(frame);
  // Decoding at once checks the pixel limits before the data is read, as it
  // always did. The fresh buffer stays zero where the data does not reach
  // until those pixels are asked for.
  if (!mayDefer) frame.AllocatePixels(0);
  std::uint8_t codeSize = 0;
  const bool hasData = ReadOneByte(stream, codeSize);
  if (hasData) GatherSubBlocks(stream, codes.Data);
  codes.CodeSize = codeSize;
  codes.Interlaced = frame.Interlaced();
  codes.Width = frame.Width();
  codes.Height = frame.Height();
  if (mayDefer) {
    if (hasData && IsCleanCodeStream(codes.Data, codeSize)) {
      frame.DeferPixels(std::make_shared<const TGIFFrameCodes>(std::move(codes)));
      return;
    }
    frame.AllocatePixels(0);
  }
  TGIFUnwritten unwritten{0, codes.Fill, codes.Interlaced};
  if (hasData) unwritten = DecodeIntoFrame(frame, codes);
  frame.LeaveUnwritten(unwritten);
}
