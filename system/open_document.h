// Showing a document with the user's associated program (the default browser
// for HTML pages) through the shell's document opener.
#pragma once

#include <string>

// Starts the document opener on the path and does not wait for it; false when
// the opener could not be started.
bool OpenDocument(const std::string& documentPath);
