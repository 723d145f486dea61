// The address of a live URL entry as the user typed it, made usable by the
// browser. Portable.
#pragma once

#include <string>

// An address whose first four characters are "www." in any letter case gets
// "http://" in front, the typed letter case kept; any other address (another
// scheme, or no dot after the three letters) is returned unchanged.
std::string CompleteLiveAddress(const std::string& typed);
