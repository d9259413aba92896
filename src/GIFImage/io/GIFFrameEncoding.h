// EncodeFrameData: the image data of one frame as the writer puts it into a
// file: the minimum code size byte, the codes of the frame's pixels in data
// sub-blocks of 255 bytes, and the zero-size terminator. The document's
// Encoding picks the encoder: 1 the run-length encoder, anything else LZW.
#pragma once

class TGIFSubImage;
class TStream;

// "Color not in color table" for a pixel not below the frame's colour limit:
// the local table's size, or without one 2 to the largest table bits of the
// document. The bytes written up to the failure stay in the stream.
void EncodeFrameData(const TGIFSubImage& frame, TStream& stream);
