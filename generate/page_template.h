// Pages of a package made from pages of the installation's template: the
// photo page of a picture and the page that plays a Flash movie.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct PlannedEntry;

// A page's text from a template page's text: each placeholder replaced
// everywhere in the order given, declared in the ANSI code page.
std::string PageFromTemplate(std::string page, const std::vector<std::pair<std::string, std::string>>& replacements);

// The text of a picture's photo page from the photo template's text: the
// picture by its name in the resources folder, the title as caption, fitted
// to the window or at its own size.
std::string PhotoPageText(const std::string& photoTemplate, const std::string& sourceFileName, const std::string& title,
                          bool fitImages);

// Writes a page from a template page of the installation: read whole, each
// placeholder replaced everywhere in the order given, declared in the ANSI
// code page, written once. False, with no page written, when the template
// cannot be read; false too when the page cannot be written.
bool MakePageFromTemplate(const std::string& templatePath, const std::string& pagePath,
                          const std::vector<std::pair<std::string, std::string>>& replacements);

// Writes the page resources\<pageName> that plays a Flash entry's movie
// (copied beside it under its own name) with its title as caption, and
// brings the player into the package's resources folder with the first
// movie.
void MakeFlashPage(const std::string& root, const std::string& packageFolder, const PlannedEntry& entry);
