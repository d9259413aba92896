#include "Bitmap.h"

#include "BmpReader.h"
#include "BmpWriter.h"
#include "Canvas.h"
#include "PixelConversion.h"
#include "SurfaceMessages.h"
#include "SystemPalettes.h"

namespace {

constexpr TBitFields Fields565{0xF800, 0x07E0, 0x001F};

// The display's own format: 32-bit colour, or 1-bit black and white.
TPixelImage DeviceImage(const TPixelImage& image) {
  if (image.BitCount() == 1) return ConvertImage(image, 1, BlackWhiteTable());
  return ConvertImage(image, 32);
}

int BitCountOf(TPixelFormat format) {
  switch (format) {
    case TPixelFormat::pf1bit: return 1;
    case TPixelFormat::pf4bit: return 4;
    case TPixelFormat::pf8bit: return 8;
    case TPixelFormat::pf15bit:
    case TPixelFormat::pf16bit: return 16;
    case TPixelFormat::pf24bit: return 24;
    default: return 32;
  }
}

}  // namespace

TBitmap::TBitmap() : FImage(std::make_shared<TPixelImage>()) {}

// The canvas belongs to the original; the pixels are shared until either
// side writes.
TBitmap::TBitmap(const TBitmap& other)
    : TGraphic(other),
      FImage(other.FImage),
      FDeviceFormPending(other.FDeviceFormPending),
      FDeviceDependent(other.FDeviceDependent),
      FDevicePalette(other.FDevicePalette) {}

TBitmap::~TBitmap() = default;

int TBitmap::Width() const { return FImage->Width(); }
int TBitmap::Height() const { return FImage->Height(); }
bool TBitmap::Empty() const { return FImage->Empty(); }

void TBitmap::SetWidth(int width) { SetSize(width, Height()); }
void TBitmap::SetHeight(int height) { SetSize(Width(), height); }

void TBitmap::SetSize(int width, int height) {
  if (width == Width() && height == Height()) return;
  EnsureDeviceForm();
  Replace(ResizeImage(*FImage, width, height, BackgroundColor()), FDeviceDependent, FDevicePalette);
}

bool TBitmap::Monochrome() const { return FImage->BitCount() == 1; }

void TBitmap::SetMonochrome(bool monochrome) {
  if (monochrome == Monochrome()) return;
  std::vector<TPaletteEntry> palette = Palette().Entries();
  if (monochrome)
    Replace(ThresholdImage(*FImage, BackgroundColor(), 1), true, std::move(palette));
  else
    Replace(ConvertImage(*FImage, 32), true, std::move(palette));
}

TPixelFormat TBitmap::PixelFormat() const {
  return FDeviceDependent ? TPixelFormat::pfDevice : FImage->PixelFormat();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == PixelFormat()) return;
  if (format == TPixelFormat::pfCustom) throw EInvalidGraphicOperation(SInvalidPixelFormat);
  const std::vector<TPaletteEntry> own = Palette().Entries();
  if (format == TPixelFormat::pfDevice) {
    Replace(DeviceImage(*FImage), true, own);
    return;
  }
  std::vector<TPaletteEntry> table = own;
  if (format == TPixelFormat::pf1bit && (FDeviceDependent || own.empty() || own.size() > 2))
    table = BlackWhiteTable();  // a 1-bit table holds two colours; a longer one would garble the picture
  else if (format == TPixelFormat::pf4bit)
    table = StandardColorPalette().Entries();
  else if (format == TPixelFormat::pf8bit)
    table = HalftonePalette().Entries();
  const std::optional<TBitFields> fields =
      format == TPixelFormat::pf16bit ? std::optional<TBitFields>(Fields565) : std::nullopt;
  Replace(ConvertImage(*FImage, BitCountOf(format), std::move(table), fields), false, {});
}

std::uint8_t* TBitmap::ScanLine(int y) {
  if (y < 0 || y >= Height()) throw EInvalidGraphicOperation(SScanLineOutOfRange);
  std::uint8_t* row = MutableImage().ScanLine(y);
  // The caller writes after we return; observers repaint lazily, so telling
  // them now is in time.
  Changed();
  return row;
}

const std::uint8_t* TBitmap::ScanLine(int y) const {
  if (y < 0 || y >= Height()) throw EInvalidGraphicOperation(SScanLineOutOfRange);
  EnsureDeviceForm();
  return FImage->ScanLine(y);
}

TPalette TBitmap::Palette() const {
  return TPalette(FDeviceDependent ? FDevicePalette : FImage->ColorTable());
}

void TBitmap::SetPalette(const TPalette& palette) {
  if (FDeviceDependent)
    FDevicePalette = palette.Entries();
  else
    MutableImage().SetColorTable(palette.Entries());
  Changed();
}

TCanvas& TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TCanvas>(static_cast<TCanvasSurface&>(*this));
  return *FCanvas;
}

TColor TBitmap::BackgroundColor() const { return FCanvas ? ColorToRGB(FCanvas->Brush.Color) : clWhite; }

void TBitmap::SetImage(TPixelImage image, bool deviceDependent) {
  if (deviceDependent) {
    std::vector<TPaletteEntry> palette = image.ColorTable();
    // A 1-bit image turns black and white at once (it stays 1 bit); any other
    // keeps its form until the display's format is needed.
    const bool displayFormat = image.BitCount() == 32 && !image.BitFields();
    if (image.BitCount() == 1) {
      Replace(DeviceImage(image), true, std::move(palette));
    } else {
      Replace(std::move(image), true, std::move(palette));
      FDeviceFormPending = !displayFormat;
    }
  } else {
    Replace(std::move(image), false, {});
  }
}

void TBitmap::Assign(const TBitmap& source) {
  if (&source == this) return;
  FImage = source.FImage;
  FDeviceFormPending = source.FDeviceFormPending;
  FDeviceDependent = source.FDeviceDependent;
  FDevicePalette = source.FDevicePalette;
  Changed();
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
  // Held while drawing, so that drawing a bitmap onto its own canvas reads
  // the pixels as they were.
  const std::shared_ptr<const TPixelImage> pixels = FImage;
  canvas.CopyImage(rect, *pixels, Rect(0, 0, pixels->Width(), pixels->Height()), BackgroundColor());
}

std::unique_ptr<TGraphic> TBitmap::Clone() const { return std::make_unique<TBitmap>(*this); }

void TBitmap::LoadFromStream(TStream& stream) {
  TBmpImage bmp = ReadBmp(stream);
  if (bmp.Image.Width() == 0 && bmp.Image.Height() == 0)
    Replace(TPixelImage(), true, {});  // an empty file gives a new empty bitmap
  else
    SetImage(std::move(bmp.Image), bmp.DeviceDependent);
}

void TBitmap::SaveToStream(TStream& stream) { WriteMonochromeBmp(*FImage, stream); }

void TBitmap::EnsureDeviceForm() const {
  if (!FDeviceFormPending) return;
  FImage = std::make_shared<TPixelImage>(ConvertImage(*FImage, 32));
  FDeviceFormPending = false;
}

TPixelImage& TBitmap::MutableImage() {
  EnsureDeviceForm();
  if (FImage.use_count() > 1) FImage = std::make_shared<TPixelImage>(*FImage);
  return *FImage;
}

void TBitmap::Replace(TPixelImage image, bool deviceDependent, std::vector<TPaletteEntry> devicePalette) {
  FImage = std::make_shared<TPixelImage>(std::move(image));
  FDeviceFormPending = false;
  FDeviceDependent = deviceDependent;
  FDevicePalette = deviceDependent ? std::move(devicePalette) : std::vector<TPaletteEntry>{};
  Changed();
}
