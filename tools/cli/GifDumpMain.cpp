// korvane-gif-dump FILE.gif: the GIF dump on its own, until korvane-cli's
// dump command hands GIF files to DumpGif.
#include <iostream>

#include "DumpGif.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: korvane-gif-dump FILE.gif\n";
    return 2;
  }
  return DumpGif(argv[1], std::cout);
}
