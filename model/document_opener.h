// Opening a document with the user's associated program (the default browser
// for HTML pages) through the shell's document opener.
#pragma once

#include <string>

// "rundll32.exe url.dll,FileProtocolHandler " followed by the path, unquoted.
std::string DocumentOpenCommand(const std::string& documentPath);
