#include "GIFReduce.h"

#include <algorithm>
#include <optional>

#include "ColorQuantizer.h"
#include "DitherErrorRows.h"
#include "DitherFloydSteinberg.h"
#include "FixedPalettes.h"
#include "GIFDIB.h"

namespace {

std::optional<TPalette> ReductionPalette(const TBitmap& source, std::uint8_t method, int depth,
                                         const TPalette* customPalette) {
  switch (method) {
    case rmQuantize: {
      // Out-of-range depths are held to what a colour table can take.
      const int bits = std::clamp(depth, 0, MaxReductionDepth);
      return BuildOctreePalette(source.Image(), 1 << bits, TColorQuantizer::MaxColorBits, false);
    }
    case rmQuantizeWindows: return BuildOctreePalette(source.Image(), 256, TColorQuantizer::MaxColorBits, true);
    case rmPalette:
      if (customPalette == nullptr) return std::nullopt;
      return *customPalette;
    default: return FixedPalette(method);
  }
}

std::unique_ptr<TColorLookup> MakeLookup(std::uint8_t method, const std::optional<TPalette>& palette) {
  switch (method) {
    case 4: return std::make_unique<TMonochromeLookup>();
    case 5: return std::make_unique<TGrayScaleLookup>();
    case 6: return std::make_unique<TNetscapeColorLookup>();
    default: return std::make_unique<TFastColorLookup>(palette ? *palette : TPalette());
  }
}

}  // namespace

std::unique_ptr<TDitherEngine> MakeDitherEngine(std::uint8_t ditherKind, int width, TColorLookup& lookup) {
  switch (ditherKind) {
    case 0: return std::make_unique<TDitherEngine>(width, lookup);
    case 1: return std::make_unique<TFloydSteinbergDitherer>(width, lookup);
    case 2: return std::make_unique<TStuckiDitherer>(width, lookup);
    case 3: return std::make_unique<TSierraDitherer>(width, lookup);
    case 4: return std::make_unique<TJaJuNiDitherer>(width, lookup);
    case 5: return std::make_unique<TSteveArcheDitherer>(width, lookup);
    case 6: return std::make_unique<TBurkesDitherer>(width, lookup);
    default: return nullptr;
  }
}

std::unique_ptr<TBitmap> ReduceToIndexed(TBitmap& bitmap, std::uint8_t method, std::uint8_t ditherKind, int depth,
                                         const TPalette* customPalette) {
  auto result = std::make_unique<TBitmap>();
  if (method == rmNone) {
    result->Assign(bitmap);
    result->SetPixelFormat(TPixelFormat::pf24bit);
    return result;
  }
  const TDIBReader reader(bitmap, TPixelFormat::pf24bit);
  if (method > rmPalette) return result;
  const std::optional<TPalette> palette = ReductionPalette(bitmap, method, depth, customPalette);
  const std::unique_ptr<TColorLookup> lookup = MakeLookup(method, palette);
  if (lookup->Colors() == 0) return result;
  const std::unique_ptr<TDitherEngine> engine = MakeDitherEngine(ditherKind, bitmap.Width(), *lookup);
  if (!engine) return result;
  TDIBWriter writer(*result, palette, bitmap.Width(), bitmap.Height(), TPixelFormat::pf8bit);
  for (int y = 0; y < bitmap.Height(); ++y) engine->QuantizeRow(reader.ScanLine(y), writer.RowAddress(y));
  writer.Finish();
  return result;
}
