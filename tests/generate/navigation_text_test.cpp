// The navigation frame's text, byte for byte. The expected texts are put
// together here from the frame's published pieces: each piece is written out
// once below with its length checked, and a printf-style piece is filled the
// way printf would fill it.
#include "generate/navigation_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/ambrel_utilities.h"
#include "tests/generate/list_entries.h"

using listentries::AddFile;
using listentries::AddGroup;
using listentries::AddUrl;

namespace {

// A literal with its published length.
struct Piece {
    const char* text;
    size_t length;
};
constexpr size_t Len(const char* s) { return *s ? 1 + Len(s + 1) : 0; }
#define PIECE(name, literal, n)                                                                                        \
    constexpr Piece name{literal, n};                                                                                  \
    static_assert(Len(literal) == n, #name " has the wrong length")

PIECE(kHeadingOpen, "<p><span class=\"header\">", 24);
PIECE(kHeadingClose, "</span><br>", 11);
PIECE(kParagraphEnd, "</p>", 4);
PIECE(kRuleTop, "<img src=\"blue.gif\" width=\"190\" height=\"1\"><br>", 47);
PIECE(kScriptStart, "<script language=\"JavaScript\">", 30);
PIECE(kStartAtZero, "var i=0", 7);
PIECE(kStartAtOne, "var i=1", 7);
PIECE(kTableSize, "address = new Array(%u);", 24);
PIECE(kTableLine, "address[%u] = \"%s\";", 19);
PIECE(kReset, "function Reset() {", 18);
PIECE(kResetI, "i = 1", 5);
PIECE(kShowFirst, "parent.frames[1].location.href = address[1];", 44);
PIECE(kClose, "}", 1);
PIECE(kNext, "function Next() {", 17);
PIECE(kNextI, "i = (i > %u) ? 1 : i + 1", 24);
PIECE(kShowI, "parent.frames[1].location.href = address[i];", 44);
PIECE(kBack, "function Back() {", 17);
PIECE(kBackI, "i = (i < 2) ? %u : i - 1", 24);
PIECE(kTimer, "var timeout_id;", 15);
PIECE(kGoTo, "function GoTo(indexval){", 24);
PIECE(kGoToStop, "stopanimation();", 16);
PIECE(kGoToSet, "i = indexval;", 13);
PIECE(kHalt, "var haltanimation=0", 19);
PIECE(kAnimate, "function animate()", 18);
PIECE(kOpen, "{", 1);
PIECE(kStep, "i=i+1;", 6);
PIECE(kWrapTest, "if (i > %u)", 11);
PIECE(kWrap, "i = 1;", 6);
PIECE(kHaltTest, "if (haltanimation)", 18);
PIECE(kReturn, "return;", 7);
PIECE(kSchedule, "timeout_id = setTimeout(\"animate()\", %s000);", 44);
PIECE(kStart, "function startanimation()", 25);
PIECE(kUnhalt, "haltanimation = 0;", 18);
PIECE(kAnimateNow, "animate();", 10);
PIECE(kStop, "function stopanimation()", 24);
PIECE(kClear, "clearTimeout(timeout_id);", 25);
PIECE(kSetHalt, "haltanimation = 1;", 18);
PIECE(kScriptEnd, "</script>", 9);
PIECE(kAnimationLabel, "<IMG SRC=\"btn_animation.gif\" BORDER=\"0\" ALT=\"animation:\" WIDTH=\"50\" HEIGHT=\"13\">",
      80);
PIECE(kStartButton,
      "<A href=\"javaScript:startanimation()\"><IMG HEIGHT=\"13\" ALT=\"Next\" SRC=\"btn_start.gif\" WIDTH=\"30\" "
      "BORDER=\"0\"></A>",
      112);
PIECE(kStopButton,
      "<A href=\"javaScript:stopanimation()\"><IMG HEIGHT=\"13\" ALT=\"Next\" SRC=\"btn_stop.gif\" WIDTH=\"30\" "
      "BORDER=\"0\"></A>",
      110);
PIECE(kFoot, "<p class=\"foot\">", 16);
PIECE(kBackButton,
      "<a href=\"javaScript:Back()\"><img src=\"button_prev.gif\" border=\"0\" alt=\"Previous\" width=\"36\" "
      "height=\"13\"></a>",
      108);
PIECE(kNextButton,
      "<a href=\"javaScript:Next()\"><img src=\"button_next.gif\" border=\"0\" alt=\"Next\" width=\"36\" "
      "height=\"13\"></a>",
      104);
PIECE(kLink, "<a href=\"%s\" target=\"main\" onclick=\"javaScript:GoTo(%u)\">", 57);
PIECE(kThumbOpen, "<p><span class=\"dented\">", 24);
PIECE(kThumbImage, "<img border=\"0\" src=\"", 21);
PIECE(kThumbClose, "\" height=\"50\"></a></span></p>", 29);
PIECE(kTitleOpen, "<span class=\"dented\"> ", 22);
PIECE(kTitleClose, "</a></span>", 11);
PIECE(kBreak, "<br>", 4);
PIECE(kSpacer, "<p>&nbsp;</p>", 13);
PIECE(kHelp, "<p class=\"foot\"><a href=\"help.html\" target=\"main\"", 49);
PIECE(kStopOnClick, " onclick=\"javaScript:stopanimation()\"", 37);
PIECE(kHelpImage, "><img src=\"button_help.gif\" width=\"56\" height=\"13\" vspace=\"0\" border=\"0\"></a>", 77);
PIECE(kViewers, "<a href=\"help.html\" target=\"main\"", 33);
PIECE(kViewersImage, "><img src=\"button_get_viewers.gif\" width=\"56\" height=\"13\" border=\"0\"></a></p>", 77);
PIECE(kRuleBottom, "<p><img src=\"blue.gif\" width=\"190\" height=\"1\"></p>", 50);
PIECE(kBullet, "&#149; ", 7);
PIECE(kMusicOpen, "<p><EMBED SRC=\"", 15);
PIECE(kMusicClose,
      "\" autostart=\"true\" loop=\"#loop#\" type=\"application/mpeg\" Name=\"Music\" ALT=\"Music\"><br "
      "clear=left><br><br></p>",
      109);

const std::string CRLF = "\r\n";

std::string S(const Piece& p) { return p.text; }
std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}
std::string L(const Piece& p) { return S(p) + CRLF; }
std::string L(const std::string& s) { return s + CRLF; }

// printf's %u and %s, in the order they stand.
std::string Fill(const Piece& p, const std::vector<std::string>& values)
{
    std::string out;
    size_t next = 0;
    for (const char* c = p.text; *c; ++c) {
        if (c[0] == '%' && (c[1] == 'u' || c[1] == 's')) {
            out += values.at(next++);
            ++c;
        } else {
            out += *c;
        }
    }
    EXPECT_EQ(values.size(), next);
    return out;
}

struct Options {
    std::string title = "Holiday";
    std::string subtitle = "Summer 2004";
    std::string author = "Ann Lee";
    std::string date = "May 1, 2004";
    std::string autoSeconds = "Not Automated";
    std::string music;
    bool loop = true;
};

void Apply(const Options& o, CAmbrelUtilities& u)
{
    u.m_strTitle = o.title;
    u.m_strSubtitle = o.subtitle;
    u.m_strAuthor = o.author;
    u.m_strDate = o.date;
    u.m_strAutoSeconds = o.autoSeconds;
    u.m_strMusicFile = o.music;
    u.m_bLoopMusic = o.loop;
}

// The expected head: pieces 1 to 16 for a table of addresses.
std::string ExpectedHead(const Options& o, const std::vector<std::string>& addresses, bool automated)
{
    const std::string n = std::to_string(addresses.size());
    std::string t;
    t += S(kHeadingOpen) + o.title + L(kHeadingClose);
    t += o.subtitle + L(kParagraphEnd);
    t += L(kRuleTop);
    t += L(kScriptStart);
    t += L(automated ? kStartAtZero : kStartAtOne);
    t += L(Fill(kTableSize, {n}));
    for (size_t k = 0; k < addresses.size(); ++k) t += L(Fill(kTableLine, {std::to_string(k + 1), addresses[k]}));
    t += L(kReset) + L(kResetI) + L(kShowFirst) + L(kClose);
    std::string bound = addresses.empty() ? "4294967295" : std::to_string(addresses.size() - 1);
    t += L(kNext) + L(Fill(kNextI, {bound})) + L(kShowI) + L(kClose);
    t += L(kBack) + L(Fill(kBackI, {n})) + L(kShowI) + L(kClose);
    t += L(kTimer);
    t += L(kGoTo);
    if (automated) t += L(kGoToStop);
    t += L(kGoToSet) + L(kClose);
    if (automated) {
        t += L(kHalt) + L(kAnimate) + L(kOpen) + L(kStep) + L(Fill(kWrapTest, {n})) + "\t" + L(kWrap) + L(kShowI) +
             L(kHaltTest) + "\t" + L(kReturn) + L(Fill(kSchedule, {o.autoSeconds})) + L(kClose);
        t += L(kStart) + L(kOpen) + L(kUnhalt) + L(kAnimateNow) + L(kClose);
        t += L(kStop) + L(kOpen) + L(kClear) + L(kSetHalt) + L(kClose);
    }
    t += L(kScriptEnd);
    if (automated) t += L(kAnimationLabel) + L(kStartButton) + L(kStopButton);
    t += L(kFoot) + L(kBackButton) + L(kNextButton) + L(kParagraphEnd);
    return t;
}

std::string ExpectedGroup(const std::string& header) { return S(kHeadingOpen) + header + L(kHeadingClose); }

std::string ExpectedLinks(const std::string& address, unsigned k, const std::string& title,
                          const std::string& thumbnail = "")
{
    std::string link = Fill(kLink, {address, std::to_string(k)});
    std::string t;
    if (!thumbnail.empty()) t += S(kThumbOpen) + link + S(kThumbImage) + thumbnail + L(kThumbClose);
    t += S(kTitleOpen) + link + title + S(kTitleClose) + L(kBreak);
    return t;
}

std::string ExpectedTail(const Options& o, bool automated)
{
    std::string stop = automated ? S(kStopOnClick) : "";
    std::string t;
    t += L(kSpacer);
    t += S(kHelp) + stop + L(kHelpImage);
    t += S(kViewers) + stop + L(kViewersImage);
    t += L(kRuleBottom);
    t += S(kFoot) + o.author + S(kBullet) + o.date + L(kParagraphEnd);
    return t;
}

std::string Build(const Options& o, CAmbrelUtilities& u)
{
    Apply(o, u);
    return BuildNavigationText(u);
}

// The three-entry list with a group between the first and the second entry.
void FillThreeEntries(CAmbrelUtilities& u)
{
    AddFile(u, "Annual report", "c:\\docs\\Report.pdf");
    AddGroup(u, "Pictures");
    AddFile(u, "Sunset", "c:\\pics\\Beach.JPG");
    AddUrl(u, "Our site", "http://www.example.com/a?b=1");
}

std::string ThreeEntriesBody()
{
    return ExpectedLinks("Report.pdf", 1, "Annual report") + ExpectedGroup("Pictures") +
           ExpectedLinks("beach.html", 2, "Sunset") + ExpectedLinks("http://www.example.com/a?b=1", 3, "Our site");
}
const std::vector<std::string> kThreeAddresses = {"Report.pdf", "beach.html", "http://www.example.com/a?b=1"};

} // namespace

