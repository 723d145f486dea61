// The names a generation derives from its output path and from each entry's
// path. Portable text work only.
#pragma once

#include <string>

// The names of one package. The package folder is the work folder followed
// by packageName, and the page opened afterwards is the work folder followed
// by baseName and "\index.html": the two name the same folder.
struct PackageNames {
    std::string outputPath;     // the package file, always ending in ".ambd"
    std::string outputFileName; // its part after the last backslash
    std::string packageName;    // the output file name without ".ambd"
    std::string baseName;       // the output file name up to its last dot
};

// Derives the names from a chosen output path. A name without the ".ambd"
// ending (in any letter case) gets it, as the Save dialog's default extension
// would give it. False, with the reason in `problem`, when the package name
// would not name a folder of its own directly inside the work folder
// (WrittenNameProblem).
bool DerivePackageNames(const std::string& outputPath, PackageNames& names, std::string* problem = nullptr);

// Why a name that comes from outside (a list entry's path, a chosen package
// name, the music file) cannot be written as a file or folder of its own
// directly inside the package's folders; "" when it can. Every name that
// generation derives from such text and writes to is checked here first, so
// that nothing a list holds can make it write anywhere else.
std::string WrittenNameProblem(const std::string& name);

// The part of an entry's path after its last backslash, in its own case.
std::string SourceFileName(const std::string& path);

// A file entry whose lower-case path ends with ".jpg" or ".jpeg".
bool IsPhotoPath(const std::string& lowerPath);

// The photo page of a picture: the lower-case name between the last
// backslash and the last dot, followed by ".html" (Beach.JPG: beach.html).
std::string PhotoPageName(const std::string& lowerPath);

// A file entry whose lower-case path ends with ".swf": a Flash movie.
bool IsFlashPath(const std::string& lowerPath);

// The page that plays a Flash movie: the lower-case file name followed by
// ".html" (Intro.SWF: intro.swf.html), a name no page saved beside the
// movie has.
std::string FlashPageName(const std::string& lowerPath);

// The script that carries a Flash movie for its page (Intro.SWF:
// intro.swf.js), which pages opened from a file can load where they could
// not fetch the movie itself.
std::string FlashMovieScriptName(const std::string& lowerPath);

// True for a lower-case path of a web page (".html" or ".htm") and of a web
// archive (".mht").
bool IsWebPagePath(const std::string& lowerPath);
bool IsWebArchivePath(const std::string& lowerPath);

// The resource folder saved beside a web page: the page path up to its last
// dot, followed by "_files" (c:\web\report.htm: c:\web\report_files).
std::string WebPageResourceFolder(const std::string& lowerPagePath);
