#include "GIFAppExtNSLoop.h"

const TGIFExtensionClass TGIFAppExtNSLoop::ClassInfo = {"TGIFAppExtNSLoop", 0xFF, CreateExtension<TGIFAppExtNSLoop>,
                                                        TGIFApplicationExtension::RefineApplicationClass};

TGIFAppExtNSLoop::TGIFAppExtNSLoop(TGIFSubImage* subImage) : TGIFApplicationExtension(subImage) {
  SetIdentifier(MakeAppIdentifier("NETSCAPE2.0"));
}
