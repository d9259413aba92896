// The bytes of each kind of extension block after its introducer and label.
#include <algorithm>
#include <vector>

#include "GIFAppExtNSLoop.h"
#include "GIFBlockIO.h"
#include "GIFCommentExtension.h"
#include "GIFException.h"
#include "GIFGraphicControlExtension.h"
#include "GIFMessages.h"
#include "GIFPackedFields.h"
#include "GIFStreamIO.h"
#include "GIFSubBlocks.h"
#include "GIFTextExtension.h"
#include "GIFUnknownAppExtension.h"
#include "LittleEndian.h"
#include "Stream.h"

namespace {

// The data sub-blocks after an application extension's identifier, up to the
// zero-size one, passed over.
void SkipSubBlocks(TStream& stream) {
  std::uint8_t size = 0;
  while (ReadOneByte(stream, size) && size != 0) MoveBy(stream, size);
}

class TBlockReader final : public TGIFExtensionVisitor {
public:
  explicit TBlockReader(TStream& stream) : FStream(stream) {}

  void Visit(TGIFGraphicControlExtension& extension) override {
    // Bytes the stream cannot give keep their present values.
    const std::uint16_t delay = extension.Delay();
    std::uint8_t bytes[6] = {extension.BlockSize(), extension.PackedFields(), static_cast<std::uint8_t>(delay),
                             static_cast<std::uint8_t>(delay >> 8), extension.TransparentIndex(),
                             extension.Terminator()};
    const bool cutShort = FStream.ReadAvailable(bytes, 6) < 6;
    extension.TakeReadBytes(bytes, cutShort);
    if (cutShort) extension.ReportWarning(WarningSeverity, sOutOfData);
  }

  void Visit(TGIFTextExtension& extension) override {
    std::uint8_t bytes[13];
    ReadExact(FStream, bytes, 13);
    const auto word = [&bytes](int at) { return LittleEndianWord(bytes + at); };
    extension.SetBlockSize(bytes[0]);
    extension.SetGrid(word(1), word(3), word(5), word(7));
    extension.SetCell(bytes[9], bytes[10]);
    extension.SetColors(bytes[11], bytes[12]);
    ReadSubBlockLines(FStream, extension.Lines());
  }

  void Visit(TGIFCommentExtension& extension) override { ReadSubBlockLines(FStream, extension.Lines()); }

  void Visit(TGIFApplicationExtension& extension) override {
    ReadIdentifier(extension);
    SkipSubBlocks(FStream);
  }

  // Sub-blocks by id (low 3 bits): 1 loop count, 2 buffer size, others
  // skipped; a sub-block too short for its id raises "Invalid GIF data".
  void Visit(TGIFAppExtNSLoop& extension) override {
    ReadIdentifier(extension);
    std::uint8_t size = 0;
    std::uint8_t id = 0;
    // A size or id byte missing at the end of the stream ends the data like a zero size.
    while (ReadOneByte(FStream, size) && size != 0 && ReadOneByte(FStream, id)) {
      int used = 0;
      switch (id & LoopingBlock::IdBits) {
        case LoopingBlock::LoopCount:
          if (size < 3) throw GIFException(sInvalidData);
          extension.SetLoopCount(ReadExactWord(FStream));
          used = 2;
          break;
        case LoopingBlock::BufferSize:
          if (size < 5) throw GIFException(sInvalidData);
          extension.SetBufferSize(ReadExactDWord(FStream));
          used = 4;
          break;
        default:
          break;
      }
      MoveBy(FStream, size - 1 - used);
    }
  }

  void Visit(TGIFUnknownAppExtension& extension) override {
    ReadIdentifier(extension);
    std::vector<TGIFBlock>& blocks = extension.Blocks();
    blocks.clear();
    std::uint8_t size = 0;
    while (ReadOneByte(FStream, size) && size != 0) {
      TGIFBlock block;
      block.Data.resize(size);
      ReadExact(FStream, block.Data.data(), size);
      blocks.push_back(std::move(block));
    }
  }

private:
  // Block size and identifier ("Unsupported Application Extension block size").
  void ReadIdentifier(TGIFApplicationExtension& extension) {
    const std::uint8_t size = ReadExactByte(FStream);
    TGIFAppIdentifier identifier{};
    std::vector<std::uint8_t> surplus;
    if (size == 10) {
      // An 8+2 identifier: the byte after it is read into the last place and given back.
      ReadExact(FStream, identifier.data(), 11);
      MoveBy(FStream, -1);
    } else if (size < 11) {
      throw GIFException(sBadAppExtensionSize);
    } else {
      ReadExact(FStream, identifier.data(), 11);
      // The bytes past the identifier are kept, as many as the stream still has.
      surplus.resize(size - 11u);
      surplus.resize(static_cast<std::size_t>(FStream.ReadAvailable(surplus.data(), size - 11)));
    }
    extension.SetIdentifier(identifier);
    const auto blockSize = static_cast<std::uint8_t>(size == 10 ? size : 11 + surplus.size());
    extension.SetBlock(blockSize, std::move(surplus));
  }

