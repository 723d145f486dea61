// A whole generation under Wine, from a list the way a user builds one: the
// package folder's tree, every file the generation changes, the user's files
// left as they were, the Save dialog and the page shown at the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "framework/file_dialog.h"
#include "framework/win_app.h"
#include "model/ambrel_utilities.h"
#include "system/install_paths.h"
#include "tests/generate/list_entries.h"
#include "tests/support/gui_driver.h"
#include "tests/support/test_env.h"

using listentries::AddFile;
using listentries::AddGroup;
using listentries::AddUrl;
using testenv::Exists;
using testenv::IsDirectory;
using testenv::ReadFile;
using testenv::WriteFile;

namespace {

const char kReportPage[] = "<HTML><HEAD><TITLE>Report</TITLE>\r\n"
                           "<script>var w = window.name; if (Window.Name) w = top.window.name;</script>\r\n"
                           "</HEAD><BODY><img src=\"Report_files/img/logo.gif\">window.name</BODY></HTML>\r\n";
// A page that read "window.name" gets a definition of the name that stands
// in for it, right after its head tag.
#define STAND_IN "\r\n<script>var abc123 = \"\";</script>\r\n"
const char kReportPrepared[] = "<HTML><HEAD>%TAG%" STAND_IN "<TITLE>Report</TITLE>\r\n"
                               "<script>var w = abc123; if (Window.Name) w = top.abc123;</script>\r\n"
                               "</HEAD><BODY><img src=\"Report_files/img/logo.gif\">abc123</BODY></HTML>\r\n";
const char kArchive[] = "MIME-Version: 1.0\r\nContent-Type: text/html\r\n\r\n<html><head></head>"
                        "<body onload=\"window.name='x'\">window.name</body></html>\r\n";
const char kArchivePrepared[] = "MIME-Version: 1.0\r\nContent-Type: text/html\r\n\r\n<html><head>" STAND_IN "</head>"
                                "<body onload=\"abc123='x'\">abc123</body></html>\r\n";
const char kNotes[] = "<html><head lang=\"en\"><title>Notes</title></head><body>window.name</body></html>";
const char kNotesPrepared[] =
    "<html><head lang=\"en\">" STAND_IN "<title>Notes</title></head><body>abc123</body></html>";

std::string Binary(const std::string& head, size_t size)
{
    std::string s = head;
    for (size_t i = 0; s.size() < size; ++i) s += static_cast<char>((i * 131 + 7) & 0xff);
    return s;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The tag each transition name inserts after a page's head tag.
std::string TagOf(const std::string& transition)
{
    if (transition == "Dissolve")
        return "\r\n<META http-equiv=\"Page-Enter\" CONTENT=\"RevealTrans(Duration=2,Transition=12)\">\r\n";
    if (transition == "Wipe")
        return "\r\n<META http-equiv=\"Page-Enter\" CONTENT=\"RevealTrans(Duration=2,Transition=6)\">\r\n";
    if (transition == "Fade") return "\r\n<meta http-equiv=\"Page-Enter\" content=\"blendTrans(Duration=2)\">\r\n";
    if (transition == "Box")
        return "\r\n<META http-equiv=\"Page-Enter\" CONTENT=\"RevealTrans(Duration=2,Transition=0)\">\r\n";
    return "";
}

// Every file below a folder with its content.
std::map<std::string, std::string> Snapshot(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const std::string& name : testenv::ListFiles(folder)) files[name] = ReadFile(folder + "\\" + name);
    return files;
}

// The test's install root with the template, the recorder as the browser,
// and a folder of the user's documents.
class Generation : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_strDataFolder.clear();
        m_root.InstallTemplate();
        m_root.InstallArchiver();
        m_docs = m_root.Base() + "\\My Documents";
        m_template = testenv::SourceDir() + "\\data\\template";
    }
    void TearDown() override { CFileDialog::SetChooser(nullptr); }

    // The Save dialog answers with this path (or cancels for "").
    void Answer(const std::string& path)
    {
        CFileDialog::SetChooser([this, path](const CFileDialog::Request& request, std::vector<std::string>& paths) {
            m_requests.push_back(request);
            if (path.empty()) return false;
            paths.push_back(path);
            return true;
        });
    }

    std::string Package(const std::string& name) const { return m_root.WorkFolder() + name; }
    std::string Template(const std::string& relative) const { return ReadFile(m_template + "\\" + relative); }

    testenv::TestRoot m_root;
    testenv::Recorder m_recorder;
    std::string m_docs;
    std::string m_template;
    std::vector<CFileDialog::Request> m_requests;
};

