// The navigation frame's content: the presentation's heading, the script that
// steps through the entries, the stepping buttons, one link per entry under
// its group headings, the footer and the background music. The text depends
// only on the list, the thumbnail names and the options, never on a file.
//
// A generation produces it in stretches, at the points where it has the
// entries in hand:
//   CNavigationText text(options);
//   text.AppendHead(plan);           // before the entries are copied
//   text.AppendEntry(entry);         // for each planned entry, in list order
//   text.AppendTail();               // after them
//   text.AppendMusic();              // once the music file is copied
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "generate/entry_plan.h"

class CAmbrelUtilities;
struct CPresentationOptions;

// The presentation steps by itself unless its interval is "Not Automated".
bool IsAutomated(const std::string& autoSeconds);

class CNavigationText {
public:
    explicit CNavigationText(const CPresentationOptions& options);

    // Heading, the stepping script with its address table, and the stepping
    // buttons.
    void AppendHead(const std::vector<PlannedEntry>& plan);
    // A group heading, or an entry's links.
    void AppendEntry(const PlannedEntry& entry);
    // Help buttons, rule and credits.
    void AppendTail();
    // The background music, when there is a music file.
    void AppendMusic();

    const std::string& Text() const { return m_text; }

private:
    void Line(const std::string& line);
    void AppendScript(const std::vector<PlannedEntry>& plan);
    void AppendAnimation(uint32_t count);

    const CPresentationOptions& m_options;
    bool m_automated;
    std::string m_text;
};

// The whole navigation text of the list and options, in one go.
std::string BuildNavigationText(const CAmbrelUtilities& utilities);
std::string BuildNavigationText(const std::vector<PlannedEntry>& plan, const CPresentationOptions& options);
