#include "GIFSettings.h"

std::uint8_t DefaultReductionMethod = 6;

bool RenderOnLoad = false;
bool AutoDitherDisplay = false;
