#include "GIFSettings.h"

std::uint16_t DefaultDrawFlags = DrawOption::Threaded | DrawOption::Transparent | DrawOption::Animated |
                                 DrawOption::Looping | DrawOption::Dither | DrawOption::AutoDither;
std::uint8_t DefaultReductionMethod = 6;
std::int32_t DefaultReductionDepth = 8;
std::uint8_t DefaultDitherKind = 0;
std::uint8_t DefaultEncoding = 0;
std::uint8_t DefaultPainterPriority = 3;
std::int32_t DefaultSpeedPercent = 100;

bool RenderOnLoad = false;
bool AutoDitherDisplay = false;
