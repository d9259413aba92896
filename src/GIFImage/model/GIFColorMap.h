// TGIFColorMap: a GIF colour table of up to 256 RGB entries, kept in file
// order, with the lookups and edits the codec needs. TGIFGlobalColorMap
// belongs to the logical screen (TGIFHeader), TGIFLocalColorMap to one frame;
// each forwards its warnings through its owner to the document.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Color.h"
#include "GIFPersistent.h"
#include "Palette.h"

class TStream;
class TGIFHeader;
class TGIFSubImage;

struct TGIFColor {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  friend bool operator==(const TGIFColor&, const TGIFColor&) = default;
};

inline constexpr int MaxGIFColors = 256;

class TGIFColorMap : public TPersistent {
public:
  int Count() const { return static_cast<int>(FEntries.size()); }
  // Entries reserved: 16 for up to 16, else the need rounded up to 32, at most 256.
  int Capacity() const { return FCapacity; }
  bool IsSorted() const { return FIsSorted; }
  void SetSorted(bool sorted) { FIsSorted = sorted; }
  const std::vector<TGIFColor>& Entries() const { return FEntries; }

  void Clear();
  // Reads count entries of 3 bytes; "Premature end of data" when they are not all there.
  void ReadTable(TStream& stream, int count);
  // Writes the entries, then black ones up to 2^BitsPerPixel; nothing when empty.
  void WriteTable(TStream& stream) const;

  // The entry equal in all three bytes: the first when sorted, else the last; -1 if none.
  int IndexOfColor(TColor color) const;
  // Appends a colour and returns its index; "Color table overflow" at 256 entries.
  int AddColor(TColor color);
  int AddUniqueColor(TColor color);
  // The colour of an entry; an index out of range warns and gives entry 0,
  // and an empty table raises "Color table is empty".
  TColor ColorAt(int index);
  // Removes an entry; "Invalid color index" when out of range.
  void Delete(int index);
  // 0 for an empty table, else the smallest b >= 1 with 2^b >= Count.
  int BitsPerPixel() const;

  // An exact copy: entries, count, capacity and sort state.
  void Assign(const TGIFColorMap& source);
  virtual void ReportWarning(std::uint8_t severity, const std::string& message) = 0;

  // A palette of exactly Count entries, each flagged PC_NOCOLLAPSE; none
  // for an empty table.
  std::optional<TPalette> MakePalette() const;

protected:
  // Called after an entry was added or deleted: the palette made from the
  // table is out of date.
  virtual void Changed() = 0;

private:
  void Reserve(int needed);

  std::vector<TGIFColor> FEntries;
  int FCapacity = 0;
  bool FIsSorted = false;
};

class TGIFGlobalColorMap : public TGIFColorMap {
public:
  explicit TGIFGlobalColorMap(TGIFHeader* header) : FHeader(header) {}
  TGIFHeader* Header() const { return FHeader; }
  void ReportWarning(std::uint8_t severity, const std::string& message) override;

protected:
  // Drops the document palette.
  void Changed() override;

private:
  TGIFHeader* FHeader;
};

class TGIFLocalColorMap : public TGIFColorMap {
public:
  explicit TGIFLocalColorMap(TGIFSubImage* subImage) : FSubImage(subImage) {}
  TGIFSubImage* SubImage() const { return FSubImage; }
  void ReportWarning(std::uint8_t severity, const std::string& message) override;

protected:
  // Drops the palette the frame made for its bitmap.
  void Changed() override;

private:
  TGIFSubImage* FSubImage;
};
