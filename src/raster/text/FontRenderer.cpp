#include "FontRenderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "Exception.h"

namespace {

using Int64 = std::int64_t;

constexpr const char* FallbackFamily = "sans-serif";
// The largest em we render, in pixels: keeps a silly font size from asking
// FreeType for glyph bitmaps of absurd size.
constexpr Int64 MaxEmPixels = 2048;
// Glyphs kept per face and size before the cache starts afresh.
constexpr std::size_t MaxCachedGlyphs = 4096;

// 26.6 fixed point to whole pixels, rounding halves up.
int RoundPixels(FT_Pos value) { return static_cast<int>((value + 32) >> 6); }

// ---------------------------------------------------------------- UTF-8

// The code points of a UTF-8 text; a byte that starts no valid sequence
// (overlong forms, surrogates and values past U+10FFFF included) stands for
// U+FFFD.
std::vector<char32_t> DecodeUtf8(const std::string& text) {
  std::vector<char32_t> result;
  result.reserve(text.size());
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t size = text.size();
  for (std::size_t i = 0; i < size;) {
    const unsigned char lead = bytes[i];
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    char32_t cp = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    bool valid = length > 0 && i + length <= size;
    for (int k = 1; valid && k < length; ++k) {
      valid = (bytes[i + k] & 0xC0) == 0x80;
      cp = (cp << 6) | (bytes[i + k] & 0x3F);
    }
    static constexpr char32_t MinimumOf[5] = {0, 0, 0x80, 0x800, 0x10000};
    valid = valid && cp >= MinimumOf[length] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
    result.push_back(valid ? cp : char32_t{0xFFFD});
    i += valid ? length : 1;
  }
  return result;
}

// ---------------------------------------------------------------- faces

// A rendered glyph: its ink as spans relative to the pen position on the
// baseline (y grows downwards), and its advance.
struct TGlyph {
  int Advance = 0;
  std::vector<TSpan> Ink;
};

// What a face looks like at one size, and the glyphs rendered at it.
struct TSizedFace {
  int Ascent = 0;
  int Descent = 0;
  int UnderlineTop = 0;  // rows below the baseline
  int UnderlineRows = 1;
  int StrikeTop = 0;     // rows above the baseline (the stroke's top)
  int StrikeRows = 1;
  std::unordered_map<FT_UInt, TGlyph> Glyphs;
};

struct TFontFile {
  std::string Path;
  int Index = 0;
  bool Embolden = false;  // the style asks for bold but the file is not
  bool Oblique = false;   // the style asks for italic but the file is upright
  auto operator<=>(const TFontFile&) const = default;
};

class TFace {
public:
  TFace(FT_Library library, const TFontFile& file) : FFile(file) {
    if (FT_New_Face(library, file.Path.c_str(), file.Index, &FFace) != 0) FFace = nullptr;
  }
  ~TFace() {
    if (FFace) FT_Done_Face(FFace);
  }
  TFace(const TFace&) = delete;
  TFace& operator=(const TFace&) = delete;

  bool Usable() const { return FFace != nullptr && FT_IS_SCALABLE(FFace); }

  // Selects the size for Glyph and Kerning and returns its metrics.
  TSizedFace& SetSize(int points, int pixelsPerInch);
  const TGlyph& Glyph(char32_t codePoint, FT_UInt& index);
  int Kerning(FT_UInt left, FT_UInt right) const;

private:
  TSizedFace MeasureSize() const;
  TGlyph RenderGlyph(FT_UInt index) const;

  TFontFile FFile;
  FT_Face FFace = nullptr;
  std::map<std::pair<int, int>, TSizedFace> FSizes;
  std::pair<int, int> FActiveSize{0, 0};
  TSizedFace* FActive = nullptr;
};

TSizedFace& TFace::SetSize(int points, int pixelsPerInch) {
  const std::pair<int, int> key{points, pixelsPerInch};
  if (FActive && FActiveSize == key) return *FActive;
  FT_Set_Char_Size(FFace, 0, FT_F26Dot6{points} * 64, static_cast<FT_UInt>(pixelsPerInch),
                   static_cast<FT_UInt>(pixelsPerInch));
  auto it = FSizes.find(key);
  if (it == FSizes.end()) it = FSizes.emplace(key, MeasureSize()).first;
  FActiveSize = key;
  FActive = &it->second;
  return *FActive;
}

TSizedFace TFace::MeasureSize() const {
  const FT_Size_Metrics& m = FFace->size->metrics;
  TSizedFace sized;
  sized.Ascent = static_cast<int>((m.ascender + 63) >> 6);
  sized.Descent = static_cast<int>((-m.descender + 63) >> 6);
  const FT_Pos thickness = FT_MulFix(FFace->underline_thickness, m.y_scale);
  sized.UnderlineRows = std::max(1, RoundPixels(thickness));
  // The underline's position is the centre of its stroke, below the baseline.
  const FT_Pos centre = -FT_MulFix(FFace->underline_position, m.y_scale);
  sized.UnderlineTop = std::max(0, RoundPixels(centre - sized.UnderlineRows * 32));
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(FFace, FT_SFNT_OS2));
  if (os2 && os2->yStrikeoutSize > 0) {
    sized.StrikeTop = RoundPixels(FT_MulFix(os2->yStrikeoutPosition, m.y_scale));
    sized.StrikeRows = std::max(1, RoundPixels(FT_MulFix(os2->yStrikeoutSize, m.y_scale)));
  } else {
    // No strike-out metrics: a stroke at a third of the ascent, as thick as the underline.
    sized.StrikeTop = (sized.Ascent + 2) / 3;
    sized.StrikeRows = sized.UnderlineRows;
  }
  return sized;
}