// ---- The fixture list, for every transition and both fittings --------------

struct Variant {
    const char* transition;
    bool fit;
};
void PrintTo(const Variant& v, std::ostream* os) { *os << v.transition << (v.fit ? "+fit" : "+nofit"); }

class GenerationOfTheFixtureList : public Generation, public ::testing::WithParamInterface<Variant> {
protected:
    void FillDocuments()
    {
        m_root.InstallFlashPlayer();
        WriteFile(m_docs + "\\Report.pdf", Binary("%PDF-1.4\n", 5000));
        WriteFile(m_docs + "\\Web\\Report.HTM", kReportPage);
        WriteFile(m_docs + "\\Web\\Report_files\\style.css", "body { color: navy }");
        WriteFile(m_docs + "\\Web\\Report_files\\img\\logo.gif", Binary("GIF89a", 300));
        testenv::MakeDirectories(m_docs + "\\Web\\Report_files\\empty");
        WriteFile(m_docs + "\\Web\\Archive.mht", kArchive);
        WriteFile(m_docs + "\\Web\\Notes.html", kNotes);
        WriteFile(m_docs + "\\Pictures\\Beach.JPG", Binary("\xff\xd8\xff\xe0", 20000));
        WriteFile(m_docs + "\\Movie.swf", Binary("FWS\x09", 900));
    }
    void FillList(CAmbrelUtilities& u)
    {
        AddGroup(u, "Documents");
        AddFile(u, "Annual report", m_docs + "\\Report.pdf");
        AddFile(u, "Report", m_docs + "\\Web\\Report.HTM");
        AddFile(u, "Archive", m_docs + "\\Web\\Archive.mht");
        AddFile(u, "Notes", m_docs + "\\Web\\Notes.html");
        AddGroup(u, "Media");
        AddFile(u, "Sunset", m_docs + "\\Pictures\\Beach.JPG");
        AddFile(u, "Intro", m_docs + "\\Movie.swf");
        AddUrl(u, "Live", "http://www.example.com/");
        AddFile(u, "Report again", m_docs + "\\Web\\Report.HTM");
    }
};

