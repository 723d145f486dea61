#include "generate/page_text.h"

#include "framework/ansi_text.h"

bool InsertAfterHeadTag(std::string& page, const std::string& insert)
{
    static const std::string kHead = "<head>";
    std::string::size_type at = AnsiFind(AnsiLower(page), kHead);
    if (at == std::string::npos) return false;
    page.insert(at + kHead.size(), insert);
    return true;
}
