#include "generate/navigation_text.h"

#include "framework/ansi_text.h"
#include "generate/page_escaping.h"
#include "model/ambrel_utilities.h"
#include "model/replace_all.h"

namespace {
const char kNewLine[] = "\r\n";
const char kHeadingOpen[] = "<p><span class=\"header\">";
const char kHeadingClose[] = "</span><br>";
const char kShowAddress[] = "parent.frames[1].location.href = address[i];";
const char kStopOnClick[] = " onclick=\"javaScript:stopanimation()\"";

// Unsigned 32-bit decimal, as the script's numbers are written.
std::string Number(uint32_t n) { return std::to_string(n); }
} // namespace

bool IsAutomated(const std::string& autoSeconds) { return autoSeconds != "Not Automated"; }

CNavigationText::CNavigationText(const CPresentationOptions& options)
    : m_options(options), m_automated(IsAutomated(options.m_strAutoSeconds))
{}

void CNavigationText::Line(const std::string& line)
{
    m_text += line;
    m_text += kNewLine;
}

void CNavigationText::AppendHead(const std::vector<PlannedEntry>& plan)
{
    Line(kHeadingOpen + HtmlEscaped(m_options.m_strTitle) + kHeadingClose);
    Line(HtmlEscaped(m_options.m_strSubtitle) + "</p>");
    Line("<img src=\"blue.gif\" width=\"190\" height=\"1\"><br>");
    AppendScript(plan);
    if (m_automated) {
        Line("<IMG SRC=\"btn_animation.gif\" BORDER=\"0\" ALT=\"animation:\" WIDTH=\"50\" HEIGHT=\"13\">");
        Line("<A href=\"javaScript:startanimation()\"><IMG HEIGHT=\"13\" ALT=\"Next\" SRC=\"btn_start.gif\" "
             "WIDTH=\"30\" BORDER=\"0\"></A>");
        Line("<A href=\"javaScript:stopanimation()\"><IMG HEIGHT=\"13\" ALT=\"Next\" SRC=\"btn_stop.gif\" "
             "WIDTH=\"30\" BORDER=\"0\"></A>");
    }
    Line("<p class=\"foot\">");
    Line("<a href=\"javaScript:Back()\"><img src=\"button_prev.gif\" border=\"0\" alt=\"Previous\" width=\"36\" "
         "height=\"13\"></a>");
    Line("<a href=\"javaScript:Next()\"><img src=\"button_next.gif\" border=\"0\" alt=\"Next\" width=\"36\" "
         "height=\"13\"></a>");
    Line("</p>");
}

void CNavigationText::AppendScript(const std::vector<PlannedEntry>& plan)
{
    uint32_t count = 0;
    for (const PlannedEntry& entry : plan)
        if (entry.number) ++count;

    Line("<script language=\"JavaScript\">");
    // Automatic stepping moves to entry 1 when the frame loads.
    Line(m_automated ? "var i=0" : "var i=1");
    Line("address = new Array(" + Number(count) + ");");
    for (const PlannedEntry& entry : plan)
        if (entry.number) Line("address[" + Number(entry.number) + "] = \"" + ScriptStringEscaped(entry.link) + "\";");

    Line("function Reset() {");
    Line("i = 1");
    Line("parent.frames[1].location.href = address[1];");
    Line("}");

    Line("function Next() {");
    // With no entry the bound wraps round to 4294967295, as the script has
    // always been written.
    Line("i = (i > " + Number(count - 1u) + ") ? 1 : i + 1");
    Line(kShowAddress);
    Line("}");

    Line("function Back() {");
    Line("i = (i < 2) ? " + Number(count) + " : i - 1");
    Line(kShowAddress);
    Line("}");

    Line("var timeout_id;");
    Line("function GoTo(indexval){");
    if (m_automated) Line("stopanimation();");
    Line("i = indexval;");
    Line("}");
    if (m_automated) AppendAnimation(count);
    Line("</script>");
}

void CNavigationText::AppendAnimation(uint32_t count)
{
    Line("var haltanimation=0");
    Line("function animate()");
    Line("{");
    Line("i=i+1;");
    Line("if (i > " + Number(count) + ")");
    Line("\ti = 1;");
    Line(kShowAddress);
    Line("if (haltanimation)");
    Line("\treturn;");
    // The interval is in seconds; the timer counts milliseconds.
    Line("timeout_id = setTimeout(\"animate()\", " + IntervalForScript(m_options.m_strAutoSeconds) + "000);");
    Line("}");
    Line("function startanimation()");
    Line("{");
    Line("haltanimation = 0;");
    Line("animate();");
    Line("}");
    Line("function stopanimation()");
    Line("{");
    Line("clearTimeout(timeout_id);");
    Line("haltanimation = 1;");
    Line("}");
}

void CNavigationText::AppendEntry(const PlannedEntry& entry)
{
    if (entry.kind == EntryKind::GroupHeader) {
        Line(kHeadingOpen + HtmlEscaped(entry.group) + kHeadingClose);
        return;
    }
    const std::string link = "<a href=\"" + HtmlEscaped(entry.link) + "\" target=\"main\" onclick=\"javaScript:GoTo(" +
                             Number(entry.number) + ")\">";
    // Names of one or two characters are no picture.
    if (entry.thumbnail.size() > 2)
        Line("<p><span class=\"dented\">" + link + "<img border=\"0\" src=\"" +
             HtmlEscaped(FileNameUrl(entry.thumbnail)) + "\" height=\"50\"></a></span></p>");
    Line("<span class=\"dented\"> " + link + HtmlEscaped(entry.title) + "</a></span><br>");
}

void CNavigationText::AppendTail()
{
    const std::string stop = m_automated ? kStopOnClick : "";
    Line("<p>&nbsp;</p>");
    Line("<p class=\"foot\"><a href=\"help.html\" target=\"main\"" + stop +
         "><img src=\"button_help.gif\" width=\"56\" height=\"13\" vspace=\"0\" border=\"0\"></a>");
    Line("<a href=\"help.html\" target=\"main\"" + stop +
         "><img src=\"button_get_viewers.gif\" width=\"56\" height=\"13\" border=\"0\"></a></p>");
    Line("<p><img src=\"blue.gif\" width=\"190\" height=\"1\"></p>");
    Line("<p class=\"foot\">" + HtmlEscaped(m_options.m_strAuthor) + "&#149; " + HtmlEscaped(m_options.m_strDate) +
         "</p>");
}

void CNavigationText::AppendMusic()
{
    if (m_options.m_strMusicFile.empty()) return;
    std::string piece = kNewLine;
    piece += "<p><EMBED SRC=\"" + HtmlEscaped(FileNameUrl(AfterLastBackslash(m_options.m_strMusicFile))) +
             "\" autostart=\"true\" loop=\"#loop#\" type=\"application/mpeg\" Name=\"Music\" ALT=\"Music\">"
             "<br clear=left><br><br></p>";
    piece += kNewLine;
    ReplaceAll(piece, "#loop#", m_options.m_bLoopMusic ? "true" : "false");
    m_text += piece;
}

std::string BuildNavigationText(const std::vector<PlannedEntry>& plan, const CPresentationOptions& options)
{
    CNavigationText text(options);
    text.AppendHead(plan);
    for (const PlannedEntry& entry : plan) text.AppendEntry(entry);
    text.AppendTail();
    text.AppendMusic();
    return text.Text();
}

std::string BuildNavigationText(const CAmbrelUtilities& utilities)
{
    return BuildNavigationText(PlanEntries(utilities), utilities);
}
