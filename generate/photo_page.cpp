// The pages that show one picture or play one Flash movie of a package, with
// its caption.
#include <windows.h>

#include "framework/ansi_text.h"
#include "framework/file.h"
#include "generate/entry_plan.h"
#include "generate/page_charset.h"
#include "generate/page_escaping.h"
#include "generate/page_file.h"
#include "generate/page_template.h"
#include "model/ambrel_utilities.h"
#include "model/install_layout.h"
#include "model/package_names.h"
#include "model/replace_all.h"

namespace {
// Writes the script that carries a movie in base64, read and written in
// pieces so that memory stays the same for movies of any size. A movie that
// cannot be read leaves no script; its page then says that it is missing.
void WriteMovieScript(const std::string& moviePath, const std::string& scriptPath)
{
    CFile in;
    CFile out;
    if (!in.Open(moviePath, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) return;
    if (!out.Open(scriptPath, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary)) return;
    const std::string head = "window.AmbrelFlashMovie = \"";
    const std::string tail = "\";\r\n";
    // Whole groups of three bytes, so that the pieces join.
    std::string piece(kFilePieceSize - kFilePieceSize % 3, '\0');
    try {
        out.Write(head.data(), static_cast<UINT>(head.size()));
        for (size_t got = piece.size(); got == piece.size();) {
            got = 0;
            for (UINT n = 1; n && got < piece.size(); got += n)
                n = in.Read(&piece[got], static_cast<UINT>(piece.size() - got));
            const std::string text = Base64(piece.substr(0, got));
            out.Write(text.data(), static_cast<UINT>(text.size()));
        }
        out.Write(tail.data(), static_cast<UINT>(tail.size()));
        out.Close();
    } catch (const CFileException&) {
        out.Abort();
        ::DeleteFileA(scriptPath.c_str());
    }
}
} // namespace

std::string PageFromTemplate(std::string page, const std::vector<std::pair<std::string, std::string>>& replacements)
{
    for (const auto& replacement : replacements) ReplaceAll(page, replacement.first, replacement.second);
    DeclareCharset(page, AnsiCharset());
    return page;
}

bool MakePageFromTemplate(const std::string& templatePath, const std::string& pagePath,
                          const std::vector<std::pair<std::string, std::string>>& replacements)
{
    std::string page;
    if (!ReadWholeFile(templatePath, page)) return false;
    return WriteWholeFile(pagePath, PageFromTemplate(page, replacements));
}

std::string PhotoPageText(const std::string& photoTemplate, const std::string& sourceFileName, const std::string& title,
                          bool fitImages)
{
    // The template fits the picture to the window by its height attribute;
    // without it the picture shows at its own size.
    std::vector<std::pair<std::string, std::string>> replacements = {
        {"##jpeg##", HtmlEscaped(FileNameUrl(sourceFileName))}, {"##caption##", HtmlEscaped(title)}};
    if (!fitImages) replacements.push_back({"height=\"84%\"", ""});
    return PageFromTemplate(photoTemplate, replacements);
}

void CAmbrelUtilities::MakePhotoPage(std::string root, std::string packageFolder, std::string pageName,
                                     std::string sourceFileName, std::string title, BOOL fitImages)
{
    // From the installation's template, not from the package's copy of it.
    std::string photoTemplate;
    if (!ReadWholeFile(root + layout::kPhotoTemplate, photoTemplate)) return;
    WriteWholeFile(packageFolder + "\\resources\\" + pageName,
                   PhotoPageText(photoTemplate, sourceFileName, title, fitImages != FALSE));
}

void MakeFlashPage(const std::string& root, const std::string& packageFolder, const PlannedEntry& entry)
{
    const std::string resources = packageFolder + "\\resources\\";
    const std::string player = resources + layout::kPackagePlayerFolder;
    const std::string installedPlayer = root + layout::kFlashPlayerFolder;
    const DWORD attributes = ::GetFileAttributesA(player.c_str());
    const bool carried = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (!carried) CAmbrelUtilities::CopyTree(installedPlayer + "\\*.*", installedPlayer, player);
    // The movie's copy, once more as a script, for the page opened from a
    // file.
    const std::string script = FlashMovieScriptName(entry.lowerPath);
    WriteMovieScript(resources + entry.sourceFileName, resources + script);
    MakePageFromTemplate(root + layout::kFlashPageTemplate, resources + entry.pageName,
                         {{"##swf##", HtmlEscaped(FileNameUrl(entry.sourceFileName))},
                          {"##movie##", HtmlEscaped(FileNameUrl(script))},
                          {"##caption##", HtmlEscaped(entry.title)}});
}