TEST(NavigationText, EmptyListHasAnEmptyTableAndWrappedBounds)
{
    CAmbrelUtilities u;
    Options o;
    std::string text = Build(o, u);
    EXPECT_EQ(ExpectedHead(o, {}, false) + ExpectedTail(o, false), text);
    // The wrapped unsigned bound of Next and the zero bound of Back, spelled out.
    EXPECT_NE(std::string::npos, text.find("\r\ni = (i > 4294967295) ? 1 : i + 1\r\n"));
    EXPECT_NE(std::string::npos, text.find("\r\ni = (i < 2) ? 0 : i - 1\r\n"));
    EXPECT_NE(std::string::npos, text.find("\r\naddress = new Array(0);\r\n"));
}

TEST(NavigationText, OnlyGroupHeadersGiveGroupLinesAndNoEntries)
{
    CAmbrelUtilities u;
    AddGroup(u, "First");
    AddGroup(u, "Second");
    Options o;
    EXPECT_EQ(ExpectedHead(o, {}, false) + ExpectedGroup("First") + ExpectedGroup("Second") + ExpectedTail(o, false),
              Build(o, u));
}

TEST(NavigationText, ThreeEntriesWithAGroupBetweenTheFirstTwo)
{
    CAmbrelUtilities u;
    FillThreeEntries(u);
    Options o;
    std::string text = Build(o, u);
    EXPECT_EQ(ExpectedHead(o, kThreeAddresses, false) + ThreeEntriesBody() + ExpectedTail(o, false), text);
    // The header takes no number: the links run 1, 2, 3.
    EXPECT_NE(std::string::npos, text.find("address[3] = \"http://www.example.com/a?b=1\";\r\n"));
    EXPECT_EQ(std::string::npos, text.find("GoTo(4)"));
}

