// TGIFItem: the base of every block object of a GIF document (header, frame,
// extension, trailer), and TGIFList, the base of the document's owning lists.
// Both know the document they belong to and hand their warnings to it with
// themselves as the sender; a detached object (no document) drops them.
// Reading and writing the blocks is io/'s.
#pragma once

#include <cstdint>
#include <string>

#include "GIFPersistent.h"

class TGIFDocument;

class TGIFItem : public TPersistent {
public:
  explicit TGIFItem(TGIFDocument* image) : FImage(image) {}

  TGIFDocument* Image() const { return FImage; }

  // 1 for content that GIF87a can hold, 2 for content that needs GIF89a.
  virtual int Version() const { return 1; }
  virtual void ReportWarning(std::uint8_t severity, const std::string& message);

private:
  TGIFDocument* FImage;
};

class TGIFList : public TPersistent {
public:
  explicit TGIFList(TGIFDocument* image) : FImage(image) {}

  TGIFDocument* Image() const { return FImage; }
  virtual void ReportWarning(std::uint8_t severity, const std::string& message);

private:
  TGIFDocument* FImage;
};
