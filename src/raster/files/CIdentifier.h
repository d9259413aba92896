// The names that the C-source formats (XBM, C arrays) give their macros and
// arrays, made from a name the user chose, usually a file name.
#pragma once

#include <string>

// The name as a C identifier: every character other than a letter, a digit
// or '_' becomes '_'; a name that is empty or begins with a digit or '_' gets
// "image" put before it (with a '_' to join them), so the result never
// takes a name reserved to the compiler.
std::string CIdentifier(const std::string& name);

// The identifier in capitals, for macros.
std::string UpperCase(const std::string& identifier);
