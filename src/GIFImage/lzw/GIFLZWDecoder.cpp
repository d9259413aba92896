// How the decoder works. Every table entry is a string that has already been
// written to the output: an entry made from the previous string plus one
// index starts where the previous string was written and is one byte longer.
// So the decoder keeps for each entry only its start in the output and its
// length, and writing a code is a copy from earlier output, done in 16-byte
// pieces where the output has room for it. A code above the next free entry
// is not valid GIF data; such a stream is followed exactly with the classic
// prefix and suffix tables and an output stack from there to the next clear
// code, so that its strings come out as a table walk would give them, and a
// prefix chain that loops is caught. Valid data never needs the prefixes, so
// they are not kept while decoding it: the codes read since the clear code
// are read again to make them when such a code comes.
#include "GIFLZWDecoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>

#include "GIFInterlace.h"
#include "GIFLZWCodes.h"

namespace {

constexpr int MaxStack = 8192;    // the longest string a table walk may produce
constexpr std::size_t Piece = 16;

// Every index value a code below a clear code of at most 2048 can stand for,
// with a piece's worth of bytes to spare at the end.
constexpr auto Indices = [] {
  std::array<std::uint8_t, 2048 + Piece> values{};
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<std::uint8_t>(i);
  return values;
}();

void CopyPiece(std::uint8_t* to, const std::uint8_t* from) {
  std::uint64_t low;
  std::uint64_t high;
  std::memcpy(&low, from, 8);
  std::memcpy(&high, from + 8, 8);
  std::memcpy(to, &low, 8);
  std::memcpy(to + 8, &high, 8);
}

// The decoder's tables: too big for a thread's stack and too costly to take
// from the heap for every frame of a small file, so each thread that decodes
// keeps one set. They are left uninitialised; each entry is written before
// it is read.
//
// A table entry is where its string can be copied from and its length. Single
// indices are copied from a table of all index values, the others from where
// they were written. Each has one more slot: the fast path writes the next
// entry even when the table is full.
struct TLZWTables {
  const std::uint8_t* Sources[MaxLZWCodes + 1];
  std::uint16_t Lengths[MaxLZWCodes + 1];
  std::uint16_t Prefix[MaxLZWCodes];
  std::uint8_t Suffix[MaxLZWCodes];
  std::uint8_t Stack[MaxStack];
};

TLZWTables& ThreadTables() {
  thread_local const auto tables = std::make_unique_for_overwrite<TLZWTables>();
  return *tables;
}

// Thrown inside the decoder on a corrupt table, caught where decoding began.
struct TCircularTable {};

class TLZWDecoder {
public:
  TLZWDecoder(const TGIFCodeStream& data, int codeSize, TLZWTables& tables, TLZWDecoded& result);

  // Decodes into out[0, count), which is all zero, and returns how many
  // pixels the data reached; the others stay zero.
  std::size_t Decode(std::uint8_t* out, std::size_t count);

private:
  int ReadCode();
  int ReadCodeAtLimit();
  void Reset();
  int StartAfterClear();
  void AddEntry(const std::uint8_t* source, std::size_t length);
  std::size_t FastRun(std::size_t pos);
  std::size_t WriteString(int code, std::size_t pos);
  void EnterExactMode();
  void ReplayPrefixes();
  std::size_t WriteStringExactly(int code, std::size_t pos);
  void ReadOneMore(std::size_t pos);

  TLZWDecoded& FResult;
  const std::uint8_t* FData;
  std::uint64_t FBitPos = 0;
  std::uint64_t FTotalBits;
  std::uint64_t FShortBits;  // a read reaching this far meets the shortened sub-block
  std::uint64_t FFastLimit;
  bool FTerminated;

  int FClear;
  int FEnd;
  int FWidth = 0;
  std::uint32_t FMask = 0;
  int FNextFree = 0;
  bool FExact = false;
  std::uint64_t FTableStart = 0;  // where the first code after the last clear code starts

  std::uint8_t* FOut = nullptr;
  std::size_t FCount = 0;
  bool FCutShort = false;  // the last string ran past the frame's last pixel
  int FPrevCode = 0;  // the code read before the current one (exact mode)
  const std::uint8_t* FPrevString = nullptr;  // where the previous string was written
  std::size_t FPrevLength = 0;
  std::uint8_t FFirst = 0;  // first index of the previous string (exact mode)

