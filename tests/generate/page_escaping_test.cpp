// Texts in the form each place of a page needs, the declared character set,
// and the neutralised window name. The expected forms follow the HTML
// standard (character references, script data), the URL standard (what a
// path can hold, how a scheme is read) and the Encoding standard (labels).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generate/page_charset.h"
#include "generate/page_escaping.h"
#include "generate/page_text.h"

namespace {
struct Case {
    std::string in;
    std::string out;
};

void ExpectAll(std::string (*function)(const std::string&), const std::vector<Case>& cases)
{
    for (const Case& c : cases) EXPECT_EQ(c.out, function(c.in)) << "\"" << c.in << "\"";
}

const char kStandIn[] = "\r\n<script>var abc123 = \"\";</script>\r\n";
} // namespace

TEST(PageEscaping, EachPlaceGetsItsOwnForm)
{
    ExpectAll(HtmlEscaped, {{"Plain \xe9t\xe9 2004", "Plain \xe9t\xe9 2004"},
                            {"Q&A <draft>", "Q&amp;A &lt;draft&gt;"},
                            {"Rock \"n\" roll's", "Rock &quot;n&quot; roll&#39;s"},
                            {"&amp;", "&amp;amp;"}});
    ExpectAll(ScriptStringEscaped, {{"Report.pdf", "Report.pdf"},
                                    {"a\"b\\c", "a\\\"b\\\\c"},
                                    {"</script><!--", "\\x3C/script>\\x3C!--"},
                                    {std::string("t\tn\nz\0", 6), "t\\x09n\\x0Az\\x00"},
                                    {"it's", "it's"}});
    ExpectAll(FileNameUrl, {{"Report final.pdf", "Report final.pdf"},
                            {"Results #2.pdf", "Results %232.pdf"},
                            {"100%.pdf", "100%25.pdf"},
                            {"why?.html", "why%3F.html"},
                            {"a:b \"c\"\x7f", "a%3Ab %22c%22%7F"},
                            {"\xc9t\xe9 & co's.html", "\xc9t\xe9 & co's.html"}});
    ExpectAll(LiveAddressUrl, {{"http://example.com/a?b=1&c=%20#top", "http://example.com/a?b=1&c=%20#top"},
                               {"http://exa\tmple.com/\r\na b", "http://example.com/a b"},
                               {std::string("http://x/\x01\0", 11), "http://x/%01%00"}});
    // The test vectors of RFC 4648, and bytes of every value.
    ExpectAll(Base64, {{"", ""},
                       {"f", "Zg=="},
                       {"fo", "Zm8="},
                       {"foo", "Zm9v"},
                       {"foob", "Zm9vYg=="},
                       {"fooba", "Zm9vYmE="},
                       {"foobar", "Zm9vYmFy"},
                       {std::string("\0\xff\xfe", 3), "AP/+"}});
    ExpectAll(IntervalForScript, {{"5", "5"},
                                  {"2.5", "2.5"},
                                  {"not automated", "not automated"},
                                  {"", ""},
                                  {"5);alert(1);//", "5alert1"},
                                  {"1\"+x+\"", "1x"}});
}

TEST(PageEscaping, AddressesThatRunScriptsAreKnownAsBrowsersReadTheirScheme)
{
    for (const char* address : {"javascript:alert(1)", "JavaScript:void(0)", "  \x01javascript:x", "java\tscr\nipt:x",
                                "vbscript:msgbox", "data:text/html,<script>x</script>", "DATA:,x"})
        EXPECT_TRUE(IsScriptAddress(address)) << address;
    for (const char* address : {"http://example.com/javascript:x", "https://x/", "mailto:a@b", "www.example.com",
                                "page.html", "javascript", "java script:x", "1javascript:x", "./javascript:x", ""})
        EXPECT_FALSE(IsScriptAddress(address)) << address;
}

