#include "FrameOptimiser.h"

#include <algorithm>
#include <optional>

#include "MemoryStream.h"
#include "TransparentFill.h"

namespace {

struct TArea {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;  // Right and Bottom exclusive
  bool Empty() const { return Right <= Left || Bottom <= Top; }
};

// Whether pixel i of the two whole frames shows the same colour.
struct TComparison {
  const TIndexedAnimation& Animation;
  const TIndexedFrame& Before;
  const TIndexedFrame& After;
  bool Changed(std::size_t i) const {
    return !(ColorIn(Animation.ColorsOf(Before), Before.Indices[i]) == ColorIn(Animation.ColorsOf(After), After.Indices[i]));
  }
};

TArea ChangedArea(const TComparison& comparison, int width, int height) {
  TArea area{width, height, 0, 0};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (comparison.Changed(static_cast<std::size_t>(y) * width + x)) {
        area.Left = std::min(area.Left, x);
        area.Right = std::max(area.Right, x + 1);
        area.Top = std::min(area.Top, y);
        area.Bottom = std::max(area.Bottom, y + 1);
      }
  return area.Empty() ? TArea{0, 0, 1, 1} : area;
}

// The whole frame's pixels within the area, all drawn.
TIndexedFrame Cut(const TIndexedFrame& whole, const TArea& area) {
  TIndexedFrame cut;
  cut.Left = area.Left;
  cut.Top = area.Top;
  cut.Width = area.Right - area.Left;
  cut.Height = area.Bottom - area.Top;
  cut.Colors = whole.Colors;
  for (int y = area.Top; y < area.Bottom; ++y) {
    const auto row = whole.Indices.begin() + static_cast<std::ptrdiff_t>(y) * whole.Width;
    cut.Indices.insert(cut.Indices.end(), row + area.Left, row + area.Right);
  }
  return cut;
}

// The first index of the table that no changed pixel of the cut uses.
std::optional<std::uint8_t> FreeIndex(const TIndexedFrame& cut, const std::vector<bool>& changed, int tableSize) {
  std::vector<bool> used(static_cast<std::size_t>(tableSize), false);
  for (std::size_t i = 0; i < cut.Indices.size(); ++i)
    if (changed[i] && cut.Indices[i] < used.size()) used[cut.Indices[i]] = true;
  const auto free = std::find(used.begin(), used.end(), false);
  if (free == used.end()) return std::nullopt;
  return static_cast<std::uint8_t>(free - used.begin());
}

// The minimum code size of the image data of a frame with a table of that size.
int MinimumCodeSize(std::size_t tableSize) {
  int bits = 2;
  while ((std::size_t{1} << bits) < tableSize) ++bits;
  return bits;
}

// The bytes of a GIF of the frame alone with a local table of tableSize
// entries: its table and image data, and a few bytes the same for every frame.
std::size_t EncodedSize(const TIndexedFrame& frame, std::size_t tableSize) {
  TGIFImage scratch;
  auto image = std::make_unique<TGIFSubImage>(&scratch);
  image->SetBounds(0, 0, frame.Width, frame.Height);
  std::copy(frame.Indices.begin(), frame.Indices.end(), image->Pixels());
  for (std::size_t i = 0; i < tableSize; ++i) image->LocalMap().AddColor(clBlack);
  scratch.AppendFrame(std::move(image));
  TMemoryStream stream;
  scratch.SaveToStream(stream);
  return stream.Bytes().size();
}

// Frame k cut to the area where it differs from frame k - 1, transparent
// where it keeps frame k - 1's pixels when that encodes smaller. A frame with
// a table of its own grows it by one entry when the changes use all of it.
TIndexedFrame CutFrame(const TIndexedAnimation& animation, std::size_t k) {
  const TIndexedFrame& whole = animation.Frames[k];
  const TComparison comparison{animation, animation.Frames[k - 1], whole};
  const TArea area = ChangedArea(comparison, whole.Width, whole.Height);
  TIndexedFrame drawn = Cut(whole, area);
  std::vector<bool> changed;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      changed.push_back(comparison.Changed(static_cast<std::size_t>(y) * whole.Width + x));

  TIndexedFrame keeping = drawn;
  const std::size_t drawnTableSize = animation.ColorsOf(drawn).size();
  if (!keeping.Colors.empty() && keeping.Colors.size() < MaxGIFColors &&
      !FreeIndex(keeping, changed, static_cast<int>(keeping.Colors.size())))
    keeping.Colors.push_back(TGIFColor{});
  const std::size_t keepingTableSize = animation.ColorsOf(keeping).size();
  const std::optional<std::uint8_t> free = FreeIndex(keeping, changed, static_cast<int>(keepingTableSize));
  if (!free || std::all_of(changed.begin(), changed.end(), [](bool c) { return c; })) return drawn;
  keeping.TransparentIndex = *free;
  TIndexedFrame smallest = drawn;
  std::size_t smallestSize = EncodedSize(drawn, drawnTableSize);
  const int codeSize = MinimumCodeSize(keepingTableSize);
  for (std::vector<std::uint8_t> fill :
       {AllKeptTransparent(drawn.Indices, changed, *free),
        LongStringFill(drawn.Indices, changed, *free, codeSize, TKeptPreference::OwnColour),
        LongStringFill(drawn.Indices, changed, *free, codeSize, TKeptPreference::Transparent),
        LongStringFill(drawn.Indices, changed, *free, codeSize, TKeptPreference::OwnColourElse)}) {
    keeping.Indices = std::move(fill);
    const std::size_t size = EncodedSize(keeping, keepingTableSize);
    if (size < smallestSize) {
      smallest = keeping;
      smallestSize = size;
    }
  }
  return smallest;
}

bool OneSizeNoneEmpty(const TIndexedAnimation& animation) {
  if (animation.Frames.empty()) return false;
  const TIndexedFrame& first = animation.Frames.front();
  return std::all_of(animation.Frames.begin(), animation.Frames.end(), [&](const TIndexedFrame& frame) {
    return !frame.Empty() && frame.Width == first.Width && frame.Height == first.Height;
  });
}

}  // namespace

bool OptimiseFrames(TIndexedAnimation& animation) {
  if (!OneSizeNoneEmpty(animation)) return false;
  std::vector<TIndexedFrame> cuts{animation.Frames.front()};
  for (std::size_t k = 1; k < animation.Frames.size(); ++k) cuts.push_back(CutFrame(animation, k));
  animation.Frames = std::move(cuts);
  return true;
}

bool SpareIndexWouldHelp(const TIndexedAnimation& animation) {
  if (!OneSizeNoneEmpty(animation) || !animation.Frames.front().Colors.empty() ||
      animation.SharedColors.size() >= MaxGIFColors)
    return false;
  for (std::size_t k = 1; k < animation.Frames.size(); ++k) {
    std::array<bool, MaxGIFColors> used{};
    const TComparison comparison{animation, animation.Frames[k - 1], animation.Frames[k]};
    for (std::size_t i = 0; i < animation.Frames[k].Indices.size(); ++i)
      if (comparison.Changed(i)) used[animation.Frames[k].Indices[i]] = true;
    if (std::count(used.begin(), used.end(), true) >= static_cast<std::ptrdiff_t>(animation.SharedColors.size())) return true;
  }
  return false;
}
