// Message texts raised by the raster layer, each written once. The stream
// texts ("Stream read error") belong to the platform (PlatformMessages.h).
#pragma once

inline constexpr const char* SInvalidBitmap = "Bitmap image is not valid";
// Raised by the user commands that write a picture as a file (the
// Converter's Save, korvane-cli mono-bmp) when the picture is empty: they
// never write an empty file or report success for one. The library itself
// writes nothing for an empty picture without complaint.
inline constexpr const char* SNothingToSave = "Nothing to save: the picture is empty";
