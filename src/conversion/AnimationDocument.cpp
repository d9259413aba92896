#include "AnimationDocument.h"

#include <algorithm>

#include "BmxAnimation.h"
#include "MemoryStream.h"

namespace {

void AddColors(TGIFColorMap& table, const std::vector<TGIFColor>& colors) {
  for (const TGIFColor& color : colors) table.AddColor(RGB(color.Red, color.Green, color.Blue));
}

}  // namespace

void BuildAnimation(TGIFImage& document, const TIndexedAnimation& animation, const AnimationOptions& options,
                    std::uint8_t disposal) {
  AddColors(document.GlobalColorMap(), animation.SharedColors);
  for (const TIndexedFrame& indexed : animation.Frames) {
    auto frame = std::make_unique<TGIFSubImage>(&document);
    if (!indexed.Empty()) {
      frame->SetBounds(indexed.Left, indexed.Top, indexed.Width, indexed.Height);
      std::copy(indexed.Indices.begin(), indexed.Indices.end(), frame->Pixels());
      AddColors(frame->LocalMap(), indexed.Colors);
    }
    AddAnimationExtensions(*frame, document.Frames().Count(), options, {disposal, indexed.TransparentIndex});
    document.AppendFrame(std::move(frame));
  }
}

std::size_t AnimationFileSize(const TIndexedAnimation& animation, const AnimationOptions& options,
                              std::uint8_t disposal) {
  TGIFImage document;
  BuildAnimation(document, animation, options, disposal);
  TMemoryStream stream;
  document.SaveToStream(stream);
  return stream.Bytes().size();
}