TEST_P(GenerationOfTheFixtureList, BuildsThePackageFolderAndShowsIt)
{
    const Variant v = GetParam();
    FillDocuments();
    const std::map<std::string, std::string> documentsBefore = Snapshot(m_docs);

    CAmbrelUtilities u;
    FillList(u);
    u.m_strTitle = "Review";
    u.m_strAutoSeconds = "Not Automated";
    u.m_strTransition = v.transition;
    u.m_bFitImages = v.fit;
    Answer(m_root.DataFolder() + "show.ambd");
    u.GeneratePackage("");

    // The Save dialog as it was asked for.
    ASSERT_EQ(1u, m_requests.size());
    EXPECT_FALSE(m_requests[0].open);
    EXPECT_EQ("ambd", m_requests[0].defaultExt);
    EXPECT_EQ("", m_requests[0].fileName);
    EXPECT_EQ(0u, m_requests[0].flags);
    EXPECT_EQ("Ambrel Documents (*.ambd)|*.ambd||", m_requests[0].filter);

    // The tree: the template, the copies, the photo page, the movie's page
    // with the player, and the saved page's folder under its own name with
    // its whole tree.
    const std::string package = Package("show");
    std::vector<std::string> expected = {"index.html",
                                         "resources\\Archive.mht",
                                         "resources\\Beach.JPG",
                                         "resources\\Movie.swf",
                                         "resources\\movie.swf.html",
                                         "resources\\movie.swf.js",
                                         "resources\\Notes.html",
                                         "resources\\Report.HTM",
                                         "resources\\Report.pdf",
                                         "resources\\beach.html",
                                         "resources\\blue.gif",
                                         "resources\\btn_animation.gif",
                                         "resources\\btn_start.gif",
                                         "resources\\btn_stop.gif",
                                         "resources\\button_get_viewers.gif",
                                         "resources\\button_help.gif",
                                         "resources\\button_next.gif",
                                         "resources\\button_prev.gif",
                                         "resources\\help.html",
                                         "resources\\left.html",
                                         "resources\\main.html",
                                         "resources\\photo.css",
                                         "resources\\photo.html",
                                         "resources\\slideshow.css",
                                         "resources\\slideshow.js",
                                         "resources\\Report_files\\img\\logo.gif",
                                         "resources\\Report_files\\style.css"};
    const std::string player = m_root.ProgramFolder() + "flash\\ruffle";
    ASSERT_TRUE(Exists(player + "\\ruffle.js")) << "the build laid out the player";
    for (const std::string& file : testenv::ListFiles(player)) expected.push_back("resources\\ruffle\\" + file);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, testenv::ListFiles(package));
    EXPECT_EQ(ReadFile(player + "\\ruffle.js"), ReadFile(package + "\\resources\\ruffle\\ruffle.js"));
    // Every web page gets a folder for its resources, even an empty one; a
    // web archive gets none, and empty folders of the source are not copied.
    EXPECT_TRUE(IsDirectory(package + "\\resources\\notes_files"));
    EXPECT_TRUE(IsDirectory(package + "\\resources\\beach_files"));
    EXPECT_FALSE(Exists(package + "\\resources\\archive_files"));
    EXPECT_FALSE(Exists(package + "\\resources\\Report_files\\empty"));

    // The main frame starts with the first entry.
    EXPECT_EQ(Replaced(Template("index.html"), "resources/main.html", "resources/Report.pdf"),
              ReadFile(package + "\\index.html"));
    EXPECT_NE(std::string::npos, ReadFile(package + "\\index.html").find("src=\"resources/Report.pdf\""));

    // Copies that are not edited.
    EXPECT_EQ(documentsBefore.at("Report.pdf"), ReadFile(package + "\\resources\\Report.pdf"));
    EXPECT_EQ(documentsBefore.at("Movie.swf"), ReadFile(package + "\\resources\\Movie.swf"));
    EXPECT_EQ(documentsBefore.at("Pictures\\Beach.JPG"), ReadFile(package + "\\resources\\Beach.JPG"));
    EXPECT_EQ("body { color: navy }", ReadFile(package + "\\resources\\Report_files\\style.css"));
    EXPECT_EQ(documentsBefore.at("Web\\Report_files\\img\\logo.gif"),
              ReadFile(package + "\\resources\\Report_files\\img\\logo.gif"));
    for (const char* picture : {"blue.gif", "button_prev.gif", "btn_stop.gif", "help.html", "main.html", "photo.html"})
        EXPECT_EQ(Template(std::string("resources\\") + picture), ReadFile(package + "\\resources\\" + picture));

    // Web pages: "window.name" replaced, the tag after "<HEAD>" (the second
    // entry of the same file made a fresh copy first); a head tag with an
    // attribute gets none, and a web archive only the replacement.
    const std::string tag = TagOf(v.transition);
    EXPECT_EQ(Replaced(kReportPrepared, "%TAG%", tag), ReadFile(package + "\\resources\\Report.HTM"));
    EXPECT_EQ(kNotesPrepared, ReadFile(package + "\\resources\\Notes.html"));
    EXPECT_EQ(kArchivePrepared, ReadFile(package + "\\resources\\Archive.mht"));

    // The photo page: the template with the picture and caption, fitted or
    // not, and the tag like every page.
    std::string photo =
        Replaced(Replaced(Template("resources\\photo.html"), "##jpeg##", "Beach.JPG"), "##caption##", "Sunset");
    if (!v.fit) photo = Replaced(photo, "height=\"84%\"", "");
    photo = Replaced(photo, "<head>", "<head>" + tag);
    EXPECT_EQ(photo, ReadFile(package + "\\resources\\beach.html"));
    EXPECT_NE(std::string::npos, photo.find("src=\"Beach.JPG\""));
    EXPECT_EQ(v.fit, photo.find("height=\"84%\"") != std::string::npos);

    // The movie's page: the installation's movie page with the movie, its
    // script and its caption; the script holds the movie in base64 (four
    // characters for every three bytes).
    EXPECT_EQ(
        Replaced(Replaced(Replaced(ReadFile(m_root.ProgramFolder() + "flash\\flash.html"), "##swf##", "Movie.swf"),
                          "##movie##", "movie.swf.js"),
                 "##caption##", "Intro"),
        ReadFile(package + "\\resources\\movie.swf.html"));
    const std::string movieScript = ReadFile(package + "\\resources\\movie.swf.js");
    EXPECT_EQ(0u, movieScript.find("window.AmbrelFlashMovie = \"RldTCQ"));
    EXPECT_EQ(movieScript.size() - 4, movieScript.find("\";\r\n"));
    EXPECT_EQ(std::string("window.AmbrelFlashMovie = \"").size() + 900 / 3 * 4 + 4, movieScript.size());

    // The navigation frame: the template around the navigation text.
    const std::string left = ReadFile(package + "\\resources\\left.html");
    const std::string leftTemplate = Template("resources\\left.html");
    const size_t marker = leftTemplate.find("##contents##");
    ASSERT_NE(std::string::npos, marker);
    EXPECT_EQ(0u, left.find(leftTemplate.substr(0, marker)));
    const std::string after = leftTemplate.substr(marker + 12);
    EXPECT_EQ(left.size() - after.size(), left.rfind(after));
    EXPECT_NE(std::string::npos, left.find("<body onLoad=\"\">"));
    const char* table[] = {"Report.pdf",
                           "Report.HTM",
                           "Archive.mht",
                           "Notes.html",
                           "beach.html",
                           "movie.swf.html",
                           "http://www.example.com/",
                           "Report.HTM"};
    std::string addresses = "address = new Array(8);\r\n";
    for (int k = 0; k < 8; ++k) addresses += "address[" + std::to_string(k + 1) + "] = \"" + table[k] + "\";\r\n";
    EXPECT_NE(std::string::npos, left.find(addresses));
    EXPECT_NE(std::string::npos, left.find("<p><span class=\"header\">Review</span><br>\r\n"));
    EXPECT_NE(std::string::npos, left.find("<span class=\"dented\"> <a href=\"beach.html\" target=\"main\" "
                                           "onclick=\"javaScript:GoTo(5)\">Sunset</a></span><br>\r\n"));
    EXPECT_LT(left.find("GoTo(4)\">Notes"), left.find("<span class=\"header\">Media</span>"));
    EXPECT_LT(left.find("<span class=\"header\">Media</span>"), left.find("GoTo(5)\">Sunset"));

    // The user's documents are as they were.
    EXPECT_EQ(documentsBefore, Snapshot(m_docs));

    // The browser was asked for the page just built.
    ASSERT_TRUE(m_recorder.WaitForLines(1));
    EXPECT_EQ(testenv::Lower(package + "\\index.html"), testenv::Lower(m_recorder.Lines()[0]));
    EXPECT_TRUE(m_recorder.StaysAt(1, 300));
}

