#include "shell/file_type_registration.h"

#include <windows.h>
#include <shlobj.h>

#include "model/install_layout.h"

namespace {
// Sets a key's default value as REG_SZ, with the terminating zero counted.
void SetDefaultValue(HKEY key, const std::string& value)
{
    ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
}

// Creates or opens a subkey; null on failure.
HKEY CreateKey(HKEY parent, const char* name)
{
    HKEY key = nullptr;
    if (!parent || ::RegCreateKeyA(parent, name, &key) != ERROR_SUCCESS) return nullptr;
    return key;
}

// A handle to the classes root with full access, or null.
HKEY OpenClassesRoot()
{
    HKEY classes = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, nullptr, 0, KEY_ALL_ACCESS, &classes) == ERROR_SUCCESS) return classes;
    return CreateKey(HKEY_CLASSES_ROOT, nullptr);
}

void CloseIfOpen(HKEY key)
{
    if (key) ::RegCloseKey(key);
}
} // namespace

void RegisterPackageFileType(const std::string& root)
{
    const std::string program = root + layout::kProgram;

    // Pass one: the extension.
    if (HKEY classes = OpenClassesRoot()) {
        HKEY extension = CreateKey(classes, ".ambd");
        if (extension) SetDefaultValue(extension, "Ambrelfile");
        CloseIfOpen(extension);
        ::RegCloseKey(classes);
    }

    // Pass two: the file type, its icon and its Play command.
    if (HKEY classes = OpenClassesRoot()) {
        if (HKEY type = CreateKey(classes, "Ambrelfile")) {
            SetDefaultValue(type, "Ambrel file");
            HKEY icon = CreateKey(type, "DefaultIcon");
            if (icon) SetDefaultValue(icon, program);
            // The command chain does not depend on the icon step.
            HKEY shell = CreateKey(type, "Shell");
            HKEY play = CreateKey(shell, "Play");
            HKEY command = CreateKey(play, "Command");
            if (command) SetDefaultValue(command, program + " %1");
            CloseIfOpen(command);
            CloseIfOpen(play);
            CloseIfOpen(shell);
            CloseIfOpen(icon);
            ::RegCloseKey(type);
        }
        ::RegCloseKey(classes);
    }
}

void NotifyAssociationsChanged() { ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }
