// Message texts raised by the readers and writers of the 1-bit picture files
// (WBMP, OTA bitmap, operator logo and group graphic, XBM, PBM, C arrays),
// each written once. Each reader names its format, so that a user who opened
// the wrong file learns which format we took it for.
#pragma once

inline constexpr const char* SInvalidWbmp = "WBMP image is not valid";
inline constexpr const char* SInvalidOtb = "OTA bitmap is not valid";
inline constexpr const char* SInvalidNol = "Operator logo (NOL) is not valid";
inline constexpr const char* SInvalidNgg = "Group graphic (NGG) is not valid";
inline constexpr const char* SInvalidXbm = "XBM image is not valid";
inline constexpr const char* SInvalidPbm = "PBM image is not valid";
// A picture wider or taller than the format's size fields can hold; %s is
// the format's title.
inline constexpr const char* SPictureTooLargeForFormat = "The picture is too large for the %s format";
// C arrays are written for other programs to compile; we never read them.
inline constexpr const char* SFormatNotReadable = "%s files cannot be opened, only saved";
// The frames of one C array share the width and height its header declares.
inline constexpr const char* SFramesDifferInSize = "All frames of a C array must have the same size";
