// The LZW decoder of GIF image data: the variable-length codes of one frame,
// read from its data sub-blocks, become the frame's Pixels, one colour index
// per pixel in display order (interlaced frames are put back in row order).
#pragma once

class TGIFSubImage;
class TStream;

// Allocates the frame's Pixels, all at the fill value (the governing
// transparent index of a transparent frame, else 0), and decodes the image
// data at the stream's position into them. Data that ends early leaves the
// rest at the fill value; a corrupt code table raises "Circular decoder table
// entry". The stream is left right after the data's zero-size terminator.
void DecodeFrameData(TGIFSubImage& frame, TStream& stream);
