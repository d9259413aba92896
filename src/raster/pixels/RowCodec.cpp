#include "RowCodec.h"

#include <algorithm>
#include <cstring>

namespace {

// Masks of a 16-bit image that carries no bit fields of its own: 5-5-5.
constexpr TBitFields Default16Fields{0x7C00, 0x03E0, 0x001F};

template <class Layout>
constexpr int PixelsPerByte() {
  return Layout::Bits < 8 ? 8 / Layout::Bits : 1;
}

}  // namespace

TRowCodec::TRowCodec(const TPixelImage& image) : FColors(TBgrColors{}) {
  const auto& fields = image.BitFields();
  switch (image.BitCount()) {
    case 1: FKind = TKind::Table1; break;
    case 4: FKind = TKind::Table4; break;
    case 8: FKind = TKind::Table8; break;
    case 16: FKind = TKind::Fields16; break;
    case 24: FKind = TKind::Bgr24; break;
    default: FKind = fields ? TKind::Fields32 : TKind::Bgr32; break;
  }
  if (image.BitCount() <= 8) {
    FColors.emplace<TTableColors>(image.ColorTable());
  } else if (FKind == TKind::Fields16 || FKind == TKind::Fields32) {
    const TBitFields f = fields.value_or(Default16Fields);
    FColors.emplace<TFieldColors>(f.Red, f.Green, f.Blue);
  }
}

// Calls fn(layout, colours) with the traits of this image's format.
template <class F>
decltype(auto) TRowCodec::Visit(F&& fn) const {
  switch (FKind) {
    case TKind::Table1: return fn(TPixelLayout<1>{}, std::get<TTableColors>(FColors));
    case TKind::Table4: return fn(TPixelLayout<4>{}, std::get<TTableColors>(FColors));
    case TKind::Table8: return fn(TPixelLayout<8>{}, std::get<TTableColors>(FColors));
    case TKind::Fields16: return fn(TPixelLayout<16>{}, std::get<TFieldColors>(FColors));
    case TKind::Bgr24: return fn(TPixelLayout<24>{}, std::get<TBgrColors>(FColors));
    case TKind::Fields32: return fn(TPixelLayout<32>{}, std::get<TFieldColors>(FColors));
    case TKind::Bgr32: break;
  }
  return fn(TPixelLayout<32>{}, std::get<TBgrColors>(FColors));
}

void TRowCodec::Decode(const std::uint8_t* row, int x0, int count, TColor* out) const {
  Visit([&](auto layout, const auto& colors) {
    using L = decltype(layout);
    for (int i = 0; i < count; ++i) out[i] = colors.Decode(L::Get(row, x0 + i));
  });
}

void TRowCodec::Gather(const std::uint8_t* row, const int* columns, int count, TColor* out) const {
  Visit([&](auto layout, const auto& colors) {
    using L = decltype(layout);
    for (int i = 0; i < count; ++i) out[i] = colors.Decode(L::Get(row, columns[i]));
  });
}

void TRowCodec::Encode(std::uint8_t* row, int x0, int count, const TColor* colors) {
  Visit([&](auto layout, auto& model) {
    using L = decltype(layout);
    for (int i = 0; i < count; ++i) L::Put(row, x0 + i, model.Encode(colors[i] & 0xFFFFFF));
  });
}

std::uint32_t TRowCodec::RawOf(TColor rgb) {
  return Visit([&](auto, auto& model) { return model.Encode(rgb & 0xFFFFFF); });
}

TColor TRowCodec::ColorOf(std::uint32_t raw) const {
  return Visit([&](auto, const auto& colors) { return colors.Decode(raw); });
}

void TRowCodec::GatherRaw(const std::uint8_t* row, const int* columns, int count, std::uint32_t* out) const {
  Visit([&](auto layout, const auto&) {
    using L = decltype(layout);
    for (int i = 0; i < count; ++i) out[i] = L::Get(row, columns[i]);
  });
}

// Stores valueOf(i) into pixel x0 + i for i below count; 1-bit rows get whole
// bytes assembled and stored at once.
template <class L, class ValueOf>
void PutEach(std::uint8_t* row, int x0, int count, ValueOf valueOf) {
  int i = 0;
  if constexpr (L::Bits == 1) {
    for (; i < count && (x0 + i) % 8 != 0; ++i) L::Put(row, x0 + i, valueOf(i));
    for (; i + 8 <= count; i += 8) {
      unsigned byte = 0;
      for (int b = 0; b < 8; ++b) byte = byte << 1 | (valueOf(i + b) & 1u);
      row[(x0 + i) >> 3] = static_cast<std::uint8_t>(byte);
    }
  }
  for (; i < count; ++i) L::Put(row, x0 + i, valueOf(i));
}

void TRowCodec::PutRaw(std::uint8_t* row, int x0, int count, const std::uint32_t* raws) const {
  Visit([&](auto layout, const auto&) {
    PutEach<decltype(layout)>(row, x0, count, [raws](int i) { return raws[i]; });
  });
}

void TRowCodec::PutMapped(std::uint8_t* row, int x0, int count, const std::uint8_t* values,
                          const std::uint32_t* map) const {
  Visit([&](auto layout, const auto&) {
    PutEach<decltype(layout)>(row, x0, count, [values, map](int i) { return map[values[i]]; });
  });
}

void TRowCodec::Fill(std::uint8_t* row, int x0, int count, std::uint32_t raw) const {
  Visit([&](auto layout, const auto&) {
    using L = decltype(layout);
    constexpr int perByte = PixelsPerByte<L>();
    int x = x0;
    const int end = x0 + count;
    // Packed depths: set the odd pixels one by one and the whole bytes at once.
    if constexpr (perByte > 1) {
      for (; x < end && x % perByte != 0; ++x) L::Put(row, x, raw);
      std::uint8_t pattern = 0;
      for (int i = 0; i < perByte; ++i) L::Put(&pattern, i, raw);
      const int wholeBytes = (end - x) / perByte;
      std::memset(row + x / perByte, pattern, static_cast<std::size_t>(std::max(0, wholeBytes)));
      x += std::max(0, wholeBytes) * perByte;
    }
    for (; x < end; ++x) L::Put(row, x, raw);
  });
}

void TRowCodec::CopyRaw(const std::uint8_t* from, std::uint8_t* to, int count) const {
  Visit([&](auto layout, const auto&) {
    using L = decltype(layout);
    constexpr int perByte = PixelsPerByte<L>();
    const int wholeBytes = perByte > 1 ? count / perByte : count * (L::Bits / 8);
    // A row of an image 0 pixels wide has no bytes and may have no memory.
    if (wholeBytes > 0) std::memcpy(to, from, static_cast<std::size_t>(wholeBytes));
    for (int x = perByte > 1 ? wholeBytes * perByte : count; x < count; ++x) L::Put(to, x, L::Get(from, x));
  });
}
