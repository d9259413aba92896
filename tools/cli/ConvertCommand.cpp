// korvane-cli convert [options] IN OUT: a picture or an animation into the
// 1-bit files of phones and small displays (WBMP, OTA bitmap, NOL and NGG
// logos, XBM, PBM, C arrays) or a BMX strip, and those files back.
//
// The input's kind comes from its extension: a GIF is turned into its strip
// as gif2bmx turns it (the same strip options, the same code); a .bmx file
// is a strip of four frames; a file of one of the phone formats is read by
// its reader; anything else, and "-", is read as a BMP. The output's format
// comes from --to, else from OUT's extension.
//
// A strip written in a format of one picture becomes four files, OUT-1 to
// OUT-4 (logo.wbmp gives logo-1.wbmp ... logo-4.wbmp); a single picture
// becomes one. A C array holds every frame in one file: all the frames of a
// GIF (each composed as shown, sized and made black and white by the strip
// options) with their delays, a strip's four frames with the animation's
// delay, or the one picture.
//
// An empty picture is refused. Every file is made in memory first: a failure prints its message (which
// names the format), exits with status 1 and writes nothing. A bad option
// value prints one line naming the option and what it accepts, exit status 2.
#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>

#include "AnimationOptions.h"
#include "BmxStrip.h"
#include "Commands.h"
#include "Files.h"
#include "GifToFrames.h"
#include "GifToStrip.h"
#include "MemoryStream.h"
#include "OptionArgs.h"
#include "PictureFileFormat.h"
#include "RasterMessages.h"

