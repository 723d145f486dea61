// What the shared commands of the two creation pages work on: the page itself
// (for its data exchange and controls), its engine object, which holds the
// presentation list, and its list box.
#pragma once

class CDialog;
class CAmbrelUtilities;
class CPresentationListBox;

struct CreationPageParts {
    CDialog& page;
    CAmbrelUtilities& utilities;
    CPresentationListBox& list;
};
