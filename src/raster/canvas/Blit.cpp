#include "Blit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "RowCodec.h"

namespace {

// Where target positions of one axis take their source from: position t of
// [targetStart, targetEnd) reads source position sourceStart + (t - targetStart)
// * sourceLength / targetLength, rounded down. Computed in unsigned 64 bits:
// both factors are below 2^32, so the product cannot overflow.
struct TAxis {
  std::int64_t TargetStart, TargetLength, SourceStart, SourceLength;

  std::int64_t SourceOf(std::int64_t t) const {
    const auto offset = static_cast<std::uint64_t>(t - TargetStart);
    return SourceStart + static_cast<std::int64_t>(offset * static_cast<std::uint64_t>(SourceLength) /
                                                   static_cast<std::uint64_t>(TargetLength));
  }
  // The target positions inside [0, targetSize) whose source lies inside
  // [0, sourceSize), as a half-open range (empty when first >= last). The
  // mapping only grows, so they form one run; its ends are solved directly
  // (source offset o*SL/TL >= k exactly when o >= ceil(k*TL/SL)).
  std::pair<int, int> Visible(int targetSize, int sourceSize) const {
    const auto ceilScaled = [this](std::int64_t k) {
      const auto product = static_cast<std::uint64_t>(k) * static_cast<std::uint64_t>(TargetLength);
      const auto length = static_cast<std::uint64_t>(SourceLength);
      return static_cast<std::int64_t>((product + length - 1) / length);
    };
    std::int64_t low = 0, high = TargetLength;  // offsets from TargetStart
    if (SourceStart < 0) {
      if (-SourceStart >= SourceLength) return {0, 0};
      low = ceilScaled(-SourceStart);
    }
    const std::int64_t room = std::int64_t{sourceSize} - SourceStart;
    if (room <= 0) return {0, 0};
    if (room < SourceLength) high = ceilScaled(room);
    const std::int64_t first = std::max<std::int64_t>(TargetStart + low, 0);
    const std::int64_t last = std::min<std::int64_t>(TargetStart + high, targetSize);
    if (first >= last) return {0, 0};
    return {static_cast<int>(first), static_cast<int>(last)};
  }
};

TAxis Horizontal(const TRect& target, const TRect& source) {
  return {target.Left, std::int64_t{target.Right} - target.Left, source.Left, std::int64_t{source.Right} - source.Left};
}

TAxis Vertical(const TRect& target, const TRect& source) {
  return {target.Top, std::int64_t{target.Bottom} - target.Top, source.Top, std::int64_t{source.Bottom} - source.Top};
}

// Turns source colours into what the target's kind takes (the colour rules).
void ApplyColorRules(std::vector<TColor>& colors, bool sourceMono, bool targetMono, const TBlitColors& rules) {
  if (sourceMono && !targetMono) {
    const TColor text = ColorToRGB(rules.TargetText), background = ColorToRGB(rules.TargetBackground);
    for (TColor& c : colors) c = c == clWhite ? background : text;
  } else if (!sourceMono && targetMono) {
    const TColor background = ColorToRGB(rules.SourceBackground);
    for (TColor& c : colors) c = c == background ? clWhite : clBlack;
  }
}

// target := mode(source, target), on the RGB bits.
void Combine(TCopyMode mode, const std::vector<TColor>& source, std::vector<TColor>& target) {
  const std::size_t n = target.size();
  switch (mode) {
    case TCopyMode::cmSrcCopy: std::copy(source.begin(), source.end(), target.begin()); break;
    case TCopyMode::cmSrcAnd: for (std::size_t i = 0; i < n; ++i) target[i] &= source[i]; break;
    case TCopyMode::cmSrcPaint: for (std::size_t i = 0; i < n; ++i) target[i] |= source[i]; break;
    case TCopyMode::cmSrcInvert: for (std::size_t i = 0; i < n; ++i) target[i] ^= source[i]; break;
    case TCopyMode::cmNotSrcCopy: for (std::size_t i = 0; i < n; ++i) target[i] = ~source[i] & 0xFFFFFF; break;
  }
}

// The rows of area (target coordinates) copied unchanged from a source of at
// most 8 bits: what each of its raw values becomes in the target (its colour
// under the colour rules, encoded as the target encodes it) is worked out
// once, which gives what converting every pixel gives, at a fraction of the
// cost. A source row read for one target row serves the next ones too, and
// the bytes of an 8-bit source copied unscaled across are its raw values as
// they stand (an 8-bit picture drawn onto a 1-bit one).
void CopyIndexedRows(TPixelImage& target, const TPixelImage& source, const TRect& area, const TAxis& across,
                     const TAxis& down, const std::vector<int>& columns, const TBlitColors& rules) {
  const TRowCodec reader(source);
  TRowCodec writer(target);
  std::vector<TColor> colors(256);
  for (std::uint32_t raw = 0; raw < colors.size(); ++raw) colors[raw] = reader.ColorOf(raw);
  ApplyColorRules(colors, source.BitCount() == 1, target.BitCount() == 1, rules);
  std::vector<std::uint32_t> indexToRaw(colors.size());
  for (std::size_t i = 0; i < colors.size(); ++i) indexToRaw[i] = writer.RawOf(colors[i]);
  const int count = static_cast<int>(columns.size());
  if (source.BitCount() == 8 && across.SourceLength == across.TargetLength) {
    for (int y = area.Top; y < area.Bottom; ++y)
      writer.PutMapped(target.ScanLine(y), area.Left, count,
                       source.ScanLine(static_cast<int>(down.SourceOf(y))) + columns.front(), indexToRaw.data());
    return;
  }
  std::vector<std::uint32_t> raws(columns.size());
  std::int64_t lastSourceRow = -1;
  for (int y = area.Top; y < area.Bottom; ++y) {
    const std::int64_t sourceRow = down.SourceOf(y);
    if (sourceRow != lastSourceRow) {
      reader.GatherRaw(source.ScanLine(static_cast<int>(sourceRow)), columns.data(), static_cast<int>(columns.size()), raws.data());
      for (std::uint32_t& raw : raws) raw = indexToRaw[raw];
      lastSourceRow = sourceRow;
    }
    writer.PutRaw(target.ScanLine(y), area.Left, static_cast<int>(raws.size()), raws.data());
  }
}

}  // namespace