namespace {

constexpr const char* Usage =
    "usage: korvane-cli convert [--as-stored] [--frames first|spread|N,N,N,N] [--short refuse|repeat]\n"
    "         [--size WxH|screensaver|logo|ems16|ems72] [--fit fit|fill|stretch]\n"
    "         [--mono exact|threshold[=N]|floyd|atkinson|ordered4|ordered8] [--invert]\n"
    "         [--to bmp|wbmp|otb|nol|ngg|xbm|pbm|pbm-plain|c] [--layout rows|pages] [--progmem] IN OUT\n";

constexpr const char* ToAccepts = "bmp|wbmp|otb|nol|ngg|xbm|pbm|pbm-plain|c";

// What a file is written as: a 1-bit BMP, or a format of PictureFileFormat.h.
struct TOutputFormat {
  bool Bmp = false;
  TPictureFileFormat Picture = TPictureFileFormat::Wbmp;
};

struct TConvertChoices {
  StripOptions Strip;
  std::optional<TOutputFormat> To;
  TCArrayOptions CArray;
};

std::string LowerExtension(const std::string& fileName) {
  std::string extension = std::filesystem::path(fileName).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

std::optional<TOutputFormat> FormatNamed(std::string_view name) {
  if (name == "bmp" || name == "bmx") return TOutputFormat{true};
  if (const auto picture = FormatFromName(std::string(name))) return TOutputFormat{false, *picture};
  return std::nullopt;
}

std::optional<TOutputFormat> FormatOfFile(const std::string& fileName) {
  const std::string extension = LowerExtension(fileName);
  if (extension == ".bmp" || extension == ".bmx") return TOutputFormat{true};
  if (const auto picture = FormatFromFileName(fileName)) return TOutputFormat{false, *picture};
  return std::nullopt;
}

// Takes convert's own options out of args (--to, --layout, --progmem) and
// leaves the strip options and the file names.
std::vector<std::string> TakeOwnOptions(const std::vector<std::string>& args, TConvertChoices& choices) {
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    const std::size_t equals = word.find('=');
    const std::string key = word.substr(0, equals);
    const bool ownValue = key == "--to" || key == "--layout";
    if (!ownValue && key != "--progmem") {
      rest.push_back(word);
      continue;
    }
    std::string value = equals != std::string::npos ? word.substr(equals + 1)
                        : !ownValue                 ? "on"
                        : i + 1 < args.size()       ? args[++i]
                                                    : "";
    if (key == "--to") {
      choices.To = FormatNamed(value);
      if (!choices.To) throw EBadOptionValue("to", ToAccepts, value);
    } else if (key == "--layout") {
      if (value != "rows" && value != "pages") throw EBadOptionValue("layout", "rows|pages", value);
      choices.CArray.Layout = value == "rows" ? TCArrayLayout::Rows : TCArrayLayout::Pages;
    } else {
      if (value != "on" && value != "off") throw EBadOptionValue("progmem", "on|off", value);
      choices.CArray.Progmem = value == "on";
    }
  }
  return rest;
}

// The pictures the input gives: one, a strip's four, or a GIF's frames.
struct TInputPictures {
  std::vector<TBitmap> Pictures;
  std::vector<int> Delays;  // hundredths of a second, one a picture
  bool Strip = false;       // four frames of a strip
};

void AddStripFrames(TInputPictures& input, const TBitmap& strip, int delay) {
  const int frameHeight = FrameHeightOf(strip.Height());
  for (int k = 0; k < StripFrameCount; ++k) {
    input.Pictures.push_back(CutStripFrame(strip, k, frameHeight));
    input.Delays.push_back(delay);
  }
  input.Strip = true;
}

// A GIF into a C array gives all its frames; into anything else its strip.
TInputPictures ReadGif(const std::string& fileName, std::istream& in, const StripOptions& options, bool allFrames) {
  TGIFImage gif;
  if (!allFrames) gif.SetFramesDecodedOnLoad(FramesDecodedForStrip(options));
  LoadInput(gif, fileName, in);
  TInputPictures input;
  if (allFrames) {
    for (TMonoFrame& frame : GifToFrames(gif, options)) {
      input.Pictures.push_back(frame.Picture);
      input.Delays.push_back(frame.Delay);
    }
    return input;
  }
  const StripConversion conversion = GifToStrip(gif, options);
  AddStripFrames(input, *conversion.Strip, 0);
  for (int k = 0; k < StripFrameCount; ++k)
    input.Delays[static_cast<std::size_t>(k)] = FrameDelayOf(gif, conversion.FramesUsed[static_cast<std::size_t>(k)]);
  return input;
}

// Black and white swapped, for --invert on an input that is not a GIF.
TBitmap Inverted(const TBitmap& picture) {
  TPixelImage image = picture.Image();
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) image.SetPixel(x, y, image.GetPixel(x, y) == clWhite ? clBlack : clWhite);
  TBitmap inverted;
  inverted.SetImage(std::move(image), true);
  return inverted;
}

TInputPictures ReadPictures(const std::string& fileName, std::istream& in, const TConvertChoices& choices,
                            bool allFrames) {
  const std::string extension = LowerExtension(fileName);
  if (extension == ".gif") return ReadGif(fileName, in, choices.Strip, allFrames);
  TBitmap picture;
  const std::optional<TPictureFileFormat> format = FormatFromFileName(fileName);
  if (format && fileName != StandardStreamName)
    ReadPicture(picture, *format, *OpenInput(fileName, in));
  else
    LoadInput(picture, fileName, in);
  const TBitmap shown = choices.Strip.Invert ? Inverted(picture) : TBitmap(picture);
  TInputPictures input;
  if (extension == ".bmx") {
    AddStripFrames(input, shown, AnimationOptions{}.Delay);
  } else {
    input.Pictures.push_back(shown);
    input.Delays.push_back(0);
  }
  return input;
}

// OUT-k with OUT's extension: "logo.wbmp" and 2 give "logo-2.wbmp".
std::string FrameFileName(const std::string& fileName, int k) {
  const std::filesystem::path path(fileName);
  std::filesystem::path numbered = path;
  numbered.replace_filename(path.stem().string() + "-" + std::to_string(k) + path.extension().string());
  return numbered.string();
}

