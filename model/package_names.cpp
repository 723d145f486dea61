#include "model/package_names.h"

#include "arch/safe_name.h"
#include "framework/ansi_text.h"

namespace {
const char kPackageEnding[] = ".ambd";
const std::string::size_type kPackageEndingLength = sizeof(kPackageEnding) - 1;
} // namespace

std::string WrittenNameProblem(const std::string& name) { return arch::FileNameProblem(name, IsAnsiLeadByte); }

bool DerivePackageNames(const std::string& outputPath, PackageNames& names, std::string* problem)
{
    names = PackageNames();
    names.outputPath = outputPath;
    if (!EndsWith(AnsiLower(AfterLastBackslash(outputPath)), kPackageEnding)) names.outputPath += kPackageEnding;
    names.outputFileName = AfterLastBackslash(names.outputPath);
    names.packageName = names.outputFileName.substr(0, names.outputFileName.size() - kPackageEndingLength);
    std::string::size_type dot = names.outputFileName.find_last_of('.');
    names.baseName = names.outputFileName.substr(0, dot);
    const std::string why = WrittenNameProblem(names.packageName);
    if (problem) *problem = why;
    return why.empty();
}

std::string SourceFileName(const std::string& path) { return AfterLastBackslash(path); }

bool IsPhotoPath(const std::string& lowerPath) { return EndsWith(lowerPath, ".jpg") || EndsWith(lowerPath, ".jpeg"); }

std::string PhotoPageName(const std::string& lowerPath)
{
    std::string name = AfterLastBackslash(lowerPath);
    std::string::size_type dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name + ".html";
}

bool IsFlashPath(const std::string& lowerPath) { return EndsWith(lowerPath, ".swf"); }

std::string FlashPageName(const std::string& lowerPath) { return AfterLastBackslash(lowerPath) + ".html"; }

std::string FlashMovieScriptName(const std::string& lowerPath) { return AfterLastBackslash(lowerPath) + ".js"; }

bool IsWebPagePath(const std::string& lowerPath) { return EndsWith(lowerPath, ".html") || EndsWith(lowerPath, ".htm"); }

bool IsWebArchivePath(const std::string& lowerPath) { return EndsWith(lowerPath, ".mht"); }

std::string WebPageResourceFolder(const std::string& lowerPagePath)
{
    std::string::size_type dot = lowerPagePath.find_last_of('.');
    return lowerPagePath.substr(0, dot) + "_files";
}
