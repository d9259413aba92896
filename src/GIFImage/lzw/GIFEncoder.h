// TGIFEncoder: what the two image data encoders share for one frame: the
// code sizes and special codes, the bit bucket that packs codes least
// significant bit first into bytes, and the walk over the frame's indices in
// the order of the written image (rows in four passes when interlaced). Each
// encoder supplies Clear and Compress; the encoder object lives for one frame.
//
// Codes are packed into a 64-bit bucket and leave it 4 bytes at a time into a
// small byte buffer, which goes to the code byte sink when it fills, so the
// cost per code is a shift, an or and a compare.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

// Where the encoders' code bytes go, a few thousand at a time.
class TCodeByteSink {
public:
  virtual void PutCodeBytes(const std::uint8_t* bytes, std::size_t count) = 0;

protected:
  ~TCodeByteSink() = default;
};

// The indices of one frame, Width per row, rows top to bottom in display order.
struct TFrameIndices {
  std::span<const std::uint8_t> Pixels;
  int Width = 0;
  int Height = 0;
  bool Interlaced = false;
};

// The GIF code stream's limits: codes of at most 12 bits, 4096 table entries.
inline constexpr int MaxCodeWidth = 12;
inline constexpr int TableCodes = 1 << MaxCodeWidth;

// Puts a code of width bits above the bits in the bucket, without a jump:
// the low 4 bytes are always stored (the buffer has room for them) but the
// output moves on only when the bucket holds 32 bits. A code of width 0
// (and value 0) changes nothing.
inline void PackCode(std::uint64_t& bucket, int& bits, std::uint8_t*& out, std::uint32_t code, int width) {
  bucket |= std::uint64_t{code} << bits;
  bits += width;
  const auto low = static_cast<std::uint32_t>(bucket);
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(out, &low, 4);
  } else {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(low >> (8 * i));
  }
  const int full = bits >> 5;
  out += 4 * full;
  bucket >>= 32 * full;
  bits -= 32 * full;
}

// The bit bucket: code bits not yet written as bytes, and where the next
// bytes go. The compress loops keep its fields in locals.
struct TBitBucket {
  std::uint64_t Bucket = 0;
  int Bits = 0;
  std::uint8_t* Out = nullptr;

  void Put(std::uint32_t code, int width) { PackCode(Bucket, Bits, Out, code, width); }
};

class TGIFEncoder {
public:
  // minimumCodeSize at least 2; pixels must stay below colorLimit.
  TGIFEncoder(TCodeByteSink& sink, int minimumCodeSize, int colorLimit);
  virtual ~TGIFEncoder() = default;
  TGIFEncoder(const TGIFEncoder&) = delete;
  TGIFEncoder& operator=(const TGIFEncoder&) = delete;

  // The frame's indices compressed (when it has any), then the end code and
  // the last bits as one more byte, all handed to the sink. False at the first
  // index not below the colour limit: the bytes of the codes before it have
  // reached the sink then, their last bits and the end code have not.
  bool Encode(const TFrameIndices& frame);

protected:
  // Starts the string table again: a clear code, the width back to the start.
  virtual void Clear() = 0;
  // The codes of all pixels, in the walk order (ForEachSpan).
  virtual void Compress() = 0;

  // Calls encode(pixels, count) for each run of pixels that lie one after the
  // other in the walk: the whole frame at once, or one row at a time when
  // interlaced. A pixel not below the colour limit ends the walk (and the
  // encoding) after the pixels before it were encoded.
  template <class EncodeSpan>
  void ForEachSpan(EncodeSpan&& encode);

  void WriteCode(std::uint32_t code) {
    FBucket.Put(code, FCodeWidth);
    if (FBucket.Out >= RawLimit()) Drain(FBucket);
  }
  // Room for one more code (4 bytes) is always left below the limit.
  const std::uint8_t* RawLimit() const { return FRaw.data() + RawBytes; }
  // Hands the packed bytes to the sink and starts the buffer again.
  void Drain(TBitBucket& bucket);

  int FMinimumCodeSize;
  int FInitialWidth;
  int FCodeWidth;
  std::uint32_t FClearCode;
  std::uint32_t FEndCode;
  std::uint32_t FFirstFree;
  int FColorLimit;
  TBitBucket FBucket;

private:
  static constexpr std::size_t RawBytes = 16 * 255;

  // The first of count pixels that is not below the colour limit; count when none is.
  std::size_t ValidPrefix(const std::uint8_t* pixels, std::size_t count) const;
  [[noreturn]] static void RaiseInvalidColor();
  void WriteEnd();

  TCodeByteSink& FSink;
  const std::uint8_t* FPixels = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  bool FInterlaced = false;
  std::array<std::uint8_t, RawBytes + 8> FRaw{};
};

template <class EncodeSpan>
void TGIFEncoder::ForEachSpan(EncodeSpan&& encode) {
  const auto span = [&](const std::uint8_t* pixels, std::size_t count) {
    const std::size_t valid = ValidPrefix(pixels, count);
    if (valid > 0) encode(pixels, valid);
    if (valid < count) RaiseInvalidColor();
  };
  const auto width = static_cast<std::size_t>(FWidth);
  if (!FInterlaced) {
    span(FPixels, width * static_cast<std::size_t>(FHeight));
    return;
  }
  // Rows 0, 8, 16...; then 4, 12...; then 2, 6...; then 1, 3...
  constexpr int firstRow[4] = {0, 4, 2, 1};
  constexpr int rowStep[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = firstRow[pass]; y < FHeight; y += rowStep[pass]) span(FPixels + width * static_cast<std::size_t>(y), width);
}
