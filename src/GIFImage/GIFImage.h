// The GIF codec's one public header: users of the codec include this file.
#pragma once

#include "ColorLookup.h"
#include "ColorQuantizer.h"
#include "DitherEngine.h"
#include "DitherErrorRows.h"
#include "DitherFloydSteinberg.h"
#include "FixedPalettes.h"
