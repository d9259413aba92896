// The one error type of the program: an exception that carries the message
// text shown to the user. The codec derives its GIFException from it; the
// window's command handlers catch it and show Message().
#pragma once

#include <exception>
#include <string>

#include "PlatformMessages.h"

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : FMessage(std::move(message)) {}

  const std::string& Message() const noexcept { return FMessage; }
  const char* what() const noexcept override { return FMessage.c_str(); }

private:
  std::string FMessage;
};

// The platform could not provide memory or a drawing object.
class EOutOfResources : public Exception {
public:
  using Exception::Exception;
};

// Memory for a block of pixels or data could not be had.
class EOutOfMemory : public Exception {
public:
  using Exception::Exception;
};

// A silent stop: an observer of a long operation asked to end it. The
// operation ends without a result and without an error shown to the user.
class EAbort : public Exception {
public:
  EAbort() : Exception(SOperationAborted) {}
};

// Replaces the first "%s" of a message template with an argument, as the
// file messages ("Cannot open file %s") need.
std::string FormatMessage(const std::string& pattern, const std::string& argument);
// Replaces the first "%d" of a message template with a number.
std::string FormatMessage(const std::string& pattern, long long argument);