void StretchBlit(TPixelImage& target, const TRect& targetRect, const TPixelImage& source, const TRect& sourceRect,
                 const TBlitColors& colors, TCopyMode mode) {
  if (targetRect.Right <= targetRect.Left || targetRect.Bottom <= targetRect.Top ||
      sourceRect.Right <= sourceRect.Left || sourceRect.Bottom <= sourceRect.Top || target.Empty() || source.Empty())
    return;
  if (&target == &source) {
    // Overlapping areas of one image: read from a snapshot.
    const TPixelImage snapshot = source;
    StretchBlit(target, targetRect, snapshot, sourceRect, colors, mode);
    return;
  }
  const TAxis across = Horizontal(targetRect, sourceRect), down = Vertical(targetRect, sourceRect);
  const auto [x1, x2] = across.Visible(target.Width(), source.Width());
  const auto [y1, y2] = down.Visible(target.Height(), source.Height());
  if (x1 >= x2 || y1 >= y2) return;

  const auto count = static_cast<std::size_t>(x2 - x1);
  // Full colour copied unscaled into the same layout: every colour stays as
  // it is, so the rows are copied as bytes (the painter composes whole
  // screens this way every frame).
  const bool sameLayout = source.BitCount() == target.BitCount() && (source.BitCount() == 24 || source.BitCount() == 32) &&
                          !source.BitFields() && !target.BitFields();
  if (mode == TCopyMode::cmSrcCopy && sameLayout && across.SourceLength == across.TargetLength &&
      down.SourceLength == down.TargetLength) {
    const std::size_t pixelBytes = static_cast<std::size_t>(source.BitCount() / 8);
    const auto sourceLeft = static_cast<std::size_t>(across.SourceOf(x1));
    for (int y = y1; y < y2; ++y)
      std::memcpy(target.ScanLine(y) + static_cast<std::size_t>(x1) * pixelBytes,
                  source.ScanLine(static_cast<int>(down.SourceOf(y))) + sourceLeft * pixelBytes, count * pixelBytes);
    return;
  }
  std::vector<int> columns(count);
  for (std::size_t i = 0; i < count; ++i) columns[i] = static_cast<int>(across.SourceOf(x1 + static_cast<int>(i)));

  if (mode == TCopyMode::cmSrcCopy && source.BitCount() <= 8) {
    CopyIndexedRows(target, source, {x1, y1, x2, y2}, across, down, columns, colors);
    return;
  }
  const TRowCodec reader(source);
  TRowCodec writer(target);
  const bool sourceMono = source.BitCount() == 1, targetMono = target.BitCount() == 1;
  std::vector<TColor> converted(count), result(count);
  std::int64_t lastSourceRow = -1;
  for (int y = y1; y < y2; ++y) {
    const std::int64_t sourceRow = down.SourceOf(y);
    if (sourceRow != lastSourceRow) {
      reader.Gather(source.ScanLine(static_cast<int>(sourceRow)), columns.data(), static_cast<int>(count), converted.data());
      ApplyColorRules(converted, sourceMono, targetMono, colors);
      lastSourceRow = sourceRow;
    }
    if (mode != TCopyMode::cmSrcCopy) writer.Decode(target.ScanLine(y), x1, static_cast<int>(count), result.data());
    Combine(mode, converted, result);
    writer.Encode(target.ScanLine(y), x1, static_cast<int>(count), result.data());
  }
}

