// The command line's options of the conversion choices, read by their rows
// in the option tables (OptionNames.h): "--KEY VALUE" or "--KEY=VALUE", a
// switch ("--invert") alone. Every other word is a file name, kept in order.
#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string_view>
#include <utility>
#include <string>
#include <vector>

#include "Exception.h"
#include "OptionNames.h"
#include "RunOptions.h"

// An option no table row has, or one given without its value.
class EUsage : public Exception {
public:
  using Exception::Exception;
};

// Reads the options into options and returns the other words. A bad value
// raises EBadOptionValue, an unknown option EUsage.
template <class TOptions>
std::vector<std::string> TakeOptions(const std::vector<std::string>& args, std::span<const TOptionField<TOptions>> fields,
                                     TOptions& options);

// One line for the error output: "bad value "x" for --frames: it accepts ...".
std::string CommandLineText(const EBadOptionValue& error);

// Reads the options and the command's two file names IN OUT. On bad usage it
// prints why on err (and the usage, unless a value was bad) and returns
// nothing: the command then ends with exit status 2.
template <class TOptions>
std::optional<std::vector<std::string>> TakeOptionsAndFiles(const std::vector<std::string>& args,
                                                            std::span<const TOptionField<TOptions>> fields,
                                                            TOptions& options, const char* usage, std::ostream& err);

// The help's lines of a table's options: "--frames first|spread|N,N,N,N" and
// what it does (from texts, by key), with the default of each valued option.
template <class TOptions>
std::vector<TCommandOption> OptionLines(std::span<const TOptionField<TOptions>> fields,
                                        std::span<const std::pair<const char*, const char*>> texts) {
  const TOptions defaults;
  std::vector<TCommandOption> lines;
  for (const TOptionField<TOptions>& field : fields) {
    std::string text;
    for (const auto& [key, what] : texts)
      if (std::string_view(key) == field.Key) text = what;
    if (!field.Switch) text += " (default " + field.Text(defaults) + ")";
    lines.push_back({std::string("--") + field.Key, field.Switch ? "" : field.Accepts, text});
  }
  return lines;
}
