// CPresentationOptions: how a presentation looks and runs, apart from its
// list: the information fields, the automatic stepping, the transition, the
// pictures' fitting, the thumbnails and the background music. One type for
// all who hold them: each creation page (its fields and boxes), the engine
// object (what generation is built from), a list file (which keeps the six
// texts) and the navigation text. On/off flags are BOOL, 0 or 1.
#pragma once

#include <string>

#include "framework/types.h"

struct CPresentationOptions {
    std::string m_strTitle;
    std::string m_strSubtitle;
    std::string m_strDate;
    std::string m_strAuthor; // labelled "Creator:" on the photo-album page
    // "Not Automated", or the interval of automatic stepping in seconds.
    std::string m_strAutoSeconds;
    // "Standard", "Dissolve", "Wipe", "Fade" or "Box".
    std::string m_strTransition;
    // The background music's full path, "" for none.
    std::string m_strMusicFile;
    BOOL m_bLoopMusic = 1;
    BOOL m_bThumbnails = 0;
    BOOL m_bFitImages = 1;
};
