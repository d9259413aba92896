// How long a test waits for something that another thread or an event loop
// brings (a window, a dialog, a painter's frame, a worker's end) before it
// fails and says what it waited for. Far beyond what any of them takes even
// on a machine loaded to the full, and still an end: no test may hang.
#pragma once

#include <chrono>
#include <string>

inline constexpr std::chrono::seconds TestDeadline{30};
inline constexpr int TestDeadlineMs = static_cast<int>(std::chrono::milliseconds(TestDeadline).count());

// For a wait that cannot be given up otherwise (a thread that cannot be
// cancelled, whose end a destructor would wait for): says what was waited
// for and ends the test program at once, which fails the test.
[[noreturn]] void EndHungTest(const std::string& what);
