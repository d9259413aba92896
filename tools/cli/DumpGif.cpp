#include "DumpGif.h"

#include <exception>
#include <ostream>
#include <sstream>

#include "Commands.h"
#include "Files.h"
#include "GIFImage.h"
#include "GifJson.h"

int DumpGif(const std::string& fileName, std::istream& in, std::ostream& out) {
  try {
    TGIFImage image;
    image.LoadFromStream(*OpenInput(fileName, in));
    out << GifDocumentJson(image) << '\n';
    return ExitOk;
  } catch (const std::exception& error) {
    out << GifErrorJson(error.what()) << '\n';
    return ExitFailed;
  }
}

int DumpGif(const std::string& fileName, std::ostream& out) {
  std::istringstream nothing;
  return DumpGif(fileName, nothing, out);
}