TEST(NavigationText, AnIntervalAutomatesTheScriptAndTheButtons)
{
    CAmbrelUtilities u;
    FillThreeEntries(u);
    Options o;
    o.autoSeconds = "5";
    std::string text = Build(o, u);
    EXPECT_EQ(ExpectedHead(o, kThreeAddresses, true) + ThreeEntriesBody() + ExpectedTail(o, true), text);
    EXPECT_NE(std::string::npos, text.find("\r\ntimeout_id = setTimeout(\"animate()\", 5000);\r\n"));
    EXPECT_NE(std::string::npos, text.find("\r\nif (i > 3)\r\n\ti = 1;\r\n"));
}

TEST(NavigationText, AnEmptyOrTypedIntervalCountsAsAutomated)
{
    for (const char* interval : {"", "2.5", "not automated"}) {
        CAmbrelUtilities u;
        FillThreeEntries(u);
        Options o;
        o.autoSeconds = interval;
        std::string text = Build(o, u);
        EXPECT_EQ(ExpectedHead(o, kThreeAddresses, true) + ThreeEntriesBody() + ExpectedTail(o, true), text)
            << interval;
        EXPECT_NE(std::string::npos, text.find(std::string("setTimeout(\"animate()\", ") + interval + "000);"));
    }
}

