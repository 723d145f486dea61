// The system's ANSI code page, declared by the template's pages of a package.
#include <windows.h>

#include "framework/file_find.h"
#include "generate/page_charset.h"
#include "generate/page_file.h"

std::string AnsiCharset() { return CharsetOfCodePage(::GetACP()); }

void DeclareAnsiCharset(const std::string& packageFolder)
{
    const std::string charset = AnsiCharset();
    if (KeepsTemplateCharset(charset)) return;
    for (const std::string& folder : {packageFolder, packageFolder + "\\resources"}) {
        CFileFind finder;
        BOOL more = finder.FindFile(folder + "\\*.htm*");
        while (more) {
            more = finder.FindNextFile();
            if (finder.IsDirectory()) continue;
            std::string page;
            if (!ReadWholeFile(finder.GetFilePath(), page)) continue;
            if (DeclareCharset(page, charset)) WriteWholeFile(finder.GetFilePath(), page);
        }
    }
}
