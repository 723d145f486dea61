// The package file type, registered with the shell on every start so that a
// double click on a package opens it with this program.
#pragma once

#include <string>

// Writes the HKCR keys of ".ambd" and "Ambrelfile" from the install root.
// Failures are silent and never stop the caller.
void RegisterPackageFileType(const std::string& root);

// Tells the shell that file associations changed.
void NotifyAssociationsChanged();
