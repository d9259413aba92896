#include "BmpReader.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

#include "Exception.h"
#include "LittleEndian.h"
#include "PixelMemory.h"
#include "PlatformMessages.h"
#include "RasterMessages.h"
#include "RleDecoder.h"

namespace {

constexpr std::uint16_t BmpSignature = 0x4D42;  // "BM"
constexpr std::uint32_t FileHeaderSize = 14;
constexpr std::uint32_t Os2HeaderSize = 12;
// The shortest Windows-style header that still names width, height, planes
// and depth (OS/2 2.x wrote such short ones; the fields it leaves out are 0).
constexpr std::uint32_t MinInfoHeaderSize = 16;
// Headers of this size and more (V2 to V5) hold the bit masks themselves; a
// 40-byte header is followed by them.
constexpr std::uint32_t MasksInHeaderSize = 52;
// The header fields we use: the first 40 bytes and the masks of larger ones,
// counted after the 4-byte header size.
constexpr std::size_t UsedInfoBytes = MasksInHeaderSize - 4;

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint32_t BI_BITFIELDS = 3;

struct TBmpHeader {
  std::int64_t FileStart = 0;  // stream position of the "BM"
  std::uint32_t OffBits = 0;
  bool Os2 = false;
  std::int64_t Width = 0;
  std::int64_t Height = 0;  // negative: rows stored top-down
  std::uint16_t Planes = 0;
  std::uint16_t BitCount = 0;
  std::uint32_t Compression = BI_RGB;
  std::uint32_t SizeImage = 0;
  std::uint32_t ClrUsed = 0;
  std::optional<TBitFields> HeaderMasks;

