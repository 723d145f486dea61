#include "splash/splash_palette.h"

#include <cstddef>

namespace {

const WORD kPaletteVersion = 0x300;
const UINT kMaxColourTable = 256;

// A zero-filled logical palette with room for `count` entries, its header
// filled in; null when memory runs out. Freed with GlobalFree.
LOGPALETTE* NewLogPalette(UINT count)
{
    SIZE_T size = offsetof(LOGPALETTE, palPalEntry) + count * sizeof(PALETTEENTRY);
    LOGPALETTE* palette = static_cast<LOGPALETTE*>(::GlobalAlloc(GPTR, size));
    if (!palette) return nullptr;
    palette->palVersion = kPaletteVersion;
    palette->palNumEntries = static_cast<WORD>(count);
    return palette;
}

HPALETTE CreateAndFree(LOGPALETTE* palette)
{
    HPALETTE made = ::CreatePalette(palette);
    ::GlobalFree(palette);
    return made;
}

} // namespace

HPALETTE MakeFallbackPalette()
{
    LOGPALETTE* palette = NewLogPalette(kMaxColourTable);
    if (!palette) return nullptr;
    PALETTEENTRY* entries = palette->palPalEntry;
    for (UINT i = 0; i < kMaxColourTable; ++i) {
        entries[i].peRed = static_cast<BYTE>((i % 8) * 32);
        entries[i].peGreen = static_cast<BYTE>(((i / 8) % 8) * 32);
        entries[i].peBlue = static_cast<BYTE>((i / 64) * 64);
        entries[i].peFlags = 0;
    }
    return CreateAndFree(palette);
}

HPALETTE MakeTablePalette(const RGBQUAD* table, UINT count)
{
    if (!table || count == 0 || count > kMaxColourTable) return nullptr;
    LOGPALETTE* palette = NewLogPalette(count);
    if (!palette) return nullptr;
    PALETTEENTRY* entries = palette->palPalEntry;
    for (UINT i = 0; i < count; ++i) {
        entries[i].peRed = table[i].rgbRed;
        entries[i].peGreen = table[i].rgbGreen;
        entries[i].peBlue = table[i].rgbBlue;
        entries[i].peFlags = 0;
    }
    return CreateAndFree(palette);
}