void MaskBlit(TPixelImage& target, TPoint at, const TPixelImage& source, const TPixelImage& mask, const TBlitColors& colors) {
  if (target.Empty() || source.Empty()) return;
  if (&target == &source || &target == &mask) {
    const TPixelImage snapshot = target;
    MaskBlit(target, at, &target == &source ? snapshot : source, &target == &mask ? snapshot : mask, colors);
    return;
  }
  // The covered target columns and rows, worked out in 64 bits: `at` may lie far off.
  const std::int64_t x1 = std::max<std::int64_t>(at.X, 0), y1 = std::max<std::int64_t>(at.Y, 0);
  const std::int64_t x2 = std::min<std::int64_t>(std::int64_t{at.X} + source.Width(), target.Width());
  const std::int64_t y2 = std::min<std::int64_t>(std::int64_t{at.Y} + source.Height(), target.Height());
  if (x1 >= x2 || y1 >= y2) return;
  const int count = static_cast<int>(x2 - x1);
  const int sourceLeft = static_cast<int>(x1 - at.X);
  const int masked = std::clamp(mask.Width() - sourceLeft, 0, count);

  const TRowCodec reader(source);
  const TRowCodec maskReader(mask);
  TRowCodec writer(target);
  const bool sourceMono = source.BitCount() == 1, targetMono = target.BitCount() == 1;
  std::vector<TColor> converted(static_cast<std::size_t>(count)), keep(static_cast<std::size_t>(count), clBlack),
      result(static_cast<std::size_t>(count));
  for (int y = static_cast<int>(y1); y < static_cast<int>(y2); ++y) {
    const int sourceRow = static_cast<int>(y - at.Y);
    reader.Decode(source.ScanLine(sourceRow), sourceLeft, count, converted.data());
    ApplyColorRules(converted, sourceMono, targetMono, colors);
    std::fill(keep.begin(), keep.end(), clBlack);
    if (sourceRow < mask.Height() && masked > 0) maskReader.Decode(mask.ScanLine(sourceRow), sourceLeft, masked, keep.data());
    writer.Decode(target.ScanLine(y), static_cast<int>(x1), count, result.data());
    for (std::size_t i = 0; i < result.size(); ++i)
      if (keep[i] != clWhite) result[i] = converted[i];
    writer.Encode(target.ScanLine(y), static_cast<int>(x1), count, result.data());
  }
}
