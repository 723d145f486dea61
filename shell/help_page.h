// The "?" button of the pages: opens a readme page with the document opener.
#pragma once

enum class HelpPageCaller {
    // The document page always opens the general readme.
    DocumentPage,
    // The viewing and photo-album pages open the readme of the edition.
    EditionPage
};

void ShowHelpPage(HelpPageCaller caller);
