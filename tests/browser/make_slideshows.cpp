// Builds the package folders that the browser test opens: a document
// presentation, an automated one, a photo album, an empty presentation, one
// picture for each remaining transition, texts and names that pages must
// escape, and a Flash movie, generated from the fixture documents in the
// folder given on the command line. The folders are left in the work folder
// C:\ambrel-tests\browser\Data\ambrel\temp\.
//
//   make_slideshows FIXTURE-FOLDER
//   make_slideshows FIXTURE-FOLDER --code-page N
//
// The second form runs under a system whose ANSI code page is N (1251 or
// 932) and builds one presentation, "cpN", whose texts and file names are in
// that code page's letters.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
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

// Unicode text in the ANSI code page, as a user of that system types it.
std::string Ansi(const std::wstring& text)
{
    BOOL lost = FALSE;
    const int size = static_cast<int>(text.size());
    int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0, nullptr, &lost);
    std::string out(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, &out[0], length, nullptr, &lost);
    if (lost) {
        std::fprintf(stderr, "make_slideshows: code page %u cannot write a text of the test\n", ::GetACP());
        std::exit(1);
    }
    return out;
}

// A fixture copied under a name of the code page into the documents folder.
std::string Document(const std::string& fixtures, const char* fixture, const std::string& documents,
                     const std::wstring& name)
{
    std::string path = documents + "\\" + Ansi(name);
    if (!::CopyFileA((fixtures + "\\" + fixture).c_str(), path.c_str(), FALSE)) {
        std::fprintf(stderr, "make_slideshows: cannot copy %s (error %lu)\n", fixture, ::GetLastError());
        std::exit(1);
    }
    return path;
}

// Titles, captions and file names in Cyrillic, or in Japanese with letters
// whose second byte is a backslash in code page 932 (\x83\x5c, \x95\x5c).
int MakeCodePageSlideshow(const testenv::TestRoot& root, const std::string& fixtures, unsigned codePage)
{
    if (::GetACP() != codePage) {
        std::fprintf(stderr, "make_slideshows: the ANSI code page is %u, not %u\n", ::GetACP(), codePage);
        return 1;
    }
    const bool cyrillic = codePage == 1251;
    const std::string documents = root.Base() + "\\Documents";
    testenv::MakeDirectories(documents);
    CAmbrelUtilities u;
    Describe(u, "", "Not Automated", "Fade");
    u.m_strTitle = Ansi(cyrillic ? L"\u041f\u043e\u0435\u0437\u0434\u043a\u0430 \u00ab\u041b\u0435\u0442\u043e\u00bb"
                                 : L"\u65c5\u884c\u306e\u8868\u793a");
    u.m_strAuthor = Ansi(cyrillic ? L"\u0410\u043d\u043d\u0430" : L"\u30bd\u30d5\u30c8");
    AddGroup(u, Ansi(cyrillic ? L"\u0424\u043e\u0442\u043e" : L"\u98a8\u666f"));
    AddFile(u, Ansi(cyrillic ? L"\u0417\u0430\u043a\u0430\u0442" : L"\u5915\u65e5\u8868"),
            Document(fixtures, "Beach.JPG", documents,
                     cyrillic ? L"\u041f\u043b\u044f\u0436.jpg" : L"\u5199\u771f\u8868.jpg"));
    AddFile(u, Ansi(cyrillic ? L"\u041e\u0442\u0447\u0451\u0442" : L"\u5831\u544a\u30bd"),
            Document(fixtures, "one.html", documents,
                     cyrillic ? L"\u041e\u0442\u0447\u0451\u0442.html" : L"\u30bd\u8868.html"));
    const std::string name = "cp" + std::to_string(codePage);
    u.GeneratePackage(root.DataFolder() + name + ".ambd");
    if (!testenv::Exists(root.WorkFolder() + name + "\\resources\\left.html")) {
        std::fprintf(stderr, "make_slideshows: %s was not made\n", name.c_str());
        return 1;
    }
    std::printf("%s\n", root.WorkFolder().c_str());
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--code-page")) {
        std::fprintf(stderr, "usage: make_slideshows FIXTURE-FOLDER [--code-page N]\n");
        return 2;
    }
    const std::string fixtures = argv[1];
    testenv::TestRoot root("browser");
    root.InstallTemplate();
    root.InstallArchiver();
    g_strDataFolder.clear();
    if (argc == 4) return MakeCodePageSlideshow(root, fixtures, static_cast<unsigned>(std::atoi(argv[3])));
    root.InstallFlashPlayer();

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

    {
        // Texts with markup characters, a saved page whose folder's name is
        // in mixed case and whose script reads its window's name, and
        // documents whose names a URL cannot hold as they are.
        CAmbrelUtilities u;
        Describe(u, "Q&A <draft> \"quoted\" it's", "Not Automated", "Standard");
        u.m_strSubtitle = "<i>not italic</i>";
        u.m_strAuthor = "Ann & <b>Bob</b>";
        u.m_strDate = "\"1\" & '2'";
        AddGroup(u, "<b>Group</b> & 'more'");
        AddFile(u, "Report <saved> & \"complete\"", fixtures + "\\Report.HTM");
        AddFile(u, "Results #2", fixtures + "\\Results #2.html");
        AddFile(u, "A hundred percent", fixtures + "\\100%.html");
        AddFile(u, "Spaced \xe9t\xe9", fixtures + "\\My page \xe9t\xe9.html");
        AddUrl(u, "Live 'query'", "http://live.ambrel.test/index.html?a=1&b=\"2\"");
        u.GeneratePackage(root.DataFolder() + "names.ambd");
    }
    {
        CAmbrelUtilities u;
        Describe(u, "Movie", "Not Automated", "Standard");
        AddFile(u, "Blue & yellow", fixtures + "\\Movie.swf");
        u.GeneratePackage(root.DataFolder() + "flash.ambd");
    }

    for (const char* name : {"document", "auto", "album", "empty", "dissolve", "wipe", "box", "names", "flash"}) {
        std::string left = root.WorkFolder() + name + "\\resources\\left.html";
        if (!testenv::Exists(left)) {
            std::fprintf(stderr, "make_slideshows: %s was not made\n", left.c_str());
            return 1;
        }
    }
    std::printf("%s\n", root.WorkFolder().c_str());
    return 0;
}
