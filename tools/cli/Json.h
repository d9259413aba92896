// Small helpers for the one-line JSON objects the command-line tool prints.
#pragma once

#include <string>

// A JSON string literal, quotes included, with quotes, backslashes and
// control characters escaped.
std::string JsonString(const std::string& text);
