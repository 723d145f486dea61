// The "Background music" check box of both creation pages: ticking it asks
// for an MP3 file, clearing it forgets the file.
#pragma once

#include <string>

class CDialog;

// Runs the check box's command on a page whose data exchange binds bMusic;
// musicFile receives the chosen path (empty when cancelled or cleared), and
// static 1026 shows its file name.
void OnBackgroundMusic(CDialog& page, const int& bMusic, std::string& musicFile);
