// Builds the package folders that the browser test opens: a document
// presentation, an automated one, a photo album, an empty presentation and
// one picture for each remaining transition, generated from the fixture
// documents in the folder given on the command line. The folders are
// left in the work folder C:\ambrel-tests\browser\Data\ambrel\temp\.
#include <windows.h>

#include <cstdio>
#include <string>

#include "model/ambrel_utilities.h"
#include "system/install_paths.h"
#include "tests/generate/list_entries.h"
#include "tests/support/test_env.h"

using listentries::AddFile;
using listentries::AddGroup;
using listentries::AddUrl;

namespace {
void Describe(CAmbrelUtilities& u, const std::string& title, const std::string& seconds, const std::string& transition)
{
    u.m_strTitle = title;
    u.m_strSubtitle = "A test presentation";
    u.m_strAuthor = "Ambrel tests";
    u.m_strDate = "today";
    u.m_strAutoSeconds = seconds;
    u.m_strTransition = transition;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_slideshows FIXTURE-FOLDER\n");
        return 2;
    }
    const std::string fixtures = argv[1];
    testenv::TestRoot root("browser");
    root.InstallTemplate();
    root.InstallArchiver();
    g_strDataFolder.clear();

    {
        CAmbrelUtilities u;
        Describe(u, "Field trip", "Not Automated", "Fade");
        AddGroup(u, "Pages");
        // A title with quotes, an ampersand and letters of the code page.
        AddFile(u, "Welcome & \"hi\" \x96 it's \xe9t\xe9", fixtures + "\\welcome.html");
        AddFile(u, "Second page", fixtures + "\\second.htm");
        AddGroup(u, "Pictures");
        AddFile(u, "Sunset", fixtures + "\\Beach.JPG");
        AddUrl(u, "Live page", "http://live.ambrel.test/index.html");
        u.GeneratePackage(root.DataFolder() + "document.ambd");
    }
    {
        CAmbrelUtilities u;
        Describe(u, "Turning pages", "1", "Standard");
        AddFile(u, "One", fixtures + "\\one.html");
        AddFile(u, "Two", fixtures + "\\two.html");
        AddFile(u, "Three", fixtures + "\\three.html");
        u.GeneratePackage(root.DataFolder() + "auto.ambd");
    }
    {
        CAmbrelUtilities u;
        Describe(u, "Album", "Not Automated", "Standard");
        u.m_bThumbnails = 1;
        AddGroup(u, "Summer");
        AddFile(u, "Sunset", fixtures + "\\Beach.JPG");
        AddFile(u, "Forest", fixtures + "\\Forest.jpg");
        AddGroup(u, "Autumn");
        AddFile(u, "Lake", fixtures + "\\Lake.jpeg");
        u.GeneratePackage(root.DataFolder() + "album.ambd");
    }
    {
        CAmbrelUtilities u;
        Describe(u, "Nothing yet", "Not Automated", "Standard");
        u.GeneratePackage(root.DataFolder() + "empty.ambd");
    }
    // Fade and Standard are above; the wipe also shows a picture at its own
    // size, larger than the frame.
    for (const char* transition : {"Dissolve", "Wipe", "Box"}) {
        CAmbrelUtilities u;
        Describe(u, transition, "Not Automated", transition);
        u.m_bFitImages = std::string(transition) == "Wipe" ? 0 : 1;
        AddFile(u, "Lake", fixtures + "\\Lake.jpeg");
        std::string name = transition;
        name[0] = static_cast<char>(name[0] - 'A' + 'a');
        u.GeneratePackage(root.DataFolder() + name + ".ambd");
    }

    for (const char* name : {"document", "auto", "album", "empty", "dissolve", "wipe", "box"}) {
        std::string left = root.WorkFolder() + name + "\\resources\\left.html";
        if (!testenv::Exists(left)) {
            std::fprintf(stderr, "make_slideshows: %s was not made\n", left.c_str());
            return 1;
        }
    }
    std::printf("%s\n", root.WorkFolder().c_str());
    return 0;
}
