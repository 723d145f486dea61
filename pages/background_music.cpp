#include "pages/background_music.h"

#include "framework/dialog.h"
#include "framework/file_dialog.h"
#include "resources/resource.h"
#include "shell/ansi_text.h"

void OnBackgroundMusic(CDialog& page, const int& bMusic, std::string& musicFile)
{
    page.UpdateData(TRUE);
    CWnd fileName(page.GetDlgItem(IDC_MUSIC_FILE));
    if (bMusic == 1) {
        // The file is only read, so no overwrite question; a name typed
        // without an extension is taken as an MP3 file.
        CFileDialog dialog(FALSE, "mp3", nullptr, OFN_HIDEREADONLY, "MP3 File (*.mp3)|*.mp3||");
        dialog.DoModal();
        musicFile = dialog.GetPathName();
        fileName.SetWindowText(AfterLastBackslash(musicFile));
    } else if (bMusic == 0) {
        fileName.SetWindowText("");
        musicFile.clear();
    }
    page.UpdateData(FALSE);
    fileName.RedrawWindow();
    page.RedrawWindow();
}
