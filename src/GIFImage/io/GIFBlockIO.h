// Reading and writing the blocks of a GIF file into and out of the document
// model: the header with the logical screen, colour tables, the extension
// blocks, frames (extensions, image descriptor, local table, image data) and
// the trailer. The reader is tolerant: damage it can step over is a warning
// through the block being read, and reading goes on; what it cannot is a
// GIFException. The writer chooses only the version, the packed flag bytes and
// the black entries that fill a colour table up to a power of two; everything
// else is written as the model holds it.
#pragma once

#include "Stream.h"

class TGIFColorMap;
class TGIFExtension;
class TGIFHeader;
class TGIFDocument;
class TGIFImageList;
class TGIFSubImage;
class TGIFTrailer;

// Signature (any letter case, any version; also behind a 4-byte prefix),
// logical screen descriptor and global table.
void ReadHeader(TStream& stream, TGIFHeader& header);
// Signature with the version from the content, descriptor with its flags
// recomputed, and global table; "Unsupported GIF version" for a document
// without frames.
void WriteHeader(TStream& stream, TGIFHeader& header);

// Reads count entries of 3 bytes; "Premature end of data" when they are not
// all there (the table is left empty then).
void ReadColorTable(TStream& stream, TGIFColorMap& map, int count);
// Writes the entries, then black ones up to 2^BitsPerPixel; nothing when empty.
void WriteColorTable(TStream& stream, const TGIFColorMap& map);

// Reads introducer and label ("Invalid extension introducer", "Internal
// error: Extension Instance does not match Extension Label"), then the block.
void ReadExtension(TStream& stream, TGIFExtension& extension);
// Introducer, label, then the block's own bytes.
void WriteExtension(TStream& stream, TGIFExtension& extension);
// Reads extension blocks until the stream ends or a byte 0x2C or 0x3B stands
// next, appending them to the frame's list, each made for the frame.
void ReadExtensions(TStream& stream, TGIFSubImage& frame);

// Clears the frame and reads its extensions, then (unless the stream ends or
// a trailer follows) descriptor, local table and image data.
void ReadFrame(TStream& stream, TGIFSubImage& frame);
// The extensions, then (unless the frame is empty) the descriptor with its
// flags recomputed, the local table and the image data.
void WriteFrame(TStream& stream, TGIFSubImage& frame);
// Reads frames of the document until the trailer, the end of the stream or a
// byte that starts no block; appends each complete frame.
void ReadFrames(TStream& stream, TGIFImageList& frames, TGIFDocument* document);

// Consumes one byte; warns "Invalid Image trailer" when it is not 0x3B. A
// file that simply ends there is fine.
void ReadTrailer(TStream& stream, TGIFTrailer& trailer);
void WriteTrailer(TStream& stream);
