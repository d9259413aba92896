// An indexed animation written into a GIF document: the shared colours as
// the global table, each frame at its place with its own table (when it has
// one), its indices and the extensions of the animation.
#pragma once

#include "AnimationOptions.h"
#include "IndexedAnimation.h"

// Appends the frames to the document (a new, empty one); every frame is
// shown with the given disposal.
void BuildAnimation(TGIFImage& document, const TIndexedAnimation& animation, const AnimationOptions& options,
                    std::uint8_t disposal);

// The bytes of the GIF file the animation makes.
std::size_t AnimationFileSize(const TIndexedAnimation& animation, const AnimationOptions& options,
                              std::uint8_t disposal);
