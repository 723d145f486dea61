// The "?" buttons of the pages: a readme page of the installation, opened with
// the document opener.
#pragma once

// readme: relative to the install root (layout::kReadme or kPhotoReadme).
void ShowHelpPage(const char* readme);
