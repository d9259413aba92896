// TGIFItem: the base of every block object of a GIF document (header, frame,
// extension, trailer), and TGIFList, the base of the document's owning lists.
// Both know the document they belong to and hand their warnings to it with
// themselves as the sender; a detached object (no document) drops them.
#pragma once

#include <cstdint>
#include <string>

#include "GIFPersistent.h"

class TGIFImage;
class TStream;

// The severity of the codec's warnings: damage that reading steps over.
inline constexpr std::uint8_t WarningSeverity = 1;

class TGIFItem : public TPersistent {
public:
  explicit TGIFItem(TGIFImage* image) : FImage(image) {}

  TGIFImage* Image() const { return FImage; }

  // 1 for content that GIF87a can hold, 2 for content that needs GIF89a.
  virtual int Version() const { return 1; }
  virtual void ReportWarning(std::uint8_t severity, const std::string& message);

  virtual void SaveToStream(TStream& stream) = 0;
  virtual void LoadFromStream(TStream& stream) = 0;
  // Writes the block alone into a file (replacing it only once complete).
  void SaveToFile(const std::string& fileName);
  // Reads the block from the start of a file; "Cannot open file %s" when it cannot be opened.
  void LoadFromFile(const std::string& fileName);

private:
  TGIFImage* FImage;
};

class TGIFList : public TPersistent {
public:
  explicit TGIFList(TGIFImage* image) : FImage(image) {}

  TGIFImage* Image() const { return FImage; }
  virtual void ReportWarning(std::uint8_t severity, const std::string& message);
  // Writes every item in order.
  virtual void SaveToStream(TStream& stream) = 0;

private:
  TGIFImage* FImage;
};
