// Building documents in memory and writing them, the way the writer and
// encoder tests need it: frames with given pixels and tables, the bytes a
// document or one frame's image data is written as, and the GIF files the
// tests read.
#pragma once

#include <string>
#include <vector>

#include "GIFImage.h"
#include "GifBuilder.h"
#include "GifOutline.h"

// A frame of width x height at (left, top) holding pixels, with a local table
// of the given 0xRRGGBB colours (none when empty), appended to the document.
TGIFSubImage& AddFrame(TGIFImage& image, int width, int height, const TBytes& pixels,
                       const std::vector<std::uint32_t>& localColors = {}, int left = 0, int top = 0);
void AddColors(TGIFColorMap& map, const std::vector<std::uint32_t>& colors);
// The minimum code size byte, sub-blocks and terminator of one frame.
TBytes ImageDataOf(const TGIFSubImage& frame);
// The whole document as SaveToStream writes it.
TBytes Saved(TGIFImage& image);
// Every GIF the tests read (the GIF fuzz seeds) and the regression files of
// tests/data/gif, by name.
std::vector<std::pair<std::string, TBytes>> TestGifFiles();
// The bytes of a file of tests/data/gif.
TBytes GifDataFile(const std::string& name);
