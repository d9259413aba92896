#include <ostream>

#include "BmpReader.h"
#include "Commands.h"
#include "DumpFormats.h"
#include "Exception.h"
#include "FileStream.h"
#include "Json.h"

int DumpBmp(const std::string& fileName, std::ostream& out) {
  TBmpImage bmp;
  try {
    TFileStream stream(fileName, TFileMode::fmOpenRead);
    bmp = ReadBmp(stream);
  } catch (const Exception& error) {
    out << "{\"format\":\"bmp\",\"ok\":false,\"error\":" << JsonString(error.Message()) << "}\n";
    return ExitFailed;
  }
  out << "{\"format\":\"bmp\",\"ok\":true,\"width\":" << bmp.Image.Width() << ",\"height\":" << bmp.Image.Height()
      << ",\"pixels\":\"" << HexPixels(bmp.Image) << "\"}\n";
  return ExitOk;
}
