// The thumbnail list of a photo album: the picture itself, shown small in the
// navigation frame, for each JPEG entry.
#include "framework/ansi_text.h"
#include "model/ambrel_utilities.h"
#include "model/package_names.h"

void CAmbrelUtilities::PrepareThumbnails(std::string /*resourcesFolder*/)
{
    // One name per entry of this list, lined up with it from the start, even
    // when an earlier generation of this page filled the list already.
    m_listThumbnails.RemoveAll();
    for (const std::string& path : m_listFiles) {
        std::string lower = AnsiLower(path);
        // Any name ending in the letters, with or without a dot before them.
        bool jpeg = EndsWith(lower, "jpg") || EndsWith(lower, "jpeg");
        m_listThumbnails.AddTail(jpeg ? SourceFileName(path) : std::string());
    }
}