std::string NameInFile(const std::string& fileName) {
  return fileName == StandardStreamName ? "" : std::filesystem::path(fileName).stem().string();
}

std::vector<std::uint8_t> PictureBytes(TBitmap& picture, const TOutputFormat& format,
                                       const TPictureWriteOptions& options) {
  TMemoryStream bytes;
  if (format.Bmp) {
    picture.SetMonochrome(true);
    picture.SaveToStream(bytes);
  } else {
    WritePicture(picture, format.Picture, bytes, options);
  }
  return bytes.TakeBytes();
}

struct TOutputFile {
  std::string Name;
  std::vector<std::uint8_t> Bytes;
};

std::vector<TOutputFile> MakeOutputs(TInputPictures& input, const TOutputFormat& format, const std::string& fileName,
                                     const TConvertChoices& choices) {
  TPictureWriteOptions options;
  options.CArray = choices.CArray;
  std::vector<TOutputFile> files;
  if (!format.Bmp && format.Picture == TPictureFileFormat::CArray) {
    std::vector<TCArrayFrame> frames;
    for (std::size_t i = 0; i < input.Pictures.size(); ++i) frames.push_back({input.Pictures[i], input.Delays[i]});
    TMemoryStream bytes;
    WriteCArray(frames, NameInFile(fileName).empty() ? "image" : NameInFile(fileName), options.CArray, bytes);
    files.push_back({fileName, bytes.TakeBytes()});
    return files;
  }
  const bool oneFile = input.Pictures.size() == 1;
  if (!oneFile && fileName == StandardStreamName)
    throw EUsage("the four frames of a strip go to four files: OUT cannot be -");
  for (std::size_t i = 0; i < input.Pictures.size(); ++i) {
    const std::string name = oneFile ? fileName : FrameFileName(fileName, static_cast<int>(i) + 1);
    options.Name = NameInFile(name);
    files.push_back({name, PictureBytes(input.Pictures[i], format, options)});
  }
  return files;
}

}  // namespace

std::vector<TCommandOption> ConvertOptions() {
  std::vector<TCommandOption> options = Gif2BmxOptions();
  options.push_back({"--to", ToAccepts, "the format written, instead of OUT's extension"});
  options.push_back({"--layout", "rows|pages", "a C array's bytes: rows, or pages of 8 rows (default rows)"});
  options.push_back({"--progmem", "", "a C array in an AVR's program memory"});
  return options;
}

int ConvertCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  TConvertChoices choices;
  std::vector<std::string> words;
  try {
    words = TakeOwnOptions(args, choices);
  } catch (const EBadOptionValue& error) {
    err << CommandLineText(error) << '\n';
    return ExitUsage;
  }
  const auto named = TakeOptionsAndFiles(words, StripOptionFields(), choices.Strip, Usage, err);
  if (!named) return ExitUsage;
  const std::vector<std::string>& files = *named;
  const std::optional<TOutputFormat> format = choices.To ? choices.To : FormatOfFile(files[1]);
  if (!format) {
    err << "cannot tell the format of " << files[1] << " from its extension: name it with --to " << ToAccepts << '\n';
    return ExitUsage;
  }
  try {
    const bool allFrames = !format->Bmp && format->Picture == TPictureFileFormat::CArray;
    TInputPictures input = ReadPictures(files[0], in, choices, allFrames);
    // An empty picture (or a GIF without frames) would give empty files.
    if (input.Pictures.empty() || input.Pictures.front().Empty()) throw Exception(SNothingToSave);
    for (TOutputFile& file : MakeOutputs(input, *format, files[1], choices))
      WriteOutput(file.Name, out, [&file](TStream& stream) {
        if (!file.Bytes.empty()) stream.WriteBuffer(file.Bytes.data(), static_cast<std::int64_t>(file.Bytes.size()));
      });
  } catch (const EUsage& error) {
    err << error.Message() << '\n';
    return ExitUsage;
  }
  return ExitOk;
}
