#include "generate/page_charset.h"

#include "model/replace_all.h"

namespace {
const char kTemplateDeclaration[] = "charset=windows-1252";
} // namespace

std::string CharsetOfCodePage(unsigned codePage)
{
    // Every ANSI code page of Windows, by the labels of the Encoding
    // standard.
    switch (codePage) {
    case 874: return "windows-874";
    case 932: return "shift_jis";
    case 936: return "gbk";
    case 949: return "euc-kr";
    case 950: return "big5";
    case 65001: return "utf-8";
    default:
        if (codePage >= 1250 && codePage <= 1258) return "windows-" + std::to_string(codePage);
        return std::string();
    }
}

bool KeepsTemplateCharset(const std::string& charset)
{
    return charset.empty() || "charset=" + charset == kTemplateDeclaration;
}

bool DeclareCharset(std::string& page, const std::string& charset)
{
    if (KeepsTemplateCharset(charset)) return false;
    return ReplaceAll(page, kTemplateDeclaration, "charset=" + charset) > 0;
}