INSTANTIATE_TEST_SUITE_P(Transitions, GenerationOfTheFixtureList,
                         ::testing::Values(Variant{"Standard", true}, Variant{"Standard", false},
                                           Variant{"Dissolve", true}, Variant{"Dissolve", false}, Variant{"Wipe", true},
                                           Variant{"Wipe", false}, Variant{"Fade", true}, Variant{"Fade", false},
                                           Variant{"Box", true}, Variant{"Box", false}));

// ---- Output names -------------------------------------------------------------

TEST_F(Generation, CancellingTheSaveDialogTouchesNothing)
{
    WriteFile(Package("show") + "\\index.html", "earlier");
    CAmbrelUtilities u;
    AddUrl(u, "Live", "http://x/");
    Answer("");
    u.GeneratePackage("");
    EXPECT_EQ(1u, m_requests.size());
    EXPECT_EQ((std::vector<std::string>{"show\\index.html"}), testenv::ListFiles(m_root.WorkFolder()));
    EXPECT_TRUE(m_recorder.StaysAt(0, 1000));
}

TEST_F(Generation, ANameWithoutTheEndingGetsItAndItsOwnFolderIsShown)
{
    CAmbrelUtilities u;
    u.m_strAutoSeconds = "Not Automated";
    Answer(m_root.DataFolder() + "holiday");
    u.GeneratePackage("");
    EXPECT_TRUE(Exists(Package("holiday") + "\\resources\\left.html"));
    ASSERT_TRUE(m_recorder.WaitForLines(1));
    EXPECT_EQ(testenv::Lower(Package("holiday") + "\\index.html"), testenv::Lower(m_recorder.Lines()[0]));
}

