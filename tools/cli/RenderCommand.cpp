// korvane-cli render FILE.gif: reads a GIF and prints one JSON line with the
// RGB colours of every frame's bitmap (null for a frame without one, such as
// a block of extensions after the last image) and of the document's still
// picture, or the message that reading or rendering failed with.
#include <ostream>

#include "Commands.h"
#include "Files.h"
#include "GifJson.h"
#include "GIFImage.h"
#include "Json.h"

namespace {

std::string BitmapJson(const TBitmap* bitmap) {
  if (bitmap == nullptr) return "null";
  return "{\"width\":" + std::to_string(bitmap->Width()) + ",\"height\":" + std::to_string(bitmap->Height()) +
         ",\"pixels\":\"" + HexPixels(bitmap->Image()) + "\"}";
}

}  // namespace

int RenderCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: korvane-cli render FILE.gif\n";
    return ExitUsage;
  }
  std::string line;
  try {
    TGIFImage image;
    image.LoadFromStream(*OpenInput(args[0], in));
    std::string frames;
    for (int i = 0; i < image.Frames().Count(); ++i)
      frames += (i > 0 ? "," : "") + BitmapJson(image.Frames()[i].Bitmap());
    line = "{\"format\":\"gif\",\"ok\":true,\"frames\":[" + frames + "],\"document\":" + BitmapJson(image.Bitmap()) + "}";
  } catch (const std::exception& error) {
    out << GifErrorJson(error.what()) << '\n';
    return ExitFailed;
  }
  out << line << '\n';
  return ExitOk;
}
