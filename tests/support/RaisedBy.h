// RaisedBy: the message of the Exception an action raises, or "" when it
// raises none, so a test can compare a failure's text in one line.
#pragma once

#include <functional>
#include <string>

#include "Exception.h"

inline std::string RaisedBy(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& error) {
    return error.Message();
  }
  return "";
}
