#include "Exception.h"

namespace {

std::string ReplaceFirst(const std::string& pattern, const char* placeholder,
                         const std::string& argument) {
  const auto at = pattern.find(placeholder);
  if (at == std::string::npos) return pattern;
  return pattern.substr(0, at) + argument + pattern.substr(at + 2);
}

}  // namespace

std::string FormatMessage(const std::string& pattern, const std::string& argument) {
  return ReplaceFirst(pattern, "%s", argument);
}

std::string FormatMessage(const std::string& pattern, long long argument) {
  return ReplaceFirst(pattern, "%d", std::to_string(argument));
}
