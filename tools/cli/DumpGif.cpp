#include "DumpGif.h"

#include <exception>
#include <ostream>

#include "Commands.h"
#include "GIFImage.h"
#include "GifJson.h"

int DumpGif(const std::string& fileName, std::ostream& out) {
  try {
    TGIFImage image;
    image.LoadFile(fileName);
    out << GifDocumentJson(image) << '\n';
    return ExitOk;
  } catch (const std::exception& error) {
    out << GifErrorJson(error.what()) << '\n';
    return ExitFailed;
  }
}
