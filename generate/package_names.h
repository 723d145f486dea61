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
// would give it. False when no package folder strictly below the work folder
// can come of the name: an empty name, "." or "..", a name of dots and
// blanks only (the system drops those at a name's end), or one holding a
// character that names no file (a path separator, ':' and the like).
bool DerivePackageNames(const std::string& outputPath, PackageNames& names);

// The part of an entry's path after its last backslash, in its own case.
std::string SourceFileName(const std::string& path);

// A file entry whose lower-case path ends with ".jpg" or ".jpeg".
bool IsPhotoPath(const std::string& lowerPath);

// The photo page of a picture: the lower-case name between the last
// backslash and the last dot, followed by ".html" (Beach.JPG: beach.html).
std::string PhotoPageName(const std::string& lowerPath);

// True for a lower-case path of a web page (".html" or ".htm") and of a web
// archive (".mht").
bool IsWebPagePath(const std::string& lowerPath);
bool IsWebArchivePath(const std::string& lowerPath);

// The resource folder saved beside a web page: the page path up to its last
// dot, followed by "_files" (c:\web\report.htm: c:\web\report_files).
std::string WebPageResourceFolder(const std::string& lowerPagePath);
