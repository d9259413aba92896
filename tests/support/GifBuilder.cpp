#include "GifBuilder.h"

#include <algorithm>
#include <unordered_map>

TGifBuilder& TGifBuilder::Raw(std::initializer_list<int> bytes) {
  for (int b : bytes) FBytes.push_back(static_cast<std::uint8_t>(b));
  return *this;
}

TGifBuilder& TGifBuilder::Raw(const TBytes& bytes) {
  FBytes.insert(FBytes.end(), bytes.begin(), bytes.end());
  return *this;
}

TGifBuilder& TGifBuilder::Text(std::string_view text) {
  FBytes.insert(FBytes.end(), text.begin(), text.end());
  return *this;
}

TGifBuilder& TGifBuilder::Word(std::uint16_t value) { return Raw({value & 0xFF, value >> 8}); }

TGifBuilder& TGifBuilder::Header(std::uint16_t width, std::uint16_t height, std::uint8_t flags,
                                 std::uint8_t background, std::uint8_t aspect, std::string_view signature) {
  Text(signature).Word(width).Word(height);
  return Raw({flags, background, aspect});
}

TGifBuilder& TGifBuilder::ColorTable(const std::vector<std::uint32_t>& colors) {
  for (std::uint32_t c : colors) Raw({static_cast<int>(c >> 16) & 0xFF, static_cast<int>(c >> 8) & 0xFF, static_cast<int>(c) & 0xFF});
  return *this;
}

TGifBuilder& TGifBuilder::GraphicControl(std::uint8_t packed, std::uint16_t delay, std::uint8_t transparentIndex) {
  Raw({0x21, 0xF9, 4, packed}).Word(delay);
  return Raw({transparentIndex, 0});
}

TGifBuilder& TGifBuilder::Comment(const std::vector<std::string>& subBlocks) {
  Raw({0x21, 0xFE});
  for (const std::string& block : subBlocks) Raw({static_cast<int>(block.size())}).Text(block);
  return Raw({0});
}

TGifBuilder& TGifBuilder::PlainText(const TBytes& header13, const std::vector<std::string>& subBlocks) {
  Raw({0x21, 0x01}).Raw(header13);
  for (const std::string& block : subBlocks) Raw({static_cast<int>(block.size())}).Text(block);
  return Raw({0});
}

TGifBuilder& TGifBuilder::Application(std::string_view identifier, const std::vector<TBytes>& subBlocks) {
  Raw({0x21, 0xFF, 11}).Text(identifier);
  for (const TBytes& block : subBlocks) Raw({static_cast<int>(block.size())}).Raw(block);
  return Raw({0});
}

TGifBuilder& TGifBuilder::Looping(std::uint16_t loopCount) {
  return Application("NETSCAPE2.0", {{1, static_cast<std::uint8_t>(loopCount), static_cast<std::uint8_t>(loopCount >> 8)}});
}

TGifBuilder& TGifBuilder::Descriptor(std::uint16_t left, std::uint16_t top, std::uint16_t width, std::uint16_t height,
                                     std::uint8_t flags) {
  Raw({0x2C}).Word(left).Word(top).Word(width).Word(height);
  return Raw({flags});
}

TGifBuilder& TGifBuilder::ImageData(std::uint8_t codeSize, const TBytes& data, std::size_t blockSize) {
  Raw({codeSize});
  for (std::size_t at = 0; at < data.size(); at += blockSize) {
    const std::size_t n = std::min(blockSize, data.size() - at);
    FBytes.push_back(static_cast<std::uint8_t>(n));
    FBytes.insert(FBytes.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                  data.begin() + static_cast<std::ptrdiff_t>(at + n));
  }
  return Raw({0});
}

TGifBuilder& TGifBuilder::Image(std::uint16_t width, std::uint16_t height, const TBytes& indices,
                                std::uint8_t codeSize, std::uint8_t flags) {
  Descriptor(0, 0, width, height, flags);
  return ImageData(codeSize, LzwEncode(indices, codeSize));
}

