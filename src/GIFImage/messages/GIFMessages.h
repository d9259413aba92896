// Every text the GIF codec shows or reports, each written once: the fatal
// errors raised as GIFException, the warnings handed to a document's
// WarningHandler, and the codec's progress and registration texts.
#pragma once

#include <cstdint>

// The severity every warning of the codec is reported with.
inline constexpr std::uint8_t WarningSeverity = 1;

inline constexpr const char* sOutOfData = "Premature end of data";
inline constexpr const char* sTooManyColors = "Color table overflow";
inline constexpr const char* sBadColorIndex = "Invalid color index";
inline constexpr const char* sBadVersion = "Unsupported GIF version";
inline constexpr const char* sBadSignature = "Invalid GIF signature";
inline constexpr const char* sBadScreenDescriptor = "Invalid number of colors specified in Screen Descriptor";
inline constexpr const char* sBadImageDescriptor = "Invalid number of colors specified in Image Descriptor";
inline constexpr const char* sUnknownExtension = "Unknown extension type";
inline constexpr const char* sBadExtensionLabel = "Invalid extension introducer";
inline constexpr const char* sOutOfMemDIB = "Failed to allocate memory for GIF DIB";
inline constexpr const char* sDecodeTooFewBits = "Decoder bit buffer under-run";
inline constexpr const char* sDecodeCircular = "Circular decoder table entry";
inline constexpr const char* sBadTrailer = "Invalid Image trailer";
inline constexpr const char* sBadExtensionInstance = "Internal error: Extension Instance does not match Extension Label";
inline constexpr const char* sBadAppExtensionSize = "Unsupported Application Extension block size";
inline constexpr const char* sBadBlockType = "Unknown GIF block type";
inline constexpr const char* sUnsupportedClass = "Object type not supported for operation";
inline constexpr const char* sInvalidData = "Invalid GIF data";
inline constexpr const char* sBadHeight = "Image height too small for contained frames";
inline constexpr const char* sBadWidth = "Image width too small for contained frames";
inline constexpr const char* sFailedClipboard = "Failed to store GIF on clipboard";
inline constexpr const char* sScreenSizeExceeded = "Image exceeds Logical Screen size";
inline constexpr const char* sNoColorTable = "No global or local color table defined";
inline constexpr const char* sBadPixelCoordinates = "Invalid pixel coordinates";
inline constexpr const char* sUnsupportedBitmap = "Unsupported PixelFormat";
inline constexpr const char* sBadDimension = "Invalid image dimensions";
inline constexpr const char* sNoDIB = "Image has no DIB";
inline constexpr const char* sInvalidStream = "Invalid stream operation";
inline constexpr const char* sInvalidColor = "Color not in color table";
inline constexpr const char* sEmptyColorMap = "Color table is empty";
inline constexpr const char* sEmptyImage = "Image is empty";
inline constexpr const char* sInvalidReduction = "Invalid reduction method";

// Limits of this implementation against hostile headers (see GIFSettings.h).
inline constexpr const char* sFrameTooLarge = "Image too large: a frame may hold at most 67108864 pixels";
inline constexpr const char* sDocumentTooLarge =
    "Image too large: all frames together may hold at most 268435456 pixels";

inline constexpr const char* sGIFImage = "GIF Image";
inline constexpr const char* sProgressLoading = "Loading...";
inline constexpr const char* sProgressRendering = "Rendering...";
inline constexpr const char* sProgressSaving = "Saving...";
inline constexpr const char* sProgressConverting = "Converting...";
inline constexpr const char* sProgressCopying = "Copying...";
inline constexpr const char* sProgressOptimizing = "Optimizing...";