TEST(NavigationText, NotAutomatedLeavesOutEverythingOfTheStepping)
{
    CAmbrelUtilities u;
    FillThreeEntries(u);
    std::string text = Build(Options(), u);
    for (const char* absent :
         {"stopanimation", "animate()", "btn_animation.gif", "btn_start.gif", "haltanimation", "setTimeout"})
        EXPECT_EQ(std::string::npos, text.find(absent)) << absent;
}

TEST(NavigationText, ThumbnailsOfThreeOrMoreCharactersShow)
{
    CAmbrelUtilities u;
    AddFile(u, "One", "c:\\p\\a");
    AddFile(u, "Two", "c:\\p\\ab");
    AddFile(u, "Three", "c:\\p\\abc");
    AddFile(u, "Four", "c:\\p\\Beach.JPG");
    for (const char* name : {"a", "ab", "abc", "Beach.JPG"}) u.m_listThumbnails.AddTail(name);
    Options o;
    std::string body = ExpectedLinks("a", 1, "One") + ExpectedLinks("ab", 2, "Two") +
                       ExpectedLinks("abc", 3, "Three", "abc") + ExpectedLinks("beach.html", 4, "Four", "Beach.JPG");
    EXPECT_EQ(ExpectedHead(o, {"a", "ab", "abc", "beach.html"}, false) + body + ExpectedTail(o, false), Build(o, u));
}

TEST(NavigationText, ThumbnailsFollowTheirListPlaceAndRunOut)
{
    CAmbrelUtilities u;
    AddGroup(u, "Album");
    AddFile(u, "First", "c:\\p\\First.jpg");
    AddFile(u, "Second", "c:\\p\\second.jpeg");
    // One name for the header, one for the first picture; the second has none.
    u.m_listThumbnails.AddTail("");
    u.m_listThumbnails.AddTail("First.jpg");
    Options o;
    std::string body = ExpectedGroup("Album") + ExpectedLinks("first.html", 1, "First", "First.jpg") +
                       ExpectedLinks("second.html", 2, "Second");
    EXPECT_EQ(ExpectedHead(o, {"first.html", "second.html"}, false) + body + ExpectedTail(o, false), Build(o, u));
}

TEST(NavigationText, MusicLoopsOrPlaysOnce)
{
    for (bool loop : {true, false}) {
        CAmbrelUtilities u;
        Options o;
        o.music = "c:\\My Music\\theme #loop#.mp3";
        o.loop = loop;
        std::string flag = loop ? "true" : "false";
        // The name keeps its own "#loop#", written as a URL path ("#" is
        // %23), so that it names the file; the piece's own one takes the
        // flag.
        std::string music = CRLF + S(kMusicOpen) + "theme %23loop%23.mp3" + L(kMusicClose);
        std::string::size_type at = music.find("#loop#");
        ASSERT_NE(std::string::npos, at);
        music.replace(at, 6, flag);
        EXPECT_EQ(ExpectedHead(o, {}, false) + ExpectedTail(o, false) + music, Build(o, u)) << flag;
        EXPECT_NE(std::string::npos, music.find("loop=\"" + flag + "\""));
    }
}

