// Running other programs from tests and benchmarks, without a shell. A
// program run by name counts only when it is what it claims: FindProgram
// looks each candidate name up on PATH and takes the first whose version
// output (on standard output, with exit status 0) carries the expected mark,
// so a look-alike of the same name (a stand-in `convert` early on PATH, even
// one whose message names the real program) counts as absent, and the reason
// says so.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

struct TProgramRun {
  bool Finished = false;  // false: could not start, or killed after the time limit
  int ExitStatus = -1;    // the exit status when it finished by itself
  std::string Output;     // standard output
  std::string Errors;     // standard error
};

// Runs the program at path with the arguments, feeds it input on standard
// input (then closes it), and waits at most timeout for it to end.
TProgramRun RunProgram(const std::string& path, const std::vector<std::string>& arguments, const std::string& input = {},
                       std::chrono::seconds timeout = std::chrono::seconds(120));

struct TProgramClaim {
  std::string What;                           // what it claims to be, e.g. "ImageMagick"
  std::vector<std::string> Names;             // tried in this order
  std::vector<std::string> VersionArguments;  // e.g. {"-version"}
  std::string VersionMark;                    // its version output must contain this, e.g. "Version: ImageMagick "
  bool VersionOnErrorStream = false;          // the version is printed on standard error instead
};

struct TFoundProgram {
  std::string Path;    // empty when no candidate is genuine
  std::string Reason;  // when empty Path: why, naming every candidate looked at
  explicit operator bool() const { return !Path.empty(); }
};

// The first candidate on PATH (as the environment has it now) that is what it claims.
TFoundProgram FindProgram(const TProgramClaim& claim);