  TStream& FStream;
};

class TBlockWriter final : public TGIFExtensionVisitor {
public:
  explicit TBlockWriter(TStream& stream) : FStream(stream) {}

  void Visit(TGIFGraphicControlExtension& extension) override {
    FStream.WriteByte(extension.BlockSize());
    FStream.WriteByte(extension.PackedFields());
    FStream.WriteWord(extension.Delay());
    FStream.WriteByte(extension.TransparentIndex());
    FStream.WriteByte(extension.Terminator());
  }

  void Visit(TGIFTextExtension& extension) override {
    FStream.WriteByte(extension.BlockSize());
    FStream.WriteWord(extension.Left());
    FStream.WriteWord(extension.Top());
    FStream.WriteWord(extension.GridWidth());
    FStream.WriteWord(extension.GridHeight());
    FStream.WriteByte(extension.CellWidth());
    FStream.WriteByte(extension.CellHeight());
    FStream.WriteByte(extension.ForegroundIndex());
    FStream.WriteByte(extension.BackgroundIndex());
    WriteSubBlockLines(FStream, extension.Lines());
  }

  void Visit(TGIFCommentExtension& extension) override { WriteSubBlockLines(FStream, extension.Lines()); }

  void Visit(TGIFApplicationExtension& extension) override {
    WriteIdentifier(extension);
    FStream.WriteByte(0);
  }

  // Sub-block 1 with the loop count; sub-block 2 with the buffer size when not 0.
  void Visit(TGIFAppExtNSLoop& extension) override {
    WriteIdentifier(extension);
    FStream.WriteByte(3);
    FStream.WriteByte(1);
    FStream.WriteWord(extension.LoopCount());
    if (extension.BufferSize() != 0) {
      FStream.WriteByte(5);
      FStream.WriteByte(2);
      FStream.WriteDWord(extension.BufferSize());
    }
    FStream.WriteByte(0);
  }

  void Visit(TGIFUnknownAppExtension& extension) override {
    WriteIdentifier(extension);
    for (const TGIFBlock& block : extension.Blocks()) {
      FStream.WriteByte(static_cast<std::uint8_t>(block.Size()));
      FStream.WriteBuffer(block.Data.data(), block.Size());
    }
    FStream.WriteByte(0);
  }

private:
  // The block as it was read: block size, identifier (10 of its bytes after a
  // block size of 10) and the bytes of a longer block.
  void WriteIdentifier(const TGIFApplicationExtension& extension) {
    FStream.WriteByte(extension.BlockSize());
    FStream.WriteBuffer(extension.Identifier().data(), std::min<int>(extension.BlockSize(), 11));
    const std::vector<std::uint8_t>& surplus = extension.Surplus();
    if (!surplus.empty()) FStream.WriteBuffer(surplus.data(), static_cast<std::int64_t>(surplus.size()));
  }

  TStream& FStream;
};

}  // namespace

void ReadExtension(TStream& stream, TGIFExtension& extension) {
  std::uint8_t bytes[2];
  ReadExact(stream, bytes, 2);
  if (bytes[0] != bsExtensionIntroducer) throw GIFException(sBadExtensionLabel);
  if (bytes[1] != extension.ExtensionLabel()) throw GIFException(sBadExtensionInstance);
  TBlockReader reader(stream);
  extension.Accept(reader);
}

void WriteExtension(TStream& stream, TGIFExtension& extension) {
  stream.WriteByte(bsExtensionIntroducer);
  stream.WriteByte(extension.ExtensionLabel());
  TBlockWriter writer(stream);
  extension.Accept(writer);
}
