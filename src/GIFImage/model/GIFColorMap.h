// TGIFColorMap: a GIF colour table of up to 256 RGB entries, kept in file
// order, with the lookups and edits the codec needs. TGIFGlobalColorMap
// belongs to the logical screen (TGIFHeader), TGIFLocalColorMap to one frame;
// each forwards its warnings through its owner to the document.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Color.h"
#include "GIFPersistent.h"
#include "Palette.h"

class TPixelImage;
class TGIFHeader;
class TGIFSubImage;

struct TGIFColor {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  friend bool operator==(const TGIFColor&, const TGIFColor&) = default;
};

inline constexpr int MaxGIFColors = 256;

// One entry of a device-independent bitmap's colour table, in its stored order.
struct TRGBQuad {
  std::uint8_t rgbBlue = 0;
  std::uint8_t rgbGreen = 0;
  std::uint8_t rgbRed = 0;
  std::uint8_t rgbReserved = 0;
};

// How many pixels use the table entry Index.
struct TColorUse {
  int Count = 0;
  int Index = 0;
};

// Old index to new index, for all 256 values a pixel byte can hold.
using TColorRemap = std::array<std::uint8_t, MaxGIFColors>;

class TGIFColorMap : public TPersistent {
public:
  int Count() const { return static_cast<int>(FEntries.size()); }
  // Entries reserved: 16 for up to 16, else the need rounded up to 32, at most 256.
  int Capacity() const { return FCapacity; }
  bool IsSorted() const { return FIsSorted; }
  void SetSorted(bool sorted) { FIsSorted = sorted; }
  const std::vector<TGIFColor>& Entries() const { return FEntries; }

  void Clear();
  // The table becomes these entries, unsorted, reserved as for their count,
  // without signalling a change; "Color table overflow" beyond 256.
  void TakeEntries(const std::vector<TGIFColor>& entries);

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

  // Conversions, and sorting (GIFColorMapSort.cpp).
  // The table becomes the palette's colours (at most 256); an empty palette
  // leaves it empty without signalling a change.
  void TakePalette(const TPalette& palette);
  // The table becomes the colours of count bitmap colour-table entries.
  void TakeColorTable(const TRGBQuad* entries, int count);
  // The table becomes the colour table of a device-independent image
  // (signalling a change even when the image has none).
  void TakeImageColorTable(const TPixelImage& image);
  // One pair per entry, entry i at position i, counting the pixels of the
  // frames that use this table.
  std::vector<TColorUse> CountUses();
  // Every pixel p of those frames becomes table[p]; so does the transparent
  // index of each transparent one.
  void RemapPixels(const TColorRemap& table);
  // Orders the entries by descending use and drops the unused ones, keeping
  // the picture as it was; marks the table sorted. False (and nothing
  // changed) for a table of at most one entry, or a global table while the
  // document has no frames.
  bool SortByUse();

protected:
  // Called after an entry was added or deleted: the palette made from the
  // table is out of date.
  virtual void Changed() = 0;
  // The frames whose pixels index this table.
  virtual std::vector<TGIFSubImage*> Users() const = 0;
  // False for a global table of a document without frames: nothing to sort by.
  virtual bool CanSort() const { return true; }

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
  std::vector<TGIFSubImage*> Users() const override;
  bool CanSort() const override;

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
  std::vector<TGIFSubImage*> Users() const override;

private:
  TGIFSubImage* FSubImage;
};
