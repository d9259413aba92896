// Message texts raised by the raster layer, each written once. The stream
// texts ("Stream read error") belong to the platform (PlatformMessages.h).
#pragma once

inline constexpr const char* SInvalidBitmap = "Bitmap image is not valid";