  TLZWTables& FTables;
};

TLZWDecoder::TLZWDecoder(const TGIFCodeStream& data, int codeSize, TLZWTables& tables, TLZWDecoded& result)
    : FResult(result),
      FData(data.Bytes.get()),
      FTotalBits(std::uint64_t{data.Size} * 8),
      FShortBits(data.ShortFrom == TGIFCodeStream::npos ? UINT64_MAX : std::uint64_t{data.ShortFrom} * 8),
      FFastLimit(std::min(FTotalBits + 1, FShortBits)),
      FTerminated(data.Terminated),
      FClear(1 << codeSize),
      FEnd(FClear + 1),
      FTables(tables) {
  for (int i = 0; i < FClear; ++i) {
    FTables.Sources[i] = Indices.data() + i;
    FTables.Lengths[i] = 1;
  }
  FTables.Sources[FClear] = FTables.Sources[FEnd] = nullptr;
  FTables.Lengths[FClear] = FTables.Lengths[FEnd] = 0;
}

int TLZWDecoder::ReadCode() {
  const std::uint64_t end = FBitPos + static_cast<std::uint64_t>(FWidth);
  if (end >= FFastLimit) return ReadCodeAtLimit();
  const auto code = static_cast<int>(CodeAt(FData, FBitPos, FMask));
  FBitPos = end;
  return code;
}

// The slow side of ReadCode: the first read that reaches a shortened
// sub-block is told, and a code the data cannot complete ends the data.
int TLZWDecoder::ReadCodeAtLimit() {
  const std::uint64_t end = FBitPos + static_cast<std::uint64_t>(FWidth);
  if (end >= FShortBits) {
    FResult.MetShortBlock = true;
    FShortBits = UINT64_MAX;
    FFastLimit = FTotalBits + 1;
  }
  if (end > FTotalBits) {
    if (FTerminated && FBitPos >= FTotalBits) FResult.EndedWithoutEndCode = true;
    return -1;
  }
  const auto code = static_cast<int>(CodeAt(FData, FBitPos, FMask));
  FBitPos = end;
  return code;
}

void TLZWDecoder::Reset() {
  FWidth = std::countr_zero(static_cast<unsigned>(FClear)) + 1;
  FMask = (1u << FWidth) - 1;
  FNextFree = FClear + 2;
  FExact = false;
}

// A clear code: the table starts over and the next code that is not another
// clear code is returned; negative when the data ends.
int TLZWDecoder::StartAfterClear() {
  Reset();
  int code;
  do {
    FTableStart = FBitPos;
    code = ReadCode();
  } while (code == FClear);
  return code;
}

void TLZWDecoder::AddEntry(const std::uint8_t* source, std::size_t length) {
  if (FNextFree >= MaxLZWCodes) return;  // a full table stays as it is until a clear code
  FTables.Sources[FNextFree] = source;
  FTables.Lengths[FNextFree] = static_cast<std::uint16_t>(length);
  WidenCodes(++FNextFree, FWidth, FMask);
}

// The common case, with the decoder's state in locals and no check per byte:
// plain codes far from the end of the data, whose strings end a piece or
// more before the last pixel. It stops before the first code that needs care
// (clear, end, beyond the table, too close to the end) and leaves it to the
// careful path. Every instruction here is paid per code, which on small
// black-and-white pictures (a code for every few pixels) is the whole cost.
std::size_t TLZWDecoder::FastRun(std::size_t pos) {
  if (FCount < pos + Piece || FFastLimit <= 12) return pos;
  // Locals throughout: the output is written through a byte pointer, which
  // would make the compiler read every member again after each write.
  const std::uint8_t* const data = FData;
  std::uint8_t* const out = FOut;
  std::uint8_t* const lastPiece = out + (FCount - Piece);  // every piece written ends before FCount
  std::uint8_t* to = out + pos;
  TLZWTables& tables = FTables;
  const std::uint64_t bitLimit = FFastLimit - 12;  // room for a code of any width
  std::uint64_t bitPos = FBitPos;
  auto width = static_cast<std::size_t>(FWidth);
  std::size_t mask = FMask;
  auto nextFree = static_cast<std::size_t>(FNextFree);
  // The entry the next code makes: the previous string and one more index.
  // It is written before the code is read, so that a code equal to it (the
  // string not yet in the table) finds its own string there, with its last
  // index fixed below.
  tables.Sources[nextFree] = FPrevString;
  tables.Lengths[nextFree] = static_cast<std::uint16_t>(FPrevLength + 1);
  while (bitPos < bitLimit) {
    const std::size_t code = CodeAt(data, bitPos, mask);
    if (code > nextFree) break;  // not valid data: the careful path follows it exactly
    const std::size_t length = tables.Lengths[code];
    // A clear or end code (length 0, which wraps), or too close to the end.
    if (length - 1 >= static_cast<std::size_t>(lastPiece - to)) break;
    const std::uint8_t* const from = tables.Sources[code];
    CopyPiece(to, from);  // most strings fit one piece
    for (std::size_t done = Piece; done < length; done += Piece) CopyPiece(to + done, from + done);
    // The string not yet in the table ends with its own first index. (A store
    // for every code would stall the copies that read this string next.) It
    // is rare where the time per code counts, in pictures of few colours and
    // fine detail; laid out as such, the common code runs straight through.
    if (code == nextFree) [[unlikely]]
      to[length - 1] = to[0];
    bitPos += width;
    // The table grows by one entry; a full one stays full, reusing its spare
    // last slot for the entry each code writes.
    if (++nextFree > mask) [[unlikely]] {
      if (width < MaxLZWCodeWidth) {
        ++width;
        mask = mask * 2 + 1;
      } else {
        nextFree = MaxLZWCodes;
      }
    }
    tables.Sources[nextFree] = to;  // the entry the next code makes
    tables.Lengths[nextFree] = static_cast<std::uint16_t>(length + 1);
    to += length;
  }
  FBitPos = bitPos;
  FWidth = static_cast<int>(width);
  FMask = static_cast<std::uint32_t>(mask);
  FNextFree = static_cast<int>(nextFree);
  FPrevString = tables.Sources[nextFree];
  FPrevLength = tables.Lengths[nextFree] - 1u;
  return static_cast<std::size_t>(to - out);
}

// Writes the string of a code at pos (at most up to the last pixel), makes
// the new table entry and returns the position after the string.
std::size_t TLZWDecoder::WriteString(int code, std::size_t pos) {
  const std::uint8_t* from;
  std::size_t length;
  if (code < FNextFree) {
    from = FTables.Sources[code];
    length = FTables.Lengths[code];
  } else {
    // Not yet in the table: the previous string followed by its own first index.
    from = FPrevString;
    length = FPrevLength + 1;
  }
  const std::size_t room = FCount - pos;
  if (length > room) {
    std::memcpy(FOut + pos, from, room);
    FCutShort = true;
    return FCount;
  }
  // The source always ends before pos; a piece may read past its end but the
  // bytes it writes there are written again by the strings that follow.
  const std::size_t copied = code < FNextFree ? length : length - 1;
  if (pos + (copied + Piece - 1) / Piece * Piece <= FCount) {
    for (std::size_t done = 0; done < copied; done += Piece) CopyPiece(FOut + pos + done, from + done);
  } else {
    std::memcpy(FOut + pos, from, copied);
  }
  if (copied < length) FOut[pos + copied] = *from;
  const int invalidAbove = FNextFree;
  AddEntry(FPrevString, FPrevLength + 1);
  FPrevString = FOut + pos;
  FPrevLength = length;
  if (code > invalidAbove) EnterExactMode();
  return pos + length;
}

// Rebuilds the prefix and suffix tables of a classic table walk from the
// entries made so far; entries not yet made are (0, 0), as after a clear.
void TLZWDecoder::EnterExactMode() {
  for (int i = 0; i < FClear; ++i) {
    FTables.Prefix[i] = 0;
    FTables.Suffix[i] = static_cast<std::uint8_t>(i);
  }
  for (int i = FClear; i < FClear + 2; ++i) FTables.Prefix[i] = FTables.Suffix[i] = 0;
  for (int i = FClear + 2; i < FNextFree; ++i) FTables.Suffix[i] = FTables.Sources[i][FTables.Lengths[i] - 1];
  for (int i = FNextFree; i < MaxLZWCodes; ++i) FTables.Prefix[i] = FTables.Suffix[i] = 0;
  ReplayPrefixes();
  FFirst = *FPrevString;
  FExact = true;
}

// The prefix of each entry made since the clear code is the code read before
// the one that made it: the codes from the table's first one up to the
// current one are read again, widths growing as they did, and the last of
// them becomes the previous code.
void TLZWDecoder::ReplayPrefixes() {
  int width = std::countr_zero(static_cast<unsigned>(FClear)) + 1;
  auto mask = static_cast<std::uint32_t>((1 << width) - 1);
  int entry = FClear + 2;
  int prevCode = -1;
  for (std::uint64_t bitPos = FTableStart; bitPos < FBitPos;) {
    const auto code = static_cast<int>(CodeAt(FData, bitPos, mask));
    bitPos += static_cast<std::uint64_t>(width);
    if (prevCode >= 0 && entry < MaxLZWCodes) {
      FTables.Prefix[entry] = static_cast<std::uint16_t>(prevCode);
      WidenCodes(++entry, width, mask);
    }
    prevCode = code;
  }
  FPrevCode = prevCode;
}

// The classic table walk with its output stack, bounded: a walk longer than
// the table or a full stack is a corrupt table.
std::size_t TLZWDecoder::WriteStringExactly(int code, std::size_t pos) {
  const int inCode = code;
  int depth = 0;
  if (code >= FNextFree) {
    FTables.Stack[depth++] = FFirst;
    code = FPrevCode;
  }
  for (int steps = 0; code >= FClear; ++steps) {
    if (steps >= MaxLZWCodes || depth >= MaxStack - 1 || FTables.Prefix[code] == code) throw TCircularTable{};
    FTables.Stack[depth++] = FTables.Suffix[code];
    code = FTables.Prefix[code];
  }
  FFirst = FTables.Suffix[code];
  FTables.Stack[depth++] = FFirst;
  if (FNextFree < MaxLZWCodes) {
    FTables.Prefix[FNextFree] = static_cast<std::uint16_t>(FPrevCode);
    FTables.Suffix[FNextFree] = FFirst;
    WidenCodes(++FNextFree, FWidth, FMask);
  }
  FPrevCode = inCode;
  const std::size_t room = FCount - pos;
  const std::size_t written = std::min<std::size_t>(static_cast<std::size_t>(depth), room);
  FCutShort = static_cast<std::size_t>(depth) > room;
  for (std::size_t k = 0; k < written; ++k) FOut[pos + k] = FTables.Stack[depth - 1 - k];
  return pos + written;
}

// With every pixel stored and the string complete, one more code is read, as
// the end code normally stands there; whatever it is changes no pixel.
void TLZWDecoder::ReadOneMore(std::size_t pos) {
  const int code = ReadCode();
  if (code == FClear) {
    StartAfterClear();
  } else if (code >= 0 && code != FEnd && FExact) {
    WriteStringExactly(code, pos);
  }
}

std::size_t TLZWDecoder::Decode(std::uint8_t* out, std::size_t count) {
  FOut = out;
  FCount = count;
  std::size_t pos = 0;
  // Decoding starts as if a clear code had been read.
  int code = FClear;
  for (;;) {
    if (code == FClear) {
      code = StartAfterClear();
      // After a clear only a plain index makes sense; anything else ends the frame.
      if (code < 0 || code >= FEnd) break;
      if (count == 0) return 0;  // a frame without pixels reads just this one code
      out[pos] = static_cast<std::uint8_t>(code);
      FPrevString = out + pos;
      FPrevLength = 1;
      ++pos;
    } else {
      if (code < 0 || code == FEnd) break;
      pos = FExact ? WriteStringExactly(code, pos) : WriteString(code, pos);
    }
    if (pos == count) {
      if (!FCutShort) ReadOneMore(pos);
      return count;
    }
    if (!FExact) pos = FastRun(pos);
    code = ReadCode();
  }
  // Ended early: the pieces may have written a little past the last string.
  if (pos < count) std::memset(out + pos, 0, std::min(Piece, count - pos));
  return pos;
}

}  // namespace

TLZWDecoded DecodeFrameCodes(const TGIFFrameCodes& codes, std::span<std::uint8_t> indices) {
  TLZWDecoded result;
  if (codes.CodeSize > MaxLZWCodeSize) return result;  // its clear code would lie outside the tables
  const auto width = static_cast<std::size_t>(codes.Width);
  TLZWDecoder decoder(codes.Data, codes.CodeSize, ThreadTables(), result);
  try {
    result.Reached = decoder.Decode(indices.data(), indices.size());
  } catch (const TCircularTable&) {
    result.Circular = true;
    return result;
  }
  if (codes.Interlaced && result.Reached > 0)
    DeinterlaceRows(indices.data(), width, codes.Height, static_cast<int>((result.Reached + width - 1) / width));
  return result;
}
