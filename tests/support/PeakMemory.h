// The peak resident memory of this process over a stretch of a test: how far
// its high-water mark rose above the resident size at the start, in MiB. On
// Linux, from /proc/self/status, with the mark started afresh through
// /proc/self/clear_refs; elsewhere Measured() is false.
#pragma once

#include <cstdint>

class TPeakMemory {
public:
  TPeakMemory();
  bool Measured() const { return FStartKiB > 0; }
  double RiseMiB() const;

private:
  std::int64_t FStartKiB = 0;
};
