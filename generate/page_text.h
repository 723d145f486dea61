// Text edits of a whole page held in memory. Portable.
#pragma once

#include <string>

// Inserts `insert` right after the first "<head>" of the page, found without
// regard to letter case; the tag keeps its own case. False, with the page
// unchanged, when there is no such tag (a head tag with attributes or blanks
// is not one).
bool InsertAfterHeadTag(std::string& page, const std::string& insert);
