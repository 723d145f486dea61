// The install root (from the registry), the data folder (from the product
// family's settings file, cached for the process) and the work folders.
#pragma once

#include <string>

#include "framework/types.h"

// The data folder once looked up, in lower case; empty until then.
extern std::string g_strDataFolder;

// HKLM "Software\Corvane" value "Path", read on every call and used as
// stored; "c:\" when it cannot be read. Where the machine has no such key or
// value, the same value under HKCU (a setup for this user only) serves.
std::string GetInstallRoot();

// The data folder, looked up once per process; later calls return the cached
// text whatever root they pass.
std::string GetDataFolder(const std::string& root);

// The folder where packages are built and extracted: data folder + "ambrel\temp\".
std::string GetWorkFolder();

// True on Windows 2000 and later (major version above 4).
BOOL IsWindows2000OrLater();

// Creates data folder + "ambrel" and + "ambrel\temp"; nothing is emptied.
void PrepareWorkFolders();
