#include "ConversionTesting.h"

#include "MemoryStream.h"
#include "OptionNames.h"

StripOptions OptionsOf(const std::vector<std::string>& words) {
  StripOptions options;
  for (const std::string& word : words) {
    const std::size_t equals = word.find('=');
    FindStripOption(word.substr(0, equals))->Parse(word.substr(equals + 1), options);
  }
  return options;
}

std::string StripDataFile(const std::string& name) { return std::string(KORVANE_TEST_DATA_DIR) + "/strip/" + name; }

std::unique_ptr<TGIFImage> LoadStripDataGif(const std::string& name) {
  auto gif = std::make_unique<TGIFImage>();
  gif->LoadFile(StripDataFile(name));
  return gif;
}

std::vector<std::uint8_t> BmpBytesOf(TBitmap& bitmap) {
  TMemoryStream stream;
  bitmap.SaveToStream(stream);
  return stream.TakeBytes();
}
