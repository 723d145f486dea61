// Resources of the splash programs: each edition links its own picture
// under this number, and its own icon group under the window class's name,
// "SPLASH".
#pragma once

// The edition's splash picture: 520 x 316, 24 bits per pixel.
#define IDB_SPLASH 101