const TGlyph& TFace::Glyph(char32_t codePoint, FT_UInt& index) {
  index = FT_Get_Char_Index(FFace, codePoint);
  auto& glyphs = FActive->Glyphs;
  auto it = glyphs.find(index);
  if (it != glyphs.end()) return it->second;
  if (glyphs.size() >= MaxCachedGlyphs) glyphs.clear();
  return glyphs.emplace(index, RenderGlyph(index)).first->second;
}

// Hinted for one-bit output and rendered without antialiasing.
TGlyph TFace::RenderGlyph(FT_UInt index) const {
  TGlyph glyph;
  if (FT_Load_Glyph(FFace, index, FT_LOAD_TARGET_MONO) != 0) return glyph;
  FT_GlyphSlot slot = FFace->glyph;
  if (FFile.Oblique) FT_GlyphSlot_Oblique(slot);
  if (FFile.Embolden) FT_GlyphSlot_Embolden(slot);
  glyph.Advance = RoundPixels(slot->advance.x);
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO) return glyph;
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    const unsigned char* bits = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
    const int y = static_cast<int>(row) - slot->bitmap_top;
    int start = -1;
    for (unsigned col = 0; col <= bitmap.width; ++col) {
      const bool on = col < bitmap.width && (bits[col / 8] & (0x80 >> (col % 8))) != 0;
      if (on && start < 0) start = static_cast<int>(col);
      if (!on && start >= 0) {
        glyph.Ink.push_back(TSpan{y, slot->bitmap_left + start, slot->bitmap_left + static_cast<int>(col)});
        start = -1;
      }
    }
  }
  return glyph;
}

int TFace::Kerning(FT_UInt left, FT_UInt right) const {
  if (!FT_HAS_KERNING(FFace) || left == 0 || right == 0) return 0;
  FT_Vector delta{};
  if (FT_Get_Kerning(FFace, left, right, FT_KERNING_DEFAULT, &delta) != 0) return 0;
  return RoundPixels(delta.x);
}

// ---------------------------------------------------------------- font library

// The one FreeType library and fontconfig configuration of the program, with
// the faces opened so far. Text is drawn on the user-interface thread, but
// the lock keeps any other caller safe too.
class TFontLibrary {
public:
  static TFontLibrary& Instance() {
    static TFontLibrary library;
    return library;
  }

  std::mutex& Lock() { return FLock; }
  TFace& Face(const TFontSpec& spec);

private:
  TFontLibrary();
  ~TFontLibrary();
  bool Resolve(const std::string& family, bool bold, bool italic, TFontFile& file) const;
  TFace* Open(const TFontFile& file);

  std::mutex FLock;
  FT_Library FLibrary = nullptr;
  FcConfig* FConfig = nullptr;
  std::map<TFontFile, std::unique_ptr<TFace>> FFaces;
  std::map<std::tuple<std::string, bool, bool>, TFace*> FByName;
};

TFontLibrary::TFontLibrary() {
  if (FT_Init_FreeType(&FLibrary) != 0) FLibrary = nullptr;
  FConfig = FcInitLoadConfigAndFonts();
}

TFontLibrary::~TFontLibrary() {
  FByName.clear();
  FFaces.clear();  // the faces go before their library
  if (FLibrary) FT_Done_FreeType(FLibrary);
  if (FConfig) FcConfigDestroy(FConfig);
}

