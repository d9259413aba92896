// The commands of korvane-cli, callable without a process so tests can run
// them: each takes the words after its name and the input, output and error
// streams, and returns the exit status. A file name "-" stands for the input
// stream where a file is read and for the output stream where one is written.
//
// A command raises its failures: RunCommandLine runs each inside the one
// error boundary (ErrorBoundary.h), which prints "korvane-cli: FILE: MESSAGE"
// and gives exit status 1; a bad usage the command prints itself, with exit
// status 2. A command that converts IN into OUT and has a row in the command
// table with its output extension also converts many files at once with
// -o DIR (Batch.h).
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
//                                  an empty picture is refused
//   bmx2gif [options] IN.bmp OUT.gif
//                                  the strip IN cut into four frames and written
//                                  as a looping GIF, as the window's Open,
//                                  Animate and Save do (delay, loop count,
//                                  palette, optimise); a bad option value:
//                                  one line, exit status 2
//   gif2bmx [options] IN.gif OUT.bmx
//                                  IN as its BMX strip by the conversion choices
//                                  (the first four frames as shown by default), written
//                                  as a 1-bit BMP; a bad option value: one line,
//                                  exit status 2
//   render FILE.gif                one JSON line with the colours of each frame's
//                                  bitmap and of the document's still picture, or
//                                  the read or render error (exit status 1)
//   rewrite IN.gif OUT.gif         IN read and written again by the GIF writer
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "RunOptions.h"

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

// The options of the commands that have their own, as their help lists them.
std::vector<TCommandOption> DumpOptions();
std::vector<TCommandOption> Bmx2GifOptions();
std::vector<TCommandOption> ConvertOptions();
std::vector<TCommandOption> Gif2BmxOptions();

// Picks the command by the first word. With errIsTerminal, a batch of more
// than a few files shows its progress on err.
int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
                   bool errIsTerminal = false);
// The same with nothing on the input stream.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
