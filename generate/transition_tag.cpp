// The tag that makes the browser play a transition when a page is entered.
#include "model/ambrel_utilities.h"

std::string CAmbrelUtilities::GetTransitionTag(std::string name)
{
    const char* tag = nullptr;
    if (name == "Dissolve")
        tag = "<META http-equiv=\"Page-Enter\" CONTENT=\"RevealTrans(Duration=2,Transition=12)\">";
    else if (name == "Fade")
        tag = "<meta http-equiv=\"Page-Enter\" content=\"blendTrans(Duration=2)\">";
    else if (name == "Wipe")
        tag = "<META http-equiv=\"Page-Enter\" CONTENT=\"RevealTrans(Duration=2,Transition=6)\">";
    else if (name == "Box")
        tag = "<META http-equiv=\"Page-Enter\" CONTENT=\"RevealTrans(Duration=2,Transition=0)\">";
    // "Standard" and unknown names insert nothing.
    if (!tag) return std::string();
    return std::string("\r\n") + tag + "\r\n";
}
