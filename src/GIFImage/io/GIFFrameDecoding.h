// Reading a frame's image data: the minimum code size byte and the data
// sub-blocks, decoded into the frame's pixels (or kept for their first use).
#pragma once

class TGIFSubImage;
class TStream;

// Allocates the frame's Pixels, all at the fill value (the governing
// transparent index of a transparent frame, else 0), and decodes the image
// data at the stream's position into them. Data that ends early leaves the
// rest at the fill value, written only when all the pixels are asked for
// (TGIFUnwritten); a corrupt code table raises "Circular decoder table
// entry". The stream is left right after the data's zero-size terminator.
// With mayDefer, clean data (GIFLZWScan.h) is not decoded but kept by the
// frame for its first use of the pixels; the frame's size still counts
// against the pixel limits at once.
void ReadFrameData(TGIFSubImage& frame, TStream& stream, bool mayDefer);
