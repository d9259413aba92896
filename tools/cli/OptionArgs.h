// The command line's options of the conversion choices, read by their rows
// in the option tables (OptionNames.h): "--KEY VALUE" or "--KEY=VALUE", a
// switch ("--invert") alone. Every other word is a file name, kept in order.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "Exception.h"
#include "OptionNames.h"

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