TEST(NavigationText, EmptyTextsKeepTheirMarkup)
{
    CAmbrelUtilities u;
    Options o;
    o.title = o.subtitle = o.author = o.date = "";
    std::string text = Build(o, u);
    EXPECT_EQ(0u, text.find("<p><span class=\"header\"></span><br>\r\n</p>\r\n"));
    EXPECT_NE(std::string::npos, text.find("\r\n<p class=\"foot\">&#149; </p>\r\n"));
    EXPECT_EQ(ExpectedHead(o, {}, false) + ExpectedTail(o, false), text);
}

// Each text in the form its place needs: markup characters as character
// references in text and attributes, file names as URL paths, addresses in
// the script as strings that cannot end early.
TEST(NavigationText, TextsAreWrittenForTheirPlace)
{
    CAmbrelUtilities u;
    AddGroup(u, "<b>Q&A</b>");
    AddFile(u, "Rock \"n\" roll", "c:\\docs\\Results #2 it's 100%.pdf");
    AddUrl(u, "<script>x</script>", "http://x/?q=\"a\"&b=</script>\\");
    AddFile(u, "Clip", "c:\\docs\\Intro.SWF");
    u.m_listThumbnails = CStringList{"", "Results #2 it's 100%.pdf", "", ""};
    Options typed;
    typed.title = "Q&A <draft>";
    typed.subtitle = "it's \"here\"";
    typed.author = "Ann & Bob";
    typed.date = "<1 May>";
    typed.music = "c:\\m\\a&b.mp3";
    typed.loop = false;
    Options shown = typed;
    shown.title = "Q&amp;A &lt;draft&gt;";
    shown.subtitle = "it&#39;s &quot;here&quot;";
    shown.author = "Ann &amp; Bob";
    shown.date = "&lt;1 May&gt;";
    // As a URL path, in the script and in an attribute.
    const std::string file = "Results %232 it's 100%25.pdf";
    const std::string fileAttribute = "Results %232 it&#39;s 100%25.pdf";
    const std::string urlScript = "http://x/?q=\\\"a\\\"&b=\\x3C/script>\\\\";
    const std::string urlAttribute = "http://x/?q=&quot;a&quot;&amp;b=&lt;/script&gt;\\";
    const std::string expected =
        ExpectedHead(shown, {file, urlScript, "intro.swf.html"}, false) + ExpectedGroup("&lt;b&gt;Q&amp;A&lt;/b&gt;") +
        ExpectedLinks(fileAttribute, 1, "Rock &quot;n&quot; roll", fileAttribute) +
        ExpectedLinks(urlAttribute, 2, "&lt;script&gt;x&lt;/script&gt;") + ExpectedLinks("intro.swf.html", 3, "Clip") +
        ExpectedTail(shown, false) + CRLF + S(kMusicOpen) + "a&amp;b.mp3" + Replace(L(kMusicClose), "#loop#", "false");
    EXPECT_EQ(expected, Build(typed, u));
}

TEST(NavigationText, AnIntervalCannotEndItsNumber)
{
    CAmbrelUtilities u;
    Options o;
    o.autoSeconds = "1); alert(\"x\"); (1";
    std::string text = Build(o, u);
    EXPECT_NE(std::string::npos, text.find("\r\ntimeout_id = setTimeout(\"animate()\", 1 alertx 1000);\r\n"));
    EXPECT_EQ(std::string::npos, text.find("alert("));
}

TEST(NavigationText, LongAddressesAndIntervalsAreNotCut)
{
    CAmbrelUtilities u;
    std::string address = "http://example.com/" + std::string(5000, 'x');
    AddUrl(u, "Long", address);
    Options o;
    o.autoSeconds = std::string(3000, '9');
    std::string text = Build(o, u);
    EXPECT_NE(std::string::npos, text.find("address[1] = \"" + address + "\";\r\n"));
    EXPECT_NE(std::string::npos, text.find("<a href=\"" + address + "\" target=\"main\""));
    EXPECT_NE(std::string::npos, text.find("setTimeout(\"animate()\", " + o.autoSeconds + "000);\r\n"));
}

TEST(NavigationText, AutomatedTestIsExactlyNotAutomated)
{
    EXPECT_FALSE(IsAutomated("Not Automated"));
    EXPECT_TRUE(IsAutomated("Not Automated "));
    EXPECT_TRUE(IsAutomated(""));
    EXPECT_TRUE(IsAutomated("5"));
}
