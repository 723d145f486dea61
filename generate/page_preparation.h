// Preparing the package's copies of web pages for showing in the main frame.
#pragma once

#include <string>

// The edits a copied web page or photo page gets, made on its text: its
// "window.name" neutralised, then the transition's tag inserted after its
// head tag ("Standard" inserts none). True when the text changed.
bool PreparePageText(std::string& page, const std::string& transition);

// Copies the resource folder of a saved web page (the "_files" folder
// beside it, found in any letter case) into the package's resources folder
// under its name on disk.
void CopyWebPageFolder(const std::string& packageFolder, const std::string& lowerPagePath);