// Asks fontconfig for the best file for a family and style. When the file
// found lacks the weight or slant asked for, it is made bold or oblique.
bool TFontLibrary::Resolve(const std::string& family, bool bold, bool italic, TFontFile& file) const {
  if (!FConfig) return false;
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return false;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(FConfig, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(FConfig, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return false;
  FcChar8* path = nullptr;
  int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
  const bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path;
  if (found) {
    file.Path = reinterpret_cast<const char*>(path);
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    file.Index = index;
    file.Embolden = bold && weight < FC_WEIGHT_DEMIBOLD;
    file.Oblique = italic && slant == FC_SLANT_ROMAN;
  }
  FcPatternDestroy(match);
  return found;
}

TFace* TFontLibrary::Open(const TFontFile& file) {
  auto it = FFaces.find(file);
  if (it == FFaces.end()) it = FFaces.emplace(file, std::make_unique<TFace>(FLibrary, file)).first;
  return it->second->Usable() ? it->second.get() : nullptr;
}

TFace& TFontLibrary::Face(const TFontSpec& spec) {
  const auto key = std::make_tuple(spec.Name, spec.Bold, spec.Italic);
  if (auto it = FByName.find(key); it != FByName.end()) return *it->second;
  TFace* face = nullptr;
  for (const std::string& family : {spec.Name, std::string(FallbackFamily)}) {
    TFontFile file;
    if (FLibrary && Resolve(family, spec.Bold, spec.Italic, file)) face = Open(file);
    if (face) break;
  }
  if (!face) throw Exception(FormatMessage(SFontNotFound, spec.Name));
  FByName.emplace(key, face);
  return *face;
}

// ---------------------------------------------------------------- layout

// The face of a font set to its size. Points as FreeType takes them: 0 means
// the default 8 points, a negative size counts by its value, and the em stays
// within MaxEmPixels. The caller holds the library's lock.
struct TReadyFace {
  TFace& Face;
  const TSizedFace& Sized;
};

TReadyFace SizedFaceOf(TFontLibrary& library, const TFontSpec& spec) {
  TFace& face = library.Face(spec);
  const int pixelsPerInch = std::clamp(spec.PixelsPerInch, 1, 9600);
  const Int64 size = spec.Size == 0 ? 8 : std::abs(Int64{spec.Size});
  const int points = static_cast<int>(std::clamp<Int64>(size, 1, MaxEmPixels * 72 / pixelsPerInch));
  return {face, face.SetSize(points, pixelsPerInch)};
}

// Lays the text out on the baseline: calls place(glyph, penX) for each glyph
// and returns the advance width, kerning included.
template <class F>
Int64 Layout(TFace& face, const std::string& text, F&& place) {
  Int64 penX = 0;
  FT_UInt previous = 0;
  for (char32_t cp : DecodeUtf8(text)) {
    FT_UInt index = 0;
    const TGlyph& glyph = face.Glyph(cp, index);
    penX += face.Kerning(previous, index);
    place(glyph, penX);
    penX += glyph.Advance;
    previous = index;
  }
  return penX;
}

int ClampToInt(Int64 value) {
  return static_cast<int>(std::clamp<Int64>(value, 0, std::numeric_limits<int>::max()));
}

// Rows first..first+count-1 of the cell, across its width, cut to the cell.
void AddCellRows(std::vector<TSpan>& spans, const TRect& clip, TPoint topLeft, const TTextRun& run, int first,
                 int count) {
  for (int row = std::max(first, 0); row < std::min(first + count, run.Height); ++row) {
    const Int64 y = Int64{topLeft.Y} + row;
    const Int64 x1 = std::max<Int64>(topLeft.X, clip.Left);
    const Int64 x2 = std::min<Int64>(Int64{topLeft.X} + run.Width, clip.Right);
    if (y >= clip.Top && y < clip.Bottom && x1 < x2)
      spans.push_back(TSpan{static_cast<int>(y), static_cast<int>(x1), static_cast<int>(x2)});
  }
}

}  // namespace

TTextRun RenderText(const TFontSpec& font, const std::string& utf8Text, TPoint topLeft, const TRect& clip) {
  TFontLibrary& library = TFontLibrary::Instance();
  std::lock_guard lock(library.Lock());
  const TReadyFace ready = SizedFaceOf(library, font);
  TFace& face = ready.Face;
  const TSizedFace& sized = ready.Sized;
  TTextRun run;
  run.Ink = TCoverage(clip);
  run.Height = sized.Ascent + sized.Descent;
  const Int64 baseline = Int64{topLeft.Y} + sized.Ascent;
  std::vector<TSpan> spans;
  const Int64 width = Layout(face, utf8Text, [&](const TGlyph& glyph, Int64 penX) {
    for (const TSpan& s : glyph.Ink) {
      const Int64 y = baseline + s.Y;
      const Int64 x1 = std::max<Int64>(Int64{topLeft.X} + penX + s.X1, clip.Left);
      const Int64 x2 = std::min<Int64>(Int64{topLeft.X} + penX + s.X2, clip.Right);
      if (y >= clip.Top && y < clip.Bottom && x1 < x2)
        spans.push_back(TSpan{static_cast<int>(y), static_cast<int>(x1), static_cast<int>(x2)});
    }
  });
  run.Width = ClampToInt(width);
  if (font.Underline) AddCellRows(spans, clip, topLeft, run, sized.Ascent + sized.UnderlineTop, sized.UnderlineRows);
  if (font.StrikeOut) AddCellRows(spans, clip, topLeft, run, sized.Ascent - sized.StrikeTop, sized.StrikeRows);
  run.Ink.AddSpans(std::move(spans));
  return run;
}

TPoint TextExtent(const TFontSpec& font, const std::string& utf8Text) {
  TFontLibrary& library = TFontLibrary::Instance();
  std::lock_guard lock(library.Lock());
  const TReadyFace ready = SizedFaceOf(library, font);
  TFace& face = ready.Face;
  const TSizedFace& sized = ready.Sized;
  const Int64 width = Layout(face, utf8Text, [](const TGlyph&, Int64) {});
  return TPoint{ClampToInt(width), sized.Ascent + sized.Descent};
}