TGifBuilder& TGifBuilder::Trailer() { return Raw({0x3B}); }

TCodePacker& TCodePacker::Add(int code, int width) {
  FBits |= static_cast<std::uint64_t>(code & ((1 << width) - 1)) << FCount;
  FCount += width;
  while (FCount >= 8) {
    FBytes.push_back(static_cast<std::uint8_t>(FBits));
    FBits >>= 8;
    FCount -= 8;
  }
  return *this;
}

TBytes TCodePacker::Bytes() const {
  TBytes bytes = FBytes;
  if (FCount > 0) bytes.push_back(static_cast<std::uint8_t>(FBits));
  return bytes;
}

namespace {

// Follows the code width a decoder uses: it makes its first entry only on the
// second code after a clear, one step behind the encoder.
class TWidthTracker {
public:
  explicit TWidthTracker(int codeSize) : FCodeSize(codeSize) { Reset(); }
  void Reset() {
    FWidth = FCodeSize + 1;
    FNext = (1 << FCodeSize) + 2;
    FLimit = 2 << FCodeSize;
    FCodes = 0;
  }
  int Width() const { return FWidth; }
  void CodeWritten() {
    if (FCodes++ == 0 || FNext >= 4096) return;
    if (++FNext >= FLimit && FLimit < 4096) {
      FLimit *= 2;
      ++FWidth;
    }
  }

private:
  int FCodeSize;
  int FWidth = 0;
  int FNext = 0;
  int FLimit = 0;
  int FCodes = 0;
};

}  // namespace

TBytes LzwEncode(const TBytes& indices, int codeSize, bool clearWhenFull, int lastCode) {
  const int clear = 1 << codeSize;
  TCodePacker packer;
  TWidthTracker decoder(codeSize);
  std::unordered_map<std::uint32_t, int> table;
  int next = clear + 2;
  const auto emit = [&](int code) {
    packer.Add(code, decoder.Width());
    decoder.CodeWritten();
  };
  packer.Add(clear, decoder.Width());
  int current = -1;
  for (std::uint8_t index : indices) {
    if (current < 0) {
      current = index;
      continue;
    }
    const std::uint32_t key = (static_cast<std::uint32_t>(current) << 8) | index;
    const auto found = table.find(key);
    if (found != table.end()) {
      current = found->second;
      continue;
    }
    emit(current);
    if (next <= lastCode) {
      table[key] = next++;
    } else if (clearWhenFull) {
      packer.Add(clear, decoder.Width());
      decoder.Reset();
      table.clear();
      next = clear + 2;
    }
    current = index;
  }
  if (current >= 0) emit(current);
  packer.Add(clear + 1, decoder.Width());
  return packer.Bytes();
}

TUnpackedImageData UnpackImageData(const TBytes& imageData) {
  TUnpackedImageData result;
  if (imageData.empty()) return result;
  result.CodeSize = imageData[0];
  TBytes data;
  std::size_t at = 1;
  while (at < imageData.size()) {
    const int size = imageData[at++];
    if (size == 0) {
      result.Terminated = true;
      break;
    }
    result.BlockSizes.push_back(size);
    const std::size_t end = std::min(imageData.size(), at + static_cast<std::size_t>(size));
    data.insert(data.end(), imageData.begin() + static_cast<std::ptrdiff_t>(at), imageData.begin() + static_cast<std::ptrdiff_t>(end));
    at = end;
  }
  const int clear = 1 << result.CodeSize;
  TWidthTracker decoder(result.CodeSize);
  std::size_t bit = 0;
  while (bit + static_cast<std::size_t>(decoder.Width()) <= data.size() * 8) {
    int code = 0;
    for (int i = 0; i < decoder.Width(); ++i, ++bit) code |= ((data[bit / 8] >> (bit % 8)) & 1) << i;
    result.Codes.push_back(code);
    if (code == clear + 1) break;
    if (code == clear) {
      decoder.Reset();
    } else {
      decoder.CodeWritten();
    }
  }
  return result;
}
