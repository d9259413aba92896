// GIFException: the fatal error of the GIF codec. It carries one of the texts
// of GIFMessages.h; warnings are not exceptions but go to a document's
// WarningHandler.
#pragma once

#include "Exception.h"

class GIFException : public Exception {
public:
  using Exception::Exception;
};
