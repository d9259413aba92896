#include <ostream>

#include "BmpReader.h"
#include "Commands.h"
#include "DumpFormats.h"
#include "Exception.h"
#include "Files.h"
#include "Json.h"

int DumpBmp(const std::string& fileName, std::istream& in, std::ostream& out) {
  TBmpImage bmp;
  try {
    bmp = ReadBmp(*OpenInput(fileName, in));
  } catch (const Exception& error) {
    out << "{\"format\":\"bmp\",\"ok\":false,\"error\":" << JsonString(error.Message()) << "}\n";
    return ExitFailed;
  }
  out << "{\"format\":\"bmp\",\"ok\":true,\"width\":" << bmp.Image.Width() << ",\"height\":" << bmp.Image.Height()
      << ",\"pixels\":\"" << HexPixels(bmp.Image) << "\"}\n";
  return ExitOk;
}
