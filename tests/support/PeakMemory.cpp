#include "PeakMemory.h"

#include <fstream>
#include <string>

namespace {

std::int64_t StatusKiB(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.compare(0, field.size() + 1, field + ":") == 0) return std::stoll(line.substr(field.size() + 1));
  return 0;
}

}  // namespace

TPeakMemory::TPeakMemory() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.close();
  if (clear) FStartKiB = StatusKiB("VmRSS");
}

double TPeakMemory::RiseMiB() const { return static_cast<double>(StatusKiB("VmHWM") - FStartKiB) / 1024.0; }
