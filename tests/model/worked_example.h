// The smallest list a page saves: one file entry titled "a" for C:\a.pdf,
// empty information fields and the initial combo values, and its bytes.
#pragma once

#include <string>

#include "model/list_file.h"
#include "tests/framework/hex_bytes.h"

inline std::string WorkedExampleBytes()
{
    return Hex("03 31 2E 32"                      // version "1.2"
               "01 00 00"                         // groups: one empty string
               "01 00 01 61"                      // titles: "a"
               "01 00 08 43 3A 5C 61 2E 70 64 66" // paths: "C:\a.pdf"
               "01 00 00"                         // addresses: one empty string
               "00 00 00 00") +                   // title, subtitle, date, author
           "\x0DNot Automated" +
           "\x08Standard";
}

inline ListFileContent WorkedExampleContent()
{
    ListFileContent content;
    content.groups = {""};
    content.titles = {"a"};
    content.files = {"C:\\a.pdf"};
    content.urls = {""};
    content.options.m_strAutoSeconds = "Not Automated";
    content.options.m_strTransition = "Standard";
    return content;
}
