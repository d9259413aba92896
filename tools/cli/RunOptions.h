// korvane-cli's own options, which commands take beside their own: --help
// for every command, and for a conversion of IN to OUT --quiet and --strict
// for the warnings of the GIFs it reads, and the batch's -o DIR and -j N.
// They are taken out of the words before the command sees them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "FileRun.h"

// One option of a command as its help lists it: "--frames" with its value
// "first|spread|N,N,N,N" (empty for a switch) and what it does.
struct TCommandOption {
  std::string Name;
  std::string Value;
  std::string Text;
};

struct TRunOptions {
  bool Help = false;
  TWarningMode Warnings = TWarningMode::Print;
  std::optional<std::string> OutputFolder;  // -o DIR: a batch
  std::optional<unsigned> Threads;          // -j N
};

// The options a command takes (withBatch: a conversion's too), for its help.
std::vector<TCommandOption> RunOptionLines(bool withBatch, const std::string& outputExtension);

// The words without korvane-cli's own options, which go into options.
// Raises EUsage for -o or -j without a value, for a conversion's options
// given to a command that converts no IN to OUT, and for a -j that is no
// number from 1 to 1024.
std::vector<std::string> TakeRunOptions(const std::vector<std::string>& words, bool withBatch, TRunOptions& options);

// Splits a command's words into its options, each with its value, and the
// file names, by the command's options; a word "--NAME=VALUE" holds both.
void SplitFileNames(const std::vector<std::string>& words, const std::vector<TCommandOption>& commandOptions,
                    std::vector<std::string>& optionWords, std::vector<std::string>& fileNames);
