#include "RunOptions.h"

#include <charconv>

#include "OptionArgs.h"

namespace {

constexpr unsigned MaxThreads = 1024;

unsigned ParseThreads(const std::string& text) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > MaxThreads)
    throw EUsage("bad value \"" + text + "\" for -j: it accepts a number from 1 to " + std::to_string(MaxThreads));
  return value;
}

const TCommandOption* FindOption(const std::vector<TCommandOption>& options, const std::string& name) {
  for (const TCommandOption& option : options)
    if (option.Name == name) return &option;
  return nullptr;
}

}  // namespace

std::vector<TCommandOption> RunOptionLines(bool withBatch, const std::string& outputExtension) {
  std::vector<TCommandOption> lines;
  if (withBatch) {
    lines.push_back({"-o", "DIR", "convert every IN into DIR, each named as IN with the extension " + outputExtension});
    lines.push_back({"-j", "N", "convert N files at once (by default as many as the machine has cores)"});
    lines.push_back({"--quiet", "", "print no warnings of a GIF that reads with them"});
    lines.push_back({"--strict", "", "fail a GIF that reads with warnings, writing nothing"});
  }
  lines.push_back({"--help", "", "this list"});
  return lines;
}

std::vector<std::string> TakeRunOptions(const std::vector<std::string>& words, bool withBatch, TRunOptions& options) {
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word == "--help" || word == "-h") {
      options.Help = true;
    } else if (!withBatch && (word == "--quiet" || word == "--strict" || word == "-o" || word == "-j")) {
      throw EUsage("this command takes no " + word);
    } else if (word == "--quiet") {
      options.Warnings = TWarningMode::Quiet;
    } else if (word == "--strict") {
      options.Warnings = TWarningMode::Strict;
    } else if (word == "-o" || word == "-j") {
      if (i + 1 == words.size()) throw EUsage(word + " needs a value");
      const std::string& value = words[++i];
      if (word == "-o")
        options.OutputFolder = value;
      else
        options.Threads = ParseThreads(value);
    } else {
      rest.push_back(word);
    }
  }
  return rest;
}

void SplitFileNames(const std::vector<std::string>& words, const std::vector<TCommandOption>& commandOptions,
                    std::vector<std::string>& optionWords, std::vector<std::string>& fileNames) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (!word.starts_with("--")) {
      fileNames.push_back(word);
      continue;
    }
    optionWords.push_back(word);
    const TCommandOption* option = FindOption(commandOptions, word);
    if (option != nullptr && !option->Value.empty() && i + 1 < words.size()) optionWords.push_back(words[++i]);
  }
}
