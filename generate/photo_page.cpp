// The pages that show one picture or play one Flash movie of a package, with
// its caption.
#include <windows.h>

#include "framework/ansi_text.h"
#include "generate/entry_plan.h"
#include "generate/page_charset.h"
#include "generate/page_escaping.h"
#include "generate/page_file.h"
#include "generate/page_template.h"
#include "model/ambrel_utilities.h"
#include "model/install_layout.h"
#include "model/package_names.h"
#include "model/replace_all.h"

bool MakePageFromTemplate(const std::string& templatePath, const std::string& pagePath,
                          const std::vector<std::pair<std::string, std::string>>& replacements)
{
    std::string page;
    if (!ReadWholeFile(templatePath, page)) return false;
    for (const auto& replacement : replacements) ReplaceAll(page, replacement.first, replacement.second);
    DeclareCharset(page, AnsiCharset());
    return WriteWholeFile(pagePath, page);
}

void CAmbrelUtilities::MakePhotoPage(std::string root, std::string packageFolder, std::string pageName,
                                     std::string sourceFileName, std::string title, BOOL fitImages)
{
    // From the installation's template, not from the package's copy of it.
    // The template fits the picture to the window by its height attribute;
    // without it the picture shows at its own size.
    std::vector<std::pair<std::string, std::string>> replacements = {
        {"##jpeg##", HtmlEscaped(FileNameUrl(sourceFileName))}, {"##caption##", HtmlEscaped(title)}};
    if (!fitImages) replacements.push_back({"height=\"84%\"", ""});
    MakePageFromTemplate(root + layout::kPhotoTemplate, packageFolder + "\\resources\\" + pageName, replacements);
}

void MakeFlashPage(const std::string& root, const std::string& packageFolder, const PlannedEntry& entry)
{
    const std::string resources = packageFolder + "\\resources\\";
    const std::string player = resources + layout::kPackagePlayerFolder;
    const std::string installedPlayer = root + layout::kFlashPlayerFolder;
    const DWORD attributes = ::GetFileAttributesA(player.c_str());
    const bool carried = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (!carried) CAmbrelUtilities::CopyTree(installedPlayer + "\\*.*", installedPlayer, player);
    // The movie's copy, once more as a script for the page.
    const std::string script = FlashMovieScriptName(entry.lowerPath);
    std::string movie;
    if (ReadWholeFile(resources + entry.sourceFileName, movie))
        WriteWholeFile(resources + script, "window.AmbrelFlashMovie = \"" + Base64(movie) + "\";\r\n");
    MakePageFromTemplate(root + layout::kFlashPageTemplate, resources + entry.pageName,
                         {{"##swf##", HtmlEscaped(FileNameUrl(entry.sourceFileName))},
                          {"##movie##", HtmlEscaped(FileNameUrl(script))},
                          {"##caption##", HtmlEscaped(entry.title)}});
}
