#include "model/document_opener.h"

std::string DocumentOpenCommand(const std::string& documentPath)
{
    return "rundll32.exe url.dll,FileProtocolHandler " + documentPath;
}
