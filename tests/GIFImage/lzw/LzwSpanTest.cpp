// The coders on their own, without a document or a stream: the decoder fills
// the indices it is given and reports what it met, the encoders hand their
// bytes to a sink and refuse an index beyond the colour limit.
#include <gtest/gtest.h>

#include <cstring>

#include "GIFLZWDecoder.h"
#include "GIFLZWEncoder.h"
#include "GIFRLEEncoder.h"
#include "GifBuilder.h"

namespace {

TGIFCodeStream Gathered(const TBytes& data, bool terminated, std::size_t shortFrom = TGIFCodeStream::npos) {
  TGIFCodeStream codes;
  codes.Bytes = std::make_unique<std::uint8_t[]>(data.size() + CodeStreamPadding);
  if (!data.empty()) std::memcpy(codes.Bytes.get(), data.data(), data.size());
  codes.Size = data.size();
  codes.Terminated = terminated;
  codes.ShortFrom = shortFrom;
  return codes;
}

TEST(LzwSpans, DecodingFillsTheIndicesAndReportsWhatItMet) {
  // Code size 2: clear 4, end 5, codes of 3 bits.
  // After code 3 makes entry 7 the codes are 4 bits wide.
  const TBytes complete = TCodePacker().Add(4, 3).Add(1, 3).Add(2, 3).Add(3, 3).Add(0, 4).Add(5, 4).Bytes();
  const TBytes noEnd = TCodePacker().Add(4, 3).Add(1, 3).Add(1, 3).Add(1, 3).Add(1, 4).Bytes();  // exactly two bytes
  const TBytes circular = TCodePacker().Add(4, 3).Add(1, 3).Add(7, 3).Add(7, 3).Add(7, 4).Bytes();
  struct TCase {
    const char* Name;
    TBytes Data;
    bool Terminated;
    std::size_t ShortFrom;
    int Width, Height, CodeSize;
    bool Interlaced;
    TBytes Indices;
    std::size_t Reached;
    bool MetShortBlock, EndedWithoutEndCode, Circular;
  };
  const std::vector<TCase> cases = {
      {"complete", complete, true, TGIFCodeStream::npos, 2, 2, 2, false, {1, 2, 3, 0}, 4, false, false, false},
      {"interlaced rows come back in display order", complete, true, TGIFCodeStream::npos, 1, 4, 2, true,
       {1, 3, 2, 0}, 4, false, false, false},
      {"ends early with no bit left", noEnd, true, TGIFCodeStream::npos, 6, 1, 2, false, {1, 1, 1, 1, 0, 0}, 4,
       false, true, false},
      {"ends early unterminated", noEnd, false, TGIFCodeStream::npos, 6, 1, 2, false, {1, 1, 1, 1, 0, 0}, 4, false,
       false, false},
      {"short sub-block met", complete, false, 1, 2, 2, 2, false, {1, 2, 3, 0}, 4, true, false, false},
      {"circular table", circular, true, TGIFCodeStream::npos, 50, 1, 2, false, TBytes(50, 1), 0, false, false, true},
      {"code size beyond the tables", complete, true, TGIFCodeStream::npos, 2, 2, 12, false, {0, 0, 0, 0}, 0, false,
       false, false},
  };
  for (const TCase& c : cases) {
    TGIFFrameCodes codes{Gathered(c.Data, c.Terminated, c.ShortFrom), c.CodeSize, 0, c.Interlaced, c.Width, c.Height};
    TBytes indices(static_cast<std::size_t>(c.Width * c.Height), 0);
    const TLZWDecoded decoded = DecodeFrameCodes(codes, indices);
    EXPECT_EQ(decoded.Reached, c.Reached) << c.Name;
    EXPECT_EQ(decoded.MetShortBlock, c.MetShortBlock) << c.Name;
    EXPECT_EQ(decoded.EndedWithoutEndCode, c.EndedWithoutEndCode) << c.Name;
    EXPECT_EQ(decoded.Circular, c.Circular) << c.Name;
    if (!c.Circular) {
      EXPECT_EQ(indices, c.Indices) << c.Name;
    }
  }
}

class TCollectedBytes final : public TCodeByteSink {
public:
  void PutCodeBytes(const std::uint8_t* bytes, std::size_t count) override { Bytes.insert(Bytes.end(), bytes, bytes + count); }
  TBytes Bytes;
};

TEST(LzwSpans, EncodersHandTheirBytesToTheSinkAndStopAtAnIndexBeyondTheLimit) {
  const TBytes pixels = {0, 1, 2, 3, 3, 3, 3, 3, 1, 0, 2, 2};
  for (bool runLength : {false, true}) {
    for (std::uint8_t bad : {std::uint8_t{3}, std::uint8_t{4}}) {
      const std::string name = std::string(runLength ? "run-length" : "LZW") + ", limit " + std::to_string(bad);
      TCollectedBytes sink;
      std::unique_ptr<TGIFEncoder> encoder;
      if (runLength)
        encoder = std::make_unique<TRLEEncoder>(sink, 2, bad);
      else
        encoder = std::make_unique<TLZWEncoder>(sink, 2, bad);
      const bool encoded = encoder->Encode({pixels, 4, 3, false});
      EXPECT_EQ(encoded, bad == 4) << name;
      if (!encoded) continue;
      // Back through the decoder: the same indices.
      TGIFFrameCodes codes{Gathered(sink.Bytes, true), 2, 0, false, 4, 3};
      TBytes indices(pixels.size(), 0);
      EXPECT_EQ(DecodeFrameCodes(codes, indices).Reached, pixels.size()) << name;
      EXPECT_EQ(indices, pixels) << name;
    }
  }
}

}  // namespace