TEST_F(Generation, ANameThatGivesNoFolderNeverEmptiesTheWorkFolder)
{
    WriteFile(m_root.WorkFolder() + "index.html", "a page left in the work folder");
    WriteFile(Package("other") + "\\index.html", "another package");
    CWinApp app("Ambrel");
    for (const char* name : {".ambd", "..ambd", "...ambd", " .ambd", "CON.ambd", "x..ambd"}) {
        CAmbrelUtilities u;
        Answer(m_root.DataFolder() + name);
        // The user is told why nothing was saved.
        std::string box;
        gui::RunDriven([&] { u.GeneratePackage(""); },
                       [&] {
                           HWND window = gui::WaitForMessageBox();
                           if (!window) return;
                           box = gui::StaticTexts(window);
                           ::PostMessageA(window, WM_COMMAND, IDOK, 0);
                       });
        EXPECT_EQ(0u, box.find(std::string("The package cannot be saved as \"") + name + "\": its name "))
            << name << ": " << box;
        EXPECT_EQ((std::vector<std::string>{"index.html", "other\\index.html"}),
                  testenv::ListFiles(m_root.WorkFolder()))
            << name;
    }
    EXPECT_EQ("a page left in the work folder", ReadFile(m_root.WorkFolder() + "index.html"));
    EXPECT_TRUE(m_recorder.StaysAt(0, 1000));
}

TEST_F(Generation, AGivenOutputPathAsksNothingAndOpensNothing)
{
    CAmbrelUtilities u;
    Answer(m_root.DataFolder() + "never.ambd");
    u.GeneratePackage(m_root.DataFolder() + "given.ambd");
    EXPECT_TRUE(m_requests.empty());
    EXPECT_TRUE(Exists(Package("given") + "\\index.html"));
    EXPECT_TRUE(m_recorder.StaysAt(0, 1000));
}

// ---- Rebuilding and the options -----------------------------------------------

TEST_F(Generation, TheSameNameIsRebuiltFromScratchWithItsOwnThumbnails)
{
    WriteFile(m_docs + "\\a.jpg", Binary("\xff\xd8", 100));
    WriteFile(m_docs + "\\b.jpeg", Binary("\xff\xd8", 100));
    CAmbrelUtilities u;
    u.m_strAutoSeconds = "Not Automated";
    AddFile(u, "A", m_docs + "\\a.jpg");
    u.m_bThumbnails = 1;
    u.GeneratePackage(m_root.DataFolder() + "album.ambd");
    const std::string left = Package("album") + "\\resources\\left.html";
    EXPECT_NE(std::string::npos, ReadFile(left).find("<img border=\"0\" src=\"a.jpg\" height=\"50\">"));
    WriteFile(Package("album") + "\\resources\\stale.txt", "left over");

    // Another list, thumbnails off: nothing of the first build stays, and
    // its thumbnail names do not come back.
    u.m_listGroups.RemoveAll();
    u.m_listTitles.RemoveAll();
    u.m_listFiles.RemoveAll();
    u.m_listURLs.RemoveAll();
    AddFile(u, "B", m_docs + "\\b.jpeg");
    u.m_bThumbnails = 0;
    u.GeneratePackage(m_root.DataFolder() + "album.ambd");
    EXPECT_FALSE(Exists(Package("album") + "\\resources\\stale.txt"));
    EXPECT_FALSE(Exists(Package("album") + "\\resources\\a.jpg"));
    EXPECT_TRUE(Exists(Package("album") + "\\resources\\b.html"));
    EXPECT_EQ(std::string::npos, ReadFile(left).find("height=\"50\""));
    EXPECT_TRUE(u.m_listThumbnails.IsEmpty());
}

TEST_F(Generation, AnEmptyListStillMakesAPackageThatShowsTheMainPage)
{
    CAmbrelUtilities u;
    u.m_strAutoSeconds = "Not Automated";
    AddGroup(u, "Only a heading");
    u.GeneratePackage(m_root.DataFolder() + "empty.ambd");
    EXPECT_EQ(Template("index.html"), ReadFile(Package("empty") + "\\index.html"));
    const std::string left = ReadFile(Package("empty") + "\\resources\\left.html");
    EXPECT_NE(std::string::npos, left.find("address = new Array(0);\r\n"));
    EXPECT_NE(std::string::npos, left.find("<span class=\"header\">Only a heading</span>"));
    EXPECT_EQ(std::string::npos, left.find("onclick=\"javaScript:GoTo("));
}

