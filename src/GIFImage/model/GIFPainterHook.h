// TGIFPainterHook: what a document hands each new painter to call on the
// user-interface thread: at the start of a run, before and after each frame,
// at the start of each later pass, at the end. The painter is paint/'s.
#pragma once

#include <functional>

class TGIFPainter;

using TGIFPainterHook = std::function<void(TGIFPainter&)>;
