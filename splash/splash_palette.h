// The palettes the splash picture is drawn with. On a display of 256 colours
// or fewer the picture would otherwise be mapped to the twenty system
// colours; on a true-colour display selecting them changes nothing.
#pragma once

#include <windows.h>

// A 256-entry 3-3-2 colour cube (red in the lowest bits of the index), for
// pictures without a colour table. Null when memory runs out.
HPALETTE MakeFallbackPalette();

// A palette of exactly the colours of a bitmap's colour table, in order.
// Null when memory runs out, or when count is not between 1 and 256 (no
// colour table is larger).
HPALETTE MakeTablePalette(const RGBQUAD* entries, UINT count);
