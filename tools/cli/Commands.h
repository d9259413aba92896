// The commands of korvane-cli, callable without a process so tests can run
// them: each takes the words after its name and the input, output and error
// streams, and returns the exit status. A file name "-" stands for the input
// stream where a file is read and for the output stream where one is written.
//
//   dump [--format bmp|gif] FILE   one JSON line with the picture's pixels, or
//                                  its read error (exit status 1)
//   mono-bmp IN OUT                IN made black and white (white stays white,
//                                  every other colour black) written as a 1-bit BMP;
//                                  an empty picture is refused (exit status 1)
//   render FILE.gif                one JSON line with the colours of each frame's
//                                  bitmap and of the document's still picture, or
//                                  the read or render error (exit status 1)
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;

int DumpCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
int MonoBmpCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
int RenderCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
// Picks the command by the first word.
int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
// The same with nothing on the input stream.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
