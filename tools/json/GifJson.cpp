#include "GifJson.h"

#include <sstream>

#include "GIFImage.h"
#include "Json.h"
#include "MemoryStream.h"

namespace {

std::string HexString(const std::string& bytes) {
  std::string out;
  AppendHex(out, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  return JsonString(out);
}

std::string Joined(const TGIFLines& lines) {
  std::string all;
  for (const std::string& line : lines) all += line;
  return all;
}

std::string TableJson(const TGIFColorMap& map) {
  std::string out = "[";
  for (const TGIFColor& c : map.Entries()) {
    if (out.size() > 1) out += ',';
    const std::uint8_t rgb[3] = {c.Red, c.Green, c.Blue};
    out += '"';
    AppendHex(out, rgb, 3);
    out += '"';
  }
  return out + "]";
}

std::string TransparentJson(const TGIFGraphicControlExtension* control) {
  return control != nullptr && control->Transparent() ? std::to_string(control->TransparentIndex()) : "null";
}

// The data sub-blocks of an application extension as written, without their
// sizes. They follow the introducer, the label, the block size and the block.
std::string ApplicationData(TGIFApplicationExtension& extension) {
  TMemoryStream written;
  WriteExtension(written, extension);
  const std::vector<std::uint8_t>& bytes = written.Bytes();
  std::string data;
  for (std::size_t at = 3u + bytes[2]; at < bytes.size() && bytes[at] != 0; at += 1 + bytes[at])
    data.append(reinterpret_cast<const char*>(bytes.data()) + at + 1, bytes[at]);
  return data;
}

std::string FrameJson(const TGIFSubImage& frame) {
  const TGIFGraphicControlExtension* control = frame.ControlBlock();
  std::ostringstream out;
  out << "{\"left\":" << frame.Left() << ",\"top\":" << frame.Top() << ",\"width\":" << frame.Width()
      << ",\"height\":" << frame.Height() << ",\"interlaced\":" << (frame.Interlaced() ? "true" : "false")
      << ",\"local_table\":" << TableJson(frame.LocalMap()) << ",\"delay\":" << (control ? control->Delay() : 0)
      << ",\"disposal\":" << (control ? control->Disposal() : 0) << ",\"transparent_index\":" << TransparentJson(control)
      << ",\"indices\":\"";
  std::string indices;
  if (frame.Pixels() != nullptr) AppendHex(indices, frame.Pixels(), static_cast<std::size_t>(frame.PixelCount()));
  out << indices << "\"}";
  return out.str();
}

std::string ExtensionJson(TGIFExtension& extension, int beforeFrame) {
  std::ostringstream out;
  out << "{\"type\":";
  if (auto* control = dynamic_cast<TGIFGraphicControlExtension*>(&extension)) {
    out << "\"graphic_control\",\"before_frame\":" << beforeFrame << ",\"delay\":" << control->Delay()
        << ",\"disposal\":" << int{control->Disposal()} << ",\"transparent_index\":" << TransparentJson(control)
        << ",\"user_input\":" << (control->UserInput() ? "true" : "false");
  } else if (auto* comment = dynamic_cast<TGIFCommentExtension*>(&extension)) {
    out << "\"comment\",\"before_frame\":" << beforeFrame << ",\"text_hex\":" << HexString(Joined(comment->Lines()));
  } else if (auto* text = dynamic_cast<TGIFTextExtension*>(&extension)) {
    TMemoryStream written;
    WriteExtension(written, *text);
    const std::string header(reinterpret_cast<const char*>(written.Bytes().data()) + 2, 13);
    out << "\"plain_text\",\"before_frame\":" << beforeFrame << ",\"header_hex\":" << HexString(header)
        << ",\"text_hex\":" << HexString(Joined(text->Lines()));
  } else if (auto* application = dynamic_cast<TGIFApplicationExtension*>(&extension)) {
    const auto* loop = dynamic_cast<TGIFAppExtNSLoop*>(application);
    const TGIFAppIdentifier& id = application->Identifier();
    out << "\"application\",\"before_frame\":" << beforeFrame
        << ",\"identifier\":" << JsonString(std::string(id.begin(), id.end()))
        << ",\"data_hex\":" << HexString(ApplicationData(*application))
        << ",\"loop_count\":" << (loop ? std::to_string(loop->LoopCount()) : "null");
  }
  out << "}";
  return out.str();
}

}  // namespace

std::string GifDocumentJson(TGIFImage& image) {
  std::string frames;
  std::string extensions;
  std::string loopCount = "null";
  int images = 0;
  for (int i = 0; i < image.Frames().Count(); ++i) {
    TGIFSubImage& frame = image.Frames()[i];
    for (int e = 0; e < frame.ExtList().Count(); ++e) {
      TGIFExtension& extension = frame.ExtList()[e];
      const auto* control = dynamic_cast<const TGIFGraphicControlExtension*>(&extension);
      if (control != nullptr && control->CutShort()) continue;
      const auto* loop = dynamic_cast<const TGIFAppExtNSLoop*>(&extension);
      if (loop != nullptr && loopCount == "null") loopCount = std::to_string(loop->LoopCount());
      extensions += (extensions.empty() ? "" : ",") + ExtensionJson(extension, images);
    }
    if (!frame.HasImageDescriptor()) continue;
    frames += (frames.empty() ? "" : ",") + FrameJson(frame);
    ++images;
  }
  const TGIFHeader& screen = image.LogicalScreen();
  std::ostringstream out;
  out << "{\"format\":\"gif\",\"ok\":true,\"screen\":{\"width\":" << screen.ScreenWidth()
      << ",\"height\":" << screen.ScreenHeight() << ",\"background\":" << int{screen.BackgroundIndex()}
      << ",\"global_table\":" << TableJson(screen.GlobalMap()) << "},\"loop_count\":" << loopCount
      << ",\"frames\":[" << frames << "],\"extensions\":[" << extensions << "]}";
  return out.str();
}

std::string GifErrorJson(const std::string& message) {
  return "{\"format\":\"gif\",\"ok\":false,\"error\":" + JsonString(message) + "}";
}
