#include "Deadline.h"

#include <cstdio>
#include <cstdlib>

void EndHungTest(const std::string& what) {
  std::fprintf(stderr, "Still waiting after %lld s for %s: the test program ends here.\n",
               static_cast<long long>(TestDeadline.count()), what.c_str());
  std::fflush(stderr);
  std::_Exit(EXIT_FAILURE);
}