TEST(PageCharset, TheAnsiCodePagesByTheirLabels)
{
    const std::vector<std::pair<unsigned, std::string>> labels = {{874, "windows-874"},
                                                                  {932, "shift_jis"},
                                                                  {936, "gbk"},
                                                                  {949, "euc-kr"},
                                                                  {950, "big5"},
                                                                  {1250, "windows-1250"},
                                                                  {1251, "windows-1251"},
                                                                  {1253, "windows-1253"},
                                                                  {1254, "windows-1254"},
                                                                  {1258, "windows-1258"},
                                                                  {65001, "utf-8"},
                                                                  {437, ""},
                                                                  {1249, ""},
                                                                  {1259, ""}};
    for (const auto& label : labels) EXPECT_EQ(label.second, CharsetOfCodePage(label.first)) << label.first;

    const std::string page = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">";
    std::string declared = page;
    ASSERT_TRUE(DeclareCharset(declared, "windows-1251"));
    EXPECT_EQ("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">", declared);
    for (const char* kept : {"windows-1252", ""}) {
        declared = page;
        EXPECT_FALSE(DeclareCharset(declared, kept));
        EXPECT_EQ(page, declared);
    }
}

TEST(WindowName, TheNameIsReplacedWhereItStandsAloneAndDefinedBeforeThePageScripts)
{
    const std::vector<Case> cases = {
        // After the head tag, with or without attributes, in any case.
        {"<HTML><HEAD><script>if (window.name) x = top.window.name;</script>",
         std::string("<HTML><HEAD>") + kStandIn + "<script>if (abc123) x = top.abc123;</script>"},
        {"<html><head lang=\"en\"><title>window.name</title>",
         std::string("<html><head lang=\"en\">") + kStandIn + "<title>abc123</title>"},
        // Part of a longer name, or another case: left alone.
        {"<head><script>w = my_window.name + window.names + $window.name + Window.Name;</script>",
         "<head><script>w = my_window.name + window.names + $window.name + Window.Name;</script>"},
        // No head tag: after the html tag; neither: after the doctype, or at
        // the start after a byte order mark. A header is no head.
        {"<html lang=en><header>window.name</header>",
         std::string("<html lang=en>") + kStandIn + "<header>abc123</header>"},
        {"<!DOCTYPE html>\n<p onclick=\"alert(window.name)\">",
         std::string("<!DOCTYPE html>") + kStandIn + "\n<p onclick=\"alert(abc123)\">"},
        {"\xEF\xBB\xBF<p>window.name=1</p>", std::string("\xEF\xBB\xBF") + kStandIn + "<p>abc123=1</p>"},
        {"<p>nothing to see</p>", "<p>nothing to see</p>"}};
    for (const Case& c : cases) {
        std::string page = c.in;
        EXPECT_EQ(c.in != c.out, NeutraliseWindowName(page)) << c.in;
        EXPECT_EQ(c.out, page);
    }
}

TEST(WindowName, ALargePageIsEditedWhole)
{
    std::string page = "<head>";
    std::string expected = std::string("<head>") + kStandIn;
    while (page.size() < (3u << 20)) {
        page += "x=window.name;my_window.name;";
        expected += "x=abc123;my_window.name;";
    }
    ASSERT_TRUE(NeutraliseWindowName(page));
    EXPECT_TRUE(page == expected);
}

TEST(WindowName, AnArchiveGetsTheDefinitionInItsPagesTransferEncoding)
{
    const std::string headers = "MIME-Version: 1.0\r\nContent-Type: multipart/related; boundary=\"b\"\r\n\r\n--b\r\n"
                                "Content-Type: text/html\r\n";
    // Quoted-printable: "=" is written "=3D", and "=3Dwindow.name" is "=" and
    // the name.
    std::string archive = headers + "Content-Transfer-Encoding: quoted-printable\r\n\r\n<html><head>\r\n"
                                    "<script>w=3Dwindow.name;</script></head>\r\n--b--\r\n";
    ASSERT_TRUE(NeutraliseWindowNameInArchive(archive));
    EXPECT_EQ(headers + "Content-Transfer-Encoding: quoted-printable\r\n\r\n<html><head>\r\n"
                        "<script>var abc123 =3D \"\";</script>\r\n\r\n<script>w=3Dabc123;</script></head>\r\n--b--\r\n",
              archive);

    archive = headers + "\r\n<HTML><HEAD></HEAD><body onload=\"window.name='x'\"></body>\r\n--b--\r\n";
    ASSERT_TRUE(NeutraliseWindowNameInArchive(archive));
    EXPECT_EQ(headers + "\r\n<HTML><HEAD>" + kStandIn + "</HEAD><body onload=\"abc123='x'\"></body>\r\n--b--\r\n",
              archive);

    // Without a visible tag nothing goes in before the headers.
    archive = headers + "\r\nwindow.name\r\n";
    ASSERT_TRUE(NeutraliseWindowNameInArchive(archive));
    EXPECT_EQ(headers + "\r\nabc123\r\n", archive);
}
