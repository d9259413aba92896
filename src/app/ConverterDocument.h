// TConverterDocument: the document state of one conversion, held by the
// Converter window and reached by the Logo editor too: the opened file, its
// size and frame count, what kind of source it was, and the bitmap that was
// read, the GIF document that Open read with the BMX strip composed from it,
// the GIF document that Animate built, and the user's conversion choices.
// Also the small rules that read it (the frame height of a strip is with the
// strip, BmxStrip.h): the choice of the GIF path by name, the save dialog's
// preset name and the Info text.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "AnimationOptions.h"
#include "Bitmap.h"
#include "BmxStrip.h"
#include "GIFImage.h"
#include "StripOptions.h"

// Source kinds: "GIF File" after a GIF was opened or the Logo editor sent a
// picture to frame slot 1, "BMX Anim oder BMP File" after a bitmap was
// opened, "BMX File" after Animate built a GIF from the frame slots.
inline constexpr const char* SKindGifFile = "GIF File";
inline constexpr const char* SKindBmxAnim = "BMX Anim oder BMP File";
inline constexpr const char* SKindBmxFile = "BMX File";

struct TConverterDocument {
  std::string SourceFileName;  // full path, set on every Open before anything is read
  int SourceWidth = 0;
  int SourceHeight = 0;        // of the whole strip, not of one frame
  int SourceFrameCount = 0;    // 0 after opening a bitmap
  std::string SourceKind;      // empty until something was opened or sent
  std::unique_ptr<TBitmap> InputBitmap;
  std::unique_ptr<TGIFImage> InputGif;   // the GIF read by Open; the input view shows a copy
  std::unique_ptr<TBitmap> StripBitmap;  // the BMX strip of InputGif's chosen frames
  std::vector<std::string> StripNotes;   // what the user should know about that strip
  std::array<int, 4> StripDelays{};      // hundredths of a second, of the GIF's frames in its bands
  std::unique_ptr<TGIFImage> OutputGif;  // built by Animate
  StripOptions StripChoices;             // how Open turns a GIF into its strip
  AnimationOptions AnimationChoices;     // how Animate builds its GIF

  // The kind "GIF File": the input is a GIF document and the output a BMX
  // strip; with any other kind the output is a GIF document.
  bool FromGif() const { return SourceKind == SKindGifFile; }
};

// A new GIF document for the window: shown in a view (a copy keeps its
// options), it paints its animation straight onto the view.
std::unique_ptr<TGIFImage> NewShownGif();
// True when the name's last three characters are "gif" in any letter case.
bool TakesGifPath(const std::string& fileName);
// The source name less its last four characters, whatever they are.
std::string SaveNameFor(const std::string& sourceFileName);
// The notes of a strip in one line: "frames 1 to 4 of 15; the strip is all black".
std::string StripNotesText(const std::vector<std::string>& notes);
// The six lines of the Info message, separated by single carriage returns,
// and a seventh with the strip's notes when it has any.
std::string InfoText(const TConverterDocument& document);
