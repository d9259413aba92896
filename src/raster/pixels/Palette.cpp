#include "Palette.h"

#include "Exception.h"
#include "PlatformMessages.h"

TPalette::TPalette(std::vector<TPaletteEntry> entries) : FEntries(std::move(entries)) {
  if (FEntries.size() > MaxPaletteEntries) throw EOutOfResources(SOutOfResources);
}
