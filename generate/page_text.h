// Text edits of a whole page held in memory. Portable.
#pragma once

#include <string>

// Inserts `insert` right after the first "<head>" of the page, found without
// regard to letter case; the tag keeps its own case. False, with the page
// unchanged, when there is no such tag (a head tag with attributes or blanks
// is not one).
bool InsertAfterHeadTag(std::string& page, const std::string& insert);

// Pages that read their window's name would find the package's frame name
// instead of their own window's. Every "window.name" of the page that is an
// expression of its own (not the end of a longer name such as
// "my_window.name", nor the start of one such as "window.names") becomes
// "abc123", and a page that had one gets a one-line script that defines
// abc123 as "", the name of a window opened on its own, so that its scripts
// run on. The script goes where it runs before any of the page's own: right
// after the head start tag (with or without attributes), else after the
// html start tag, else after the doctype, else at the page's start (after a
// byte order mark). True when the page changed.
bool NeutraliseWindowName(std::string& page);

// The same for a web archive (MIME): a "window.name" right after an escape
// of quoted-printable text ("=3D") counts as standing on its own, and the
// script goes after the archived page's head or html start tag, written
// quoted-printable when the part holding it is; an archive whose page shows
// neither tag gets none.
bool NeutraliseWindowNameInArchive(std::string& archive);
