#include "GIFApplicationExtension.h"

#include <algorithm>

#include "GIFException.h"
#include "GIFExtensionRegistry.h"
#include "GIFMessages.h"
#include "GIFStreamIO.h"
#include "GIFUnknownAppExtension.h"
#include "Stream.h"

const TGIFExtensionClass TGIFApplicationExtension::ClassInfo = {
    "TGIFApplicationExtension", 0xFF, CreateExtension<TGIFApplicationExtension>,
    TGIFApplicationExtension::RefineApplicationClass};

TGIFAppIdentifier MakeAppIdentifier(std::string_view text) {
  TGIFAppIdentifier identifier{};
  std::copy_n(text.begin(), std::min(text.size(), identifier.size()), identifier.begin());
  return identifier;
}

const TGIFExtensionClass* TGIFApplicationExtension::RefineApplicationClass(const TGIFExtensionClass& self,
                                                                           TStream& stream) {
  const std::int64_t start = stream.Position();
  std::uint8_t size = 0;
  if (!ReadOneByte(stream, size)) return nullptr;
  TGIFAppIdentifier identifier{};
  if (size == 10) {
    return stream.ReadAvailable(identifier.data(), 10) == 10 ? &TGIFUnknownAppExtension::ClassInfo : nullptr;
  }
  // A block of 12 bytes or more has no subclass of its own; its data is kept raw.
  const bool oversized = size > 11 && &self == &TGIFApplicationExtension::ClassInfo;
  if ((size == 11 || oversized) && stream.ReadAvailable(identifier.data(), 11) == 11) {
    if (oversized) return &TGIFUnknownAppExtension::ClassInfo;
    const TGIFExtensionClass* registered = AppExtensionList().Find(identifier);
    return registered != nullptr ? registered : &TGIFUnknownAppExtension::ClassInfo;
  }
  stream.SetPosition(start);
  return &self;
}

void TGIFApplicationExtension::SaveData(TStream& stream) {
  stream.WriteByte(FBlockSize);
  stream.WriteBuffer(FIdentifier.data(), std::min<int>(FBlockSize, 11));
  if (!FSurplus.empty()) stream.WriteBuffer(FSurplus.data(), static_cast<std::int64_t>(FSurplus.size()));
  SaveBody(stream);
}

void TGIFApplicationExtension::LoadData(TStream& stream) {
  const std::uint8_t size = ReadExactByte(stream);
  FSurplus.clear();
  if (size == 10) {
    // An 8+2 identifier: the byte after it is read into the last place and given back.
    FIdentifier.fill(0);
    ReadExact(stream, FIdentifier.data(), 11);
    MoveBy(stream, -1);
  } else if (size < 11) {
    throw GIFException(sBadAppExtensionSize);
  } else {
    ReadExact(stream, FIdentifier.data(), 11);
    // The bytes past the identifier are kept, as many as the stream still has.
    FSurplus.resize(size - 11u);
    FSurplus.resize(static_cast<std::size_t>(stream.ReadAvailable(FSurplus.data(), size - 11)));
  }
  FBlockSize = static_cast<std::uint8_t>(size == 10 ? size : 11 + FSurplus.size());
  LoadBody(stream);
}

void TGIFApplicationExtension::SaveBody(TStream& stream) { stream.WriteByte(0); }

void TGIFApplicationExtension::LoadBody(TStream& stream) {
  std::uint8_t size = 0;
  while (ReadOneByte(stream, size) && size != 0) MoveBy(stream, size);
}
