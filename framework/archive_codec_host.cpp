// Outside Windows the ANSI code page is taken to be 1252, as on Western
// systems and under Wine with a UTF-8 locale.
#include "framework/archive_codec.h"
#include "framework/code_page_1252.h"

std::string AnsiFromUtf16(const std::u16string& text) { return Cp1252FromUtf16(text); }
