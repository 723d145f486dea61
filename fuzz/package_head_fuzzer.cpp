// The package head reader on arbitrary bytes, as the viewer reads the first
// bytes of a downloaded package. Whatever the bytes, it must not crash, and
// the start folder it names must lie inside the work folder: the page opened
// is the work folder, that folder and "\index.html", and nothing else.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/support/windows_path_model.h"
#include "view/package_head.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    // The first byte says which rule applies (a trailer at the package's
    // end or not); the rest is the head, cut as the viewer cuts it.
    const bool hasTrailer = data[0] & 1;
    std::string head(reinterpret_cast<const char*>(data + 1), size - 1);
    if (head.size() >= kPackageHeadBufferSize) head.resize(kPackageHeadBufferSize - 1);
    head.push_back('\0');

    const std::string folder = FindStartFolderInHead(head, hasTrailer);
    if (folder.empty()) return 0;
    const std::string work = "C:\\data\\ambrel\\temp";
    const pathmodel::Resolved page = pathmodel::Resolve(work + "\\" + folder + "\\index.html");
    const pathmodel::Resolved inside = pathmodel::Resolve(work);
    // The work folder's own index.html (a start folder of "." or "") is
    // inside it too.
    const bool within = page.parts.size() > inside.parts.size() &&
                        std::equal(inside.parts.begin(), inside.parts.end(), page.parts.begin()) &&
                        page.parts.back() == "index.html";
    if (!within || page.device || page.stream) std::abort();
    return 0;
}
