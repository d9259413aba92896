#include "GIFUnknownAppExtension.h"

const TGIFExtensionClass TGIFUnknownAppExtension::ClassInfo = {
    "TGIFUnknownAppExtension", 0xFF, CreateExtension<TGIFUnknownAppExtension>,
    TGIFApplicationExtension::RefineApplicationClass};
