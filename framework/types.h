// Basic Windows-style names for code that must also build without windows.h.
// The typedefs repeat windows.h's own exactly, so both may be included.
#pragma once

typedef int BOOL;
typedef unsigned int UINT;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
