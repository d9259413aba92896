// Message texts raised by the platform layer, each written once.
#pragma once

inline constexpr const char* SCannotOpenFile = "Cannot open file %s";
inline constexpr const char* SCannotCreateFile = "Cannot create file %s";
inline constexpr const char* SStreamReadError = "Stream read error";
inline constexpr const char* SStreamWriteError = "Stream write error";
inline constexpr const char* SStreamSeekError = "Stream seek error";
inline constexpr const char* SOutOfResources = "Out of system resources";
inline constexpr const char* SListIndexError = "List index out of bounds (%d)";
// An object refused by an assignment: the source class, then the target class.
inline constexpr const char* SAssignError = "Cannot assign a %s to a %s";
// The text an EAbort carries; handlers drop an abort without showing it.
inline constexpr const char* SOperationAborted = "Operation aborted";