TEST_F(Generation, AnAutomatedShowStartsOnLoadAndCarriesItsMusic)
{
    WriteFile(m_docs + "\\Music\\Theme.mp3", Binary("ID3", 4000));
    CAmbrelUtilities u;
    AddUrl(u, "Live", "http://www.example.com/");
    u.m_strAutoSeconds = "5";
    u.m_strMusicFile = m_docs + "\\Music\\Theme.mp3";
    u.m_bLoopMusic = 0;
    u.GeneratePackage(m_root.DataFolder() + "auto.ambd");
    const std::string left = ReadFile(Package("auto") + "\\resources\\left.html");
    EXPECT_NE(std::string::npos, left.find("<body onLoad=\"animate()\">"));
    EXPECT_EQ(std::string::npos, left.find("onLoad=\"\""));
    EXPECT_NE(std::string::npos, left.find("setTimeout(\"animate()\", 5000);"));
    EXPECT_NE(std::string::npos, left.find("<p><EMBED SRC=\"Theme.mp3\" autostart=\"true\" loop=\"false\""));
    EXPECT_EQ(ReadFile(m_docs + "\\Music\\Theme.mp3"), ReadFile(Package("auto") + "\\resources\\Theme.mp3"));
    // A live address starts the main frame.
    EXPECT_NE(std::string::npos, ReadFile(Package("auto") + "\\index.html").find("src=\"http://www.example.com/\""));
}

TEST_F(Generation, FitImagesOffRemovesEveryFittingOfThePhotoTemplate)
{
    WriteFile(m_root.ProgramFolder() + "template\\resources\\photo.html",
              "<html><head></head><body><div height=\"84%\"><img src=\"##jpeg##\" height=\"84%\" "
              "alt=\"##caption##\"></div><p>##caption## height=\"84%\"</p></body></html>");
    WriteFile(m_docs + "\\Tree.Jpeg", Binary("\xff\xd8", 100));
    CAmbrelUtilities u;
    AddFile(u, "<b>Oak</b>", m_docs + "\\Tree.Jpeg");
    u.m_bFitImages = 0;
    u.m_strTransition = "Standard";
    u.GeneratePackage(m_root.DataFolder() + "fit.ambd");
    EXPECT_EQ("<html><head></head><body><div ><img src=\"Tree.Jpeg\"  alt=\"&lt;b&gt;Oak&lt;/b&gt;\"></div><p>"
              "&lt;b&gt;Oak&lt;/b&gt; </p></body></html>",
              ReadFile(Package("fit") + "\\resources\\tree.html"));
    EXPECT_NE(std::string::npos, ReadFile(Package("fit") + "\\index.html").find("resources/tree.html"));
}

// Generation that cannot be done whole is told, and shows and packs nothing.
// The text of the message box it ends with.
std::string GenerateAndReadTheMessage(CAmbrelUtilities& u, const std::string& outputPath)
{
    CWinApp app("Ambrel");
    return gui::RunAndReadTheMessage([&] { u.GeneratePackage(outputPath); });
}

TEST_F(Generation, ADocumentThatCannotBeReadIsNamedAndNothingIsPacked)
{
    // The second entry names a page that is not there (deleted after it was
    // added): the package is not made, and the message names the document.
    WriteFile(m_docs + "\\a\\page.html", "<head></head>");
    CAmbrelUtilities u;
    AddFile(u, "First", m_docs + "\\a\\page.html");
    AddFile(u, "Second", m_docs + "\\gone\\page.html");
    u.m_strTransition = "Box";
    EXPECT_NE(std::string::npos,
              GenerateAndReadTheMessage(u, m_root.DataFolder() + "twice.ambd").find(m_docs + "\\gone\\page.html"));
    EXPECT_FALSE(Exists(m_root.DataFolder() + "twice.ambd"));
    EXPECT_TRUE(m_recorder.StaysAt(0, 1000));
}

TEST_F(Generation, AnUnknownTransitionLeavesPagesAsTheyWere)
{
    WriteFile(m_docs + "\\page.htm", "<HEAD></HEAD>x");
    CAmbrelUtilities u;
    AddFile(u, "Page", m_docs + "\\page.htm");
    u.m_strTransition = "Checkerboard";
    u.GeneratePackage(m_root.DataFolder() + "odd.ambd");
    EXPECT_EQ("<HEAD></HEAD>x", ReadFile(Package("odd") + "\\resources\\page.htm"));
}

TEST_F(Generation, WithoutATemplateNothingIsShown)
{
    testenv::RemoveTree(m_root.ProgramFolder() + "template");
    CAmbrelUtilities u;
    AddUrl(u, "Live", "http://x/");
    Answer(m_root.DataFolder() + "bare.ambd");
    EXPECT_NE(std::string::npos, GenerateAndReadTheMessage(u, "").find("template"));
    EXPECT_TRUE(IsDirectory(Package("bare")));
    EXPECT_FALSE(Exists(Package("bare") + "\\resources\\left.html"));
    EXPECT_TRUE(m_recorder.StaysAt(0, 1000));
}

} // namespace
