// The character set the generated pages declare. The program writes every
// text of a page (titles, captions, file names) in the system's ANSI code
// page, so each page it writes or fills declares that code page; the user's
// own pages keep theirs. The template's pages are written declaring
// windows-1252, the code page of Western systems, and keep their bytes there.
#pragma once

#include <string>

// The label browsers read for a Windows ANSI code page ("windows-1251",
// "shift_jis", ...); "" for a code page they have no label for.
std::string CharsetOfCodePage(unsigned codePage);

// True when pages declaring `charset` need no change of the template's
// declaration ("" counts as such: it is kept then).
bool KeepsTemplateCharset(const std::string& charset);

// Makes a page of the template declare `charset` in place of the
// template's own; false, with the page unchanged, when there is nothing to
// change.
bool DeclareCharset(std::string& page, const std::string& charset);

// The label of the system's ANSI code page ("" when browsers have none).
// Windows only.
std::string AnsiCharset();

// Makes the template's pages in a package folder (index.html and the pages
// of its resources folder) declare the ANSI code page. Pages already right
// are not written. Windows only.
void DeclareAnsiCharset(const std::string& packageFolder);
