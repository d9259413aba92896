// Progress of the codec's long operations (rendering a frame, and later
// loading, converting, copying and saving): a document hands each step to an
// optional observer as a text ("Rendering..."), a stage and a percent. The
// ending notification is always sent, with percent 0 after a failure. An
// observer may stop the operation by raising EAbort; the operation then ends
// without a result and without an error.
#pragma once

#include <functional>
#include <string>

enum class TProgressStage { psStarting, psRunning, psEnding };

using TGIFProgressHandler = std::function<void(const std::string& text, TProgressStage stage, int percent)>;
