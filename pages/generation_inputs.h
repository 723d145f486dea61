// The page values a creation page hands to its engine object before it
// generates a package. Both pages name these members alike.
#pragma once

#include "shell/ambrel_utilities.h"

template <class CreationPage>
void HandOverGenerationInputs(const CreationPage& page, CAmbrelUtilities& utilities)
{
    utilities.m_strTitle = page.m_strTitle;
    utilities.m_strSubtitle = page.m_strSubtitle;
    utilities.m_strDate = page.m_strDate;
    utilities.m_strAuthor = page.m_strAuthor;
    utilities.m_strAutoSeconds = page.m_strAutoSeconds;
    utilities.m_strTransition = page.m_strTransition;
    utilities.m_strMusicFile = page.m_strMusicFile;
    utilities.m_bLoopMusic = page.m_bLoopMusic;
    utilities.m_bFitImages = page.m_bFitImages;
}
