#include "CIdentifier.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string CIdentifier(const std::string& name) {
  std::string identifier;
  for (const char c : name) identifier += IsAsciiLetter(c) || IsAsciiDigit(c) ? c : '_';
  if (identifier.empty()) return "image";
  if (!IsAsciiLetter(identifier.front())) identifier = (identifier.front() == '_' ? "image" : "image_") + identifier;
  return identifier;
}

std::string UpperCase(const std::string& identifier) {
  std::string upper = identifier;
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}
