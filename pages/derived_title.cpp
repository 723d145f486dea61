#include "pages/derived_title.h"

std::string DerivedTitle(const std::string& path)
{
    const std::string::size_type slash = path.rfind('\\');
    const std::string::size_type dot = path.rfind('.');
    const std::string::size_type start = slash == std::string::npos ? 0 : slash + 1;
    // No dot, a dot in a folder name, or a name that is all extension.
    if (dot == std::string::npos || dot <= start) return std::string();
    return path.substr(start, dot - start);
}
