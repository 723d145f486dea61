// Resources of the splash programs: each edition links its own picture and
// icon under these names.
#pragma once

// The edition's splash picture: 520 x 316, 24 bits per pixel.
#define IDB_SPLASH 101
// The icon group is named after the window class, "SPLASH".