  bool RunLength() const { return Compression == BI_RLE8 || Compression == BI_RLE4; }
  int Rows() const { return static_cast<int>(Height < 0 ? -Height : Height); }
};

[[noreturn]] void Invalid() { throw Exception(SInvalidBitmap); }

std::int64_t SignedDWordAt(const std::uint8_t* p) { return static_cast<std::int32_t>(LittleEndianDWord(p)); }

// Moves past count bytes, raising "Stream read error" when the stream ends first.
void Skip(TStream& stream, std::int64_t count) {
  if (count > stream.Remaining()) throw Exception(SStreamReadError);
  if (count > 0) stream.Seek(count, TSeekOrigin::soCurrent);
}

void ReadOs2Header(TStream& stream, TBmpHeader& header) {
  std::uint8_t b[Os2HeaderSize - 4];
  stream.ReadBuffer(b, sizeof b);
  header.Os2 = true;
  header.Width = LittleEndianWord(b);
  header.Height = LittleEndianWord(b + 2);
  header.Planes = LittleEndianWord(b + 4);
  header.BitCount = LittleEndianWord(b + 6);
}

void ReadInfoHeader(TStream& stream, TBmpHeader& header, std::uint32_t headerSize) {
  if (headerSize < MinInfoHeaderSize) Invalid();
  const std::int64_t rest = std::int64_t{headerSize} - 4;
  if (rest > stream.Remaining()) throw Exception(SStreamReadError);
  std::array<std::uint8_t, UsedInfoBytes> b{};
  const std::int64_t used = std::min<std::int64_t>(rest, UsedInfoBytes);
  stream.ReadBuffer(b.data(), used);
  Skip(stream, rest - used);
  header.Width = SignedDWordAt(&b[0]);
  header.Height = SignedDWordAt(&b[4]);
  header.Planes = LittleEndianWord(&b[8]);
  header.BitCount = LittleEndianWord(&b[10]);
  header.Compression = LittleEndianDWord(&b[12]);
  header.SizeImage = LittleEndianDWord(&b[16]);
  header.ClrUsed = LittleEndianDWord(&b[28]);
  if (headerSize >= MasksInHeaderSize)
    header.HeaderMasks = TBitFields{LittleEndianDWord(&b[36]), LittleEndianDWord(&b[40]), LittleEndianDWord(&b[44])};
}

TBmpHeader ReadHeaders(TStream& stream) {
  TBmpHeader header;
  header.FileStart = stream.Position();
  std::uint8_t file[FileHeaderSize];
  stream.ReadBuffer(file, sizeof file);
  if (LittleEndianWord(file) != BmpSignature) Invalid();
  header.OffBits = LittleEndianDWord(file + 10);
  const std::uint32_t headerSize = stream.ReadDWord();
  if (headerSize == Os2HeaderSize)
    ReadOs2Header(stream, header);
  else
    ReadInfoHeader(stream, header, headerSize);
  return header;
}

bool CompressionFits(const TBmpHeader& header) {
  switch (header.Compression) {
    case BI_RGB: return true;
    case BI_BITFIELDS: return header.BitCount == 16 || header.BitCount == 32;
    // Run-length files are always stored bottom-up.
    case BI_RLE8: return header.BitCount == 8 && header.Height >= 0;
    case BI_RLE4: return header.BitCount == 4 && header.Height >= 0;
    default: return false;
  }
}

void Validate(const TBmpHeader& header) {
  const int bits = header.BitCount;
  const bool depthKnown = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
  if (header.Planes != 1 || !depthKnown || !CompressionFits(header)) Invalid();
  if (header.Width < 0 || header.Height == std::numeric_limits<std::int32_t>::min()) Invalid();
  // An indexed image cannot use more than 256 colours; a larger count is a broken field.
  if (bits <= 8 && header.ClrUsed > MaxPaletteEntries) Invalid();
}

std::optional<TBitFields> ReadMasks(TStream& stream, const TBmpHeader& header) {
  if (header.Compression != BI_BITFIELDS) return std::nullopt;
  TBitFields fields;
  if (header.HeaderMasks) {
    fields = *header.HeaderMasks;
  } else {
    fields.Red = stream.ReadDWord();
    fields.Green = stream.ReadDWord();
    fields.Blue = stream.ReadDWord();
  }
  // Three empty masks leave no colour to show.
  if (fields == TBitFields{}) Invalid();
  return fields;
}

// The colour table of an indexed image. Deeper images may carry a table too
// (a hint for displays with a palette); it is passed over, not kept.
// The 12-byte OS/2 header has no count of colours: the table runs from the
// header to the pixels, (offset - 14 - 12) / 3 entries, and holds at most
// 2^bits of them.
std::vector<TPaletteEntry> ReadColorTable(TStream& stream, const TBmpHeader& header) {
  std::int64_t count = header.ClrUsed;
  if (count == 0 && header.BitCount <= 8) count = std::int64_t{1} << header.BitCount;
  constexpr std::uint32_t Os2TableStart = FileHeaderSize + Os2HeaderSize;
  if (header.Os2 && header.BitCount <= 8 && header.OffBits >= Os2TableStart)
    count = std::min<std::int64_t>(count, (header.OffBits - Os2TableStart) / 3);
  const int entrySize = header.Os2 ? 3 : 4;
  if (header.BitCount > 8) {
    Skip(stream, count * entrySize);
    return {};
  }
  std::vector<std::uint8_t> raw(static_cast<std::size_t>(count * entrySize));
  stream.ReadBuffer(raw.data(), static_cast<std::int64_t>(raw.size()));
  std::vector<TPaletteEntry> table(static_cast<std::size_t>(count));
  for (std::size_t i = 0; i < table.size(); ++i) {
    const std::uint8_t* e = &raw[i * static_cast<std::size_t>(entrySize)];
    table[i] = TPaletteEntry{e[2], e[1], e[0], 0};
  }
  return table;
}

// Puts the stream at the first pixel byte and returns how many pixel bytes to
// read: the stored image size, or the given size when that field is 0, never
// more than the stream still holds. The pixels normally follow the colour
// table; a file that says they start further on is taken at its word.
std::int64_t LocatePixelData(TStream& stream, const TBmpHeader& header, std::int64_t sizeWhenUnset) {
  const std::int64_t tableEnd = stream.Position();
  const std::int64_t offset = header.FileStart + header.OffBits;
  if (offset > tableEnd && offset <= stream.Size()) stream.SetPosition(offset);
  const std::int64_t size = header.SizeImage != 0 ? std::int64_t{header.SizeImage} : sizeWhenUnset;
  return std::min(size, stream.Remaining());
}

// Uncompressed rows go straight into the image, a whole row per read, with no
// zero fill first; whatever a short file does not supply is zeroed afterwards
// (colour 0 of the table), unless the picture is big enough to come from
// fresh zero pages, which a loop would only make the system hand out.
TPixelImage ReadPixelRows(TStream& stream, const TBmpHeader& header, std::vector<TPaletteEntry> table,
                   std::optional<TBitFields> fields) {
  const int rows = header.Rows();
  TPixelImage image = TPixelImage::Unfilled(static_cast<int>(header.Width), rows, header.BitCount, std::move(table), fields);
  const std::int64_t rowBytes = image.RowBytes();
  std::uint8_t* bits = image.Bits().data();
  const std::int64_t total = rowBytes * rows;
  const std::int64_t budget = std::min(LocatePixelData(stream, header, total), total);
  const bool zeroed = FreshBytesAreZero(image.Bits().size());
  const auto zero = [zeroed](std::uint8_t* from, std::uint8_t* to) {
    if (!zeroed) std::fill(from, to, std::uint8_t{0});
  };
  if (header.Height < 0) {
    const std::int64_t got = stream.ReadAvailable(bits, budget);
    zero(bits + got, bits + total);
    if (zeroed) image.MarkZeroRows(static_cast<int>((got + rowBytes - 1) / rowBytes), rows);
    return image;
  }
  // Bottom-up: the file's first row is the picture's last. A row cut short is
  // zeroed to its end, and the rows above it that no byte reached entirely.
  std::int64_t got = 0;
  int y = rows - 1;
  while (y >= 0 && got < budget) {
    std::uint8_t* row = image.ScanLine(y--);
    const std::int64_t read = stream.ReadAvailable(row, std::min(rowBytes, budget - got));
    got += read;
    if (read < rowBytes) {
      zero(row + read, row + rowBytes);
      break;
    }
  }
  zero(bits, bits + (std::int64_t{y} + 1) * rowBytes);
  if (zeroed) image.MarkZeroRows(0, y + 1);
  return image;
}

// Run-length files give their colour-table indices as an 8-bit image with the
// file's table; the caller treats it as a device image (DeviceDependent).
TPixelImage ReadRunLength(TStream& stream, const TBmpHeader& header, std::vector<TPaletteEntry> table) {
  TPixelImage image(static_cast<int>(header.Width), header.Rows(), 8, std::move(table));
  std::vector<std::uint8_t> codes(static_cast<std::size_t>(LocatePixelData(stream, header, stream.Remaining())));
  const std::int64_t got = stream.ReadAvailable(codes.data(), static_cast<std::int64_t>(codes.size()));
  codes.resize(static_cast<std::size_t>(got));
  DecodeRle(codes, header.Compression == BI_RLE8 ? TRleEncoding::Rle8 : TRleEncoding::Rle4, image);
  return image;
}

}  // namespace

TBmpImage ReadBmp(TStream& stream) {
  if (stream.Remaining() <= 0) return {};
  const TBmpHeader header = ReadHeaders(stream);
  Validate(header);
  std::optional<TBitFields> fields = ReadMasks(stream, header);
  std::vector<TPaletteEntry> table = ReadColorTable(stream, header);
  if (header.RunLength()) return {ReadRunLength(stream, header, std::move(table)), true};
  return {ReadPixelRows(stream, header, std::move(table), fields), false};
}
