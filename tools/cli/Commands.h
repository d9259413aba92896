// The commands of korvane-cli, callable without a process so tests can run
// them: each takes the words after its name and the input, output and error
// streams, and returns the exit status. A file name "-" stands for the input
// stream where a file is read and for the output stream where one is written.
//
//   convert [options] IN OUT      IN (a GIF, BMX strip, BMP or a phone format)
//                                  written in OUT's format (--to or its
//                                  extension): a strip's frames to OUT-1..OUT-4
//                                  where the format holds one picture, a GIF's
//                                  frames into one C array; the message naming
//                                  the format (exit status 1) and nothing
//                                  written on failure; a bad option value: one
//                                  line, exit status 2
//   dump [--format bmp|gif] FILE   one JSON line with the picture's pixels, or
//                                  its read error (exit status 1)
//   mono-bmp IN OUT                IN made black and white (white stays white,
//                                  every other colour black) written as a 1-bit BMP;
//                                  an empty picture is refused (exit status 1)
//   bmx2gif [options] IN.bmp OUT.gif
//                                  the strip IN cut into four frames and written
//                                  as a looping GIF, as the window's Open,
//                                  Animate and Save do (delay, loop count,
//                                  palette, optimise); the message alone on
//                                  stderr (exit status 1) when that fails; a
//                                  bad option value: one line, exit status 2
//   gif2bmx [options] IN.gif OUT.bmx
//                                  IN as its BMX strip by the conversion choices
//                                  (frames 0 to 3 as stored by default), written
//                                  as a 1-bit BMP; prints nothing, or the exact
//                                  message it failed with (exit status 1); a bad
//                                  option value: one line, exit status 2
//   render FILE.gif                one JSON line with the colours of each frame's
//                                  bitmap and of the document's still picture, or
//                                  the read or render error (exit status 1)
//   rewrite IN.gif OUT.gif         IN read and written again by the GIF writer;
//                                  on failure the message on stderr, exit
//                                  status 1 and OUT left as it was
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;

int Bmx2GifCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
int ConvertCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
int DumpCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
int Gif2BmxCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
int MonoBmpCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
int RenderCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
int RewriteCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
// Picks the command by the first word.
int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
// The same with nothing on the input stream.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
